// The mixer's streaming path between hand-driven pins: connections and the formats taken,
// samples passed through (or copied when the renderer keeps its own buffers), end of stream,
// flushing and the filter states.
#include "FakePins.h"
#include "OverlayTestSupport.h"

#include <dvdmedia.h>

#include <cstring>

namespace vorlinde::platform::test {
namespace {

constexpr LONG kWidth = 8;
constexpr LONG kHeight = 4;

// A VIDEOINFOHEADER media type of the given subtype and depth, kWidth x kHeight.
struct TVideoType {
    TVideoType(const GUID& subtype, WORD bits) {
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = bits;
        info.bmiHeader.biCompression = BI_RGB;
        info.bmiHeader.biSizeImage = kWidth * kHeight * bits / 8;
        type.majortype = MEDIATYPE_Video;
        type.subtype = subtype;
        type.bFixedSizeSamples = TRUE;
        type.lSampleSize = info.bmiHeader.biSizeImage;
        type.formattype = FORMAT_VideoInfo;
        type.cbFormat = sizeof info;
        type.pbFormat = reinterpret_cast<BYTE*>(&info);
    }
    TVideoType(const TVideoType&) = delete;
    TVideoType& operator=(const TVideoType&) = delete;
    VIDEOINFOHEADER info{};
    AM_MEDIA_TYPE type{};
};

class OverlayMixerStreaming : public testing::Test {
protected:
    void SetUp() override {
        mixer_ = CreateMixer();
        ASSERT_TRUE(mixer_);
        input_ = PinAt(mixer_.Get(), 0);
        output_ = FindPin(mixer_.Get(), L"Output");
        CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                         allocator_.ReceiveVoid());
        ASSERT_TRUE(allocator_);
        ALLOCATOR_PROPERTIES wanted{2, kWidth * kHeight * 4, 1, 0};
        ALLOCATOR_PROPERTIES actual{};
        ASSERT_EQ(allocator_->SetProperties(&wanted, &actual), S_OK);
    }

    void TearDown() override {
        if (mixer_) {
            mixer_->Stop();
            input_->Disconnect();
            output_->Disconnect();
        }
        if (allocator_) allocator_->Decommit();
    }

    IMemInputPin* Memory() {
        if (!memory_) memory_ = input_.As<IMemInputPin>(IID_IMemInputPin);
        return memory_.Get();
    }

    // Upstream -> Input0 (RGB32) with the test's allocator, Output -> downstream.
    void ConnectAll() {
        ASSERT_EQ(input_->ReceiveConnection(&upstream_, &rgb32_.type), S_OK);
        ASSERT_EQ(Memory()->NotifyAllocator(allocator_.Get(), FALSE), S_OK);
        ASSERT_EQ(output_->Connect(&downstream_, nullptr), S_OK);
    }

    // A full sample from the test's allocator, filled with value, stamped start.
    TComPtr<IMediaSample> Sample(BYTE value, REFERENCE_TIME start) {
        TComPtr<IMediaSample> sample;
        allocator_->GetBuffer(sample.Receive(), nullptr, nullptr, 0);
        BYTE* bytes = nullptr;
        sample->GetPointer(&bytes);
        std::memset(bytes, value, kWidth * kHeight * 4);
        sample->SetActualDataLength(kWidth * kHeight * 4);
        REFERENCE_TIME stop = start + 400000;
        sample->SetTime(&start, &stop);
        return sample;
    }

    void Start() {
        ASSERT_EQ(allocator_->Commit(), S_OK);
        ASSERT_EQ(mixer_->Run(0), S_OK);
    }

