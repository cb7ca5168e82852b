// Where the mixer puts the picture: letter-box fitting, cropping, the relative position and
// the placement for each aspect ratio mode.
#include <gtest/gtest.h>

#include "platform/OverlayGeometry.h"

namespace vorlinde::platform {
namespace {

void ExpectRect(const RECT& actual, LONG left, LONG top, LONG right, LONG bottom) {
    EXPECT_EQ(actual.left, left);
    EXPECT_EQ(actual.top, top);
    EXPECT_EQ(actual.right, right);
    EXPECT_EQ(actual.bottom, bottom);
}

TEST(OverlayMixerGeometry, FitRectCentresA4To3PictureInAWideBox) {
    // The main window's pane: 207x135 takes 180x135 at (13, 0).
    ExpectRect(FitRect({0, 0, 207, 135}, 4, 3), 13, 0, 193, 135);
}

TEST(OverlayMixerGeometry, FitRectBarsATallBoxAboveAndBelow) {
    ExpectRect(FitRect({0, 0, 160, 200}, 4, 3), 0, 40, 160, 160);
}

TEST(OverlayMixerGeometry, FitRectOfTheSameRatioIsTheBox) {
    ExpectRect(FitRect({10, 20, 170, 140}, 4, 3), 10, 20, 170, 140);
}

TEST(OverlayMixerGeometry, FitRectWithAZeroRatioIsTheBox) {
    ExpectRect(FitRect({0, 0, 100, 50}, 0, 3), 0, 0, 100, 50);
}

TEST(OverlayMixerGeometry, CropKeepsTheMiddleOfAWidePicture) {
    // 16:9 picture in a 4:3 destination: keep 3/4 of the width.
    ExpectRect(CropSource({0, 0, 1280, 720}, 16, 9, 400, 300), 160, 0, 1120, 720);
}

TEST(OverlayMixerGeometry, CropKeepsTheMiddleOfATallPicture) {
    ExpectRect(CropSource({0, 0, 160, 120}, 4, 3, 320, 120), 0, 30, 160, 90);
}

TEST(OverlayMixerGeometry, CropOfTheSameRatioKeepsTheWholePicture) {
    ExpectRect(CropSource({0, 0, 160, 120}, 4, 3, 80, 60), 0, 0, 160, 120);
}

TEST(OverlayMixerGeometry, SubRectTakesTenThousandths) {
    ExpectRect(SubRect({100, 100, 300, 200}, {0, 0, 5000, 10000}), 100, 100, 200, 200);
    ExpectRect(SubRect({0, 0, 1000, 1000}, {2500, 1000, 7500, 9000}), 250, 100, 750, 900);
}

TEST(OverlayMixerGeometry, StretchedFillsTheDestinationWithTheWholePicture) {
    const TPlacement placement = PlaceVideo(AM_ARMODE_STRETCHED, {0, 0, 300, 100}, {0, 0, 160, 120}, 4, 3);
    ExpectRect(placement.destination, 0, 0, 300, 100);
    ExpectRect(placement.source, 0, 0, 160, 120);
}

TEST(OverlayMixerGeometry, LetterBoxShowsTheWholePictureInTheFittedRectangle) {
    const TPlacement placement = PlaceVideo(AM_ARMODE_LETTER_BOX, {0, 0, 300, 150}, {0, 0, 160, 120}, 4, 3);
    ExpectRect(placement.destination, 50, 0, 250, 150);
    ExpectRect(placement.source, 0, 0, 160, 120);
}

TEST(OverlayMixerGeometry, CropFillsTheDestinationWithPartOfThePicture) {
    const TPlacement placement = PlaceVideo(AM_ARMODE_CROP, {0, 0, 300, 150}, {0, 0, 160, 120}, 4, 3);
    ExpectRect(placement.destination, 0, 0, 300, 150);
    ExpectRect(placement.source, 0, 20, 160, 100);
}

TEST(OverlayMixerGeometry, EmptyDestinationGivesAnEmptyPlacement) {
    const TPlacement placement = PlaceVideo(AM_ARMODE_LETTER_BOX, {5, 5, 5, 50}, {0, 0, 160, 120}, 4, 3);
    EXPECT_TRUE(IsRectEmpty(&placement.destination));
}

}  // namespace
}  // namespace vorlinde::platform
