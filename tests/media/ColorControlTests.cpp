// The overlay colour controls: ranges and messages, values kept while the controller is
// inactive, the overlay's settings saved at set-up and given back on leaving the graph, and the
// capability flags.
#include <gtest/gtest.h>

#include <functional>

#include "VideoWindowTestSupport.h"
#include "framework/Exceptions.h"
#include "platform/MixerPinConfig.h"

namespace {

using namespace vorlinde;
using mediatest::SamplePath;
using videotest::TVideoHost;

// The message `set(value)` raises, or "" when it raises nothing.
std::string Refusal(const std::function<void()>& set) {
    try {
        set();
    } catch (const vl::Exception& e) {
        return e.Message();
    }
    return "";
}

class ColorControlRanges : public testing::Test {
protected:
    TDSVideoWindowEx2 window{nullptr};
    TColorControl& colors = *window.ColorControl();
};

TEST_F(ColorControlRanges, ANewInstanceHoldsTheDocumentedValues) {
    EXPECT_EQ(colors.Brightness(), 750);
    EXPECT_EQ(colors.Contrast(), 10000);
    EXPECT_EQ(colors.Hue(), 0);
    EXPECT_EQ(colors.Saturation(), 10000);
    EXPECT_EQ(colors.Sharpness(), 5);
    EXPECT_EQ(colors.Gamma(), 1);
    EXPECT_TRUE(colors.ColorEnable());
}

TEST_F(ColorControlRanges, BrightnessAbove10000IsRefused) {
    EXPECT_EQ(Refusal([&] { colors.SetBrightness(10001); }),
              "Value 10001 out of range. Value must bee between 0 -> 10.000");
    EXPECT_EQ(colors.Brightness(), 750);
}

TEST_F(ColorControlRanges, NegativeBrightnessIsRefused) {
    EXPECT_EQ(Refusal([&] { colors.SetBrightness(-1); }), "Value -1 out of range. Value must bee between 0 -> 10.000");
}

TEST_F(ColorControlRanges, ContrastAbove20000IsRefused) {
    EXPECT_EQ(Refusal([&] { colors.SetContrast(20001); }),
              "Value 20001 out of range. Value must bee between 0 -> 20.000");
    EXPECT_EQ(colors.Contrast(), 10000);
}

TEST_F(ColorControlRanges, HueTakesBothEndsAndRefuses181) {
    EXPECT_EQ(Refusal([&] { colors.SetHue(180); }), "");
    EXPECT_EQ(Refusal([&] { colors.SetHue(-180); }), "");
    EXPECT_EQ(Refusal([&] { colors.SetHue(181); }), "Value 181 out of range. Value must bee between -180 -> 180");
    EXPECT_EQ(colors.Hue(), -180);
}

TEST_F(ColorControlRanges, SaturationAbove20000IsRefused) {
    EXPECT_EQ(Refusal([&] { colors.SetSaturation(20001); }),
              "Value 20001 out of range. Value must bee between 0 -> 20.000");
}

TEST_F(ColorControlRanges, SharpnessTakes10AndRefuses11) {
    EXPECT_EQ(Refusal([&] { colors.SetSharpness(10); }), "");
    EXPECT_EQ(Refusal([&] { colors.SetSharpness(11); }), "Value 11 out of range. Value must bee between 0 -> 10");
    EXPECT_EQ(colors.Sharpness(), 10);
}

TEST_F(ColorControlRanges, GammaZeroIsRefused) {
    EXPECT_EQ(Refusal([&] { colors.SetGamma(0); }), "Value 0 out of range. Value must bee between 1 -> 500");
    EXPECT_EQ(Refusal([&] { colors.SetGamma(501); }), "Value 501 out of range. Value must bee between 1 -> 500");
    EXPECT_EQ(colors.Gamma(), 1);
}

TEST_F(ColorControlRanges, ReadingWhileTheControllerIsInactiveGivesTheStoredValue) {
    TFilterGraph graph(nullptr);
    window.SetFilterGraph(&graph);
    colors.SetBrightness(1234);
    EXPECT_EQ(colors.Brightness(), 1234);
    window.SetFilterGraph(nullptr);
}

TEST_F(ColorControlRanges, FormDescriptionsSetThePropertiesThroughTheClassTable) {
    vl::SetPropValue(window, "ColorControl.Contrast", vl::TPropValue::Int(15000));
    EXPECT_EQ(colors.Contrast(), 15000);
}

TEST(ColorControlCaps, AllSettingsCountAsSupportedBeforeTheFirstSetUp) {
    TDSVideoWindowEx2 window(nullptr);
    auto& caps = *window.Caps();
    EXPECT_FALSE(caps.CanOverlayGraphic());
    EXPECT_TRUE(caps.CanControlBrigtness());
    EXPECT_TRUE(caps.CanControlContrast());
    EXPECT_TRUE(caps.CanControlHue());
    EXPECT_TRUE(caps.CanControlSaturation());
    EXPECT_TRUE(caps.CanControlSharpness());
    EXPECT_TRUE(caps.CanControlGamma());
    EXPECT_TRUE(caps.CanControlColorEnabled());
}

class ColorControlOverlay : public testing::Test {
protected:
    void SetUp() override {
        if (!mediatest::SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
    }
    // The overlay's settings as its first input pin reports them.
    static DDCOLORCONTROL MixerSettings(IBaseFilter* mixer) {
        DDCOLORCONTROL record{};
        record.dwSize = sizeof record;
        TComPtr<IEnumPins> pins;
        mixer->EnumPins(pins.Receive());
        TComPtr<IPin> first;
        pins->Next(1, first.Receive(), nullptr);
        if (auto config = first.As<IMixerPinConfig2>(IID_IMixerPinConfig2))
            config->GetOverlaySurfaceColorControls(&record);
        return record;
    }
};

TEST_F(ColorControlOverlay, TheSetUpSavesTheOverlaysSettingsAndAppliesTheWindowsOwn) {
    TVideoHost host(nullptr, false);
    host.Window().ColorControl()->SetBrightness(3000);
    host.Graph().SetActive(true);
    host.Graph().RenderFile(SamplePath("red.mpg"));
    ASSERT_NE(host.Window().OverlayMixer(), nullptr);
    EXPECT_EQ(host.Window().ColorControl()->Defaults().lBrightness, 750);
    EXPECT_EQ(MixerSettings(host.Window().OverlayMixer()).lBrightness, 3000);
}

TEST_F(ColorControlOverlay, ASetterAppliesToTheOverlayWhileActive) {
    TVideoHost host;
    host.Graph().RenderFile(SamplePath("red.mpg"));
    host.Window().ColorControl()->SetHue(-90);
    EXPECT_EQ(MixerSettings(host.Window().OverlayMixer()).lHue, -90);
    EXPECT_EQ(host.Window().ColorControl()->Hue(), -90);
}

TEST_F(ColorControlOverlay, LeavingTheGraphRestoresTheOverlaysSettingsIntoTheProperties) {
    TVideoHost host(nullptr, false);
    host.Window().ColorControl()->SetSaturation(5000);
    host.Graph().SetActive(true);
    host.Graph().RenderFile(SamplePath("red.mpg"));
    TComPtr<IBaseFilter> mixer = TComPtr<IBaseFilter>::Share(host.Window().OverlayMixer());
    ASSERT_TRUE(mixer);
    EXPECT_EQ(MixerSettings(mixer.Get()).lSaturation, 5000);
    host.Graph().SetActive(false);
    EXPECT_EQ(host.Window().ColorControl()->StoredSaturation(), 10000);
    EXPECT_EQ(MixerSettings(mixer.Get()).lSaturation, 10000);
}

TEST_F(ColorControlOverlay, TheCapabilitiesFollowTheOverlaysFlags) {
    TVideoHost host;
    host.Graph().RenderFile(SamplePath("red.mpg"));
    auto& caps = *host.Window().Caps();
    EXPECT_TRUE(caps.CanOverlayGraphic());
    const DWORD flags = host.Window().ColorControl()->Defaults().dwFlags;
    EXPECT_EQ(caps.CanControlHue(), (flags & DDCOLOR_HUE) != 0);
    EXPECT_EQ(caps.CanControlContrast(), (flags & DDCOLOR_CONTRAST) != 0);
    EXPECT_EQ(caps.CanControlColorEnabled(), (flags & DDCOLOR_COLORENABLE) != 0);
}

}  // namespace
