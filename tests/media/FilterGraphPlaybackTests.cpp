// The controller on the platform's DirectShow with the sample clips: rendering, clearing,
// playing to the end, the event drain on the notification window, the graph-building
// callbacks and the log file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "MediaTestSupport.h"

namespace {

using namespace vorlinde;
using mediatest::PumpUntil;
using mediatest::SamplePath;
using mediatest::TTestListener;
using mediatest::TTestMember;

// An active controller with a logging member (a Video Renderer) and listener; everything is
// released again at the end of the test.
class FilterGraphPlayback : public testing::Test {
protected:
    void SetUp() override {
        if (!mediatest::SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
        mediatest::RecordedExceptions().clear();
        graph.InsertMember(&member);
        graph.InsertListener(&listener);
        graph.SetActive(true);
        log.clear();
    }
    void TearDown() override {
        graph.SetActive(false);
        graph.RemoveMember(&member);
        graph.RemoveListener(&listener);
    }

    // The names of the filters in the graph and whether any of their pins is connected.
    std::vector<std::wstring> FilterNames(bool* anyConnected = nullptr) {
        std::vector<std::wstring> names;
        auto manager = graph.Query<IFilterGraph2>(IID_IFilterGraph2);
        TComPtr<IEnumFilters> filters;
        manager->EnumFilters(filters.Receive());
        TComPtr<IBaseFilter> filter;
        while (filters->Next(1, filter.Receive(), nullptr) == S_OK) {
            FILTER_INFO info{};
            filter->QueryFilterInfo(&info);
            if (info.pGraph) info.pGraph->Release();
            names.push_back(info.achName);
            TComPtr<IEnumPins> pins;
            filter->EnumPins(pins.Receive());
            TComPtr<IPin> pin, peer;
            while (pins->Next(1, pin.Receive(), nullptr) == S_OK)
                if (SUCCEEDED(pin->ConnectedTo(peer.Receive())) && anyConnected) *anyConnected = true;
        }
        return names;
    }

    std::vector<std::string> log;
    TTestMember member{log};
    TTestListener listener{log};
    TFilterGraph graph{nullptr};
};

// Expects `e` to carry a failure code that its message ends with, as " ($<HEX>).".
void ExpectCodeInMessage(const EDirectShowException& e) {
    char code[32];
    snprintf(code, sizeof code, " ($%lX).", static_cast<unsigned long>(e.ErrorCode()));
    EXPECT_TRUE(FAILED(e.ErrorCode()));
    EXPECT_TRUE(e.Message().ends_with(code)) << e.Message();
}

TEST(FilterGraphRender, RenderFileWhileInactiveGivesSFalseAndNoControlEvent) {
    std::vector<std::string> log;
    TTestListener listener(log);
    TFilterGraph graph(nullptr);
    graph.InsertListener(&listener);
    EXPECT_EQ(graph.RenderFile(SamplePath("red.mpg")), S_FALSE);
    EXPECT_TRUE(log.empty());
    graph.RemoveListener(&listener);
}

TEST(FilterGraphRender, StateIsUninitialisedWhileInactive) {
    TFilterGraph graph(nullptr);
    EXPECT_EQ(graph.State(), PlaybackState::Uninitialised);
}

TEST_F(FilterGraphPlayback, RenderFileBuildsTheGraphBetweenTwoControlEvents) {
    const HRESULT hr = graph.RenderFile(SamplePath("red.mpg"));
    EXPECT_TRUE(SUCCEEDED(hr));
    EXPECT_EQ(log, (std::vector<std::string>{"L:control:3:0", "L:control:4:0"}));
    EXPECT_GE(FilterNames().size(), 2u);
}

TEST_F(FilterGraphPlayback, AMissingFileRaisesAfterRenderingWithoutRendered) {
    try {
        graph.RenderFile(SamplePath("missing.mpg"));
        FAIL() << "no exception";
    } catch (const EDirectShowException& e) {
        ExpectCodeInMessage(e);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"L:control:3:0"}));
}

TEST_F(FilterGraphPlayback, AFileThatIsNotAMovieRaisesAfterRenderingWithoutRendered) {
    try {
        graph.RenderFile(SamplePath("notamovie.mpg"));
        FAIL() << "no exception";
    } catch (const EDirectShowException& e) {
        ExpectCodeInMessage(e);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"L:control:3:0"}));
}

