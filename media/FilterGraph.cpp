#include "media/FilterGraph.h"

#include <algorithm>
#include <utility>

#include "framework/ClassBuilder.h"
#include "framework/Control.h"
#include "framework/Exceptions.h"
#include "media/GraphUtils.h"

namespace vorlinde {

namespace {

constexpr const char* kNotifyWindowClass = "TFilterGraphNotifyWindow";

const char* ModeName(TGraphMode mode) {
    switch (mode) {
        case TGraphMode::gmNormal: return "gmNormal";
        case TGraphMode::gmCapture: return "gmCapture";
        case TGraphMode::gmDVD: return "gmDVD";
    }
    return "?";
}

}  // namespace

const vl::TClassInfo& TFilterGraph::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TFilterGraph>("TFilterGraph", &vl::TComponent::StaticClass())
            .Creatable()
            .Prop("LogFile", &TFilterGraph::SetLogFile, &TFilterGraph::LogFile)
            .Prop("Active", &TFilterGraph::SetActive, &TFilterGraph::Active)
            .Prop("AutoCreate", &TFilterGraph::SetAutoCreate, &TFilterGraph::AutoCreate)
            .Prop("Mode", &TFilterGraph::SetMode, &TFilterGraph::Mode)
            .Prop("GraphEdit", &TFilterGraph::SetGraphEdit, &TFilterGraph::GraphEdit)
            .Prop("LinearVolume", &TFilterGraph::SetLinearVolume, &TFilterGraph::LinearVolume)
            .Event("OnActivate", &TFilterGraph::OnActivate)
            .Event("OnDSEvent", &TFilterGraph::OnDSEvent)
            .Event("OnGraphComplete", &TFilterGraph::OnGraphComplete)
            .Event("OnGraphUserAbort", &TFilterGraph::OnGraphUserAbort)
            .Event("OnGraphErrorAbort", &TFilterGraph::OnGraphErrorAbort)
            .Event("OnGraphStreamErrorStopped", &TFilterGraph::OnGraphStreamErrorStopped)
            .Event("OnGraphStreamErrorStillPlaying", &TFilterGraph::OnGraphStreamErrorStillPlaying)
            .Event("OnGraphErrorStillPlaying", &TFilterGraph::OnGraphErrorStillPlaying)
            .Event("OnGraphPaletteChanged", &TFilterGraph::OnGraphPaletteChanged)
            .Event("OnGraphVideoSizeChanged", &TFilterGraph::OnGraphVideoSizeChanged)
            .Event("OnGraphQualityChange", &TFilterGraph::OnGraphQualityChange)
            .Event("OnGraphClockChanged", &TFilterGraph::OnGraphClockChanged)
            .Event("OnGraphPaused", &TFilterGraph::OnGraphPaused)
            .Event("OnGraphOpeningFile", &TFilterGraph::OnGraphOpeningFile)
            .Event("OnGraphBufferingData", &TFilterGraph::OnGraphBufferingData)
            .Event("OnGraphFullscreenLost", &TFilterGraph::OnGraphFullscreenLost)
            .Event("OnGraphOleEvent", &TFilterGraph::OnGraphOleEvent)
            .Event("OnGraphStreamControlStopped", &TFilterGraph::OnGraphStreamControlStopped)
            .Event("OnGraphStreamControlStarted", &TFilterGraph::OnGraphStreamControlStarted)
            .Event("OnGraphEndOfSegment", &TFilterGraph::OnGraphEndOfSegment)
            .Event("OnGraphDeviceLost", &TFilterGraph::OnGraphDeviceLost)
            .Event("OnGraphStepComplete", &TFilterGraph::OnGraphStepComplete)
            .Event("OnGraphTimeCodeAvailable", &TFilterGraph::OnGraphTimeCodeAvailable)
            .Event("OnGraphEXTDeviceModeChange", &TFilterGraph::OnGraphEXTDeviceModeChange)
            .Event("OnGraphChanged", &TFilterGraph::OnGraphChanged)
            .Event("OnGraphClockUnset", &TFilterGraph::OnGraphClockUnset)
            .Event("OnGraphVMRRenderDevice", &TFilterGraph::OnGraphVMRRenderDevice)
            .Event("OnGraphSNDDevInError", &TFilterGraph::OnGraphSNDDevInError)
            .Event("OnGraphSNDDevOutError", &TFilterGraph::OnGraphSNDDevOutError)
            .Event("OnDVDDomainFirstPlay", &TFilterGraph::OnDVDDomainFirstPlay)
            .Event("OnDVDDomainVideoManagerMenu", &TFilterGraph::OnDVDDomainVideoManagerMenu)
            .Event("OnDVDDomainVideoTitleSetMenu", &TFilterGraph::OnDVDDomainVideoTitleSetMenu)
            .Event("OnDVDDomainTitle", &TFilterGraph::OnDVDDomainTitle)
            .Event("OnDVDDomainStop", &TFilterGraph::OnDVDDomainStop)
            .Event("OnDVDTitleChange", &TFilterGraph::OnDVDTitleChange)
            .Event("OnDVDChapterStart", &TFilterGraph::OnDVDChapterStart)
            .Event("OnDVDAudioStreamChange", &TFilterGraph::OnDVDAudioStreamChange)
            .Event("OnDVDSubpictureStreamChange", &TFilterGraph::OnDVDSubpictureStreamChange)
            .Event("OnDVDAngleChange", &TFilterGraph::OnDVDAngleChange)
            .Event("OnDVDButtonChange", &TFilterGraph::OnDVDButtonChange)
            .Event("OnDVDValidUOPSChange", &TFilterGraph::OnDVDValidUOPSChange)
            .Event("OnDVDStillOn", &TFilterGraph::OnDVDStillOn)
            .Event("OnDVDStillOff", &TFilterGraph::OnDVDStillOff)
            .Event("OnDVDCurrentTime", &TFilterGraph::OnDVDCurrentTime)
            .Event("OnDVDErrorUnexpected", &TFilterGraph::OnDVDErrorUnexpected)
            .Event("OnDVDErrorCopyProtectFail", &TFilterGraph::OnDVDErrorCopyProtectFail)
            .Event("OnDVDErrorInvalidDVD1_0Disc", &TFilterGraph::OnDVDErrorInvalidDVD1_0Disc)
            .Event("OnDVDErrorInvalidDiscRegion", &TFilterGraph::OnDVDErrorInvalidDiscRegion)
            .Event("OnDVDErrorLowParentalLevel", &TFilterGraph::OnDVDErrorLowParentalLevel)
            .Event("OnDVDErrorMacrovisionFail", &TFilterGraph::OnDVDErrorMacrovisionFail)
            .Event("OnDVDErrorIncompatibleSystemAndDecoderRegions",
                   &TFilterGraph::OnDVDErrorIncompatibleSystemAndDecoderRegions)
            .Event("OnDVDErrorIncompatibleDiscAndDecoderRegions",
                   &TFilterGraph::OnDVDErrorIncompatibleDiscAndDecoderRegions)
            .Event("OnDVDWarningInvalidDVD1_0Disc", &TFilterGraph::OnDVDWarningInvalidDVD1_0Disc)
            .Event("OnDVDWarningFormatNotSupported", &TFilterGraph::OnDVDWarningFormatNotSupported)
            .Event("OnDVDWarningIllegalNavCommand", &TFilterGraph::OnDVDWarningIllegalNavCommand)
            .Event("OnDVDWarningOpen", &TFilterGraph::OnDVDWarningOpen)
            .Event("OnDVDWarningSeek", &TFilterGraph::OnDVDWarningSeek)
            .Event("OnDVDWarningRead", &TFilterGraph::OnDVDWarningRead)
            .Event("OnDVDChapterAutoStop", &TFilterGraph::OnDVDChapterAutoStop)
            .Event("OnDVDNoFP_PGC", &TFilterGraph::OnDVDNoFP_PGC)
            .Event("OnDVDPlaybackRateChange", &TFilterGraph::OnDVDPlaybackRateChange)
            .Event("OnDVDParentalLevelChange", &TFilterGraph::OnDVDParentalLevelChange)
            .Event("OnDVDPlaybackStopped", &TFilterGraph::OnDVDPlaybackStopped)
            .Event("OnDVDAnglesAvailable", &TFilterGraph::OnDVDAnglesAvailable)
            .Event("OnDVDPlayPeriodAutoStop", &TFilterGraph::OnDVDPlayPeriodAutoStop)
            .Event("OnDVDButtonAutoActivated", &TFilterGraph::OnDVDButtonAutoActivated)
            .Event("OnDVDCMDStart", &TFilterGraph::OnDVDCMDStart)
            .Event("OnDVDCMDEnd", &TFilterGraph::OnDVDCMDEnd)
            .Event("OnDVDDiscEjected", &TFilterGraph::OnDVDDiscEjected)
            .Event("OnDVDDiscInserted", &TFilterGraph::OnDVDDiscInserted)
            .Event("OnDVDCurrentHMSFTime", &TFilterGraph::OnDVDCurrentHMSFTime)
            .Event("OnDVDKaraokeMode", &TFilterGraph::OnDVDKaraokeMode)
            .Event("OnSelectedFilter", &TFilterGraph::OnSelectedFilter)
            .Event("OnCreatedFilter", &TFilterGraph::OnCreatedFilter)
            .Event("OnUnableToRender", &TFilterGraph::OnUnableToRender)
            .Build();
    return info;
}

