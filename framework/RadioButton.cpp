#include "framework/RadioButton.h"

namespace vl {

const TClassInfo& TRadioButton::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TRadioButton>("TRadioButton", &TWinControl::StaticClass())
            .Creatable()
            .Prop("Checked", &TRadioButton::SetChecked, &TRadioButton::Checked)
            .Prop("Alignment", &TRadioButton::SetAlignment, &TRadioButton::Alignment)
            .Custom("Ctl3D", IgnoreProperty<TRadioButton>)
            .Custom("ParentCtl3D", IgnoreProperty<TRadioButton>)
            .Build();
    return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 113, 17);
    SetTabStop(true);
    SetParentColor(true);
}

void TRadioButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = "BUTTON";
    params.style &= ~WS_CLIPCHILDREN;
    params.style |= BS_RADIOBUTTON;
    if (alignment_ == TAlignment::LeftJustify) params.style |= BS_LEFTTEXT;
}

void TRadioButton::WindowCreated() {
    TWinControl::WindowCreated();
    SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool v) {
    if (v == checked_) return;
    checked_ = v;
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!v) return;
    if (TWinControl* p = Parent())
        for (int i = 0; i < p->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(p->Controls(i)); other && other != this)
                other->SetChecked(false);
    if (!Loading()) Click();
}

void TRadioButton::SetAlignment(TAlignment a) {
    if (a == TAlignment::Center || a == alignment_) return;
    alignment_ = a;
    ChangeWindowStyle(GWL_STYLE, BS_LEFTTEXT, a == TAlignment::LeftJustify);
    Invalidate();
}

void TRadioButton::CommandNotify(WORD code) {
    if (code == BN_CLICKED) SetChecked(true);
}

bool TRadioButton::DialogChar(char key) {
    if (!IsAccelChar(key, Caption()) || !CanFocus()) return false;
    SetFocus();
    SetChecked(true);
    return true;
}

}  // namespace vl
