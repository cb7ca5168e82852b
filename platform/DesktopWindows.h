#pragma once
// What the desktop layer needs to know about the other windows on the screen.
#include <windows.h>

#include <dshow.h>

#include "framework/GdiOwners.h"

namespace vorlinde::platform {

// True when colour lies inside the key's colour range, channel by channel.
bool ColorKeyMatches(COLORREF color, const COLORKEY& key) noexcept;

// A colour that looks like the key but is not inside its range.
COLORREF NearKeyColor(const COLORKEY& key) noexcept;

// The part of area (screen coordinates) covered by visible top-level windows, leaving out the
// overlay layers themselves and the shell's desktop windows.
vl::TGdiRegion CoveredDesktopRegion(const RECT& area);

// The window classes of the platform's video renderer windows.
bool IsVideoRendererWindow(HWND window);

}  // namespace vorlinde::platform
