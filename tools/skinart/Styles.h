#pragma once
// The looks: the five built-in styles (every bitmap resource of the item table and the extra
// bitmaps) and the theme the build writes as "msn.sui".
#include <map>
#include <string>

#include "framework/BitmapFile.h"

namespace skinart {

// Every built-in bitmap, by resource name, at the size the item table gives.
std::map<std::string, vl::TBitmapImage> PaintBuiltInArt();

// The bitmaps of the "msn" theme, by theme item name (ButtonImage, ...).
std::map<std::string, vl::TBitmapImage> PaintMsnThemeArt();

}  // namespace skinart
