// The bitmap decoder and encoder of framework/BitmapFile.h: .bmp files and packed DIBs, the
// info header variants, bit fields and palettes, the size limits, and what the encoder writes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/BitmapFile.h"
#include "framework/LittleEndian.h"

using namespace vl;

namespace {

void Poke32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
}

// A packed DIB: info header of `headerSize` bytes, then (40-byte header with bit fields) three
// masks, the palette and the pixel rows, each row `rowBytes` long.
struct Dib {
    uint32_t headerSize = 40;
    int32_t width = 1, height = 1;  // negative height: top-down
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;        // 0: as many as the palette has
    std::vector<uint32_t> masks;    // red, green, blue[, alpha]: in the header when it has room
    std::vector<uint32_t> palette;  // 0x00RRGGBB
    std::vector<uint8_t> pixels;    // the rows as stored

    std::vector<uint8_t> Packed() const {
        std::vector<uint8_t> v(headerSize, 0);
        Poke32(v, 0, headerSize);
        if (headerSize == 12) {
            v[4] = static_cast<uint8_t>(width);
            v[5] = static_cast<uint8_t>(width >> 8);
            v[6] = static_cast<uint8_t>(height);
            v[7] = static_cast<uint8_t>(height >> 8);
            v[8] = 1;
            v[10] = static_cast<uint8_t>(bitCount);
        } else {
            Poke32(v, 4, static_cast<uint32_t>(width));
            Poke32(v, 8, static_cast<uint32_t>(height));
            v[12] = 1;
            v[14] = static_cast<uint8_t>(bitCount);
            Poke32(v, 16, compression);
            Poke32(v, 32, colorsUsed ? colorsUsed : static_cast<uint32_t>(palette.size()));
            for (size_t i = 0; i < masks.size() && headerSize > 40 && 44 + i * 4 <= headerSize; ++i)
                Poke32(v, 40 + i * 4, masks[i]);
        }
        if (headerSize == 40)
            for (uint32_t m : masks) AppendLE32(v, m);
        for (uint32_t c : palette) {
            v.push_back(static_cast<uint8_t>(c));
            v.push_back(static_cast<uint8_t>(c >> 8));
            v.push_back(static_cast<uint8_t>(c >> 16));
            if (headerSize != 12) v.push_back(0);
        }
        v.insert(v.end(), pixels.begin(), pixels.end());
        return v;
    }

    // The same with a 14-byte file header in front, pixels right after the palette.
    std::vector<uint8_t> File() const {
        const std::vector<uint8_t> packed = Packed();
        std::vector<uint8_t> v = {'B', 'M'};
        AppendLE32(v, static_cast<uint32_t>(14 + packed.size()));
        AppendLE32(v, 0);
        AppendLE32(v, static_cast<uint32_t>(14 + packed.size() - pixels.size()));
        v.insert(v.end(), packed.begin(), packed.end());
        return v;
    }
};

// A 1-bit picture of the given size, every pixel colour 1 (white), rows padded to 4 bytes.
Dib OneBit(int32_t width, int32_t height) {
    Dib d;
    d.width = width;
    d.height = height;
    d.bitCount = 1;
    d.palette = {0x000000, 0xFFFFFF};
    const size_t stride = ((static_cast<size_t>(width) + 31) / 32) * 4;
    d.pixels.assign(stride * static_cast<size_t>(height < 0 ? -height : height), 0xFF);
    return d;
}

// A 1-bit header of the given size with no pixel data at all.
std::vector<uint8_t> HeaderOnly(int32_t width, int32_t height) {
    Dib d = OneBit(1, 1);
    d.width = width;
    d.height = height;
    d.pixels.clear();
    return d.File();
}

// A .bmp file whose column x has the colour RGB(x, 0, 255 - x).
std::vector<uint8_t> ColumnBmp(int w, int h) {
    TBitmapImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = img.Pixel(x, y);
            p[0] = static_cast<uint8_t>(255 - x);
            p[1] = 0;
            p[2] = static_cast<uint8_t>(x);
        }
    return EncodeBitmapFile(img, 24);
}

