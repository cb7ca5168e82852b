// TsuiFileTheme: finding, checking and loading a theme file, the look interface, and giving the
// owner form's skinned components the theme again after a load.
#include <gtest/gtest.h>

#include "SkinTestSupport.h"
#include "framework/Exceptions.h"
#include "framework/GuiTestSupport.h"
#include "skin/FileTheme.h"
#include "skin/ThemeFileFormat.h"
#include "skin/ThemeItems.h"
#include "skin/UIStyle.h"

using namespace vorlinde;
using suiwriter::TThemeFileWriter;

namespace {

std::vector<uint8_t> Theme(int32_t minWidth) {
    TThemeFileWriter w;
    w.AddInteger("FormMinWidthInt", minWidth);
    w.AddInteger("FormBorderColor", 0x00C82C00);
    w.AddFlag("ButtonTransparentBool", 1);
    w.AddBitmap("ButtonImage", skintest::ColumnBmp(9, 4));
    return w.Build();
}

// A .bmp file made by hand: an info header of `headerSize` bytes (bit-field masks inside it),
// a black-and-white palette for 1 bit per pixel, then `rows` as stored (bottom-up).
std::vector<uint8_t> HandMadeBmp(uint32_t headerSize, int w, int h, uint16_t bits, uint32_t compression,
                                 const std::vector<uint32_t>& masks, const std::vector<uint8_t>& rows) {
    std::vector<uint8_t> info(headerSize, 0);
    suiwriter::PokeU32(info, 0, headerSize);
    suiwriter::PokeU32(info, 4, static_cast<uint32_t>(w));
    suiwriter::PokeU32(info, 8, static_cast<uint32_t>(h));
    info[12] = 1;
    info[14] = static_cast<uint8_t>(bits);
    suiwriter::PokeU32(info, 16, compression);
    for (size_t i = 0; i < masks.size(); ++i) suiwriter::PokeU32(info, 40 + i * 4, masks[i]);
    std::vector<uint8_t> palette;
    if (bits == 1) palette = {0, 0, 0, 0, 255, 255, 255, 0};
    const size_t offBits = 14 + info.size() + palette.size();
    std::vector<uint8_t> b = {'B', 'M'};
    suiwriter::PutU32(b, static_cast<uint32_t>(offBits + rows.size()));
    suiwriter::PutU32(b, 0);
    suiwriter::PutU32(b, static_cast<uint32_t>(offBits));
    b.insert(b.end(), info.begin(), info.end());
    b.insert(b.end(), palette.begin(), palette.end());
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

// One row of white 1-bit pixels, `w` wide.
std::vector<uint8_t> WhiteRow(int w) { return std::vector<uint8_t>(((static_cast<size_t>(w) + 31) / 32) * 4, 0xFF); }

std::vector<uint8_t> ThemeWithButtonImage(const std::vector<uint8_t>& bmp) {
    TThemeFileWriter w;
    w.AddBitmap("ButtonImage", bmp);
    return w.Build();
}

std::vector<uint8_t> InvalidTheme() {
    std::vector<uint8_t> bytes = Theme(1);
    bytes[0] = 'm';
    return bytes;
}

}  // namespace

// ----------------------------------------------------------------------------------- loading

TEST(FileThemeLoading, StartsUnloaded) {
    TsuiFileTheme theme(nullptr);
    EXPECT_FALSE(theme.IsLoaded());
    EXPECT_EQ(theme.ThemeFile(), "");
}

TEST(FileThemeLoading, LoadsAnExistingFile) {
    skintest::TempFile file(skintest::UniqueName("load"), Theme(150));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(file.Path());
    EXPECT_TRUE(theme.IsLoaded());
    EXPECT_EQ(theme.ThemeFile(), file.Path());
    EXPECT_EQ(theme.GetInt(ThemeItem::FormMinWidthInt), 150);
}

TEST(FileThemeLoading, FallsBackToTheExecutablesFolder) {
    const std::string name = skintest::UniqueName("beside");
    skintest::TempFile file(skintest::ExeFolder() + name, Theme(170));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile("C:\\no\\such\\folder\\" + name);
    EXPECT_TRUE(theme.IsLoaded());
    EXPECT_EQ(theme.ThemeFile(), skintest::ExeFolder() + name);
    EXPECT_EQ(theme.GetInt(ThemeItem::FormMinWidthInt), 170);
}

TEST(FileThemeLoading, FileFoundNowhereChangesNothingSilently) {
    skintest::TempFile file(skintest::UniqueName("first"), Theme(1));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(file.Path());
    EXPECT_NO_THROW(theme.SetThemeFile("C:\\no\\such\\folder\\" + skintest::UniqueName("nowhere")));
    EXPECT_EQ(theme.ThemeFile(), file.Path());
    EXPECT_TRUE(theme.IsLoaded());
}

TEST(FileThemeLoading, EmptyNameChangesNothing) {
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile("x");
    EXPECT_NO_THROW(theme.SetThemeFile(""));
    EXPECT_FALSE(theme.IsLoaded());
}

TEST(FileThemeLoading, InvalidFileRaisesAndChangesNothing) {
    skintest::TempFile good(skintest::UniqueName("good"), Theme(111));
    skintest::TempFile bad(skintest::UniqueName("bad"), InvalidTheme());
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(good.Path());
    try {
        theme.SetThemeFile(bad.Path());
        FAIL() << "no error";
    } catch (const vl::Exception& e) {
        EXPECT_STREQ(e.what(), "Invalid skin file for Morvale!");
    }
    EXPECT_EQ(theme.ThemeFile(), good.Path());
    EXPECT_EQ(theme.GetInt(ThemeItem::FormMinWidthInt), 111);
}

TEST(FileThemeLoading, SameStringTwiceLoadsOnce) {
    skintest::TempFile file(skintest::UniqueName("twice"), Theme(1));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(file.Path());
    file.Rewrite(Theme(2));
    theme.SetThemeFile(file.Path());
    EXPECT_EQ(theme.GetInt(ThemeItem::FormMinWidthInt), 1);
}

TEST(FileThemeLoading, NewFileReplacesTheOldOne) {
    skintest::TempFile first(skintest::UniqueName("old"), Theme(1));
    TThemeFileWriter w;
    w.AddInteger("FormRoundCornerInt", 9);
    skintest::TempFile second(skintest::UniqueName("new"), w.Build());
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(first.Path());
    theme.SetThemeFile(second.Path());
    EXPECT_EQ(theme.GetInt(ThemeItem::FormRoundCornerInt), 9);
    EXPECT_EQ(theme.GetInt(ThemeItem::FormMinWidthInt), -1);
}

TEST(FileThemeLoading, UnreadableBitmapKeepsThePreviousTheme) {
    skintest::TempFile good(skintest::UniqueName("kept"), Theme(123));
    TThemeFileWriter w;
    w.AddBitmap("ButtonImage", skintest::SolidBmp(3, 3, 0));
    std::vector<uint8_t> bytes = w.Build();
    bytes.resize(bytes.size() - kThemeEntrySize - 5);
    skintest::TempFile truncated(skintest::UniqueName("cut"), bytes);
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(good.Path());
    EXPECT_THROW(theme.SetThemeFile(truncated.Path()), vl::EStreamError);
    EXPECT_TRUE(theme.IsLoaded());
    EXPECT_EQ(theme.ThemeFile(), good.Path());
    EXPECT_EQ(theme.GetInt(ThemeItem::FormMinWidthInt), 123);
}

TEST(FileThemeLoading, FileShorterThanTheHeaderLoadsWithoutItems) {
    std::vector<uint8_t> bytes = Theme(1);
    bytes.resize(16);
    skintest::TempFile file(skintest::UniqueName("header"), bytes);
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(file.Path());
    EXPECT_TRUE(theme.IsLoaded());
    EXPECT_EQ(theme.GetInt(ThemeItem::FormMinWidthInt), -1);
}

// --------------------------------------------------------------------------- look interface

TEST(FileThemeLook, AbsentIntegerIsMinusOneWithoutFileZero) {
    TsuiFileTheme unloaded(nullptr);
    EXPECT_EQ(unloaded.GetInt(ThemeItem::FormRoundCornerInt), 0);
    skintest::TempFile file(skintest::UniqueName("absent"), Theme(1));
    TsuiFileTheme loaded(nullptr);
    loaded.SetThemeFile(file.Path());
    EXPECT_EQ(loaded.GetInt(ThemeItem::FormRoundCornerInt), -1);
}

TEST(FileThemeLook, ColourComesFromTheIntegerEntry) {
    skintest::TempFile file(skintest::UniqueName("colour"), Theme(1));
    TsuiFileTheme theme(nullptr);
    EXPECT_EQ(theme.GetColor(ThemeItem::FormBorderColor), 0u);
    theme.SetThemeFile(file.Path());
    EXPECT_EQ(theme.GetColor(ThemeItem::FormBorderColor), 0x00C82C00u);
    EXPECT_EQ(theme.GetColor(ThemeItem::FormBackgroundColor), 0xFFFFFFFFu);
}

TEST(FileThemeLook, FlagIsFalseWhenAbsentOrUnloaded) {
    skintest::TempFile file(skintest::UniqueName("flag"), Theme(1));
    TsuiFileTheme theme(nullptr);
    EXPECT_FALSE(theme.GetBool(ThemeItem::ButtonTransparentBool));
    theme.SetThemeFile(file.Path());
    EXPECT_TRUE(theme.GetBool(ThemeItem::ButtonTransparentBool));
    EXPECT_FALSE(theme.GetBool(ThemeItem::TitleBarButtonTransparentBool));
}

TEST(FileThemeLook, BitmapComesFromTheEntry) {
    skintest::TempFile file(skintest::UniqueName("bitmap"), Theme(1));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(file.Path());
    vl::TBitmap bitmap;
    theme.GetBitmap(ThemeItem::ButtonImage, &bitmap);
    ASSERT_EQ(bitmap.Width(), 9);
    EXPECT_EQ(bitmap.Height(), 4);
    EXPECT_EQ(skintest::PixelAt(bitmap, 7, 3), 0x00F80007u);
}

TEST(FileThemeLook, AbsentOrDamagedBitmapLeavesTheGraphicAsItWas) {
    TThemeFileWriter w;
    std::vector<uint8_t> damaged = skintest::SolidBmp(4, 4, 0);
    damaged[28] = 7;  // no such bit depth
    w.AddBitmap("CheckBoxImage", damaged);
    skintest::TempFile file(skintest::UniqueName("damaged"), w.Build());
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(file.Path());
    vl::TBitmap bitmap(2, 3);
    EXPECT_NO_THROW(theme.GetBitmap(ThemeItem::CheckBoxImage, &bitmap));
    EXPECT_NO_THROW(theme.GetBitmap(ThemeItem::ButtonImage, &bitmap));
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Height(), 3);
}

