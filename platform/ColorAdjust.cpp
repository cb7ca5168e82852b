#include "platform/ColorAdjust.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vorlinde::platform {

namespace {

constexpr double kPi = 3.14159265358979323846;

inline int Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// One row of the buffer as 0x00RRGGBB.
void DecodeRow(TPixelLayout layout, const uint8_t* source, uint32_t* out, LONG width) {
    switch (layout) {
    case TPixelLayout::Rgb32:
        for (LONG x = 0; x < width; ++x) {
            uint32_t v;
            std::memcpy(&v, source + 4 * x, 4);
            out[x] = v & 0xFFFFFF;
        }
        break;
    case TPixelLayout::Rgb24:
        for (LONG x = 0; x < width; ++x) {
            const uint8_t* p = source + 3 * x;
            out[x] = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                     (static_cast<uint32_t>(p[2]) << 16);
        }
        break;
    case TPixelLayout::Rgb565:
        for (LONG x = 0; x < width; ++x) {
            const uint32_t v = source[2 * x] | (source[2 * x + 1] << 8);
            const uint32_t r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
            out[x] = (((r << 3) | (r >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) | ((b << 3) | (b >> 2));
        }
        break;
    case TPixelLayout::Rgb555:
        for (LONG x = 0; x < width; ++x) {
            const uint32_t v = source[2 * x] | (source[2 * x + 1] << 8);
            const uint32_t r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
            out[x] = (((r << 3) | (r >> 2)) << 16) | (((g << 3) | (g >> 2)) << 8) | ((b << 3) | (b >> 2));
        }
        break;
    }
}

}  // namespace

bool TColorSettings::IsNeutral() const noexcept { return *this == TColorSettings{}; }

HRESULT ValidateColorControl(const DDCOLORCONTROL* control) noexcept {
    if (!control) return E_POINTER;
    if (control->dwSize != sizeof(DDCOLORCONTROL)) return E_INVALIDARG;
    const DWORD flags = control->dwFlags;
    if (flags & ~kSupportedColorControls) return E_INVALIDARG;
    auto outside = [&](DWORD flag, LONG value, LONG low, LONG high) {
        return (flags & flag) && (value < low || value > high);
    };
    if (outside(DDCOLOR_BRIGHTNESS, control->lBrightness, 0, 10000) ||
        outside(DDCOLOR_CONTRAST, control->lContrast, 0, 20000) ||
        outside(DDCOLOR_HUE, control->lHue, -180, 180) ||
        outside(DDCOLOR_SATURATION, control->lSaturation, 0, 20000) ||
        outside(DDCOLOR_SHARPNESS, control->lSharpness, 0, 10) ||
        outside(DDCOLOR_GAMMA, control->lGamma, 1, 500) ||
        outside(DDCOLOR_COLORENABLE, control->lColorEnable, 0, 1)) {
        return E_INVALIDARG;
    }
    return S_OK;
}

void MergeColorControl(TColorSettings& settings, const DDCOLORCONTROL& control) noexcept {
    const DWORD flags = control.dwFlags;
    if (flags & DDCOLOR_BRIGHTNESS) settings.brightness = control.lBrightness;
    if (flags & DDCOLOR_CONTRAST) settings.contrast = control.lContrast;
    if (flags & DDCOLOR_HUE) settings.hue = control.lHue;
    if (flags & DDCOLOR_SATURATION) settings.saturation = control.lSaturation;
    if (flags & DDCOLOR_SHARPNESS) settings.sharpness = control.lSharpness;
    if (flags & DDCOLOR_GAMMA) settings.gamma = control.lGamma;
    if (flags & DDCOLOR_COLORENABLE) settings.colorEnable = control.lColorEnable != 0;
}

DDCOLORCONTROL ToColorControl(const TColorSettings& settings) noexcept {
    DDCOLORCONTROL control{};
    control.dwSize = sizeof control;
    control.dwFlags = kSupportedColorControls;
    control.lBrightness = settings.brightness;
    control.lContrast = settings.contrast;
    control.lHue = settings.hue;
    control.lSaturation = settings.saturation;
    control.lSharpness = settings.sharpness;
    control.lGamma = settings.gamma;
    control.lColorEnable = settings.colorEnable ? 1 : 0;
    return control;
}

TColorAdjuster::TColorAdjuster() {
    for (int i = 0; i < 256; ++i) levels_[i] = static_cast<uint8_t>(i);
}

void TColorAdjuster::Configure(const TColorSettings& settings) {
    // Levels: contrast is a gain on the level, brightness moves the black level (7.5 IRE, the
    // setting 750, is where the picture's own black already is), gamma bends the result.
    const double gain = settings.contrast / 10000.0;
    const double offset = (settings.brightness - 750) * 255.0 / 10000.0;
    const double exponent = 1.0 / (1.0 + (settings.gamma - 1) / 100.0);
    levelsActive_ = false;
    for (int i = 0; i < 256; ++i) {
        double v = std::clamp(i * gain + offset, 0.0, 255.0);
        if (settings.gamma != 1) v = 255.0 * std::pow(v / 255.0, exponent);
        levels_[i] = static_cast<uint8_t>(Clamp255(static_cast<int>(std::lround(v))));
        if (levels_[i] != i) levelsActive_ = true;
    }

    // Chroma: rotate (hue) and scale (saturation, colour off = 0) Cb and Cr of BT.601 YCbCr;
    // composed into one RGB -> RGB matrix.
    const double scale = settings.colorEnable ? settings.saturation / 10000.0 : 0.0;
    matrixActive_ = settings.hue != 0 || scale != 1.0;
    if (matrixActive_) {
        const double angle = settings.hue * kPi / 180.0;
        const double c = std::cos(angle) * scale;
        const double s = std::sin(angle) * scale;
        const double toYcc[3][3] = {{0.299, 0.587, 0.114},
                                    {-0.168736, -0.331264, 0.5},
                                    {0.5, -0.418688, -0.081312}};
        const double chroma[3][3] = {{1, 0, 0}, {0, c, -s}, {0, s, c}};
        const double toRgb[3][3] = {{1, 0, 1.402}, {1, -0.344136, -0.714136}, {1, 1.772, 0}};
        double mid[3][3] = {};
        double full[3][3] = {};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                for (int k = 0; k < 3; ++k) mid[i][j] += chroma[i][k] * toYcc[k][j];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                for (int k = 0; k < 3; ++k) full[i][j] += toRgb[i][k] * mid[k][j];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) matrix_[3 * i + j] = static_cast<int>(std::lround(full[i][j] * 4096));
    }

    sharpen_ = (settings.sharpness - 5) * 256 / 5;
    identity_ = !levelsActive_ && !matrixActive_ && sharpen_ == 0;
}

void TColorAdjuster::Process(const uint8_t* source, const TVideoFormat& format, uint32_t* out) const {
    const LONG width = format.width;
    const LONG height = format.height;
    for (LONG y = 0; y < height; ++y) {
        uint32_t* row = out + static_cast<size_t>(y) * width;
        DecodeRow(format.layout, source + static_cast<size_t>(y) * format.stride, row, width);
        if (!matrixActive_ && !levelsActive_) continue;
        for (LONG x = 0; x < width; ++x) {
            const uint32_t v = row[x];
            int r = (v >> 16) & 0xFF, g = (v >> 8) & 0xFF, b = v & 0xFF;
            if (matrixActive_) {
                const int* m = matrix_;
                const int nr = (m[0] * r + m[1] * g + m[2] * b + 2048) >> 12;
                const int ng = (m[3] * r + m[4] * g + m[5] * b + 2048) >> 12;
                const int nb = (m[6] * r + m[7] * g + m[8] * b + 2048) >> 12;
                r = Clamp255(nr);
                g = Clamp255(ng);
                b = Clamp255(nb);
            }
            row[x] = (static_cast<uint32_t>(levels_[r]) << 16) | (static_cast<uint32_t>(levels_[g]) << 8) |
                     levels_[b];
        }
    }
    if (sharpen_ != 0) Sharpen(out, width, height);
}

// p + k * (p - mean of the four neighbours), per channel; neighbours beyond the edge repeat
// the edge. Two saved rows keep the unmodified neighbours.
void TColorAdjuster::Sharpen(uint32_t* pixels, LONG width, LONG height) const {
    std::vector<uint32_t> above(pixels, pixels + width);
    std::vector<uint32_t> current(width);
    for (LONG y = 0; y < height; ++y) {
        uint32_t* row = pixels + static_cast<size_t>(y) * width;
        std::memcpy(current.data(), row, width * sizeof(uint32_t));
        const uint32_t* below = y + 1 < height ? row + width : row;
        for (LONG x = 0; x < width; ++x) {
            const uint32_t p = current[x];
            const uint32_t l = current[x > 0 ? x - 1 : x];
            const uint32_t r = current[x + 1 < width ? x + 1 : x];
            const uint32_t u = above[x];
            const uint32_t d = below[x];
            uint32_t result = 0;
            for (int shift = 0; shift <= 16; shift += 8) {
                const int c = (p >> shift) & 0xFF;
                const int sum = ((l >> shift) & 0xFF) + ((r >> shift) & 0xFF) + ((u >> shift) & 0xFF) +
                                ((d >> shift) & 0xFF);
                const int value = c + ((sharpen_ * (4 * c - sum)) >> 10);
                result |= static_cast<uint32_t>(Clamp255(value)) << shift;
            }
            row[x] = result;
        }
        above.swap(current);
    }
}

}  // namespace vorlinde::platform
