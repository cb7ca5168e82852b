#include "framework/StdCtrls.h"

#include <algorithm>
#include <cstdlib>

#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/Graphics.h"

namespace vl {

const TEnumTable<TAlignment>& TEnumNames<TAlignment>::Table() {
    static const TEnumTable<TAlignment> t = {{"taLeftJustify", TAlignment::LeftJustify},
                                             {"taRightJustify", TAlignment::RightJustify},
                                             {"taCenter", TAlignment::Center}};
    return t;
}

const TEnumTable<TTextLayout>& TEnumNames<TTextLayout>::Table() {
    static const TEnumTable<TTextLayout> t = {
        {"tlTop", TTextLayout::Top}, {"tlCenter", TTextLayout::Center}, {"tlBottom", TTextLayout::Bottom}};
    return t;
}

const TEnumTable<TBevelCut>& TEnumNames<TBevelCut>::Table() {
    static const TEnumTable<TBevelCut> t = {{"bvNone", TBevelCut::None},
                                            {"bvLowered", TBevelCut::Lowered},
                                            {"bvRaised", TBevelCut::Raised},
                                            {"bvSpace", TBevelCut::Space}};
    return t;
}

const TEnumTable<TBorderStyle>& TEnumNames<TBorderStyle>::Table() {
    static const TEnumTable<TBorderStyle> t = {{"bsNone", TBorderStyle::None}, {"bsSingle", TBorderStyle::Single}};
    return t;
}

const TEnumTable<TCheckBoxState>& TEnumNames<TCheckBoxState>::Table() {
    static const TEnumTable<TCheckBoxState> t = {{"cbUnchecked", TCheckBoxState::Unchecked},
                                                 {"cbChecked", TCheckBoxState::Checked},
                                                 {"cbGrayed", TCheckBoxState::Grayed}};
    return t;
}

namespace {
// Properties form descriptions carry for other tools and that these controls ignore.
template <class T>
void Ignore(T&, const TPropValue&) {}

// The character an '&' in `caption` marks, or 0.
char AccelChar(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return caption[i + 1];
    }
    return 0;
}

bool IsAccel(char key, const std::string& caption) {
    char c = AccelChar(caption);
    return c && std::toupper(static_cast<unsigned char>(c)) == std::toupper(static_cast<unsigned char>(key));
}

// A screen-compatible memory context with `font` selected, for measuring text.
class TMeasureDC {
public:
    explicit TMeasureDC(HFONT font) : dc_(CreateCompatibleDC(nullptr)) { old_ = SelectObject(dc_, font); }
    ~TMeasureDC() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    TMeasureDC(const TMeasureDC&) = delete;
    TMeasureDC& operator=(const TMeasureDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

int FontLineHeight(const TFont& font) {
    TMeasureDC dc(font.Handle());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.Get(), &tm);
    return tm.tmHeight;
}
}  // namespace

// ============================================================================================ TLabel

const TClassInfo& TLabel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TLabel>("TLabel", &TWinControl::StaticClass())
                                       .Creatable()
                                       .Prop("AutoSize", &TLabel::SetAutoSize, &TLabel::AutoSize)
                                       .Prop("Transparent", &TLabel::SetTransparent, &TLabel::Transparent)
                                       .Prop("Alignment", &TLabel::SetAlignment, &TLabel::Alignment)
                                       .Prop("Layout", &TLabel::SetLayout, &TLabel::Layout)
                                       .Prop("WordWrap", &TLabel::SetWordWrap, &TLabel::WordWrap)
                                       .Prop("ShowAccelChar", &TLabel::SetShowAccelChar, &TLabel::ShowAccelChar)
                                       .Reference("FocusControl", &TLabel::SetFocusControl)
                                       .Build();
    return info;
}

TLabel::TLabel(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 65, 13);
    SetParentColor(true);
}

void TLabel::SetAutoSize(bool v) {
    if (v == autoSize_) return;
    autoSize_ = v;
    AdjustBounds();
}

void TLabel::SetTransparent(bool v) {
    if (v == transparent_) return;
    transparent_ = v;
    Invalidate();
}

void TLabel::SetAlignment(TAlignment a) {
    if (a == alignment_) return;
    alignment_ = a;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout l) {
    if (l == layout_) return;
    layout_ = l;
    Invalidate();
}

void TLabel::SetWordWrap(bool v) {
    if (v == wordWrap_) return;
    wordWrap_ = v;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetShowAccelChar(bool v) {
    if (v == showAccelChar_) return;
    showAccelChar_ = v;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetFocusControl(TWinControl* c) {
    focusControl_ = c;
    if (c) c->FreeNotification(this);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::Remove && component == focusControl_) focusControl_ = nullptr;
}

bool TLabel::DialogChar(char key) {
    if (!showAccelChar_ || !IsAccel(key, Caption())) return false;
    if (focusControl_ && focusControl_->CanFocus()) {
        focusControl_->SetFocus();
        return true;
    }
    return false;
}

UINT TLabel::DrawTextFlags() const {
    UINT flags = DT_EXPANDTABS;
    if (wordWrap_) flags |= DT_WORDBREAK;
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    switch (alignment_) {
    case TAlignment::LeftJustify: flags |= DT_LEFT; break;
    case TAlignment::RightJustify: flags |= DT_RIGHT; break;
    case TAlignment::Center: flags |= DT_CENTER; break;
    }
    return flags;
}

void TLabel::AdjustBounds() {
    if (!autoSize_ || Destroying()) return;
    TMeasureDC dc(FontRef().Handle());
    std::string text = Caption().empty() ? std::string(" ") : Caption();
    RECT r{0, 0, wordWrap_ ? std::max(Width(), 1) : 0, 0};
    ::DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, DrawTextFlags() | DT_CALCRECT);
    int w = wordWrap_ ? Width() : r.right - r.left;
    int h = r.bottom - r.top;
    int left = Left();
    if (alignment_ == TAlignment::RightJustify && !wordWrap_) left = Left() + Width() - w;
    SetBounds(left, Top(), w, h);
}

