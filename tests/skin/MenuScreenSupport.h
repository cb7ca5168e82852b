#pragma once
// Helpers of the skinned menu tests that look at a menu really open on the screen: a script of
// steps run while the menu's own modal loop runs (each on a timer tick), the open menu's window
// and item rectangles, and screenshots read pixel by pixel.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "framework/Graphics.h"

namespace menutest {

// Runs `open` (which shows a menu and returns when it closed) and, while the menu is open, the
// steps one after another, `intervalMs` apart, the first once the menu has been painted. After
// the last step the menu is closed (EndMenu). Returns the number of steps that ran.
int RunWhileOpen(const std::function<void()>& open, const std::vector<std::function<void()>>& steps,
                 UINT intervalMs = 30);

// The visible menu window, or null.
HWND OpenMenuWindow();
// The screen rectangle of item `position` of the open menu (empty when there is none).
RECT OpenMenuItemRect(int position);
// Moves the pointer to a screen point (the open menu tracks it).
void PointAt(int x, int y);
void PointAtItem(int position);

// A copy of a rectangle of the screen, read in screen coordinates.
class TScreenShot {
public:
    explicit TScreenShot(const RECT& screenRect);
    // The colour at a screen point, 0x00BBGGRR; 0xFFFFFFFF outside the shot.
    uint32_t Pixel(int x, int y);
    // How many pixels of the screen rectangle `r` have the colour.
    int Count(const RECT& r, uint32_t color);

private:
    RECT rect_;
    vl::TBitmap bitmap_;
};

}  // namespace menutest
