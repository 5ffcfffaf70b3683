# The public header carries the version as macros, so that callers can test
# it; project(VERSION) is where it is set.  Configuring stops when the two
# disagree.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/interface/PloverMetaParser.h)
file(READ ${PROJECT_SOURCE_DIR}/interface/PloverMetaParser.h plover_header)
foreach(part MAJOR MINOR PATCH STRING)
  if(part STREQUAL "STRING")
    set(plover_want ${PROJECT_VERSION})
  else()
    set(plover_want ${PROJECT_VERSION_${part}})
  endif()
  set(plover_found "")
  if(plover_header MATCHES "\n#define PLOVERMETAPARSER_VERSION_${part} +\"?([0-9.]+)\"?\n")
    set(plover_found ${CMAKE_MATCH_1})
  endif()
  if(NOT plover_found STREQUAL plover_want)
    message(FATAL_ERROR "interface/PloverMetaParser.h has PLOVERMETAPARSER_VERSION_${part} '${plover_found}', "
                        "project(VERSION) says '${plover_want}'")
  endif()
endforeach()
unset(plover_header)
