#include "framework/Dialogs.h"

#include <commdlg.h>
#include <cderr.h>

#include <vector>

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/MessageBox.h"

namespace vl {

namespace {
struct OptionName {
    const char* name;
    TOpenOption option;
    DWORD flag;
};

constexpr OptionName kOptions[] = {
    {"ofReadOnly", ofReadOnly, OFN_READONLY},
    {"ofOverwritePrompt", ofOverwritePrompt, OFN_OVERWRITEPROMPT},
    {"ofHideReadOnly", ofHideReadOnly, OFN_HIDEREADONLY},
    {"ofNoChangeDir", ofNoChangeDir, OFN_NOCHANGEDIR},
    {"ofShowHelp", ofShowHelp, OFN_SHOWHELP},
    {"ofNoValidate", ofNoValidate, OFN_NOVALIDATE},
    {"ofAllowMultiSelect", ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
    {"ofExtensionDifferent", ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
    {"ofPathMustExist", ofPathMustExist, OFN_PATHMUSTEXIST},
    {"ofFileMustExist", ofFileMustExist, OFN_FILEMUSTEXIST},
    {"ofCreatePrompt", ofCreatePrompt, OFN_CREATEPROMPT},
    {"ofShareAware", ofShareAware, OFN_SHAREAWARE},
    {"ofNoReadOnlyReturn", ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
    {"ofNoTestFileCreate", ofNoTestFileCreate, OFN_NOTESTFILECREATE},
    {"ofNoNetworkButton", ofNoNetworkButton, OFN_NONETWORKBUTTON},
    {"ofNoLongNames", ofNoLongNames, OFN_NOLONGNAMES},
    {"ofOldStyleDialog", ofOldStyleDialog, 0},
    {"ofNoDereferenceLinks", ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
    {"ofEnableIncludeNotify", ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY},
    {"ofEnableSizing", ofEnableSizing, OFN_ENABLESIZING},
    {"ofDontAddToRecent", ofDontAddToRecent, OFN_DONTADDTORECENT},
    {"ofForceShowHidden", ofForceShowHidden, OFN_FORCESHOWHIDDEN},
};

TOpenOptions OptionsFromProp(const TPropValue& v) {
    if (v.kind != TPropValue::Kind::Set) throw EReadError("Set expected for Options");
    TOpenOptions options = 0;
    for (const std::string& s : v.set) {
        bool found = false;
        for (const auto& o : kOptions)
            if (SameText(o.name, s)) {
                options |= o.option;
                found = true;
            }
        if (!found) throw EReadError("Invalid option '" + s + "'");
    }
    return options;
}

TPropValue OptionsToProp(TOpenOptions options) {
    TPropValue v;
    v.kind = TPropValue::Kind::Set;
    for (const auto& o : kOptions)
        if (options & o.option) v.set.push_back(o.name);
    return v;
}

template <class T>
void Ignore(T&, const TPropValue&) {}

HWND DialogOwner(HWND explicitOwner) {
    if (explicitOwner) return explicitOwner;
    HWND active = GetActiveWindow();
    if (active && TWinControl::FromHandle(active)) return active;
    if (Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
        return Application->MainForm()->Handle();
    return Application ? Application->Handle() : nullptr;
}

// The path of a multi-selection result: "folder\0name1\0name2\0\0", or one full path.
std::vector<std::string> SplitMultiSelect(const std::vector<char>& buffer) {
    std::vector<std::string> parts;
    size_t i = 0;
    while (i < buffer.size() && buffer[i]) {
        std::string part(&buffer[i]);
        i += part.size() + 1;
        parts.push_back(std::move(part));
    }
    if (parts.size() <= 1) return parts;
    std::vector<std::string> files;
    std::string folder = parts[0];
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    for (size_t k = 1; k < parts.size(); ++k) files.push_back(folder + parts[k]);
    return files;
}
}  // namespace

std::function<bool(TOpenDialog&)> TOpenDialog::ExecuteOverride;

const TClassInfo& TOpenDialog::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TOpenDialog>("TOpenDialog", &TComponent::StaticClass())
            .Creatable()
            .Prop("Title", &TOpenDialog::SetTitle, &TOpenDialog::Title)
            .Prop("Filter", &TOpenDialog::SetFilter, &TOpenDialog::Filter)
            .Prop("FilterIndex", &TOpenDialog::SetFilterIndex, &TOpenDialog::FilterIndex)
            .Prop("FileName", &TOpenDialog::SetFileName, &TOpenDialog::FileName)
            .Prop("InitialDir", &TOpenDialog::SetInitialDir, &TOpenDialog::InitialDir)
            .Prop("DefaultExt", &TOpenDialog::SetDefaultExt, &TOpenDialog::DefaultExt)
            .Custom("Options", [](TOpenDialog& d, const TPropValue& v) { d.SetOptions(OptionsFromProp(v)); },
                    [](const TOpenDialog& d) { return OptionsToProp(d.Options()); })
            .Custom("Ctl3D", Ignore<TOpenDialog>)
            .Custom("HelpContext", Ignore<TOpenDialog>)
            .Event("OnShow", &TOpenDialog::OnShow)
            .Event("OnClose", &TOpenDialog::OnClose)
            .Build();
    return info;
}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

std::string TOpenDialog::NativeFilter(const std::string& filter) {
    if (filter.empty()) return std::string();
    std::string native = filter;
    for (char& c : native)
        if (c == '|') c = '\0';
    // An odd number of parts lacks the last pattern: repeat the description.
    size_t parts = 1;
    for (char c : filter)
        if (c == '|') ++parts;
    if (parts % 2) native += '\0' + filter.substr(filter.rfind('|') + 1);
    native += '\0';  // the terminating empty string (std::string adds the final NUL)
    return native;
}

DWORD TOpenDialog::NativeFlags(TOpenOptions options) {
    DWORD flags = OFN_EXPLORER;
    for (const auto& o : kOptions)
        if (options & o.option) flags |= o.flag;
    if (options & ofOldStyleDialog) flags &= ~static_cast<DWORD>(OFN_EXPLORER);
    return flags;
}

bool TOpenDialog::Execute() {
    if (ExecuteOverride) return ExecuteOverride(*this);
    std::string filter = NativeFilter(filter_);
    std::vector<char> buffer(64 * 1024, '\0');
    fileName_.copy(buffer.data(), std::min(fileName_.size(), buffer.size() - 2));
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = DialogOwner(ownerWindow_);
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(std::max(filterIndex_, 0));
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
    ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
    ofn.Flags = NativeFlags(options_);
    if (OnShow) OnShow(this);
    BOOL ok = RunDialog(ofn);
    if (OnClose) OnClose(this);
    if (!ok) {
        if (DWORD error = CommDlgExtendedError())
            throw EInvalidOperation("The file dialog failed (error " + std::to_string(error) + ")");
        return false;
    }
    files_.Clear();
    if (options_ & ofAllowMultiSelect) {
        for (const std::string& f : SplitMultiSelect(buffer)) files_.Add(f);
    } else {
        files_.Add(buffer.data());
    }
    fileName_ = files_.Count() > 0 ? files_[0] : std::string();
    filterIndex_ = static_cast<int>(ofn.nFilterIndex);
    return true;
}

BOOL TOpenDialog::RunDialog(OPENFILENAMEA& ofn) { return GetOpenFileNameA(&ofn); }

const TClassInfo& TSaveDialog::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TSaveDialog>("TSaveDialog", &TOpenDialog::StaticClass()).Creatable().Build();
    return info;
}

TSaveDialog::TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

BOOL TSaveDialog::RunDialog(OPENFILENAMEA& ofn) { return GetSaveFileNameA(&ofn); }

void ShowMessage(const std::string& text) { MessageDlg(text, MB_OK); }

int MessageDlg(const std::string& text, UINT type) {
    std::string title = Application ? Application->Title() : std::string();
    return ShowMessageBox(DialogOwner(nullptr), text, title, type);
}

}  // namespace vl
