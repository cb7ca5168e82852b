#include "framework/Graphics.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "framework/Control.h"
#include "framework/Exceptions.h"
#include "framework/Streams.h"

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

const TEnumTable<TPixelFormat>& TEnumNames<TPixelFormat>::Table() {
    static const TEnumTable<TPixelFormat> t = {
        {"pfDevice", TPixelFormat::Device}, {"pf24bit", TPixelFormat::Bit24}, {"pf32bit", TPixelFormat::Bit32}};
    return t;
}

namespace {
// GDI objects created for one call and freed at scope exit.
class TTempBrush {
public:
    explicit TTempBrush(COLORREF color) : brush_(CreateSolidBrush(color)) {}
    ~TTempBrush() { DeleteObject(brush_); }
    TTempBrush(const TTempBrush&) = delete;
    TTempBrush& operator=(const TTempBrush&) = delete;
    HBRUSH Get() const { return brush_; }

private:
    HBRUSH brush_;
};

class TScreenDC {
public:
    TScreenDC() : dc_(GetDC(nullptr)) {}
    ~TScreenDC() { ReleaseDC(nullptr, dc_); }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

[[noreturn]] void BadBitmap(const std::string& why) { throw EInvalidGraphic("Bitmap image is not valid: " + why); }

// Little-endian reads from a buffer whose bounds the caller has checked.
uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
int32_t ReadI32(const uint8_t* p) { return static_cast<int32_t>(Read32(p)); }

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// One colour channel of a BI_BITFIELDS pixel: where it sits and how wide it is.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    static Channel From(uint32_t mask) {
        Channel c;
        c.mask = mask;
        if (!mask) return c;
        while (!((mask >> c.shift) & 1)) ++c.shift;
        uint32_t m = mask >> c.shift;
        while (m & 1) {
            ++c.bits;
            m >>= 1;
        }
        if (m) BadBitmap("colour masks must be contiguous");
        return c;
    }
    uint8_t Extract(uint32_t pixel) const {
        if (!mask) return 0;
        uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8) return static_cast<uint8_t>(v >> (bits - 8));
        return static_cast<uint8_t>(v * 255 / ((1u << bits) - 1));
    }
};

// Skips a length-prefixed class name ("\x07TBitmap") and a 32-bit size that some tools put
// before the .bmp bytes of picture data.
std::pair<const uint8_t*, size_t> StripPictureHeader(const std::vector<uint8_t>& data) {
    const uint8_t* p = data.data();
    size_t n = data.size();
    if (n > 1 && p[0] > 0 && p[0] < n && p[1] == 'T') {
        size_t len = p[0];
        bool ident = true;
        for (size_t i = 1; i <= len; ++i)
            if (!std::isalnum(p[i]) && p[i] != '_') ident = false;
        if (ident) {
            p += 1 + len;
            n -= 1 + len;
        }
    }
    if (n >= 4 && !(p[0] == 'B' && p[1] == 'M') && Read32(p) == n - 4) {
        p += 4;
        n -= 4;
    }
    return {p, n};
}

std::vector<uint8_t> ReadWholeStream(TStream& stream) {
    int64_t remaining = stream.Size() - stream.Position();
    if (remaining < 0) remaining = 0;
    if (static_cast<uint64_t>(remaining) > 1024ull * 1024 * 1024) throw EInvalidGraphic("Image data too large");
    std::vector<uint8_t> data(static_cast<size_t>(remaining));
    if (!data.empty()) stream.ReadBuffer(data.data(), data.size());
    return data;
}
}  // namespace

// ============================================================================================ TBrush

const TClassInfo& TBrush::StaticClass() {
    static const TClassInfo info = TClassBuilder<TBrush>("TBrush", &TPersistent::StaticClass())
                                       .ColorProp("Color", &TBrush::SetColor, &TBrush::Color)
                                       .Prop("Style", &TBrush::SetStyle, &TBrush::Style)
                                       .Build();
    return info;
}

