#pragma once
// THiddenWindow: a window that is never shown, owned by one object, for timers, posted
// notifications and broadcasts. Header-only so that the platform stand-ins use it too.
//
// The object is bound at WM_NCCREATE (through the creation parameter), so no message of the
// window, not even the first, is lost or reaches another object. Every message goes to the
// handler inside an exception boundary: the boundary function runs in the catch block, with the
// exception current; the framework's is vl::HandleCallbackException (framework/Control.h, see
// vl::CentralBoundary); the message then counts as handled, with the answer the handler had put
// in `result` before it threw (0 unless it set one). The handler may destroy the window's owner
// (a timer whose handler frees its form): the window then ends at once and its procedure touches
// nothing of the object after the handler returns; the handler runs from a copy, so its own
// captures stay valid, but it must return without touching its owner.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

namespace vl {

// Runs inside a catch block; `sender` is the one given to the window, or null when the handler
// destroyed the window before it threw.
using THiddenWindowBoundary = void (*)(void* sender) noexcept;

struct THiddenWindowParams {
    // A message-only window receives posted and sent messages and timers; a hidden top-level
    // tool window also receives broadcasts, and the shell can post to it.
    enum class TKind { MessageOnly, TopLevel } kind = TKind::MessageOnly;
    const char* title = "";
    // For TopLevel windows: extra style bits, an owner, a class icon; position and size.
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND owner = nullptr;
    HICON icon = nullptr;
    int x = 0, y = 0, width = 0, height = 0;
};

class THiddenWindow {
public:
    // Handles one message: true when handled, with the answer in `result`; false for the
    // default handling.
    using THandler = std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

    // Creates the window of class `className` (registered on first use; the class name must
    // be used for hidden windows only). Check Handle(): null when the system refused.
    THiddenWindow(const char* className, const THiddenWindowParams& params, THandler handler,
                  THiddenWindowBoundary boundary, void* sender = nullptr) noexcept
        : handler_(std::move(handler)), boundary_(boundary), sender_(sender) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        if (!GetClassInfoExA(instance, className, &wc)) {
            wc = {};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = &StaticProc;
            wc.hInstance = instance;
            wc.hIcon = params.icon;
            wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
            wc.lpszClassName = className;
            if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return;
        }
        const bool messageOnly = params.kind == THiddenWindowParams::TKind::MessageOnly;
        const DWORD style = messageOnly ? 0 : (WS_POPUP | params.style);
        const DWORD exStyle = messageOnly ? 0 : params.exStyle;
        HWND parent = messageOnly ? HWND_MESSAGE : params.owner;
        CreateWindowExA(exStyle, className, params.title, style, params.x, params.y, params.width, params.height,
                        parent, nullptr, instance, this);
    }

    ~THiddenWindow() { Destroy(); }
    THiddenWindow(const THiddenWindow&) = delete;
    THiddenWindow& operator=(const THiddenWindow&) = delete;

    HWND Handle() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    void SetSender(void* sender) noexcept { sender_ = sender; }

    // Unbinds first (no message of the ending window reaches the handler), then destroys it.
    void Destroy() noexcept {
        if (alive_) *alive_ = false;
        alive_ = nullptr;
        HWND window = std::exchange(handle_, nullptr);
        if (!window) return;
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }

    // The window procedure of every hidden-window class.
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<THiddenWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (!self && msg == WM_NCCREATE) {
            self = static_cast<THiddenWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            if (self) {
                self->handle_ = hwnd;
                SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            }
        }
        if (!self || !self->handler_) return DefWindowProcA(hwnd, msg, wParam, lParam);

        // `alive` goes false if the handler destroys the window (and with it, likely, `self`).
        bool alive = true;
        bool* const outer = std::exchange(self->alive_, &alive);
        const THiddenWindowBoundary boundary = self->boundary_;
        void* const sender = self->sender_;
        LRESULT result = 0;
        bool handled = false;
        try {
            const THandler handler = self->handler_;
            handled = handler(msg, wParam, lParam, result);
        } catch (...) {
            if (boundary) boundary(alive ? sender : nullptr);
            handled = true;
        }
        if (!alive) {
            // An outer dispatch of the same window learns of the end too.
            if (outer) *outer = false;
            return handled ? result : DefWindowProcA(hwnd, msg, wParam, lParam);
        }
        self->alive_ = outer;
        if (msg == WM_NCDESTROY) self->handle_ = nullptr;
        return handled ? result : DefWindowProcA(hwnd, msg, wParam, lParam);
    }

private:
    HWND handle_ = nullptr;
    THandler handler_;
    THiddenWindowBoundary boundary_;
    void* sender_;
    bool* alive_ = nullptr;  // the innermost running dispatch's flag
};

}  // namespace vl
