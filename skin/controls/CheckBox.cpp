#include "skin/controls/CheckBox.h"

#include <algorithm>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/ClassBuilder.h"
#include "framework/GdiOwners.h"
#include "framework/IgnoredProperty.h"
#include "skin/FileTheme.h"
#include "skin/controls/SkinPaint.h"

namespace vorlinde {

const vl::TClassInfo& TsuiCheckBox::StaticClass() {
    using C = TsuiCheckBox;
    static const vl::TClassInfo info = vl::TClassBuilder<C>("TsuiCheckBox", &vl::TCustomControl::StaticClass())
                                           .Creatable()
                                           .Prop("UIStyle", &C::SetUIStyle, &C::UIStyle)
                                           .Reference("FileTheme", &C::SetFileTheme, &C::FileTheme)
                                           .Prop("AutoSize", &C::SetAutoSize, &C::AutoSize)
                                           .Prop("Checked", &C::SetChecked, &C::Checked)
                                           .Prop("State", &C::SetState, &C::State)
                                           .Prop("Transparent", &C::SetTransparent, &C::Transparent)
                                           .Custom("BiDiMode", vl::IgnoreProperty<C>)
                                           .Custom("ParentBiDiMode", vl::IgnoreProperty<C>)
                                           .Custom("Anchors", vl::IgnoreProperty<C>)
                                           .Custom("PopupMenu", vl::IgnoreProperty<C>)
                                           .Custom("ParentShowHint", vl::IgnoreProperty<C>)
                                           .Build();
    return info;
}

TsuiCheckBox::TsuiCheckBox(vl::TComponent* owner)
    : vl::TCustomControl(owner), uiStyle_(GetFormUIStyle(owner)), fileTheme_(*this) {
    SetBounds(0, 0, 93, 17);
    SetTabStop(true);
    SetParentColor(true);
}

void TsuiCheckBox::CreateParams(vl::TCreateParams& params) {
    vl::TCustomControl::CreateParams(params);
    params.classStyle = 0;  // no double clicks: a quick second click toggles again
}

// ------------------------------------------------------------------------------- properties

void TsuiCheckBox::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Invalidate();
    DoChange();
}

void TsuiCheckBox::SetUIStyle(TsuiUIStyle style) {
    uiStyle_ = style;
    Restyled();
}

void TsuiCheckBox::SetFileTheme(TsuiFileTheme* theme) {
    fileTheme_.Set(theme);
    Restyled();
}

void TsuiCheckBox::Restyled() {
    images_.Forget();
    AdjustSize();
    Invalidate();
}

void TsuiCheckBox::SetAutoSize(bool on) {
    autoSize_ = on;
    AdjustSize();
    Invalidate();
}

void TsuiCheckBox::SetTransparent(bool on) {
    transparent_ = on;
    Invalidate();
}

void TsuiCheckBox::Notification(vl::TComponent* component, vl::TOperation operation) {
    vl::TCustomControl::Notification(component, operation);
    if (operation == vl::TOperation::Remove && fileTheme_.Forget(component)) SetUIStyle(TsuiUIStyle::DeepBlue);
}

void TsuiCheckBox::TextChanged() {
    vl::TCustomControl::TextChanged();
    AdjustSize();
}

void TsuiCheckBox::FontChanged() {
    vl::TCustomControl::FontChanged();
    AdjustSize();
}

void TsuiCheckBox::Loaded() {
    vl::TCustomControl::Loaded();
    AdjustSize();
}

bool TsuiCheckBox::FormLoading() const { return Loading() || (Owner() && Owner()->Loading()); }

// ------------------------------------------------------------------------------------- slots

bool TsuiCheckBox::NeedDrawFocus() { return TabStop() && Focused(); }

void TsuiCheckBox::DoChange() {
    if (!FormLoading() && OnClick) OnClick(this);
}

void TsuiCheckBox::Toggle() {
    BeforeToggle();
    SetChecked(!checked_);
}

void TsuiCheckBox::Click() { Toggle(); }

bool TsuiCheckBox::DialogChar(char key) {
    if (!vl::IsAccelChar(key, Caption()) || !Enabled()) return false;
    if (CanFocus() && HandleAllocated()) SetFocus();
    Click();
    return true;
}

