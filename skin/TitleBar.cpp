#include "skin/TitleBar.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/ClassBuilder.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "skin/FileTheme.h"
#include "skin/FrameGeometry.h"
#include "skin/SkinForm.h"
#include "skin/TitleBarPopupMenu.h"
#include "skin/controls/ThemeLook.h"

namespace vorlinde {

namespace {

// The title pictures start at the window's outer corner: on a skinned form the bar sits inside
// the 3-pixel frame, which the frame paints with the pictures' first rows and columns.
constexpr int kFrameInset = 3;
constexpr UINT kMinimiseCommand = 61472;  // SC_MINIMIZE

bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom; }

}  // namespace

std::string CutCaption(const std::string& caption, int room, const std::function<int(const std::string&)>& textWidth) {
    if (textWidth(caption) <= room) return caption;
    std::string text = caption;
    while (!text.empty() && textWidth(text + "...") > room) text.pop_back();
    return text + "...";
}

const vl::TClassInfo& TsuiTitleBar::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiTitleBar>("TsuiTitleBar", &vl::TWinControl::StaticClass())
            .Creatable()
            .Prop("Custom", &TsuiTitleBar::SetCustom, &TsuiTitleBar::Custom)
            .Reference("FileTheme", &TsuiTitleBar::SetFileTheme, &TsuiTitleBar::FileTheme)
            .Prop("UIStyle", &TsuiTitleBar::SetUIStyle, &TsuiTitleBar::UIStyle)
            .Prop("AutoSize", &TsuiTitleBar::SetAutoSize, &TsuiTitleBar::AutoSize)
            .Custom("Sections", [](TsuiTitleBar& b, const vl::TPropValue& v) { b.sections_.LoadFromItems(v.items); })
            .Custom("Buttons", [](TsuiTitleBar& b, const vl::TPropValue& v) { b.buttons_.LoadFromItems(v.items); })
            .Prop("ButtonInterval", &TsuiTitleBar::SetButtonInterval, &TsuiTitleBar::ButtonInterval)
            .Prop("FormActive", &TsuiTitleBar::SetFormActive, &TsuiTitleBar::FormActive)
            .Prop("LeftBtnXOffset", &TsuiTitleBar::SetLeftBtnXOffset, &TsuiTitleBar::LeftBtnXOffset)
            .Prop("RightBtnXOffset", &TsuiTitleBar::SetRightBtnXOffset, &TsuiTitleBar::RightBtnXOffset)
            .Prop("DrawAppIcon", &TsuiTitleBar::SetDrawAppIcon, &TsuiTitleBar::DrawAppIcon)
            .Prop("RoundCorner", &TsuiTitleBar::SetRoundCorner, &TsuiTitleBar::RoundCorner)
            .Event("OnCustomBtnsClick", &TsuiTitleBar::OnCustomBtnsClick)
            .Event("OnHelpBtnClick", &TsuiTitleBar::OnHelpBtnClick)
            .Build();
    return info;
}

TsuiTitleBar::TsuiTitleBar(vl::TComponent* owner) : vl::TWinControl(owner) {
    systemMenu_ = new TsuiTitleBarPopupMenu(this);
    using B = TsuiTitleBarBtnType;
    for (B type : {B::suiControlBox, B::suiClose, B::suiMax, B::suiMin}) buttons_.Add().SetButtonType(type);
    SetAlign(vl::TAlign::Top);
    SetParentFont(false);
    Font()->SetName("Tahoma");
    Font()->SetStyle(vl::fsBold);
    Font()->SetColor(0xFFFFFF);
    SetUIStyle(GetFormUIStyle(owner));
}

TsuiTitleBar::~TsuiTitleBar() {
    if (fileTheme_) RemoveFreeNotification(fileTheme_);
}

bool TsuiTitleBar::OnSkinnedForm() const { return dynamic_cast<const TsuiForm*>(Parent()) != nullptr; }

