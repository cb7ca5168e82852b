// TsuiButton's look: the state picture stretched with its corners unscaled, the picture of
// each state, the glyph, the focus, a look that cannot be read, and DrawSkinImageStretched.
#include <gtest/gtest.h>

#include <stdexcept>

#include "SkinControlsTestSupport.h"
#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/GuiTestSupport.h"
#include "skin/controls/Button.h"
#include "skin/controls/SkinPaint.h"

using namespace vorlinde;
using skinctl::Px;
using skinctl::SameBlock;

namespace {

std::unique_ptr<vl::TBitmap> ProteinImage(int index) {
    return skinctl::StripImage(TsuiUIStyle::Protein, ThemeItem::ButtonImage, 3, index);
}

// An 89 x 25 Protein button without a caption on a shown form.
TsuiButton* ProteinButton(vl::TForm& form) {
    auto* button = skinctl::Add<TsuiButton>(form, 20, 20, 89, 25);
    button->SetUIStyle(TsuiUIStyle::Protein);
    button->SetCaption("");
    return button;
}

// The corners of a 74 x 21 picture on an 89 x 25 button, as drawn: (button x, button y,
// picture x, picture y, width, height).
struct Block {
    int bx, by, px, py, w, h;
};
const Block kProteinCorners[] = {
    {0, 0, 0, 0, 37, 10},      // top-left
    {0, 16, 0, 12, 36, 9},     // bottom-left (its last column is under the bottom edge)
    {53, 0, 38, 0, 36, 10},    // top-right
    {53, 16, 38, 12, 36, 9},   // bottom-right
};

bool ShowsCornersOf(vl::TBitmap& shown, vl::TBitmap& image) {
    for (const Block& b : kProteinCorners)
        if (!SameBlock(shown, b.bx, b.by, image, b.px, b.py, b.w, b.h)) return false;
    return true;
}

class ThrowingButton : public TsuiButton {
public:
    using TsuiButton::TsuiButton;

protected:
    void GetNormalPic(vl::TBitmap&) override { throw std::runtime_error("no picture"); }
};

// A glyph 2w x w: a magenta ground (the glyph's mask colour, from its top-left pixel) with a
// red block in the first image and a blue one in the second.
void TwoImageGlyph(vl::TBitmap& glyph, int w) {
    glyph.SetSize(2 * w, w);
    vl::TCanvas& c = glyph.Canvas();
    c.Brush()->SetColor(vl::clFuchsia);
    c.FillRect(RECT{0, 0, 2 * w, w});
    c.Brush()->SetColor(vl::clRed);
    c.FillRect(RECT{2, 2, w - 2, w - 2});
    c.Brush()->SetColor(vl::clBlue);
    c.FillRect(RECT{w + 2, 2, 2 * w - 2, w - 2});
}

}  // namespace

TEST(TsuiButtonPaint, ProteinButtonShowsItsImageWithCornersUnscaled) {
    auto form = skinctl::ShowForm();
    TsuiButton* button = ProteinButton(*form);
    auto image = ProteinImage(1);
    ASSERT_EQ(image->Width(), 74);
    ASSERT_EQ(image->Height(), 21);
    auto shown = skinctl::Screen(*button);
    ASSERT_EQ(shown->Width(), 89);
    EXPECT_TRUE(ShowsCornersOf(*shown, *image));
    // The bands between the corners are one source pixel thick and stretched: the top edge
    // repeats column 37, the left edge row 10, the centre the pixel (37, 10).
    for (int x = 37; x < 53; ++x) EXPECT_TRUE(SameBlock(*shown, x, 0, *image, 37, 0, 1, 10)) << "column " << x;
    for (int y = 10; y < 16; ++y) EXPECT_TRUE(SameBlock(*shown, 0, y, *image, 0, 10, 36, 1)) << "row " << y;
    EXPECT_EQ(Px(*shown, 45, 12), Px(*image, 37, 10));
}

