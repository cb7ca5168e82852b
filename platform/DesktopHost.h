#pragma once
// Where the desktop layer goes on the running shell: behind the desktop icons where the shell
// has a background window for it, otherwise a top-most colour-keyed surface.
//
// The shell's desktop windows differ by version:
// - Windows 8 to 11 23H2: message 0x052C to Progman moves the icons (SHELLDLL_DefView) into a
//   top-level WorkerW and puts a second, empty WorkerW right behind it, in front of Progman;
//   the layer is a child of that background WorkerW.
// - Windows 11 24H2 and later: Progman itself holds SHELLDLL_DefView and, below it, the WorkerW
//   that draws the wallpaper; the layer is a child of Progman between the two.
// - No Progman (Wine, Windows 7 and older, no shell running): the top-most surface.
// - Progman without the background WorkerW after 0x052C, or without icons anywhere: the
//   top-most surface too (see FindDesktopHost).
#include <windows.h>

namespace vorlinde::platform {

enum class TDesktopHostKind {
    TopMost,           // a top-most, click-through surface, see-through where anything covers the desktop
    BackgroundWorker,  // a child of the WorkerW behind the icons' WorkerW
    UnderIcons,        // a child of Progman, right below SHELLDLL_DefView
};

struct TDesktopHost {
    TDesktopHostKind kind = TDesktopHostKind::TopMost;
    HWND parent = nullptr;  // the layer's parent (the child kinds)
    HWND icons = nullptr;   // the shell's SHELLDLL_DefView, when it has one
    HWND shell = nullptr;   // Progman, when the shell has one
    bool operator==(const TDesktopHost&) const = default;
};

// Asks the shell for its background window (0x052C to Progman, waiting at most a second) and
// finds where the layer goes.
TDesktopHost FindDesktopHost();

// True while the windows of a child host are still there, shown and holding each other as they
// did when found (no message to the shell). A top-most host stands while its Progman, if any,
// does; whether a shell has appeared since is for FindDesktopHost to tell.
bool DesktopHostStands(const TDesktopHost& host);

}  // namespace vorlinde::platform
