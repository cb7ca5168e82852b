#include "framework/BitmapFile.h"

#include <array>
#include <utility>

#include "framework/LittleEndian.h"

namespace vl {

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitFields = 3;
constexpr uint64_t kFileHeaderSize = 14;

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

    // Narrow channels are scaled with rounding, so that 5 or 6 bits spread evenly over 0..255.
    uint8_t Extract(uint32_t pixel) const {
        if (!bits) return 0;
        const uint32_t max = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
        const uint32_t v = (pixel >> shift) & max;
        if (bits >= 8) return static_cast<uint8_t>(v >> (bits - 8));
        return static_cast<uint8_t>((v * 255 + max / 2) / max);
    }
};

// The checked description of the pixels: where they are and how to read them.
struct DibFormat {
    int64_t width = 0, height = 0;
    bool topDown = false;
    unsigned bitCount = 0;
    uint32_t compression = kBiRgb;
    Channel channels[4];  // red, green, blue, alpha
    uint64_t paletteCount = 0;
    std::array<std::array<uint8_t, 3>, 256> palette{};  // blue, green, red
    uint64_t pixelOffset = 0;
    uint64_t stride = 0;
};

// Reads and checks everything before the pixel rows. Returns the reason for refusing the
// data, or null when `format` describes pixels that lie wholly inside it.
const char* ReadFormat(const uint8_t* data, uint64_t total, TBitmapLayout layout, const TBitmapLimits& limits,
                       DibFormat& f) {
    uint64_t headerStart = 0;
    uint64_t fileOffBits = 0;
    if (layout == TBitmapLayout::File) {
        if (total < kFileHeaderSize) return "file header truncated";
        if (data[0] != 'B' || data[1] != 'M') return "missing BM signature";
        const uint32_t fileSize = ReadLE32(data + 2);
        if (fileSize != 0 && fileSize > total) return "file shorter than its header says";
        fileOffBits = ReadLE32(data + 10);
        headerStart = kFileHeaderSize;
    }
    if (headerStart + 4 > total) return "info header truncated";
    const uint32_t headerSize = ReadLE32(data + headerStart);
    if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 64 &&
        headerSize != 108 && headerSize != 124)
        return "unknown info header";
    if (headerStart + headerSize > total) return "info header truncated";
    const uint8_t* h = data + headerStart;
    const bool core = headerSize == 12;

    uint32_t planes, colorsUsed = 0;
    if (core) {
        f.width = ReadLE16(h + 4);
        f.height = ReadLE16(h + 6);
        planes = ReadLE16(h + 8);
        f.bitCount = ReadLE16(h + 10);
    } else {
        f.width = ReadLEI32(h + 4);
        f.height = ReadLEI32(h + 8);
        planes = ReadLE16(h + 12);
        f.bitCount = ReadLE16(h + 14);
        f.compression = ReadLE32(h + 16);
        colorsUsed = ReadLE32(h + 32);
    }
    f.topDown = f.height < 0;
    if (f.topDown) f.height = -f.height;
    if (planes != 1) return "plane count is not 1";
    if (f.width <= 0 || f.height <= 0) return "empty or negative size";
    if (f.width > limits.maxDimension || f.height > limits.maxDimension ||
        static_cast<uint64_t>(f.width) * static_cast<uint64_t>(f.height) > limits.maxPixels)
        return "picture too large";
    const unsigned bitCount = f.bitCount;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return "unsupported bit depth";
    if (f.compression == kBiBitFields) {
        if (bitCount != 16 && bitCount != 32) return "bit fields need 16 or 32 bits per pixel";
    } else if (f.compression != kBiRgb) {
        return "unsupported compression";
    }

    // Colour masks: three DWORDs after a 40-byte header, or inside the larger ones.
    uint64_t afterHeader = headerStart + headerSize;
    uint32_t masks[4] = {0, 0, 0, 0};
    if (f.compression == kBiBitFields) {
        const uint8_t* m = h + 40;
        if (headerSize == 40) {
            if (afterHeader + 12 > total) return "colour masks truncated";
            m = data + afterHeader;
            afterHeader += 12;
        }
        masks[0] = ReadLE32(m);
        masks[1] = ReadLE32(m + 4);
        masks[2] = ReadLE32(m + 8);
        if (headerSize >= 56) masks[3] = ReadLE32(m + 12);
        if (!masks[0] && !masks[1] && !masks[2]) return "no colour masks";
    } else if (bitCount == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    }
    for (int i = 0; i < 4; ++i) {
        if (bitCount == 16) masks[i] &= 0xFFFF;
        if (!f.channels[i].Set(masks[i])) return "colour mask not contiguous";
    }

    // Palette: required up to 8 bits per pixel, optional (and unused) above.
    if (bitCount <= 8) {
        const uint64_t maxColors = 1ull << bitCount;
        f.paletteCount = colorsUsed ? colorsUsed : maxColors;
        if (f.paletteCount > maxColors) return "palette too large";
    } else {
        if (colorsUsed > 256) return "palette too large";
        f.paletteCount = colorsUsed;
    }
    const uint64_t entrySize = core ? 3 : 4;
    const uint64_t paletteEnd = afterHeader + f.paletteCount * entrySize;
    if (paletteEnd > total) return "palette truncated";
    if (bitCount <= 8)
        for (uint64_t i = 0; i < f.paletteCount; ++i) {
            const uint8_t* e = data + afterHeader + i * entrySize;
            f.palette[i] = {e[0], e[1], e[2]};
        }

    // Pixel rows: where the file header says, or right after the palette in a packed DIB.
    f.pixelOffset = paletteEnd;
    if (layout == TBitmapLayout::File) {
        if (fileOffBits < paletteEnd) return "pixel data overlaps the headers";
        f.pixelOffset = fileOffBits;
    }
    f.stride = ((static_cast<uint64_t>(f.width) * bitCount + 31) / 32) * 4;
    const uint64_t needed = f.stride * static_cast<uint64_t>(f.height);
    if (f.pixelOffset > total || needed > total - f.pixelOffset) return "pixel data truncated";
    return nullptr;
}

