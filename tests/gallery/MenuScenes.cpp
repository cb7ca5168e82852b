// The tray menu in each look: opened by a right click on the tray icon, as the user opens it,
// with "&Pause" checked and the pointer over "&Options..".
#include <windows.h>

#include "app/MainForm.h"
#include "framework/Application.h"
#include "framework/Menus.h"
#include "gallery/Gallery.h"
#include "skin/ThemeManager.h"
#include "tray/TrayIcon.h"
#include "tray/TrayIconHandler.h"

namespace {

constexpr int kOptionsItem = 2;

// The steps run on timer ticks inside the menu's own loop (a tick procedure has no context).
struct TMenuShot {
    std::string name;
    int step = 0;
};
TMenuShot* shot = nullptr;

HWND OpenMenu() {
    HWND window = FindWindowA("#32768", nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

void CALLBACK MenuTick(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = OpenMenu();
    if (!shot || !window) return;
    auto menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    switch (shot->step++) {
    case 0: {
        RECT item{};
        GetMenuItemRect(nullptr, menu, kOptionsItem, &item);
        SetCursorPos((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        break;
    }
    case 1: break;  // the menu repaints the hovered item
    default:
        gallery::CaptureWindow(shot->name, window, 6);
        shot = nullptr;
        EndMenu();
    }
}

}  // namespace

GALLERY_SCENE("traymenu", [](const gallery::TLook& look) {
    // No settings: an empty playlist, so nothing plays and no balloon shows.
    RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Vorlinde");
    vl::Application->CreateForm(vorlinde::Form1);
    vorlinde::TForm1& form = *vorlinde::Form1;
    gallery::ApplyLook(look, *form.suiThemeManager1, form.suiFileTheme1);
    gallery::PumpFor(700);  // the empty playlist shows the window after 500 ms: out of the picture
    form.Hide();
    form.Pause1->SetChecked(true);
    gallery::MoveMouseTo(300, 200);

    TMenuShot menuShot{"traymenu-" + look.name};
    shot = &menuShot;
    const UINT_PTR timer = SetTimer(nullptr, 0, 80, &MenuTick);
    PostMessageA(vorlinde::TTrayIconHandler::Window(), vorlinde::TrayCallbackMessage, form.TrayIcon1->Identifier(),
                 WM_RBUTTONDOWN);
    gallery::PumpFor(100);  // the right click opens the menu; the ticks capture and close it
    KillTimer(nullptr, timer);
    shot = nullptr;

    delete vorlinde::Form1;
    vorlinde::Form1 = nullptr;
    gallery::PumpFor(50);
});
