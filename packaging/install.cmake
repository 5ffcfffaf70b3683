# What a developer finds after cmake --install: the CMake package (the export
# set PloverMetaParserTargets with a version file), the pkg-config file
# plovermeta.pc and, with the tool, its man page and bash completion.
include(CMakePackageConfigHelpers)

set(PLOVER_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/PloverMetaParser)
install(EXPORT PloverMetaParserTargets NAMESPACE PloverMetaParser:: DESTINATION ${PLOVER_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/packaging/PloverMetaParserConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/PloverMetaParserConfig.cmake INSTALL_DESTINATION ${PLOVER_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/PloverMetaParserConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/PloverMetaParserConfig.cmake
              ${PROJECT_BINARY_DIR}/PloverMetaParserConfigVersion.cmake DESTINATION ${PLOVER_CMAKE_DIR})

# plovermeta.pc names the prefix it is installed under, which is known only at
# install time (cmake --install --prefix, or the package's /usr).
install(CODE "
  set(PLOVER_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
  set(CMAKE_INSTALL_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
  set(CMAKE_INSTALL_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
  set(PROJECT_VERSION \"${PROJECT_VERSION}\")
  configure_file(\"${PROJECT_SOURCE_DIR}/packaging/plovermeta.pc.in\" \"${PROJECT_BINARY_DIR}/plovermeta.pc\" @ONLY)")
install(FILES ${PROJECT_BINARY_DIR}/plovermeta.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# plovermeta's man page is written from its own --help and --version by
# help2man when the build can run the tool; bash finds its completion by the
# command's name.
if(TARGET plovermeta AND NOT WIN32)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/plovermeta.bash-completion
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME plovermeta)
  find_program(PLOVER_HELP2MAN help2man)
  if(PLOVER_HELP2MAN AND NOT CMAKE_CROSSCOMPILING)
    add_custom_command(
      OUTPUT plovermeta.1 plovermeta.1.gz
      COMMAND ${PLOVER_HELP2MAN} --no-info --section=1 --output=plovermeta.1
              "--name=show, play back and export the metadata of a vehicle recorder" $<TARGET_FILE:plovermeta>
      COMMAND gzip -9nkf plovermeta.1
      DEPENDS plovermeta
      WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
      COMMENT "Writing the man page of plovermeta"
      VERBATIM)
    add_custom_target(plovermeta_man ALL DEPENDS ${PROJECT_BINARY_DIR}/plovermeta.1.gz)
    install(FILES ${PROJECT_BINARY_DIR}/plovermeta.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  elseif(NOT CMAKE_CROSSCOMPILING)
    message(STATUS "help2man not found: plovermeta is installed without its man page")
  endif()
endif()