TBrush::~TBrush() { FreeHandle(); }

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
        COLORREF c = ColorToRGB(color_);
        switch (style_) {
        case TBrushStyle::Solid: handle_ = CreateSolidBrush(c); break;
        case TBrushStyle::Clear: return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        case TBrushStyle::Horizontal: handle_ = CreateHatchBrush(HS_HORIZONTAL, c); break;
        case TBrushStyle::Vertical: handle_ = CreateHatchBrush(HS_VERTICAL, c); break;
        case TBrushStyle::FDiagonal: handle_ = CreateHatchBrush(HS_FDIAGONAL, c); break;
        case TBrushStyle::BDiagonal: handle_ = CreateHatchBrush(HS_BDIAGONAL, c); break;
        case TBrushStyle::Cross: handle_ = CreateHatchBrush(HS_CROSS, c); break;
        case TBrushStyle::DiagCross: handle_ = CreateHatchBrush(HS_DIAGCROSS, c); break;
        }
    }
    return handle_;
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
    FreeHandle();
    if (OnChange) OnChange(this);
}

void TBrush::FreeHandle() const {
    if (handle_) {
        DeleteObject(handle_);
        handle_ = nullptr;
    }
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

TPen::~TPen() { FreeHandle(); }

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
        handle_ = CreatePen(style, width_, ColorToRGB(color_));
    }
    return handle_;
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
    FreeHandle();
    if (OnChange) OnChange(this);
}

void TPen::FreeHandle() const {
    if (handle_) {
        DeleteObject(handle_);
        handle_ = nullptr;
    }
}

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

TCanvas::~TCanvas() {
    DeselectObjects();
    if (fontCopy_) DeleteObject(fontCopy_);
}

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
        HFONT copy = CreateFontIndirectA(&lf);
        HGDIOBJ previous = SelectObject(dc_, copy);
        if (!fontSelected_) oldFont_ = previous;
        if (fontCopy_) DeleteObject(fontCopy_);
        fontCopy_ = copy;
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

TControlCanvas::~TControlCanvas() {
    SetHandle(nullptr);
    if (windowDC_) ReleaseDC(hwnd_, windowDC_);
}

void TControlCanvas::CreateHandle() {
    if (!windowDC_) windowDC_ = GetDC(hwnd_);
    SetHandle(windowDC_);
}

// ============================================================================================ TBitmap

// The canvas of a bitmap: its context is the bitmap's memory DC, made again when needed.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}

protected:
    void CreateHandle() override { bitmap_.AttachCanvas(); }

private:
    TBitmap& bitmap_;
};

const TClassInfo& TBitmap::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TBitmap>("TBitmap", &TPersistent::StaticClass())
            .Prop("Width", &TBitmap::SetWidth, &TBitmap::Width)
            .Prop("Height", &TBitmap::SetHeight, &TBitmap::Height)
            .Prop("PixelFormat", &TBitmap::SetPixelFormat, &TBitmap::PixelFormat)
            .Prop("Transparent", &TBitmap::SetTransparent, &TBitmap::Transparent)
            .Custom("TransparentColor",
                    [](TBitmap& b, const TPropValue& v) { b.SetTransparentColor(ColorFromPropValue(v)); })
            .Custom("Data",
                    [](TBitmap& b, const TPropValue& v) {
                        if (v.kind != TPropValue::Kind::Binary) throw EReadError("Binary data expected for Data");
                        b.SetData(v.binary);
                    })
            .Build();
    return info;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::~TBitmap() {
    Dormant();
    canvas_.reset();
    if (bitmap_) DeleteObject(bitmap_);
}

void TBitmap::Dormant() {
    if (!memDC_) return;
    if (canvas_) canvas_->SetHandle(nullptr);
    SelectObject(memDC_, oldBitmap_);
    DeleteDC(memDC_);
    memDC_ = nullptr;
    oldBitmap_ = nullptr;
}

void TBitmap::AttachCanvas() {
    if (!canvas_) return;
    if (!memDC_) {
        memDC_ = CreateCompatibleDC(nullptr);
        if (!memDC_) RaiseLastOSError("Cannot create a device context");
        oldBitmap_ = bitmap_ ? SelectObject(memDC_, bitmap_) : nullptr;
    }
    canvas_->SetHandle(memDC_);
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(*this);
    return *canvas_;
}

void TBitmap::Swap(TBitmap& other) {
    Dormant();
    other.Dormant();
    std::swap(bitmap_, other.bitmap_);
    std::swap(bits_, other.bits_);
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
}

