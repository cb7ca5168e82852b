#pragma once
// TsuiInputDialog: a skinned one-line input box with a prompt, an edit field and OK / Cancel
// buttons centred on the window. ValueText is what the field shows at opening; OK takes the
// field's text into it, any other way of closing leaves it as it was.
#include <string>

#include "skin/controls/Dialog.h"

namespace vorlinde {

class TsuiInputDialog : public TsuiDialog {
    VL_DECLARE_CLASS()
public:
    explicit TsuiInputDialog(vl::TComponent* owner);

    // 0 shows the text; another character stands for each character typed.
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char c) { passwordChar_ = c; }
    const std::string& PromptText() const { return promptText_; }
    void SetPromptText(const std::string& text) { promptText_ = text; }
    const std::string& ValueText() const { return valueText_; }
    void SetValueText(const std::string& text) { valueText_ = text; }
    const std::string& ButtonOKCaption() const { return okCaption_; }
    void SetButtonOKCaption(const std::string& caption) { okCaption_ = caption; }
    const std::string& ButtonCancelCaption() const { return cancelCaption_; }
    void SetButtonCancelCaption(const std::string& caption) { cancelCaption_ = caption; }

    int Execute() override;

private:
    char passwordChar_ = 0;
    std::string promptText_ = "Prompt text:";
    std::string valueText_;
    std::string okCaption_ = "OK";
    std::string cancelCaption_ = "Cancel";
};

}  // namespace vorlinde
