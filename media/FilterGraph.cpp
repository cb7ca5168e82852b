#include "media/FilterGraph.h"

#include <dvdevcod.h>
#include <evcode.h>

#include <algorithm>
#include <utility>

#include "framework/ClassBuilder.h"
#include "framework/Control.h"
#include "framework/Exceptions.h"

namespace vorlinde {

namespace {

constexpr const char* kNotifyWindowClass = "TFilterGraphNotifyWindow";

void RegisterNotifyWindowClass(WNDPROC proc) {
    WNDCLASSA existing{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), kNotifyWindowClass, &existing)) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kNotifyWindowClass;
    if (!RegisterClassA(&wc)) vl::RaiseLastOSError("Cannot register the filter graph's notification window");
}

const char* ModeName(TGraphMode mode) {
    switch (mode) {
        case TGraphMode::gmNormal: return "gmNormal";
        case TGraphMode::gmCapture: return "gmCapture";
        case TGraphMode::gmDVD: return "gmDVD";
    }
    return "?";
}

// Every filter the graph enumerates, each with a reference of its own.
std::vector<TComPtr<IBaseFilter>> GraphFilters(IFilterGraph* graph) {
    std::vector<TComPtr<IBaseFilter>> filters;
    TComPtr<IEnumFilters> e;
    if (FAILED(graph->EnumFilters(e.Receive())) || !e) return filters;
    TComPtr<IBaseFilter> filter;
    while (e->Next(1, filter.Receive(), nullptr) == S_OK) filters.push_back(std::move(filter));
    return filters;
}

// A string property of a property bag; empty when it is missing or not a string.
std::wstring ReadBagString(IPropertyBag* bag, const wchar_t* name, bool& found) {
    found = false;
    VARIANT value;
    VariantInit(&value);
    std::wstring result;
    if (SUCCEEDED(bag->Read(name, &value, nullptr)) && value.vt == VT_BSTR && value.bstrVal) {
        result.assign(value.bstrVal, SysStringLen(value.bstrVal));
        found = true;
    }
    VariantClear(&value);
    return result;
}

