#include "skin/controls/BitmapRotation.h"

#include <cstdint>

#include "framework/Bitmap.h"

namespace vorlinde {

void RotateQuarterTurn(vl::TBitmap& bitmap, bool clockwise) {
    if (bitmap.Empty()) return;
    const int w = bitmap.Width(), h = bitmap.Height();
    vl::TBitmap turned(h, w);
    if (turned.Empty()) return;
    // Both are top-down 32-bit DIB sections: rows follow each other without gaps.
    const auto* source = reinterpret_cast<const uint32_t*>(bitmap.ScanLine(0));
    auto* target = reinterpret_cast<uint32_t*>(turned.ScanLine(0));
    for (int y = 0; y < w; ++y)
        for (int x = 0; x < h; ++x) {
            // Clockwise, the turned picture's (x, y) shows the source's (y, h - 1 - x);
            // counter-clockwise, the source's (w - 1 - y, x).
            const int sx = clockwise ? y : w - 1 - y;
            const int sy = clockwise ? h - 1 - x : x;
            target[static_cast<size_t>(y) * h + x] = source[static_cast<size_t>(sy) * w + sx];
        }
    turned.SetTransparent(bitmap.Transparent());
    bitmap.Assign(turned);
}

}  // namespace vorlinde
