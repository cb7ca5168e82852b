// The built-in styles: the theme item table, the built-in readers, strip cutting, the choice
// between built-in style and file theme, and passing a style on to child controls.
#include <gtest/gtest.h>

#include "SkinTestSupport.h"
#include "framework/StdCtrls.h"
#include "skin/SkinForm.h"
#include "skin/ThemeItems.h"
#include "skin/UIStyle.h"

using namespace vorlinde;
using skintest::PixelAt;

namespace {
constexpr uint32_t Rgb(int r, int g, int b) { return static_cast<uint32_t>(r | (g << 8) | (b << 16)); }
}  // namespace

// ------------------------------------------------------------------------------ item table

TEST(UIStyleItemTable, HasFortyTwoNamedItems) {
    EXPECT_EQ(ThemeItemInfo(0), nullptr);
    EXPECT_EQ(ThemeItemInfo(43), nullptr);
    EXPECT_STREQ(ThemeItemInfo(1)->name, "ButtonImage");
    EXPECT_STREQ(ThemeItemInfo(42)->name, "SideChannelBarImage");
}

TEST(UIStyleItemTable, FindsItemsByNameIgnoringCase) {
    EXPECT_EQ(ThemeItemByName("formbordercolor"), ThemeItem::FormBorderColor);
    EXPECT_EQ(ThemeItemByName("NoSuchItem"), 0);
}

// ------------------------------------------------------------------------- built-in values

TEST(UIStyleBuiltIn, NegativeOffsetsAreSigned) {
    EXPECT_EQ(GetBuiltInInt(TsuiUIStyle::WinXP, 8), -2);
    EXPECT_EQ(GetBuiltInInt(TsuiUIStyle::BlueGlass, 8), -3);
}

TEST(UIStyleBuiltIn, WinXPBorderColourIsRedZeroGreen44Blue200) {
    EXPECT_EQ(GetBuiltInColor(TsuiUIStyle::WinXP, 16), Rgb(0, 44, 200));
}

TEST(UIStyleBuiltIn, FromThemeFileIntegerIsMinusOne) { EXPECT_EQ(GetBuiltInInt(TsuiUIStyle::FromThemeFile, 13), -1); }

TEST(UIStyleBuiltIn, FromThemeFileColourIsBlack) { EXPECT_EQ(GetBuiltInColor(TsuiUIStyle::FromThemeFile, 15), 0u); }

TEST(UIStyleBuiltIn, BitmapItemReadAsColourIsBlack) { EXPECT_EQ(GetBuiltInColor(TsuiUIStyle::MacOS, 1), 0u); }

TEST(UIStyleBuiltIn, ColourItemReadAsIntegerIsMinusOne) { EXPECT_EQ(GetBuiltInInt(TsuiUIStyle::Protein, 15), -1); }

TEST(UIStyleBuiltIn, BooleansFollowTheTable) {
    EXPECT_TRUE(GetBuiltInBool(TsuiUIStyle::MacOS, 2));
    EXPECT_FALSE(GetBuiltInBool(TsuiUIStyle::WinXP, 2));
    EXPECT_TRUE(GetBuiltInBool(TsuiUIStyle::Protein, 6));
}

TEST(UIStyleBuiltIn, IntegerItemReadAsBooleanIsFalse) { EXPECT_FALSE(GetBuiltInBool(TsuiUIStyle::BlueGlass, 7)); }

TEST(UIStyleBuiltIn, ValueOfFromThemeFileIsMinusOneOfKindInteger) {
    const TsuiBuiltInValue v = GetBuiltInValue(TsuiUIStyle::FromThemeFile, 16);
    EXPECT_EQ(v.value, -1);
    EXPECT_EQ(v.kind, TsuiItemKind::Integer);
}

TEST(UIStyleBuiltIn, OnlyTheLowSevenBitsOfTheStyleCount) {
    EXPECT_EQ(GetBuiltInInt(static_cast<TsuiUIStyle>(0x80 | 5), 9), 6);  // BlueGlass
}

TEST(UIStyleBuiltIn, ItemOutsideTheTableIsNeutral) {
    EXPECT_EQ(GetBuiltInInt(TsuiUIStyle::Protein, 43), -1);
    EXPECT_EQ(GetBuiltInColor(TsuiUIStyle::Protein, 0), 0u);
}

TEST(UIStyleBuiltIn, BitmapValueCarriesTheResourceName) {
    const TsuiBuiltInValue v = GetBuiltInValue(TsuiUIStyle::DeepBlue, ThemeItem::ScrollButtonImage);
    EXPECT_EQ(v.kind, TsuiItemKind::Bitmap);
    EXPECT_STREQ(v.bitmapName, "MORE_SCROLLBUTTON");
}

// ------------------------------------------------------------------------ built-in bitmaps

