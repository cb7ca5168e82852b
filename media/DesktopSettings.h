#pragma once
// The two desktop settings that desktop playback takes over: the wallpaper value under the
// current user's "Control Panel\Desktop" key and the desktop background colour. Free of the
// video window, so that the desktop guard process can put them back on its own.
#include <windows.h>

#include <string>

namespace vorlinde {

// The wallpaper value; "" when the key or the value is missing.
std::string GetWallpaper();
// Writes `path` to the wallpaper value only when the value exists, then always asks the system
// to show the wallpaper (the path written, else the one shown now) and to tell other programs.
void SetWallpaper(const std::string& path);

// The desktop background colour as this process sees it (0x00BBGGRR).
COLORREF DesktopColor();
void SetDesktopColor(COLORREF color);
// The desktop background colour the user's profile keeps for new sessions
// ("Control Panel\Colors"/"Background", "R G B"); `fallback` when it is missing or malformed.
COLORREF StoredDesktopColor(COLORREF fallback);

}  // namespace vorlinde
