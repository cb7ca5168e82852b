#include "framework/Control.h"

#include <windowsx.h>

#include <algorithm>
#include <map>

#include "framework/Application.h"
#include "framework/ClassBuilder.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"

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

namespace {
const char kObjectProp[] = "VorlindeControl";

// Original window procedure of each registered class, by class atom.
std::map<ATOM, WNDPROC>& BaseProcs() {
    static std::map<ATOM, WNDPROC> procs;
    return procs;
}

WNDPROC ProcForWindow(HWND hwnd) {
    ATOM atom = static_cast<ATOM>(GetClassWord(hwnd, GCW_ATOM));
    auto it = BaseProcs().find(atom);
    return it == BaseProcs().end() ? DefWindowProcA : it->second;
}

int CursorFromProp(const TPropValue& v) {
    if (v.kind == TPropValue::Kind::Integer) return v.AsInt();
    static const std::pair<const char*, int> names[] = {
        {"crDefault", crDefault}, {"crNone", crNone},   {"crArrow", crArrow},         {"crCross", crCross},
        {"crIBeam", crIBeam},     {"crSizeAll", crSizeAll}, {"crHandPoint", crHandPoint},
        {"crHourGlass", crHourGlass}, {"crNo", crNo}};
    for (auto& [name, id] : names)
        if (SameText(name, v.AsIdent())) return id;
    throw EReadError("Invalid cursor '" + v.text + "'");
}

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
            .Custom("Cursor", [](TWinControl& c, const TPropValue& v) { c.SetCursor(CursorFromProp(v)); },
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
    if (brush_) DeleteObject(brush_);
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<TWinControl*>(GetPropA(hwnd, kObjectProp)) : nullptr;
}

// ---------------------------------------------------------------- window creation

HWND TWinControl::Handle() {
    if (!handle_) {
        if (parent_ && !parent_->handle_) parent_->Handle();  // creates its children too
        if (!handle_) CreateWnd();
    }
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& p) {
    p.caption = text_;
    p.x = left_;
    p.y = top_;
    p.width = width_;
    p.height = height_;
    p.style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (visible_) p.style |= WS_VISIBLE;
    if (!enabled_) p.style |= WS_DISABLED;
    if (tabStop_) p.style |= WS_TABSTOP;
    if (parent_) p.parent = parent_->Handle();
}

void TWinControl::RegisterWindowClass(const TCreateParams& params, std::string& className) {
    className = ClassName();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExA(instance, className.c_str(), &existing)) return;

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    WNDPROC base = DefWindowProcA;
    if (!params.baseClass.empty()) {
        if (!GetClassInfoExA(nullptr, params.baseClass.c_str(), &wc))
            RaiseLastOSError("Cannot find window class " + params.baseClass);
        base = wc.lpfnWndProc;
        wc.cbSize = sizeof(wc);
    } else {
        wc.style = params.classStyle;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = params.background;
    }
    wc.hInstance = instance;
    wc.lpfnWndProc = StaticWndProc;
    wc.lpszClassName = className.c_str();
    wc.lpszMenuName = nullptr;
    ATOM atom = RegisterClassExA(&wc);
    if (!atom) RaiseLastOSError("Cannot register window class " + className);
    BaseProcs()[atom] = base;
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    if (!(p.style & WS_CHILD) && !p.parent && Application) p.parent = Application->Handle();
    if ((p.style & WS_CHILD) && !p.parent) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    std::string className;
    RegisterWindowClass(p, className);
    static UINT_PTR nextChildId = 100;
    HMENU id = (p.style & WS_CHILD) ? reinterpret_cast<HMENU>(nextChildId++) : nullptr;
    HWND hwnd = CreateWindowExA(p.exStyle, className.c_str(), p.caption.c_str(), p.style, p.x, p.y, p.width,
                                p.height, p.parent, id, GetModuleHandleA(nullptr), this);
    if (!hwnd) RaiseLastOSError("Cannot create window " + className);
    handle_ = hwnd;
    baseProc_ = ProcForWindow(hwnd);
    WindowCreated();
    for (TWinControl* child : controls_)
        if (!child->handle_) child->CreateWnd();
}