void TLabel::TextChanged() {
    AdjustBounds();
    TWinControl::TextChanged();
}

void TLabel::FontChanged() {
    TWinControl::FontChanged();
    AdjustBounds();
}

void TLabel::Loaded() {
    TWinControl::Loaded();
    AdjustBounds();
}

void TLabel::Paint(HDC dc, const RECT& clip) {
    RECT client = ClientRect();
    PaintBuffered(dc, clip, [&](HDC buffer) {
        if (transparent_) {
            PaintParentBackground(buffer);
        } else {
            HBRUSH b = CreateSolidBrush(ColorToRGB(Color()));
            ::FillRect(buffer, &client, b);
            DeleteObject(b);
        }
        HGDIOBJ oldFont = SelectObject(buffer, FontRef().Handle());
        SetBkMode(buffer, TRANSPARENT);
        UINT flags = DrawTextFlags();
        RECT r = client;
        if (layout_ != TTextLayout::Top) {
            RECT calc = client;
            ::DrawTextA(buffer, Caption().c_str(), static_cast<int>(Caption().size()), &calc, flags | DT_CALCRECT);
            int h = calc.bottom - calc.top;
            int room = (client.bottom - client.top) - h;
            r.top += layout_ == TTextLayout::Center ? room / 2 : room;
        }
        if (Enabled()) {
            SetTextColor(buffer, ColorToRGB(FontRef().Color()));
            ::DrawTextA(buffer, Caption().c_str(), static_cast<int>(Caption().size()), &r, flags);
        } else {
            // Disabled text: embossed, a highlight copy one pixel down and right under a shadow copy.
            RECT shifted = r;
            OffsetRect(&shifted, 1, 1);
            SetTextColor(buffer, GetSysColor(COLOR_BTNHIGHLIGHT));
            ::DrawTextA(buffer, Caption().c_str(), static_cast<int>(Caption().size()), &shifted, flags);
            SetTextColor(buffer, GetSysColor(COLOR_BTNSHADOW));
            ::DrawTextA(buffer, Caption().c_str(), static_cast<int>(Caption().size()), &r, flags);
        }
        SelectObject(buffer, oldFont);
    });
}

void TLabel::WndProc(TMessage& msg) {
    switch (msg.msg) {
    case WM_LBUTTONDOWN:
        pressed_ = true;
        SetCapture(msg.hwnd);
        break;
    case WM_LBUTTONUP:
        if (pressed_) {
            pressed_ = false;
            ReleaseCapture();
            POINT p{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
            RECT r = ClientRect();
            TWinControl::WndProc(msg);
            if (PtInRect(&r, p)) Click();
            return;
        }
        break;
    case WM_CAPTURECHANGED:
        pressed_ = false;
        break;
    }
    TWinControl::WndProc(msg);
}

// ============================================================================================ TPanel

const TClassInfo& TPanel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPanel>("TPanel", &TWinControl::StaticClass())
                                       .Creatable()
                                       .Prop("BevelOuter", &TPanel::SetBevelOuter, &TPanel::BevelOuter)
                                       .Prop("BevelInner", &TPanel::SetBevelInner, &TPanel::BevelInner)
                                       .Prop("BevelWidth", &TPanel::SetBevelWidth, &TPanel::BevelWidth)
                                       .Prop("BorderWidth", &TPanel::SetBorderWidth, &TPanel::BorderWidth)
                                       .Prop("BorderStyle", &TPanel::SetBorderStyle, &TPanel::BorderStyle)
                                       .Prop("Alignment", &TPanel::SetAlignment, &TPanel::Alignment)
                                       .Custom("FullRepaint", Ignore<TPanel>)
                                       .Custom("Ctl3D", Ignore<TPanel>)
                                       .Custom("ParentCtl3D", Ignore<TPanel>)
                                       .Build();
    return info;
}

TPanel::TPanel(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 41); }

void TPanel::Changed() {
    Realign();
    Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut v) {
    if (v == bevelOuter_) return;
    bevelOuter_ = v;
    Changed();
}

void TPanel::SetBevelInner(TBevelCut v) {
    if (v == bevelInner_) return;
    bevelInner_ = v;
    Changed();
}

void TPanel::SetBevelWidth(int v) {
    if (v < 1 || v == bevelWidth_) return;
    bevelWidth_ = v;
    Changed();
}

void TPanel::SetBorderWidth(int v) {
    if (v < 0 || v == borderWidth_) return;
    borderWidth_ = v;
    Changed();
}

