#include "skin/controls/DialogForms.h"

#include <cstring>

#include "framework/ClassBuilder.h"
#include "framework/ComponentBinding.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "skin/SkinForm.h"
#include "skin/controls/Button.h"
#include "skin/controls/Edit.h"

namespace vorlinde {

namespace {

const std::string kRule(27, '-');

// Memory handed to the clipboard: freed here unless the clipboard took it.
class TClipboardMemory {
public:
    explicit TClipboardMemory(const std::string& text) : memory_(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        if (!memory_) return;
        if (void* p = GlobalLock(memory_)) {
            std::memcpy(p, text.c_str(), text.size() + 1);
            GlobalUnlock(memory_);
        }
    }
    ~TClipboardMemory() {
        if (memory_) GlobalFree(memory_);
    }
    TClipboardMemory(const TClipboardMemory&) = delete;
    TClipboardMemory& operator=(const TClipboardMemory&) = delete;

    HGLOBAL Get() const { return memory_; }
    void Release() { memory_ = nullptr; }

private:
    HGLOBAL memory_;
};

class TOpenClipboard {
public:
    explicit TOpenClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~TOpenClipboard() {
        if (open_) CloseClipboard();
    }
    TOpenClipboard(const TOpenClipboard&) = delete;
    TOpenClipboard& operator=(const TOpenClipboard&) = delete;
    bool Open() const { return open_; }

private:
    bool open_;
};

}  // namespace

bool CopyTextToClipboard(HWND owner, const std::string& text) {
    TClipboardMemory memory(text);
    if (!memory.Get()) return false;
    TOpenClipboard clipboard(owner);
    if (!clipboard.Open()) return false;
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, memory.Get())) return false;
    memory.Release();  // the clipboard owns it now
    return true;
}

const vl::TClassInfo& TfrmMsg::StaticClass() {
    static const vl::TClassInfo info = vl::TClassBuilder<TfrmMsg>("TfrmMsg", &vl::TForm::StaticClass()).Build();
    return info;
}

TfrmMsg::TfrmMsg(vl::TComponent* owner) : vl::TForm(owner) {
    RegisterHandler("FormKeyDown", &TfrmMsg::FormKeyDown);
    LoadFromResource("TFRMMSG");
}

void TfrmMsg::Loaded() {
    vl::TForm::Loaded();
    suiForm1 = vl::BindComponent<TsuiForm>(*this, "suiForm1");
    lbl = vl::BindComponent<vl::TLabel>(*this, "lbl");
    Image1 = vl::BindComponent<vl::TImage>(*this, "Image1");
}

std::string TfrmMsg::ClipboardText() const {
    std::string buttons;
    for (const TsuiButton* button : Buttons) {
        if (!buttons.empty()) buttons += "   ";
        buttons += button->Caption();
    }
    return kRule + "\r\n" + Caption() + "\r\n" + kRule + "\r\n" + lbl->Caption() + "\r\n" + kRule + "\r\n" +
           buttons + "\r\n" + kRule;
}

void TfrmMsg::FormKeyDown(vl::TObject*, WORD& key, vl::TShiftState shift) {
    if (key != 'C' || !(shift & vl::ssCtrl)) return;
    CopyTextToClipboard(Handle(), ClipboardText());
}

namespace {
constexpr UINT kFocusWhenShown = WM_APP + 0x51;
}

void TfrmMsg::FocusWhenShown(vl::TWinControl* control) {
    focusWhenShown_ = control;
    SetActiveControl(control);
    PostMessageA(Handle(), kFocusWhenShown, 0, 0);
}

void TfrmMsg::WndProc(vl::TMessage& msg) {
    if (msg.msg == kFocusWhenShown) {
        if (focusWhenShown_ && focusWhenShown_->HandleAllocated() && focusWhenShown_->CanFocus())
            focusWhenShown_->SetFocus();
        return;
    }
    vl::TForm::WndProc(msg);
}

const vl::TClassInfo& TfrmInput::StaticClass() {
    static const vl::TClassInfo info = vl::TClassBuilder<TfrmInput>("TfrmInput", &vl::TForm::StaticClass()).Build();
    return info;
}

TfrmInput::TfrmInput(vl::TComponent* owner) : vl::TForm(owner) { LoadFromResource("TFRMINPUT"); }

void TfrmInput::Loaded() {
    vl::TForm::Loaded();
    suiForm1 = vl::BindComponent<TsuiForm>(*this, "suiForm1");
    lbl_prompt = vl::BindComponent<vl::TLabel>(*this, "lbl_prompt");
    edt_value = vl::BindComponent<TsuiEdit>(*this, "edt_value");
    btn1 = vl::BindComponent<TsuiButton>(*this, "btn1");
    btn2 = vl::BindComponent<TsuiButton>(*this, "btn2");
}

}  // namespace vorlinde
