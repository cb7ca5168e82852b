// The built-in art compiled into the program: every bitmap resource the styles name, at its
// size, with see-through corners where the controls expect them; and the msn theme beside the
// executable.
#include <gtest/gtest.h>

#include "SkinTestSupport.h"
#include "skin/FileTheme.h"
#include "skin/ThemeFileReader.h"
#include "skin/ThemeItems.h"
#include "skin/UIStyle.h"

using namespace vorlinde;

namespace {
constexpr uint32_t kMagenta = 0xFF00FF;

void LoadResource(vl::TBitmap& bitmap, const char* name) {
    bitmap.LoadFromResourceName(GetModuleHandleA(nullptr), name);
}
}  // namespace

TEST(SkinArtResources, EveryBuiltInBitmapExistsWithItsSize) {
    ASSERT_EQ(BuiltInBitmaps().size(), 99u);  // 5 x 18, three scroll buttons, six extras
    for (const TsuiBuiltInBitmap& b : BuiltInBitmaps()) {
        vl::TBitmap bitmap;
        ASSERT_NO_THROW(bitmap.LoadFromResourceName(GetModuleHandleA(nullptr), b.name)) << b.name;
        EXPECT_EQ(bitmap.Width(), b.width) << b.name;
        EXPECT_EQ(bitmap.Height(), b.height) << b.name;
    }
}

TEST(SkinArtResources, EveryBitmapItemOfEveryStyleNamesAListedBitmap) {
    for (int item = 1; item <= kThemeItemCount; ++item) {
        if (ThemeItemInfo(item)->kind != TsuiItemKind::Bitmap) continue;
        for (int style = 1; style <= kBuiltInStyleCount; ++style) {
            const char* name = ThemeItemInfo(item)->bitmaps[style - 1];
            const TsuiBuiltInBitmap* b = FindBuiltInBitmap(name);
            ASSERT_NE(b, nullptr) << name;
            EXPECT_EQ(b->item, item) << name;
        }
    }
}

TEST(SkinArtResources, SizesAreThoseTheControlsMeasure) {
    vl::TBitmap bitmap;
    GetBuiltInBitmap(TsuiUIStyle::Protein, ThemeItem::TitleBarLeftImage, &bitmap);
    EXPECT_EQ(bitmap.Width(), 441);
    EXPECT_EQ(bitmap.Height(), 23);
    GetBuiltInBitmap(TsuiUIStyle::BlueGlass, ThemeItem::ScrollBarButtonImage, &bitmap);
    EXPECT_EQ(bitmap.Width(), 102);
    GetBuiltInBitmap(TsuiUIStyle::MacOS, ThemeItem::CheckBoxImage, &bitmap);
    EXPECT_EQ(bitmap.Width(), 60);
    EXPECT_EQ(bitmap.Height(), 17);
}

TEST(SkinArtResources, MessageIconsAre256ColourArtSeeThroughAroundEachIcon) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, "MSGDLG", MAKEINTRESOURCEA(2));  // RT_BITMAP
    ASSERT_NE(resource, nullptr);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, resource)));
    EXPECT_EQ(header->biBitCount, 8);
    vl::TBitmap strip, icon;
    LoadResource(strip, "MSGDLG");
    ASSERT_EQ(strip.Width(), 168);
    ASSERT_EQ(strip.Height(), 42);
    for (int k = 1; k <= 4; ++k) {
        ExtractStripImage(strip, icon, 4, k);
        EXPECT_EQ(icon.TransparentColor(), kMagenta) << k;
        EXPECT_EQ(skintest::PixelAt(icon, 0, 0), kMagenta) << k;
        EXPECT_NE(skintest::PixelAt(icon, 21, 21), kMagenta) << k;
    }
}

TEST(SkinArtTransparency, RadioButtonsAreSeeThroughAtTheBottomLeft) {
    for (int style = 1; style <= kBuiltInStyleCount; ++style) {
        vl::TBitmap image;
        for (int k = 1; k <= 4; ++k) {
            GetBuiltInStripBitmap(static_cast<TsuiUIStyle>(style), ThemeItem::RadioButtonImage, &image, 4, k);
            EXPECT_EQ(skintest::PixelAt(image, 0, image.Height() - 1), kMagenta) << style << " image " << k;
        }
    }
}

TEST(SkinArtTransparency, TransparentTitleButtonsAreSeeThroughAtTheBottomLeft) {
    for (int style = 1; style <= kBuiltInStyleCount; ++style) {
        const auto s = static_cast<TsuiUIStyle>(style);
        if (!GetBuiltInBool(s, ThemeItem::TitleBarButtonTransparentBool)) continue;
        vl::TBitmap image;
        for (int k = 1; k <= 18; ++k) {
            GetBuiltInStripBitmap(s, ThemeItem::TitleBarButtonImage, &image, 18, k);
            EXPECT_EQ(skintest::PixelAt(image, 0, image.Height() - 1), kMagenta) << style << " image " << k;
        }
    }
}

TEST(SkinArtTransparency, TransparentButtonsHaveMagentaCornersOthersDoNot) {
    for (int style = 1; style <= kBuiltInStyleCount; ++style) {
        const auto s = static_cast<TsuiUIStyle>(style);
        vl::TBitmap image;
        GetBuiltInStripBitmap(s, ThemeItem::ButtonImage, &image, 3, 1);
        const bool keyed = skintest::PixelAt(image, 0, 0) == kMagenta;
        EXPECT_EQ(keyed, GetBuiltInBool(s, ThemeItem::ButtonTransparentBool)) << style;
    }
}

TEST(SkinArtTransparency, MenuCheckMarkIsDrawnOnWhite) {
    vl::TBitmap check;
    LoadResource(check, "MENU_CHECKED");
    EXPECT_EQ(skintest::PixelAt(check, 0, 0), 0xFFFFFFu);
    EXPECT_LT(skintest::PixelAt(check, 6, 11) & 0xFF, 64u);  // the mark itself is dark
}

TEST(SkinArtStrips, StripsDivideIntoWholeImages) {
    for (const TsuiBuiltInBitmap& b : BuiltInBitmaps()) EXPECT_EQ(b.width % b.images, 0) << b.name;
}

TEST(SkinArtMsnTheme, IsAValidAndCompleteThemeFile) {
    ASSERT_TRUE(IsValidThemeFile(VORLINDE_MSN_THEME));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(VORLINDE_MSN_THEME);
    ASSERT_TRUE(theme.IsLoaded());
    for (int item = 1; item <= kThemeItemCount; ++item) {
        const TsuiThemeItemInfo* info = ThemeItemInfo(item);
        switch (info->kind) {
        case TsuiItemKind::Bitmap: {
            vl::TBitmap bitmap;
            theme.GetBitmap(item, &bitmap);
            EXPECT_FALSE(bitmap.Empty()) << info->name;
            break;
        }
        case TsuiItemKind::Integer:
        case TsuiItemKind::Color:
            EXPECT_NE(theme.Mgr().Reader()->Tables().FindInteger(info->name), std::nullopt) << info->name;
            break;
        case TsuiItemKind::Boolean:
            EXPECT_NE(theme.Mgr().Reader()->Tables().FindFlag(info->name), std::nullopt) << info->name;
            break;
        }
    }
}

TEST(SkinArtMsnTheme, TitleButtonsCutIntoEighteen) {
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(VORLINDE_MSN_THEME);
    vl::TBitmap close;
    theme.GetStripBitmap(ThemeItem::TitleBarButtonImage, &close, 18, 16);
    EXPECT_EQ(close.Width(), 19);
    EXPECT_EQ(close.Height(), 19);
}
