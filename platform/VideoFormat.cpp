#include "platform/VideoFormat.h"

#include <dvdmedia.h>  // VIDEOINFOHEADER2
#include <dshow.h>

#include <cstddef>
#include <cstdlib>
#include <numeric>

namespace vorlinde::platform {

namespace {

struct TSubtypeInfo {
    const GUID* subtype;
    TPixelLayout layout;
    WORD bitCount;
};

const TSubtypeInfo kSubtypes[] = {
    {&MEDIASUBTYPE_RGB32, TPixelLayout::Rgb32, 32},
    {&MEDIASUBTYPE_RGB24, TPixelLayout::Rgb24, 24},
    {&MEDIASUBTYPE_RGB565, TPixelLayout::Rgb565, 16},
    {&MEDIASUBTYPE_RGB555, TPixelLayout::Rgb555, 16},
};

const TSubtypeInfo* FindSubtype(const GUID& subtype) {
    for (const auto& info : kSubtypes) {
        if (IsEqualGUID(*info.subtype, subtype)) return &info;
    }
    return nullptr;
}

bool IsZeroRect(const RECT& r) { return r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0; }

}  // namespace

bool IsSupportedVideoSubtype(const GUID& subtype) noexcept { return FindSubtype(subtype) != nullptr; }

HRESULT ParseVideoFormat(const AM_MEDIA_TYPE& type, TVideoFormat& format) noexcept {
    if (!IsEqualGUID(type.majortype, MEDIATYPE_Video)) return VFW_E_TYPE_NOT_ACCEPTED;
    const TSubtypeInfo* info = FindSubtype(type.subtype);
    if (!info || !type.pbFormat) return VFW_E_TYPE_NOT_ACCEPTED;

    const BITMAPINFOHEADER* bmi = nullptr;
    RECT source{};
    DWORD aspectX = 0;
    DWORD aspectY = 0;
    size_t headerEnd = 0;
    if (IsEqualGUID(type.formattype, FORMAT_VideoInfo) && type.cbFormat >= sizeof(VIDEOINFOHEADER)) {
        const auto* vih = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
        bmi = &vih->bmiHeader;
        source = vih->rcSource;
        headerEnd = offsetof(VIDEOINFOHEADER, bmiHeader);
    } else if (IsEqualGUID(type.formattype, FORMAT_VideoInfo2) &&
               type.cbFormat >= sizeof(VIDEOINFOHEADER2)) {
        const auto* vih2 = reinterpret_cast<const VIDEOINFOHEADER2*>(type.pbFormat);
        bmi = &vih2->bmiHeader;
        source = vih2->rcSource;
        aspectX = vih2->dwPictAspectRatioX;
        aspectY = vih2->dwPictAspectRatioY;
        headerEnd = offsetof(VIDEOINFOHEADER2, bmiHeader);
    } else {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }

    if (bmi->biSize < sizeof(BITMAPINFOHEADER) || bmi->biBitCount != info->bitCount ||
        bmi->biPlanes > 1) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    const bool bitfields = bmi->biCompression == BI_BITFIELDS;
    if (bmi->biCompression != BI_RGB && !(bitfields && info->bitCount != 24)) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    if (bitfields) {
        // The masks follow the header; they must be inside the format block and say what the
        // subtype says.
        headerEnd += bmi->biSize;
        if (type.cbFormat < headerEnd + 3 * sizeof(DWORD)) return VFW_E_TYPE_NOT_ACCEPTED;
        const auto* masks = reinterpret_cast<const DWORD*>(type.pbFormat + headerEnd);
        const bool ok = info->layout == TPixelLayout::Rgb565
                            ? masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F
                        : info->layout == TPixelLayout::Rgb555
                            ? masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F
                            : masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF;
        if (!ok) return VFW_E_TYPE_NOT_ACCEPTED;
    }

    const LONG width = bmi->biWidth;
    const LONG height = std::labs(bmi->biHeight);
    if (width <= 0 || height <= 0 || width > kMaxFrameSide || height > kMaxFrameSide) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }

    if (IsZeroRect(source)) {
        source = {0, 0, width, height};
    } else if (source.left < 0 || source.top < 0 || source.right > width || source.bottom > height ||
               source.left >= source.right || source.top >= source.bottom) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    if (aspectX == 0 || aspectY == 0) {
        aspectX = static_cast<DWORD>(source.right - source.left);
        aspectY = static_cast<DWORD>(source.bottom - source.top);
    }
    const DWORD divisor = std::gcd(aspectX, aspectY);
    aspectX /= divisor;
    aspectY /= divisor;
    // Keep the ratio's terms small, so that products with screen sizes stay within 64 bits.
    while (aspectX > 65535 || aspectY > 65535) {
        aspectX = (aspectX + 1) / 2;
        aspectY = (aspectY + 1) / 2;
    }

    TVideoFormat result;
    result.layout = info->layout;
    result.width = width;
    result.height = height;
    result.topDown = bmi->biHeight < 0;
    result.stride = ((width * info->bitCount + 31) / 32) * 4;
    result.imageSize = static_cast<DWORD>(result.stride) * static_cast<DWORD>(height);
    result.source = source;
    result.aspectX = aspectX;
    result.aspectY = aspectY;

    BITMAPINFOHEADER& header = result.dib.header;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = result.topDown ? -height : height;
    header.biPlanes = 1;
    header.biBitCount = info->bitCount;
    header.biCompression = BI_RGB;
    header.biSizeImage = result.imageSize;
    if (info->layout == TPixelLayout::Rgb565) {
        header.biCompression = BI_BITFIELDS;
        result.dib.masks[0] = 0xF800;
        result.dib.masks[1] = 0x07E0;
        result.dib.masks[2] = 0x001F;
    }
    format = result;
    return S_OK;
}

TDibHeader MakeRgb32Dib(LONG width, LONG height, bool topDown) noexcept {
    TDibHeader dib{};
    dib.header.biSize = sizeof(BITMAPINFOHEADER);
    dib.header.biWidth = width;
    dib.header.biHeight = topDown ? -height : height;
    dib.header.biPlanes = 1;
    dib.header.biBitCount = 32;
    dib.header.biCompression = BI_RGB;
    dib.header.biSizeImage = static_cast<DWORD>(width) * 4 * static_cast<DWORD>(height);
    return dib;
}

}  // namespace vorlinde::platform
