// The Overlay Mixer as a filter: its registration and creation, reference counts, pins and
// their order, enumeration, filter state, and the IDDrawExclModeVideo methods.
#include "OverlayTestSupport.h"

#include "platform/OverlayMixer.h"

namespace vorlinde::platform::test {
namespace {

PIN_DIRECTION DirectionOf(IPin* pin) {
    PIN_DIRECTION direction = PINDIR_OUTPUT;
    pin->QueryDirection(&direction);
    return direction;
}

std::wstring IdOf(IPin* pin) {
    LPWSTR id = nullptr;
    if (FAILED(pin->QueryId(&id))) return L"";
    std::wstring result(id);
    CoTaskMemFree(id);
    return result;
}

TComPtr<IDDrawExclModeVideo> ExclusiveOf(IBaseFilter* mixer) {
    return TComPtr<IBaseFilter>::Share(mixer).As<IDDrawExclModeVideo>(IID_IDDrawExclModeVideo);
}

TEST(OverlayMixerRegistration, CoCreateInstanceReachesTheMixer) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    ASSERT_TRUE(mixer);
    CLSID classId{};
    ASSERT_EQ(mixer->GetClassID(&classId), S_OK);
    EXPECT_TRUE(IsEqualCLSID(classId, CLSID_OverlayMixer));
}

TEST(OverlayMixerRegistration, RegisteringAgainAnswersSFalse) { EXPECT_EQ(RegisterOverlayMixer(), S_FALSE); }

TEST(OverlayMixerRegistration, UnregisteredClassIsNotFoundAndRegistersAgain) {
    UnregisterOverlayMixer();
    TComPtr<IBaseFilter> missing;
    EXPECT_EQ(CoCreateInstance(CLSID_OverlayMixer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, missing.ReceiveVoid()),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(RegisterOverlayMixer(), S_OK);
    EXPECT_TRUE(CreateMixer());
}

TEST(OverlayMixerRegistration, AggregationIsRefused) {
    TComPtr<IBaseFilter> outer = CreateMixer();
    TComPtr<IUnknown> inner;
    EXPECT_EQ(CoCreateInstance(CLSID_OverlayMixer, outer.Get(), CLSCTX_INPROC_SERVER, IID_IUnknown, inner.ReceiveVoid()),
              CLASS_E_NOAGGREGATION);
}

TEST(OverlayMixerFilter, NewMixerHasOneReference) {
    IBaseFilter* mixer = nullptr;
    ASSERT_EQ(CreateOverlayMixer(nullptr, IID_IBaseFilter, reinterpret_cast<void**>(&mixer)), S_OK);
    EXPECT_EQ(mixer->Release(), 0u);
}

TEST(OverlayMixerFilter, QueriedInterfacesShareTheCount) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    EXPECT_EQ(RefCount(mixer.Get()), 1u);
    {
        auto exclusive = mixer.As<IDDrawExclModeVideo>(IID_IDDrawExclModeVideo);
        ASSERT_TRUE(exclusive);
        EXPECT_EQ(RefCount(mixer.Get()), 2u);
    }
    EXPECT_EQ(RefCount(mixer.Get()), 1u);
}

TEST(OverlayMixerFilter, UnknownInterfaceIsRefused) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    TComPtr<IMediaSeeking> seeking;
    // Not a renderer: the graph must not count it among the filters that raise EC_COMPLETE.
    EXPECT_EQ(mixer->QueryInterface(IID_IMediaSeeking, seeking.ReceiveVoid()), E_NOINTERFACE);
    EXPECT_FALSE(seeking);
}

TEST(OverlayMixerFilter, PinsHoldReferencesOnTheFilter) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    {
        TComPtr<IPin> output = FindPin(mixer.Get(), L"Output");
        ASSERT_TRUE(output);
        EXPECT_EQ(RefCount(mixer.Get()), 2u);
    }
    EXPECT_EQ(RefCount(mixer.Get()), 1u);
}

TEST(OverlayMixerFilter, FirstPinIsAnInputWithMixerPinConfig2) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    TComPtr<IPin> first = PinAt(mixer.Get(), 0);
    ASSERT_TRUE(first);
    EXPECT_EQ(DirectionOf(first.Get()), PINDIR_INPUT);
    EXPECT_TRUE(first.As<IMixerPinConfig2>(IID_IMixerPinConfig2));
    EXPECT_TRUE(first.As<IMemInputPin>(IID_IMemInputPin));
}

