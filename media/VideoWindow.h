#pragma once
// TDSVideoWindowEx2: a windowed control that shows the video of a TFilterGraph through the
// Overlay Mixer. It takes part in its controller's graph as a graph member (it contributes a
// Video Renderer of its own) and as a graph listener; each time a file has been rendered it
// rewires the graph so that the video passes through the Overlay Mixer on its way to the
// renderer, and it paints the overlay's colour key over its video rectangle, where the mixer
// then shows the picture.
//
// The same window switches into desktop playback (StartDesktopPlayback): it moves into a
// hidden monitor-sized form, the desktop background colour becomes the colour key and the
// wallpaper is taken away, so the video shows wherever the desktop is visible. NormalPlayback
// puts everything back. (Desktop playback is implemented in DesktopPlayback.cpp.)
//
// COM: the window answers IGraphMember and IGraphListener itself and passes other interface
// queries to its own Video Renderer. Its lifetime belongs to its owner, not to COM references:
// AddRef and Release only count. It leaves its controller when it is destroyed.
#include <windows.h>

#include <dshow.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/Application.h"
#include "framework/ClassBuilder.h"
#include "framework/Control.h"
#include "framework/Screen.h"
#include "media/ColorControl.h"
#include "media/ComPtr.h"
#include "media/DesktopSettings.h"
#include "media/GraphInterfaces.h"

namespace vl {
class TForm;
}

namespace vorlinde {

class TFilterGraph;
class TOverlayCallback;
class TOverlayRewiring;

enum class TRatioModes { rmStretched, rmLetterBox, rmCrop };

using TOverlayVisibleEvent = std::function<void(vl::TObject* sender, bool visible)>;
using TCursorVisibleEvent = std::function<void(vl::TObject* sender, bool visible)>;

// The colour key a new window assumes until the Overlay Mixer reports one: RGB(16, 0, 16).
inline constexpr COLORREF kDefaultColorKey = 0x100010;

class TDSVideoWindowEx2 : public vl::TWinControl, public IGraphMember, public IGraphListener {
    VL_DECLARE_CLASS()
public:
    explicit TDSVideoWindowEx2(vl::TComponent* owner);
    ~TDSVideoWindowEx2() override;

    // --- published settings
    TRatioModes AspectRatio() const { return aspectRatio_; }
    // Passed to the Overlay Mixer; a mode the mixer refuses keeps the previous one.
    void SetAspectRatio(TRatioModes mode);
    int AutoHideCursor() const { return autoHideCursor_; }
    void SetAutoHideCursor(int ms) { autoHideCursor_ = ms; }
    int DigitalZoom() const { return digitalZoom_; }
    // Percentage 0..99 cut from the source picture; other values are refused.
    void SetDigitalZoom(int percent);
    TFilterGraph* FilterGraph() const { return filterGraph_; }
    // Leaves the old controller (member and listener) and joins the new one.
    void SetFilterGraph(TFilterGraph* graph);
    bool FullScreenTopMost() const { return fullScreenTopMost_; }
    void SetFullScreenTopMost(bool on) { fullScreenTopMost_ = on; }
    TColorControl* ColorControl() { return colorControl_.get(); }
    TDSVideoWindowEx2Caps* Caps() { return caps_.get(); }
    bool NoScreenSaver() const { return noScreenSaver_; }
    // While on, the window answers the screen-saver and monitor-power commands itself.
    void SetNoScreenSaver(bool on) { noScreenSaver_ = on; }

    // --- desktop playback
    // On the monitor nearest to the window (the primary monitor when none is found).
    void StartDesktopPlayback();
    void StartDesktopPlaybackOnMonitor(const vl::TMonitor& monitor);
    void NormalPlayback();
    bool DesktopPlaying() const { return desktopPlaying_; }

    // --- overlay
    // Rewires the graph through the Overlay Mixer (media/OverlayRewiring.h); S_OK or the
    // failure. A failure leaves the graph's connections as they were.
    HRESULT SetupOverlay();
    // Places the renderer's window over this control (or hidden, during desktop playback).
    void RefreshVideoWindow();
    // Puts the renderer's window below this control and reads the mixer's colour key.
    void UpdateColorKey();
    // Paints the control's colour and, where the video shows, the colour key, in one block.
    void RepaintColorKey();
    // The rectangle for the colour key (client coordinates); E_FAIL without a working overlay.
    HRESULT ComputeVideoRect();
    // `source`'s shape, as large as fits in `box`, centred. A source without width or height
    // fills the box.
    static RECT FitRect(const RECT& box, const RECT& source);
    // The source rectangle for a digital zoom of `percent` on a W x H picture.
    struct TZoomRect {
        long left, top, width, height;
    };
    static TZoomRect ZoomSource(long width, long height, int percent);

    // --- state
    bool SetupDone() const { return setupDone_; }
    bool OverlayInUse() const { return overlayInUse_; }
    bool OverlayVisible() const { return overlayVisible_; }
    COLORREF ColorKey() const { return colorKey_; }
    const RECT& VideoRect() const { return videoRect_; }
    HWND RendererWindow() const { return rendererWindow_; }
    IVideoWindow* VideoWindow() const { return videoWindow_.Get(); }
    IBaseFilter* OwnRenderer() const { return ownRenderer_.Get(); }
    IBaseFilter* OverlayMixer() const { return overlayMixer_.Get(); }
    IBaseFilter* GraphRenderer() const { return graphRenderer_.Get(); }
    vl::TForm* DesktopForm() const { return desktopForm_.get(); }
    bool CursorHiddenByIdle() const { return cursorHiddenByIdle_; }
    // One pass of the application's idle handler (cursor auto-hide).
    void IdlePass();

