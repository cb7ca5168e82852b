#include "tray/TrayIcon.h"

#include <algorithm>
#include <cstring>

#include "framework/Application.h"
#include "framework/ClassBuilder.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/Menus.h"

namespace vorlinde {

namespace {

// Message, icon and tip: the flags of every record sent, balloons aside.
constexpr UINT kBaseFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

// Copies at most `maxChars` characters of `text` into `field` and fills the rest with zeros.
template <size_t N>
void CopyField(char (&field)[N], const std::string& text, size_t maxChars) {
    static_assert(N > 0);
    std::memset(field, 0, N);
    const size_t n = std::min({text.size(), maxChars, N - 1});
    std::memcpy(field, text.data(), n);
}

// Raises an event from a copy of its handler: a handler may destroy the tray icon, and with it
// the event it runs from.
template <class F, class... A>
void Raise(const F& event, A&&... args) {
    if (!event) return;
    F handler = event;
    handler(std::forward<A>(args)...);
}

DWORD BalloonIconFlags(TBalloonHintIcon icon) {
    switch (icon) {
    case bitInfo: return NIIF_INFO;
    case bitWarning: return NIIF_WARNING;
    case bitError: return NIIF_ERROR;
    case bitNone: break;
    }
    return NIIF_NONE;
}

}  // namespace

std::function<BOOL(DWORD, const NOTIFYICONDATAA&)> TTrayIcon::ShellNotifyOverride;

const vl::TClassInfo& TTrayIcon::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TTrayIcon>("TTrayIcon", &vl::TComponent::StaticClass())
            .Creatable()
            .Prop("DesignPreview", &TTrayIcon::SetDesignPreview, &TTrayIcon::DesignPreview)
            .Reference("IconList", &TTrayIcon::SetIconList)
            .Prop("CycleIcons", &TTrayIcon::SetCycleIcons, &TTrayIcon::CycleIcons)
            .Prop("CycleInterval", &TTrayIcon::SetCycleInterval, &TTrayIcon::CycleInterval)
            .Prop("Enabled", &TTrayIcon::SetEnabled, &TTrayIcon::Enabled)
            .Prop("Hint", &TTrayIcon::SetHint, &TTrayIcon::Hint)
            .Prop("ShowHint", &TTrayIcon::SetShowHint, &TTrayIcon::ShowHint)
            .Object("Icon", &TTrayIcon::Icon)
            .Prop("IconVisible", &TTrayIcon::SetIconVisible, &TTrayIcon::IconVisible)
            .Prop("IconIndex", &TTrayIcon::SetIconIndex, &TTrayIcon::IconIndex)
            .Reference("PopupMenu", &TTrayIcon::SetPopupMenu)
            .Prop("LeftPopup", &TTrayIcon::SetLeftPopup, &TTrayIcon::LeftPopup)
            .Prop("WantEnterExitEvents", &TTrayIcon::SetWantEnterExitEvents, &TTrayIcon::WantEnterExitEvents)
            .Prop("MinimizeToTray", &TTrayIcon::SetMinimizeToTray, &TTrayIcon::MinimizeToTray)
            .Event("OnClick", &TTrayIcon::OnClick)
            .Event("OnDblClick", &TTrayIcon::OnDblClick)
            .Event("OnMouseDown", &TTrayIcon::OnMouseDown)
            .Event("OnMouseUp", &TTrayIcon::OnMouseUp)
            .Event("OnMouseMove", &TTrayIcon::OnMouseMove)
            .Event("OnMouseEnter", &TTrayIcon::OnMouseEnter)
            .Event("OnMouseExit", &TTrayIcon::OnMouseExit)
            .Event("OnCycle", &TTrayIcon::OnCycle)
            .Event("OnBalloonHintShow", &TTrayIcon::OnBalloonHintShow)
            .Event("OnBalloonHintHide", &TTrayIcon::OnBalloonHintHide)
            .Event("OnBalloonHintTimeout", &TTrayIcon::OnBalloonHintTimeout)
            .Event("OnBalloonHintClick", &TTrayIcon::OnBalloonHintClick)
            .Event("OnMinimizeToTray", &TTrayIcon::OnMinimizeToTray)
            .Event("OnStartup", &TTrayIcon::OnStartup)
            .Build();
    return info;
}

// ============================================================================ life