// The second file of a kind is built with the filter that followed the source the first time
// already in the graph: the graph comes out the same, with no filter left over, and a file the
// offered filter cannot take still fails and leaves no offered filter behind.
TEST_F(FilterGraphPlayback, TheNextFileOfAKindGetsTheSameGraphWithNothingLeftOver) {
    graph.RenderFile(SamplePath("red.mpg"));
    auto first = FilterNames();
    graph.ClearGraph();
    graph.RenderFile(SamplePath("blue.mpg"));
    auto second = FilterNames();
    std::sort(first.begin(), first.end());
    std::sort(second.begin(), second.end());
    EXPECT_EQ(second, first);

    graph.ClearGraph();
    EXPECT_THROW(graph.RenderFile(SamplePath("notamovie.mpg")), EDirectShowException);
    for (const auto& name : FilterNames()) {
        if (name == L"Member") continue;
        EXPECT_TRUE(std::find(first.begin(), first.end(), name) == first.end())
            << "left in the graph: " << std::string(name.begin(), name.end());
    }
}

// The building hooks see every filter the builder picks, also for a kind of file rendered
// before without them.
TEST_F(FilterGraphPlayback, TheBuildingHooksSeeTheFilterFollowingTheSourceOnTheSecondFileToo) {
    graph.RenderFile(SamplePath("red.mpg"));
    graph.ClearGraph();
    std::vector<CLSID> created;
    graph.OnCreatedFilter = [&](vl::TObject*, IBaseFilter*, const CLSID& id) {
        created.push_back(id);
        return true;
    };
    graph.RenderFile(SamplePath("blue.mpg"));
    EXPECT_FALSE(created.empty());
}

TEST_F(FilterGraphPlayback, ClearGraphKeepsExactlyTheMemberFilterUnconnected) {
    graph.RenderFile(SamplePath("red.mpg"));
    graph.ClearGraph();
    bool connected = false;
    EXPECT_EQ(FilterNames(&connected), (std::vector<std::wstring>{L"Member"}));
    EXPECT_FALSE(connected);
    EXPECT_EQ(graph.State(), PlaybackState::Stopped);
}

TEST_F(FilterGraphPlayback, PlayAnswersTrueWhileTheGraphStillChangesState) {
    graph.RenderFile(SamplePath("red.mpg"));
    EXPECT_TRUE(graph.Play());
    EXPECT_TRUE(PumpUntil([&] { return graph.State() == PlaybackState::Playing; }, 2000));
    EXPECT_TRUE(graph.Stop());
}

TEST(FilterGraphRender, RenderingReappliesVolumeBalanceAndRate) {
    if (!mediatest::SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
    mediatest::TFakeBasicAudio audio;
    mediatest::TFakeMediaSeeking seeking;
    mediatest::TFakeInterfacesGraph graph;
    graph.SetActive(true);
    graph.audio = &audio;
    graph.seeking = &seeking;
    graph.RenderFile(SamplePath("red.mpg"));
    EXPECT_EQ(audio.volumes, (std::vector<long>{0}));
    EXPECT_EQ(audio.balances, (std::vector<long>{0}));
    EXPECT_EQ(seeking.rates, (std::vector<double>{1.0}));
    graph.SetActive(false);
}

// Each sample format plays to its end; completion arrives through the notification window
// inside an ordinary message loop.
class FilterGraphClips : public FilterGraphPlayback, public testing::WithParamInterface<const char*> {};

TEST_P(FilterGraphClips, PlaysToTheEndAndRaisesOnGraphComplete) {
    HWND completedIn = nullptr;
    HRESULT result = E_FAIL;
    graph.OnGraphComplete = [&](vl::TObject* sender, HRESULT hr, IBaseFilter*) {
        EXPECT_EQ(sender, &graph);
        result = hr;
        completedIn = mediatest::DispatchingWindow();
    };
    graph.RenderFile(SamplePath(GetParam()));
    ASSERT_TRUE(graph.Play());
    EXPECT_TRUE(PumpUntil([&] { return completedIn != nullptr; }, 10000));
    EXPECT_EQ(completedIn, graph.NotifyWindow());
    EXPECT_EQ(result, S_OK);
    graph.Stop();
}

INSTANTIATE_TEST_SUITE_P(Samples, FilterGraphClips, testing::Values("red.mpg", "yellow.wmv", "cyan.asf", "magenta.dat"));

TEST_F(FilterGraphPlayback, CompletionReachesListenersThenOnDSEventThenOnGraphComplete) {
    graph.OnDSEvent = [&](vl::TObject*, LONG code, LONG_PTR, LONG_PTR) { log.push_back("OnDSEvent:" + std::to_string(code)); };
    graph.OnGraphComplete = [&](vl::TObject*, HRESULT, IBaseFilter*) { log.push_back("OnGraphComplete"); };
    graph.RenderFile(SamplePath("green.mpg"));
    graph.Play();
    ASSERT_TRUE(PumpUntil([&] { return !log.empty() && log.back() == "OnGraphComplete"; }, 10000));
    const std::vector<std::string> tail(log.end() - 3, log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"L:graph:1", "OnDSEvent:1", "OnGraphComplete"}));
    graph.Stop();
}

