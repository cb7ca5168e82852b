#include "framework/Canvas.h"

#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "framework/Exceptions.h"

namespace vl {

// ============================================================================================ TCanvas

const TClassInfo& TCanvas::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCanvas>("TCanvas", &TPersistent::StaticClass())
                                       .Object("Font", &TCanvas::Font)
                                       .Object("Brush", &TCanvas::Brush)
                                       .Object("Pen", &TCanvas::Pen)
                                       .Build();
    return info;
}

TCanvas::TCanvas() { Init(); }

TCanvas::TCanvas(HDC dc) : dc_(dc) { Init(); }

void TCanvas::Init() {
    font_.OnChange = [this](TObject*) { fontDirty_ = true; };
    // A brush or pen about to free its GDI object must not have it selected anywhere.
    brush_.OnChanging = [this](TObject*) {
        if (brushSelected_ && dc_) SelectObject(dc_, oldBrush_);
        brushSelected_ = false;
    };
    pen_.OnChanging = [this](TObject*) {
        if (penSelected_ && dc_) SelectObject(dc_, oldPen_);
        penSelected_ = false;
    };
}

// The font copy is freed after this, once the original font is back in the context.
TCanvas::~TCanvas() { DeselectObjects(); }

void TCanvas::DeselectObjects() {
    if (!dc_) return;
    if (fontSelected_) SelectObject(dc_, oldFont_);
    if (brushSelected_) SelectObject(dc_, oldBrush_);
    if (penSelected_) SelectObject(dc_, oldPen_);
    fontSelected_ = brushSelected_ = penSelected_ = false;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) return;
    DeselectObjects();
    dc_ = dc;
}

HDC TCanvas::Handle() { return Prepare(true, true, true); }

HDC TCanvas::Prepare(bool font, bool brush, bool pen) {
    if (!dc_) CreateHandle();
    if (!dc_) throw EInvalidOperation("Canvas does not allow drawing");
    if (font) RequireFont();
    if (brush) RequireBrush();
    if (pen) RequirePen();
    return dc_;
}

void TCanvas::RequireFont() {
    if (!fontSelected_ || fontDirty_) {
        // The canvas selects its own copy of the font: the TFont frees its handle on every
        // change, which must not happen while the handle is selected here.
        LOGFONTA lf{};
        GetObjectA(font_.Handle(), sizeof(lf), &lf);
        TGdiFont copy(CreateFontIndirectA(&lf));
        HGDIOBJ previous = SelectObject(dc_, copy.Get());
        if (!fontSelected_) oldFont_ = previous;
        fontCopy_ = std::move(copy);  // frees the previous copy, no longer selected
        fontSelected_ = true;
        fontDirty_ = false;
    }
    SetTextColor(dc_, ColorToRGB(font_.Color()));
}
void TCanvas::RequireBrush() {
    if (!brushSelected_) {
        HGDIOBJ previous = SelectObject(dc_, brush_.Handle());
        oldBrush_ = previous;
        brushSelected_ = true;
    }
    if (brush_.Style() == TBrushStyle::Clear) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, ColorToRGB(brush_.Color()));
    }
}

