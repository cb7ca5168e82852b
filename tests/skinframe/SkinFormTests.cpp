// TsuiForm on a real window: the native caption taken away and given back, the frame painted
// in the non-client area, the region, maximising to the work area, the style values and the
// form description's values.
#include <gtest/gtest.h>

#include "SkinFrameTestSupport.h"
#include "framework/Panel.h"
#include "skin/FileTheme.h"
#include "skin/FrameGeometry.h"
#include "skin/SkinForm.h"

using namespace vorlinde;
using skinframe::FramedForm;
using skinframe::Px;

TEST(SkinForm, TakesTheNativeCaptionAwayAndLeavesAThreePixelFrame) {
    FramedForm f(TsuiUIStyle::Protein);
    HWND hwnd = f.form->Handle();
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & WS_CAPTION, 0);
    RECT window{}, client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    EXPECT_EQ(origin.x - window.left, 3);
    EXPECT_EQ(origin.y - window.top, 3);
    EXPECT_EQ(client.right, window.right - window.left - 6);
    EXPECT_EQ(f.frame->Width(), client.right);
    EXPECT_EQ(f.bar().Top(), 0);
}

TEST(SkinForm, PutsTheCaptionBackWhenItGoes) {
    FramedForm f(TsuiUIStyle::Protein);
    HWND hwnd = f.form->Handle();
    delete f.frame;
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & WS_CAPTION, static_cast<LONG>(WS_CAPTION));
    // The host's own painting is back: the frame's messages no longer reach a freed frame.
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 100));
}

TEST(SkinForm, ASecondFrameOnTheSameFormStaysInert) {
    FramedForm f(TsuiUIStyle::Protein, 300, 200, false);
    auto* second = new TsuiForm(f.form.get());
    second->SetParent(f.form.get());
    EXPECT_TRUE(second->Inert());
    EXPECT_EQ(second->TitleBar(), nullptr);
    EXPECT_EQ(second->RoundCorner(), 0);
    EXPECT_FALSE(f.frame->Inert());
}

TEST(SkinForm, PaintsTheBorderAndTheTitlePicturesIntoTheFrame) {
    FramedForm f(TsuiUIStyle::Protein, 300, 200);
    auto shot = skinframe::WindowShot(f.form->Handle());
    EXPECT_EQ(Px(*shot, 150, 199), 0x000000u);  // Protein's border: black, 1 pixel
    EXPECT_EQ(Px(*shot, 150, 198), 0xFBFBFBu);  // its background colour
    EXPECT_EQ(Px(*shot, 0, 100), 0x000000u);
    EXPECT_EQ(Px(*shot, 299, 100), 0x000000u);
    // The top rows continue the title bar's left picture.
    vl::TBitmap left;
    GetBuiltInBitmap(TsuiUIStyle::Protein, ThemeItem::TitleBarLeftImage, &left);
    EXPECT_EQ(Px(*shot, 50, 1), Px(left, 50, 1));
    EXPECT_EQ(Px(*shot, 50, 10), Px(left, 50, 10));  // the bar itself, 3 pixels in
}

TEST(SkinForm, WhiteWithBorderWidthOneGivesTheBottomRowsOnTheScreen) {
    FramedForm f(TsuiUIStyle::DeepBlue, 300, 200);
    f.frame->SetColor(0xFFFFFF);
    f.frame->SetBorderColor(0x0000FF);
    f.frame->SetBorderWidth(1);
    auto shot = skinframe::WindowShot(f.form->Handle());
    for (int x = 1; x < 299; x += 7) {
        EXPECT_EQ(Px(*shot, x, 199), 0x0000FFu) << x;
        EXPECT_EQ(Px(*shot, x, 198), 0xFFFFFFu) << x;
        EXPECT_EQ(Px(*shot, x, 197), 0xFFFFFFu) << x;
    }
}

