#pragma once
// The desktop layer's last picture, kept on screen across a change of clip.
//
// Between two files the program gives the desktop back and takes it again, and the mixer of
// the first file goes before the mixer of the next exists. A hardware overlay would keep its
// last picture on the screen for that moment; so does the stand-in: the layer window of the
// mixer that goes is handed over here, still shown, with a copy of what it showed, and the
// next mixer's desktop layer takes the same window over with its first frame. The hold ends
// without a taker when the picture has no more reason to stay:
// - the renderer window the picture came from is gone (playback left for good);
// - the desktop does not show the colour key and either no mixer exists any more (stopped, or
//   the next file could not be rendered) or the renderer window is visible again (the video is
//   back in a window). A mixer counts while it is in a filter graph: the program may hold the
//   one of the first file for a while after the graph dropped it;
// - after kMaxHoldMs, whatever happens.
// GUI thread only.
#include <windows.h>

#include <dshow.h>

#include <atomic>

#include "framework/GdiOwners.h"
#include "platform/OverlayGeometry.h"

namespace vorlinde::platform {

struct THeldPicture {
    HWND window = nullptr;   // the layer window, shown; owned by the hold while held
    int kind = 0;            // the layer kind, as the presenter counts them
    HWND parent = nullptr;   // the owner (top-most layer, then owned by the hold too) or parent
    bool ownsParent = false; // the parent is the presenter's hidden owner window, handed over with it
    RECT rect{};             // the window's rectangle
    COLORKEY key{};          // the colour key the picture was shown for
    HWND renderer = nullptr; // the renderer window whose video it is (null: not identified)
    TPlacement placement{};  // where the picture was, in window coordinates
    vl::TGdiRegion uncovered;  // top-most layer: where the desktop showed, window coordinates
    vl::TGdiRegion marks;      // top-most layer: the desktop's icons, screen coordinates
    vl::TGdiBitmap picture;    // what the window showed, client size
};

class TDesktopPictureHold {
public:
    static constexpr DWORD kMaxHoldMs = 1000;
    // How often the hold looks whether its picture should go.
    static constexpr UINT kCheckPeriodMs = 10;

    // Keeps `picture.window` showing `picture.picture`; a picture held before goes first.
    static void Begin(THeldPicture picture);
    // The held picture, when its window is of this kind (and, for a child, this parent): the
    // caller takes the window (and its owner) over and the hold ends without hiding it.
    static bool Take(int kind, HWND parent, THeldPicture& taken);
    // Hides and destroys the held window now.
    static void End() noexcept;
    static bool Holding() noexcept;

    // A mixer joined or left a filter graph (any thread).
    static void MixerJoinedGraph() noexcept;
    static void MixerLeftGraph() noexcept;

private:
    static LRESULT CALLBACK HeldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void Check() noexcept;
    static void Paint(HWND window) noexcept;
};

}  // namespace vorlinde::platform