TTrayIcon::TTrayIcon(vl::TComponent* owner) : vl::TComponent(owner) {
    const UINT id = TTrayIconHandler::Register(this);
    icon_.OnChange = [this](vl::TObject*) { UpdateTrayIcon(); };

    data_ = {};
    data_.cbSize = kNotifyIconDataSize;
    data_.hWnd = TTrayIconHandler::Window();
    data_.uID = id;
    data_.uFlags = kBaseFlags;
    data_.uCallbackMessage = TrayCallbackMessage;

    iconCycleTimer_ = std::make_unique<TSimpleTimer>(1000, [this](vl::TObject*) { CycleTick(); });
    clickDelayTimer_ = std::make_unique<TSimpleTimer>(1000, [this](vl::TObject*) { ClickDelayTick(); });
    hoverTimer_ = std::make_unique<TSimpleTimer>(20, [this](vl::TObject*) { HoverTick(); });
    pointerOutside_ = true;

    // The taskbar's restart message is registered before anything can send it.
    TaskbarCreatedMessage();
    if (vl::Application)
        applicationHookId_ = vl::Application->HookMainWindow([this](vl::TMessage& m) { return ApplicationHook(m); });
    if (vl::TWinControl* window = OwnerWindow()) {
        hookedOwner_ = window;
        ownerHookId_ = window->AddWindowHook([this](vl::TMessage& m) { return OwnerWindowHook(m); });
        // Should the owner go first (the icon moved to another owner), the hook goes with it.
        FreeNotification(window);
    }
}

TTrayIcon::~TTrayIcon() {
    // 1. Out of the tray, so the shell sends nothing more for this icon.
    try {
        RemoveTrayIcon();
    } catch (...) {
        vl::HandleCallbackException(nullptr);
    }
    // 2. No more ticks: the timers go before the state they read.
    hoverTimer_.reset();
    clickDelayTimer_.reset();
    iconCycleTimer_.reset();
    // 3. The icon; a failure while freeing it is of no consequence.
    icon_.OnChange = nullptr;
    try {
        icon_.SetHandle(nullptr);
    } catch (...) {
    }
    // 4. Unhook the application window and the owner window.
    if (applicationHookId_ && vl::Application) vl::Application->UnhookMainWindow(applicationHookId_);
    if (hookedOwner_) {
        hookedOwner_->RemoveWindowHook(ownerHookId_);
        RemoveFreeNotification(hookedOwner_);
        hookedOwner_ = nullptr;
    }
    if (popupMenu_) RemoveFreeNotification(popupMenu_);
    if (iconList_) RemoveFreeNotification(iconList_);
    // 5. Leave the shared window last: from here on the identifier finds nothing.
    TTrayIconHandler::Unregister(data_.uID);
}

void TTrayIcon::Loaded() {
    vl::TComponent::Loaded();
    const UINT id = data_.uID;
    if (OwnerWindow()) {
        bool showMainForm = true;
        Raise(OnStartup, this, showMainForm);
        if (Gone(id)) return;
        if (!showMainForm) {
            if (vl::Application) vl::Application->SetShowMainForm(false);
            HideMainForm();
        }
    }
    if (icon_.Empty() && DefaultIconWanted()) {
        try {
            icon_.LoadFromResourceName(GetModuleHandleA(nullptr), "MAINICON", 32);
        } catch (const vl::EInvalidGraphic&) {
            // A program without an icon of its own: the tray shows the icon without a picture.
        }
    }
    UpdateTrayIcon();
    SetIconVisible(iconVisible_);
    SetCycleIcons(cycleIcons_);
    SetWantEnterExitEvents(wantEnterExit_);
    // Classic notifications: the mouse message itself in the second parameter.
    data_.uVersion = 0;
    Notify(NIM_SETVERSION);
}

void TTrayIcon::Notification(vl::TComponent* component, vl::TOperation operation) {
    vl::TComponent::Notification(component, operation);
    if (operation != vl::TOperation::Remove) return;
    if (component == popupMenu_) popupMenu_ = nullptr;
    if (component == iconList_) SetIconList(nullptr);
    if (component == hookedOwner_) {
        hookedOwner_->RemoveWindowHook(ownerHookId_);
        hookedOwner_ = nullptr;
    }
}

vl::TWinControl* TTrayIcon::OwnerWindow() const { return dynamic_cast<vl::TWinControl*>(Owner()); }

// ============================================================================ properties

void TTrayIcon::SetIconList(vl::TImageList* list) {
    if (list != iconList_) {
        if (iconList_) RemoveFreeNotification(iconList_);
        iconList_ = list;
        if (list) FreeNotification(list);
    }
    SetIconIndex(0);
}

void TTrayIcon::SetCycleIcons(bool on) {
    cycleIcons_ = on;
    if (on) {
        SetIconIndex(0);
        iconCycleTimer_->SetInterval(cycleInterval_);
        iconCycleTimer_->SetEnabled(true);
    } else {
        iconCycleTimer_->SetEnabled(false);
    }
}