void TBitmap::Create(int width, int height) {
    if (width < 0 || height < 0 || width > kMaxBitmapDimension || height > kMaxBitmapDimension)
        throw EInvalidGraphic("Invalid bitmap size " + std::to_string(width) + " x " + std::to_string(height));
    TBitmap fresh;
    if (width > 0 && height > 0) {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = width;
        bmi.bmiHeader.biHeight = -height;  // top-down: row 0 is the top row
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        fresh.bitmap_ = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!fresh.bitmap_ || !bits) RaiseLastOSError("Cannot create a bitmap");
        fresh.bits_ = static_cast<uint8_t*>(bits);
        fresh.width_ = width;
        fresh.height_ = height;
        std::memset(bits, 0, static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    }
    Swap(fresh);
}

void TBitmap::SetSize(int width, int height) {
    if (width == width_ && height == height_) return;
    TBitmap old;
    if (bits_) GdiFlush();
    Swap(old);
    try {
        Create(width, height);
    } catch (...) {
        Swap(old);
        throw;
    }
    int rows = std::min(height_, old.height_), cols = std::min(width_, old.width_);
    for (int y = 0; y < rows; ++y)
        std::memcpy(bits_ + static_cast<size_t>(y) * width_ * 4, old.bits_ + static_cast<size_t>(y) * old.width_ * 4,
                    static_cast<size_t>(cols) * 4);
    Changed();
}

void TBitmap::Clear() {
    if (Empty()) return;
    TBitmap none;
    Swap(none);
    Changed();
}

uint8_t* TBitmap::ScanLine(int y) {
    if (y < 0 || y >= height_) throw EInvalidGraphic("Scan line index out of range (" + std::to_string(y) + ")");
    GdiFlush();  // drawing through GDI may still be queued
    return bits_ + static_cast<size_t>(y) * static_cast<size_t>(width_) * 4;
}

void TBitmap::SetTransparent(bool v) {
    if (v == transparent_) return;
    transparent_ = v;
    Changed();
}

uint32_t TBitmap::TransparentColor() {
    if (transparentColorFixed_) return transparentColor_;
    if (Empty()) return clBlack;
    const uint8_t* p = ScanLine(height_ - 1);  // the bottom-left pixel
    return static_cast<uint32_t>(p[2]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[0]) << 16);
}

void TBitmap::SetTransparentColor(uint32_t color) {
    transparentColor_ = color;
    transparentColorFixed_ = color != clDefault;
    Changed();
}

void TBitmap::Changed() {
    if (OnChange) OnChange(this);
}

