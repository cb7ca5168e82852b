#pragma once
// The stand-in shell (tests/support/StandInShell.cpp) as the screen tests use it: started with
// a layout, killed and started again, and looked at from outside, as the program sees the shell.
#include <windows.h>

#include <string>
#include <vector>

#include "support/StandInShellLayout.h"

namespace vorlinde::platform::test {

class TShellStandIn {
public:
    // Starts the shell and waits until its windows are there (Started() tells).
    explicit TShellStandIn(const char* layout);
    // Kills it.
    ~TShellStandIn();
    TShellStandIn(const TShellStandIn&) = delete;
    TShellStandIn& operator=(const TShellStandIn&) = delete;

    bool Started() const { return progman_ != nullptr; }
    // Ends the shell as a crash would, and waits until its windows are gone.
    void Kill();
    // A new shell process of the same layout; true once its Progman is there.
    bool Start();

    const std::string& Layout() const { return layout_; }
    DWORD Process() const { return process_.dwProcessId; }
    HWND Progman() const { return progman_; }
    // The icon view (SHELLDLL_DefView), wherever it is now; null in the no-icons layout.
    HWND IconView() const;
    // The top-level window holding the icon view.
    HWND IconHolder() const;
    // The shown WorkerW that draws the wallpaper: a child of Progman, or a top-level WorkerW of
    // the shell that does not hold the icons; null when there is none.
    HWND Wallpaper() const;
    // The window text of the icon view: the last icon clicked and its clicks ("Movies 1").
    std::string IconViewText() const;
    // The shell's own windows, one line each (class, parent's class, shown or not, rectangle),
    // in window order: what a program sees of the shell.
    std::vector<std::string> Windows() const;
    // Windows of other processes inside the shell's windows.
    std::vector<HWND> ForeignChildren() const;

private:
    std::string layout_;
    PROCESS_INFORMATION process_{};
    HWND progman_ = nullptr;
};

// The windows of a process, top-level ones and all their descendants.
int WindowsOfProcess(DWORD process);

// The centre of an icon's square, in screen coordinates.
POINT IconCentre(const standin::TStandInIcon& icon);

}  // namespace vorlinde::platform::test
