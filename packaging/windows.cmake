# The Windows bundle: `cpack` in a Windows build folder makes
# PloverMetaParser-<version>-win32.zip (i686) or -win64.zip (x86_64) with the
# DLL, its import libraries for MinGW (libPloverMetaParser.dll.a) and for
# Microsoft's tools (PloverMetaParser.lib), the export table
# (PloverMetaParser.def), the header and LINKING.txt.  The bundle is its own
# install component, so nothing else the build installs ends up in it.  The
# top-level project includes this file, then CPack.
include(GNUInstallDirs)
install(TARGETS PloverMetaParser
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT windows_bundle
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT windows_bundle
        PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT windows_bundle)
if(PLOVER_MSABI_LIB)
  install(FILES ${PLOVER_MSABI_LIB} ${PLOVER_MSABI_DEF} DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT windows_bundle)
endif()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/windows-linking.txt DESTINATION . RENAME LINKING.txt
        COMPONENT windows_bundle)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(CPACK_SYSTEM_NAME win32)
else()
  set(CPACK_SYSTEM_NAME win64)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME PloverMetaParser)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME PloverMetaParser-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME})
set(CPACK_STRIP_FILES ON)  # the DLL without its debugging information
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL windows_bundle)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
