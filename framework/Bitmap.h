#pragma once
// A bitmap held as a 32-bit top-down DIB section, loaded from resources, .bmp data or a decoded
// picture (framework/BitmapFile.h does the decoding) and saved as .bmp data.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/BitmapFile.h"
#include "framework/Canvas.h"
#include "framework/ClassBuilder.h"
#include "framework/Component.h"
#include "framework/GdiOwners.h"
#include "framework/GraphicsObjects.h"

namespace vl {

class TStream;

enum class TPixelFormat { Device, Bit24, Bit32 };
template <> struct TEnumNames<TPixelFormat> { static const TEnumTable<TPixelFormat>& Table(); };

// A bitmap held as a 32-bit top-down DIB section that it owns, with a memory device context and
// a canvas created on demand.
class TBitmap : public TPersistent {
    VL_DECLARE_CLASS()
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetWidth(int w) { SetSize(w, height_); }
    void SetHeight(int h) { SetSize(width_, h); }
    // Resizes, keeping the overlapping part of the picture; new pixels are black.
    void SetSize(int width, int height);
    bool Empty() const { return !bitmap_; }
    // Frees the picture (size 0 x 0).
    void Clear();
    TPixelFormat PixelFormat() const { return pixelFormat_; }
    // The format used by SaveToStream (the pixels are always kept as 32-bit).
    void SetPixelFormat(TPixelFormat f) { pixelFormat_ = f; }

    // The DIB section. While the bitmap's canvas is alive it stays selected in the canvas's
    // memory context; call Dormant first to hand the bitmap to APIs that select it themselves.
    HBITMAP Handle() const { return bitmap_.Get(); }
    void Dormant();
    TCanvas& Canvas();
    // Row y of the pixels (BGRA, 4 bytes per pixel), top row first.
    uint8_t* ScanLine(int y);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    // Defaults to the bottom-left pixel; setting it fixes it.
    uint32_t TransparentColor();
    void SetTransparentColor(uint32_t color);

    // Reads an RT_BITMAP resource (a packed DIB) by name (or MAKEINTRESOURCE id); a missing
    // resource or bad data raises EInvalidGraphic.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);
    void LoadFromResourceID(HINSTANCE instance, int id);
    // Reads a .bmp file's bytes from the stream's position; every header field is checked
    // before use and bad data raises EInvalidGraphic, leaving the bitmap unchanged.
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);
    void LoadFromMemory(const uint8_t* data, size_t size);
    // Takes a decoded picture: its pixels (colour and alpha) are copied into a DIB section of
    // ours and the pixel format becomes 32-bit. A 0 x 0 picture empties the bitmap; one whose
    // pixel buffer does not match its size, or that is larger than a bitmap may be, raises
    // EInvalidGraphic and leaves the bitmap unchanged.
    void LoadFromImage(const TBitmapImage& image);
    // Form data ("Glyph.Data"): .bmp bytes, optionally after a 32-bit size.
    void SetData(const std::vector<uint8_t>& data);
    void SaveToStream(TStream& stream) const;
    void SaveToFile(const std::string& fileName) const;
    // Takes over a bitmap handle: its pixels are copied into a DIB section of ours; `bitmap` is
    // not freed.
    void CopyFromHandle(HBITMAP bitmap);

    void Assign(const TPersistent& source) override;

    TGraphicsEvent OnChange;

private:
    friend class TBitmapCanvas;
    // Selects the bitmap into a memory context of its own and gives that to the canvas.
    void AttachCanvas();
    void Changed();
    // Decodes .bmp data or a packed DIB and takes the picture; bad data raises EInvalidGraphic.
    void LoadDecoded(const uint8_t* data, size_t size, TBitmapLayout layout);
    void LoadFromResource(HINSTANCE instance, LPCSTR id, const std::string& label);
    // Replaces the picture with a copy of `image`, to be saved in `format`.
    void TakeImage(const TBitmapImage& image, TPixelFormat format);
    // Replaces the picture with a new black DIB section.
    void Create(int width, int height);
    void Swap(TBitmap& other);

    TGdiBitmap bitmap_;
    uint8_t* bits_ = nullptr;
    int width_ = 0, height_ = 0;
    TPixelFormat pixelFormat_ = TPixelFormat::Bit32;
    // The canvas's context, with the DIB section selected into it while it exists.
    std::optional<TMemoryDC> memDC_;
    std::optional<TSelectObject> selected_;
    std::unique_ptr<TCanvas> canvas_;
    bool transparent_ = false;
    bool transparentColorFixed_ = false;
    uint32_t transparentColor_ = 0;
};

}  // namespace vl
