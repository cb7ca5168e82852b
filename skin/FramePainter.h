#pragma once
// Paints the non-client frame of a skinned window into its whole-window device context: the
// outer line in the border colour (none at the top), the rest of the 3-pixel frame in the
// background colour, and the top three rows and the side columns beside the title bar continued
// from the title bar's pictures, so that the title bar looks as if it reached the window's edge.
#include <windows.h>

#include <cstdint>

namespace vl {
class TBitmap;
}

namespace vorlinde {

struct TFramePaintInput {
    int width = 0, height = 0;    // the window's size
    int borderWidth = 1;          // width of the outer line
    uint32_t borderColor = 0;     // 0x00BBGGRR
    uint32_t color = 0xFFFFFF;    // the inner frame
    int titleHeight = 0;          // the title bar's height, 0 when it is hidden
    // The title bar's section pictures (left, right, client); null unless the title bar is
    // visible and has exactly three sections.
    vl::TBitmap* left = nullptr;
    vl::TBitmap* right = nullptr;
    vl::TBitmap* client = nullptr;
    int roundCorner = 0;
    // A visible menu bar below the title bar: the side strips beside it take its colour.
    int menuBarHeight = 0;
    uint32_t menuBarColor = 0;
};

// The frame is 3 pixels wide on every side (the host's frame once its caption is gone).
inline constexpr int kSkinFrameWidth = 3;

void PaintSkinFrame(HDC dc, const TFramePaintInput& in);

}  // namespace vorlinde