TFilterGraph::TFilterGraph(vl::TComponent* owner)
    : vl::TComponent(owner),
      window_(kNotifyWindowClass, vl::THiddenWindowParams{},
              [this](UINT msg, WPARAM, LPARAM, LRESULT& result) {
                  if (msg != WM_GRAPHNOTIFY) return false;
                  DrainEvents();
                  result = 0;
                  return true;
              },
              &vl::CentralBoundary, static_cast<vl::TObject*>(this)) {
    if (!window_) vl::RaiseLastOSError("Cannot create the filter graph's notification window");
}

TFilterGraph::~TFilterGraph() {
    // Release the graph first (its members and listeners are told), then drop the lists, and
    // only then the window, so that no event message can reach a half-destroyed component.
    try {
        Deactivate();
    } catch (...) {
        vl::HandleCallbackException(this);
    }
    members_.clear();
    listeners_.clear();
    window_.Destroy();
}

void TFilterGraph::Loaded() {
    vl::TComponent::Loaded();
    if (autoCreate_) SetActive(true);
}

// --- activation

void TFilterGraph::SetActive(bool active) {
    if (active == active_) return;
    if (active)
        Activate();
    else
        Deactivate();
}

void TFilterGraph::Activate() {
    TComPtr<IFilterGraph2> graph;
    TComPtr<ICaptureGraphBuilder2> capture;
    TComPtr<IDvdGraphBuilder> dvd;
    HRESULT hr = E_FAIL;
    switch (mode_) {
        case TGraphMode::gmNormal:
            hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterGraph2,
                                  graph.ReceiveVoid());
            break;
        case TGraphMode::gmCapture:
            hr = CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_ICaptureGraphBuilder2, capture.ReceiveVoid());
            if (SUCCEEDED(hr))
                hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterGraph2,
                                      graph.ReceiveVoid());
            if (SUCCEEDED(hr) && capture && graph) hr = capture->SetFiltergraph(graph.Get());
            break;
        case TGraphMode::gmDVD: {
            hr = CoCreateInstance(CLSID_DvdGraphBuilder, nullptr, CLSCTX_INPROC_SERVER, IID_IDvdGraphBuilder,
                                  dvd.ReceiveVoid());
            TComPtr<IGraphBuilder> builder;
            if (SUCCEEDED(hr) && dvd) hr = dvd->GetFiltergraph(builder.Receive());
            if (SUCCEEDED(hr) && builder) hr = builder->QueryInterface(IID_IFilterGraph2, graph.ReceiveVoid());
            break;
        }
    }
    // Without a graph manager the component would be active with nothing to drive: stay
    // inactive and say which mode failed. What was created is released on the way out.
    if (SUCCEEDED(hr) && !graph) hr = E_NOINTERFACE;
    if (FAILED(hr))
        throw EDirectShowException(std::string("The graph objects of mode ") + ModeName(mode_) +
                                       " cannot be created: " + DirectShowErrorMessage(hr),
                                   hr);

    graph_ = std::move(graph);
    captureBuilder_ = std::move(capture);
    dvdBuilder_ = std::move(dvd);
    active_ = true;

    mediaEvent_ = Query<IMediaEventEx>(IID_IMediaEventEx);
    if (mediaEvent_) {
        mediaEvent_->SetNotifyFlags(0);
        mediaEvent_->SetNotifyWindow(reinterpret_cast<OAHWND>(window_.Handle()), WM_GRAPHNOTIFY,
                                     reinterpret_cast<LONG_PTR>(mediaEvent_.Get()));
    }
    // The graph finds both building callbacks through interface queries on its site.
    if (auto site = graph_.As<IObjectWithSite>(IID_IObjectWithSite)) {
        site->SetSite(static_cast<IAMGraphBuilderCallback*>(this));
        site->SetSite(static_cast<IAMFilterGraphCallback*>(this));
    }
    SetGraphEdit(graphEdit_);
    SetLogFile(logFile_);

    std::vector<TComPtr<IGraphMember>> members;
    for (const auto& m : members_) members.push_back(m.Clone());
    for (const auto& m : members) AddMemberFilter(m.Get());

    if (OnActivate) OnActivate(this);
    SendControlEvent(ctlActive, 1);
}