TEST_F(FilterGraphPlayback, ACompletionHandlerMayStartTheNextFile) {
    std::vector<std::string> completed;
    graph.OnGraphComplete = [&](vl::TObject*, HRESULT, IBaseFilter*) {
        completed.push_back(graph.RenderedFile().ends_with(L"red.mpg") ? "red" : "blue");
        if (completed.size() == 1) {
            graph.ClearGraph();
            graph.RenderFile(SamplePath("blue.mpg"));
            graph.Play();
        }
    };
    graph.RenderFile(SamplePath("red.mpg"));
    graph.Play();
    EXPECT_TRUE(PumpUntil([&] { return completed.size() == 2; }, 15000));
    EXPECT_EQ(completed, (std::vector<std::string>{"red", "blue"}));
    EXPECT_TRUE(mediatest::RecordedExceptions().empty());
    graph.Stop();
}

TEST_F(FilterGraphPlayback, DeactivatingAPlayingGraphReleasesIt) {
    graph.RenderFile(SamplePath("red.mpg"));
    graph.Play();
    ASSERT_TRUE(PumpUntil([&] { return graph.State() == PlaybackState::Playing; }, 2000));
    IFilterGraph2* manager = graph.Query<IFilterGraph2>(IID_IFilterGraph2).Detach();
    graph.SetActive(false);
    EXPECT_EQ(manager->Release(), 0u);
}

TEST_F(FilterGraphPlayback, AHandlerMayReleaseTheGraphDuringTheDrain) {
    int events = 0;
    graph.OnDSEvent = [&](vl::TObject*, LONG, LONG_PTR, LONG_PTR) {
        ++events;
        graph.SetActive(false);
    };
    auto sink = graph.Query<IMediaEventSink>(IID_IMediaEventSink);
    sink->Notify(EC_USERABORT, 0, 0);
    sink->Notify(EC_PALETTE_CHANGED, 0, 0);
    sink.Reset();
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(events, 1);
    EXPECT_FALSE(graph.Active());
}

// Two events queued before the notification message is handled, then that one message.
void QueueTwoEventsAndHandleOneMessage(TFilterGraph& graph) {
    auto sink = graph.Query<IMediaEventSink>(IID_IMediaEventSink);
    ASSERT_TRUE(sink);
    sink->Notify(EC_USERABORT, 0, 0);
    sink->Notify(EC_PALETTE_CHANGED, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, graph.NotifyWindow(), WM_GRAPHNOTIFY, WM_GRAPHNOTIFY, PM_REMOVE));
    DispatchMessageA(&msg);
}

TEST_F(FilterGraphPlayback, TwoQueuedEventsAreDeliveredInOneDrainInQueueOrder) {
    std::vector<std::string> order;
    graph.OnDSEvent = [&](vl::TObject*, LONG code, LONG_PTR, LONG_PTR) { order.push_back("ds:" + std::to_string(code)); };
    graph.OnGraphUserAbort = [&](vl::TObject*) { order.push_back("UserAbort"); };
    graph.OnGraphPaletteChanged = [&](vl::TObject*) { order.push_back("PaletteChanged"); };
    QueueTwoEventsAndHandleOneMessage(graph);
    EXPECT_EQ(order, (std::vector<std::string>{"ds:2", "UserAbort", "ds:9", "PaletteChanged"}));
    EXPECT_EQ(log, (std::vector<std::string>{"L:graph:2", "L:graph:9"}));
}

