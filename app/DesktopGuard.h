#pragma once
// The desktop guard: a second vorlinde.exe process, started by the program at its start, that
// gives the user's desktop back when the program dies while it plays on the desktop (killed,
// crashed). It waits, without using the processor, on the program's process handle and on a
// stand-down event; when either is signalled it takes the session's instance lock and, if the
// saved-desktop record is still there (media/SavedDesktop.h), puts the wallpaper and the
// desktop colour back from it and removes it. Then it ends. It has no window, no tray icon and
// no taskbar button.
#include <windows.h>

#include <optional>
#include <string>

#include "app/KernelHandle.h"

namespace vorlinde {

// What the guard is given on its command line: "--desktop-guard <program> <stand-down> <id>",
// the first two inherited handles (the program's process, the stand-down event) and the
// program's process id, all in decimal.
struct TGuardRequest {
    HANDLE program = nullptr;
    HANDLE standDown = nullptr;
    DWORD programId = 0;
};

inline constexpr char kGuardSwitch[] = "--desktop-guard";

std::string GuardArguments(const TGuardRequest& request);
// The request of a guard's command line (without the executable's name); nullopt for any other
// command line, so that the program runs as usual.
std::optional<TGuardRequest> ParseGuardArguments(const char* arguments);

// Exit codes of the guard process.
inline constexpr int kGuardDone = 0;
inline constexpr int kGuardBadRequest = 2;

// The guard process's whole run: waits, restores if needed, and returns its exit code. It owns
// (and closes) the request's handles. A request whose program handle does not belong to the
// program id is refused at once (kGuardBadRequest).
int RunDesktopGuard(const TGuardRequest& request);

// The program's side: the guard process it started and the event that stands it down.
class TDesktopGuard {
public:
    TDesktopGuard() = default;
    ~TDesktopGuard() { StandDown(); }
    TDesktopGuard(TDesktopGuard&&) noexcept = default;
    TDesktopGuard& operator=(TDesktopGuard&&) noexcept;
    TDesktopGuard(const TDesktopGuard&) = delete;
    TDesktopGuard& operator=(const TDesktopGuard&) = delete;

    // Starts the guard as `exePath` (this executable when empty). A guard that cannot be
    // started leaves the program unguarded, not stopped: its next start still gives the desktop
    // back from the record.
    static TDesktopGuard Start(const std::string& exePath = {});

    bool Running() const;
    DWORD ProcessId() const { return process_ ? GetProcessId(process_.Get()) : 0; }
    // At the program's normal end, after the instance lock was given up: tells the guard to
    // look at the record now and waits up to `ms` for it to end.
    void StandDown(DWORD ms = kStandDownWaitMs);

    static constexpr DWORD kStandDownWaitMs = 2000;

private:
    TKernelHandle process_;
    TKernelHandle standDown_;
};

}  // namespace vorlinde
