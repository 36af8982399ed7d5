# 64-bit Windows: built and tested where 32-bit Wine cannot run.
set(TLK_ARCH x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
