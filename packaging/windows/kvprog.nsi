; The Windows installer: per-machine into Program Files\kvprog, a Start-menu entry, ".chp"
; files opened by kvprog, and an uninstaller listed under installed programs that removes what
; was installed (the users' AppData stays). /S installs and uninstalls silently.
; scripts/windows passes VERSION, STAGE (the laid-out files), FILES and UNFILES (the lists of
; them it wrote) and OUTFILE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\kvprog"

Name "kvprog ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\kvprog"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "kvprog"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "kvprog ${VERSION} setup"
VIAddVersionKey /LANG=0 "LegalCopyright" "kvprog maintainers"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\bin\kvprog.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; The Start-menu entry names the program as its window's caption and its manual do, in the
; language the window starts in: Chinese where Windows' display language is Chinese.
!define MENU_ENTRY_ZH "Tervan_V3.0编程软件"
!define MENU_ENTRY_EN "Tervan_V3.0 Programming Software"
Var MenuEntry

Function .onInit
  SetShellVarContext all
  SetRegView 64
  StrCpy $MenuEntry "${MENU_ENTRY_EN}"
  System::Call 'kernel32::GetUserDefaultUILanguage() i .r0'
  IntOp $0 $0 & 0x3FF
  IntCmp $0 4 0 +2 +2  ; LANG_CHINESE
    StrCpy $MenuEntry "${MENU_ENTRY_ZH}"
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Section "kvprog"
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\$MenuEntry.lnk" "$INSTDIR\bin\kvprog.exe"

  WriteRegStr HKLM "Software\Classes\.chp" "" "kvprog.chp"
  WriteRegStr HKLM "Software\Classes\kvprog.chp" "" "kvprog channel file"
  WriteRegStr HKLM "Software\Classes\kvprog.chp\DefaultIcon" "" "$INSTDIR\bin\kvprog.exe,0"
  WriteRegStr HKLM "Software\Classes\kvprog.chp\shell\open\command" "" '"$INSTDIR\bin\kvprog.exe" "%1"'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "kvprog"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "kvprog"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\bin\kvprog.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; Explorer learns of the new file type.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  !include "${UNFILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${MENU_ENTRY_ZH}.lnk"
  Delete "$SMPROGRAMS\${MENU_ENTRY_EN}.lnk"
  DeleteRegKey HKLM "Software\Classes\kvprog.chp"
  ; ".chp" is left alone when another program has taken it since.
  ReadRegStr $0 HKLM "Software\Classes\.chp" ""
  StrCmp $0 "kvprog.chp" 0 +2
    DeleteRegKey HKLM "Software\Classes\.chp"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
