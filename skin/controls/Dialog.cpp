#include "skin/controls/Dialog.h"

#include "framework/ClassBuilder.h"
#include "framework/Colors.h"
#include "framework/FormEnums.h"
#include "skin/FileTheme.h"
#include "skin/SkinForm.h"

namespace vorlinde {

const vl::TClassInfo& TsuiDialog::StaticClass() {
    using D = TsuiDialog;
    static const vl::TClassInfo info = vl::TClassBuilder<D>("TsuiDialog", &vl::TComponent::StaticClass())
                                           .Reference("FileTheme", &D::SetFileTheme, &D::FileTheme)
                                           .Prop("Position", &D::SetPosition, &D::Position)
                                           .Prop("Caption", &D::SetCaption, &D::Caption)
                                           .Prop("UIStyle", &D::SetUIStyle, &D::UIStyle)
                                           .Object("Font", &D::Font)
                                           .Object("CaptionFont", &D::CaptionFont)
                                           .Build();
    return info;
}

TsuiDialog::TsuiDialog(vl::TComponent* owner)
    : vl::TComponent(owner), fileTheme_(*this), uiStyle_(GetFormUIStyle(owner)) {
    captionFont_.SetName("Tahoma");
    captionFont_.SetStyle(vl::fsBold);
    captionFont_.SetColor(vl::clWhite);
}

TsuiDialog::~TsuiDialog() = default;

void TsuiDialog::SetUIStyle(TsuiUIStyle style) {
    uiStyle_ = style;
    if (style == TsuiUIStyle::MacOS) captionFont_.SetColor(vl::clBlack);
}

void TsuiDialog::SetFileTheme(TsuiFileTheme* theme) {
    fileTheme_.Set(theme);
    SetUIStyle(uiStyle_);
}

void TsuiDialog::Notification(vl::TComponent* component, vl::TOperation operation) {
    vl::TComponent::Notification(component, operation);
    if (operation == vl::TOperation::Remove && fileTheme_.Forget(component)) uiStyle_ = TsuiUIStyle::DeepBlue;
}

void TsuiDialog::PrepareWindow(vl::TForm& window, TsuiForm& frame) {
    window.SetPosition(position_);
    window.UpdateWindowStyles();
    frame.SetCaption(caption_);
    frame.SetUIStyle(uiStyle_);
    frame.SetFileTheme(fileTheme_.Get());
    frame.TitleFont()->Assign(captionFont_);
}

}  // namespace vorlinde
