// The tray icon's skinned menu really opening on a right click, as the program's tray menu does.
#include <windows.h>

#include "TrayTestSupport.h"
#include "framework/Application.h"
#include "framework/Menus.h"
#include "skin/controls/PopupMenu.h"

namespace {

// What the open menu looked like, read on a timer tick inside the menu's loop.
struct TSeenMenu {
    int items = -1;
    RECT window{}, first{};
    COLORREF bar = CLR_INVALID, background = CLR_INVALID;
    int ticks = 0;
};
TSeenMenu* seen = nullptr;

// A menu just shown may not be on screen yet on a busy machine: until its bar shows (at most
// about a second), the reading is taken again on the next tick.
constexpr int kTicksToPaint = 25;

void CALLBACK LookAndClose(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = FindWindowA("#32768", nullptr);
    if (!seen || !window || !IsWindowVisible(window)) return;
    ++seen->ticks;
    auto menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    seen->items = GetMenuItemCount(menu);
    GetWindowRect(window, &seen->window);
    GetMenuItemRect(nullptr, menu, 0, &seen->first);
    HDC screen = GetDC(nullptr);
    seen->bar = GetPixel(screen, seen->first.left + 2, seen->first.bottom - 2);
    seen->background = GetPixel(screen, seen->first.right - 3, seen->first.bottom - 2);
    ReleaseDC(nullptr, screen);
    if (seen->bar == seen->background && seen->ticks < kTicksToPaint) return;
    seen = nullptr;
    EndMenu();
}

class TrayMenu : public traytest::TrayTest {
protected:
    void SetUp() override {
        TrayTest::SetUp();
        vl::TPopupMenu::TrackOverride = nullptr;  // the real menu
    }
};

}  // namespace

TEST_F(TrayMenu, RightClickOpensTheSkinnedMenuAtTheCursor) {
    auto* menu = new vorlinde::TsuiPopupMenu(MainForm());
    menu->SetUIStyle(vorlinde::TsuiUIStyle::Protein);
    for (const char* caption : {"&Pause", "&Stop", "&Exit"}) {
        auto* item = new vl::TMenuItem(MainForm());
        item->SetCaption(caption);
        menu->Items()->Add(item);
    }
    Icon()->SetPopupMenu(menu);
    SetCursorPos(400, 300);

    TSeenMenu look;
    seen = &look;
    const UINT_PTR timer = SetTimer(nullptr, 0, 40, &LookAndClose);
    Post(*Icon(), WM_RBUTTONDOWN);
    Deliver();
    KillTimer(nullptr, timer);
    seen = nullptr;

    EXPECT_EQ(look.items, 3);
    EXPECT_EQ(look.window.left, 400);
    EXPECT_EQ(look.window.top, 300);
    EXPECT_EQ(look.first.bottom - look.first.top, 21);
    EXPECT_EQ(look.bar, 0xCED3D6u);
    EXPECT_EQ(look.background, 0xFFFFFFu);
}