void TPanel::SetBorderStyle(TBorderStyle v) {
    if (v == borderStyle_) return;
    borderStyle_ = v;
    if (HandleAllocated()) {
        LONG style = GetWindowLongA(Handle(), GWL_STYLE);
        style = v == TBorderStyle::Single ? (style | WS_BORDER) : (style & ~WS_BORDER);
        SetWindowLongA(Handle(), GWL_STYLE, style);
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    Changed();
}

void TPanel::SetAlignment(TAlignment a) {
    if (a == alignment_) return;
    alignment_ = a;
    Invalidate();
}

void TPanel::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    if (borderStyle_ == TBorderStyle::Single) params.style |= WS_BORDER;
}

void TPanel::AdjustClientRect(RECT& rect) {
    int inset = borderWidth_;
    if (bevelOuter_ != TBevelCut::None) inset += bevelWidth_;
    if (bevelInner_ != TBevelCut::None) inset += bevelWidth_;
    InflateRect(&rect, -inset, -inset);
}

RECT TPanel::PaintFrame(HDC dc) {
    RECT r = ClientRect();
    COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    COLORREF face = ColorToRGB(Color());
    auto bevel = [&](TBevelCut cut) {
        switch (cut) {
        case TBevelCut::None: break;
        case TBevelCut::Raised: Frame3D(dc, r, light, dark, bevelWidth_); break;
        case TBevelCut::Lowered: Frame3D(dc, r, dark, light, bevelWidth_); break;
        case TBevelCut::Space: Frame3D(dc, r, face, face, bevelWidth_); break;
        }
    };
    bevel(bevelOuter_);
    if (borderWidth_ > 0) Frame3D(dc, r, face, face, borderWidth_);
    bevel(bevelInner_);
    return r;
}

void TPanel::Paint(HDC dc, const RECT& clip) {
    PaintBuffered(dc, clip, [&](HDC buffer) {
        RECT client = ClientRect();
        HBRUSH b = CreateSolidBrush(ColorToRGB(Color()));
        ::FillRect(buffer, &client, b);
        DeleteObject(b);
        RECT inner = PaintFrame(buffer);
        if (Caption().empty()) return;
        HGDIOBJ oldFont = SelectObject(buffer, FontRef().Handle());
        SetBkMode(buffer, TRANSPARENT);
        SetTextColor(buffer, Enabled() ? ColorToRGB(FontRef().Color()) : GetSysColor(COLOR_GRAYTEXT));
        UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
        flags |= alignment_ == TAlignment::Center ? DT_CENTER : alignment_ == TAlignment::RightJustify ? DT_RIGHT : DT_LEFT;
        ::DrawTextA(buffer, Caption().c_str(), static_cast<int>(Caption().size()), &inner, flags);
        SelectObject(buffer, oldFont);
    });
}

// ============================================================================================ TGroupBox

const TClassInfo& TGroupBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TGroupBox>("TGroupBox", &TWinControl::StaticClass())
                                       .Creatable()
                                       .Custom("Ctl3D", Ignore<TGroupBox>)
                                       .Custom("ParentCtl3D", Ignore<TGroupBox>)
                                       .Build();
    return info;
}

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 185, 105);
    SetParentColor(true);
}

int TGroupBox::CaptionHeight() const { return FontLineHeight(FontRef()); }

void TGroupBox::AdjustClientRect(RECT& rect) {
    rect.left += 3;
    rect.right -= 3;
    rect.bottom -= 3;
    rect.top += CaptionHeight() + 2;
}

void TGroupBox::Paint(HDC dc, const RECT& clip) {
    PaintBuffered(dc, clip, [&](HDC buffer) {
        RECT client = ClientRect();
        HBRUSH b = CreateSolidBrush(ColorToRGB(Color()));
        ::FillRect(buffer, &client, b);
        DeleteObject(b);
        HGDIOBJ oldFont = SelectObject(buffer, FontRef().Handle());
        int h = CaptionHeight();
        RECT frame = client;
        frame.top += h / 2;
        DrawEdge(buffer, &frame, EDGE_ETCHED, BF_RECT);
        if (!Caption().empty()) {
            RECT text{0, 0, 0, 0};
            ::DrawTextA(buffer, Caption().c_str(), static_cast<int>(Caption().size()), &text,
                        DT_SINGLELINE | DT_CALCRECT);
            OffsetRect(&text, 8, 0);
            text.right = std::min<LONG>(text.right, client.right - 8);
            RECT gap = text;
            InflateRect(&gap, 2, 0);
            HBRUSH bg = CreateSolidBrush(ColorToRGB(Color()));
            ::FillRect(buffer, &gap, bg);
            DeleteObject(bg);
            SetBkMode(buffer, TRANSPARENT);
            SetTextColor(buffer, Enabled() ? ColorToRGB(FontRef().Color()) : GetSysColor(COLOR_GRAYTEXT));
            ::DrawTextA(buffer, Caption().c_str(), static_cast<int>(Caption().size()), &text, DT_SINGLELINE);
        }
        SelectObject(buffer, oldFont);
    });
}

// ============================================================================================ TButton

