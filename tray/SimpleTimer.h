#pragma once
// A timer that needs no window of its own: one hidden window, shared by every simple timer,
// receives the system's timer messages and raises the event of the timer whose identity the
// message carries. The tray icon uses three of them.
#include <windows.h>

#include "framework/ClassInfo.h"
#include "framework/Control.h"

namespace vl {
template <class TId, class T>
class TSharedWindow;
}

namespace vorlinde {

class TSimpleTimer : public vl::TObject {
public:
    // A stopped timer of 1000 ms without a handler.
    TSimpleTimer();
    // A stopped timer with the given period and handler.
    explicit TSimpleTimer(unsigned interval, vl::TNotifyEvent onTimer = {});
    // Stops the timer if it runs and leaves the shared window (the last timer destroys it).
    ~TSimpleTimer() override;

    // The timer's identity, also its system timer identifier; never reused within a process.
    UINT_PTR Id() const { return id_; }

    bool Enabled() const { return enabled_; }
    // True starts the timer, false stops it.
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    // Restarts a running timer with the new period; 0 kills the system timer while Enabled
    // stays true.
    void SetInterval(unsigned ms);
    // When on, the timer stops itself before raising its event.
    bool OneShot() const { return oneShot_; }
    void SetOneShot(bool oneShot) { oneShot_ = oneShot; }
    const vl::TNotifyEvent& OnTimer() const { return onTimer_; }
    // An empty handler kills the system timer of an enabled timer (Enabled stays true).
    void SetOnTimer(vl::TNotifyEvent handler);

    // Starts (or restarts) the system timer; false when Interval is 0 or the system refused.
    bool Start();
    // Kills the system timer; `disable` also turns Enabled off. Returns the system's answer.
    bool Stop(bool disable);

private:
    friend class TSimpleTimerHandler;
    // A timer message for this timer arrived.
    void Tick();

    UINT_PTR id_;
    bool enabled_ = false;
    bool systemTimerSet_ = false;
    unsigned interval_ = 1000;
    bool oneShot_ = false;
    vl::TNotifyEvent onTimer_;
};

// The hidden window behind every simple timer. It exists while at least one timer does.
class TSimpleTimerHandler {
public:
    // The shared window; null while no timer exists.
    static HWND Window();
    // Number of timers registered with the window.
    static int UserCount();
    // Number of system timers running on the window.
    static int RunningCount();

private:
    friend class TSimpleTimer;
    // Joins `timer` to the window (creating it for the first timer); returns its identity.
    static UINT_PTR Register(TSimpleTimer* timer);
    // Leaves the window; the last timer to leave destroys it.
    static void Unregister(UINT_PTR id);
    static void TimerStarted();
    static void TimerStopped();
    // The window's messages: each timer message goes to the timer whose identity it carries.
    static bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    static vl::TSharedWindow<UINT_PTR, TSimpleTimer>& Shared();
};

}  // namespace vorlinde
