#pragma once
// The notification-area icon: puts one icon into the tray through the shell's notification
// record and turns the shell's notifications about it into events (click, double click, mouse
// down, up and move, enter and exit, balloon events). It shows its popup menu at the cursor,
// shows balloon tips, cycles through the icons of an image list, hides and shows the
// application's main window, sends the application to the tray when it is minimised, and puts
// its icon back when the taskbar is restarted.
#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/Graphics.h"
#include "tray/SimpleTimer.h"
#include "tray/TrayIconHandler.h"

namespace vl {
class TPopupMenu;
class TImageList;
}  // namespace vl

namespace vorlinde {

// (sender, whether the application shows its main window when its message loop starts)
using TStartupEvent = std::function<void(vl::TObject* sender, bool& showMainForm)>;
// (sender, the index of the icon shown at the next cycle step)
using TCycleEvent = std::function<void(vl::TObject* sender, int nextIndex)>;

// The balloon's icon: 0 none, 1 information, 2 warning, 3 error.
enum TBalloonHintIcon : int { bitNone = 0, bitInfo = 1, bitWarning = 2, bitError = 3 };

// The shell's version-2 ANSI notification record (with the balloon fields): 488 bytes in a
// 32-bit program, 504 in a 64-bit one. A 64-bit shell takes 488 for the old record without
// balloons, so the size must be the platform's own.
inline constexpr DWORD kNotifyIconDataSize = NOTIFYICONDATAA_V2_SIZE;
static_assert(kNotifyIconDataSize == (sizeof(void*) == 8 ? 504 : 488), "version-2 notification record size");
static_assert(offsetof(NOTIFYICONDATAA, szInfo) + 256 == offsetof(NOTIFYICONDATAA, uTimeout));
static_assert(offsetof(NOTIFYICONDATAA, dwInfoFlags) + 4 == kNotifyIconDataSize);

class TTrayIcon : public vl::TComponent {
    VL_DECLARE_CLASS()
public:
    // Joins the shared handler window, prepares the record and the timers, and hooks the
    // application window and the owner window (when the owner is a window).
    explicit TTrayIcon(vl::TComponent* owner);
    // Takes the icon out of the tray, unhooks, and leaves the shared handler window.
    ~TTrayIcon() override;

    // --- published properties
    // Shows the icon while a form is designed; there is no design time in this program.
    bool DesignPreview() const { return designPreview_; }
    void SetDesignPreview(bool on) { designPreview_ = on; }
    vl::TImageList* IconList() const { return iconList_; }
    // Stores the list and sets IconIndex to 0.
    void SetIconList(vl::TImageList* list);
    bool CycleIcons() const { return cycleIcons_; }
    // True: IconIndex 0, then the cycle timer runs every CycleInterval ms; false stops it.
    void SetCycleIcons(bool on);
    uint32_t CycleInterval() const { return cycleInterval_; }
    void SetCycleInterval(uint32_t ms);
    // When false, every mouse notification is ignored (balloon notifications are not).
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    // When false, the icon has no tooltip.
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool on);
    // The icon shown; any change of it updates the tray.
    vl::TIcon* Icon() { return &icon_; }
    // Copies `icon` into the component's own icon and updates the tray once.
    void SetIcon(const vl::TIcon& icon);
    bool IconVisible() const { return iconVisible_; }
    // True adds the icon to the tray, false removes it.
    void SetIconVisible(bool visible);
    int IconIndex() const { return iconIndex_; }
    // With an image list: kept inside the list and its icon copied into Icon; without: 0.
    void SetIconIndex(int index);
    vl::TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(vl::TPopupMenu* menu);
    // The left button also opens the menu.
    bool LeftPopup() const { return leftPopup_; }
    void SetLeftPopup(bool on) { leftPopup_ = on; }
    // Raise OnMouseEnter and OnMouseExit (a 20 ms timer watches the cursor).
    bool WantEnterExitEvents() const { return wantEnterExit_; }
    void SetWantEnterExitEvents(bool on);
    // Minimising the application hides it to the tray.
    bool MinimizeToTray() const { return minimizeToTray_; }
    void SetMinimizeToTray(bool on) { minimizeToTray_ = on; }

    // --- operations
    // Owner a window and the application has a main window: restores the application, shows
    // the main window and brings it to the front.
    void ShowMainForm();
    // Owner a window and the application has a main window: hides the main window and the
    // application's taskbar window.
    void HideMainForm();
    // Hides the application's own top-level window (the one with the taskbar button).
    void HideAppWindow();
    // Shows a balloon at the icon: at most 63 characters of title, 255 of text, the time-out
    // in seconds. Returns the shell's answer.
    bool ShowBalloonHint(const std::string& title, const std::string& text, TBalloonHintIcon icon,
                         uint8_t timeoutSeconds);
    // Removes a balloon that is showing.
    bool ClearBalloonHint();

