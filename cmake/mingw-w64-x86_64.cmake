# Cross-compiles for 64-bit Windows with Debian's mingw-w64, in its POSIX thread model (std::thread
# and std::mutex on winpthreads). Used by scripts/build-windows.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs that stand alone: the C and C++ run-times and winpthreads linked in, no DLL to ship.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# What the build runs of its own programs (ctest) goes through Wine.
find_program(OIDWRIGHT_WINE64 wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(OIDWRIGHT_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${OIDWRIGHT_WINE64})
endif()