void TFilterGraph::Deactivate() {
    if (!active_) return;
    SendControlEvent(ctlActive, 0);
    prepared_.Drop(graph_.Get());
    std::vector<TComPtr<IGraphMember>> members;
    for (const auto& m : members_) members.push_back(m.Clone());
    for (const auto& m : members) RemoveMemberFilter(m.Get());
    if (mediaEvent_) {
        mediaEvent_->SetNotifyFlags(AM_MEDIAEVENT_NONOTIFY);
        mediaEvent_.Reset();
    }
    if (rotCookie_ != 0) {
        TComPtr<IRunningObjectTable> table;
        if (SUCCEEDED(GetRunningObjectTable(0, table.Receive())) && table) table->Revoke(rotCookie_);
        rotCookie_ = 0;
    }
    if (graph_) graph_->SetLogFile(0);
    CloseLog();
    // The builders hold references to the graph manager; all three go here.
    graph_.Reset();
    captureBuilder_.Reset();
    dvdBuilder_.Reset();
    active_ = false;
    renderedFile_.clear();
}

void TFilterGraph::SetMode(TGraphMode mode) {
    if (mode == mode_) return;
    const bool wasActive = active_;
    SetActive(false);
    mode_ = mode;
    SetActive(wasActive);
}

// --- members and listeners

