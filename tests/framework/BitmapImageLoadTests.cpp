// TBitmap::LoadFromImage: a decoded picture taken into the bitmap's own DIB section.
#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "framework/Graphics.h"

using namespace vl;

namespace {

// The pixel as 0xRRGGBB.
uint32_t Rgb(TBitmap& b, int x, int y) {
    const uint8_t* p = b.ScanLine(y) + x * 4;
    return (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[0];
}

}  // namespace

TEST(BitmapImageLoad, CopiesColourAndAlphaAsThirtyTwoBits) {
    TBitmapImage image(2, 3);
    image.Pixel(1, 2)[0] = 0x11;
    image.Pixel(1, 2)[1] = 0x22;
    image.Pixel(1, 2)[2] = 0x33;
    image.Pixel(1, 2)[3] = 0x44;
    TBitmap b;
    b.SetPixelFormat(TPixelFormat::Bit24);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.LoadFromImage(image);
    ASSERT_EQ(b.Width(), 2);
    ASSERT_EQ(b.Height(), 3);
    EXPECT_EQ(Rgb(b, 1, 2), 0x332211u);
    EXPECT_EQ(b.ScanLine(2)[4 + 3], 0x44);
    EXPECT_EQ(Rgb(b, 0, 0), 0u);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::Bit32);
    EXPECT_EQ(changes, 1);
    image.Pixel(1, 2)[0] = 0;  // the bitmap holds a copy
    EXPECT_EQ(Rgb(b, 1, 2), 0x332211u);
}

TEST(BitmapImageLoad, CanvasDrawsOnTheLoadedPicture) {
    TBitmap b(4, 4);
    b.Canvas().SetPixel(0, 0, clWhite);
    TBitmapImage image(3, 3);
    b.LoadFromImage(image);
    b.Canvas().SetPixel(2, 2, 0x0000FF);
    EXPECT_EQ(Rgb(b, 2, 2), 0xFF0000u);
    EXPECT_EQ(Rgb(b, 0, 0), 0u);
}

TEST(BitmapImageLoad, EmptyImageEmptiesTheBitmap) {
    TBitmap b(4, 4);
    b.LoadFromImage(TBitmapImage());
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Width(), 0);
}

TEST(BitmapImageLoad, MismatchedOrOversizedImageRaisesAndChangesNothing) {
    TBitmap b(4, 4);
    TBitmapImage bad(2, 2);
    bad.pixels.pop_back();
    EXPECT_THROW(b.LoadFromImage(bad), EInvalidGraphic);
    TBitmapImage wide;
    wide.width = kMaxBitmapDimension + 1;
    wide.height = 1;
    wide.pixels.resize(static_cast<size_t>(wide.width) * 4);
    EXPECT_THROW(b.LoadFromImage(wide), EInvalidGraphic);
    EXPECT_EQ(b.Width(), 4);
}
