#include "skin/controls/Edit.h"

#include "framework/ClassBuilder.h"
#include "skin/FileTheme.h"
#include "skin/controls/ControlBorder.h"

namespace vorlinde {

const vl::TClassInfo& TsuiEdit::StaticClass() {
    using E = TsuiEdit;
    static const vl::TClassInfo info = vl::TClassBuilder<E>("TsuiEdit", &vl::TEdit::StaticClass())
                                           .Creatable()
                                           .Reference("FileTheme", &E::SetFileTheme, &E::FileTheme)
                                           .Prop("UIStyle", &E::SetUIStyle, &E::UIStyle)
                                           .ColorProp("BorderColor", &E::SetBorderColor, &E::BorderColor)
                                           .Build();
    return info;
}

TsuiEdit::TsuiEdit(vl::TComponent* owner) : vl::TEdit(owner), uiStyle_(GetFormUIStyle(owner)), fileTheme_(*this) {
    SetBorderStyle(vl::TBorderStyle::None);
    borderColor_ = ControlBorderColor(nullptr, uiStyle_);
}

void TsuiEdit::SetBorderColor(uint32_t color) {
    borderColor_ = color;
    RedrawControlBorder(*this);
}

void TsuiEdit::SetUIStyle(TsuiUIStyle style) {
    uiStyle_ = style;
    SetBorderColor(ControlBorderColor(fileTheme_.Get(), uiStyle_));
}

void TsuiEdit::SetFileTheme(TsuiFileTheme* theme) {
    fileTheme_.Set(theme);
    SetUIStyle(uiStyle_);
}

void TsuiEdit::Notification(vl::TComponent* component, vl::TOperation operation) {
    vl::TEdit::Notification(component, operation);
    if (operation == vl::TOperation::Remove && fileTheme_.Forget(component)) SetUIStyle(TsuiUIStyle::DeepBlue);
}

void TsuiEdit::WndProc(vl::TMessage& msg) {
    HandleWithControlBorder(msg, borderColor_, Color(), [this](vl::TMessage& m) { vl::TEdit::WndProc(m); });
}

}  // namespace vorlinde