void TBitmap::DecodeBmp(const uint8_t* data, size_t size, bool hasFileHeader, TBitmap& target) {
    // Every offset below is checked against `size` in 64-bit arithmetic before it is read.
    const uint64_t total = size;
    uint64_t headerStart = 0;
    uint64_t fileOffBits = 0;
    if (hasFileHeader) {
        if (total < 14) BadBitmap("file header truncated");
        if (data[0] != 'B' || data[1] != 'M') BadBitmap("missing BM signature");
        uint32_t fileSize = Read32(data + 2);
        if (fileSize != 0 && fileSize > total) BadBitmap("file truncated");
        fileOffBits = Read32(data + 10);
        headerStart = 14;
    }
    if (headerStart + 4 > total) BadBitmap("info header truncated");
    const uint32_t headerSize = Read32(data + headerStart);
    if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 64 &&
        headerSize != 108 && headerSize != 124)
        BadBitmap("unknown info header size " + std::to_string(headerSize));
    if (headerStart + headerSize > total) BadBitmap("info header truncated");
    const uint8_t* h = data + headerStart;

    int64_t width, height;
    unsigned planes, bitCount;
    uint32_t compression = BI_RGB, colorsUsed = 0;
    bool core = headerSize == 12;
    if (core) {
        width = Read16(h + 4);
        height = Read16(h + 6);
        planes = Read16(h + 8);
        bitCount = Read16(h + 10);
    } else {
        width = ReadI32(h + 4);
        height = ReadI32(h + 8);
        planes = Read16(h + 12);
        bitCount = Read16(h + 14);
        compression = Read32(h + 16);
        colorsUsed = Read32(h + 32);
    }
    bool topDown = height < 0;
    if (topDown) height = -height;
    if (planes != 1) BadBitmap("plane count must be 1");
    if (width <= 0 || height <= 0) BadBitmap("empty or negative size");
    if (width > kMaxBitmapDimension || height > kMaxBitmapDimension ||
        static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxBitmapPixels)
        BadBitmap("too large");
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        BadBitmap("unsupported bit count " + std::to_string(bitCount));
    if (compression == BI_BITFIELDS) {
        if (bitCount != 16 && bitCount != 32) BadBitmap("bit fields need 16 or 32 bits per pixel");
    } else if (compression != BI_RGB) {
        BadBitmap("unsupported compression " + std::to_string(compression));
    }

    // Colour masks: inside the larger headers, or three DWORDs after a 40-byte header.
    uint64_t afterHeader = headerStart + headerSize;
    uint32_t rMask = 0, gMask = 0, bMask = 0, aMask = 0;
    if (compression == BI_BITFIELDS) {
        const uint8_t* m;
        if (headerSize == 40) {
            if (afterHeader + 12 > total) BadBitmap("colour masks truncated");
            m = data + afterHeader;
            afterHeader += 12;
        } else {
            m = h + 40;
        }
        rMask = Read32(m);
        gMask = Read32(m + 4);
        bMask = Read32(m + 8);
        if (headerSize >= 56) aMask = Read32(m + 12);
        if (!rMask && !gMask && !bMask) BadBitmap("no colour masks");
    } else if (bitCount == 16) {
        rMask = 0x7C00;
        gMask = 0x03E0;
        bMask = 0x001F;
    }
    if (bitCount == 16) {
        rMask &= 0xFFFF;
        gMask &= 0xFFFF;
        bMask &= 0xFFFF;
        aMask &= 0xFFFF;
    }
    const Channel red = Channel::From(rMask), green = Channel::From(gMask), blue = Channel::From(bMask),
                  alpha = Channel::From(aMask);

    // Palette.
    uint64_t paletteCount = 0;
    if (bitCount <= 8) {
        uint64_t maxColors = 1ull << bitCount;
        paletteCount = colorsUsed ? colorsUsed : maxColors;
        if (paletteCount > maxColors) BadBitmap("palette too large");
    } else if (colorsUsed > 256) {
        BadBitmap("palette too large");
    } else {
        paletteCount = colorsUsed;  // an optional palette that true-colour pixels do not use
    }
    const uint64_t entrySize = core ? 3 : 4;
    const uint64_t paletteEnd = afterHeader + paletteCount * entrySize;
    if (paletteEnd > total) BadBitmap("palette truncated");
    RGBQUAD palette[256] = {};
    if (bitCount <= 8)
        for (uint64_t i = 0; i < paletteCount; ++i) {
            const uint8_t* e = data + afterHeader + i * entrySize;
            palette[i] = RGBQUAD{e[0], e[1], e[2], 0};
        }

    // Pixels.
    uint64_t bitsOffset = paletteEnd;
    if (hasFileHeader) {
        if (fileOffBits < paletteEnd) BadBitmap("pixel data overlaps the headers");
        bitsOffset = fileOffBits;
    }
    const uint64_t stride = ((static_cast<uint64_t>(width) * bitCount + 31) / 32) * 4;
    const uint64_t needed = stride * static_cast<uint64_t>(height);
    if (bitsOffset > total || needed > total - bitsOffset) BadBitmap("pixel data truncated");

    TBitmap decoded;
    decoded.Create(static_cast<int>(width), static_cast<int>(height));
    const int w = static_cast<int>(width), hgt = static_cast<int>(height);
    for (int row = 0; row < hgt; ++row) {
        const uint8_t* src = data + bitsOffset + static_cast<uint64_t>(row) * stride;
        int y = topDown ? row : hgt - 1 - row;
        uint8_t* dst = decoded.bits_ + static_cast<size_t>(y) * static_cast<size_t>(w) * 4;
        for (int x = 0; x < w; ++x, dst += 4) {
            switch (bitCount) {
            case 1:
            case 4:
            case 8: {
                unsigned perByte = 8 / bitCount;
                unsigned byte = src[x / perByte];
                unsigned shift = (perByte - 1 - x % perByte) * bitCount;
                unsigned index = (byte >> shift) & ((1u << bitCount) - 1);
                const RGBQUAD& c = palette[index < paletteCount ? index : 0];
                dst[0] = c.rgbBlue;
                dst[1] = c.rgbGreen;
                dst[2] = c.rgbRed;
                dst[3] = 0;
                break;
            }
            case 16: {
                uint32_t px = Read16(src + x * 2);
                dst[0] = blue.Extract(px);
                dst[1] = green.Extract(px);
                dst[2] = red.Extract(px);
                dst[3] = alpha.Extract(px);
                break;
            }
            case 24:
                dst[0] = src[x * 3];
                dst[1] = src[x * 3 + 1];
                dst[2] = src[x * 3 + 2];
                dst[3] = 0;
                break;
            case 32:
                if (compression == BI_BITFIELDS) {
                    uint32_t px = Read32(src + x * 4);
                    dst[0] = blue.Extract(px);
                    dst[1] = green.Extract(px);
                    dst[2] = red.Extract(px);
                    dst[3] = alpha.Extract(px);
                } else {
                    dst[0] = src[x * 4];
                    dst[1] = src[x * 4 + 1];
                    dst[2] = src[x * 4 + 2];
                    dst[3] = 0;
                }
                break;
            }
        }
    }
    target.Swap(decoded);
    target.pixelFormat_ = bitCount == 24 ? TPixelFormat::Bit24 : TPixelFormat::Bit32;
}

