// The presenter's desktop layer (see OverlayPresenter.h): where it goes on the running shell
// (DesktopHost.h) and what it shows there.
#include "platform/DesktopHost.h"
#include "platform/DesktopMarks.h"
#include "platform/DesktopWindows.h"
#include "platform/OverlayPresenter.h"

namespace vorlinde::platform {

namespace {

// While the layer is the top-most surface, the host is looked for again this often: a shell
// that starts late, or makes its background window late, is taken up within this time.
constexpr DWORD kSearchAgainMs = 500;

// True when visible windows cover every pixel of area (screen coordinates).
bool FullyCovered(const RECT& area) {
    vl::TGdiRegion covered = CoveredDesktopRegion(area);
    vl::TGdiRegion rest = vl::MakeRectRegion(area);
    if (!covered || !rest) return false;
    return CombineRgn(rest.Get(), rest.Get(), covered.Get(), RGN_DIFF) == NULLREGION;
}

RECT VirtualScreen() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace

void TOverlayPresenter::UpdateDesktopLayer(const TSnapshot& snapshot, const TDestination& destination, bool newFrame) {
    const COLORKEY& key = snapshot.settings.key;
    if (!destination.found) {
        HideDesktopLayer();
        return;
    }
    if (!ColorKeyMatches(GetSysColor(COLOR_BACKGROUND), key)) {
        // The desktop was given back. While the video is not back in a window this may be the
        // moment between two files: the picture stays (in the hold) until it is clear.
        if (destination.visible || !HoldDesktopPicture()) HideDesktopLayer();
        return;
    }
    const RECT box = SubRect(destination.client, snapshot.settings.relative);
    const TVideoFormat& format = display_->format;
    const TPlacement placement = PlaceVideo(snapshot.settings.mode, box, format.source, format.aspectX, format.aspectY);
    const RECT screen = VirtualScreen();
    RECT area;
    if (!IntersectRect(&area, &box, &screen)) {
        HideDesktopLayer();
        return;
    }
    const TDesktopHost& host = CurrentDesktopHost();
    if (host.kind == TDesktopHostKind::TopMost) {
        ShowDesktopTopMost(key, placement, area, newFrame);
    } else {
        ShowDesktopChild(host, placement, area, newFrame);
    }
}

// The host found last, looked for again when it is unknown (a start, a shell restart, a
// display change), when its windows changed, and now and then while it is the top-most one.
const TDesktopHost& TOverlayPresenter::CurrentDesktopHost() {
    const DWORD now = GetTickCount();
    const bool search = !desktopHostKnown_ || !DesktopHostStands(desktopHost_) ||
                        (desktopHost_.kind == TDesktopHostKind::TopMost && now - desktopHostFoundAt_ >= kSearchAgainMs);
    if (search) {
        desktopHost_ = FindDesktopHost();
        desktopHostKnown_ = true;
        desktopHostFoundAt_ = now;
    }
    return desktopHost_;
}

void TOverlayPresenter::ShowDesktopChild(const TDesktopHost& host, const TPlacement& placement, const RECT& area,
                                         bool newFrame) {
    const TLayerKind kind =
        host.kind == TDesktopHostKind::UnderIcons ? TLayerKind::DesktopUnderIcons : TLayerKind::DesktopBackground;
    AdoptHeldLayer(kind, host.parent);
    if (!EnsureLayer(desktopLayer_, kind, host.parent, CLR_INVALID)) return;
    desktopMarks_.Reset();
    POINT origin{0, 0};
    ClientToScreen(host.parent, &origin);
    RECT rect = area;
    OffsetRect(&rect, -origin.x, -origin.y);
    desktopLayer_.placement = placement;
    OffsetRect(&desktopLayer_.placement.destination, -area.left, -area.top);
    // Nothing is drawn where no one can see it: a new frame waits while windows cover all of
    // the layer (it is drawn in full again once the layer is uncovered).
    if (newFrame && desktopLayer_.shown && FullyCovered(area)) {
        newFrame = false;
        childCovered_ = true;
    } else if (childCovered_ && !FullyCovered(area)) {
        childCovered_ = false;
        if (desktopLayer_.window) InvalidateRect(desktopLayer_.window, nullptr, FALSE);
    }
    // In Progman right below the icons (so above the wallpaper); alone in the background window.
    ShowLayer(desktopLayer_, rect, kind == TLayerKind::DesktopUnderIcons ? host.icons : HWND_TOP, false, newFrame);
}

void TOverlayPresenter::ShowDesktopTopMost(const COLORKEY& key, const TPlacement& placement, const RECT& area,
                                           bool newFrame) {
    AdoptHeldLayer(TLayerKind::DesktopTopMost, nullptr);
    const bool appearing = !desktopLayer_.window || desktopLayer_.kind != TLayerKind::DesktopTopMost ||
                           !desktopLayer_.shown || !IsWindow(desktopLayer_.window);
    if (!EnsureLayer(desktopLayer_, TLayerKind::DesktopTopMost, DesktopLayerOwner(), key.LowColorValue)) return;
    // Where the desktop shows: the area minus every window on it and minus the desktop's icons.
    vl::TGdiRegion covered = CoveredDesktopRegion(area);
    vl::TGdiRegion uncovered = vl::MakeRectRegion(area);
    if (!covered || !uncovered) return;
    CombineRgn(uncovered.Get(), uncovered.Get(), covered.Get(), RGN_DIFF);
    // The icons are read off the screen while none of the layer is on it yet; where a window
    // stood then, they are not known.
    if (appearing) desktopMarks_ = FindDesktopMarks(area, uncovered.Get());
    if (desktopMarks_) CombineRgn(uncovered.Get(), uncovered.Get(), desktopMarks_.Get(), RGN_DIFF);
    OffsetRgn(uncovered.Get(), -area.left, -area.top);
    const bool regionChanged = !desktopLayer_.uncovered || !EqualRgn(uncovered.Get(), desktopLayer_.uncovered.Get());
    if (regionChanged) {
        // The layer is only where the desktop shows: windows and icons stay visible and usable
        // through its holes. The window takes its own copy of the region.
        vl::TGdiRegion shape = vl::MakeEmptyRegion();
        if (!shape || CombineRgn(shape.Get(), uncovered.Get(), nullptr, RGN_COPY) == ERROR) return;
        if (SetWindowRgn(desktopLayer_.window, shape.Get(), FALSE)) static_cast<void>(shape.Release());
    }
    desktopLayer_.uncovered = std::move(uncovered);
    desktopLayer_.placement = placement;
    OffsetRect(&desktopLayer_.placement.destination, -area.left, -area.top);
    ShowLayer(desktopLayer_, area, HWND_TOPMOST, regionChanged, newFrame);
}

// A child layer goes at once, so that nothing of the program stays in the shell's windows; the
// top-most one is only hidden.
void TOverlayPresenter::HideDesktopLayer() {
    if (desktopLayer_.kind == TLayerKind::DesktopTopMost) {
        HideLayer(desktopLayer_);
    } else {
        DestroyLayer(desktopLayer_);
    }
}

}  // namespace vorlinde::platform
