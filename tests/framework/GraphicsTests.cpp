// Canvas, bitmaps (strict .bmp reading), pictures, icons, image lists and the screen.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/Graphics.h"
#include "framework/Screen.h"
#include "framework/Streams.h"
#include "tests/framework/GuiTestSupport.h"

using namespace vl;

namespace {

void Put16(std::vector<uint8_t>& v, size_t at, uint16_t x) {
    v[at] = static_cast<uint8_t>(x);
    v[at + 1] = static_cast<uint8_t>(x >> 8);
}
void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
}

// A .bmp file. `pixel(x, row)` gives the stored value of each pixel, rows in file order: a
// palette index up to 8 bits, 0xRRGGBB for 24 bits, the raw value for 16 and 32 bits.
struct BmpLayout {
    int width = 2;
    int height = 2;  // negative: top-down
    int bitCount = 24;
    uint32_t compression = BI_RGB;
    std::vector<uint32_t> palette;  // 0xRRGGBB
    std::vector<uint32_t> masks;    // BI_BITFIELDS: red, green, blue
    std::function<uint32_t(int x, int row)> pixel = [](int, int) { return 0u; };
};

std::vector<uint8_t> MakeBmp(const BmpLayout& s) {
    const int rows = std::abs(s.height);
    const size_t stride = ((static_cast<size_t>(s.width) * s.bitCount + 31) / 32) * 4;
    const size_t maskBytes = s.compression == BI_BITFIELDS ? 12 : 0;
    const size_t offBits = 14 + 40 + maskBytes + s.palette.size() * 4;
    std::vector<uint8_t> v(offBits + stride * rows, 0);
    v[0] = 'B';
    v[1] = 'M';
    Put32(v, 2, static_cast<uint32_t>(v.size()));
    Put32(v, 10, static_cast<uint32_t>(offBits));
    Put32(v, 14, 40);
    Put32(v, 18, static_cast<uint32_t>(s.width));
    Put32(v, 22, static_cast<uint32_t>(s.height));
    Put16(v, 26, 1);
    Put16(v, 28, static_cast<uint16_t>(s.bitCount));
    Put32(v, 30, s.compression);
    Put32(v, 46, static_cast<uint32_t>(s.palette.size()));
    size_t at = 54;
    for (uint32_t m : s.masks) {
        Put32(v, at, m);
        at += 4;
    }
    for (uint32_t c : s.palette) {
        v[at] = static_cast<uint8_t>(c);
        v[at + 1] = static_cast<uint8_t>(c >> 8);
        v[at + 2] = static_cast<uint8_t>(c >> 16);
        at += 4;
    }
    for (int r = 0; r < rows; ++r) {
        uint8_t* row = v.data() + offBits + r * stride;
        for (int x = 0; x < s.width; ++x) {
            uint32_t p = s.pixel(x, r);
            switch (s.bitCount) {
            case 1: row[x / 8] |= static_cast<uint8_t>((p & 1) << (7 - x % 8)); break;
            case 4: row[x / 2] |= static_cast<uint8_t>((p & 15) << (x % 2 ? 0 : 4)); break;
            case 8: row[x] = static_cast<uint8_t>(p); break;
            case 16:
                row[x * 2] = static_cast<uint8_t>(p);
                row[x * 2 + 1] = static_cast<uint8_t>(p >> 8);
                break;
            case 24:
                row[x * 3] = static_cast<uint8_t>(p);
                row[x * 3 + 1] = static_cast<uint8_t>(p >> 8);
                row[x * 3 + 2] = static_cast<uint8_t>(p >> 16);
                break;
            case 32:
                for (int i = 0; i < 4; ++i) row[x * 4 + i] = static_cast<uint8_t>(p >> (8 * i));
                break;
            }
        }
    }
    return v;
}

