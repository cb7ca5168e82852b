#pragma once
// Windows bitmap images read and written without windows.h: a .bmp file (14-byte file header,
// info header, colour masks, palette, pixels) or a packed DIB, the same without the file header
// (the form a bitmap resource takes). TBitmap loads every picture through it, the theme reader
// decodes theme bitmaps with it, and the host tools and the fuzz target compile it as it is.
//
// Decoding checks every field before using it, with offsets and sizes in 64 bits against the
// data's length: the signature and file size, the info header variant (12-byte core header,
// 40, 52, 56, 64, 108 or 124 bytes), a plane count of 1, the bit depth (1, 4 and 8 with a
// palette; 16 and 32 plain or with contiguous bit-field masks; 24), the palette's length, the
// pixel offset (behind the headers and palette) and the pixel rows, bottom-up or top-down, and
// the size against the limits. Run-length and other compressions are refused.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vl {

// Pixels as B, G, R, A bytes, top row first, rows without padding.
struct TBitmapImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;

    TBitmapImage() = default;
    TBitmapImage(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h) * 4) {}
    uint8_t* Pixel(int x, int y) { return pixels.data() + (static_cast<size_t>(y) * width + x) * 4; }
    const uint8_t* Pixel(int x, int y) const { return pixels.data() + (static_cast<size_t>(y) * width + x) * 4; }
};

// The largest picture a bitmap holds or a decode accepts, unless the caller asks for less.
inline constexpr int kMaxBitmapDimension = 16384;
inline constexpr uint64_t kMaxBitmapPixels = 64ull * 1024 * 1024;

// Limits on a decoded picture, so that hostile data cannot make the program allocate more than
// a bounded amount: each side at most maxDimension, width times height at most maxPixels.
struct TBitmapLimits {
    int maxDimension = kMaxBitmapDimension;
    uint64_t maxPixels = kMaxBitmapPixels;
};

enum class TBitmapLayout {
    File,       // a .bmp file, starting with "BM"
    PackedDib,  // info header, masks, palette and pixels, back to back
};

struct TBitmapDecodeResult {
    bool ok = false;
    std::string reason;  // why the data was refused; empty when ok
    int bitCount = 0;    // bits per pixel of the decoded data
    explicit operator bool() const { return ok; }
};

// Decodes `size` bytes of `layout`. On failure `image` is left unchanged.
TBitmapDecodeResult DecodeBitmap(const uint8_t* data, size_t size, TBitmapLayout layout, TBitmapImage& image,
                                 const TBitmapLimits& limits = {});

inline TBitmapDecodeResult DecodeBitmapFile(const uint8_t* data, size_t size, TBitmapImage& image,
                                            const TBitmapLimits& limits = {}) {
    return DecodeBitmap(data, size, TBitmapLayout::File, image, limits);
}

inline TBitmapDecodeResult DecodePackedDib(const uint8_t* data, size_t size, TBitmapImage& image,
                                           const TBitmapLimits& limits = {}) {
    return DecodeBitmap(data, size, TBitmapLayout::PackedDib, image, limits);
}

// A .bmp file of `width` x `height` pixels laid out as in TBitmapImage: uncompressed, 24 bits
// per pixel when `bitCount` is 24 and 32 otherwise, bottom-up rows, a 40-byte info header.
std::vector<uint8_t> EncodeBitmapFile(const uint8_t* pixels, int width, int height, int bitCount);

inline std::vector<uint8_t> EncodeBitmapFile(const TBitmapImage& image, int bitCount) {
    return EncodeBitmapFile(image.pixels.data(), image.width, image.height, bitCount);
}

}  // namespace vl
