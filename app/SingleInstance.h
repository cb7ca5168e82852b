#pragma once
// One Vorlinde per user session. The running program owns a named mutex of the session (the
// instance lock); a second start finds the running one's main window, asks it to show its
// settings window, and ends before it touches anything. The desktop guard takes the same lock
// while it gives the desktop back, so that a new start never overlaps that either.
#include <windows.h>

#include <functional>

#include "app/KernelHandle.h"

namespace vl {
class TWinControl;
}

namespace vorlinde {

inline constexpr char kInstanceLockName[] = "Local\\Vorlinde.Instance";

// The session's instance lock. Ownership belongs to the thread that waited for it.
class TInstanceLock {
public:
    // Opens the lock (creating it when no process has it yet), not yet owned.
    TInstanceLock();
    ~TInstanceLock() { Release(); }
    TInstanceLock(const TInstanceLock&) = delete;
    TInstanceLock& operator=(const TInstanceLock&) = delete;

    // The lock could be opened.
    bool Valid() const { return static_cast<bool>(mutex_); }
    // True when this object owns the lock, now or after waiting up to `ms` for it. A lock left
    // by a process that ended without releasing it counts as free.
    bool Wait(DWORD ms);
    bool Owned() const { return owned_; }
    // Gives the lock up (when owned) and closes it.
    void Release();

private:
    TKernelHandle mutex_;
    bool owned_ = false;
};

// Makes this start the session's Vorlinde: true once `lock` is owned. While another process
// holds it, the running program's main window is asked to show its settings window; false as
// soon as it answers, or when `ms` pass without the lock coming free or an answer (a program
// that is still starting gets that long to open its window). A lock that cannot be opened at
// all does not keep the program from running: true.
bool ClaimSession(TInstanceLock& lock, DWORD ms);

// The message a second start sends to the running program's main window, and the answer that
// tells it the window will show the settings.
UINT ShowSettingsMessage();
inline constexpr LRESULT kShowSettingsAnswer = 0x564C4E44;

// Sends the request to every main window ("TForm1") of the session; true when one answered.
bool AskRunningProgramToShowSettings();

// The running program's side of the request, hooked into its main window for the hook's
// lifetime: the request is answered at once and `show` runs afterwards from the window's own
// message queue, not inside the other process's call.
class TShowSettingsAnswer {
public:
    TShowSettingsAnswer(vl::TWinControl& mainWindow, std::function<void()> show);
    ~TShowSettingsAnswer();
    TShowSettingsAnswer(const TShowSettingsAnswer&) = delete;
    TShowSettingsAnswer& operator=(const TShowSettingsAnswer&) = delete;

private:
    vl::TWinControl& window_;
    std::function<void()> show_;
    int hook_ = 0;
};

}  // namespace vorlinde
