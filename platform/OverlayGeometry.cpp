#include "platform/OverlayGeometry.h"

namespace vorlinde::platform {

RECT FitRect(const RECT& box, LONG sourceWidth, LONG sourceHeight) noexcept {
    const LONG boxWidth = box.right - box.left;
    const LONG boxHeight = box.bottom - box.top;
    if (sourceWidth <= 0 || sourceHeight <= 0 || boxWidth <= 0 || boxHeight <= 0) return box;
    LONG width;
    LONG height;
    if (static_cast<double>(boxHeight) / sourceHeight > static_cast<double>(boxWidth) / sourceWidth) {
        width = boxWidth;
        height = MulDiv(sourceHeight, boxWidth, sourceWidth);
    } else {
        height = boxHeight;
        width = MulDiv(sourceWidth, boxHeight, sourceHeight);
    }
    const LONG left = box.left + (boxWidth - width) / 2;
    const LONG top = box.top + (boxHeight - height) / 2;
    return {left, top, left + width, top + height};
}

RECT CropSource(const RECT& source, DWORD aspectX, DWORD aspectY, LONG destinationWidth,
                LONG destinationHeight) noexcept {
    const LONG width = source.right - source.left;
    const LONG height = source.bottom - source.top;
    if (aspectX == 0 || aspectY == 0 || destinationWidth <= 0 || destinationHeight <= 0 ||
        width <= 0 || height <= 0) {
        return source;
    }
    // Compare the picture's aspect (aspectX / aspectY) with the destination's in 64 bits.
    const long long picture = static_cast<long long>(aspectX) * destinationHeight;
    const long long target = static_cast<long long>(aspectY) * destinationWidth;
    RECT result = source;
    if (picture > target) {
        // Picture wider than the destination: keep target / picture of the width.
        const LONG keep = static_cast<LONG>(width * target / picture);
        const LONG kept = keep > 0 ? keep : 1;
        result.left = source.left + (width - kept) / 2;
        result.right = result.left + kept;
    } else if (picture < target) {
        const LONG keep = static_cast<LONG>(height * picture / target);
        const LONG kept = keep > 0 ? keep : 1;
        result.top = source.top + (height - kept) / 2;
        result.bottom = result.top + kept;
    }
    return result;
}

RECT SubRect(const RECT& box, const RECT& relative) noexcept {
    const long long width = box.right - box.left;
    const long long height = box.bottom - box.top;
    return {static_cast<LONG>(box.left + width * relative.left / 10000),
            static_cast<LONG>(box.top + height * relative.top / 10000),
            static_cast<LONG>(box.left + width * relative.right / 10000),
            static_cast<LONG>(box.top + height * relative.bottom / 10000)};
}

TPlacement PlaceVideo(AM_ASPECT_RATIO_MODE mode, const RECT& destination, const RECT& source,
                      DWORD aspectX, DWORD aspectY) noexcept {
    TPlacement placement{source, destination};
    if (destination.right <= destination.left || destination.bottom <= destination.top) {
        placement.destination = {destination.left, destination.top, destination.left, destination.top};
        return placement;
    }
    switch (mode) {
    case AM_ARMODE_LETTER_BOX:
        placement.destination = FitRect(destination, static_cast<LONG>(aspectX), static_cast<LONG>(aspectY));
        break;
    case AM_ARMODE_CROP:
        placement.source = CropSource(source, aspectX, aspectY, destination.right - destination.left,
                                      destination.bottom - destination.top);
        break;
    default:
        break;
    }
    return placement;
}

}  // namespace vorlinde::platform
