# Cross-build for 64-bit Windows with Debian's mingw-w64 (`make windows`):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# Test programs then run under Wine with code page 936 (scripts/wine-cp936).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_SYSTEM_VERSION 10.0)

set(_triple x86_64-w64-mingw32)
# The -posix compilers: their libstdc++ sits on winpthreads, so std::thread
# and std::mutex exist (GCC 12's win32 thread model has neither).
set(CMAKE_C_COMPILER ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CMAKE_AR /usr/bin/${_triple}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${_triple}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries and headers come from the mingw sysroot only, never from the
# host's /usr (whose glibc headers would shadow mingw's).
set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained .exe: libgcc, libstdc++ and winpthreads linked in, so
# that only the system's DLLs are imported.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest runs every .exe through Wine as a Simplified Chinese Windows.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-cp936)
