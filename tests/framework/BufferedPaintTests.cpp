// TBufferedPaint and PaintBuffered (framework/GdiOwners.h): what reaches the target and when,
// the target's coordinates inside the buffer, and that no GDI object outlives a paint.
#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/Graphics.h"
#include "tests/framework/GuiTestSupport.h"

using namespace vl;

namespace {

// The pixel as 0xRRGGBB.
uint32_t Rgb(TBitmap& b, int x, int y) {
    const uint8_t* p = b.ScanLine(y) + x * 4;
    return (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[0];
}

// A white 20 x 20 target.
void MakeWhite(TBitmap& target) {
    target.SetSize(20, 20);
    target.Canvas().Brush()->SetColor(clWhite);
    target.Canvas().FillRect(RECT{0, 0, 20, 20});
}

}  // namespace

TEST(BufferedPaint, NothingReachesTheTargetBeforeCommit) {
    TBitmap target;
    MakeWhite(target);
    HDC dc = target.Canvas().Handle();
    TBufferedPaint buffer(dc, RECT{5, 5, 15, 15});
    ASSERT_TRUE(buffer.Buffered());
    ASSERT_NE(buffer.DC(), dc);
    FillSolidRect(buffer.DC(), RECT{5, 5, 15, 15}, RGB(255, 0, 0));
    EXPECT_EQ(Rgb(target, 10, 10), 0xFFFFFFu);
    buffer.Commit();
    EXPECT_EQ(Rgb(target, 10, 10), 0xFF0000u);
}

TEST(BufferedPaint, DrawsInTheTargetsCoordinatesAndCopiesOnlyItsRectangle) {
    TBitmap target;
    MakeWhite(target);
    {
        TBufferedPaint buffer(target.Canvas().Handle(), RECT{4, 6, 12, 10});
        FillSolidRect(buffer.DC(), RECT{0, 0, 20, 20}, RGB(0, 0, 255));  // spills over the rectangle
        FillSolidRect(buffer.DC(), RECT{11, 9, 12, 10}, RGB(0, 255, 0));
        buffer.Commit();
    }
    EXPECT_EQ(Rgb(target, 4, 6), 0x0000FFu);
    EXPECT_EQ(Rgb(target, 11, 9), 0x00FF00u);
    EXPECT_EQ(Rgb(target, 3, 6), 0xFFFFFFu);
    EXPECT_EQ(Rgb(target, 12, 9), 0xFFFFFFu);
    EXPECT_EQ(Rgb(target, 4, 5), 0xFFFFFFu);
    EXPECT_EQ(Rgb(target, 4, 10), 0xFFFFFFu);
}

TEST(BufferedPaint, PainterThatThrowsLeavesTheTargetAsItWas) {
    TBitmap target;
    MakeWhite(target);
    HDC dc = target.Canvas().Handle();
    EXPECT_THROW(PaintBuffered(dc, RECT{0, 0, 20, 20},
                               [](HDC buffer) {
                                   FillSolidRect(buffer, RECT{0, 0, 20, 20}, RGB(255, 0, 0));
                                   throw std::runtime_error("painter failed");
                               }),
                 std::runtime_error);
    EXPECT_EQ(Rgb(target, 10, 10), 0xFFFFFFu);
}

TEST(BufferedPaint, PaintBufferedCommitsWhatThePainterDrew) {
    TBitmap target;
    MakeWhite(target);
    int calls = 0;
    PaintBuffered(target.Canvas().Handle(), RECT{2, 2, 8, 8}, [&](HDC buffer) {
        ++calls;
        FillSolidRect(buffer, RECT{2, 2, 8, 8}, RGB(0, 128, 0));
    });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(Rgb(target, 7, 7), 0x008000u);
    EXPECT_EQ(Rgb(target, 8, 8), 0xFFFFFFu);
}

TEST(BufferedPaint, EmptyRectangleNeverCallsThePainter) {
    TBitmap target;
    MakeWhite(target);
    int calls = 0;
    PaintBuffered(target.Canvas().Handle(), RECT{5, 5, 5, 9}, [&](HDC) { ++calls; });
    PaintBuffered(target.Canvas().Handle(), RECT{5, 9, 9, 5}, [&](HDC) { ++calls; });
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(TBufferedPaint(target.Canvas().Handle(), RECT{0, 0, 0, 0}).Empty());
}

TEST(BufferedPaint, AThousandPaintsLeaveNoGdiObjects) {
    TBitmap target;
    MakeWhite(target);
    HDC dc = target.Canvas().Handle();
    auto paint = [dc](int i) {
        PaintBuffered(dc, RECT{i % 10, 0, 20, 20}, [i](HDC buffer) {
            RECT frame{0, 0, 20, 20};
            FillSolidRect(buffer, frame, RGB(i % 256, 0, 0));
            Frame3D(buffer, frame, RGB(255, 255, 255), RGB(0, 0, 0), 2);
        });
    };
    paint(0);
    const DWORD before = vltest::GdiObjects();
    ASSERT_GT(before, 0u) << "the GDI object count cannot be read";
    for (int i = 0; i < 1000; ++i) paint(i);
    EXPECT_EQ(vltest::GdiObjects(), before);
}
