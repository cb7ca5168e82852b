// TsuiCheckBox and TsuiRadioButton: checked state and its events, toggling by mouse, keys and
// accelerator, the picture of each state, AutoSize, loading from a form description, and the
// exclusivity of radio buttons.
#include <gtest/gtest.h>

#include "SkinControlsTestSupport.h"
#include "framework/Application.h"
#include "framework/Canvas.h"
#include "framework/GdiOwners.h"
#include "skin/FileTheme.h"
#include "skin/controls/Button.h"
#include "skin/controls/CheckBox.h"
#include "skin/controls/RadioButton.h"

using namespace vorlinde;
using skinctl::Px;

namespace {

struct BoxForm {
    BoxForm() : form(skinctl::ShowForm()) {
        box = skinctl::Add<TsuiCheckBox>(*form, 20, 20, 93, 17);
        box->SetUIStyle(TsuiUIStyle::Protein);
        box->SetCaption("Preview when click");
        box->OnClick = skinctl::Counter(changes);
    }
    std::unique_ptr<vl::TForm> form;
    TsuiCheckBox* box;
    int changes = 0;
};

// The height of "W" and the visible width of `text` in `font`.
SIZE Text(const vl::TFont& font, const std::string& text) {
    const vl::TMemoryDC dc;
    vl::TCanvas canvas(dc.Get());
    canvas.Font()->Assign(font);
    RECT r{0, 0, 0, 0};
    canvas.DrawText(text, r, DT_SINGLELINE | DT_CALCRECT);
    return SIZE{r.right - r.left, canvas.TextHeight("W")};
}

}  // namespace

// ---------------------------------------------------------------------------- checked state

TEST(TsuiCheckBoxChecked, SettingTheCurrentValueFiresNothing) {
    BoxForm f;
    f.box->SetChecked(false);
    EXPECT_EQ(f.changes, 0);
    f.box->SetChecked(true);
    f.box->SetChecked(true);
    EXPECT_EQ(f.changes, 1);
    f.box->SetChecked(false);
    EXPECT_EQ(f.changes, 2);
}

TEST(TsuiCheckBoxChecked, StateIsAViewOfCheckedAndGrayedUnchecks) {
    BoxForm f;
    f.box->SetState(vl::TCheckBoxState::Checked);
    EXPECT_TRUE(f.box->Checked());
    EXPECT_EQ(f.box->State(), vl::TCheckBoxState::Checked);
    f.box->SetState(vl::TCheckBoxState::Grayed);
    EXPECT_FALSE(f.box->Checked());
    EXPECT_EQ(f.box->State(), vl::TCheckBoxState::Unchecked);
    EXPECT_EQ(f.changes, 2);
}

