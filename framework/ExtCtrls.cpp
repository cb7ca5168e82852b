#include "framework/ExtCtrls.h"

#include "framework/Exceptions.h"

namespace vl {

namespace {
// The class of the hidden windows that receive the timers' messages.
const char kTimerWindowClass[] = "TTimerWindow";
constexpr UINT_PTR kTimerId = 1;
}  // namespace

const TClassInfo& TTimer::StaticClass() {
    static const TClassInfo info = [] {
        TClassInfo i = TClassBuilder<TTimer>("TTimer", &TComponent::StaticClass())
                           .Creatable()
                           .Prop("Enabled", &TTimer::SetEnabled, &TTimer::Enabled)
                           .Prop("Interval", &TTimer::SetInterval, &TTimer::Interval)
                           .Event("OnTimer", &TTimer::OnTimer)
                           .Build();
        // Binding the handler may start the timer.
        TPropInfo& onTimer = i.props.back();
        auto bind = onTimer.set;
        onTimer.set = [bind](TPersistent& o, const TPropValue& v) {
            bind(o, v);
            static_cast<TTimer&>(o).UpdateTimer();
        };
        return i;
    }();
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
    // Stop first, then the window: no WM_TIMER can reach a half-destroyed timer.
    if (window_) {
        KillTimer(window_->Handle(), kTimerId);
        window_.reset();
    }
}

void TTimer::SetEnabled(bool v) {
    enabled_ = v;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned ms) {
    if (ms == interval_) return;
    interval_ = ms;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    OnTimer = std::move(handler);
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (window_) KillTimer(window_->Handle(), kTimerId);
    running_ = false;
    if (!enabled_ || interval_ == 0 || !OnTimer || Loading() || Destroying()) return;
    if (!window_) {
        auto window = std::make_unique<THiddenWindow>(
            kTimerWindowClass, THiddenWindowParams{},
            [this](UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
                if (msg != WM_TIMER || wParam != kTimerId) return false;
                result = 0;
                Timer();  // may free this timer: nothing of it is touched after
                return true;
            },
            CentralBoundary, static_cast<TObject*>(this));
        if (!*window) RaiseLastOSError("Cannot create the timer window");
        window_ = std::move(window);
    }
    if (!SetTimer(window_->Handle(), kTimerId, interval_, nullptr)) RaiseLastOSError("Cannot start a timer");
    running_ = true;
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}

}  // namespace vl
