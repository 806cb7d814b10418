; The Windows installer (NSIS, 64-bit): installs quellor.exe with its README
; and licence into Program Files\Quellor, a Start-menu shortcut, and an
; uninstaller listed under Add/Remove Programs. /S installs and uninstalls
; silently. tools/make-packages.sh runs makensis with these defines:
;   VERSION   the program's version (1.2.3)
;   FILES     the folder holding quellor.exe, README.txt and LICENSE.txt
;   ICON      the program's .ico
;   OUTFILE   the installer to write
; The 64-bit target: the default 32-bit one would not run where Windows
; (or Wine) has no 32-bit side.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all

!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quellor"

Name "Quellor"
Caption "Quellor ${VERSION} Setup"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$PROGRAMFILES64\Quellor"
InstallDirRegKey HKLM "${KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Quellor"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Quellor ${VERSION} Setup"
VIAddVersionKey "CompanyName" "The Quellor developers"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 The Quellor developers. MIT licence."

LicenseData "${FILES}\LICENSE.txt"
Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Quellor"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${FILES}\quellor.exe"
  File "${FILES}\README.txt"
  File "${FILES}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Quellor.lnk" "$INSTDIR\quellor.exe"
  WriteRegStr HKLM "${KEY}" "DisplayName" "Quellor"
  WriteRegStr HKLM "${KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${KEY}" "Publisher" "The Quellor developers"
  WriteRegStr HKLM "${KEY}" "DisplayIcon" "$INSTDIR\quellor.exe,0"
  WriteRegStr HKLM "${KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${KEY}" "EstimatedSize" 1024
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Quellor.lnk"
  Delete "$INSTDIR\quellor.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${KEY}"
SectionEnd
