#pragma once
// The skinned frame of a window: a panel that fills the host form's client area and carries the
// window's controls. For now it paints a plain look of its own (background colour, a border of
// BorderColor and BorderWidth, and a title strip with the caption in the title font); the drawn
// title bar, the window region and the non-client painting come with the skinned frame proper.
// It already keeps every look property a form description gives it.
#include <cstdint>
#include <functional>
#include <vector>

#include "framework/Control.h"
#include "framework/Font.h"
#include "framework/PropValue.h"
#include "skin/UIStyle.h"

namespace vorlinde {

class TsuiFileTheme;

// (sender: the title bar, index of the button in the title bar's buttons)
using TsuiTitleBarButtonClickEvent = std::function<void(vl::TObject* sender, int buttonIndex)>;

class TsuiForm : public vl::TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TsuiForm(vl::TComponent* owner);
    ~TsuiForm() override;

    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TsuiFileTheme* theme);
    bool UIStyleAutoUpdateSub() const { return autoUpdateSub_; }
    void SetUIStyleAutoUpdateSub(bool on) { autoUpdateSub_ = on; }

    uint32_t BorderColor() const { return borderColor_; }
    void SetBorderColor(uint32_t color);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    uint32_t MenuBarColor() const { return menuBarColor_; }
    void SetMenuBarColor(uint32_t color) { menuBarColor_ = color; }
    int MenuBarHeight() const { return menuBarHeight_; }
    void SetMenuBarHeight(int height) { menuBarHeight_ = height; }
    int RoundCorner() const { return roundCorner_; }
    void SetRoundCorner(int size) { roundCorner_ = size; }
    bool TitleBarDrawAppIcon() const { return drawAppIcon_; }
    void SetTitleBarDrawAppIcon(bool on) { drawAppIcon_ = on; }
    // The caption font of the title strip (published as "Font"; the panel's own font, which its
    // controls inherit, stays the host form's).
    vl::TFont* TitleFont() { return &titleFont_; }

    // The title bar's buttons and sections as the form description gives them, kept for the
    // drawn title bar.
    const std::vector<vl::TPropItem>& TitleBarButtons() const { return titleBarButtons_; }
    const std::vector<vl::TPropItem>& TitleBarSections() const { return titleBarSections_; }

    // Height of the title strip at the top of the panel.
    int TitleStripHeight();

    TsuiTitleBarButtonClickEvent OnTitleBarHelpBtnClick;

protected:
    void Paint(HDC dc, const RECT& clip) override;
    void TextChanged() override;
    void Notification(vl::TComponent* component, vl::TOperation operation) override;

private:
    static std::vector<vl::TPropItem> CollectionItems(const vl::TPropValue& value);

    TsuiUIStyle uiStyle_ = TsuiUIStyle::DeepBlue;
    TsuiFileTheme* fileTheme_ = nullptr;
    bool autoUpdateSub_ = false;
    uint32_t borderColor_ = 0x000000;
    int borderWidth_ = 1;
    uint32_t menuBarColor_ = 0xFF00000F;  // button face
    int menuBarHeight_ = 22;
    int roundCorner_ = 0;
    bool drawAppIcon_ = false;
    vl::TFont titleFont_;
    std::vector<vl::TPropItem> titleBarButtons_;
    std::vector<vl::TPropItem> titleBarSections_;
};

}  // namespace vorlinde
