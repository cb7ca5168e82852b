// TsuiTitleBar on a skinned form: its metrics in the built-in styles, the places of its buttons
// and caption, the hot button, the clicks and the system menu.
#include <gtest/gtest.h>

#include <string>

#include "SkinFrameTestSupport.h"
#include "framework/Menus.h"
#include "skin/TitleBar.h"
#include "skin/TitleBarPopupMenu.h"

using namespace vorlinde;
using B = TsuiTitleBarBtnType;
using skinframe::FramedForm;

namespace {

// Gives the bar these buttons, in this order, in its style.
void UseButtons(TsuiTitleBar& bar, std::initializer_list<B> types) {
    bar.Buttons().Clear();
    for (B type : types) bar.Buttons().Add().SetButtonType(type);
    bar.SetUIStyle(bar.UIStyle());
    bar.PaintNow();
}

int IndexOf(TsuiTitleBar& bar, B type) {
    for (int i = 0; i < bar.Buttons().Count(); ++i)
        if (bar.Buttons().Items(i).ButtonType() == type) return i;
    return -1;
}

POINT ScreenPoint(TsuiTitleBar& bar, int x, int y) { return bar.ClientToScreen(POINT{x, y}); }

}  // namespace

TEST(TitleBar, ProteinOnASkinnedFormHasTheStylesMetrics) {
    FramedForm f(TsuiUIStyle::Protein);
    TsuiTitleBar& bar = f.bar();
    EXPECT_EQ(bar.Height(), 20);  // 23 - 3
    EXPECT_EQ(bar.ButtonTop(), -1);  // 2 - 3
    EXPECT_EQ(bar.ButtonHeight(), 19);
    for (int i = 0; i < bar.Buttons().Count(); ++i) {
        EXPECT_EQ(bar.Buttons().Items(i).PicNormal().Width(), 19);
        EXPECT_EQ(bar.Buttons().Items(i).PicNormal().Height(), 19);
    }
    UseButtons(bar, {B::suiClose, B::suiMax});
    EXPECT_EQ(bar.CaptionX(), 6);
}

TEST(TitleBar, BlueGlassKeepsTheRightmostButtonThreePixelsInFromTheRight) {
    FramedForm f(TsuiUIStyle::BlueGlass, 400, 200);
    TsuiTitleBar& bar = f.bar();
    bar.PaintNow();
    EXPECT_EQ(bar.RightBtnXOffset(), -3);
    EXPECT_EQ(bar.ButtonRect(IndexOf(bar, B::suiClose)).right, bar.Width() - 3);
}

TEST(TitleBar, CloseIsRightmostHelpLeftOfItAndTheControlBoxAtTheLeft) {
    FramedForm f(TsuiUIStyle::Protein);
    TsuiTitleBar& bar = f.bar();
    UseButtons(bar, {B::suiControlBox, B::suiClose, B::suiHelp});
    const RECT close = bar.ButtonRect(1), help = bar.ButtonRect(2), box = bar.ButtonRect(0);
    EXPECT_EQ(close.right, bar.Width());
    EXPECT_EQ(help.right, close.left - 1);
    EXPECT_EQ(box.left, bar.LeftBtnXOffset());
    EXPECT_EQ(bar.CaptionX(), box.right + 5);
}

TEST(TitleBar, ButtonsOfTheSameTypeShowTheirStripImages) {
    FramedForm f(TsuiUIStyle::DeepBlue, 300, 200, false);
    TsuiTitleBarButton& close = f.bar().Buttons().Items(IndexOf(f.bar(), B::suiClose));
    vl::TBitmap strip;
    GetBuiltInStripBitmap(TsuiUIStyle::DeepBlue, ThemeItem::TitleBarButtonImage, &strip, 18, 16);
    EXPECT_EQ(skinframe::Px(*close.PicNormal().Bitmap(), 9, 9), skinframe::Px(strip, 9, 9));
}

TEST(TitleBar, ALongCaptionIsCutToItsLongestPrefixThatFitsWithDots) {
    auto width = [](const std::string& s) { return static_cast<int>(s.size()) * 10; };
    EXPECT_EQ(CutCaption("Vorlinde", 80, width), "Vorlinde");  // fits exactly
    EXPECT_EQ(CutCaption("Vorlinde", 79, width), "Vorl...");
    EXPECT_EQ(CutCaption("Vorlinde", 35, width), "...");
    EXPECT_EQ(CutCaption("Vorlinde", 5, width), "...");  // stops once the text is empty
    EXPECT_EQ(CutCaption("", 0, width), "");
}

