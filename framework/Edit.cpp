#include "framework/Edit.h"

#include <algorithm>
#include <string>

#include "framework/Graphics.h"

namespace vl {

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
                                       .Custom("Ctl3D", IgnoreProperty<TEdit>)
                                       .Custom("ParentCtl3D", IgnoreProperty<TEdit>)
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
    ChangeFrameStyle(GWL_EXSTYLE, WS_EX_CLIENTEDGE, v == TBorderStyle::Single);
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
