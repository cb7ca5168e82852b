#include "app/SkinnedMessageBox.h"

#include <memory>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/MessageBox.h"
#include "skin/SkinForm.h"
#include "skin/controls/MessageDialog.h"

namespace vorlinde {

namespace {

struct TButtonSet {
    int count;
    const char* captions[3];
    int results[3];
};

TButtonSet ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {2, {"OK", "Cancel", ""}, {IDOK, IDCANCEL, 0}};
    case MB_ABORTRETRYIGNORE: return {3, {"&Abort", "&Retry", "&Ignore"}, {IDABORT, IDRETRY, IDIGNORE}};
    case MB_YESNOCANCEL: return {3, {"&Yes", "&No", "Cancel"}, {IDYES, IDNO, IDCANCEL}};
    case MB_YESNO: return {2, {"&Yes", "&No", ""}, {IDYES, IDNO, 0}};
    case MB_RETRYCANCEL: return {2, {"&Retry", "Cancel", ""}, {IDRETRY, IDCANCEL, 0}};
    default: return {1, {"OK", "", ""}, {IDOK, 0, 0}};
    }
}

TsuiIconType IconOf(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return TsuiIconType::suiStop;
    case MB_ICONQUESTION: return TsuiIconType::suiHelp;
    case MB_ICONEXCLAMATION: return TsuiIconType::suiWarning;
    case MB_ICONASTERISK: return TsuiIconType::suiInformation;
    default: return TsuiIconType::suiNone;
    }
}

TsuiForm* FrameOf(vl::TForm* form) {
    if (!form) return nullptr;
    for (int i = 0; i < form->ControlCount(); ++i)
        if (auto* frame = dynamic_cast<TsuiForm*>(form->Controls(i))) return frame;
    return nullptr;
}

// A box raised while a skinned one is being shown (its painting failed, say) is the system's:
// a failure inside the dialog must not open dialogs without end.
int depth = 0;

}  // namespace

int SkinnedMessageBox(const std::string& text, const std::string& title, UINT type) {
    if (!vl::Application || depth > 0) return MessageBoxA(vl::Application ? vl::Application->Handle() : nullptr,
                                                          text.c_str(), title.c_str(), type);
    ++depth;
    struct TLeave {
        ~TLeave() { --depth; }
    } leave;
    // Owned by the main window, the dialog takes its look; the main window's theme file too.
    vl::TForm* mainForm = vl::Application->MainForm();
    auto dialog = std::make_unique<TsuiMessageDialog>(mainForm ? static_cast<vl::TComponent*>(mainForm)
                                                               : static_cast<vl::TComponent*>(vl::Application));
    if (TsuiForm* frame = FrameOf(mainForm)) {
        dialog->SetFileTheme(frame->FileTheme());
        dialog->SetUIStyle(frame->UIStyle());
    }
    dialog->SetCaption(title);
    dialog->SetText(text);
    dialog->SetIconType(IconOf(type));
    const TButtonSet buttons = ButtonsOf(type);
    dialog->SetButtonCount(buttons.count);
    for (int k = 1; k <= buttons.count; ++k) {
        dialog->SetButtonCaption(k, buttons.captions[k - 1]);
        dialog->SetButtonModalResult(k, buttons.results[k - 1]);
    }
    return dialog->Execute();
}

TSkinnedMessageBoxes::TSkinnedMessageBoxes() {
    vl::MessageBoxHandler = [](HWND, const std::string& text, const std::string& title, UINT type) {
        return SkinnedMessageBox(text, title, type);
    };
}

TSkinnedMessageBoxes::~TSkinnedMessageBoxes() { vl::MessageBoxHandler = nullptr; }

}  // namespace vorlinde
