// TsuiPopupMenu really open on the screen: the tray menu's description loaded into a form,
// popped up, and read back pixel by pixel while the menu's own loop runs.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "MenuScreenSupport.h"
#include "SkinTestSupport.h"
#include "framework/Form.h"
#include "framework/GdiOwners.h"
#include "framework/Menus.h"
#include "skin/controls/PopupMenu.h"
#include "tests/framework/GuiTestSupport.h"

using namespace vorlinde;
using menutest::RunWhileOpen;
using menutest::TScreenShot;

namespace {

// The tray menu as the main window's form description gives it.
const char kTrayMenuForm[] =
    "object MenuForm: TForm\n"
    "  object PopupMenu1: TsuiPopupMenu\n"
    "    OwnerDraw = True\n"
    "    UIStyle = Protein\n"
    "    MenuItemHeight = 21\n"
    "    SeparatorHeight = 5\n"
    "    BarWidth = 26\n"
    "    BarColor = 13554646\n"
    "    Color = clWhite\n"
    "    SeparatorColor = 8684164\n"
    "    SelectedBorderColor = 12857389\n"
    "    SelectedColor = 12857389\n"
    "    SelectedFontColor = clWhite\n"
    "    FontColor = clBlack\n"
    "    BorderColor = clBlack\n"
    "    FlatMenu = False\n"
    "    FontName = 'MS Sans Serif'\n"
    "    FontSize = 8\n"
    "    FontCharset = DEFAULT_CHARSET\n"
    "    UseSystemFont = True\n"
    "    object Pause1: TMenuItem\n"
    "      Caption = '&Pause'\n"
    "      AutoCheck = True\n"
    "    end\n"
    "    object Stop1: TMenuItem\n"
    "      Caption = '&Stop'\n"
    "    end\n"
    "    object Options1: TMenuItem\n"
    "      Caption = '&Options..'\n"
    "    end\n"
    "    object Help1: TMenuItem\n"
    "      Caption = '&Help'\n"
    "    end\n"
    "    object About1: TMenuItem\n"
    "      Caption = '&About..'\n"
    "    end\n"
    "    object Exit1: TMenuItem\n"
    "      Caption = '&Exit'\n"
    "    end\n"
    "  end\n"
    "end\n";

constexpr uint32_t kBar = 0xCED3D6, kWhite = 0xFFFFFF, kSelected = 0xC4302D, kSeparator = 0x848284;
constexpr int kMenuX = 200, kMenuY = 150;

class PopupMenuScreen : public testing::Test {
protected:
    void SetUp() override {
        form = skintest::MakeForm();
        form->LoadFromText(kTrayMenuForm);
        menu = dynamic_cast<TsuiPopupMenu*>(form->FindComponent("PopupMenu1"));
        ASSERT_NE(menu, nullptr);
        // Nothing of the test's own windows under the menu, and the pointer away from it.
        menutest::PointAt(5, 5);
    }

    vl::TMenuItem* Item(int index) { return menu->Items()->Items(index); }
    vl::TMenuItem* AddItem(const std::string& caption) {
        auto* item = new vl::TMenuItem(form.get());
        item->SetCaption(caption);
        menu->Items()->Add(item);
        return item;
    }
    // Pops the menu up and runs the steps while it is open, `intervalMs` apart.
    int Show(const std::vector<std::function<void()>>& steps, UINT intervalMs = 30) {
        return RunWhileOpen([this] { menu->Popup(kMenuX, kMenuY); }, steps, intervalMs);
    }

    std::unique_ptr<vl::TForm> form;
    TsuiPopupMenu* menu = nullptr;
};

}  // namespace

TEST_F(PopupMenuScreen, ProteinItemsAre21HighWithTheBarBesideWhite) {
    std::vector<RECT> rects;
    uint32_t bar = 0, background = 0, barEdge = 0, afterBar = 0;
    Show({[&] {
        for (int i = 0; i < 6; ++i) rects.push_back(menutest::OpenMenuItemRect(i));
        const RECT r = rects[1];  // "&Stop": no check mark
        TScreenShot shot(r);
        bar = shot.Pixel(r.left + 1, r.bottom - 2);
        barEdge = shot.Pixel(r.left + 25, r.top + 1);
        afterBar = shot.Pixel(r.left + 26, r.top + 1);
        background = shot.Pixel(r.right - 3, r.bottom - 2);
    }});
    ASSERT_EQ(rects.size(), 6u);
    for (const RECT& r : rects) EXPECT_EQ(r.bottom - r.top, 21);
    EXPECT_EQ(bar, kBar);
    EXPECT_EQ(barEdge, kBar);
    EXPECT_EQ(afterBar, kWhite);
    EXPECT_EQ(background, kWhite);
}

