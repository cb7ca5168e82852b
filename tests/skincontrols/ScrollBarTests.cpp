// TsuiScrollBar: the thumb's length from PageSize and LineButton, the layout of arrows and
// track in both orientations, the look turned for each orientation, and the arrows' steps.
#include <gtest/gtest.h>

#include "SkinControlsTestSupport.h"
#include "skin/controls/BitmapRotation.h"
#include "skin/controls/ImageButton.h"
#include "skin/controls/ScrollBar.h"

using namespace vorlinde;

namespace {

// A vertical Protein bar whose track is `trackLength` pixels long (16-pixel arrows, and the
// one pixel the vertical layout leaves below the track).
TsuiScrollBar* VerticalBar(vl::TForm& form, int trackLength) {
    auto* bar = new TsuiScrollBar(&form);
    bar->SetParent(&form);
    bar->SetUIStyle(TsuiUIStyle::Protein);
    bar->SetOrientation(TsuiProgressBarOrientation::suiVertical);
    bar->SetBounds(10, 10, 16, trackLength + 16 + 16 + 1);
    return bar;
}

TsuiScrollBar* HorizontalBar(vl::TForm& form, int width) {
    auto* bar = new TsuiScrollBar(&form);
    bar->SetParent(&form);
    bar->SetUIStyle(TsuiUIStyle::Protein);
    bar->SetBounds(10, 250, width, 16);
    return bar;
}

}  // namespace

TEST(SkinScrollBar, AThumbFromPageSizeIsThatPercentOfTheTrack) {
    auto form = skinctl::ShowForm();
    TsuiScrollBar* bar = VerticalBar(*form, 200);
    ASSERT_EQ(bar->Track()->Height(), 200);
    bar->SetPageSize(50);
    EXPECT_EQ(bar->ThumbLength(), 100);
    bar->SetPageSize(5);  // below 10 %: counts as 10 %
    EXPECT_EQ(bar->ThumbLength(), 20);
    bar->SetPageSize(100);
    EXPECT_EQ(bar->ThumbLength(), 200);
    bar->SetPageSize(150);  // more than Max: the track refuses it
    EXPECT_EQ(bar->PageSize(), 100);
}

TEST(SkinScrollBar, LineButtonGivesTheThumbLengthAtLeast18) {
    auto form = skinctl::ShowForm();
    TsuiScrollBar* bar = VerticalBar(*form, 200);
    bar->SetLineButton(60);
    EXPECT_EQ(bar->ThumbLength(), 60);
    bar->SetLineButton(5);
    EXPECT_EQ(bar->LineButton(), 18);
    EXPECT_EQ(bar->ThumbLength(), 18);
}

TEST(SkinScrollBar, RefusesALineButtonLongerThanTheRoomBetweenTheArrows) {
    auto form = skinctl::ShowForm();
    TsuiScrollBar* bar = VerticalBar(*form, 200);  // 233 high, arrows 32: room 201
    bar->SetLineButton(40);
    bar->SetLineButton(202);
    EXPECT_EQ(bar->LineButton(), 40);
    EXPECT_EQ(bar->ThumbLength(), 40);
    bar->SetLineButton(201);
    EXPECT_EQ(bar->LineButton(), 201);
    EXPECT_EQ(bar->ThumbLength(), 200);  // never longer than the track
}

TEST(SkinScrollBar, LaysOutAVerticalBar) {
    auto form = skinctl::ShowForm();
    TsuiScrollBar* bar = VerticalBar(*form, 200);
    EXPECT_EQ(bar->Width(), 16);  // as wide as its arrows
    EXPECT_EQ(bar->DecButton()->Top(), 0);
    EXPECT_EQ(bar->DecButton()->Height(), 16);
    EXPECT_EQ(bar->Track()->Top(), 16);
    EXPECT_EQ(bar->IncButton()->Top(), 233 - 16);
    EXPECT_EQ(bar->Track()->Orientation(), TsuiProgressBarOrientation::suiVertical);
}

TEST(SkinScrollBar, LaysOutAHorizontalBar) {
    auto form = skinctl::ShowForm();
    TsuiScrollBar* bar = HorizontalBar(*form, 300);
    EXPECT_EQ(bar->Height(), 16);
    EXPECT_EQ(bar->Track()->Left(), 16);
    EXPECT_EQ(bar->Track()->Width(), 300 - 32);
    EXPECT_EQ(bar->IncButton()->Left(), 300 - 16);
    bar->SetPageSize(50);
    EXPECT_EQ(bar->ThumbLength(), (300 - 32) / 2);
    EXPECT_EQ(bar->Track()->SliderImage().Height(), 16);
}