void TWinControl::WindowCreated() {
    if (!HasOwnPaint()) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    for (TWinControl* child : controls_) child->DestroyHandle();
    HWND h = handle_;
    DestroyWindow(h);  // WM_NCDESTROY clears handle_
    handle_ = nullptr;
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* self = FromHandle(hwnd);
    if (!self && msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        self = static_cast<TWinControl*>(cs->lpCreateParams);
        if (self) {
            self->handle_ = hwnd;
            self->baseProc_ = ProcForWindow(hwnd);
            SetPropA(hwnd, kObjectProp, self);
        }
    }
    if (!self) return CallWindowProcA(ProcForWindow(hwnd), hwnd, msg, wParam, lParam);

    TMessage m{hwnd, msg, wParam, lParam, 0};
    try {
        self->Dispatch(m);
    } catch (...) {
        HandleCallbackException(self);
    }
    if (msg == WM_NCDESTROY) {
        RemovePropA(hwnd, kObjectProp);
        if (self->handle_ == hwnd) self->handle_ = nullptr;
    }
    return m.result;
}

void TWinControl::Dispatch(TMessage& msg) {
    ++dispatchDepth_;
    struct Depth {
        int& d;
        ~Depth() { --d; }
    } depth{dispatchDepth_};
    if (!hooks_.empty()) {
        auto hooks = hooks_;  // a hook may remove itself
        for (auto it = hooks.rbegin(); it != hooks.rend(); ++it)
            if (it->fn(msg)) return;
    }
    WndProc(msg);
}

int TWinControl::AddWindowHook(TWindowHook hook) {
    int id = nextHookId_++;
    hooks_.push_back({id, std::move(hook)});
    return id;
}

void TWinControl::RemoveWindowHook(int id) {
    hooks_.erase(std::remove_if(hooks_.begin(), hooks_.end(), [id](const Hook& h) { return h.id == id; }),
                 hooks_.end());
}

LRESULT TWinControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{handle_, msg, wParam, lParam, 0};
    Dispatch(m);
    return m.result;
}

WNDPROC TWinControl::BaseProc() const { return baseProc_ ? baseProc_ : DefWindowProcA; }

LRESULT TWinControl::DefaultHandler(TMessage& msg) {
    if (!msg.hwnd) return 0;
    msg.result = CallWindowProcA(BaseProc(), msg.hwnd, msg.msg, msg.wParam, msg.lParam);
    return msg.result;
}

// ---------------------------------------------------------------- message handling

