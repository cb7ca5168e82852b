#include "tray/SimpleTimer.h"

#include "framework/SharedWindow.h"

namespace vorlinde {

namespace {

// Timers whose system timer is set.
int running = 0;

}  // namespace

// ============================================================================ TSimpleTimer

TSimpleTimer::TSimpleTimer() : id_(TSimpleTimerHandler::Register(this)) {}

TSimpleTimer::TSimpleTimer(unsigned interval, vl::TNotifyEvent onTimer)
    : id_(TSimpleTimerHandler::Register(this)), interval_(interval), onTimer_(std::move(onTimer)) {}

TSimpleTimer::~TSimpleTimer() {
    if (enabled_) Stop(true);
    TSimpleTimerHandler::Unregister(id_);
}

bool TSimpleTimer::Start() {
    if (interval_ == 0) return false;
    if (enabled_) Stop(true);
    HWND window = TSimpleTimerHandler::Window();
    // Without the shared window SetTimer would make a thread timer under another identity.
    if (!window || !SetTimer(window, id_, interval_, nullptr)) return false;
    enabled_ = true;
    systemTimerSet_ = true;
    TSimpleTimerHandler::TimerStarted();
    return true;
}

bool TSimpleTimer::Stop(bool disable) {
    if (disable) enabled_ = false;
    HWND window = TSimpleTimerHandler::Window();
    const bool killed = window && KillTimer(window, id_);
    systemTimerSet_ = false;
    if (killed) TSimpleTimerHandler::TimerStopped();
    return killed;
}

void TSimpleTimer::SetEnabled(bool enabled) {
    if (enabled)
        Start();
    else
        Stop(true);
}

void TSimpleTimer::SetInterval(unsigned ms) {
    if (ms == interval_) return;
    interval_ = ms;
    if (!enabled_) return;
    if (ms != 0)
        Start();
    else
        Stop(false);
}

void TSimpleTimer::SetOnTimer(vl::TNotifyEvent handler) {
    onTimer_ = std::move(handler);
    if (!onTimer_ && enabled_) Stop(false);
}

void TSimpleTimer::Tick() {
    // A tick that was already queued when the system timer was killed is dropped.
    if (!systemTimerSet_) return;
    if (oneShot_) Stop(true);
    // The handler may destroy this timer: it runs from a copy.
    vl::TNotifyEvent handler = onTimer_;
    if (handler) handler(this);
}

// ===================================================================== TSimpleTimerHandler

// The shared window only ever receives timer messages: message-only.
vl::TSharedWindow<UINT_PTR, TSimpleTimer>& TSimpleTimerHandler::Shared() {
    static vl::TSharedWindow<UINT_PTR, TSimpleTimer> timers("TSimpleTimerHandler", vl::THiddenWindowParams{},
                                                            HandleMessage);
    return timers;
}

HWND TSimpleTimerHandler::Window() { return Shared().Window(); }

int TSimpleTimerHandler::UserCount() { return Shared().Count(); }

int TSimpleTimerHandler::RunningCount() { return running; }

UINT_PTR TSimpleTimerHandler::Register(TSimpleTimer* timer) { return Shared().Register(timer); }

void TSimpleTimerHandler::Unregister(UINT_PTR id) {
    if (Shared().Unregister(id)) running = 0;
}

void TSimpleTimerHandler::TimerStarted() { ++running; }

void TSimpleTimerHandler::TimerStopped() {
    if (running > 0) --running;
}

bool TSimpleTimerHandler::HandleMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_TIMER) return false;
    Shared().Deliver(static_cast<UINT_PTR>(wParam), [](TSimpleTimer& timer) { timer.Tick(); });
    result = 0;
    return true;
}

}  // namespace vorlinde
