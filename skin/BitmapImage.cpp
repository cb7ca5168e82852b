#include "skin/BitmapImage.h"

#include <array>

namespace vorlinde {

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitFields = 3;
constexpr size_t kFileHeaderSize = 14;

uint32_t Read16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8); }
uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
int32_t ReadI32(const uint8_t* p) { return static_cast<int32_t>(Read32(p)); }

// One colour channel of a bit-field pixel: a contiguous run of bits, scaled to 0..255.
struct Channel {
    unsigned shift = 0;
    unsigned bits = 0;

    // False for a mask whose bits are not one contiguous run.
    bool Set(uint32_t mask) {
        shift = bits = 0;
        if (!mask) return true;
        while (!(mask & 1u)) {
            mask >>= 1;
            ++shift;
        }
        while (mask & 1u) {
            mask >>= 1;
            ++bits;
        }
        return mask == 0;
    }

    uint8_t Extract(uint32_t pixel) const {
        if (!bits) return 0;
        uint32_t max = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
        uint32_t v = (pixel >> shift) & max;
        if (bits >= 8) return static_cast<uint8_t>(v >> (bits - 8));
        return static_cast<uint8_t>((v * 255 + max / 2) / max);
    }
};

bool Fail(std::string* reason, const char* text) {
    if (reason) *reason = text;
    return false;
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

bool DecodeBitmapFile(const uint8_t* data, size_t size, TBitmapImage& image, std::string* reason) {
    // Every offset is computed in 64 bits and compared with `total` before anything is read.
    const uint64_t total = size;
    if (!data || total < kFileHeaderSize + 4) return Fail(reason, "file header truncated");
    if (data[0] != 'B' || data[1] != 'M') return Fail(reason, "missing BM signature");
    const uint32_t fileSize = Read32(data + 2);
    if (fileSize != 0 && fileSize > total) return Fail(reason, "file shorter than its header says");
    const uint64_t pixelOffset = Read32(data + 10);

    const uint32_t headerSize = Read32(data + kFileHeaderSize);
    if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124)
        return Fail(reason, "unknown info header");
    if (kFileHeaderSize + headerSize > total) return Fail(reason, "info header truncated");
    const uint8_t* h = data + kFileHeaderSize;
    const bool core = headerSize == 12;

    int64_t width, height;
    uint32_t planes, bitCount, compression = kBiRgb, colorsUsed = 0;
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
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (planes != 1) return Fail(reason, "plane count is not 1");
    if (width <= 0 || height <= 0) return Fail(reason, "empty or negative size");
    if (width > kMaxBitmapImageDimension || height > kMaxBitmapImageDimension ||
        static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxBitmapImagePixels)
        return Fail(reason, "picture too large");
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return Fail(reason, "unsupported bit depth");
    if (compression == kBiBitFields) {
        if (bitCount != 16 && bitCount != 32) return Fail(reason, "bit fields need 16 or 32 bits per pixel");
    } else if (compression != kBiRgb) {
        return Fail(reason, "unsupported compression");
    }

    // Colour masks: after a 40-byte header, or inside the larger ones.
    uint64_t afterHeader = kFileHeaderSize + headerSize;
    uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    if (compression == kBiBitFields) {
        const uint8_t* m = h + 40;
        if (headerSize == 40) {
            if (afterHeader + 12 > total) return Fail(reason, "colour masks truncated");
            m = data + afterHeader;
            afterHeader += 12;
        }
        masks[0] = Read32(m);
        masks[1] = Read32(m + 4);
        masks[2] = Read32(m + 8);
        if (headerSize >= 56) masks[3] = Read32(m + 12);
        if (!masks[0] && !masks[1] && !masks[2]) return Fail(reason, "no colour masks");
    } else if (bitCount == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    }
    Channel channels[4];
    for (int i = 0; i < 4; ++i) {
        if (bitCount == 16) masks[i] &= 0xFFFF;
        if (!channels[i].Set(masks[i])) return Fail(reason, "colour mask not contiguous");
    }

    // Palette.
    uint64_t paletteCount = 0;
    if (bitCount <= 8) {
        const uint64_t maxColors = 1ull << bitCount;
        paletteCount = colorsUsed ? colorsUsed : maxColors;
        if (paletteCount > maxColors) return Fail(reason, "palette too large");
    } else {
        if (colorsUsed > 256) return Fail(reason, "palette too large");
        paletteCount = colorsUsed;  // optional, unused by true-colour pixels
    }
    const uint64_t entrySize = core ? 3 : 4;
    const uint64_t paletteEnd = afterHeader + paletteCount * entrySize;
    if (paletteEnd > total) return Fail(reason, "palette truncated");
    std::array<std::array<uint8_t, 3>, 256> palette{};
    if (bitCount <= 8)
        for (uint64_t i = 0; i < paletteCount; ++i) {
            const uint8_t* e = data + afterHeader + i * entrySize;
            palette[i] = {e[0], e[1], e[2]};
        }

    // Pixel array.
    if (pixelOffset < paletteEnd) return Fail(reason, "pixel data overlaps the headers");
    const uint64_t stride = ((static_cast<uint64_t>(width) * bitCount + 31) / 32) * 4;
    const uint64_t needed = stride * static_cast<uint64_t>(height);
    if (pixelOffset > total || needed > total - pixelOffset) return Fail(reason, "pixel data truncated");

    TBitmapImage decoded(static_cast<int>(width), static_cast<int>(height));
    const int w = decoded.width, hgt = decoded.height;
    for (int row = 0; row < hgt; ++row) {
        const uint8_t* src = data + pixelOffset + static_cast<uint64_t>(row) * stride;
        uint8_t* dst = decoded.Pixel(0, topDown ? row : hgt - 1 - row);
        for (int x = 0; x < w; ++x, dst += 4) {
            switch (bitCount) {
            case 1:
            case 4:
            case 8: {
                const unsigned perByte = 8 / bitCount;
                const unsigned byte = src[x / perByte];
                const unsigned shift = (perByte - 1 - x % perByte) * bitCount;
                const unsigned index = (byte >> shift) & ((1u << bitCount) - 1);
                const auto& c = palette[index < paletteCount ? index : 0];
                dst[0] = c[0];
                dst[1] = c[1];
                dst[2] = c[2];
                dst[3] = 0;
                break;
            }
            case 16:
            case 32: {
                if (bitCount == 32 && compression == kBiRgb) {
                    dst[0] = src[x * 4];
                    dst[1] = src[x * 4 + 1];
                    dst[2] = src[x * 4 + 2];
                    dst[3] = 0;
                    break;
                }
                const uint32_t px = bitCount == 16 ? Read16(src + x * 2) : Read32(src + x * 4);
                dst[0] = channels[2].Extract(px);
                dst[1] = channels[1].Extract(px);
                dst[2] = channels[0].Extract(px);
                dst[3] = channels[3].Extract(px);
                break;
            }
            case 24:
                dst[0] = src[x * 3];
                dst[1] = src[x * 3 + 1];
                dst[2] = src[x * 3 + 2];
                dst[3] = 0;
                break;
            }
        }
    }
    image = std::move(decoded);
    return true;
}

std::vector<uint8_t> EncodeBitmapFile(const TBitmapImage& image, int bitCount) {
    const unsigned bits = bitCount == 24 ? 24 : 32;
    const uint32_t stride = ((static_cast<uint32_t>(image.width) * bits + 31) / 32) * 4;
    const uint32_t imageSize = stride * static_cast<uint32_t>(image.height);
    std::vector<uint8_t> out;
    out.reserve(54 + imageSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + imageSize);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(image.width));
    Put32(out, static_cast<uint32_t>(image.height));  // bottom-up
    Put16(out, 1);
    Put16(out, bits);
    Put32(out, kBiRgb);
    Put32(out, imageSize);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        const size_t start = out.size();
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = image.Pixel(x, y);
            out.push_back(p[0]);
            out.push_back(p[1]);
            out.push_back(p[2]);
            if (bits == 32) out.push_back(p[3]);
        }
        while (out.size() - start < stride) out.push_back(0);
    }
    return out;
}

}  // namespace vorlinde
