#pragma once
// The look of a skinned menu's items: the sizes, colours and font that a UI style (or a form
// description, until the next style) gives them, and the measuring and painting of one item in
// that look. Shared by the skinned popup menu and the skinned main menu's drop-downs.
//
// Painting never reads the style tables: ApplyStyle reads every value it needs, the MacOS
// bitmaps included, and keeps them here.
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/Bitmap.h"
#include "skin/UIStyle.h"

namespace vl {
class TImageList;
class TMenuItem;
}  // namespace vl

namespace vorlinde {

class TsuiFileTheme;

class TsuiMenuLook {
public:
    TsuiMenuLook();
    TsuiMenuLook(const TsuiMenuLook&) = delete;
    TsuiMenuLook& operator=(const TsuiMenuLook&) = delete;

    // Takes the values of `style`: the fixed sizes (MacOS: items 20, separators 12, black
    // separator line; other styles: 21, 5 and 0x848284), a bar 26 pixels wide, and the six menu
    // colours from the file theme when the style uses it, else from the effective built-in
    // style. Explicit values set afterwards last until the next call.
    void ApplyStyle(TsuiUIStyle style, TsuiFileTheme* fileTheme);
    // The style last applied.
    TsuiUIStyle Style() const { return style_; }

    // Both heights keep their style's value while the style is MacOS: setting them does nothing.
    int MenuItemHeight() const { return menuItemHeight_; }
    void SetMenuItemHeight(int v);
    int SeparatorHeight() const { return separatorHeight_; }
    void SetSeparatorHeight(int v);
    int BarWidth() const { return barWidth_; }
    void SetBarWidth(int v) { barWidth_ = v; }
    uint32_t BarColor() const { return barColor_; }
    void SetBarColor(uint32_t v) { barColor_ = v; }
    uint32_t Color() const { return color_; }
    void SetColor(uint32_t v) { color_ = v; }
    uint32_t SeparatorColor() const { return separatorColor_; }
    void SetSeparatorColor(uint32_t v) { separatorColor_ = v; }
    uint32_t SelectedBorderColor() const { return selectedBorderColor_; }
    void SetSelectedBorderColor(uint32_t v) { selectedBorderColor_ = v; }
    uint32_t SelectedColor() const { return selectedColor_; }
    void SetSelectedColor(uint32_t v) { selectedColor_ = v; }
    uint32_t SelectedFontColor() const { return selectedFontColor_; }
    void SetSelectedFontColor(uint32_t v) { selectedFontColor_ = v; }
    uint32_t FontColor() const { return fontColor_; }
    void SetFontColor(uint32_t v) { fontColor_ = v; }
    // Kept for form descriptions; the drawing does not use it.
    uint32_t BorderColor() const { return borderColor_; }
    void SetBorderColor(uint32_t v) { borderColor_ = v; }
    // Redraws the menu window's frame flat, in black and the style's form background colour.
    bool FlatMenu() const { return flatMenu_; }
    void SetFlatMenu(bool v) { flatMenu_ = v; }
    // The caption font when UseSystemFont is off.
    const std::string& FontName() const { return fontName_; }
    void SetFontName(const std::string& v) { fontName_ = v; }
    int FontSize() const { return fontSize_; }  // points
    void SetFontSize(int v) { fontSize_ = v; }
    int FontCharset() const { return fontCharset_; }
    void SetFontCharset(int v) { fontCharset_ = v; }
    // Captions in the system's menu font.
    bool UseSystemFont() const { return useSystemFont_; }
    void SetUseSystemFont(bool v) { useSystemFont_ = v; }

    // The colour of the flat frame's outer edge (the style's form background).
    uint32_t FlatEdgeColor() const { return flatEdgeColor_; }

    // Height: MenuItemHeight, or SeparatorHeight for a separator. Width: caption + shortcut
    // text + BarWidth + 40, the texts measured in the caption font (bold for the default item).
    void Measure(const vl::TMenuItem& item, HDC dc, int& width, int& height) const;
    // Paints the item over `rect` of `dc` in one block; `images` is the image list of the menu
    // that shows it (may be null). On a menu window's context the margins beside the item are
    // painted too; with FlatMenu the frame of the window behind `dc` is redrawn.
    void Draw(const vl::TMenuItem& item, vl::TImageList* images, HDC dc, const RECT& rect, bool selected);

private:
    // The caption font, bold for the menu's default item.
    LOGFONTA CaptionFont(bool bold) const;
    void PaintItem(const vl::TMenuItem& item, vl::TImageList* images, HDC dc, const RECT& rect, bool selected);
    void PaintSeparator(HDC dc, const RECT& rect);
    // The margins of the menu window beside the item (and above the first, below the last) in
    // the item's unselected background, so that the bar and the background reach the frame.
    void PaintMargins(HWND menuWindow, const RECT& item, int rows);
    // The bar and the background of an item that is not highlighted; in MacOS the top `rows`
    // of the menu bar bitmap.
    void PaintBackground(HDC dc, const RECT& rect, int rows);
    void PaintCheckAndImage(const vl::TMenuItem& item, vl::TImageList* images, HDC dc, const RECT& rect);

    TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
    int menuItemHeight_ = 21;
    int separatorHeight_ = 21;
    int barWidth_ = 0;
    uint32_t barColor_ = 0xFF00000F;             // button face
    uint32_t color_ = 0xFFFFFF;
    uint32_t separatorColor_ = 0x808080;
    uint32_t selectedBorderColor_ = 0xFF00000D;  // highlight
    uint32_t selectedColor_ = 0xFF00000D;
    uint32_t selectedFontColor_ = 0xFFFFFF;
    uint32_t fontColor_ = 0xFFFFFF;
    uint32_t borderColor_ = 0x000000;
    bool flatMenu_ = false;
    std::string fontName_ = "MS Sans Serif";
    int fontSize_ = 8;
    int fontCharset_ = DEFAULT_CHARSET;
    bool useSystemFont_ = true;
    uint32_t flatEdgeColor_ = 0;
    // MacOS only: "MACOS_MENU_SELECT" and "MACOS_MENU_BAR"; empty in the other styles.
    vl::TBitmap macSelect_;
    vl::TBitmap macBar_;
};

// Redraws the frame of a menu window flat, in window coordinates of its whole rectangle
// (0, 0, W, H): a frame in `frameColor` on (0, 1, W-1, H-1), a white one inside it, and the
// bottom, right and top edges in `edgeColor`. Nothing happens without a window.
void DrawFlatMenuBorder(HWND window, COLORREF frameColor, COLORREF edgeColor);

// The check mark of checked menu items: "MENU_CHECKED" (16 x 16, white is transparent), made on
// first use and shared by every skinned menu until the program ends.
vl::TImageList& MenuCheckMarks();

}  // namespace vorlinde