    // --- from the overlay callback
    void OverlayColorKeyChanged(COLORREF key);
    void OverlaySizeChanged();

    // --- COM
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IGraphMember
    HRESULT STDMETHODCALLTYPE GetFilter(IBaseFilter** filter) override;
    HRESULT STDMETHODCALLTYPE GetName(LPWSTR name, ULONG capacity) override;
    HRESULT STDMETHODCALLTYPE NotifyMember(TMemberOperation operation, LONG_PTR param) override;
    // IGraphListener
    HRESULT STDMETHODCALLTYPE GraphEvent(LONG event, LONG_PTR param1, LONG_PTR param2) override;
    HRESULT STDMETHODCALLTYPE ControlEvent(TControlEventKind event, LONG param) override;

    // --- events
    vl::TNotifyEvent OnColorKeyChanged;
    TOverlayVisibleEvent OnOverlayVisible;
    vl::TNotifyEvent OnPaint;
    TCursorVisibleEvent OnCursorShowHide;

protected:
    void WndProc(vl::TMessage& msg) override;
    void Paint(HDC dc, const RECT& clip) override;
    void Resized() override;
    void Loaded() override;
    void Notification(vl::TComponent* component, vl::TOperation operation) override;
    // Connects two pins during the overlay set-up (the graph builder's Connect).
    virtual HRESULT ConnectPins(IGraphBuilder* builder, IPin* output, IPin* input);

private:
    // Set-up, then the colour settings, then the renderer window's place.
    void SetupAndRefresh();
    // Gives up the callback registration, the mixer's interfaces and the renderer found.
    void ReleaseOverlay();
    // Tells the mixer to forget the callback, then cuts the callback off from the window.
    void UnregisterCallback();
    void DetachCallback();
    // Overlay set-up steps (SetupOverlay): a new mixer into the graph; the callback registered
    // with the mixer; and, on failure, the graph put back and the mixer taken out.
    HRESULT AddOverlayMixer(IGraphBuilder* builder);
    HRESULT RegisterOverlayCallback();
    HRESULT AbandonOverlay(TOverlayRewiring& rewiring, IGraphBuilder* builder, IBaseFilter* mixingRenderer,
                           HRESULT hr);
    // Composes the control's picture and copies it to `dc` in one block.
    void PaintColorKey(HDC dc);
    void SetOverlayVisible(bool visible, bool repaintFirst);
    // The mouse moved or a button changed: show the cursor again if the idle pass hid it.
    void MouseActivity(LPARAM position, bool move);
    void ReadWindowStyles();
    // Desktop playback parts (DesktopPlayback.cpp); messages and cursor auto-hide are in
    // VideoWindowCursor.cpp.
    void CreateDesktopForm();
    void DesktopFormCloseQuery(vl::TObject* sender, bool& canClose);

    // Declaration order follows the window's state.
    TComPtr<IVideoWindow> videoWindow_;
    TFilterGraph* filterGraph_ = nullptr;
    TComPtr<IBaseFilter> ownRenderer_;
    TComPtr<IBaseFilter> overlayMixer_;
    TComPtr<IBaseFilter> graphRenderer_;
    TComPtr<IDDrawExclModeVideo> exclModeVideo_;
    bool fullScreen_ = false;
    bool fullScreenTopMost_ = false;
    COLORREF colorKey_ = kDefaultColorKey;
    LONG windowStyle_ = 0;
    LONG windowStyleEx_ = 0;
    bool windowStylesRead_ = false;
    RECT videoRect_{};
    std::unique_ptr<TColorControl> colorControl_;
    std::unique_ptr<TDSVideoWindowEx2Caps> caps_;
    int digitalZoom_ = 0;
    TRatioModes aspectRatio_ = TRatioModes::rmLetterBox;
    bool noScreenSaver_ = false;
    int autoHideCursor_ = 0;
    bool setupDone_ = false;
    // The callback registered with the mixer. The mixer holds its own reference; this one lets
    // the window cut the callback off from itself when it gives the registration up.
    TComPtr<TOverlayCallback> overlayCallback_;
    bool overlayInUse_ = false;
    HWND rendererWindow_ = nullptr;
    int lastMouseX_ = -1, lastMouseY_ = -1;
    DWORD lastMoveTick_ = 0;
    int savedCursor_ = 0;
    LONG cursorHidden_ = 0;
    bool cursorHiddenByIdle_ = false;
    // Cursor auto-hide runs among the application's idle subscribers.
    vl::TIdleSubscription idle_;
    bool overlayVisible_ = false;
    bool desktopPlaying_ = false;
    // Desktop playback.
    vl::TMonitor desktopMonitor_{};
    std::unique_ptr<vl::TForm> desktopForm_;
    vl::TWinControl* oldParent_ = nullptr;
    COLORREF oldDesktopColor_ = 0;
    std::string oldWallpaper_;
    // The user's wallpaper and colour are changed and must come back: set before the start
    // changes them, so that a message handled while the start broadcasts its changes (a
    // log-off's close query) gives them back too.
    bool desktopTaken_ = false;
    bool destroying_ = false;
    volatile LONG references_ = 0;
};

}  // namespace vorlinde

template <>
struct vl::TEnumNames<vorlinde::TRatioModes> {
    static const TEnumTable<vorlinde::TRatioModes>& Table() {
        using R = vorlinde::TRatioModes;
        static const TEnumTable<R> table = {
            {"rmStretched", R::rmStretched}, {"rmLetterBox", R::rmLetterBox}, {"rmCrop", R::rmCrop}};
        return table;
    }
};
