#include "tray/TrayIconHandler.h"

#include <shlwapi.h>

#include <map>

#include "framework/Control.h"
#include "tray/TrayIcon.h"

namespace vorlinde {

namespace {

const char kTrayHandlerClass[] = "TTrayIconHandler";

// The shared window and the icons that use it. Identifiers only grow: a notification that was
// queued for an icon destroyed since finds nothing.
struct HandlerState {
    HWND window = nullptr;
    std::map<UINT, TTrayIcon*> icons;
    UINT lastId = 0;

    HandlerState() = default;
    HandlerState(const HandlerState&) = delete;
    HandlerState& operator=(const HandlerState&) = delete;
    // At program end, a window that outlived its icons goes with the process's statics.
    ~HandlerState() {
        if (window && IsWindow(window)) DestroyWindow(window);
    }
};

HandlerState& State() {
    static HandlerState state;
    return state;
}

HWND CreateHandlerWindow(WNDPROC proc) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExA(instance, kTrayHandlerClass, &wc)) {
        wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = proc;
        wc.hInstance = instance;
        wc.lpszClassName = kTrayHandlerClass;
        if (!RegisterClassExA(&wc)) return nullptr;
    }
    // A hidden top-level window, never shown: the shell posts the icons' notifications to it.
    return CreateWindowExA(WS_EX_TOOLWINDOW, kTrayHandlerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                           nullptr);
}

}  // namespace

HWND TTrayIconHandler::Window() { return State().window; }

int TTrayIconHandler::UserCount() { return static_cast<int>(State().icons.size()); }

TTrayIcon* TTrayIconHandler::Find(UINT id) {
    const HandlerState& s = State();
    auto it = s.icons.find(id);
    return it == s.icons.end() ? nullptr : it->second;
}

UINT TTrayIconHandler::Register(TTrayIcon* icon) {
    HandlerState& s = State();
    if (!s.window) s.window = CreateHandlerWindow(WindowProc);
    const UINT id = ++s.lastId;
    s.icons[id] = icon;
    return id;
}

void TTrayIconHandler::Unregister(UINT id) {
    HandlerState& s = State();
    s.icons.erase(id);
    if (!s.icons.empty()) return;
    if (s.window) DestroyWindow(s.window);
    s.window = nullptr;
}

LRESULT CALLBACK TTrayIconHandler::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case TrayCallbackMessage: {
        // First parameter: the icon's identifier; second: the mouse message or balloon code.
        const UINT id = static_cast<UINT>(wParam);
        if (TTrayIcon* icon = Find(id)) {
            try {
                icon->HandleNotification(static_cast<UINT>(lParam));
            } catch (...) {
                vl::HandleCallbackException(Find(id));
            }
        }
        return 0;
    }
    // The window lives as long as the tray icons do: nobody else closes it, and it does not
    // take part in ending the session.
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_ENDSESSION:
    case WM_NCDESTROY:
        return 1;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

UINT TaskbarCreatedMessage() {
    static const UINT message = [] {
        DWORD major = 0, minor = 0;
        HMODULE comctl = LoadLibraryA("comctl32.dll");
        if (comctl) {
            auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
                reinterpret_cast<void (*)()>(GetProcAddress(comctl, "DllGetVersion")));
            DLLVERSIONINFO info{};
            info.cbSize = sizeof(info);
            if (getVersion && SUCCEEDED(getVersion(&info))) {
                major = info.dwMajorVersion;
                minor = info.dwMinorVersion;
            }
            FreeLibrary(comctl);
        }
        const bool sent = major > 4 || (major == 4 && minor >= 71);
        return sent ? RegisterWindowMessageA("TaskbarCreated") : 0u;
    }();
    return message;
}

}  // namespace vorlinde