TEST(TitleBar, ACaptionTooWideForTheBarIsDrawnCut) {
    FramedForm f(TsuiUIStyle::Protein, 200, 120);
    f.frame->SetCaption(std::string(80, 'W'));
    f.bar().PaintNow();
    const std::string& drawn = f.bar().DrawnCaption();
    ASSERT_GE(drawn.size(), 3u);
    EXPECT_EQ(drawn.substr(drawn.size() - 3), "...");
    EXPECT_LT(drawn.size(), 80u);
}

TEST(TitleBar, APointerOnAButtonsRightOrBottomEdgeMakesItHot) {
    FramedForm f(TsuiUIStyle::Protein);
    TsuiTitleBar& bar = f.bar();
    bar.PaintNow();
    const int close = IndexOf(bar, B::suiClose);
    const RECT r = bar.ButtonRect(close);
    POINT p = ScreenPoint(bar, r.right, (r.top + r.bottom) / 2);
    skinframe::PointAt(p.x, p.y);
    bar.PaintNow();
    EXPECT_EQ(bar.HotButton(), close);
    p = ScreenPoint(bar, (r.left + r.right) / 2, r.bottom);
    skinframe::PointAt(p.x, p.y);
    bar.PaintNow();
    EXPECT_EQ(bar.HotButton(), close);
    p = ScreenPoint(bar, 100, 10);
    skinframe::PointAt(p.x, p.y);
    bar.PaintNow();
    EXPECT_EQ(bar.HotButton(), -1);
}