TEST_F(PopupMenuScreen, BarAndBackgroundReachTheMenusFrame) {
    RECT window{}, first{}, last{};
    uint32_t topLeft = 0, topRight = 0, besideItem = 0, bottomLeft = 0, frame = 0;
    Show({[&] {
        GetWindowRect(menutest::OpenMenuWindow(), &window);
        first = menutest::OpenMenuItemRect(0);
        last = menutest::OpenMenuItemRect(5);
        TScreenShot shot(window);
        topLeft = shot.Pixel(first.left - 1, first.top - 1);
        topRight = shot.Pixel(first.right, first.top - 1);
        besideItem = shot.Pixel(first.left - 1, first.top + 10);
        bottomLeft = shot.Pixel(last.left - 1, last.bottom);
        frame = shot.Pixel(window.left, window.top + 10);
    }});
    ASSERT_GT(first.left, window.left + 1);  // the system keeps a margin inside the frame
    EXPECT_EQ(topLeft, kBar);
    EXPECT_EQ(besideItem, kBar);
    EXPECT_EQ(bottomLeft, kBar);
    EXPECT_EQ(topRight, kWhite);
    EXPECT_NE(frame, kBar);  // the frame itself is left alone
    EXPECT_NE(frame, kWhite);
}

TEST_F(PopupMenuScreen, FlatMenuRedrawsTheFrameInBlackWhiteAndTheFormBackground) {
    menu->Look().SetFlatMenu(true);
    RECT window{};
    uint32_t black = 0, white = 0, top = 0, bottom = 0, right = 0;
    Show({[&] {
        GetWindowRect(menutest::OpenMenuWindow(), &window);
        TScreenShot shot(window);
        black = shot.Pixel(window.left, window.top + 10);
        white = shot.Pixel(window.left + 1, window.top + 10);
        top = shot.Pixel(window.left + 10, window.top);
        bottom = shot.Pixel(window.left + 10, window.bottom - 1);
        right = shot.Pixel(window.right - 1, window.top + 10);
    }});
    const uint32_t formBackground = 0xFBFBFB;  // Protein's
    EXPECT_EQ(black, 0x000000u);
    EXPECT_EQ(white, kWhite);
    EXPECT_EQ(top, formBackground);
    EXPECT_EQ(bottom, formBackground);
    EXPECT_EQ(right, formBackground);
}

TEST_F(PopupMenuScreen, HoveredItemIsFilledAndFramedWithAWhiteCaption) {
    RECT r{};
    int selectedPixels = 0, whitePixels = 0, blackPixels = 0, area = 0;
    uint32_t corner = 0;
    Show({[&] { menutest::PointAtItem(2); },
          [&] {
              r = menutest::OpenMenuItemRect(2);
              TScreenShot shot(r);
              area = (r.right - r.left) * (r.bottom - r.top);
              selectedPixels = shot.Count(r, kSelected);
              whitePixels = shot.Count(RECT{r.left + 30, r.top + 4, r.right, r.bottom}, kWhite);
              blackPixels = shot.Count(r, 0x000000);
              corner = shot.Pixel(r.left, r.top);
          }});
    EXPECT_EQ(corner, kSelected);
    EXPECT_GT(selectedPixels, area * 3 / 4);  // fill and frame, the caption aside
    EXPECT_GT(whitePixels, 10);               // "&Options.." in white
    EXPECT_EQ(blackPixels, 0);
}

TEST_F(PopupMenuScreen, CheckedPauseShowsTheCheckMarkOverTheBar) {
    Item(0)->SetChecked(true);
    vl::TBitmap mark;
    mark.LoadFromResourceName(GetModuleHandleA(nullptr), "MENU_CHECKED");
    // The dark pixels of the mark, and one of its white (transparent) ones.
    uint32_t markDark = 0, markClear = 0, uncheckedSpot = 0;
    Show({[&] {
        const RECT pause = menutest::OpenMenuItemRect(0), stop = menutest::OpenMenuItemRect(1);
        TScreenShot shot(RECT{pause.left, pause.top, pause.right, stop.bottom});
        markDark = shot.Pixel(pause.left + 4 + 6, pause.top + 3 + 11);
        markClear = shot.Pixel(pause.left + 4, pause.top + 3);
        uncheckedSpot = shot.Pixel(stop.left + 4 + 6, stop.top + 3 + 11);
    }});
    EXPECT_EQ(markDark, skintest::PixelAt(mark, 6, 11));
    EXPECT_EQ(markClear, kBar);
    EXPECT_EQ(uncheckedSpot, kBar);
}