const TClassInfo& TButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TButton>("TButton", &TWinControl::StaticClass())
                                       .Creatable()
                                       .Prop("Default", &TButton::SetDefault, &TButton::Default)
                                       .Prop("Cancel", &TButton::SetCancel, &TButton::Cancel)
                                       .Prop("ModalResult", &TButton::SetModalResult, &TButton::ModalResult)
                                       .Build();
    return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = "BUTTON";
    params.style &= ~WS_CLIPCHILDREN;
    params.style |= (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    active_ = default_;
}

void TButton::SetDefault(bool v) {
    if (v == default_) return;
    default_ = v;
    TWinControl* focused = TWinControl::FromHandle(GetFocus());
    UpdateDefaultLook(v && !(focused && focused != this && focused->IsButtonControl()));
}

void TButton::UpdateDefaultLook(bool active) {
    if (active == active_) return;
    active_ = active;
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETSTYLE, active ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::FocusChanged(TWinControl* focused) {
    // The focused button looks like the default one; the default button does while no other
    // button has the focus.
    if (focused == this) UpdateDefaultLook(true);
    else if (focused && focused->IsButtonControl()) UpdateDefaultLook(false);
    else UpdateDefaultLook(default_);
}

void TButton::CommandNotify(WORD code) {
    if (code == BN_CLICKED) Click();
}

void TButton::Click() {
    if (modalResult_ != 0)
        if (TForm* form = ParentForm()) form->SetModalResult(modalResult_);
    TWinControl::Click();
}

// ============================================================================================ TCheckBox

const TClassInfo& TCheckBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCheckBox>("TCheckBox", &TWinControl::StaticClass())
                                       .Creatable()
                                       .Prop("Checked", &TCheckBox::SetChecked, &TCheckBox::Checked)
                                       .Prop("State", &TCheckBox::SetState, &TCheckBox::State)
                                       .Prop("AllowGrayed", &TCheckBox::SetAllowGrayed, &TCheckBox::AllowGrayed)
                                       .Prop("AutoSize", &TCheckBox::SetAutoSize, &TCheckBox::AutoSize)
                                       .Prop("Alignment", &TCheckBox::SetAlignment, &TCheckBox::Alignment)
                                       .Custom("Ctl3D", Ignore<TCheckBox>)
                                       .Custom("ParentCtl3D", Ignore<TCheckBox>)
                                       .Build();
    return info;
}

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
    // Check boxes sit on their parent's surface: no strip of button face behind the caption.
    SetParentColor(true);
}

void TCheckBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = "BUTTON";
    params.style &= ~WS_CLIPCHILDREN;
    // Not the automatic styles: the state changes only through SetState.
    params.style |= allowGrayed_ ? BS_3STATE : BS_CHECKBOX;
    if (alignment_ == TAlignment::LeftJustify) params.style |= BS_LEFTTEXT;
}

void TCheckBox::WindowCreated() {
    TWinControl::WindowCreated();
    SendMessageA(Handle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

void TCheckBox::SetState(TCheckBoxState s) {
    if (s == TCheckBoxState::Grayed && !allowGrayed_) s = TCheckBoxState::Unchecked;
    if (s == state_) return;
    state_ = s;
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, static_cast<WPARAM>(s), 0);
    if (!Loading()) Click();
}

void TCheckBox::SetAllowGrayed(bool v) {
    if (v == allowGrayed_) return;
    allowGrayed_ = v;
    if (HandleAllocated()) {
        WPARAM style = (v ? BS_3STATE : BS_CHECKBOX) | (alignment_ == TAlignment::LeftJustify ? BS_LEFTTEXT : 0);
        SendMessageA(Handle(), BM_SETSTYLE, style, TRUE);
    }
    if (!v && state_ == TCheckBoxState::Grayed) SetState(TCheckBoxState::Unchecked);
}

void TCheckBox::SetAlignment(TAlignment a) {
    if (a == TAlignment::Center || a == alignment_) return;
    alignment_ = a;
    if (HandleAllocated()) {
        LONG style = GetWindowLongA(Handle(), GWL_STYLE);
        style = a == TAlignment::LeftJustify ? (style | BS_LEFTTEXT) : (style & ~BS_LEFTTEXT);
        SetWindowLongA(Handle(), GWL_STYLE, style);
        Invalidate();
    }
}

void TCheckBox::Toggle() {
    switch (state_) {
    case TCheckBoxState::Unchecked: SetState(TCheckBoxState::Checked); break;
    case TCheckBoxState::Checked:
        SetState(allowGrayed_ ? TCheckBoxState::Grayed : TCheckBoxState::Unchecked);
        break;
    case TCheckBoxState::Grayed: SetState(TCheckBoxState::Unchecked); break;
    }
}

void TCheckBox::CommandNotify(WORD code) {
    if (code == BN_CLICKED) Toggle();
}

bool TCheckBox::DialogChar(char key) {
    if (!IsAccel(key, Caption()) || !CanFocus()) return false;
    SetFocus();
    Toggle();
    return true;
}

// ============================================================================================ TRadioButton

const TClassInfo& TRadioButton::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TRadioButton>("TRadioButton", &TWinControl::StaticClass())
            .Creatable()
            .Prop("Checked", &TRadioButton::SetChecked, &TRadioButton::Checked)
            .Prop("Alignment", &TRadioButton::SetAlignment, &TRadioButton::Alignment)
            .Custom("Ctl3D", Ignore<TRadioButton>)
            .Custom("ParentCtl3D", Ignore<TRadioButton>)
            .Build();
    return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 113, 17);
    SetTabStop(true);
    SetParentColor(true);
}

void TRadioButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = "BUTTON";
    params.style &= ~WS_CLIPCHILDREN;
    params.style |= BS_RADIOBUTTON;
    if (alignment_ == TAlignment::LeftJustify) params.style |= BS_LEFTTEXT;
}

void TRadioButton::WindowCreated() {
    TWinControl::WindowCreated();
    SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool v) {
    if (v == checked_) return;
    checked_ = v;
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!v) return;
    if (TWinControl* p = Parent())
        for (int i = 0; i < p->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(p->Controls(i)); other && other != this)
                other->SetChecked(false);
    if (!Loading()) Click();
}

void TRadioButton::SetAlignment(TAlignment a) {
    if (a == TAlignment::Center || a == alignment_) return;
    alignment_ = a;
    if (HandleAllocated()) {
        LONG style = GetWindowLongA(Handle(), GWL_STYLE);
        style = a == TAlignment::LeftJustify ? (style | BS_LEFTTEXT) : (style & ~BS_LEFTTEXT);
        SetWindowLongA(Handle(), GWL_STYLE, style);
        Invalidate();
    }
}

void TRadioButton::CommandNotify(WORD code) {
    if (code == BN_CLICKED) SetChecked(true);
}

bool TRadioButton::DialogChar(char key) {
    if (!IsAccel(key, Caption()) || !CanFocus()) return false;
    SetFocus();
    SetChecked(true);
    return true;
}

// ============================================================================================ TGroupButton

const TClassInfo& TGroupButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TGroupButton>("TGroupButton", &TRadioButton::StaticClass()).Build();
    return info;
}

TGroupButton::TGroupButton(TRadioGroup* group, int index) : TRadioButton(group), group_(group), index_(index) {
    SetTabStop(false);
    SetParent(group);
    OnClick = [this](TObject*) { group_->ButtonClicked(index_); };
}

void TGroupButton::WndProc(TMessage& msg) {
    if (msg.msg == WM_KEYDOWN) {
        switch (msg.wParam) {
        case VK_UP:
        case VK_LEFT:
            group_->MoveSelection(-1);
            return;
        case VK_DOWN:
        case VK_RIGHT:
            group_->MoveSelection(1);
            return;
        }
    }
    if (msg.msg == WM_GETDLGCODE) {
        msg.result = DLGC_WANTARROWS | DLGC_BUTTON | DLGC_RADIOBUTTON;
        return;
    }
    TRadioButton::WndProc(msg);
}

// ============================================================================================ TRadioGroup

const TClassInfo& TRadioGroup::StaticClass() {
    static const TClassInfo info = TClassBuilder<TRadioGroup>("TRadioGroup", &TGroupBox::StaticClass())
                                       .Creatable()
                                       .Object("Items", &TRadioGroup::Items)
                                       .Prop("ItemIndex", &TRadioGroup::SetItemIndex, &TRadioGroup::ItemIndex)
                                       .Prop("Columns", &TRadioGroup::SetColumns, &TRadioGroup::Columns)
                                       .Prop("TopMargin", &TRadioGroup::SetTopMargin, &TRadioGroup::TopMargin)
                                       .Build();
    return info;
}

TRadioGroup::TRadioGroup(TComponent* owner) : TGroupBox(owner) {
    SetTabStop(true);
    items_.OnChange = [this](TObject*) { ItemsChanged(); };
}

TRadioGroup::~TRadioGroup() { items_.OnChange = nullptr; }

void TRadioGroup::SetItemIndex(int index) {
    if (Loading()) {
        itemIndex_ = index;  // the items may come later in the description; applied in Loaded
        return;
    }
    if (index < -1 || index >= static_cast<int>(buttons_.size())) return;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    updating_ = true;
    try {
        if (index >= 0) buttons_[static_cast<size_t>(index)]->SetChecked(true);
        else
            for (TGroupButton* b : buttons_) b->SetChecked(false);
    } catch (...) {
        updating_ = false;
        throw;
    }
    updating_ = false;
    Click();
}

void TRadioGroup::ButtonClicked(int index) {
    if (updating_) return;
    if (!buttons_[static_cast<size_t>(index)]->Checked()) return;
    itemIndex_ = index;
    if (!Loading()) Click();
}

void TRadioGroup::MoveSelection(int delta) {
    int count = static_cast<int>(buttons_.size());
    if (count == 0) return;
    int next = itemIndex_ < 0 ? 0 : std::clamp(itemIndex_ + delta, 0, count - 1);
    SetItemIndex(next);
    TGroupButton* b = buttons_[static_cast<size_t>(next)];
    if (b->CanFocus() && b->HandleAllocated()) b->SetFocus();
}

void TRadioGroup::SetColumns(int v) {
    if (v < 1 || v == columns_) return;
    columns_ = v;
    ArrangeButtons();
}

void TRadioGroup::SetTopMargin(int v) {
    if (v < 0 || v == topMargin_) return;
    topMargin_ = v;
    ArrangeButtons();
}