TEST(OverlayMixerFilter, NewMixerHasInput0AndOutput) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    auto pins = AllPins(mixer.Get());
    ASSERT_EQ(pins.size(), 2u);
    EXPECT_EQ(IdOf(pins[0].Get()), L"Input0");
    EXPECT_EQ(IdOf(pins[1].Get()), L"Output");
    EXPECT_EQ(DirectionOf(pins[1].Get()), PINDIR_OUTPUT);
}

TEST(OverlayMixerFilter, FindPinOfAnUnknownNameFails) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    TComPtr<IPin> pin;
    EXPECT_EQ(mixer->FindPin(L"output", pin.Receive()), VFW_E_NOT_FOUND);
    EXPECT_FALSE(pin);
}

TEST(OverlayMixerFilter, PinInfoNamesTheFilterWithACountedReference) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    TComPtr<IPin> input = PinAt(mixer.Get(), 0);
    PIN_INFO info{};
    ASSERT_EQ(input->QueryPinInfo(&info), S_OK);
    EXPECT_EQ(info.pFilter, mixer.Get());
    EXPECT_EQ(info.dir, PINDIR_INPUT);
    EXPECT_STREQ(info.achName, L"Input0");
    EXPECT_EQ(RefCount(mixer.Get()), 3u);
    info.pFilter->Release();
}

TEST(OverlayMixerFilter, UnconnectedPinsReportNotConnected) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    for (auto& pin : AllPins(mixer.Get())) {
        TComPtr<IPin> peer;
        EXPECT_EQ(pin->ConnectedTo(peer.Receive()), VFW_E_NOT_CONNECTED);
        AM_MEDIA_TYPE type;
        EXPECT_EQ(pin->ConnectionMediaType(&type), VFW_E_NOT_CONNECTED);
    }
}

TEST(OverlayMixerFilter, InputProposesRgbTypes) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    TComPtr<IPin> input = PinAt(mixer.Get(), 0);
    TComPtr<IEnumMediaTypes> types;
    ASSERT_EQ(input->EnumMediaTypes(types.Receive()), S_OK);
    AM_MEDIA_TYPE* type = nullptr;
    ASSERT_EQ(types->Next(1, &type, nullptr), S_OK);
    EXPECT_TRUE(IsEqualGUID(type->majortype, MEDIATYPE_Video));
    EXPECT_TRUE(IsEqualGUID(type->subtype, MEDIASUBTYPE_RGB32));
    CoTaskMemFree(type);
    ULONG fetched = 0;
    AM_MEDIA_TYPE* rest[8] = {};
    EXPECT_EQ(types->Next(8, rest, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 3u);
    for (ULONG i = 0; i < fetched; ++i) CoTaskMemFree(rest[i]);
}

TEST(OverlayMixerFilter, UnconnectedOutputProposesNothing) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    TComPtr<IPin> output = FindPin(mixer.Get(), L"Output");
    TComPtr<IEnumMediaTypes> types;
    ASSERT_EQ(output->EnumMediaTypes(types.Receive()), S_OK);
    AM_MEDIA_TYPE* type = nullptr;
    ULONG fetched = 5;
    EXPECT_EQ(types->Next(1, &type, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
}

TEST(OverlayMixerFilter, InputRefusesToInitiateAConnection) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    TComPtr<IPin> input = PinAt(mixer.Get(), 0);
    TComPtr<IPin> output = FindPin(mixer.Get(), L"Output");
    EXPECT_EQ(input->Connect(output.Get(), nullptr), E_UNEXPECTED);
}

TEST(OverlayMixerFilter, OutputCannotConnectWithoutAnInput) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    TComPtr<IBaseFilter> renderer;
    ASSERT_EQ(CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                               renderer.ReceiveVoid()),
              S_OK);
    TComPtr<IPin> output = FindPin(mixer.Get(), L"Output");
    TComPtr<IPin> rendererInput = PinAt(renderer.Get(), 0);
    EXPECT_EQ(output->Connect(rendererInput.Get(), nullptr), VFW_E_NO_ACCEPTABLE_TYPES);
}

