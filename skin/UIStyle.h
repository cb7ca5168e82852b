#pragma once
// The looks a skinned component can take: one of five built-in styles, whose bitmaps are
// resources of the executable and whose colours and numbers sit in the theme item table
// (skin/ThemeItems.h), or the theme file of its FileTheme. Also the free functions through which
// a component reads an item of a built-in style, cuts strip bitmaps, decides between the
// built-in style and its file theme, and passes a style on to child controls.
//
// Resolving one look value, as every skinned component does when its UIStyle or FileTheme
// changes:
//   TsuiUIStyle style;
//   if (UsingFileTheme(fileTheme_, uiStyle_, style)) color = fileTheme_->GetColor(item);
//   else color = GetBuiltInColor(style, item);
// and keep the result for painting; painting never reads the tables.
#include <cstdint>
#include <string_view>

#include "framework/ClassBuilder.h"
#include "skin/ThemeItems.h"

namespace vl {
class TBitmap;
class TComponent;
class TObject;
class TWinControl;
}  // namespace vl

namespace vorlinde {

class TsuiFileTheme;

// Stored in one byte; form descriptions name the styles by these identifiers.
enum class TsuiUIStyle : uint8_t { FromThemeFile = 0, MacOS = 1, WinXP = 2, DeepBlue = 3, Protein = 4, BlueGlass = 5 };

// One item of a built-in style. Bitmap items carry their resource name instead of a number.
struct TsuiBuiltInValue {
    int32_t value = -1;
    TsuiItemKind kind = TsuiItemKind::Integer;
    const char* bitmapName = nullptr;
};

// The table value and kind of `item` for a built-in style (only the low seven bits of the
// style count). Any other style, FromThemeFile in particular, and any item outside 1 to 42
// give value -1 of kind integer.
TsuiBuiltInValue GetBuiltInValue(TsuiUIStyle style, int item);

// Loads the item's bitmap resource into `bitmap` when the item is a bitmap of that style;
// otherwise (or without a bitmap) leaves it untouched. A missing resource raises the
// framework's EInvalidGraphic.
void GetBuiltInBitmap(TsuiUIStyle style, int item, vl::TBitmap* bitmap);
// Image `imageIndex` (from 1) of `imageCount` of the item's strip bitmap into `destination`;
// imageCount 0 loads the whole bitmap. Nothing happens without a destination or when the item
// is not a bitmap of that style.
void GetBuiltInStripBitmap(TsuiUIStyle style, int item, vl::TBitmap* destination, int imageCount, int imageIndex);
// The item's colour (0x00BBGGRR); black when it is not a colour of that style.
uint32_t GetBuiltInColor(TsuiUIStyle style, int item);
// The item's flag; false when it is not a boolean of that style.
bool GetBuiltInBool(TsuiUIStyle style, int item);
// The item's number; -1 when it is not an integer of that style.
int GetBuiltInInt(TsuiUIStyle style, int item);

// Cuts image `imageIndex` (from 1) of a strip of `imageCount` equal images out of `source`:
// the destination becomes (source width div imageCount) x (source height) and receives the
// columns of that image; leftover columns at the right of the strip are never used. Columns
// that lie outside the source (an index beyond the count) come out black. An imageCount below
// 1 leaves the destination untouched.
void ExtractStripImage(vl::TBitmap& source, vl::TBitmap& destination, int imageCount, int imageIndex);

// Whether a component with this file theme and style draws from the file theme: only when the
// style is FromThemeFile and the theme is loaded. `effectiveStyle` receives the built-in style
// to use otherwise: the style itself, or DeepBlue for FromThemeFile without a loaded theme.
bool UsingFileTheme(const TsuiFileTheme* fileTheme, TsuiUIStyle style, TsuiUIStyle& effectiveStyle);

// The style a new skinned component starts with: the UIStyle of the first TsuiForm among the
// direct child controls of `component` when it is a form; DeepBlue otherwise.
TsuiUIStyle GetFormUIStyle(const vl::TComponent* component);

// Whether the component's class publishes a property of that name (false without a component).
bool HasProperty(const vl::TObject* component, std::string_view name);

// Gives every direct child control of `container` that publishes both FileTheme and UIStyle
// this file theme and then this style, through its property setters, in child order.
void ApplyThemeToChildren(vl::TWinControl* container, TsuiUIStyle style, TsuiFileTheme* fileTheme);

}  // namespace vorlinde

template <>
struct vl::TEnumNames<vorlinde::TsuiUIStyle> {
    static const TEnumTable<vorlinde::TsuiUIStyle>& Table() {
        using S = vorlinde::TsuiUIStyle;
        static const TEnumTable<S> table = {{"FromThemeFile", S::FromThemeFile}, {"MacOS", S::MacOS},
                                            {"WinXP", S::WinXP},                 {"DeepBlue", S::DeepBlue},
                                            {"Protein", S::Protein},             {"BlueGlass", S::BlueGlass}};
        return table;
    }
};
