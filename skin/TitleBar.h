#pragma once
// TsuiTitleBar: a window caption drawn from bitmaps. A background of three pictures (left,
// stretched client, right), caption buttons from the right edge leftwards, the control box (or
// the application's icon) at the left and the caption between them, cut with "..." when it does
// not fit. Dragging it moves the window (the system gets a caption drag), a double click
// maximises or restores, the buttons run their actions, and the control box opens the system
// menu (TsuiTitleBarPopupMenu). Normally created by the skinned frame (skin/SkinForm.h).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/Control.h"
#include "framework/Font.h"
#include "skin/TitleBarItems.h"
#include "skin/UIStyle.h"

namespace vl {
class TCanvas;
class TForm;
}  // namespace vl

namespace vorlinde {

class TsuiFileTheme;
class TsuiTitleBarPopupMenu;

// (sender: the title bar, index of the button in the title bar's buttons)
using TsuiTitleBarButtonClickEvent = std::function<void(vl::TObject* sender, int buttonIndex)>;

// The longest prefix of `caption` that fits `room` pixels with "..." after it, plus "...";
// the whole caption when it fits. Stops once the text is empty (then "..." alone).
std::string CutCaption(const std::string& caption, int room, const std::function<int(const std::string&)>& textWidth);

class TsuiTitleBar : public vl::TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TsuiTitleBar(vl::TComponent* owner);
    ~TsuiTitleBar() override;

    bool Custom() const { return custom_; }
    void SetCustom(bool on) { custom_ = on; }
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TsuiFileTheme* theme);
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle style);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    TsuiTitleBarSections& Sections() { return sections_; }
    void SetSections(const TsuiTitleBarSections& sections) { sections_.Assign(sections); }
    TsuiTitleBarButtons& Buttons() { return buttons_; }
    void SetButtons(const TsuiTitleBarButtons& buttons) { buttons_.Assign(buttons); }
    int ButtonInterval() const { return buttonInterval_; }
    void SetButtonInterval(int v);
    vl::TFont* TitleFont() { return Font(); }
    bool FormActive() const { return formActive_; }
    void SetFormActive(bool on);
    int LeftBtnXOffset() const { return leftBtnXOffset_; }
    void SetLeftBtnXOffset(int v);
    int RightBtnXOffset() const { return rightBtnXOffset_; }
    void SetRightBtnXOffset(int v);
    bool DrawAppIcon() const { return drawAppIcon_; }
    void SetDrawAppIcon(bool on);
    int RoundCorner() const { return roundCorner_; }
    void SetRoundCorner(int v) { roundCorner_ = v; }

    // The button top and height the buttons are drawn at.
    int ButtonTop() const { return buttonTop_; }
    int ButtonHeight() const { return buttonHeight_; }
    // The button under the pointer as the last paint found it (-1 for none).
    int HotButton() const { return hotButton_; }
    // The caption as the last paint drew it (cut with "..." when it did not fit), and where.
    const std::string& DrawnCaption() const { return drawnCaption_; }
    int CaptionX() const { return captionX_; }
    // The rectangle of button `index` as the last paint placed it (empty when not drawn).
    RECT ButtonRect(int index) const;

    // The parent is a skinned frame.
    bool OnSkinnedForm() const;
    // The form holding the title bar.
    vl::TForm* HostForm() const;
    TsuiTitleBarPopupMenu& SystemMenu() { return *systemMenu_; }

    // Reloads the maximise buttons' pictures for the window state (not for a Custom bar).
    void RefreshMaxButtons();
    // The action of button `index`: maximise/restore, minimise, close, the control box menu.
    void ButtonClick(int index);
    // Opens the system menu at the screen point.
    void PopupSystemMenu(int x, int y);
    // Paints the bar now (the hot button is found while painting).
    void PaintNow();

    TsuiTitleBarButtonClickEvent OnCustomBtnsClick;
    TsuiTitleBarButtonClickEvent OnHelpBtnClick;

protected:
    void WndProc(vl::TMessage& msg) override;
    void Paint(HDC dc, const RECT& clip) override;
    void Notification(vl::TComponent* component, vl::TOperation operation) override;
    void MouseLeave() override;
    void TextChanged() override;
    void FontChanged() override;

    // Draws the three section pictures (the background).
    virtual void DrawSections(vl::TCanvas& canvas);
    // Draws the buttons and the caption; finds the hot button.
    virtual void DrawButtons(vl::TCanvas& canvas);

private:
    void DrawButton(vl::TCanvas& canvas, TsuiTitleBarButton& button, int x, bool hot);
    void MouseDown();
    void MouseUp();
    void DoubleClick();
    bool HostMaximised() const;
    void Minimise();

    bool custom_ = false;
    TsuiFileTheme* fileTheme_ = nullptr;
    TsuiUIStyle uiStyle_ = TsuiUIStyle::DeepBlue;
    bool autoSize_ = false;
    TsuiTitleBarSections sections_{this};
    TsuiTitleBarButtons buttons_{this};
    int buttonInterval_ = 0;
    bool formActive_ = true;
    int leftBtnXOffset_ = 0;
    int rightBtnXOffset_ = 0;
    bool drawAppIcon_ = false;
    int roundCorner_ = 0;
    int buttonTop_ = 2;
    int buttonHeight_ = 0;
    bool pressed_ = false;
    int hotButton_ = -1;
    bool inFileThemeSetter_ = false;
    std::string drawnCaption_;
    int captionX_ = 0;
    std::vector<RECT> buttonRects_;
    TsuiTitleBarPopupMenu* systemMenu_ = nullptr;  // owned as a component of the bar
};

}  // namespace vorlinde
