// The video window in a real graph with the sample clips and the software Overlay Mixer: the
// rewiring through the mixer after each rendered file, playback to the end, the undo of a
// failed set-up, the colour key painted in the pane and the video on the screen.
#include <gtest/gtest.h>

#include <cstdlib>

#include "VideoWindowTestSupport.h"
#include "platform/MixerPinConfig.h"

namespace {

using namespace vorlinde;
using mediatest::PumpUntil;
using mediatest::SamplePath;
using videotest::Connections;
using videotest::TVideoHost;

// A window whose set-up cannot connect the mixer's output to the renderer.
class TFailingWindow : public TDSVideoWindowEx2 {
public:
    TFailingWindow() : TDSVideoWindowEx2(nullptr) {}
    int connects = 0;

protected:
    HRESULT ConnectPins(IGraphBuilder* builder, IPin* output, IPin* input) override {
        ++connects;
        PIN_INFO info{};
        output->QueryPinInfo(&info);
        if (info.pFilter) info.pFilter->Release();
        if (lstrcmpW(info.achName, L"Output") == 0) return VFW_E_NO_ACCEPTABLE_TYPES;
        return TDSVideoWindowEx2::ConnectPins(builder, output, input);
    }
};

// Records the graph's connections when a file has been rendered, before the window hears of it.
class TSnapshotListener : public mediatest::TCounted<IGraphListener> {
public:
    explicit TSnapshotListener(TFilterGraph& graph) : graph_(graph) {}
    videotest::TConnections before;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IGraphListener) {
            *object = static_cast<IGraphListener*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GraphEvent(LONG, LONG_PTR, LONG_PTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ControlEvent(TControlEventKind event, LONG) override {
        if (event == ctlFileRendered) before = Connections(graph_);
        return S_OK;
    }

private:
    TFilterGraph& graph_;
};

class VideoWindowOverlay : public testing::Test {
protected:
    void SetUp() override {
        if (!mediatest::SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
        mediatest::RecordedExceptions().clear();
    }
    void TearDown() override { EXPECT_TRUE(mediatest::RecordedExceptions().empty()); }
};

TEST_F(VideoWindowOverlay, RenderingRoutesTheVideoThroughTheMixerToTheOwnRenderer) {
    TVideoHost host;
    host.Graph().RenderFile(SamplePath("red.mpg"));
    auto& window = host.Window();
    EXPECT_TRUE(window.OverlayInUse());
    ASSERT_NE(window.OverlayMixer(), nullptr);
    EXPECT_TRUE(SameComObject(window.GraphRenderer(), window.OwnRenderer()));
    const auto connections = Connections(host.Graph());
    EXPECT_EQ(connections.count("Overlay Mixer.Output -> VideoWindow1.Input"), 1u) << testing::PrintToString(connections);
    bool upstreamToMixer = false;
    for (const auto& c : connections) upstreamToMixer = upstreamToMixer || c.ends_with("-> Overlay Mixer.Input0");
    EXPECT_TRUE(upstreamToMixer) << testing::PrintToString(connections);
}

TEST_F(VideoWindowOverlay, PlaysThroughTheMixerToTheEnd) {
    TVideoHost host;
    bool complete = false;
    host.Graph().OnGraphComplete = [&](vl::TObject*, HRESULT, IBaseFilter*) { complete = true; };
    host.Graph().RenderFile(SamplePath("green.mpg"));
    ASSERT_TRUE(host.Window().OverlayInUse());
    ASSERT_TRUE(host.Graph().Play());
    EXPECT_TRUE(PumpUntil([&] { return complete; }, 10000));
}

TEST_F(VideoWindowOverlay, ASecondFileAfterClearGraphIsSetUpAgain) {
    TVideoHost host;
    host.Graph().RenderFile(SamplePath("red.mpg"));
    ASSERT_TRUE(host.Window().SetupDone());
    host.Graph().ClearGraph();
    EXPECT_TRUE(Connections(host.Graph()).empty());
    host.Graph().RenderFile(SamplePath("blue.mpg"));

    EXPECT_TRUE(host.Window().OverlayInUse());
    ASSERT_NE(host.Window().OverlayMixer(), nullptr);
    EXPECT_EQ(Connections(host.Graph()).count("Overlay Mixer.Output -> VideoWindow1.Input"), 1u);
}

TEST_F(VideoWindowOverlay, AFailedSetUpLeavesEveryConnectionAsItWas) {
    auto* window = new TFailingWindow;
    TVideoHost host(window, false);
    TSnapshotListener snapshot(host.Graph());
    // The snapshot listener hears of the rendered file before the window.
    host.Graph().RemoveListener(window);
    host.Graph().InsertListener(&snapshot);
    host.Graph().InsertListener(window);
    host.Graph().SetActive(true);
    host.Graph().RenderFile(SamplePath("red.mpg"));
    EXPECT_FALSE(window->OverlayInUse());
    EXPECT_EQ(window->OverlayMixer(), nullptr);
    EXPECT_EQ(window->connects, 2);
    EXPECT_FALSE(snapshot.before.empty());
    EXPECT_EQ(Connections(host.Graph()), snapshot.before);
    EXPECT_EQ(videotest::FilterNames(host.Graph()).count(L"Overlay Mixer"), 0u);
    host.Graph().SetActive(false);
    host.Graph().RemoveListener(&snapshot);
}

TEST_F(VideoWindowOverlay, AFailedSetUpWithAMixingRendererAdoptsIt) {
    auto* window = new TFailingWindow;
    TVideoHost host(window, true);
    TComPtr<IBaseFilter> mixing;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_VideoMixingRenderer, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IBaseFilter, mixing.ReceiveVoid()));
    auto builder = host.Graph().Query<IGraphBuilder>(IID_IGraphBuilder);
    ASSERT_HRESULT_SUCCEEDED(builder->AddFilter(mixing.Get(), L"Mixing Renderer"));
    host.Graph().RenderFile(SamplePath("red.mpg"));
    EXPECT_FALSE(window->OverlayInUse());
    EXPECT_EQ(window->OverlayMixer(), nullptr);
    EXPECT_TRUE(SameComObject(window->GraphRenderer(), mixing.Get()));
    auto mixingWindow = mixing.As<IVideoWindow>(IID_IVideoWindow);
    EXPECT_TRUE(SameComObject(window->VideoWindow(), mixingWindow.Get()));
    EXPECT_FALSE(videotest::InGraph(host.Graph(), window->OwnRenderer()));
    EXPECT_TRUE(videotest::InGraph(host.Graph(), mixing.Get()));
    EXPECT_EQ(videotest::FilterNames(host.Graph()).count(L"Overlay Mixer"), 0u);
}

TEST_F(VideoWindowOverlay, PlayPaintsTheColourKeyOverTheLetterBoxedVideoRectangle) {
    TVideoHost host;
    std::vector<bool> visible;
    host.Window().OnOverlayVisible = [&](vl::TObject*, bool v) { visible.push_back(v); };
    host.Graph().RenderFile(SamplePath("red.mpg"));
    host.Graph().Play();
    EXPECT_TRUE(host.Window().OverlayVisible());
    EXPECT_EQ(visible, std::vector<bool>{true});
    // The clock change puts the renderer's window below the pane.
    PumpUntil([] { return false; }, 500);
    ASSERT_NE(host.Window().RendererWindow(), nullptr);
    EXPECT_EQ(GetWindow(host.Window().Handle(), GW_HWNDNEXT), host.Window().RendererWindow());
    const RECT r = host.Window().VideoRect();
    EXPECT_EQ(r.left, 13);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 193);
    EXPECT_EQ(r.bottom, 135);
    HDC dc = GetDC(host.Window().Handle());
    EXPECT_EQ(GetPixel(dc, 100, 60), RGB(16, 0, 16));
    EXPECT_EQ(GetPixel(dc, 3, 60), RGB(0, 0, 0));
    ReleaseDC(host.Window().Handle(), dc);
    host.Graph().Stop();
}

