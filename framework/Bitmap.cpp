#include "framework/Bitmap.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "framework/Exceptions.h"
#include "framework/GraphicData.h"
#include "framework/LittleEndian.h"
#include "framework/PropValue.h"
#include "framework/Streams.h"

namespace vl {

const TEnumTable<TPixelFormat>& TEnumNames<TPixelFormat>::Table() {
    static const TEnumTable<TPixelFormat> t = {
        {"pfDevice", TPixelFormat::Device}, {"pf24bit", TPixelFormat::Bit24}, {"pf32bit", TPixelFormat::Bit32}};
    return t;
}

namespace {

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
    if (n >= 4 && !(p[0] == 'B' && p[1] == 'M') && ReadLE32(p) == n - 4) {
        p += 4;
        n -= 4;
    }
    return {p, n};
}

}  // namespace

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

// The canvas lets go of the memory context first; the DIB section is freed last.
TBitmap::~TBitmap() {
    Dormant();
    canvas_.reset();
}

void TBitmap::Dormant() {
    if (!memDC_) return;
    if (canvas_) canvas_->SetHandle(nullptr);
    selected_.reset();
    memDC_.reset();
}

void TBitmap::AttachCanvas() {
    if (!canvas_) return;
    if (!memDC_) {
        TMemoryDC dc(nullptr);
        if (!dc) RaiseLastOSError("Cannot create a device context");
        memDC_.emplace(std::move(dc));
        if (bitmap_) selected_.emplace(memDC_->Get(), bitmap_.Get());
    }
    canvas_->SetHandle(memDC_->Get());
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
        fresh.bitmap_.Reset(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
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

void TBitmap::TakeImage(const TBitmapImage& image, TPixelFormat format) {
    if (image.width < 0 || image.height < 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4)
        throw EInvalidGraphic("Bitmap image is not valid: pixel buffer does not match the size");
    TBitmap copy;
    copy.Create(image.width, image.height);
    if (!copy.Empty()) std::memcpy(copy.bits_, image.pixels.data(), image.pixels.size());
    Swap(copy);
    pixelFormat_ = format;
}

void TBitmap::LoadDecoded(const uint8_t* data, size_t size, TBitmapLayout layout) {
    TBitmapImage image;
    const TBitmapDecodeResult result = DecodeBitmap(data, size, layout, image);
    if (!result) throw EInvalidGraphic("Bitmap image is not valid: " + result.reason);
    TakeImage(image, result.bitCount == 24 ? TPixelFormat::Bit24 : TPixelFormat::Bit32);
    Changed();
}

void TBitmap::LoadFromImage(const TBitmapImage& image) {
    TakeImage(image, TPixelFormat::Bit32);
    Changed();
}

void TBitmap::LoadFromMemory(const uint8_t* data, size_t size) { LoadDecoded(data, size, TBitmapLayout::File); }

void TBitmap::LoadFromStream(TStream& stream) {
    const std::vector<uint8_t> data = ReadGraphicData(stream);
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

void TBitmap::LoadFromResource(HINSTANCE instance, LPCSTR id, const std::string& label) {
    HRSRC info = FindResourceA(instance, id, MAKEINTRESOURCEA(2));  // RT_BITMAP
    HGLOBAL handle = info ? ::LoadResource(instance, info) : nullptr;
    const auto* bytes = handle ? static_cast<const uint8_t*>(LockResource(handle)) : nullptr;
    if (!bytes) throw EInvalidGraphic("Bitmap resource " + label + " not found");
    LoadDecoded(bytes, SizeofResource(instance, info), TBitmapLayout::PackedDib);
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    LoadFromResource(instance, name.c_str(), name);
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
    LoadFromResource(instance, MAKEINTRESOURCEA(id), std::to_string(id));
}

void TBitmap::SaveToStream(TStream& stream) const {
    if (Empty()) throw EInvalidGraphic("Cannot save an empty bitmap");
    GdiFlush();
    const std::vector<uint8_t> out =
        EncodeBitmapFile(bits_, width_, height_, pixelFormat_ == TPixelFormat::Bit24 ? 24 : 32);
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
        const TScreenDC screen;
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
    if (!Empty() && width_ == other->width_ && height_ == other->height_) {
        // Same size: the pixels go into the DIB section already here (its canvas stays).
        GdiFlush();
        std::memcpy(bits_, other->bits_, static_cast<size_t>(width_) * height_ * 4);
    } else {
        TBitmap copy;
        copy.Create(other->width_, other->height_);
        if (!copy.Empty()) {
            GdiFlush();
            std::memcpy(copy.bits_, other->bits_, static_cast<size_t>(other->width_) * other->height_ * 4);
        }
        Swap(copy);
    }
    pixelFormat_ = other->pixelFormat_;
    transparent_ = other->transparent_;
    transparentColorFixed_ = other->transparentColorFixed_;
    transparentColor_ = other->transparentColor_;
    Changed();
}

}  // namespace vl
