#pragma once
// TsuiButton: the skinned push button of the program's windows. Its state picture is stretched
// over the whole button with the corners kept unscaled (DrawSkinImageStretched), so one strip
// serves buttons of any size; an optional glyph sits beside, above or below the caption.
#include <windows.h>

#include <string>

#include "framework/Bitmap.h"
#include "framework/ClassBuilder.h"
#include "skin/controls/CustomButton.h"

namespace vorlinde {

// Where a button's glyph sits relative to its caption.
enum class TButtonLayout { GlyphLeft = 0, GlyphRight = 1, GlyphTop = 2, GlyphBottom = 3 };

class TsuiButton : public TsuiCustomButton {
    VL_DECLARE_CLASS()
public:
    explicit TsuiButton(vl::TComponent* owner);
    ~TsuiButton() override;

    // The glyph, owned; empty by default. A glyph twice as wide as high holds two images: the
    // normal one and the one shown while the button is disabled.
    vl::TBitmap* Glyph() { return &glyph_; }
    void SetGlyph(const vl::TBitmap& glyph);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    // Pixels between glyph and caption.
    int Spacing() const { return spacing_; }
    void SetSpacing(int pixels);
    // Kept for form descriptions: always 0, and writing it does nothing.
    uint32_t ResHandle() const { return 0; }
    void SetResHandle(uint32_t) {}

protected:
    // Transparent follows the style's ButtonTransparentBool.
    void UIStyleChanged() override;
    void PaintPic(vl::TCanvas& canvas, vl::TBitmap& picture) override;
    void PaintText(vl::TCanvas& canvas, const std::string& caption) override;
    // The MacOS and BlueGlass styles show the focus by a bold caption instead of a rectangle.
    void PaintFocus(vl::TCanvas& canvas) override;

private:
    // Places the glyph for the caption's extent and draws it.
    void PaintGlyph(vl::TCanvas& canvas);

    vl::TBitmap glyph_;
    TButtonLayout layout_ = TButtonLayout::GlyphLeft;
    int spacing_ = 4;
    // Where the caption goes beside a glyph, worked out while painting the glyph.
    int textX_ = 0, textY_ = 0;
};

}  // namespace vorlinde

template <>
struct vl::TEnumNames<vorlinde::TButtonLayout> {
    static const TEnumTable<vorlinde::TButtonLayout>& Table() {
        using L = vorlinde::TButtonLayout;
        static const TEnumTable<L> table = {{"blGlyphLeft", L::GlyphLeft},
                                            {"blGlyphRight", L::GlyphRight},
                                            {"blGlyphTop", L::GlyphTop},
                                            {"blGlyphBottom", L::GlyphBottom}};
        return table;
    }
};