void TBitmap::LoadFromMemory(const uint8_t* data, size_t size) {
    DecodeBmp(data, size, true, *this);
    Changed();
}

void TBitmap::LoadFromStream(TStream& stream) {
    std::vector<uint8_t> data = ReadWholeStream(stream);
    LoadFromMemory(data.data(), data.size());
}

void TBitmap::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, TFileMode::OpenRead);
    LoadFromStream(stream);
}

void TBitmap::SetData(const std::vector<uint8_t>& data) {
    auto [p, n] = StripPictureHeader(data);
    LoadFromMemory(p, n);
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    HRSRC info = FindResourceA(instance, name.c_str(), MAKEINTRESOURCEA(2));  // RT_BITMAP
    HGLOBAL handle = info ? LoadResource(instance, info) : nullptr;
    const auto* bytes = handle ? static_cast<const uint8_t*>(LockResource(handle)) : nullptr;
    if (!bytes) throw EInvalidGraphic("Bitmap resource " + name + " not found");
    DecodeBmp(bytes, SizeofResource(instance, info), false, *this);
    Changed();
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
    HRSRC info = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));
    HGLOBAL handle = info ? LoadResource(instance, info) : nullptr;
    const auto* bytes = handle ? static_cast<const uint8_t*>(LockResource(handle)) : nullptr;
    if (!bytes) throw EInvalidGraphic("Bitmap resource " + std::to_string(id) + " not found");
    DecodeBmp(bytes, SizeofResource(instance, info), false, *this);
    Changed();
}

void TBitmap::SaveToStream(TStream& stream) const {
    if (Empty()) throw EInvalidGraphic("Cannot save an empty bitmap");
    GdiFlush();
    const unsigned bitCount = pixelFormat_ == TPixelFormat::Bit24 ? 24 : 32;
    const uint32_t stride = ((static_cast<uint32_t>(width_) * bitCount + 31) / 32) * 4;
    const uint32_t imageSize = stride * static_cast<uint32_t>(height_);
    std::vector<uint8_t> out;
    out.reserve(54 + imageSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + imageSize);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width_));
    Put32(out, static_cast<uint32_t>(height_));  // bottom-up
    Put16(out, 1);
    Put16(out, static_cast<uint16_t>(bitCount));
    Put32(out, BI_RGB);
    Put32(out, imageSize);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = height_ - 1; y >= 0; --y) {
        const uint8_t* row = bits_ + static_cast<size_t>(y) * static_cast<size_t>(width_) * 4;
        size_t start = out.size();
        for (int x = 0; x < width_; ++x) {
            out.push_back(row[x * 4]);
            out.push_back(row[x * 4 + 1]);
            out.push_back(row[x * 4 + 2]);
            if (bitCount == 32) out.push_back(row[x * 4 + 3]);
        }
        while (out.size() - start < stride) out.push_back(0);
    }
    stream.WriteBuffer(out.data(), out.size());
}

void TBitmap::SaveToFile(const std::string& fileName) const {
    TFileStream stream(fileName, TFileMode::Create);
    SaveToStream(stream);
}