void TCanvas::RequirePen() {
    if (!penSelected_) {
        oldPen_ = SelectObject(dc_, pen_.Handle());
        penSelected_ = true;
    }
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    HDC dc = Prepare(true, true, false);
    ::TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    penPos_ = POINT{x + TextWidth(text), y};
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::string& text) {
    HDC dc = Prepare(true, true, false);
    UINT options = ETO_CLIPPED | (brush_.Style() != TBrushStyle::Clear ? ETO_OPAQUE : 0);
    ExtTextOutA(dc, x, y, options, &rect, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::string& text) {
    HDC dc = Prepare(true, false, false);
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

int TCanvas::DrawText(const std::string& text, RECT& rect, UINT flags) {
    HDC dc = Prepare(true, true, false);
    return ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
}

void TCanvas::FillRect(const RECT& rect) {
    HDC dc = Prepare(false, true, false);
    ::FillRect(dc, &rect, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& rect) {
    HDC dc = Prepare(false, true, false);
    ::FrameRect(dc, &rect, brush_.Handle());
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) { ::Rectangle(Prepare(false, true, true), x1, y1, x2, y2); }

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
    ::RoundRect(Prepare(false, true, true), x1, y1, x2, y2, cornerWidth, cornerHeight);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) { ::Ellipse(Prepare(false, true, true), x1, y1, x2, y2); }

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    ::Arc(Prepare(false, false, true), x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::MoveTo(int x, int y) {
    MoveToEx(Prepare(false, false, true), x, y, nullptr);
    penPos_ = POINT{x, y};
}

void TCanvas::LineTo(int x, int y) {
    HDC dc = Prepare(false, false, true);
    MoveToEx(dc, penPos_.x, penPos_.y, nullptr);
    ::LineTo(dc, x, y);
    penPos_ = POINT{x, y};
}

void TCanvas::Polygon(const std::vector<POINT>& points) {
    if (points.empty()) return;
    ::Polygon(Prepare(false, true, true), points.data(), static_cast<int>(points.size()));
}

void TCanvas::Polyline(const std::vector<POINT>& points) {
    if (points.empty()) return;
    ::Polyline(Prepare(false, false, true), points.data(), static_cast<int>(points.size()));
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    StretchDraw(RECT{x, y, x + bitmap.Width(), y + bitmap.Height()}, bitmap);
}

void TCanvas::StretchDraw(const RECT& rect, TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    HDC dc = Prepare(false, false, false);
    HDC src = bitmap.Canvas().Prepare(false, false, false);
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (bitmap.Transparent()) {
        TransparentBlt(dc, rect.left, rect.top, w, h, src, 0, 0, bitmap.Width(), bitmap.Height(),
                       ColorToRGB(bitmap.TransparentColor()));
    } else if (w == bitmap.Width() && h == bitmap.Height()) {
        BitBlt(dc, rect.left, rect.top, w, h, src, 0, 0, copyMode_);
    } else {
        int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, rect.left, rect.top, w, h, src, 0, 0, bitmap.Width(), bitmap.Height(), copyMode_);
        SetStretchBltMode(dc, oldMode);
    }
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& src) {
    HDC dc = Prepare(false, false, false);
    HDC from = source.Prepare(false, false, false);
    int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, from, src.left, src.top,
               src.right - src.left, src.bottom - src.top, copyMode_);
    SetStretchBltMode(dc, oldMode);
}

COLORREF TCanvas::Pixel(int x, int y) { return GetPixel(Prepare(false, false, false), x, y); }

void TCanvas::SetPixel(int x, int y, uint32_t color) { ::SetPixel(Prepare(false, false, false), x, y, ColorToRGB(color)); }

// ============================================================================================ TControlCanvas

TControlCanvas::TControlCanvas(HWND hwnd) : hwnd_(hwnd) {}

TControlCanvas::TControlCanvas(TWinControl& control) : hwnd_(control.Handle()) {}

// The window's context is released after this, with nothing of the canvas left in it.
TControlCanvas::~TControlCanvas() { SetHandle(nullptr); }

void TControlCanvas::CreateHandle() {
    if (!windowDC_ || !*windowDC_) windowDC_.emplace(hwnd_);
    SetHandle(windowDC_->Get());
}

// ============================================================================================ Frame3D

void Frame3D(HDC dc, RECT& rect, COLORREF topLeft, COLORREF bottomRight, int width) {
    const TGdiBrush tl = MakeSolidBrush(topLeft), br = MakeSolidBrush(bottomRight);
    for (int i = 0; i < width; ++i) {
        RECT top{rect.left, rect.top, rect.right - 1, rect.top + 1};
        RECT left{rect.left, rect.top, rect.left + 1, rect.bottom - 1};
        RECT right{rect.right - 1, rect.top, rect.right, rect.bottom};
        RECT bottom{rect.left, rect.bottom - 1, rect.right, rect.bottom};
        ::FillRect(dc, &top, tl.Get());
        ::FillRect(dc, &left, tl.Get());
        ::FillRect(dc, &right, br.Get());
        ::FillRect(dc, &bottom, br.Get());
        InflateRect(&rect, -1, -1);
    }
}

}  // namespace vl
