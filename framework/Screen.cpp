#include "framework/Screen.h"

#include "framework/Exceptions.h"

namespace vl {

namespace {
BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) noexcept {
    auto* list = reinterpret_cast<std::vector<TMonitor>*>(data);
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    if (!GetMonitorInfoA(monitor, &mi)) return TRUE;
    TMonitor m;
    m.handle = monitor;
    m.bounds = mi.rcMonitor;
    m.workArea = mi.rcWork;
    m.primary = (mi.dwFlags & MONITORINFOF_PRIMARY) != 0;
    m.index = static_cast<int>(list->size());
    try {
        list->push_back(m);
    } catch (...) {
        return FALSE;  // out of memory: stop enumerating
    }
    return TRUE;
}
}  // namespace

TScreen& Screen() {
    static TScreen screen;
    return screen;
}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

RECT TScreen::DesktopRect() const {
    int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

RECT TScreen::WorkAreaRect() const {
    RECT r{0, 0, Width(), Height()};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

std::vector<TMonitor> TScreen::MonitorList() const {
    std::vector<TMonitor> list;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&list));
    return list;
}

int TScreen::MonitorCount() const { return static_cast<int>(MonitorList().size()); }

TMonitor TScreen::Monitors(int index) const {
    std::vector<TMonitor> list = MonitorList();
    if (index < 0 || index >= static_cast<int>(list.size()))
        throw EListError("Monitor index out of bounds (" + std::to_string(index) + ")");
    return list[static_cast<size_t>(index)];
}

TMonitor TScreen::FindMonitor(HMONITOR handle) const {
    for (const TMonitor& m : MonitorList())
        if (m.handle == handle) return m;
    // Not in the list (a monitor just added): describe it on its own.
    TMonitor m;
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    if (handle && GetMonitorInfoA(handle, &mi)) {
        m.handle = handle;
        m.bounds = mi.rcMonitor;
        m.workArea = mi.rcWork;
        m.primary = (mi.dwFlags & MONITORINFOF_PRIMARY) != 0;
        m.index = -1;
    }
    return m;
}

TMonitor TScreen::PrimaryMonitor() const {
    for (const TMonitor& m : MonitorList())
        if (m.primary) return m;
    return FindMonitor(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

TMonitor TScreen::MonitorFromWindow(HWND hwnd) const {
    return FindMonitor(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST));
}

TMonitor TScreen::MonitorFromPoint(POINT p) const {
    return FindMonitor(::MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST));
}

TMonitor TScreen::MonitorFromRect(const RECT& r) const {
    return FindMonitor(::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST));
}

}  // namespace vl
