// TsuiButton's behaviour: clicks with the mouse and keyboard, auto-repeat while held, default
// and cancel buttons, accelerators, modal results, what the style decides and the file theme.
#include <gtest/gtest.h>

#include "SkinControlsTestSupport.h"
#include "framework/Edit.h"
#include "skin/FileTheme.h"
#include "skin/controls/Button.h"
#include "skin/controls/CheckBox.h"
#include "skin/controls/ImageButton.h"

using namespace vorlinde;

namespace {

struct ButtonForm {
    ButtonForm() : form(skinctl::ShowForm()) {
        button = skinctl::Add<TsuiButton>(*form, 20, 20, 89, 25);
        button->SetUIStyle(TsuiUIStyle::Protein);
        button->SetCaption("&Ok");
        button->OnClick = skinctl::Counter(clicks);
        button->OnMouseContinuouslyDown = skinctl::Counter(repeats);
    }
    std::unique_ptr<vl::TForm> form;
    TsuiButton* button;
    int clicks = 0;
    int repeats = 0;
};

}  // namespace

// --------------------------------------------------------------------------------- mouse

TEST(TsuiButtonMouse, PressAndReleaseInsideClicksOnce) {
    ButtonForm f;
    skinctl::SendMouse(*f.button, WM_LBUTTONDOWN, 10, 10);
    EXPECT_TRUE(f.button->MouseDown());
    EXPECT_EQ(f.clicks, 0);
    skinctl::SendMouse(*f.button, WM_LBUTTONUP, 10, 10);
    EXPECT_EQ(f.clicks, 1);
    EXPECT_FALSE(f.button->MouseDown());
    EXPECT_FALSE(f.button->Repeating());
}

TEST(TsuiButtonMouse, ReleaseOutsideDoesNotClickAndDraggingOffEndsThePress) {
    ButtonForm f;
    skinctl::SendMouse(*f.button, WM_LBUTTONDOWN, 10, 10);
    skinctl::SendMouse(*f.button, WM_MOUSEMOVE, 120, 10);
    EXPECT_FALSE(f.button->MouseDown());
    EXPECT_FALSE(f.button->MouseOn());
    EXPECT_FALSE(f.button->Repeating());
    skinctl::SendMouse(*f.button, WM_LBUTTONUP, 120, 10);
    EXPECT_EQ(f.clicks, 0);
}

TEST(TsuiButtonMouse, PressTakesTheFocusOnlyAsATabStop) {
    ButtonForm f;
    skinctl::SendMouse(*f.button, WM_LBUTTONDOWN, 10, 10);
    skinctl::SendMouse(*f.button, WM_LBUTTONUP, 10, 10);
    EXPECT_TRUE(f.button->Focused());
    auto* other = skinctl::Add<TsuiButton>(*f.form, 20, 60, 89, 25);
    other->SetTabStop(false);
    skinctl::SendMouse(*other, WM_LBUTTONDOWN, 10, 10);
    skinctl::SendMouse(*other, WM_LBUTTONUP, 10, 10);
    EXPECT_TRUE(f.button->Focused());
}

TEST(TsuiButtonMouse, LosingTheCaptureEndsThePressWithoutAClick) {
    ButtonForm f;
    skinctl::SendMouse(*f.button, WM_LBUTTONDOWN, 10, 10);
    ASSERT_TRUE(f.button->Repeating());
    SetCapture(f.form->Handle());  // a menu or message box takes the mouse
    EXPECT_FALSE(f.button->MouseDown());
    EXPECT_FALSE(f.button->Repeating());
    ReleaseCapture();
    skinctl::SendMouse(*f.button, WM_LBUTTONUP, 10, 10);
    EXPECT_EQ(f.clicks, 0);
}

