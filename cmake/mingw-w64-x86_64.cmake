# The 64-bit cross build: MinGW-w64's posix thread variant. Not what ships; the Wine suites run it where
# 32-bit Linux programs cannot run.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELMORA_MINGW_TRIPLE x86_64-w64-mingw32)
set(VELMORA_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
