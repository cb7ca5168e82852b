// TsuiPopupMenu: the style's values, explicit values, the file theme, owner drawing, the
// binding of the items' events, and the painting of single items into a bitmap.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "MenuScreenSupport.h"
#include "SkinTestSupport.h"
#include "framework/ClassInfo.h"
#include "framework/Form.h"
#include "framework/GdiOwners.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "skin/SkinForm.h"
#include "skin/ThemeItems.h"
#include "skin/controls/PopupMenu.h"
#include "tests/framework/GuiTestSupport.h"

using namespace vorlinde;
using suiwriter::TThemeFileWriter;

namespace {

constexpr uint32_t kProteinBar = 0xCED3D6, kProteinSelected = 0xC4302D;

vl::TMenuItem* AddItem(vl::TMenu& menu, const std::string& caption, vl::TComponent* owner = nullptr) {
    auto* item = new vl::TMenuItem(owner);
    item->SetCaption(caption);
    menu.Items()->Add(item);
    return item;
}

// An item painted into a bitmap of its own size, as the menu paints it on the screen.
class TItemPicture {
public:
    TItemPicture(vl::TMenu& menu, vl::TMenuItem& item, int width, int height, bool selected)
        : bitmap_(width, height) {
        DRAWITEMSTRUCT dis{ODT_MENU, 0, item.Command(), ODA_DRAWENTIRE, selected ? UINT(ODS_SELECTED) : 0u,
                           nullptr, bitmap_.Canvas().Handle(), RECT{0, 0, width, height},
                           reinterpret_cast<ULONG_PTR>(&item)};
        handled_ = menu.HandleDrawItem(dis);
        GdiFlush();
    }
    bool Handled() const { return handled_; }
    uint32_t At(int x, int y) { return skintest::PixelAt(bitmap_, x, y); }
    int Count(uint32_t color, RECT r) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (At(x, y) == color) ++n;
        return n;
    }
    vl::TBitmap& Bitmap() { return bitmap_; }

private:
    vl::TBitmap bitmap_;
    bool handled_ = false;
};

int MeasuredWidth(vl::TMenu& menu, vl::TMenuItem& item) {
    int width = 0, height = 0;
    vl::TScreenDC dc;
    menu.MeasureItem(item, dc.Get(), width, height);
    return width;
}

const char kLoadedMenu[] =
    "object MenuForm: TForm\n"
    "  object Popup1: TsuiPopupMenu\n"
    "    OwnerDraw = False\n"
    "    UIStyle = Protein\n"
    "    MenuItemHeight = 30\n"
    "    BarColor = clRed\n"
    "    object Top1: TMenuItem\n"
    "      Caption = 'Top'\n"
    "      object Inner1: TMenuItem\n"
    "        Caption = 'Inner'\n"
    "      end\n"
    "    end\n"
    "  end\n"
    "end\n";

}  // namespace

// --- the style's values

TEST(PopupMenuStyle, ProteinGivesTheSixMenuColoursAndFixedSizes) {
    TsuiPopupMenu menu(nullptr);
    menu.Look().SetBarWidth(0);
    menu.SetUIStyle(TsuiUIStyle::Protein);
    const TsuiMenuLook& look = menu.Look();
    EXPECT_EQ(look.BarColor(), kProteinBar);
    EXPECT_EQ(look.Color(), 0xFFFFFFu);
    EXPECT_EQ(look.FontColor(), 0x000000u);
    EXPECT_EQ(look.SelectedBorderColor(), kProteinSelected);
    EXPECT_EQ(look.SelectedColor(), kProteinSelected);
    EXPECT_EQ(look.SelectedFontColor(), 0xFFFFFFu);
    EXPECT_EQ(look.BarWidth(), 26);
    EXPECT_EQ(look.MenuItemHeight(), 21);
    EXPECT_EQ(look.SeparatorHeight(), 5);
    EXPECT_EQ(look.SeparatorColor(), 0x848284u);
}

