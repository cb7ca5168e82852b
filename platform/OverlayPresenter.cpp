#include "platform/OverlayPresenter.h"

#include <cstring>
#include <new>
#include <utility>

#include "platform/DesktopWindows.h"

namespace vl::platform {

namespace {

constexpr char kMessageClass[] = "VorlindeOverlayMixerMessages";
constexpr UINT kFrameMessage = WM_APP + 1;
constexpr UINT kStateMessage = WM_APP + 2;
constexpr UINT kNotifyMessage = WM_APP + 3;
constexpr UINT_PTR kTrackTimer = 1;
// While active the layers follow the destination and the windows above the desktop at this
// period even when no frame arrives (paused).
constexpr UINT kTrackPeriodMs = 50;

constexpr unsigned kNotifyKey = 1;
constexpr unsigned kNotifySize = 2;

HINSTANCE ModuleInstance() { return GetModuleHandleA(nullptr); }

void RegisterClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSA messages{};
        messages.lpfnWndProc = DefWindowProcA;
        messages.hInstance = ModuleInstance();
        messages.lpszClassName = kMessageClass;
        RegisterClassA(&messages);
        WNDCLASSA layer{};
        layer.lpfnWndProc = DefWindowProcA;
        layer.hInstance = ModuleInstance();
        layer.hCursor = LoadCursor(nullptr, IDC_ARROW);
        layer.lpszClassName = kOverlayLayerClass;
        RegisterClassA(&layer);
    });
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

RECT Offset(RECT rect, LONG dx, LONG dy) {
    OffsetRect(&rect, dx, dy);
    return rect;
}

// The client rectangle of a window in screen coordinates.
RECT ClientOnScreen(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// rect clipped by the client areas of window and each of its ancestors.
RECT ClipByAncestors(RECT rect, HWND window) {
    for (HWND w = window; w; w = GetAncestor(w, GA_PARENT)) {
        if (w == GetDesktopWindow()) break;
        const RECT client = ClientOnScreen(w);
        if (!IntersectRect(&rect, &rect, &client)) return RECT{};
    }
    return rect;
}

}  // namespace

TOverlayPresenter::TOverlayPresenter()
    : ready_(std::make_unique<TFrame>()), write_(std::make_unique<TFrame>()), display_(std::make_unique<TFrame>()) {}

TOverlayPresenter::~TOverlayPresenter() = default;

std::shared_ptr<TOverlayPresenter> TOverlayPresenter::Create() {
    RegisterClasses();
    std::shared_ptr<TOverlayPresenter> presenter(new TOverlayPresenter());
    presenter->guiThread_ = GetCurrentThreadId();
    HWND window = CreateWindowExA(0, kMessageClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  ModuleInstance(), nullptr);
    if (!window) return nullptr;
    presenter->messageWindow_ = window;
    presenter->self_ = presenter;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(presenter.get()));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageProc));
    return presenter;
}

void TOverlayPresenter::Shutdown() noexcept {
    TComPtr<IDDrawExclModeVideoCallback> callback;
    TComPtr<IVideoWindow> destination;
    {
        std::lock_guard lock(mutex_);
        callback = std::move(callback_);
        destination = std::move(destination_);
        active_ = false;
        fresh_ = false;
        accepting_ = false;
    }
    // The references go here, outside the lock, on the caller's thread: the program sees its
    // callback released when the mixer's last reference goes.
    callback.Reset();
    destination.Reset();
    if (GetCurrentThreadId() == guiThread_) {
        DestroyWindow(messageWindow_);
    } else {
        PostMessageA(messageWindow_, WM_CLOSE, 0, 0);
    }
}

// ---- Any thread ---------------------------------------------------------------------------

void TOverlayPresenter::PostToGui(UINT message) { PostMessageA(messageWindow_, message, 0, 0); }

// Settings, destination and state changes: one message on its way is enough.
void TOverlayPresenter::RequestStateUpdate() {
    {
        std::lock_guard lock(mutex_);
        if (statePosted_) return;
        statePosted_ = true;
    }
    if (!PostMessageA(messageWindow_, kStateMessage, 0, 0)) {
        std::lock_guard lock(mutex_);
        statePosted_ = false;
    }
}

