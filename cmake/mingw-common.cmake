# Cross-compiling for Windows with MinGW-w64; included by the toolchain file
# of each architecture after it has set TLK_ARCH and TOOLCHAIN_PREFIX.
# The -posix compilers are used because GoogleTest needs std::mutex,
# which the win32-thread variants lack.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TLK_ARCH})
# Recorded in the cache so that the scripts see which architecture a build
# folder holds.
set(TLK_ARCH ${TLK_ARCH} CACHE INTERNAL "Windows architecture of this build folder")

set(CMAKE_C_COMPILER   ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests run under the Wine of the same architecture through this wrapper
# (prefix, display, quiet debug).
get_filename_component(TLK_TOOLS_DIR ${CMAKE_CURRENT_LIST_DIR}/../tools ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env;TLK_ARCH=${TLK_ARCH};${TLK_TOOLS_DIR}/wine-run.sh)
