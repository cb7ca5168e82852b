// TsuiEdit: the list box's skinned border around a native edit, read from the screen, and its
// colour from the look.
#include <gtest/gtest.h>

#include "SkinControlsTestSupport.h"
#include "framework/Font.h"
#include "skin/FileTheme.h"
#include "skin/controls/Edit.h"

using namespace vorlinde;

TEST(SkinEdit, DrawsTheBorderColourOutsideAndItsOwnColourInside) {
    auto form = skinctl::ShowForm();
    auto* edit = skinctl::Add<TsuiEdit>(*form, 20, 20, 150, 24);
    edit->SetText("Vorlinde");
    edit->SetBorderColor(0x00C000);
    edit->SetColor(0xF0E0D0);
    auto shot = skinctl::Screen(*edit);
    for (int x : {0, 75, 149}) {
        EXPECT_EQ(skinctl::Px(*shot, x, 0), 0x00C000u) << x;
        EXPECT_EQ(skinctl::Px(*shot, x, 23), 0x00C000u) << x;
        EXPECT_EQ(skinctl::Px(*shot, x == 0 ? 1 : x == 149 ? 148 : x, 1), 0xF0E0D0u) << x;
    }
    EXPECT_EQ(skinctl::Px(*shot, 0, 12), 0x00C000u);
    EXPECT_EQ(skinctl::Px(*shot, 149, 12), 0x00C000u);
    EXPECT_EQ(skinctl::Px(*shot, 1, 12), 0xF0E0D0u);
    EXPECT_EQ(skinctl::Px(*shot, 148, 22), 0xF0E0D0u);
    EXPECT_EQ(edit->ClientWidth(), 146);
    EXPECT_EQ(edit->ClientHeight(), 20);
}

TEST(SkinEdit, KeepsItsBorderWhileTyping) {
    auto form = skinctl::ShowForm();
    auto* edit = skinctl::Add<TsuiEdit>(*form, 20, 20, 150, 24);
    edit->SetBorderColor(0x0000FF);
    edit->SetFocus();
    for (char c : std::string("typed")) SendMessageA(edit->Handle(), WM_CHAR, static_cast<WPARAM>(c), 1);
    EXPECT_EQ(edit->Text(), "typed");
    auto shot = skinctl::Screen(*edit);
    EXPECT_EQ(skinctl::Px(*shot, 0, 12), 0x0000FFu);
    EXPECT_EQ(skinctl::Px(*shot, 1, 12), vl::ColorToRGB(edit->Color()));
}

TEST(SkinEdit, TakesItsBorderColourFromTheLookAndFallsBackWithoutItsTheme) {
    auto form = skinctl::ShowForm();
    auto* edit = skinctl::Add<TsuiEdit>(*form, 20, 20, 150, 24);
    edit->SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(edit->BorderColor(), GetBuiltInColor(TsuiUIStyle::WinXP, ThemeItem::ControlBorderColor));
    auto shot = skinctl::Screen(*edit);
    EXPECT_EQ(skinctl::Px(*shot, 0, 12), vl::ColorToRGB(edit->BorderColor()));

    TsuiFileTheme* theme = skinctl::MsnTheme(form.get());
    edit->SetUIStyle(TsuiUIStyle::FromThemeFile);
    edit->SetFileTheme(theme);
    EXPECT_EQ(edit->BorderColor(), theme->GetColor(ThemeItem::ControlBorderColor));
    delete theme;
    EXPECT_EQ(edit->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(edit->BorderColor(), GetBuiltInColor(TsuiUIStyle::DeepBlue, ThemeItem::ControlBorderColor));
}