TEST(TsuiButtonMouse, EnterAndExitEventsFollowThePointer) {
    ButtonForm f;
    int enters = 0, exits = 0;
    f.button->OnMouseEnter = skinctl::Counter(enters);
    f.button->OnMouseExit = skinctl::Counter(exits);
    skinctl::HoverOver(*f.button);
    EXPECT_EQ(enters, 1);
    SendMessageA(f.button->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(f.button->MouseOn());
}

// ---------------------------------------------------------------------------- auto-repeat

TEST(TsuiButtonRepeat, FiresEveryIntervalWhileHeld) {
    ButtonForm f;
    skinctl::SendMouse(*f.button, WM_LBUTTONDOWN, 10, 10);
    skinctl::Pump(750);
    // 100 ms apart: seven in 750 ms, with room for a late or early tick.
    EXPECT_GE(f.repeats, 5);
    EXPECT_LE(f.repeats, 8);
    skinctl::SendMouse(*f.button, WM_LBUTTONUP, 10, 10);
    const int atRelease = f.repeats;
    skinctl::Pump(250);
    EXPECT_EQ(f.repeats, atRelease);
    EXPECT_EQ(f.clicks, 1);
}

TEST(TsuiButtonRepeat, IntervalZeroOrBelowNeverFires) {
    for (int interval : {0, -50}) {
        ButtonForm f;
        f.button->SetMouseContinuouslyDownInterval(interval);
        skinctl::SendMouse(*f.button, WM_LBUTTONDOWN, 10, 10);
        EXPECT_TRUE(f.button->Repeating());
        skinctl::Pump(200);
        EXPECT_EQ(f.repeats, 0) << interval;
        skinctl::SendMouse(*f.button, WM_LBUTTONUP, 10, 10);
    }
}

TEST(TsuiButtonRepeat, MouseLeavingStopsIt) {
    ButtonForm f;
    f.button->SetMouseContinuouslyDownInterval(20);
    skinctl::HoverOver(*f.button);
    skinctl::SendMouse(*f.button, WM_LBUTTONDOWN, 10, 10);
    SendMessageA(f.button->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(f.button->Repeating());
    EXPECT_FALSE(f.button->MouseDown());
    const int atLeave = f.repeats;
    skinctl::Pump(150);
    EXPECT_EQ(f.repeats, atLeave);
    ReleaseCapture();
}

// ---------------------------------------------------------------------------------- keys

TEST(TsuiButtonKeys, SpaceShowsThePressAndClicksOnRelease) {
    ButtonForm f;
    f.button->SetFocus();
    skinctl::SendKey(*f.button, WM_KEYDOWN, VK_SPACE);
    EXPECT_TRUE(f.button->MouseDown());
    EXPECT_EQ(f.clicks, 0);
    skinctl::SendKey(*f.button, WM_KEYUP, VK_SPACE);
    EXPECT_FALSE(f.button->MouseDown());
    EXPECT_EQ(f.clicks, 1);
    skinctl::SendKey(*f.button, WM_KEYUP, VK_SPACE);  // a release without a press
    EXPECT_EQ(f.clicks, 1);
}

TEST(TsuiButtonKeys, EnterClicksTheFocusedButtonRatherThanTheDefault) {
    ButtonForm f;
    f.button->SetDefault(true);
    int otherClicks = 0;
    auto* other = skinctl::Add<TsuiButton>(*f.form, 20, 60, 89, 25);
    other->OnClick = skinctl::Counter(otherClicks);
    other->SetFocus();
    EXPECT_FALSE(f.button->ActiveDefault());
    EXPECT_TRUE(other->ActiveDefault());
    skinctl::PressKeyInLoop(VK_RETURN);
    EXPECT_EQ(otherClicks, 1);
    EXPECT_EQ(f.clicks, 0);
}

TEST(TsuiButtonKeys, EnterWithANonButtonFocusedClicksTheDefault) {
    ButtonForm f;
    f.button->SetDefault(true);
    auto* edit = skinctl::Add<vl::TEdit>(*f.form, 20, 60, 100, 21);
    edit->SetFocus();
    ASSERT_TRUE(edit->Focused());
    EXPECT_TRUE(f.button->ActiveDefault());
    skinctl::PressKeyInLoop(VK_RETURN);
    EXPECT_EQ(f.clicks, 1);
}

TEST(TsuiButtonKeys, EnterWithAModifierHeldIsNoDefaultButtonClick) {
    ButtonForm f;
    f.button->SetDefault(true);
    auto* edit = skinctl::Add<vl::TEdit>(*f.form, 20, 60, 100, 21);
    edit->SetFocus();
    for (int modifier : {VK_CONTROL, VK_SHIFT, VK_MENU}) {
        skinctl::HeldKeys held{modifier};
        skinctl::PressKeyInLoop(VK_RETURN);
    }
    EXPECT_EQ(f.clicks, 0);
}

TEST(TsuiButtonKeys, EscapeClicksTheCancelButton) {
    ButtonForm f;
    auto* edit = skinctl::Add<vl::TEdit>(*f.form, 20, 60, 100, 21);
    edit->SetFocus();
    skinctl::PressKeyInLoop(VK_ESCAPE);
    EXPECT_EQ(f.clicks, 0);
    f.button->SetCancel(true);
    skinctl::PressKeyInLoop(VK_ESCAPE);
    EXPECT_EQ(f.clicks, 1);
    f.button->SetEnabled(false);
    skinctl::PressKeyInLoop(VK_ESCAPE);
    EXPECT_EQ(f.clicks, 1);
}

TEST(TsuiButtonKeys, DefaultSetAfterTheFocusMovedStillAnswersEnter) {
    ButtonForm f;
    auto* box = skinctl::Add<TsuiCheckBox>(*f.form, 20, 60, 100, 17);
    box->SetFocus();
    EXPECT_FALSE(f.button->ActiveDefault());
    f.button->SetDefault(true);  // every button of the form is told again
    EXPECT_TRUE(f.button->ActiveDefault());
}

TEST(TsuiButtonKeys, AcceleratorClicksAnEnabledButton) {
    ButtonForm f;
    EXPECT_FALSE(f.button->DialogChar('x'));
    EXPECT_TRUE(f.button->DialogChar('o'));
    EXPECT_EQ(f.clicks, 1);
    MSG alt{f.button->Handle(), WM_SYSCHAR, 'O', 0, 0, {}};
    EXPECT_TRUE(f.form->DialogKey(alt));
    EXPECT_EQ(f.clicks, 2);
    f.button->SetEnabled(false);
    EXPECT_FALSE(f.button->DialogChar('o'));
    EXPECT_EQ(f.clicks, 2);
}

// -------------------------------------------------------------------- click and results

TEST(TsuiButtonClick, GivesTheFormItsModalResultEvenZero) {
    ButtonForm f;
    f.button->SetModalResult(vl::mrOk);
    f.button->Click();
    EXPECT_EQ(f.form->ModalResult(), vl::mrOk);
    f.button->SetModalResult(0);
    f.button->Click();
    EXPECT_EQ(f.form->ModalResult(), 0);
    EXPECT_EQ(f.clicks, 2);
}

// ------------------------------------------------------------------------- style and theme

TEST(TsuiButtonStyle, TransparentFollowsTheStylesButtonFlag) {
    ButtonForm f;
    const std::pair<TsuiUIStyle, bool> expected[] = {{TsuiUIStyle::MacOS, true},     {TsuiUIStyle::WinXP, false},
                                                     {TsuiUIStyle::DeepBlue, false}, {TsuiUIStyle::Protein, false},
                                                     {TsuiUIStyle::BlueGlass, true}};
    for (const auto& [style, transparent] : expected) {
        f.button->SetUIStyle(style);
        EXPECT_EQ(f.button->Transparent(), transparent) << static_cast<int>(style);
    }
    f.button->SetTransparent(true);
    f.button->SetUIStyle(TsuiUIStyle::FromThemeFile);  // no theme: DeepBlue's flag
    EXPECT_FALSE(f.button->Transparent());
    f.button->SetFileTheme(skinctl::MsnTheme(f.form.get()));
    EXPECT_TRUE(f.button->Transparent());
}

TEST(TsuiButtonStyle, AutoSizeTakesTheSizeOfOneImageOfTheStrip) {
    ButtonForm f;
    f.button->SetAutoSize(true);
    EXPECT_EQ(f.button->Width(), 74);
    EXPECT_EQ(f.button->Height(), 21);
    f.button->SetUIStyle(TsuiUIStyle::MacOS);
    EXPECT_EQ(f.button->Width(), 252 / 3);
    EXPECT_EQ(f.button->Height(), 23);
    f.button->SetUIStyle(TsuiUIStyle::FromThemeFile);  // without a theme: DeepBlue
    EXPECT_EQ(f.button->Width(), 74);
    TsuiFileTheme* theme = skinctl::MsnTheme(f.form.get());
    vl::TBitmap strip;
    theme->GetBitmap(ThemeItem::ButtonImage, &strip);
    ASSERT_FALSE(strip.Empty());
    f.button->SetFileTheme(theme);
    EXPECT_EQ(f.button->Width(), strip.Width() / 3);
    EXPECT_EQ(f.button->Height(), strip.Height());
}

TEST(TsuiButtonTheme, RemovingTheFileThemeFallsBackToDeepBlue) {
    ButtonForm f;
    TsuiFileTheme* theme = skinctl::MsnTheme(f.form.get());
    f.button->SetUIStyle(TsuiUIStyle::FromThemeFile);
    f.button->SetFileTheme(theme);
    ASSERT_TRUE(f.button->Transparent());
    delete theme;
    EXPECT_EQ(f.button->FileTheme(), nullptr);
    EXPECT_EQ(f.button->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_FALSE(f.button->Transparent());
}

TEST(TsuiButtonTheme, PublishesWhatTheThemeManagerSets) {
    TsuiButton button(nullptr);
    EXPECT_TRUE(HasProperty(&button, "UIStyle"));
    EXPECT_TRUE(HasProperty(&button, "FileTheme"));
    EXPECT_EQ(button.Width(), 80);
    EXPECT_EQ(button.Height(), 27);
    EXPECT_EQ(button.MouseContinuouslyDownInterval(), 100);
    EXPECT_EQ(button.FocusedRectMargin(), 2);
    EXPECT_EQ(button.Spacing(), 4);
    EXPECT_EQ(button.UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(button.ResHandle(), 0u);
    TsuiImageButton image(nullptr);
    EXPECT_TRUE(HasProperty(&image, "UIStyle"));
    EXPECT_FALSE(HasProperty(&image, "FileTheme"));
    image.SetUIStyle(TsuiUIStyle::Protein);
    EXPECT_EQ(image.UIStyle(), TsuiUIStyle::FromThemeFile);
}
