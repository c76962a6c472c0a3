# Cross-compiles Tamrix for 64-bit Windows with Debian's MinGW-w64 toolchain
# (g++-mingw-w64-x86-64, binutils-mingw-w64-x86-64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAMRIX_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAMRIX_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${TAMRIX_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${TAMRIX_MINGW_PREFIX}-windres)

# Libraries and headers come from the MinGW tree only; programs (python3,
# wine, the toolchain itself) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${TAMRIX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A static runtime: the programs then import only KERNEL32, USER32 and
# msvcrt, and run on a bare Windows without any extra DLL.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Shipped builds carry no symbols.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

# Lets CTest run the cross-built test programs.
find_program(TAMRIX_WINE NAMES wine wine64)
if(TAMRIX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TAMRIX_WINE})
endif()
