#include "media/VideoWindow.h"

#include <windowsx.h>

#include <cmath>
#include <vector>

#include "framework/Application.h"
#include "framework/ClassBuilder.h"
#include "framework/Exceptions.h"
#include "framework/Font.h"
#include "framework/Form.h"
#include "framework/StringUtils.h"
#include "media/FilterGraph.h"
#include "media/OverlayCallback.h"
#include "platform/MixerPinConfig.h"

namespace vorlinde {

namespace {

// Every event of the EC_ family that the window reacts to.
constexpr LONG kPaletteChanged = 0x09;
constexpr LONG kClockChanged = 0x0D;

CLSID FilterClass(IBaseFilter* filter) {
    CLSID id = GUID_NULL;
    if (filter) filter->GetClassID(&id);
    return id;
}

std::vector<TComPtr<IBaseFilter>> GraphFilters(IFilterGraph* graph) {
    std::vector<TComPtr<IBaseFilter>> filters;
    TComPtr<IEnumFilters> list;
    if (!graph || FAILED(graph->EnumFilters(list.Receive())) || !list) return filters;
    TComPtr<IBaseFilter> filter;
    while (list->Next(1, filter.Receive(), nullptr) == S_OK) filters.push_back(std::move(filter));
    return filters;
}

std::vector<TComPtr<IPin>> FilterPins(IBaseFilter* filter) {
    std::vector<TComPtr<IPin>> pins;
    TComPtr<IEnumPins> list;
    if (!filter || FAILED(filter->EnumPins(list.Receive())) || !list) return pins;
    TComPtr<IPin> pin;
    while (list->Next(1, pin.Receive(), nullptr) == S_OK) pins.push_back(std::move(pin));
    return pins;
}

TComPtr<IPin> FirstPin(IBaseFilter* filter) {
    auto pins = FilterPins(filter);
    if (pins.empty()) return {};
    return std::move(pins.front());
}

TComPtr<IPin> Peer(IPin* pin) {
    TComPtr<IPin> peer;
    if (pin) pin->ConnectedTo(peer.Receive());
    return peer;
}

bool IsDirection(IPin* pin, PIN_DIRECTION wanted) {
    PIN_DIRECTION direction;
    return pin && SUCCEEDED(pin->QueryDirection(&direction)) && direction == wanted;
}

TComPtr<IBaseFilter> PinOwner(IPin* pin) {
    PIN_INFO info{};
    if (!pin || FAILED(pin->QueryPinInfo(&info))) return {};
    return TComPtr<IBaseFilter>::Adopt(info.pFilter);
}

TComPtr<IPin> FirstFreeInput(IBaseFilter* filter) {
    for (auto& pin : FilterPins(filter))
        if (IsDirection(pin.Get(), PINDIR_INPUT) && !Peer(pin.Get())) return std::move(pin);
    return {};
}

// Stops a filter and disconnects every one of its pins, both ends of each connection.
void StopAndDisconnect(IFilterGraph* graph, IBaseFilter* filter, bool stop) {
    if (!filter) return;
    if (stop) filter->Stop();
    for (auto& pin : FilterPins(filter)) {
        TComPtr<IPin> peer = Peer(pin.Get());
        if (!peer) continue;
        if (graph) {
            graph->Disconnect(peer.Get());
            graph->Disconnect(pin.Get());
        } else {
            peer->Disconnect();
            pin->Disconnect();
        }
    }
}

// The Video Renderer's window among the children of `parent` (top-level windows for null):
// the window of the renderer's class with the given title; failing that, on a platform whose
// renderer registers another class name, a window of this process with that title other than
// `self`.
HWND FindRendererWindow(HWND parent, const std::string& title, HWND self) {
    if (HWND found = FindWindowExA(parent, nullptr, "VideoRenderer", title.c_str())) return found;
    for (HWND w = FindWindowExA(parent, nullptr, nullptr, title.c_str()); w;
         w = FindWindowExA(parent, w, nullptr, title.c_str())) {
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        if (w != self && process == GetCurrentProcessId()) return w;
    }
    return nullptr;
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// The hidden cursor the auto-hide logic sets (the framework's "none" cursor).
constexpr int kNoCursor = vl::crNone;

}  // namespace

const vl::TClassInfo& TDSVideoWindowEx2::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TDSVideoWindowEx2>("TDSVideoWindowEx2", &vl::TWinControl::StaticClass())
            .Creatable()
            .Prop("AspectRatio", &TDSVideoWindowEx2::SetAspectRatio, &TDSVideoWindowEx2::AspectRatio)
            .Prop("AutoHideCursor", &TDSVideoWindowEx2::SetAutoHideCursor, &TDSVideoWindowEx2::AutoHideCursor)
            .Prop("DigitalZoom", &TDSVideoWindowEx2::SetDigitalZoom, &TDSVideoWindowEx2::DigitalZoom)
            .Reference("FilterGraph", &TDSVideoWindowEx2::SetFilterGraph, &TDSVideoWindowEx2::FilterGraph)
            .Prop("FullScreenTopMost", &TDSVideoWindowEx2::SetFullScreenTopMost,
                  &TDSVideoWindowEx2::FullScreenTopMost)
            .Event("OnColorKeyChanged", &TDSVideoWindowEx2::OnColorKeyChanged)
            .Object("ColorControl", &TDSVideoWindowEx2::ColorControl)
            .Prop("NoScreenSaver", &TDSVideoWindowEx2::SetNoScreenSaver, &TDSVideoWindowEx2::NoScreenSaver)
            .Event("OnOverlayVisible", &TDSVideoWindowEx2::OnOverlayVisible)
            .Event("OnPaint", &TDSVideoWindowEx2::OnPaint)
            .Event("OnCursorShowHide", &TDSVideoWindowEx2::OnCursorShowHide)
            .Build();
    return info;
}

TDSVideoWindowEx2::TDSVideoWindowEx2(vl::TComponent* owner)
    : vl::TWinControl(owner),
      colorControl_(std::make_unique<TColorControl>(this)),
      caps_(std::make_unique<TDSVideoWindowEx2Caps>(this)) {
    SetBounds(0, 0, 320, 240);
    SetColor(0x000000);
    SetTabStop(true);
    CreateDesktopForm();
    idle_.Subscribe([this](vl::TObject*, bool&) { IdlePass(); });
}

TDSVideoWindowEx2::~TDSVideoWindowEx2() {
    // Teardown, in order: give the desktop back, drop the mixer's callback, leave the
    // controller (which removes the renderer from a live graph), then the desktop form and the
    // window itself (the base class).
    destroying_ = true;
    try {
        if (desktopPlaying_) NormalPlayback();
    } catch (...) {
        vl::HandleCallbackException(this);
    }
    if (exclModeVideo_) exclModeVideo_->SetCallbackInterface(nullptr, 0);
    DetachCallback();
    try {
        SetFilterGraph(nullptr);
    } catch (...) {
        vl::HandleCallbackException(this);
    }
    ReleaseOverlay();
    videoWindow_.Reset();
    graphRenderer_.Reset();
    ownRenderer_.Reset();
    idle_.Reset();
    // Out of the desktop form before it goes, so that the form does not take the window along.
    if (desktopForm_ && Parent() == desktopForm_.get()) SetParent(nullptr);
    desktopForm_.reset();
}

// ---------------------------------------------------------------- properties

void TDSVideoWindowEx2::SetFilterGraph(TFilterGraph* graph) {
    if (graph == filterGraph_) return;
    if (TFilterGraph* old = filterGraph_) {
        RemoveFreeNotification(old);
        old->RemoveMember(this);
        old->RemoveListener(this);
        filterGraph_ = nullptr;
    }
    if (graph) {
        filterGraph_ = graph;
        FreeNotification(graph);
        graph->InsertMember(this);
        graph->InsertListener(this);
    }
}

void TDSVideoWindowEx2::Notification(vl::TComponent* component, vl::TOperation operation) {
    vl::TWinControl::Notification(component, operation);
    if (operation != vl::TOperation::Remove) return;
    if (component == filterGraph_) filterGraph_ = nullptr;
    if (component == oldParent_) oldParent_ = nullptr;
}

void TDSVideoWindowEx2::SetAspectRatio(TRatioModes mode) {
    if (!graphRenderer_ || !overlayMixer_) {
        aspectRatio_ = mode;
        return;
    }
    TComPtr<IPin> pin = FirstPin(overlayMixer_.Get());
    auto config = pin.As<IMixerPinConfig2>(IID_IMixerPinConfig2);
    if (config && SUCCEEDED(config->SetAspectRatioMode(static_cast<AM_ASPECT_RATIO_MODE>(mode)))) aspectRatio_ = mode;
    if (overlayInUse_ && !desktopPlaying_) RepaintColorKey();
}

TDSVideoWindowEx2::TZoomRect TDSVideoWindowEx2::ZoomSource(long width, long height, int percent) {
    if (width <= 0 || height <= 0) return {0, 0, width, height};
    const double w = width - percent * width / 100.0;
    const double h = w * height / width;
    const double left = (width - w) / 2;
    const double top = (height - h) / 2;
    return {static_cast<long>(left), static_cast<long>(top), static_cast<long>(w), static_cast<long>(h)};
}

void TDSVideoWindowEx2::SetDigitalZoom(int percent) {
    if (percent < 0 || percent > 99)
        throw vl::Exception(vl::Format("Value %d out of range. Value must bee between 0 -> 99", percent));
    if (graphRenderer_) {
        // Renderers that lack IBasicVideo2 (Wine's) still take the source rectangle through
        // IBasicVideo, which has every method used here.
        TComPtr<IBasicVideo> video = graphRenderer_.As<IBasicVideo>(IID_IBasicVideo2);
        if (!video) video = graphRenderer_.As<IBasicVideo>(IID_IBasicVideo);
        if (video) {
            video->SetDefaultSourcePosition();
            long left = 0, top = 0, width = 0, height = 0;
            video->GetSourcePosition(&left, &top, &width, &height);
            const TZoomRect source = ZoomSource(width, height, percent);
            video->put_SourceWidth(source.width);
            video->put_SourceHeight(source.height);
            video->put_SourceLeft(source.left);
            video->put_SourceTop(source.top);
        }
    }
    digitalZoom_ = percent;
}

// ---------------------------------------------------------------- COM

HRESULT STDMETHODCALLTYPE TDSVideoWindowEx2::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IGraphMember) {
        *object = static_cast<IGraphMember*>(this);
    } else if (iid == IID_IGraphListener) {
        *object = static_cast<IGraphListener*>(this);
    } else if (ownRenderer_) {
        return ownRenderer_->QueryInterface(iid, object);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE TDSVideoWindowEx2::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG STDMETHODCALLTYPE TDSVideoWindowEx2::Release() { return static_cast<ULONG>(InterlockedDecrement(&references_)); }

HRESULT STDMETHODCALLTYPE TDSVideoWindowEx2::GetFilter(IBaseFilter** filter) {
    if (!filter) return E_POINTER;
    ownRenderer_.CopyTo(filter);
    return ownRenderer_ ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE TDSVideoWindowEx2::GetName(LPWSTR name, ULONG capacity) {
    if (!name || capacity == 0) return E_POINTER;
    lstrcpynW(name, Widen(Name()).c_str(), static_cast<int>(capacity));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TDSVideoWindowEx2::NotifyMember(TMemberOperation operation, LONG_PTR) {
    try {
        switch (operation) {
        case BeforeAdd:
            setupDone_ = false;
            ownRenderer_.Reset();
            CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                             ownRenderer_.ReceiveVoid());
            break;
        case AfterAdd:
            videoWindow_ = ownRenderer_.As<IVideoWindow>(IID_IVideoWindow);
            break;
        case BeforeRemove: {
            TComPtr<IFilterGraph> graph;
            if (filterGraph_) graph = filterGraph_->Query<IFilterGraph>(IID_IFilterGraph);
            if (overlayMixer_) {
                colorControl_->RestoreDefaults();
                if (ownRenderer_) ownRenderer_->Stop();
                StopAndDisconnect(graph.Get(), overlayMixer_.Get(), false);
            }
            StopAndDisconnect(graph.Get(), ownRenderer_.Get(), true);
            if (exclModeVideo_) exclModeVideo_->SetCallbackInterface(nullptr, 0);
            DetachCallback();
            break;
        }
        case AfterRemove:
            setupDone_ = false;
            ReleaseOverlay();
            videoWindow_.Reset();
            ownRenderer_.Reset();
            overlayInUse_ = false;
            rendererWindow_ = nullptr;
            break;
        }
    } catch (...) {
        vl::HandleCallbackException(this);
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TDSVideoWindowEx2::ControlEvent(TControlEventKind event, LONG) {
    try {
        switch (event) {
        case ctlPlay:
        case ctlPause:
            if (!setupDone_) SetupAndRefresh();
            if (overlayInUse_ && !overlayVisible_ && !desktopPlaying_) SetOverlayVisible(true, false);
            break;
        case ctlStop:
            if (!setupDone_) SetupAndRefresh();
            if (overlayInUse_ && overlayVisible_) SetOverlayVisible(false, true);
            break;
        case ctlFileRendered:
            SetupAndRefresh();
            break;
        default:
            break;
        }
    } catch (...) {
        vl::HandleCallbackException(this);
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TDSVideoWindowEx2::GraphEvent(LONG event, LONG_PTR, LONG_PTR) {
    try {
        if (event == kPaletteChanged) {
            RefreshVideoWindow();
        } else if (event == kClockChanged) {
            if (overlayInUse_) UpdateColorKey();
            SetDigitalZoom(digitalZoom_);
            SetAspectRatio(aspectRatio_);
            if (overlayInUse_) RepaintColorKey();
        }
    } catch (...) {
        vl::HandleCallbackException(this);
    }
    return S_OK;
}

void TDSVideoWindowEx2::SetupAndRefresh() {
    overlayInUse_ = SUCCEEDED(SetupOverlay());
    if (overlayInUse_) {
        colorControl_->SaveDefaults();
        colorControl_->Apply();
    }
    RefreshVideoWindow();
}

void TDSVideoWindowEx2::SetOverlayVisible(bool visible, bool repaintFirst) {
    overlayVisible_ = visible;
    if (repaintFirst) {
        RepaintColorKey();
        if (OnOverlayVisible) OnOverlayVisible(this, visible);
    } else {
        if (OnOverlayVisible) OnOverlayVisible(this, visible);
        RepaintColorKey();
    }
}

// ---------------------------------------------------------------- overlay set-up

void TDSVideoWindowEx2::DetachCallback() {
    if (overlayCallback_) overlayCallback_->Detach();
    overlayCallback_.Reset();
}

void TDSVideoWindowEx2::ReleaseOverlay() {
    if (exclModeVideo_) exclModeVideo_->SetCallbackInterface(nullptr, 0);
    DetachCallback();
    exclModeVideo_.Reset();
    overlayMixer_.Reset();
    graphRenderer_.Reset();
}

HRESULT TDSVideoWindowEx2::ConnectPins(IGraphBuilder* builder, IPin* output, IPin* input) {
    return builder->Connect(output, input);
}

// Routes the graph's video through the Overlay Mixer to the Video Renderer:
//
//   upstream -> Overlay Mixer input ... Overlay Mixer "Output" -> renderer input
//
// A mixer already in the graph is accepted when it is wired that way. Connections taken over
// from a Video Mixing Renderer move to the mixer's inputs (a Line 21 decoder of the newer kind
// is replaced by the older one on the way). Every connection made or broken is logged, so a
// failure can put the graph back exactly as it was; with a mixing renderer in the graph, the
// window then uses that renderer's own window instead of the overlay.
HRESULT TDSVideoWindowEx2::SetupOverlay() {
    setupDone_ = true;
    ReleaseOverlay();
    if (!filterGraph_) return E_FAIL;
    TComPtr<IFilterGraph> graph = filterGraph_->Query<IFilterGraph>(IID_IFilterGraph);
    if (!graph) return E_NOINTERFACE;

    TComPtr<IBaseFilter> mixingRenderer;
    for (auto& filter : GraphFilters(graph.Get())) {
        const CLSID id = FilterClass(filter.Get());
        if (id == CLSID_OverlayMixer) overlayMixer_ = filter.Clone();
        else if (id == CLSID_VideoMixingRenderer) mixingRenderer = filter.Clone();
        else if (id == CLSID_VideoRenderer) graphRenderer_ = filter.Clone();
    }
    TComPtr<IGraphBuilder> builder = filterGraph_->Query<IGraphBuilder>(IID_IGraphBuilder);
    if (!builder) return E_NOINTERFACE;

    struct TLogEntry {
        TComPtr<IPin> output, input;
        bool made;
    };
    std::vector<TLogEntry> log;
    TComPtr<IBaseFilter> createdLine21, bypassedLine21;

    auto fail = [&](HRESULT hr) -> HRESULT {
        for (auto it = log.rbegin(); it != log.rend(); ++it) {
            if (it->made) {
                builder->Disconnect(it->output.Get());
                builder->Disconnect(it->input.Get());
            } else {
                builder->Connect(it->output.Get(), it->input.Get());
            }
        }
        if (createdLine21) builder->RemoveFilter(createdLine21.Get());
        if (exclModeVideo_) exclModeVideo_->SetCallbackInterface(nullptr, 0);
        DetachCallback();
        exclModeVideo_.Reset();
        const HRESULT removed = builder->RemoveFilter(overlayMixer_.Get());
        if (FAILED(removed)) return removed;
        overlayMixer_.Reset();
        if (mixingRenderer) {
            if (auto own = videoWindow_.As<IBaseFilter>(IID_IBaseFilter)) builder->RemoveFilter(own.Get());
            graphRenderer_ = mixingRenderer.Clone();
            videoWindow_ = mixingRenderer.As<IVideoWindow>(IID_IVideoWindow);
        }
        return hr;
    };

    if (overlayMixer_) {
        bool outputDone = false, inputDone = false;
        for (auto& pin : FilterPins(overlayMixer_.Get())) {
            TComPtr<IPin> peer = Peer(pin.Get());
            if (!peer) continue;
            if (IsDirection(pin.Get(), PINDIR_OUTPUT)) {
                if (graphRenderer_ && SameComObject(PinOwner(peer.Get()).Get(), graphRenderer_.Get())) outputDone = true;
            } else {
                inputDone = true;
            }
        }
        if (!outputDone || !inputDone) return E_FAIL;
    } else {
        HRESULT hr = CoCreateInstance(CLSID_OverlayMixer, nullptr, CLSCTX_INPROC, IID_IBaseFilter,
                                      overlayMixer_.ReceiveVoid());
        if (FAILED(hr) || !overlayMixer_) {
            overlayMixer_.Reset();
            return FAILED(hr) ? hr : E_FAIL;
        }
        hr = builder->AddFilter(overlayMixer_.Get(), L"Overlay Mixer");
        if (FAILED(hr)) {
            overlayMixer_.Reset();
            return hr;
        }
        if (!graphRenderer_) return fail(E_FAIL);
        TComPtr<IPin> rendererInput = FirstPin(graphRenderer_.Get());
        if (!rendererInput) return fail(E_FAIL);

        if (mixingRenderer) {
            std::vector<TComPtr<IPin>> upstreams;
            auto pins = FilterPins(mixingRenderer.Get());
            for (size_t i = 0; i < pins.size(); ++i) {
                TComPtr<IPin> upstream = Peer(pins[i].Get());
                if (!upstream) break;
                if (FAILED(hr = builder->Disconnect(upstream.Get()))) return fail(hr);
                if (FAILED(hr = builder->Disconnect(pins[i].Get()))) return fail(hr);
                log.push_back({upstream.Clone(), pins[i].Clone(), false});
                upstreams.push_back(std::move(upstream));
                pins = FilterPins(mixingRenderer.Get());
            }
            for (auto& upstream : upstreams) {
                TComPtr<IPin> mixerInput = FirstFreeInput(overlayMixer_.Get());
                if (!mixerInput) return fail(E_FAIL);
                TComPtr<IBaseFilter> source = PinOwner(upstream.Get());
                if (FilterClass(source.Get()) == CLSID_Line21Decoder2) {
                    // The newer Line 21 decoder feeds only mixing renderers: put the older one
                    // in its place, between the same upstream pin and the mixer.
                    TComPtr<IPin> decoderInput = FirstPin(source.Get());
                    TComPtr<IPin> captions = Peer(decoderInput.Get());
                    if (!captions) return fail(VFW_E_NOT_CONNECTED);
                    if (FAILED(hr = builder->Disconnect(captions.Get()))) return fail(hr);
                    if (FAILED(hr = builder->Disconnect(decoderInput.Get()))) return fail(hr);
                    log.push_back({captions.Clone(), decoderInput.Clone(), false});
                    bypassedLine21 = source.Clone();
                    hr = CoCreateInstance(CLSID_Line21Decoder, nullptr, CLSCTX_INPROC, IID_IBaseFilter,
                                          createdLine21.ReceiveVoid());
                    if (FAILED(hr)) return fail(hr);
                    if (FAILED(hr = builder->AddFilter(createdLine21.Get(), L"Line21 Decoder"))) {
                        createdLine21.Reset();
                        return fail(hr);
                    }
                    auto decoderPins = FilterPins(createdLine21.Get());
                    if (decoderPins.size() < 2) return fail(E_FAIL);
                    if (FAILED(hr = builder->Connect(captions.Get(), decoderPins[0].Get()))) return fail(hr);
                    log.push_back({captions.Clone(), decoderPins[0].Clone(), true});
                    upstream = decoderPins[1].Clone();
                }
                if (FAILED(hr = ConnectPins(builder.Get(), upstream.Get(), mixerInput.Get()))) return fail(hr);
                log.push_back({upstream.Clone(), mixerInput.Clone(), true});
            }
        } else {
            TComPtr<IPin> upstream;
            if (FAILED(hr = rendererInput->ConnectedTo(upstream.Receive()))) return fail(hr);
            if (FAILED(hr = builder->Disconnect(rendererInput.Get()))) return fail(hr);
            if (FAILED(hr = builder->Disconnect(upstream.Get()))) return fail(hr);
            log.push_back({upstream.Clone(), rendererInput.Clone(), false});
            TComPtr<IPin> mixerInput = FirstFreeInput(overlayMixer_.Get());
            if (!mixerInput) return fail(E_FAIL);
            if (FAILED(hr = ConnectPins(builder.Get(), upstream.Get(), mixerInput.Get()))) return fail(hr);
            log.push_back({upstream.Clone(), mixerInput.Clone(), true});
        }

        TComPtr<IPin> mixerOutput;
        if (FAILED(hr = overlayMixer_->FindPin(L"Output", mixerOutput.Receive()))) return fail(hr);
        if (FAILED(hr = ConnectPins(builder.Get(), mixerOutput.Get(), rendererInput.Get()))) return fail(hr);
        log.push_back({mixerOutput.Clone(), rendererInput.Clone(), true});
    }

    exclModeVideo_ = overlayMixer_.As<IDDrawExclModeVideo>(IID_IDDrawExclModeVideo);
    if (!exclModeVideo_) return fail(E_NOINTERFACE);
    overlayCallback_ = TComPtr<TOverlayCallback>::Adopt(new TOverlayCallback(this));
    const HRESULT registered = exclModeVideo_->SetCallbackInterface(overlayCallback_.Get(), 0);
    if (FAILED(registered)) return fail(registered);

    if (bypassedLine21) builder->RemoveFilter(bypassedLine21.Get());
    if (mixingRenderer) builder->RemoveFilter(mixingRenderer.Get());
    return registered;
}

// ---------------------------------------------------------------- renderer window and key

void TDSVideoWindowEx2::ReadWindowStyles() {
    if (!HandleAllocated()) return;
    windowStyle_ = GetWindowLongA(Handle(), GWL_STYLE);
    windowStyleEx_ = GetWindowLongA(Handle(), GWL_EXSTYLE);
    windowStylesRead_ = true;
}

void TDSVideoWindowEx2::Loaded() {
    vl::TWinControl::Loaded();
    ReadWindowStyles();
}

void TDSVideoWindowEx2::RefreshVideoWindow() {
    if (!videoWindow_) return;
    // Windows made in code rather than from a form description have not read their styles.
    if (!windowStylesRead_) ReadWindowStyles();
    HWND parentWindow = Parent() ? Parent()->Handle() : nullptr;
    videoWindow_->put_Owner(reinterpret_cast<OAHWND>(parentWindow));
    videoWindow_->put_WindowStyle(windowStyle_ | WS_CHILD | WS_CLIPSIBLINGS);
    videoWindow_->put_WindowStyleEx(windowStyleEx_);
    videoWindow_->SetWindowPosition(Left(), Top(), Width(), Height());
    if (!Name().empty()) {
        BSTR caption = SysAllocString(Widen(Name()).c_str());
        videoWindow_->put_Caption(caption);
        SysFreeString(caption);
    }
    videoWindow_->put_MessageDrain(reinterpret_cast<OAHWND>(Handle()));
    if (vl::Application) vl::Application->ProcessMessages();
    if (!videoWindow_) return;  // the messages may have ended the graph
    videoWindow_->put_AutoShow(desktopPlaying_ ? OAFALSE : OATRUE);
}

void TDSVideoWindowEx2::UpdateColorKey() {
    if (!overlayInUse_) return;
    const std::string title = Name();
    HWND parentWindow = Parent() && Parent()->HandleAllocated() ? Parent()->Handle() : nullptr;
    HWND found = nullptr;
    if (parentWindow) found = FindRendererWindow(parentWindow, title, Handle());
    if (!found) found = FindRendererWindow(nullptr, title, Handle());
    rendererWindow_ = found;
    if (!found) return;
    SetWindowPos(found, Handle(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
    if (!overlayMixer_) return;
    TComPtr<IPin> pin = FirstPin(overlayMixer_.Get());
    if (auto config = pin.As<IMixerPinConfig2>(IID_IMixerPinConfig2)) {
        COLORKEY key{CK_INDEX | CK_RGB, 0, 0x000F000F, 0x000F000F};
        DWORD color = 0;
        config->GetColorKey(&key, &color);
        colorKey_ = key.HighColorValue;
        if (OnColorKeyChanged) OnColorKeyChanged(this);
    }
}

void TDSVideoWindowEx2::OverlayColorKeyChanged(COLORREF key) {
    colorKey_ = key;
    if (OnColorKeyChanged) OnColorKeyChanged(this);
}

void TDSVideoWindowEx2::OverlaySizeChanged() {
    ComputeVideoRect();
    RepaintColorKey();
}

RECT TDSVideoWindowEx2::FitRect(const RECT& box, const RECT& source) {
    const int bw = box.right - box.left, bh = box.bottom - box.top;
    const int sw = source.right - source.left, sh = source.bottom - source.top;
    if (sw <= 0 || sh <= 0) return box;  // no shape to keep
    int width, height;
    if (static_cast<double>(bh) / sh > static_cast<double>(bw) / sw) {
        width = bw;
        height = MulDiv(sh, bw, sw);
    } else {
        height = bh;
        width = MulDiv(sw, bh, sh);
    }
    const int left = box.left + (bw - width) / 2;
    const int top = box.top + (bh - height) / 2;
    return RECT{left, top, left + width, top + height};
}

HRESULT TDSVideoWindowEx2::ComputeVideoRect() {
    if (!videoWindow_ || !ownRenderer_ || !exclModeVideo_ || !graphRenderer_ || !overlayMixer_) return E_FAIL;
    RECT client = ClientRect();
    if (aspectRatio_ == TRatioModes::rmLetterBox) {
        DWORD width = 0, height = 0, aspectX = 0, aspectY = 0;
        exclModeVideo_->GetNativeVideoProps(&width, &height, &aspectX, &aspectY);
        // A picture without an aspect ratio is stretched over the whole client area.
        videoRect_ = FitRect(client, RECT{0, 0, static_cast<LONG>(aspectX), static_cast<LONG>(aspectY)});
    } else {
        videoRect_ = client;
    }
    return S_OK;
}

void TDSVideoWindowEx2::PaintColorKey(HDC target) {
    RECT client = ClientRect();
    const int width = client.right - client.left, height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    if (!bitmap) return;
    HDC memory = CreateCompatibleDC(target);
    if (!memory) {
        DeleteObject(bitmap);
        return;
    }
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HBRUSH background = CreateSolidBrush(vl::ColorToRGB(Color()));
    FillRect(memory, &client, background);
    DeleteObject(background);
    if (SUCCEEDED(ComputeVideoRect()) && overlayVisible_) {
        HBRUSH key = CreateSolidBrush(colorKey_);
        FillRect(memory, &videoRect_, key);
        DeleteObject(key);
    }
    BitBlt(target, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

void TDSVideoWindowEx2::RepaintColorKey() {
    if (destroying_ || Destroying() || !HandleAllocated()) return;
    HWND window = Handle();
    HDC dc = GetDC(window);
    if (dc) {
        PaintColorKey(dc);
        ReleaseDC(window, dc);
    }
    if (OnPaint) OnPaint(this);
}

void TDSVideoWindowEx2::Paint(HDC dc, const RECT&) {
    PaintColorKey(dc);
    if (OnPaint) OnPaint(this);
}

void TDSVideoWindowEx2::Resized() {
    vl::TWinControl::Resized();
    if (videoWindow_ && !desktopPlaying_) videoWindow_->SetWindowPosition(Left(), Top(), Width(), Height());
}

// ---------------------------------------------------------------- messages, cursor

void TDSVideoWindowEx2::WndProc(vl::TMessage& msg) {
    switch (msg.msg) {
    case WM_ERASEBKGND:
        if (overlayInUse_) {
            msg.result = 1;
            return;
        }
        break;
    case WM_SYSCOMMAND:
        if (noScreenSaver_ && ((msg.wParam & 0xFFF0) == SC_SCREENSAVE || (msg.wParam & 0xFFF0) == SC_MONITORPOWER)) {
            msg.result = 0;
            return;
        }
        break;
    case WM_SETCURSOR:
        // The framework has no cursor object for "none": hide it here.
        if (Cursor() == kNoCursor && LOWORD(msg.lParam) == HTCLIENT) {
            ::SetCursor(nullptr);
            msg.result = TRUE;
            return;
        }
        break;
    case WM_MOUSEMOVE:
        MouseActivity(msg.lParam, true);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        MouseActivity(msg.lParam, false);
        break;
    default:
        break;
    }
    vl::TWinControl::WndProc(msg);
}

void TDSVideoWindowEx2::MouseActivity(LPARAM position, bool move) {
    const int x = GET_X_LPARAM(position), y = GET_Y_LPARAM(position);
    if (move && x == lastMouseX_ && y == lastMouseY_) return;
    if (move || cursorHiddenByIdle_) {
        lastMouseX_ = x;
        lastMouseY_ = y;
        lastMoveTick_ = GetTickCount();
    }
    if (!cursorHiddenByIdle_) return;
    cursorHiddenByIdle_ = false;
    if (cursorHidden_) {
        if (videoWindow_) videoWindow_->HideCursor(OAFALSE);
        cursorHidden_ = 0;
    } else {
        SetCursor(savedCursor_);
    }
    if (OnCursorShowHide) OnCursorShowHide(this, true);
}

void TDSVideoWindowEx2::IdlePass() {
    if (autoHideCursor_ <= 0 || !videoWindow_ || cursorHiddenByIdle_) return;
    if (GetTickCount() - lastMoveTick_ < static_cast<DWORD>(autoHideCursor_)) return;
    bool hid = false;
    if (overlayInUse_) {
        if (Cursor() != kNoCursor) {
            savedCursor_ = Cursor();
            SetCursor(kNoCursor);
            hid = true;
        }
    } else {
        long hidden = 0;
        videoWindow_->IsCursorHidden(&hidden);
        if (!hidden) {
            videoWindow_->HideCursor(OATRUE);
            cursorHidden_ = 1;
            hid = true;
        }
    }
    if (!hid) return;
    cursorHiddenByIdle_ = true;
    POINT p;
    if (GetCursorPos(&p)) SetCursorPos(p.x, p.y);
    if (OnCursorShowHide) OnCursorShowHide(this, false);
}

}  // namespace vorlinde