TEST_F(FilterGraphPlayback, AnExceptionInAnEventHandlerGoesToTheCentralHandlerAndEndsTheDrain) {
    int palette = 0;
    graph.OnGraphUserAbort = [](vl::TObject*) { throw vl::Exception("handler failed"); };
    graph.OnGraphPaletteChanged = [&](vl::TObject*) { ++palette; };
    QueueTwoEventsAndHandleOneMessage(graph);
    EXPECT_EQ(mediatest::RecordedExceptions(), (std::vector<std::string>{"handler failed"}));
    EXPECT_EQ(palette, 0);
    PumpUntil([&] { return palette == 1; }, 1000);  // the next message drains the rest
    EXPECT_EQ(palette, 1);
}

// --- graph-building callbacks

TEST_F(FilterGraphPlayback, RenderingAsksOnSelectedFilterAndOnCreatedFilter) {
    std::vector<std::wstring> selected;
    std::vector<CLSID> created;
    graph.OnSelectedFilter = [&](vl::TObject*, IMoniker*, const std::wstring& name, const CLSID&) {
        selected.push_back(name);
        return true;
    };
    graph.OnCreatedFilter = [&](vl::TObject*, IBaseFilter*, const CLSID& id) {
        created.push_back(id);
        return true;
    };
    graph.RenderFile(SamplePath("red.mpg"));
    ASSERT_FALSE(selected.empty());
    EXPECT_FALSE(selected.front().empty());
    ASSERT_FALSE(created.empty());
    EXPECT_NE(created.front(), GUID_NULL);
}

TEST(FilterGraphCallbacks, CreatedFilterAnswersByTheHandler) {
    std::vector<std::string> log;
    TTestMember renderer(log);
    TFilterGraph graph(nullptr);
    EXPECT_EQ(graph.CreatedFilter(renderer.Filter()), S_OK);
    CLSID seen = GUID_NULL;
    graph.OnCreatedFilter = [&](vl::TObject*, IBaseFilter*, const CLSID& id) {
        seen = id;
        return false;
    };
    EXPECT_EQ(graph.CreatedFilter(renderer.Filter()), E_FAIL);
    EXPECT_EQ(seen, CLSID_VideoRenderer);
}