TEST_F(VideoWindowOverlay, StopTakesTheColourKeyAway) {
    TVideoHost host;
    std::vector<bool> visible;
    host.Graph().RenderFile(SamplePath("red.mpg"));
    host.Graph().Play();
    PumpUntil([] { return false; }, 500);
    host.Window().OnOverlayVisible = [&](vl::TObject*, bool v) { visible.push_back(v); };
    host.Graph().Stop();
    EXPECT_FALSE(host.Window().OverlayVisible());
    EXPECT_EQ(visible, std::vector<bool>{false});
    HDC dc = GetDC(host.Window().Handle());
    EXPECT_EQ(GetPixel(dc, 100, 60), RGB(0, 0, 0));
    ReleaseDC(host.Window().Handle(), dc);
}

TEST_F(VideoWindowOverlay, TheVideoShowsOnTheScreenInThePane) {
    TVideoHost host;
    host.Graph().RenderFile(SamplePath("red.mpg"));
    host.Graph().Play();
    // The pane is at (100, 100) on the screen; its centre shows the clip's red.
    const bool red = PumpUntil(
        [&] {
            const COLORREF c = videotest::ScreenPixel(200, 167);
            return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60;
        },
        3000);
    EXPECT_TRUE(red) << std::hex << videotest::ScreenPixel(200, 167);
    // For a look at the screen: VORLINDE_HOLD_MS keeps the picture up for that long.
    if (const char* hold = std::getenv("VORLINDE_HOLD_MS")) PumpUntil([] { return false; }, std::atoi(hold));
    host.Graph().Stop();
}