void TBitmap::CopyFromHandle(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof(info), &info)) throw EInvalidGraphic("Invalid bitmap handle");
    TBitmap copy;
    copy.Create(info.bmWidth, std::abs(info.bmHeight));
    if (!copy.Empty()) {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = copy.width_;
        bmi.bmiHeader.biHeight = -copy.height_;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        TScreenDC screen;
        if (!GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(copy.height_), copy.bits_, &bmi, DIB_RGB_COLORS))
            throw EInvalidGraphic("Cannot read the bitmap's pixels");
    }
    Swap(copy);
    Changed();
}

void TBitmap::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TBitmap*>(&source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    TBitmap copy;
    copy.Create(other->width_, other->height_);
    if (!copy.Empty()) {
        GdiFlush();
        std::memcpy(copy.bits_, other->bits_, static_cast<size_t>(other->width_) * other->height_ * 4);
    }
    Swap(copy);
    pixelFormat_ = other->pixelFormat_;
    transparent_ = other->transparent_;
    transparentColorFixed_ = other->transparentColorFixed_;
    transparentColor_ = other->transparentColor_;
    Changed();
}

// ============================================================================================ TPicture

const TClassInfo& TPicture::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TPicture>("TPicture", &TPersistent::StaticClass())
            .Object("Bitmap", &TPicture::Bitmap)
            .Custom("Data",
                    [](TPicture& p, const TPropValue& v) {
                        if (v.kind != TPropValue::Kind::Binary) throw EReadError("Binary data expected for Data");
                        p.SetData(v.binary);
                    })
            .Build();
    return info;
}

TPicture::TPicture() {
    bitmap_.OnChange = [this](TObject*) {
        if (OnChange) OnChange(this);
    };
}

TPicture::~TPicture() { bitmap_.OnChange = nullptr; }

void TPicture::SetData(const std::vector<uint8_t>& data) { bitmap_.SetData(data); }

void TPicture::Assign(const TPersistent& source) {
    if (const auto* other = dynamic_cast<const TPicture*>(&source)) bitmap_.Assign(other->bitmap_);
    else if (const auto* bitmap = dynamic_cast<const TBitmap*>(&source)) bitmap_.Assign(*bitmap);
    else TPersistent::Assign(source);
}

// ============================================================================================ TIcon

const TClassInfo& TIcon::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TIcon>("TIcon", &TPersistent::StaticClass())
            .Custom("Data",
                    [](TIcon& icon, const TPropValue& v) {
                        if (v.kind != TPropValue::Kind::Binary) throw EReadError("Binary data expected for Data");
                        icon.LoadFromMemory(v.binary.data(), v.binary.size());
                    })
            .Build();
    return info;
}

TIcon::~TIcon() {
    if (icon_) DestroyIcon(icon_);
}

void TIcon::SetHandle(HICON icon) {
    if (icon == icon_) return;
    if (icon_) DestroyIcon(icon_);
    icon_ = icon;
    width_ = height_ = 0;
    if (icon) {
        ICONINFO ii{};
        if (GetIconInfo(icon, &ii)) {
            BITMAP bm{};
            if (ii.hbmColor && GetObjectA(ii.hbmColor, sizeof(bm), &bm)) {
                width_ = bm.bmWidth;
                height_ = bm.bmHeight;
            } else if (ii.hbmMask && GetObjectA(ii.hbmMask, sizeof(bm), &bm)) {
                width_ = bm.bmWidth;
                height_ = bm.bmHeight / 2;  // a monochrome icon: AND mask above XOR mask
            }
            if (ii.hbmColor) DeleteObject(ii.hbmColor);
            if (ii.hbmMask) DeleteObject(ii.hbmMask);
        }
    }
    Changed();
}

HICON TIcon::ReleaseHandle() {
    HICON icon = icon_;
    icon_ = nullptr;
    width_ = height_ = 0;
    return icon;
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const std::string& name, int size) {
    auto icon = static_cast<HICON>(LoadImageA(instance, name.c_str(), IMAGE_ICON, size, size, size ? 0 : LR_DEFAULTSIZE));
    if (!icon) throw EInvalidGraphic("Icon resource " + name + " not found");
    SetHandle(icon);
}

