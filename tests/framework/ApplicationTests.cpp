// The central exception handler, the message loop around it and its idle subscribers, the
// application window, and the forms it owns.
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "tests/framework/GuiTestSupport.h"

using namespace vl;

namespace {

using vltest::RecordExceptions;

class ThrowingForm : public TForm {
public:
    explicit ThrowingForm(TComponent* owner) : TForm(owner) {
        SetBounds(10, 10, 200, 100);
    }
    int handled = 0;

protected:
    void WndProc(TMessage& msg) override {
        if (msg.msg == WM_APP + 7) {
            ++handled;
            if (msg.wParam) throw EInvalidOperation("Broken handler");
            return;
        }
        TForm::WndProc(msg);
    }
};

TEST(ApplicationExceptions, HandlerExceptionReachesCentralHandlerAndLoopGoesOn) {
    RecordExceptions recorder;
    ThrowingForm form(Application);
    PostMessageA(form.Handle(), WM_APP + 7, 1, 0);
    PostMessageA(form.Handle(), WM_APP + 7, 0, 0);
    Application->ProcessMessages();
    EXPECT_EQ(form.handled, 2);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], "Broken handler");
    EXPECT_EQ(recorder.senders[0], &form);
    EXPECT_FALSE(Application->Terminated());
}

TEST(ApplicationExceptions, OnCreateFailureIsReportedAndTheFormStillExists) {
    RecordExceptions recorder;
    auto* form = new TForm(Application);
    form->OnCreate = [](TObject*) { throw ERegistryException("Invalid data type for 'PlayOrder'"); };
    form->LoadFromText("object ProbeForm: TForm\n  Caption = 'Probe'\nend\n");
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], "Invalid data type for 'PlayOrder'");
    EXPECT_EQ(form->Caption(), "Probe");
    delete form;
}

TEST(ApplicationExceptions, MessageOfNonStandardExceptionIsGeneric) {
    EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(42)), "Unknown exception");
    EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(std::runtime_error("x"))), "x");
}

TEST(ApplicationForms, CloseQueryCanRefuseAndHideIsTheDefaultAction) {
    TForm form(Application);
    bool allow = false;
    form.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
    form.Show();
    form.Close();
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    allow = true;
    form.Close();
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_FALSE(Application->Terminated());
}

TEST(ApplicationForms, ClientSizeIsExactForTheBorderStyle) {
    TForm form(Application);
    form.SetBorderIcons(biSystemMenu);
    form.SetClientWidth(529);
    form.SetClientHeight(541);
    form.Show();
    RECT r;
    GetClientRect(form.Handle(), &r);
    EXPECT_EQ(r.right, 529);
    EXPECT_EQ(r.bottom, 541);
    form.Hide();
}

