// The dialog components' own state: the values a new one holds, the style it takes from its
// owner form, and its file theme going away.
#include <gtest/gtest.h>

#include "SkinControlsTestSupport.h"
#include "framework/Colors.h"
#include "skin/FileTheme.h"
#include "skin/SkinForm.h"
#include "skin/controls/InputDialog.h"
#include "skin/controls/MessageDialog.h"

using namespace vorlinde;

namespace {

TEST(DialogComponent, ANewMessageDialogHoldsItsStartingValues) {
    TsuiMessageDialog dialog(nullptr);
    EXPECT_EQ(dialog.Caption(), "suiDialog");
    EXPECT_EQ(dialog.Position(), vl::TPosition::ScreenCenter);
    EXPECT_EQ(dialog.UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(dialog.CaptionFont()->Name(), "Tahoma");
    EXPECT_EQ(dialog.CaptionFont()->Style(), vl::fsBold);
    EXPECT_EQ(dialog.CaptionFont()->Color(), vl::clWhite);
    EXPECT_EQ(dialog.ButtonCursor(), vl::crHandPoint);
    EXPECT_EQ(dialog.ButtonCount(), 1);
    EXPECT_EQ(dialog.ButtonCaption(1), "OK");
    EXPECT_EQ(dialog.ButtonCaption(2), "Cancel");
    EXPECT_EQ(dialog.ButtonCaption(3), "Cancel");
    EXPECT_EQ(dialog.ButtonModalResult(1), vl::mrOk);
    EXPECT_EQ(dialog.ButtonModalResult(3), vl::mrCancel);
    EXPECT_EQ(dialog.IconType(), TsuiIconType::suiNone);
    EXPECT_EQ(dialog.Text(), "Hello world!");
    TsuiInputDialog input(nullptr);
    EXPECT_EQ(input.PromptText(), "Prompt text:");
    EXPECT_EQ(input.ValueText(), "");
    EXPECT_EQ(input.PasswordChar(), '\0');
    EXPECT_EQ(input.ButtonOKCaption(), "OK");
    EXPECT_EQ(input.ButtonCancelCaption(), "Cancel");
}

TEST(DialogComponent, TakesTheStyleOfItsOwnersFrameAndFallsBackWhenItsThemeGoes) {
    auto form = skinctl::ShowForm();
    auto* frame = new TsuiForm(form.get());
    frame->SetParent(form.get());
    frame->SetUIStyle(TsuiUIStyle::Protein);
    auto* dialog = new TsuiInputDialog(form.get());
    EXPECT_EQ(dialog->UIStyle(), TsuiUIStyle::Protein);
    TsuiFileTheme* theme = skinctl::MsnTheme(form.get());
    dialog->SetUIStyle(TsuiUIStyle::FromThemeFile);
    dialog->SetFileTheme(theme);
    delete theme;
    EXPECT_EQ(dialog->FileTheme(), nullptr);
    EXPECT_EQ(dialog->UIStyle(), TsuiUIStyle::DeepBlue);
}

TEST(DialogComponent, MacOSTurnsTheCaptionFontBlack) {
    TsuiMessageDialog dialog(nullptr);
    dialog.SetUIStyle(TsuiUIStyle::MacOS);
    EXPECT_EQ(dialog.CaptionFont()->Color(), vl::clBlack);
}

TEST(DialogComponent, ButtonNumbersOutsideOneToThreeAreIgnored) {
    TsuiMessageDialog dialog(nullptr);
    dialog.SetButtonCaption(4, "Four");
    dialog.SetButtonModalResult(0, vl::mrYes);
    EXPECT_EQ(dialog.ButtonCaption(4), "");
    EXPECT_EQ(dialog.ButtonModalResult(0), vl::mrNone);
    dialog.SetButtonCount(7);
    EXPECT_EQ(dialog.ButtonCount(), 3);
}

}  // namespace
