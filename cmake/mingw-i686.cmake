# 32-bit Windows: what users get, and what runs on every Windows.
set(TLK_ARCH i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