TEST(ApplicationForms, ScreenCenterPlacesTheFormInTheWorkArea) {
    TForm form(Application);
    form.SetBounds(0, 0, 300, 200);
    form.SetPosition(TPosition::ScreenCenter);
    form.Show();
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT r;
    GetWindowRect(form.Handle(), &r);
    EXPECT_NEAR((r.left + r.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, (work.top + work.bottom) / 2, 1);
    form.Hide();
}

TEST(ApplicationForms, OnlyTheMainFormBringsUpTheTaskbarButton) {
    ShowWindow(Application->Handle(), SW_HIDE);
    TForm main(Application);
    TForm helper(Application);
    Application->SetMainForm(&main);
    helper.Show();
    EXPECT_FALSE(IsWindowVisible(Application->Handle()));
    main.Show();
    EXPECT_TRUE(IsWindowVisible(Application->Handle()));
    main.Hide();
    helper.Hide();
    Application->SetMainForm(nullptr);
    ShowWindow(Application->Handle(), SW_HIDE);
}

TEST(ApplicationForms, FormsAreFoundByNameForCrossFormReferences) {
    auto* form = new TForm(Application);
    form->SetName("LookupForm");
    auto* child = new TComponent(form);
    child->SetName("theme");
    EXPECT_EQ(FindGlobalComponent("lookupform"), form);
    EXPECT_EQ(FindGlobalComponent("LookupForm.Theme"), child);
    EXPECT_EQ(FindGlobalComponent("LookupForm.none"), nullptr);
    delete form;
    EXPECT_EQ(FindGlobalComponent("LookupForm"), nullptr);
}

// ---------------------------------------------------------------- idle subscribers

// Runs one idle pass of the loop: the queue is emptied first, and a last subscriber keeps the
// loop from waiting for a message afterwards.
void RunIdlePass() {
    Application->ProcessMessages();
    bool ran = false;
    TIdleSubscription last([&](TObject*, bool& done) {
        ran = true;
        done = false;
    });
    for (int i = 0; i < 100 && !ran; ++i) Application->HandleMessage();
    ASSERT_TRUE(ran);
}

// A subscriber that logs `mark` into `log` each time it runs.
TIdleEvent Logging(std::vector<int>& log, int mark) {
    return [&log, mark](TObject*, bool&) { log.push_back(mark); };
}

// Milliseconds the loop spent in the HandleMessage call whose idle pass set `ran`.
long IdlePassMilliseconds(bool& ran) {
    Application->ProcessMessages();
    long spent = -1;
    for (int i = 0; i < 100 && !ran; ++i) {
        const auto start = std::chrono::steady_clock::now();
        Application->HandleMessage();
        spent = static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
    }
    return ran ? spent : -1;
}

TEST(ApplicationIdle, SubscribersRunInTheOrderTheySubscribed) {
    std::vector<int> log;
    TIdleSubscription first(Logging(log, 1));
    TIdleSubscription second(Logging(log, 2));
    TIdleSubscription third(Logging(log, 3));
    RunIdlePass();
    EXPECT_EQ(log, (std::vector<int>{1, 2, 3}));
}

TEST(ApplicationIdle, SubscriberMayUnsubscribeItselfDuringThePass) {
    std::vector<int> log;
    const int before = Application->IdleSubscriberCount();
    TIdleSubscription first(Logging(log, 1));
    int self = 0;
    self = Application->SubscribeIdle([&](TObject*, bool&) {
        log.push_back(2);
        Application->UnsubscribeIdle(self);
    });
    TIdleSubscription third(Logging(log, 3));
    RunIdlePass();
    EXPECT_EQ(log, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Application->IdleSubscriberCount(), before + 2);
    log.clear();
    RunIdlePass();
    EXPECT_EQ(log, (std::vector<int>{1, 3}));
}

TEST(ApplicationIdle, UnsubscribingALaterSubscriberSkipsItInThisPass) {
    std::vector<int> log;
    int later = 0;
    TIdleSubscription first([&](TObject*, bool&) {
        log.push_back(1);
        Application->UnsubscribeIdle(later);
    });
    TIdleSubscription second(Logging(log, 2));
    later = Application->SubscribeIdle(Logging(log, 3));
    RunIdlePass();
    EXPECT_EQ(log, (std::vector<int>{1, 2}));
}

TEST(ApplicationIdle, UnsubscribingAnEarlierSubscriberTakesEffectFromTheNextPass) {
    std::vector<int> log;
    const int earlier = Application->SubscribeIdle(Logging(log, 1));
    bool unsubscribed = false;
    TIdleSubscription second([&](TObject*, bool&) {
        log.push_back(2);
        if (!unsubscribed) Application->UnsubscribeIdle(earlier);
        unsubscribed = true;
    });
    RunIdlePass();
    EXPECT_EQ(log, (std::vector<int>{1, 2}));
    log.clear();
    RunIdlePass();
    EXPECT_EQ(log, (std::vector<int>{2}));
}

TEST(ApplicationIdle, ExceptionReachesTheCentralHandlerAndTheOthersStillRun) {
    RecordExceptions recorder;
    std::vector<int> log;
    TIdleSubscription first(Logging(log, 1));
    TIdleSubscription failing([](TObject*, bool&) { throw EInvalidOperation("Idle failed"); });
    TIdleSubscription third(Logging(log, 3));
    RunIdlePass();
    EXPECT_EQ(log, (std::vector<int>{1, 3}));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], "Idle failed");
    EXPECT_EQ(recorder.senders[0], Application);
}

TEST(ApplicationIdle, OneSubscriberClearingDoneKeepsTheLoopFromWaiting) {
    // Should the loop wait, this timer ends the wait after 400 ms.
    const UINT_PTR wake = SetTimer(nullptr, 0, 400, nullptr);
    bool ran = false;
    TIdleSubscription busy([&](TObject*, bool& done) {
        ran = true;
        done = false;
    });
    TIdleSubscription idle([](TObject*, bool&) {});
    const long spent = IdlePassMilliseconds(ran);
    KillTimer(nullptr, wake);
    ASSERT_TRUE(ran);
    EXPECT_LT(spent, 200);
}

