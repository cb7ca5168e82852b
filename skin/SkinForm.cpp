#include "skin/SkinForm.h"

#include <algorithm>

#include "framework/ClassBuilder.h"
#include "framework/Exceptions.h"
#include "framework/GdiOwners.h"
#include "skin/FileTheme.h"

namespace vorlinde {

const vl::TClassInfo& TsuiForm::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiForm>("TsuiForm", &vl::TWinControl::StaticClass())
            .Creatable()
            .Reference("FileTheme", &TsuiForm::SetFileTheme, &TsuiForm::FileTheme)
            .Prop("UIStyle", &TsuiForm::SetUIStyle, &TsuiForm::UIStyle)
            .Prop("UIStyleAutoUpdateSub", &TsuiForm::SetUIStyleAutoUpdateSub, &TsuiForm::UIStyleAutoUpdateSub)
            .ColorProp("BorderColor", &TsuiForm::SetBorderColor, &TsuiForm::BorderColor)
            .Prop("BorderWidth", &TsuiForm::SetBorderWidth, &TsuiForm::BorderWidth)
            .Custom("TitleBarButtons",
                    [](TsuiForm& f, const vl::TPropValue& v) { f.titleBarButtons_ = CollectionItems(v); })
            .Custom("TitleBarSections",
                    [](TsuiForm& f, const vl::TPropValue& v) { f.titleBarSections_ = CollectionItems(v); })
            .Prop("TitleBarDrawAppIcon", &TsuiForm::SetTitleBarDrawAppIcon, &TsuiForm::TitleBarDrawAppIcon)
            .Object("Font", &TsuiForm::TitleFont)
            .ColorProp("MenuBarColor", &TsuiForm::SetMenuBarColor, &TsuiForm::MenuBarColor)
            .Prop("MenuBarHeight", &TsuiForm::SetMenuBarHeight, &TsuiForm::MenuBarHeight)
            .Prop("RoundCorner", &TsuiForm::SetRoundCorner, &TsuiForm::RoundCorner)
            .Event("OnTitleBarHelpBtnClick", &TsuiForm::OnTitleBarHelpBtnClick)
            .Build();
    return info;
}

TsuiForm::TsuiForm(vl::TComponent* owner) : vl::TWinControl(owner) {
    titleFont_.SetName("Tahoma");
    titleFont_.SetStyle(vl::fsBold);
    titleFont_.SetColor(0xFFFFFF);
    titleFont_.OnChange = [this](vl::TObject*) { Invalidate(); };
}

TsuiForm::~TsuiForm() {
    titleFont_.OnChange = nullptr;
    if (fileTheme_) RemoveFreeNotification(fileTheme_);
}

std::vector<vl::TPropItem> TsuiForm::CollectionItems(const vl::TPropValue& value) {
    if (value.kind != vl::TPropValue::Kind::Collection) throw vl::EReadError("Collection expected");
    return value.items;
}

void TsuiForm::SetUIStyle(TsuiUIStyle style) {
    uiStyle_ = style;
    Invalidate();
}

void TsuiForm::SetFileTheme(TsuiFileTheme* theme) {
    if (theme == fileTheme_) return;
    if (fileTheme_) RemoveFreeNotification(fileTheme_);
    fileTheme_ = theme;
    if (theme) FreeNotification(theme);
    SetUIStyle(uiStyle_);
}

void TsuiForm::SetBorderColor(uint32_t color) {
    borderColor_ = color;
    Invalidate();
}

void TsuiForm::SetBorderWidth(int width) {
    borderWidth_ = std::max(width, 0);
    Invalidate();
}

void TsuiForm::TextChanged() {
    vl::TWinControl::TextChanged();
    Invalidate();
}

void TsuiForm::Notification(vl::TComponent* component, vl::TOperation operation) {
    vl::TWinControl::Notification(component, operation);
    if (operation == vl::TOperation::Remove && component == fileTheme_) fileTheme_ = nullptr;
}

int TsuiForm::TitleStripHeight() {
    const vl::TScreenDC screen;
    const vl::TSelectObject font(screen.Get(), titleFont_.Handle());
    TEXTMETRICA tm{};
    GetTextMetricsA(screen.Get(), &tm);
    return tm.tmHeight + 8;
}

void TsuiForm::Paint(HDC dc, const RECT&) {
    const RECT client = ClientRect();
    const int width = client.right - client.left, height = client.bottom - client.top;
    vl::TBufferedPaint buffer(dc, client);
    if (buffer.Empty()) return;
    HDC mem = buffer.DC();

    vl::FillSolidRect(mem, client, vl::ColorToRGB(Color()));

    const vl::TGdiBrush border = vl::MakeSolidBrush(vl::ColorToRGB(borderColor_));
    RECT strip{0, 0, width, std::min(TitleStripHeight(), height)};
    FillRect(mem, &strip, border.Get());
    RECT frame = client;
    for (int i = 0; i < borderWidth_ && frame.right > frame.left && frame.bottom > frame.top; ++i) {
        FrameRect(mem, &frame, border.Get());
        InflateRect(&frame, -1, -1);
    }

    RECT text = strip;
    text.left += borderWidth_ + 6;
    text.right -= borderWidth_ + 6;
    {
        const vl::TSelectObject font(mem, titleFont_.Handle());
        SetBkMode(mem, TRANSPARENT);
        SetTextColor(mem, vl::ColorToRGB(titleFont_.Color()));
        DrawTextA(mem, Caption().c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    buffer.Commit();
}

}  // namespace vorlinde
