#include "skin/controls/InputDialog.h"

#include <memory>

#include "framework/Application.h"
#include "framework/ClassBuilder.h"
#include "framework/Label.h"
#include "skin/SkinForm.h"
#include "skin/controls/Button.h"
#include "skin/controls/DialogForms.h"
#include "skin/controls/Edit.h"

namespace vorlinde {

namespace {
constexpr int kButtonGapFromCentre = 8;

char PasswordCharFromProp(const vl::TPropValue& v) {
    if (v.kind == vl::TPropValue::Kind::Integer) return static_cast<char>(v.AsInt());
    const std::string& text = v.AsString();
    return text.empty() ? '\0' : text[0];
}
}  // namespace

const vl::TClassInfo& TsuiInputDialog::StaticClass() {
    using D = TsuiInputDialog;
    static const vl::TClassInfo info =
        vl::TClassBuilder<D>("TsuiInputDialog", &TsuiDialog::StaticClass())
            .Creatable()
            .Custom("ButtonCursor", [](D& d, const vl::TPropValue& v) { d.SetButtonCursor(vl::CursorFromPropValue(v)); },
                    [](const D& d) { return vl::TPropValue::Int(d.ButtonCursor()); })
            .Custom("PasswordChar", [](D& d, const vl::TPropValue& v) { d.SetPasswordChar(PasswordCharFromProp(v)); },
                    [](const D& d) { return vl::TPropValue::Str(std::string(d.PasswordChar() ? 1 : 0, d.PasswordChar())); })
            .Prop("PromptText", &D::SetPromptText, &D::PromptText)
            .Prop("ValueText", &D::SetValueText, &D::ValueText)
            .Prop("ButtonOKCaption", &D::SetButtonOKCaption, &D::ButtonOKCaption)
            .Prop("ButtonCancelCaption", &D::SetButtonCancelCaption, &D::ButtonCancelCaption)
            .Build();
    return info;
}

TsuiInputDialog::TsuiInputDialog(vl::TComponent* owner) : TsuiDialog(owner) {}

int TsuiInputDialog::Execute() {
    auto window = std::make_unique<TfrmInput>(vl::Application);
    window->Font()->Assign(*Font());
    window->lbl_prompt->SetCaption(promptText_);
    window->edt_value->SetText(valueText_);
    window->edt_value->SetPasswordChar(passwordChar_);
    window->btn1->SetCaption(okCaption_);
    window->btn1->SetDefault(true);
    window->btn2->SetCaption(cancelCaption_);
    window->btn2->SetCancel(true);
    window->SetPosition(Position());
    window->UpdateWindowStyles();
    const int middle = window->Width() / 2;
    window->btn1->SetLeft(middle - window->btn1->Width() - kButtonGapFromCentre);
    window->btn2->SetLeft(middle + kButtonGapFromCentre);
    window->btn1->SetCursor(ButtonCursor());
    window->btn2->SetCursor(ButtonCursor());
    PrepareWindow(*window, *window->suiForm1);
    const int result = window->ShowModal();
    if (result == vl::mrOk) valueText_ = window->edt_value->Text();
    return result;
}

}  // namespace vorlinde