TEST(TsuiButtonPaint, HoverPressAndDisableShowImagesTwoThreeAndOne) {
    auto form = skinctl::ShowForm();
    TsuiButton* button = ProteinButton(*form);
    button->SetTabStop(false);  // no focus rectangle over the corners when pressed
    auto normal = ProteinImage(1), hot = ProteinImage(2), down = ProteinImage(3);
    ASSERT_FALSE(SameBlock(*hot, 0, 0, *normal, 0, 0, 74, 21));

    skinctl::HoverOver(*button);
    ASSERT_TRUE(button->MouseOn());
    EXPECT_TRUE(ShowsCornersOf(*skinctl::Screen(*button), *hot));

    skinctl::SendMouse(*button, WM_LBUTTONDOWN, 10, 10);
    ASSERT_TRUE(button->MouseDown());
    EXPECT_TRUE(ShowsCornersOf(*skinctl::Screen(*button), *down));

    button->SetEnabled(false);  // disabled beats the pressed and hovered looks
    EXPECT_TRUE(ShowsCornersOf(*skinctl::Screen(*button), *normal));
    skinctl::SendMouse(*button, WM_LBUTTONUP, 10, 10);
}

TEST(TsuiButtonPaint, MouseLeavingGivesTheNormalImageBack) {
    auto form = skinctl::ShowForm();
    TsuiButton* button = ProteinButton(*form);
    skinctl::HoverOver(*button);
    ASSERT_TRUE(button->MouseOn());
    skinctl::MoveMouseAway();
    // Wine notices the pointer leaving on a timer of its own.
    for (int i = 0; i < 20 && button->MouseOn(); ++i) skinctl::Pump(50);
    EXPECT_FALSE(button->MouseOn());
    EXPECT_TRUE(ShowsCornersOf(*skinctl::Screen(*button), *ProteinImage(1)));
}

TEST(TsuiButtonPaint, CaptionIsCentredAndGreyWhenDisabled) {
    auto form = skinctl::ShowForm();
    TsuiButton* button = ProteinButton(*form);
    button->SetCaption("&Ok");
    auto enabled = skinctl::Print(*button);
    // Dark text pixels only in the middle: centred across and down.
    const int left = skinctl::CountColor(*enabled, RECT{0, 0, 30, 25}, vl::clBlack);
    const int middle = skinctl::CountColor(*enabled, RECT{30, 5, 59, 20}, vl::clBlack);
    const int right = skinctl::CountColor(*enabled, RECT{59, 0, 89, 25}, vl::clBlack);
    EXPECT_GT(middle, 10);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(right, 0);
    button->SetEnabled(false);
    auto disabled = skinctl::Print(*button);
    EXPECT_EQ(skinctl::CountColor(*disabled, RECT{0, 0, 89, 25}, vl::clBlack), 0);
    EXPECT_GT(skinctl::CountColor(*disabled, RECT{30, 5, 59, 20}, vl::clGray), 10);
}

TEST(TsuiButtonPaint, FocusRectangleOnlyWhenFocused) {
    auto form = skinctl::ShowForm();
    TsuiButton* button = ProteinButton(*form);
    auto plain = skinctl::Print(*button);
    button->SetFocus();
    ASSERT_TRUE(button->Focused());
    auto focused = skinctl::Print(*button);
    // The dotted rectangle runs FocusedRectMargin (2) inside the edges.
    int changed = 0;
    for (int x = 2; x < 87; ++x) changed += Px(*plain, x, 2) != Px(*focused, x, 2);
    EXPECT_GT(changed, 20);
    EXPECT_EQ(Px(*plain, 45, 12), Px(*focused, 45, 12));
}

TEST(TsuiButtonPaint, MacOSShowsTheFocusAsABoldCaption) {
    auto form = skinctl::ShowForm();
    auto* button = skinctl::Add<TsuiButton>(*form, 20, 20, 89, 25);
    button->SetUIStyle(TsuiUIStyle::MacOS);
    button->SetCaption("Move Down");
    auto plain = skinctl::Print(*button);
    button->SetFocus();
    auto focused = skinctl::Print(*button);
    const RECT all{0, 0, 89, 25};
    EXPECT_GT(skinctl::CountColor(*focused, all, vl::clBlack), skinctl::CountColor(*plain, all, vl::clBlack));
}