TEST(SkinScrollBar, AZeroSizeBarHidesItself) {
    auto form = skinctl::ShowForm();
    TsuiScrollBar* bar = HorizontalBar(*form, 300);
    ASSERT_TRUE(bar->Visible());
    bar->SetBounds(10, 250, 0, 16);
    EXPECT_FALSE(bar->Visible());
    bar->SetBounds(10, 250, 120, 16);  // room again: it shows again
    EXPECT_TRUE(bar->Visible());
    EXPECT_EQ(bar->Track()->Width(), 120 - 32);
}

TEST(SkinScrollBar, TurnsItsArrowsForAHorizontalBarAndItsThumbForAVerticalOne) {
    auto form = skinctl::ShowForm();
    TsuiScrollBar* bar = VerticalBar(*form, 200);
    auto up = skinctl::StripImage(TsuiUIStyle::Protein, ThemeItem::ScrollBarButtonImage, 6, 1);
    ASSERT_FALSE(up->Empty());
    EXPECT_TRUE(skinctl::SameBlock(*bar->DecButton()->PicNormal()->Bitmap(), 0, 0, *up, 0, 0, up->Width(), up->Height()));

    // The thumb's head stands up at its top.
    auto head = skinctl::StripImage(TsuiUIStyle::Protein, ThemeItem::ScrollBarSliderImage, 3, 1);
    RotateQuarterTurn(*head, true);
    vl::TBitmap thumb;
    thumb.Assign(bar->Track()->SliderImage());
    EXPECT_EQ(thumb.Width(), head->Width());
    EXPECT_TRUE(skinctl::SameBlock(thumb, 0, 0, *head, 0, 0, head->Width(), head->Height()));

    bar->SetOrientation(TsuiProgressBarOrientation::suiHorizontal);
    auto left = skinctl::StripImage(TsuiUIStyle::Protein, ThemeItem::ScrollBarButtonImage, 6, 1);
    RotateQuarterTurn(*left, false);
    vl::TBitmap& dec = *bar->DecButton()->PicNormal()->Bitmap();
    EXPECT_TRUE(skinctl::SameBlock(dec, 0, 0, *left, 0, 0, left->Width(), left->Height()));
    auto pressed = skinctl::StripImage(TsuiUIStyle::Protein, ThemeItem::ScrollBarButtonImage, 6, 6);
    RotateQuarterTurn(*pressed, false);
    EXPECT_TRUE(skinctl::SameBlock(*bar->IncButton()->PicMouseDown()->Bitmap(), 0, 0, *pressed, 0, 0,
                                   pressed->Width(), pressed->Height()));
}

TEST(SkinScrollBar, TakesItsColourFromTheLook) {
    auto form = skinctl::ShowForm();
    TsuiScrollBar* bar = VerticalBar(*form, 200);
    for (TsuiUIStyle style : {TsuiUIStyle::MacOS, TsuiUIStyle::WinXP, TsuiUIStyle::BlueGlass}) {
        bar->SetUIStyle(style);
        EXPECT_EQ(bar->Color(), GetBuiltInColor(style, ThemeItem::ScrollBarBackgroundColor));
        EXPECT_EQ(bar->Track()->Color(), bar->Color());
    }
}

TEST(SkinScrollBar, AnArrowStepsAtThePressAndAgainWhileHeld) {
    auto form = skinctl::ShowForm();
    TsuiScrollBar* bar = VerticalBar(*form, 200);
    bar->SetSmallChange(2);
    int changes = 0;
    bar->OnChange = skinctl::Counter(changes);
    TsuiImageButton& inc = *bar->IncButton();
    skinctl::SendMouse(inc, WM_LBUTTONDOWN, 5, 5);
    EXPECT_EQ(bar->Position(), 2);
    skinctl::Pump(350);  // three ticks of 100 ms
    skinctl::SendMouse(inc, WM_LBUTTONUP, 5, 5);
    EXPECT_GE(bar->Position(), 6);
    EXPECT_LE(bar->Position(), 10);
    EXPECT_EQ(changes, bar->Position() / 2);
    const int held = bar->Position();
    skinctl::Pump(150);  // released: no more steps
    EXPECT_EQ(bar->Position(), held);
    skinctl::SendMouse(*bar->DecButton(), WM_LBUTTONDOWN, 5, 5);
    skinctl::SendMouse(*bar->DecButton(), WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(bar->Position(), held - 2);
}

TEST(SkinScrollBar, RotatingFourTimesGivesThePictureBack) {
    auto picture = skinctl::StripImage(TsuiUIStyle::WinXP, ThemeItem::ScrollBarSliderImage, 3, 1);
    vl::TBitmap turned;
    turned.Assign(*picture);
    RotateQuarterTurn(turned, true);
    EXPECT_EQ(turned.Width(), picture->Height());
    EXPECT_EQ(skinctl::Px(turned, turned.Width() - 1, 0), skinctl::Px(*picture, 0, 0));  // top-left goes top-right
    RotateQuarterTurn(turned, false);
    EXPECT_TRUE(skinctl::SameBlock(turned, 0, 0, *picture, 0, 0, picture->Width(), picture->Height()));
}
