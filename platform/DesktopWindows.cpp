#include "platform/DesktopWindows.h"

#include <algorithm>
#include <cstring>

#include "platform/OverlayPresenter.h"

namespace vorlinde::platform {

namespace {

bool ClassIs(HWND window, const char* name) {
    char buffer[64];
    if (!GetClassNameA(window, buffer, sizeof buffer)) return false;
    return lstrcmpiA(buffer, name) == 0;
}

// A window whose window region is empty shows nothing of itself, so it covers nothing.
bool ShowsNothing(HWND window) {
    RECT box;
    return GetWindowRgnBox(window, &box) == NULLREGION;
}

struct TCoverSearch {
    RECT area;
    HRGN region;
};

BOOL CALLBACK AddCoveringWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<TCoverSearch*>(context);
    if (!IsWindowVisible(window) || IsIconic(window) || ShowsNothing(window)) return TRUE;
    if (ClassIs(window, kOverlayLayerClass) || ClassIs(window, "Progman") || ClassIs(window, "WorkerW")) {
        return TRUE;
    }
    RECT rect;
    RECT common;
    if (!GetWindowRect(window, &rect) || !IntersectRect(&common, &rect, &search.area)) return TRUE;
    const vl::TGdiRegion part = vl::MakeRectRegion(common);
    if (part) CombineRgn(search.region, search.region, part.Get(), RGN_OR);
    return TRUE;
}

}  // namespace

bool ColorKeyMatches(COLORREF color, const COLORKEY& key) noexcept {
    if (!(key.KeyType & CK_RGB)) return false;
    auto inside = [](BYTE value, BYTE a, BYTE b) { return value >= std::min(a, b) && value <= std::max(a, b); };
    const COLORREF low = key.LowColorValue;
    const COLORREF high = key.HighColorValue;
    return inside(GetRValue(color), GetRValue(low), GetRValue(high)) &&
           inside(GetGValue(color), GetGValue(low), GetGValue(high)) &&
           inside(GetBValue(color), GetBValue(low), GetBValue(high));
}

COLORREF NearKeyColor(const COLORKEY& key) noexcept {
    const BYTE blueLow = std::min(GetBValue(key.LowColorValue), GetBValue(key.HighColorValue));
    const BYTE blueHigh = std::max(GetBValue(key.LowColorValue), GetBValue(key.HighColorValue));
    const BYTE blue = blueHigh < 255 ? static_cast<BYTE>(blueHigh + 1) : static_cast<BYTE>(blueLow - 1);
    return RGB(GetRValue(key.LowColorValue), GetGValue(key.LowColorValue), blue);
}

vl::TGdiRegion CoveredDesktopRegion(const RECT& area) {
    vl::TGdiRegion region = vl::MakeEmptyRegion();
    if (!region) return region;
    TCoverSearch search{area, region.Get()};
    EnumWindows(AddCoveringWindow, reinterpret_cast<LPARAM>(&search));
    return region;
}

bool IsVideoRendererWindow(HWND window) {
    // "VideoRenderer" on Windows; Wine's renderers use their own class.
    return ClassIs(window, "VideoRenderer") || ClassIs(window, "wine_quartz_window");
}

}  // namespace vorlinde::platform
