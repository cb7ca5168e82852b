#include "skin/controls/CustomButton.h"

#include <algorithm>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/ClassBuilder.h"
#include "framework/Form.h"
#include "framework/GdiOwners.h"
#include "framework/IgnoredProperty.h"
#include "framework/StringUtils.h"
#include "skin/FileTheme.h"
#include "skin/controls/Button.h"
#include "skin/controls/SkinPaint.h"

namespace vorlinde {

namespace {
// The auto-repeat's timer on the button's window.
constexpr UINT_PTR kRepeatTimer = 1;
}  // namespace

const vl::TClassInfo& TsuiCustomButton::StaticClass() {
    using B = TsuiCustomButton;
    static const vl::TClassInfo info =
        vl::TClassBuilder<B>("TsuiCustomButton", &vl::TCustomControl::StaticClass())
            .Prop("UIStyle", &B::SetUIStyle, &B::UIStyle)
            .Prop("Cancel", &B::SetCancel, &B::Cancel)
            .Prop("Default", &B::SetDefault, &B::Default)
            .Custom("Action", vl::IgnoreProperty<B>)
            .Prop("Transparent", &B::SetTransparent, &B::Transparent)
            .Prop("ModalResult", &B::SetModalResult, &B::ModalResult)
            .Prop("AutoSize", &B::SetAutoSize, &B::AutoSize)
            .Prop("FocusedRectMargin", &B::SetFocusedRectMargin, &B::FocusedRectMargin)
            .Prop("MouseContinuouslyDownInterval", &B::SetMouseContinuouslyDownInterval,
                  &B::MouseContinuouslyDownInterval)
            .Event("OnMouseExit", &B::OnMouseExit)
            .Event("OnMouseContinuouslyDown", &B::OnMouseContinuouslyDown)
            .Custom("BiDiMode", vl::IgnoreProperty<B>)
            .Custom("ParentBiDiMode", vl::IgnoreProperty<B>)
            .Custom("Anchors", vl::IgnoreProperty<B>)
            .Custom("PopupMenu", vl::IgnoreProperty<B>)
            .Custom("ParentShowHint", vl::IgnoreProperty<B>)
            .Build();
    return info;
}

TsuiCustomButton::TsuiCustomButton(vl::TComponent* owner)
    : vl::TCustomControl(owner), uiStyle_(GetFormUIStyle(owner)), fileTheme_(*this) {
    SetTabStop(true);
    // The button's surroundings take the colour of what it sits on.
    SetParentColor(true);
}

TsuiCustomButton::~TsuiCustomButton() { StopRepeat(); }

void TsuiCustomButton::CreateParams(vl::TCreateParams& params) {
    vl::TCustomControl::CreateParams(params);
    params.classStyle = 0;  // no double clicks: a quick second press is a second click
}

void TsuiCustomButton::WindowCreated() {
    vl::TCustomControl::WindowCreated();
    activeDefault_ = default_;
}

// ------------------------------------------------------------------------------- properties

void TsuiCustomButton::SetAutoSize(bool on) {
    autoSize_ = on;
    UpdateAutoSize();
    Invalidate();
}

void TsuiCustomButton::SetCancel(bool on) {
    cancel_ = on;
    Invalidate();
}

void TsuiCustomButton::SetDefault(bool on) {
    default_ = on;
    if (!HandleAllocated()) return;
    if (vl::TForm* form = ParentForm()) form->FocusMoved(form->ActiveControl());
}

void TsuiCustomButton::SetTransparent(bool on) {
    transparent_ = on;
    TransparentChanged();
    Invalidate();
}

void TsuiCustomButton::SetModalResult(int result) { modalResult_ = result; }

void TsuiCustomButton::SetUIStyle(TsuiUIStyle style) {
    uiStyle_ = style;
    buttonImages_.Forget();
    UIStyleChanged();
    if (autoSize_) UpdateAutoSize();
    Invalidate();
}

void TsuiCustomButton::SetFileTheme(TsuiFileTheme* theme) {
    fileTheme_.Set(theme);
    SetUIStyle(uiStyle_);
}

void TsuiCustomButton::SetMouseContinuouslyDownInterval(int ms) { repeatInterval_ = ms; }

void TsuiCustomButton::SetFocusedRectMargin(int margin) {
    focusMargin_ = margin;
    Invalidate();
}

void TsuiCustomButton::Notification(vl::TComponent* component, vl::TOperation operation) {
    vl::TCustomControl::Notification(component, operation);
    if (operation == vl::TOperation::Remove && fileTheme_.Forget(component)) SetUIStyle(TsuiUIStyle::DeepBlue);
}

// ------------------------------------------------------------------------------------- slots

void TsuiCustomButton::UpdateAutoSize() {
    if (!autoSize_) return;
    // Sized to the strip the button draws from; without one, to the blank picture.
    const TsuiStripImages& images = ButtonImages();
    const vl::TBitmap* normal = images.Image(1);
    if (normal) SetBounds(Left(), Top(), normal->Width(), normal->Height());
    else SetBounds(Left(), Top(), kBlankWidth, kBlankHeight);
}

void TsuiCustomButton::FontChanged() {
    vl::TCustomControl::FontChanged();
    Invalidate();
}

void TsuiCustomButton::TransparentChanged() {
    picTransparent_ = transparent_;
    Invalidate();
}

void TsuiCustomButton::TextChanged() {
    vl::TCustomControl::TextChanged();
    CaptionChanged();
    Invalidate();
}

void TsuiCustomButton::PaintPic(vl::TCanvas& canvas, vl::TBitmap& picture) {
    if (picture.Width() <= 0 || picture.Height() <= 0) return;
    DrawListImage(canvas, picture, picture.Width(), 0, 0, 0, picTransparent_, !Enabled());
}

void TsuiCustomButton::PaintText(vl::TCanvas& canvas, const std::string& caption) {
    UseFont(canvas, FontRef());
    if (boldCaption_) canvas.Font()->SetStyle(canvas.Font()->Style() | vl::fsBold);
    DrawCaption(canvas, caption, ClientRect(), DT_CENTER | DT_VCENTER, Enabled(), mouseDown_);
    boldCaption_ = false;
}

void TsuiCustomButton::PaintFocus(vl::TCanvas& canvas) {
    RECT r = ClientRect();
    InflateRect(&r, -focusMargin_, -focusMargin_);
    canvas.Brush()->SetStyle(vl::TBrushStyle::Solid);
    DrawFocusRect(canvas.Handle(), &r);
}

const TsuiStripImages& TsuiCustomButton::ButtonImages() {
    if (!buttonImages_.Loaded()) buttonImages_.Load(fileTheme_.Get(), uiStyle_, ThemeItem::ButtonImage, 3);
    return buttonImages_;
}

namespace {
void CopyImage(const vl::TBitmap* image, vl::TBitmap& picture) {
    if (image) picture.Assign(*image);
    else picture.Clear();
}
}  // namespace

void TsuiCustomButton::GetNormalPic(vl::TBitmap& picture) { CopyImage(ButtonImages().Image(1), picture); }
void TsuiCustomButton::GetMouseOnPic(vl::TBitmap& picture) { CopyImage(ButtonImages().Image(2), picture); }
void TsuiCustomButton::GetMouseDownPic(vl::TBitmap& picture) { CopyImage(ButtonImages().Image(3), picture); }
void TsuiCustomButton::GetDisabledPic(vl::TBitmap& picture) { CopyImage(ButtonImages().Image(1), picture); }

// ---------------------------------------------------------------------------------- painting

void TsuiCustomButton::ChooseStatePicture(vl::TBitmap& picture) {
    try {
        if (!Enabled()) GetDisabledPic(picture);
        else if (mouseDown_) GetMouseDownPic(picture);
        else if (mouseOn_) GetMouseOnPic(picture);
        else GetNormalPic(picture);
    } catch (...) {
        // A look that cannot be read must not stop the button from showing: a blank picture
        // of the button's colour stands in, and the caption is drawn over it.
        picture.SetSize(kBlankWidth, kBlankHeight);
        const RECT all{0, 0, kBlankWidth, kBlankHeight};
        vl::FillSolidRect(picture.Canvas().Handle(), all, vl::ColorToRGB(Color()));
    }
}

void TsuiCustomButton::Paint(HDC dc, const RECT&) {
    const RECT client = ClientRect();
    vl::TBufferedPaint buffer(dc, client);
    if (buffer.Empty()) return;
    {
        vl::TBitmap& picture = statePicture_;
        ChooseStatePicture(picture);
        picture.SetTransparent(picTransparent_);
        vl::TCanvas canvas(buffer.DC());
        if (transparent_) PaintParentBackground(buffer.DC());
        else vl::FillSolidRect(buffer.DC(), client, vl::ColorToRGB(Color()));
        PaintPic(canvas, picture);
        if (Focused() && TabStop()) PaintFocus(canvas);
        UseFont(canvas, FontRef());
        if (!vl::Trim(Caption()).empty()) PaintText(canvas, Caption());
    }
    buffer.Commit();
}

// ---------------------------------------------------------------------------- mouse and keys

void TsuiCustomButton::SetPressed(bool down) {
    if (down == mouseDown_) return;
    mouseDown_ = down;
    Invalidate();
}

void TsuiCustomButton::StopRepeat() {
    if (!repeating_) return;
    repeating_ = false;
    if (HandleAllocated()) KillTimer(Handle(), kRepeatTimer);
}

void TsuiCustomButton::PressWithMouse() {
    mouseDown_ = true;
    if (!repeating_) {
        repeating_ = true;
        if (repeatInterval_ > 0) SetTimer(Handle(), kRepeatTimer, static_cast<UINT>(repeatInterval_), nullptr);
    }
    if (TabStop() && CanFocus() && HandleAllocated()) SetFocus();
    Invalidate();
}

void TsuiCustomButton::MouseEnter() {
    mouseOn_ = true;
    Invalidate();
    vl::TCustomControl::MouseEnter();  // OnMouseEnter
}

void TsuiCustomButton::MouseLeave() {
    mouseOn_ = false;
    mouseDown_ = false;
    StopRepeat();
    Invalidate();
    vl::TCustomControl::MouseLeave();
    if (OnMouseExit) OnMouseExit(this);
}

void TsuiCustomButton::PressCancelled() {
    // Something else took the mouse (a menu, a message box): the press is over.
    StopRepeat();
    SetPressed(false);
}

void TsuiCustomButton::WndProc(vl::TMessage& msg) {
    switch (msg.msg) {
    case WM_LBUTTONDOWN:
        PressWithMouse();
        break;  // then the capture and OnMouseDown
    case WM_TIMER:
        if (msg.wParam != kRepeatTimer) break;
        if (OnMouseContinuouslyDown) OnMouseContinuouslyDown(this);
        return;
    case WM_MOUSEMOVE: {
        vl::TCustomControl::WndProc(msg);  // the pointer's entering, OnMouseMove
        const int x = static_cast<short>(LOWORD(msg.lParam)), y = static_cast<short>(HIWORD(msg.lParam));
        if (x < 0 || y < 0 || x > Width() || y > Height()) {
            // Dragged off while pressed: no pressed look, and no repeating for a press that
            // no longer shows.
            const bool changed = mouseOn_ || mouseDown_;
            mouseOn_ = false;
            mouseDown_ = false;
            StopRepeat();
            if (changed) Invalidate();
        }
        return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        break;
    case WM_KEYDOWN: {
        const WPARAM key = msg.wParam;
        vl::TCustomControl::WndProc(msg);
        if ((key == VK_SPACE || key == VK_RETURN) && Focused() && Enabled()) SetPressed(true);
        return;
    }
    case WM_KEYUP: {
        const WPARAM key = msg.wParam;
        vl::TCustomControl::WndProc(msg);
        if ((key == VK_SPACE || key == VK_RETURN) && Focused() && Enabled() && mouseDown_) {
            SetPressed(false);
            Click();
        }
        return;
    }
    default:
        break;
    }
    vl::TCustomControl::WndProc(msg);
}

void TsuiCustomButton::Click() {
    StopRepeat();
    SetPressed(false);
    if (Parent())
        if (vl::TForm* form = ParentForm()) form->SetModalResult(modalResult_);
    vl::TCustomControl::Click();
}

bool TsuiCustomButton::DialogChar(char key) {
    if (!vl::IsAccelChar(key, Caption()) || !Enabled()) return false;
    Click();
    return true;
}

bool TsuiCustomButton::DialogKeyPressed(WORD key, vl::TShiftState shift) {
    if (shift & (vl::ssShift | vl::ssCtrl | vl::ssAlt)) return false;
    const bool answers = (key == VK_RETURN && activeDefault_) || (key == VK_ESCAPE && cancel_);
    if (!answers || !CanFocus()) return false;
    Click();
    return true;
}

void TsuiCustomButton::FocusChanged(vl::TWinControl* focused) {
    vl::TCustomControl::FocusChanged(focused);
    if (dynamic_cast<TsuiButton*>(focused)) activeDefault_ = focused == this;
    else activeDefault_ = default_;
}

}  // namespace vorlinde
