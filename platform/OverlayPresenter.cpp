#include "platform/OverlayPresenter.h"

#include "platform/DesktopPictureHold.h"

#include <cstring>
#include <new>
#include <utility>

namespace vorlinde::platform {

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

// The message window's exception boundary. What fails while presenting is out of memory: the
// frame or update is skipped, and the next one tries again. The stand-in shows no message boxes.
void SkipFailedUpdate(void*) noexcept {}

// A hidden top-level window rather than a message-only one: it also hears the broadcasts that
// tell the desktop layer to look for its host again (the shell's restart, a display change).
vl::THiddenWindowParams MessageWindowParams() {
    vl::THiddenWindowParams params;
    params.kind = vl::THiddenWindowParams::TKind::TopLevel;
    params.exStyle = WS_EX_TOOLWINDOW;
    return params;
}

}  // namespace

TOverlayPresenter::TOverlayPresenter()
    : ready_(std::make_unique<TFrame>()),
      write_(std::make_unique<TFrame>()),
      display_(std::make_unique<TFrame>()),
      window_(kMessageClass, MessageWindowParams(),
              [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
                  return Dispatch(message, wParam, lParam, result);
              },
              &SkipFailedUpdate) {}

TOverlayPresenter::~TOverlayPresenter() = default;

std::shared_ptr<TOverlayPresenter> TOverlayPresenter::Create() {
    RegisterLayerClass();
    std::shared_ptr<TOverlayPresenter> presenter(new TOverlayPresenter());
    if (!presenter->window_) return nullptr;
    presenter->guiThread_ = GetCurrentThreadId();
    presenter->taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    presenter->messageWindow_ = presenter->window_.Handle();
    presenter->self_ = presenter;
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
        Close();
    } else {
        Post(WM_CLOSE);
    }
}

// The teardown on the GUI thread, in order: presenting stops, the timer and the layers go,
// then the message window (unbound before it is destroyed, so that none of its messages
// reaches the presenter again), and last the window's hold on the presenter, which may end it.
// A caller inside one of the presenter's messages keeps it until that message is done.
void TOverlayPresenter::Close() noexcept {
    if (!self_) return;
    closing_ = true;
    // The mixer goes while its picture may be on the desktop (a change of clip): the picture
    // stays there until the next mixer shows its own, or until it has no reason to stay.
    ReleaseWindows(true);
    SetInGraph(false);
    messageWindow_ = nullptr;
    window_.Destroy();
    std::shared_ptr<TOverlayPresenter> hold = std::move(self_);
}

void TOverlayPresenter::ReleaseWindows(bool keepPicture) noexcept {
    if (timerRunning_) KillTimer(window_.Handle(), kTrackTimer);
    timerRunning_ = false;
    DestroyLayer(windowLayer_);
    if (!keepPicture || !HoldDesktopPicture()) DestroyLayer(desktopLayer_);
    if (desktopLayerOwner_ && IsWindow(desktopLayerOwner_)) DestroyWindow(desktopLayerOwner_);
    desktopLayerOwner_ = nullptr;
}

// ---- Any thread ---------------------------------------------------------------------------

bool TOverlayPresenter::Post(UINT message) {
    HWND window = messageWindow_;
    return window && PostMessageA(window, message, 0, 0);
}

void TOverlayPresenter::PostToGui(UINT message) { Post(message); }


// Settings, destination and state changes: one message on its way is enough.
void TOverlayPresenter::RequestStateUpdate() {
    {
        std::lock_guard lock(mutex_);
        if (statePosted_) return;
        statePosted_ = true;
    }
    if (!Post(kStateMessage)) {
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

void TOverlayPresenter::SetInGraph(bool inGraph) {
    if (inGraph_.exchange(inGraph) == inGraph) return;
    if (inGraph) {
        TDesktopPictureHold::MixerJoinedGraph();
    } else {
        TDesktopPictureHold::MixerLeftGraph();
    }
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
    if (const vl::TScreenDC screen; screen) bits = GetDeviceCaps(screen.Get(), BITSPIXEL);
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
    if (post && !Post(kFrameMessage)) {
        std::lock_guard lock(mutex_);
        posted_ = false;
    }
}

// ---- GUI thread ----------------------------------------------------------------------------

bool TOverlayPresenter::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // A callback to the program may release the mixer and with it this window: the presenter
    // stays alive until its message is handled. (No hold yet: the window's creation messages.)
    std::shared_ptr<TOverlayPresenter> hold = self_;
    if (!hold) return false;
    return HandleMessage(message, wParam, lParam, result);
}

bool TOverlayPresenter::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    result = 0;
    switch (message) {
    case kFrameMessage:
        OnFrame();
        return true;
    case kStateMessage:
        OnState();
        return true;
    case kNotifyMessage:
        OnNotify();
        return true;
    case WM_TIMER:
        if (wParam == kTrackTimer) Evaluate(false);
        return true;
    case WM_CLOSE:
        // Shutdown from another thread.
        Close();
        return true;
    case WM_DISPLAYCHANGE:
        // The shell may lay its desktop windows out anew.
        desktopHostKnown_ = false;
        Evaluate(false);
        return true;
    case WM_DESTROY:
        // Only when the window goes without Close (its thread ends): the layers go with it;
        // the presenter waits for Shutdown.
        closing_ = true;
        ReleaseWindows(false);
        return true;
    case WM_NCDESTROY:
        messageWindow_ = nullptr;
        return false;
    default:
        if (message == taskbarCreated_ && taskbarCreated_) {
            // The shell (re)started: its desktop windows are new.
            desktopHostKnown_ = false;
            Evaluate(false);
            return true;
        }
        return false;
    }
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
        // The desktop's picture stays for the moment of a change of clip (the hold decides).
        HoldDesktopPicture();
        haveFrame_ = false;
        if (timerRunning_) KillTimer(window_.Handle(), kTrackTimer);
        timerRunning_ = false;
    } else if (!timerRunning_) {
        desktopHostKnown_ = false;
        timerRunning_ = SetTimer(window_.Handle(), kTrackTimer, kTrackPeriodMs, nullptr) != 0;
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

}  // namespace vorlinde::platform
