#pragma once
// TsuiForm: turns its host form into a skinned window. Dropped on a form, it fills the form's
// client area and carries the window's controls; it takes the host's native caption away, owns
// the drawn title bar at its top (skin/TitleBar.h), paints the 3-pixel window frame in the
// non-client area (skin/FramePainter.h), gives the window its region (rounded top corners) and
// makes a maximised window cover the work area of its monitor (skin/FrameGeometry.h).
//
// It works through a hook on the host's window procedure, removed again when the frame goes,
// which puts the caption back. The first frame of the program also takes the application-wide
// message event for Alt+Space (the system menu of the active skinned window).
//
// The framework has no MDI child forms, so the frame's MDI branches (scrolling the contents of
// a maximised child, asking an MDI client to refresh its menu) are not here.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "framework/Font.h"
#include "framework/PropValue.h"
#include "skin/TitleBar.h"
#include "skin/UIStyle.h"

namespace vl {
class TForm;
class TMainMenu;
}  // namespace vl

namespace vorlinde {

class TsuiFileTheme;
class TsuiMenuBar;

class TsuiForm : public vl::TWinControl {
    VL_DECLARE_CLASS()
public:
    // Stays an inert panel when `owner` is not a form or the form already has a skinned frame.
    explicit TsuiForm(vl::TComponent* owner);
    ~TsuiForm() override;

    bool Inert() const { return host_ == nullptr; }
    vl::TForm* Host() const { return host_; }
    TsuiTitleBar* TitleBar() const { return titleBar_; }
    // Present while Menu is set (skin/MenuBar.h).
    TsuiMenuBar* MenuBar() const { return menuBar_; }

    TsuiUIStyle UIStyle() const { return uiStyle_; }
    // Takes the style's border, background, round corner and title bar; passes the style on to
    // the child controls when UIStyleAutoUpdateSub is on.
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    // Only a different theme applies the style again.
    void SetFileTheme(TsuiFileTheme* theme);
    bool UIStyleAutoUpdateSub() const { return autoUpdateSub_; }
    void SetUIStyleAutoUpdateSub(bool on) { autoUpdateSub_ = on; }

    uint32_t BorderColor() const { return borderColor_; }
    void SetBorderColor(uint32_t color);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    bool TitleBarVisible() const;
    void SetTitleBarVisible(bool on);
    bool TitleBarCustom() const { return titleBar_ && titleBar_->Custom(); }
    void SetTitleBarCustom(bool on);
    bool TitleBarDrawAppIcon() const { return titleBar_ && titleBar_->DrawAppIcon(); }
    void SetTitleBarDrawAppIcon(bool on);
    // The title bar's caption font.
    vl::TFont* TitleFont() { return titleBar_ ? titleBar_->Font() : Font(); }
    // The title bar's; 0 while the title bar is hidden. Setting it rebuilds the region.
    int RoundCorner() const;
    void SetRoundCorner(int size);
    uint32_t MenuBarColor() const { return menuBarColor_; }
    void SetMenuBarColor(uint32_t color);
    int MenuBarHeight() const { return menuBarHeight_; }
    void SetMenuBarHeight(int height);
    vl::TMainMenu* Menu() const { return menu_; }
    // Shows the menu's top-level items in a menu bar below the title bar; none frees the bar.
    void SetMenu(vl::TMainMenu* menu);
    vl::TWinControl* FormPanel() const { return formPanel_; }
    // The frame itself is refused ("Sorry, ..."); a panel fills the client area.
    void SetFormPanel(vl::TWinControl* panel);
    static std::string Version() { return "5.4"; }

    // The caption goes to the title bar and to the host form.
    void SetText(const std::string& text) override;

    // Paints the non-client frame now (into the host's window device context).
    void PaintFrame();
    // Sets the window region for the host's current size.
    void UpdateRegion();

    TsuiTitleBarButtonClickEvent OnTitleBarHelpBtnClick;
    TsuiTitleBarButtonClickEvent OnTitleBarCustomBtnsClick;

protected:
    void Paint(HDC dc, const RECT& clip) override;
    void WndProc(vl::TMessage& msg) override;
    void Notification(vl::TComponent* component, vl::TOperation operation) override;
    void ColorChanged() override;
    void Resized() override;

private:
    bool HostHook(vl::TMessage& msg);
    void HostSized(WPARAM kind);
    void AppMessage(MSG& msg, bool& handled);
    // Alt+letter, F10 and the menu items' shortcuts typed in the host; true when one was used.
    bool MenuKey(const MSG& msg);
    void FreeMenuBar();
    bool HostMinimised() const;
    void LoadFormPattern();

    vl::TForm* host_ = nullptr;
    TsuiTitleBar* titleBar_ = nullptr;  // owned as a component of the frame
    TsuiMenuBar* menuBar_ = nullptr;    // likewise
    int hookId_ = 0;
    bool appHookInstalled_ = false;
    bool beingDestroyed_ = false;
    RECT creationBounds_{};
    bool maximisedAtCreation_ = false;

    TsuiUIStyle uiStyle_ = TsuiUIStyle::DeepBlue;
    TsuiFileTheme* fileTheme_ = nullptr;
    bool autoUpdateSub_ = false;
    uint32_t borderColor_ = 0x000000;
    int borderWidth_ = 1;
    uint32_t menuBarColor_ = 0xFF00000F;
    int menuBarHeight_ = 22;
    vl::TMainMenu* menu_ = nullptr;
    vl::TWinControl* formPanel_ = nullptr;
    vl::TBitmap pattern_;  // the 8x8 client background of MacOS and Protein
};

}  // namespace vorlinde
