#include "skin/controls/ControlBorder.h"

#include "framework/GdiOwners.h"
#include "skin/UIStyle.h"
#include "skin/controls/ThemeLook.h"

namespace vorlinde {

namespace {
// Fills with the background colour through an opaque empty text: no brush to make and free
// at every paint.
void Fill(HDC dc, const RECT& r) { ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, "", 0, nullptr); }

void FrameRectangle(HDC dc, const RECT& r, COLORREF color) {
    SetBkColor(dc, color);
    Fill(dc, RECT{r.left, r.top, r.right, r.top + 1});
    Fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom});
    Fill(dc, RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1});
    Fill(dc, RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1});
}
}  // namespace

void DrawControlBorder(HWND window, COLORREF border, COLORREF inner) {
    vl::TWholeWindowDC dc(window);
    if (!dc) return;
    RECT r;
    GetWindowRect(window, &r);
    OffsetRect(&r, -r.left, -r.top);
    if (r.right < 2 || r.bottom < 2) return;
    FrameRectangle(dc.Get(), r, border);
    InflateRect(&r, -1, -1);
    if (r.right > r.left && r.bottom > r.top) FrameRectangle(dc.Get(), r, inner);
}

void RedrawControlBorder(vl::TWinControl& control) {
    if (!control.HandleAllocated()) return;
    RedrawWindow(control.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

uint32_t ControlBorderColor(TsuiFileTheme* fileTheme, TsuiUIStyle style) {
    return ThemeColor(fileTheme, style, ThemeItem::ControlBorderColor);
}

}  // namespace vorlinde
