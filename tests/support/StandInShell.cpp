// A stand-in for the Windows shell's desktop windows, one layout per run (see
// StandInShellLayout.h), so that the video layer's search for its place behind the icons runs
// here for real: the same window classes, the same hierarchy, message 0x052C answered as each
// version answers it, the taskbar, and "TaskbarCreated" broadcast when it starts (as the
// shell does after a restart).
//
// Wine places a window that is shown above every other window on the X screen and never lowers
// one on screen, while Windows keeps the shell's windows at the bottom. So after showing windows
// of its own, the stand-in raises every other window again, bottom first, which puts the
// shell back under them in the order the system keeps.
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "StandInIconView.h"
#include "StandInShellLayout.h"

namespace vorlinde::standin {

namespace {

constexpr UINT_PTR kRestackTimer = 1;
constexpr UINT_PTR kRestackAgainTimer = 2;
constexpr UINT kRestackAgainMs = 100;
// The restacking waits this long after new windows are shown, so that their showing has reached
// the X server (Wine sends it while the thread waits for messages) before the others are raised.
constexpr UINT kRestackDelayMs = 30;

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

RECT ScreenRect() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

class TStandInShell {
public:
    explicit TStandInShell(std::string layout) : layout_(std::move(layout)) {}
    ~TStandInShell();
    TStandInShell(const TStandInShell&) = delete;
    TStandInShell& operator=(const TStandInShell&) = delete;

    bool Create();
    int Run(HANDLE parent);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND MakeWindow(const char* className, const char* title, DWORD style, DWORD exStyle, const RECT& rect,
                    HWND parent);
    void RaiseBackgroundWorker();
    void DropBackgroundWorker();
    void KeepAtTheBottom();
    void Raise(HWND window);
    void Paint(HWND window);

