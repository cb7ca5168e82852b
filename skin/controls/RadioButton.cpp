#include "skin/controls/RadioButton.h"

#include <string>

#include "framework/ClassBuilder.h"

namespace vorlinde {

namespace {
// The window class of a radio group's item buttons.
const char kGroupButtonClass[] = "TsuiRadioGroupButton";

bool IsGroupButtonWindow(HWND window) {
    char name[64] = {};
    return window && GetClassNameA(window, name, sizeof name) > 0 && std::string(name) == kGroupButtonClass;
}
}  // namespace

const vl::TClassInfo& TsuiRadioButton::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiRadioButton>("TsuiRadioButton", &TsuiCheckBox::StaticClass())
            .Creatable()
            .Prop("GroupIndex", &TsuiRadioButton::SetGroupIndex, &TsuiRadioButton::GroupIndex)
            .Build();
    return info;
}

TsuiRadioButton::TsuiRadioButton(vl::TComponent* owner) : TsuiCheckBox(owner) {}

void TsuiRadioButton::CreateParams(vl::TCreateParams& params) {
    TsuiCheckBox::CreateParams(params);
    params.classStyle = CS_DBLCLKS;
}

void TsuiRadioButton::UncheckGroup() {
    vl::TWinControl* parent = Parent();
    if (!parent) return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* other = dynamic_cast<TsuiRadioButton*>(parent->Controls(i));
        if (other && other != this && other->groupIndex_ == groupIndex_) other->SetChecked(false);
    }
}

void TsuiRadioButton::DoChange() {
    if (!Checked()) return;
    UncheckGroup();
    if (!FormLoading() && OnClick) OnClick(this);
}

void TsuiRadioButton::Toggle() {
    if (!Checked()) SetChecked(true);
}

void TsuiRadioButton::WndProc(vl::TMessage& msg) {
    if (msg.msg == WM_SETFOCUS) {
        const HWND previous = reinterpret_cast<HWND>(msg.wParam);
        TsuiCheckBox::WndProc(msg);
        if (previous != msg.hwnd && IsGroupButtonWindow(previous)) Click();
        return;
    }
    TsuiCheckBox::WndProc(msg);
}

}  // namespace vorlinde
