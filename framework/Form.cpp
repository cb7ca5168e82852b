#include "framework/Form.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/ClassBuilder.h"
#include "framework/Exceptions.h"
#include "framework/FormEnums.h"
#include "framework/FormReader.h"
#include "framework/IgnoredProperty.h"

namespace vl {

template <>
struct TEnumNames<TFormBorderStyle> {
    static const TEnumTable<TFormBorderStyle>& Table() {
        static const TEnumTable<TFormBorderStyle> t = {
            {"bsNone", TFormBorderStyle::None},         {"bsSingle", TFormBorderStyle::Single},
            {"bsSizeable", TFormBorderStyle::Sizeable}, {"bsDialog", TFormBorderStyle::Dialog},
            {"bsToolWindow", TFormBorderStyle::ToolWindow}, {"bsSizeToolWin", TFormBorderStyle::SizeToolWin}};
        return t;
    }
};

namespace {
TBorderIcons BorderIconsFromProp(const TPropValue& v) {
    if (v.kind != TPropValue::Kind::Set) throw EReadError("Set expected for BorderIcons");
    TBorderIcons icons = 0;
    for (const auto& s : v.set) {
        if (SameText(s, "biSystemMenu")) icons |= biSystemMenu;
        else if (SameText(s, "biMinimize")) icons |= biMinimize;
        else if (SameText(s, "biMaximize")) icons |= biMaximize;
        else if (SameText(s, "biHelp")) icons |= biHelp;
        else throw EReadError("Invalid border icon '" + s + "'");
    }
    return icons;
}
}  // namespace

const TClassInfo& TSizeConstraints::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TSizeConstraints>("TSizeConstraints", &TPersistent::StaticClass())
            .Prop("MinWidth", &TSizeConstraints::SetMinWidth, &TSizeConstraints::GetMinWidth)
            .Prop("MinHeight", &TSizeConstraints::SetMinHeight, &TSizeConstraints::GetMinHeight)
            .Prop("MaxWidth", &TSizeConstraints::SetMaxWidth, &TSizeConstraints::GetMaxWidth)
            .Prop("MaxHeight", &TSizeConstraints::SetMaxHeight, &TSizeConstraints::GetMaxHeight)
            .Build();
    return info;
}

const TClassInfo& TForm::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TForm>("TForm", &TWinControl::StaticClass())
            .Prop("BorderStyle", &TForm::SetBorderStyle, &TForm::BorderStyle)
            .Custom("BorderIcons", [](TForm& f, const TPropValue& v) { f.SetBorderIcons(BorderIconsFromProp(v)); })
            .Prop("Position", &TForm::SetPosition, &TForm::Position)
            .Prop("KeyPreview", &TForm::SetKeyPreview, &TForm::KeyPreview)
            .Prop("Scaled", &TForm::SetScaled, &TForm::Scaled)
            .Prop("AlwaysOnTop", &TForm::SetAlwaysOnTop, &TForm::AlwaysOnTop)
            .Object("Constraints", &TForm::Constraints)
            .Reference("ActiveControl", &TForm::SetActiveControl)
            .Custom("OldCreateOrder", IgnoreProperty<TForm>)
            .Custom("PixelsPerInch", IgnoreProperty<TForm>)
            .Custom("TextHeight", IgnoreProperty<TForm>)
            .Event("OnCreate", &TForm::OnCreate)
            .Event("OnDestroy", &TForm::OnDestroy)
            .Event("OnShow", &TForm::OnShow)
            .Event("OnHide", &TForm::OnHide)
            .Event("OnActivate", &TForm::OnActivate)
            .Event("OnDeactivate", &TForm::OnDeactivate)
            .Event("OnCloseQuery", &TForm::OnCloseQuery)
            .Event("OnClose", &TForm::OnClose)
            .Event("OnHelp", &TForm::OnHelp)
            .Build();
    return info;
}

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    SetVisibleFlagOnly(false);
    if (Application) Application->AddForm(this);
    constraints_.OnChange = [this] {
        if (HandleAllocated()) SetBounds(Left(), Top(), Width(), Height());
    };
}

TForm::~TForm() {
    try {
        if (OnDestroy) OnDestroy(this);
    } catch (...) {
        HandleCallbackException(this);
    }
    if (Application) Application->RemoveForm(this);
    Destroying_();
    DestroyComponents();
}

void TForm::LoadFromResource(const std::string& resourceName) {
    ReadFormResource(this, resourceName);
    DoCreate();
}

void TForm::LoadFromText(std::string_view text) {
    ReadFormText(this, text);
    DoCreate();
}

