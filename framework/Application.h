#pragma once
// The application object: the hidden top-level window that carries the taskbar button and owns
// the forms, the message loop, the idle handler, and the central handler that every exception
// escaping an event handler ends up in.
#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/HiddenWindow.h"

namespace vl {

class TForm;

using TExceptionEvent = std::function<void(TObject* sender, const std::exception_ptr& error)>;
using TIdleEvent = std::function<void(TObject* sender, bool& done)>;
using TMessageEvent = std::function<void(MSG& msg, bool& handled)>;

// Text of an exception for the user: the message of a framework or standard exception.
std::string ExceptionMessage(const std::exception_ptr& error);

class TApplication : public TComponent {
    VL_DECLARE_CLASS()
public:
    explicit TApplication(TComponent* owner = nullptr);
    ~TApplication() override;

    // Prepares COM and the common controls, and creates the application window.
    void Initialize();

    // The application window; null before Initialize.
    HWND Handle() const { return window_ ? window_->Handle() : nullptr; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);
    const std::string& ExeName() const { return exeName_; }

    // Creates a form owned by the application; the first form created becomes the main form,
    // from the moment it exists: messages its construction lets through (a log-off, a close)
    // already reach it as the main form.
    template <class T>
    void CreateForm(T*& ref) {
        mainFormPending_ = !mainForm_;
        struct EndPending {
            bool& pending;
            ~EndPending() { pending = false; }
        } endPending{mainFormPending_};
        ref = new T(this);
        if (!mainForm_) mainForm_ = ref;
    }
    TForm* MainForm() const { return mainForm_; }
    void SetMainForm(TForm* form) { mainForm_ = form; }
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool v) { showMainForm_ = v; }

    // Shows the main form (unless ShowMainForm is off) and runs the message loop until the
    // main form closes or Terminate is called.
    void Run();
    // Handles one message, or runs the idle handler and waits when there is none.
    void HandleMessage();
    // Handles all pending messages and returns.
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return terminated_; }

    // Hides the forms and minimises the application window (the taskbar button);
    // Restore brings them back.
    void Minimize();
    void Restore();
    bool Minimized() const { return minimized_; }
    void BringToFront();

    // The central handler: OnException when set, else ShowException.
    void HandleException(const std::exception_ptr& error, TObject* sender);
    void ShowException(const std::exception_ptr& error);

    // Hooks on the application window's messages; a hook returning true handled the message.
    int HookMainWindow(TWindowHook hook);
    void UnhookMainWindow(int id);

    // Idle subscribers: each time the message queue has emptied they run in the order they
    // subscribed; the loop then waits for the next message unless one of them cleared `done`.
    // A subscriber may unsubscribe itself or others while they run.
    int SubscribeIdle(TIdleEvent handler);
    void UnsubscribeIdle(int id);
    int IdleSubscriberCount() const { return static_cast<int>(idleSubscribers_.size()); }

    TExceptionEvent OnException;
    TMessageEvent OnMessage;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;

    // Every form, for lookups by name and for the modal loop.
    const std::vector<TForm*>& Forms() const { return forms_; }
    void AddForm(TForm* form);
    void RemoveForm(TForm* form);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    // The application window's messages: its hooks first, then log-off, minimise, restore and
    // close. False leaves the message to the default handling.
    bool AppMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool ProcessMessage(MSG& msg);
    bool IsDialogKey(MSG& msg);
    void Idle();

    std::unique_ptr<THiddenWindow> window_;
    std::string title_;
    std::string exeName_;
    TForm* mainForm_ = nullptr;
    // CreateForm is making the main form: the next form added is it.
    bool mainFormPending_ = false;
    bool showMainForm_ = true;
    bool terminated_ = false;
    bool minimized_ = false;
    bool comInitialized_ = false;
    std::vector<TForm*> forms_;
    std::vector<HWND> hiddenOnMinimize_;
    TWindowHookList hooks_;
    struct IdleSubscriber {
        int id;
        TIdleEvent fn;
    };
    std::vector<IdleSubscriber> idleSubscribers_;
    int nextIdleId_ = 1;
};

// One idle subscription, ended with its owner (or when the application goes first).
class TIdleSubscription {
public:
    TIdleSubscription() = default;
    explicit TIdleSubscription(TIdleEvent handler);
    ~TIdleSubscription() { Reset(); }
    TIdleSubscription(const TIdleSubscription&) = delete;
    TIdleSubscription& operator=(const TIdleSubscription&) = delete;

    bool Active() const { return id_ != 0; }
    // Ends the current subscription, if any, and subscribes `handler`.
    void Subscribe(TIdleEvent handler);
    void Reset();

private:
    TApplication* application_ = nullptr;
    int id_ = 0;
};

// The one application object of the process (null before it is created).
extern TApplication* Application;

}  // namespace vl