vl::TForm* TsuiTitleBar::HostForm() const {
    if (vl::TForm* form = ParentForm()) return form;
    for (vl::TComponent* c = Owner(); c; c = c->Owner())
        if (auto* form = dynamic_cast<vl::TForm*>(c)) return form;
    return nullptr;
}

bool TsuiTitleBar::HostMaximised() const {
    vl::TForm* host = HostForm();
    return host && host->HandleAllocated() && IsZoomed(host->Handle());
}

void TsuiTitleBar::SetFileTheme(TsuiFileTheme* theme) {
    if (fileTheme_) RemoveFreeNotification(fileTheme_);
    fileTheme_ = theme;
    if (theme) FreeNotification(theme);
    inFileThemeSetter_ = true;
    try {
        SetUIStyle(uiStyle_);
    } catch (...) {
        inFileThemeSetter_ = false;
        throw;
    }
    inFileThemeSetter_ = false;
}

void TsuiTitleBar::SetUIStyle(TsuiUIStyle style) {
    uiStyle_ = style;
    if (custom_) return;
    sections_.Clear();
    TsuiUIStyle effective;
    const bool fromFile = UsingFileTheme(fileTheme_, style, effective);
    const TsuiUIStyle look = fromFile ? TsuiUIStyle::FromThemeFile : effective;
    const int inset = OnSkinnedForm() ? kFrameInset : 0;
    auto section = [&](int item) -> TsuiTitleBarSection& {
        TsuiTitleBarSection& s = sections_.Add();
        vl::TBitmap picture;
        ThemeBitmap(fileTheme_, look, item, picture);
        s.SetPicture(picture);
        return s;
    };
    section(ThemeItem::TitleBarLeftImage).SetAutoSize(true);
    TsuiTitleBarSection& right = section(ThemeItem::TitleBarRightImage);
    right.SetAutoSize(true);
    right.SetAlign(TsuiTitleBarAlign::suiRight);
    section(ThemeItem::TitleBarClientImage).SetAlign(TsuiTitleBarAlign::suiClient);
    leftBtnXOffset_ = ThemeInt(fileTheme_, look, ThemeItem::TitleBarButtonLeftOffsetInt);
    rightBtnXOffset_ = ThemeInt(fileTheme_, look, ThemeItem::TitleBarButtonRightOffsetInt);
    {
        vl::TBitmap strip;
        ThemeBitmap(fileTheme_, look, ThemeItem::TitleBarButtonImage, strip);
        buttonHeight_ = strip.Height();
    }
    buttonTop_ = ThemeInt(fileTheme_, look, ThemeItem::TitleBarButtonTopInt) - inset;
    if (vl::TForm* host = HostForm()) host->Constraints()->SetMinWidth(ThemeInt(fileTheme_, look, ThemeItem::FormMinWidthInt));
    roundCorner_ = ThemeInt(fileTheme_, look, ThemeItem::FormRoundCornerInt);
    for (int i = 0; i < buttons_.Count(); ++i) buttons_.Items(i).SetUIStyle(look);
    systemMenu_->SetUIStyle(look);
    systemMenu_->SetFileTheme(fileTheme_);
    if (!inFileThemeSetter_) {
        bool black = style == TsuiUIStyle::MacOS;
        if (fromFile) {
            const uint32_t c = fileTheme_->GetColor(ThemeItem::ControlFontColor);
            black = c == 65536 || c == 196608 || c == 262144 || c == 327680;
        }
        Font()->SetColor(black ? 0x000000 : 0xFFFFFF);
    }
    SetAutoSize(true);
    Invalidate();
}

void TsuiTitleBar::SetAutoSize(bool on) {
    autoSize_ = on;
    if (sections_.Count() == 0) {
        autoSize_ = false;
        return;
    }
    SetHeight(sections_.Items(0).Picture().Height() - (OnSkinnedForm() ? kFrameInset : 0));
}