void TForm::DoCreate() {
    if (!OnCreate) return;
    try {
        OnCreate(this);
    } catch (...) {
        // A failing start-up step is reported; the window is still created.
        HandleCallbackException(this);
    }
}

void TForm::SetBorderStyle(TFormBorderStyle s) {
    if (s == borderStyle_) return;
    int cw = ClientWidth(), ch = ClientHeight();
    borderStyle_ = s;
    ApplyWindowStyles();
    if (clientWidth_ >= 0) SetClientWidth(cw);
    if (clientHeight_ >= 0) SetClientHeight(ch);
}

void TForm::SetBorderIcons(TBorderIcons icons) {
    borderIcons_ = icons;
    ApplyWindowStyles();
}

void TForm::ApplyWindowStyles() {
    if (!HandleAllocated()) return;
    TCreateParams p;
    CreateParams(p);
    DWORD visible = IsWindowVisible(Handle()) ? WS_VISIBLE : 0;
    SetWindowLongA(Handle(), GWL_STYLE, static_cast<LONG>((p.style & ~WS_VISIBLE) | visible));
    SetWindowLongA(Handle(), GWL_EXSTYLE, static_cast<LONG>(p.exStyle));
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void TForm::SetIcon(HICON icon) {
    icon_ = icon;
    if (HandleAllocated()) {
        SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

void TForm::SetAlwaysOnTop(bool v) {
    alwaysOnTop_ = v;
    if (HandleAllocated())
        SetWindowPos(Handle(), v ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    p.exStyle = 0;
    p.parent = Application ? Application->Handle() : nullptr;
    switch (borderStyle_) {
    case TFormBorderStyle::None: p.style |= WS_POPUP; break;
    case TFormBorderStyle::Single: p.style |= WS_CAPTION | WS_BORDER; break;
    case TFormBorderStyle::Sizeable: p.style |= WS_CAPTION | WS_THICKFRAME; break;
    case TFormBorderStyle::Dialog:
        p.style |= WS_POPUP | WS_CAPTION;
        p.exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case TFormBorderStyle::ToolWindow:
        p.style |= WS_CAPTION;
        p.exStyle |= WS_EX_TOOLWINDOW;
        break;
    case TFormBorderStyle::SizeToolWin:
        p.style |= WS_CAPTION | WS_THICKFRAME;
        p.exStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (borderStyle_ != TFormBorderStyle::None && (borderIcons_ & biSystemMenu)) {
        p.style |= WS_SYSMENU;
        if (borderStyle_ != TFormBorderStyle::Dialog && borderStyle_ != TFormBorderStyle::ToolWindow &&
            borderStyle_ != TFormBorderStyle::SizeToolWin) {
            if (borderIcons_ & biMinimize) p.style |= WS_MINIMIZEBOX;
            if (borderIcons_ & biMaximize) p.style |= WS_MAXIMIZEBOX;
        }
        if ((borderIcons_ & biHelp) && !(p.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) p.exStyle |= WS_EX_CONTEXTHELP;
    }
    if (alwaysOnTop_) p.exStyle |= WS_EX_TOPMOST;
    if (AdjustWindowStyles) AdjustWindowStyles(p.style, p.exStyle);
}

void TForm::WindowCreated() {
    TWinControl::WindowCreated();
    HICON icon = icon_ ? icon_ : LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    if (icon) {
        SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

namespace {
RECT FrameFor(const TCreateParams& p) {
    RECT r{0, 0, 100, 100};
    AdjustWindowRectEx(&r, p.style, FALSE, p.exStyle);
    return RECT{-r.left, -r.top, r.right - 100, r.bottom - 100};
}
}  // namespace

int TForm::ClientWidth() {
    if (HandleAllocated()) return TWinControl::ClientWidth();
    TCreateParams p;
    CreateParams(p);
    RECT f = FrameFor(p);
    return Width() - f.left - f.right;
}

int TForm::ClientHeight() {
    if (HandleAllocated()) return TWinControl::ClientHeight();
    TCreateParams p;
    CreateParams(p);
    RECT f = FrameFor(p);
    return Height() - f.top - f.bottom;
}

void TForm::SetClientWidth(int w) {
    clientWidth_ = w;
    TCreateParams p;
    CreateParams(p);
    RECT f = FrameFor(p);
    SetWidth(w + f.left + f.right);
}

void TForm::SetClientHeight(int h) {
    clientHeight_ = h;
    TCreateParams p;
    CreateParams(p);
    RECT f = FrameFor(p);
    SetHeight(h + f.top + f.bottom);
}

void TForm::Place() {
    if (placed_) return;
    placed_ = true;
    if (position_ == TPosition::ScreenCenter || position_ == TPosition::DesktopCenter ||
        position_ == TPosition::MainFormCenter || position_ == TPosition::OwnerFormCenter) {
        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        int x = work.left + ((work.right - work.left) - Width()) / 2;
        int y = work.top + ((work.bottom - work.top) - Height()) / 2;
        SetBounds(std::max<int>(x, work.left), std::max<int>(y, work.top), Width(), Height());
    }
}

void TForm::SetVisible(bool visible) {
    if (visible) {
        Place();
        HWND h = Handle();
        SetVisibleFlagOnly(true);
        ShowWindow(h, SW_SHOW);
        // The application window carries the taskbar button: the main form brings it up, other
        // forms (dialogs, helper forms) do not.
        if (Application && Application->MainForm() == this && Application->Handle() &&
            !IsWindowVisible(Application->Handle()) && !Application->Minimized())
            ShowWindow(Application->Handle(), SW_SHOWNOACTIVATE);
        if (OnShow) OnShow(this);
    } else {
        bool was = Visible() && HandleAllocated() && IsWindowVisible(Handle());
        SetVisibleFlagOnly(false);
        if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
        if (was && OnHide) OnHide(this);
    }
}

void TForm::Show() {
    SetVisible(true);
    BringToFront();
}

void TForm::Hide() { SetVisible(false); }

void TForm::BringToFront() {
    if (HandleAllocated()) {
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(Handle());
    }
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::Close() {
    if (!CloseQuery()) return;
    TCloseAction action = TCloseAction::Hide;
    if (OnClose) OnClose(this, action);
    if (action == TCloseAction::None) return;
    if (modal_) {
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        return;
    }
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case TCloseAction::Hide: Hide(); break;
    case TCloseAction::Minimize:
        if (HandleAllocated()) ShowWindow(Handle(), SW_MINIMIZE);
        break;
    case TCloseAction::Free: delete this; break;  // only from outside the form's own messages
    case TCloseAction::None: break;
    }
}

int TForm::ShowModal() {
    if (modal_ || (Visible() && HandleAllocated() && IsWindowVisible(Handle())))
        throw EInvalidOperation("Cannot make a visible window modal");
    // Disable every other visible top-level window of this thread while the form is modal.
    std::vector<HWND> disabled;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM lp) -> BOOL {
            if (IsWindowVisible(h) && IsWindowEnabled(h)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&disabled));
    HWND previousActive = GetActiveWindow();
    for (HWND h : disabled) EnableWindow(h, FALSE);
    modal_ = true;
    modalResult_ = mrNone;
    int result = mrNone;
    try {
        Show();
        while (modalResult_ == mrNone && Application && !Application->Terminated()) {
            Application->HandleMessage();
            if (modalResult_ != mrNone) {
                // Closing a modal form runs the same close query and close event.
                int r = modalResult_;
                modalResult_ = mrNone;
                modal_ = false;
                bool close = CloseQuery();
                modal_ = true;
                if (close) modalResult_ = r;
            }
        }
        result = modalResult_;
    } catch (...) {
        for (HWND h : disabled) EnableWindow(h, TRUE);
        modal_ = false;
        Hide();
        throw;
    }
    for (HWND h : disabled) EnableWindow(h, TRUE);
    modal_ = false;
    Hide();
    if (previousActive && IsWindow(previousActive)) SetActiveWindow(previousActive);
    return result;
}

void TForm::SetActiveControl(TWinControl* control) {
    activeControl_ = control;
    if (control) control->FreeNotification(this);
    if (control && HandleAllocated() && IsWindowVisible(Handle())) control->SetFocus();
}

void TForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::Remove && component == activeControl_) activeControl_ = nullptr;
}

void TForm::FocusMoved(TWinControl* control) {
    activeControl_ = control;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* c = dynamic_cast<TWinControl*>(Components(i))) c->FocusChanged(control);
}

void TForm::CollectTabStops(TWinControl* parent, std::vector<TWinControl*>& out) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TWinControl* c = parent->Controls(i);
        if (!c->Visible() || !c->Enabled()) continue;
        if (c->TabStop()) out.push_back(c);
        CollectTabStops(c, out);
    }
}

void TForm::SelectNext(bool forward) {
    std::vector<TWinControl*> stops;
    CollectTabStops(this, stops);
    if (stops.empty()) return;
    // The focus may sit in a control that is no tab stop itself (a radio group's button):
    // count from its nearest enclosing tab stop.
    TWinControl* current = TWinControl::FromHandle(GetFocus());
    auto it = std::find(stops.begin(), stops.end(), current);
    while (it == stops.end() && current && current != this) {
        current = current->Parent();
        it = std::find(stops.begin(), stops.end(), current);
    }
    size_t n = stops.size();
    size_t index;
    if (it == stops.end()) index = forward ? 0 : n - 1;
    else {
        size_t pos = static_cast<size_t>(it - stops.begin());
        index = forward ? (pos + 1) % n : (pos + n - 1) % n;
    }
    stops[index]->SetFocus();
}

bool TForm::DialogKey(MSG& msg) {
    if (msg.message == WM_KEYDOWN) {
        if (msg.wParam == VK_TAB && !(GetKeyState(VK_CONTROL) < 0)) {
            TWinControl* focused = TWinControl::FromHandle(GetFocus());
            if (focused && (SendMessageA(focused->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB)) return false;
            SelectNext(GetKeyState(VK_SHIFT) >= 0);
            return true;
        }
        if (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) return DialogButtonKey(static_cast<WORD>(msg.wParam));
        return false;
    }
    if (msg.message == WM_SYSCHAR) {
        char key = static_cast<char>(msg.wParam);
        std::vector<TWinControl*> all;
        std::function<void(TWinControl*)> collect = [&](TWinControl* p) {
            for (int i = 0; i < p->ControlCount(); ++i) {
                all.push_back(p->Controls(i));
                collect(p->Controls(i));
            }
        };
        collect(this);
        for (TWinControl* c : all)
            if (c->Visible() && c->Enabled() && c->DialogChar(key)) return true;
    }
    return false;
}

bool TForm::DialogButtonKey(WORD key) {
    TWinControl* focused = TWinControl::FromHandle(GetFocus());
    if (focused && focused->ParentForm() != this) focused = nullptr;
    if (focused && key == VK_RETURN && focused->IsButtonControl() && focused->CanFocus()) {
        focused->Click();
        return true;
    }
    // A control that takes every key (a multi-line edit) keeps Enter and Escape.
    if (focused && (SendMessageA(focused->Handle(), WM_GETDLGCODE, key, 0) & DLGC_WANTALLKEYS)) return false;
    // Controls that answer the key themselves (skinned buttons) come first.
    const TShiftState shift = KeyboardShiftState();
    std::function<bool(TWinControl*)> offer = [&](TWinControl* parent) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            TWinControl* c = parent->Controls(i);
            if (!c->Visible() || !c->Enabled()) continue;
            if (c->DialogKeyPressed(key, shift) || offer(c)) return true;
        }
        return false;
    };
    if (offer(this)) return true;
    std::function<TWinControl*(TWinControl*)> find = [&](TWinControl* parent) -> TWinControl* {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            TWinControl* c = parent->Controls(i);
            if (!c->Visible() || !c->Enabled()) continue;
            if (key == VK_RETURN ? c->IsDefaultButton() : c->IsCancelButton()) return c;
            if (TWinControl* inner = find(c)) return inner;
        }
        return nullptr;
    };
    TWinControl* button = find(this);
    if (!button) return false;
    button->Click();
    return true;
}