TEST(FileThemeLook, BitmapAtTheThemeLimitLoadsAWiderOneIsIgnored) {
    ASSERT_EQ(kThemeBitmapLimits.maxDimension, 8192);
    skintest::TempFile file(skintest::UniqueName("limit"),
                            ThemeWithButtonImage(HandMadeBmp(40, 8192, 1, 1, 0, {}, WhiteRow(8192))));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(file.Path());
    vl::TBitmap bitmap;
    theme.GetBitmap(ThemeItem::ButtonImage, &bitmap);
    EXPECT_EQ(bitmap.Width(), 8192);
    EXPECT_EQ(skintest::PixelAt(bitmap, 8191, 0), 0xFFFFFFu);

    file.Rewrite(ThemeWithButtonImage(HandMadeBmp(40, 8193, 1, 1, 0, {}, WhiteRow(8193))));
    TsuiFileTheme wider(nullptr);
    wider.SetThemeFile(file.Path());
    vl::TBitmap untouched(2, 2);
    wider.GetBitmap(ThemeItem::ButtonImage, &untouched);
    EXPECT_EQ(untouched.Width(), 2);
}

TEST(FileThemeLook, BitmapWithASixtyFourByteInfoHeaderLoads) {
    skintest::TempFile file(skintest::UniqueName("header64"),
                            ThemeWithButtonImage(HandMadeBmp(64, 1, 1, 24, 0, {}, {0x30, 0x20, 0x10, 0})));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(file.Path());
    vl::TBitmap bitmap;
    theme.GetBitmap(ThemeItem::ButtonImage, &bitmap);
    ASSERT_EQ(bitmap.Width(), 1);
    EXPECT_EQ(skintest::PixelAt(bitmap, 0, 0), 0x00302010u);
}

