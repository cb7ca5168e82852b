// Playback through the Overlay Mixer under Wine with the sample clips: the rewiring the video
// window does succeeds, the clip plays to EC_COMPLETE, samples pass through unchanged, and the
// callback hears the key and the video size.
#include "OverlayTestSupport.h"

namespace vorlinde::platform::test {
namespace {

class OverlayMixerPlayback : public testing::Test {
protected:
    void SetUp() override {
        if (!SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
    }
};

TEST_F(OverlayMixerPlayback, RewiringThroughTheMixerSucceeds) {
    TPlayback playback("red.mpg");
    ASSERT_TRUE(SUCCEEDED(playback.RenderResult())) << std::hex << playback.RenderResult();
    EXPECT_EQ(playback.InsertMixer(), S_OK);
}

TEST_F(OverlayMixerPlayback, UpstreamConnectsToTheMixerInputAsRgb32) {
    TPlayback playback("red.mpg");
    ASSERT_EQ(playback.InsertMixer(), S_OK);
    TComPtr<IPin> input = PinAt(playback.Mixer(), 0);
    AM_MEDIA_TYPE type{};
    ASSERT_EQ(input->ConnectionMediaType(&type), S_OK);
    EXPECT_TRUE(IsEqualGUID(type.subtype, MEDIASUBTYPE_RGB32));
    CoTaskMemFree(type.pbFormat);
}

TEST_F(OverlayMixerPlayback, OutputConnectsToTheRendererInput) {
    TPlayback playback("red.mpg");
    ASSERT_EQ(playback.InsertMixer(), S_OK);
    TComPtr<IPin> output = FindPin(playback.Mixer(), L"Output");
    TComPtr<IPin> peer;
    ASSERT_EQ(output->ConnectedTo(peer.Receive()), S_OK);
    PIN_INFO info{};
    peer->QueryPinInfo(&info);
    EXPECT_EQ(info.pFilter, playback.Renderer());
    if (info.pFilter) info.pFilter->Release();
}

TEST_F(OverlayMixerPlayback, ClipPlaysToCompletion) {
    TPlayback playback("red.mpg");
    ASSERT_EQ(playback.InsertMixer(), S_OK);
    ASSERT_TRUE(SUCCEEDED(playback.Run()));
    EXPECT_TRUE(playback.WaitForCompletion(10000));
}

TEST_F(OverlayMixerPlayback, WmvClipPlaysToCompletion) {
    TPlayback playback("yellow.wmv");
    ASSERT_TRUE(SUCCEEDED(playback.RenderResult()));
    ASSERT_EQ(playback.InsertMixer(), S_OK);
    ASSERT_TRUE(SUCCEEDED(playback.Run()));
    EXPECT_TRUE(playback.WaitForCompletion(10000));
}

TEST_F(OverlayMixerPlayback, ClipPlaysAgainAfterStop) {
    TPlayback playback("green.mpg");
    ASSERT_EQ(playback.InsertMixer(), S_OK);
    ASSERT_TRUE(SUCCEEDED(playback.Run()));
    ASSERT_TRUE(playback.WaitForCompletion(10000));
    ASSERT_TRUE(SUCCEEDED(playback.Stop()));
    TComPtr<IMediaSeeking> seeking = TComPtr<IGraphBuilder>::Share(playback.Graph()).As<IMediaSeeking>(IID_IMediaSeeking);
    LONGLONG start = 0;
    seeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
    ASSERT_TRUE(SUCCEEDED(playback.Run()));
    EXPECT_TRUE(playback.WaitForCompletion(10000));
}

TEST_F(OverlayMixerPlayback, GraphReportsTheClipDurationThroughTheMixer) {
    TPlayback playback("blue.mpg");
    ASSERT_EQ(playback.InsertMixer(), S_OK);
    TComPtr<IMediaSeeking> seeking = TComPtr<IGraphBuilder>::Share(playback.Graph()).As<IMediaSeeking>(IID_IMediaSeeking);
    LONGLONG duration = 0;
    ASSERT_EQ(seeking->GetDuration(&duration), S_OK);
    // The clips last 1.5 s (units of 100 ns).
    EXPECT_GT(duration, 10000000);
    EXPECT_LT(duration, 20000000);
}

TEST_F(OverlayMixerPlayback, RendererTakesTheUpstreamAllocator) {
    TPlayback playback("red.mpg");
    ASSERT_EQ(playback.InsertMixer(), S_OK);
    // Pass-through: the renderer's input was told of the allocator the upstream pin uses.
    TComPtr<IPin> rendererInput = PinAt(playback.Renderer(), 0);
    auto rendererMemory = rendererInput.As<IMemInputPin>(IID_IMemInputPin);
    TComPtr<IMemAllocator> rendererAllocator;
    ASSERT_EQ(rendererMemory->GetAllocator(rendererAllocator.Receive()), S_OK);
    ALLOCATOR_PROPERTIES properties{};
    rendererAllocator->GetProperties(&properties);
    EXPECT_GE(properties.cbBuffer, 160 * 120 * 4);
}

TEST_F(OverlayMixerPlayback, CallbackIsToldTheKeyAndTheSize) {
    TPlayback playback("red.mpg");
    TRecordingCallback callback;
    ASSERT_EQ(playback.InsertMixer(&callback), S_OK);
    ASSERT_TRUE(PumpUntil([&] { return !callback.keys.empty() && !callback.sizes.empty(); }, 2000));
    EXPECT_EQ(callback.keys.back().HighColorValue, RGB(16, 0, 16));
    EXPECT_EQ(callback.sizes.back().width, 160u);
    EXPECT_EQ(callback.sizes.back().height, 120u);
    EXPECT_EQ(callback.sizes.back().aspectX, 4u);
    EXPECT_EQ(callback.sizes.back().aspectY, 3u);
}

TEST_F(OverlayMixerPlayback, CallbackIsCalledOnTheCreatingThread) {
    TPlayback playback("red.mpg");
    TRecordingCallback callback;
    ASSERT_EQ(playback.InsertMixer(&callback), S_OK);
    ASSERT_TRUE(PumpUntil([&] { return !callback.keys.empty(); }, 2000));
    EXPECT_EQ(callback.threadOfLastCall, GetCurrentThreadId());
}

TEST_F(OverlayMixerPlayback, NativeVideoPropsGiveTheClipSize) {
    TPlayback playback("red.mpg");
    ASSERT_EQ(playback.InsertMixer(), S_OK);
    auto exclusive = TComPtr<IBaseFilter>::Share(playback.Mixer()).As<IDDrawExclModeVideo>(IID_IDDrawExclModeVideo);
    DWORD width = 0, height = 0, aspectX = 0, aspectY = 0;
    ASSERT_EQ(exclusive->GetNativeVideoProps(&width, &height, &aspectX, &aspectY), S_OK);
    EXPECT_EQ(width, 160u);
    EXPECT_EQ(height, 120u);
    EXPECT_EQ(aspectX, 4u);
    EXPECT_EQ(aspectY, 3u);
}

TEST_F(OverlayMixerPlayback, ReleasingTheGraphReleasesTheCallback) {
    TRecordingCallback callback;
    {
        TPlayback playback("red.mpg");
        ASSERT_EQ(playback.InsertMixer(&callback), S_OK);
        EXPECT_EQ(callback.references, 2);
    }
    EXPECT_EQ(callback.references, 1);
}

}  // namespace
}  // namespace vorlinde::platform::test
