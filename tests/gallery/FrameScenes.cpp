// The skinned frames in each look: the About window as it opens, the pointer on its web link,
// and the settings window with its title bar's system menu open (Alt+Space) and the pointer
// over "&Close".
#include <windows.h>

#include <algorithm>

#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "framework/Application.h"
#include "gallery/Gallery.h"
#include "skin/SkinForm.h"
#include "skin/ThemeManager.h"
#include "skin/TitleBar.h"

namespace {

constexpr int kCloseItem = 3;

struct TSystemMenuShot {
    std::string name;
    HWND window = nullptr;
    int step = 0;
};
TSystemMenuShot* shot = nullptr;

void CALLBACK SystemMenuTick(HWND, UINT, UINT_PTR, DWORD) {
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (!shot || !menuWindow || !IsWindowVisible(menuWindow)) return;
    auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    switch (shot->step++) {
    case 0: {
        RECT item{};
        GetMenuItemRect(nullptr, menu, kCloseItem, &item);
        SetCursorPos((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        break;
    }
    case 1: break;  // the hovered item repaints
    default: {
        RECT window{}, popup{};
        GetWindowRect(shot->window, &window);
        GetWindowRect(menuWindow, &popup);
        RECT both{std::min(window.left, popup.left) - 4, std::min(window.top, popup.top) - 4,
                  std::max(window.left + 260, popup.right) + 4, std::max(window.top + 120, popup.bottom) + 4};
        gallery::Capture(shot->name, both);
        shot = nullptr;
        EndMenu();
    }
    }
}

}  // namespace

GALLERY_SCENE("about", [](const gallery::TLook& look) {
    gallery::PrepareEmptySettings();
    vl::Application->CreateForm(vorlinde::Form1);
    vl::Application->CreateForm(vorlinde::Form2);
    vorlinde::TForm1& main = *vorlinde::Form1;
    gallery::PumpFor(700);
    main.Hide();
    vorlinde::TForm2& about = *vorlinde::Form2;
    gallery::ApplyLook(look, *about.suiThemeManager1, main.suiFileTheme1);
    about.SetBounds(60, 60, about.Width(), about.Height());
    about.Show();
    SetForegroundWindow(about.Handle());
    // The pointer on the web link, which shows its hover colour.
    vorlinde::TsuiURLLabel& link = *about.suiURLLabel1;
    const POINT centre = link.ClientToScreen(POINT{link.Width() / 2, link.Height() / 2});
    gallery::MoveMouseTo(centre.x, centre.y);
    gallery::PumpFor(200);
    gallery::CaptureWindow("about-" + look.name, about.Handle(), 4);
    delete vorlinde::Form2;
    vorlinde::Form2 = nullptr;
    delete vorlinde::Form1;
    vorlinde::Form1 = nullptr;
    gallery::PumpFor(50);
});

GALLERY_SCENE("sysmenu", [](const gallery::TLook& look) {
    gallery::PrepareEmptySettings();
    vl::Application->CreateForm(vorlinde::Form1);
    vorlinde::TForm1& form = *vorlinde::Form1;
    gallery::ApplyLook(look, *form.suiThemeManager1, form.suiFileTheme1);
    gallery::PumpFor(700);
    form.SetBounds(40, 40, form.Width(), form.Height());
    SetForegroundWindow(form.Handle());
    gallery::MoveMouseTo(5, 5);
    gallery::PumpFor(100);

    TSystemMenuShot menuShot{"sysmenu-" + look.name, form.Handle()};
    shot = &menuShot;
    const UINT_PTR timer = SetTimer(nullptr, 0, 80, &SystemMenuTick);
    // Alt+Space as the keyboard gives it: a system character for the focused window.
    PostMessageA(form.Handle(), WM_SYSCHAR, ' ', 1 << 29);
    gallery::PumpFor(100);
    KillTimer(nullptr, timer);
    shot = nullptr;

    delete vorlinde::Form1;
    vorlinde::Form1 = nullptr;
    gallery::PumpFor(50);
});
