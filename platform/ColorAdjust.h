#pragma once
// Overlay colour controls done in software: the seven DDCOLORCONTROL settings (brightness,
// contrast, hue, saturation, sharpness, gamma, colour on/off), their ranges, and
// TColorAdjuster, which turns a frame into a 32-bit picture with the settings applied.
#include <windows.h>

#include <ddraw.h>

#include <cstdint>
#include <vector>

#include "platform/VideoFormat.h"

namespace vorlinde::platform {

// DDCOLOR_BRIGHTNESS .. DDCOLOR_COLORENABLE: every control is supported.
constexpr DWORD kSupportedColorControls = 0x7F;

struct TColorSettings {
    LONG brightness = 750;    // 0..10000: black level in hundredths of IRE; 750 leaves it as is
    LONG contrast = 10000;    // 0..20000: luminance gain in hundredths of a percent
    LONG hue = 0;             // -180..180 degrees of chroma rotation
    LONG saturation = 10000;  // 0..20000: chroma gain in hundredths of a percent
    LONG sharpness = 5;       // 0..10: 5 leaves the picture as is, less softens, more sharpens
    LONG gamma = 1;           // 1..500: gamma 1 + (value - 1) / 100 applied to the levels
    bool colorEnable = true;  // false shows the picture in grey

    bool IsNeutral() const noexcept;
    bool operator==(const TColorSettings&) const = default;
};

// E_POINTER, or E_INVALIDARG when dwSize is wrong, a flag is unknown, or a flagged value is
// out of its range; S_OK otherwise.
HRESULT ValidateColorControl(const DDCOLORCONTROL* control) noexcept;
// Copies the flagged members of a validated control into settings.
void MergeColorControl(TColorSettings& settings, const DDCOLORCONTROL& control) noexcept;
// All seven settings as a DDCOLORCONTROL with every supported flag set.
DDCOLORCONTROL ToColorControl(const TColorSettings& settings) noexcept;

class TColorAdjuster {
public:
    TColorAdjuster();
    void Configure(const TColorSettings& settings);
    bool IsIdentity() const noexcept { return identity_; }
    // Writes the whole buffer of a frame in format as 0x00RRGGBB pixels, width per row, in the
    // frame's row order. source must hold format.imageSize bytes; out width * height pixels.
    void Process(const uint8_t* source, const TVideoFormat& format, uint32_t* out) const;

private:
    void Sharpen(uint32_t* pixels, LONG width, LONG height) const;

    bool identity_ = true;
    bool matrixActive_ = false;
    bool levelsActive_ = false;
    int sharpen_ = 0;  // -256 (soften) .. 256 (sharpen), 0 = off
    int matrix_[9] = {4096, 0, 0, 0, 4096, 0, 0, 0, 4096};  // RGB -> RGB in 1/4096 steps
    uint8_t levels_[256];
};

}  // namespace vorlinde::platform
