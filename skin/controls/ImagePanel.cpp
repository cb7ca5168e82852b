#include "skin/controls/ImagePanel.h"

#include <algorithm>

#include "framework/Canvas.h"
#include "framework/ClassBuilder.h"
#include "framework/GdiOwners.h"
#include "framework/StringUtils.h"

namespace vorlinde {

const vl::TClassInfo& TsuiImagePanel::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiImagePanel>("TsuiImagePanel", &TsuiCustomPanel::StaticClass())
            .Creatable()
            .Object("Picture", &TsuiImagePanel::Picture)
            .Prop("DrawStyle", &TsuiImagePanel::SetDrawStyle, &TsuiImagePanel::DrawStyle)
            .Prop("AutoSize", &TsuiImagePanel::SetAutoSize, &TsuiImagePanel::AutoSize)
            .Build();
    return info;
}

TsuiImagePanel::TsuiImagePanel(vl::TComponent* owner) : TsuiCustomPanel(owner) {
    picture_.OnChange = [this](vl::TObject*) { PictureChanged(); };
}

TsuiImagePanel::~TsuiImagePanel() { picture_.OnChange = nullptr; }

void TsuiImagePanel::SetDrawStyle(TsuiDrawStyle style) {
    drawStyle_ = style;
    Invalidate();
}

void TsuiImagePanel::SetAutoSize(bool on) {
    autoSize_ = on;
    ApplyAutoSize();
}

void TsuiImagePanel::Loaded() {
    TsuiCustomPanel::Loaded();
    ApplyAutoSize();
}

void TsuiImagePanel::PictureChanged() {
    ApplyAutoSize();
    Invalidate();
}

void TsuiImagePanel::ApplyAutoSize() {
    if (!autoSize_ || picture_.Empty() || Loading()) return;
    const vl::TAlign a = Align();
    const bool keepWidth = a == vl::TAlign::Top || a == vl::TAlign::Bottom || a == vl::TAlign::Client;
    const bool keepHeight = a == vl::TAlign::Left || a == vl::TAlign::Right || a == vl::TAlign::Client;
    SetBounds(Left(), Top(), keepWidth ? Width() : picture_.Width(), keepHeight ? Height() : picture_.Height());
}

void TsuiImagePanel::WndProc(vl::TMessage& msg) {
    if (msg.msg == WM_ERASEBKGND) {
        msg.result = 1;
        return;
    }
    TsuiCustomPanel::WndProc(msg);
}

void TsuiImagePanel::Paint(HDC dc, const RECT&) {
    const RECT client{0, 0, Width(), Height()};
    vl::PaintBuffered(dc, client, [&](HDC mem) {
        if (Transparent()) PaintParentBackground(mem);
        else vl::FillSolidRect(mem, client, vl::ColorToRGB(Color()));
        vl::TCanvas canvas(mem);
        if (!picture_.Empty()) {
            vl::TBitmap& bitmap = *picture_.Bitmap();
            switch (drawStyle_) {
            case TsuiDrawStyle::suiNormal: canvas.Draw(0, 0, bitmap); break;
            case TsuiDrawStyle::suiStretch: canvas.StretchDraw(client, bitmap); break;
            case TsuiDrawStyle::suiTile:
                for (int y = 0; y < client.bottom; y += bitmap.Height())
                    for (int x = 0; x < client.right; x += bitmap.Width()) canvas.Draw(x, y, bitmap);
                break;
            }
        }
        const std::string caption = vl::Trim(Caption());
        if (!caption.empty()) {
            canvas.SetFont(*Font());
            canvas.Brush()->SetStyle(vl::TBrushStyle::Clear);  // over the picture, not on a box
            const UINT align = Alignment() == vl::TAlignment::LeftJustify    ? DT_LEFT
                               : Alignment() == vl::TAlignment::RightJustify ? DT_RIGHT
                                                                             : DT_CENTER;
            RECT r = client;
            canvas.DrawText(caption, r, DT_SINGLELINE | DT_VCENTER | align);
        }
    });
}

}  // namespace vorlinde
