#include "framework/Application.h"

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>

#include "framework/ClassBuilder.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"

namespace vl {

TApplication* Application = nullptr;

namespace {
const char kAppWindowClass[] = "TApplication";
}

std::string ExceptionMessage(const std::exception_ptr& error) {
    try {
        if (error) std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown exception";
    }
    return {};
}

const TClassInfo& TApplication::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TApplication>("TApplication", &TComponent::StaticClass())
            .Prop("Title", &TApplication::SetTitle, &TApplication::Title)
            .Build();
    return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    Application = this;
    char path[MAX_PATH * 2] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    exeName_ = path;
    title_ = ExtractFileName(exeName_);
    if (auto dot = title_.rfind('.'); dot != std::string::npos) title_.resize(dot);
    SetGlobalComponentFinder([this](std::string_view name) -> TComponent* {
        size_t dot = name.find('.');
        std::string_view formName = name.substr(0, dot);
        for (TForm* f : forms_) {
            if (!SameText(f->Name(), formName)) continue;
            if (dot == std::string_view::npos) return f;
            return f->FindComponent(name.substr(dot + 1));
        }
        return nullptr;
    });
}

TApplication::~TApplication() {
    // Forms first, while the application window that owns them still exists.
    Destroying_();
    DestroyComponents();
    if (handle_) {
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
    SetGlobalComponentFinder(nullptr);
    if (comInitialized_) CoUninitialize();
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
    if (handle_) return;
    comInitialized_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExA(instance, kAppWindowClass, &wc)) {
        wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = AppWndProc;
        wc.hInstance = instance;
        wc.hIcon = LoadIconA(instance, "MAINICON");
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kAppWindowClass;
        if (!RegisterClassExA(&wc)) RaiseLastOSError("Cannot register the application window class");
    }
    // A zero-sized popup at the screen's centre: it carries the taskbar button and owns the forms.
    int cx = GetSystemMetrics(SM_CXSCREEN) / 2, cy = GetSystemMetrics(SM_CYSCREEN) / 2;
    handle_ = CreateWindowExA(0, kAppWindowClass, title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, cx, cy, 0, 0,
                              nullptr, nullptr, instance, this);
    if (!handle_) RaiseLastOSError("Cannot create the application window");
    SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TApplication::SetTitle(const std::string& title) {
    title_ = title;
    if (handle_) SetWindowTextA(handle_, title.c_str());
}

void TApplication::AddForm(TForm* form) {
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void TApplication::RemoveForm(TForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (mainForm_ == form) mainForm_ = nullptr;
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::Remove) {
        if (auto* f = dynamic_cast<TForm*>(component)) RemoveForm(f);
    }
}

void TApplication::Run() {
    if (mainForm_ && showMainForm_) mainForm_->Show();
    while (!terminated_) HandleMessage();
}

void TApplication::HandleMessage() {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!ProcessMessage(msg)) terminated_ = true;
        return;
    }
    Idle();
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!ProcessMessage(msg)) {
            terminated_ = true;
            break;
        }
    }
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (msg.message == WM_QUIT) return false;
    bool handled = false;
    try {
        if (OnMessage) OnMessage(msg, handled);
        if (!handled) handled = IsDialogKey(msg);
    } catch (...) {
        HandleCallbackException(this);
        handled = true;
    }
    if (!handled) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

bool TApplication::IsDialogKey(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSCHAR && msg.message != WM_CHAR) return false;
    TWinControl* target = TWinControl::FromHandle(msg.hwnd);
    for (HWND h = msg.hwnd; !target && h; h = GetParent(h)) target = TWinControl::FromHandle(h);
    if (!target) return false;
    TForm* form = target->ParentForm();
    return form && form->DialogKey(msg);
}

void TApplication::Idle() {
    bool done = true;
    if (!idleSubscribers_.empty()) {
        // A copy: subscribers may come and go while the list runs; one that went is skipped.
        const auto ids = [this] {
            std::vector<int> v;
            for (const auto& s : idleSubscribers_) v.push_back(s.id);
            return v;
        }();
        for (int id : ids) {
            auto it = std::find_if(idleSubscribers_.begin(), idleSubscribers_.end(),
                                   [id](const IdleSubscriber& s) { return s.id == id; });
            if (it == idleSubscribers_.end()) continue;
            TIdleEvent fn = it->fn;
            bool subscriberDone = true;
            try {
                fn(this, subscriberDone);
            } catch (...) {
                HandleCallbackException(this);
            }
            done = done && subscriberDone;
        }
    }
    if (done && !terminated_) WaitMessage();
}

