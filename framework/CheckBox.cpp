#include "framework/CheckBox.h"

namespace vl {

const TClassInfo& TCheckBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCheckBox>("TCheckBox", &TWinControl::StaticClass())
                                       .Creatable()
                                       .Prop("Checked", &TCheckBox::SetChecked, &TCheckBox::Checked)
                                       .Prop("State", &TCheckBox::SetState, &TCheckBox::State)
                                       .Prop("AllowGrayed", &TCheckBox::SetAllowGrayed, &TCheckBox::AllowGrayed)
                                       .Prop("AutoSize", &TCheckBox::SetAutoSize, &TCheckBox::AutoSize)
                                       .Prop("Alignment", &TCheckBox::SetAlignment, &TCheckBox::Alignment)
                                       .Custom("Ctl3D", IgnoreProperty<TCheckBox>)
                                       .Custom("ParentCtl3D", IgnoreProperty<TCheckBox>)
                                       .Build();
    return info;
}

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
    // Check boxes sit on their parent's surface: no strip of button face behind the caption.
    SetParentColor(true);
}

void TCheckBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = "BUTTON";
    params.style &= ~WS_CLIPCHILDREN;
    // Not the automatic styles: the state changes only through SetState.
    params.style |= allowGrayed_ ? BS_3STATE : BS_CHECKBOX;
    if (alignment_ == TAlignment::LeftJustify) params.style |= BS_LEFTTEXT;
}

void TCheckBox::WindowCreated() {
    TWinControl::WindowCreated();
    SendMessageA(Handle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

void TCheckBox::SetState(TCheckBoxState s) {
    if (s == TCheckBoxState::Grayed && !allowGrayed_) s = TCheckBoxState::Unchecked;
    if (s == state_) return;
    state_ = s;
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, static_cast<WPARAM>(s), 0);
    if (!Loading()) Click();
}

void TCheckBox::SetAllowGrayed(bool v) {
    if (v == allowGrayed_) return;
    allowGrayed_ = v;
    if (HandleAllocated()) {
        WPARAM style = (v ? BS_3STATE : BS_CHECKBOX) | (alignment_ == TAlignment::LeftJustify ? BS_LEFTTEXT : 0);
        SendMessageA(Handle(), BM_SETSTYLE, style, TRUE);
    }
    if (!v && state_ == TCheckBoxState::Grayed) SetState(TCheckBoxState::Unchecked);
}

void TCheckBox::SetAlignment(TAlignment a) {
    if (a == TAlignment::Center || a == alignment_) return;
    alignment_ = a;
    ChangeWindowStyle(GWL_STYLE, BS_LEFTTEXT, a == TAlignment::LeftJustify);
    Invalidate();
}

void TCheckBox::Toggle() {
    switch (state_) {
    case TCheckBoxState::Unchecked: SetState(TCheckBoxState::Checked); break;
    case TCheckBoxState::Checked:
        SetState(allowGrayed_ ? TCheckBoxState::Grayed : TCheckBoxState::Unchecked);
        break;
    case TCheckBoxState::Grayed: SetState(TCheckBoxState::Unchecked); break;
    }
}

void TCheckBox::CommandNotify(WORD code) {
    if (code == BN_CLICKED) Toggle();
}

bool TCheckBox::DialogChar(char key) {
    if (!IsAccelChar(key, Caption()) || !CanFocus()) return false;
    SetFocus();
    Toggle();
    return true;
}

}  // namespace vl
