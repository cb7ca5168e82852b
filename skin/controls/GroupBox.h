#pragma once
// TsuiCustomGroupBox: a titled frame in the colours of the UI style. Its caption sits in a gap
// of the frame's top line; the style's control border and font colours are taken at each
// restyle, and the style is passed on to the skinned controls placed inside it.
#include <windows.h>

#include <cstdint>
#include <string>

#include "skin/UIStyle.h"
#include "skin/controls/CustomPanel.h"
#include "skin/controls/ThemeLook.h"

namespace vorlinde {

class TsuiFileTheme;

class TsuiCustomGroupBox : public TsuiCustomPanel {
    VL_DECLARE_CLASS()
public:
    explicit TsuiCustomGroupBox(vl::TComponent* owner);

    uint32_t BorderColor() const { return borderColor_; }
    void SetBorderColor(uint32_t color);
    // The frame's own caption (the window text stays a single blank).
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    // Stores the style and restyles: children, border and font colour (UIStyleChanged).
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return fileTheme_.Get(); }
    void SetFileTheme(TsuiFileTheme* theme);

protected:
    virtual void UIStyleChanged(TsuiUIStyle style, TsuiFileTheme* fileTheme);

    // Inside the frame: 3 pixels in from the sides and bottom, a caption line and 5 from the top.
    void AdjustClientRect(RECT& rect) override;
    void Paint(HDC dc, const RECT& clip) override;
    void FontChanged() override;
    void TextChanged() override;
    // Every child control follows.
    void EnabledChanged() override;
    void Notification(vl::TComponent* component, vl::TOperation operation) override;

    // |Font.Height|: the caption line's height that frame and layout use.
    int CaptionLineHeight() const;

private:
    uint32_t borderColor_ = 0;
    std::string caption_;
    TsuiThemeLink fileTheme_;
    TsuiUIStyle uiStyle_;
};

}  // namespace vorlinde
