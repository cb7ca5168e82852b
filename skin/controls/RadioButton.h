#pragma once
// TsuiRadioButton: the skinned radio button. Checking it unchecks every other radio button of
// the same parent and GroupIndex before OnClick fires; a click checks it, never unchecks it;
// Space and Enter do nothing. Receiving the focus from another item button of a radio group
// (window class "TsuiRadioGroupButton") checks it, so that moving through a radio group with
// the arrow keys selects the item reached.
#include "skin/controls/CheckBox.h"

namespace vorlinde {

class TsuiRadioButton : public TsuiCheckBox {
    VL_DECLARE_CLASS()
public:
    explicit TsuiRadioButton(vl::TComponent* owner);

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index) { groupIndex_ = index; }

protected:
    bool ImageTransparent() const override { return true; }
    int ImageItem() const override { return ThemeItem::RadioButtonImage; }
    // Checked: the others of the group are unchecked, then OnClick (unless loading).
    void DoChange() override;
    void Toggle() override;
    bool KeyToggles() const override { return false; }

    void CreateParams(vl::TCreateParams& params) override;
    void WndProc(vl::TMessage& msg) override;

private:
    void UncheckGroup();

    int groupIndex_ = 0;
};

}  // namespace vorlinde
