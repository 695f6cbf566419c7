# The 32-bit cross build that ships and that the Wine tests run: MinGW-w64's win32 thread variant, whose
# runtime imports nothing that Windows 95, 98 and NT 4.0 lack (the posix variant links winpthreads, which
# does). Its libstdc++ has no std::thread or std::mutex; cmake/GTestWin32Threads.h fills the one gap
# GoogleTest has there.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VELMORA_MINGW_TRIPLE i686-w64-mingw32)
set(VELMORA_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
