// TWinControl's window: class registration (superclassing native controls), creation and
// destruction, the one static window procedure that binds the object, hooks and dispatch.
#include "framework/Control.h"

#include <algorithm>
#include <map>

#include "framework/Application.h"
#include "framework/Exceptions.h"

namespace vl {

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
}  // namespace

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
    if (hooks_.Run(msg)) return;
    WndProc(msg);
}

int TWindowHookList::Add(TWindowHook hook) {
    const int id = nextId_++;
    hooks_.push_back({id, std::move(hook)});
    return id;
}

void TWindowHookList::Remove(int id) {
    hooks_.erase(std::remove_if(hooks_.begin(), hooks_.end(), [id](const Hook& h) { return h.id == id; }),
                 hooks_.end());
}

bool TWindowHookList::Run(TMessage& msg) const {
    if (hooks_.empty()) return false;
    const auto hooks = hooks_;  // a hook may remove itself
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it)
        if (it->fn(msg)) return true;
    return false;
}

bool TWindowHookList::RunOlderThan(int id, TMessage& msg) const {
    std::vector<Hook> older;
    for (const Hook& h : hooks_) {
        if (h.id == id) break;
        older.push_back(h);
    }
    for (auto it = older.rbegin(); it != older.rend(); ++it)
        if (it->fn(msg)) return true;
    return false;
}

void TWinControl::PassOn(int hookId, TMessage& msg) {
    if (!hooks_.RunOlderThan(hookId, msg)) WndProc(msg);
}

int TWinControl::AddWindowHook(TWindowHook hook) { return hooks_.Add(std::move(hook)); }

void TWinControl::RemoveWindowHook(int id) { hooks_.Remove(id); }

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

void TWinControl::ChangeWindowStyle(int which, DWORD bits, bool on) {
    if (!handle_) return;
    const DWORD style = static_cast<DWORD>(GetWindowLongA(handle_, which));
    SetWindowLongA(handle_, which, static_cast<LONG>(on ? (style | bits) : (style & ~bits)));
}

void TWinControl::ChangeFrameStyle(int which, DWORD bits, bool on) {
    if (!handle_) return;
    ChangeWindowStyle(which, bits, on);
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace vl