void TIcon::LoadFromMemory(const uint8_t* data, size_t size) {
    auto bad = [](const std::string& why) -> void { throw EInvalidGraphic("Icon image is not valid: " + why); };
    const uint64_t total = size;
    if (total < 6) bad("header truncated");
    if (Read16(data) != 0 || Read16(data + 2) != 1) bad("not an icon");
    const unsigned count = Read16(data + 4);
    if (count == 0) bad("no images");
    if (6 + static_cast<uint64_t>(count) * 16 > total) bad("directory truncated");

    // The image closest to 32 x 32; the deepest colour among equals.
    int best = -1;
    int bestDistance = 0, bestDepth = 0, bestW = 0, bestH = 0;
    for (unsigned i = 0; i < count; ++i) {
        const uint8_t* e = data + 6 + i * 16;
        int w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
        int depth = Read16(e + 6);
        if (!depth) {
            int colors = e[2];
            depth = colors == 0 ? 8 : colors <= 2 ? 1 : colors <= 16 ? 4 : 8;
        }
        uint64_t bytes = Read32(e + 8), offset = Read32(e + 12);
        if (bytes < 40 || offset < 6 + static_cast<uint64_t>(count) * 16 || offset > total || bytes > total - offset)
            bad("image " + std::to_string(i) + " outside the data");
        int distance = std::abs(w - 32) + std::abs(h - 32);
        if (best < 0 || distance < bestDistance || (distance == bestDistance && depth > bestDepth)) {
            best = static_cast<int>(i);
            bestDistance = distance;
            bestDepth = depth;
            bestW = w;
            bestH = h;
        }
    }
    const uint8_t* e = data + 6 + best * 16;
    const uint32_t bytes = Read32(e + 8), offset = Read32(e + 12);
    const uint8_t* image = data + offset;
    static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (std::memcmp(image, kPng, 8) != 0) {
        // A DIB: header, palette, colour bits, then the 1-bit mask, all inside the image.
        if (Read32(image) != 40) bad("unknown image header");
        int32_t w = ReadI32(image + 4), h2 = ReadI32(image + 8);
        unsigned planes = Read16(image + 12), bitCount = Read16(image + 14);
        uint32_t compression = Read32(image + 16), colorsUsed = Read32(image + 32);
        if (w <= 0 || w > 256 || h2 <= 0 || h2 > 512 || planes != 1) bad("bad image size");
        if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
            bad("unsupported bit count");
        if (compression != BI_RGB) bad("unsupported compression");
        uint64_t paletteCount = bitCount <= 8 ? (colorsUsed ? colorsUsed : (1ull << bitCount)) : 0;
        if (bitCount <= 8 && paletteCount > (1ull << bitCount)) bad("palette too large");
        uint64_t h = static_cast<uint64_t>(h2) / 2;
        uint64_t xorStride = ((static_cast<uint64_t>(w) * bitCount + 31) / 32) * 4;
        uint64_t andStride = ((static_cast<uint64_t>(w) + 31) / 32) * 4;
        uint64_t needed = 40 + paletteCount * 4 + (xorStride + andStride) * h;
        if (needed > bytes) bad("image data truncated");
    }
    std::vector<uint8_t> copy(image, image + bytes);
    HICON icon = CreateIconFromResourceEx(copy.data(), bytes, TRUE, 0x00030000, bestW, bestH, LR_DEFAULTCOLOR);
    if (!icon) bad("the system cannot read it");
    SetHandle(icon);
}

void TIcon::LoadFromStream(TStream& stream) {
    std::vector<uint8_t> data = ReadWholeStream(stream);
    LoadFromMemory(data.data(), data.size());
}

void TIcon::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, TFileMode::OpenRead);
    LoadFromStream(stream);
}

void TIcon::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TIcon*>(&source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    HICON copy = other->icon_ ? CopyIcon(other->icon_) : nullptr;
    if (other->icon_ && !copy) RaiseLastOSError("Cannot copy an icon");
    SetHandle(copy);
}

void TIcon::Changed() {
    if (OnChange) OnChange(this);
}

// ============================================================================================ TImageList

