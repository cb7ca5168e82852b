// The software colour controls: ranges, flags, and what each setting does to the pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/ColorAdjust.h"

namespace vorlinde::platform {
namespace {

// A one-row RGB32 frame of the given pixels (0x00RRGGBB).
struct TRow {
    explicit TRow(std::vector<uint32_t> pixels) : bytes(pixels.size() * 4) {
        std::memcpy(bytes.data(), pixels.data(), bytes.size());
        format.layout = TPixelLayout::Rgb32;
        format.width = static_cast<LONG>(pixels.size());
        format.height = 1;
        format.stride = format.width * 4;
        format.imageSize = static_cast<DWORD>(bytes.size());
        format.source = {0, 0, format.width, 1};
    }
    std::vector<uint32_t> Apply(const TColorSettings& settings) const {
        TColorAdjuster adjuster;
        adjuster.Configure(settings);
        std::vector<uint32_t> out(format.width);
        adjuster.Process(bytes.data(), format, out.data());
        return out;
    }
    std::vector<BYTE> bytes;
    TVideoFormat format;
};

int Red(uint32_t pixel) { return (pixel >> 16) & 0xFF; }
int Green(uint32_t pixel) { return (pixel >> 8) & 0xFF; }
int Blue(uint32_t pixel) { return pixel & 0xFF; }

TEST(OverlayMixerColor, DefaultSettingsAreNeutral) {
    EXPECT_TRUE(TColorSettings{}.IsNeutral());
    TColorAdjuster adjuster;
    adjuster.Configure(TColorSettings{});
    EXPECT_TRUE(adjuster.IsIdentity());
}

TEST(OverlayMixerColor, BrightnessZeroLowersTheBlackLevelBy7Point5Ire) {
    TColorSettings settings;
    settings.brightness = 0;
    const auto out = TRow({0xFFFFFF, 0x808080}).Apply(settings);
    EXPECT_EQ(out[0], 0xECECECu);  // 255 - 19
    EXPECT_EQ(out[1], 0x6D6D6Du);
}

TEST(OverlayMixerColor, HigherBrightnessLightens) {
    TColorSettings settings;
    settings.brightness = 5750;
    EXPECT_EQ(TRow({0x000000}).Apply(settings)[0], 0x808080u);
}

TEST(OverlayMixerColor, ContrastIsAGainOnTheLevels) {
    TColorSettings settings;
    settings.contrast = 5000;
    EXPECT_EQ(TRow({0xC86432}).Apply(settings)[0], 0x643219u);
}

TEST(OverlayMixerColor, ColourOffLeavesGrey) {
    TColorSettings settings;
    settings.colorEnable = false;
    const uint32_t out = TRow({0xFF0000}).Apply(settings)[0];
    EXPECT_EQ(Red(out), Green(out));
    EXPECT_EQ(Green(out), Blue(out));
    EXPECT_NEAR(Red(out), 76, 1);  // BT.601 luminance of pure red
}

TEST(OverlayMixerColor, SaturationZeroEqualsColourOff) {
    TColorSettings off;
    off.colorEnable = false;
    TColorSettings unsaturated;
    unsaturated.saturation = 0;
    const TRow row({0x3080C0, 0xFF00FF});
    EXPECT_EQ(row.Apply(off), row.Apply(unsaturated));
}

TEST(OverlayMixerColor, HueHalfTurnKeepsGreyAndMovesRedTowardCyan) {
    TColorSettings settings;
    settings.hue = 180;
    const auto out = TRow({0x808080, 0xFF0000}).Apply(settings);
    EXPECT_EQ(out[0], 0x808080u);
    EXPECT_LT(Red(out[1]), Green(out[1]));
    EXPECT_LT(Red(out[1]), Blue(out[1]));
}

TEST(OverlayMixerColor, GammaLightensTheMiddleAndKeepsTheEnds) {
    TColorSettings settings;
    settings.gamma = 101;  // gamma 2
    const auto out = TRow({0x000000, 0x404040, 0xFFFFFF}).Apply(settings);
    EXPECT_EQ(out[0], 0x000000u);
    EXPECT_EQ(Red(out[1]), 128);
    EXPECT_EQ(out[2], 0xFFFFFFu);
}

TEST(OverlayMixerColor, SharpnessRaisesAnEdge) {
    TColorSettings settings;
    settings.sharpness = 10;
    const auto out = TRow({0x404040, 0x404040, 0xC0C0C0, 0xC0C0C0}).Apply(settings);
    EXPECT_LT(Red(out[1]), 0x40);
    EXPECT_GT(Red(out[2]), 0xC0);
    EXPECT_EQ(out[0], 0x404040u);
}

TEST(OverlayMixerColor, LowSharpnessSoftensAnEdge) {
    TColorSettings settings;
    settings.sharpness = 0;
    const auto out = TRow({0x404040, 0x404040, 0xC0C0C0, 0xC0C0C0}).Apply(settings);
    EXPECT_GT(Red(out[1]), 0x40);
    EXPECT_LT(Red(out[2]), 0xC0);
}

TEST(OverlayMixerColor, Rgb565IsDecodedToFullLevels) {
    const uint16_t pixels[2] = {0xF800, 0x07E0};
    TVideoFormat format;
    format.layout = TPixelLayout::Rgb565;
    format.width = 2;
    format.height = 1;
    format.stride = 4;
    format.imageSize = 4;
    TColorAdjuster adjuster;
    adjuster.Configure(TColorSettings{});
    uint32_t out[2] = {};
    adjuster.Process(reinterpret_cast<const uint8_t*>(pixels), format, out);
    EXPECT_EQ(out[0], 0xFF0000u);
    EXPECT_EQ(out[1], 0x00FF00u);
}

TEST(OverlayMixerColor, Rgb24RowsArePadded) {
    // 1 pixel per row: 3 bytes and one byte of padding.
    const uint8_t bytes[8] = {0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 0};
    TVideoFormat format;
    format.layout = TPixelLayout::Rgb24;
    format.width = 1;
    format.height = 2;
    format.stride = 4;
    format.imageSize = 8;
    TColorAdjuster adjuster;
    adjuster.Configure(TColorSettings{});
    uint32_t out[2] = {};
    adjuster.Process(bytes, format, out);
    EXPECT_EQ(out[0], 0x302010u);
    EXPECT_EQ(out[1], 0x605040u);
}

TEST(OverlayMixerColor, ValidationChecksOnlyFlaggedMembers) {
    DDCOLORCONTROL control{};
    control.dwSize = sizeof control;
    control.dwFlags = DDCOLOR_SHARPNESS;
    control.lSharpness = 10;
    control.lGamma = 0;  // not flagged
    EXPECT_EQ(ValidateColorControl(&control), S_OK);
    control.dwFlags |= DDCOLOR_GAMMA;
    EXPECT_EQ(ValidateColorControl(&control), E_INVALIDARG);
}

TEST(OverlayMixerColor, ValidationAcceptsTheEndsOfEachRange) {
    DDCOLORCONTROL control{};
    control.dwSize = sizeof control;
    control.dwFlags = 0x7F;
    control.lBrightness = 10000;
    control.lContrast = 20000;
    control.lHue = -180;
    control.lSaturation = 20000;
    control.lSharpness = 0;
    control.lGamma = 500;
    control.lColorEnable = 1;
    EXPECT_EQ(ValidateColorControl(&control), S_OK);
}

TEST(OverlayMixerColor, ValidationRefusesUnknownFlags) {
    DDCOLORCONTROL control{};
    control.dwSize = sizeof control;
    control.dwFlags = 0x80;
    EXPECT_EQ(ValidateColorControl(&control), E_INVALIDARG);
}

TEST(OverlayMixerColor, MergeCopiesFlaggedMembersOnly) {
    TColorSettings settings;
    DDCOLORCONTROL control{};
    control.dwSize = sizeof control;
    control.dwFlags = DDCOLOR_HUE | DDCOLOR_COLORENABLE;
    control.lHue = 45;
    control.lColorEnable = 0;
    control.lContrast = 1;
    MergeColorControl(settings, control);
    EXPECT_EQ(settings.hue, 45);
    EXPECT_FALSE(settings.colorEnable);
    EXPECT_EQ(settings.contrast, 10000);
}

}  // namespace
}  // namespace vorlinde::platform