// A .bmp file with a 40-byte header as hand-made files have it, before any palette or pixels.
std::vector<uint8_t> BmpHeader(int w, int h, int bits, uint32_t compression, uint32_t colors, uint32_t pixelOffset) {
    std::vector<uint8_t> b = {'B', 'M'};
    AppendLE32(b, 0);
    AppendLE32(b, 0);
    AppendLE32(b, pixelOffset);
    AppendLE32(b, 40);
    AppendLE32(b, static_cast<uint32_t>(w));
    AppendLE32(b, static_cast<uint32_t>(h));
    AppendLE16(b, 1);
    AppendLE16(b, static_cast<uint16_t>(bits));
    AppendLE32(b, compression);
    for (int i = 0; i < 3; ++i) AppendLE32(b, 0);
    AppendLE32(b, colors);
    AppendLE32(b, 0);
    return b;
}

// The pixel as 0xRRGGBB.
uint32_t Rgb(const TBitmapImage& image, int x, int y) {
    const uint8_t* p = image.Pixel(x, y);
    return (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[0];
}

bool Decodes(const std::vector<uint8_t>& data, TBitmapLayout layout, const TBitmapLimits& limits = {}) {
    TBitmapImage image;
    return static_cast<bool>(DecodeBitmap(data.data(), data.size(), layout, image, limits));
}

std::string Reason(const std::vector<uint8_t>& data, TBitmapLayout layout, const TBitmapLimits& limits = {}) {
    TBitmapImage image;
    return DecodeBitmap(data.data(), data.size(), layout, image, limits).reason;
}

}  // namespace

// ------------------------------------------------------------------------------------ decoding

TEST(BitmapFileDecode, DecodesWhatItEncodes) {
    TBitmapImage image;
    const std::vector<uint8_t> bytes = ColumnBmp(5, 3);
    ASSERT_TRUE(DecodeBitmapFile(bytes.data(), bytes.size(), image));
    EXPECT_EQ(image.width, 5);
    EXPECT_EQ(image.Pixel(4, 2)[2], 4);  // red = column
    EXPECT_EQ(image.Pixel(4, 2)[0], 251);
}

TEST(BitmapFileDecode, PaletteIndexBeyondThePaletteTakesTheFirstColour) {
    std::vector<uint8_t> b = BmpHeader(1, 1, 8, 0, 2, 14 + 40 + 8);
    AppendLE32(b, 0x000000FF);  // blue
    AppendLE32(b, 0x0000FF00);
    AppendLE32(b, 0x00000009);  // index 9 of 2
    TBitmapImage image;
    ASSERT_TRUE(DecodeBitmapFile(b.data(), b.size(), image));
    EXPECT_EQ(image.Pixel(0, 0)[0], 255);
}

TEST(BitmapFileDecode, TopDownRowsStayInOrder) {
    std::vector<uint8_t> b = BmpHeader(1, -2, 24, 0, 0, 54);
    b.insert(b.end(), {255, 0, 0, 0, 0, 0, 255, 0});  // row 0 blue, row 1 red
    TBitmapImage image;
    ASSERT_TRUE(DecodeBitmapFile(b.data(), b.size(), image));
    EXPECT_EQ(image.Pixel(0, 0)[0], 255);
    EXPECT_EQ(image.Pixel(0, 1)[2], 255);
}

TEST(BitmapFileDecode, BitFieldsAreScaledToEightBits) {
    std::vector<uint8_t> b = BmpHeader(1, 1, 16, 3, 0, 14 + 40 + 12);
    AppendLE32(b, 0xF800);
    AppendLE32(b, 0x07E0);
    AppendLE32(b, 0x001F);
    b.insert(b.end(), {0x1F, 0xF8, 0, 0});  // full red, full blue
    TBitmapImage image;
    ASSERT_TRUE(DecodeBitmapFile(b.data(), b.size(), image));
    EXPECT_EQ(image.Pixel(0, 0)[2], 255);
    EXPECT_EQ(image.Pixel(0, 0)[1], 0);
    EXPECT_EQ(image.Pixel(0, 0)[0], 255);
}

