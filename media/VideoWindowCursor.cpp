// The messages TDSVideoWindowEx2 answers itself (background, screen saver, cursor) and the
// cursor auto-hide: after AutoHideCursor milliseconds without mouse activity the idle pass
// hides the cursor over the video, and the next mouse move or click shows it again.
#include <windowsx.h>

#include "media/VideoWindow.h"

namespace vorlinde {

namespace {

// The hidden cursor the auto-hide logic sets (the framework's "none" cursor).
constexpr int kNoCursor = vl::crNone;

}  // namespace

void TDSVideoWindowEx2::WndProc(vl::TMessage& msg) {
    switch (msg.msg) {
    case WM_ERASEBKGND:
        if (overlayInUse_) {
            msg.result = 1;
            return;
        }
        break;
    case WM_SYSCOMMAND:
        if (noScreenSaver_ && ((msg.wParam & 0xFFF0) == SC_SCREENSAVE || (msg.wParam & 0xFFF0) == SC_MONITORPOWER)) {
            msg.result = 0;
            return;
        }
        break;
    case WM_SETCURSOR:
        // The framework has no cursor object for "none": hide it here.
        if (Cursor() == kNoCursor && LOWORD(msg.lParam) == HTCLIENT) {
            ::SetCursor(nullptr);
            msg.result = TRUE;
            return;
        }
        break;
    case WM_MOUSEMOVE:
        MouseActivity(msg.lParam, true);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        MouseActivity(msg.lParam, false);
        break;
    default:
        break;
    }
    vl::TWinControl::WndProc(msg);
}

void TDSVideoWindowEx2::MouseActivity(LPARAM position, bool move) {
    const int x = GET_X_LPARAM(position), y = GET_Y_LPARAM(position);
    if (move && x == lastMouseX_ && y == lastMouseY_) return;
    if (move || cursorHiddenByIdle_) {
        lastMouseX_ = x;
        lastMouseY_ = y;
        lastMoveTick_ = GetTickCount();
    }
    if (!cursorHiddenByIdle_) return;
    cursorHiddenByIdle_ = false;
    if (cursorHidden_) {
        if (videoWindow_) videoWindow_->HideCursor(OAFALSE);
        cursorHidden_ = 0;
    } else {
        SetCursor(savedCursor_);
    }
    if (OnCursorShowHide) OnCursorShowHide(this, true);
}

void TDSVideoWindowEx2::IdlePass() {
    if (autoHideCursor_ <= 0 || !videoWindow_ || cursorHiddenByIdle_) return;
    if (GetTickCount() - lastMoveTick_ < static_cast<DWORD>(autoHideCursor_)) return;
    bool hid = false;
    if (overlayInUse_) {
        if (Cursor() != kNoCursor) {
            savedCursor_ = Cursor();
            SetCursor(kNoCursor);
            hid = true;
        }
    } else {
        long hidden = 0;
        videoWindow_->IsCursorHidden(&hidden);
        if (!hidden) {
            videoWindow_->HideCursor(OATRUE);
            cursorHidden_ = 1;
            hid = true;
        }
    }
    if (!hid) return;
    cursorHiddenByIdle_ = true;
    POINT p;
    if (GetCursorPos(&p)) SetCursorPos(p.x, p.y);
    if (OnCursorShowHide) OnCursorShowHide(this, false);
}

}  // namespace vorlinde
