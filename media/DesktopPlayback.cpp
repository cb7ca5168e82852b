// Desktop playback of TDSVideoWindowEx2: the video window moves into a hidden form the size of
// a monitor, the desktop background colour becomes the overlay's colour key and the wallpaper
// is taken away, so that the Overlay Mixer's picture shows wherever the desktop shows.
// NormalPlayback gives the wallpaper, the desktop colour and the window's place back.
//
// While the desktop is taken, a durable record of the user's settings (media/SavedDesktop.h)
// lets the desktop guard and the program's next start give it back if this run never does.
#include <windows.h>

#include <string>

#include "framework/Form.h"
#include "framework/Screen.h"
#include "media/DesktopSettings.h"
#include "media/SavedDesktop.h"
#include "media/VideoWindow.h"

namespace vorlinde {

void TDSVideoWindowEx2::CreateDesktopForm() {
    desktopForm_ = std::make_unique<vl::TForm>(nullptr);
    desktopForm_->SetBorderStyle(vl::TFormBorderStyle::None);
    desktopForm_->SetColor(Color());
    desktopForm_->OnCloseQuery = [this](vl::TObject* sender, bool& canClose) { DesktopFormCloseQuery(sender, canClose); };
}

void TDSVideoWindowEx2::DesktopFormCloseQuery(vl::TObject*, bool& canClose) {
    canClose = destroying_;
    if (canClose) NormalPlayback();
}

void TDSVideoWindowEx2::StartDesktopPlayback() {
    vl::TMonitor monitor = vl::Screen().MonitorFromWindow(HandleAllocated() ? Handle() : nullptr);
    // A window the monitor list does not know (after a display change): the primary monitor.
    if (!monitor.handle || monitor.Width() <= 0 || monitor.Height() <= 0) monitor = vl::Screen().PrimaryMonitor();
    StartDesktopPlaybackOnMonitor(monitor);
}

void TDSVideoWindowEx2::StartDesktopPlaybackOnMonitor(const vl::TMonitor& monitor) {
    if (desktopPlaying_ || desktopTaken_) return;
    // The record first: when it cannot be written, the desktop stays as it is.
    const TDesktopLook user = UsersDesktop(colorKey_);
    WriteSavedDesktop(user);
    desktopMonitor_ = monitor;
    oldWallpaper_ = user.wallpaper;
    oldDesktopColor_ = user.color;
    // Each change is broadcast, and messages sent to this thread are handled meanwhile: one
    // that left desktop playback (NormalPlayback) ends the start where it is.
    desktopTaken_ = true;
    SetWallpaper("");
    if (!desktopTaken_) return;
    SetDesktopColor(colorKey_);
    if (!desktopTaken_) return;

    if (oldParent_ != Parent()) {
        if (oldParent_) RemoveFreeNotification(oldParent_);
        oldParent_ = Parent();
        if (oldParent_) FreeNotification(oldParent_);
    }
    // The form's window first, so that the control keeps its window while it moves.
    desktopForm_->HandleNeeded();
    // The form is shown only so that the video window takes its size and place; with an empty
    // window region it never shows itself (it would cover the desktop with its colour for that
    // moment, between the last picture of one file and the first of the next).
    if (HRGN nothing = CreateRectRgn(0, 0, 0, 0); nothing && !SetWindowRgn(desktopForm_->Handle(), nothing, FALSE))
        DeleteObject(nothing);
    SetParent(desktopForm_.get());
    desktopForm_->SetBounds(monitor.Left(), monitor.Top(), monitor.Width(), monitor.Height());
    desktopForm_->Show();
    if (!desktopTaken_) {
        desktopForm_->Hide();
        return;
    }

    desktopPlaying_ = true;
    RefreshVideoWindow();
    if (overlayInUse_) UpdateColorKey();

    desktopForm_->Hide();
    overlayVisible_ = false;
    RepaintColorKey();
    if (OnOverlayVisible) OnOverlayVisible(this, false);
}

void TDSVideoWindowEx2::NormalPlayback() {
    if (desktopTaken_) {
        SetWallpaper(oldWallpaper_);
        SetDesktopColor(oldDesktopColor_);
        ClearSavedDesktop();
        desktopTaken_ = false;
    }
    if (desktopPlaying_) {
        desktopPlaying_ = false;
        if (destroying_) return;
    }
    if (oldParent_) SetParent(oldParent_);
    RefreshVideoWindow();
    if (overlayInUse_) UpdateColorKey();
    overlayVisible_ = true;
    RepaintColorKey();
    if (OnOverlayVisible) OnOverlayVisible(this, true);
    desktopMonitor_ = vl::TMonitor{};
}

}  // namespace vorlinde