TEST(TsuiButtonPaint, LookThatCannotBeReadLeavesBackgroundAndCaption) {
    vltest::RecordExceptions errors;
    auto form = skinctl::ShowForm();
    auto* button = skinctl::Add<ThrowingButton>(*form, 20, 20, 89, 25);
    button->SetUIStyle(TsuiUIStyle::Protein);
    button->SetCaption("&Add");
    auto shown = skinctl::Print(*button);
    const uint32_t face = vl::ColorToRGB(button->Color());
    EXPECT_EQ(Px(*shown, 0, 0), face);
    EXPECT_EQ(Px(*shown, 88, 24), face);
    EXPECT_GT(skinctl::CountColor(*shown, RECT{30, 5, 59, 20}, vl::clBlack), 5);
    EXPECT_TRUE(errors.messages.empty());
}

TEST(TsuiButtonGlyph, TwoImageGlyphShowsItsSecondImageWhenDisabled) {
    auto form = skinctl::ShowForm();
    TsuiButton* button = ProteinButton(*form);
    TwoImageGlyph(*button->Glyph(), 16);
    // blGlyphLeft without a caption: (89 - 16 - 0 - 4) div 2 = 34 across, (25 - 16) div 2 = 4 down.
    EXPECT_EQ(Px(*skinctl::Print(*button), 34 + 8, 4 + 8), vl::clRed);
    EXPECT_NE(Px(*skinctl::Print(*button), 34, 4), vl::clFuchsia);  // the mask colour is left out
    button->SetEnabled(false);
    EXPECT_EQ(Px(*skinctl::Print(*button), 34 + 8, 4 + 8), vl::clBlue);
}

TEST(TsuiButtonGlyph, OneImageGlyphIsGreyedWhenDisabled) {
    auto form = skinctl::ShowForm();
    TsuiButton* button = ProteinButton(*form);
    vl::TBitmap glyph;
    TwoImageGlyph(glyph, 16);
    glyph.SetSize(16, 16);  // the red image alone
    button->SetGlyph(glyph);
    const int x = (89 - 16 - 4) / 2 + 8, y = (25 - 16) / 2 + 8;
    EXPECT_EQ(Px(*skinctl::Print(*button), x, y), vl::clRed);
    button->SetEnabled(false);
    EXPECT_NE(Px(*skinctl::Print(*button), x, y), vl::clRed);
}

TEST(TsuiButtonGlyph, PressedGlyphMovesOneDownAndRight) {
    auto form = skinctl::ShowForm();
    TsuiButton* button = ProteinButton(*form);
    TwoImageGlyph(*button->Glyph(), 16);
    // The red block spans 2..13 of the glyph: its first column is at 34 + 2, then one further.
    EXPECT_EQ(Px(*skinctl::Print(*button), 36, 10), vl::clRed);
    skinctl::SendMouse(*button, WM_LBUTTONDOWN, 80, 20);
    auto pressed = skinctl::Print(*button);
    EXPECT_NE(Px(*pressed, 36, 10), vl::clRed);
    EXPECT_EQ(Px(*pressed, 37, 10), vl::clRed);
    skinctl::SendMouse(*button, WM_LBUTTONUP, 80, 20);
}

TEST(TsuiButtonGlyph, LayoutsPlaceTheGlyphAroundTheCaption) {
    auto form = skinctl::ShowForm();
    TsuiButton* button = ProteinButton(*form);
    button->SetBounds(20, 20, 120, 60);
    TwoImageGlyph(*button->Glyph(), 16);
    button->SetCaption("Wide caption");
    auto redColumns = [&] {
        auto shown = skinctl::Print(*button);
        int first = -1;
        for (int x = 0; x < 120 && first < 0; ++x)
            for (int y = 0; y < 60; ++y)
                if (Px(*shown, x, y) == vl::clRed) {
                    first = x;
                    break;
                }
        return first;
    };
    button->SetLayout(TButtonLayout::GlyphLeft);
    const int left = redColumns();
    button->SetLayout(TButtonLayout::GlyphRight);
    const int right = redColumns();
    button->SetLayout(TButtonLayout::GlyphTop);
    const int top = redColumns();
    EXPECT_GE(left, 0);
    EXPECT_GT(right, left + 30);
    EXPECT_EQ(top, (120 - 16) / 2 + 2);
}