// ---------------------------------------------------------------------------------- painting

int TsuiCheckBox::ImageIndex() const {
    if (Enabled()) return checked_ ? 1 : 2;
    return checked_ ? 3 : 4;
}

vl::TBitmap* TsuiCheckBox::StatePicture() {
    try {
        if (!images_.Loaded()) images_.Load(fileTheme_.Get(), uiStyle_, ImageItem(), 4);
        return images_.Image(ImageIndex());
    } catch (...) {
        return nullptr;  // an unreadable picture is a missing one: the caption moves left
    }
}

namespace {
// The height of a line of text ("W") and the width of the caption in the control's font.
SIZE TextMetrics(vl::TCanvas& canvas, const std::string& caption) {
    const int lineHeight = canvas.TextHeight("W");
    return SIZE{CaptionExtent(canvas, caption).cx, lineHeight};
}
}  // namespace

void TsuiCheckBox::AdjustSize() {
    if (!autoSize_ || FormLoading() || Destroying()) return;
    const vl::TBitmap* picture = StatePicture();
    const int pictureWidth = picture ? picture->Width() : 0, pictureHeight = picture ? picture->Height() : 0;
    const vl::TMemoryDC dc;
    vl::TCanvas canvas(dc.Get());
    UseFont(canvas, FontRef());
    const SIZE text = TextMetrics(canvas, Caption());
    const int height = std::max<int>(text.cy + 2, pictureHeight) + 4;
    const int width = pictureWidth + text.cx + 8;
    SetBounds(Left(), Top(), width, height);
}

void TsuiCheckBox::Paint(HDC dc, const RECT&) {
    const RECT client = ClientRect();
    vl::TBufferedPaint buffer(dc, client);
    if (buffer.Empty()) return;
    {
        vl::TBitmap* picture = StatePicture();
        vl::TCanvas canvas(buffer.DC());
        UseFont(canvas, FontRef());
        if (transparent_) PaintParentBackground(buffer.DC());
        else vl::FillSolidRect(buffer.DC(), client, vl::ColorToRGB(Color()));
        const int clientHeight = client.bottom - client.top;
        if (picture) {
            picture->SetTransparent(ImageTransparent());
            canvas.Draw(1, (clientHeight - picture->Height()) / 2, *picture);
        }

        const SIZE text = TextMetrics(canvas, Caption());
        const int textLeft = (picture ? picture->Width() : 0) + 4;
        const int textTop = (clientHeight - text.cy) / 2;
        DrawCaption(canvas, Caption(), RECT{textLeft, textTop, Width(), Height()}, DT_LEFT | DT_TOP, Enabled(), false);
        if (NeedDrawFocus()) {
            const RECT focus{textLeft - 1, textTop, Width(), textTop + text.cy + 2};
            canvas.Brush()->SetStyle(vl::TBrushStyle::Solid);
            DrawFocusRect(canvas.Handle(), &focus);
        }
    }
    buffer.Commit();
}

// ---------------------------------------------------------------------------- mouse and keys

void TsuiCheckBox::WndProc(vl::TMessage& msg) {
    switch (msg.msg) {
    case WM_LBUTTONDOWN:
        vl::TCustomControl::WndProc(msg);  // the capture and OnMouseDown first
        if (CanFocus() && HandleAllocated()) SetFocus();
        return;
    case WM_SETFOCUS:
        Invalidate();
        break;
    case WM_KILLFOCUS:
        keyPressed_ = false;
        Invalidate();
        break;
    case WM_KEYDOWN:
        if (msg.wParam == VK_SPACE || msg.wParam == VK_RETURN) keyPressed_ = true;
        break;
    case WM_KEYUP: {
        const WPARAM key = msg.wParam;
        // Only a key that went down here: Enter may have been taken by a default button.
        const bool pressedHere = keyPressed_;
        if (key == VK_SPACE || key == VK_RETURN) keyPressed_ = false;
        vl::TCustomControl::WndProc(msg);
        if (KeyToggles() && (key == VK_SPACE || key == VK_RETURN) && pressedHere && Focused() && Enabled()) {
            Invalidate();
            Click();
        }
        return;
    }
    default:
        break;
    }
    vl::TCustomControl::WndProc(msg);
}

}  // namespace vorlinde
