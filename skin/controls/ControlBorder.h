#pragma once
// The skinned border of the native controls (list box, edit): two pixels around the window,
// an outer line in the control's BorderColor and an inner one in its own colour. The native
// control keeps its whole frame logic (its scroll bar in particular) inside the border.
#include <windows.h>

#include <cstdint>
#include <utility>

#include "framework/Control.h"

namespace vorlinde {

class TsuiFileTheme;
enum class TsuiUIStyle : uint8_t;

inline constexpr int kControlBorderWidth = 2;

// Draws the border on the window's whole rectangle: a one-pixel frame in `border`, one pixel
// inside it a second one in `inner`.
void DrawControlBorder(HWND window, COLORREF border, COLORREF inner);

// Has the window's frame drawn anew (after a new border colour).
void RedrawControlBorder(vl::TWinControl& control);

// The border colour of a style or file theme: theme item 25 ControlBorderColor.
uint32_t ControlBorderColor(TsuiFileTheme* fileTheme, TsuiUIStyle style);

// Runs one message of a native control through `handle` (the control's own handling) and
// wears the border: the window's frame grows by the border before the native frame is taken
// off, and every paint, background erase and frame paint ends with the border drawn again.
template <class Handle>
void HandleWithControlBorder(vl::TMessage& msg, uint32_t borderColor, uint32_t innerColor, Handle&& handle) {
    switch (msg.msg) {
    case WM_NCCALCSIZE: {
        RECT& window = msg.wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(msg.lParam)->rgrc[0]
                                  : *reinterpret_cast<RECT*>(msg.lParam);
        InflateRect(&window, -kControlBorderWidth, -kControlBorderWidth);
        std::forward<Handle>(handle)(msg);
        return;
    }
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_NCPAINT:
        std::forward<Handle>(handle)(msg);
        DrawControlBorder(msg.hwnd, vl::ColorToRGB(borderColor), vl::ColorToRGB(innerColor));
        return;
    default:
        std::forward<Handle>(handle)(msg);
        return;
    }
}

}  // namespace vorlinde