TEST(BitmapFileDecode, NarrowChannelsAreRoundedToTheNearestLevel) {
    Dib d;
    d.bitCount = 16;  // plain 16 bits: 5-5-5
    d.pixels = {0x03, 0x00, 0, 0};  // blue 3 of 31: 24.7 -> 25
    TBitmapImage image;
    const std::vector<uint8_t> data = d.File();
    ASSERT_TRUE(DecodeBitmapFile(data.data(), data.size(), image));
    EXPECT_EQ(image.Pixel(0, 0)[0], 25);
    EXPECT_EQ(image.Pixel(0, 0)[2], 0);
}

TEST(BitmapFileDecode, AlphaMaskOfALargerHeaderIsRead) {
    Dib d;
    d.headerSize = 56;
    d.bitCount = 32;
    d.compression = 3;
    d.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    d.pixels = {0x30, 0x20, 0x10, 0x80};
    TBitmapImage image;
    const std::vector<uint8_t> data = d.File();
    ASSERT_TRUE(DecodeBitmapFile(data.data(), data.size(), image));
    EXPECT_EQ(Rgb(image, 0, 0), 0x102030u);
    EXPECT_EQ(image.Pixel(0, 0)[3], 0x80);
}

TEST(BitmapFileDecode, PlainThirtyTwoBitsHaveNoAlpha) {
    Dib d;
    d.bitCount = 32;
    d.pixels = {0x30, 0x20, 0x10, 0x80};
    TBitmapImage image;
    const std::vector<uint8_t> data = d.File();
    ASSERT_TRUE(DecodeBitmapFile(data.data(), data.size(), image));
    EXPECT_EQ(Rgb(image, 0, 0), 0x102030u);
    EXPECT_EQ(image.Pixel(0, 0)[3], 0);
}

TEST(BitmapFileDecode, ReportsTheBitDepthOfTheData) {
    for (uint16_t bits : {1, 4, 8, 16, 24, 32}) {
        Dib d;
        d.bitCount = bits;
        if (bits <= 8) d.palette = {0x000000, 0xFFFFFF};
        d.pixels.assign(4, 0);
        TBitmapImage image;
        const std::vector<uint8_t> data = d.File();
        const TBitmapDecodeResult result = DecodeBitmapFile(data.data(), data.size(), image);
        ASSERT_TRUE(result) << bits << ": " << result.reason;
        EXPECT_EQ(result.bitCount, bits);
        EXPECT_TRUE(result.reason.empty());
    }
}

TEST(BitmapFileDecode, RefusesMalformedHeaders) {
    std::vector<uint8_t> good = BmpHeader(2, 2, 24, 0, 0, 54);
    good.resize(54 + 16, 0);
    ASSERT_TRUE(Decodes(good, TBitmapLayout::File));

    std::vector<uint8_t> b = good;
    b[0] = 'X';
    EXPECT_FALSE(Decodes(b, TBitmapLayout::File)) << "signature";
    b = good;
    b.resize(60);
    EXPECT_FALSE(Decodes(b, TBitmapLayout::File)) << "pixels cut short";
    b = good;
    Poke32(b, 14, 41);
    EXPECT_FALSE(Decodes(b, TBitmapLayout::File)) << "info header size";
    b = good;
    b[26] = 2;
    EXPECT_FALSE(Decodes(b, TBitmapLayout::File)) << "planes";
    b = good;
    b[28] = 7;
    EXPECT_FALSE(Decodes(b, TBitmapLayout::File)) << "bit depth";
    b = good;
    Poke32(b, 30, 1);
    EXPECT_FALSE(Decodes(b, TBitmapLayout::File)) << "run-length compression";
    b = good;
    Poke32(b, 18, 0x7FFFFFFF);
    EXPECT_FALSE(Decodes(b, TBitmapLayout::File)) << "width";
    b = good;
    Poke32(b, 10, 20);
    EXPECT_FALSE(Decodes(b, TBitmapLayout::File)) << "pixels inside the headers";
    b = good;
    Poke32(b, 2, 100000);
    EXPECT_FALSE(Decodes(b, TBitmapLayout::File)) << "file size";
}

