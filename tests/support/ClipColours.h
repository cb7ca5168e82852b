#pragma once
// Which sample clip the screen shows. The test clips are one solid colour each, so the colour
// of a pixel names the clip playing there.
#include <windows.h>

#include <cstring>
#include <string>

namespace vltest {

struct NamedClipColour {
    const char* name;
    COLORREF colour;
};
// The colours the sample clips are made with.
inline constexpr NamedClipColour kClipColours[] = {
    {"red", RGB(255, 0, 0)},      {"green", RGB(0, 128, 0)},  {"blue", RGB(0, 0, 255)},
    {"yellow", RGB(255, 255, 0)}, {"cyan", RGB(0, 255, 255)}, {"magenta", RGB(255, 0, 255)},
    {"white", RGB(255, 255, 255)},
};

// The clip colour a pixel is: "red", "green", "blue", "yellow", "cyan", "magenta" or "white";
// "" for any other colour (the desktop, the colour key RGB(16,0,16), black bars). Encoding moves
// a solid colour a little, never this far.
inline std::string ClipColourOf(COLORREF pixel) {
    constexpr int kMaxDistanceSquared = 3 * 50 * 50;
    if (pixel == CLR_INVALID) return {};
    for (const NamedClipColour& named : kClipColours) {
        const int dr = GetRValue(pixel) - GetRValue(named.colour);
        const int dg = GetGValue(pixel) - GetGValue(named.colour);
        const int db = GetBValue(pixel) - GetBValue(named.colour);
        if (dr * dr + dg * dg + db * db <= kMaxDistanceSquared) return named.name;
    }
    return {};
}

// The clip colour the screen shows at (x, y).
inline std::string ClipColourAt(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return ClipColourOf(pixel);
}

// The same at the centre of the primary monitor, which the program's hidden windows leave free.
inline std::string DesktopClipColour() {
    return ClipColourAt(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
}

// "red.mpg" -> "red": the colour a sample clip shows.
inline std::string ColourOf(const char* clip) {
    const char* dot = std::strchr(clip, '.');
    return dot ? std::string(clip, dot) : std::string(clip);
}

}  // namespace vltest
