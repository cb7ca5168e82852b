#pragma once
// The uncompressed video formats the mixer takes (RGB32, RGB24, RGB565, RGB555 described by
// VIDEOINFOHEADER or VIDEOINFOHEADER2), parsed and checked once per connection so that frame
// handling can trust the geometry.
#include <windows.h>

#include <dshow.h>

namespace vorlinde::platform {

enum class TPixelLayout { Rgb32, Rgb24, Rgb565, Rgb555 };

// A BITMAPINFO with room for the three colour masks of BI_BITFIELDS.
struct TDibHeader {
    BITMAPINFOHEADER header;
    DWORD masks[3];
};

struct TVideoFormat {
    TPixelLayout layout = TPixelLayout::Rgb32;
    LONG width = 0;        // pixels per row of the buffer
    LONG height = 0;       // rows of the buffer
    bool topDown = false;  // first row in memory is the top row
    LONG stride = 0;       // bytes per row, DWORD aligned
    DWORD imageSize = 0;   // stride * height: the bytes a sample must carry
    RECT source{};         // the picture inside the buffer, rows counted from the top
    DWORD aspectX = 1;     // picture aspect ratio, reduced
    DWORD aspectY = 1;
    TDibHeader dib{};      // GDI's description of the buffer
};

// Largest frame side accepted; keeps every size computation far from overflow.
constexpr LONG kMaxFrameSide = 16384;

bool IsSupportedVideoSubtype(const GUID& subtype) noexcept;
// S_OK and a filled format, or VFW_E_TYPE_NOT_ACCEPTED for anything the mixer cannot show.
HRESULT ParseVideoFormat(const AM_MEDIA_TYPE& type, TVideoFormat& format) noexcept;
// The GDI description of a 32-bit buffer of the given size and row order.
TDibHeader MakeRgb32Dib(LONG width, LONG height, bool topDown) noexcept;

}  // namespace vorlinde::platform