int TApplication::SubscribeIdle(TIdleEvent handler) {
    const int id = nextIdleId_++;
    idleSubscribers_.push_back({id, std::move(handler)});
    return id;
}

void TApplication::UnsubscribeIdle(int id) {
    idleSubscribers_.erase(std::remove_if(idleSubscribers_.begin(), idleSubscribers_.end(),
                                          [id](const IdleSubscriber& s) { return s.id == id; }),
                           idleSubscribers_.end());
}

TIdleSubscription::TIdleSubscription(TIdleEvent handler) { Subscribe(std::move(handler)); }

void TIdleSubscription::Subscribe(TIdleEvent handler) {
    Reset();
    application_ = Application;
    if (application_) id_ = application_->SubscribeIdle(std::move(handler));
}

void TIdleSubscription::Reset() {
    // The application object may have gone before its subscribers (tests, end of the process).
    if (id_ && application_ && Application == application_) application_->UnsubscribeIdle(id_);
    id_ = 0;
    application_ = nullptr;
}

void TApplication::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::Minimize() {
    if (minimized_) return;
    minimized_ = true;
    hiddenOnMinimize_.clear();
    for (TForm* f : forms_) {
        if (f->HandleAllocated() && IsWindowVisible(f->Handle())) {
            hiddenOnMinimize_.push_back(f->Handle());
            ShowWindow(f->Handle(), SW_HIDE);
        }
    }
    if (handle_) ShowWindow(handle_, SW_MINIMIZE);
    if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
    if (!minimized_) return;
    minimized_ = false;
    if (handle_) ShowWindow(handle_, SW_RESTORE);
    for (HWND h : hiddenOnMinimize_)
        if (IsWindow(h)) ShowWindow(h, SW_SHOW);
    hiddenOnMinimize_.clear();
    if (OnRestore) OnRestore(this);
}

void TApplication::BringToFront() {
    if (mainForm_ && mainForm_->HandleAllocated()) SetForegroundWindow(mainForm_->Handle());
}

void TApplication::HandleException(const std::exception_ptr& error, TObject* sender) {
    if (OnException) {
        OnException(sender, error);
        return;
    }
    ShowException(error);
}

void TApplication::ShowException(const std::exception_ptr& error) {
    std::string text = ExceptionMessage(error);
    if (!text.empty() && text.back() != '.') text += '.';
    MessageBoxA(handle_, text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

int TApplication::HookMainWindow(TWindowHook hook) {
    int id = nextHookId_++;
    hooks_.push_back({id, std::move(hook)});
    return id;
}

void TApplication::UnhookMainWindow(int id) {
    hooks_.erase(std::remove_if(hooks_.begin(), hooks_.end(), [id](const Hook& h) { return h.id == id; }),
                 hooks_.end());
}

LRESULT CALLBACK TApplication::AppWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TApplication*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    try {
        return self->AppMessage(msg, wParam, lParam);
    } catch (...) {
        HandleCallbackException(self);
        return 0;
    }
}

LRESULT TApplication::AppMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{handle_, msg, wParam, lParam, 0};
    if (!hooks_.empty()) {
        auto hooks = hooks_;
        for (auto it = hooks.rbegin(); it != hooks.rend(); ++it)
            if (it->fn(m)) return m.result;
    }
    switch (msg) {
    case WM_QUERYENDSESSION:
        // Log-off: the main form decides, as when the user closes it.
        return (mainForm_ && !mainForm_->CloseQuery()) ? FALSE : TRUE;
    case WM_ENDSESSION:
        if (wParam) Terminate();
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_MINIMIZE: Minimize(); return 0;
        case SC_RESTORE: Restore(); return 0;
        case SC_CLOSE:
            if (mainForm_) mainForm_->Close();
            return 0;
        }
        break;
    case WM_CLOSE:
        if (mainForm_) mainForm_->Close();
        return 0;
    }
    return DefWindowProcA(handle_, msg, wParam, lParam);
}

}  // namespace vl