void TRadioGroup::ItemsChanged() {
    UpdateButtons();
    if (!Loading() && itemIndex_ >= static_cast<int>(buttons_.size())) itemIndex_ = -1;
    // Keep the check marks in step with ItemIndex.
    updating_ = true;
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetChecked(static_cast<int>(i) == itemIndex_);
    updating_ = false;
    ArrangeButtons();
}

void TRadioGroup::UpdateButtons() {
    int count = items_.Count();
    while (static_cast<int>(buttons_.size()) < count) {
        auto* b = new TGroupButton(this, static_cast<int>(buttons_.size()));
        b->SetEnabled(Enabled());
        buttons_.push_back(b);
    }
    while (static_cast<int>(buttons_.size()) > count) {
        TGroupButton* b = buttons_.back();
        buttons_.pop_back();
        delete b;
    }
    for (int i = 0; i < count; ++i) buttons_[static_cast<size_t>(i)]->SetCaption(items_[i]);
}

void TRadioGroup::ArrangeButtons() {
    if (buttons_.empty()) return;
    RECT client = ClientRect();
    int h = std::abs(FontRef().Height());
    int count = static_cast<int>(buttons_.size());
    int top = client.top + h + topMargin_;
    int bottom = client.bottom - 2;
    int columnWidth = (Width() - 10) / columns_;
    int rows = (count + columns_ - 1) / columns_;
    int rowHeight = std::max((bottom - top) / rows, 1);
    int firstTop = top + std::max((bottom - top) % rows, 0) / 2;
    int buttonHeight = std::min(rowHeight, FontLineHeight(FontRef()) + 4);
    for (int i = 0; i < count; ++i) {
        int x = (i / rows) * columnWidth + 8;
        int y = (i % rows) * rowHeight + firstTop;
        buttons_[static_cast<size_t>(i)]->SetBounds(x, y, std::max(columnWidth - 8, 1), buttonHeight);
    }
}

void TRadioGroup::Loaded() {
    TGroupBox::Loaded();
    int wanted = itemIndex_;
    itemIndex_ = -1;
    if (wanted < -1 || wanted >= static_cast<int>(buttons_.size())) wanted = -1;
    updating_ = true;
    for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetChecked(static_cast<int>(i) == wanted);
    updating_ = false;
    itemIndex_ = wanted;
    ArrangeButtons();
}

void TRadioGroup::Resized() {
    TGroupBox::Resized();
    ArrangeButtons();
}

void TRadioGroup::FontChanged() {
    TGroupBox::FontChanged();
    ArrangeButtons();
}

void TRadioGroup::EnabledChanged() {
    TGroupBox::EnabledChanged();
    for (TGroupButton* b : buttons_) b->SetEnabled(Enabled());
}

void TRadioGroup::WndProc(TMessage& msg) {
    if (msg.msg == WM_SETFOCUS) {
        // The group hands the focus to its checked button (or the first one).
        TGroupBox::WndProc(msg);
        if (!buttons_.empty()) {
            TGroupButton* b = buttons_[static_cast<size_t>(std::max(itemIndex_, 0))];
            if (b->CanFocus()) b->SetFocus();
        }
        return;
    }
    TGroupBox::WndProc(msg);
}

// ============================================================================================ TListBox

