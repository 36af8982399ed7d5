# Tests of the release packages; included from tests/CMakeLists.txt.

# tools/release.sh as a user runs it: builds and writes build/release/.
set(RELEASE_SETUP ${CMAKE_BINARY_DIR}/release/TLK-Autoplay-Varrow-${PROJECT_VERSION}${TLK_PACKAGE_SUFFIX}-setup.exe)
add_test(NAME release COMMAND ${CMAKE_SOURCE_DIR}/tools/release.sh)
set_tests_properties(release PROPERTIES
    ENVIRONMENT "TLK_BUILD=${CMAKE_BINARY_DIR};TLK_ARCH=${TLK_ARCH}" FIXTURES_SETUP packages TIMEOUT 900)

# A second build of the same sources in another folder gives the same bytes.
add_test(NAME release_reproducible COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/installer/reproducible.sh
         ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/reproducible)
set_tests_properties(release_reproducible PROPERTIES FIXTURES_REQUIRED packages TIMEOUT 900)

# Silent install, start, install over, uninstall, chosen folder, refusal:
# under Wine in a prefix of its own, made afresh from the test prefix.
add_test(NAME installer COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/installer/test_installer.py
         ${RELEASE_SETUP} ${DIST_DIR} ${CMAKE_BINARY_DIR}/wineprefix ${CMAKE_BINARY_DIR}/installer-prefix
         ${CMAKE_CURRENT_SOURCE_DIR}/check_imports.sh ${CMAKE_OBJDUMP} ${TLK_TOOLS_DIR}/wine-run.sh)
set_tests_properties(installer PROPERTIES FIXTURES_REQUIRED packages TIMEOUT 300
                     ENVIRONMENT "TLK_ARCH=${TLK_ARCH}")

# The project version and names reach the version resources of the programs
# and of the setup program.
add_test(NAME versions COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/installer/test_versions.py
         ${PROJECT_VERSION} ${TLK_PRODUCT} ${TLK_COMPANY}
         $<TARGET_FILE:autorun> $<TARGET_FILE:tlkedit> ${RELEASE_SETUP})
set_tests_properties(versions PROPERTIES FIXTURES_REQUIRED packages)

# The programs and packages users get are 32-bit. Where the suite runs the
# 64-bit build (no 32-bit programs run on this machine), they are still
# built and checked without being run.
if(NOT TLK_ARCH STREQUAL "i686")
    add_test(NAME shipped_i686 COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/installer/shipped_i686.sh
             ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR} ${Python3_EXECUTABLE}
             ${PROJECT_VERSION} ${TLK_PRODUCT} ${TLK_COMPANY} ${TLK_PLAYER_MAX_BYTES})
    set_tests_properties(shipped_i686 PROPERTIES TIMEOUT 1800)
endif()

# A signed release with a certificate made for the test: the signatures, the
# installed programs, the editor's disc build, and the certificates refused.
add_executable(sigcheck ${CMAKE_CURRENT_SOURCE_DIR}/helpers/sigcheck.cpp)
target_link_options(sigcheck PRIVATE -municode)
target_link_libraries(sigcheck PRIVATE wintrust crypt32)
add_test(NAME signing COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/installer/test_signing.py
         ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/wineprefix ${CMAKE_BINARY_DIR}/signing-prefix
         $<TARGET_FILE:sigcheck>)
set_tests_properties(signing PROPERTIES FIXTURES_REQUIRED packages TIMEOUT 600
                     ENVIRONMENT "TLK_ARCH=${TLK_ARCH}")
