// The presenter's GUI-thread evaluation: where the destination is and whether it shows, and
// where each layer goes for it (see OverlayPresenter.h).
#include "platform/DesktopWindows.h"
#include "platform/OverlayPresenter.h"

namespace vorlinde::platform {

namespace {

RECT Offset(RECT rect, LONG dx, LONG dy) {
    OffsetRect(&rect, dx, dy);
    return rect;
}

// The client rectangle of a window in screen coordinates.
RECT ClientOnScreen(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// rect clipped by the client areas of window and each of its ancestors.
RECT ClipByAncestors(RECT rect, HWND window) {
    for (HWND w = window; w; w = GetAncestor(w, GA_PARENT)) {
        if (w == GetDesktopWindow()) break;
        const RECT client = ClientOnScreen(w);
        if (!IntersectRect(&rect, &rect, &client)) return RECT{};
    }
    return rect;
}

}  // namespace

void TOverlayPresenter::Evaluate(bool newFrame) {
    if (closing_) return;
    TSnapshot snapshot = Snapshot();
    if (!snapshot.active || !haveFrame_) {
        HideLayer(windowLayer_);
        // Stopped (also before the state message arrives): the desktop's picture may be the
        // last of a file that another follows.
        if (!snapshot.active) HoldDesktopPicture();
        HideDesktopLayer();
        return;
    }
    const TDestination destination = LocateDestination(snapshot.destination.Get());
    UpdateWindowLayer(snapshot, destination, newFrame);
    // The program's callbacks may have shut the presenter down.
    if (closing_) return;
    UpdateDesktopLayer(snapshot, destination, newFrame);
    NotifyDestinationSize(snapshot, destination);
}

// The destination is the renderer's window. IVideoWindow gives its owner and position (Wine
// reports the position in screen coordinates, Windows relative to the owner's client area);
// the window itself is the owner's renderer-class child at that position.
TOverlayPresenter::TDestination TOverlayPresenter::LocateDestination(IVideoWindow* video) {
    TDestination destination;
    if (!video) return destination;
    OAHWND ownerValue = 0;
    long left = 0, top = 0, width = 0, height = 0;
    if (FAILED(video->get_Owner(&ownerValue)) || FAILED(video->GetWindowPosition(&left, &top, &width, &height))) {
        return destination;
    }
    HWND owner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(ownerValue));
    if (owner && !IsWindow(owner)) owner = nullptr;
    const RECT asScreen{left, top, left + width, top + height};
    RECT asClient = asScreen;
    if (owner) asClient = Offset(asScreen, ClientOnScreen(owner).left, ClientOnScreen(owner).top);

