#include "framework/ExtCtrls.h"

#include "framework/Exceptions.h"

namespace vl {

namespace {
const char kTimerWindowClass[] = "TTimerWindow";
constexpr UINT_PTR kTimerId = 1;

void RegisterTimerWindowClass(WNDPROC proc) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExA(instance, kTimerWindowClass, &wc)) return;
    wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = kTimerWindowClass;
    if (!RegisterClassExA(&wc)) RaiseLastOSError("Cannot register the timer window class");
}
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
        KillTimer(window_, kTimerId);
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
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
    if (window_) KillTimer(window_, kTimerId);
    running_ = false;
    if (!enabled_ || interval_ == 0 || !OnTimer || Loading() || Destroying()) return;
    if (!window_) {
        RegisterTimerWindowClass(WindowProc);
        window_ = CreateWindowExA(0, kTimerWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        if (!window_) RaiseLastOSError("Cannot create the timer window");
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    if (!SetTimer(window_, kTimerId, interval_, nullptr)) RaiseLastOSError("Cannot start a timer");
    running_ = true;
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}

LRESULT CALLBACK TTimer::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == kTimerId) {
        auto* self = reinterpret_cast<TTimer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self) {
            try {
                self->Timer();
            } catch (...) {
                HandleCallbackException(self);
            }
        }
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace vl
