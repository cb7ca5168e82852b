#pragma once
// TOverlayPresenter shows the mixer's video the way a hardware overlay would look, on two
// layers that are windows of the thread that created the mixer (the program's GUI thread):
//
// - the window layer: an owned, click-through popup over the destination's video rectangle
//   (the downstream Video Renderer's window, placed by the aspect ratio mode), above the
//   destination's siblings, while the destination is visible;
// - the desktop layer: while the desktop background colour equals the colour key, the video
//   across the destination rectangle wherever the desktop is uncovered. Where the shell has a
//   background window behind its icons, the layer is a child window there (DesktopHost.h);
//   otherwise it is a top-most, click-through popup whose window region leaves out every
//   window covering the desktop and the desktop's icons (holes rather than a colour key: a
//   colour-keyed window has each of its pixels compared with the key at every frame). The
//   layer follows the shell when it restarts ("TaskbarCreated") or its windows change, and a
//   child layer never stays behind in the shell's windows once it is not shown.
//
// Threads: the streaming thread prepares each frame (one copy out of the sample, plus the
// software colour controls) and hands it over in a three-slot exchange that keeps only the
// latest frame; it then posts one message to the GUI thread, never more than one at a time.
// Everything that touches windows, and every callback to the program, runs on the GUI thread.
//
// Lifetime: the presenter's message window holds it (a shared reference) from Create until
// Shutdown, so that a callback that releases the mixer inside one of the presenter's messages
// does not end the presenter under that message.
#include <windows.h>

#include <dshow.h>  // IVideoWindow

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/ColorAdjust.h"
#include "platform/ComPtr.h"
#include "platform/DesktopHost.h"
#include "framework/GdiOwners.h"
#include "framework/HiddenWindow.h"
#include "platform/MixerPinConfig.h"
#include "platform/OverlayGeometry.h"
#include "platform/VideoFormat.h"

namespace vorlinde::platform {

struct TOverlaySettings {
    COLORKEY key{CK_INDEX | CK_RGB, 0, RGB(16, 0, 16), RGB(16, 0, 16)};
    AM_ASPECT_RATIO_MODE mode = AM_ARMODE_LETTER_BOX;
    RECT relative{0, 0, 10000, 10000};  // part of the destination, in ten-thousandths
};

struct TNativeVideo {
    DWORD width = 0;
    DWORD height = 0;
    DWORD aspectX = 0;
    DWORD aspectY = 0;
    bool operator==(const TNativeVideo&) const = default;
};

// The window class of the layer windows; the desktop layer leaves windows of this class out
// of the windows that cover the desktop.
inline constexpr char kOverlayLayerClass[] = "VorlindeOverlaySurface";

class TOverlayPresenter {
public:
    // Creates the presenter and its message window on the calling thread; null when the
    // window cannot be made. The thread must run a message loop for the layers to show.
    static std::shared_ptr<TOverlayPresenter> Create();
    ~TOverlayPresenter();
    TOverlayPresenter(const TOverlayPresenter&) = delete;
    TOverlayPresenter& operator=(const TOverlayPresenter&) = delete;

    // The mixer is going away: releases the destination and the callback at once and
    // destroys the windows (on their thread; from another thread through a posted close),
    // then gives up the message window's hold on the presenter.
    void Shutdown() noexcept;

    // Any thread.
    void SetSettings(const TOverlaySettings& settings);
    void SetColorSettings(const TColorSettings& settings);
    void SetDestination(TComPtr<IVideoWindow> destination);
    void SetActive(bool active);  // false (stopped) hides the layers and forgets the frame
    // The mixer joined (true) or left a filter graph: a held desktop picture waits for mixers
    // in a graph (DesktopPictureHold.h).
    void SetInGraph(bool inGraph);
    void SetNativeVideo(const TNativeVideo& video);
    void SetCallback(TComPtr<IDDrawExclModeVideoCallback> callback);
    // Has the callback told the colour key and the video size (on the GUI thread, later).
    void NotifyKeyAndSize();
    void NotifyKey();

    // Streaming thread: copy the sample's picture into the free slot (false when nothing will
    // show it or the sample is short), then hand it to the GUI thread.
    bool PrepareFrame(IMediaSample* sample, const TVideoFormat& format);
    void PublishFrame();

    // The key's colour in the screen's pixel format (for GetColorKey and OnUpdateColorKey).
    static DWORD PhysicalColor(COLORREF color) noexcept;

    // How often a desktop layer of this process has painted (WM_PAINT), for tests and benches
    // that check that nothing is drawn where no one can see it.
    static unsigned DesktopLayerPaints() noexcept;

private:
    struct TFrame {
        std::vector<uint8_t> raw;  // the sample's buffer
        TVideoFormat format;
        std::vector<uint32_t> adjusted;  // the picture with the colour controls applied
        unsigned colorVersion = 0;       // settings version 'adjusted' was made for
        bool adjustedValid = false;      // false: the settings are neutral, show 'raw'
    };
    struct TDestination {
        bool found = false;
        bool visible = false;
        HWND window = nullptr;  // the renderer's window, when it could be identified
        HWND root = nullptr;    // its top-level window
        RECT client{};          // its client area, screen coordinates
        RECT clip{};            // the part of client not clipped away by its ancestors
    };
    enum class TLayerKind { Window, DesktopTopMost, DesktopBackground, DesktopUnderIcons };
    struct TLayer {
        HWND window = nullptr;
        TLayerKind kind = TLayerKind::Window;
        HWND parent = nullptr;   // owner (popups) or parent (child)
        bool shown = false;
        RECT rect{};             // window rectangle: screen, or the parent's client coordinates
        TPlacement placement{};  // in window coordinates
        vl::TGdiRegion uncovered;       // top-most desktop layer: where the desktop shows, window coords
        COLORREF key = CLR_INVALID;
    };
    struct TSnapshot {
        bool active = false;
        TOverlaySettings settings;
        TComPtr<IVideoWindow> destination;
        TComPtr<IDDrawExclModeVideoCallback> callback;
        TNativeVideo video;
    };