    HWND window = FindRendererWindow(owner, asScreen, asClient);
    destination.found = true;
    if (window) {
        destination.window = window;
        destination.root = GetAncestor(window, GA_ROOT);
        destination.client = ClientOnScreen(window);
        destination.visible = IsWindowVisible(window) && !IsIconic(destination.root);
        destination.clip = ClipByAncestors(destination.client, GetAncestor(window, GA_PARENT));
    } else {
        // Not identified: trust the reported position.
        long visible = OAFALSE;
        video->get_Visible(&visible);
        destination.root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
        destination.client = owner ? asClient : asScreen;
        destination.visible = visible != OAFALSE && (!owner || (IsWindowVisible(owner) && !IsIconic(destination.root)));
        destination.clip = owner ? ClipByAncestors(destination.client, owner) : destination.client;
    }
    return destination;
}

HWND TOverlayPresenter::FindRendererWindow(HWND owner, const RECT& asScreen, const RECT& asClient) {
    auto matches = [&](HWND window) {
        RECT rect;
        if (!IsWindow(window) || !GetWindowRect(window, &rect)) return false;
        if (!SameRect(rect, asScreen) && !SameRect(rect, asClient)) return false;
        return owner ? GetAncestor(window, GA_PARENT) == owner : GetAncestor(window, GA_PARENT) == GetDesktopWindow();
    };
    if (rendererWindow_ && matches(rendererWindow_)) return rendererWindow_;
    rendererWindow_ = nullptr;
    if (owner) {
        for (HWND child = GetWindow(owner, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (IsVideoRendererWindow(child) && matches(child)) return rendererWindow_ = child;
        }
        return nullptr;
    }
    // A top-level renderer window of this process.
    struct TSearch {
        decltype(matches)* test;
        HWND found;
    } search{&matches, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<TSearch*>(context);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId() && IsVideoRendererWindow(window) && (*s.test)(window)) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return rendererWindow_ = search.found;
}

void TOverlayPresenter::UpdateWindowLayer(const TSnapshot& snapshot, const TDestination& destination, bool newFrame) {
    bool show = destination.found && destination.visible && destination.root;
    TPlacement placement{};
    RECT area{};
    if (show) {
        const RECT box = SubRect(destination.client, snapshot.settings.relative);
        const TVideoFormat& format = display_->format;
        placement = PlaceVideo(snapshot.settings.mode, box, format.source, format.aspectX, format.aspectY);
        show = IntersectRect(&area, &placement.destination, &destination.clip) != FALSE;
    }

    // The program hears of the overlay's changes before and after they happen.
    const bool changed = show != windowLayerNotified_ ||
                         (show && (!SameRect(placement.source, notifiedSource_) ||
                                   !SameRect(placement.destination, notifiedDestination_)));
    if (changed && snapshot.callback) {
        snapshot.callback->OnUpdateOverlay(TRUE, AM_OVERLAY_NOTIFY_VISIBLE_CHANGE | AM_OVERLAY_NOTIFY_SOURCE_CHANGE |
                                                     AM_OVERLAY_NOTIFY_DEST_CHANGE,
                                           windowLayerNotified_, &notifiedSource_, &notifiedDestination_, show,
                                           &placement.source, &placement.destination);
        if (closing_) return;
    }

    if (!show) {
        HideLayer(windowLayer_);
    } else if (EnsureLayer(windowLayer_, TLayerKind::Window, destination.root, CLR_INVALID)) {
        windowLayer_.placement = placement;
        OffsetRect(&windowLayer_.placement.destination, -area.left, -area.top);
        ShowLayer(windowLayer_, area, HWND_TOP, false, newFrame);
    }

    if (changed) {
        const bool oldVisible = windowLayerNotified_;
        const RECT oldSource = notifiedSource_;
        const RECT oldDestination = notifiedDestination_;
        windowLayerNotified_ = show;
        notifiedSource_ = show ? placement.source : RECT{};
        notifiedDestination_ = show ? placement.destination : RECT{};
        if (snapshot.callback) {
            snapshot.callback->OnUpdateOverlay(FALSE, AM_OVERLAY_NOTIFY_VISIBLE_CHANGE | AM_OVERLAY_NOTIFY_SOURCE_CHANGE |
                                                          AM_OVERLAY_NOTIFY_DEST_CHANGE,
                                               oldVisible, &oldSource, &oldDestination, show, &notifiedSource_,
                                               &notifiedDestination_);
        }
    }
}

void TOverlayPresenter::NotifyDestinationSize(const TSnapshot& snapshot, const TDestination& destination) {
    if (!destination.found) return;
    const SIZE size{destination.client.right - destination.client.left,
                    destination.client.bottom - destination.client.top};
    const bool changed = destinationSizeKnown_ && (size.cx != destinationSize_.cx || size.cy != destinationSize_.cy);
    destinationSizeKnown_ = true;
    destinationSize_ = size;
    if (changed && snapshot.callback && snapshot.video.width) {
        snapshot.callback->OnUpdateSize(snapshot.video.width, snapshot.video.height, snapshot.video.aspectX,
                                        snapshot.video.aspectY);
    }
}

}  // namespace vorlinde::platform