void TOverlayPresenter::SetSettings(const TOverlaySettings& settings) {
    {
        std::lock_guard lock(mutex_);
        settings_ = settings;
    }
    RequestStateUpdate();
}

void TOverlayPresenter::SetColorSettings(const TColorSettings& settings) {
    {
        std::lock_guard lock(mutex_);
        if (color_ == settings) return;
        color_ = settings;
        ++colorVersion_;
    }
    // A paused picture shows the new settings at once.
    RequestStateUpdate();
}

void TOverlayPresenter::SetDestination(TComPtr<IVideoWindow> destination) {
    {
        std::lock_guard lock(mutex_);
        std::swap(destination_, destination);
        accepting_ = active_ && destination_;
    }
    destination.Reset();
    RequestStateUpdate();
}

void TOverlayPresenter::SetActive(bool active) {
    {
        std::lock_guard lock(mutex_);
        active_ = active;
        if (!active) fresh_ = false;
        accepting_ = active_ && destination_;
    }
    RequestStateUpdate();
}

void TOverlayPresenter::SetNativeVideo(const TNativeVideo& video) {
    bool post = false;
    {
        std::lock_guard lock(mutex_);
        if (video_ == video) return;
        video_ = video;
        if (callback_ && video.width) {
            post = pendingNotify_ == 0;
            pendingNotify_ |= kNotifySize;
        }
    }
    if (post) PostToGui(kNotifyMessage);
}

void TOverlayPresenter::SetCallback(TComPtr<IDDrawExclModeVideoCallback> callback) {
    {
        std::lock_guard lock(mutex_);
        std::swap(callback_, callback);
    }
    callback.Reset();
}

void TOverlayPresenter::NotifyKeyAndSize() {
    bool post = false;
    {
        std::lock_guard lock(mutex_);
        if (!callback_) return;
        post = pendingNotify_ == 0;
        pendingNotify_ |= kNotifyKey | (video_.width ? kNotifySize : 0);
    }
    if (post) PostToGui(kNotifyMessage);
}

void TOverlayPresenter::NotifyKey() {
    bool post = false;
    {
        std::lock_guard lock(mutex_);
        if (!callback_) return;
        post = pendingNotify_ == 0;
        pendingNotify_ |= kNotifyKey;
    }
    if (post) PostToGui(kNotifyMessage);
}

DWORD TOverlayPresenter::PhysicalColor(COLORREF color) noexcept {
    int bits = 32;
    if (HDC screen = GetDC(nullptr)) {
        bits = GetDeviceCaps(screen, BITSPIXEL);
        ReleaseDC(nullptr, screen);
    }
    const DWORD r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    if (bits == 16) return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
    if (bits == 15) return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
    return (r << 16) | (g << 8) | b;
}

// ---- Streaming thread ----------------------------------------------------------------------

bool TOverlayPresenter::PrepareFrame(IMediaSample* sample, const TVideoFormat& format) {
    if (!accepting_) return false;
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)) || !data) return false;
    const long length = sample->GetActualDataLength();
    if (length < 0 || static_cast<DWORD>(length) < format.imageSize) return false;

    try {
        return PrepareFrameInto(*write_, data, format);
    } catch (const std::bad_alloc&) {
        // No memory for the layer's copy: the renderer still gets the sample.
        return false;
    }
}

bool TOverlayPresenter::PrepareFrameInto(TFrame& frame, const BYTE* data, const TVideoFormat& format) {
    frame.raw.resize(format.imageSize);
    std::memcpy(frame.raw.data(), data, format.imageSize);
    frame.format = format;

    TColorSettings color;
    unsigned version;
    {
        std::lock_guard lock(mutex_);
        color = color_;
        version = colorVersion_;
    }
    if (streamAdjusterVersion_ != version) {
        streamAdjuster_.Configure(color);
        streamAdjusterVersion_ = version;
    }
    frame.colorVersion = version;
    frame.adjustedValid = !streamAdjuster_.IsIdentity();
    if (frame.adjustedValid) {
        frame.adjusted.resize(static_cast<size_t>(format.width) * format.height);
        streamAdjuster_.Process(frame.raw.data(), format, frame.adjusted.data());
    }
    return true;
}

