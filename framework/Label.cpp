#include "framework/Label.h"

#include <algorithm>
#include <string>

#include "framework/GdiOwners.h"

namespace vl {

const TClassInfo& TLabel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TLabel>("TLabel", &TWinControl::StaticClass())
                                       .Creatable()
                                       .Prop("AutoSize", &TLabel::SetAutoSize, &TLabel::AutoSize)
                                       .Prop("Transparent", &TLabel::SetTransparent, &TLabel::Transparent)
                                       .Prop("Alignment", &TLabel::SetAlignment, &TLabel::Alignment)
                                       .Prop("Layout", &TLabel::SetLayout, &TLabel::Layout)
                                       .Prop("WordWrap", &TLabel::SetWordWrap, &TLabel::WordWrap)
                                       .Prop("ShowAccelChar", &TLabel::SetShowAccelChar, &TLabel::ShowAccelChar)
                                       .Reference("FocusControl", &TLabel::SetFocusControl)
                                       .Build();
    return info;
}

TLabel::TLabel(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 65, 13);
    SetParentColor(true);
}

void TLabel::SetAutoSize(bool v) {
    if (v == autoSize_) return;
    autoSize_ = v;
    AdjustBounds();
}

void TLabel::SetTransparent(bool v) {
    if (v == transparent_) return;
    transparent_ = v;
    Invalidate();
}

void TLabel::SetAlignment(TAlignment a) {
    if (a == alignment_) return;
    alignment_ = a;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout l) {
    if (l == layout_) return;
    layout_ = l;
    Invalidate();
}

void TLabel::SetWordWrap(bool v) {
    if (v == wordWrap_) return;
    wordWrap_ = v;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetShowAccelChar(bool v) {
    if (v == showAccelChar_) return;
    showAccelChar_ = v;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetFocusControl(TWinControl* c) {
    focusControl_ = c;
    if (c) c->FreeNotification(this);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::Remove && component == focusControl_) focusControl_ = nullptr;
}

bool TLabel::DialogChar(char key) {
    if (!showAccelChar_ || !IsAccelChar(key, Caption())) return false;
    if (focusControl_ && focusControl_->CanFocus()) {
        focusControl_->SetFocus();
        return true;
    }
    return false;
}

UINT TLabel::DrawTextFlags() const {
    UINT flags = DT_EXPANDTABS;
    if (wordWrap_) flags |= DT_WORDBREAK;
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    switch (alignment_) {
    case TAlignment::LeftJustify: flags |= DT_LEFT; break;
    case TAlignment::RightJustify: flags |= DT_RIGHT; break;
    case TAlignment::Center: flags |= DT_CENTER; break;
    }
    return flags;
}

void TLabel::AdjustBounds() {
    if (!autoSize_ || Destroying()) return;
    TMemoryDC dc;
    TSelectObject font(dc.Get(), FontRef().Handle());
    std::string text = Caption().empty() ? std::string(" ") : Caption();
    RECT r{0, 0, wordWrap_ ? std::max(Width(), 1) : 0, 0};
    ::DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, DrawTextFlags() | DT_CALCRECT);
    int w = wordWrap_ ? Width() : r.right - r.left;
    int h = r.bottom - r.top;
    int left = Left();
    if (alignment_ == TAlignment::RightJustify && !wordWrap_) left = Left() + Width() - w;
    SetBounds(left, Top(), w, h);
}

void TLabel::TextChanged() {
    AdjustBounds();
    TWinControl::TextChanged();
}

void TLabel::FontChanged() {
    TWinControl::FontChanged();
    AdjustBounds();
}

void TLabel::Loaded() {
    TWinControl::Loaded();
    AdjustBounds();
}

void TLabel::Paint(HDC dc, const RECT& clip) {
    RECT client = ClientRect();
    PaintBuffered(dc, clip, [&](HDC buffer) {
        if (transparent_) {
            PaintParentBackground(buffer);
        } else {
            FillSolidRect(buffer, client, ColorToRGB(Color()));
        }
        TSelectObject font(buffer, FontRef().Handle());
        SetBkMode(buffer, TRANSPARENT);
        UINT flags = DrawTextFlags();
        RECT r = client;
        if (layout_ != TTextLayout::Top) {
            RECT calc = client;
            ::DrawTextA(buffer, Caption().c_str(), static_cast<int>(Caption().size()), &calc, flags | DT_CALCRECT);
            int h = calc.bottom - calc.top;
            int room = (client.bottom - client.top) - h;
            r.top += layout_ == TTextLayout::Center ? room / 2 : room;
        }
        if (Enabled()) {
            SetTextColor(buffer, ColorToRGB(FontRef().Color()));
            ::DrawTextA(buffer, Caption().c_str(), static_cast<int>(Caption().size()), &r, flags);
        } else {
            // Disabled text: embossed, a highlight copy one pixel down and right under a shadow copy.
            RECT shifted = r;
            OffsetRect(&shifted, 1, 1);
            SetTextColor(buffer, GetSysColor(COLOR_BTNHIGHLIGHT));
            ::DrawTextA(buffer, Caption().c_str(), static_cast<int>(Caption().size()), &shifted, flags);
            SetTextColor(buffer, GetSysColor(COLOR_BTNSHADOW));
            ::DrawTextA(buffer, Caption().c_str(), static_cast<int>(Caption().size()), &r, flags);
        }
    });
}

void TLabel::WndProc(TMessage& msg) {
    switch (msg.msg) {
    case WM_LBUTTONDOWN:
        pressed_ = true;
        SetCapture(msg.hwnd);
        break;
    case WM_LBUTTONUP:
        if (pressed_) {
            pressed_ = false;
            ReleaseCapture();
            POINT p{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
            RECT r = ClientRect();
            TWinControl::WndProc(msg);
            if (PtInRect(&r, p)) Click();
            return;
        }
        break;
    case WM_CAPTURECHANGED:
        pressed_ = false;
        break;
    }
    TWinControl::WndProc(msg);
}

}  // namespace vl
