#pragma once
// Helpers of the video window suites: a shown host form holding a video window joined to an
// active controller, with the software Overlay Mixer registered for the test; a snapshot of
// every pin connection of a graph; the desktop settings saved and put back around a test.
#include <windows.h>

#include <dshow.h>

#include <memory>
#include <set>
#include <string>
#include <utility>

#include "GraphTestSupport.h"
#include "MediaTestSupport.h"
#include "framework/Form.h"
#include "media/FilterGraph.h"
#include "media/VideoWindow.h"
#include "platform/OverlayMixer.h"

namespace videotest {

// "<filter name>.<pin name> -> <filter name>.<pin name>" for every connected output pin.
using TConnections = graphtest::TConnections;
TConnections Connections(vorlinde::TFilterGraph& graph);
// The names of the graph's filters.
std::set<std::wstring> FilterNames(vorlinde::TFilterGraph& graph);
bool InGraph(vorlinde::TFilterGraph& graph, IBaseFilter* filter);
// The colour of a screen pixel.
COLORREF ScreenPixel(int x, int y);

// A host form at (100, 100) whose client area the video window fills (207 x 135, as in the
// main window), the window joined to an active controller. Everything is released in order.
class TVideoHost {
public:
    explicit TVideoHost(vorlinde::TDSVideoWindowEx2* window = nullptr, bool activate = true);
    ~TVideoHost();
    TVideoHost(const TVideoHost&) = delete;
    TVideoHost& operator=(const TVideoHost&) = delete;

    // Destroys the window now (the controller stays).
    void DestroyWindow();

    vl::TForm& Form() { return *form_; }
    vorlinde::TDSVideoWindowEx2& Window() { return *window_; }
    vorlinde::TFilterGraph& Graph() { return graph_; }

private:
    vorlinde::platform::TOverlayMixerRegistration mixer_;
    vorlinde::TFilterGraph graph_{nullptr};
    std::unique_ptr<vl::TForm> form_;
    vorlinde::TDSVideoWindowEx2* window_ = nullptr;
};

// The current user's wallpaper value (present or not) and desktop colour, put back at the end.
class TDesktopSettingsGuard {
public:
    TDesktopSettingsGuard();
    ~TDesktopSettingsGuard();
    TDesktopSettingsGuard(const TDesktopSettingsGuard&) = delete;
    TDesktopSettingsGuard& operator=(const TDesktopSettingsGuard&) = delete;

private:
    bool hadValue_ = false;
    std::string value_;
    COLORREF color_ = 0;
};

// Reads the "WallPaper" value; false when it is missing.
bool ReadWallpaperValue(std::string& value);
void WriteWallpaperValue(const std::string& value);
void DeleteWallpaperValue();

}  // namespace videotest