void TOverlayPresenter::PublishFrame() {
    bool post = false;
    {
        std::lock_guard lock(mutex_);
        if (!active_) return;
        std::swap(write_, ready_);
        fresh_ = true;
        if (!posted_) {
            posted_ = true;
            post = true;
        }
    }
    if (post && !PostMessageA(messageWindow_, kFrameMessage, 0, 0)) {
        std::lock_guard lock(mutex_);
        posted_ = false;
    }
}

// ---- GUI thread ----------------------------------------------------------------------------

LRESULT CALLBACK TOverlayPresenter::MessageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* presenter = reinterpret_cast<TOverlayPresenter*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!presenter) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Last message: the presenter may go with the window's hold on it.
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        std::shared_ptr<TOverlayPresenter> hold = std::move(presenter->self_);
        presenter->messageWindow_ = nullptr;
        return result;
    }
    // A callback to the program may release the mixer and with it this window: the presenter
    // stays alive until its message is handled.
    std::shared_ptr<TOverlayPresenter> hold = presenter->self_;
    try {
        return presenter->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // Out of memory while presenting: skip this frame or update.
        return 0;
    }
}

LRESULT TOverlayPresenter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kFrameMessage:
        OnFrame();
        return 0;
    case kStateMessage:
        OnState();
        return 0;
    case kNotifyMessage:
        OnNotify();
        return 0;
    case WM_TIMER:
        if (wParam == kTrackTimer) Evaluate(false);
        return 0;
    case WM_DESTROY:
        closing_ = true;
        if (timerRunning_) KillTimer(messageWindow_, kTrackTimer);
        timerRunning_ = false;
        DestroyLayer(windowLayer_);
        DestroyLayer(desktopLayer_);
        if (desktopLayerOwner_ && IsWindow(desktopLayerOwner_)) DestroyWindow(desktopLayerOwner_);
        desktopLayerOwner_ = nullptr;
        return 0;
    default:
        return DefWindowProcA(messageWindow_, message, wParam, lParam);
    }
}