// The list box's items: in the native window while there is one, else in the control.
class TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(TListBox& box) : box_(box) {}

    void Put(int index, const std::string& s) override {
        if (!Live()) {
            box_.saved_.Put(index, s);
            return;
        }
        CheckIndex(index);
        int selected = box_.ItemIndex();
        void* object = GetItemObject(index);
        Delete(index);
        InsertObject(index, s, object);
        if (selected == index) box_.SetItemIndex(index);
    }
    void Insert(int index, const std::string& s) override {
        if (!Live()) {
            box_.saved_.Insert(index, s);
            return;
        }
        if (index < 0 || index > GetCount()) IndexError(index);
        LRESULT r = Send(box_.sorted_ ? LB_ADDSTRING : LB_INSERTSTRING, box_.sorted_ ? 0 : static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(s.c_str()));
        if (r == LB_ERR || r == LB_ERRSPACE) throw EListError("Cannot insert a list box item");
    }
    int Add(const std::string& s) override {
        if (!Live()) return box_.saved_.Add(s);
        LRESULT r = Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
        if (r == LB_ERR || r == LB_ERRSPACE) throw EListError("Cannot add a list box item");
        return static_cast<int>(r);
    }
    void Delete(int index) override {
        if (!Live()) {
            box_.saved_.Delete(index);
            return;
        }
        CheckIndex(index);
        Send(LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    }
    void Clear() override {
        if (!Live()) {
            box_.saved_.Clear();
            if (!box_.Loading()) box_.savedIndex_ = -1;  // a description may give ItemIndex first
            return;
        }
        Send(LB_RESETCONTENT, 0, 0);
    }

protected:
    int GetCount() const override {
        if (!Live()) return box_.saved_.Count();
        return static_cast<int>(Send(LB_GETCOUNT, 0, 0));
    }
    std::string Get(int index) const override {
        if (!Live()) return box_.saved_[index];
        CheckIndex(index);
        LRESULT len = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
        if (len <= 0) return {};
        std::string s(static_cast<size_t>(len) + 1, '\0');
        LRESULT got = Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
        s.resize(got > 0 ? static_cast<size_t>(got) : 0);
        return s;
    }
    void* GetItemObject(int index) const override {
        if (!Live()) return box_.saved_.Objects(index);
        CheckIndex(index);
        return reinterpret_cast<void*>(Send(LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    }
    void PutItemObject(int index, void* object) override {
        if (!Live()) {
            box_.saved_.SetObject(index, object);
            return;
        }
        CheckIndex(index);
        Send(LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(object));
    }
    void SetUpdateState(bool updating) override {
        if (!Live()) return;
        Send(WM_SETREDRAW, updating ? FALSE : TRUE, 0);
        if (!updating) InvalidateRect(box_.Handle(), nullptr, TRUE);
    }

private:
    // Items go to the window once it exists (reading them never creates it).
    bool Live() const { return box_.HandleAllocated(); }
    LRESULT Send(UINT msg, WPARAM w, LPARAM l) const { return SendMessageA(box_.Handle(), msg, w, l); }
    void CheckIndex(int index) const {
        if (index < 0 || index >= GetCount()) IndexError(index);
    }

    TListBox& box_;
};

const TClassInfo& TListBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TListBox>("TListBox", &TWinControl::StaticClass())
                                       .Creatable()
                                       .Object("Items", &TListBox::Items)
                                       .Prop("ItemIndex", &TListBox::SetItemIndex, &TListBox::ItemIndex)
                                       .Prop("ItemHeight", &TListBox::SetItemHeight, &TListBox::ItemHeight)
                                       .Prop("BorderStyle", &TListBox::SetBorderStyle, &TListBox::BorderStyle)
                                       .Prop("Sorted", &TListBox::SetSorted, &TListBox::Sorted)
                                       .Prop("IntegralHeight", &TListBox::SetIntegralHeight, &TListBox::IntegralHeight)
                                       .Custom("Ctl3D", Ignore<TListBox>)
                                       .Custom("ParentCtl3D", Ignore<TListBox>)
                                       .Custom("Style", Ignore<TListBox>)
                                       .Custom("Columns", Ignore<TListBox>)
                                       .Custom("MultiSelect", Ignore<TListBox>)
                                       .Custom("ExtendedSelect", Ignore<TListBox>)
                                       .Custom("TabWidth", Ignore<TListBox>)
                                       .Build();
    return info;
}

TListBox::TListBox(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TListBoxStrings>(*this)) {
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
}

TListBox::~TListBox() {
    // The window goes first, while the item storage it reports to still exists.
    DestroyHandle();
}

TStrings* TListBox::Items() { return items_.get(); }

void TListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = "LISTBOX";
    params.style &= ~WS_CLIPCHILDREN;
    params.style |= LBS_NOTIFY | WS_VSCROLL | LBS_HASSTRINGS;
    if (!integralHeight_) params.style |= LBS_NOINTEGRALHEIGHT;
    if (sorted_) params.style |= LBS_SORT;
    if (borderStyle_ == TBorderStyle::Single) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::WindowCreated() {
    TWinControl::WindowCreated();
    HWND h = Handle();
    if (itemHeight_ > 0) SendMessageA(h, LB_SETITEMHEIGHT, 0, itemHeight_);
    for (int i = 0; i < saved_.Count(); ++i) {
        LRESULT index = SendMessageA(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(saved_[i].c_str()));
        if (index >= 0) SendMessageA(h, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(saved_.Objects(i)));
    }
    saved_.Clear();
    SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(savedIndex_), 0);
    SendMessageA(h, LB_SETTOPINDEX, static_cast<WPARAM>(savedTop_), 0);
}