const TClassInfo& TImageList::StaticClass() {
    static const TClassInfo info = TClassBuilder<TImageList>("TImageList", &TComponent::StaticClass())
                                       .Creatable()
                                       .Prop("Width", &TImageList::SetWidth, &TImageList::Width)
                                       .Prop("Height", &TImageList::SetHeight, &TImageList::Height)
                                       .Build();
    return info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() {
    if (handle_) ImageList_Destroy(handle_);
}

void TImageList::SetWidth(int w) {
    if (w <= 0 || w == width_) return;
    width_ = w;
    Recreate();
}

void TImageList::SetHeight(int h) {
    if (h <= 0 || h == height_) return;
    height_ = h;
    Recreate();
}

void TImageList::Recreate() {
    if (handle_) {
        ImageList_Destroy(handle_);
        handle_ = nullptr;
        Changed();
    }
}

HIMAGELIST TImageList::Handle() {
    if (!handle_) {
        handle_ = ImageList_Create(width_, height_, ILC_COLOR32 | ILC_MASK, 4, 4);
        if (!handle_) RaiseLastOSError("Cannot create an image list");
    }
    return handle_;
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

int TImageList::Add(TBitmap& bitmap, uint32_t maskColor) {
    if (bitmap.Empty()) throw EInvalidGraphic("Cannot add an empty bitmap to an image list");
    // The list reads the pixels itself, and masking changes the source's masked pixels: give
    // it a copy that no device context holds.
    TBitmap copy;
    copy.Assign(bitmap);
    copy.Dormant();
    int index = maskColor == clNone ? ImageList_Add(Handle(), copy.Handle(), nullptr)
                                    : ImageList_AddMasked(Handle(), copy.Handle(), ColorToRGB(maskColor));
    if (index < 0) throw EInvalidGraphic("Cannot add the bitmap to the image list");
    Changed();
    return index;
}

int TImageList::AddIcon(const TIcon& icon) {
    if (icon.Empty()) throw EInvalidGraphic("Cannot add an empty icon to an image list");
    int index = ImageList_AddIcon(Handle(), icon.Handle());
    if (index < 0) throw EInvalidGraphic("Cannot add the icon to the image list");
    Changed();
    return index;
}

void TImageList::Delete(int index) {
    if (index < 0 || index >= Count()) throw EListError("Image index out of range (" + std::to_string(index) + ")");
    ImageList_Remove(handle_, index);
    Changed();
}

void TImageList::Clear() {
    if (handle_ && Count() > 0) {
        ImageList_RemoveAll(handle_);
        Changed();
    }
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
    if (index < 0 || index >= Count()) return;
    HDC dc = canvas.Handle();
    if (enabled) {
        ImageList_Draw(handle_, index, dc, x, y, ILD_TRANSPARENT);
        return;
    }
    HICON icon = ImageList_GetIcon(handle_, index, ILD_TRANSPARENT);
    if (!icon) return;
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, width_, height_, DST_ICON | DSS_DISABLED);
    DestroyIcon(icon);
}

void TImageList::GetIcon(int index, TIcon& icon) {
    if (index < 0 || index >= Count()) throw EListError("Image index out of range (" + std::to_string(index) + ")");
    HICON h = ImageList_GetIcon(handle_, index, ILD_TRANSPARENT);
    if (!h) throw EInvalidGraphic("Cannot make an icon of the image");
    icon.SetHandle(h);
}

void TImageList::Changed() {
    if (OnChange) OnChange(this);
}

// ============================================================================================ helpers

void PaintBuffered(HDC dc, const RECT& rect, const std::function<void(HDC)>& paint) {
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    struct Buffer {
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ old = nullptr;
        ~Buffer() {
            if (old) SelectObject(dc, old);
            if (bitmap) DeleteObject(bitmap);
            if (dc) DeleteDC(dc);
        }
    } buffer;
    {
        TScreenDC screen;
        buffer.dc = CreateCompatibleDC(screen.Get());
        buffer.bitmap = CreateCompatibleBitmap(screen.Get(), w, h);
    }
    if (!buffer.dc || !buffer.bitmap) {
        paint(dc);  // no memory for a buffer: paint directly
        return;
    }
    buffer.old = SelectObject(buffer.dc, buffer.bitmap);
    SetViewportOrgEx(buffer.dc, -rect.left, -rect.top, nullptr);
    paint(buffer.dc);
    BitBlt(dc, rect.left, rect.top, w, h, buffer.dc, rect.left, rect.top, SRCCOPY);
}

void Frame3D(HDC dc, RECT& rect, COLORREF topLeft, COLORREF bottomRight, int width) {
    TTempBrush tl(topLeft), br(bottomRight);
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