LRESULT CALLBACK TOverlayPresenter::LayerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        // Click-through: the window or desktop below takes the mouse.
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        if (auto* presenter = reinterpret_cast<TOverlayPresenter*>(GetWindowLongPtrA(window, GWLP_USERDATA))) {
            try {
                presenter->PaintLayer(window);
                return 0;
            } catch (...) {
                ValidateRect(window, nullptr);
                return 0;
            }
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TOverlayPresenter::TSnapshot TOverlayPresenter::Snapshot() {
    TSnapshot snapshot;
    std::lock_guard lock(mutex_);
    snapshot.active = active_;
    snapshot.settings = settings_;
    snapshot.destination = destination_.Clone();
    snapshot.callback = callback_.Clone();
    snapshot.video = video_;
    return snapshot;
}

void TOverlayPresenter::OnFrame() {
    bool got = false;
    {
        std::lock_guard lock(mutex_);
        posted_ = false;
        if (fresh_) {
            std::swap(ready_, display_);
            fresh_ = false;
            got = true;
        }
    }
    if (got) haveFrame_ = true;
    Evaluate(got);
}

void TOverlayPresenter::OnState() {
    bool active;
    {
        std::lock_guard lock(mutex_);
        statePosted_ = false;
        active = active_;
    }
    if (!active) {
        // Stopped: a hardware overlay shows nothing once the key is gone; forget the frame.
        haveFrame_ = false;
        if (timerRunning_) KillTimer(messageWindow_, kTrackTimer);
        timerRunning_ = false;
    } else if (!timerRunning_) {
        desktopHostChecked_ = false;
        timerRunning_ = SetTimer(messageWindow_, kTrackTimer, kTrackPeriodMs, nullptr) != 0;
    }
    // Settings may have changed: redraw everything.
    if (windowLayer_.window) InvalidateRect(windowLayer_.window, nullptr, FALSE);
    if (desktopLayer_.window) InvalidateRect(desktopLayer_.window, nullptr, FALSE);
    Evaluate(false);
}

void TOverlayPresenter::OnNotify() {
    unsigned pending;
    COLORKEY key;
    TNativeVideo video;
    TComPtr<IDDrawExclModeVideoCallback> callback;
    {
        std::lock_guard lock(mutex_);
        pending = std::exchange(pendingNotify_, 0u);
        key = settings_.key;
        video = video_;
        callback = callback_.Clone();
    }
    if (!callback) return;
    if (pending & kNotifyKey) callback->OnUpdateColorKey(&key, PhysicalColor(key.LowColorValue));
    // The program may have released the mixer in its handler.
    if (closing_) return;
    if ((pending & kNotifySize) && video.width) {
        callback->OnUpdateSize(video.width, video.height, video.aspectX, video.aspectY);
    }
}

void TOverlayPresenter::Evaluate(bool newFrame) {
    if (closing_) return;
    TSnapshot snapshot = Snapshot();
    if (!snapshot.active || !haveFrame_) {
        HideLayer(windowLayer_);
        HideLayer(desktopLayer_);
        return;
    }
    const TDestination destination = LocateDestination(snapshot.destination.Get());
    UpdateWindowLayer(snapshot, destination, newFrame);
    // The program's callbacks may have shut the presenter down.
    if (closing_) return;
    UpdateDesktopLayer(snapshot, destination, newFrame);
    NotifyDestinationSize(snapshot, destination);
}

// The destination is the renderer's window. IVideoWindow gives its owner and position (Wine
// reports the position in screen coordinates, Windows relative to the owner's client area);
// the window itself is the owner's renderer-class child at that position.
TOverlayPresenter::TDestination TOverlayPresenter::LocateDestination(IVideoWindow* video) {
    TDestination destination;
    if (!video) return destination;
    OAHWND ownerValue = 0;
    long left = 0, top = 0, width = 0, height = 0;
    if (FAILED(video->get_Owner(&ownerValue)) || FAILED(video->GetWindowPosition(&left, &top, &width, &height))) {
        return destination;
    }
    HWND owner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(ownerValue));
    if (owner && !IsWindow(owner)) owner = nullptr;
    const RECT asScreen{left, top, left + width, top + height};
    RECT asClient = asScreen;
    if (owner) asClient = Offset(asScreen, ClientOnScreen(owner).left, ClientOnScreen(owner).top);

    HWND window = FindRendererWindow(owner, asScreen, asClient);
    destination.found = true;
    if (window) {
        destination.window = window;
        destination.root = GetAncestor(window, GA_ROOT);
        destination.client = ClientOnScreen(window);
        destination.visible = IsWindowVisible(window) && !IsIconic(destination.root);
        destination.clip = ClipByAncestors(destination.client, GetAncestor(window, GA_PARENT));
    } else {
        // Not identified: trust the reported position.
        long visible = OAFALSE;
        video->get_Visible(&visible);
        destination.root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
        destination.client = owner ? asClient : asScreen;
        destination.visible = visible != OAFALSE && (!owner || (IsWindowVisible(owner) && !IsIconic(destination.root)));
        destination.clip = owner ? ClipByAncestors(destination.client, owner) : destination.client;
    }
    return destination;
}

