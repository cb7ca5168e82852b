#include "skin/controls/RadioGroup.h"

#include "framework/ClassBuilder.h"

namespace vorlinde {

// ------------------------------------------------------------------------ TsuiRadioGroupButton

const vl::TClassInfo& TsuiRadioGroupButton::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiRadioGroupButton>("TsuiRadioGroupButton", &TsuiRadioButton::StaticClass()).Build();
    return info;
}

TsuiRadioGroupButton::TsuiRadioGroupButton(TsuiRadioGroup* group) : TsuiRadioButton(group), group_(group) {}

bool TsuiRadioGroupButton::NeedDrawFocus() { return (Focused() || (group_ && group_->Focused())) && Checked(); }

void TsuiRadioGroupButton::Toggle() {
    if (group_ && group_->CanToggle()) TsuiRadioButton::Toggle();
}

void TsuiRadioGroupButton::WndProc(vl::TMessage& msg) {
    if (group_ && group_->ItemKey(*this, msg)) return;
    TsuiRadioButton::WndProc(msg);
}

// ------------------------------------------------------------------------------ TsuiRadioGroup

const vl::TClassInfo& TsuiRadioGroup::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiRadioGroup>("TsuiRadioGroup", &TsuiCheckGroup::StaticClass())
            .Creatable()
            .Prop("ItemIndex", &TsuiRadioGroup::SetItemIndex, &TsuiRadioGroup::ItemIndex)
            .Build();
    return info;
}

TsuiRadioGroup::TsuiRadioGroup(vl::TComponent* owner) : TsuiCheckGroup(owner) {}

TsuiCheckBox* TsuiRadioGroup::CreateButton() { return new TsuiRadioGroupButton(this); }

int TsuiRadioGroup::ItemIndex() const {
    const auto& buttons = ButtonList();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i]->Checked()) return static_cast<int>(i);
    return -1;
}

void TsuiRadioGroup::SetItemIndex(int index) {
    const auto& buttons = ButtonList();
    if (index < -1 || index > static_cast<int>(buttons.size()) - 1) return;
    if (index == -1) {
        for (TsuiCheckBox* button : buttons) button->SetChecked(false);
        return;
    }
    buttons[static_cast<size_t>(index)]->SetChecked(true);
}

void TsuiRadioGroup::FocusItem() {
    const int index = ItemIndex();
    if (index < 0) return;
    TsuiCheckBox* button = ButtonList()[static_cast<size_t>(index)];
    if (button->CanFocus() && button->HandleAllocated()) button->SetFocus();
}

}  // namespace vorlinde
