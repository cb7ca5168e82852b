// Desktop playback of TDSVideoWindowEx2: the video window moves into a hidden form the size of
// a monitor, the desktop background colour becomes the overlay's colour key and the wallpaper
// is taken away, so that the Overlay Mixer's picture shows wherever the desktop shows.
// NormalPlayback gives the wallpaper, the desktop colour and the window's place back.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Form.h"
#include "framework/Screen.h"
#include "media/VideoWindow.h"

namespace vorlinde {

namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kWallpaperValue[] = "WallPaper";

// The desktop key, opened (never created) with `access`; null when it does not exist.
HKEY OpenDesktopKey(REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, access, &key) != ERROR_SUCCESS) return nullptr;
    return key;
}

bool HasWallpaperValue(HKEY key) {
    return RegQueryValueExA(key, kWallpaperValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

void SetDesktopColor(COLORREF color) {
    const INT element = COLOR_BACKGROUND;
    const COLORREF value = color & 0x00FFFFFF;
    SetSysColors(1, &element, &value);
}

}  // namespace

std::string GetWallpaper() {
    HKEY key = OpenDesktopKey(KEY_QUERY_VALUE);
    if (!key) return {};
    std::string path;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, kWallpaperValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
        std::vector<char> buffer(size + 1, '\0');
        if (RegQueryValueExA(key, kWallpaperValue, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size) ==
            ERROR_SUCCESS)
            path = buffer.data();  // stops at the first NUL, also when the value lacks one
    }
    RegCloseKey(key);
    return path;
}

void SetWallpaper(const std::string& path) {
    if (HKEY key = OpenDesktopKey(KEY_QUERY_VALUE | KEY_SET_VALUE)) {
        if (HasWallpaperValue(key))
            RegSetValueExA(key, kWallpaperValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                           static_cast<DWORD>(path.size() + 1));
        RegCloseKey(key);
    }
    // The system reloads the wallpaper from the value just written and tells other programs.
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, nullptr, SPIF_SENDWININICHANGE);
}

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
    if (desktopPlaying_) return;
    desktopMonitor_ = monitor;
    oldWallpaper_ = GetWallpaper();
    oldDesktopColor_ = GetSysColor(COLOR_BACKGROUND);
    SetWallpaper("");
    SetDesktopColor(colorKey_);

    if (oldParent_ != Parent()) {
        if (oldParent_) RemoveFreeNotification(oldParent_);
        oldParent_ = Parent();
        if (oldParent_) FreeNotification(oldParent_);
    }
    // The form's window first, so that the control keeps its window while it moves.
    desktopForm_->HandleNeeded();
    SetParent(desktopForm_.get());
    desktopForm_->SetBounds(monitor.Left(), monitor.Top(), monitor.Width(), monitor.Height());
    desktopForm_->Show();

    desktopPlaying_ = true;
    RefreshVideoWindow();
    if (overlayInUse_) UpdateColorKey();

    desktopForm_->Hide();
    overlayVisible_ = false;
    RepaintColorKey();
    if (OnOverlayVisible) OnOverlayVisible(this, false);
}

void TDSVideoWindowEx2::NormalPlayback() {
    if (desktopPlaying_) {
        SetWallpaper(oldWallpaper_);
        SetDesktopColor(oldDesktopColor_);
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