void TForm::WndProc(TMessage& msg) {
    switch (msg.msg) {
    case WM_CLOSE:
        if (modal_) {
            modalResult_ = mrCancel;
            return;
        }
        Close();
        return;
    case WM_HELP:
        if (OnHelp) {
            OnHelp(this);
            msg.result = TRUE;
            return;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(msg.wParam) != WA_INACTIVE) {
            if (OnActivate) OnActivate(this);
            if (activeControl_ && activeControl_->HandleAllocated() && activeControl_->CanFocus())
                ::SetFocus(activeControl_->Handle());
        } else if (OnDeactivate) {
            OnDeactivate(this);
        }
        break;
    case WM_GETMINMAXINFO: {
        auto* mmi = reinterpret_cast<MINMAXINFO*>(msg.lParam);
        if (constraints_.MinWidth > 0) mmi->ptMinTrackSize.x = constraints_.MinWidth;
        if (constraints_.MinHeight > 0) mmi->ptMinTrackSize.y = constraints_.MinHeight;
        if (constraints_.MaxWidth > 0) mmi->ptMaxTrackSize.x = constraints_.MaxWidth;
        if (constraints_.MaxHeight > 0) mmi->ptMaxTrackSize.y = constraints_.MaxHeight;
        return;
    }
    case WM_SYSCOMMAND:
        // Minimising the main form minimises the application (to its taskbar button or tray).
        if ((msg.wParam & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == this) {
            Application->Minimize();
            return;
        }
        break;
    }
    TWinControl::WndProc(msg);
}

}  // namespace vl