TEST(FileThemeLook, BitmapIsTakenWithoutAlphaAsThirtyTwoBits) {
    const std::vector<uint32_t> masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    skintest::TempFile file(skintest::UniqueName("alpha"),
                            ThemeWithButtonImage(HandMadeBmp(124, 1, 1, 32, 3, masks, {0x30, 0x20, 0x10, 0x80})));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(file.Path());
    for (int i = 0; i < 2; ++i) {  // decoded once, the same picture each time
        vl::TBitmap bitmap;
        theme.GetBitmap(ThemeItem::ButtonImage, &bitmap);
        ASSERT_EQ(bitmap.Width(), 1);
        EXPECT_EQ(skintest::PixelAt(bitmap, 0, 0), 0x00302010u);
        EXPECT_EQ(bitmap.ScanLine(0)[3], 0);
        EXPECT_EQ(bitmap.PixelFormat(), vl::TPixelFormat::Bit32);
    }
}

TEST(FileThemeLook, EveryReadGivesTheGraphicItsOwnCopy) {
    skintest::TempFile file(skintest::UniqueName("copies"), Theme(1));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(file.Path());
    vl::TBitmap first, second;
    theme.GetBitmap(ThemeItem::ButtonImage, &first);
    skintest::SetPixelAt(first, 0, 0, 0x0000FF00);
    theme.GetBitmap(ThemeItem::ButtonImage, &second);
    EXPECT_EQ(skintest::PixelAt(second, 0, 0), 0x00FF0000u);  // column 0: RGB(0, 0, 255)
}