// The pixel as 0xRRGGBB.
uint32_t Rgb(TBitmap& b, int x, int y) {
    const uint8_t* p = b.ScanLine(y) + x * 4;
    return (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[0];
}

std::vector<uint8_t> ValidPaletteBmp() {
    BmpLayout s;
    s.width = 7;
    s.height = 5;
    s.bitCount = 8;
    s.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    s.pixel = [](int x, int r) { return static_cast<uint32_t>((x + r) % 4); };
    return MakeBmp(s);
}

void ExpectRejected(const std::vector<uint8_t>& data) {
    TBitmap b;
    EXPECT_THROW(b.LoadFromMemory(data.data(), data.size()), EInvalidGraphic);
    EXPECT_TRUE(b.Empty());
}

// A 32 x 32, 32-bit .ico file whose colour pixels are `color` (0xRRGGBB), fully opaque.
std::vector<uint8_t> MakeIco(uint32_t color) {
    const size_t xorBytes = 32 * 32 * 4, andBytes = 32 * 4;
    std::vector<uint8_t> v(6 + 16 + 40 + xorBytes + andBytes, 0);
    Put16(v, 2, 1);
    Put16(v, 4, 1);
    v[6] = 32;
    v[7] = 32;
    Put16(v, 6 + 4, 1);
    Put16(v, 6 + 6, 32);
    Put32(v, 6 + 8, static_cast<uint32_t>(40 + xorBytes + andBytes));
    Put32(v, 6 + 12, 22);
    Put32(v, 22, 40);
    Put32(v, 26, 32);
    Put32(v, 30, 64);
    Put16(v, 34, 1);
    Put16(v, 36, 32);
    for (size_t i = 0; i < 32 * 32; ++i) Put32(v, 62 + i * 4, 0xFF000000u | color);
    return v;
}

}  // namespace

// ------------------------------------------------------------------------------------ Bitmap

TEST(BitmapFile, Reads24BitBottomUpRows) {
    BmpLayout s;
    s.width = 3;  // 9 bytes a row: padded to 12
    s.height = 2;
    s.pixel = [](int x, int r) { return r == 0 ? 0x0000FFu * (x + 1) : 0xFF0000u; };
    auto data = MakeBmp(s);
    TBitmap b;
    b.LoadFromMemory(data.data(), data.size());
    ASSERT_EQ(b.Width(), 3);
    ASSERT_EQ(b.Height(), 2);
    EXPECT_EQ(Rgb(b, 0, 0), 0xFF0000u);  // the file's last row is the top one
    EXPECT_EQ(Rgb(b, 2, 1), 0x0000FFu * 3);
}

TEST(BitmapFile, ReadsTopDownRowsInOrder) {
    BmpLayout s;
    s.height = -2;
    s.pixel = [](int, int r) { return r == 0 ? 0x112233u : 0x445566u; };
    auto data = MakeBmp(s);
    TBitmap b;
    b.LoadFromMemory(data.data(), data.size());
    EXPECT_EQ(Rgb(b, 0, 0), 0x112233u);
    EXPECT_EQ(Rgb(b, 1, 1), 0x445566u);
}

TEST(BitmapFile, ReadsPaletteFormats) {
    for (int bits : {1, 4, 8}) {
        BmpLayout s;
        s.width = 9;
        s.height = 1;
        s.bitCount = bits;
        s.palette = {0x102030, 0xA0B0C0};
        s.pixel = [](int x, int) { return static_cast<uint32_t>(x % 2); };
        auto data = MakeBmp(s);
        TBitmap b;
        b.LoadFromMemory(data.data(), data.size());
        EXPECT_EQ(Rgb(b, 0, 0), 0x102030u) << bits;
        EXPECT_EQ(Rgb(b, 7, 0), 0xA0B0C0u) << bits;
        EXPECT_EQ(Rgb(b, 8, 0), 0x102030u) << bits;
    }
}

TEST(BitmapFile, Reads16BitWithColourMasks) {
    BmpLayout s;
    s.width = 1;
    s.height = 1;
    s.bitCount = 16;
    s.compression = BI_BITFIELDS;
    s.masks = {0xF800, 0x07E0, 0x001F};  // 5-6-5
    s.pixel = [](int, int) { return 0xF800u | 0x001Fu; };
    auto data = MakeBmp(s);
    TBitmap b;
    b.LoadFromMemory(data.data(), data.size());
    EXPECT_EQ(Rgb(b, 0, 0), 0xFF00FFu);
}

