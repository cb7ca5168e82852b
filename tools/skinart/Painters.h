#pragma once
// Element painters shared by the styles: each draws one kind of skin picture (a button state, a
// check box state, a title bar piece, a caption button, a scroll bar part ...) from a few look
// parameters. The looks (StyleArt.h, one Style*.cpp file each) choose the parameters and give
// each look its character.
#include <string>
#include <vector>

#include "Raster.h"

namespace skinart {

using vl::TBitmapImage;

enum class ButtonState { Normal, Hot, Down };
enum class Glyph { ControlBox, Help, Max, Restore, Min, Close };

// Side by side, in order; all images must have the same height.
TBitmapImage Strip(const std::vector<TBitmapImage>& images);

// --- push buttons
struct ButtonLook {
    Gradient fill[3];    // normal, hot, down (top to bottom)
    Color border[3];
    float radius = 3;
    float gloss = 0;     // white sheen over the upper half, 0..1
    float innerLight = 0.6f;  // light line inside the top edge
    Color hotGlow = Rgb(0, 0, 0);  // an inner ring on hot, when glowWidth > 0
    float glowWidth = 0;
    bool keyed = false;  // magenta outside the shape; else flattened over `background`
    Color background;
};
TBitmapImage PaintButton(int w, int h, const ButtonLook& look, ButtonState state);

// --- check boxes and radio buttons: 4 states (checked, unchecked, checked disabled, unchecked disabled)
struct ToggleLook {
    int boxSize = 13;
    float radius = 2;       // check box corner radius
    Color border, borderDisabled;
    Gradient fill, fillDisabled;
    Gradient fillChecked;   // box fill when checked (for styles that fill the box)
    bool fillWhenChecked = false;
    Color mark, markDisabled;
    Color background;       // around the box
    float gloss = 0;
};
TBitmapImage PaintCheckBox(int w, int h, const ToggleLook& look, bool checked, bool enabled);
TBitmapImage PaintRadio(int w, int h, const ToggleLook& look, bool checked, bool enabled);

// --- title bar pieces
struct TitleLook {
    Gradient body;           // top to bottom
    float gloss = 0;         // white sheen over the upper part
    float glossEnd = 0.5f;   // where the sheen ends (fraction of the height)
    Color topLine, bottomLine;
    float topLineOpacity = 0, bottomLineOpacity = 0;
};
// The styles add their decorations to the layer before flattening it.
Layer TitleLayer(int w, int h, const TitleLook& look);

// --- caption buttons
enum class CaptionShape { Circle, RoundSquare };
struct CaptionLook {
    CaptionShape shape = CaptionShape::RoundSquare;
    int inset = 1;             // empty margin around the button face
    float radius = 3;
    Gradient face[3];          // normal, hot, down
    Gradient closeFace[3];     // the close button's faces
    Color border[3];
    Color closeBorder[3];
    Color glyph[3];
    Color closeGlyph[3];
    float gloss = 0.35f;
    float glyphWidth = 1.6f;
    bool glyphOnNormal = true;  // false: the glyph shows only on hot and down (gems)
    std::vector<Gradient> gemFaces;  // per glyph kind for circle gems (control box .. close)
    bool keyed = false;
    std::vector<Color> backgroundColumn;  // opaque buttons: the title bar's colours, one per row
};
TBitmapImage PaintCaptionButton(int size, int height, const CaptionLook& look, Glyph glyph, ButtonState state);
// The 18-image strip: control box, help, maximise, restore, minimise, close; 3 states each.
TBitmapImage CaptionStrip(int size, int height, const CaptionLook& look);
// The glyph's coverage in a box of the given size.
Mask GlyphMask(int w, int h, Glyph glyph, float x0, float y0, float box, float width);

// --- scroll bars
struct ScrollLook {
    Gradient face[3];     // across the bar's width
    Color border[3];
    Color arrow[3];
    float radius = 2;
    Color track;          // the bar's background (ScrollBarBackgroundColor)
    Gradient thumb;       // across the thumb's thickness
    Color thumbBorder;
    float thumbRadius = 3;
    float thumbInset = 1;
    float gloss = 0.3f;
};
enum class Direction { Up, Down, Left, Right };
TBitmapImage PaintArrowButton(int w, int h, const ScrollLook& look, ButtonState state, Direction direction);
// 6 images: decrease (up arrow) normal, hot, down, then increase (down arrow).
TBitmapImage PaintScrollButtons(int w, int h, const ScrollLook& look);
// 3 images, the thumb lying horizontally: head (left end), middle, tail (right end).
TBitmapImage PaintScrollThumb(int partWidth, int h, const ScrollLook& look);

// --- the smaller pieces
TBitmapImage PaintProgress(int w, int h, const Gradient& fill, Color background, bool stripes, Color gap,
                           int gapWidth);
TBitmapImage PaintTrackBar(int w, int h, Color border, const Gradient& groove, Color background);
// A slider pointing down (vertical = false) or right (vertical = true).
TBitmapImage PaintSlider(int w, int h, bool pointRight, const Gradient& face, Color border, Color background,
                         bool keyed);
// 4 images like the check box, smaller, for check list boxes.
TBitmapImage PaintCheckList(int w, int h, const ToggleLook& look);
// 4 images: left normal, left pressed, right normal, right pressed.
TBitmapImage PaintScrollButtonPair(int w, int h, const ScrollLook& look);
// 3 images: normal, hot, selected tab; the tab's bottom edge is open.
TBitmapImage PaintTabs(int w, int h, const Gradient& face, const Gradient& selectedFace, Color border,
                       Color background, float radius);
TBitmapImage PaintTabLine(int w, int h, Color line, Color fill);
TBitmapImage PaintSideHandle(int w, int h, const Gradient& face, Color border, Color grip, Color background);
TBitmapImage PaintColumn(int h, const Gradient& g);

// The pixel at (x, y) becomes magenta: the corner the skinned controls take their see-through
// colour from.
void ForceKey(TBitmapImage& image, int x, int y);

// --- shared extras
TBitmapImage PaintMenuChecked();

}  // namespace skinart
