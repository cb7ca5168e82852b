#pragma once
// Bitmap files for pictures that a form description stores with fewer colours than the art has:
// palette bitmaps of 16 or 256 colours (reduced by median cut, deterministic) and 16-bit
// (5-5-5) bitmaps, all uncompressed .bmp files.
#include <cstdint>
#include <vector>

#include "framework/BitmapFile.h"

namespace skinart {

// A .bmp file of `image` with 4 or 8 bits per pixel, its palette at most 2^bitCount colours.
std::vector<uint8_t> EncodeIndexedBitmapFile(const vl::TBitmapImage& image, int bitCount);
// A .bmp file of `image` with 16 bits per pixel, 5 bits a channel.
std::vector<uint8_t> EncodeHighColorBitmapFile(const vl::TBitmapImage& image);

}  // namespace skinart
