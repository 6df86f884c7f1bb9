# 32-bit Windows with Debian's mingw-w64 (packages g++-mingw-w64-i686-posix,
# mingw-w64-i686-dev, mingw-w64-tools): scripts/cross-win32.sh. The posix thread model gives
# the C++ library std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_DLLTOOL i686-w64-mingw32-dlltool)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# GCC 12 reports a false overlap (-Wrestrict) inside libstdc++'s string concatenation when it
# inlines it for 32-bit targets (in examples/gui_demo.cpp): a warning, not an error, here.
set(CMAKE_CXX_FLAGS_INIT "-Wno-error=restrict")
# The GCC, C++ and thread runtimes linked in, so a program needs only the system's and our DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
