// TsuiListBox: its skinned border, read from the screen, and the linked scroll bar that it
// keeps in step with its native one (shown only while the items overflow, thumb length, range,
// position, placement), scrolling from the bar and the bar following the list.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "SkinControlsTestSupport.h"
#include "framework/Colors.h"
#include "framework/Font.h"
#include "skin/FileTheme.h"
#include "skin/controls/ImageButton.h"
#include "skin/controls/ListBox.h"
#include "skin/controls/ScrollBar.h"

using namespace vorlinde;

namespace {

// The settings window's playlist (281 x 233, items 13 high) with a linked bar beside it.
struct LinkedList {
    explicit LinkedList(bool link = true) : form(skinctl::ShowForm()) {
        list = skinctl::Add<TsuiListBox>(*form, 20, 20, 281, 233);
        list->SetUIStyle(TsuiUIStyle::Protein);
        list->SetItemHeight(13);
        bar = new TsuiScrollBar(form.get());
        bar->SetParent(form.get());
        bar->SetUIStyle(TsuiUIStyle::Protein);
        if (link) list->SetVScrollBar(bar);
        skinctl::Pump(20);
    }
    void AddItems(int n) {
        for (int i = 0; i < n; ++i) list->Items()->Add("C:\\Movies\\clip " + std::to_string(i) + ".mpg");
    }
    SCROLLBARINFO Native() {
        SCROLLBARINFO info{};
        info.cbSize = sizeof(info);
        GetScrollBarInfo(list->Handle(), OBJID_VSCROLL, &info);
        return info;
    }

    std::unique_ptr<vl::TForm> form;
    TsuiListBox* list;
    TsuiScrollBar* bar;
};

}  // namespace

TEST(SkinListBox, ShowsNoLinkedBarWhileTheItemsFit) {
    LinkedList f;
    f.AddItems(5);
    EXPECT_FALSE(f.bar->Visible());
    EXPECT_FALSE(f.bar->Enabled());
    EXPECT_EQ(f.bar->LineButton(), 0);
}

TEST(SkinListBox, ShowsTheBarWithTheNativeThumbLengthOnceTheItemsOverflow) {
    LinkedList f;
    f.AddItems(5);
    f.AddItems(30);  // 35 items of 13 pixels in 229: they overflow
    ASSERT_TRUE(f.bar->Visible());
    EXPECT_TRUE(f.bar->Enabled());
    const SCROLLBARINFO native = f.Native();
    const int nativeThumb = native.xyThumbBottom - native.xyThumbTop;
    EXPECT_EQ(f.bar->LineButton(), std::max(nativeThumb, 18));
    EXPECT_EQ(f.bar->ThumbLength(), f.bar->LineButton());
    // The range is that of the top item: the count minus what one page shows.
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(f.list->Handle(), SB_VERT, &si);
    EXPECT_EQ(f.bar->Max(), 35 - static_cast<int>(si.nPage));
    EXPECT_EQ(f.bar->Position(), 0);
}

TEST(SkinListBox, AThumbOfAVeryLongListIsStillEighteenPixels) {
    LinkedList f;
    f.list->Items()->BeginUpdate();
    f.AddItems(3000);
    f.list->Items()->EndUpdate();  // the bar follows once drawing resumes
    ASSERT_TRUE(f.bar->Visible());
    EXPECT_EQ(f.bar->ThumbLength(), 18);
}

TEST(SkinListBox, PlacesA16PixelBarAtLeft263Top1HeightMinus2) {
    LinkedList f;
    f.AddItems(40);
    EXPECT_EQ(f.bar->Width(), 16);
    EXPECT_EQ(f.bar->Left(), 20 + 263);
    EXPECT_EQ(f.bar->Top(), 20 + 1);
    EXPECT_EQ(f.bar->Height(), 233 - 2);
    // and follows the list when it moves and grows
    f.list->SetBounds(30, 40, 200, 150);
    EXPECT_EQ(f.bar->Left(), 30 + 200 - 16 - 2);
    EXPECT_EQ(f.bar->Top(), 41);
    EXPECT_EQ(f.bar->Height(), 148);
}