// ------------------------------------------------------------------- DrawSkinImageStretched

namespace {
// A 10 x 10 picture with a different colour in each quarter.
void Quarters(vl::TBitmap& picture) {
    picture.SetSize(10, 10);
    vl::TCanvas& c = picture.Canvas();
    const uint32_t colours[4] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};
    for (int q = 0; q < 4; ++q) {
        c.Brush()->SetColor(colours[q]);
        c.FillRect(RECT{(q % 2) * 5, (q / 2) * 5, (q % 2) * 5 + 5, (q / 2) * 5 + 5});
    }
}
}  // namespace

TEST(SkinImageStretch, LargerDestinationKeepsEachCornerAtItsCorner) {
    vl::TBitmap picture, target(30, 20);
    Quarters(picture);
    DrawSkinImageStretched(picture, target.Canvas(), RECT{0, 0, 30, 20}, false);
    EXPECT_EQ(Px(target, 0, 0), 0x0000FFu);
    EXPECT_EQ(Px(target, 29, 0), 0x00FF00u);
    EXPECT_EQ(Px(target, 0, 19), 0xFF0000u);
    EXPECT_EQ(Px(target, 29, 19), 0x00FFFFu);
    EXPECT_EQ(Px(target, 4, 4), 0x0000FFu);
    EXPECT_EQ(Px(target, 25, 4), 0x00FF00u);
}

TEST(SkinImageStretch, SmallerDestinationTrimsCornersOnTheInnerSide) {
    vl::TBitmap picture, target(6, 6);
    Quarters(picture);
    DrawSkinImageStretched(picture, target.Canvas(), RECT{0, 0, 6, 6}, false);
    // Each corner shrinks to 3 x 3 (or 3 x 2 at the bottom and right, which start one lower),
    // still taken from its own corner of the picture.
    EXPECT_EQ(Px(target, 0, 0), 0x0000FFu);
    EXPECT_EQ(Px(target, 2, 2), 0x0000FFu);
    EXPECT_EQ(Px(target, 5, 0), 0x00FF00u);
    EXPECT_EQ(Px(target, 0, 5), 0xFF0000u);
    EXPECT_EQ(Px(target, 5, 5), 0x00FFFFu);
}

TEST(SkinImageStretch, TransparentCornersLeaveTheKeyColourOut) {
    vl::TBitmap picture, target(20, 20);
    Quarters(picture);
    picture.Canvas().SetPixel(0, 0, kSkinKeyColor);
    target.Canvas().Brush()->SetColor(vl::clWhite);
    target.Canvas().FillRect(RECT{0, 0, 20, 20});
    DrawSkinImageStretched(picture, target.Canvas(), RECT{0, 0, 20, 20}, true);
    EXPECT_EQ(Px(target, 0, 0), vl::clWhite);
    EXPECT_EQ(Px(target, 1, 0), 0x0000FFu);
    DrawSkinImageStretched(picture, target.Canvas(), RECT{0, 0, 20, 20}, false);
    EXPECT_EQ(Px(target, 0, 0), kSkinKeyColor);
}

TEST(SkinImageStretch, EmptyPictureOrDestinationDrawsNothing) {
    vl::TBitmap empty, target(8, 8);
    target.Canvas().Brush()->SetColor(vl::clWhite);
    target.Canvas().FillRect(RECT{0, 0, 8, 8});
    DrawSkinImageStretched(empty, target.Canvas(), RECT{0, 0, 8, 8}, false);
    vl::TBitmap picture;
    Quarters(picture);
    DrawSkinImageStretched(picture, target.Canvas(), RECT{0, 0, 0, 8}, false);
    EXPECT_EQ(Px(target, 3, 3), vl::clWhite);
}
