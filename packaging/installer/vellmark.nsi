; The Windows installer of one architecture's programs, built by
; scripts/make-installer with makensis:
;
;   makensis -DARCH=x64|x86 -DVERSION=1.1.0.0 -DFILES=files.nsh -DOUTFILE=setup.exe
;            [-DSIGN_COMMAND=...] vellmark.nsi
;
; FILES is written by scripts/installer_files.py from the folder the zip
; holds: the macros VellmarkInstallFiles and VellmarkRemoveFiles and the
; define VELLMARK_SIZE_KB. SIGN_COMMAND, when given, signs a file in place
; (%1), run on the installer and on the uninstaller inside it.
;
; Per machine, into Program Files\Vellmark (the 64-bit one for x64), with
; Start-menu shortcuts and an entry in Apps & features. The uninstaller
; first revokes what ended runs left of the driver's write permission with
; vellmark-cli.exe, removes only the files the installer put there, and
; keeps the data folder %ProgramData%\Vellmark with the cameras' backups.

Unicode true
!if ${ARCH} == x64
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
!else
  Target x86-unicode
  !define PROGRAM_FILES "$PROGRAMFILES"
!endif
!include "${FILES}"

!include MUI2.nsh
!include LogicLib.nsh
!include WordFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vellmark"
!define UNINSTALLER "Uninstall.exe"

Name "Vellmark"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\Vellmark"
; An installed copy is replaced where it stands: its uninstaller's path,
; less the file's name.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "UninstallString"
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma
BrandingText "Vellmark ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!ifdef SIGN_COMMAND
  !finalize `${SIGN_COMMAND}` = 0
  !uninstfinalize `${SIGN_COMMAND}` = 0
!endif

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "Vellmark"
VIAddVersionKey /LANG=1033 "CompanyName" "Kestrane"
VIAddVersionKey /LANG=1033 "FileDescription" "Vellmark Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2009-2026 Kestrane"

!define MUI_ICON "${__FILEDIR__}\..\..\resources\vellmark.ico"
!define MUI_UNICON "${__FILEDIR__}\..\..\resources\vellmark.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$(VellmarkRemoved)"
!insertmacro MUI_UNPAGE_FINISH

; The first is the one taken when the user's UI language is none of them.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "SimpChinese"
!include "${__FILEDIR__}\strings.nsh"

!macro RegistryView
  !if ${ARCH} == x64
    SetRegView 64
  !endif
!macroend

; An installed version newer than this one, compared part by part as
; numbers (1.1.0.10 is newer than 1.1.0.9), is replaced only when the user
; says so; a silent install refuses with exit code 3.
Function .onInit
  !insertmacro RegistryView
  SetShellVarContext all
  ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
  ${If} $R0 != ""
    ${VersionCompare} "$R0" "${VERSION}" $R1
    ${If} $R1 == 1
      MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 "$(VellmarkNewerInstalled)" /SD IDNO IDYES replace
      SetErrorLevel 3
      Quit
      replace:
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Vellmark"
  SetOutPath "$INSTDIR"
  !insertmacro VellmarkInstallFiles
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\Vellmark.lnk" "$INSTDIR\vellmark.exe"
  CreateShortcut "$SMPROGRAMS\Vellmark User Guide.lnk" "$INSTDIR\Vellmark User Guide.html"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Vellmark"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Kestrane"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vellmark.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${VELLMARK_SIZE_KB}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Whether $R1 holds $R2 anywhere: $R3 is 1 or 0.
Function un.Holds
  StrLen $R4 $R2
  StrCpy $R5 0
  StrCpy $R3 0
  ${Do}
    StrCpy $R6 $R1 $R4 $R5
    ${If} $R6 == $R2
      StrCpy $R3 1
      ${Break}
    ${EndIf}
    ${IfThen} $R6 == "" ${|} ${Break} ${|}
    IntOp $R5 $R5 + 1
  ${Loop}
FunctionEnd

; Before anything else, what ended runs left of the driver's write
; permission is revoked while the console program is still there. A
; permission that stays (a run still going, or one that could not be
; removed) keeps the uninstall from starting: once the programs are gone
; nothing would revoke it. Silent, it ends with exit code 4. A console
; program that cannot start ("error") has nothing left to revoke with.
Function un.onInit
  !insertmacro RegistryView
  SetShellVarContext all
  ${Do}
    ${IfNot} ${FileExists} "$INSTDIR\vellmark-cli.exe"
      ${Break}
    ${EndIf}
    nsExec::ExecToStack '"$INSTDIR\vellmark-cli.exe" revoke --json'
    Pop $R0
    Pop $R1
    ${IfThen} $R0 == "error" ${|} ${Break} ${|}
    StrCpy $R2 '"result": "left"'
    Call un.Holds
    ${If} $R0 == 0
    ${AndIf} $R3 == 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(VellmarkCloseFirst)" /SD IDCANCEL IDRETRY again
    SetErrorLevel 4
    Quit
    again:
  ${Loop}
FunctionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\Vellmark.lnk"
  Delete "$SMPROGRAMS\Vellmark User Guide.lnk"
  !insertmacro VellmarkRemoveFiles
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
SectionEnd
