#include "tray/TrayIcon.h"

#include "framework/Application.h"
#include "framework/ClassBuilder.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/Menus.h"

namespace vorlinde {

const vl::TClassInfo& TTrayIcon::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TTrayIcon>("TTrayIcon", &vl::TComponent::StaticClass())
            .Creatable()
            .Prop("CycleInterval", &TTrayIcon::SetCycleInterval, &TTrayIcon::CycleInterval)
            .Prop("Hint", &TTrayIcon::SetHint, &TTrayIcon::Hint)
            .Object("Icon", &TTrayIcon::Icon)
            .Prop("IconVisible", &TTrayIcon::SetIconVisible, &TTrayIcon::IconVisible)
            .Prop("IconIndex", &TTrayIcon::SetIconIndex, &TTrayIcon::IconIndex)
            .Reference("PopupMenu", &TTrayIcon::SetPopupMenu)
            .Prop("MinimizeToTray", &TTrayIcon::SetMinimizeToTray, &TTrayIcon::MinimizeToTray)
            .Event("OnClick", &TTrayIcon::OnClick)
            .Event("OnStartup", &TTrayIcon::OnStartup)
            .Build();
    return info;
}

TTrayIcon::TTrayIcon(vl::TComponent* owner) : vl::TComponent(owner) {}

TTrayIcon::~TTrayIcon() {
    if (popupMenu_) RemoveFreeNotification(popupMenu_);
}

void TTrayIcon::SetPopupMenu(vl::TPopupMenu* menu) {
    if (menu == popupMenu_) return;
    if (popupMenu_) RemoveFreeNotification(popupMenu_);
    popupMenu_ = menu;
    if (menu) FreeNotification(menu);
}

void TTrayIcon::Notification(vl::TComponent* component, vl::TOperation operation) {
    vl::TComponent::Notification(component, operation);
    if (operation == vl::TOperation::Remove && component == popupMenu_) popupMenu_ = nullptr;
}

void TTrayIcon::Loaded() {
    vl::TComponent::Loaded();
    if (icon_.Empty()) {
        try {
            icon_.LoadFromResourceName(GetModuleHandleA(nullptr), "MAINICON", 32);
        } catch (const vl::EInvalidGraphic&) {
            // An executable without the program's icon shows the tray icon without a picture.
        }
    }
    if (!dynamic_cast<vl::TWinControl*>(Owner())) return;
    bool showMainForm = true;
    if (OnStartup) OnStartup(this, showMainForm);
    if (!showMainForm) {
        if (vl::Application) vl::Application->SetShowMainForm(false);
        HideMainForm();
    }
}

void TTrayIcon::ShowMainForm() {
    if (!dynamic_cast<vl::TWinControl*>(Owner()) || !vl::Application) return;
    vl::TForm* mainForm = vl::Application->MainForm();
    if (!mainForm) return;
    vl::Application->Restore();
    if (mainForm->HandleAllocated() && IsIconic(mainForm->Handle())) ShowWindow(mainForm->Handle(), SW_RESTORE);
    mainForm->Show();
    if (vl::Application->Handle()) SetForegroundWindow(vl::Application->Handle());
    mainForm->BringToFront();
}

void TTrayIcon::HideMainForm() {
    if (!dynamic_cast<vl::TWinControl*>(Owner()) || !vl::Application) return;
    vl::TForm* mainForm = vl::Application->MainForm();
    if (!mainForm) return;
    mainForm->Hide();
    HWND appWindow = vl::Application->Handle();
    if (appWindow && IsWindowVisible(appWindow)) ShowWindow(appWindow, SW_HIDE);
}

bool TTrayIcon::ShowBalloonHint(const std::string& title, const std::string& text, TBalloonHintIcon icon,
                                uint8_t timeoutSeconds) {
    balloonTitle_ = title;
    balloonText_ = text;
    balloonIcon_ = icon;
    balloonTimeout_ = timeoutSeconds;
    return false;
}

}  // namespace vorlinde
