// TWinControl: its published properties, construction, state, colour and font inheritance,
// focus and accelerators. Window binding and dispatch are in ControlWindow.cpp, the message
// handlers and painting in ControlMessages.cpp, children and geometry in ControlLayout.cpp.

#include "framework/Control.h"

#include <algorithm>
#include <cctype>

#include "framework/Application.h"
#include "framework/ClassBuilder.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/GdiOwners.h"

namespace vl {

template <>
struct TEnumNames<TAlign> {
    static const TEnumTable<TAlign>& Table() {
        static const TEnumTable<TAlign> t = {{"alNone", TAlign::None},   {"alTop", TAlign::Top},
                                             {"alBottom", TAlign::Bottom}, {"alLeft", TAlign::Left},
                                             {"alRight", TAlign::Right}, {"alClient", TAlign::Client}};
        return t;
    }
};

int CursorFromPropValue(const TPropValue& v) {
    if (v.kind == TPropValue::Kind::Integer) return v.AsInt();
    static const std::pair<const char*, int> names[] = {
        {"crDefault", crDefault}, {"crNone", crNone},   {"crArrow", crArrow},         {"crCross", crCross},
        {"crIBeam", crIBeam},     {"crSizeAll", crSizeAll}, {"crHandPoint", crHandPoint},
        {"crHourGlass", crHourGlass}, {"crNo", crNo}};
    for (auto& [name, id] : names)
        if (SameText(name, v.AsIdent())) return id;
    throw EReadError("Invalid cursor '" + v.text + "'");
}

namespace {
HCURSOR LoadCursorById(int id) {
    switch (id) {
    case crDefault: return nullptr;
    case crNone: return nullptr;
    case crArrow: return LoadCursor(nullptr, IDC_ARROW);
    case crCross: return LoadCursor(nullptr, IDC_CROSS);
    case crIBeam: return LoadCursor(nullptr, IDC_IBEAM);
    case crSizeAll: return LoadCursor(nullptr, IDC_SIZEALL);
    case crHandPoint: return LoadCursor(nullptr, IDC_HAND);
    case crHourGlass: return LoadCursor(nullptr, IDC_WAIT);
    case crNo: return LoadCursor(nullptr, IDC_NO);
    default: return nullptr;
    }
}
}  // namespace

TShiftState KeyboardShiftState() {
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

void HandleCallbackException(TObject* sender) noexcept {
    try {
        if (Application) Application->HandleException(std::current_exception(), sender);
    } catch (...) {
        // The central handler itself failed; nothing more can be done safely here.
    }
}

const TClassInfo& TWinControl::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TWinControl>("TWinControl", &TComponent::StaticClass())
            .Prop("Left", &TWinControl::SetLeft, &TWinControl::Left)
            .Prop("Top", &TWinControl::SetTop, &TWinControl::Top)
            .Prop("Width", &TWinControl::SetWidth, &TWinControl::Width)
            .Prop("Height", &TWinControl::SetHeight, &TWinControl::Height)
            .Custom("ClientWidth", [](TWinControl& c, const TPropValue& v) { c.SetClientWidth(v.AsInt()); })
            .Custom("ClientHeight", [](TWinControl& c, const TPropValue& v) { c.SetClientHeight(v.AsInt()); })
            .Prop("Align", &TWinControl::SetAlign, &TWinControl::Align)
            .Prop("Visible", &TWinControl::SetVisible, &TWinControl::Visible)
            .Prop("Enabled", &TWinControl::SetEnabled, &TWinControl::Enabled)
            .Prop("Caption", &TWinControl::SetText, &TWinControl::Text)
            .Prop("Text", &TWinControl::SetText, &TWinControl::Text)
            .ColorProp("Color", &TWinControl::SetColor, &TWinControl::Color)
            .Prop("ParentColor", &TWinControl::SetParentColor, &TWinControl::ParentColor)
            .Object("Font", &TWinControl::Font)
            .Prop("ParentFont", &TWinControl::SetParentFont, &TWinControl::ParentFont)
            .Prop("TabOrder", &TWinControl::SetTabOrder, &TWinControl::TabOrder)
            .Prop("TabStop", &TWinControl::SetTabStop, &TWinControl::TabStop)
            .Custom("Cursor", [](TWinControl& c, const TPropValue& v) { c.SetCursor(CursorFromPropValue(v)); },
                    [](const TWinControl& c) { return TPropValue::Int(c.Cursor()); })
            .Prop("Hint", &TWinControl::SetHint, &TWinControl::Hint)
            .Prop("ShowHint", &TWinControl::SetShowHint, &TWinControl::ShowHint)
            .Event("OnClick", &TWinControl::OnClick)
            .Event("OnDblClick", &TWinControl::OnDblClick)
            .Event("OnMouseEnter", &TWinControl::OnMouseEnter)
            .Event("OnMouseLeave", &TWinControl::OnMouseLeave)
            .Event("OnResize", &TWinControl::OnResize)
            .Event("OnEnter", &TWinControl::OnEnter)
            .Event("OnExit", &TWinControl::OnExit)
            .Event("OnKeyDown", &TWinControl::OnKeyDown)
            .Event("OnKeyUp", &TWinControl::OnKeyUp)
            .Event("OnKeyPress", &TWinControl::OnKeyPress)
            .Event("OnMouseDown", &TWinControl::OnMouseDown)
            .Event("OnMouseUp", &TWinControl::OnMouseUp)
            .Event("OnMouseMove", &TWinControl::OnMouseMove)
            .Build();
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this](TObject*) {
        parentFont_ = false;
        FontChanged();
    };
}

