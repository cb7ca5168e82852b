; Closes a running Vorlinde before its files are replaced or removed.
;
; The program is closed as its user closes it: WM_CLOSE to its main window (class "TForm1",
; title "Vorlinde"), whose close query leaves desktop playback, so the wallpaper and the
; desktop colour are given back, and ends the program. Killing the process instead would leave
; the desktop in the video's colour key. Then the installer waits for the process to end, so
; that its executable can be overwritten or deleted.

!include LogicLib.nsh
!include WinMessages.nsh

!define VORLINDE_WINDOW_CLASS "TForm1"
!define VORLINDE_WINDOW_TITLE "Vorlinde"
!define VORLINDE_CLOSE_WAIT_MS 15000
!define PROCESS_SYNCHRONIZE 0x00100000

; Defines the function StopRunningVorlinde, or un.StopRunningVorlinde for the uninstaller
; (NSIS keeps the two programs' functions apart by that prefix).
!macro DEFINE_STOP_RUNNING_VORLINDE PREFIX
Function ${PREFIX}StopRunningVorlinde
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $4 0  ; windows closed so far: each running copy has its own
  ${Do}
    FindWindow $0 "${VORLINDE_WINDOW_CLASS}" "${VORLINDE_WINDOW_TITLE}"
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    ${If} $4 >= 8
      ; A window that keeps coming back is not ours to fight with.
      StrCpy $3 "timeout"
    ${Else}
      DetailPrint "Closing the running Vorlinde"
      System::Call 'user32::GetWindowThreadProcessId(p r0, *i 0 r1) i'
      System::Call 'kernel32::OpenProcess(i ${PROCESS_SYNCHRONIZE}, i 0, i r1) p .r2'
      System::Call 'user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0) i'
      ${If} $2 P<> 0
        System::Call 'kernel32::WaitForSingleObject(p r2, i ${VORLINDE_CLOSE_WAIT_MS}) i .r3'
        System::Call 'kernel32::CloseHandle(p r2) i'
        ${If} $3 = 0
          StrCpy $3 "ended"
        ${Else}
          StrCpy $3 "timeout"
        ${EndIf}
      ${Else}
        ; No handle on the process (another user's?): wait for the window to go.
        StrCpy $3 "timeout"
        StrCpy $1 0
        ${DoWhile} $1 < ${VORLINDE_CLOSE_WAIT_MS}
          System::Call 'user32::IsWindow(p r0) i .r2'
          ${If} $2 = 0
            StrCpy $3 "ended"
            ${Break}
          ${EndIf}
          Sleep 100
          IntOp $1 $1 + 100
        ${Loop}
      ${EndIf}
      IntOp $4 $4 + 1
    ${EndIf}
    ${If} $3 == "timeout"
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Vorlinde is still running and could not be closed.$\r$\n$\r$\nClose it with $\"Exit$\" in the menu of its notification-area icon, then choose Retry." \
        /SD IDCANCEL IDRETRY retry
      Abort "Vorlinde is still running."
      retry:
      StrCpy $4 0
    ${EndIf}
  ${Loop}
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
