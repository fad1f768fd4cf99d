# Cross build for 64-bit Windows with Debian's MinGW-w64 compiler (the POSIX
# thread model, for std::thread): cmake -DCMAKE_TOOLCHAIN_FILE=this-file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VK_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VK_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VK_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${VK_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VK_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and the thread library linked in: an .exe needs no
# DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests (and the programs they start), and the built tools the build runs,
# run under Wine, in a prefix of the build's own.
find_program(VK_WINE64 wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(VK_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env WINEPREFIX=${CMAKE_BINARY_DIR}/wine
      WINEDEBUG=-all ${VK_WINE64})
endif()

# -O2 as the native build has: at -O3 GCC 12 warns falsely about overlapping
# copies inside std::string.
set(CMAKE_C_FLAGS_RELEASE_INIT "-O2 -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELEASE_INIT "-O2 -DNDEBUG")
