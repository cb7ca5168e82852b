#pragma once
// TsuiCheckBox: the skinned check box. It draws, into one off-screen bitmap copied in one
// block, the style's picture of its state (checked or not, enabled or not; four images of one
// strip) and its caption beside it. A click, Space, Enter or the caption's accelerator toggles
// it; OnClick reports every change of Checked, also one made by the program, except while its
// form is being loaded. With AutoSize it takes the size of its picture and caption.
//
// Slots filled in by the radio button: whether the focus shows, whether the picture has a
// see-through colour, which theme item holds the pictures, what a change of state does, and
// how a click toggles.
#include <windows.h>

#include <string>

#include "framework/ControlEnums.h"
#include "framework/CustomControl.h"
#include "skin/UIStyle.h"
#include "skin/controls/ThemeLook.h"

namespace vl {
class TBitmap;
}

namespace vorlinde {

class TsuiFileTheme;

class TsuiCheckBox : public vl::TCustomControl {
    VL_DECLARE_CLASS()
public:
    explicit TsuiCheckBox(vl::TComponent* owner);

    bool Checked() const { return checked_; }
    // A change repaints and runs DoChange; setting the current value does nothing.
    void SetChecked(bool checked);
    // A view of Checked: cbGrayed unchecks (there is no grayed look).
    vl::TCheckBoxState State() const { return checked_ ? vl::TCheckBoxState::Checked : vl::TCheckBoxState::Unchecked; }
    void SetState(vl::TCheckBoxState state) { SetChecked(state == vl::TCheckBoxState::Checked); }
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return fileTheme_.Get(); }
    // Stores the reference (not owned) and repaints with its look.
    void SetFileTheme(TsuiFileTheme* theme);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);

    // Toggle (OnClick comes from the change of Checked).
    void Click() override;
    bool DialogChar(char key) override;

protected:
    // --- slots
    virtual bool NeedDrawFocus();
    virtual bool ImageTransparent() const { return false; }
    virtual int ImageItem() const { return ThemeItem::CheckBoxImage; }
    // Raises OnClick unless the form is loading.
    virtual void DoChange();
    virtual void BeforeToggle() {}
    virtual void Toggle();
    // Space and Enter toggle.
    virtual bool KeyToggles() const { return true; }

    // True while this component or its owner is being loaded from a form description.
    bool FormLoading() const;

    void CreateParams(vl::TCreateParams& params) override;
    void WndProc(vl::TMessage& msg) override;
    void Paint(HDC dc, const RECT& clip) override;
    void TextChanged() override;
    void FontChanged() override;
    void Loaded() override;
    void Notification(vl::TComponent* component, vl::TOperation operation) override;

private:
    // 1 checked, 2 unchecked, 3 checked and disabled, 4 unchecked and disabled.
    int ImageIndex() const;
    // The picture of the current state, kept until the next restyle; null when the style has
    // none or it cannot be read.
    vl::TBitmap* StatePicture();
    // With AutoSize: as high as the picture or a line of text, plus 4; as wide as picture,
    // caption and 8 pixels.
    void AdjustSize();
    // The style changed: the pictures are read again, the size follows them.
    void Restyled();

    bool checked_ = false;
    TsuiUIStyle uiStyle_;
    TsuiThemeLink fileTheme_;
    bool autoSize_ = true;
    bool transparent_ = false;
    bool keyPressed_ = false;  // Space or Enter went down on this control
    TsuiStripImages images_;
};

}  // namespace vorlinde
