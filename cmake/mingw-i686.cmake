# Windows 32-bit (i686) build with Debian's MinGW-w64 cross compiler.  The
# machine cannot run 32-bit Windows programs, so this build is only built and
# linked; the record layout is checked at compile time.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PLOVER_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
