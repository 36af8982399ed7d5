# Tests of the editor; included at the end of tests/CMakeLists.txt.

# The pictures the background tests choose, made afresh for each run.
set(TEST_PICTURES ${CMAKE_BINARY_DIR}/test-pictures)
wine_path(WIN_PICTURES ${TEST_PICTURES})
add_test(NAME test_pictures COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/support/make_pictures.py ${TEST_PICTURES})
set_tests_properties(test_pictures PROPERTIES FIXTURES_SETUP test_pictures)

# Plain logic on real files, and the editor's windows run inside the test
# process (menus and fonts cannot be read from another process). The
# editor's resources are linked in so that its dialogs can be created.
set_source_files_properties(${EDITOR_RC} PROPERTIES OBJECT_DEPENDS "${EDITOR_RC_DEPENDS}")
file(GLOB EDITOR_UNIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/editor_unit/*.cpp)
add_executable(editor_unit_tests ${EDITOR_UNIT_SOURCES} ${EDITOR_RC})
target_include_directories(editor_unit_tests PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}
                           ${EDITOR_RC_INCLUDES})
target_link_libraries(editor_unit_tests PRIVATE tlk_editor gtest_main)
# The marker program with and without a signature, for the disc check.
set(SIGNED_MARKER ${CMAKE_CURRENT_BINARY_DIR}/marker-signed.exe)
add_custom_command(OUTPUT ${SIGNED_MARKER}
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/helpers/sign_program.sh $<TARGET_FILE:marker> ${SIGNED_MARKER}
    DEPENDS marker ${CMAKE_CURRENT_SOURCE_DIR}/helpers/sign_program.sh
    COMMENT "Signing a test program")
add_custom_target(signed_marker ALL DEPENDS ${SIGNED_MARKER})
wine_path(WIN_SIGNED_MARKER ${SIGNED_MARKER})
add_dependencies(editor_unit_tests assets editor_help demo autorun marker signed_marker)
add_test(NAME editor_unit COMMAND editor_unit_tests)
set_tests_properties(editor_unit PROPERTIES
    ENVIRONMENT "TLK_DIST=${WIN_DIST};TLK_ASSETS=${WIN_ASSETS};TLK_DEMO=${WIN_DEMO};TLK_PICTURES=${WIN_PICTURES};TLK_MARKER=${WIN_MARKER};TLK_SIGNED_MARKER=${WIN_SIGNED_MARKER}"
    FIXTURES_REQUIRED test_pictures
    TIMEOUT 600)

# A stand-in for the web browser: records which page the editor asked the
# shell to open.
add_executable(editor_help_recorder ${CMAKE_CURRENT_SOURCE_DIR}/editor_e2e/recorder/help_recorder.cpp)
set_target_properties(editor_help_recorder PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/editor_e2e)
wine_path(WIN_HELP_RECORDER ${CMAKE_BINARY_DIR}/editor_e2e/editor_help_recorder.exe)

# The real tlkedit.exe, started from copies of the installation folder and
# driven from this process.
file(GLOB EDITOR_E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/editor_e2e/*.cpp)
add_executable(editor_e2e_tests ${EDITOR_E2E_SOURCES}
    ${CMAKE_SOURCE_DIR}/workspace/BackgroundLimit.cpp ${CMAKE_SOURCE_DIR}/workspace/PictureRules.cpp
    ${CMAKE_SOURCE_DIR}/platform/ImageScale.cpp)
target_include_directories(editor_e2e_tests PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(editor_e2e_tests PRIVATE tlk_menu gtest_main user32 gdi32 advapi32)
add_dependencies(editor_e2e_tests tlkedit autorun dist_data editor_help editor_help_recorder marker demo)
set(EDITOR_E2E_ENVIRONMENT "TLK_DIST=${WIN_DIST};TLK_ASSETS=${WIN_ASSETS};TLK_DEMO=${WIN_DEMO};TLK_HELP_RECORDER=${WIN_HELP_RECORDER};TLK_MARKER=${WIN_MARKER};TLK_PICTURES=${WIN_PICTURES}")
add_test(NAME editor_e2e COMMAND editor_e2e_tests)
set_tests_properties(editor_e2e PROPERTIES
    ENVIRONMENT "${EDITOR_E2E_ENVIRONMENT}"
    FIXTURES_REQUIRED test_pictures
    TIMEOUT 900)

# Windows' disc image burner, where there is one: a prefix of its own with a
# stand-in (the marker program) as isoburn.exe in its system folder.
set(BURNER_PREFIX ${CMAKE_BINARY_DIR}/wineprefix-burner)
add_test(NAME burner_prefix COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/editor_e2e/make_burner_prefix.sh
         ${CMAKE_BINARY_DIR}/wineprefix ${BURNER_PREFIX} $<TARGET_FILE:marker>)
set_tests_properties(burner_prefix PROPERTIES FIXTURES_SETUP burner_prefix ENVIRONMENT "TLK_ARCH=${TLK_ARCH}")
add_test(NAME editor_burner COMMAND editor_e2e_tests --gtest_filter=DiscImage.BurnToDisc*)
set_tests_properties(editor_burner PROPERTIES
    ENVIRONMENT "${EDITOR_E2E_ENVIRONMENT};WINEPREFIX=${BURNER_PREFIX};TLK_BURNER=isoburn.exe"
    FIXTURES_REQUIRED burner_prefix
    TIMEOUT 300)

# The editor runs from any PC's disk: only system DLLs.
add_test(NAME editor_imports COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/check_imports.sh
         ${CMAKE_OBJDUMP} $<TARGET_FILE:tlkedit>)

# Benchmark of the wizard on the real editor (run by tools/bench.sh, not a test).
add_executable(wizard_bench EXCLUDE_FROM_ALL ${CMAKE_CURRENT_SOURCE_DIR}/bench/wizard_bench.cpp)
target_include_directories(wizard_bench PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(wizard_bench PRIVATE tlk_menu gtest user32 gdi32)
add_dependencies(wizard_bench tlkedit dist_data)

# ---- Display scale ------------------------------------------------------------------
# The editor's windows and the menu window in Wine prefixes of their own at
# 100, 125, 150 and 200 %, and at 175 %, between two picture sets: copies of the test prefix's registry with another
# LogPixels, sharing its drive (see dpi/make_prefix.sh).
add_executable(dpi_tests ${CMAKE_CURRENT_SOURCE_DIR}/dpi/test_dpi.cpp ${EDITOR_RC})
target_include_directories(dpi_tests PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR} ${EDITOR_RC_INCLUDES})
target_link_libraries(dpi_tests PRIVATE tlk_editor gtest_main)
add_dependencies(dpi_tests assets)
set(TLK_TEST_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
add_test(NAME dpi_prefixes COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/dpi/make_prefix.sh ${TLK_TEST_PREFIX} 120 144 168 192)
set_tests_properties(dpi_prefixes PROPERTIES FIXTURES_SETUP dpi_prefixes ENVIRONMENT "TLK_ARCH=${TLK_ARCH}")
foreach(dpi 96 120 144 168 192)
    if(dpi EQUAL 96)
        set(prefix ${TLK_TEST_PREFIX})
    else()
        set(prefix ${TLK_TEST_PREFIX}-dpi${dpi})
    endif()
    add_test(NAME dpi_${dpi} COMMAND dpi_tests)
    set_tests_properties(dpi_${dpi} PROPERTIES
        ENVIRONMENT "WINEPREFIX=${prefix};TLK_DPI=${dpi}"
        FIXTURES_REQUIRED dpi_prefixes
        TIMEOUT 300)
endforeach()

# ---- Every script ---------------------------------------------------------------
# The editor, installed in a folder its code page cannot spell, designs a
# menu in seven scripts from real key input, builds the disc folder and its
# image; the real player shows the letters from both on the code pages
# 1252, 1251 and 932 (LANG picks Wine's). A prefix of its own has fonts that
# draw every script (see scripts/make_prefix.sh).
add_executable(script_tests ${CMAKE_CURRENT_SOURCE_DIR}/scripts/test_scripts.cpp)
target_include_directories(script_tests PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(script_tests PRIVATE gtest_main user32 gdi32)
add_dependencies(script_tests autorun tlkedit dist_data)
set(SCRIPTS_PREFIX ${TLK_TEST_PREFIX}-scripts)
set(SCRIPTS_OUT ${CMAKE_BINARY_DIR}/scripts)
wine_path(WIN_SCRIPTS_OUT ${SCRIPTS_OUT})
add_test(NAME scripts_prefix COMMAND sh -c "rm -rf \"$0\" && mkdir -p \"$0\" && \"$1\" \"$2\""
         ${SCRIPTS_OUT} ${CMAKE_CURRENT_SOURCE_DIR}/scripts/make_prefix.sh ${TLK_TEST_PREFIX})
set_tests_properties(scripts_prefix PROPERTIES FIXTURES_SETUP scripts_prefix ENVIRONMENT "TLK_ARCH=${TLK_ARCH}" TIMEOUT 300)
set(SCRIPTS_ENVIRONMENT "WINEPREFIX=${SCRIPTS_PREFIX};TLK_DIST=${WIN_DIST};TLK_SCRIPTS_OUT=${WIN_SCRIPTS_OUT}")
add_test(NAME scripts_design COMMAND script_tests --gtest_filter=Design.*)
set_tests_properties(scripts_design PROPERTIES ENVIRONMENT "${SCRIPTS_ENVIRONMENT};LANG=C.UTF-8"
                     FIXTURES_REQUIRED scripts_prefix FIXTURES_SETUP scripts_disc TIMEOUT 600)
# The image's files as a reader of Joliet names takes them out.
add_test(NAME scripts_image COMMAND sh -c "rm -rf \"$0/iso\" && 7z x -y -o\"$0/iso\" \"$0\"/*.iso >/dev/null" ${SCRIPTS_OUT})
set_tests_properties(scripts_image PROPERTIES FIXTURES_REQUIRED scripts_disc FIXTURES_SETUP scripts_iso)
# Each run also picks the disc's menu variant of its user's language.
foreach(run "1252:C.UTF-8:" "1251:ru_RU.UTF-8:" "932:ja_JP.UTF-8:ja" "1252de:de_DE.UTF-8:de" "1252fr:fr_FR.UTF-8:")
    string(REPLACE ":" ";" parts "${run}")
    list(GET parts 0 name)
    list(GET parts 1 locale)
    list(LENGTH parts n)
    set(language "")
    if(n GREATER 2)
        list(GET parts 2 language)
    endif()
    add_test(NAME scripts_${name} COMMAND script_tests --gtest_filter=Player.*)
    set_tests_properties(scripts_${name} PROPERTIES
                         ENVIRONMENT "${SCRIPTS_ENVIRONMENT};LANG=${locale};LC_ALL=${locale};TLK_SCRIPTS_LANGUAGE=${language}"
                         FIXTURES_REQUIRED "scripts_prefix;scripts_disc;scripts_iso" TIMEOUT 300)
endforeach()