TEST(BitmapFileDecode, RefusesScatteredColourMasks) {
    std::vector<uint8_t> b = BmpHeader(1, 1, 32, 3, 0, 14 + 40 + 12);
    AppendLE32(b, 0x00FF00FF);
    AppendLE32(b, 0x0000FF00);
    AppendLE32(b, 0x000000FF);
    AppendLE32(b, 0);
    EXPECT_EQ(Reason(b, TBitmapLayout::File), "colour mask not contiguous");
}

TEST(BitmapFileDecode, RefusedDataLeavesTheImageAsItWas) {
    TBitmapImage image(3, 2);
    image.Pixel(2, 1)[1] = 77;
    std::vector<uint8_t> data = ColumnBmp(4, 4);
    data.resize(data.size() - 1);
    EXPECT_FALSE(DecodeBitmapFile(data.data(), data.size(), image));
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.Pixel(2, 1)[1], 77);
}

TEST(BitmapFileDecode, NullDataIsRefused) {
    TBitmapImage image;
    EXPECT_FALSE(DecodeBitmapFile(nullptr, 100, image));
    EXPECT_FALSE(DecodePackedDib(nullptr, 100, image));
}

// ------------------------------------------------------------------------------- header variants

TEST(BitmapFileHeaders, EveryInfoHeaderVariantDecodes) {
    for (uint32_t size : {12u, 40u, 52u, 56u, 64u, 108u, 124u}) {
        Dib d;
        d.headerSize = size;
        d.width = 2;
        d.bitCount = 8;
        d.palette.assign(256, 0);  // the core header has no colour count: a full palette
        d.palette[0] = 0x112233;
        d.palette[1] = 0x445566;
        d.pixels = {1, 0, 0, 0};
        TBitmapImage image;
        const std::vector<uint8_t> data = d.File();
        const TBitmapDecodeResult result = DecodeBitmapFile(data.data(), data.size(), image);
        ASSERT_TRUE(result) << size << ": " << result.reason;
        EXPECT_EQ(Rgb(image, 0, 0), 0x445566u) << size;
        EXPECT_EQ(Rgb(image, 1, 0), 0x112233u) << size;
    }
}

TEST(BitmapFileHeaders, SixtyFourByteHeaderDecodesAsFileAndAsPackedDib) {
    Dib d;
    d.headerSize = 64;
    d.bitCount = 24;
    d.pixels = {0x33, 0x22, 0x11, 0};
    TBitmapImage fromFile, fromDib;
    const std::vector<uint8_t> file = d.File(), packed = d.Packed();
    ASSERT_TRUE(DecodeBitmapFile(file.data(), file.size(), fromFile));
    ASSERT_TRUE(DecodePackedDib(packed.data(), packed.size(), fromDib));
    EXPECT_EQ(Rgb(fromFile, 0, 0), 0x112233u);
    EXPECT_EQ(fromDib.pixels, fromFile.pixels);
}

TEST(BitmapFileHeaders, CoreHeaderHasThreeBytePaletteEntries) {
    Dib d;
    d.headerSize = 12;
    d.bitCount = 4;
    d.palette.assign(16, 0);
    d.palette[15] = 0xABCDEF;
    d.pixels = {0xF0, 0, 0, 0};
    TBitmapImage image;
    const std::vector<uint8_t> data = d.File();
    ASSERT_TRUE(DecodeBitmapFile(data.data(), data.size(), image));
    EXPECT_EQ(Rgb(image, 0, 0), 0xABCDEFu);
}

TEST(BitmapFileHeaders, UnknownSizesAreRefused) {
    for (uint32_t size : {0u, 16u, 41u, 100u, 200u}) {
        std::vector<uint8_t> data = OneBit(1, 1).File();
        Poke32(data, 14, size);
        EXPECT_FALSE(Decodes(data, TBitmapLayout::File)) << size;
    }
}