void TWinControl::WndProc(TMessage& msg) {
    switch (msg.msg) {
    case WM_PAINT:
        if (!HasOwnPaint()) break;
        if (msg.wParam) {
            RECT r = ClientRect();
            Paint(reinterpret_cast<HDC>(msg.wParam), r);
        } else {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(msg.hwnd, &ps);
            try {
                Paint(dc, ps.rcPaint);
            } catch (...) {
                EndPaint(msg.hwnd, &ps);
                throw;
            }
            EndPaint(msg.hwnd, &ps);
        }
        return;
    case WM_PRINTCLIENT:
        if (!HasOwnPaint()) break;
        {
            RECT r = ClientRect();
            Paint(reinterpret_cast<HDC>(msg.wParam), r);
        }
        return;
    case WM_ERASEBKGND:
        if (HasOwnPaint()) {
            msg.result = 1;  // Paint draws everything, so erasing would only flicker
            return;
        }
        break;
    case WM_SIZE:
        if (!inSetBounds_ && msg.wParam != SIZE_MINIMIZED) UpdateBoundsFromWindow();
        break;
    case WM_MOVE:
        if (!inSetBounds_) UpdateBoundsFromWindow();
        break;
    case WM_SETCURSOR:
        if (cursor_ && LOWORD(msg.lParam) == HTCLIENT && reinterpret_cast<HWND>(msg.wParam) == msg.hwnd) {
            ::SetCursor(cursor_);
            msg.result = TRUE;
            return;
        }
        break;
    case WM_MOUSEMOVE:
        TrackMouse();
        if (OnMouseMove) OnMouseMove(this, KeyboardShiftState(), GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
        break;
    case WM_MOUSELEAVE:
        if (mouseInside_) {
            mouseInside_ = false;
            MouseLeave();
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (OnMouseDown) {
            TMouseButton b = msg.msg == WM_LBUTTONDOWN   ? TMouseButton::Left
                             : msg.msg == WM_RBUTTONDOWN ? TMouseButton::Right
                                                         : TMouseButton::Middle;
            OnMouseDown(this, b, KeyboardShiftState(), GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
        }
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (OnMouseUp) {
            TMouseButton b = msg.msg == WM_LBUTTONUP   ? TMouseButton::Left
                             : msg.msg == WM_RBUTTONUP ? TMouseButton::Right
                                                       : TMouseButton::Middle;
            OnMouseUp(this, b, KeyboardShiftState(), GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
        }
        break;
    case WM_LBUTTONDBLCLK:
        if (OnDblClick) OnDblClick(this);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(msg.wParam);
        TForm* form = ParentForm();
        if (form && form != this && form->KeyPreview() && form->OnKeyDown) form->OnKeyDown(form, key, KeyboardShiftState());
        if (key && OnKeyDown) OnKeyDown(this, key, KeyboardShiftState());
        if (!key) return;
        msg.wParam = key;
        break;
    }
    case WM_KEYUP:
        if (OnKeyUp) {
            WORD key = static_cast<WORD>(msg.wParam);
            OnKeyUp(this, key, KeyboardShiftState());
            if (!key) return;
        }
        break;
    case WM_CHAR:
        if (OnKeyPress) {
            char c = static_cast<char>(msg.wParam);
            OnKeyPress(this, c);
            if (!c) return;
            msg.wParam = static_cast<unsigned char>(c);
        }
        break;
    case WM_SETFOCUS:
        if (TForm* form = ParentForm()) form->FocusMoved(this);
        if (OnEnter) OnEnter(this);
        break;
    case WM_KILLFOCUS:
        if (OnExit) OnExit(this);
        break;
    case WM_COMMAND:
        if (msg.lParam) {
            if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(msg.lParam))) {
                child->CommandNotify(HIWORD(msg.wParam));
                return;
            }
        }
        break;
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(msg.lParam);
        if (dis->CtlType != ODT_MENU)
            if (TWinControl* child = FromHandle(dis->hwndItem))
                if (child->DrawItem(*dis)) {
                    msg.result = TRUE;
                    return;
                }
        break;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(msg.lParam);
        if (mis->CtlType != ODT_MENU)
            if (TWinControl* child = FromHandle(GetDlgItem(msg.hwnd, static_cast<int>(mis->CtlID))))
                if (child->MeasureItem(*mis)) {
                    msg.result = TRUE;
                    return;
                }
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(msg.lParam)))
            if (HBRUSH b = child->CtlColor(reinterpret_cast<HDC>(msg.wParam))) {
                msg.result = reinterpret_cast<LRESULT>(b);
                return;
            }
        break;
    default:
        break;
    }
    DefaultHandler(msg);
}

void TWinControl::TrackMouse() {
    if (mouseInside_) return;
    mouseInside_ = true;
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, handle_, 0};
    TrackMouseEvent(&tme);
    MouseEnter();
}

void TWinControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TWinControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}

HBRUSH TWinControl::CtlColor(HDC dc) {
    SetTextColor(dc, ColorToRGB(font_.Color()));
    SetBkColor(dc, ColorToRGB(color_));
    return ColorBrush();
}

HBRUSH TWinControl::ColorBrush() {
    if (!brush_) brush_ = CreateSolidBrush(ColorToRGB(color_));
    return brush_;
}

void TWinControl::Paint(HDC dc, const RECT& clip) { FillRect(dc, &clip, ColorBrush()); }

void TWinControl::PaintParentBackground(HDC dc) {
    if (!parent_ || !parent_->handle_) return;
    POINT origin{0, 0};
    MapWindowPoints(handle_, parent_->handle_, &origin, 1);
    POINT old;
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, &old);
    parent_->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    parent_->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, FALSE);
}

void TWinControl::Update() {
    if (handle_) UpdateWindow(handle_);
}

// ---------------------------------------------------------------- parent and children

void TWinControl::SetParentComponent(TComponent* parent) {
    if (auto* p = dynamic_cast<TWinControl*>(parent)) SetParent(p);
}

void TWinControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent == this) throw EInvalidOperation("A control cannot be its own parent");
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
    if (handle_) {
        if (parent && parent->handle_) {
            ::SetParent(handle_, parent->handle_);
        } else {
            DestroyHandle();
        }
    } else if (parent && parent->handle_) {
        CreateWnd();
    }
    if (parent_) {
        ParentFontChanged();
        ParentColorChanged();
        parent_->Realign();
    }
}

