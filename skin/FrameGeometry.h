#pragma once
// Where a skinned window goes and what shape it has: the bounds of a maximised window (the work
// area, one pixel short at the bottom so that an auto-hiding taskbar can still be reached) and
// the window region with rounded top corners.
#include <windows.h>

#include "framework/GdiOwners.h"

namespace vorlinde {

// The work area of the monitor showing the application's main window; the system work area
// when there is no main window.
RECT WorkAreaForMaximising();
// `workArea` with its bottom edge moved up by one pixel.
RECT MaximisedBounds(const RECT& workArea);

// The region of a W x H window with its top corners rounded by `roundCorner` (0: a rectangle):
// the rounded rectangle (0, 0)-(W+1, H+1) joined with squares of 2r at the bottom corners.
vl::TGdiRegion MakeFrameRegion(int width, int height, int roundCorner);

}  // namespace vorlinde