TEST(BitmapFileHeaders, HeaderLongerThanTheDataIsRefused) {
    Dib d;
    d.headerSize = 124;
    const std::vector<uint8_t> packed = d.Packed();
    EXPECT_EQ(Reason(std::vector<uint8_t>(packed.begin(), packed.begin() + 100), TBitmapLayout::PackedDib),
              "info header truncated");
}

// ----------------------------------------------------------------------------------- packed DIB

TEST(BitmapFilePackedDib, GivesTheSamePixelsAsTheFile) {
    Dib d;
    d.width = 3;
    d.height = -2;
    d.bitCount = 4;
    d.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    d.pixels = {0x12, 0x30, 0, 0, 0x32, 0x10, 0, 0};
    TBitmapImage fromFile, fromDib;
    const std::vector<uint8_t> file = d.File(), packed = d.Packed();
    ASSERT_TRUE(DecodeBitmapFile(file.data(), file.size(), fromFile));
    ASSERT_TRUE(DecodePackedDib(packed.data(), packed.size(), fromDib));
    EXPECT_EQ(fromDib.width, 3);
    EXPECT_EQ(fromDib.pixels, fromFile.pixels);
    EXPECT_EQ(Rgb(fromDib, 0, 0), 0xFF0000u);
    EXPECT_EQ(Rgb(fromDib, 2, 1), 0xFF0000u);
    EXPECT_EQ(Rgb(fromDib, 0, 1), 0x0000FFu);
}

TEST(BitmapFilePackedDib, BitFieldMasksFollowAFortyByteHeader) {
    Dib d;
    d.bitCount = 16;
    d.compression = 3;
    d.masks = {0xF800, 0x07E0, 0x001F};
    d.pixels = {0xE0, 0x07, 0, 0};  // full green
    TBitmapImage image;
    const std::vector<uint8_t> packed = d.Packed();
    ASSERT_TRUE(DecodePackedDib(packed.data(), packed.size(), image));
    EXPECT_EQ(Rgb(image, 0, 0), 0x00FF00u);
}

TEST(BitmapFilePackedDib, EachLayoutRefusesTheOther) {
    const Dib d = OneBit(8, 8);
    EXPECT_FALSE(Decodes(d.File(), TBitmapLayout::PackedDib));
    EXPECT_EQ(Reason(d.Packed(), TBitmapLayout::File), "missing BM signature");
}

TEST(BitmapFilePackedDib, TruncatedPixelsAreRefused) {
    std::vector<uint8_t> packed = OneBit(8, 8).Packed();
    ASSERT_TRUE(Decodes(packed, TBitmapLayout::PackedDib));
    packed.pop_back();
    EXPECT_EQ(Reason(packed, TBitmapLayout::PackedDib), "pixel data truncated");
}

TEST(BitmapFilePackedDib, TruncatedPaletteIsRefused) {
    std::vector<uint8_t> packed = OneBit(1, 1).Packed();
    packed.resize(40 + 6);
    EXPECT_EQ(Reason(packed, TBitmapLayout::PackedDib), "palette truncated");
}

// --------------------------------------------------------------------------------------- limits

TEST(BitmapFileLimits, DefaultsAreThoseOfTheFrameworksBitmap) {
    const TBitmapLimits limits;
    EXPECT_EQ(limits.maxDimension, 16384);
    EXPECT_EQ(limits.maxPixels, 64ull * 1024 * 1024);
}

TEST(BitmapFileLimits, WidthAtTheLimitDecodesOneMoreIsRefused) {
    TBitmapImage image;
    std::vector<uint8_t> data = OneBit(16384, 1).File();
    ASSERT_TRUE(DecodeBitmapFile(data.data(), data.size(), image));
    EXPECT_EQ(image.width, 16384);
    EXPECT_EQ(Rgb(image, 16383, 0), 0xFFFFFFu);
    data = OneBit(16385, 1).File();
    EXPECT_EQ(Reason(data, TBitmapLayout::File), "picture too large");
}

