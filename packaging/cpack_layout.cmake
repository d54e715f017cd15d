# Read by CPack for each generator: the .deb holds the system layout, the .tar.gz the
# portable one (an archive of that one component).
if(CPACK_GENERATOR STREQUAL "TGZ")
  set(CPACK_COMPONENTS_ALL portable)
  set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
  set(CPACK_PACKAGE_FILE_NAME "morvane-${CPACK_PACKAGE_VERSION}-linux-portable")
  set(CPACK_ARCHIVE_PORTABLE_FILE_NAME ${CPACK_PACKAGE_FILE_NAME})
else()
  set(CPACK_COMPONENTS_ALL system)
endif()
