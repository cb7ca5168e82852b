#include "tray/SimpleTimer.h"

#include <map>

namespace vorlinde {

namespace {

const char kTimerHandlerClass[] = "TSimpleTimerHandler";

// The shared window and the timers that use it. Identities only grow, so a timer message that
// was queued for a timer destroyed since finds nothing.
struct HandlerState {
    HWND window = nullptr;
    std::map<UINT_PTR, TSimpleTimer*> timers;
    int running = 0;
    UINT_PTR lastId = 0;

    HandlerState() = default;
    HandlerState(const HandlerState&) = delete;
    HandlerState& operator=(const HandlerState&) = delete;
    // At program end, a window that outlived its timers goes with the process's statics.
    ~HandlerState() {
        if (window && IsWindow(window)) DestroyWindow(window);
    }
};

HandlerState& State() {
    static HandlerState state;
    return state;
}

HWND CreateHandlerWindow(WNDPROC proc) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExA(instance, kTimerHandlerClass, &wc)) {
        wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = proc;
        wc.hInstance = instance;
        wc.lpszClassName = kTimerHandlerClass;
        if (!RegisterClassExA(&wc)) return nullptr;
    }
    // Message-only: it only ever receives timer messages.
    return CreateWindowExA(0, kTimerHandlerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
}

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

HWND TSimpleTimerHandler::Window() { return State().window; }

int TSimpleTimerHandler::UserCount() { return static_cast<int>(State().timers.size()); }

int TSimpleTimerHandler::RunningCount() { return State().running; }

UINT_PTR TSimpleTimerHandler::Register(TSimpleTimer* timer) {
    HandlerState& s = State();
    if (!s.window) s.window = CreateHandlerWindow(WindowProc);
    const UINT_PTR id = ++s.lastId;
    s.timers[id] = timer;
    return id;
}

void TSimpleTimerHandler::Unregister(UINT_PTR id) {
    HandlerState& s = State();
    s.timers.erase(id);
    if (!s.timers.empty()) return;
    if (s.window) DestroyWindow(s.window);
    s.window = nullptr;
    s.running = 0;
}

void TSimpleTimerHandler::TimerStarted() { ++State().running; }

void TSimpleTimerHandler::TimerStopped() {
    HandlerState& s = State();
    if (s.running > 0) --s.running;
}

LRESULT CALLBACK TSimpleTimerHandler::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_TIMER) return DefWindowProcA(hwnd, msg, wParam, lParam);
    HandlerState& s = State();
    auto it = s.timers.find(static_cast<UINT_PTR>(wParam));
    if (it == s.timers.end()) return 0;
    const UINT_PTR id = it->first;
    try {
        it->second->Tick();
    } catch (...) {
        // The handler may have destroyed the timer before it threw.
        auto still = s.timers.find(id);
        vl::HandleCallbackException(still != s.timers.end() ? still->second : nullptr);
    }
    return 0;
}

}  // namespace vorlinde
