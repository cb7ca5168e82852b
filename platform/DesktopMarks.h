#pragma once
// The desktop's own marks: what the desktop shows over its flat background (its icons and
// their labels, drawn by the shell's icon view or, under Wine, by the desktop window itself),
// read from the screen before the top-most desktop layer covers it, so that the layer can
// leave them see-through.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/GdiOwners.h"

namespace vorlinde::platform {

// The marks in a picture: `pixels` is width x height, top-down, 0x00RRGGBB; `considered`
// (picture coordinates, may be null for all of it) is where the bare desktop shows. The
// background is the most common colour there; a block of the grid that holds a pixel of
// another colour is a mark, and so are its neighbours (an icon's faint edges). When marks
// cover more than a quarter of the considered blocks the background is a picture, not a flat
// colour with icons on it, and there are no marks. The result is in picture coordinates.
vl::TGdiRegion FindMarksInPicture(const std::vector<uint32_t>& pixels, int width, int height, HRGN considered);

// The marks on the screen inside `area` (screen coordinates), where `considered` (screen
// coordinates) shows the desktop. The result is in screen coordinates.
vl::TGdiRegion FindDesktopMarks(const RECT& area, HRGN considered);

}  // namespace vorlinde::platform
