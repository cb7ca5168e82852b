#pragma once
// The theme items: the 42 numbered look values that both a built-in style and a theme file
// provide, each with its name (the entry name in a theme file), its kind and the values of the
// five built-in styles; and the list of every built-in bitmap with its size and strip layout.
//
// Free of windows.h and of the framework: the host tools that draw the built-in art and write
// theme files share this table with the program.
#include <cstdint>
#include <string_view>
#include <vector>

namespace vorlinde {

// How a theme item is stored: the kind codes of the item table.
enum class TsuiItemKind : uint8_t { Integer = 0, Color = 1, Bitmap = 2, Boolean = 3 };

inline constexpr int kThemeItemCount = 42;
// Built-in styles are numbered 1 (MacOS) to 5 (BlueGlass), as the style enumeration orders them.
inline constexpr int kBuiltInStyleCount = 5;

// A colour value from red, green and blue: bytes 0x00BBGGRR.
constexpr int32_t ColorRGB(int r, int g, int b) { return r | (g << 8) | (b << 16); }

struct TsuiThemeItemInfo {
    const char* name;
    TsuiItemKind kind;
    // Integer, colour or boolean value of the built-in styles 1 to 5 (0 for bitmap items).
    int32_t values[kBuiltInStyleCount];
    // Bitmap items: the resource name of the built-in styles 1 to 5 (null for other kinds).
    const char* bitmaps[kBuiltInStyleCount];
};

// Item `item` (1 to 42); null for any other number.
const TsuiThemeItemInfo* ThemeItemInfo(int item);
// The number of the item with that name, letter case ignored; 0 when there is none.
int ThemeItemByName(std::string_view name);

// Resource prefix of built-in style 1 to 5 ("MACOS_" ...); empty for any other number.
std::string_view BuiltInStylePrefix(int style);

// The item numbers, named as the item table names them.
namespace ThemeItem {
inline constexpr int ButtonImage = 1;
inline constexpr int ButtonTransparentBool = 2;
inline constexpr int CheckBoxImage = 3;
inline constexpr int RadioButtonImage = 4;
inline constexpr int TitleBarButtonImage = 5;
inline constexpr int TitleBarButtonTransparentBool = 6;
inline constexpr int TitleBarButtonLeftOffsetInt = 7;
inline constexpr int TitleBarButtonRightOffsetInt = 8;
inline constexpr int TitleBarButtonTopInt = 9;
inline constexpr int TitleBarLeftImage = 10;
inline constexpr int TitleBarClientImage = 11;
inline constexpr int TitleBarRightImage = 12;
inline constexpr int FormMinWidthInt = 13;
inline constexpr int FormRoundCornerInt = 14;
inline constexpr int FormBackgroundColor = 15;
inline constexpr int FormBorderColor = 16;
inline constexpr int FormBorderWidthInt = 17;
inline constexpr int MenuSelectedBorderColor = 18;
inline constexpr int MenuSelectedBackgroundColor = 19;
inline constexpr int MenuSelectedFontColor = 20;
inline constexpr int MenuBackgroundColor = 21;
inline constexpr int MenuFontColor = 22;
inline constexpr int MenuBarColor = 23;
inline constexpr int ProgressBarImage = 24;
inline constexpr int ControlBorderColor = 25;
inline constexpr int ControlBackgroundColor = 26;
inline constexpr int ControlFontColor = 27;
inline constexpr int TrackBarBarImage = 28;
inline constexpr int TrackBarSliderImage = 29;
inline constexpr int TrackBarSliderVImage = 30;
inline constexpr int ScrollBarBackgroundColor = 31;
inline constexpr int ScrollBarButtonImage = 32;
inline constexpr int ScrollBarSliderImage = 33;
inline constexpr int CheckListBoxImage = 34;
inline constexpr int ToolBarButtonBorderColor = 35;
inline constexpr int ToolBarButtonBackgroundColor = 36;
inline constexpr int ToolBarButtonDownBackgroundColor = 37;
inline constexpr int ScrollButtonImage = 38;
inline constexpr int TabControlTabImage = 39;
inline constexpr int TabControlBarImage = 40;
inline constexpr int SideChannelHandleImage = 41;
inline constexpr int SideChannelBarImage = 42;
}  // namespace ThemeItem

// One bitmap resource of the built-in styles.
struct TsuiBuiltInBitmap {
    const char* name;   // resource name, e.g. "PROTEIN_BUTTON"
    const char* element;  // element suffix ("BUTTON"), or the whole name for the extra bitmaps
    int style;          // 1 to 5; 0 for a bitmap shared by styles or outside the item table
    int item;           // theme item number; 0 for the bitmaps outside the item table
    int width, height;
    int images;         // images side by side in the strip (1 for a single picture)
};

// Every built-in bitmap resource, each name once: the item bitmaps of the five styles (the
// shared "MORE_SCROLLBUTTON" once), then the form backgrounds, the MacOS menu bitmaps,
// "MENU_CHECKED" and "MSGDLG".
const std::vector<TsuiBuiltInBitmap>& BuiltInBitmaps();
// The entry of a resource name (exact letter case); null when it is not a built-in bitmap.
const TsuiBuiltInBitmap* FindBuiltInBitmap(std::string_view name);

}  // namespace vorlinde