TEST(UIStyleBitmap, LoadsTheStylesResource) {
    vl::TBitmap bitmap;
    GetBuiltInBitmap(TsuiUIStyle::Protein, ThemeItem::ButtonImage, &bitmap);
    EXPECT_EQ(bitmap.Width(), 222);
    EXPECT_EQ(bitmap.Height(), 21);
}

TEST(UIStyleBitmap, FromThemeFileLeavesTheBitmapUntouched) {
    vl::TBitmap bitmap(3, 2);
    GetBuiltInBitmap(TsuiUIStyle::FromThemeFile, ThemeItem::ButtonImage, &bitmap);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
}

TEST(UIStyleBitmap, NonBitmapItemLeavesTheBitmapUntouched) {
    vl::TBitmap bitmap(3, 2);
    GetBuiltInBitmap(TsuiUIStyle::MacOS, ThemeItem::FormBorderColor, &bitmap);
    EXPECT_EQ(bitmap.Width(), 3);
}

TEST(UIStyleBitmap, NoBitmapIsNoError) {
    EXPECT_NO_THROW(GetBuiltInBitmap(TsuiUIStyle::MacOS, ThemeItem::ButtonImage, nullptr));
    EXPECT_NO_THROW(GetBuiltInStripBitmap(TsuiUIStyle::MacOS, ThemeItem::ButtonImage, nullptr, 3, 1));
}

TEST(UIStyleStrip, TitleButtonSixteenOfEighteenIsColumns285To303) {
    vl::TBitmap whole, picture;
    GetBuiltInBitmap(TsuiUIStyle::DeepBlue, 5, &whole);
    GetBuiltInStripBitmap(TsuiUIStyle::DeepBlue, 5, &picture, 18, 16);
    ASSERT_EQ(picture.Width(), 19);
    ASSERT_EQ(picture.Height(), 19);
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 19; ++x) ASSERT_EQ(PixelAt(picture, x, y), PixelAt(whole, 285 + x, y)) << x << "," << y;
}

TEST(UIStyleStrip, CountZeroLoadsTheWholeBitmap) {
    vl::TBitmap picture;
    GetBuiltInStripBitmap(TsuiUIStyle::WinXP, ThemeItem::TitleBarButtonImage, &picture, 0, 5);
    EXPECT_EQ(picture.Width(), 378);
}

TEST(UIStyleStrip, FromThemeFileLeavesTheDestinationUntouched) {
    vl::TBitmap picture(5, 5);
    GetBuiltInStripBitmap(TsuiUIStyle::FromThemeFile, ThemeItem::ButtonImage, &picture, 3, 1);
    EXPECT_EQ(picture.Width(), 5);
}

TEST(UIStyleStrip, HundredPixelsInThreeGiveThirtyThreePixelImages) {
    vl::TBitmap strip(100, 4), image;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 100; ++x) skintest::SetPixelAt(strip, x, y, Rgb(x, 0, 0));
    ExtractStripImage(strip, image, 3, 3);
    ASSERT_EQ(image.Width(), 33);
    EXPECT_EQ(image.Height(), 4);
    EXPECT_EQ(PixelAt(image, 0, 0), Rgb(66, 0, 0));
    EXPECT_EQ(PixelAt(image, 32, 3), Rgb(98, 0, 0));  // column 99 is never shown
}

TEST(UIStyleStrip, DestinationKeepsItsTransparency) {
    vl::TBitmap strip(6, 2), image;
    image.SetTransparent(true);
    ExtractStripImage(strip, image, 2, 1);
    EXPECT_TRUE(image.Transparent());
}

TEST(UIStyleStrip, CountBelowOneLeavesTheDestinationUntouched) {
    vl::TBitmap strip(6, 2), image(1, 1);
    ExtractStripImage(strip, image, 0, 1);
    EXPECT_EQ(image.Width(), 1);
}

TEST(UIStyleStrip, IndexBeyondTheCountGivesBlack) {
    vl::TBitmap strip(4, 1), image;
    for (int x = 0; x < 4; ++x) skintest::SetPixelAt(strip, x, 0, Rgb(255, 255, 255));
    ExtractStripImage(strip, image, 2, 3);
    ASSERT_EQ(image.Width(), 2);
    EXPECT_EQ(PixelAt(image, 0, 0), 0u);
}

// ------------------------------------------------------------------------- UsingFileTheme

namespace {
// A file theme with a loaded file, for as long as the test runs.
struct LoadedTheme {
    LoadedTheme() : file(skintest::UniqueName("loaded"), Bytes()), theme(nullptr) { theme.SetThemeFile(file.Path()); }
    static std::vector<uint8_t> Bytes() {
        suiwriter::TThemeFileWriter w;
        w.AddInteger("FormMinWidthInt", 200);
        return w.Build();
    }
    skintest::TempFile file;
    TsuiFileTheme theme;
};
}  // namespace

