#pragma once
// Windows bitmap file images (.bmp) read and written without windows.h: the theme file reader
// decodes the bitmap entries of a theme file with it before any of their bytes reach the
// drawing code, and the host tools write the built-in art with it.
//
// Decoding checks every header field before using it: signature, sizes and offsets against the
// data's length, the info header variant, plane count, bit depth, compression (uncompressed or
// bit fields only), colour masks, palette length and the pixel array. Anything else is refused.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vorlinde {

// Pixels as 32-bit B, G, R, A bytes, top row first, no row padding.
struct TBitmapImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;

    TBitmapImage() = default;
    TBitmapImage(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h) * 4) {}
    uint8_t* Pixel(int x, int y) { return pixels.data() + (static_cast<size_t>(y) * width + x) * 4; }
    const uint8_t* Pixel(int x, int y) const { return pixels.data() + (static_cast<size_t>(y) * width + x) * 4; }
};

// Limits on decoded pictures: the skin's bitmaps are small, and a hostile file must not make
// the program allocate more than a bounded amount.
inline constexpr int kMaxBitmapImageDimension = 8192;
inline constexpr uint64_t kMaxBitmapImagePixels = 16ull * 1024 * 1024;

// Decodes a whole .bmp file image (14-byte file header, info header, palette, pixels). Returns
// false for malformed or unsupported data, with the reason in `reason` when given; `image` is
// then left unchanged.
bool DecodeBitmapFile(const uint8_t* data, size_t size, TBitmapImage& image, std::string* reason = nullptr);

// A .bmp file image of `image`: uncompressed, 24 or 32 bits per pixel, bottom-up rows, a
// 40-byte info header.
std::vector<uint8_t> EncodeBitmapFile(const TBitmapImage& image, int bitCount);

}  // namespace vorlinde