TEST(BitmapFileLimits, HeightAtTheLimitDecodesOneMoreIsRefused) {
    EXPECT_TRUE(Decodes(OneBit(1, 16384).File(), TBitmapLayout::File));
    EXPECT_TRUE(Decodes(OneBit(1, -16384).Packed(), TBitmapLayout::PackedDib));
    EXPECT_EQ(Reason(OneBit(1, 16385).File(), TBitmapLayout::File), "picture too large");
    EXPECT_EQ(Reason(OneBit(1, -16385).Packed(), TBitmapLayout::PackedDib), "picture too large");
}

TEST(BitmapFileLimits, PixelCountIsCheckedBeforeThePixels) {
    // Within each side's limit, one row more than 64 Mpx: refused for its size, not for its
    // missing pixels, so nothing the size of the picture is ever allocated.
    EXPECT_EQ(Reason(HeaderOnly(16384, 4097), TBitmapLayout::File), "picture too large");
    EXPECT_EQ(Reason(HeaderOnly(16384, 4096), TBitmapLayout::File), "pixel data truncated");
}

TEST(BitmapFileLimits, CallerLimitsApplyAtTheirEdges) {
    const TBitmapLimits limits{10, 50};
    EXPECT_TRUE(Decodes(OneBit(10, 5).File(), TBitmapLayout::File, limits));
    EXPECT_TRUE(Decodes(OneBit(5, 10).File(), TBitmapLayout::File, limits));
    EXPECT_FALSE(Decodes(OneBit(11, 1).File(), TBitmapLayout::File, limits));
    EXPECT_FALSE(Decodes(OneBit(1, 11).File(), TBitmapLayout::File, limits));
    EXPECT_FALSE(Decodes(OneBit(10, 6).File(), TBitmapLayout::File, limits));
    EXPECT_FALSE(Decodes(OneBit(10, -6).Packed(), TBitmapLayout::PackedDib, limits));
}

// ------------------------------------------------------------------------------------- encoding

TEST(BitmapFileEncode, TwentyFourBitsHaveAFortyByteHeaderAndPaddedBottomUpRows) {
    TBitmapImage image(3, 2);
    image.Pixel(0, 0)[2] = 0xAA;  // top-left red
    image.Pixel(2, 1)[0] = 0xBB;  // bottom-right blue
    const std::vector<uint8_t> b = EncodeBitmapFile(image, 24);
    ASSERT_EQ(b.size(), 54u + 2 * 12);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(ReadLE32(b.data() + 2), b.size());
    EXPECT_EQ(ReadLE32(b.data() + 10), 54u);
    EXPECT_EQ(ReadLE32(b.data() + 14), 40u);
    EXPECT_EQ(ReadLEI32(b.data() + 22), 2);  // positive: bottom-up
    EXPECT_EQ(ReadLE16(b.data() + 28), 24);
    EXPECT_EQ(b[54 + 6], 0xBB);       // the first row stored is the bottom one
    EXPECT_EQ(b[54 + 12 + 2], 0xAA);  // then the top one
    EXPECT_EQ(b[54 + 9], 0);          // padding
}

TEST(BitmapFileEncode, ThirtyTwoBitsKeepAlphaAndAnyOtherDepthMeansThirtyTwo) {
    TBitmapImage image(1, 1);
    image.Pixel(0, 0)[3] = 0x7F;
    const std::vector<uint8_t> b = EncodeBitmapFile(image, 32);
    ASSERT_EQ(b.size(), 58u);
    EXPECT_EQ(b[57], 0x7F);
    EXPECT_EQ(EncodeBitmapFile(image, 8), b);
}

TEST(BitmapFileEncode, RoundTripKeepsEveryPixel) {
    TBitmapImage image(7, 3);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = i % 4 == 3 ? 0 : static_cast<uint8_t>(i * 37);
    for (int bits : {24, 32}) {
        const std::vector<uint8_t> b = EncodeBitmapFile(image, bits);
        TBitmapImage back;
        ASSERT_TRUE(DecodeBitmapFile(b.data(), b.size(), back)) << bits;
        EXPECT_EQ(back.pixels, image.pixels) << bits;
    }
}
