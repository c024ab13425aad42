# mingw-w64 cross toolchain, 64-bit. The -posix compilers carry std::thread and
# std::mutex; everything is linked statically so no runtime DLL has to travel
# with the binaries.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