void TsuiTitleBar::SetButtonInterval(int v) {
    buttonInterval_ = v;
    Invalidate();
}

void TsuiTitleBar::SetFormActive(bool on) {
    formActive_ = on;
    Invalidate();
}

void TsuiTitleBar::SetLeftBtnXOffset(int v) {
    leftBtnXOffset_ = v;
    Invalidate();
}

void TsuiTitleBar::SetRightBtnXOffset(int v) {
    rightBtnXOffset_ = v;
    Invalidate();
}

void TsuiTitleBar::SetDrawAppIcon(bool on) {
    drawAppIcon_ = on;
    Invalidate();
}

void TsuiTitleBar::TextChanged() {
    vl::TWinControl::TextChanged();
    Invalidate();
}

void TsuiTitleBar::FontChanged() {
    vl::TWinControl::FontChanged();
    Invalidate();
}

void TsuiTitleBar::RefreshMaxButtons() {
    if (custom_) return;
    const bool maximised = HostMaximised();
    for (int i = 0; i < buttons_.Count(); ++i) buttons_.Items(i).LoadMaxPictures(maximised);
    Invalidate();
}

RECT TsuiTitleBar::ButtonRect(int index) const {
    if (index < 0 || index >= static_cast<int>(buttonRects_.size())) return RECT{};
    return buttonRects_[static_cast<size_t>(index)];
}

// ------------------------------------------------------------------------------------ painting

void TsuiTitleBar::Paint(HDC dc, const RECT&) {
    const RECT client{0, 0, Width(), Height()};
    vl::PaintBuffered(dc, client, [&](HDC mem) {
        vl::TCanvas canvas(mem);
        SetBkMode(mem, TRANSPARENT);
        canvas.SetFont(*Font());
        DrawSections(canvas);
        DrawButtons(canvas);
    });
}

void TsuiTitleBar::PaintNow() {
    if (HandleAllocated() && IsWindowVisible(Handle())) {
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return;
    }
    // No window on screen: the layout and the hot button are still worked out.
    vl::TBitmap scratch(std::max(Width(), 1), std::max(Height(), 1));
    Paint(scratch.Canvas().Handle(), RECT{0, 0, Width(), Height()});
}

void TsuiTitleBar::DrawSections(vl::TCanvas& canvas) {
    const int d = OnSkinnedForm() ? -kFrameInset : 0;
    const int w = Width();
    int left = 0, right = 0;
    if (sections_.Count() > 0) {
        vl::TBitmap& picture = *sections_.Items(0).Picture().Bitmap();
        if (!picture.Empty()) canvas.Draw(d, d, picture);
        left = d + picture.Width();
    }
    if (sections_.Count() > 1) {
        vl::TBitmap& picture = *sections_.Items(1).Picture().Bitmap();
        right = w - picture.Width() - d;
        if (!picture.Empty()) canvas.Draw(right, d, picture);
    }
    if (sections_.Count() > 2) {
        vl::TBitmap& picture = *sections_.Items(2).Picture().Bitmap();
        if (!picture.Empty() && right > left) canvas.StretchDraw(RECT{left, d, right, d + picture.Height()}, picture);
    }
}

void TsuiTitleBar::DrawButton(vl::TCanvas& canvas, TsuiTitleBarButton& button, int x, bool hot) {
    vl::TPicture& picture = !hot ? button.PicNormal() : pressed_ ? button.PicMouseDown() : button.PicMouseOn();
    if (picture.Empty()) return;
    vl::TBitmap work;
    work.Assign(*picture.Bitmap());
    work.SetTransparent(button.Transparent());
    canvas.Draw(x, buttonTop_, work);
}

