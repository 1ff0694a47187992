; The Brawnmoor installer for Windows: installs for the current user only, without administrator
; rights, into the user's own programs folder, with a Start-menu entry and an uninstaller.
;
;   makensis -DVERSION=1.0.0 -DSTAGE=<release folder> -DICON=<brawnmoor.ico> -DOUTFILE=<setup.exe> installer.nsi
;
; The release folder holds what the zip holds: brawnmoor.exe, the data folder, README.txt and,
; when it was built, the video driver advisor vantorel.exe.
; A 64-bit installer for the 64-bit game (it runs on 64-bit Windows only).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"

!define PRODUCT "Brawnmoor"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brawnmoor"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Brawnmoor"
InstallDirRegKey HKCU "Software\Brawnmoor" "InstallDir"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "FileDescription" "Brawnmoor setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "Brawnmoor"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright Brawnmoor team"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\brawnmoor.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Brawnmoor"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Brawnmoor" SecGame
  SectionIn RO
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${STAGE}\brawnmoor.exe"
  File "${STAGE}\README.txt"
!if /FileExists "${STAGE}\vantorel.exe"
  File "${STAGE}\vantorel.exe"
!endif
  SetOutPath "$INSTDIR\data"
  File /r "${STAGE}\data\*.*"
  SetOutPath "$INSTDIR"

  CreateDirectory "$SMPROGRAMS\Brawnmoor"
  CreateShortCut "$SMPROGRAMS\Brawnmoor\Brawnmoor.lnk" "$INSTDIR\brawnmoor.exe" "" "$INSTDIR\brawnmoor.exe" 0
!if /FileExists "${STAGE}\vantorel.exe"
  CreateShortCut "$SMPROGRAMS\Brawnmoor\Vantorel video driver advisor.lnk" "$INSTDIR\vantorel.exe" "" "$INSTDIR\vantorel.exe" 0
!endif
  CreateShortCut "$SMPROGRAMS\Brawnmoor\Uninstall Brawnmoor.lnk" "$INSTDIR\uninstall.exe"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "Software\Brawnmoor" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Brawnmoor"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brawnmoor.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The uninstaller removes what the installer put there; the player's preferences and saved
; games in %APPDATA%\Brawnmoor stay.
Section "Uninstall"
  SetShellVarContext current
  Delete "$INSTDIR\brawnmoor.exe"
  Delete "$INSTDIR\vantorel.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\screenshot*.tga"
  RMDir /r "$INSTDIR\data"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Brawnmoor\Brawnmoor.lnk"
  Delete "$SMPROGRAMS\Brawnmoor\Vantorel video driver advisor.lnk"
  Delete "$SMPROGRAMS\Brawnmoor\Uninstall Brawnmoor.lnk"
  RMDir "$SMPROGRAMS\Brawnmoor"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\Brawnmoor"
SectionEnd
