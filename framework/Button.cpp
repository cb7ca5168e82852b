#include "framework/Button.h"

#include "framework/Form.h"

namespace vl {

const TClassInfo& TButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TButton>("TButton", &TWinControl::StaticClass())
                                       .Creatable()
                                       .Prop("Default", &TButton::SetDefault, &TButton::Default)
                                       .Prop("Cancel", &TButton::SetCancel, &TButton::Cancel)
                                       .Prop("ModalResult", &TButton::SetModalResult, &TButton::ModalResult)
                                       .Build();
    return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = "BUTTON";
    params.style &= ~WS_CLIPCHILDREN;
    params.style |= (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    active_ = default_;
}

void TButton::SetDefault(bool v) {
    if (v == default_) return;
    default_ = v;
    TWinControl* focused = TWinControl::FromHandle(GetFocus());
    UpdateDefaultLook(v && !(focused && focused != this && focused->IsButtonControl()));
}

void TButton::UpdateDefaultLook(bool active) {
    if (active == active_) return;
    active_ = active;
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETSTYLE, active ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::FocusChanged(TWinControl* focused) {
    // The focused button looks like the default one; the default button does while no other
    // button has the focus.
    if (focused == this) UpdateDefaultLook(true);
    else if (focused && focused->IsButtonControl()) UpdateDefaultLook(false);
    else UpdateDefaultLook(default_);
}

void TButton::CommandNotify(WORD code) {
    if (code == BN_CLICKED) Click();
}

void TButton::Click() {
    if (modalResult_ != 0)
        if (TForm* form = ParentForm()) form->SetModalResult(modalResult_);
    TWinControl::Click();
}

}  // namespace vl
