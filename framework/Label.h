#pragma once
// TLabel: a caption painted by the control itself; a click on it raises OnClick, and the
// accelerator its caption marks focuses another control.
#include <windows.h>

#include "framework/Control.h"
#include "framework/ControlEnums.h"

namespace vl {

class TLabel : public TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TLabel(TComponent* owner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout l);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool v);
    // The control an accelerator of the caption focuses.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* c);

    bool DialogChar(char key) override;
    bool CanFocus() const override { return false; }

protected:
    void Paint(HDC dc, const RECT& clip) override;
    void WndProc(TMessage& msg) override;
    void TextChanged() override;
    void FontChanged() override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    // Sizes the control to its caption when AutoSize is on.
    void AdjustBounds();
    UINT DrawTextFlags() const;

private:
    bool autoSize_ = true;
    bool transparent_ = false;
    TAlignment alignment_ = TAlignment::LeftJustify;
    TTextLayout layout_ = TTextLayout::Top;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    bool pressed_ = false;
    TWinControl* focusControl_ = nullptr;
};

}  // namespace vl
