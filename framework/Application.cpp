#include "framework/Application.h"

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>

#include "framework/ClassBuilder.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/MessageBox.h"

namespace vl {

TApplication* Application = nullptr;

namespace {
// The application window's class; other programs and tests find the window by it.
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
    window_.reset();
    SetGlobalComponentFinder(nullptr);
    if (comInitialized_) CoUninitialize();
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
    if (window_) return;
    comInitialized_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    // A zero-sized popup at the screen's centre: it carries the taskbar button and owns the forms.
    THiddenWindowParams params;
    params.kind = THiddenWindowParams::TKind::TopLevel;
    params.title = title_.c_str();
    params.style = WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
    params.icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    params.x = GetSystemMetrics(SM_CXSCREEN) / 2;
    params.y = GetSystemMetrics(SM_CYSCREEN) / 2;
    auto window = std::make_unique<THiddenWindow>(
        kAppWindowClass, params,
        [this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            return AppMessage(msg, wParam, lParam, result);
        },
        CentralBoundary, static_cast<TObject*>(this));
    if (!*window) RaiseLastOSError("Cannot create the application window");
    window_ = std::move(window);
}

void TApplication::SetTitle(const std::string& title) {
    title_ = title;
    if (HWND window = Handle()) SetWindowTextA(window, title.c_str());
}

void TApplication::AddForm(TForm* form) {
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
    if (mainFormPending_ && !mainForm_) {
        mainForm_ = form;
        mainFormPending_ = false;
    }
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
    if (HWND window = Handle()) ShowWindow(window, SW_MINIMIZE);
    if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
    if (!minimized_) return;
    minimized_ = false;
    if (HWND window = Handle()) ShowWindow(window, SW_RESTORE);
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
    ShowMessageBox(Handle(), text, title_, MB_OK | MB_ICONSTOP);
}

int TApplication::HookMainWindow(TWindowHook hook) { return hooks_.Add(std::move(hook)); }

void TApplication::UnhookMainWindow(int id) { hooks_.Remove(id); }

bool TApplication::AppMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    TMessage m{Handle(), msg, wParam, lParam, 0};
    if (hooks_.Run(m)) {
        result = m.result;
        return true;
    }
    switch (msg) {
    case WM_QUERYENDSESSION:
        // Log-off: the main form decides, as when the user closes it.
        result = (mainForm_ && !mainForm_->CloseQuery()) ? FALSE : TRUE;
        return true;
    case WM_ENDSESSION:
        if (wParam) Terminate();
        return true;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_MINIMIZE: Minimize(); return true;
        case SC_RESTORE: Restore(); return true;
        case SC_CLOSE:
            if (mainForm_) mainForm_->Close();
            return true;
        }
        return false;
    case WM_CLOSE:
        if (mainForm_) mainForm_->Close();
        return true;
    }
    return false;
}

}  // namespace vl