TEST(SkinForm, RoundCornerZeroGivesARectangularRegionAndAHiddenTitleBarReadsZero) {
    FramedForm f(TsuiUIStyle::BlueGlass, 300, 200);
    EXPECT_EQ(f.frame->RoundCorner(), 11);
    vl::TGdiRegion region = vl::MakeEmptyRegion();
    ASSERT_NE(GetWindowRgn(f.form->Handle(), region.Get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
    f.frame->SetTitleBarVisible(false);
    EXPECT_EQ(f.frame->RoundCorner(), 0);
    EXPECT_EQ(GetWindowRgn(f.form->Handle(), region.Get()), SIMPLEREGION);
    EXPECT_TRUE(PtInRegion(region.Get(), 0, 0));
    f.frame->SetTitleBarVisible(true);
    f.frame->SetRoundCorner(0);
    EXPECT_EQ(GetWindowRgn(f.form->Handle(), region.Get()), SIMPLEREGION);
}

TEST(SkinForm, MaximisingCoversTheWorkAreaButItsLastRow) {
    FramedForm f(TsuiUIStyle::Protein);
    ShowWindow(f.form->Handle(), SW_MAXIMIZE);
    skinframe::Pump(20);
    RECT now{};
    GetWindowRect(f.form->Handle(), &now);
    const RECT expected = MaximisedBounds(WorkAreaForMaximising());
    EXPECT_EQ(now.left, expected.left);
    EXPECT_EQ(now.top, expected.top);
    EXPECT_EQ(now.right, expected.right);
    EXPECT_EQ(now.bottom, expected.bottom);
}

TEST(SkinForm, TheStylesValuesReplaceTheStoredOnes) {
    FramedForm f(TsuiUIStyle::Protein, 300, 200, false);
    f.frame->SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(f.frame->BorderColor(), 0xC82C00u);  // red 0, green 44, blue 200
    EXPECT_EQ(f.frame->BorderWidth(), 3);
    EXPECT_EQ(f.frame->Color(), 0xDEEBEFu);
    EXPECT_EQ(f.frame->RoundCorner(), 13);
    EXPECT_EQ(f.form->Constraints()->MinWidth, 150);
}

TEST(SkinForm, SettingTheSameFileThemeAgainDoesNothing) {
    FramedForm f(TsuiUIStyle::FromThemeFile, 300, 200, false);
    auto* theme = new TsuiFileTheme(f.form.get());
    f.frame->SetFileTheme(theme);
    f.frame->SetBorderColor(0x123456);
    f.frame->SetFileTheme(theme);
    EXPECT_EQ(f.frame->BorderColor(), 0x123456u);
    f.frame->SetFileTheme(nullptr);
    EXPECT_EQ(f.frame->BorderColor(), 0u);  // DeepBlue's
}

TEST(SkinForm, ADescriptionsBlackBorderGivesWayToWinXPsOnceLoaded) {
    auto form = skinframe::LoadForm(
        "object F: TForm\n"
        "  ClientWidth = 300\n"
        "  ClientHeight = 200\n"
        "  object Frame1: TsuiForm\n"
        "    BorderColor = clBlack\n"
        "    UIStyle = WinXP\n"
        "    Caption = 'Framed'\n"
        "  end\n"
        "end\n");
    auto* frame = dynamic_cast<TsuiForm*>(form->FindComponent("Frame1"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->BorderColor(), 0xC82C00u);
    EXPECT_EQ(frame->TitleBar()->Caption(), "Framed");
    EXPECT_EQ(form->Caption(), "Framed");
    EXPECT_EQ(frame->Version(), "5.4");
}

TEST(SkinForm, ReadsTheTitleBarsButtonsAndSectionsFromTheDescription) {
    auto form = skinframe::LoadForm(
        "object F: TForm\n"
        "  object Frame1: TsuiForm\n"
        "    UIStyle = Protein\n"
        "    TitleBarButtons = <\n"
        "      item\n"
        "        ButtonType = suiControlBox\n"
        "        Transparent = True\n"
        "        Top = 2\n"
        "      end\n"
        "      item\n"
        "        ButtonType = suiClose\n"
        "      end\n"
        "      item\n"
        "        ButtonType = suiHelp\n"
        "      end>\n"
        "    TitleBarSections = <\n"
        "      item\n"
        "        Align = suiLeft\n"
        "        AutoSize = True\n"
        "        Width = 441\n"
        "      end>\n"
        "  end\n"
        "end\n");
    auto* frame = dynamic_cast<TsuiForm*>(form->FindComponent("Frame1"));
    ASSERT_NE(frame, nullptr);
    TsuiTitleBar& bar = *frame->TitleBar();
    ASSERT_EQ(bar.Buttons().Count(), 3);
    EXPECT_EQ(bar.Buttons().Items(2).ButtonType(), TsuiTitleBarBtnType::suiHelp);
    EXPECT_EQ(bar.Buttons().Items(0).PicNormal().Width(), 19);
}

TEST(SkinForm, RefusesItselfAsFormPanelAndTakesAPanel) {
    skinframe::RefusalRecorder refusals;
    FramedForm f(TsuiUIStyle::Protein, 300, 200, false);
    f.frame->SetFormPanel(f.frame);
    EXPECT_EQ(f.frame->FormPanel(), nullptr);
    ASSERT_EQ(refusals.texts.size(), 1u);
    EXPECT_EQ(refusals.texts[0], "Sorry, you can't select the Form assign to FormPanel property");
    auto* panel = new vl::TPanel(f.form.get());
    panel->SetParent(f.frame);
    panel->SetCaption("x");
    f.frame->SetFormPanel(panel);
    EXPECT_EQ(f.frame->FormPanel(), panel);
    EXPECT_EQ(panel->Align(), vl::TAlign::Client);
    EXPECT_EQ(panel->Caption(), "");
    delete panel;
    EXPECT_EQ(f.frame->FormPanel(), nullptr);
}

TEST(SkinForm, TheTitleBarLosesTheFocusLookWhenTheWindowIsInactive) {
    FramedForm f(TsuiUIStyle::Protein);
    SendMessageA(f.form->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(f.bar().FormActive());
    SendMessageA(f.form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(f.bar().FormActive());
}
