#include "framework/Panel.h"

#include "framework/GdiOwners.h"
#include "framework/Graphics.h"

namespace vl {

const TClassInfo& TPanel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPanel>("TPanel", &TWinControl::StaticClass())
                                       .Creatable()
                                       .Prop("BevelOuter", &TPanel::SetBevelOuter, &TPanel::BevelOuter)
                                       .Prop("BevelInner", &TPanel::SetBevelInner, &TPanel::BevelInner)
                                       .Prop("BevelWidth", &TPanel::SetBevelWidth, &TPanel::BevelWidth)
                                       .Prop("BorderWidth", &TPanel::SetBorderWidth, &TPanel::BorderWidth)
                                       .Prop("BorderStyle", &TPanel::SetBorderStyle, &TPanel::BorderStyle)
                                       .Prop("Alignment", &TPanel::SetAlignment, &TPanel::Alignment)
                                       .Custom("FullRepaint", IgnoreProperty<TPanel>)
                                       .Custom("Ctl3D", IgnoreProperty<TPanel>)
                                       .Custom("ParentCtl3D", IgnoreProperty<TPanel>)
                                       .Build();
    return info;
}

TPanel::TPanel(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 41); }

void TPanel::Changed() {
    Realign();
    Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut v) {
    if (v == bevelOuter_) return;
    bevelOuter_ = v;
    Changed();
}

void TPanel::SetBevelInner(TBevelCut v) {
    if (v == bevelInner_) return;
    bevelInner_ = v;
    Changed();
}

void TPanel::SetBevelWidth(int v) {
    if (v < 1 || v == bevelWidth_) return;
    bevelWidth_ = v;
    Changed();
}

void TPanel::SetBorderWidth(int v) {
    if (v < 0 || v == borderWidth_) return;
    borderWidth_ = v;
    Changed();
}

void TPanel::SetBorderStyle(TBorderStyle v) {
    if (v == borderStyle_) return;
    borderStyle_ = v;
    ChangeFrameStyle(GWL_STYLE, WS_BORDER, v == TBorderStyle::Single);
    Changed();
}

void TPanel::SetAlignment(TAlignment a) {
    if (a == alignment_) return;
    alignment_ = a;
    Invalidate();
}

void TPanel::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    if (borderStyle_ == TBorderStyle::Single) params.style |= WS_BORDER;
}

void TPanel::AdjustClientRect(RECT& rect) {
    int inset = borderWidth_;
    if (bevelOuter_ != TBevelCut::None) inset += bevelWidth_;
    if (bevelInner_ != TBevelCut::None) inset += bevelWidth_;
    InflateRect(&rect, -inset, -inset);
}

RECT TPanel::PaintFrame(HDC dc) {
    RECT r = ClientRect();
    COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    COLORREF face = ColorToRGB(Color());
    auto bevel = [&](TBevelCut cut) {
        switch (cut) {
        case TBevelCut::None: break;
        case TBevelCut::Raised: Frame3D(dc, r, light, dark, bevelWidth_); break;
        case TBevelCut::Lowered: Frame3D(dc, r, dark, light, bevelWidth_); break;
        case TBevelCut::Space: Frame3D(dc, r, face, face, bevelWidth_); break;
        }
    };
    bevel(bevelOuter_);
    if (borderWidth_ > 0) Frame3D(dc, r, face, face, borderWidth_);
    bevel(bevelInner_);
    return r;
}

void TPanel::PaintBackground(HDC dc) { FillSolidRect(dc, ClientRect(), ColorToRGB(Color())); }

void TPanel::Paint(HDC dc, const RECT& clip) {
    PaintBuffered(dc, clip, [&](HDC buffer) {
        PaintBackground(buffer);
        RECT inner = PaintFrame(buffer);
        if (Caption().empty()) return;
        TSelectObject font(buffer, FontRef().Handle());
        SetBkMode(buffer, TRANSPARENT);
        SetTextColor(buffer, Enabled() ? ColorToRGB(FontRef().Color()) : GetSysColor(COLOR_GRAYTEXT));
        UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
        flags |= alignment_ == TAlignment::Center ? DT_CENTER : alignment_ == TAlignment::RightJustify ? DT_RIGHT : DT_LEFT;
        ::DrawTextA(buffer, Caption().c_str(), static_cast<int>(Caption().size()), &inner, flags);
    });
}

}  // namespace vl