void TTrayIcon::SetCycleInterval(uint32_t ms) {
    cycleInterval_ = ms;
    SetCycleIcons(cycleIcons_);
}

void TTrayIcon::SetHint(const std::string& hint) {
    hint_ = hint;
    UpdateTrayIcon();
}

void TTrayIcon::SetShowHint(bool on) {
    showHint_ = on;
    UpdateTrayIcon();
}

void TTrayIcon::SetIcon(const vl::TIcon& icon) {
    // One update for the whole copy rather than one per change of the icon.
    vl::TGraphicsEvent onChange = std::move(icon_.OnChange);
    icon_.OnChange = nullptr;
    try {
        icon_.Assign(icon);
    } catch (...) {
        icon_.OnChange = std::move(onChange);
        throw;
    }
    icon_.OnChange = std::move(onChange);
    UpdateTrayIcon();
}

void TTrayIcon::SetIconVisible(bool visible) {
    if (visible)
        AddTrayIcon();
    else
        RemoveTrayIcon();
}

void TTrayIcon::SetIconIndex(int index) {
    if (iconList_) {
        const int count = iconList_->Count();
        // Kept inside the list; an empty list has no index but 0.
        iconIndex_ = std::max(0, std::min(index, count - 1));
        if (count > 0) {
            vl::TIcon picture;
            iconList_->GetIcon(iconIndex_, picture);
            SetIcon(picture);
            return;
        }
    } else {
        iconIndex_ = 0;
    }
    UpdateTrayIcon();
}

void TTrayIcon::SetPopupMenu(vl::TPopupMenu* menu) {
    if (menu == popupMenu_) return;
    if (popupMenu_) RemoveFreeNotification(popupMenu_);
    popupMenu_ = menu;
    if (menu) FreeNotification(menu);
}

void TTrayIcon::SetWantEnterExitEvents(bool on) {
    wantEnterExit_ = on;
    hoverTimer_->SetEnabled(on);
}

// ============================================================================ the tray

BOOL TTrayIcon::Notify(DWORD message) {
    if (ShellNotifyOverride) return ShellNotifyOverride(message, data_);
    return Shell_NotifyIconA(message, &data_);
}

bool TTrayIcon::FillIconData() {
    data_.hIcon = icon_.Handle();
    if (!hint_.empty() && showHint_)
        CopyField(data_.szTip, hint_, 127);
    else
        std::memset(data_.szTip, 0, sizeof(data_.szTip));
    return true;
}

bool TTrayIcon::AddTrayIcon() {
    iconVisible_ = true;
    return FillIconData() && Notify(NIM_ADD);
}

bool TTrayIcon::RemoveTrayIcon() {
    iconVisible_ = false;
    return FillIconData() && Notify(NIM_DELETE);
}

bool TTrayIcon::UpdateTrayIcon() { return FillIconData() && Notify(NIM_MODIFY); }

bool TTrayIcon::ShowBalloonHint(const std::string& title, const std::string& text, TBalloonHintIcon icon,
                                uint8_t timeoutSeconds) {
    ClearBalloonHint();
    data_.uFlags |= NIF_INFO;
    CopyField(data_.szInfo, text, 255);
    CopyField(data_.szInfoTitle, title, 63);
    data_.uTimeout = static_cast<UINT>(timeoutSeconds) * 1000;
    data_.dwInfoFlags = BalloonIconFlags(icon);
    const bool shown = UpdateTrayIcon();
    // Later updates leave the balloon alone.
    data_.uFlags = kBaseFlags;
    return shown;
}

bool TTrayIcon::ClearBalloonHint() {
    data_.uFlags |= NIF_INFO;
    std::memset(data_.szInfo, 0, sizeof(data_.szInfo));
    return UpdateTrayIcon();
}

std::string TTrayIcon::BalloonTitle() const {
    return std::string(data_.szInfoTitle, strnlen(data_.szInfoTitle, sizeof(data_.szInfoTitle)));
}

std::string TTrayIcon::BalloonText() const {
    return std::string(data_.szInfo, strnlen(data_.szInfo, sizeof(data_.szInfo)));
}

// ============================================================================ main window

void TTrayIcon::ShowMainForm() {
    if (!OwnerWindow() || !vl::Application) return;
    vl::TForm* mainForm = vl::Application->MainForm();
    if (!mainForm) return;
    vl::Application->Restore();
    if (mainForm->HandleAllocated() && IsIconic(mainForm->Handle())) ShowWindow(mainForm->Handle(), SW_RESTORE);
    mainForm->Show();
    vl::Application->BringToFront();
}

