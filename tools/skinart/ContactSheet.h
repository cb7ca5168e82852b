#pragma once
// The contact sheet: every built-in bitmap of every style, scaled up and labelled, in one PNG,
// for looking the art over.
#include <map>
#include <string>
#include <vector>

#include "framework/BitmapFile.h"

namespace skinart {

struct SheetImage {
    std::string label;
    const vl::TBitmapImage* image;
    int maxScale = 4;
};

struct SheetSection {
    std::string title;
    std::vector<SheetImage> images;
};

struct Color;

// Text in a 5 x 7 pixel font (capitals, digits, a few signs), each pixel `scale` pixels wide.
void DrawLabel(vl::TBitmapImage& image, int x, int y, const std::string& text, Color color, int scale);

vl::TBitmapImage ComposeContactSheet(const std::vector<SheetSection>& sections, int maxWidth);

// A PNG of the picture, 8-bit RGB, compressed with deflate's fixed codes.
std::vector<uint8_t> EncodePng(const vl::TBitmapImage& image);

}  // namespace skinart
