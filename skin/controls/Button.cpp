#include "skin/controls/Button.h"

#include "framework/Canvas.h"
#include "skin/FileTheme.h"
#include "skin/controls/SkinPaint.h"

namespace vorlinde {

const vl::TClassInfo& TsuiButton::StaticClass() {
    // FileTheme is the base's; published here, as the image button has none.
    using SetTheme = void (TsuiButton::*)(TsuiFileTheme*);
    using GetTheme = TsuiFileTheme* (TsuiButton::*)() const;
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiButton>("TsuiButton", &TsuiCustomButton::StaticClass())
            .Creatable()
            .Reference("FileTheme", static_cast<SetTheme>(&TsuiButton::SetFileTheme),
                       static_cast<GetTheme>(&TsuiButton::FileTheme))
            .Object("Glyph", &TsuiButton::Glyph)
            .Prop("Layout", &TsuiButton::SetLayout, &TsuiButton::Layout)
            .Prop("Spacing", &TsuiButton::SetSpacing, &TsuiButton::Spacing)
            .Prop("ResHandle", &TsuiButton::SetResHandle, &TsuiButton::ResHandle)
            .Build();
    return info;
}

TsuiButton::TsuiButton(vl::TComponent* owner) : TsuiCustomButton(owner) {
    SetBounds(0, 0, 80, 27);
    glyph_.OnChange = [this](vl::TObject*) { Invalidate(); };
}

TsuiButton::~TsuiButton() { glyph_.OnChange = nullptr; }

void TsuiButton::SetGlyph(const vl::TBitmap& glyph) {
    glyph_.Assign(glyph);
    Invalidate();
}

void TsuiButton::SetLayout(TButtonLayout layout) {
    layout_ = layout;
    Invalidate();
}

void TsuiButton::SetSpacing(int pixels) {
    spacing_ = pixels;
    Invalidate();
}

void TsuiButton::UIStyleChanged() {
    TsuiCustomButton::UIStyleChanged();
    SetTransparent(ThemeBool(FileTheme(), UIStyle(), ThemeItem::ButtonTransparentBool));
}

void TsuiButton::PaintPic(vl::TCanvas& canvas, vl::TBitmap& picture) {
    UseFont(canvas, FontRef());
    DrawSkinImageStretched(picture, canvas, ClientRect(), picTransparent_);
    if (!glyph_.Empty()) PaintGlyph(canvas);
}

void TsuiButton::PaintGlyph(vl::TCanvas& canvas) {
    const SIZE text = CaptionExtent(canvas, Caption());
    const int tw = text.cx, th = text.cy;
    int gw = glyph_.Width();
    const int gh = glyph_.Height();
    const bool twoImages = gw == 2 * gh;
    if (twoImages) gw = gh;
    const int W = Width(), H = Height(), S = spacing_;
    int gx = 0, gy = 0;
    switch (layout_) {
    case TButtonLayout::GlyphLeft:
        gx = (W - gw - tw - S) / 2;
        gy = (H - gh) / 2;
        textX_ = gx + gw + S;
        textY_ = (H - th) / 2;
        break;
    case TButtonLayout::GlyphRight:
        gx = (W + tw + S - gw) / 2;
        gy = (H - gh) / 2;
        textX_ = gx - tw - S;
        textY_ = (H - th) / 2;
        break;
    case TButtonLayout::GlyphTop:
        gx = (W - gw) / 2;
        gy = (H - th - gh - S) / 2;
        textX_ = (W - tw) / 2;
        textY_ = gy + gh + S;
        break;
    case TButtonLayout::GlyphBottom:
        gx = (W - gw) / 2;
        gy = (H + th + S - gh) / 2;
        textX_ = (W - tw) / 2;
        textY_ = gy - th - S;
        break;
    }
    if (MouseDown()) {
        ++gx;
        ++gy;
    }
    // A two-image glyph has its own disabled picture; a single one is greyed.
    const int index = twoImages && !Enabled() ? 1 : 0;
    DrawListImage(canvas, glyph_, gw, index, gx, gy, true, !twoImages && !Enabled());
}

void TsuiButton::PaintText(vl::TCanvas& canvas, const std::string& caption) {
    if (glyph_.Empty()) {
        TsuiCustomButton::PaintText(canvas, caption);
        return;
    }
    UseFont(canvas, FontRef());
    if (boldCaption_) canvas.Font()->SetStyle(canvas.Font()->Style() | vl::fsBold);
    const RECT rect{textX_, textY_, Width(), Height()};
    DrawCaption(canvas, caption, rect, DT_LEFT | DT_TOP, Enabled(), MouseDown());
    boldCaption_ = false;
}

void TsuiButton::PaintFocus(vl::TCanvas& canvas) {
    if (UIStyle() == TsuiUIStyle::MacOS || UIStyle() == TsuiUIStyle::BlueGlass) {
        boldCaption_ = true;
        return;
    }
    TsuiCustomButton::PaintFocus(canvas);
}

}  // namespace vorlinde
