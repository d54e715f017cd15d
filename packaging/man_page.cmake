# Writes the gzipped manual page of a program from its --help and --version.
# cmake -DHELP2MAN=... -DPROGRAM=... -DSUMMARY=... -DOUTPUT=NAME.1.gz -P man_page.cmake
get_filename_component(page ${OUTPUT} NAME_WLE)
get_filename_component(folder ${OUTPUT} DIRECTORY)
set(plain ${folder}/${page})
execute_process(COMMAND ${HELP2MAN} --no-info --no-discard-stderr --name=${SUMMARY}
                        --output=${plain} ${PROGRAM}
                COMMAND_ERROR_IS_FATAL ANY)
# --help ends with the data folder the build machine would use: not for the page.
file(READ ${plain} text)
string(REGEX REPLACE "\n[^\n]*Data folder in use:[^\n]*" "" text "${text}")
file(WRITE ${plain} "${text}")
execute_process(COMMAND gzip -9nf ${plain} COMMAND_ERROR_IS_FATAL ANY)