void TWinControl::InsertControl(TWinControl* child) {
    controls_.push_back(child);
    child->parent_ = this;
}

void TWinControl::RemoveControl(TWinControl* child) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), child), controls_.end());
    child->parent_ = nullptr;
}

TForm* TWinControl::ParentForm() const {
    const TWinControl* c = this;
    while (c->parent_) c = c->parent_;
    return const_cast<TForm*>(dynamic_cast<const TForm*>(c));
}

void TWinControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
}

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    auto& list = parent_->controls_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!parent_ || order < 0) return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    size_t pos = std::min(static_cast<size_t>(order), list.size());
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(pos), this);
}

void TWinControl::Loaded() {
    TComponent::Loaded();
    Realign();
}

// ---------------------------------------------------------------- geometry

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    bool sized = width != width_ || height != height_;
    if (left == left_ && top == top_ && !sized) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (handle_) {
        inSetBounds_ = true;
        SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        inSetBounds_ = false;
    }
    if (sized) {
        Realign();
        Resized();
    }
    if (parent_ && align_ != TAlign::None) parent_->Realign();
}

void TWinControl::UpdateBoundsFromWindow() {
    RECT r;
    GetWindowRect(handle_, &r);
    if (HWND p = GetParent(handle_); p && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, p, reinterpret_cast<POINT*>(&r), 2);
    bool sized = r.right - r.left != width_ || r.bottom - r.top != height_;
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
    if (sized) {
        Realign();
        Resized();
    }
}

void TWinControl::Resized() {
    if (OnResize) OnResize(this);
}

int TWinControl::ClientWidth() {
    RECT r = ClientRect();
    return r.right - r.left;
}

int TWinControl::ClientHeight() {
    RECT r = ClientRect();
    return r.bottom - r.top;
}

void TWinControl::SetClientWidth(int w) { SetWidth(w + (width_ - ClientWidth())); }
void TWinControl::SetClientHeight(int h) { SetHeight(h + (height_ - ClientHeight())); }

RECT TWinControl::ClientRect() {
    RECT r{0, 0, width_, height_};
    if (handle_) GetClientRect(handle_, &r);
    return r;
}

POINT TWinControl::ClientToScreen(POINT p) {
    ::ClientToScreen(Handle(), &p);
    return p;
}

POINT TWinControl::ScreenToClient(POINT p) {
    ::ScreenToClient(Handle(), &p);
    return p;
}

void TWinControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    if (parent_) parent_->Realign();
}

void TWinControl::Realign() {
    if (Loading()) return;
    RECT area = ClientRect();
    AdjustClientRect(area);
    auto place = [&](TAlign which) {
        for (TWinControl* c : controls_) {
            if (c->align_ != which || !c->visible_) continue;
            int w = area.right - area.left, h = area.bottom - area.top;
            switch (which) {
            case TAlign::Top:
                c->SetBounds(area.left, area.top, w, c->height_);
                area.top += c->height_;
                break;
            case TAlign::Bottom:
                c->SetBounds(area.left, area.bottom - c->height_, w, c->height_);
                area.bottom -= c->height_;
                break;
            case TAlign::Left:
                c->SetBounds(area.left, area.top, c->width_, h);
                area.left += c->width_;
                break;
            case TAlign::Right:
                c->SetBounds(area.right - c->width_, area.top, c->width_, h);
                area.right -= c->width_;
                break;
            case TAlign::Client: c->SetBounds(area.left, area.top, w, h); break;
            case TAlign::None: break;
            }
        }
    };
    for (TAlign a : {TAlign::Top, TAlign::Bottom, TAlign::Left, TAlign::Right, TAlign::Client}) place(a);
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
    if (brush_) {
        DeleteObject(brush_);
        brush_ = nullptr;
    }
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

bool TWinControl::DialogChar(char key) {
    // A caption such as "&Add" marks 'A' as the accelerator.
    for (size_t i = 0; i + 1 < text_.size(); ++i) {
        if (text_[i] != '&') continue;
        if (text_[i + 1] == '&') {
            ++i;
            continue;
        }
        if (std::toupper(static_cast<unsigned char>(text_[i + 1])) == std::toupper(static_cast<unsigned char>(key)) &&
            CanFocus()) {
            Click();
            return true;
        }
        break;
    }
    return false;
}

void TWinControl::Click() {
    if (OnClick) OnClick(this);
}

}  // namespace vl