    std::string layout_;
    HWND progman_ = nullptr;
    HWND taskbar_ = nullptr;
    HWND spareWorker_ = nullptr;  // a hidden WorkerW, as the shell keeps some around
    HWND iconWorker_ = nullptr;   // workerw layout after 0x052C: the WorkerW holding the icons
    HWND background_ = nullptr;   // the WorkerW that draws the wallpaper behind the icons
    std::unique_ptr<TStandInIconView> icons_;
};

TStandInShell* g_shell = nullptr;

TStandInShell::~TStandInShell() {
    icons_.reset();
    for (HWND window : {taskbar_, iconWorker_, background_, spareWorker_, progman_}) {
        if (window && IsWindow(window)) DestroyWindow(window);
    }
}

HWND TStandInShell::MakeWindow(const char* className, const char* title, DWORD style, DWORD exStyle,
                               const RECT& rect, HWND parent) {
    WNDCLASSA wc{};
    if (!GetClassInfoA(Instance(), className, &wc)) {
        wc = {};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = Instance();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = className;
        RegisterClassA(&wc);
    }
    return CreateWindowExA(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, parent, nullptr, Instance(), nullptr);
}

bool TStandInShell::Create() {
    const RECT screen = ScreenRect();
    constexpr DWORD kDesktopStyle = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    spareWorker_ = MakeWindow("WorkerW", "", kDesktopStyle, WS_EX_TOOLWINDOW, screen, nullptr);
    progman_ = MakeWindow("Progman", "Program Manager", kDesktopStyle, WS_EX_TOOLWINDOW, screen, nullptr);
    if (!progman_) return false;

    if (layout_ == kLayoutProgman) {
        // The wallpaper WorkerW first, so that the icon view made after it lies above it.
        const RECT client{0, 0, screen.right - screen.left, screen.bottom - screen.top};
        background_ = MakeWindow("WorkerW", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, client, progman_);
        icons_ = std::make_unique<TStandInIconView>(progman_);
        if (HWND view = icons_->DefView()) {
            SetWindowPos(view, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            // The view shows only its icons: the wallpaper shows around them.
            SetWindowRgn(view, icons_->CellsIn(view).Release(), FALSE);
        }
    } else if (layout_ != kLayoutNoIcons) {
        icons_ = std::make_unique<TStandInIconView>(progman_);
    }

    RECT bar = screen;
    bar.top = bar.bottom - kTaskbarHeight;
    taskbar_ = MakeWindow("Shell_TrayWnd", "", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, bar, nullptr);

    SetWindowPos(progman_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(progman_, SW_SHOWNA);
    ShowWindow(taskbar_, SW_SHOWNA);
    UpdateWindow(progman_);
    SetTimer(progman_, kRestackTimer, kRestackDelayMs, nullptr);
    // As the shell does once its taskbar exists, so that programs put their icons back.
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    return true;
}

// 0x052C as each layout answers it.
void TStandInShell::RaiseBackgroundWorker() {
    const bool workers = layout_ == kLayoutWorkerW || layout_ == kLayoutNoIcons;
    if (!workers || background_) return;
    const RECT screen = ScreenRect();
    constexpr DWORD kStyle = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    background_ = MakeWindow("WorkerW", "", kStyle, WS_EX_TOOLWINDOW, screen, nullptr);
    HWND above = progman_;
    if (icons_) {
        iconWorker_ = MakeWindow("WorkerW", "", kStyle, WS_EX_TOOLWINDOW, screen, nullptr);
        icons_->MoveInto(iconWorker_);
        // Composed over what lies behind it: only the icons are its own.
        SetWindowRgn(iconWorker_, icons_->CellsIn(iconWorker_).Release(), FALSE);
        above = iconWorker_;
    }
    // Top to bottom: the icons' WorkerW, the spare one, the background WorkerW, Progman.
    if (iconWorker_) SetWindowPos(iconWorker_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (above != progman_) {
        SetWindowPos(spareWorker_, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetWindowPos(background_, spareWorker_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        SetWindowPos(background_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    SetWindowPos(progman_, background_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(background_, SW_SHOWNA);
    UpdateWindow(background_);
    if (iconWorker_) {
        ShowWindow(iconWorker_, SW_SHOWNA);
        UpdateWindow(iconWorker_);
    }
    SetTimer(progman_, kRestackTimer, kRestackDelayMs, nullptr);
}

// After a display change: the windows 0x052C made go, and the icons go back into Progman, until
// the next 0x052C makes them again.
void TStandInShell::DropBackgroundWorker() {
    const bool workers = layout_ == kLayoutWorkerW || layout_ == kLayoutNoIcons;
    if (!workers || !background_) return;
    if (icons_ && iconWorker_) icons_->MoveInto(progman_);
    for (HWND* window : {&iconWorker_, &background_}) {
        if (*window && IsWindow(*window)) DestroyWindow(*window);
        *window = nullptr;
    }
    InvalidateRect(progman_, nullptr, TRUE);
}

// Raises every visible top-level window that is not the shell's desktop, bottom first, the
// taskbar last. Wine raises a window on the X screen only when it becomes the first visible
// window of the window order, so each one goes to the top of the top-most band (first) and then
// back to its own band. The other processes raise theirs when they next handle messages, so
// the whole pass runs once more a moment later, in case one of them came late.
void TStandInShell::KeepAtTheBottom() {
    std::vector<HWND> windows;  // top to bottom
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (!IsWindowVisible(window) || window == taskbar_) continue;
        if (window == progman_ || window == iconWorker_ || window == background_) continue;
        windows.push_back(window);
    }
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) Raise(*it);
    Raise(taskbar_);
}

void TStandInShell::Raise(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    // Another process's window moves when that process next handles messages.
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER |
                       (process == GetCurrentProcessId() ? 0 : SWP_ASYNCWINDOWPOS);
    if (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) {
        SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, flags);
    } else {
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, flags);
        SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    }
}

void TStandInShell::Paint(HWND window) {
    vl::TPaintDC paint(window);
    if (!paint) return;
    vl::FillSolidRect(paint.Get(), paint.PaintRect(), window == taskbar_ ? kTaskbarColour : kWallpaper);
}

LRESULT TStandInShell::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint(window);
        return 0;
    case kRaiseBackgroundWorker:
        if (window == progman_) RaiseBackgroundWorker();
        return 0;
    case WM_DISPLAYCHANGE:
        if (window == progman_) DropBackgroundWorker();
        return 0;
    case WM_TIMER:
        if (window == progman_ && wParam == kRestackTimer) {
            KillTimer(progman_, kRestackTimer);
            KeepAtTheBottom();
            SetTimer(progman_, kRestackAgainTimer, kRestackAgainMs, nullptr);
        } else if (window == progman_ && wParam == kRestackAgainTimer) {
            KillTimer(progman_, kRestackAgainTimer);
            KeepAtTheBottom();
            // Tells the tests that the shell is up and its windows are in order.
            SetWindowTextA(taskbar_, kTaskbarReady);
        }
        return 0;
    case WM_CLOSE:
        // The desktop does not close.
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK TStandInShell::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (g_shell) return g_shell->Handle(window, message, wParam, lParam);
    } catch (...) {
        // Nothing here throws; a test program must still not let anything cross the boundary.
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int TStandInShell::Run(HANDLE parent) {
    for (;;) {
        const DWORD wait = MsgWaitForMultipleObjects(parent ? 1 : 0, &parent, FALSE, INFINITE, QS_ALLINPUT);
        if (parent && wait == WAIT_OBJECT_0) return 0;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

}  // namespace

}  // namespace vorlinde::standin

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace vorlinde::standin;
    if (__argc < 3) return 2;
    const std::string layout = __argv[1];
    if (layout != kLayoutWorkerW && layout != kLayoutProgman && layout != kLayoutNoWorkerW &&
        layout != kLayoutNoIcons) {
        return 2;
    }
    // Ends with the test that started it, even when that one crashes.
    HANDLE parent = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(std::strtoul(__argv[2], nullptr, 10)));
    if (!parent) return 3;
    int result = 1;
    {
        TStandInShell shell(layout);
        g_shell = &shell;
        if (shell.Create()) result = shell.Run(parent);
        g_shell = nullptr;
    }
    CloseHandle(parent);
    return result;
}
