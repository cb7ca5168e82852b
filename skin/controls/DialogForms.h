#pragma once
// The windows of the skinned dialogs, loaded from their form descriptions ("TFRMMSG",
// "TFRMINPUT"): a skinned frame with a label, an icon or an edit, and skinned buttons. The
// dialog components build, show and free them (skin/controls/MessageDialog.h, InputDialog.h).
#include <string>
#include <vector>

#include "framework/Form.h"

namespace vl {
class TImage;
class TLabel;
}  // namespace vl

namespace vorlinde {

class TsuiButton;
class TsuiEdit;
class TsuiForm;

// The message box window. Ctrl+C copies its content to the clipboard as text.
class TfrmMsg : public vl::TForm {
    VL_DECLARE_CLASS()
public:
    explicit TfrmMsg(vl::TComponent* owner);

    TsuiForm* suiForm1 = nullptr;
    vl::TLabel* lbl = nullptr;
    vl::TImage* Image1 = nullptr;
    // The buttons the dialog made, in the order it made them (the rightmost first).
    std::vector<TsuiButton*> Buttons;

    // The window's content as Ctrl+C copies it: caption, text and button captions between
    // lines of hyphens, lines separated by CR LF, no line break at the end.
    std::string ClipboardText() const;
    // Ctrl+C (whatever other modifiers are held): ClipboardText to the clipboard.
    void FormKeyDown(vl::TObject* sender, WORD& key, vl::TShiftState shift);
    // Showing the window activates it, and the system may focus another of its controls on
    // the way: `control` takes the focus once the showing is done.
    void FocusWhenShown(vl::TWinControl* control);

protected:
    void Loaded() override;
    void WndProc(vl::TMessage& msg) override;

private:
    vl::TWinControl* focusWhenShown_ = nullptr;
};

// The input box window.
class TfrmInput : public vl::TForm {
    VL_DECLARE_CLASS()
public:
    explicit TfrmInput(vl::TComponent* owner);

    TsuiForm* suiForm1 = nullptr;
    vl::TLabel* lbl_prompt = nullptr;
    TsuiEdit* edt_value = nullptr;
    TsuiButton* btn1 = nullptr;
    TsuiButton* btn2 = nullptr;

protected:
    void Loaded() override;
};

// Puts `text` on the clipboard as CF_TEXT, the clipboard opened for `owner`; false when the
// clipboard could not be opened or did not take the text. The clipboard is closed again in
// every case it was opened.
bool CopyTextToClipboard(HWND owner, const std::string& text);

}  // namespace vorlinde