void TFilterGraph::AddMemberFilter(IGraphMember* member) {
    prepared_.Settle();
    member->NotifyMember(BeforeAdd, 0);
    TComPtr<IBaseFilter> filter;
    member->GetFilter(filter.Receive());
    WCHAR name[MAX_FILTER_NAME] = {};
    member->GetName(name, MAX_FILTER_NAME);
    name[MAX_FILTER_NAME - 1] = L'\0';
    if (filter && graph_) graph_->AddFilter(filter.Get(), name);
    member->NotifyMember(AfterAdd, 0);
}

void TFilterGraph::RemoveMemberFilter(IGraphMember* member) {
    prepared_.Settle();
    // A filter must not leave a running graph: the splitter's streaming thread would go on
    // delivering frames to a renderer that has already lost its clock (Wine crashes there).
    if (auto control = Query<IMediaControl>(IID_IMediaControl)) {
        OAFilterState state = State_Stopped;
        if (FAILED(control->GetState(0, &state)) || state != State_Stopped) control->Stop();
    }
    member->NotifyMember(BeforeRemove, 0);
    TComPtr<IBaseFilter> filter;
    member->GetFilter(filter.Receive());
    if (filter && graph_) graph_->RemoveFilter(filter.Get());
    member->NotifyMember(AfterRemove, 0);
}

void TFilterGraph::InsertMember(IGraphMember* member) {
    if (!member) return;
    for (const auto& m : members_)
        if (m.Get() == member) return;
    members_.push_back(TComPtr<IGraphMember>::Share(member));
    if (active_) AddMemberFilter(member);
}

void TFilterGraph::RemoveMember(IGraphMember* member) {
    auto it = std::find_if(members_.begin(), members_.end(), [member](const auto& m) { return m.Get() == member; });
    if (it == members_.end()) return;
    // The list's reference keeps the member alive until its filter is out of the graph.
    TComPtr<IGraphMember> removed = std::move(*it);
    members_.erase(it);
    if (active_) RemoveMemberFilter(removed.Get());
}

void TFilterGraph::InsertListener(IGraphListener* listener) {
    if (!listener) return;
    for (const auto& l : listeners_)
        if (l.Get() == listener) return;
    listeners_.push_back(TComPtr<IGraphListener>::Share(listener));
}

void TFilterGraph::RemoveListener(IGraphListener* listener) {
    auto it = std::find_if(listeners_.begin(), listeners_.end(), [listener](const auto& l) { return l.Get() == listener; });
    if (it != listeners_.end()) listeners_.erase(it);
}

