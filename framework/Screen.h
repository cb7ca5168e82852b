#pragma once
// The screen and its monitors.
#include <windows.h>

#include <vector>

namespace vl {

struct TMonitor {
    HMONITOR handle = nullptr;
    RECT bounds{};
    RECT workArea{};
    bool primary = false;
    int index = 0;
    int Left() const { return bounds.left; }
    int Top() const { return bounds.top; }
    int Width() const { return bounds.right - bounds.left; }
    int Height() const { return bounds.bottom - bounds.top; }
};

class TScreen {
public:
    TScreen(const TScreen&) = delete;
    TScreen& operator=(const TScreen&) = delete;

    // The primary monitor's size.
    int Width() const;
    int Height() const;
    // The whole virtual desktop (all monitors).
    RECT DesktopRect() const;
    // The primary monitor's area not covered by task bars.
    RECT WorkAreaRect() const;

    // The monitors, enumerated afresh on each call (monitors come and go).
    int MonitorCount() const;
    TMonitor Monitors(int index) const;
    std::vector<TMonitor> MonitorList() const;
    TMonitor PrimaryMonitor() const;
    // The monitor nearest to the window or point.
    TMonitor MonitorFromWindow(HWND hwnd) const;
    TMonitor MonitorFromPoint(POINT p) const;
    TMonitor MonitorFromRect(const RECT& r) const;

private:
    friend TScreen& Screen();
    TScreen() = default;
    TMonitor FindMonitor(HMONITOR handle) const;
};

// The one screen object.
TScreen& Screen();

}  // namespace vl
