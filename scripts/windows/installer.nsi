; The Windows installer, made by scripts/build_windows.sh with Debian's makensis.
; It installs for every user when run with administrator rights and for the
; current user otherwise, without asking; /S installs silently, /AllUsers or
; /CurrentUser choose the mode. Defines: VERSION, STAGE (the files), ICON, OUTFILE.
; A 64-bit installer for a 64-bit program: Windows on 32 bits refuses it at once.
Target amd64-unicode
SetCompressor /SOLID lzma

!define NAME "Quantum Orvantis"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuantumOrvantis"
!define SETTINGS_KEY "Software\Quantum Orvantis"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${NAME}"
; The uninstaller finds the mode and folder of the install here.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${SETTINGS_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${SETTINGS_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallFolder"
!include MultiUser.nsh
!include MUI2.nsh

Name "${NAME}"
OutFile "${OUTFILE}"
BrandingText "${NAME} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\orvantis.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0"
VIAddVersionKey ProductName "${NAME}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey FileDescription "${NAME} ${VERSION} setup"
VIAddVersionKey LegalCopyright "Free to show, copy and share in teaching"

Function .onInit
  SetRegView 64
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  SetRegView 64
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File "${STAGE}\orvantis.exe"
  File "${STAGE}\zel.bmp"
  File "${STAGE}\LiberationSans-Regular.ttf"
  File "${STAGE}\LiberationSerif-Regular.ttf"
  SetOutPath "$INSTDIR\licences"
  File "${STAGE}\licences\*.txt"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The Start menu: the program, and its graphics check for a PC whose scenes stay black.
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\orvantis.exe" "" "$INSTDIR\orvantis.exe" 0
  CreateDirectory "$SMPROGRAMS\${NAME} tools"
  CreateShortcut "$SMPROGRAMS\${NAME} tools\Check graphics.lnk" "$INSTDIR\orvantis.exe" \
    "--check-graphics" "$INSTDIR\orvantis.exe" 0

  WriteRegStr SHCTX "${SETTINGS_KEY}" "InstallMode" "$MultiUser.InstallMode"
  WriteRegStr SHCTX "${SETTINGS_KEY}" "InstallFolder" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\orvantis.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${NAME}.lnk"
  Delete "$SMPROGRAMS\${NAME} tools\Check graphics.lnk"
  RMDir "$SMPROGRAMS\${NAME} tools"
  Delete "$INSTDIR\orvantis.exe"
  Delete "$INSTDIR\zel.bmp"
  Delete "$INSTDIR\LiberationSans-Regular.ttf"
  Delete "$INSTDIR\LiberationSerif-Regular.ttf"
  Delete "$INSTDIR\licences\*.txt"
  RMDir "$INSTDIR\licences"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  DeleteRegKey SHCTX "${SETTINGS_KEY}"
SectionEnd
