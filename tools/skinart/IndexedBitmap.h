#pragma once
// Palette bitmaps for pictures that a form description stores with 16 or 256 colours: the
// colours are reduced by median cut (deterministic), then written as an uncompressed .bmp.
#include <cstdint>
#include <vector>

#include "framework/BitmapFile.h"

namespace skinart {

// A .bmp file of `image` with 4 or 8 bits per pixel, its palette at most 2^bitCount colours.
std::vector<uint8_t> EncodeIndexedBitmapFile(const vl::TBitmapImage& image, int bitCount);

}  // namespace skinart
