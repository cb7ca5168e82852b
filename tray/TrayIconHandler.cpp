#include "tray/TrayIconHandler.h"

#include <shlwapi.h>

#include "framework/SharedWindow.h"
#include "tray/TrayIcon.h"

namespace vorlinde {

int TTrayIconHandler::holds_ = 0;

std::vector<TTrayIconHandler::TDeferred>& TTrayIconHandler::Deferred() {
    static std::vector<TDeferred> deferred;
    return deferred;
}

namespace {

bool IsMouseNotification(LPARAM code) { return code >= WM_MOUSEFIRST && code <= WM_MOUSELAST; }

}  // namespace

TTrayNotificationHold::TTrayNotificationHold() { ++TTrayIconHandler::holds_; }

TTrayNotificationHold::~TTrayNotificationHold() {
    if (--TTrayIconHandler::holds_ > 0) return;
    auto& deferred = TTrayIconHandler::Deferred();
    HWND window = TTrayIconHandler::Window();
    // Posted, not handled here: the handler that held them has not returned yet.
    for (const auto& notification : deferred)
        if (window) PostMessageA(window, TrayCallbackMessage, notification.id, notification.code);
    deferred.clear();
}

bool TTrayNotificationHold::Active() { return TTrayIconHandler::holds_ > 0; }

// A hidden top-level tool window, never shown: the shell posts the icons' notifications to it.
vl::TSharedWindow<UINT, TTrayIcon>& TTrayIconHandler::Shared() {
    static vl::TSharedWindow<UINT, TTrayIcon> icons("TTrayIconHandler", [] {
        vl::THiddenWindowParams params;
        params.kind = vl::THiddenWindowParams::TKind::TopLevel;
        params.exStyle = WS_EX_TOOLWINDOW;
        return params;
    }(), HandleMessage);
    return icons;
}

HWND TTrayIconHandler::Window() { return Shared().Window(); }

int TTrayIconHandler::UserCount() { return Shared().Count(); }

TTrayIcon* TTrayIconHandler::Find(UINT id) { return Shared().Find(id); }

UINT TTrayIconHandler::Register(TTrayIcon* icon) { return Shared().Register(icon); }

void TTrayIconHandler::Unregister(UINT id) { Shared().Unregister(id); }

bool TTrayIconHandler::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case TrayCallbackMessage:
        // First parameter: the icon's identifier; second: the mouse message or balloon code.
        if (holds_ > 0 && IsMouseNotification(lParam)) {
            Deferred().push_back({wParam, lParam});
            result = 0;
            return true;
        }
        Shared().Deliver(static_cast<UINT>(wParam),
                         [lParam](TTrayIcon& icon) { icon.HandleNotification(static_cast<UINT>(lParam)); });
        result = 0;
        return true;
    // The window lives as long as the tray icons do: nobody else closes it, and it does not
    // take part in ending the session.
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_ENDSESSION:
    case WM_NCDESTROY:
        result = 1;
        return true;
    }
    return false;
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
