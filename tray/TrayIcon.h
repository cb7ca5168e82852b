#pragma once
// The notification-area icon as the application uses it. For now no icon is put into the
// notification area: the component keeps its published settings and its icon, raises OnStartup
// after loading (so the main window can stay hidden at start), shows and hides the main window,
// and remembers the last balloon it was asked to show. The shell side comes with the tray icon
// proper.
#include <cstdint>
#include <functional>
#include <string>

#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/Graphics.h"

namespace vl {
class TPopupMenu;
}

namespace vorlinde {

// (sender, whether the application shows its main window when its message loop starts)
using TStartupEvent = std::function<void(vl::TObject* sender, bool& showMainForm)>;

// The balloon's icon: 0 none, 1 information, 2 warning, 3 error.
enum TBalloonHintIcon : int { bitNone = 0, bitInfo = 1, bitWarning = 2, bitError = 3 };

class TTrayIcon : public vl::TComponent {
    VL_DECLARE_CLASS()
public:
    explicit TTrayIcon(vl::TComponent* owner);
    ~TTrayIcon() override;

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    // The icon shown; the program's own icon when the form description gives none.
    vl::TIcon* Icon() { return &icon_; }
    bool IconVisible() const { return iconVisible_; }
    void SetIconVisible(bool visible) { iconVisible_ = visible; }
    int IconIndex() const { return iconIndex_; }
    void SetIconIndex(int index) { iconIndex_ = index; }
    uint32_t CycleInterval() const { return cycleInterval_; }
    void SetCycleInterval(uint32_t ms) { cycleInterval_ = ms; }
    vl::TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(vl::TPopupMenu* menu);
    bool MinimizeToTray() const { return minimizeToTray_; }
    void SetMinimizeToTray(bool on) { minimizeToTray_ = on; }

    // Restores the application, shows its main window and brings it to the front.
    void ShowMainForm();
    // Hides the main window and the application's taskbar window.
    void HideMainForm();
    // Remembers the balloon; returns false as no icon is in the notification area yet.
    bool ShowBalloonHint(const std::string& title, const std::string& text, TBalloonHintIcon icon,
                         uint8_t timeoutSeconds);
    const std::string& BalloonTitle() const { return balloonTitle_; }
    const std::string& BalloonText() const { return balloonText_; }
    TBalloonHintIcon BalloonIcon() const { return balloonIcon_; }
    uint8_t BalloonTimeout() const { return balloonTimeout_; }

    vl::TNotifyEvent OnClick;
    TStartupEvent OnStartup;

protected:
    // Once loaded: takes the program's icon if none was given, then raises OnStartup when the
    // owner is a window; a handler that answers false keeps the main window hidden.
    void Loaded() override;
    void Notification(vl::TComponent* component, vl::TOperation operation) override;

private:
    std::string hint_;
    vl::TIcon icon_;
    bool iconVisible_ = false;
    int iconIndex_ = 0;
    uint32_t cycleInterval_ = 0;
    vl::TPopupMenu* popupMenu_ = nullptr;
    bool minimizeToTray_ = false;
    std::string balloonTitle_, balloonText_;
    TBalloonHintIcon balloonIcon_ = bitNone;
    uint8_t balloonTimeout_ = 0;
};

}  // namespace vorlinde
