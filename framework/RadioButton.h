#pragma once
// TRadioButton: a native radio button; checking it unchecks the radio buttons with the same
// parent and raises OnClick (not while loading).
#include <windows.h>

#include "framework/Control.h"
#include "framework/ControlEnums.h"

namespace vl {

class TRadioButton : public TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TRadioButton(TComponent* owner);

    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);

    bool DialogChar(char key) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WindowCreated() override;
    bool HasOwnPaint() const override { return false; }
    void CommandNotify(WORD code) override;

private:
    bool checked_ = false;
    TAlignment alignment_ = TAlignment::RightJustify;
};

}  // namespace vl