TEST(FilterGraphCallbacks, QueryServiceAnswersOnlyTheOwnerIdentifier) {
    TFilterGraph graph(nullptr);
    void* object = nullptr;
    EXPECT_EQ(graph.QueryService(IID_IFilterGraphOwner, IID_IFilterGraphOwner, &object), S_OK);
    EXPECT_EQ(object, static_cast<void*>(&graph));
    EXPECT_EQ(graph.QueryService(IID_IFilterGraphOwner, IID_IUnknown, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
}

// A graph stand-in that leads, through its service provider, to one controller.
class TOwnerGraph : public mediatest::TCounted<IFilterGraph, IServiceProvider> {
public:
    explicit TOwnerGraph(TFilterGraph& owner) : owner_(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = nullptr;
        if (iid == IID_IUnknown || iid == IID_IFilterGraph) *object = static_cast<IFilterGraph*>(this);
        if (iid == IID_IServiceProvider) *object = static_cast<IServiceProvider*>(this);
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** object) override {
        return owner_.QueryService(service, iid, object);
    }
    HRESULT STDMETHODCALLTYPE AddFilter(IBaseFilter*, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RemoveFilter(IBaseFilter*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFilters(IEnumFilters**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindFilterByName(LPCWSTR, IBaseFilter**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ConnectDirect(IPin*, IPin*, const AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reconnect(IPin*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Disconnect(IPin*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetDefaultSyncSource() override { return E_NOTIMPL; }

private:
    TFilterGraph& owner_;
};

TEST(FilterGraphCallbacks, UnableToRenderAsksTheControllerThatOwnsThePinsGraph) {
    std::vector<std::string> log;
    TTestMember renderer(log);
    TFilterGraph owner(nullptr), other(nullptr);
    TOwnerGraph ownerGraph(owner);
    renderer.Filter()->JoinFilterGraph(&ownerGraph, L"Renderer");
    TComPtr<IPin> pin;
    TComPtr<IEnumPins> pins;
    renderer.Filter()->EnumPins(pins.Receive());
    pins->Next(1, pin.Receive(), nullptr);

    EXPECT_EQ(other.UnableToRender(pin.Get()), S_FALSE);  // no handler
    vl::TObject* sender = nullptr;
    owner.OnUnableToRender = [&](vl::TObject* s, IPin*) {
        sender = s;
        return true;
    };
    EXPECT_EQ(other.UnableToRender(pin.Get()), S_OK);
    EXPECT_EQ(sender, &owner);
    owner.OnUnableToRender = [](vl::TObject*, IPin*) { return false; };
    EXPECT_EQ(other.UnableToRender(pin.Get()), S_FALSE);
    renderer.Filter()->JoinFilterGraph(nullptr, nullptr);
}

// --- log file and running-object table

std::string TempPath(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

// True when nobody holds the file open.
bool FileIsClosed(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

TEST(FilterGraphLog, TheLogFileIsCreatedWhileActiveAndClosedOnDeactivation) {
    const std::string path = TempPath("vorlinde-graph.log");
    DeleteFileA(path.c_str());
    TFilterGraph graph(nullptr);
    graph.SetLogFile(path);
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);  // stored only
    graph.SetActive(true);
    EXPECT_FALSE(FileIsClosed(path));
    graph.SetActive(false);
    EXPECT_TRUE(FileIsClosed(path));
    EXPECT_EQ(graph.LogFile(), path);
    DeleteFileA(path.c_str());
}

TEST(FilterGraphLog, ALogFileThatCannotBeCreatedKeepsThePreviousPath) {
    const std::string path = TempPath("vorlinde-graph.log");
    TFilterGraph graph(nullptr);
    graph.SetLogFile(path);
    graph.SetActive(true);
    graph.SetLogFile(TempPath("no-such-folder\\graph.log"));
    EXPECT_EQ(graph.LogFile(), path);
    EXPECT_TRUE(FileIsClosed(path));  // logging is off
    graph.SetActive(false);
    DeleteFileA(path.c_str());
}

TEST(FilterGraphLog, GraphEditIsStoredWhileInactive) {
    TFilterGraph graph(nullptr);
    graph.SetGraphEdit(true);
    EXPECT_TRUE(graph.GraphEdit());
    graph.SetGraphEdit(false);
    EXPECT_FALSE(graph.GraphEdit());
}

// Whether the running-object table holds an entry of that display name.
bool Published(const std::wstring& name) {
    TComPtr<IRunningObjectTable> table;
    TComPtr<IMoniker> moniker;
    if (FAILED(GetRunningObjectTable(0, table.Receive())) || FAILED(CreateItemMoniker(L"!", name.c_str(), moniker.Receive())))
        return false;
    return table->IsRunning(moniker.Get()) == S_OK;
}

TEST(FilterGraphLog, GraphEditPublishesTheGraphWhileActive) {
    TFilterGraph graph(nullptr);
    graph.SetActive(true);
    const std::wstring name = RunningObjectName(graph.Query<IFilterGraph2>(IID_IFilterGraph2).Get(), GetCurrentProcessId());
    EXPECT_FALSE(Published(name));
    graph.SetGraphEdit(true);
    EXPECT_TRUE(Published(name));
    graph.SetActive(false);
    EXPECT_FALSE(Published(name));
    EXPECT_TRUE(graph.GraphEdit());
}

TEST(FilterGraphLog, TheRunningObjectNameShowsPointerAndProcessInUpperCaseHex) {
    const void* pointer = reinterpret_cast<const void*>(static_cast<uintptr_t>(0xABCDEF12));
    EXPECT_EQ(RunningObjectName(pointer, 0x1A2B), L"FilterGraph 00000000ABCDEF12 pid 1A2B");
}

}  // namespace
