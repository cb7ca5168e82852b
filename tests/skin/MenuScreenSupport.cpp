#include "MenuScreenSupport.h"

#include "framework/GdiOwners.h"

namespace menutest {

namespace {
// The script of the one RunWhileOpen under way (timer procedures carry no context).
struct TScript {
    const std::vector<std::function<void()>>* steps = nullptr;
    size_t next = 0;
    int ticks = 0;
};
TScript* current = nullptr;

// Menus are closed after this many ticks even when a step never returns control.
constexpr int kMaxTicks = 200;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!current) return;
    ++current->ticks;
    // The first tick waits for the menu to appear and be painted.
    if (!OpenMenuWindow() && current->ticks < kMaxTicks) return;
    if (current->next < current->steps->size() && current->ticks < kMaxTicks) {
        (*current->steps)[current->next++]();
        return;
    }
    EndMenu();
}
}  // namespace

int RunWhileOpen(const std::function<void()>& open, const std::vector<std::function<void()>>& steps,
                 UINT intervalMs) {
    TScript script;
    script.steps = &steps;
    current = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, intervalMs, &Tick);
    open();
    KillTimer(nullptr, timer);
    current = nullptr;
    // The tick that closed the menu may have left a WM_TIMER behind.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
    return static_cast<int>(script.next);
}

HWND OpenMenuWindow() {
    HWND window = FindWindowA("#32768", nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

RECT OpenMenuItemRect(int position) {
    RECT r{};
    HWND window = OpenMenuWindow();
    if (!window) return r;
    auto menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    if (!menu || !GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &r)) return RECT{};
    return r;
}

void PointAt(int x, int y) { SetCursorPos(x, y); }

void PointAtItem(int position) {
    const RECT r = OpenMenuItemRect(position);
    PointAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

TScreenShot::TScreenShot(const RECT& screenRect)
    : rect_(screenRect), bitmap_(screenRect.right - screenRect.left, screenRect.bottom - screenRect.top) {
    vl::TScreenDC screen;
    BitBlt(bitmap_.Canvas().Handle(), 0, 0, bitmap_.Width(), bitmap_.Height(), screen.Get(), rect_.left, rect_.top,
           SRCCOPY);
    GdiFlush();
}

uint32_t TScreenShot::Pixel(int x, int y) {
    const int bx = x - rect_.left, by = y - rect_.top;
    if (bx < 0 || by < 0 || bx >= bitmap_.Width() || by >= bitmap_.Height()) return 0xFFFFFFFF;
    const uint8_t* p = bitmap_.ScanLine(by) + bx * 4;
    return p[2] | (p[1] << 8) | (p[0] << 16);
}

int TScreenShot::Count(const RECT& r, uint32_t color) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (Pixel(x, y) == color) ++n;
    return n;
}

}  // namespace menutest
