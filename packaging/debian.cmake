# One Debian package, plovermetaparser: the shared library, its header, the
# CMake and pkg-config files, plovermeta with its man page and completion.
#   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr
#   cmake --build build/release && cd build/release && cpack
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plovermetaparser)
set(CPACK_PACKAGE_CONTACT "PloverMetaParser developers <plovermetaparser@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "vehicle video recorder metadata reader (library and tool)")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "PloverMetaParser reads the metadata that a vehicle video recorder writes
beside its recordings (tagged-text documents, binary samples,
second-generation files and WebVTT caption tracks) and hands a video viewer
the on-screen display texts of a moment.
.
This package holds the shared library with its C++ header, CMake and
pkg-config files, and plovermeta, a command-line tool that shows, plays back
and exports a recording's metadata.")
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The dynamic linker's cache is refreshed by dpkg's ldconfig trigger.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/triggers)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/packages)

# Debian's documentation folder: copyright, this package's changelog and the
# project's CHANGELOG.md, compressed as Debian expects.
set(PLOVER_DEB_DOC ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
string(TIMESTAMP PLOVER_DEB_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.Debian.in ${PROJECT_BINARY_DIR}/changelog.Debian @ONLY)
add_custom_command(OUTPUT changelog.Debian.gz changelog.gz
                   COMMAND gzip -9nkf changelog.Debian
                   COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/CHANGELOG.md changelog
                   COMMAND gzip -9nf changelog
                   DEPENDS ${PROJECT_BINARY_DIR}/changelog.Debian ${PROJECT_SOURCE_DIR}/CHANGELOG.md
                   WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
                   VERBATIM)
add_custom_target(plover_deb_changelogs ALL DEPENDS changelog.Debian.gz changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/changelog.Debian.gz
              ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${PLOVER_DEB_DOC})