std::wstring BstrText(LONG_PTR param) {
    auto* text = reinterpret_cast<BSTR>(param);
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

template <class Handler, class... Args>
void Fire(const Handler& handler, Args&&... args) {
    if (handler) handler(std::forward<Args>(args)...);
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

TFilterGraph::TFilterGraph(vl::TComponent* owner) : vl::TComponent(owner) {
    RegisterNotifyWindowClass(NotifyWindowProc);
    window_ = CreateWindowExA(0, kNotifyWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (!window_) vl::RaiseLastOSError("Cannot create the filter graph's notification window");
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
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
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
        window_ = nullptr;
    }
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
        mediaEvent_->SetNotifyWindow(reinterpret_cast<OAHWND>(window_), WM_GRAPHNOTIFY,
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

    Fire(OnActivate, this);
    SendControlEvent(ctlActive, 1);
}

void TFilterGraph::Deactivate() {
    if (!active_) return;
    SendControlEvent(ctlActive, 0);
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
    renderedFile_ = fileName;
    SendControlEvent(ctlFileRendering, 0);
    const HRESULT hr = CheckDSError(graph_->RenderFile(fileName.c_str(), nullptr));
    UpdateGraph();
    SendControlEvent(ctlFileRendered, 0);
    return hr;
}

void TFilterGraph::ClearGraph() {
    if (!graph_) return;
    Stop();
    // Each connection is broken at both ends at once, and no pin reference is kept beyond its
    // own step: a splitter may destroy its output pins as soon as its input is disconnected (the
    // platform's GStreamer splitter does, whoever still holds them), and a renderer left
    // connected to such a pin crashes when it is disconnected later.
    for (const auto& filter : GraphFilters(graph_.Get())) {
        TComPtr<IEnumPins> pins;
        if (FAILED(filter->EnumPins(pins.Receive())) || !pins) continue;
        TComPtr<IPin> pin;
        while (pins->Next(1, pin.Receive(), nullptr) == S_OK) {
            TComPtr<IPin> peer;
            pin->ConnectedTo(peer.Receive());
            HRESULT hr = graph_->Disconnect(pin.Get());
            if (SUCCEEDED(hr) && peer) hr = graph_->Disconnect(peer.Get());
            peer.Reset();
            pin.Reset();
            CheckDSError(hr);
        }
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
        if (!isMember) CheckDSError(graph_->RemoveFilter(filter.Get()));
    }
    renderedFile_.clear();
}

bool TFilterGraph::Play() {
    auto control = Query<IMediaControl>(IID_IMediaControl);
    if (!control) return false;
    SendControlEvent(ctlPlay, 0);
    return SUCCEEDED(CheckDSError(control->Run()));
}

bool TFilterGraph::Pause() {
    auto control = Query<IMediaControl>(IID_IMediaControl);
    if (!control) return false;
    SendControlEvent(ctlPause, 0);
    return CheckDSError(control->Pause()) == S_OK;
}

bool TFilterGraph::Stop() {
    auto control = Query<IMediaControl>(IID_IMediaControl);
    if (!control) return false;
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

// --- events

LRESULT CALLBACK TFilterGraph::NotifyWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GRAPHNOTIFY) {
        auto* self = reinterpret_cast<TFilterGraph*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self) {
            try {
                self->DrainEvents();
            } catch (...) {
                vl::HandleCallbackException(self);
            }
        }
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void TFilterGraph::DrainEvents() {
    // Our own reference: a handler may deactivate the component while its event is handled,
    // which ends the drain.
    TComPtr<IMediaEventEx> events = mediaEvent_.Clone();
    if (!events) return;
    LONG code = 0;
    LONG_PTR param1 = 0;
    LONG_PTR param2 = 0;
    while (mediaEvent_.Get() == events.Get() && events->GetEvent(&code, &param1, &param2, 0) == S_OK) {
        // The parameters are freed even when a handler throws.
        struct FreeParams {
            IMediaEventEx* events;
            LONG code;
            LONG_PTR param1, param2;
            ~FreeParams() { events->FreeEventParams(code, param1, param2); }
        } freeParams{events.Get(), code, param1, param2};
        DoEvent(code, param1, param2);
    }
}

void TFilterGraph::DoDvdStreamChange(bool audio, LONG_PTR stream) {
    const TDVDStreamChangeEvent& handler = audio ? OnDVDAudioStreamChange : OnDVDSubpictureStreamChange;
    if (!handler) return;
    auto info = Query<IDvdInfo2>(IID_IDvdInfo2);
    if (!info) return;
    LCID language = 0;
    if (audio)
        info->GetAudioLanguage(static_cast<ULONG>(stream), &language);
    else
        info->GetSubpictureLanguage(static_cast<ULONG>(stream), &language);
    handler(this, static_cast<int>(stream), language, LanguageName(language));
}

void TFilterGraph::DoEvent(LONG event, LONG_PTR param1, LONG_PTR param2) {
    {
        std::vector<TComPtr<IGraphListener>> listeners;
        for (const auto& l : listeners_) listeners.push_back(l.Clone());
        for (const auto& l : listeners) l->GraphEvent(event, param1, param2);
    }
    Fire(OnDSEvent, this, event, param1, param2);

    const auto p1 = static_cast<int>(param1);
    const auto p2 = static_cast<int>(param2);
    const auto hr1 = static_cast<HRESULT>(param1);
    const auto dw1 = static_cast<DWORD>(param1);
    const auto dw2 = static_cast<DWORD>(param2);
    switch (event) {
        case EC_COMPLETE: Fire(OnGraphComplete, this, hr1, reinterpret_cast<IBaseFilter*>(param2)); break;
        case EC_USERABORT: Fire(OnGraphUserAbort, this); break;
        case EC_ERRORABORT: Fire(OnGraphErrorAbort, this, hr1); break;
        case EC_STREAM_ERROR_STOPPED: Fire(OnGraphStreamErrorStopped, this, hr1, dw2); break;
        case EC_STREAM_ERROR_STILLPLAYING: Fire(OnGraphStreamErrorStillPlaying, this, hr1, dw2); break;
        case EC_ERROR_STILLPLAYING: Fire(OnGraphErrorStillPlaying, this, hr1); break;
        case EC_PALETTE_CHANGED: Fire(OnGraphPaletteChanged, this); break;
        case EC_VIDEO_SIZE_CHANGED:
            if (OnGraphVideoSizeChanged) {
                int width = 0, height = 0;
                DecodeVideoSize(param1, width, height);
                OnGraphVideoSizeChanged(this, width, height);
            }
            break;
        case EC_QUALITY_CHANGE: Fire(OnGraphQualityChange, this); break;
        case EC_CLOCK_CHANGED: Fire(OnGraphClockChanged, this); break;
        case EC_PAUSED: Fire(OnGraphPaused, this, hr1); break;
        case EC_OPENING_FILE: Fire(OnGraphOpeningFile, this, param1 == 1); break;
        case EC_BUFFERING_DATA: Fire(OnGraphBufferingData, this, param1 == 1); break;
        case EC_FULLSCREEN_LOST: Fire(OnGraphFullscreenLost, this, reinterpret_cast<IBaseFilter*>(param2)); break;
        case EC_OLE_EVENT:
            if (OnGraphOleEvent) OnGraphOleEvent(this, BstrText(param1), BstrText(param2));
            break;
        case EC_STREAM_CONTROL_STOPPED: Fire(OnGraphStreamControlStopped, this, reinterpret_cast<IPin*>(param1), dw2); break;
        case EC_STREAM_CONTROL_STARTED: Fire(OnGraphStreamControlStarted, this, reinterpret_cast<IPin*>(param1), dw2); break;
        case EC_END_OF_SEGMENT:
            if (OnGraphEndOfSegment) {
                // Param1 points to the stream time; a null pointer reads as time 0.
                const auto* time = reinterpret_cast<const REFERENCE_TIME*>(param1);
                OnGraphEndOfSegment(this, time ? *time : 0, dw2);
            }
            break;
        // Param2 is 0 when the device was removed and 1 when it is available again.
        case EC_DEVICE_LOST: Fire(OnGraphDeviceLost, this, reinterpret_cast<IUnknown*>(param1), param2 == 0); break;
        case EC_STEP_COMPLETE: Fire(OnGraphStepComplete, this); break;
        case EC_TIMECODE_AVAILABLE: Fire(OnGraphTimeCodeAvailable, this, reinterpret_cast<IBaseFilter*>(param1), dw2); break;
        case EC_EXTDEVICE_MODE_CHANGE: Fire(OnGraphEXTDeviceModeChange, this, dw1, dw2); break;
        case EC_GRAPH_CHANGED: Fire(OnGraphChanged, this); break;
        case EC_CLOCK_UNSET: Fire(OnGraphClockUnset, this); break;
        case EC_VMR_RENDERDEVICE_SET: Fire(OnGraphVMRRenderDevice, this, dw1); break;
        case EC_SNDDEV_IN_ERROR: Fire(OnGraphSNDDevInError, this, dw1, dw2); break;
        case EC_SNDDEV_OUT_ERROR: Fire(OnGraphSNDDevOutError, this, dw1, dw2); break;

        case EC_DVD_DOMAIN_CHANGE:
            switch (param1) {
                case 1: Fire(OnDVDDomainFirstPlay, this); break;
                case 2: Fire(OnDVDDomainVideoManagerMenu, this); break;
                case 3: Fire(OnDVDDomainVideoTitleSetMenu, this); break;
                case 4: Fire(OnDVDDomainTitle, this); break;
                case 5: Fire(OnDVDDomainStop, this); break;
                default: break;
            }
            break;
        case EC_DVD_TITLE_CHANGE: Fire(OnDVDTitleChange, this, p1); break;
        case EC_DVD_CHAPTER_START: Fire(OnDVDChapterStart, this, p1); break;
        case EC_DVD_AUDIO_STREAM_CHANGE: DoDvdStreamChange(true, param1); break;
        case EC_DVD_SUBPICTURE_STREAM_CHANGE: DoDvdStreamChange(false, param1); break;
        case EC_DVD_ANGLE_CHANGE: Fire(OnDVDAngleChange, this, p1, p2); break;
        case EC_DVD_BUTTON_CHANGE: Fire(OnDVDButtonChange, this, p1, p2); break;
        case EC_DVD_VALID_UOPS_CHANGE: Fire(OnDVDValidUOPSChange, this, p1); break;
        case EC_DVD_STILL_ON: Fire(OnDVDStillOn, this, param1 == 1, p2); break;
        case EC_DVD_STILL_OFF: Fire(OnDVDStillOff, this); break;
        case EC_DVD_CURRENT_TIME:
            if (OnDVDCurrentTime) {
                const TDVDTimeCode t = DecodeDvdTimeCode(static_cast<ULONG>(param1));
                OnDVDCurrentTime(this, t.hours, t.minutes, t.seconds, t.frames, t.frameRate);
            }
            break;
        case EC_DVD_ERROR:
            switch (param1) {
                case 1: Fire(OnDVDErrorUnexpected, this); break;
                case 2: Fire(OnDVDErrorCopyProtectFail, this); break;
                case 3: Fire(OnDVDErrorInvalidDVD1_0Disc, this); break;
                case 4: Fire(OnDVDErrorInvalidDiscRegion, this); break;
                case 5: Fire(OnDVDErrorLowParentalLevel, this); break;
                case 6: Fire(OnDVDErrorMacrovisionFail, this); break;
                case 7: Fire(OnDVDErrorIncompatibleSystemAndDecoderRegions, this); break;
                case 8: Fire(OnDVDErrorIncompatibleDiscAndDecoderRegions, this); break;
                default: break;
            }
            break;
        case EC_DVD_WARNING:
            switch (param1) {
                case 1: Fire(OnDVDWarningInvalidDVD1_0Disc, this); break;
                case 2: Fire(OnDVDWarningFormatNotSupported, this); break;
                case 3: Fire(OnDVDWarningIllegalNavCommand, this); break;
                case 4: Fire(OnDVDWarningOpen, this); break;
                case 5: Fire(OnDVDWarningSeek, this); break;
                case 6: Fire(OnDVDWarningRead, this); break;
                default: break;
            }
            break;
        case EC_DVD_CHAPTER_AUTOSTOP: Fire(OnDVDChapterAutoStop, this); break;
        case EC_DVD_NO_FP_PGC: Fire(OnDVDNoFP_PGC, this); break;
        case EC_DVD_PLAYBACK_RATE_CHANGE: Fire(OnDVDPlaybackRateChange, this, p1 / 10000.0); break;
        case EC_DVD_PARENTAL_LEVEL_CHANGE: Fire(OnDVDParentalLevelChange, this, p1); break;
        case EC_DVD_PLAYBACK_STOPPED: Fire(OnDVDPlaybackStopped, this); break;
        case EC_DVD_ANGLES_AVAILABLE: Fire(OnDVDAnglesAvailable, this, param1 == 1); break;
        case EC_DVD_PLAYPERIOD_AUTOSTOP: Fire(OnDVDPlayPeriodAutoStop, this); break;
        case EC_DVD_BUTTON_AUTO_ACTIVATED: Fire(OnDVDButtonAutoActivated, this, p1); break;
        case EC_DVD_CMD_START: Fire(OnDVDCMDStart, this, p1); break;
        case EC_DVD_CMD_END: Fire(OnDVDCMDEnd, this, p1); break;
        case EC_DVD_DISC_EJECTED: Fire(OnDVDDiscEjected, this); break;
        case EC_DVD_DISC_INSERTED: Fire(OnDVDDiscInserted, this); break;
        case EC_DVD_CURRENT_HMSF_TIME:
            if (OnDVDCurrentHMSFTime)
                OnDVDCurrentHMSFTime(this, DecodeDvdHMSFTimeCode(static_cast<ULONG>(param1)),
                                     DecodeDvdTimeCode(static_cast<ULONG>(param2)));
            break;
        case EC_DVD_KARAOKE_MODE: Fire(OnDVDKaraokeMode, this, param1 != 0); break;
        default: break;
    }
}

// --- COM

HRESULT STDMETHODCALLTYPE TFilterGraph::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IServiceProvider)
        *object = static_cast<IServiceProvider*>(this);
    else if (iid == IID_IAMGraphBuilderCallback)
        *object = static_cast<IAMGraphBuilderCallback*>(this);
    else if (iid == IID_FilterGraphCallback)
        *object = static_cast<IAMFilterGraphCallback*>(this);
    if (*object) {
        AddRef();
        return S_OK;
    }
    if (!active_) return E_NOINTERFACE;
    switch (mode_) {
        case TGraphMode::gmNormal: break;
        case TGraphMode::gmCapture:
            if (captureBuilder_ && SUCCEEDED(captureBuilder_->QueryInterface(iid, object)) && *object) return S_OK;
            break;
        case TGraphMode::gmDVD:
            if (dvdBuilder_) {
                if (SUCCEEDED(dvdBuilder_->QueryInterface(iid, object)) && *object) return S_OK;
                *object = nullptr;
                if (SUCCEEDED(dvdBuilder_->GetDvdInterface(iid, object)) && *object) return S_OK;
            }
            break;
    }
    *object = nullptr;
    if (graph_ && SUCCEEDED(graph_->QueryInterface(iid, object)) && *object) return S_OK;
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TFilterGraph::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&externalRefs_)); }