TEST(FileThemeLook, NewFileGivesItsOwnBitmaps) {
    skintest::TempFile first(skintest::UniqueName("first"), ThemeWithButtonImage(skintest::SolidBmp(3, 3, 0x0000FF)));
    skintest::TempFile second(skintest::UniqueName("second"), ThemeWithButtonImage(skintest::SolidBmp(5, 2, 0x00FF00)));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(first.Path());
    vl::TBitmap bitmap;
    theme.GetBitmap(ThemeItem::ButtonImage, &bitmap);
    EXPECT_EQ(skintest::PixelAt(bitmap, 0, 0), 0x0000FFu);
    theme.SetThemeFile(second.Path());
    theme.GetBitmap(ThemeItem::ButtonImage, &bitmap);
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(skintest::PixelAt(bitmap, 0, 0), 0x00FF00u);
}

TEST(FileThemeLook, PictureLargerThanWhatIsKeptLoadsOnEveryRead) {
    // One row more than the kept bytes allow: decoded on each read instead of kept.
    const int w = 1024, h = static_cast<int>(TsuiFileThemeMgr::kDecodedBytesKept / (4 * 1024)) + 1;
    std::vector<uint8_t> rows;
    for (int y = 0; y < h; ++y) {
        const std::vector<uint8_t> row = WhiteRow(w);
        rows.insert(rows.end(), row.begin(), row.end());
    }
    skintest::TempFile file(skintest::UniqueName("large"), ThemeWithButtonImage(HandMadeBmp(40, w, h, 1, 0, {}, rows)));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(file.Path());
    for (int i = 0; i < 2; ++i) {
        vl::TBitmap bitmap;
        theme.GetBitmap(ThemeItem::ButtonImage, &bitmap);
        EXPECT_EQ(bitmap.Height(), h);
        EXPECT_EQ(skintest::PixelAt(bitmap, w - 1, h - 1), 0xFFFFFFu);
    }
}

