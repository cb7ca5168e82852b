#pragma once
// The tray menu's skinned popup menu. For now it keeps the look settings a form description
// gives it (colours, sizes, font, UI style and file theme) and draws as the framework's popup
// menu does; the skinned measuring and painting come with the skinned popup menu proper.
#include <cstdint>
#include <string>

#include "framework/Menus.h"
#include "skin/UIStyle.h"

namespace vorlinde {

class TsuiFileTheme;

class TsuiPopupMenu : public vl::TPopupMenu {
    VL_DECLARE_CLASS()
public:
    explicit TsuiPopupMenu(vl::TComponent* owner);
    ~TsuiPopupMenu() override;

    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle style) { uiStyle_ = style; }
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TsuiFileTheme* theme);

    int MenuItemHeight() const { return menuItemHeight_; }
    void SetMenuItemHeight(int v) { menuItemHeight_ = v; }
    int SeparatorHeight() const { return separatorHeight_; }
    void SetSeparatorHeight(int v) { separatorHeight_ = v; }
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
    uint32_t BorderColor() const { return borderColor_; }
    void SetBorderColor(uint32_t v) { borderColor_ = v; }
    bool FlatMenu() const { return flatMenu_; }
    void SetFlatMenu(bool v) { flatMenu_ = v; }
    const std::string& FontName() const { return fontName_; }
    void SetFontName(const std::string& v) { fontName_ = v; }
    int FontSize() const { return fontSize_; }
    void SetFontSize(int v) { fontSize_ = v; }
    int FontCharset() const { return fontCharset_; }
    void SetFontCharset(int v) { fontCharset_ = v; }
    bool UseSystemFont() const { return useSystemFont_; }
    void SetUseSystemFont(bool v) { useSystemFont_ = v; }

protected:
    void Notification(vl::TComponent* component, vl::TOperation operation) override;

private:
    TsuiUIStyle uiStyle_ = TsuiUIStyle::DeepBlue;
    TsuiFileTheme* fileTheme_ = nullptr;
    int menuItemHeight_ = 21;
    int separatorHeight_ = 21;
    int barWidth_ = 26;
    uint32_t barColor_ = 0xFF00000F;            // button face
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
};

}  // namespace vorlinde
