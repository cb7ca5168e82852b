; The Windows installer of Vorlinde, built by installer/CMakeLists.txt (target "installer"),
; which passes the version and the files to pack:
;   VERSION         product version, as in the program's version resource ("1.1")
;   FILE_VERSION    the same in four parts ("1.1.0.0")
;   PROGRAM_EXE     vorlinde.exe
;   THEME_FILE      msn.sui, the theme the main window loads from the program's folder
;   HELP_FILE       HELP.chm (optional: left out of a build without the help compiler)
;   ICON_FILE       the program's icon
;   WIZARD_BITMAP   the picture of the welcome and finish pages (optional)
;   OUTPUT_FILE     the installer to write
;
; Installs for the current user unless told otherwise (InstallMode.nsh). Silent: /S, with
; /ALLUSERS for a machine-wide installation and /D=folder (last) for another folder. The
; uninstaller asks whether to remove the user's settings too; its /S keeps them, and
; /REMOVESETTINGS removes them.

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include "${__FILEDIR__}/InstallMode.nsh"
!include "${__FILEDIR__}/RunningProgram.nsh"

!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "SOFTWARE\Vorlinde"
!define SHORTCUT "$SMPROGRAMS\Vorlinde.lnk"

Name "Vorlinde"
Caption "Vorlinde ${VERSION} Setup"
UninstallCaption "Uninstall Vorlinde"
OutFile "${OUTPUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\Vorlinde"
BrandingText "Vorlinde ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "Vorlinde"
VIAddVersionKey /LANG=1033 "CompanyName" "Vorlinde"
VIAddVersionKey /LANG=1033 "FileDescription" "Vorlinde Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${FILE_VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Vorlinde"

;--- Look

!define MUI_ICON "${ICON_FILE}"
!define MUI_UNICON "${ICON_FILE}"
!ifdef WIZARD_BITMAP
  !define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
  !define MUI_UNWELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!endif
!define MUI_ABORTWARNING
!define MUI_ABORTWARNING_TEXT "Stop installing Vorlinde?"

;--- Installer pages

!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenModeGiven
!define MUI_WELCOMEPAGE_TITLE "Welcome to Vorlinde ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "This installs Vorlinde, the video-wallpaper player, on your computer.$\r$\n$\r$\nVorlinde plays your movies one after another as the desktop background, behind the desktop icons, and waits in the notification area.$\r$\n$\r$\nIf Vorlinde is running, Setup closes it first and gives the desktop back.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
Page custom InstallModePage InstallModePageLeave
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup installs Vorlinde in the folder below. To install it in another folder, choose Browse."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "Vorlinde is installed"
!define MUI_FINISHPAGE_TEXT "Start Vorlinde from the Start menu. On its first start it opens its settings window: add your movies there, and they play on the desktop. Vorlinde's icon in the notification area opens its menu."
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "&Start Vorlinde now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartVorlinde
!insertmacro MUI_PAGE_FINISH

;--- Uninstaller pages

!define MUI_UNCONFIRMPAGE_TEXT_TOP "Vorlinde is removed from the folder below. If it is running, it is closed first and the desktop is given back."
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.ConfirmPageShow
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE un.ConfirmPageLeave
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

!insertmacro DEFINE_STOP_RUNNING_VORLINDE ""
!insertmacro DEFINE_STOP_RUNNING_VORLINDE "un."

;--- Installer

Function .onInit
  Call InitInstallMode
FunctionEnd

Function SkipWhenModeGiven
  ; Started again with administrator rights: the user has seen the welcome already.
  ${If} $ModeGiven = 1
    Abort
  ${EndIf}
FunctionEnd

Section "Vorlinde" SecProgram
  SectionIn RO
  Call StopRunningVorlinde

  SetOutPath "$INSTDIR"
  ClearErrors
  File "/oname=vorlinde.exe" "${PROGRAM_EXE}"
  File "/oname=msn.sui" "${THEME_FILE}"
  !ifdef HELP_FILE
    File "/oname=HELP.chm" "${HELP_FILE}"
  !endif
  ; A file that could not be written is skipped when silent (as if Ignore was chosen): fail
  ; instead of leaving an older program behind. (Another user's Vorlinde, which this one
  ; cannot close, holds the files of a machine-wide installation.)
  ${If} ${Errors}
  ${AndIf} ${Silent}
    Abort "Could not replace the files of Vorlinde."
  ${EndIf}
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut starts the program in its own folder: the theme named in the settings
  ; ("msn.sui") is looked up in the current folder.
  CreateShortcut "${SHORTCUT}" "$INSTDIR\vorlinde.exe" "" "$INSTDIR\vorlinde.exe" 0 \
    SW_SHOWNORMAL "" "Plays your movies as the desktop background"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Vorlinde"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vorlinde.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Vorlinde"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function StartVorlinde
  ; In its own folder, as the shortcut starts it.
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\vorlinde.exe"'
FunctionEnd

;--- Uninstaller

Var RemoveSettings

Function un.onInit
  Call un.InitInstallMode
  StrCpy $RemoveSettings 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    StrCpy $RemoveSettings 1
  ${EndIf}
FunctionEnd

; The confirmation page asks whether the user's settings go too: a check box below the folder,
; off by default (a silent uninstallation, which shows no page, keeps them).
Var RemoveSettingsBox

Function un.ConfirmPageShow
  FindWindow $0 "#32770" "" $HWNDPARENT  ; the page inside the wizard
  ; Its place in dialog units, below the folder, in pixels of this page's font.
  System::Call '*(i 0, i 70, i 300, i 92) p .r1'
  System::Call 'user32::MapDialogRect(p r0, p r1) i'
  System::Call '*$1(i .r2, i .r3, i .r4, i .r5)'
  System::Free $1
  IntOp $4 $4 - $2
  IntOp $5 $5 - $3
  System::Call 'user32::CreateWindowExW(i 0, w "BUTTON", \
    w "Also remove my &settings: the playlist, the play order and the options. Keep them if you mean to install Vorlinde again.", \
    i ${WS_CHILD}|${WS_VISIBLE}|${WS_TABSTOP}|${BS_AUTOCHECKBOX}|${BS_MULTILINE}|${BS_TOP}, \
    i r2, i r3, i r4, i r5, p r0, p 0, p 0, p 0) p .r1'
  StrCpy $RemoveSettingsBox $1
  SendMessage $0 ${WM_GETFONT} 0 0 $2
  SendMessage $RemoveSettingsBox ${WM_SETFONT} $2 1
  ${If} $RemoveSettings = 1
    SendMessage $RemoveSettingsBox ${BM_SETCHECK} ${BST_CHECKED} 0
  ${EndIf}
FunctionEnd

Function un.ConfirmPageLeave
  SendMessage $RemoveSettingsBox ${BM_GETCHECK} 0 0 $0
  ${If} $0 = ${BST_CHECKED}
    StrCpy $RemoveSettings 1
  ${Else}
    StrCpy $RemoveSettings 0
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.StopRunningVorlinde

  Delete "$INSTDIR\vorlinde.exe"
  Delete "$INSTDIR\msn.sui"
  Delete "$INSTDIR\HELP.chm"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: the folder may hold files of the user's.
  RMDir "$INSTDIR"

  Delete "${SHORTCUT}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ; Start with Windows, as the program's settings window sets it for this user.
  DeleteRegValue HKCU "${RUN_KEY}" "Vorlinde"
  ${If} $RemoveSettings = 1
    DeleteRegKey HKCU "${SETTINGS_KEY}"
  ${EndIf}
SectionEnd
