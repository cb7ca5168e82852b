#include "framework/CustomControl.h"

#include <windowsx.h>

#include "framework/ClassBuilder.h"

namespace vl {

const TClassInfo& TCustomControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCustomControl>("TCustomControl", &TWinControl::StaticClass()).Build();
    return info;
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::WndProc(TMessage& msg) {
    switch (msg.msg) {
    case WM_LBUTTONDOWN:
        pressed_ = true;
        SetCapture(msg.hwnd);
        break;
    case WM_LBUTTONUP: {
        if (!pressed_) break;
        pressed_ = false;
        const POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
        const RECT client = ClientRect();
        releasing_ = true;
        if (GetCapture() == msg.hwnd) ReleaseCapture();
        releasing_ = false;
        TWinControl::WndProc(msg);  // OnMouseUp
        // Last: a click handler may close the window or free this control.
        if (PtInRect(&client, p)) Click();
        return;
    }
    case WM_CAPTURECHANGED:
        if (pressed_ && !releasing_) {
            pressed_ = false;
            PressCancelled();
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(msg);
}

}  // namespace vl
