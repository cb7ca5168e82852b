// The settings window in each look: as it opens, with its controls in the states a user sees
// (a button under the pointer, one held down, one disabled, a check box with the focus), and
// with a playlist long enough to scroll.
#include <windows.h>

#include <string>

#include "app/MainForm.h"
#include "framework/Application.h"
#include "gallery/Gallery.h"
#include "skin/ThemeManager.h"

namespace {

// The middle of a control on the screen.
POINT Centre(vl::TWinControl& control) {
    return control.ClientToScreen(POINT{control.Width() / 2, control.Height() / 2});
}

// "&Add" under the pointer, "&Delete" held down, "Move &Up" disabled, "Preview when click"
// focused; then everything back as it was.
void CaptureStates(vorlinde::TForm1& form, const std::string& name) {
    const POINT add = Centre(*form.btnAdd);
    gallery::MoveMouseTo(add.x, add.y);
    SendMessageA(form.btnDelete->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    form.btnUp->SetEnabled(false);
    form.chkPreview->SetFocus();
    gallery::PumpFor(150);
    gallery::CaptureWindow(name, form.Handle(), 4);
    ReleaseCapture();  // the press ends without a click
    form.btnUp->SetEnabled(true);
    gallery::MoveMouseTo(5, 5);
}

// The playlist full enough to scroll (its native bar inside the skinned border), scrolled down
// a little, with an entry selected; then empty again.
void CaptureLongPlaylist(vorlinde::TForm1& form, const std::string& name) {
    for (int i = 1; i <= 40; ++i)
        form.lsbMovie->Items()->Add("C:\\Movies\\Holiday clip " + std::to_string(i) + ".mpg");
    form.lsbMovie->SetTopIndex(6);
    form.lsbMovie->SetItemIndex(9);
    gallery::PumpFor(100);
    gallery::CaptureWindow(name, form.Handle(), 4);
    form.lsbMovie->Clear();
}

}  // namespace

GALLERY_SCENE("settings", [](const gallery::TLook& look) {
    gallery::PrepareEmptySettings();
    vl::Application->CreateForm(vorlinde::Form1);
    vorlinde::TForm1& form = *vorlinde::Form1;
    gallery::ApplyLook(look, *form.suiThemeManager1, form.suiFileTheme1);
    gallery::PumpFor(700);  // the empty playlist shows the window after 500 ms
    form.SetBounds(40, 40, form.Width(), form.Height());
    SetForegroundWindow(form.Handle());
    gallery::MoveMouseTo(5, 5);  // nowhere near a control
    gallery::PumpFor(200);
    gallery::CaptureWindow("settings-" + look.name, form.Handle(), 4);
    CaptureStates(form, "settings-states-" + look.name);
    CaptureLongPlaylist(form, "settings-list-" + look.name);
    delete vorlinde::Form1;
    vorlinde::Form1 = nullptr;
    gallery::PumpFor(50);
});
