// The skinned input box: what its window shows at opening, and which ways of closing it take
// the typed text into ValueText.
#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "SkinControlsTestSupport.h"
#include "framework/Label.h"
#include "skin/SkinForm.h"
#include "skin/controls/Button.h"
#include "skin/controls/DialogForms.h"
#include "skin/controls/Edit.h"
#include "skin/controls/InputDialog.h"

using namespace vorlinde;

namespace {

class InputDialogResult : public testing::Test {
protected:
    InputDialogResult() : dialog(nullptr) { dialog.SetValueText("start"); }

    // Types into the field, then closes the window with `close`.
    int TypeAndClose(const std::function<void(TfrmInput&)>& close) {
        return skinctl::RunDialog<TfrmInput>(dialog, [close](TfrmInput& window) {
            SetWindowTextA(window.edt_value->Handle(), "typed");
            close(window);
        });
    }

    TsuiInputDialog dialog;
};

TEST_F(InputDialogResult, OkTakesTheFieldsText) {
    EXPECT_EQ(TypeAndClose([](TfrmInput& window) { window.btn1->Click(); }), vl::mrOk);
    EXPECT_EQ(dialog.ValueText(), "typed");
}

TEST_F(InputDialogResult, CancelLeavesValueTextAsItWas) {
    EXPECT_EQ(TypeAndClose([](TfrmInput& window) { window.btn2->Click(); }), vl::mrCancel);
    EXPECT_EQ(dialog.ValueText(), "start");
}

TEST_F(InputDialogResult, ClosingTheWindowLeavesValueTextAsItWas) {
    // What the title bar's close button does: the window's Close.
    EXPECT_EQ(TypeAndClose([](TfrmInput& window) { window.Close(); }), vl::mrCancel);
    EXPECT_EQ(dialog.ValueText(), "start");
}

TEST(InputDialogWindow, ShowsPromptValueAndCaptionsWithTheButtonsAroundTheMiddle) {
    TsuiInputDialog dialog(nullptr);
    dialog.SetCaption("Rename");
    dialog.SetPromptText("New name:");
    dialog.SetValueText("secret");
    dialog.SetPasswordChar('*');
    dialog.SetButtonOKCaption("&Rename");
    dialog.SetButtonCancelCaption("&Keep");
    skinctl::RunDialog<TfrmInput>(dialog, [](TfrmInput& window) {
        EXPECT_EQ(window.Caption(), "Rename");
        EXPECT_EQ(window.lbl_prompt->Caption(), "New name:");
        char text[32] = {};
        GetWindowTextA(window.edt_value->Handle(), text, sizeof text);
        EXPECT_STREQ(text, "secret");
        EXPECT_EQ(SendMessageA(window.edt_value->Handle(), EM_GETPASSWORDCHAR, 0, 0), '*');
        const int middle = window.Width() / 2;
        EXPECT_EQ(window.btn1->Left(), middle - 73 - 8);
        EXPECT_EQ(window.btn2->Left(), middle + 8);
        EXPECT_EQ(window.btn1->Caption(), "&Rename");
        EXPECT_TRUE(window.btn1->Default());
        EXPECT_EQ(window.btn2->Caption(), "&Keep");
        EXPECT_TRUE(window.btn2->Cancel());
        EXPECT_EQ(window.btn1->Cursor(), vl::crHandPoint);
        window.btn2->Click();
    });
}

}  // namespace
