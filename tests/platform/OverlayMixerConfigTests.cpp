// IMixerPinConfig2 on the mixer's input pins: colour key, aspect ratio mode, overlay colour
// controls and the remaining settings, with their defaults and their refusals.
#include "OverlayTestSupport.h"

namespace vorlinde::platform::test {
namespace {

class OverlayMixerConfig : public testing::Test {
protected:
    void SetUp() override {
        mixer_ = CreateMixer();
        ASSERT_TRUE(mixer_);
        config_ = FirstPinConfig(mixer_.Get());
        ASSERT_TRUE(config_);
    }

    static DDCOLORCONTROL EmptyControl() {
        DDCOLORCONTROL control{};
        control.dwSize = sizeof control;
        return control;
    }

    TComPtr<IBaseFilter> mixer_;
    TComPtr<IMixerPinConfig2> config_;
};

TEST_F(OverlayMixerConfig, DefaultKeyIsRed16Green0Blue16) {
    COLORKEY key{};
    DWORD color = 0;
    ASSERT_EQ(config_->GetColorKey(&key, &color), S_OK);
    EXPECT_EQ(key.KeyType, static_cast<DWORD>(CK_INDEX | CK_RGB));
    EXPECT_EQ(key.LowColorValue, RGB(16, 0, 16));
    EXPECT_EQ(key.HighColorValue, RGB(16, 0, 16));
}

TEST_F(OverlayMixerConfig, KeyColourIsGivenInTheScreenFormat) {
    COLORKEY key{};
    DWORD color = 0;
    ASSERT_EQ(config_->GetColorKey(&key, &color), S_OK);
    // The Xvfb screen has 24-bit colour: 0x00RRGGBB.
    EXPECT_EQ(color, 0x100010u);
}

TEST_F(OverlayMixerConfig, ColourKeyRoundTrips) {
    COLORKEY key{CK_RGB, 0, RGB(1, 2, 3), RGB(1, 2, 3)};
    ASSERT_EQ(config_->SetColorKey(&key), S_OK);
    COLORKEY read{};
    ASSERT_EQ(config_->GetColorKey(&read, nullptr), S_OK);
    EXPECT_EQ(read.KeyType, static_cast<DWORD>(CK_RGB));
    EXPECT_EQ(read.LowColorValue, RGB(1, 2, 3));
    EXPECT_EQ(read.HighColorValue, RGB(1, 2, 3));
}

TEST_F(OverlayMixerConfig, PaletteOnlyKeyIsRefused) {
    COLORKEY key{CK_INDEX, 5, 0, 0};
    EXPECT_EQ(config_->SetColorKey(&key), E_INVALIDARG);
    COLORKEY read{};
    config_->GetColorKey(&read, nullptr);
    EXPECT_EQ(read.LowColorValue, RGB(16, 0, 16));
}

TEST_F(OverlayMixerConfig, KeyWithUnknownTypeBitsIsRefused) {
    COLORKEY key{CK_RGB | 0x10, 0, RGB(1, 1, 1), RGB(1, 1, 1)};
    EXPECT_EQ(config_->SetColorKey(&key), E_INVALIDARG);
}

TEST_F(OverlayMixerConfig, NullKeyIsRefused) {
    EXPECT_EQ(config_->SetColorKey(nullptr), E_POINTER);
    EXPECT_EQ(config_->GetColorKey(nullptr, nullptr), E_POINTER);
}

TEST_F(OverlayMixerConfig, SettingTheKeyTellsTheCallback) {
    TRecordingCallback callback;
    auto exclusive = mixer_.As<IDDrawExclModeVideo>(IID_IDDrawExclModeVideo);
    exclusive->SetCallbackInterface(&callback, 0);
    PumpUntil([&] { return !callback.keys.empty(); }, 1000);
    callback.keys.clear();
    COLORKEY key{CK_RGB, 0, RGB(20, 30, 40), RGB(20, 30, 40)};
    ASSERT_EQ(config_->SetColorKey(&key), S_OK);
    ASSERT_TRUE(PumpUntil([&] { return !callback.keys.empty(); }, 1000));
    EXPECT_EQ(callback.keys.back().HighColorValue, RGB(20, 30, 40));
    EXPECT_EQ(callback.colors.back(), 0x141E28u);
    exclusive->SetCallbackInterface(nullptr, 0);
}

TEST_F(OverlayMixerConfig, DefaultAspectRatioModeIsLetterBox) {
    AM_ASPECT_RATIO_MODE mode = AM_ARMODE_STRETCHED;
    ASSERT_EQ(config_->GetAspectRatioMode(&mode), S_OK);
    EXPECT_EQ(mode, AM_ARMODE_LETTER_BOX);
}

TEST_F(OverlayMixerConfig, AspectRatioModesRoundTrip) {
    for (AM_ASPECT_RATIO_MODE mode : {AM_ARMODE_STRETCHED, AM_ARMODE_CROP, AM_ARMODE_LETTER_BOX}) {
        ASSERT_EQ(config_->SetAspectRatioMode(mode), S_OK);
        AM_ASPECT_RATIO_MODE read = static_cast<AM_ASPECT_RATIO_MODE>(-1);
        ASSERT_EQ(config_->GetAspectRatioMode(&read), S_OK);
        EXPECT_EQ(read, mode);
    }
}

TEST_F(OverlayMixerConfig, UnknownAspectRatioModeIsRefused) {
    EXPECT_EQ(config_->SetAspectRatioMode(static_cast<AM_ASPECT_RATIO_MODE>(7)), E_INVALIDARG);
    AM_ASPECT_RATIO_MODE read = AM_ARMODE_STRETCHED;
    config_->GetAspectRatioMode(&read);
    EXPECT_EQ(read, AM_ARMODE_LETTER_BOX);
}

TEST_F(OverlayMixerConfig, PrimaryInputCannotFollowThePrimary) {
    EXPECT_EQ(config_->SetAspectRatioMode(AM_ARMODE_STRETCHED_AS_PRIMARY), E_INVALIDARG);
}

TEST_F(OverlayMixerConfig, DefaultColourControlsAreNeutralWithAllFlags) {
    DDCOLORCONTROL control = EmptyControl();
    ASSERT_EQ(config_->GetOverlaySurfaceColorControls(&control), S_OK);
    EXPECT_EQ(control.dwFlags, 0x7Fu);
    EXPECT_EQ(control.lBrightness, 750);
    EXPECT_EQ(control.lContrast, 10000);
    EXPECT_EQ(control.lHue, 0);
    EXPECT_EQ(control.lSaturation, 10000);
    EXPECT_EQ(control.lSharpness, 5);
    EXPECT_EQ(control.lGamma, 1);
    EXPECT_EQ(control.lColorEnable, 1);
}

TEST_F(OverlayMixerConfig, ColourControlsRoundTrip) {
    DDCOLORCONTROL control = EmptyControl();
    control.dwFlags = 0x7F;
    control.lBrightness = 1000;
    control.lContrast = 12000;
    control.lHue = -90;
    control.lSaturation = 5000;
    control.lSharpness = 8;
    control.lGamma = 120;
    control.lColorEnable = 0;
    ASSERT_EQ(config_->SetOverlaySurfaceColorControls(&control), S_OK);
    DDCOLORCONTROL read = EmptyControl();
    ASSERT_EQ(config_->GetOverlaySurfaceColorControls(&read), S_OK);
    EXPECT_EQ(read.lBrightness, 1000);
    EXPECT_EQ(read.lContrast, 12000);
    EXPECT_EQ(read.lHue, -90);
    EXPECT_EQ(read.lSaturation, 5000);
    EXPECT_EQ(read.lSharpness, 8);
    EXPECT_EQ(read.lGamma, 120);
    EXPECT_EQ(read.lColorEnable, 0);
}

TEST_F(OverlayMixerConfig, OnlyFlaggedColourControlsChange) {
    DDCOLORCONTROL control = EmptyControl();
    control.dwFlags = DDCOLOR_CONTRAST;
    control.lContrast = 3000;
    control.lBrightness = 9999;
    ASSERT_EQ(config_->SetOverlaySurfaceColorControls(&control), S_OK);
    DDCOLORCONTROL read = EmptyControl();
    config_->GetOverlaySurfaceColorControls(&read);
    EXPECT_EQ(read.lContrast, 3000);
    EXPECT_EQ(read.lBrightness, 750);
}

TEST_F(OverlayMixerConfig, ColourControlOutOfRangeIsRefusedWhole) {
    DDCOLORCONTROL control = EmptyControl();
    control.dwFlags = DDCOLOR_BRIGHTNESS | DDCOLOR_HUE;
    control.lBrightness = 100;
    control.lHue = 181;
    EXPECT_EQ(config_->SetOverlaySurfaceColorControls(&control), E_INVALIDARG);
    DDCOLORCONTROL read = EmptyControl();
    config_->GetOverlaySurfaceColorControls(&read);
    EXPECT_EQ(read.lBrightness, 750);
    EXPECT_EQ(read.lHue, 0);
}

TEST_F(OverlayMixerConfig, ColourControlsNeedTheirSize) {
    DDCOLORCONTROL control{};
    control.dwSize = 12;
    EXPECT_EQ(config_->GetOverlaySurfaceColorControls(&control), E_INVALIDARG);
    EXPECT_EQ(config_->SetOverlaySurfaceColorControls(&control), E_INVALIDARG);
    EXPECT_EQ(config_->SetOverlaySurfaceColorControls(nullptr), E_POINTER);
}

TEST_F(OverlayMixerConfig, RelativePositionDefaultsToTheWholeDestination) {
    DWORD left = 1, top = 1, right = 0, bottom = 0;
    ASSERT_EQ(config_->GetRelativePosition(&left, &top, &right, &bottom), S_OK);
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(top, 0u);
    EXPECT_EQ(right, 10000u);
    EXPECT_EQ(bottom, 10000u);
}

TEST_F(OverlayMixerConfig, RelativePositionRoundTrips) {
    ASSERT_EQ(config_->SetRelativePosition(1000, 2000, 9000, 8000), S_OK);
    DWORD left = 0, top = 0, right = 0, bottom = 0;
    config_->GetRelativePosition(&left, &top, &right, &bottom);
    EXPECT_EQ(left, 1000u);
    EXPECT_EQ(top, 2000u);
    EXPECT_EQ(right, 9000u);
    EXPECT_EQ(bottom, 8000u);
}

TEST_F(OverlayMixerConfig, EmptyOrOversizedRelativePositionIsRefused) {
    EXPECT_EQ(config_->SetRelativePosition(5000, 0, 5000, 10000), E_INVALIDARG);
    EXPECT_EQ(config_->SetRelativePosition(0, 0, 10001, 10000), E_INVALIDARG);
}

TEST_F(OverlayMixerConfig, BlendingParameterDefaultsToOpaqueAndRoundTrips) {
    DWORD blending = 0;
    ASSERT_EQ(config_->GetBlendingParameter(&blending), S_OK);
    EXPECT_EQ(blending, 255u);
    ASSERT_EQ(config_->SetBlendingParameter(100), S_OK);
    config_->GetBlendingParameter(&blending);
    EXPECT_EQ(blending, 100u);
    EXPECT_EQ(config_->SetBlendingParameter(256), E_INVALIDARG);
}

TEST_F(OverlayMixerConfig, ZOrderRoundTrips) {
    DWORD zOrder = 7;
    ASSERT_EQ(config_->GetZOrder(&zOrder), S_OK);
    EXPECT_EQ(zOrder, 0u);
    config_->SetZOrder(3);
    config_->GetZOrder(&zOrder);
    EXPECT_EQ(zOrder, 3u);
}

TEST_F(OverlayMixerConfig, StreamTransparencyRoundTrips) {
    BOOL transparent = TRUE;
    ASSERT_EQ(config_->GetStreamTransparent(&transparent), S_OK);
    EXPECT_FALSE(transparent);
    config_->SetStreamTransparent(TRUE);
    config_->GetStreamTransparent(&transparent);
    EXPECT_TRUE(transparent);
}

TEST_F(OverlayMixerConfig, ConfigHoldsAReferenceOnTheFilter) {
    EXPECT_EQ(RefCount(mixer_.Get()), 2u);
    config_.Reset();
    EXPECT_EQ(RefCount(mixer_.Get()), 1u);
}

}  // namespace
}  // namespace vorlinde::platform::test
