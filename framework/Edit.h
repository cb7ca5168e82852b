#pragma once
// TEdit: a native single-line edit; Text follows what the user types and OnChange reports it.
#include <windows.h>

#include "framework/Control.h"
#include "framework/ControlEnums.h"

namespace vl {

class TEdit : public TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TEdit(TComponent* owner);

    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char c);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle v);
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool v) { autoSelect_ = v; }
    void SelectAll();

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void WindowCreated() override;
    void WndProc(TMessage& msg) override;
    bool HasOwnPaint() const override { return false; }
    void CommandNotify(WORD code) override;
    virtual void Change();

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    char passwordChar_ = 0;
    TBorderStyle borderStyle_ = TBorderStyle::Single;
    bool autoSelect_ = true;
};

}  // namespace vl