    TComPtr<IBaseFilter> mixer_;
    TComPtr<IPin> input_;
    TComPtr<IPin> output_;
    TComPtr<IMemInputPin> memory_;
    TComPtr<IMemAllocator> allocator_;
    TFakeOutputPin upstream_;
    TFakeInputPin downstream_;
    TVideoType rgb32_{MEDIASUBTYPE_RGB32, 32};
};

TEST_F(OverlayMixerStreaming, InputTakesRgb32) {
    EXPECT_EQ(input_->ReceiveConnection(&upstream_, &rgb32_.type), S_OK);
    EXPECT_EQ(upstream_.references, 2);
}

TEST_F(OverlayMixerStreaming, InputTakesRgb24Rgb565AndRgb555) {
    TVideoType rgb24(MEDIASUBTYPE_RGB24, 24);
    TVideoType rgb565(MEDIASUBTYPE_RGB565, 16);
    TVideoType rgb555(MEDIASUBTYPE_RGB555, 16);
    for (const AM_MEDIA_TYPE* type : {&rgb24.type, &rgb565.type, &rgb555.type}) {
        EXPECT_EQ(input_->QueryAccept(type), S_OK);
    }
}

TEST_F(OverlayMixerStreaming, InputRefusesYuv) {
    TVideoType yuy2(MEDIASUBTYPE_YUY2, 16);
    yuy2.info.bmiHeader.biCompression = MAKEFOURCC('Y', 'U', 'Y', '2');
    EXPECT_EQ(input_->ReceiveConnection(&upstream_, &yuy2.type), VFW_E_TYPE_NOT_ACCEPTED);
    EXPECT_EQ(upstream_.references, 1);
}

TEST_F(OverlayMixerStreaming, InputRefusesAFormatWithoutItsBlock) {
    AM_MEDIA_TYPE partial = rgb32_.type;
    partial.cbFormat = 0;
    partial.pbFormat = nullptr;
    EXPECT_EQ(input_->QueryAccept(&partial), S_FALSE);
}

TEST_F(OverlayMixerStreaming, InputRefusesAnOversizedFrame) {
    TVideoType huge(MEDIASUBTYPE_RGB32, 32);
    huge.info.bmiHeader.biWidth = 100000;
    EXPECT_EQ(input_->QueryAccept(&huge.type), S_FALSE);
}

TEST_F(OverlayMixerStreaming, InputRefusesASecondConnection) {
    ASSERT_EQ(input_->ReceiveConnection(&upstream_, &rgb32_.type), S_OK);
    TFakeOutputPin other;
    EXPECT_EQ(input_->ReceiveConnection(&other, &rgb32_.type), VFW_E_ALREADY_CONNECTED);
}

TEST_F(OverlayMixerStreaming, ConnectingTheLastFreeInputAddsAnother) {
    ASSERT_EQ(input_->ReceiveConnection(&upstream_, &rgb32_.type), S_OK);
    auto pins = AllPins(mixer_.Get());
    ASSERT_EQ(pins.size(), 3u);
    PIN_DIRECTION direction = PINDIR_OUTPUT;
    pins[2]->QueryDirection(&direction);
    EXPECT_EQ(direction, PINDIR_INPUT);
}

TEST_F(OverlayMixerStreaming, DisconnectReleasesTheUpstreamPin) {
    ASSERT_EQ(input_->ReceiveConnection(&upstream_, &rgb32_.type), S_OK);
    ASSERT_EQ(input_->Disconnect(), S_OK);
    EXPECT_EQ(upstream_.references, 1);
}

TEST_F(OverlayMixerStreaming, OutputOffersTheInputType) {
    ASSERT_EQ(input_->ReceiveConnection(&upstream_, &rgb32_.type), S_OK);
    EXPECT_EQ(output_->QueryAccept(&rgb32_.type), S_OK);
    TVideoType rgb24(MEDIASUBTYPE_RGB24, 24);
    EXPECT_EQ(output_->QueryAccept(&rgb24.type), S_FALSE);
}

TEST_F(OverlayMixerStreaming, OutputHoldsTheDownstreamPinUntilDisconnected) {
    ConnectAll();
    // One reference of the mixer, one of the downstream pin's own.
    EXPECT_EQ(downstream_.references, 3);
    ASSERT_EQ(output_->Disconnect(), S_OK);
    EXPECT_EQ(downstream_.references, 1);
}

TEST_F(OverlayMixerStreaming, RendererIsOfferedTheUpstreamAllocator) {
    ConnectAll();
    EXPECT_EQ(downstream_.notified, allocator_.Get());
}

TEST_F(OverlayMixerStreaming, SamplesPassThroughUncopied) {
    ConnectAll();
    Start();
    TComPtr<IMediaSample> sample = Sample(0x40, 0);
    ASSERT_EQ(Memory()->Receive(sample.Get()), S_OK);
    ASSERT_EQ(downstream_.samples.size(), 1u);
    EXPECT_EQ(downstream_.samples[0], sample.Get());
}

TEST_F(OverlayMixerStreaming, SamplesAreCopiedWhenTheRendererKeepsItsOwnBuffers) {
    downstream_.acceptForeignAllocator = false;
    ConnectAll();
    EXPECT_EQ(downstream_.notified, downstream_.own.Get());
    Start();
    TComPtr<IMediaSample> sample = Sample(0x5A, 1200000);
    ASSERT_EQ(Memory()->Receive(sample.Get()), S_OK);
    ASSERT_EQ(downstream_.samples.size(), 1u);
    EXPECT_NE(downstream_.samples[0], sample.Get());
    EXPECT_EQ(downstream_.data[0], std::vector<BYTE>(kWidth * kHeight * 4, 0x5A));
    EXPECT_EQ(downstream_.starts[0], 1200000);
}

TEST_F(OverlayMixerStreaming, ReceiveWhileStoppedIsRefused) {
    ConnectAll();
    allocator_->Commit();
    TComPtr<IMediaSample> sample = Sample(1, 0);
    EXPECT_EQ(Memory()->Receive(sample.Get()), VFW_E_WRONG_STATE);
    EXPECT_TRUE(downstream_.samples.empty());
}

TEST_F(OverlayMixerStreaming, ReceiveWhileFlushingIsDropped) {
    ConnectAll();
    Start();
    ASSERT_EQ(input_->BeginFlush(), S_OK);
    TComPtr<IMediaSample> sample = Sample(1, 0);
    EXPECT_EQ(Memory()->Receive(sample.Get()), S_FALSE);
    EXPECT_TRUE(downstream_.samples.empty());
}

TEST_F(OverlayMixerStreaming, FlushPassesDownstream) {
    ConnectAll();
    Start();
    input_->BeginFlush();
    input_->EndFlush();
    EXPECT_EQ(downstream_.beginFlushes, 1);
    EXPECT_EQ(downstream_.endFlushes, 1);
}

TEST_F(OverlayMixerStreaming, NewSegmentPassesDownstream) {
    ConnectAll();
    input_->NewSegment(0, 10000000, 1.0);
    EXPECT_EQ(downstream_.newSegments, 1);
}

TEST_F(OverlayMixerStreaming, EndOfStreamPassesDownstreamOnce) {
    ConnectAll();
    Start();
    ASSERT_EQ(input_->EndOfStream(), S_OK);
    EXPECT_EQ(downstream_.endOfStreams, 1);
    TComPtr<IMediaSample> late = Sample(1, 0);
    EXPECT_EQ(Memory()->Receive(late.Get()), VFW_E_SAMPLE_REJECTED_EOS);
}

TEST_F(OverlayMixerStreaming, EndOfStreamWaitsForEveryConnectedInput) {
    ConnectAll();
    TFakeOutputPin second;
    TComPtr<IPin> input1 = PinAt(mixer_.Get(), 2);
    ASSERT_EQ(input1->ReceiveConnection(&second, &rgb32_.type), S_OK);
    Start();
    input_->EndOfStream();
    EXPECT_EQ(downstream_.endOfStreams, 0);
    input1->EndOfStream();
    EXPECT_EQ(downstream_.endOfStreams, 1);
    mixer_->Stop();
    input1->Disconnect();
}

TEST_F(OverlayMixerStreaming, SecondaryInputSamplesAreNotPassedOn) {
    ConnectAll();
    TFakeOutputPin second;
    TComPtr<IPin> input1 = PinAt(mixer_.Get(), 2);
    ASSERT_EQ(input1->ReceiveConnection(&second, &rgb32_.type), S_OK);
    Start();
    TComPtr<IMediaSample> sample = Sample(1, 0);
    EXPECT_EQ(input1.As<IMemInputPin>(IID_IMemInputPin)->Receive(sample.Get()), S_OK);
    EXPECT_TRUE(downstream_.samples.empty());
    mixer_->Stop();
    input1->Disconnect();
}

TEST_F(OverlayMixerStreaming, PinsCannotDisconnectWhileRunning) {
    ConnectAll();
    Start();
    EXPECT_EQ(input_->Disconnect(), VFW_E_NOT_STOPPED);
    EXPECT_EQ(output_->Disconnect(), VFW_E_NOT_STOPPED);
}

TEST_F(OverlayMixerStreaming, StopAfterEndOfStreamLetsTheNextRunEndAgain) {
    ConnectAll();
    Start();
    input_->EndOfStream();
    mixer_->Stop();
    mixer_->Run(0);
    input_->EndOfStream();
    EXPECT_EQ(downstream_.endOfStreams, 2);
}

TEST_F(OverlayMixerStreaming, ShortSampleStillPassesOn) {
    ConnectAll();
    Start();
    TComPtr<IMediaSample> sample = Sample(7, 0);
    sample->SetActualDataLength(10);
    EXPECT_EQ(Memory()->Receive(sample.Get()), S_OK);
    EXPECT_EQ(downstream_.samples.size(), 1u);
}

TEST_F(OverlayMixerStreaming, FormatChangeWithASampleIsTaken) {
    ConnectAll();
    Start();
    TVideoType square(MEDIASUBTYPE_RGB32, 32);
    square.info.bmiHeader.biWidth = 4;
    square.info.bmiHeader.biHeight = 4;
    TComPtr<IMediaSample> sample = Sample(3, 0);
    sample->SetActualDataLength(4 * 4 * 4);
    ASSERT_EQ(sample->SetMediaType(&square.type), S_OK);
    ASSERT_EQ(Memory()->Receive(sample.Get()), S_OK);
    EXPECT_EQ(downstream_.samples.size(), 1u);
    DWORD width = 0, height = 0, aspectX = 0, aspectY = 0;
    mixer_.As<IDDrawExclModeVideo>(IID_IDDrawExclModeVideo)->GetNativeVideoProps(&width, &height, &aspectX, &aspectY);
    EXPECT_EQ(width, 4u);
    EXPECT_EQ(aspectX, 1u);
    AM_MEDIA_TYPE type{};
    ASSERT_EQ(output_->ConnectionMediaType(&type), S_OK);
    EXPECT_EQ(reinterpret_cast<VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader.biWidth, 4);
    CoTaskMemFree(type.pbFormat);
}

TEST_F(OverlayMixerStreaming, SampleWithAnUnusableFormatIsRefused) {
    ConnectAll();
    Start();
    TVideoType yuy2(MEDIASUBTYPE_YUY2, 16);
    TComPtr<IMediaSample> sample = Sample(3, 0);
    ASSERT_EQ(sample->SetMediaType(&yuy2.type), S_OK);
    EXPECT_EQ(Memory()->Receive(sample.Get()), VFW_E_TYPE_NOT_ACCEPTED);
    EXPECT_TRUE(downstream_.samples.empty());
}

TEST_F(OverlayMixerStreaming, NativeVideoPropsFollowTheInput) {
    rgb32_.info.rcSource = {0, 0, 6, 4};
    ASSERT_EQ(input_->ReceiveConnection(&upstream_, &rgb32_.type), S_OK);
    auto exclusive = mixer_.As<IDDrawExclModeVideo>(IID_IDDrawExclModeVideo);
    DWORD width = 0, height = 0, aspectX = 0, aspectY = 0;
    ASSERT_EQ(exclusive->GetNativeVideoProps(&width, &height, &aspectX, &aspectY), S_OK);
    EXPECT_EQ(width, 6u);
    EXPECT_EQ(height, 4u);
    EXPECT_EQ(aspectX, 3u);
    EXPECT_EQ(aspectY, 2u);
}

TEST_F(OverlayMixerStreaming, PictureAspectRatioComesFromVideoInfo2) {
    VIDEOINFOHEADER2 info2{};
    info2.bmiHeader = rgb32_.info.bmiHeader;
    info2.dwPictAspectRatioX = 16;
    info2.dwPictAspectRatioY = 9;
    AM_MEDIA_TYPE type = rgb32_.type;
    type.formattype = FORMAT_VideoInfo2;
    type.cbFormat = sizeof info2;
    type.pbFormat = reinterpret_cast<BYTE*>(&info2);
    ASSERT_EQ(input_->ReceiveConnection(&upstream_, &type), S_OK);
    DWORD width = 0, height = 0, aspectX = 0, aspectY = 0;
    mixer_.As<IDDrawExclModeVideo>(IID_IDDrawExclModeVideo)->GetNativeVideoProps(&width, &height, &aspectX, &aspectY);
    EXPECT_EQ(aspectX, 16u);
    EXPECT_EQ(aspectY, 9u);
}

TEST_F(OverlayMixerStreaming, ConnectedVideoSizeReachesTheCallback) {
    TRecordingCallback callback;
    auto exclusive = mixer_.As<IDDrawExclModeVideo>(IID_IDDrawExclModeVideo);
    exclusive->SetCallbackInterface(&callback, 0);
    ASSERT_EQ(input_->ReceiveConnection(&upstream_, &rgb32_.type), S_OK);
    ASSERT_TRUE(PumpUntil([&] { return !callback.sizes.empty(); }, 1000));
    EXPECT_EQ(callback.sizes.back().width, static_cast<DWORD>(kWidth));
    EXPECT_EQ(callback.sizes.back().height, static_cast<DWORD>(kHeight));
    EXPECT_EQ(callback.sizes.back().aspectX, 2u);
    EXPECT_EQ(callback.sizes.back().aspectY, 1u);
    exclusive->SetCallbackInterface(nullptr, 0);
}

}  // namespace
}  // namespace vorlinde::platform::test
