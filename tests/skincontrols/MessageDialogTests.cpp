// The skinned message box: its layout for icon, buttons and text, the keys of its window
// (Ctrl+C copies it) and the modal result of the button chosen; no GDI object left behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "DialogTestSupport.h"
#include "SkinControlsTestSupport.h"
#include "framework/GuiTestSupport.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "skin/SkinForm.h"
#include "skin/controls/Button.h"
#include "skin/controls/DialogForms.h"
#include "skin/controls/MessageDialog.h"

using namespace vorlinde;

namespace {

const std::string kRule(27, '-');

int RunMsg(TsuiMessageDialog& dialog, std::function<void(TfrmMsg&)> act) {
    return skinctl::RunDialog<TfrmMsg>(dialog, std::move(act));
}

// The button that makes the dialog's `k`th button (they are made right to left).
TsuiButton& Button(TfrmMsg& window, int k) { return *window.Buttons.at(window.Buttons.size() - k); }

int Bottom(vl::TWinControl& control) { return control.Top() + control.Height(); }

// The outer width of the window with an icon, which the layouts without one are measured from.
int WidthWithIcon() {
    TsuiMessageDialog dialog(nullptr);
    dialog.SetIconType(TsuiIconType::suiWarning);
    int width = 0;
    RunMsg(dialog, [&](TfrmMsg& window) {
        width = window.Width();
        EXPECT_EQ(window.lbl->Left(), 88);
        EXPECT_TRUE(window.Image1->Visible());
        EXPECT_EQ(window.Image1->Width(), 42);  // sized to its icon
        Button(window, 1).Click();
    });
    return width;
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return "<clipboard not available>";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void EmptyTheClipboard() {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
}

TEST(MessageDialogLayout, OneButtonWithoutIconIsNarrowerWithTheButtonAtTheRightDefaultAndFocused) {
    const int iconWidth = WidthWithIcon();
    TsuiMessageDialog dialog(nullptr);
    const int result = RunMsg(dialog, [&](TfrmMsg& window) {
        EXPECT_EQ(window.Width(), iconWidth - 64);
        EXPECT_FALSE(window.Image1->Visible());
        EXPECT_EQ(window.lbl->Left(), 24);
        ASSERT_EQ(window.Buttons.size(), 1u);
        TsuiButton& button = Button(window, 1);
        EXPECT_EQ(button.Left(), window.Width() - 97);
        EXPECT_EQ(button.Width(), 73);
        EXPECT_EQ(button.Caption(), "OK");
        // Below the icon's place (64 + 40), which counts even without an icon.
        EXPECT_EQ(button.Top(), 124);
        EXPECT_EQ(window.Height(), 169);
        EXPECT_TRUE(button.Default());
        skinctl::Pump(100);  // the window's activation
        EXPECT_EQ(window.ActiveControl(), &button);
        EXPECT_EQ(GetFocus(), button.Handle());
        button.Click();
    });
    EXPECT_EQ(result, vl::mrOk);
}

TEST(MessageDialogLayout, ThreeButtonsWithoutIconKeepTheWidthAndStandRightToLeft) {
    const int iconWidth = WidthWithIcon();
    TsuiMessageDialog dialog(nullptr);
    dialog.SetButtonCount(3);
    dialog.SetButtonCaption(2, "&No");
    dialog.SetButtonModalResult(2, vl::mrNo);
    const int result = RunMsg(dialog, [&](TfrmMsg& window) {
        const int w = window.Width();
        EXPECT_EQ(w, iconWidth);
        ASSERT_EQ(window.Buttons.size(), 3u);
        EXPECT_EQ(Button(window, 1).Left(), w - 283);
        EXPECT_EQ(Button(window, 2).Left(), w - 190);
        EXPECT_EQ(Button(window, 3).Left(), w - 97);
        EXPECT_EQ(Button(window, 1).Caption(), "OK");
        EXPECT_EQ(Button(window, 3).Caption(), "Cancel");
        EXPECT_TRUE(Button(window, 1).Default());
        EXPECT_FALSE(Button(window, 2).Default());
        EXPECT_FALSE(Button(window, 2).Cancel());
        EXPECT_TRUE(Button(window, 3).Cancel());
        EXPECT_FALSE(Button(window, 3).Default());
        skinctl::Pump(100);  // the window's activation
        EXPECT_EQ(GetFocus(), Button(window, 1).Handle());
        Button(window, 2).Click();
    });
    EXPECT_EQ(result, vl::mrNo);
}

TEST(MessageDialogLayout, ALongTextGrowsTheWindowAndKeepsTheButtonsTwentyPixelsBelowIt) {
    TsuiMessageDialog dialog(nullptr);
    dialog.SetIconType(TsuiIconType::suiInformation);
    std::string text;
    for (int i = 0; i < 40; ++i) text += "A long message that wraps. ";
    dialog.SetText(text);
    RunMsg(dialog, [&](TfrmMsg& window) {
        EXPECT_EQ(window.lbl->Width(), 225);
        EXPECT_GT(window.lbl->Height(), 100);
        const int bottom = Bottom(*window.lbl);
        EXPECT_EQ(Button(window, 1).Top(), bottom + 20);
        EXPECT_EQ(window.Height(), bottom + 65);
        Button(window, 1).Click();
    });
}

TEST(MessageDialogKeys, CtrlCCopiesCaptionTextAndButtonsBetweenRules) {
    EmptyTheClipboard();
    TsuiMessageDialog dialog(nullptr);
    dialog.SetCaption("Vorlinde");
    dialog.SetText("The movie cannot be played.");
    dialog.SetButtonCount(2);
    std::string afterPlainC;
    RunMsg(dialog, [&](TfrmMsg& window) {
        HWND focused = Button(window, 1).Handle();
        SendMessageA(focused, WM_KEYDOWN, 'C', 1);  // without Ctrl: nothing
        afterPlainC = ClipboardText();
        {
            skinctl::HeldKeys keys({VK_CONTROL, VK_SHIFT});  // other modifiers do not matter
            SendMessageA(focused, WM_KEYDOWN, 'C', 1);
        }
        Button(window, 2).Click();
    });
    EXPECT_EQ(afterPlainC, "");
    EXPECT_EQ(ClipboardText(), kRule + "\r\nVorlinde\r\n" + kRule + "\r\nThe movie cannot be played.\r\n" + kRule +
                                   "\r\nCancel   OK\r\n" + kRule);
}

TEST(MessageDialogKeys, CopyingLeavesTheClipboardClosed) {
    EXPECT_TRUE(CopyTextToClipboard(nullptr, "text"));
    // Reading it back opens the clipboard again: only possible when the copy closed it.
    EXPECT_EQ(ClipboardText(), "text");
}

TEST(MessageDialogKeys, EscapeAnswersTheCancelButton) {
    TsuiMessageDialog dialog(nullptr);
    dialog.SetButtonCount(2);
    const int result = RunMsg(dialog, [](TfrmMsg&) { skinctl::PressKeyInLoop(VK_ESCAPE); });
    EXPECT_EQ(result, vl::mrCancel);
}

TEST(MessageDialogGdi, HundredDialogsLeaveTheGdiObjectCountWhereItWas) {
    // Each run builds and frees a whole skinned window (frame, title bar, icon, buttons): a
    // leak of one object per dialog shows only over many runs; 100 take about two seconds.
    auto runOnce = [](int i) {
        TsuiMessageDialog dialog(nullptr);
        dialog.SetIconType(static_cast<TsuiIconType>(1 + i % 4));
        dialog.SetButtonCount(1 + i % 3);
        dialog.SetUIStyle(static_cast<TsuiUIStyle>(1 + i % 5));
        RunMsg(dialog, [](TfrmMsg& window) {
            UpdateWindow(window.Handle());
            Button(window, 1).Click();
        });
    };
    for (int i = 0; i < 5; ++i) runOnce(i);  // fonts and cursors the system caches
    const DWORD before = vltest::GdiObjects();
    for (int i = 0; i < 100; ++i) runOnce(i);
    EXPECT_EQ(vltest::GdiObjects(), before);
}

}  // namespace