TEST(PopupMenuStyle, MacOSHasItsOwnSizesAndABlackSeparator) {
    TsuiPopupMenu menu(nullptr);
    menu.SetUIStyle(TsuiUIStyle::MacOS);
    EXPECT_EQ(menu.Look().MenuItemHeight(), 20);
    EXPECT_EQ(menu.Look().SeparatorHeight(), 12);
    EXPECT_EQ(menu.Look().SeparatorColor(), 0x000000u);
    EXPECT_EQ(menu.Look().SelectedColor(), GetBuiltInColor(TsuiUIStyle::MacOS, ThemeItem::MenuSelectedBackgroundColor));
}

TEST(PopupMenuStyle, HeightsAreIgnoredInMacOSAndStoredOtherwise) {
    TsuiPopupMenu menu(nullptr);
    menu.SetUIStyle(TsuiUIStyle::MacOS);
    menu.Look().SetMenuItemHeight(30);
    menu.Look().SetSeparatorHeight(9);
    EXPECT_EQ(menu.Look().MenuItemHeight(), 20);
    EXPECT_EQ(menu.Look().SeparatorHeight(), 12);
    menu.SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(menu.Look().MenuItemHeight(), 21);
    menu.Look().SetMenuItemHeight(30);
    menu.Look().SetSeparatorHeight(9);
    EXPECT_EQ(menu.Look().MenuItemHeight(), 30);
    EXPECT_EQ(menu.Look().SeparatorHeight(), 9);
}

TEST(PopupMenuStyle, ExplicitValuesLastUntilTheNextStyle) {
    TsuiPopupMenu menu(nullptr);
    menu.SetUIStyle(TsuiUIStyle::Protein);
    menu.Look().SetBarColor(0x0000FF);
    menu.Look().SetSeparatorColor(0x00FF00);
    menu.Look().SetBarWidth(40);
    EXPECT_EQ(menu.Look().BarColor(), 0x0000FFu);
    menu.SetUIStyle(TsuiUIStyle::Protein);
    EXPECT_EQ(menu.Look().BarColor(), kProteinBar);
    EXPECT_EQ(menu.Look().SeparatorColor(), 0x848284u);
    EXPECT_EQ(menu.Look().BarWidth(), 26);
}

