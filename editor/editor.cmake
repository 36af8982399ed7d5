# The editor, tlkedit.exe: included by the top-level CMakeLists.txt.

# ---- Platform pieces the editor's windows use ---------------------------------
add_library(tlk_platform_ui STATIC
    ${CMAKE_SOURCE_DIR}/platform/BitmapButton.cpp
    ${CMAKE_SOURCE_DIR}/platform/FileDialog.cpp
    ${CMAKE_SOURCE_DIR}/platform/Font.cpp
    ${CMAKE_SOURCE_DIR}/platform/ImageScale.cpp
    ${CMAKE_SOURCE_DIR}/platform/Menu.cpp
    ${CMAKE_SOURCE_DIR}/platform/MessageBox.cpp
    ${CMAKE_SOURCE_DIR}/platform/PropertySheet.cpp)
target_link_libraries(tlk_platform_ui PUBLIC tlk_platform comctl32 comdlg32)

# ---- The editor's work folder and what goes into it: state, file copies,
# pictures (below both the editor and the wizard) -----------------------------
add_library(tlk_workspace STATIC
    ${CMAKE_SOURCE_DIR}/workspace/BackgroundLimit.cpp
    ${CMAKE_SOURCE_DIR}/workspace/EditorState.cpp
    ${CMAKE_SOURCE_DIR}/workspace/Languages.cpp
    ${CMAKE_SOURCE_DIR}/workspace/PictureFile.cpp
    ${CMAKE_SOURCE_DIR}/workspace/PictureRules.cpp
    ${CMAKE_SOURCE_DIR}/workspace/WorkDir.cpp)
# GDI+ decodes the pictures other than bitmaps; it is part of Windows since XP.
target_link_libraries(tlk_workspace PUBLIC tlk_menu tlk_platform_ui gdiplus)

# ---- The disc: what goes on it, its checks and its image (no windows) --------
add_library(tlk_disc STATIC
    ${CMAKE_SOURCE_DIR}/disc/AutoRunFile.cpp
    ${CMAKE_SOURCE_DIR}/disc/BuildPlan.cpp
    ${CMAKE_SOURCE_DIR}/disc/DiscCheck.cpp
    ${CMAKE_SOURCE_DIR}/disc/DiscFilesWin32.cpp
    ${CMAKE_SOURCE_DIR}/disc/DiscImage.cpp
    ${CMAKE_SOURCE_DIR}/disc/DiscPlan.cpp
    ${CMAKE_SOURCE_DIR}/disc/IsoDates.cpp
    ${CMAKE_SOURCE_DIR}/disc/Signature.cpp
    ${CMAKE_SOURCE_DIR}/disc/VolumeLabel.cpp)
target_link_libraries(tlk_disc PUBLIC tlk_workspace tlk_menu)

# ---- The wizard: the six pages that fill the definition ------------------------
add_library(tlk_wizard STATIC
    ${CMAKE_SOURCE_DIR}/wizard/ActionDlg.cpp
    ${CMAKE_SOURCE_DIR}/wizard/ColorSound.cpp
    ${CMAKE_SOURCE_DIR}/wizard/IntroFinish.cpp
    ${CMAKE_SOURCE_DIR}/wizard/SelectTmplt.cpp
    ${CMAKE_SOURCE_DIR}/wizard/SetBackGr.cpp
    ${CMAKE_SOURCE_DIR}/wizard/TextAction.cpp
    ${CMAKE_SOURCE_DIR}/wizard/Wizard.cpp
    ${CMAKE_SOURCE_DIR}/wizard/WizardRules.cpp)
target_link_libraries(tlk_wizard PUBLIC tlk_workspace tlk_menu tlk_platform_ui comdlg32 winmm)

# ---- The editor's windows and command line (everything but the application
# object, so that tests can link it) ----------------------------------------------
add_library(tlk_editor STATIC
    ${CMAKE_SOURCE_DIR}/editor/CommandLine.cpp
    ${CMAKE_SOURCE_DIR}/editor/EditorDlg.cpp
    ${CMAKE_SOURCE_DIR}/editor/Help.cpp
    ${CMAKE_SOURCE_DIR}/editor/ImageDlg.cpp
    ${CMAKE_SOURCE_DIR}/editor/MenuListing.cpp
    ${CMAKE_SOURCE_DIR}/editor/StepDialogs.cpp
    ${CMAKE_SOURCE_DIR}/editor/LanguageDlg.cpp
    ${CMAKE_SOURCE_DIR}/editor/Steps.cpp
    ${CMAKE_SOURCE_DIR}/editor/Storage.cpp)
target_link_libraries(tlk_editor PUBLIC tlk_wizard tlk_disc tlk_workspace tlk_menu tlk_platform_ui shell32)

# The editor asks for version 6 of the common controls, so that it looks
# like a current program.
make_manifest(${CMAKE_BINARY_DIR}/generated/tlkedit.manifest "Tlk.Autoplay.Editor" "Disc menu editor"
"  <dependency>
    <dependentAssembly>
      <assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"
                        processorArchitecture=\"*\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>
    </dependentAssembly>
  </dependency>")

set(EDITOR_RC ${CMAKE_SOURCE_DIR}/resources/editor.rc)
set(EDITOR_RC_DEPENDS "${ASSET_STAMP};${CMAKE_SOURCE_DIR}/resources/editor_ids.h;${CMAKE_SOURCE_DIR}/resources/wizard.rci;${CMAKE_SOURCE_DIR}/resources/layouts.rci;${CMAKE_SOURCE_DIR}/resources/menu_layouts_editor.rci;${CMAKE_SOURCE_DIR}/resources/menu_ids.h;${CMAKE_BINARY_DIR}/generated/tlkedit.manifest")
# Source properties belong to a folder: tests/ sets the same for the test
# programs that link these resources, so that they too rebuild on a changed
# manifest.
set_source_files_properties(${EDITOR_RC} PROPERTIES OBJECT_DEPENDS "${EDITOR_RC_DEPENDS}")
set(EDITOR_RC_INCLUDES ${CMAKE_SOURCE_DIR}/resources ${ASSET_DIR}/res ${CMAKE_BINARY_DIR}/generated)

add_executable(tlkedit WIN32 ${CMAKE_SOURCE_DIR}/editor/EditorApp.cpp ${WINMAIN_SOURCE} ${EDITOR_RC})
target_include_directories(tlkedit PRIVATE ${EDITOR_RC_INCLUDES})
# The application object sets up the common controls.
target_link_libraries(tlkedit PRIVATE tlk_editor comctl32)
set_target_properties(tlkedit PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${DIST_DIR})
add_dependencies(tlkedit assets)

# ---- Help pages, installed beside the editor ------------------------------------
file(GLOB EDITOR_HELP_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/*)
set(EDITOR_HELP_STAMP ${CMAKE_BINARY_DIR}/generated/help.stamp)
add_custom_command(
    OUTPUT ${EDITOR_HELP_STAMP}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DIST_DIR}/help
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/help ${DIST_DIR}/help
    COMMAND ${CMAKE_COMMAND} -E touch ${EDITOR_HELP_STAMP}
    DEPENDS ${EDITOR_HELP_FILES}
    COMMENT "Installing the help pages")
add_custom_target(editor_help ALL DEPENDS ${EDITOR_HELP_STAMP})