ULONG STDMETHODCALLTYPE TFilterGraph::Release() { return static_cast<ULONG>(InterlockedDecrement(&externalRefs_)); }

HRESULT STDMETHODCALLTYPE TFilterGraph::QueryService(REFGUID service, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (service == IID_IFilterGraphOwner && iid == IID_IFilterGraphOwner) {
        *object = static_cast<TFilterGraph*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE TFilterGraph::SelectedFilter(IMoniker* moniker) {
    try {
        if (!OnSelectedFilter) return S_OK;
        CLSID classId = GUID_NULL;
        std::wstring friendlyName;
        TComPtr<IPropertyBag> bag;
        if (moniker) moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.ReceiveVoid());
        if (bag) {
            bool found = false;
            const std::wstring classText = ReadBagString(bag.Get(), L"CLSID", found);
            if (!found || FAILED(CLSIDFromString(classText.c_str(), &classId))) classId = GUID_NULL;
            friendlyName = ReadBagString(bag.Get(), L"FriendlyName", found);
        }
        return OnSelectedFilter(this, moniker, friendlyName, classId) ? S_OK : E_FAIL;
    } catch (...) {
        vl::HandleCallbackException(this);
        return E_FAIL;
    }
}

HRESULT STDMETHODCALLTYPE TFilterGraph::CreatedFilter(IBaseFilter* filter) {
    try {
        if (!OnCreatedFilter) return S_OK;
        CLSID classId = GUID_NULL;
        if (filter) filter->GetClassID(&classId);
        return OnCreatedFilter(this, filter, classId) ? S_OK : E_FAIL;
    } catch (...) {
        vl::HandleCallbackException(this);
        return E_FAIL;
    }
}

HRESULT TFilterGraph::UnableToRender(IPin* pin) {
    try {
        if (!pin) return S_FALSE;
        PIN_INFO pinInfo{};
        if (FAILED(pin->QueryPinInfo(&pinInfo))) return S_FALSE;
        auto filter = TComPtr<IBaseFilter>::Adopt(pinInfo.pFilter);
        if (!filter) return S_FALSE;
        FILTER_INFO filterInfo{};
        if (FAILED(filter->QueryFilterInfo(&filterInfo))) return S_FALSE;
        auto graph = TComPtr<IFilterGraph>::Adopt(filterInfo.pGraph);
        if (!graph) return S_FALSE;
        auto services = graph.As<IServiceProvider>(IID_IServiceProvider);
        void* owner = nullptr;
        if (!services || FAILED(services->QueryService(IID_IFilterGraphOwner, IID_IFilterGraphOwner, &owner)) || !owner)
            return S_FALSE;
        auto* ownerGraph = static_cast<TFilterGraph*>(owner);
        if (!ownerGraph->OnUnableToRender) return S_FALSE;
        return ownerGraph->OnUnableToRender(ownerGraph, pin) ? S_OK : S_FALSE;
    } catch (...) {
        vl::HandleCallbackException(this);
        return S_FALSE;
    }
}

}  // namespace vorlinde
