// TWinControl's handling of the messages every control shares: painting into the device
// context WM_PAINT carries, mouse tracking and buttons, keys with the form's preview,
// focus, and the notifications native children send to their parent.
#include "framework/Control.h"

#include <windowsx.h>

#include "framework/Form.h"
#include "framework/GdiOwners.h"

namespace vl {

namespace {
// The button of a mouse button message.
TMouseButton ButtonOf(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: return TMouseButton::Left;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return TMouseButton::Right;
    default: return TMouseButton::Middle;
    }
}
}  // namespace

// ---------------------------------------------------------------- message handling

void TWinControl::WndProc(TMessage& msg) {
    switch (msg.msg) {
    case WM_PAINT:
        if (!HasOwnPaint()) break;
        if (msg.wParam) {
            RECT r = ClientRect();
            Paint(reinterpret_cast<HDC>(msg.wParam), r);
        } else {
            TPaintDC paint(msg.hwnd);
            Paint(paint.Get(), paint.PaintRect());
        }
        return;
    case WM_PRINTCLIENT:
        if (!HasOwnPaint()) break;
        {
            RECT r = ClientRect();
            Paint(reinterpret_cast<HDC>(msg.wParam), r);
        }
        return;
    case WM_ERASEBKGND:
        if (HasOwnPaint()) {
            msg.result = 1;  // Paint draws everything, so erasing would only flicker
            return;
        }
        break;
    case WM_SIZE:
        if (!inSetBounds_ && msg.wParam != SIZE_MINIMIZED) UpdateBoundsFromWindow();
        break;
    case WM_MOVE:
        if (!inSetBounds_) UpdateBoundsFromWindow();
        break;
    case WM_SETCURSOR:
        if (cursor_ && LOWORD(msg.lParam) == HTCLIENT && reinterpret_cast<HWND>(msg.wParam) == msg.hwnd) {
            ::SetCursor(cursor_);
            msg.result = TRUE;
            return;
        }
        break;
    case WM_MOUSEMOVE:
        TrackMouse();
        if (OnMouseMove) OnMouseMove(this, KeyboardShiftState(), GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
        break;
    case WM_MOUSELEAVE:
        if (mouseInside_) {
            mouseInside_ = false;
            MouseLeave();
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (OnMouseDown)
            OnMouseDown(this, ButtonOf(msg.msg), KeyboardShiftState(), GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (OnMouseUp)
            OnMouseUp(this, ButtonOf(msg.msg), KeyboardShiftState(), GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
        break;
    case WM_LBUTTONDBLCLK:
        if (OnDblClick) OnDblClick(this);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(msg.wParam);
        TForm* form = ParentForm();
        if (form && form != this && form->KeyPreview() && form->OnKeyDown) form->OnKeyDown(form, key, KeyboardShiftState());
        if (key && OnKeyDown) OnKeyDown(this, key, KeyboardShiftState());
        if (!key) return;
        msg.wParam = key;
        break;
    }
    case WM_KEYUP:
        if (OnKeyUp) {
            WORD key = static_cast<WORD>(msg.wParam);
            OnKeyUp(this, key, KeyboardShiftState());
            if (!key) return;
        }
        break;
    case WM_CHAR:
        if (OnKeyPress) {
            char c = static_cast<char>(msg.wParam);
            OnKeyPress(this, c);
            if (!c) return;
            msg.wParam = static_cast<unsigned char>(c);
        }
        break;
    case WM_SETFOCUS:
        if (TForm* form = ParentForm()) form->FocusMoved(this);
        if (OnEnter) OnEnter(this);
        break;
    case WM_KILLFOCUS:
        if (OnExit) OnExit(this);
        break;
    case WM_COMMAND:
        if (msg.lParam) {
            if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(msg.lParam))) {
                child->CommandNotify(HIWORD(msg.wParam));
                return;
            }
        }
        break;
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(msg.lParam);
        if (dis->CtlType != ODT_MENU)
            if (TWinControl* child = FromHandle(dis->hwndItem))
                if (child->DrawItem(*dis)) {
                    msg.result = TRUE;
                    return;
                }
        break;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(msg.lParam);
        if (mis->CtlType != ODT_MENU)
            if (TWinControl* child = FromHandle(GetDlgItem(msg.hwnd, static_cast<int>(mis->CtlID))))
                if (child->MeasureItem(*mis)) {
                    msg.result = TRUE;
                    return;
                }
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(msg.lParam)))
            if (HBRUSH b = child->CtlColor(reinterpret_cast<HDC>(msg.wParam))) {
                msg.result = reinterpret_cast<LRESULT>(b);
                return;
            }
        break;
    default:
        break;
    }
    DefaultHandler(msg);
}

void TWinControl::TrackMouse() {
    if (mouseInside_) return;
    mouseInside_ = true;
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, handle_, 0};
    TrackMouseEvent(&tme);
    MouseEnter();
}

void TWinControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TWinControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}

HBRUSH TWinControl::CtlColor(HDC dc) {
    SetTextColor(dc, ColorToRGB(font_.Color()));
    SetBkColor(dc, ColorToRGB(color_));
    return ColorBrush();
}

HBRUSH TWinControl::ColorBrush() {
    if (!brush_) brush_ = MakeSolidBrush(ColorToRGB(color_));
    return brush_.Get();
}

void TWinControl::Paint(HDC dc, const RECT& clip) { FillRect(dc, &clip, ColorBrush()); }

void TWinControl::PaintParentBackground(HDC dc) {
    if (!parent_ || !parent_->handle_) return;
    POINT origin{0, 0};
    MapWindowPoints(handle_, parent_->handle_, &origin, 1);
    // Whatever the parent selects or clips while painting stays out of the caller's context.
    const TSavedDC saved(dc);
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
    const RECT parentClient = parent_->ClientRect();
    IntersectClipRect(dc, parentClient.left, parentClient.top, parentClient.right, parentClient.bottom);
    parent_->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    parent_->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, FALSE);
}

void TWinControl::Update() {
    if (handle_) UpdateWindow(handle_);
}

}  // namespace vl