TEST_F(PopupMenuScreen, SeparatorIs5HighWithOneLineFromLeft30ToRight2) {
    AddItem("-");
    AddItem("Last");
    RECT r{};
    std::vector<uint32_t> row1, row2, row3;
    Show({[&] {
        r = menutest::OpenMenuItemRect(6);
        TScreenShot shot(r);
        for (int x = r.left; x < r.right; ++x) {
            row1.push_back(shot.Pixel(x, r.top + 1));
            row2.push_back(shot.Pixel(x, r.top + 2));
            row3.push_back(shot.Pixel(x, r.top + 3));
        }
    }});
    ASSERT_EQ(r.bottom - r.top, 5);
    const int width = r.right - r.left;
    for (int x = 0; x < width; ++x) {
        const uint32_t expected = x >= 30 && x < width - 2 ? kSeparator : x < 26 ? kBar : kWhite;
        EXPECT_EQ(row2[x], expected) << "column " << x;
        EXPECT_EQ(row1[x], x < 26 ? kBar : kWhite) << "column " << x;
        EXPECT_EQ(row3[x], x < 26 ? kBar : kWhite) << "column " << x;
    }
}

TEST_F(PopupMenuScreen, MacOSIgnoresMenuItemHeightAndAnotherStyleBringsBack21) {
    AddItem("-");
    menu->SetUIStyle(TsuiUIStyle::MacOS);
    menu->Look().SetMenuItemHeight(30);
    menu->Look().SetSeparatorHeight(9);
    RECT item{}, separator{};
    Show({[&] {
        item = menutest::OpenMenuItemRect(0);
        separator = menutest::OpenMenuItemRect(6);
    }});
    EXPECT_EQ(item.bottom - item.top, 20);
    EXPECT_EQ(separator.bottom - separator.top, 12);

    menu->SetUIStyle(TsuiUIStyle::Protein);
    Show({[&] { item = menutest::OpenMenuItemRect(0); }});
    EXPECT_EQ(item.bottom - item.top, 21);
}

TEST_F(PopupMenuScreen, DisabledItemIsGreyAndNeverSelectedWhenHovered) {
    Item(3)->SetEnabled(false);
    int selectedPixels = -1, greyPixels = 0, blackPixels = -1;
    Show({[&] { menutest::PointAtItem(3); },
          [&] {
              const RECT r = menutest::OpenMenuItemRect(3);
              TScreenShot shot(r);
              selectedPixels = shot.Count(r, kSelected);
              greyPixels = shot.Count(r, 0x808080);
              blackPixels = shot.Count(r, 0x000000);
          }});
    EXPECT_EQ(selectedPixels, 0);
    EXPECT_GT(greyPixels, 10);
    EXPECT_EQ(blackPixels, 0);
}

TEST_F(PopupMenuScreen, OptionsIsMeasuredAsItsCaptionWidthPlus66) {
    int measured = 0, height = 0;
    {
        vl::TScreenDC dc;
        menu->MeasureItem(*Item(2), dc.Get(), measured, height);
    }
    const LOGFONTA logFont = vl::SystemMenuLogFont();
    vl::TGdiFont font(CreateFontIndirectA(&logFont));
    vl::TScreenDC dc;
    vl::TSelectObject selected(dc.Get(), font.Get());
    RECT caption{0, 0, 0, 0};
    DrawTextA(dc.Get(), "&Options..", -1, &caption, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(measured, caption.right + 66);
    EXPECT_EQ(height, 21);

    // On the screen the item is at least that wide.
    RECT r{};
    Show({[&] { r = menutest::OpenMenuItemRect(2); }});
    EXPECT_GE(r.right - r.left, measured);
}

// Slower than most (each pop-up waits for the menu to be painted): a leak of one object per
// pop-up must show.
TEST_F(PopupMenuScreen, TwoHundredPopupsLeaveNoGdiObjects) {
    Item(0)->SetChecked(true);
    Item(3)->SetEnabled(false);
    Item(4)->SetDefault(true);
    Show({[] {}});  // the first one makes the shared check mark
    const DWORD before = vltest::GdiObjects();
    int painted = 0;
    for (int i = 0; i < 200; ++i) painted += Show({[] {}}, 10);
    EXPECT_EQ(painted, 200);
    EXPECT_EQ(vltest::GdiObjects(), before);
}
