#pragma once
// TButton: a native push button. Click sets the form's ModalResult when the button has one;
// the focused button, else the default one, looks like the default button.
#include <windows.h>

#include "framework/Control.h"
#include "framework/ControlEnums.h"

namespace vl {

class TButton : public TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int v) { modalResult_ = v; }

    void Click() override;
    bool IsDefaultButton() const override { return default_; }
    bool IsCancelButton() const override { return cancel_; }
    bool IsButtonControl() const override { return true; }

protected:
    void CreateParams(TCreateParams& params) override;
    bool HasOwnPaint() const override { return false; }
    void CommandNotify(WORD code) override;
    void FocusChanged(TWinControl* focused) override;
    void UpdateDefaultLook(bool active);

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
    bool active_ = false;  // drawn as the default button
};

}  // namespace vl
