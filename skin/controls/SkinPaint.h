#pragma once
// Drawing pieces the skinned controls share: a skin image stretched over any rectangle with
// its corners kept unscaled, pictures drawn through an image list (masked, greyed when
// disabled), and captions in the enabled, pressed and disabled looks.
#include <windows.h>

#include <cstdint>
#include <string>

namespace vl {
class TBitmap;
class TCanvas;
class TFont;
}  // namespace vl

namespace vorlinde {

// The colour a skin image uses for its see-through pixels.
inline constexpr uint32_t kSkinKeyColor = 0xFF00FF;

// Draws `picture` over `dest`, keeping its four corners unscaled and stretching the bands
// between them: the picture is cut in halves across and down, each corner drawn at its corner
// of `dest` (trimmed where `dest` is smaller than the picture), the edges stretched along the
// border and the centre both ways. Corners leave out the key colour when `transparent`;
// edges and centre always leave it out.
void DrawSkinImageStretched(vl::TBitmap& picture, vl::TCanvas& canvas, const RECT& dest, bool transparent);

// Draws image `index` (from 0) of `picture` cut into images `imageWidth` wide, at (x, y),
// through an image list: pixels of the picture's top-left colour are left out when `masked`;
// `greyed` draws the image embossed in grey, as disabled pictures look.
void DrawListImage(vl::TCanvas& canvas, vl::TBitmap& picture, int imageWidth, int index, int x, int y, bool masked,
                   bool greyed);

// Draws a caption with the canvas's font on a clear background, '&' marking the accelerator:
// disabled, white one pixel down and right under grey (0x808080); enabled, in the canvas's
// font colour, one pixel down and right when `pressed`.
void DrawCaption(vl::TCanvas& canvas, const std::string& caption, RECT rect, UINT format, bool enabled, bool pressed);

// Gives the canvas this font, unless it has it already (each change makes the canvas select a
// new copy of the font).
void UseFont(vl::TCanvas& canvas, const vl::TFont& font);

// The width and height of a caption as DrawCaption shows it (the '&' marks take no room).
SIZE CaptionExtent(vl::TCanvas& canvas, const std::string& caption);

}  // namespace vorlinde