TEST(BitmapFile, SaveAndLoadGiveTheSamePixels) {
    TBitmap b(5, 3);
    b.Canvas().Brush()->SetColor(0x0000FF);  // red
    b.Canvas().FillRect(RECT{0, 0, 5, 3});
    b.Canvas().SetPixel(4, 2, 0xFF0000);  // blue
    for (TPixelFormat f : {TPixelFormat::Bit24, TPixelFormat::Bit32}) {
        b.SetPixelFormat(f);
        TMemoryStream stream;
        b.SaveToStream(stream);
        stream.SetPosition(0);
        TBitmap loaded;
        loaded.LoadFromStream(stream);
        ASSERT_EQ(loaded.Width(), 5);
        EXPECT_EQ(Rgb(loaded, 0, 0), 0xFF0000u);
        EXPECT_EQ(Rgb(loaded, 4, 2), 0x0000FFu);
    }
}

TEST(BitmapFile, RejectsWrongSignature) {
    auto data = ValidPaletteBmp();
    data[0] = 'X';
    ExpectRejected(data);
}

TEST(BitmapFile, RejectsTruncatedPixels) {
    auto data = ValidPaletteBmp();
    data.resize(data.size() - 1);
    Put32(data, 2, 0);  // no file size to catch it: the pixel check must
    ExpectRejected(data);
}

TEST(BitmapFile, RejectsTruncatedHeaders) {
    auto data = ValidPaletteBmp();
    for (size_t n : {0, 1, 13, 14, 17, 30, 53, 60}) ExpectRejected(std::vector<uint8_t>(data.begin(), data.begin() + n));
}

TEST(BitmapFile, RejectsPixelOffsetOutsideTheFile) {
    auto data = ValidPaletteBmp();
    Put32(data, 10, 0xFFFFFFF0u);
    ExpectRejected(data);
}

TEST(BitmapFile, RejectsPixelOffsetInsideTheHeaders) {
    auto data = ValidPaletteBmp();
    Put32(data, 10, 20);
    ExpectRejected(data);
}

TEST(BitmapFile, RejectsOversizedDimensionsWithoutAllocating) {
    BmpLayout s;
    s.width = 1;
    s.height = 1;
    s.bitCount = 1;
    s.palette = {0, 0xFFFFFF};
    auto data = MakeBmp(s);
    Put32(data, 18, 100000);
    ExpectRejected(data);
    Put32(data, 18, 16384);
    Put32(data, 22, 16384);  // within each bound, but too many pixels
    ExpectRejected(data);
    Put32(data, 18, 0x7FFFFFFF);
    Put32(data, 22, 0x7FFFFFFF);
    ExpectRejected(data);
}

TEST(BitmapFile, RejectsZeroOrNegativeWidth) {
    auto data = ValidPaletteBmp();
    Put32(data, 18, 0);
    ExpectRejected(data);
    Put32(data, 18, static_cast<uint32_t>(-7));
    ExpectRejected(data);
}

TEST(BitmapFile, RejectsUnsupportedFormats) {
    auto data = ValidPaletteBmp();
    Put16(data, 28, 2);  // bit count
    ExpectRejected(data);
    data = ValidPaletteBmp();
    Put32(data, 30, BI_RLE8);
    ExpectRejected(data);
    data = ValidPaletteBmp();
    Put16(data, 26, 3);  // planes
    ExpectRejected(data);
    data = ValidPaletteBmp();
    Put32(data, 14, 41);  // header size
    ExpectRejected(data);
}

TEST(BitmapFile, RejectsPaletteLargerThanTheBitCountAllows) {
    auto data = ValidPaletteBmp();
    Put32(data, 46, 257);
    ExpectRejected(data);
}