void TTrayIcon::HideMainForm() {
    if (!OwnerWindow() || !vl::Application) return;
    vl::TForm* mainForm = vl::Application->MainForm();
    if (!mainForm) return;
    mainForm->Hide();
    HideAppWindow();
}

void TTrayIcon::HideAppWindow() {
    if (!vl::Application) return;
    HWND appWindow = vl::Application->Handle();
    if (appWindow && IsWindowVisible(appWindow)) ShowWindow(appWindow, SW_HIDE);
}

void TTrayIcon::SendToTray() { HideMainForm(); }

// ============================================================================ notifications

void TTrayIcon::HandleNotification(UINT code) {
    const UINT id = data_.uID;
    // Balloon notifications arrive whether or not the icon is enabled.
    switch (code) {
    case NIN_BALLOONSHOW:
        Raise(OnBalloonHintShow, this);
        return;
    case NIN_BALLOONHIDE:
        Raise(OnBalloonHintHide, this);
        return;
    case NIN_BALLOONTIMEOUT:
        Raise(OnBalloonHintTimeout, this);
        return;
    case NIN_BALLOONUSERCLICK:
        Raise(OnBalloonHintClick, this);
        return;
    }
    if (!enabled_) return;

    POINT cursor{};
    GetCursorPos(&cursor);
    const int x = cursor.x, y = cursor.y;
    const vl::TShiftState shift = vl::KeyboardShiftState();
    switch (code) {
    case WM_MOUSEMOVE:
        if (wantEnterExit_ && pointerOutside_) {
            pointerOutside_ = false;
            DoMouseEnter();
            if (Gone(id)) return;
        }
        lastPointerX_ = x;
        lastPointerY_ = y;
        DoMouseMove(shift, x, y);
        break;
    case WM_LBUTTONDOWN:
        if (OnDblClick) {
            // A click waits one double-click time for a possible second press.
            clickDelayTimer_->SetInterval(GetDoubleClickTime());
            clickDelayTimer_->Start();
        }
        DoMouseDown(vl::TMouseButton::Left, shift | vl::ssLeft, x, y);
        if (Gone(id)) return;
        buttonDownSeen_ = true;
        if (leftPopup_) PopupAtCursor();
        break;
    case WM_LBUTTONUP:
        if (buttonDownSeen_) clickPending_ = true;
        if (buttonDownSeen_ && !clickDelayTimer_->Enabled()) {
            buttonDownSeen_ = false;
            clickPending_ = false;
            DoClick();
            if (Gone(id)) return;
        }
        buttonDownSeen_ = false;
        DoMouseUp(vl::TMouseButton::Left, shift | vl::ssLeft, x, y);
        break;
    case WM_LBUTTONDBLCLK:
        clickPending_ = false;
        doubleClickSeen_ = true;
        DoDblClick();
        if (Gone(id)) return;
        if (popupMenu_ && popupMenu_->AutoPopup() && !leftPopup_) DefaultItemOnDoubleClick();
        break;
    case WM_RBUTTONDOWN:
        DoMouseDown(vl::TMouseButton::Right, shift | vl::ssRight, x, y);
        if (Gone(id)) return;
        PopupAtCursor();
        break;
    case WM_RBUTTONUP:
        DoMouseUp(vl::TMouseButton::Right, shift | vl::ssRight, x, y);
        break;
    case WM_MBUTTONDOWN:
        DoMouseDown(vl::TMouseButton::Middle, shift | vl::ssMiddle, x, y);
        break;
    case WM_MBUTTONUP:
        DoMouseUp(vl::TMouseButton::Middle, shift | vl::ssMiddle, x, y);
        break;
    }
}

bool TTrayIcon::PopupAtCursor() {
    const UINT id = data_.uID;
    if (!popupMenu_ || !popupMenu_->AutoPopup()) return true;
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return true;
    // The menu closes properly on a click elsewhere only when the program is in the
    // foreground, and it needs a message after it closed.
    if (vl::Application) {
        if (HWND appWindow = vl::Application->Handle()) SetForegroundWindow(appWindow);
        vl::Application->ProcessMessages();
    }
    // Pending messages may have destroyed this icon or its menu.
    if (Gone(id)) return false;
    vl::TPopupMenu* menu = popupMenu_;
    if (!menu) return true;
    menu->SetPopupComponent(this);
    menu->Popup(cursor.x, cursor.y);
    if (Gone(id)) return false;
    if (vl::TWinControl* owner = OwnerWindow(); owner && owner->HandleAllocated())
        PostMessageA(owner->Handle(), WM_NULL, 0, 0);
    return true;
}

