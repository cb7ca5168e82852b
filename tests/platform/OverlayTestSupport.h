#pragma once
// Helpers of the Overlay Mixer suites: sample clips, message pumping, a recording overlay
// callback, a graph that plays a clip through the mixer the way the video window wires it,
// windows that stand for the program's video pane, and screen captures.
#include <windows.h>

#include <dshow.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ComPtr.h"
#include "platform/MixerPinConfig.h"

namespace vorlinde::platform::test {

// VORLINDE_SAMPLES_DIR is a build-machine path; Wine reaches it through drive Z:.
std::string SamplePath(const std::string& name);
bool SamplesAvailable();

// Processes messages for about the given time.
void PumpMessages(DWORD milliseconds);
// Processes messages until done() or the timeout; the final value of done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMilliseconds);

// The reference count of an object (one AddRef and one Release).
ULONG RefCount(IUnknown* object);

TComPtr<IBaseFilter> CreateMixer();
TComPtr<IPin> FindPin(IBaseFilter* filter, const wchar_t* name);
// The index-th pin the filter enumerates.
TComPtr<IPin> PinAt(IBaseFilter* filter, int index);
std::vector<TComPtr<IPin>> AllPins(IBaseFilter* filter);
// IMixerPinConfig2 of the first pin the filter enumerates, as the video window takes it.
TComPtr<IMixerPinConfig2> FirstPinConfig(IBaseFilter* filter);

// An IDDrawExclModeVideoCallback that records what it is told.
class TRecordingCallback final : public IDDrawExclModeVideoCallback {
public:
    struct TSize {
        DWORD width, height, aspectX, aspectY;
    };

    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override;
    ULONG WINAPI AddRef() override;
    ULONG WINAPI Release() override;
    HRESULT WINAPI OnUpdateOverlay(BOOL before, DWORD flags, BOOL oldVisible, const RECT* oldSource,
                                   const RECT* oldDestination, BOOL newVisible, const RECT* newSource,
                                   const RECT* newDestination) override;
    HRESULT WINAPI OnUpdateColorKey(const COLORKEY* key, DWORD color) override;
    HRESULT WINAPI OnUpdateSize(DWORD width, DWORD height, DWORD aspectX, DWORD aspectY) override;

    LONG references = 1;
    std::vector<COLORKEY> keys;
    std::vector<DWORD> colors;
    std::vector<TSize> sizes;
    int overlayUpdates = 0;
    DWORD threadOfLastCall = 0;
};

// Plays one clip: a graph with a Video Renderer added before RenderFile (as the video window
// contributes it), then, on request, rewired through the Overlay Mixer as the video window
// rewires it. Everything is stopped and released when the object goes.
class TPlayback {
public:
    explicit TPlayback(const std::string& clip);
    ~TPlayback();
    TPlayback(const TPlayback&) = delete;
    TPlayback& operator=(const TPlayback&) = delete;

    HRESULT RenderResult() const { return renderResult_; }
    // Disconnects the renderer input from its upstream pin, Connects that pin to the first free
    // mixer input, Connects the mixer's "Output" to the renderer input, registers callback.
    HRESULT InsertMixer(IDDrawExclModeVideoCallback* callback = nullptr);
    // The renderer window as the video window places it: child of owner at rect, its own
    // auto-show on or off.
    void PlaceRenderer(HWND owner, const RECT& rect, bool autoShow);
    HRESULT Run();
    HRESULT Pause();
    HRESULT Stop();
    // Processes messages until EC_COMPLETE arrives; false on timeout or an error event.
    bool WaitForCompletion(DWORD timeoutMilliseconds);

