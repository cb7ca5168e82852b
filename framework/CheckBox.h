#pragma once
// TCheckBox: a native check box. The state changes through SetState (a user click, the
// keyboard, an accelerator or code alike); each change raises OnClick once, except while loading.
#include <windows.h>

#include "framework/Control.h"
#include "framework/ControlEnums.h"

namespace vl {

class TCheckBox : public TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const { return state_ == TCheckBoxState::Checked; }
    void SetChecked(bool v) { SetState(v ? TCheckBoxState::Checked : TCheckBoxState::Unchecked); }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState s);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool v);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v) { autoSize_ = v; }
    // taRightJustify (default): the caption right of the box; taLeftJustify: left of it.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    // Moves to the next state, as a click does.
    virtual void Toggle();

    bool DialogChar(char key) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WindowCreated() override;
    bool HasOwnPaint() const override { return false; }
    void CommandNotify(WORD code) override;

private:
    TCheckBoxState state_ = TCheckBoxState::Unchecked;
    bool allowGrayed_ = false;
    bool autoSize_ = true;
    TAlignment alignment_ = TAlignment::RightJustify;
};

}  // namespace vl