TEST(TsuiCheckBoxChecked, LoadingFromAFormDescriptionFiresNothing) {
    skinctl::TRecordingForm form;
    form.LoadFromText(
        "object Recording: TForm\n"
        "  object chk: TsuiCheckBox\n"
        "    Caption = 'Start with Wndows'\n"
        "    UIStyle = Protein\n"
        "    AutoSize = True\n"
        "    Checked = True\n"
        "    OnClick = Counted\n"
        "  end\n"
        "end\n");
    auto* box = dynamic_cast<TsuiCheckBox*>(form.FindComponent("chk"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(form.counted, 0);
    box->SetChecked(false);
    EXPECT_EQ(form.counted, 1);
    // Sized once loaded: as high as the 13-pixel image or a line of text, plus 4.
    EXPECT_EQ(box->Height(), std::max<int>(Text(box->FontRef(), "W").cy + 2, 13) + 4);
}

// ------------------------------------------------------------------------------- toggling

TEST(TsuiCheckBoxToggle, ClickTogglesAndTakesTheFocus) {
    BoxForm f;
    skinctl::SendMouse(*f.box, WM_LBUTTONDOWN, 5, 5);
    EXPECT_TRUE(f.box->Focused());
    skinctl::SendMouse(*f.box, WM_LBUTTONUP, 5, 5);
    EXPECT_TRUE(f.box->Checked());
    skinctl::SendMouse(*f.box, WM_LBUTTONDOWN, 5, 5);
    skinctl::SendMouse(*f.box, WM_LBUTTONUP, 5, 5);
    EXPECT_FALSE(f.box->Checked());
    EXPECT_EQ(f.changes, 2);
}

TEST(TsuiCheckBoxToggle, SpaceAndEnterToggleOnRelease) {
    BoxForm f;
    f.box->SetFocus();
    skinctl::SendKey(*f.box, WM_KEYDOWN, VK_SPACE);
    EXPECT_FALSE(f.box->Checked());
    skinctl::SendKey(*f.box, WM_KEYUP, VK_SPACE);
    EXPECT_TRUE(f.box->Checked());
    skinctl::SendKey(*f.box, WM_KEYDOWN, VK_RETURN);
    skinctl::SendKey(*f.box, WM_KEYUP, VK_RETURN);
    EXPECT_FALSE(f.box->Checked());
    f.box->SetEnabled(false);
    skinctl::SendKey(*f.box, WM_KEYDOWN, VK_SPACE);
    skinctl::SendKey(*f.box, WM_KEYUP, VK_SPACE);
    EXPECT_FALSE(f.box->Checked());
}

TEST(TsuiCheckBoxToggle, EnterTakenByTheDefaultButtonLeavesTheBox) {
    BoxForm f;
    int defaults = 0;
    auto* ok = skinctl::Add<TsuiButton>(*f.form, 20, 60, 89, 25);
    ok->SetDefault(true);
    ok->OnClick = skinctl::Counter(defaults);
    f.box->SetFocus();
    skinctl::PressKeyInLoop(VK_RETURN);
    skinctl::SendKey(*f.box, WM_KEYUP, VK_RETURN);  // the release still reaches the box
    EXPECT_EQ(defaults, 1);
    EXPECT_FALSE(f.box->Checked());
}

TEST(TsuiCheckBoxToggle, AcceleratorFocusesAndToggles) {
    BoxForm f;
    f.box->SetCaption("&Preview");
    EXPECT_FALSE(f.box->DialogChar('x'));
    EXPECT_TRUE(f.box->DialogChar('p'));
    EXPECT_TRUE(f.box->Checked());
    EXPECT_TRUE(f.box->Focused());
}

// ------------------------------------------------------------------------------- painting

TEST(TsuiCheckBoxPaint, ShowsThePictureOfEachState) {
    BoxForm f;
    f.box->SetTabStop(false);  // no focus rectangle
    const int top = (f.box->Height() - 13) / 2;
    auto shows = [&](int index) {
        auto image = skinctl::StripImage(TsuiUIStyle::Protein, ThemeItem::CheckBoxImage, 4, index);
        auto shown = skinctl::Print(*f.box);
        return skinctl::SameBlock(*shown, 1, top, *image, 0, 0, 13, 13);
    };
    EXPECT_TRUE(shows(2));
    f.box->SetChecked(true);
    EXPECT_TRUE(shows(1));
    f.box->SetEnabled(false);
    EXPECT_TRUE(shows(3));
    f.box->SetChecked(false);
    EXPECT_TRUE(shows(4));
}

TEST(TsuiCheckBoxPaint, FocusRectangleFramesTheCaption) {
    BoxForm f;
    auto plain = skinctl::Print(*f.box);
    f.box->SetFocus();
    auto focused = skinctl::Print(*f.box);
    const int top = (f.box->Height() - Text(f.box->FontRef(), "W").cy) / 2;
    int changed = 0;
    for (int x = 16; x < f.box->Width(); ++x) changed += Px(*plain, x, top) != Px(*focused, x, top);
    EXPECT_GT(changed, 10);
    EXPECT_EQ(Px(*plain, 5, top + 5), Px(*focused, 5, top + 5));  // the picture is not framed
}

TEST(TsuiCheckBoxPaint, WithoutAPictureTheCaptionMovesLeft) {
    BoxForm f;
    f.box->SetUIStyle(static_cast<TsuiUIStyle>(7));  // no such style: no picture
    const SIZE text = Text(f.box->FontRef(), f.box->Caption());
    EXPECT_EQ(f.box->Width(), text.cx + 8);
    auto shown = skinctl::Print(*f.box);
    int firstDark = -1;
    for (int x = 0; x < f.box->Width() && firstDark < 0; ++x)
        for (int y = 0; y < f.box->Height(); ++y)
            if (Px(*shown, x, y) == vl::clBlack) {
                firstDark = x;
                break;
            }
    EXPECT_GE(firstDark, 4);
    EXPECT_LE(firstDark, 6);
}

// ------------------------------------------------------------------------------- AutoSize

TEST(TsuiCheckBoxAutoSize, ThirteenPixelFontMakesItNineteenHigh) {
    BoxForm f;
    int height = -8;
    for (; height >= -20 && Text(f.box->FontRef(), "W").cy != 13; --height) f.box->Font()->SetHeight(height);
    ASSERT_EQ(Text(f.box->FontRef(), "W").cy, 13) << "no font height gives 13-pixel text";
    EXPECT_EQ(f.box->Height(), 19);
    EXPECT_EQ(f.box->Width(), 13 + Text(f.box->FontRef(), f.box->Caption()).cx + 8);
}

TEST(TsuiCheckBoxAutoSize, FollowsCaptionAndStyleAndStopsWhenOff) {
    BoxForm f;
    const int width = f.box->Width();
    f.box->SetCaption("Preview when click, longer");
    EXPECT_GT(f.box->Width(), width);
    f.box->SetUIStyle(TsuiUIStyle::MacOS);  // 15 x 17 pictures
    EXPECT_EQ(f.box->Height(), std::max<int>(Text(f.box->FontRef(), "W").cy + 2, 17) + 4);
    f.box->SetAutoSize(false);
    f.box->SetBounds(20, 20, 200, 40);
    f.box->SetCaption("x");
    EXPECT_EQ(f.box->Width(), 200);
}

TEST(TsuiCheckBoxTheme, DrawsFromTheFileThemeAndForgetsItWhenItGoes) {
    BoxForm f;
    TsuiFileTheme* theme = skinctl::MsnTheme(f.form.get());
    f.box->SetUIStyle(TsuiUIStyle::FromThemeFile);
    f.box->SetFileTheme(theme);
    vl::TBitmap image;
    theme->GetStripBitmap(ThemeItem::CheckBoxImage, &image, 4, 2);
    ASSERT_FALSE(image.Empty());
    f.box->SetTabStop(false);
    auto shown = skinctl::Print(*f.box);
    EXPECT_TRUE(skinctl::SameBlock(*shown, 1, (f.box->Height() - image.Height()) / 2, image, 0, 0, image.Width(),
                                   image.Height()));
    delete theme;
    EXPECT_EQ(f.box->FileTheme(), nullptr);
    EXPECT_EQ(f.box->UIStyle(), TsuiUIStyle::DeepBlue);
}

// ----------------------------------------------------------------------------- radio buttons

TEST(TsuiRadioButtonGroup, CheckingOneOfThreeUnchecksTheOthersOfItsGroup) {
    auto form = skinctl::ShowForm();
    TsuiRadioButton* radios[3];
    int clicks[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        radios[i] = skinctl::Add<TsuiRadioButton>(*form, 20, 20 + 20 * i, 100, 17);
        radios[i]->OnClick = skinctl::Counter(clicks[i]);
    }
    auto* other = skinctl::Add<TsuiRadioButton>(*form, 20, 100, 100, 17);
    other->SetGroupIndex(1);
    other->SetChecked(true);
    radios[0]->SetChecked(true);
    radios[1]->SetChecked(true);
    EXPECT_FALSE(radios[0]->Checked());
    EXPECT_TRUE(radios[1]->Checked());
    EXPECT_FALSE(radios[2]->Checked());
    EXPECT_TRUE(other->Checked());
    // Only the newly checked buttons report: the unchecked one stays quiet.
    EXPECT_EQ(clicks[0], 1);
    EXPECT_EQ(clicks[1], 1);
    EXPECT_EQ(clicks[2], 0);
}

TEST(TsuiRadioButtonToggle, ClickChecksButNeverUnchecksAndKeysDoNothing) {
    auto form = skinctl::ShowForm();
    auto* radio = skinctl::Add<TsuiRadioButton>(*form, 20, 20, 100, 17);
    radio->Click();
    EXPECT_TRUE(radio->Checked());
    radio->Click();
    EXPECT_TRUE(radio->Checked());
    radio->SetChecked(false);
    radio->SetFocus();
    skinctl::SendKey(*radio, WM_KEYDOWN, VK_SPACE);
    skinctl::SendKey(*radio, WM_KEYUP, VK_SPACE);
    EXPECT_FALSE(radio->Checked());
}

TEST(TsuiRadioButtonPaint, PictureLeavesItsCornerColourOut) {
    auto form = skinctl::ShowForm();
    auto* radio = skinctl::Add<TsuiRadioButton>(*form, 20, 20, 100, 17);
    radio->SetUIStyle(TsuiUIStyle::Protein);
    radio->SetColor(0x123456);
    auto shown = skinctl::Print(*radio);
    const int top = (radio->Height() - 13) / 2;
    // The picture's corner is its see-through colour: the radio's own colour shows there.
    EXPECT_EQ(Px(*shown, 1, top), 0x123456u);
    EXPECT_NE(Px(*shown, 1 + 6, top + 6), 0x123456u);
}