void TListBox::SaveItems() {
    // The window is going away: keep what it holds.
    HWND h = Handle();
    saved_.Clear();
    int count = static_cast<int>(SendMessageA(h, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) saved_.AddObject(items_->Strings(i), items_->Objects(i));
    savedIndex_ = static_cast<int>(SendMessageA(h, LB_GETCURSEL, 0, 0));
    savedTop_ = static_cast<int>(SendMessageA(h, LB_GETTOPINDEX, 0, 0));
}

void TListBox::WndProc(TMessage& msg) {
    switch (msg.msg) {
    case WM_DESTROY:
        SaveItems();
        break;
    case WM_LBUTTONDBLCLK:
        // LBN_DBLCLK raises OnDblClick; the generic double-click event would raise it twice.
        DefaultHandler(msg);
        return;
    }
    TWinControl::WndProc(msg);
}

void TListBox::Loaded() {
    TWinControl::Loaded();
    // ItemIndex may precede the items in a form description.
    if (HandleAllocated() && savedIndex_ >= 0) SetItemIndex(savedIndex_);
}

LRESULT TListBox::Send(UINT msg, WPARAM w, LPARAM l) const {
    return SendMessageA(const_cast<TListBox*>(this)->Handle(), msg, w, l);
}

int TListBox::ItemIndex() const {
    if (!HandleAllocated()) return savedIndex_;
    return static_cast<int>(Send(LB_GETCURSEL));
}

void TListBox::SetItemIndex(int index) {
    if (!HandleAllocated() || Loading()) savedIndex_ = index;
    if (!HandleAllocated()) return;
    SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TListBox::ItemHeight() const {
    if (!HandleAllocated()) return itemHeight_;
    return static_cast<int>(Send(LB_GETITEMHEIGHT));
}

void TListBox::SetItemHeight(int h) {
    if (h <= 0) return;
    itemHeight_ = h;
    if (HandleAllocated()) {
        SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, h);
        Invalidate();
    }
}

int TListBox::TopIndex() const {
    if (!HandleAllocated()) return savedTop_;
    return static_cast<int>(Send(LB_GETTOPINDEX));
}

void TListBox::SetTopIndex(int index) {
    if (!HandleAllocated()) {
        savedTop_ = index;
        return;
    }
    SendMessageA(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void TListBox::SetBorderStyle(TBorderStyle v) {
    if (v == borderStyle_) return;
    borderStyle_ = v;
    if (HandleAllocated()) {
        LONG ex = GetWindowLongA(Handle(), GWL_EXSTYLE);
        ex = v == TBorderStyle::Single ? (ex | WS_EX_CLIENTEDGE) : (ex & ~WS_EX_CLIENTEDGE);
        SetWindowLongA(Handle(), GWL_EXSTYLE, ex);
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

void TListBox::SetSorted(bool v) {
    if (v == sorted_) return;
    sorted_ = v;
    if (HandleAllocated()) {
        // The sort style only takes effect at creation: build the window again.
        bool visible = Visible();
        DestroyHandle();
        if (v) saved_.Sort();
        if (visible) HandleNeeded();
    } else if (v) {
        saved_.Sort();
    }
}

void TListBox::CommandNotify(WORD code) {
    switch (code) {
    case LBN_SELCHANGE: Click(); break;
    case LBN_DBLCLK:
        if (OnDblClick) OnDblClick(this);
        break;
    }
}

// ============================================================================================ TEdit

const TClassInfo& TEdit::StaticClass() {
    static const TClassInfo info = TClassBuilder<TEdit>("TEdit", &TWinControl::StaticClass())
                                       .Creatable()
                                       .Prop("MaxLength", &TEdit::SetMaxLength, &TEdit::MaxLength)
                                       .Prop("ReadOnly", &TEdit::SetReadOnly, &TEdit::ReadOnly)
                                       .Custom("PasswordChar",
                                               [](TEdit& e, const TPropValue& v) {
                                                   if (v.kind == TPropValue::Kind::Integer)
                                                       e.SetPasswordChar(static_cast<char>(v.integer));
                                                   else
                                                       e.SetPasswordChar(v.AsString().empty() ? '\0' : v.AsString()[0]);
                                               },
                                               [](const TEdit& e) {
                                                   return TPropValue::Str(e.PasswordChar() ? std::string(1, e.PasswordChar())
                                                                                           : std::string());
                                               })
                                       .Prop("BorderStyle", &TEdit::SetBorderStyle, &TEdit::BorderStyle)
                                       .Prop("AutoSelect", &TEdit::SetAutoSelect, &TEdit::AutoSelect)
                                       .Custom("Ctl3D", Ignore<TEdit>)
                                       .Custom("ParentCtl3D", Ignore<TEdit>)
                                       .Event("OnChange", &TEdit::OnChange)
                                       .Build();
    return info;
}

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

void TEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = "EDIT";
    params.style &= ~WS_CLIPCHILDREN;
    params.style |= ES_AUTOHSCROLL | ES_LEFT;
    if (readOnly_) params.style |= ES_READONLY;
    if (passwordChar_) params.style |= ES_PASSWORD;
    if (borderStyle_ == TBorderStyle::Single) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::WindowCreated() {
    TWinControl::WindowCreated();
    if (maxLength_ > 0) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    if (passwordChar_) SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
}

void TEdit::SetMaxLength(int v) {
    if (v < 0) v = 0;
    maxLength_ = v;
    if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(v), 0);
}

void TEdit::SetReadOnly(bool v) {
    readOnly_ = v;
    if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, v, 0);
}

void TEdit::SetPasswordChar(char c) {
    if (c == passwordChar_) return;
    passwordChar_ = c;
    if (HandleAllocated()) {
        SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(c), 0);
        Invalidate();
    }
}

void TEdit::SetBorderStyle(TBorderStyle v) {
    if (v == borderStyle_) return;
    borderStyle_ = v;
    if (HandleAllocated()) {
        LONG ex = GetWindowLongA(Handle(), GWL_EXSTYLE);
        ex = v == TBorderStyle::Single ? (ex | WS_EX_CLIENTEDGE) : (ex & ~WS_EX_CLIENTEDGE);
        SetWindowLongA(Handle(), GWL_EXSTYLE, ex);
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

void TEdit::SelectAll() {
    if (HandleAllocated()) SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

void TEdit::WndProc(TMessage& msg) {
    if (msg.msg == WM_SETFOCUS && autoSelect_) {
        TWinControl::WndProc(msg);
        SelectAll();
        return;
    }
    TWinControl::WndProc(msg);
}

void TEdit::CommandNotify(WORD code) {
    if (code != EN_CHANGE) return;
    int len = GetWindowTextLengthA(Handle());
    std::string text(static_cast<size_t>(std::max(len, 0)) + 1, '\0');
    int got = GetWindowTextA(Handle(), text.data(), len + 1);
    text.resize(static_cast<size_t>(std::max(got, 0)));
    StoreText(text);
    if (!Loading()) Change();
}

void TEdit::Change() {
    if (OnChange) OnChange(this);
}

}  // namespace vl