HWND TOverlayPresenter::FindRendererWindow(HWND owner, const RECT& asScreen, const RECT& asClient) {
    auto matches = [&](HWND window) {
        RECT rect;
        if (!IsWindow(window) || !GetWindowRect(window, &rect)) return false;
        if (!SameRect(rect, asScreen) && !SameRect(rect, asClient)) return false;
        return owner ? GetAncestor(window, GA_PARENT) == owner : GetAncestor(window, GA_PARENT) == GetDesktopWindow();
    };
    if (rendererWindow_ && matches(rendererWindow_)) return rendererWindow_;
    rendererWindow_ = nullptr;
    if (owner) {
        for (HWND child = GetWindow(owner, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (IsVideoRendererWindow(child) && matches(child)) return rendererWindow_ = child;
        }
        return nullptr;
    }
    // A top-level renderer window of this process.
    struct TSearch {
        decltype(matches)* test;
        HWND found;
    } search{&matches, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<TSearch*>(context);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId() && IsVideoRendererWindow(window) && (*s.test)(window)) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return rendererWindow_ = search.found;
}

void TOverlayPresenter::UpdateWindowLayer(const TSnapshot& snapshot, const TDestination& destination, bool newFrame) {
    bool show = destination.found && destination.visible && destination.root;
    TPlacement placement{};
    RECT area{};
    if (show) {
        const RECT box = SubRect(destination.client, snapshot.settings.relative);
        const TVideoFormat& format = display_->format;
        placement = PlaceVideo(snapshot.settings.mode, box, format.source, format.aspectX, format.aspectY);
        show = IntersectRect(&area, &placement.destination, &destination.clip) != FALSE;
    }

    // The program hears of the overlay's changes before and after they happen.
    const bool changed = show != windowLayerNotified_ ||
                         (show && (!SameRect(placement.source, notifiedSource_) ||
                                   !SameRect(placement.destination, notifiedDestination_)));
    if (changed && snapshot.callback) {
        snapshot.callback->OnUpdateOverlay(TRUE, AM_OVERLAY_NOTIFY_VISIBLE_CHANGE | AM_OVERLAY_NOTIFY_SOURCE_CHANGE |
                                                     AM_OVERLAY_NOTIFY_DEST_CHANGE,
                                           windowLayerNotified_, &notifiedSource_, &notifiedDestination_, show,
                                           &placement.source, &placement.destination);
        if (closing_) return;
    }

    if (!show) {
        HideLayer(windowLayer_);
    } else if (EnsureLayer(windowLayer_, TLayerKind::Window, destination.root, CLR_INVALID)) {
        windowLayer_.placement = placement;
        OffsetRect(&windowLayer_.placement.destination, -area.left, -area.top);
        ShowLayer(windowLayer_, area, HWND_TOP, false, newFrame);
    }

    if (changed) {
        const bool oldVisible = windowLayerNotified_;
        const RECT oldSource = notifiedSource_;
        const RECT oldDestination = notifiedDestination_;
        windowLayerNotified_ = show;
        notifiedSource_ = show ? placement.source : RECT{};
        notifiedDestination_ = show ? placement.destination : RECT{};
        if (snapshot.callback) {
            snapshot.callback->OnUpdateOverlay(FALSE, AM_OVERLAY_NOTIFY_VISIBLE_CHANGE | AM_OVERLAY_NOTIFY_SOURCE_CHANGE |
                                                          AM_OVERLAY_NOTIFY_DEST_CHANGE,
                                               oldVisible, &oldSource, &oldDestination, show, &notifiedSource_,
                                               &notifiedDestination_);
        }
    }
}

void TOverlayPresenter::UpdateDesktopLayer(const TSnapshot& snapshot, const TDestination& destination, bool newFrame) {
    const COLORKEY& key = snapshot.settings.key;
    if (!destination.found || !ColorKeyMatches(GetSysColor(COLOR_BACKGROUND), key)) {
        HideLayer(desktopLayer_);
        return;
    }
    const RECT box = SubRect(destination.client, snapshot.settings.relative);
    const TVideoFormat& format = display_->format;
    const TPlacement placement = PlaceVideo(snapshot.settings.mode, box, format.source, format.aspectX, format.aspectY);
    const RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                      GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    RECT area;
    if (!IntersectRect(&area, &box, &screen)) {
        HideLayer(desktopLayer_);
        return;
    }

    // Behind the icons where the shell has a background window; else a top-most surface.
    if (!desktopHostChecked_ || (desktopHost_ && !IsWindow(desktopHost_))) {
        desktopHost_ = FindDesktopBackgroundWindow();
        desktopHostChecked_ = true;
    }
    HWND host = desktopHost_;
    if (host) {
        if (!EnsureLayer(desktopLayer_, TLayerKind::DesktopChild, host, CLR_INVALID)) return;
        POINT origin{0, 0};
        ClientToScreen(host, &origin);
        desktopLayer_.placement = placement;
        OffsetRect(&desktopLayer_.placement.destination, -area.left, -area.top);
        ShowLayer(desktopLayer_, Offset(area, -origin.x, -origin.y), HWND_TOP, false, newFrame);
        return;
    }

    if (!EnsureLayer(desktopLayer_, TLayerKind::DesktopTopMost, DesktopLayerOwner(), key.LowColorValue)) return;
    // Where the desktop shows: the area minus every window on it, in window coordinates.
    TRegion covered = CoveredDesktopRegion(area);
    TRegion uncovered(CreateRectRgnIndirect(&area));
    if (!covered || !uncovered) return;
    CombineRgn(uncovered.Get(), uncovered.Get(), covered.Get(), RGN_DIFF);
    OffsetRgn(uncovered.Get(), -area.left, -area.top);
    const bool regionChanged = !desktopLayer_.uncovered || !EqualRgn(uncovered.Get(), desktopLayer_.uncovered.Get());
    desktopLayer_.uncovered = std::move(uncovered);
    desktopLayer_.placement = placement;
    OffsetRect(&desktopLayer_.placement.destination, -area.left, -area.top);
    ShowLayer(desktopLayer_, area, HWND_TOPMOST, regionChanged, newFrame);
}

void TOverlayPresenter::NotifyDestinationSize(const TSnapshot& snapshot, const TDestination& destination) {
    if (!destination.found) return;
    const SIZE size{destination.client.right - destination.client.left,
                    destination.client.bottom - destination.client.top};
    const bool changed = destinationSizeKnown_ && (size.cx != destinationSize_.cx || size.cy != destinationSize_.cy);
    destinationSizeKnown_ = true;
    destinationSize_ = size;
    if (changed && snapshot.callback && snapshot.video.width) {
        snapshot.callback->OnUpdateSize(snapshot.video.width, snapshot.video.height, snapshot.video.aspectX,
                                        snapshot.video.aspectY);
    }
}

bool TOverlayPresenter::EnsureLayer(TLayer& layer, TLayerKind kind, HWND parent, COLORREF key) {
    // A layer goes with its owner or parent window; then it is made again.
    if (layer.window && !IsWindow(layer.window)) ForgetLayer(layer);
    if (layer.window && (layer.kind != kind || layer.parent != parent)) DestroyLayer(layer);
    if (!layer.window) {
        DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
        DWORD style = WS_POPUP;
        switch (kind) {
        case TLayerKind::Window:
            exStyle |= WS_EX_LAYERED | WS_EX_TRANSPARENT;
            break;
        case TLayerKind::DesktopTopMost:
            exStyle |= WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST;
            break;
        case TLayerKind::DesktopChild:
            exStyle = WS_EX_NOACTIVATE;
            style = WS_CHILD | WS_DISABLED | WS_CLIPSIBLINGS;
            break;
        }
        HWND window = CreateWindowExA(exStyle, kOverlayLayerClass, "", style, 0, 0, 1, 1, parent, nullptr,
                                      ModuleInstance(), nullptr);
        if (!window) return false;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LayerProc));
        if (kind == TLayerKind::Window) SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA);
        layer.window = window;
        layer.kind = kind;
        layer.parent = parent;
        layer.shown = false;
        layer.key = CLR_INVALID;
        layer.uncovered.Reset();
    }
    if (kind == TLayerKind::DesktopTopMost && layer.key != key) {
        // The key's pixels are see-through.
        SetLayeredWindowAttributes(layer.window, key, 0, LWA_COLORKEY);
        layer.key = key;
        InvalidateRect(layer.window, nullptr, FALSE);
    }
    return true;
}