void TFilterGraph::SendControlEvent(TControlEventKind event, LONG param) {
    // A listener may leave (or others join) while being told; tell those listed now.
    std::vector<TComPtr<IGraphListener>> listeners;
    for (const auto& l : listeners_) listeners.push_back(l.Clone());
    for (const auto& l : listeners) l->ControlEvent(event, param);
}

// --- building and running the graph

HRESULT TFilterGraph::RenderFile(const std::wstring& fileName) {
    if (!graph_) return S_FALSE;
    prepared_.Settle();
    renderedFile_ = fileName;
    SendControlEvent(ctlFileRendering, 0);
    // The building hooks must see every filter the builder picks, so nothing is offered to a
    // graph that has them.
    const bool offer = !OnSelectedFilter && !OnCreatedFilter;
    HRESULT hr = S_OK;
    if (!(offer && prepared_.Ready(fileName) && RenderPrepared())) {
        prepared_.Drop(graph_.Get());
        const auto before = GraphFilters(graph_.Get());
        const TComPtr<IBaseFilter> offered = offer ? firstHops_.Offer(graph_.Get(), fileName) : TComPtr<IBaseFilter>();
        const HRESULT rendered = graph_->RenderFile(fileName.c_str(), nullptr);
        firstHops_.Settle(graph_.Get(), fileName, offered.Get(), before, SUCCEEDED(rendered));
        hr = CheckDSError(rendered);
    }
    UpdateGraph();
    SendControlEvent(ctlFileRendered, 0);
    return hr;
}

bool TFilterGraph::RenderPrepared() {
    const auto before = GraphFilters(graph_.Get());
    bool complete = true;
    {
        std::vector<TComPtr<IPin>> outputs;
        for (auto& pin : FilterPins(prepared_.Hop()))
            if (IsDirection(pin.Get(), PINDIR_OUTPUT)) outputs.push_back(std::move(pin));
        complete = !outputs.empty();
        for (const auto& pin : outputs)
            if (complete && graph_->Render(pin.Get()) != S_OK) complete = false;
    }
    if (complete) {
        prepared_.Release();
        return true;
    }
    // Less than the whole file: the graph builder's own RenderFile decides what that means.
    for (const auto& filter : GraphFilters(graph_.Get())) {
        const bool added = std::none_of(before.begin(), before.end(),
                                        [&filter](const auto& b) { return SameComObject(b.Get(), filter.Get()); });
        if (!added) continue;
        StopAndDisconnect(graph_.Get(), filter.Get(), false);
        graph_->RemoveFilter(filter.Get());
    }
    prepared_.Drop(graph_.Get());
    return false;
}

void TFilterGraph::PrepareFile(const std::wstring& fileName) {
    if (!graph_ || OnSelectedFilter || OnCreatedFilter || fileName.empty()) return;
    prepared_.Settle();
    if (prepared_.Ready(fileName)) return;
    prepared_.Drop(graph_.Get());
    CLSID hopClass{};
    std::wstring hopName;
    if (!firstHops_.Learnt(fileName, hopClass, hopName)) return;
    prepared_.Start(graph_.Get(), fileName, hopClass, hopName, prepareDelayMs_);
}

void TFilterGraph::CancelPreparedFile() { prepared_.Drop(graph_.Get()); }

void TFilterGraph::ClearGraph() {
    if (!graph_) return;
    Stop();
    // Each connection is broken at both ends at once, and no pin reference is kept beyond its
    // own step: a splitter may destroy its output pins as soon as its input is disconnected (the
    // platform's GStreamer splitter does, whoever still holds them), and a renderer left
    // connected to such a pin crashes when it is disconnected later.
    for (const auto& filter : GraphFilters(graph_.Get())) {
        if (prepared_.Holds(filter.Get())) continue;
        ForEachPin(filter.Get(), [this](IPin* pin) { CheckDSError(DisconnectBothEnds(graph_.Get(), pin)); });
    }

    std::vector<TComPtr<IBaseFilter>> keep;
    for (const auto& m : members_) {
        TComPtr<IBaseFilter> filter;
        m->GetFilter(filter.Receive());
        if (filter) keep.push_back(std::move(filter));
    }
    for (const auto& filter : GraphFilters(graph_.Get())) {
        const bool isMember = std::any_of(keep.begin(), keep.end(),
                                          [&filter](const auto& k) { return SameComObject(k.Get(), filter.Get()); });
        if (!isMember && !prepared_.Holds(filter.Get())) CheckDSError(graph_->RemoveFilter(filter.Get()));
    }
    renderedFile_.clear();
}

