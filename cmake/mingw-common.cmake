# Shared by the MinGW-w64 toolchain files.  The posix thread model of the
# compiler is used, and every program links its C++ runtime statically so
# that it needs nothing but system DLLs.
set(CMAKE_C_COMPILER ${PLOVER_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PLOVER_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PLOVER_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PLOVER_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
