# What the two MinGW-w64 toolchain files share. They set VELMORA_MINGW_TRIPLE (the target triple) and
# VELMORA_MINGW_THREADS (the compiler variant: win32 or posix) before including this.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${VELMORA_MINGW_TRIPLE}-gcc-${VELMORA_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${VELMORA_MINGW_TRIPLE}-g++-${VELMORA_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${VELMORA_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELMORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No MinGW DLL beside the executables: only system DLLs are imported.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest runs the test programs under Wine. The 64-bit programs go through the 64-bit loader by name:
# Debian's wine wrapper takes the 32-bit one whenever wine32 is installed, even where it cannot start.
if(VELMORA_MINGW_TRIPLE STREQUAL "x86_64-w64-mingw32")
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64)
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR wine)
endif()

# Release builds are made small: optimised for size, each function and datum in a section of its own so
# that the linker drops what nothing uses, and no symbols or debug information in the executables. Set
# here, not as *_INIT (the compiler's own -O3 would follow and win), so an existing build tree takes them
# at its next configure.
set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG -ffunction-sections -fdata-sections" CACHE STRING
    "Flags of Release builds" FORCE)
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG -ffunction-sections -fdata-sections" CACHE STRING
    "Flags of Release builds" FORCE)
set(CMAKE_EXE_LINKER_FLAGS_RELEASE "-s -Wl,--gc-sections" CACHE STRING "Linker flags of Release builds"
    FORCE)