    // Add, delete and modify the icon in the tray; each returns the shell's answer.
    virtual bool AddTrayIcon();
    virtual bool RemoveTrayIcon();
    virtual bool UpdateTrayIcon();

    // --- the notification record as last prepared
    const NOTIFYICONDATAA& IconData() const { return data_; }
    // The identifier the shell's notifications carry for this icon.
    UINT Identifier() const { return data_.uID; }
    std::string BalloonTitle() const;
    std::string BalloonText() const;
    TBalloonHintIcon BalloonIcon() const { return static_cast<TBalloonHintIcon>(data_.dwInfoFlags); }
    // The balloon's time-out in seconds.
    int BalloonTimeout() const { return static_cast<int>(data_.uTimeout / 1000); }

    // --- events (the sender is the tray icon)
    vl::TNotifyEvent OnClick;
    vl::TNotifyEvent OnDblClick;
    vl::TMouseEvent OnMouseDown;
    vl::TMouseEvent OnMouseUp;
    vl::TMouseMoveEvent OnMouseMove;
    vl::TNotifyEvent OnMouseEnter;
    vl::TNotifyEvent OnMouseExit;
    TCycleEvent OnCycle;
    vl::TNotifyEvent OnBalloonHintShow;
    vl::TNotifyEvent OnBalloonHintHide;
    vl::TNotifyEvent OnBalloonHintTimeout;
    vl::TNotifyEvent OnBalloonHintClick;
    vl::TNotifyEvent OnMinimizeToTray;
    TStartupEvent OnStartup;

    // When set, replaces Shell_NotifyIconA (tests): gets the message and the record as it
    // would be sent and returns the shell's answer.
    static std::function<BOOL(DWORD message, const NOTIFYICONDATAA& data)> ShellNotifyOverride;

protected:
    // After loading: OnStartup (owner a window), then the icon is put into the tray as the
    // loaded properties say, with the shell's classic notification behaviour.
    void Loaded() override;
    void Notification(vl::TComponent* component, vl::TOperation operation) override;

    // An icon without a picture of its own shows the program's icon.
    virtual bool DefaultIconWanted() { return true; }
    // Event dispatchers; each raises the event of its name when a handler is assigned.
    virtual void DoClick();
    virtual void DoDblClick();
    virtual void DoCycle(int nextIndex);
    virtual void DoMouseDown(vl::TMouseButton button, vl::TShiftState shift, int x, int y);
    virtual void DoMouseUp(vl::TMouseButton button, vl::TShiftState shift, int x, int y);
    virtual void DoMouseMove(vl::TShiftState shift, int x, int y);
    virtual void DoMouseEnter();
    virtual void DoMouseExit();
    // Hides the main window to the tray.
    virtual void SendToTray();

private:
    friend class TTrayIconHandler;
    // A notification from the shell: `code` is the mouse message or balloon code.
    void HandleNotification(UINT code);
    // The menu at the cursor; false when this icon was destroyed meanwhile.
    bool PopupAtCursor();
    void DefaultItemOnDoubleClick();
    void ClickDelayTick();
    void HoverTick();
    void CycleTick();
    bool FillIconData();
    BOOL Notify(DWORD message);
    // The application window's hook and the owner window's hook; neither throws.
    bool ApplicationHook(vl::TMessage& msg);
    bool OwnerWindowHook(vl::TMessage& msg);
    vl::TWinControl* OwnerWindow() const;
    // True once this icon is destroyed (checked after every call into other code).
    static bool Gone(UINT id) { return TTrayIconHandler::Find(id) == nullptr; }

    NOTIFYICONDATAA data_{};
    vl::TIcon icon_;
    bool designPreview_ = false;
    vl::TImageList* iconList_ = nullptr;
    bool cycleIcons_ = false;
    uint32_t cycleInterval_ = 0;
    bool enabled_ = true;
    std::string hint_;
    bool showHint_ = true;
    bool iconVisible_ = false;
    int iconIndex_ = 0;
    vl::TPopupMenu* popupMenu_ = nullptr;
    bool leftPopup_ = false;
    bool wantEnterExit_ = false;
    bool minimizeToTray_ = false;

    std::unique_ptr<TSimpleTimer> clickDelayTimer_;
    std::unique_ptr<TSimpleTimer> iconCycleTimer_;
    std::unique_ptr<TSimpleTimer> hoverTimer_;

    bool buttonDownSeen_ = false;
    bool clickPending_ = false;
    bool doubleClickSeen_ = false;
    bool pointerOutside_ = true;
    bool startupCheckPending_ = true;
    int lastPointerX_ = 0;
    int lastPointerY_ = 0;

    int applicationHookId_ = 0;
    vl::TWinControl* hookedOwner_ = nullptr;
    int ownerHookId_ = 0;
};

}  // namespace vorlinde
