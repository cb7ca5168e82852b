#pragma once
// Top-level windows whose components, property values and event bindings come from a form
// description stored in the executable's resources.
#include <windows.h>

#include <string>

#include "framework/Control.h"

namespace vl {

enum class TFormBorderStyle { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };
enum class TPosition { Designed, Default, DefaultPosOnly, DefaultSizeOnly, ScreenCenter, DesktopCenter,
                       MainFormCenter, OwnerFormCenter };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum class TCloseAction { None, Hide, Free, Minimize };

// Modal results.
enum : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
             mrAll = 8, mrNoToAll = 9, mrYesToAll = 10, mrClose = 11 };

using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

class TSizeConstraints : public TPersistent {
    VL_DECLARE_CLASS()
public:
    int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
    std::function<void()> OnChange;
    void SetMinWidth(int v) { MinWidth = v; Changed(); }
    void SetMinHeight(int v) { MinHeight = v; Changed(); }
    void SetMaxWidth(int v) { MaxWidth = v; Changed(); }
    void SetMaxHeight(int v) { MaxHeight = v; Changed(); }
    int GetMinWidth() const { return MinWidth; }
    int GetMinHeight() const { return MinHeight; }
    int GetMaxWidth() const { return MaxWidth; }
    int GetMaxHeight() const { return MaxHeight; }
private:
    void Changed() { if (OnChange) OnChange(); }
};

class TForm : public TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    // Reads the form description resource (e.g. "TFORM1") and runs OnCreate.
    void LoadFromResource(const std::string& resourceName);
    // Reads a form description text and runs OnCreate (used for forms built at run time).
    void LoadFromText(std::string_view text);

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle s);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition p) { position_ = p; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool v) { keyPreview_ = v; }
    bool Scaled() const { return scaled_; }
    void SetScaled(bool v) { scaled_ = v; }
    TSizeConstraints* Constraints() { return &constraints_; }
    HICON Icon() const { return icon_; }
    void SetIcon(HICON icon);  // not owned
    bool AlwaysOnTop() const { return alwaysOnTop_; }
    void SetAlwaysOnTop(bool v);

    void SetVisible(bool visible) override;
    void Show();
    void Hide();
    // Asks the form to close: CloseQuery, then OnClose's action (the main form ends the program).
    void Close();
    bool CloseQuery();
    // Shows the form modally and returns its modal result once it is set.
    int ShowModal();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int r) { modalResult_ = r; }
    bool Modal() const { return modal_; }
    void BringToFront();

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Moves the focus to the next (or previous) tab stop.
    void SelectNext(bool forward);
    // Routes Tab, Enter, Escape and accelerator characters; returns true when it used the message.
    bool DialogKey(MSG& msg);
    // The focus moved to `control`: every control of the form hears of it.
    void FocusMoved(TWinControl* control);

    int ClientWidth() override;
    int ClientHeight() override;
    void SetClientWidth(int w) override;
    void SetClientHeight(int h) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;
    TNotifyEvent OnHelp;  // the title bar's help button (WM_HELP)

    // Set by a component that draws the window's frame itself (the skinned frame): it takes
    // style bits away from (or adds them to) the window's styles wherever the form computes
    // them, at creation, on style changes and for its client size before there is a window.
    std::function<void(DWORD& style, DWORD& exStyle)> AdjustWindowStyles;
    // Applies the styles again (after AdjustWindowStyles changed) and has the system
    // recompute the frame; nothing without a window.
    void UpdateWindowStyles() { ApplyWindowStyles(); }

protected:
    void CreateParams(TCreateParams& params) override;
    void WindowCreated() override;
    void WndProc(TMessage& msg) override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual void DoCreate();

private:
    // Re-applies the window styles after the border style or icons changed.
    void ApplyWindowStyles();
    void Place();
    void CollectTabStops(TWinControl* parent, std::vector<TWinControl*>& out);
    // Enter: the focused button control, else the default button; Escape: the cancel button.
    bool DialogButtonKey(WORD key);

    TFormBorderStyle borderStyle_ = TFormBorderStyle::Sizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = TPosition::Designed;
    bool keyPreview_ = false;
    bool scaled_ = true;
    bool alwaysOnTop_ = false;
    bool placed_ = false;
    TSizeConstraints constraints_;
    HICON icon_ = nullptr;
    int modalResult_ = mrNone;
    bool modal_ = false;
    TWinControl* activeControl_ = nullptr;
    int clientWidth_ = -1, clientHeight_ = -1;
};

}  // namespace vl