TEST(FileThemeLook, StripImageIsCutFromTheEntry) {
    skintest::TempFile file(skintest::UniqueName("strip"), Theme(1));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(file.Path());
    vl::TBitmap image;
    theme.GetStripBitmap(ThemeItem::ButtonImage, &image, 3, 2);
    ASSERT_EQ(image.Width(), 3);
    EXPECT_EQ(skintest::PixelAt(image, 0, 0), 0x00FC0003u);  // column 3 of the strip
}

TEST(FileThemeLook, StripOfAnAbsentBitmapLeavesTheDestination) {
    TsuiFileTheme theme(nullptr);
    vl::TBitmap image(5, 5);
    theme.GetStripBitmap(ThemeItem::ButtonImage, &image, 3, 1);
    EXPECT_EQ(image.Width(), 5);
}

TEST(FileThemeLook, RepeatedBitmapReadsLeakNoGdiObjects) {
    skintest::TempFile file(skintest::UniqueName("gdi"), Theme(1));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(file.Path());
    {
        vl::TBitmap warm;
        theme.GetStripBitmap(ThemeItem::ButtonImage, &warm, 3, 1);
    }
    const DWORD before = vltest::GdiObjects();
    for (int i = 0; i < 50; ++i) {
        vl::TBitmap image;
        theme.GetStripBitmap(ThemeItem::ButtonImage, &image, 3, 1 + i % 3);
        GetBuiltInStripBitmap(TsuiUIStyle::Protein, ThemeItem::TitleBarButtonImage, &image, 18, 1 + i % 18);
    }
    EXPECT_EQ(vltest::GdiObjects(), before);
}

// ---------------------------------------------------------------- giving the theme again

TEST(FileThemeReassign, OwnerFormsSkinnedComponentsOfThisThemeGetItAgain) {
    skintest::TempFile file(skintest::UniqueName("reassign"), Theme(1));
    auto form = skintest::MakeForm();
    auto* theme = new TsuiFileTheme(form.get());
    theme->SetName("Theme1");
    auto* other = new TsuiFileTheme(form.get());
    other->SetName("Theme2");
    skintest::AddControl<skintest::TsuiTestControl>(*form, "A")->SetFileTheme(theme);
    skintest::AddControl<skintest::TsuiTestControl>(*form, "B")->SetFileTheme(other);
    skintest::AddControl<skintest::TPlainTestControl>(*form, "Plain")->SetFileTheme(theme);
    skintest::AddControl<skintest::TsuiTestControl>(*form, "C")->SetFileTheme(theme);
    skintest::SetterLog().clear();
    theme->SetThemeFile(file.Path());
    EXPECT_EQ(skintest::SetterLog(), (std::vector<std::string>{"A.FileTheme=Theme1", "C.FileTheme=Theme1"}));
}

TEST(FileThemeReassign, FailedLoadGivesNothingAgain) {
    skintest::TempFile bad(skintest::UniqueName("noreassign"), InvalidTheme());
    auto form = skintest::MakeForm();
    auto* theme = new TsuiFileTheme(form.get());
    skintest::AddControl<skintest::TsuiTestControl>(*form, "A")->SetFileTheme(theme);
    skintest::SetterLog().clear();
    EXPECT_ANY_THROW(theme->SetThemeFile(bad.Path()));
    EXPECT_TRUE(skintest::SetterLog().empty());
}

TEST(FileThemeReassign, ThemeGoingAwayIsForgottenByItsComponents) {
    auto form = skintest::MakeForm();
    auto* theme = new TsuiFileTheme(form.get());
    auto* control = skintest::AddControl<skintest::TsuiTestControl>(*form, "A");
    control->SetFileTheme(theme);
    delete theme;
    EXPECT_EQ(control->FileTheme(), nullptr);
}
