; Per-user or machine-wide installation.
;
; By default Vorlinde is installed for the current user only: into the user's own programs
; folder, with its Start-menu shortcut and its entry in the installed-programs list under the
; user's registry, so no administrator rights are asked for (the program itself only writes the
; current user's registry). A machine-wide installation (Program Files, the common Start menu,
; the machine's installed-programs list) needs administrator rights; an installer started
; without them starts itself again through the elevation prompt.
;
; Command line: /CURRENTUSER or /ALLUSERS choose without the page. The uninstaller finds its
; mode from the machine-wide entry: it is a machine-wide installation when that entry names the
; uninstaller's folder.

!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlinde"
!define ERROR_ELEVATION_REQUIRED 740

Var AllUsers      ; 1 for a machine-wide installation
Var ModeGiven     ; 1 when the command line chose the mode
Var SuggestedDir  ; the folder last suggested; a folder the user typed is never replaced
Var ModeJustMe
Var ModeEveryone

; The functions both programs need, as Name (installer) or un.Name (uninstaller).
!macro DEFINE_INSTALL_MODE_FUNCTIONS PREFIX
; Pushes 1 when the installer runs with administrator rights, else 0.
Function ${PREFIX}HasAdminRights
  Push $0
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
  Exch $0
FunctionEnd

; Starts a program again through the elevation prompt. In: program, arguments (pushed in this
; order). Out: 1 when it started, 0 when the user declined or it failed.
Function ${PREFIX}StartElevated
  Exch $1  ; arguments
  Exch
  Exch $0  ; program
  Push $2
  System::Call 'shell32::ShellExecuteW(p $HWNDPARENT, w "runas", w r0, w r1, p 0, i 1) p .r2'
  ${If} $2 P> 32
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Makes $SMPROGRAMS, $LOCALAPPDATA and the SHCTX registry root follow $AllUsers.
Function ${PREFIX}ApplyInstallMode
  ${If} $AllUsers = 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd
!macroend

!insertmacro DEFINE_INSTALL_MODE_FUNCTIONS ""
!insertmacro DEFINE_INSTALL_MODE_FUNCTIONS "un."

; Reads /ALLUSERS and /CURRENTUSER into $AllUsers and $ModeGiven.
!macro READ_INSTALL_MODE_OPTIONS
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
    StrCpy $ModeGiven 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/CURRENTUSER" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 0
    StrCpy $ModeGiven 1
  ${EndIf}
!macroend

; Applies $AllUsers and, unless the user chose a folder, suggests the folder of an earlier
; installation in this mode, else the mode's usual one.
Function SelectInstallMode
  Call ApplyInstallMode
  ${If} $INSTDIR != $SuggestedDir
    Return
  ${EndIf}
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${ElseIf} $AllUsers = 1
    StrCpy $INSTDIR "$PROGRAMFILES64\Vorlinde"
  ${Else}
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Vorlinde"
  ${EndIf}
  StrCpy $SuggestedDir $INSTDIR
FunctionEnd

; Called from .onInit, with $INSTDIR holding the InstallDir default or the /D= folder.
Function InitInstallMode
  StrCpy $AllUsers 0
  StrCpy $ModeGiven 0
  ; InstallDir names the per-user folder; a different $INSTDIR came from /D=.
  StrCpy $SuggestedDir "$LOCALAPPDATA\Programs\Vorlinde"
  !insertmacro READ_INSTALL_MODE_OPTIONS
  ${If} $ModeGiven = 0
    ; An update keeps a machine-wide installation machine-wide, unless this user also has one.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
    ${AndIf} $1 == ""
      StrCpy $AllUsers 1
    ${EndIf}
  ${ElseIf} $AllUsers = 1
    Call HasAdminRights
    Pop $0
    ${If} $0 = 0
      ${If} ${Silent}
        SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
        Quit
      ${EndIf}
      Push $EXEPATH
      Push $R0
      Call StartElevated
      Pop $0
      ${If} $0 = 1
        Quit
      ${EndIf}
      ; Declined: let the user choose on the page.
      StrCpy $AllUsers 0
      StrCpy $ModeGiven 0
    ${EndIf}
  ${EndIf}
  Call SelectInstallMode
FunctionEnd

; The page "Choose Users"; skipped when the command line chose.
Function InstallModePage
  ${If} $ModeGiven = 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Choose Users" "Choose for whom Vorlinde is installed."
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}
  ReadEnvStr $1 USERNAME
  ${NSD_CreateLabel} 0 0 100% 20u "Vorlinde keeps its playlist and settings for each Windows user. Install it for yourself only, or for everyone who uses this computer."
  Pop $0
  ${NSD_CreateRadioButton} 8u 30u -8u 12u "Only for &me ($1)"
  Pop $ModeJustMe
  ${NSD_CreateLabel} 20u 43u -20u 18u "Installed in your own programs folder. No administrator rights are needed."
  Pop $0
  ${NSD_CreateRadioButton} 8u 68u -8u 12u "For &everyone who uses this computer"
  Pop $ModeEveryone
  ${NSD_CreateLabel} 20u 81u -20u 26u "Installed in Program Files. This needs administrator rights: if you do not have them already, Windows asks for them."
  Pop $0
  ${If} $AllUsers = 1
    ${NSD_Check} $ModeEveryone
    ${NSD_SetFocus} $ModeEveryone
  ${Else}
    ${NSD_Check} $ModeJustMe
    ${NSD_SetFocus} $ModeJustMe
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function InstallModePageLeave
  ${NSD_GetState} $ModeEveryone $0
  ${If} $0 = ${BST_CHECKED}
    Call HasAdminRights
    Pop $0
    ${If} $0 = 0
      Push $EXEPATH
      Push "/ALLUSERS"
      Call StartElevated
      Pop $0
      ${If} $0 = 1
        Quit
      ${EndIf}
      MessageBox MB_OK|MB_ICONINFORMATION "Vorlinde can be installed for everyone only with administrator rights. You can install it for yourself instead."
      Abort
    ${EndIf}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call SelectInstallMode
FunctionEnd

; Called from un.onInit: the mode of this installation, with administrator rights for a
; machine-wide one.
Function un.InitInstallMode
  StrCpy $AllUsers 0
  StrCpy $ModeGiven 0
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $0 == $INSTDIR
    StrCpy $AllUsers 1
  ${EndIf}
  !insertmacro READ_INSTALL_MODE_OPTIONS
  ${If} $AllUsers = 1
    Call un.HasAdminRights
    Pop $0
    ${If} $0 = 0
      ${If} ${Silent}
        SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
        Quit
      ${EndIf}
      ; The uninstaller runs from a copy in the temporary folder: start the installed one.
      Push "$INSTDIR\uninstall.exe"
      Push $R0
      Call un.StartElevated
      Pop $0
      ${If} $0 = 0
        MessageBox MB_OK|MB_ICONEXCLAMATION "Vorlinde was installed for everyone who uses this computer: removing it needs administrator rights."
      ${EndIf}
      Quit
    ${EndIf}
  ${EndIf}
  Call un.ApplyInstallMode
FunctionEnd
