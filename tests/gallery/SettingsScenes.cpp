// The settings window in each look.
#include <windows.h>

#include "app/MainForm.h"
#include "framework/Application.h"
#include "gallery/Gallery.h"
#include "skin/ThemeManager.h"

namespace {

// An empty playlist (the window shows itself, nothing plays) and no first-run balloon.
void PrepareSettings() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Vorlinde");
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Vorlinde\\Options", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        const char off[] = "0";
        RegSetValueExA(key, "FirstRun", 0, REG_SZ, reinterpret_cast<const BYTE*>(off), sizeof(off));
        RegCloseKey(key);
    }
}

}  // namespace

GALLERY_SCENE("settings", [](const gallery::TLook& look) {
    PrepareSettings();
    vl::Application->CreateForm(vorlinde::Form1);
    vorlinde::TForm1& form = *vorlinde::Form1;
    gallery::ApplyLook(look, *form.suiThemeManager1, form.suiFileTheme1);
    gallery::PumpFor(700);  // the empty playlist shows the window after 500 ms
    form.SetBounds(40, 40, form.Width(), form.Height());
    SetForegroundWindow(form.Handle());
    gallery::MoveMouseTo(5, 5);  // nowhere near a control
    gallery::PumpFor(200);
    gallery::CaptureWindow("settings-" + look.name, form.Handle(), 4);
    delete vorlinde::Form1;
    vorlinde::Form1 = nullptr;
    gallery::PumpFor(50);
});
