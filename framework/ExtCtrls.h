#pragma once
// A timer component: raises OnTimer every Interval milliseconds while Enabled, through a hidden
// message-only window of its own.
#include <windows.h>

#include <functional>
#include <memory>

#include "framework/ClassBuilder.h"
#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/HiddenWindow.h"

namespace vl {

class TTimer : public TComponent {
    VL_DECLARE_CLASS()
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    // Milliseconds; setting it restarts the count. 0 stops the timer.
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms);
    void SetOnTimer(TNotifyEvent handler);
    // True while a system timer is running (enabled, interval above 0, a handler, not loading).
    bool Running() const { return running_; }

    // The handler; assign through SetOnTimer (or reassign Enabled) to start a stopped timer.
    TNotifyEvent OnTimer;

protected:
    void Loaded() override;
    // Raises OnTimer; called on each WM_TIMER.
    virtual void Timer();

private:
    void UpdateTimer();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    bool running_ = false;
    std::unique_ptr<THiddenWindow> window_;  // made when the timer first runs
};

}  // namespace vl