TEST_F(VideoWindowOverlay, TheMixerReportsItsColourKeyToTheWindow) {
    TVideoHost host;
    int changes = 0;
    host.Window().OnColorKeyChanged = [&](vl::TObject*) { ++changes; };
    host.Graph().RenderFile(SamplePath("red.mpg"));
    host.Graph().Play();
    PumpUntil([&] { return changes > 0; }, 2000);
    EXPECT_GT(changes, 0);
    EXPECT_EQ(host.Window().ColorKey(), RGB(16, 0, 16));
    host.Graph().Stop();
}

TEST_F(VideoWindowOverlay, DigitalZoomCutsTheRendererSource) {
    TVideoHost host;
    host.Graph().RenderFile(SamplePath("red.mpg"));
    host.Window().SetDigitalZoom(10);
    auto video = TComPtr<IBaseFilter>::Share(host.Window().GraphRenderer()).As<IBasicVideo>(IID_IBasicVideo);
    ASSERT_TRUE(video);
    long left = 0, top = 0, width = 0, height = 0;
    video->GetSourcePosition(&left, &top, &width, &height);
    EXPECT_EQ(width, 144);
    EXPECT_EQ(height, 108);
    EXPECT_EQ(left, 8);
    EXPECT_EQ(top, 6);
}

TEST_F(VideoWindowOverlay, DigitalZoomZeroResetsTheSourceToTheWholePicture) {
    TVideoHost host;
    host.Graph().RenderFile(SamplePath("red.mpg"));
    host.Window().SetDigitalZoom(30);
    host.Window().SetDigitalZoom(0);
    auto video = TComPtr<IBaseFilter>::Share(host.Window().GraphRenderer()).As<IBasicVideo>(IID_IBasicVideo);
    ASSERT_TRUE(video);
    long left = -1, top = -1, width = 0, height = 0;
    video->GetSourcePosition(&left, &top, &width, &height);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(width, 160);
    EXPECT_EQ(height, 120);
}

TEST_F(VideoWindowOverlay, AspectRatioReachesTheMixer) {
    TVideoHost host;
    host.Graph().RenderFile(SamplePath("red.mpg"));
    host.Window().SetAspectRatio(TRatioModes::rmStretched);
    EXPECT_EQ(host.Window().AspectRatio(), TRatioModes::rmStretched);
    TComPtr<IEnumPins> pins;
    host.Window().OverlayMixer()->EnumPins(pins.Receive());
    TComPtr<IPin> first;
    ASSERT_EQ(pins->Next(1, first.Receive(), nullptr), S_OK);
    auto config = first.As<IMixerPinConfig2>(IID_IMixerPinConfig2);
    AM_ASPECT_RATIO_MODE mode = AM_ARMODE_CROP;
    config->GetAspectRatioMode(&mode);
    EXPECT_EQ(mode, AM_ARMODE_STRETCHED);
}

TEST_F(VideoWindowOverlay, LeavingTheGraphForgetsTheFiltersAndTheOverlay) {
    TVideoHost host;
    host.Graph().RenderFile(SamplePath("red.mpg"));
    host.Graph().SetActive(false);
    EXPECT_EQ(host.Window().OwnRenderer(), nullptr);
    EXPECT_EQ(host.Window().OverlayMixer(), nullptr);
    EXPECT_EQ(host.Window().VideoWindow(), nullptr);
    EXPECT_FALSE(host.Window().SetupDone());
}

TEST_F(VideoWindowOverlay, DestroyingTheWindowLeavesItsController) {
    TVideoHost host;
    host.Graph().RenderFile(SamplePath("red.mpg"));
    host.DestroyWindow();
    EXPECT_EQ(host.Graph().MemberCount(), 0);
    EXPECT_EQ(host.Graph().ListenerCount(), 0);
}

}  // namespace
