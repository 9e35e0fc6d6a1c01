# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads variant).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(FERROWIND_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${FERROWIND_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${FERROWIND_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${FERROWIND_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${FERROWIND_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# A self-contained .exe: no libstdc++/libgcc/winpthread DLLs to ship.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Tests and tools run under Wine through the project's wrapper (made at configure time).
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/wine-run")
