#include "framework/GroupBox.h"

#include <algorithm>

#include "framework/GdiOwners.h"

namespace vl {

const TClassInfo& TGroupBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TGroupBox>("TGroupBox", &TWinControl::StaticClass())
                                       .Creatable()
                                       .Custom("Ctl3D", IgnoreProperty<TGroupBox>)
                                       .Custom("ParentCtl3D", IgnoreProperty<TGroupBox>)
                                       .Build();
    return info;
}

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 185, 105);
    SetParentColor(true);
}

int TGroupBox::CaptionHeight() const {
    TMemoryDC dc;
    TSelectObject font(dc.Get(), FontRef().Handle());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.Get(), &tm);
    return tm.tmHeight;
}

void TGroupBox::AdjustClientRect(RECT& rect) {
    rect.left += 3;
    rect.right -= 3;
    rect.bottom -= 3;
    rect.top += CaptionHeight() + 2;
}

void TGroupBox::Paint(HDC dc, const RECT& clip) {
    PaintBuffered(dc, clip, [&](HDC buffer) {
        RECT client = ClientRect();
        FillSolidRect(buffer, client, ColorToRGB(Color()));
        TSelectObject font(buffer, FontRef().Handle());
        int h = CaptionHeight();
        RECT frame = client;
        frame.top += h / 2;
        DrawEdge(buffer, &frame, EDGE_ETCHED, BF_RECT);
        if (Caption().empty()) return;
        RECT text{0, 0, 0, 0};
        ::DrawTextA(buffer, Caption().c_str(), static_cast<int>(Caption().size()), &text, DT_SINGLELINE | DT_CALCRECT);
        OffsetRect(&text, 8, 0);
        text.right = std::min<LONG>(text.right, client.right - 8);
        // The caption interrupts the frame's top line.
        RECT gap = text;
        InflateRect(&gap, 2, 0);
        FillSolidRect(buffer, gap, ColorToRGB(Color()));
        SetBkMode(buffer, TRANSPARENT);
        SetTextColor(buffer, Enabled() ? ColorToRGB(FontRef().Color()) : GetSysColor(COLOR_GRAYTEXT));
        ::DrawTextA(buffer, Caption().c_str(), static_cast<int>(Caption().size()), &text, DT_SINGLELINE);
    });
}

}  // namespace vl
