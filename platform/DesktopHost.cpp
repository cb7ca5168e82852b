#include "platform/DesktopHost.h"

#include <versionhelpers.h>

namespace vorlinde::platform {

namespace {

constexpr UINT kRaiseBackgroundWorker = 0x052C;
constexpr UINT kShellAnswerMs = 1000;

constexpr char kProgman[] = "Progman";
constexpr char kWorker[] = "WorkerW";
constexpr char kIconView[] = "SHELLDLL_DefView";

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

// The top-level window holding the icon view, other than Progman.
struct TIconSearch {
    HWND progman;
    HWND holder = nullptr;
    HWND icons = nullptr;
};

BOOL CALLBACK FindIconHolder(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<TIconSearch*>(context);
    if (window == search.progman) return TRUE;
    if (HWND icons = FindWindowExA(window, nullptr, kIconView, nullptr)) {
        search.holder = window;
        search.icons = icons;
        return FALSE;
    }
    return TRUE;
}

// The first shown WorkerW of the shell's process after `holder` in the window order: the
// background window. (The shell keeps other, hidden WorkerW windows around.)
HWND BackgroundWorkerAfter(HWND holder, DWORD shellProcess) {
    for (HWND worker = FindWindowExA(nullptr, holder, kWorker, nullptr); worker;
         worker = FindWindowExA(nullptr, worker, kWorker, nullptr)) {
        if (IsWindowVisible(worker) && ProcessOf(worker) == shellProcess) return worker;
    }
    return nullptr;
}

}  // namespace

TDesktopHost FindDesktopHost() {
    TDesktopHost host;
    // Before Windows 8 there is no background window behind the icons to use.
    if (!IsWindows8OrGreater()) return host;
    HWND progman = FindWindowA(kProgman, nullptr);
    if (!progman) return host;
    host.shell = progman;
    // A hung shell is not waited for: the search runs again and again while the layer is the
    // top-most surface, and each wait would stop the program's GUI thread.
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(progman, kRaiseBackgroundWorker, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kShellAnswerMs,
                        &answer);

    // Windows 11 24H2 on: both layers are Progman's children; the layer goes between them.
    if (HWND icons = FindWindowExA(progman, nullptr, kIconView, nullptr)) {
        host.icons = icons;
        if (FindWindowExA(progman, nullptr, kWorker, nullptr)) {
            host.kind = TDesktopHostKind::UnderIcons;
            host.parent = progman;
        }
        // Otherwise 0x052C made no background window and the icons stay in Progman, which
        // draws the wallpaper itself: see the fallback below.
        return host;
    }

    // Windows 8 to 11 23H2: the icons in a top-level WorkerW, the background WorkerW after it.
    TIconSearch search{progman};
    EnumWindows(FindIconHolder, reinterpret_cast<LPARAM>(&search));
    host.icons = search.icons;
    if (search.holder) {
        if (HWND background = BackgroundWorkerAfter(search.holder, ProcessOf(progman))) {
            host.kind = TDesktopHostKind::BackgroundWorker;
            host.parent = background;
        }
    }
    // The fallback, when no background window came (or no icon view tells which WorkerW is
    // the one behind the icons): a child of Progman or of some WorkerW would be drawn over by
    // the icon view, or could itself cover the icons. The top-most surface instead is
    // see-through (the key colour) wherever a window covers the desktop, the taskbar included,
    // and wherever the desktop shows its icons, and it lets every click through: it never
    // covers a window, the taskbar or an icon; it shows the video only on the bare desktop.
    return host;
}

bool DesktopHostStands(const TDesktopHost& host) {
    if (host.shell && !IsWindow(host.shell)) return false;
    switch (host.kind) {
    case TDesktopHostKind::TopMost:
        return true;
    case TDesktopHostKind::BackgroundWorker:
        // The icons may go back into Progman (the background window then lies behind it).
        return IsWindow(host.parent) && IsWindowVisible(host.parent) && IsWindow(host.icons) &&
               GetAncestor(host.icons, GA_ROOT) != host.shell;
    case TDesktopHostKind::UnderIcons:
        return IsWindow(host.parent) && IsWindowVisible(host.parent) && IsWindow(host.icons) &&
               GetParent(host.icons) == host.parent;
    }
    return false;
}

}  // namespace vorlinde::platform