TEST(SkinListBox, ANarrowListGetsTheBarAtItsLeft) {
    LinkedList f;
    f.list->SetBounds(50, 20, 10, 100);
    EXPECT_EQ(f.bar->Left(), 50);
}

TEST(SkinListBox, DraggingTheThumbScrollsTheTopItemToThePosition) {
    LinkedList f;
    f.AddItems(100);
    TsuiScrollTrackBar& track = *f.bar->Track();
    const RECT slider = track.SliderRect();
    const int x = (slider.left + slider.right) / 2, y = (slider.top + slider.bottom) / 2;
    skinctl::SendMouse(track, WM_LBUTTONDOWN, x, y);
    EXPECT_TRUE(track.Dragging());
    EXPECT_EQ(GetCapture(), track.Handle());
    skinctl::SendMouse(track, WM_MOUSEMOVE, x, y + 60);
    skinctl::SendMouse(track, WM_LBUTTONUP, x, y + 60);
    EXPECT_FALSE(track.Dragging());
    EXPECT_GT(f.bar->Position(), 0);
    EXPECT_EQ(f.list->TopIndex(), f.bar->Position());
}

TEST(SkinListBox, TheWheelMovesTheThumb) {
    LinkedList f;
    f.AddItems(100);
    const int before = f.bar->Track()->SliderRect().top;
    SendMessageA(f.list->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(100, 100));
    ASSERT_GT(f.list->TopIndex(), 0);
    EXPECT_EQ(f.bar->Position(), f.list->TopIndex());
    EXPECT_GT(f.bar->Track()->SliderRect().top, before);
}

TEST(SkinListBox, KeysAndSelectionsFromTheProgramMoveTheThumb) {
    LinkedList f;
    f.AddItems(100);
    f.list->SetItemIndex(99);  // scrolls the last item into view
    EXPECT_GT(f.list->TopIndex(), 0);
    EXPECT_EQ(f.bar->Position(), f.list->TopIndex());
    f.list->SetFocus();
    skinctl::SendKey(*f.list, WM_KEYDOWN, VK_HOME);
    EXPECT_EQ(f.list->TopIndex(), 0);
    EXPECT_EQ(f.bar->Position(), 0);
}

