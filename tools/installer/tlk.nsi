; The setup program: a per-user installation (no administrator rights),
; because the editor keeps the menu being edited in its own folder, which
; must therefore be writable.
;
; makensis gets everything that varies from the command line (tools/package.py):
;   VERSION, VERSION_QUAD, PRODUCT, COMPANY, COPYRIGHT, ICON, FILES, OUTFILE,
;   and AMD64 for the setup program of the 64-bit build, SIGN for a signed
;   release (the command that signs a program in place, tools/sign.sh)
; FILES is a generated include with the two macros TLK_INSTALL_FILES and
; TLK_UNINSTALL_FILES, so that the uninstaller removes exactly what was
; installed. Nothing here reads the build machine's clock.

!ifdef AMD64
; The 64-bit programs get a 64-bit setup program, which also runs where
; 64-bit Wine is the only Wine.
Target amd64-unicode
!else
Unicode true
!endif
SetCompressor /SOLID lzma
!ifdef SIGN
; The uninstaller is signed before it goes into the setup program, and the
; setup program when it is complete; a failed signature stops the build.
!uninstfinalize '"${SIGN}" "%1"' = 0
!finalize '"${SIGN}" "%1"' = 0
!endif
; No file dates of the build machine in the package: two builds give the
; same bytes.
SetDateSave off
RequestExecutionLevel user
ManifestSupportedOS all
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define EDITOR "tlkedit.exe"
!define SHORTCUT "${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; A new version goes where the last one is, unless the user says otherwise.
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "OriginalFilename" "${OUTFILE_NAME}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "This will install ${PRODUCT} ${VERSION} for you alone; no administrator rights are needed.$\r$\n$\r$\nThe editor, tlkedit, keeps the menu you are working on in its own folder, so it is installed into a folder you can write to.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup will install ${PRODUCT} in the following folder. The editor works in this folder, so it must be one you can write to. To install in a different folder, click Browse and select another folder."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EDITOR}"
!define MUI_FINISHPAGE_RUN_TEXT "Start tlkedit"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

!include "${FILES}"

; Sets $0 to 1 when a file can be created in $INSTDIR (creating the folder
; if need be), else to 0. A folder made only for the check and found
; unusable is not left behind.
Function CheckWritable
    ClearErrors
    CreateDirectory "$INSTDIR"
    FileOpen $1 "$INSTDIR\tlk-write-check.tmp" w
    ${If} ${Errors}
        StrCpy $0 0
    ${Else}
        FileClose $1
        Delete "$INSTDIR\tlk-write-check.tmp"
        StrCpy $0 1
    ${EndIf}
FunctionEnd

!define NOT_WRITABLE "The folder $\"$INSTDIR$\" cannot be written to.$\r$\n$\r$\nThe editor keeps the menu you are working on in its own folder, so ${PRODUCT} must be installed into a folder you can write to. Please choose another folder."

Function DirectoryLeave
    Call CheckWritable
    ${If} $0 == 0
        MessageBox MB_OK|MB_ICONEXCLAMATION "${NOT_WRITABLE}"
        Abort
    ${EndIf}
FunctionEnd

Section "Program files" SecProgram
    SectionIn RO
    ; A silent installation skips the folder page: check here as well.
    Call CheckWritable
    ${If} $0 == 0
        MessageBox MB_OK|MB_ICONEXCLAMATION "${NOT_WRITABLE}" /SD IDOK
        Abort
    ${EndIf}
    SetOverwrite on
    !insertmacro TLK_INSTALL_FILES
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; Shortcuts start the editor in its own folder.
    SetShellVarContext current
    CreateShortCut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\${EDITOR}" "" "$INSTDIR\${EDITOR}" 0

    WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${COMPANY}"
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${EDITOR}"
    WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" "$\"$INSTDIR\uninstall.exe$\""
    WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" "$\"$INSTDIR\uninstall.exe$\" /S"
    SectionGetSize ${SecProgram} $0
    WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
SectionEnd

Section /o "Desktop shortcut" SecDesktop
    SetOutPath "$INSTDIR"
    SetShellVarContext current
    CreateShortCut "$DESKTOP\${SHORTCUT}" "$INSTDIR\${EDITOR}" "" "$INSTDIR\${EDITOR}" 0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "tlkedit, the disc menu player, the stock backgrounds and sounds, the help pages, and a Start menu shortcut."
    !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "A shortcut to tlkedit on the desktop."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; "/DESKTOP" on the command line selects the desktop shortcut, for silent
; installations.
;
; A folder given with "/D=" that the setup program's own check finds
; unusable (one below a file, say) would silently turn into the default
; folder; the folder the user asked for is taken instead, so that the
; install refuses it rather than putting the program somewhere else.
Function .onInit
    System::Call 'kernel32::GetCommandLine() t .r0'
    StrLen $1 $0
    ${DoWhile} $1 > 0
        IntOp $1 $1 - 1
        StrCpy $2 $0 4 $1
        ${If} $2 S== " /D="
            IntOp $1 $1 + 4
            StrCpy $INSTDIR $0 "" $1
            ${Break}
        ${EndIf}
    ${Loop}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/DESKTOP" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecDesktop}
    ${EndIf}
FunctionEnd

; Removes the installed files, the editor's work files (the menu being
; edited: auto.tdf, autorun.bmp and the sounds in the folder itself), the
; shortcuts and the registry key. Anything else the user put into the folder
; stays, and so does the folder then.
Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\${SHORTCUT}"
    Delete "$DESKTOP\${SHORTCUT}"
    !insertmacro TLK_UNINSTALL_FILES
    Delete "$INSTDIR\auto.tdf"
    Delete "$INSTDIR\autorun.bmp"
    Delete "$INSTDIR\*.wav"
    Delete "$INSTDIR\uninstall.exe"
    SetOutPath "$TEMP"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINST_KEY}"
SectionEnd
