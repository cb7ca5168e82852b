#pragma once
// The open-file dialog and simple message boxes.
#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>

#include "framework/ClassBuilder.h"
#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/Strings.h"

namespace vl {

enum TOpenOption : unsigned {
    ofReadOnly = 1u << 0, ofOverwritePrompt = 1u << 1, ofHideReadOnly = 1u << 2, ofNoChangeDir = 1u << 3,
    ofShowHelp = 1u << 4, ofNoValidate = 1u << 5, ofAllowMultiSelect = 1u << 6, ofExtensionDifferent = 1u << 7,
    ofPathMustExist = 1u << 8, ofFileMustExist = 1u << 9, ofCreatePrompt = 1u << 10, ofShareAware = 1u << 11,
    ofNoReadOnlyReturn = 1u << 12, ofNoTestFileCreate = 1u << 13, ofNoNetworkButton = 1u << 14,
    ofNoLongNames = 1u << 15, ofOldStyleDialog = 1u << 16, ofNoDereferenceLinks = 1u << 17,
    ofEnableIncludeNotify = 1u << 18, ofEnableSizing = 1u << 19, ofDontAddToRecent = 1u << 20,
    ofForceShowHidden = 1u << 21
};
using TOpenOptions = unsigned;

class TOpenDialog : public TComponent {
    VL_DECLARE_CLASS()
public:
    explicit TOpenDialog(TComponent* owner);

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& v) { title_ = v; }
    // "description|pattern|description|pattern"
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& v) { filter_ = v; }
    // 1-based; the dialog stores the user's choice back.
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int v) { filterIndex_ = v; }
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& v) { fileName_ = v; }
    // With ofAllowMultiSelect, every chosen file as a full path (otherwise just FileName).
    TStrings* Files() { return &files_; }
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& v) { initialDir_ = v; }
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& v) { defaultExt_ = v; }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions v) { options_ = v; }
    // The window that owns the dialog; none: the active form or the application window.
    void SetOwnerWindow(HWND hwnd) { ownerWindow_ = hwnd; }

    // Shows the dialog; true when the user chose a file (FileName, Files and FilterIndex then
    // hold the choice), false when cancelled.
    virtual bool Execute();

    // The filter as the system wants it: pairs separated and ended by NUL characters.
    static std::string NativeFilter(const std::string& filter);
    // The OFN_ flags for `options` (always with OFN_EXPLORER).
    static DWORD NativeFlags(TOpenOptions options);

    // When set, Execute calls it instead of showing the dialog (tests).
    static std::function<bool(TOpenDialog&)> ExecuteOverride;

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

protected:
    // Runs the system dialog with `ofn` filled in.
    virtual BOOL RunDialog(OPENFILENAMEA& ofn);

private:
    std::string title_, filter_, fileName_, initialDir_, defaultExt_;
    int filterIndex_ = 1;
    TOpenOptions options_ = ofHideReadOnly | ofEnableSizing;
    TStringList files_;
    HWND ownerWindow_ = nullptr;
};

// The same dialog for saving.
class TSaveDialog : public TOpenDialog {
    VL_DECLARE_CLASS()
public:
    explicit TSaveDialog(TComponent* owner);

protected:
    BOOL RunDialog(OPENFILENAMEA& ofn) override;
};

// A message box with the application's title.
void ShowMessage(const std::string& text);
// A message box with the application's title; returns IDOK, IDYES...
int MessageDlg(const std::string& text, UINT type);

}  // namespace vl
