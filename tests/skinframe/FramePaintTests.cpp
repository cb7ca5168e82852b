// The frame painter and the frame geometry on their own: the outer line, the inner frame, the
// title pictures continued into the frame, the window region and the maximised bounds.
#include <gtest/gtest.h>

#include "SkinFrameTestSupport.h"
#include "framework/Bitmap.h"
#include "skin/FrameGeometry.h"
#include "skin/FramePainter.h"

using namespace vorlinde;
using skinframe::Px;

namespace {

constexpr uint32_t kMarker = 0x00FF00;  // what the painter must leave alone
constexpr uint32_t kBorder = 0x0000FF;
constexpr uint32_t kWhite = 0xFFFFFF;

std::unique_ptr<vl::TBitmap> Painted(const TFramePaintInput& in) {
    auto b = std::make_unique<vl::TBitmap>(in.width, in.height);
    const RECT all{0, 0, in.width, in.height};
    vl::FillSolidRect(b->Canvas().Handle(), all, kMarker);
    PaintSkinFrame(b->Canvas().Handle(), in);
    return b;
}

TFramePaintInput Input(int borderWidth) {
    TFramePaintInput in;
    in.width = 300;
    in.height = 200;
    in.borderWidth = borderWidth;
    in.borderColor = kBorder;
    in.color = kWhite;
    in.titleHeight = 20;
    return in;
}

std::unique_ptr<vl::TBitmap> Solid(int w, int h, uint32_t color) {
    auto b = std::make_unique<vl::TBitmap>(w, h);
    vl::FillSolidRect(b->Canvas().Handle(), RECT{0, 0, w, h}, color);
    return b;
}

}  // namespace

TEST(FramePaint, BorderWidthOneGivesOneBorderRowAndTwoWhiteRowsAtTheBottom) {
    auto b = Painted(Input(1));
    for (int x = 1; x < 299; ++x) {
        EXPECT_EQ(Px(*b, x, 199), kBorder) << x;
        EXPECT_EQ(Px(*b, x, 198), kWhite) << x;
        EXPECT_EQ(Px(*b, x, 197), kWhite) << x;
        if (x >= 3 && x < 297) {  // the side strips reach down
            EXPECT_EQ(Px(*b, x, 196), kMarker) << x;
        }
    }
    EXPECT_EQ(Px(*b, 0, 100), kBorder);
    EXPECT_EQ(Px(*b, 1, 100), kWhite);
    EXPECT_EQ(Px(*b, 2, 100), kWhite);
    EXPECT_EQ(Px(*b, 3, 100), kMarker);
    EXPECT_EQ(Px(*b, 299, 100), kBorder);
    EXPECT_EQ(Px(*b, 297, 100), kWhite);
}

TEST(FramePaint, TheSideStripsStartBelowTheTitleBar) {
    auto b = Painted(Input(1));
    EXPECT_EQ(Px(*b, 1, 19), kMarker);
    EXPECT_EQ(Px(*b, 1, 20), kWhite);
    EXPECT_EQ(Px(*b, 0, 0), kBorder);  // the outer line runs up to the top
}

TEST(FramePaint, BorderWidthFourPaintsOnlyTheOuterLine) {
    TFramePaintInput in = Input(4);
    auto left = Solid(100, 23, 0x112233), right = Solid(10, 23, 0x445566), client = Solid(1, 23, 0x778899);
    in.left = left.get();
    in.right = right.get();
    in.client = client.get();
    auto b = Painted(in);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(Px(*b, x, 100), kBorder);
    EXPECT_EQ(Px(*b, 4, 100), kMarker);
    EXPECT_EQ(Px(*b, 295, 100), kMarker);
    EXPECT_EQ(Px(*b, 296, 100), kBorder);
    EXPECT_EQ(Px(*b, 150, 195), kMarker);
    EXPECT_EQ(Px(*b, 150, 196), kBorder);
    EXPECT_EQ(Px(*b, 50, 0), kMarker);  // no title pictures in the frame
}

TEST(FramePaint, TheTitlePicturesReachTheWindowsEdges) {
    TFramePaintInput in = Input(1);
    auto left = Solid(100, 23, 0x112233), right = Solid(10, 23, 0x445566), client = Solid(1, 23, 0x778899);
    in.left = left.get();
    in.right = right.get();
    in.client = client.get();
    auto b = Painted(in);
    EXPECT_EQ(Px(*b, 0, 1), kBorder);
    EXPECT_EQ(Px(*b, 1, 1), 0x112233u);    // the left column beside the bar
    EXPECT_EQ(Px(*b, 2, 10), 0x112233u);
    EXPECT_EQ(Px(*b, 50, 2), 0x112233u);   // the top rows
    EXPECT_EQ(Px(*b, 50, 3), kMarker);     // the bar's own area is the bar's
    EXPECT_EQ(Px(*b, 150, 0), 0x778899u);  // the stretched client picture
    EXPECT_EQ(Px(*b, 295, 1), 0x445566u);  // the right picture ends at the right edge
    EXPECT_EQ(Px(*b, 298, 10), 0x445566u);
    EXPECT_EQ(Px(*b, 299, 10), kBorder);
}

TEST(FramePaint, AHiddenTitleBarGivesATopLine) {
    TFramePaintInput in = Input(1);
    in.titleHeight = 0;
    auto b = Painted(in);
    EXPECT_EQ(Px(*b, 150, 0), kBorder);
    EXPECT_EQ(Px(*b, 150, 1), kWhite);
    EXPECT_EQ(Px(*b, 150, 2), kWhite);
    EXPECT_EQ(Px(*b, 150, 3), kMarker);
    EXPECT_EQ(Px(*b, 1, 10), kWhite);
}

TEST(FrameGeometry, RoundCornerZeroGivesARectangularRegion) {
    vl::TGdiRegion region = MakeFrameRegion(300, 200, 0);
    RECT box{};
    EXPECT_EQ(GetRgnBox(region.Get(), &box), SIMPLEREGION);
    EXPECT_TRUE(PtInRegion(region.Get(), 0, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), 299, 199));
}

TEST(FrameGeometry, ARoundCornerRoundsOnlyTheTopCorners) {
    vl::TGdiRegion region = MakeFrameRegion(300, 200, 11);
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
    EXPECT_FALSE(PtInRegion(region.Get(), 299, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), 0, 199));
    EXPECT_TRUE(PtInRegion(region.Get(), 299, 199));
    EXPECT_TRUE(PtInRegion(region.Get(), 150, 0));
}

TEST(FrameGeometry, AMaximisedWindowStopsOnePixelAboveTheWorkAreasBottom) {
    const RECT r = MaximisedBounds(RECT{0, 0, 1280, 994});
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 1280);
    EXPECT_EQ(r.bottom, 993);
}
