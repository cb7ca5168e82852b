// Finding the desktop's own marks (its icons and their labels) in a picture of the desktop,
// which the top-most desktop layer leaves see-through.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/DesktopMarks.h"

namespace vorlinde::platform::test {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 200;
constexpr uint32_t kDesktop = 0x006080;  // 0x00RRGGBB

class TPicture {
public:
    explicit TPicture(uint32_t background) : pixels_(static_cast<size_t>(kWidth) * kHeight, background) {}
    void Fill(const RECT& rect, uint32_t colour) {
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x) pixels_[static_cast<size_t>(y) * kWidth + x] = colour;
    }
    const std::vector<uint32_t>& Pixels() const { return pixels_; }

private:
    std::vector<uint32_t> pixels_;
};

bool Contains(HRGN region, const RECT& rect) {
    vl::TGdiRegion inside = vl::MakeRectRegion(rect);
    vl::TGdiRegion outside = vl::MakeEmptyRegion();
    return CombineRgn(outside.Get(), inside.Get(), region, RGN_DIFF) == NULLREGION;
}

bool Touches(HRGN region, const RECT& rect) { return RectInRegion(region, &rect) != FALSE; }

bool Empty(HRGN region) {
    RECT box;
    return GetRgnBox(region, &box) == NULLREGION;
}

TEST(DesktopMarks, AFlatDesktopHasNone) {
    TPicture picture(kDesktop);
    vl::TGdiRegion marks = FindMarksInPicture(picture.Pixels(), kWidth, kHeight, nullptr);
    ASSERT_TRUE(marks);
    EXPECT_TRUE(Empty(marks.Get()));
}

TEST(DesktopMarks, AnIconAndItsLabelAreMarks) {
    TPicture picture(kDesktop);
    const RECT square{100, 40, 132, 72};
    const RECT label{96, 78, 136, 88};
    picture.Fill(square, 0xFAD228);
    picture.Fill(label, 0xFFFFFF);
    vl::TGdiRegion marks = FindMarksInPicture(picture.Pixels(), kWidth, kHeight, nullptr);
    EXPECT_TRUE(Contains(marks.Get(), square));
    EXPECT_TRUE(Contains(marks.Get(), label));
    // Far from the icon the desktop stays unmarked.
    EXPECT_FALSE(Touches(marks.Get(), RECT{200, 120, 320, 200}));
}

TEST(DesktopMarks, MarksReachPastTheIconsEdges) {
    TPicture picture(kDesktop);
    // A one-pixel line: its whole block and the blocks around it are marks, so that faint
    // edges next to it (anti-aliasing, a shadow) stay visible too.
    picture.Fill(RECT{163, 100, 164, 101}, 0xFFFFFF);
    vl::TGdiRegion marks = FindMarksInPicture(picture.Pixels(), kWidth, kHeight, nullptr);
    EXPECT_TRUE(Contains(marks.Get(), RECT{156, 96, 172, 104}));
    EXPECT_FALSE(Touches(marks.Get(), RECT{180, 100, 200, 120}));
}

TEST(DesktopMarks, ShadesCloseToTheBackgroundAreNoMarks) {
    TPicture picture(kDesktop);
    picture.Fill(RECT{0, 0, 160, 200}, 0x08668A);  // a slight gradient of the same colour
    vl::TGdiRegion marks = FindMarksInPicture(picture.Pixels(), kWidth, kHeight, nullptr);
    EXPECT_TRUE(Empty(marks.Get()));
}

TEST(DesktopMarks, APictureWallpaperHasNone) {
    TPicture picture(kDesktop);
    // Stripes over most of the desktop: a picture, not icons on a flat colour.
    for (int x = 0; x < kWidth; x += 8) picture.Fill(RECT{x, 0, x + 4, kHeight}, 0xC04020);
    vl::TGdiRegion marks = FindMarksInPicture(picture.Pixels(), kWidth, kHeight, nullptr);
    EXPECT_TRUE(Empty(marks.Get()));
}

TEST(DesktopMarks, OnlyTheConsideredPartCounts) {
    TPicture picture(kDesktop);
    // A window of another colour over the right half is not the desktop.
    picture.Fill(RECT{160, 0, 320, 200}, 0x00C800);
    picture.Fill(RECT{40, 40, 72, 72}, 0xFAD228);
    vl::TGdiRegion considered = vl::MakeRectRegion(RECT{0, 0, 160, 200});
    vl::TGdiRegion marks = FindMarksInPicture(picture.Pixels(), kWidth, kHeight, considered.Get());
    EXPECT_TRUE(Contains(marks.Get(), RECT{40, 40, 72, 72}));
    EXPECT_FALSE(Touches(marks.Get(), RECT{176, 0, 320, 200}));
}

TEST(DesktopMarks, TheBackgroundIsTheMostCommonColour) {
    // Most of the considered part is the window's colour: that is then the background.
    TPicture picture(0x00C800);
    picture.Fill(RECT{0, 0, 56, 200}, kDesktop);
    vl::TGdiRegion marks = FindMarksInPicture(picture.Pixels(), kWidth, kHeight, nullptr);
    EXPECT_TRUE(Contains(marks.Get(), RECT{0, 0, 56, 200}));
    EXPECT_FALSE(Touches(marks.Get(), RECT{72, 0, 320, 200}));
}

TEST(DesktopMarks, NothingConsideredHasNone) {
    TPicture picture(kDesktop);
    picture.Fill(RECT{40, 40, 72, 72}, 0xFAD228);
    vl::TGdiRegion nothing = vl::MakeEmptyRegion();
    vl::TGdiRegion marks = FindMarksInPicture(picture.Pixels(), kWidth, kHeight, nothing.Get());
    ASSERT_TRUE(marks);
    EXPECT_TRUE(Empty(marks.Get()));
}

TEST(DesktopMarks, AShortPictureHasNone) {
    std::vector<uint32_t> pixels(10, kDesktop);
    vl::TGdiRegion marks = FindMarksInPicture(pixels, kWidth, kHeight, nullptr);
    ASSERT_TRUE(marks);
    EXPECT_TRUE(Empty(marks.Get()));
}

}  // namespace
}  // namespace vorlinde::platform::test
