# Installs the documentation beside the programs and packs everything that
# `cmake --install` installs: a zip for Windows builds (`cpack` in the build
# folder), a tarball elsewhere. Programs go to bin/ on every platform.
install(FILES README.md DESTINATION share/doc/wusreport)
install(DIRECTORY docs/ DESTINATION share/doc/wusreport)

set(CPACK_PACKAGE_NAME wusreport)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Merges WUS statistics files into one report")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(WUS_PACKAGE_SYSTEM win64)
  else()
    set(WUS_PACKAGE_SYSTEM win32)
  endif()
else()
  set(CPACK_GENERATOR TGZ)
  set(WUS_PACKAGE_SYSTEM ${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR})
endif()
set(CPACK_PACKAGE_FILE_NAME wusreport-${PROJECT_VERSION}-${WUS_PACKAGE_SYSTEM})
include(CPack)
