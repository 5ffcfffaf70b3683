# cmake -DOBJDUMP=... -DPROGRAM=caller.exe -DDLL=PloverMetaParser.dll
#       -DLIST=exports.list -DARCH=i686|x86_64 -P CheckImports.cmake
#
# Fails unless PROGRAM imports from the DLL exactly the Microsoft names that
# LIST gives for ARCH, and the DLL exports every one of them.
cmake_minimum_required(VERSION 3.18)
include(${CMAKE_CURRENT_LIST_DIR}/../../msabi/ExportTable.cmake)
plover_msabi_read_list(${LIST} ${ARCH} gnu listed target)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE program_dump RESULT_VARIABLE failed)
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dll_dump RESULT_VARIABLE failed_dll)
if(failed OR failed_dll)
  message(FATAL_ERROR "${OBJDUMP} -p failed")
endif()

# The names imported from PloverMetaParser.dll: the last word of each line of
# its block, up to the blank line that ends it.
string(REGEX MATCH "DLL Name: PloverMetaParser.dll\n[^\n]*\n(([^\n]+\n)*)" block "${program_dump}")
string(REGEX MATCHALL "[^ \t\n]+\n" imported "${CMAKE_MATCH_1}")
string(REPLACE "\n" "" imported "${imported}")
# The DLL's export name table: "[  n] name" lines.
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" exported "${dll_dump}")
list(TRANSFORM exported REPLACE "^\\[ *[0-9]+\\] " "")

set(problems)
foreach(name IN LISTS listed)
  if(NOT name IN_LIST imported)
    list(APPEND problems "not imported by the caller: ${name}")
  endif()
endforeach()
foreach(name IN LISTS imported)
  if(NOT name IN_LIST listed)
    list(APPEND problems "imported but not in exports.list: ${name}")
  endif()
  if(NOT name IN_LIST exported)
    list(APPEND problems "imported but not exported by the DLL: ${name}")
  endif()
endforeach()
if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "${PROGRAM}:\n  ${text}")
endif()
list(LENGTH imported count)
message(STATUS "${count} imports of the Microsoft-mode caller are exported by the DLL")
