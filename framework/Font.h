#pragma once
// A font description with a lazily created GDI font that it owns; tells its owner when it
// changes so that a control can repaint and its children can inherit the new font.
#include <windows.h>

#include <functional>
#include <string>

#include "framework/Component.h"

namespace vl {

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

class TFont : public TPersistent {
    VL_DECLARE_CLASS()
public:
    TFont();
    ~TFont() override;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    // Negative heights are character heights in pixels, positive ones cell heights (as LOGFONT).
    int Height() const { return height_; }
    void SetHeight(int height);
    // Size in points at the screen's resolution.
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    uint32_t Color() const { return color_; }
    void SetColor(uint32_t color);
    int Charset() const { return charset_; }
    void SetCharset(int charset);

    // The GDI font, created on first use and owned by this object.
    HFONT Handle() const;

    void Assign(const TPersistent& source) override;
    bool Equals(const TFont& other) const;

    std::function<void(TObject*)> OnChange;

private:
    void Changed();
    void FreeHandle() const;

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TFontStyles style_ = 0;
    uint32_t color_ = 0xFF000008;  // window text
    int charset_ = DEFAULT_CHARSET;
    mutable HFONT handle_ = nullptr;
};

// The RGB value of a colour that may name a system colour (0xFF0000nn).
COLORREF ColorToRGB(uint32_t color);

}  // namespace vl