TEST(ApplicationIdle, LoopWaitsForAMessageWhenEverySubscriberIsDone) {
    const UINT_PTR wake = SetTimer(nullptr, 0, 200, nullptr);
    bool ran = false;
    TIdleSubscription idle([&](TObject*, bool&) { ran = true; });
    const long spent = IdlePassMilliseconds(ran);
    KillTimer(nullptr, wake);
    ASSERT_TRUE(ran);
    EXPECT_GE(spent, 120);
}

TEST(ApplicationIdle, SubscriptionEndsWithItsOwner) {
    std::vector<int> log;
    const int before = Application->IdleSubscriberCount();
    {
        TIdleSubscription subscription(Logging(log, 1));
        EXPECT_TRUE(subscription.Active());
        EXPECT_EQ(Application->IdleSubscriberCount(), before + 1);
    }
    EXPECT_EQ(Application->IdleSubscriberCount(), before);
    RunIdlePass();
    EXPECT_TRUE(log.empty());
}

TEST(ApplicationIdle, SubscribingAgainReplacesTheHandlerAndResetEnds) {
    std::vector<int> log;
    const int before = Application->IdleSubscriberCount();
    TIdleSubscription subscription(Logging(log, 1));
    subscription.Subscribe(Logging(log, 2));
    EXPECT_EQ(Application->IdleSubscriberCount(), before + 1);
    RunIdlePass();
    EXPECT_EQ(log, (std::vector<int>{2}));
    subscription.Reset();
    EXPECT_FALSE(subscription.Active());
    EXPECT_EQ(Application->IdleSubscriberCount(), before);
}

// ---------------------------------------------------------------- application window

TEST(ApplicationWindow, IsAHiddenZeroSizedPopupAtTheScreensCentreThatOwnsTheForms) {
    HWND window = Application->Handle();
    ASSERT_TRUE(IsWindow(window));
    char className[32] = {};
    GetClassNameA(window, className, sizeof(className));
    EXPECT_STREQ(className, "TApplication");
    const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    const DWORD wanted = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CHILD), 0u);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_EQ(r.top, GetSystemMetrics(SM_CYSCREEN) / 2);
    TForm form(Application);
    EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), window);
}

TEST(ApplicationWindow, TitleIsTheWindowText) {
    const std::string saved = Application->Title();
    Application->SetTitle("Probe title");
    char text[32] = {};
    GetWindowTextA(Application->Handle(), text, sizeof(text));
    EXPECT_STREQ(text, "Probe title");
    Application->SetTitle(saved);
}

TEST(ApplicationWindow, HooksSeeItsMessagesFirstAndMayAnswerThem) {
    int seen = 0;
    const int id = Application->HookMainWindow([&](TMessage& m) {
        if (m.msg != WM_APP + 11) return false;
        ++seen;
        EXPECT_EQ(m.hwnd, Application->Handle());
        m.result = 77;
        return true;
    });
    EXPECT_EQ(SendMessageA(Application->Handle(), WM_APP + 11, 0, 0), 77);
    Application->UnhookMainWindow(id);
    EXPECT_EQ(SendMessageA(Application->Handle(), WM_APP + 11, 0, 0), 0);
    EXPECT_EQ(seen, 1);
}

TEST(ApplicationWindow, HookExceptionReachesTheCentralHandler) {
    RecordExceptions recorder;
    const int id = Application->HookMainWindow([](TMessage& m) -> bool {
        if (m.msg == WM_APP + 12) throw EInvalidOperation("Hook failed");
        return false;
    });
    SendMessageA(Application->Handle(), WM_APP + 12, 0, 0);
    Application->UnhookMainWindow(id);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], "Hook failed");
    EXPECT_EQ(recorder.senders[0], Application);
    EXPECT_TRUE(IsWindow(Application->Handle()));
}

TEST(ApplicationWindow, EndingTheSessionAsksTheMainFormFirst) {
    TForm main(Application);
    Application->SetMainForm(&main);
    bool allow = false;
    main.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
    EXPECT_EQ(SendMessageA(Application->Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
    allow = true;
    EXPECT_EQ(SendMessageA(Application->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    Application->SetMainForm(nullptr);
}

}  // namespace
