#pragma once
// TsuiRadioGroup: a check group whose items are radio buttons; ItemIndex is the checked one
// (-1: none). Selecting an item raises OnClick once, for the newly checked button. The arrow
// keys select the previous or next item: the item that receives the focus from another item
// button checks itself.
//
// TsuiRadioGroupButton is the radio button it makes for an item (window class
// "TsuiRadioGroupButton", which that focus rule looks for).
#include "skin/controls/CheckGroup.h"
#include "skin/controls/RadioButton.h"

namespace vorlinde {

class TsuiRadioGroup;

class TsuiRadioGroupButton : public TsuiRadioButton {
    VL_DECLARE_CLASS()
public:
    explicit TsuiRadioGroupButton(TsuiRadioGroup* group);
    TsuiRadioGroup* Group() const { return group_; }

protected:
    // The checked item shows the focus while it or the group has it.
    bool NeedDrawFocus() override;
    // Only when the group lets its items toggle.
    void Toggle() override;
    void WndProc(vl::TMessage& msg) override;

private:
    TsuiRadioGroup* group_;
};

class TsuiRadioGroup : public TsuiCheckGroup {
    VL_DECLARE_CLASS()
public:
    explicit TsuiRadioGroup(vl::TComponent* owner);

    // The first checked item, -1 when none is.
    int ItemIndex() const;
    // -1 unchecks every item; an index within the items checks that one (the others uncheck
    // themselves); anything else is ignored.
    void SetItemIndex(int index);

    virtual bool CanToggle() const { return true; }

protected:
    TsuiCheckBox* CreateButton() override;
    // The checked item takes the focus.
    void FocusItem() override;
};

}  // namespace vorlinde