TEST(SkinListBox, TheArrowScrollsTheListByOneItem) {
    LinkedList f;
    f.AddItems(100);
    skinctl::SendMouse(*f.bar->IncButton(), WM_LBUTTONDOWN, 5, 5);
    skinctl::SendMouse(*f.bar->IncButton(), WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(f.bar->Position(), 1);
    EXPECT_EQ(f.list->TopIndex(), 1);
}

TEST(SkinListBox, DeletingItemsUntilTheyFitHidesTheBar) {
    LinkedList f;
    f.AddItems(40);
    f.list->SetTopIndex(20);
    ASSERT_TRUE(f.bar->Visible());
    while (f.list->Count() > 3) f.list->Items()->Delete(0);
    EXPECT_FALSE(f.bar->Visible());
    EXPECT_EQ(f.bar->Position(), 0);
    f.AddItems(40);
    EXPECT_TRUE(f.bar->Visible());
    f.list->Clear();
    EXPECT_FALSE(f.bar->Visible());
}

TEST(SkinListBox, AHiddenListHidesItsBar) {
    LinkedList f;
    f.AddItems(40);
    f.list->Hide();
    EXPECT_FALSE(f.bar->Visible());
    f.AddItems(1);  // a change while hidden keeps it hidden
    EXPECT_FALSE(f.bar->Visible());
    f.list->Show();
    EXPECT_TRUE(f.bar->Visible());
}

TEST(SkinListBox, LettingGoOfTheBarRestoresIt) {
    LinkedList f;
    f.AddItems(5);
    f.list->SetVScrollBar(nullptr);
    EXPECT_EQ(f.bar->LineButton(), 0);
    EXPECT_EQ(f.bar->Max(), 100);
    EXPECT_TRUE(f.bar->Enabled());
    EXPECT_FALSE(f.bar->OnChange);
    // and the list no longer moves it
    f.AddItems(60);
    f.list->SetTopIndex(10);
    EXPECT_EQ(f.bar->Position(), 0);
}

TEST(SkinListBox, ForgetsADestroyedBar) {
    LinkedList f;
    delete f.bar;
    EXPECT_EQ(f.list->VScrollBar(), nullptr);
    f.AddItems(60);  // nothing to update
}

TEST(SkinListBox, PassesItsStyleAndThemeToTheBar) {
    LinkedList f;
    f.list->SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(f.bar->UIStyle(), TsuiUIStyle::WinXP);
    EXPECT_EQ(f.list->BorderColor(), GetBuiltInColor(TsuiUIStyle::WinXP, ThemeItem::ControlBorderColor));
    // FromThemeFile without a loaded theme draws as DeepBlue: so does the bar.
    f.list->SetUIStyle(TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(f.bar->UIStyle(), TsuiUIStyle::DeepBlue);
    TsuiFileTheme* theme = skinctl::MsnTheme(f.form.get());
    f.list->SetFileTheme(theme);
    EXPECT_EQ(f.bar->FileTheme(), theme);
    EXPECT_EQ(f.bar->UIStyle(), TsuiUIStyle::FromThemeFile);
    delete theme;
    EXPECT_EQ(f.list->FileTheme(), nullptr);
    EXPECT_EQ(f.list->UIStyle(), TsuiUIStyle::DeepBlue);
}

TEST(SkinListBox, DrawsTheBorderColourOutsideAndItsOwnColourInside) {
    LinkedList f(false);
    f.AddItems(40);  // the native bar shows inside the border
    f.list->SetBorderColor(0x0000FF);
    f.list->SetColor(0x00FFEE);
    auto shot = skinctl::Screen(*f.list);
    const int w = f.list->Width(), h = f.list->Height();
    for (int x : {0, 100, w - 1}) {
        EXPECT_EQ(skinctl::Px(*shot, x, 0), 0x0000FFu) << x;
        EXPECT_EQ(skinctl::Px(*shot, x, h - 1), 0x0000FFu) << x;
    }
    for (int y : {0, 100, h - 1}) {
        EXPECT_EQ(skinctl::Px(*shot, 0, y), 0x0000FFu) << y;
        EXPECT_EQ(skinctl::Px(*shot, w - 1, y), 0x0000FFu) << y;
    }
    EXPECT_EQ(skinctl::Px(*shot, 1, 1), 0x00FFEEu);
    EXPECT_EQ(skinctl::Px(*shot, 100, h - 2), 0x00FFEEu);
    EXPECT_EQ(skinctl::Px(*shot, w - 2, 100), 0x00FFEEu);  // right of the native bar
    EXPECT_EQ(skinctl::Px(*shot, 1, 100), 0x00FFEEu);
    // The native bar sits inside the border: the client area is four pixels narrower than
    // the window less the bar.
    EXPECT_EQ(f.list->ClientWidth(), w - 4 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(f.list->ClientHeight(), h - 4);
}

TEST(SkinListBox, TakesItsBorderColourFromTheLook) {
    LinkedList f(false);
    f.list->SetUIStyle(TsuiUIStyle::MacOS);
    auto shot = skinctl::Screen(*f.list);
    EXPECT_EQ(skinctl::Px(*shot, 0, 50), vl::ColorToRGB(GetBuiltInColor(TsuiUIStyle::MacOS, 25)));
    EXPECT_EQ(skinctl::Px(*shot, 1, 50), vl::ColorToRGB(f.list->Color()));
}

TEST(SkinListBox, ShowsTheLinkedBarInFrontOfItsNativeOne) {
    LinkedList f;  // the bar's window is made after the list's, so it starts below it
    f.AddItems(40);
    ASSERT_TRUE(f.bar->Visible());
    auto shot = skinctl::Screen(*f.bar);
    vl::TBitmap& arrow = *f.bar->DecButton()->PicNormal()->Bitmap();
    ASSERT_FALSE(arrow.Empty());
    EXPECT_TRUE(skinctl::SameBlock(*shot, 0, 0, arrow, 0, 0, arrow.Width(), arrow.Height()));
}