TEST(PopupMenuStyle, FormDescriptionValuesFollowTheStyleAndStayOn) {
    auto form = skintest::MakeForm();
    form->LoadFromText(kLoadedMenu);
    auto* menu = dynamic_cast<TsuiPopupMenu*>(form->FindComponent("Popup1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->UIStyle(), TsuiUIStyle::Protein);
    EXPECT_EQ(menu->Look().MenuItemHeight(), 30);
    EXPECT_EQ(menu->Look().BarColor(), 0x0000FFu);
    EXPECT_EQ(menu->Look().SelectedColor(), kProteinSelected);
    EXPECT_TRUE(menu->OwnerDraw());  // "OwnerDraw = False" changes nothing
}

TEST(PopupMenuStyle, NewMenuTakesTheStyleOfTheFormsSkinnedFrame) {
    auto form = skintest::MakeForm();
    auto* frame = skintest::AddControl<TsuiForm>(*form, "suiForm1");
    frame->SetUIStyle(TsuiUIStyle::MacOS);
    auto* menu = new TsuiPopupMenu(form.get());
    EXPECT_EQ(menu->UIStyle(), TsuiUIStyle::MacOS);
    EXPECT_EQ(menu->Look().MenuItemHeight(), 20);

    TsuiPopupMenu loose(nullptr);
    EXPECT_EQ(loose.UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(loose.Look().SelectedColor(), GetBuiltInColor(TsuiUIStyle::DeepBlue, ThemeItem::MenuSelectedBackgroundColor));
    EXPECT_EQ(loose.Look().BarWidth(), 26);
}

TEST(PopupMenuStyle, IsAlwaysOwnerDrawn) {
    TsuiPopupMenu menu(nullptr);
    EXPECT_TRUE(menu.OwnerDraw());
    menu.SetOwnerDraw(false);
    EXPECT_TRUE(menu.OwnerDraw());
    vl::SetPropValue(menu, "OwnerDraw", vl::TPropValue::Bool(false));
    EXPECT_TRUE(vl::GetPropValue(menu, "OwnerDraw").AsBool());
}

TEST(PopupMenuStyle, PublishesItsLookForFormDescriptions) {
    TsuiPopupMenu menu(nullptr);
    vl::SetPropValue(menu, "SelectedFontColor", vl::TPropValue::Id("clRed"));
    vl::SetPropValue(menu, "FontName", vl::TPropValue::Str("Tahoma"));
    vl::SetPropValue(menu, "FontCharset", vl::TPropValue::Id("SYMBOL_CHARSET"));
    vl::SetPropValue(menu, "FlatMenu", vl::TPropValue::Bool(true));
    EXPECT_EQ(menu.Look().SelectedFontColor(), 0x0000FFu);
    EXPECT_EQ(menu.Look().FontName(), "Tahoma");
    EXPECT_EQ(menu.Look().FontCharset(), SYMBOL_CHARSET);
    EXPECT_TRUE(menu.Look().FlatMenu());
    EXPECT_EQ(vl::GetPropValue(menu, "UIStyle").AsIdent(), "DeepBlue");
}

// --- the file theme

class PopupMenuTheme : public testing::Test {
protected:
    void SetUp() override {
        TThemeFileWriter w;
        w.AddInteger("MenuBarColor", 0x112233);
        w.AddInteger("MenuBackgroundColor", 0x445566);
        w.AddInteger("MenuFontColor", 0x778899);
        w.AddInteger("MenuSelectedBorderColor", 0x0A0B0C);
        w.AddInteger("MenuSelectedBackgroundColor", 0x0D0E0F);
        w.AddInteger("MenuSelectedFontColor", 0x101112);
        w.AddInteger("FormBackgroundColor", 0x131415);
        file = std::make_unique<skintest::TempFile>(skintest::ExeFolder() + skintest::UniqueName("menu"), w.Build());
        form = skintest::MakeForm();
        theme = new TsuiFileTheme(form.get());
        theme->SetThemeFile(file->Path());
        ASSERT_TRUE(theme->IsLoaded());
        menu = new TsuiPopupMenu(form.get());
    }
    std::unique_ptr<skintest::TempFile> file;
    std::unique_ptr<vl::TForm> form;
    TsuiFileTheme* theme = nullptr;
    TsuiPopupMenu* menu = nullptr;
};

TEST_F(PopupMenuTheme, FromThemeFileReadsTheColoursFromTheFile) {
    menu->SetUIStyle(TsuiUIStyle::FromThemeFile);
    menu->SetFileTheme(theme);
    const TsuiMenuLook& look = menu->Look();
    EXPECT_EQ(look.BarColor(), 0x112233u);
    EXPECT_EQ(look.Color(), 0x445566u);
    EXPECT_EQ(look.FontColor(), 0x778899u);
    EXPECT_EQ(look.SelectedBorderColor(), 0x0A0B0Cu);
    EXPECT_EQ(look.SelectedColor(), 0x0D0E0Fu);
    EXPECT_EQ(look.SelectedFontColor(), 0x101112u);
    EXPECT_EQ(look.FlatEdgeColor(), 0x131415u);
    EXPECT_EQ(look.MenuItemHeight(), 21);
}

TEST_F(PopupMenuTheme, ABuiltInStyleIgnoresTheFile) {
    menu->SetFileTheme(theme);
    menu->SetUIStyle(TsuiUIStyle::Protein);
    EXPECT_EQ(menu->Look().BarColor(), kProteinBar);
}

TEST_F(PopupMenuTheme, SettingTheSameThemeAgainAppliesTheStyleAgain) {
    menu->SetUIStyle(TsuiUIStyle::FromThemeFile);
    menu->SetFileTheme(theme);
    menu->Look().SetBarColor(0x0000FF);
    menu->SetFileTheme(theme);
    EXPECT_EQ(menu->Look().BarColor(), 0x112233u);
}

TEST_F(PopupMenuTheme, DestroyedThemeIsForgottenAndDeepBlueApplied) {
    menu->SetUIStyle(TsuiUIStyle::FromThemeFile);
    menu->SetFileTheme(theme);
    delete theme;
    EXPECT_EQ(menu->FileTheme(), nullptr);
    EXPECT_EQ(menu->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(menu->Look().BarColor(), GetBuiltInColor(TsuiUIStyle::DeepBlue, ThemeItem::MenuBarColor));
}

// --- binding of the items' events

TEST(PopupMenuBinding, LoadedMenuBindsEveryItemAndSubItem) {
    auto form = skintest::MakeForm();
    form->LoadFromText(kLoadedMenu);
    auto* menu = dynamic_cast<TsuiPopupMenu*>(form->FindComponent("Popup1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->IsBound(*menu->Items()->Items(0)));
    EXPECT_TRUE(menu->IsBound(*menu->Items()->Items(0)->Items(0)));
}

TEST(PopupMenuBinding, ItemsCreatedLaterWithTheSameOwnerAreBoundWhicheverMenuTheyJoin) {
    auto form = skintest::MakeForm();
    auto* skinned = new TsuiPopupMenu(form.get());
    auto* plain = new vl::TPopupMenu(form.get());
    vl::TMenuItem* mine = AddItem(*skinned, "mine", form.get());
    vl::TMenuItem* theirs = AddItem(*plain, "theirs", form.get());
    vl::TMenuItem* stranger = AddItem(*skinned, "stranger", nullptr);
    EXPECT_TRUE(skinned->IsBound(*mine));
    EXPECT_TRUE(skinned->IsBound(*theirs));
    EXPECT_FALSE(skinned->IsBound(*stranger));
}

TEST(PopupMenuBinding, ItemMovedToTheOwnerIsBound) {
    auto form = skintest::MakeForm();
    auto* menu = new TsuiPopupMenu(form.get());
    vl::TComponent elsewhere(nullptr);
    auto* item = new vl::TMenuItem(&elsewhere);
    EXPECT_FALSE(menu->IsBound(*item));
    form->InsertComponent(item);
    EXPECT_TRUE(menu->IsBound(*item));
}

TEST(PopupMenuBinding, AGoneMenuTakesItsBindingsBackAndLeavesOthersAlone) {
    auto form = skintest::MakeForm();
    auto* skinned = new TsuiPopupMenu(form.get());
    auto* plain = new vl::TPopupMenu(form.get());
    vl::TMenuItem* bound = AddItem(*plain, "bound", form.get());
    vl::TMenuItem* reassigned = AddItem(*plain, "reassigned", form.get());
    bool ownHandler = false;
    reassigned->OnDrawItem = [&](vl::TObject*, HDC, const RECT&, bool) { ownHandler = true; };
    delete skinned;
    EXPECT_FALSE(bound->OnMeasureItem);
    EXPECT_FALSE(bound->OnDrawItem);
    EXPECT_FALSE(reassigned->OnMeasureItem);
    ASSERT_TRUE(reassigned->OnDrawItem);
    reassigned->OnDrawItem(reassigned, nullptr, RECT{}, false);
    EXPECT_TRUE(ownHandler);
}

TEST(PopupMenuBinding, AnItemInAnotherMenuIsDrawnInTheSkinnedLook) {
    auto form = skintest::MakeForm();
    auto* skinned = new TsuiPopupMenu(form.get());
    skinned->SetUIStyle(TsuiUIStyle::Protein);
    auto* plain = new vl::TPopupMenu(form.get());
    plain->SetOwnerDraw(true);
    vl::TMenuItem* item = AddItem(*plain, "x", form.get());
    TItemPicture picture(*plain, *item, 100, 21, false);
    ASSERT_TRUE(picture.Handled());
    EXPECT_EQ(picture.At(2, 10), kProteinBar);
    EXPECT_EQ(picture.At(60, 2), 0xFFFFFFu);
}

TEST(PopupMenuBinding, ItemsOfAMenuBuiltInCodeAreDrawnInTheLookToo) {
    TsuiPopupMenu menu(nullptr);
    menu.SetUIStyle(TsuiUIStyle::Protein);
    vl::TMenuItem* item = AddItem(menu, "x");
    ASSERT_FALSE(menu.IsBound(*item));
    TItemPicture picture(menu, *item, 100, 21, true);
    EXPECT_EQ(picture.At(2, 10), kProteinSelected);
    int width = 0, height = 0;
    vl::TScreenDC dc;
    menu.MeasureItem(*item, dc.Get(), width, height);
    EXPECT_EQ(height, 21);
}

// --- painting one item

class PopupMenuPaint : public testing::Test {
protected:
    void SetUp() override { menu.SetUIStyle(TsuiUIStyle::Protein); }
    TsuiPopupMenu menu{nullptr};
};

TEST_F(PopupMenuPaint, ShortCutTextEndsSixteenPixelsLeftOfTheRightEdge) {
    vl::TMenuItem* item = AddItem(menu, "Open");
    item->SetShortCut(vl::ShortCut('O', vl::ssCtrl));
    TItemPicture picture(menu, *item, 200, 21, false);
    int rightmost = -1;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 21; ++y)
            if (x > 100 && picture.At(x, y) != 0xFFFFFFu) rightmost = std::max(rightmost, x);
    EXPECT_GT(rightmost, 150);
    EXPECT_LE(rightmost, 200 - 16 - 1);
    EXPECT_GE(rightmost, 200 - 16 - 6);  // the last glyph's right bearing is blank
}

TEST_F(PopupMenuPaint, MeasuredWidthCountsShortCutAndBar) {
    vl::TMenuItem* plain = AddItem(menu, "Open");
    vl::TMenuItem* withShortCut = AddItem(menu, "Open");
    withShortCut->SetShortCut(vl::ShortCut('O', vl::ssCtrl));
    const int base = MeasuredWidth(menu, *plain);
    EXPECT_GT(MeasuredWidth(menu, *withShortCut), base + 10);
    menu.Look().SetBarWidth(46);
    EXPECT_EQ(MeasuredWidth(menu, *plain), base + 20);
}

TEST_F(PopupMenuPaint, DefaultItemIsBold) {
    vl::TMenuItem* item = AddItem(menu, "Options and more");
    const int normal = MeasuredWidth(menu, *item);
    item->SetDefault(true);
    EXPECT_GT(MeasuredWidth(menu, *item), normal);
}

TEST_F(PopupMenuPaint, NamedFontWhenTheSystemFontIsOff) {
    vl::TMenuItem* item = AddItem(menu, "Options and more");
    menu.Look().SetUseSystemFont(false);
    menu.Look().SetFontSize(8);
    const int small = MeasuredWidth(menu, *item);
    menu.Look().SetFontSize(16);
    EXPECT_GT(MeasuredWidth(menu, *item), small + 20);
}

TEST_F(PopupMenuPaint, CheckedItemWithAnImageShowsItOnASelectedSquare) {
    vl::TImageList images(nullptr);
    vl::TBitmap red(16, 16);
    vl::FillSolidRect(red.Canvas().Handle(), RECT{0, 0, 16, 16}, 0x0000FF);
    images.Add(red);
    menu.SetImages(&images);
    vl::TMenuItem* item = AddItem(menu, "Image");
    item->SetImageIndex(0);
    item->SetChecked(true);
    TItemPicture picture(menu, *item, 120, 21, false);
    EXPECT_EQ(picture.At(2, 1), 0x000000u);    // frame (2, 1)-(21, 20)
    EXPECT_EQ(picture.At(20, 19), 0x000000u);
    EXPECT_EQ(picture.At(3, 2), kProteinSelected);
    EXPECT_EQ(picture.At(4, 3), 0x0000FFu);    // the image at (4, 3)
    EXPECT_EQ(picture.At(19, 18), 0x0000FFu);
    EXPECT_EQ(picture.At(3, 18), kProteinSelected);
}

TEST_F(PopupMenuPaint, ImageIndexOutsideTheListDrawsTheCheckMarkInstead) {
    vl::TImageList images(nullptr);
    menu.SetImages(&images);
    vl::TMenuItem* item = AddItem(menu, "Image");
    item->SetImageIndex(3);
    item->SetChecked(true);
    TItemPicture picture(menu, *item, 120, 21, false);
    vl::TBitmap mark;
    mark.LoadFromResourceName(GetModuleHandleA(nullptr), "MENU_CHECKED");
    EXPECT_EQ(picture.At(4 + 6, 3 + 11), skintest::PixelAt(mark, 6, 11));
    EXPECT_EQ(picture.At(2, 1), kProteinBar);
}

TEST_F(PopupMenuPaint, DisabledCheckMarkIsGreyed) {
    vl::TMenuItem* item = AddItem(menu, "Pause");
    item->SetChecked(true);
    TItemPicture enabled(menu, *item, 120, 21, false);
    item->SetEnabled(false);
    TItemPicture disabled(menu, *item, 120, 21, false);
    EXPECT_NE(disabled.At(4 + 6, 3 + 11), enabled.At(4 + 6, 3 + 11));
}

TEST_F(PopupMenuPaint, MacOSPaintsItsBitmapsForItemsAndSelection) {
    menu.SetUIStyle(TsuiUIStyle::MacOS);
    vl::TMenuItem* item = AddItem(menu, "x");
    vl::TBitmap bar, select;
    bar.LoadFromResourceName(GetModuleHandleA(nullptr), "MACOS_MENU_BAR");
    select.LoadFromResourceName(GetModuleHandleA(nullptr), "MACOS_MENU_SELECT");
    TItemPicture normal(menu, *item, 120, 20, false);
    TItemPicture selected(menu, *item, 120, 20, true);
    for (int y : {0, 10, 19}) {
        EXPECT_EQ(normal.At(100, y), skintest::PixelAt(bar, 0, y)) << y;
        EXPECT_EQ(selected.At(100, y), skintest::PixelAt(select, 0, y)) << y;
    }
}

TEST_F(PopupMenuPaint, MacOSSeparatorShowsItsLineAcrossTheMiddle) {
    menu.SetUIStyle(TsuiUIStyle::MacOS);
    vl::TMenuItem* item = AddItem(menu, "-");
    TItemPicture picture(menu, *item, 120, 12, false);
    EXPECT_EQ(picture.At(30, 6), 0x000000u);
    EXPECT_EQ(picture.At(117, 6), 0x000000u);
    EXPECT_NE(picture.At(29, 6), 0x000000u);
    EXPECT_NE(picture.At(118, 6), 0x000000u);
    EXPECT_NE(picture.At(60, 5), 0x000000u);
}

TEST_F(PopupMenuPaint, FlatMenuWithoutAWindowBehindTheCanvasDrawsNoFrame) {
    menu.Look().SetFlatMenu(true);
    vl::TMenuItem* item = AddItem(menu, "x");
    TItemPicture picture(menu, *item, 100, 21, false);
    EXPECT_TRUE(picture.Handled());
    EXPECT_EQ(picture.At(0, 1), kProteinBar);
}

TEST(PopupMenuFlatBorder, FramesTheWindowFlatInsideItsOwnRectangle) {
    auto form = skintest::MakeForm();
    form->SetBounds(300, 200, 120, 90);
    form->SetBorderStyle(vl::TFormBorderStyle::None);
    form->SetColor(0x00FF00);
    form->Show();
    vltest::Pump(50);
    DrawFlatMenuBorder(form->Handle(), 0x000000, 0xFF0000);
    GdiFlush();
    vltest::Pump(30);  // the window's picture reaches the screen
    menutest::TScreenShot shot(RECT{300, 200, 420, 290});
    EXPECT_EQ(shot.Pixel(300, 201), 0x000000u);   // black frame from (0, 1)
    EXPECT_EQ(shot.Pixel(418, 288), 0x000000u);   // ... to (W - 2, H - 2)
    EXPECT_EQ(shot.Pixel(301, 202), 0xFFFFFFu);   // white frame inside
    EXPECT_EQ(shot.Pixel(417, 287), 0xFFFFFFu);
    EXPECT_EQ(shot.Pixel(350, 289), 0xFF0000u);   // edges: bottom, right, top
    EXPECT_EQ(shot.Pixel(419, 250), 0xFF0000u);
    EXPECT_EQ(shot.Pixel(350, 200), 0xFF0000u);
    EXPECT_EQ(shot.Pixel(350, 250), 0x00FF00u);   // the inside is left alone
}
