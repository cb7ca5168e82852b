#include "skin/OffscreenBuffer.h"

#include <algorithm>

#include "framework/Exceptions.h"

namespace vorlinde {

TOffscreenBuffer::TOffscreenBuffer(HDC reference, int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)) {
    dc_ = CreateCompatibleDC(reference);
    if (!dc_) vl::RaiseLastOSError("Cannot create an off-screen device context");
    bitmap_ = CreateCompatibleBitmap(reference, width_, height_);
    if (!bitmap_) {
        DeleteDC(dc_);
        vl::RaiseLastOSError("Cannot create an off-screen bitmap");
    }
    oldBitmap_ = SelectObject(dc_, bitmap_);
}

TOffscreenBuffer::~TOffscreenBuffer() {
    SelectObject(dc_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void TOffscreenBuffer::CopyTo(HDC target) const { BitBlt(target, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY); }

}  // namespace vorlinde