void TsuiTitleBar::DrawButtons(vl::TCanvas& canvas) {
    POINT cursor{};
    GetCursorPos(&cursor);
    if (HandleAllocated()) ::ScreenToClient(Handle(), &cursor);
    else cursor = POINT{-10000, -10000};
    hotButton_ = -1;
    buttonRects_.assign(static_cast<size_t>(buttons_.Count()), RECT{});

    int x = Width() + rightBtnXOffset_ + 1;
    int controlBox = -1;
    for (int i = 0; i < buttons_.Count(); ++i) {
        TsuiTitleBarButton& button = buttons_.Items(i);
        if (!button.Visible()) continue;
        if (button.ButtonType() == TsuiTitleBarBtnType::suiControlBox) {
            controlBox = i;
            continue;
        }
        const int w = button.PicNormal().Width();
        x -= w + buttonInterval_ + 1;
        const RECT r{x, buttonTop_, x + w, buttonTop_ + button.PicNormal().Height()};
        buttonRects_[static_cast<size_t>(i)] = r;
        const bool hot = Inside(r, cursor);
        if (hot) hotButton_ = i;
        DrawButton(canvas, button, x, hot);
    }

    int left = leftBtnXOffset_;
    if (controlBox >= 0) {
        TsuiTitleBarButton& box = buttons_.Items(controlBox);
        const RECT r{left, buttonTop_, left + box.PicNormal().Width(), buttonTop_ + box.PicNormal().Height()};
        buttonRects_[static_cast<size_t>(controlBox)] = r;
        const bool hot = Inside(r, cursor);
        if (hot) hotButton_ = controlBox;
        if (drawAppIcon_) {
            HICON icon = nullptr;
            if (vl::TForm* host = HostForm()) icon = host->Icon();
            if (!icon) icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
            if (icon) DrawIconEx(canvas.Handle(), left + 3, buttonTop_, icon, 16, 16, 0, nullptr, DI_NORMAL);
            left += 21;
        } else {
            DrawButton(canvas, box, left, hot);
            left += box.PicNormal().Width() + 5;
        }
    }
    if (left == 0) left = 6;

    canvas.Font()->SetColor(formActive_ ? vl::ColorToRGB(Font()->Color()) : GetSysColor(COLOR_INACTIVECAPTION));
    canvas.Brush()->SetStyle(vl::TBrushStyle::Clear);
    drawnCaption_ = CutCaption(Caption(), x - left, [&canvas](const std::string& t) { return canvas.TextWidth(t); });
    captionX_ = left;
    const int textHeight = canvas.TextHeight(drawnCaption_.empty() ? std::string("Wg") : drawnCaption_);
    canvas.TextOut(left, buttonTop_ + (buttonHeight_ - textHeight) / 2, drawnCaption_);
}

// ------------------------------------------------------------------------------------- mouse

void TsuiTitleBar::WndProc(vl::TMessage& msg) {
    switch (msg.msg) {
    case WM_ERASEBKGND: msg.result = 1; return;
    case WM_LBUTTONDOWN: MouseDown(); return;
    case WM_LBUTTONUP: MouseUp(); return;
    case WM_LBUTTONDBLCLK: DoubleClick(); return;
    case WM_MOUSEMOVE:
        vl::TWinControl::WndProc(msg);
        PaintNow();
        return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCMOUSEMOVE:
        if (vl::TForm* host = HostForm(); host && host->HandleAllocated()) {
            msg.result = SendMessageA(host->Handle(), msg.msg, msg.wParam, msg.lParam);
            return;
        }
        break;
    }
    vl::TWinControl::WndProc(msg);
}

void TsuiTitleBar::MouseLeave() {
    vl::TWinControl::MouseLeave();
    PaintNow();
}