TWinControl::~TWinControl() {
    // Owned components may refer to this control; free them while it is still whole.
    Destroying_();
    DestroyComponents();
    // Children owned elsewhere lose their parent.
    while (!controls_.empty()) controls_.back()->SetParent(nullptr);
    if (parent_) parent_->RemoveControl(this);
    DestroyHandle();
}

// ---------------------------------------------------------------- state

void TWinControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (handle_) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
    if (parent_) parent_->Realign();
    VisibleChanged();
}

bool TWinControl::Showing() const {
    for (const TWinControl* c = this; c; c = c->parent_)
        if (!c->visible_ || !c->handle_ || !IsWindowVisible(c->handle_)) return false;
    return true;
}

void TWinControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (handle_) EnableWindow(handle_, enabled);
    EnabledChanged();
    Invalidate();
}

void TWinControl::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    if (handle_) SetWindowTextA(handle_, text.c_str());
    TextChanged();
}

void TWinControl::TextChanged() { Invalidate(); }

void TWinControl::StoreText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    TextChanged();
}

void TWinControl::SetColor(uint32_t color) {
    if (color == color_ && !parentColor_) return;
    color_ = color;
    parentColor_ = false;
    ColorChanged();
}

void TWinControl::ColorChanged() {
    brush_.Reset();
    Invalidate();
    for (TWinControl* c : controls_) c->ParentColorChanged();
}

void TWinControl::SetParentColor(bool v) {
    parentColor_ = v;
    if (v) ParentColorChanged();
}

void TWinControl::ParentColorChanged() {
    if (!parentColor_ || !parent_) return;
    color_ = parent_->color_;
    ColorChanged();
    parentColor_ = true;
}

void TWinControl::SetParentFont(bool v) {
    parentFont_ = v;
    if (v) ParentFontChanged();
}

void TWinControl::ParentFontChanged() {
    if (!parentFont_ || !parent_) return;
    auto saved = font_.OnChange;
    font_.OnChange = nullptr;
    font_.Assign(parent_->font_);
    font_.OnChange = saved;
    FontChanged();
}

void TWinControl::FontChanged() {
    if (handle_ && !HasOwnPaint()) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
    Invalidate();
    for (TWinControl* c : controls_) c->ParentFontChanged();
}

void TWinControl::SetCursor(int cursorId) {
    cursorId_ = cursorId;
    cursor_ = LoadCursorById(cursorId);
}

// ---------------------------------------------------------------- focus and keyboard

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() const {
    for (const TWinControl* c = this; c; c = c->parent_)
        if (!c->visible_ || !c->enabled_) return false;
    return true;
}

void TWinControl::SetFocus() {
    if (CanFocus()) ::SetFocus(Handle());
}

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

bool IsAccelChar(char key, const std::string& caption) {
    const char c = AccelChar(caption);
    return c && std::toupper(static_cast<unsigned char>(c)) == std::toupper(static_cast<unsigned char>(key));
}

bool TWinControl::DialogChar(char key) {
    if (!IsAccelChar(key, text_) || !CanFocus()) return false;
    Click();
    return true;
}

void TWinControl::Click() {
    if (OnClick) OnClick(this);
}

}  // namespace vl