// A taskbar shows a button for a visible top-level window without an owner (Wine's even for a
// tool window), so the top-most desktop layer gets an owner: a window that is never shown (and
// so never minimised, which would hide the layer with it).
HWND TOverlayPresenter::DesktopLayerOwner() {
    if (desktopLayerOwner_ && IsWindow(desktopLayerOwner_)) return desktopLayerOwner_;
    desktopLayerOwner_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kOverlayLayerClass, "", WS_POPUP, 0, 0,
                                         0, 0, nullptr, nullptr, ModuleInstance(), nullptr);
    return desktopLayerOwner_;
}

void TOverlayPresenter::ShowLayer(TLayer& layer, const RECT& rect, HWND insertAfter, bool repaintAll, bool newFrame) {
    if (!layer.shown || !SameRect(rect, layer.rect)) {
        SetWindowPos(layer.window, insertAfter, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
        layer.shown = true;
        layer.rect = rect;
        repaintAll = true;
    }
    if (repaintAll) {
        InvalidateRect(layer.window, nullptr, FALSE);
    } else if (newFrame) {
        // Only the picture changed.
        if (layer.uncovered) {
            TRegion picture(CreateRectRgnIndirect(&layer.placement.destination));
            if (picture) {
                CombineRgn(picture.Get(), picture.Get(), layer.uncovered.Get(), RGN_AND);
                InvalidateRgn(layer.window, picture.Get(), FALSE);
            }
        } else {
            InvalidateRect(layer.window, &layer.placement.destination, FALSE);
        }
    }
    UpdateWindow(layer.window);
}

void TOverlayPresenter::HideLayer(TLayer& layer) {
    if (layer.window && !IsWindow(layer.window)) ForgetLayer(layer);
    if (!layer.window || !layer.shown) return;
    ShowWindow(layer.window, SW_HIDE);
    layer.shown = false;
}

void TOverlayPresenter::DestroyLayer(TLayer& layer) {
    if (layer.window && IsWindow(layer.window)) DestroyWindow(layer.window);
    ForgetLayer(layer);
}

void TOverlayPresenter::ForgetLayer(TLayer& layer) {
    layer.window = nullptr;
    layer.parent = nullptr;
    layer.shown = false;
    layer.key = CLR_INVALID;
    layer.uncovered.Reset();
}

void TOverlayPresenter::PaintLayer(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (!dc) return;
    TLayer* layer = window == windowLayer_.window ? &windowLayer_ : window == desktopLayer_.window ? &desktopLayer_ : nullptr;
    if (layer && layer->shown && haveFrame_) {
        COLORKEY key;
        {
            std::lock_guard lock(mutex_);
            key = settings_.key;
        }
        RECT client;
        GetClientRect(window, &client);
        TRegion all(CreateRectRgnIndirect(&client));
        TRegion picture(CreateRectRgnIndirect(&layer->placement.destination));
        if (all && picture) {
            // The bars beside a letter-boxed picture show the desktop's colour, one step off
            // the key so that they are not see-through.
            TBrush bars(CreateSolidBrush(layer->kind == TLayerKind::DesktopChild ? key.LowColorValue : NearKeyColor(key)));
            TRegion shown(CreateRectRgn(0, 0, 0, 0));
            if (layer->uncovered) {
                CombineRgn(picture.Get(), picture.Get(), layer->uncovered.Get(), RGN_AND);
                CombineRgn(shown.Get(), layer->uncovered.Get(), nullptr, RGN_COPY);
            } else {
                CombineRgn(shown.Get(), all.Get(), nullptr, RGN_COPY);
            }
            SelectClipRgn(dc, picture.Get());
            DrawFrame(dc, layer->placement);
            SelectClipRgn(dc, nullptr);
            TRegion rest(CreateRectRgn(0, 0, 0, 0));
            CombineRgn(rest.Get(), shown.Get(), picture.Get(), RGN_DIFF);
            if (bars) FillRgn(dc, rest.Get(), bars.Get());
            if (layer->uncovered) {
                // Covered parts: the key, so that the windows there show through.
                TBrush keyBrush(CreateSolidBrush(key.LowColorValue));
                CombineRgn(rest.Get(), all.Get(), layer->uncovered.Get(), RGN_DIFF);
                if (keyBrush) FillRgn(dc, rest.Get(), keyBrush.Get());
            }
        }
    }
    EndPaint(window, &paint);
}

void TOverlayPresenter::DrawFrame(HDC dc, const TPlacement& placement) {
    TFrame& frame = *display_;
    const TVideoFormat& format = frame.format;
    TColorSettings color;
    unsigned version;
    {
        std::lock_guard lock(mutex_);
        color = color_;
        version = colorVersion_;
    }
    if (frame.colorVersion != version) {
        // The settings changed after the frame was made (a paused picture): redo them here.
        if (guiAdjusterVersion_ != version) {
            guiAdjuster_.Configure(color);
            guiAdjusterVersion_ = version;
        }
        frame.adjustedValid = !guiAdjuster_.IsIdentity();
        if (frame.adjustedValid) {
            frame.adjusted.resize(static_cast<size_t>(format.width) * format.height);
            guiAdjuster_.Process(frame.raw.data(), format, frame.adjusted.data());
        }
        frame.colorVersion = version;
    }
    TDibHeader dib = format.dib;
    const void* bits = frame.raw.data();
    if (frame.adjustedValid) {
        dib = MakeRgb32Dib(format.width, format.height, format.topDown);
        bits = frame.adjusted.data();
    }
    const RECT& source = placement.source;
    const RECT& target = placement.destination;
    // GDI counts a bottom-up buffer's rows from the bottom.
    const LONG sourceY = format.topDown ? source.top : format.height - source.bottom;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, source.left,
                  sourceY, source.right - source.left, source.bottom - source.top, bits,
                  reinterpret_cast<const BITMAPINFO*>(&dib), DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace vl::platform