TEST(OverlayMixerFilter, DisconnectingAnUnconnectedPinAnswersSFalse) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    EXPECT_EQ(PinAt(mixer.Get(), 0)->Disconnect(), S_FALSE);
    EXPECT_EQ(FindPin(mixer.Get(), L"Output")->Disconnect(), S_FALSE);
}

TEST(OverlayMixerFilter, StateFollowsPauseRunAndStop) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    FILTER_STATE state = State_Running;
    ASSERT_EQ(mixer->GetState(0, &state), S_OK);
    EXPECT_EQ(state, State_Stopped);
    ASSERT_EQ(mixer->Pause(), S_OK);
    mixer->GetState(0, &state);
    EXPECT_EQ(state, State_Paused);
    ASSERT_EQ(mixer->Run(0), S_OK);
    mixer->GetState(0, &state);
    EXPECT_EQ(state, State_Running);
    ASSERT_EQ(mixer->Stop(), S_OK);
    mixer->GetState(0, &state);
    EXPECT_EQ(state, State_Stopped);
}

TEST(OverlayMixerFilter, SyncSourceIsHeldWithAReference) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    TComPtr<IReferenceClock> clock;
    ASSERT_EQ(CoCreateInstance(CLSID_SystemClock, nullptr, CLSCTX_INPROC_SERVER, IID_IReferenceClock,
                               clock.ReceiveVoid()),
              S_OK);
    ASSERT_EQ(mixer->SetSyncSource(clock.Get()), S_OK);
    EXPECT_EQ(RefCount(clock.Get()), 2u);
    TComPtr<IReferenceClock> held;
    ASSERT_EQ(mixer->GetSyncSource(held.Receive()), S_OK);
    EXPECT_EQ(held.Get(), clock.Get());
    held.Reset();
    mixer->SetSyncSource(nullptr);
    EXPECT_EQ(RefCount(clock.Get()), 1u);
}

TEST(OverlayMixerFilter, JoiningAGraphDoesNotCountTheGraph) {
    TComPtr<IGraphBuilder> graph;
    ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.ReceiveVoid()),
              S_OK);
    TComPtr<IBaseFilter> mixer = CreateMixer();
    const ULONG before = RefCount(graph.Get());
    ASSERT_EQ(graph->AddFilter(mixer.Get(), L"Overlay Mixer"), S_OK);
    EXPECT_EQ(RefCount(graph.Get()), before);
    FILTER_INFO info{};
    ASSERT_EQ(mixer->QueryFilterInfo(&info), S_OK);
    EXPECT_STREQ(info.achName, L"Overlay Mixer");
    EXPECT_EQ(info.pGraph, static_cast<IFilterGraph*>(graph.Get()));
    if (info.pGraph) info.pGraph->Release();
    graph->RemoveFilter(mixer.Get());
}

TEST(OverlayMixerFilter, EnumeratorIsOutOfSyncOnceAnInputIsAdded) {
    if (!SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
    TPlayback playback("red.mpg");
    TComPtr<IBaseFilter> mixer = CreateMixer();
    TComPtr<IEnumPins> pins;
    ASSERT_EQ(mixer->EnumPins(pins.Receive()), S_OK);
    // Connecting Input0 makes Input1.
    ASSERT_EQ(playback.Graph()->AddFilter(mixer.Get(), L"Overlay Mixer"), S_OK);
    TComPtr<IPin> rendererInput = PinAt(playback.Renderer(), 0);
    TComPtr<IPin> upstream;
    ASSERT_EQ(rendererInput->ConnectedTo(upstream.Receive()), S_OK);
    playback.Graph()->Disconnect(rendererInput.Get());
    playback.Graph()->Disconnect(upstream.Get());
    ASSERT_EQ(playback.Graph()->Connect(upstream.Get(), PinAt(mixer.Get(), 0).Get()), S_OK);
    TComPtr<IPin> pin;
    EXPECT_EQ(pins->Next(1, pin.Receive(), nullptr), VFW_E_ENUM_OUT_OF_SYNC);
    ASSERT_EQ(pins->Reset(), S_OK);
    EXPECT_EQ(AllPins(mixer.Get()).size(), 3u);
    EXPECT_EQ(IdOf(PinAt(mixer.Get(), 2).Get()), L"Input1");
    playback.Graph()->RemoveFilter(mixer.Get());
}

TEST(OverlayMixerExclusiveMode, NativeVideoPropsNeedAConnection) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    DWORD width = 1, height = 1, aspectX = 1, aspectY = 1;
    EXPECT_EQ(ExclusiveOf(mixer.Get())->GetNativeVideoProps(&width, &height, &aspectX, &aspectY), VFW_E_NOT_CONNECTED);
    EXPECT_EQ(width, 0u);
    EXPECT_EQ(aspectY, 0u);
}