TEST(BitmapFile, RejectedDataLeavesTheBitmapAsItWas) {
    TBitmap b(4, 4);
    auto data = ValidPaletteBmp();
    data.resize(60);
    EXPECT_THROW(b.LoadFromMemory(data.data(), data.size()), EInvalidGraphic);
    EXPECT_EQ(b.Width(), 4);
    EXPECT_EQ(b.Height(), 4);
}

TEST(BitmapFile, MutatedFilesLoadOrRaiseInvalidGraphic) {
    std::mt19937 random(20240607);
    const std::vector<std::vector<uint8_t>> seeds = {ValidPaletteBmp(), [] {
                                                         BmpLayout s;
                                                         s.width = 5;
                                                         s.height = -3;
                                                         s.bitCount = 32;
                                                         s.compression = BI_BITFIELDS;
                                                         s.masks = {0xFF0000, 0xFF00, 0xFF};
                                                         return MakeBmp(s);
                                                     }()};
    int loaded = 0, rejected = 0;
    for (int i = 0; i < 600; ++i) {
        std::vector<uint8_t> data = seeds[static_cast<size_t>(i) % seeds.size()];
        int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            switch (random() % 4) {
            case 0: data[random() % data.size()] = static_cast<uint8_t>(random()); break;
            case 1: {  // a header field gets an extreme value
                size_t at = 2 + (random() % 13) * 4;
                uint32_t values[] = {0, 1, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu, 16384, 16385, 40, 124};
                Put32(data, at, values[random() % 9]);
                break;
            }
            case 2: data.resize(random() % (data.size() + 1)); break;
            case 3: data.push_back(static_cast<uint8_t>(random())); break;
            }
            if (data.empty()) break;
        }
        TBitmap b;
        try {
            b.LoadFromMemory(data.data(), data.size());
            ++loaded;
            EXPECT_GT(b.Width(), 0);
            EXPECT_GT(b.Height(), 0);
        } catch (const EInvalidGraphic&) {
            ++rejected;
        }
    }
    EXPECT_GT(loaded, 0);
    EXPECT_GT(rejected, 0);
}

TEST(BitmapFile, PixelFormatFollowsTheFilesDepth) {
    BmpLayout s;
    TBitmap b;
    auto data = MakeBmp(s);
    b.LoadFromMemory(data.data(), data.size());
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::Bit24);
    s.bitCount = 8;
    s.palette = {0};
    data = MakeBmp(s);
    b.LoadFromMemory(data.data(), data.size());
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::Bit32);
}

TEST(BitmapFile, LimitsAreCheckedBeforeTheBitmapIsMade) {
    BmpLayout s;
    s.width = 16385;
    s.height = 1;
    s.bitCount = 1;
    s.palette = {0, 0xFFFFFF};
    ExpectRejected(MakeBmp(s));
    s.width = 16384;
    auto data = MakeBmp(s);
    TBitmap b;
    b.LoadFromMemory(data.data(), data.size());
    EXPECT_EQ(b.Width(), 16384);
}

TEST(BitmapResource, MissingNameRaisesInvalidGraphic) {
    TBitmap b;
    EXPECT_THROW(b.LoadFromResourceName(GetModuleHandleA(nullptr), "NO_SUCH_BITMAP"), EInvalidGraphic);
}

TEST(BitmapTransparency, DefaultColourIsTheBottomLeftPixel) {
    TBitmap b(3, 3);
    b.Canvas().SetPixel(0, 2, 0x00FF00);
    EXPECT_EQ(b.TransparentColor(), 0x00FF00u);
    b.SetTransparentColor(0x0000FF);
    EXPECT_EQ(b.TransparentColor(), 0x0000FFu);
}

TEST(BitmapSize, SetSizeKeepsTheOverlapAndBlackensTheRest) {
    TBitmap b(2, 2);
    b.Canvas().SetPixel(1, 1, 0xFFFFFF);
    b.SetSize(3, 3);
    EXPECT_EQ(Rgb(b, 1, 1), 0xFFFFFFu);
    EXPECT_EQ(Rgb(b, 2, 2), 0u);
    // The canvas follows the new picture.
    b.Canvas().SetPixel(2, 2, 0x0000FF);
    EXPECT_EQ(Rgb(b, 2, 2), 0xFF0000u);
}

