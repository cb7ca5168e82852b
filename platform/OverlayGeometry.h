#pragma once
// Where the picture goes: the rectangle a video of a given aspect ratio takes inside a
// destination for each aspect ratio mode, and the part of the picture that is shown.
#include <windows.h>

#include "platform/MixerPinConfig.h"

namespace vorlinde::platform {

inline bool SameRect(const RECT& a, const RECT& b) noexcept { return EqualRect(&a, &b) != FALSE; }

// The largest rectangle of aspect ratio sourceWidth : sourceHeight centred in box (letter-box).
// Rounds as MulDiv does; the margins are truncated toward zero. A zero ratio gives the box.
RECT FitRect(const RECT& box, LONG sourceWidth, LONG sourceHeight) noexcept;

// The centred part of source (in buffer pixels) that fills a destination of the given size
// without distortion, for a picture whose aspect ratio is aspectX : aspectY (crop).
RECT CropSource(const RECT& source, DWORD aspectX, DWORD aspectY, LONG destinationWidth,
                LONG destinationHeight) noexcept;

// A rectangle of box given in ten-thousandths of its size (the mixer's relative position).
RECT SubRect(const RECT& box, const RECT& relative) noexcept;

struct TPlacement {
    RECT source;       // part of the buffer shown, rows counted from the top
    RECT destination;  // where it is shown (same coordinates as the destination box)
};

// The picture placed in destination by mode; an empty destination gives an empty placement.
TPlacement PlaceVideo(AM_ASPECT_RATIO_MODE mode, const RECT& destination, const RECT& source,
                      DWORD aspectX, DWORD aspectY) noexcept;

}  // namespace vorlinde::platform