    TOverlayPresenter();
    bool PrepareFrameInto(TFrame& frame, const BYTE* data, const TVideoFormat& format);
    static void RegisterLayerClass();
    static LRESULT CALLBACK LayerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Any thread: posts to the message window; false when it is gone or the post failed.
    bool Post(UINT message);
    void PostToGui(UINT message);
    void RequestStateUpdate();

    // GUI thread.
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The ordered teardown (see the .cpp); the presenter may be gone when it returns.
    void Close() noexcept;
    // The timer, the layers and their owner.
    // With `keepPicture`, a desktop layer showing a picture goes to the desktop picture hold.
    void ReleaseWindows(bool keepPicture) noexcept;
    TSnapshot Snapshot();
    void OnFrame();
    void OnState();
    void OnNotify();
    void Evaluate(bool newFrame);
    TDestination LocateDestination(IVideoWindow* video);
    HWND FindRendererWindow(HWND owner, const RECT& asScreen, const RECT& asClient);
    void UpdateWindowLayer(const TSnapshot& snapshot, const TDestination& destination, bool newFrame);
    void UpdateDesktopLayer(const TSnapshot& snapshot, const TDestination& destination, bool newFrame);
    void NotifyDestinationSize(const TSnapshot& snapshot, const TDestination& destination);
    const TDesktopHost& CurrentDesktopHost();
    void ShowDesktopChild(const TDesktopHost& host, const TPlacement& placement, const RECT& area, bool newFrame);
    void ShowDesktopTopMost(const COLORKEY& key, const TPlacement& placement, const RECT& area, bool newFrame);
    void HideDesktopLayer();
    // Hands the shown desktop layer, with a copy of its picture, to the desktop picture hold;
    // false when it shows nothing (then nothing changes).
    bool HoldDesktopPicture() noexcept;
    // Takes a held desktop layer window of this kind over as this presenter's desktop layer.
    void AdoptHeldLayer(TLayerKind kind, HWND parent);
    bool EnsureLayer(TLayer& layer, TLayerKind kind, HWND parent, COLORREF key);
    HWND DesktopLayerOwner();
    void ShowLayer(TLayer& layer, const RECT& rect, HWND insertAfter, bool repaintAll, bool newFrame);
    void HideLayer(TLayer& layer);
    void DestroyLayer(TLayer& layer);
    void ForgetLayer(TLayer& layer);
    void PaintLayer(HWND window);
    void PaintLayerInto(HWND window, HDC dc);
    void DrawFrame(HDC dc, const TPlacement& placement);

    DWORD guiThread_ = 0;
    std::atomic<HWND> messageWindow_{nullptr};  // window_'s handle, for posting from any thread
    HWND desktopLayerOwner_ = nullptr;  // hidden; keeps the top-most desktop layer off the taskbar
    UINT taskbarCreated_ = 0;           // the shell's broadcast after it (re)starts
    std::shared_ptr<TOverlayPresenter> self_;  // the message window's hold on the presenter

    // Shared between threads, guarded by mutex_.
    std::mutex mutex_;
    bool active_ = false;
    bool fresh_ = false;   // ready_ holds a frame the GUI thread has not taken
    bool posted_ = false;       // a frame message is on its way
    bool statePosted_ = false;  // a state message is on its way
    unsigned pendingNotify_ = 0;
    TOverlaySettings settings_;
    TColorSettings color_;
    unsigned colorVersion_ = 1;
    TComPtr<IVideoWindow> destination_;
    TComPtr<IDDrawExclModeVideoCallback> callback_;
    TNativeVideo video_;
    std::unique_ptr<TFrame> ready_;
    std::atomic<bool> accepting_{false};
    std::atomic<bool> inGraph_{false};  // active with a destination: frames are worth preparing

    // Streaming thread only.
    std::unique_ptr<TFrame> write_;
    TColorAdjuster streamAdjuster_;
    unsigned streamAdjusterVersion_ = 0;

    // GUI thread only.
    std::unique_ptr<TFrame> display_;
    bool haveFrame_ = false;
    TColorAdjuster guiAdjuster_;
    unsigned guiAdjusterVersion_ = 0;
    bool timerRunning_ = false;
    bool closing_ = false;  // the windows are going: nothing more is shown or told
    HWND rendererWindow_ = nullptr;
    TDesktopHost desktopHost_;
    bool desktopHostKnown_ = false;   // false: look for the host again at the next evaluation
    DWORD desktopHostFoundAt_ = 0;    // tick count of the last search
    vl::TGdiRegion desktopMarks_;
    bool childCovered_ = false;       // a child desktop layer skipped frames while covered     // the desktop's icons under the top-most layer, screen coordinates
    bool destinationSizeKnown_ = false;
    SIZE destinationSize_{};
    TLayer windowLayer_;
    TLayer desktopLayer_;
    bool windowLayerNotified_ = false;
    static std::atomic<unsigned> desktopLayerPaints_;
    RECT notifiedSource_{};
    RECT notifiedDestination_{};

    // Last, so that everything its handler touches exists before its first message.
    vl::THiddenWindow window_;
};

}  // namespace vorlinde::platform
