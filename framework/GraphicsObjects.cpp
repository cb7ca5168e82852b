#include "framework/GraphicsObjects.h"

#include "framework/Font.h"

namespace vl {

const TEnumTable<TBrushStyle>& TEnumNames<TBrushStyle>::Table() {
    static const TEnumTable<TBrushStyle> t = {
        {"bsSolid", TBrushStyle::Solid},         {"bsClear", TBrushStyle::Clear},
        {"bsHorizontal", TBrushStyle::Horizontal}, {"bsVertical", TBrushStyle::Vertical},
        {"bsFDiagonal", TBrushStyle::FDiagonal}, {"bsBDiagonal", TBrushStyle::BDiagonal},
        {"bsCross", TBrushStyle::Cross},         {"bsDiagCross", TBrushStyle::DiagCross}};
    return t;
}

const TEnumTable<TPenStyle>& TEnumNames<TPenStyle>::Table() {
    static const TEnumTable<TPenStyle> t = {
        {"psSolid", TPenStyle::Solid},     {"psDash", TPenStyle::Dash},   {"psDot", TPenStyle::Dot},
        {"psDashDot", TPenStyle::DashDot}, {"psDashDotDot", TPenStyle::DashDotDot},
        {"psClear", TPenStyle::Clear},     {"psInsideFrame", TPenStyle::InsideFrame}};
    return t;
}

// ============================================================================================ TBrush

const TClassInfo& TBrush::StaticClass() {
    static const TClassInfo info = TClassBuilder<TBrush>("TBrush", &TPersistent::StaticClass())
                                       .ColorProp("Color", &TBrush::SetColor, &TBrush::Color)
                                       .Prop("Style", &TBrush::SetStyle, &TBrush::Style)
                                       .Build();
    return info;
}

TBrush::~TBrush() = default;

void TBrush::SetColor(uint32_t color) {
    if (color == color_) return;
    if (OnChanging) OnChanging(this);
    color_ = color;
    if (style_ == TBrushStyle::Clear) style_ = TBrushStyle::Solid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == style_) return;
    if (OnChanging) OnChanging(this);
    style_ = style;
    Changed();
}

HBRUSH TBrush::Handle() const {
    if (!handle_) {
        const COLORREF c = ColorToRGB(color_);
        switch (style_) {
        case TBrushStyle::Solid: handle_.Reset(CreateSolidBrush(c)); break;
        case TBrushStyle::Clear: return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        case TBrushStyle::Horizontal: handle_.Reset(CreateHatchBrush(HS_HORIZONTAL, c)); break;
        case TBrushStyle::Vertical: handle_.Reset(CreateHatchBrush(HS_VERTICAL, c)); break;
        case TBrushStyle::FDiagonal: handle_.Reset(CreateHatchBrush(HS_FDIAGONAL, c)); break;
        case TBrushStyle::BDiagonal: handle_.Reset(CreateHatchBrush(HS_BDIAGONAL, c)); break;
        case TBrushStyle::Cross: handle_.Reset(CreateHatchBrush(HS_CROSS, c)); break;
        case TBrushStyle::DiagCross: handle_.Reset(CreateHatchBrush(HS_DIAGCROSS, c)); break;
        }
    }
    return handle_.Get();
}

void TBrush::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TBrush*>(&source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other->color_ == color_ && other->style_ == style_) return;
    if (OnChanging) OnChanging(this);
    color_ = other->color_;
    style_ = other->style_;
    Changed();
}

void TBrush::Changed() {
    handle_.Reset();
    if (OnChange) OnChange(this);
}

// ============================================================================================ TPen

const TClassInfo& TPen::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPen>("TPen", &TPersistent::StaticClass())
                                       .ColorProp("Color", &TPen::SetColor, &TPen::Color)
                                       .Prop("Width", &TPen::SetWidth, &TPen::Width)
                                       .Prop("Style", &TPen::SetStyle, &TPen::Style)
                                       .Build();
    return info;
}

TPen::~TPen() = default;

void TPen::SetColor(uint32_t color) {
    if (color == color_) return;
    if (OnChanging) OnChanging(this);
    color_ = color;
    Changed();
}

void TPen::SetWidth(int width) {
    if (width < 0 || width == width_) return;
    if (OnChanging) OnChanging(this);
    width_ = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == style_) return;
    if (OnChanging) OnChanging(this);
    style_ = style;
    Changed();
}

HPEN TPen::Handle() const {
    if (!handle_) {
        int style = PS_SOLID;
        switch (style_) {
        case TPenStyle::Solid: style = PS_SOLID; break;
        case TPenStyle::Dash: style = PS_DASH; break;
        case TPenStyle::Dot: style = PS_DOT; break;
        case TPenStyle::DashDot: style = PS_DASHDOT; break;
        case TPenStyle::DashDotDot: style = PS_DASHDOTDOT; break;
        case TPenStyle::Clear: return static_cast<HPEN>(GetStockObject(NULL_PEN));
        case TPenStyle::InsideFrame: style = PS_INSIDEFRAME; break;
        }
        handle_.Reset(CreatePen(style, width_, ColorToRGB(color_)));
    }
    return handle_.Get();
}

void TPen::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TPen*>(&source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other->color_ == color_ && other->width_ == width_ && other->style_ == style_) return;
    if (OnChanging) OnChanging(this);
    color_ = other->color_;
    width_ = other->width_;
    style_ = other->style_;
    Changed();
}

void TPen::Changed() {
    handle_.Reset();
    if (OnChange) OnChange(this);
}

}  // namespace vl