void TsuiTitleBar::MouseDown() {
    pressed_ = true;
    PaintNow();
    vl::TForm* host = HostForm();
    if (host && host->HandleAllocated() && hotButton_ < 0 && !HostMaximised()) {
        // The system moves the window as if its caption had been dragged.
        POINT p{};
        GetCursorPos(&p);
        ReleaseCapture();
        pressed_ = false;
        SendMessageA(host->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
        return;
    }
    if (HandleAllocated()) SetCapture(Handle());
}

void TsuiTitleBar::MouseUp() {
    if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
    PaintNow();
    const int hot = hotButton_;
    if (hot >= 0 && hot < buttons_.Count()) {
        TsuiTitleBarButton& button = buttons_.Items(hot);
        if (button.ButtonType() != TsuiTitleBarBtnType::suiControlBox || button.ControlBoxMenu()) {
            const TsuiTitleBarBtnType type = button.ButtonType();
            pressed_ = false;
            ButtonClick(hot);
            if (type == TsuiTitleBarBtnType::suiCustom && OnCustomBtnsClick) OnCustomBtnsClick(this, hot);
            if (type == TsuiTitleBarBtnType::suiHelp && OnHelpBtnClick) OnHelpBtnClick(this, hot);
        } else {
            pressed_ = false;
            const POINT p = ClientToScreen(POINT{0, Height()});
            PopupSystemMenu(p.x, p.y);
        }
    }
    pressed_ = false;
    PaintNow();
}

void TsuiTitleBar::DoubleClick() {
    PaintNow();
    if (hotButton_ < 0) {
        for (int i = 0; i < buttons_.Count(); ++i)
            if (buttons_.Items(i).ButtonType() == TsuiTitleBarBtnType::suiMax) {
                ButtonClick(i);
                return;
            }
    } else if (buttons_.Items(hotButton_).ButtonType() == TsuiTitleBarBtnType::suiControlBox) {
        if (vl::TForm* host = HostForm()) host->Close();
    }
}

void TsuiTitleBar::PopupSystemMenu(int x, int y) { systemMenu_->Popup(x, y); }

void TsuiTitleBar::Minimise() {
    vl::TForm* host = HostForm();
    if (!host || !host->HandleAllocated()) return;
    if (vl::Application && vl::Application->MainForm() == host) SendMessageA(host->Handle(), WM_SYSCOMMAND, kMinimiseCommand, 0);
    else ShowWindow(host->Handle(), SW_MINIMIZE);
}

void TsuiTitleBar::ButtonClick(int index) {
    if (index < 0 || index >= buttons_.Count()) return;
    TsuiTitleBarButton& button = buttons_.Items(index);
    vl::TForm* host = HostForm();
    switch (button.ButtonType()) {
    case TsuiTitleBarBtnType::suiMax:
        if (!host || !host->HandleAllocated()) return;
        if (IsZoomed(host->Handle())) {
            ShowWindow(host->Handle(), SW_RESTORE);
        } else {
            ShowWindow(host->Handle(), SW_MAXIMIZE);
            if (!OnSkinnedForm()) {
                const RECT r = MaximisedBounds(WorkAreaForMaximising());
                SetWindowPos(host->Handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
        RefreshMaxButtons();
        break;
    case TsuiTitleBarBtnType::suiMin: Minimise(); break;
    case TsuiTitleBarBtnType::suiClose:
        if (host) host->Close();
        break;
    case TsuiTitleBarBtnType::suiControlBox:
        if (vl::TPopupMenu* menu = button.ControlBoxMenu()) {
            const POINT p = ClientToScreen(POINT{0, Height()});
            menu->Popup(p.x, p.y);
        }
        break;
    case TsuiTitleBarBtnType::suiHelp:
    case TsuiTitleBarBtnType::suiCustom: break;
    }
}

void TsuiTitleBar::Notification(vl::TComponent* component, vl::TOperation operation) {
    vl::TWinControl::Notification(component, operation);
    if (operation != vl::TOperation::Remove) return;
    if (component == fileTheme_) {
        fileTheme_ = nullptr;
        SetUIStyle(TsuiUIStyle::DeepBlue);
    }
    if (auto* menu = dynamic_cast<vl::TPopupMenu*>(component)) buttons_.MenuRemoved(menu);
}

}  // namespace vorlinde
