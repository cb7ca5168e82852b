#pragma once
// TCustomControl: a windowed control that draws itself completely and acts on the mouse as a
// button does. A left press captures the mouse, so that the control keeps hearing it outside
// its bounds; releasing the button inside the client area raises Click. Losing the capture (a
// menu or a message box took it, the window was disabled) ends the press without a click.
#include <windows.h>

#include "framework/Control.h"

namespace vl {

class TCustomControl : public TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TCustomControl(TComponent* owner);

    // True from a left press on the control until it is released or the capture is lost.
    bool Pressed() const { return pressed_; }

protected:
    void WndProc(TMessage& msg) override;
    // The press ended without a click: the capture went elsewhere. The default does nothing.
    virtual void PressCancelled() {}

private:
    bool pressed_ = false;
    bool releasing_ = false;  // our own ReleaseCapture: no cancellation
};

}  // namespace vl
