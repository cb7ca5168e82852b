#include "media/VideoWindow.h"

#include "framework/Application.h"
#include "framework/ClassBuilder.h"
#include "framework/Exceptions.h"
#include "framework/GdiOwners.h"
#include "framework/Form.h"
#include "framework/StringUtils.h"
#include "media/FilterGraph.h"
#include "media/GraphUtils.h"
#include "media/OverlayCallback.h"
#include "media/OverlayRewiring.h"
#include "platform/MixerPinConfig.h"

namespace vorlinde {

namespace {

// Every event of the EC_ family that the window reacts to.
constexpr LONG kPaletteChanged = 0x09;
constexpr LONG kClockChanged = 0x0D;

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
    UnregisterCallback();
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
            UnregisterCallback();
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

void TDSVideoWindowEx2::UnregisterCallback() {
    if (exclModeVideo_) exclModeVideo_->SetCallbackInterface(nullptr, 0);
    DetachCallback();
}

void TDSVideoWindowEx2::ReleaseOverlay() {
    UnregisterCallback();
    exclModeVideo_.Reset();
    overlayMixer_.Reset();
    graphRenderer_.Reset();
}

HRESULT TDSVideoWindowEx2::ConnectPins(IGraphBuilder* builder, IPin* output, IPin* input) {
    return builder->Connect(output, input);
}

// Routes the graph's video through the Overlay Mixer to the Video Renderer (see
// media/OverlayRewiring.h). A mixer already in the graph is accepted when it is wired that
// way. A failure puts the graph back exactly as it was; with a mixing renderer in the graph,
// the window then uses that renderer's own window instead of the overlay.
HRESULT TDSVideoWindowEx2::SetupOverlay() {
    setupDone_ = true;
    ReleaseOverlay();
    if (!filterGraph_) return E_FAIL;
    TComPtr<IFilterGraph> graph = filterGraph_->Query<IFilterGraph>(IID_IFilterGraph);
    if (!graph) return E_NOINTERFACE;
    overlayMixer_ = FindFilterByClass(graph.Get(), {CLSID_OverlayMixer});
    graphRenderer_ = FindFilterByClass(graph.Get(), {CLSID_VideoRenderer});
    TComPtr<IBaseFilter> mixingRenderer = FindFilterByClass(graph.Get(), {CLSID_VideoMixingRenderer});
    TComPtr<IGraphBuilder> builder = filterGraph_->Query<IGraphBuilder>(IID_IGraphBuilder);
    if (!builder) return E_NOINTERFACE;

    const bool insert = !overlayMixer_;
    if (!insert && !TOverlayRewiring::IsWired(overlayMixer_.Get(), graphRenderer_.Get())) return E_FAIL;
    if (insert) {
        const HRESULT added = AddOverlayMixer(builder.Get());
        if (FAILED(added)) return added;
    }
    TOverlayRewiring rewiring(
        builder.Get(), [this, &builder](IPin* output, IPin* input) { return ConnectPins(builder.Get(), output, input); },
        overlayMixer_.Get(), graphRenderer_.Get(), mixingRenderer.Get());
    if (insert) {
        const HRESULT inserted = rewiring.Insert();
        if (FAILED(inserted)) return AbandonOverlay(rewiring, builder.Get(), mixingRenderer.Get(), inserted);
    }
    const HRESULT registered = RegisterOverlayCallback();
    if (FAILED(registered)) return AbandonOverlay(rewiring, builder.Get(), mixingRenderer.Get(), registered);
    rewiring.RemoveReplaced();
    return registered;
}

HRESULT TDSVideoWindowEx2::AddOverlayMixer(IGraphBuilder* builder) {
    HRESULT hr = CoCreateInstance(CLSID_OverlayMixer, nullptr, CLSCTX_INPROC, IID_IBaseFilter,
                                  overlayMixer_.ReceiveVoid());
    if (FAILED(hr) || !overlayMixer_) {
        overlayMixer_.Reset();
        return FAILED(hr) ? hr : E_FAIL;
    }
    hr = builder->AddFilter(overlayMixer_.Get(), L"Overlay Mixer");
    if (FAILED(hr)) overlayMixer_.Reset();
    return hr;
}

HRESULT TDSVideoWindowEx2::RegisterOverlayCallback() {
    exclModeVideo_ = overlayMixer_.As<IDDrawExclModeVideo>(IID_IDDrawExclModeVideo);
    if (!exclModeVideo_) return E_NOINTERFACE;
    overlayCallback_ = TComPtr<TOverlayCallback>::Adopt(new TOverlayCallback(this));
    return exclModeVideo_->SetCallbackInterface(overlayCallback_.Get(), 0);
}

// The graph's connections go back as they were and the mixer leaves the graph (when it will
// not, its failure is the answer and the window keeps it); a mixing renderer that was there
// takes the video again, with its own window.
HRESULT TDSVideoWindowEx2::AbandonOverlay(TOverlayRewiring& rewiring, IGraphBuilder* builder,
                                          IBaseFilter* mixingRenderer, HRESULT hr) {
    rewiring.Undo();
    UnregisterCallback();
    exclModeVideo_.Reset();
    const HRESULT removed = builder->RemoveFilter(overlayMixer_.Get());
    if (FAILED(removed)) return removed;
    overlayMixer_.Reset();
    if (mixingRenderer) {
        if (auto own = videoWindow_.As<IBaseFilter>(IID_IBaseFilter)) builder->RemoveFilter(own.Get());
        graphRenderer_ = TComPtr<IBaseFilter>::Share(mixingRenderer);
        videoWindow_ = graphRenderer_.As<IVideoWindow>(IID_IVideoWindow);
    }
    return hr;
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
    const RECT client = ClientRect();
    vl::PaintBuffered(target, client, [&](HDC dc) {
        vl::FillSolidRect(dc, client, vl::ColorToRGB(Color()));
        if (SUCCEEDED(ComputeVideoRect()) && overlayVisible_) vl::FillSolidRect(dc, videoRect_, colorKey_);
    });
}

void TDSVideoWindowEx2::RepaintColorKey() {
    if (destroying_ || Destroying() || !HandleAllocated()) return;
    {
        const vl::TWindowDC dc(Handle());
        if (dc) PaintColorKey(dc.Get());
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

}  // namespace vorlinde