TEST(BitmapAssign, CopiesPixelsIntoItsOwnImage) {
    TBitmap a(2, 1);
    a.Canvas().SetPixel(1, 0, 0x0000FF);
    TBitmap b;
    b.Assign(a);
    a.Canvas().SetPixel(1, 0, 0x00FF00);
    EXPECT_EQ(Rgb(b, 1, 0), 0xFF0000u);
    EXPECT_NE(a.Handle(), b.Handle());
}

// ------------------------------------------------------------------------------------ Canvas

TEST(CanvasDrawing, FillRectThenTextRoundTripThroughPixels) {
    TBitmap b(120, 40);
    TCanvas& c = b.Canvas();
    c.Brush()->SetColor(clWhite);
    c.FillRect(RECT{0, 0, 120, 40});
    EXPECT_EQ(c.Pixel(60, 20), RGB(255, 255, 255));
    c.Font()->SetHeight(-24);
    c.Font()->SetColor(clBlack);
    c.Brush()->SetStyle(TBrushStyle::Clear);
    c.TextOut(4, 4, "WWW");
    int dark = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x)
            if (GetRValue(c.Pixel(x, y)) < 64) ++dark;
    EXPECT_GT(dark, 20);
    EXPECT_EQ(c.Pixel(119, 39), RGB(255, 255, 255));
}