    IGraphBuilder* Graph() const { return graph_.Get(); }
    IBaseFilter* Renderer() const { return renderer_.Get(); }
    IBaseFilter* Mixer() const { return mixer_.Get(); }
    IVideoWindow* VideoWindow() const { return videoWindow_.Get(); }

private:
    TComPtr<IGraphBuilder> graph_;
    TComPtr<IBaseFilter> renderer_;
    TComPtr<IVideoWindow> videoWindow_;
    TComPtr<IMediaControl> control_;
    TComPtr<IMediaEvent> events_;
    TComPtr<IBaseFilter> mixer_;
    HRESULT renderResult_ = E_FAIL;
};

// A top-level window with the program's video pane in it: a child "pane" that paints itself
// black and the colour key over the letter-boxed video rectangle (as the video window paints
// the key), above where the renderer window goes.
class TVideoPaneWindow {
public:
    TVideoPaneWindow(const RECT& frame, const RECT& pane, const RECT& keyRect, COLORREF key);
    ~TVideoPaneWindow();
    TVideoPaneWindow(const TVideoPaneWindow&) = delete;
    TVideoPaneWindow& operator=(const TVideoPaneWindow&) = delete;

    HWND Frame() const { return frame_; }
    HWND Pane() const { return pane_; }
    // Puts the renderer window directly below the pane, as the video window does.
    void PlaceBelowPane(HWND renderer);

private:
    static LRESULT CALLBACK PaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND frame_ = nullptr;
    HWND pane_ = nullptr;
    RECT keyRect_;
    COLORREF key_;
};

// The video window's desktop form: a hidden popup the size of the screen that holds the renderer
// window during desktop playback.
class TDesktopForm {
public:
    TDesktopForm();
    ~TDesktopForm();
    TDesktopForm(const TDesktopForm&) = delete;
    TDesktopForm& operator=(const TDesktopForm&) = delete;
    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

// A left click at (x, y), screen coordinates, through the system's input.
void ClickAt(int x, int y);
// A real X pointer click through xdotool, run from Wine as a Unix program; false where that
// cannot be done (not under Wine, or xdotool missing).
bool XClickAt(int x, int y);

// A plain top-level window of one colour that counts its left clicks.
class TClickWindow {
public:
    TClickWindow(const RECT& rect, COLORREF color);
    ~TClickWindow();
    TClickWindow(const TClickWindow&) = delete;
    TClickWindow& operator=(const TClickWindow&) = delete;
    HWND Handle() const { return window_; }
    int Clicks() const { return clicks_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    HBRUSH brush_ = nullptr;
    int clicks_ = 0;
};

// A copy of part of the screen (GetDC(NULL) gives the real screen under Wine).
class TScreenShot {
public:
    explicit TScreenShot(const RECT& area);
    // What a window of this process draws in its client area (WM_PRINTCLIENT), in the screen
    // coordinates of its place: what it shows on a screen where nothing covers it.
    static TScreenShot OfWindow(HWND window);
    COLORREF Pixel(int x, int y) const;  // screen coordinates
    // Mean of each channel over rect (screen coordinates), as 0x00BBGGRR.
    COLORREF Mean(const RECT& rect) const;
    // Mean luminance (0..255) over rect.
    double Luminance(const RECT& rect) const;
    // Number of pixels of rect that differ from the other shot by more than tolerance in a channel.
    int CountDifferent(const TScreenShot& other, const RECT& rect, int tolerance) const;
    // Writes the shot as a .bmp (for looking at a failure).
    void Save(const std::string& path) const;

private:
    TScreenShot() = default;
    RECT area_{};
    std::vector<uint32_t> pixels_;  // top-down, 0x00RRGGBB
};

// Sets the desktop background colour in this process for the object's life.
class TDesktopColour {
public:
    explicit TDesktopColour(COLORREF colour);
    ~TDesktopColour();
    TDesktopColour(const TDesktopColour&) = delete;
    TDesktopColour& operator=(const TDesktopColour&) = delete;

private:
    COLORREF old_;
};

bool SameColour(COLORREF a, COLORREF b, int tolerance);

}  // namespace vorlinde::platform::test