TEST(TitleBar, ClickingTheHelpButtonRaisesOnHelpBtnClickWithItsIndex) {
    FramedForm f(TsuiUIStyle::Protein);
    TsuiTitleBar& bar = f.bar();
    UseButtons(bar, {B::suiControlBox, B::suiClose, B::suiHelp});
    int raised = -1;
    f.frame->OnTitleBarHelpBtnClick = [&](vl::TObject* sender, int index) {
        EXPECT_EQ(sender, &bar);
        raised = index;
    };
    const RECT r = bar.ButtonRect(2);
    const POINT p = ScreenPoint(bar, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    skinframe::PointAt(p.x, p.y);
    SendMessageA(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(bar.Handle(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(raised, 2);
    EXPECT_TRUE(IsWindowVisible(f.form->Handle()));
}

TEST(TitleBar, TheCloseButtonClosesTheWindow) {
    FramedForm f(TsuiUIStyle::Protein);
    TsuiTitleBar& bar = f.bar();
    bar.PaintNow();
    const RECT r = bar.ButtonRect(IndexOf(bar, B::suiClose));
    const POINT p = ScreenPoint(bar, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    skinframe::PointAt(p.x, p.y);
    SendMessageA(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(bar.Handle(), WM_LBUTTONUP, 0, 0);
    EXPECT_FALSE(IsWindowVisible(f.form->Handle()));
}

TEST(TitleBar, DoubleClickWithoutAMaxButtonDoesNothing) {
    FramedForm f(TsuiUIStyle::Protein);
    TsuiTitleBar& bar = f.bar();
    UseButtons(bar, {B::suiControlBox, B::suiClose});
    const POINT p = ScreenPoint(bar, 120, 8);
    skinframe::PointAt(p.x, p.y);
    SendMessageA(bar.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    EXPECT_FALSE(IsZoomed(f.form->Handle()));
    EXPECT_TRUE(IsWindowVisible(f.form->Handle()));
}

TEST(TitleBar, DoubleClickWithAMaxButtonMaximisesAndRestores) {
    FramedForm f(TsuiUIStyle::Protein);
    TsuiTitleBar& bar = f.bar();
    const POINT p = ScreenPoint(bar, 120, 8);
    skinframe::PointAt(p.x, p.y);
    SendMessageA(bar.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    EXPECT_TRUE(IsZoomed(f.form->Handle()));
    SendMessageA(bar.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    EXPECT_FALSE(IsZoomed(f.form->Handle()));
}

TEST(TitleBar, TheMaxButtonShowsTheRestorePictureWhileMaximised) {
    FramedForm f(TsuiUIStyle::DeepBlue);
    TsuiTitleBar& bar = f.bar();
    const int max = IndexOf(bar, B::suiMax);
    vl::TBitmap restore;
    GetBuiltInStripBitmap(TsuiUIStyle::DeepBlue, ThemeItem::TitleBarButtonImage, &restore, 18, 10);
    bar.ButtonClick(max);
    ASSERT_TRUE(IsZoomed(f.form->Handle()));
    EXPECT_EQ(skinframe::Px(*bar.Buttons().Items(max).PicNormal().Bitmap(), 9, 9), skinframe::Px(restore, 9, 9));
    bar.ButtonClick(max);
    EXPECT_FALSE(IsZoomed(f.form->Handle()));
}

TEST(TitleBarPopupMenu, HasTheStringTablesCaptions) {
    FramedForm f(TsuiUIStyle::Protein, 300, 200, false);
    TsuiTitleBarPopupMenu& menu = f.bar().SystemMenu();
    ASSERT_EQ(menu.Items()->Count(), 4);
    EXPECT_EQ(menu.Items()->Items(0)->Caption(), "Mi&nimize");
    EXPECT_EQ(menu.Items()->Items(1)->Caption(), "Ma&ximize/Restore");
    EXPECT_EQ(menu.Items()->Items(2)->Caption(), "-");
    EXPECT_EQ(menu.Items()->Items(3)->Caption(), "&Close");
    EXPECT_TRUE(menu.IsBound(*menu.Items()->Items(0)));
}

TEST(TitleBarPopupMenu, MinimizeIsDisabledWithoutAMinButton) {
    FramedForm f(TsuiUIStyle::Protein, 300, 200, false);
    TsuiTitleBar& bar = f.bar();
    UseButtons(bar, {B::suiControlBox, B::suiClose, B::suiHelp});
    bool popped = false;
    vl::TPopupMenu::TrackOverride = [&](vl::TPopupMenu&, HMENU, int, int) -> UINT {
        popped = true;
        return 0;
    };
    bar.PopupSystemMenu(0, 0);
    vl::TPopupMenu::TrackOverride = nullptr;
    EXPECT_TRUE(popped);
    EXPECT_FALSE(bar.SystemMenu().MinimizeItem()->Enabled());
    EXPECT_FALSE(bar.SystemMenu().MaximizeItem()->Enabled());
    EXPECT_TRUE(bar.SystemMenu().CloseItem()->Enabled());
    UseButtons(bar, {B::suiMin, B::suiMax});
    bar.SystemMenu().UpdateItems();
    EXPECT_TRUE(bar.SystemMenu().MinimizeItem()->Enabled());
    EXPECT_FALSE(bar.SystemMenu().CloseItem()->Enabled());
}

TEST(TitleBarPopupMenu, TheControlBoxOpensTheSystemMenuAndCloseClosesTheWindow) {
    FramedForm f(TsuiUIStyle::Protein);
    TsuiTitleBar& bar = f.bar();
    bar.PaintNow();
    const RECT r = bar.ButtonRect(IndexOf(bar, B::suiControlBox));
    const POINT p = ScreenPoint(bar, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    skinframe::PointAt(p.x, p.y);
    POINT at{};
    vl::TPopupMenu::TrackOverride = [&](vl::TPopupMenu& menu, HMENU, int x, int y) -> UINT {
        at = POINT{x, y};
        return menu.Items()->Items(3)->Command();
    };
    SendMessageA(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(bar.Handle(), WM_LBUTTONUP, 0, 0);
    vl::TPopupMenu::TrackOverride = nullptr;
    const POINT corner = ScreenPoint(bar, 0, bar.Height());
    EXPECT_EQ(at.x, corner.x);
    EXPECT_EQ(at.y, corner.y);
    EXPECT_FALSE(IsWindowVisible(f.form->Handle()));
}

TEST(TitleBarItems, ASecondControlBoxAndASecondClientSectionAreRefused) {
    skinframe::RefusalRecorder refusals;
    FramedForm f(TsuiUIStyle::Protein, 300, 200, false);
    TsuiTitleBar& bar = f.bar();
    TsuiTitleBarButton& close = bar.Buttons().Items(IndexOf(bar, B::suiClose));
    close.SetButtonType(B::suiControlBox);
    EXPECT_EQ(close.ButtonType(), B::suiClose);
    TsuiTitleBarSection& left = bar.Sections().Items(0);
    left.SetAlign(TsuiTitleBarAlign::suiClient);
    EXPECT_EQ(left.Align(), TsuiTitleBarAlign::suiLeft);
    ASSERT_EQ(refusals.texts.size(), 2u);
    EXPECT_EQ(refusals.texts[0], "Sorry, only one button's ButtonType property can be \"suiControlBox\"");
    EXPECT_EQ(refusals.texts[1], "Sorry, only one section's Align property can be \"suiClient\"");
    TsuiTitleBarSection& client = bar.Sections().Items(2);
    client.SetStretch(false);
    EXPECT_TRUE(client.Stretch());
}
