; The Pointilla installer for one Windows user: no administrator rights, nothing
; written outside the user's own folders and HKEY_CURRENT_USER.
;   - the files in %LOCALAPPDATA%\Programs\Pointilla (another folder with /D=...);
;   - the Trellis control registered for this user (its DllInstall "user"
;     entry point, through regsvr32 /n /i:user), so that Pointilla creates
;     Dovetail.Trellis without registering it first;
;   - a Start-menu entry and the .sce file type, opened by Pointilla;
;   - the entry of "Programs and Features", whose uninstaller removes all of
;     it and nothing else (the user's settings and scenarios stay).
; /S installs and uninstalls silently.
;
; Built by the target windows_package (cmake/WindowsPackage.cmake), which
; stages the files and passes their list:
;   makensis -INPUTCHARSET UTF8 -DPACKAGE_DEFINITIONS=<dist>/package.nsh pointilla.nsi
; package.nsh defines VERSION, OUT_FILE, ICON_SOURCE, CONTROL, HELP_PAGE and
; HELP_PAGE_ENGLISH (paths relative to the installation folder), SIZE_KB, PROGRAM
; when the build has Pointilla.exe, and the macros InstallFiles and RemoveFiles.
;
; The installer and the uninstaller speak French to a person whose Windows is in
; French (any French), English to everyone else, as Pointilla itself does: the
; first language below is the one taken when Windows' is not among them.

!include "${PACKAGE_DEFINITIONS}"

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pointilla"
!define CLASSES "Software\Classes"
!define FILE_TYPE "Pointilla.Scenario"
!define UNINSTALLER "desinstaller.exe"
; SHChangeNotify's "file associations changed", so Explorer shows the new type at once.
!define SHCNE_ASSOCCHANGED 0x08000000

Name "Pointilla"
OutFile "${OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\Pointilla"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "Pointilla ${VERSION}"

VIProductVersion "${VERSION}.0"
!include "MUI2.nsh"
!include "LogicLib.nsh"

!define MUI_ICON "${ICON_SOURCE}"
!define MUI_UNICON "${ICON_SOURCE}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!ifdef PROGRAM
  !define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!endif
!define MUI_FINISHPAGE_LINK "$(HelpLink)"
!define MUI_FINISHPAGE_LINK_LOCATION "$INSTDIR\$(HelpPage)"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "French"

LangString HelpLink ${LANG_ENGLISH} "Pointilla Help"
LangString HelpLink ${LANG_FRENCH} "Aide de Pointilla"
LangString HelpPage ${LANG_ENGLISH} "${HELP_PAGE_ENGLISH}"
LangString HelpPage ${LANG_FRENCH} "${HELP_PAGE}"
LangString ScenarioType ${LANG_ENGLISH} "Pointilla scenario"
LangString ScenarioType ${LANG_FRENCH} "Scénario Pointilla"
LangString ControlNotRegistered ${LANG_ENGLISH} \
  "The Trellis control could not be registered (regsvr32: $0). Pointilla will register it at its first start."
LangString ControlNotRegistered ${LANG_FRENCH} \
  "Le contrôle Trellis n'a pas pu être enregistré (regsvr32 : $0). Pointilla l'enregistrera à son premier démarrage."

!macro VersionKeys LANGUAGE DESCRIPTION
  VIAddVersionKey /LANG=${LANGUAGE} "ProductName" "Pointilla"
  VIAddVersionKey /LANG=${LANGUAGE} "ProductVersion" "${VERSION}"
  VIAddVersionKey /LANG=${LANGUAGE} "FileVersion" "${VERSION}"
  VIAddVersionKey /LANG=${LANGUAGE} "FileDescription" "${DESCRIPTION}"
  VIAddVersionKey /LANG=${LANGUAGE} "LegalCopyright" "Pointilla"
!macroend
!insertmacro VersionKeys ${LANG_ENGLISH} "Pointilla Setup"
!insertmacro VersionKeys ${LANG_FRENCH} "Installation de Pointilla"

Section "Pointilla"
  SetShellVarContext current
  !insertmacro InstallFiles
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Pointilla"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Pointilla"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pointilla.ico"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}

  ; Registered for this user only: a standard user cannot write HKEY_CLASSES_ROOT.
  ; Should it fail, Pointilla registers the control itself at its first start.
  ClearErrors
  StrCpy $0 "-"
  ExecWait '"$SYSDIR\regsvr32.exe" /s /n /i:user "$INSTDIR\${CONTROL}"' $0
  ${If} ${Errors}
  ${OrIf} $0 != 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(ControlNotRegistered)" /SD IDOK
  ${EndIf}

  !ifdef PROGRAM
    CreateShortcut "$SMPROGRAMS\Pointilla.lnk" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\pointilla.ico" 0
    WriteRegStr HKCU "${CLASSES}\.sce" "" "${FILE_TYPE}"
    WriteRegStr HKCU "${CLASSES}\.sce\OpenWithProgids" "${FILE_TYPE}" ""
    WriteRegStr HKCU "${CLASSES}\${FILE_TYPE}" "" "$(ScenarioType)"
    WriteRegStr HKCU "${CLASSES}\${FILE_TYPE}\DefaultIcon" "" "$INSTDIR\pointilla.ico"
    WriteRegStr HKCU "${CLASSES}\${FILE_TYPE}\shell\open\command" "" '"$INSTDIR\${PROGRAM}" "%1"'
    System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
  !endif
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  ; The control's own unregistration removes exactly the keys its registration
  ; wrote; the folders of classes it leaves empty go too.
  ExecWait '"$SYSDIR\regsvr32.exe" /s /u /n /i:user "$INSTDIR\${CONTROL}"'
  DeleteRegKey /ifempty HKCU "${CLASSES}\CLSID"
  DeleteRegKey /ifempty HKCU "${CLASSES}\Interface"
  DeleteRegKey /ifempty HKCU "${CLASSES}\TypeLib"

  Delete "$SMPROGRAMS\Pointilla.lnk"
  ; .sce stays with whatever program took it since.
  ReadRegStr $0 HKCU "${CLASSES}\.sce" ""
  ${If} $0 == "${FILE_TYPE}"
    DeleteRegValue HKCU "${CLASSES}\.sce" ""
  ${EndIf}
  DeleteRegValue HKCU "${CLASSES}\.sce\OpenWithProgids" "${FILE_TYPE}"
  DeleteRegKey /ifempty HKCU "${CLASSES}\.sce\OpenWithProgids"
  DeleteRegKey /ifempty HKCU "${CLASSES}\.sce"
  DeleteRegKey HKCU "${CLASSES}\${FILE_TYPE}"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

  !insertmacro RemoveFiles
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