TEST(OverlayMixerExclusiveMode, NativeVideoPropsRefuseNullPointers) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    DWORD value = 0;
    EXPECT_EQ(ExclusiveOf(mixer.Get())->GetNativeVideoProps(&value, &value, nullptr, &value), E_POINTER);
}

TEST(OverlayMixerExclusiveMode, DirectDrawObjectsAreNotSupported) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    auto exclusive = ExclusiveOf(mixer.Get());
    IDirectDraw* ddraw = reinterpret_cast<IDirectDraw*>(1);
    BOOL external = TRUE;
    EXPECT_EQ(exclusive->GetDDrawObject(&ddraw, &external), E_NOTIMPL);
    EXPECT_EQ(ddraw, nullptr);
    EXPECT_FALSE(external);
    EXPECT_EQ(exclusive->SetDDrawObject(nullptr), E_NOTIMPL);
    EXPECT_EQ(exclusive->SetDDrawSurface(nullptr), E_NOTIMPL);
    EXPECT_EQ(exclusive->SetDrawParameters(nullptr, nullptr), E_NOTIMPL);
}

TEST(OverlayMixerExclusiveMode, CallbackIsHeldWithOneReference) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    TRecordingCallback callback;
    ASSERT_EQ(ExclusiveOf(mixer.Get())->SetCallbackInterface(&callback, 0), S_OK);
    EXPECT_EQ(callback.references, 2);
    ASSERT_EQ(ExclusiveOf(mixer.Get())->SetCallbackInterface(nullptr, 0), S_OK);
    EXPECT_EQ(callback.references, 1);
}

TEST(OverlayMixerExclusiveMode, ReplacingTheCallbackReleasesTheOldOne) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    TRecordingCallback first;
    TRecordingCallback second;
    ExclusiveOf(mixer.Get())->SetCallbackInterface(&first, 0);
    ExclusiveOf(mixer.Get())->SetCallbackInterface(&second, 0);
    EXPECT_EQ(first.references, 1);
    EXPECT_EQ(second.references, 2);
    ExclusiveOf(mixer.Get())->SetCallbackInterface(nullptr, 0);
}

TEST(OverlayMixerExclusiveMode, ReleasingTheMixerReleasesTheCallback) {
    TRecordingCallback callback;
    {
        TComPtr<IBaseFilter> mixer = CreateMixer();
        ExclusiveOf(mixer.Get())->SetCallbackInterface(&callback, 0);
    }
    EXPECT_EQ(callback.references, 1);
}

TEST(OverlayMixerExclusiveMode, CallbackFlagsMustBeZero) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    TRecordingCallback callback;
    EXPECT_EQ(ExclusiveOf(mixer.Get())->SetCallbackInterface(&callback, 1), E_INVALIDARG);
    EXPECT_EQ(callback.references, 1);
}

TEST(OverlayMixerExclusiveMode, NewCallbackHearsTheKey) {
    TComPtr<IBaseFilter> mixer = CreateMixer();
    TRecordingCallback callback;
    ExclusiveOf(mixer.Get())->SetCallbackInterface(&callback, 0);
    ASSERT_TRUE(PumpUntil([&] { return !callback.keys.empty(); }, 1000));
    EXPECT_EQ(callback.keys[0].KeyType, static_cast<DWORD>(CK_INDEX | CK_RGB));
    EXPECT_EQ(callback.keys[0].LowColorValue, RGB(16, 0, 16));
    // No video yet: nothing to tell about the size.
    EXPECT_TRUE(callback.sizes.empty());
    ExclusiveOf(mixer.Get())->SetCallbackInterface(nullptr, 0);
}

}  // namespace
}  // namespace vorlinde::platform::test
