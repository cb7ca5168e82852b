// The skinned controls hold no GDI object beyond a paint: hovering, pressing and restyling
// them again and again leaves the process's GDI object count where it was.
#include <gtest/gtest.h>

#include "SkinControlsTestSupport.h"
#include "framework/GuiTestSupport.h"
#include "skin/FileTheme.h"
#include "skin/controls/Button.h"
#include "skin/controls/CheckBox.h"
#include "skin/controls/RadioGroup.h"

using namespace vorlinde;

namespace {

struct ControlsForm {
    ControlsForm() : form(skinctl::ShowForm()) {
        for (int i = 0; i < 3; ++i) {
            buttons[i] = skinctl::Add<TsuiButton>(*form, 20 + 100 * i, 20, 89, 25);
            buttons[i]->SetCaption("&Button");
        }
        box = skinctl::Add<TsuiCheckBox>(*form, 20, 60, 100, 17);
        box->SetCaption("Preview when click");
        group = skinctl::Add<TsuiRadioGroup>(*form, 20, 90, 153, 65);
        group->SetCaption("Play Order:");
        group->Items()->Add("Sequent");
        group->Items()->Add("Random");
        theme = skinctl::MsnTheme(form.get());
    }

    // Styles every control as the theme manager would, and paints the form.
    void Restyle(TsuiUIStyle style) {
        TsuiFileTheme* fileTheme = style == TsuiUIStyle::FromThemeFile ? theme : nullptr;
        for (TsuiButton* b : buttons) {
            b->SetUIStyle(style);
            b->SetFileTheme(fileTheme);
        }
        box->SetUIStyle(style);
        box->SetFileTheme(fileTheme);
        group->SetUIStyle(style);
        group->SetFileTheme(fileTheme);
        Paint();
    }

    void Paint() { RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); }

    // The pointer crosses a button, presses and releases it, and leaves; each step is painted.
    void HoverAndPress(TsuiButton& button) {
        skinctl::SendMouse(button, WM_MOUSEMOVE, 10, 10);
        UpdateWindow(button.Handle());
        skinctl::SendMouse(button, WM_LBUTTONDOWN, 10, 10);
        UpdateWindow(button.Handle());
        skinctl::SendMouse(button, WM_LBUTTONUP, 10, 10);
        SendMessageA(button.Handle(), WM_MOUSELEAVE, 0, 0);
        UpdateWindow(button.Handle());
    }

    std::unique_ptr<vl::TForm> form;
    TsuiButton* buttons[3];
    TsuiCheckBox* box;
    TsuiRadioGroup* group;
    TsuiFileTheme* theme;
};

const TsuiUIStyle kLooks[] = {TsuiUIStyle::MacOS,   TsuiUIStyle::WinXP,     TsuiUIStyle::DeepBlue,
                              TsuiUIStyle::Protein, TsuiUIStyle::BlueGlass, TsuiUIStyle::FromThemeFile};

}  // namespace

// A thousand presses and a hundred restyles: a few seconds under Wine, for the count to mean
// something.
TEST(SkinControlsGdi, HoverPressCyclesAndStyleSwitchesLeaveTheCountFlat) {
    ControlsForm f;
    for (TsuiUIStyle style : kLooks) f.Restyle(style);  // every look loaded once
    f.HoverAndPress(*f.buttons[0]);
    skinctl::Pump(20);
    const DWORD before = vltest::GdiObjects();
    ASSERT_GT(before, 0u);

    for (int i = 0; i < 1000; ++i) {
        f.HoverAndPress(*f.buttons[i % 3]);
        if (i % 10 == 0) {
            f.box->Click();
            UpdateWindow(f.box->Handle());
        }
    }
    for (int i = 0; i < 100; ++i) f.Restyle(kLooks[i % 6]);
    skinctl::Pump(20);
    EXPECT_EQ(vltest::GdiObjects(), before);
}
