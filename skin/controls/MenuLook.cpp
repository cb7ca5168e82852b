#include "skin/controls/MenuLook.h"

#include "skin/FileTheme.h"
#include "skin/ThemeItems.h"

namespace vorlinde {

namespace {
constexpr int kBarWidth = 26;
constexpr uint32_t kSeparatorColor = 0x848284;
constexpr int kMacItemHeight = 20, kMacSeparatorHeight = 12;
constexpr int kItemHeight = 21, kSeparatorHeight = 5;

void LoadStyleBitmap(vl::TBitmap& bitmap, const char* name) {
    // Built-in bitmaps are read again at every restyle, as every skinned control does.
    bitmap.LoadFromResourceName(GetModuleHandleA(nullptr), name);
}
}  // namespace

TsuiMenuLook::TsuiMenuLook() = default;

void TsuiMenuLook::ApplyStyle(TsuiUIStyle style, TsuiFileTheme* fileTheme) {
    style_ = style;
    barWidth_ = kBarWidth;
    if (style == TsuiUIStyle::MacOS) {
        menuItemHeight_ = kMacItemHeight;
        separatorHeight_ = kMacSeparatorHeight;
        separatorColor_ = 0x000000;
    } else {
        menuItemHeight_ = kItemHeight;
        separatorHeight_ = kSeparatorHeight;
        separatorColor_ = kSeparatorColor;
    }

    TsuiUIStyle effective = style;
    const bool fromFile = UsingFileTheme(fileTheme, style, effective);
    auto color = [&](int item) { return fromFile ? fileTheme->GetColor(item) : GetBuiltInColor(effective, item); };
    barColor_ = color(ThemeItem::MenuBarColor);
    color_ = color(ThemeItem::MenuBackgroundColor);
    fontColor_ = color(ThemeItem::MenuFontColor);
    selectedBorderColor_ = color(ThemeItem::MenuSelectedBorderColor);
    selectedColor_ = color(ThemeItem::MenuSelectedBackgroundColor);
    selectedFontColor_ = color(ThemeItem::MenuSelectedFontColor);
    flatEdgeColor_ = color(ThemeItem::FormBackgroundColor);

    if (effective == TsuiUIStyle::MacOS) {
        LoadStyleBitmap(macSelect_, "MACOS_MENU_SELECT");
        LoadStyleBitmap(macBar_, "MACOS_MENU_BAR");
    } else {
        macSelect_.Clear();
        macBar_.Clear();
    }
}

void TsuiMenuLook::SetMenuItemHeight(int v) {
    if (style_ != TsuiUIStyle::MacOS) menuItemHeight_ = v;
}

void TsuiMenuLook::SetSeparatorHeight(int v) {
    if (style_ != TsuiUIStyle::MacOS) separatorHeight_ = v;
}

}  // namespace vorlinde
