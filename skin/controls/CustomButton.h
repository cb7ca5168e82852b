#pragma once
// TsuiCustomButton: the push button of the skinned user interface. It draws itself completely,
// into one off-screen bitmap copied to the screen in one block, from a state picture (normal,
// mouse over, pressed, disabled) and its caption; it answers Enter as the default button,
// Escape as the cancel button and its caption's accelerator; while the left mouse button is
// held on it, it raises OnMouseContinuouslyDown every MouseContinuouslyDownInterval ms.
//
// Its state: MouseOn (the pointer is over it) and MouseDown (the pressed look); the state
// picture follows MouseDown before MouseOn before normal, and a disabled button shows the
// disabled picture. Derived classes fill in the slots below: how the picture and caption are
// drawn, how the focus shows, and where the four state pictures come from.
#include <windows.h>

#include <string>

#include "framework/Bitmap.h"
#include "framework/CustomControl.h"
#include "skin/UIStyle.h"
#include "skin/controls/ThemeLook.h"

namespace vl {
class TCanvas;
}  // namespace vl

namespace vorlinde {

class TsuiFileTheme;

class TsuiCustomButton : public vl::TCustomControl {
    VL_DECLARE_CLASS()
public:
    explicit TsuiCustomButton(vl::TComponent* owner);
    ~TsuiCustomButton() override;

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool on);
    bool Default() const { return default_; }
    // Every button of the form then recomputes which one answers Enter.
    void SetDefault(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result);
    virtual TsuiUIStyle UIStyle() const { return uiStyle_; }
    // Stores the style, drops the loaded look, runs UIStyleChanged and repaints.
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return fileTheme_.Get(); }
    // Stores the reference (not owned) and sets the current style again.
    void SetFileTheme(TsuiFileTheme* theme);
    int MouseContinuouslyDownInterval() const { return repeatInterval_; }
    void SetMouseContinuouslyDownInterval(int ms);
    int FocusedRectMargin() const { return focusMargin_; }
    void SetFocusedRectMargin(int margin);

    // The pointer is over the button.
    bool MouseOn() const { return mouseOn_; }
    // The button shows its pressed look.
    bool MouseDown() const { return mouseDown_; }
    // The button answers Enter: the focused button, or the Default one while no button has
    // the focus.
    bool ActiveDefault() const { return activeDefault_; }
    // True while the auto-repeat runs (the left button is held on the button).
    bool Repeating() const { return repeating_; }

    // Ends the pressed look and the auto-repeat, gives the parent form this button's
    // ModalResult (also 0), then raises OnClick.
    void Click() override;
    bool DialogChar(char key) override;
    bool DialogKeyPressed(WORD key, vl::TShiftState shift) override;

    vl::TNotifyEvent OnMouseExit;
    vl::TNotifyEvent OnMouseContinuouslyDown;

protected:
    // --- slots
    // Sizes the button to its picture when AutoSize is on.
    virtual void UpdateAutoSize();
    virtual void CaptionChanged() {}
    void FontChanged() override;
    // PicTransparent follows Transparent.
    virtual void TransparentChanged();
    void EnabledChanged() override {}
    virtual void UIStyleChanged() {}
    virtual void PaintPic(vl::TCanvas& canvas, vl::TBitmap& picture);
    virtual void PaintText(vl::TCanvas& canvas, const std::string& caption);
    virtual void PaintFocus(vl::TCanvas& canvas);
    // The state pictures: images 1, 2, 3 and 1 of the style's button strip. `picture` may
    // still hold an earlier paint's picture: a state without one empties it.
    virtual void GetNormalPic(vl::TBitmap& picture);
    virtual void GetMouseOnPic(vl::TBitmap& picture);
    virtual void GetMouseDownPic(vl::TBitmap& picture);
    virtual void GetDisabledPic(vl::TBitmap& picture);

    // The images of the style's button strip, loaded on first use after each restyle.
    const TsuiStripImages& ButtonImages();
    // The picture drawn when a state picture cannot be had.
    static constexpr int kBlankWidth = 74, kBlankHeight = 21;

    // Set by PaintFocus to have the next PaintText draw the caption bold.
    bool boldCaption_ = false;
    // The state picture is drawn leaving its transparent colour out (a copy of Transparent).
    bool picTransparent_ = false;

    void CreateParams(vl::TCreateParams& params) override;
    void WindowCreated() override;
    void WndProc(vl::TMessage& msg) override;
    void Paint(HDC dc, const RECT& clip) override;
    void TextChanged() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void FocusChanged(vl::TWinControl* focused) override;
    void PressCancelled() override;
    void Notification(vl::TComponent* component, vl::TOperation operation) override;

private:
    // Fills `picture` with the state picture; a lookup that fails gives the blank picture.
    void ChooseStatePicture(vl::TBitmap& picture);
    void PressWithMouse();
    void StopRepeat();
    void SetPressed(bool down);

    bool autoSize_ = false;
    bool cancel_ = false;
    bool default_ = false;
    bool transparent_ = false;
    int modalResult_ = 0;
    TsuiUIStyle uiStyle_;
    TsuiThemeLink fileTheme_;
    // The auto-repeat is a timer of the button's own window, set only for an interval above
    // 0: an interval of 0 or below repeats never.
    bool repeating_ = false;
    int repeatInterval_ = 100;
    int focusMargin_ = 2;
    bool activeDefault_ = false;
    bool mouseOn_ = false;
    bool mouseDown_ = false;
    TsuiStripImages buttonImages_;
    // The state picture of the paint, kept between paints so that its bitmap is made once.
    vl::TBitmap statePicture_;
};

}  // namespace vorlinde