TEST(CanvasDrawing, DrawTextWithAcceleratorMatchesWidthWithoutTheMark) {
    TBitmap b(200, 30);
    TCanvas& c = b.Canvas();
    RECT withMark{0, 0, 0, 0}, plain{0, 0, 0, 0};
    c.DrawText("&Options", withMark, DT_SINGLELINE | DT_CALCRECT);
    c.DrawText("Options", plain, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(withMark.right - withMark.left, plain.right - plain.left);
    EXPECT_EQ(c.TextWidth("Options"), plain.right - plain.left);
}

TEST(CanvasDrawing, DrawLeavesTransparentColourOut) {
    TBitmap src(4, 4);
    src.Canvas().Brush()->SetColor(0x0000FF);  // red: the bottom-left pixel, so transparent
    src.Canvas().FillRect(RECT{0, 0, 4, 4});
    src.Canvas().Brush()->SetColor(0x00FF00);
    src.Canvas().FillRect(RECT{1, 1, 3, 3});
    src.SetTransparent(true);
    TBitmap dest(4, 4);
    dest.Canvas().Brush()->SetColor(clWhite);
    dest.Canvas().FillRect(RECT{0, 0, 4, 4});
    dest.Canvas().Draw(0, 0, src);
    EXPECT_EQ(Rgb(dest, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(Rgb(dest, 1, 1), 0x00FF00u);
}

TEST(CanvasDrawing, StretchDrawScalesTheBitmap) {
    TBitmap src(2, 1);
    src.Canvas().SetPixel(0, 0, 0x0000FF);
    src.Canvas().SetPixel(1, 0, 0xFF0000);
    TBitmap dest(4, 2);
    dest.Canvas().StretchDraw(RECT{0, 0, 4, 2}, src);
    EXPECT_EQ(Rgb(dest, 1, 1), 0xFF0000u);
    EXPECT_EQ(Rgb(dest, 2, 0), 0x0000FFu);
}

TEST(CanvasDrawing, CopyRectCopiesBetweenCanvases) {
    TBitmap a(4, 4), b(4, 4);
    a.Canvas().SetPixel(3, 3, 0x00FF00);
    b.Canvas().CopyRect(RECT{0, 0, 1, 1}, a.Canvas(), RECT{3, 3, 4, 4});
    EXPECT_EQ(Rgb(b, 0, 0), 0x00FF00u);
}

TEST(CanvasObjects, OriginalObjectsAreBackWhenTheCanvasGoes) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT), brush = GetCurrentObject(dc, OBJ_BRUSH),
            pen = GetCurrentObject(dc, OBJ_PEN);
    {
        TCanvas c(dc);
        c.Font()->SetHeight(-20);
        c.Brush()->SetColor(clRed);
        c.Pen()->SetWidth(3);
        c.Rectangle(0, 0, 5, 5);
        c.TextWidth("x");
        EXPECT_NE(GetCurrentObject(dc, OBJ_BRUSH), brush);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    DeleteDC(dc);
}

TEST(GraphicsObjects, GdiCounterSeesObjectsComeAndGo) {
    DWORD before = vltest::GdiObjects();
    ASSERT_GT(before, 0u);
    HBRUSH brushes[5];
    for (HBRUSH& b : brushes) b = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(vltest::GdiObjects(), before + 5);
    for (HBRUSH b : brushes) DeleteObject(b);
    EXPECT_EQ(vltest::GdiObjects(), before);
}

TEST(CanvasObjects, ChangingSelectedObjectsLeaksNothing) {
    TBitmap b(8, 8);
    TCanvas& c = b.Canvas();
    c.FillRect(RECT{0, 0, 8, 8});
    c.TextWidth("x");
    c.LineTo(1, 1);
    DWORD before = vltest::GdiObjects();
    for (int i = 0; i < 50; ++i) {
        c.Brush()->SetColor(static_cast<uint32_t>(i));
        c.FillRect(RECT{0, 0, 8, 8});
        c.Font()->SetHeight(-10 - i % 5);
        c.TextWidth("x");
        c.Pen()->SetColor(static_cast<uint32_t>(i));
        c.LineTo(i % 8, 1);
    }
    EXPECT_EQ(vltest::GdiObjects(), before);
}

TEST(GraphicsObjects, CreatingAndFreeingLeavesTheGdiCountUnchanged) {
    auto cycle = [] {
        TBitmap b(32, 16);
        b.Canvas().Font()->SetStyle(fsBold);
        b.Canvas().TextOut(0, 0, "x");
        TBitmap copy;
        copy.Assign(b);
        TImageList list(nullptr);
        list.Add(copy, clBlack);
        TIcon icon;
        list.GetIcon(0, icon);
        TBrush brush;
        brush.Handle();
        TPen pen;
        pen.Handle();
        TFont font;
        font.Handle();
    };
    cycle();
    DWORD before = vltest::GdiObjects();
    ASSERT_GT(before, 0u) << "the GDI object count cannot be read";
    for (int i = 0; i < 30; ++i) cycle();
    EXPECT_EQ(vltest::GdiObjects(), before);
}

TEST(GraphicsObjects, IconHandleDestroysItsIconOnceAfterAMove) {
    const DWORD before = vltest::GdiObjects();
    auto data = MakeIco(0x00FF00);
    {
        TIcon icon;
        icon.LoadFromMemory(data.data(), data.size());
        ASSERT_GT(vltest::GdiObjects(), before);  // the icon's bitmaps
        TIconHandle owner(icon.ReleaseHandle());
        EXPECT_TRUE(icon.Empty());
        TIconHandle moved(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_TRUE(moved);
        TBitmap target(32, 32);
        DrawIconEx(target.Canvas().Handle(), 0, 0, moved.Get(), 32, 32, 0, nullptr, DI_NORMAL);
        EXPECT_EQ(Rgb(target, 16, 16), 0x00FF00u);
    }
    EXPECT_EQ(vltest::GdiObjects(), before);
}

// ------------------------------------------------------------------------------------ ImageList, Icon, Picture

TEST(ImageListMasked, MaskColourIsTransparentAndTheSourceStaysIntact) {
    TBitmap glyph(16, 16);
    glyph.Canvas().Brush()->SetColor(clFuchsia);
    glyph.Canvas().FillRect(RECT{0, 0, 16, 16});
    glyph.Canvas().Brush()->SetColor(clBlue);
    glyph.Canvas().FillRect(RECT{4, 4, 12, 12});
    TImageList list(nullptr);
    EXPECT_EQ(list.Add(glyph, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 1);
    TBitmap dest(16, 16);
    dest.Canvas().Brush()->SetColor(clWhite);
    dest.Canvas().FillRect(RECT{0, 0, 16, 16});
    list.Draw(dest.Canvas(), 0, 0, 0);
    EXPECT_EQ(Rgb(dest, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(Rgb(dest, 8, 8), 0x0000FFu);
    EXPECT_EQ(Rgb(glyph, 0, 0), 0xFF00FFu);
}

TEST(ImageListMasked, WideBitmapIsCutIntoImages) {
    TBitmap strip(48, 16);
    TImageList list(nullptr);
    EXPECT_EQ(list.Add(strip), 0);
    EXPECT_EQ(list.Count(), 3);
    list.SetWidth(20);  // a new size empties the list
    EXPECT_EQ(list.Count(), 0);
}

TEST(IconData, ReadsAn32By32Icon) {
    auto data = MakeIco(0x00FF00);
    TIcon icon;
    icon.LoadFromMemory(data.data(), data.size());
    ASSERT_FALSE(icon.Empty());
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_EQ(icon.Height(), 32);
    TBitmap b(32, 32);
    DrawIconEx(b.Canvas().Handle(), 0, 0, icon.Handle(), 32, 32, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(Rgb(b, 16, 16), 0x00FF00u);
}

TEST(IconData, RejectsImagesOutsideTheData) {
    auto data = MakeIco(0);
    Put32(data, 6 + 12, static_cast<uint32_t>(data.size()));  // offset at the end
    TIcon icon;
    EXPECT_THROW(icon.LoadFromMemory(data.data(), data.size()), EInvalidGraphic);
    data = MakeIco(0);
    data.resize(data.size() - 10);
    EXPECT_THROW(icon.LoadFromMemory(data.data(), data.size()), EInvalidGraphic);
    EXPECT_TRUE(icon.Empty());
}

TEST(IconData, FormDescriptionDataProperty) {
    auto data = MakeIco(0xFF0000);
    TPropValue v;
    v.kind = TPropValue::Kind::Binary;
    v.binary = data;
    TIcon icon;
    SetPropValue(icon, "Data", v);
    EXPECT_FALSE(icon.Empty());
}

TEST(PictureData, AcceptsBmpBytesAfterAClassNameAndSize) {
    auto bmp = ValidPaletteBmp();
    std::vector<uint8_t> data = {7, 'T', 'B', 'i', 't', 'm', 'a', 'p', 0, 0, 0, 0};
    Put32(data, 8, static_cast<uint32_t>(bmp.size()));
    data.insert(data.end(), bmp.begin(), bmp.end());
    TPicture picture;
    picture.SetData(data);
    EXPECT_EQ(picture.Width(), 7);
    TPicture plain;
    plain.SetData(bmp);
    EXPECT_EQ(plain.Height(), 5);
}

// ------------------------------------------------------------------------------------ Screen

TEST(ScreenMonitors, PrimaryMonitorCoversTheScreen) {
    ASSERT_GE(Screen().MonitorCount(), 1);
    TMonitor m = Screen().PrimaryMonitor();
    EXPECT_TRUE(m.primary);
    EXPECT_EQ(m.Width(), Screen().Width());
    EXPECT_EQ(m.Height(), Screen().Height());
    RECT work = Screen().WorkAreaRect();
    EXPECT_LE(work.right - work.left, Screen().Width());
}

TEST(ScreenMonitors, WindowAndPointFindTheirMonitor) {
    TMonitor primary = Screen().PrimaryMonitor();
    EXPECT_EQ(Screen().MonitorFromPoint(POINT{10, 10}).handle, primary.handle);
    EXPECT_EQ(Screen().MonitorFromWindow(vl::Application->Handle()).handle, primary.handle);
    EXPECT_EQ(Screen().Monitors(primary.index).handle, primary.handle);
    EXPECT_THROW(Screen().Monitors(Screen().MonitorCount()), EListError);
}