bool TFilterGraph::Play() {
    auto control = Query<IMediaControl>(IID_IMediaControl);
    if (!control) return false;
    prepared_.Settle();
    SendControlEvent(ctlPlay, 0);
    return SUCCEEDED(CheckDSError(control->Run()));
}

bool TFilterGraph::Pause() {
    auto control = Query<IMediaControl>(IID_IMediaControl);
    if (!control) return false;
    prepared_.Settle();
    SendControlEvent(ctlPause, 0);
    return CheckDSError(control->Pause()) == S_OK;
}

bool TFilterGraph::Stop() {
    auto control = Query<IMediaControl>(IID_IMediaControl);
    if (!control) return false;
    prepared_.Settle();
    SendControlEvent(ctlStop, 0);
    return CheckDSError(control->Stop()) == S_OK;
}

PlaybackState TFilterGraph::State() {
    auto control = Query<IMediaControl>(IID_IMediaControl);
    if (!control) return PlaybackState::Uninitialised;
    OAFilterState state = -1;
    control->GetState(0, &state);
    switch (state) {
        case State_Stopped: return PlaybackState::Stopped;
        case State_Paused: return PlaybackState::Paused;
        case State_Running: return PlaybackState::Playing;
        default: return PlaybackState::Uninitialised;
    }
}

// --- volume, balance, rate

void TFilterGraph::SetVolume(int volume) {
    volume_ = std::clamp(volume, 0, 10000);
    ApplyVolume();
}

void TFilterGraph::SetBalance(int balance) {
    balance_ = std::clamp(balance, -10000, 10000);
    ApplyBalance();
}

void TFilterGraph::SetRate(double rate) {
    rate_ = rate;
    ApplyRate();
}

void TFilterGraph::SetLinearVolume(bool on) {
    if (on == linearVolume_) return;
    linearVolume_ = on;
    ApplyVolume();
    ApplyBalance();
}

void TFilterGraph::ApplyVolume() {
    if (auto audio = Query<IBasicAudio>(IID_IBasicAudio)) audio->put_Volume(MapVolume(volume_, linearVolume_));
}

void TFilterGraph::ApplyBalance() {
    if (auto audio = Query<IBasicAudio>(IID_IBasicAudio)) audio->put_Balance(MapBalance(balance_, linearVolume_));
}

void TFilterGraph::ApplyRate() {
    if (auto seeking = Query<IMediaSeeking>(IID_IMediaSeeking)) seeking->SetRate(rate_);
}

void TFilterGraph::UpdateGraph() {
    ApplyVolume();
    ApplyBalance();
    ApplyRate();
}

// --- running-object table and log file

void TFilterGraph::SetGraphEdit(bool on) {
    if (!on) {
        if (rotCookie_ != 0) {
            TComPtr<IRunningObjectTable> table;
            if (SUCCEEDED(GetRunningObjectTable(0, table.Receive())) && table) table->Revoke(rotCookie_);
            rotCookie_ = 0;
        }
    } else if (active_ && graph_ && rotCookie_ == 0) {
        TComPtr<IRunningObjectTable> table;
        TComPtr<IMoniker> moniker;
        const std::wstring name = RunningObjectName(graph_.Get(), GetCurrentProcessId());
        if (SUCCEEDED(GetRunningObjectTable(0, table.Receive())) && table &&
            SUCCEEDED(CreateItemMoniker(L"!", name.c_str(), moniker.Receive())) && moniker) {
            DWORD cookie = 0;
            if (SUCCEEDED(table->Register(0, graph_.Get(), moniker.Get(), &cookie))) rotCookie_ = cookie;
        }
    }
    graphEdit_ = on;
}

void TFilterGraph::CloseLog() {
    if (logHandle_ != INVALID_HANDLE_VALUE) {
        CloseHandle(logHandle_);
        logHandle_ = INVALID_HANDLE_VALUE;
    }
}

void TFilterGraph::SetLogFile(const std::string& path) {
    if (active_ && graph_) {
        graph_->SetLogFile(0);
        CloseLog();
        if (!path.empty()) {
            HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE) {
                graph_->SetLogFile(0);
                return;
            }
            logHandle_ = file;
            graph_->SetLogFile(reinterpret_cast<DWORD_PTR>(file));
        }
    }
    logFile_ = path;
}

}  // namespace vorlinde
