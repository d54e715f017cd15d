# Cross-compiling for 64-bit Windows with MinGW-w64 (Debian: g++-mingw-w64-x86-64-posix,
# the variant with POSIX threads, which std::thread and std::mutex need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_PREFIX}-windres)

# Libraries and headers come from the MinGW sysroot only, programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs carry the C++ runtime and the threads library inside: they run from any
# folder, with no MinGW DLL beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
