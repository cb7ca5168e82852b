#include "skin/controls/GroupBox.h"

#include <cstdlib>

#include "framework/Canvas.h"
#include "framework/ClassBuilder.h"
#include "framework/Colors.h"
#include "framework/GdiOwners.h"
#include "skin/FileTheme.h"

namespace vorlinde {

const vl::TClassInfo& TsuiCustomGroupBox::StaticClass() {
    using G = TsuiCustomGroupBox;
    static const vl::TClassInfo info = vl::TClassBuilder<G>("TsuiCustomGroupBox", &TsuiCustomPanel::StaticClass())
                                           .Creatable()
                                           .Reference("FileTheme", &G::SetFileTheme, &G::FileTheme)
                                           .Prop("UIStyle", &G::SetUIStyle, &G::UIStyle)
                                           .Prop("Caption", &G::SetCaption, &G::Caption)
                                           .ColorProp("BorderColor", &G::SetBorderColor, &G::BorderColor)
                                           .Build();
    return info;
}

TsuiCustomGroupBox::TsuiCustomGroupBox(vl::TComponent* owner)
    : TsuiCustomPanel(owner), fileTheme_(*this), uiStyle_(GetFormUIStyle(owner)) {
    SetText(" ");
    SetBounds(Left(), Top(), 185, 105);
    SetParentColor(true);
    SetTransparent(false);
    // The frame starts in its style's colour; the font keeps following the parent until the
    // first restyle gives it the style's colour.
    borderColor_ = ThemeColor(nullptr, uiStyle_, ThemeItem::ControlBorderColor);
}

void TsuiCustomGroupBox::SetBorderColor(uint32_t color) {
    borderColor_ = color;
    Invalidate();
}

void TsuiCustomGroupBox::SetCaption(const std::string& caption) {
    caption_ = caption;
    Invalidate();
}

void TsuiCustomGroupBox::SetUIStyle(TsuiUIStyle style) {
    uiStyle_ = style;
    UIStyleChanged(style, fileTheme_.Get());
}

void TsuiCustomGroupBox::SetFileTheme(TsuiFileTheme* theme) {
    fileTheme_.Set(theme);
    SetUIStyle(uiStyle_);
}

void TsuiCustomGroupBox::UIStyleChanged(TsuiUIStyle style, TsuiFileTheme* fileTheme) {
    ApplyThemeToChildren(this, style, fileTheme);
    SetBorderColor(ThemeColor(fileTheme, style, ThemeItem::ControlBorderColor));
    Font()->SetColor(ThemeColor(fileTheme, style, ThemeItem::ControlFontColor));
    Invalidate();
}

void TsuiCustomGroupBox::Notification(vl::TComponent* component, vl::TOperation operation) {
    TsuiCustomPanel::Notification(component, operation);
    // The children lose the theme with the box: all go back to DeepBlue.
    if (operation == vl::TOperation::Remove && fileTheme_.Forget(component)) SetUIStyle(TsuiUIStyle::DeepBlue);
}

int TsuiCustomGroupBox::CaptionLineHeight() const { return std::abs(FontRef().Height()); }

void TsuiCustomGroupBox::AdjustClientRect(RECT& rect) {
    rect.left += 3;
    rect.right -= 3;
    rect.bottom -= 3;
    rect.top += CaptionLineHeight() + 5;
}

void TsuiCustomGroupBox::FontChanged() {
    TsuiCustomPanel::FontChanged();
    Realign();
    Invalidate();
}

void TsuiCustomGroupBox::TextChanged() {
    TsuiCustomPanel::TextChanged();
    Invalidate();
}

void TsuiCustomGroupBox::EnabledChanged() {
    TsuiCustomPanel::EnabledChanged();
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(Enabled());
    Invalidate();
}

void TsuiCustomGroupBox::Paint(HDC dc, const RECT&) {
    const RECT client = ClientRect();
    vl::TBufferedPaint buffer(dc, client);
    if (buffer.Empty()) return;
    {
        PaintBackground(buffer.DC());
        vl::TCanvas canvas(buffer.DC());
        canvas.Font()->Assign(FontRef());
        const int captionWidth = caption_.empty() ? 0 : canvas.TextWidth(caption_);
        // The frame line, its top broken by the caption's gap.
        const int y = CaptionLineHeight() / 2 + client.top + 1;
        canvas.Pen()->SetColor(borderColor_);
        canvas.MoveTo(client.left + 2, y);
        canvas.LineTo(client.left, y);
        canvas.LineTo(client.left, client.bottom - 1);
        canvas.LineTo(client.right - 1, client.bottom - 1);
        canvas.LineTo(client.right - 1, y);
        canvas.LineTo(caption_.empty() ? client.left : client.left + 6 + captionWidth, y);
        canvas.Brush()->SetStyle(vl::TBrushStyle::Clear);
        if (!Enabled()) canvas.Font()->SetColor(vl::clGray);
        canvas.TextOut(5, 0, caption_);
    }
    buffer.Commit();
}

}  // namespace vorlinde