void TTrayIcon::DefaultItemOnDoubleClick() {
    vl::TMenuItem* items = popupMenu_->Items();
    vl::TMenuItem* chosen = nullptr;
    for (int i = items->Count() - 1; i >= 0; --i)
        if (items->Items(i)->Default()) chosen = items->Items(i);
    if (chosen) chosen->Click();
}

void TTrayIcon::ClickDelayTick() {
    const UINT id = data_.uID;
    clickDelayTimer_->Stop(true);
    if (!doubleClickSeen_ && clickPending_) {
        clickPending_ = false;
        DoClick();
        if (Gone(id)) return;
    }
    doubleClickSeen_ = false;
}

void TTrayIcon::HoverTick() {
    if (pointerOutside_) return;
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return;
    if (cursor.x == lastPointerX_ && cursor.y == lastPointerY_) return;
    pointerOutside_ = true;
    DoMouseExit();
}

void TTrayIcon::CycleTick() {
    if (!iconList_) return;
    const int count = iconList_->Count();
    if (count == 0) return;
    const UINT id = data_.uID;
    SetIconIndex(iconIndex_);
    const int next = iconIndex_ < count - 1 ? iconIndex_ + 1 : 0;
    DoCycle(next);
    if (Gone(id)) return;
    SetIconIndex(next);
}

// ============================================================================ hooks

bool TTrayIcon::ApplicationHook(vl::TMessage& msg) {
    try {
        const UINT id = data_.uID;
        switch (msg.msg) {
        case WM_SIZE:
            if (msg.wParam == SIZE_MINIMIZED && minimizeToTray_) {
                SendToTray();
                if (Gone(id)) return false;
                SetIconVisible(true);
            }
            break;
        case WM_WINDOWPOSCHANGED:
            // The check exists for multiple-document frames, which raise their start-up event
            // here; the framework has none, so it only ends the check.
            if (startupCheckPending_ && vl::Application && vl::Application->MainForm()) startupCheckPending_ = false;
            break;
        case WM_SYSCOMMAND:
            if ((msg.wParam & 0xFFF0) == SC_RESTORE && vl::Application && vl::Application->MainForm())
                vl::Application->MainForm()->SetVisible(true);
            break;
        }
        const UINT taskbarCreated = TaskbarCreatedMessage();
        if (taskbarCreated && msg.msg == taskbarCreated && iconVisible_) AddTrayIcon();
    } catch (...) {
        vl::HandleCallbackException(this);
    }
    return false;
}

bool TTrayIcon::OwnerWindowHook(vl::TMessage& msg) {
    try {
        if (msg.msg == WM_SHOWWINDOW && msg.wParam == 1 && msg.lParam == 0) {
            if (vl::Application && vl::Application->Handle()) SetForegroundWindow(vl::Application->Handle());
            SetForegroundWindow(msg.hwnd);
            return false;
        }
        const bool parentMinimising = msg.msg == WM_SHOWWINDOW && msg.wParam == 0 && msg.lParam == SW_PARENTCLOSING &&
                                      !(vl::Application && vl::Application->Terminated());
        const bool minimise = msg.msg == WM_SYSCOMMAND && (msg.wParam & 0xFFF0) == SC_MINIMIZE;
        if ((parentMinimising || minimise) && minimizeToTray_ && OnMinimizeToTray) {
            const UINT id = data_.uID;
            Raise(OnMinimizeToTray, this);
            if (!Gone(id)) SendToTray();
            msg.result = 1;
            return true;
        }
    } catch (...) {
        vl::HandleCallbackException(this);
    }
    return false;
}

// ============================================================================ dispatchers

void TTrayIcon::DoClick() {
    Raise(OnClick, this);
}

void TTrayIcon::DoDblClick() {
    Raise(OnDblClick, this);
}

void TTrayIcon::DoCycle(int nextIndex) {
    Raise(OnCycle, this, nextIndex);
}

void TTrayIcon::DoMouseDown(vl::TMouseButton button, vl::TShiftState shift, int x, int y) {
    Raise(OnMouseDown, this, button, shift, x, y);
}

void TTrayIcon::DoMouseUp(vl::TMouseButton button, vl::TShiftState shift, int x, int y) {
    Raise(OnMouseUp, this, button, shift, x, y);
}

void TTrayIcon::DoMouseMove(vl::TShiftState shift, int x, int y) {
    Raise(OnMouseMove, this, shift, x, y);
}

void TTrayIcon::DoMouseEnter() {
    Raise(OnMouseEnter, this);
}

void TTrayIcon::DoMouseExit() {
    Raise(OnMouseExit, this);
}

}  // namespace vorlinde
