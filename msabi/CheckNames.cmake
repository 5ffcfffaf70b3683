# cmake -DNM=llvm-nm -DOBJECT=probe.obj -DLIST=exports.list -DARCH=i686|x86_64 -P CheckNames.cmake
#
# Fails unless the DLL imports that clang in Microsoft mode wrote into OBJECT
# (NameProbe.cpp, a caller of every member) are exactly the Microsoft names that LIST
# gives for ARCH.
cmake_minimum_required(VERSION 3.18)
include(${CMAKE_CURRENT_LIST_DIR}/ExportTable.cmake)
plover_msabi_read_list(${LIST} ${ARCH} gnu listed target)

execute_process(COMMAND ${NM} -u ${OBJECT} OUTPUT_VARIABLE undefined RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${NM} -u ${OBJECT} failed")
endif()
string(REGEX MATCHALL "__imp_[^\r\n]+" imports "${undefined}")
set(asked)
foreach(symbol IN LISTS imports)
  string(REGEX REPLACE "^__imp_" "" name "${symbol}")
  # i686 C names carry a leading underscore in the object, not in the DLL.
  if(ARCH STREQUAL "i686" AND name MATCHES "^_[^_?]")
    string(SUBSTRING "${name}" 1 -1 name)
  endif()
  list(APPEND asked "${name}")
endforeach()

set(missing ${asked})
list(REMOVE_ITEM missing ${listed})
set(unasked ${listed})
list(REMOVE_ITEM unasked ${asked})
if(missing OR unasked)
  list(JOIN missing "\n  " missing_text)
  list(JOIN unasked "\n  " unasked_text)
  message(FATAL_ERROR "exports.list and clang's Microsoft names disagree.\n"
                      "Asked for by clang, not listed:\n  ${missing_text}\n"
                      "Listed, not asked for by clang:\n  ${unasked_text}")
endif()
list(LENGTH asked count)
message(STATUS "${count} Microsoft names agree with exports.list")
