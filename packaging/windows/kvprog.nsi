; The Windows installer, in the user's display language (Chinese, else English). A page of its
; own chooses for whom: all users (administrator rights; Program Files\kvprog, registrations
; under HKLM) or just the current user (no administrator rights; %LOCALAPPDATA%\Programs\kvprog,
; registrations under HKCU). Either way: a Start-menu entry, ".chp" files opened by kvprog, and
; an uninstaller listed under installed programs that removes what its own install made (the
; users' AppData stays). /S installs silently, for all users when it can; /S /CURRENTUSER for
; the current user. The uninstaller's /S uninstalls silently.
; scripts/windows passes VERSION, STAGE (the laid-out files), FILES and UNFILES (the lists of
; them it wrote), ICON and OUTFILE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR kvprog
!define MULTIUSER_USE_PROGRAMFILES64
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\kvprog"

Name "kvprog ${VERSION}"
OutFile "${OUTFILE}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "kvprog"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "kvprog ${VERSION} setup"
VIAddVersionKey /LANG=0 "LegalCopyright" "kvprog maintainers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION RunAsUser
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; English first: it is the language of every display language but Chinese.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString CHP_DESCRIPTION ${LANG_ENGLISH} "kvprog channel file"
LangString CHP_DESCRIPTION ${LANG_SIMPCHINESE} "kvprog 信道文件"
; The Start-menu entry names the program as its window's caption and its manual do, in the
; installer's language, which is the one the window starts in.
!define MENU_ENTRY_ZH "Tervan_V3.0编程软件"
!define MENU_ENTRY_EN "Tervan_V3.0 Programming Software"
LangString MENU_ENTRY ${LANG_ENGLISH} "${MENU_ENTRY_EN}"
LangString MENU_ENTRY ${LANG_SIMPCHINESE} "${MENU_ENTRY_ZH}"

; Chinese for a Chinese display language of any region, as the programs choose theirs.
!macro CHOOSE_LANGUAGE
  System::Call 'kernel32::GetUserDefaultUILanguage() i .r0'
  IntOp $0 $0 & 0x3FF
  ${If} $0 = 4
    StrCpy $LANGUAGE ${LANG_SIMPCHINESE}
  ${Else}
    StrCpy $LANGUAGE ${LANG_ENGLISH}
  ${EndIf}
!macroend

Function .onInit
  !insertmacro CHOOSE_LANGUAGE
  SetRegView 64
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro CHOOSE_LANGUAGE
  SetRegView 64
  !insertmacro MULTIUSER_UNINIT
  ; The uninstaller undoes its own install: one for the current user is listed under HKCU with
  ; this folder.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    Call un.MultiUser.InstallMode.CurrentUser
  ${Else}
    Call un.MultiUser.InstallMode.AllUsers
  ${EndIf}
FunctionEnd

; Started by Explorer, kvprog runs as the logged-in user, not with this installer's
; administrator rights: files dragged from Explorer drop into it, and its settings, backups and
; recovery copies land in the user's own profile.
Function RunAsUser
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\bin\kvprog.exe"'
FunctionEnd

Section "kvprog"
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\$(MENU_ENTRY).lnk" "$INSTDIR\bin\kvprog.exe"

  ; SHCTX is HKLM for all users, HKCU for the current user.
  WriteRegStr SHCTX "Software\Classes\.chp" "" "kvprog.chp"
  WriteRegStr SHCTX "Software\Classes\kvprog.chp" "" "$(CHP_DESCRIPTION)"
  WriteRegStr SHCTX "Software\Classes\kvprog.chp\DefaultIcon" "" "$INSTDIR\bin\kvprog.exe,0"
  WriteRegStr SHCTX "Software\Classes\kvprog.chp\shell\open\command" "" '"$INSTDIR\bin\kvprog.exe" "%1"'

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "kvprog"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "kvprog"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\bin\kvprog.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ; Explorer learns of the new file type.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  !include "${UNFILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${MENU_ENTRY_ZH}.lnk"
  Delete "$SMPROGRAMS\${MENU_ENTRY_EN}.lnk"
  DeleteRegKey SHCTX "Software\Classes\kvprog.chp"
  ; ".chp" is left alone when another program has taken it since.
  ReadRegStr $0 SHCTX "Software\Classes\.chp" ""
  StrCmp $0 "kvprog.chp" 0 +2
    DeleteRegKey SHCTX "Software\Classes\.chp"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