void DecodeRow(const DibFormat& f, const uint8_t* src, uint8_t* dst, int width) {
    const unsigned bitCount = f.bitCount;
    for (int x = 0; x < width; ++x, dst += 4) {
        switch (bitCount) {
        case 1:
        case 4:
        case 8: {
            const unsigned perByte = 8 / bitCount;
            const unsigned byte = src[x / perByte];
            const unsigned shift = (perByte - 1 - x % perByte) * bitCount;
            const unsigned index = (byte >> shift) & ((1u << bitCount) - 1);
            const auto& c = f.palette[index < f.paletteCount ? index : 0];
            dst[0] = c[0];
            dst[1] = c[1];
            dst[2] = c[2];
            dst[3] = 0;
            break;
        }
        case 24:
            dst[0] = src[x * 3];
            dst[1] = src[x * 3 + 1];
            dst[2] = src[x * 3 + 2];
            dst[3] = 0;
            break;
        default: {  // 16 or 32
            if (bitCount == 32 && f.compression == kBiRgb) {
                dst[0] = src[x * 4];
                dst[1] = src[x * 4 + 1];
                dst[2] = src[x * 4 + 2];
                dst[3] = 0;
                break;
            }
            const uint32_t px = bitCount == 16 ? ReadLE16(src + x * 2) : ReadLE32(src + x * 4);
            dst[0] = f.channels[2].Extract(px);
            dst[1] = f.channels[1].Extract(px);
            dst[2] = f.channels[0].Extract(px);
            dst[3] = f.channels[3].Extract(px);
            break;
        }
        }
    }
}

TBitmapDecodeResult Refused(const char* reason) {
    TBitmapDecodeResult result;
    result.reason = reason;
    return result;
}

}  // namespace

TBitmapDecodeResult DecodeBitmap(const uint8_t* data, size_t size, TBitmapLayout layout, TBitmapImage& image,
                                 const TBitmapLimits& limits) {
    if (!data) return Refused(layout == TBitmapLayout::File ? "file header truncated" : "info header truncated");
    DibFormat format;
    if (const char* reason = ReadFormat(data, size, layout, limits, format)) return Refused(reason);

    TBitmapImage decoded(static_cast<int>(format.width), static_cast<int>(format.height));
    for (int row = 0; row < decoded.height; ++row) {
        const uint8_t* src = data + format.pixelOffset + static_cast<uint64_t>(row) * format.stride;
        DecodeRow(format, src, decoded.Pixel(0, format.topDown ? row : decoded.height - 1 - row), decoded.width);
    }
    image = std::move(decoded);
    TBitmapDecodeResult result;
    result.ok = true;
    result.bitCount = static_cast<int>(format.bitCount);
    return result;
}

std::vector<uint8_t> EncodeBitmapFile(const uint8_t* pixels, int width, int height, int bitCount) {
    const unsigned bits = bitCount == 24 ? 24 : 32;
    const uint32_t stride = ((static_cast<uint32_t>(width) * bits + 31) / 32) * 4;
    const uint32_t imageSize = stride * static_cast<uint32_t>(height);
    std::vector<uint8_t> out;
    out.reserve(54 + imageSize);
    out.push_back('B');
    out.push_back('M');
    AppendLE32(out, 54 + imageSize);
    AppendLE32(out, 0);
    AppendLE32(out, 54);
    AppendLE32(out, 40);
    AppendLE32(out, static_cast<uint32_t>(width));
    AppendLE32(out, static_cast<uint32_t>(height));  // bottom-up
    AppendLE16(out, 1);
    AppendLE16(out, static_cast<uint16_t>(bits));
    AppendLE32(out, kBiRgb);
    AppendLE32(out, imageSize);
    AppendLE32(out, 2835);  // 72 dpi
    AppendLE32(out, 2835);
    AppendLE32(out, 0);
    AppendLE32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(width) * 4;
        const size_t start = out.size();
        for (int x = 0; x < width; ++x) {
            out.push_back(row[x * 4]);
            out.push_back(row[x * 4 + 1]);
            out.push_back(row[x * 4 + 2]);
            if (bits == 32) out.push_back(row[x * 4 + 3]);
        }
        while (out.size() - start < stride) out.push_back(0);
    }
    return out;
}

}  // namespace vl
