// The skinned dialogs in each look: a warning with three buttons, a plain message with two, an
// input box (the About window with its web link hovered is the "about" scene).
#include <windows.h>

#include <functional>
#include <memory>

#include "framework/Application.h"
#include "gallery/Gallery.h"
#include "skin/FileTheme.h"
#include "skin/controls/DialogForms.h"
#include "skin/controls/InputDialog.h"
#include "skin/controls/MessageDialog.h"

namespace {

// Execute runs its own modal loop: a timer inside it takes the picture, then closes the window.
std::function<vl::TForm*()> findShown;
std::string shotName;

void CALLBACK ShootTick(HWND, UINT, UINT_PTR timer, DWORD) {
    vl::TForm* window = findShown ? findShown() : nullptr;
    if (!window) return;
    KillTimer(nullptr, timer);
    findShown = nullptr;
    window->SetBounds(60, 60, window->Width(), window->Height());
    SetForegroundWindow(window->Handle());
    gallery::MoveMouseTo(5, 5);
    gallery::PumpFor(200);
    gallery::CaptureWindow(shotName, window->Handle(), 4);
    window->SetModalResult(vl::mrCancel);
}

template <class W>
void Shoot(vorlinde::TsuiDialog& dialog, const gallery::TLook& look, const std::string& name) {
    std::unique_ptr<vorlinde::TsuiFileTheme> theme;
    if (look.style == vorlinde::TsuiUIStyle::FromThemeFile) {
        theme = std::make_unique<vorlinde::TsuiFileTheme>(nullptr);
        theme->SetThemeFile(gallery::ThemeFilePath());
    }
    dialog.SetUIStyle(look.style);
    dialog.SetFileTheme(theme.get());
    shotName = name + "-" + look.name;
    findShown = []() -> vl::TForm* {
        for (vl::TForm* form : vl::Application->Forms())
            if (auto* window = dynamic_cast<W*>(form); window && window->Modal() && IsWindowVisible(window->Handle()))
                return window;
        return nullptr;
    };
    SetTimer(nullptr, 0, 50, &ShootTick);
    dialog.Execute();
    dialog.SetFileTheme(nullptr);
}

}  // namespace

GALLERY_SCENE("msgbox", [](const gallery::TLook& look) {
    vorlinde::TsuiMessageDialog dialog(nullptr);
    dialog.SetCaption("Vorlinde");
    dialog.SetText("The playlist has changed. Save the changes before playing the next movie?");
    dialog.SetIconType(vorlinde::TsuiIconType::suiWarning);
    dialog.SetButtonCount(3);
    dialog.SetButtonCaption(1, "&Yes");
    dialog.SetButtonModalResult(1, vl::mrYes);
    dialog.SetButtonCaption(2, "&No");
    dialog.SetButtonModalResult(2, vl::mrNo);
    Shoot<vorlinde::TfrmMsg>(dialog, look, "msgbox");
    for (auto icon : {vorlinde::TsuiIconType::suiStop, vorlinde::TsuiIconType::suiInformation,
                      vorlinde::TsuiIconType::suiHelp}) {
        dialog.SetIconType(icon);
        dialog.SetButtonCount(1);
        Shoot<vorlinde::TfrmMsg>(dialog, look, "msgbox-icon" + std::to_string(static_cast<int>(icon)));
    }
});

GALLERY_SCENE("msgbox-plain", [](const gallery::TLook& look) {
    vorlinde::TsuiMessageDialog dialog(nullptr);
    dialog.SetCaption("Vorlinde");
    dialog.SetText("Playback stopped.");
    dialog.SetButtonCount(2);
    Shoot<vorlinde::TfrmMsg>(dialog, look, "msgbox-plain");
});

GALLERY_SCENE("inputbox", [](const gallery::TLook& look) {
    vorlinde::TsuiInputDialog dialog(nullptr);
    dialog.SetCaption("Theme file");
    dialog.SetPromptText("Name of the theme file:");
    dialog.SetValueText("msn.sui");
    Shoot<vorlinde::TfrmInput>(dialog, look, "inputbox");
});
