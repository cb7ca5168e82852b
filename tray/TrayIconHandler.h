#pragma once
// The hidden window that every tray icon names in its notification record: the shell posts its
// notifications about the icons there, and the window hands each to the icon whose identifier
// it carries.
#include <windows.h>

#include <vector>

namespace vl {
template <class TId, class T>
class TSharedWindow;
}

namespace vorlinde {

class TTrayIcon;

// The callback message of the notification record: the framework's user message base (1024)
// plus 1024.
inline constexpr UINT TrayCallbackMessage = WM_USER + 1024;

class TTrayIconHandler {
public:
    // The shared window; null while no tray icon exists.
    static HWND Window();
    // Number of tray icons registered with the window.
    static int UserCount();
    // The live tray icon with this identifier; null for identifiers of icons destroyed since
    // (identifiers are never reused within a process).
    static TTrayIcon* Find(UINT id);

private:
    friend class TTrayIcon;
    friend class TTrayNotificationHold;
    // Joins `icon` (creating the window for the first icon); returns its identifier.
    static UINT Register(TTrayIcon* icon);
    // Leaves; the last icon to leave destroys the window.
    static void Unregister(UINT id);
    // The window's messages: notifications go to their icon; closing and ending the session
    // are refused.
    static bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    static vl::TSharedWindow<UINT, TTrayIcon>& Shared();
    // Mouse notifications that came while a hold was on, oldest first (icon id, code).
    struct TDeferred {
        WPARAM id;
        LPARAM code;
    };
    static std::vector<TDeferred>& Deferred();
    static int holds_;
};

// Keeps the tray icons' mouse notifications away while a handler of the program runs. A
// handler that calls into the platform (a settings broadcast, a message pump) lets messages in
// meanwhile; a click on the icon arriving then would open the menu in the middle of the
// handler, and the rest of the handler would wait until the menu closed. While a hold lives,
// such notifications are kept; when the last hold ends they are posted again, in order, and
// handled once the handler has returned. Holds nest. GUI thread only.
class TTrayNotificationHold {
public:
    TTrayNotificationHold();
    ~TTrayNotificationHold();
    TTrayNotificationHold(const TTrayNotificationHold&) = delete;
    TTrayNotificationHold& operator=(const TTrayNotificationHold&) = delete;

    // True while any hold lives.
    static bool Active();
};

// The shell's "TaskbarCreated" message, registered once, on first use; 0 when the common
// controls library is older than 4.71, whose shells do not send it.
UINT TaskbarCreatedMessage();

}  // namespace vorlinde