TEST(UIStyleUsingFileTheme, NoThemeFallsBackToDeepBlue) {
    TsuiUIStyle effective = TsuiUIStyle::MacOS;
    EXPECT_FALSE(UsingFileTheme(nullptr, TsuiUIStyle::FromThemeFile, effective));
    EXPECT_EQ(effective, TsuiUIStyle::DeepBlue);
}

TEST(UIStyleUsingFileTheme, UnloadedThemeFallsBackToDeepBlue) {
    TsuiFileTheme theme(nullptr);
    TsuiUIStyle effective = TsuiUIStyle::MacOS;
    EXPECT_FALSE(UsingFileTheme(&theme, TsuiUIStyle::FromThemeFile, effective));
    EXPECT_EQ(effective, TsuiUIStyle::DeepBlue);
}

TEST(UIStyleUsingFileTheme, LoadedThemeIsUsedForFromThemeFile) {
    LoadedTheme loaded;
    ASSERT_TRUE(loaded.theme.IsLoaded());
    TsuiUIStyle effective = TsuiUIStyle::MacOS;
    EXPECT_TRUE(UsingFileTheme(&loaded.theme, TsuiUIStyle::FromThemeFile, effective));
    EXPECT_EQ(effective, TsuiUIStyle::FromThemeFile);
}

TEST(UIStyleUsingFileTheme, LoadedThemeIsNotUsedForABuiltInStyle) {
    LoadedTheme loaded;
    TsuiUIStyle effective = TsuiUIStyle::MacOS;
    EXPECT_FALSE(UsingFileTheme(&loaded.theme, TsuiUIStyle::Protein, effective));
    EXPECT_EQ(effective, TsuiUIStyle::Protein);
}

// ------------------------------------------------------------------------ GetFormUIStyle

TEST(UIStyleFormStyle, FormTakesTheStyleOfItsFirstSkinnedFrame) {
    auto form = skintest::MakeForm();
    skintest::AddControl<vl::TLabel>(*form, "Label1");
    skintest::AddControl<TsuiForm>(*form, "suiForm1")->SetUIStyle(TsuiUIStyle::Protein);
    skintest::AddControl<TsuiForm>(*form, "suiForm2")->SetUIStyle(TsuiUIStyle::MacOS);
    EXPECT_EQ(GetFormUIStyle(form.get()), TsuiUIStyle::Protein);
}

TEST(UIStyleFormStyle, FormWithoutSkinnedFrameIsDeepBlue) {
    auto form = skintest::MakeForm();
    skintest::AddControl<vl::TLabel>(*form, "Label1");
    EXPECT_EQ(GetFormUIStyle(form.get()), TsuiUIStyle::DeepBlue);
}

TEST(UIStyleFormStyle, ComponentThatIsNoFormIsDeepBlue) {
    auto form = skintest::MakeForm();
    auto* frame = skintest::AddControl<TsuiForm>(*form, "suiForm1");
    frame->SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(GetFormUIStyle(frame), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(GetFormUIStyle(nullptr), TsuiUIStyle::DeepBlue);
}

// ------------------------------------------------------------ HasProperty, ApplyThemeToChildren

TEST(UIStyleHasProperty, AnswersFromThePublishedProperties) {
    auto form = skintest::MakeForm();
    auto* frame = skintest::AddControl<TsuiForm>(*form, "suiForm1");
    auto* label = skintest::AddControl<vl::TLabel>(*form, "Label1");
    EXPECT_TRUE(HasProperty(frame, "UIStyle"));
    EXPECT_TRUE(HasProperty(frame, "filetheme"));
    EXPECT_FALSE(HasProperty(label, "UIStyle"));
    EXPECT_FALSE(HasProperty(nullptr, "UIStyle"));
}

TEST(UIStyleApplyToChildren, SetsFileThemeThenStyleOnEachChildInOrder) {
    auto form = skintest::MakeForm();
    TsuiFileTheme theme(nullptr);
    theme.SetName("Theme1");
    auto* panel = skintest::AddControl<vl::TPanel>(*form, "Panel1");
    skintest::AddControl<skintest::TsuiTestControl>(*form, "A", panel);
    skintest::AddControl<vl::TLabel>(*form, "Plain", panel);
    skintest::AddControl<skintest::TsuiStyleOnlyControl>(*form, "StyleOnly", panel);
    skintest::AddControl<skintest::TsuiTestControl>(*form, "B", panel);
    skintest::AddControl<skintest::TsuiTestControl>(*form, "NotAChild");
    skintest::SetterLog().clear();
    ApplyThemeToChildren(panel, TsuiUIStyle::WinXP, &theme);
    EXPECT_EQ(skintest::SetterLog(), (std::vector<std::string>{"A.FileTheme=Theme1", "A.UIStyle=2",
                                                                "B.FileTheme=Theme1", "B.UIStyle=2"}));
}
