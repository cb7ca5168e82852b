// The central exception handler and the message loop around it.
#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"

using namespace vl;

namespace {

// Replaces the central handler with a recorder for the test's lifetime.
class RecordExceptions {
public:
    RecordExceptions() : saved_(Application->OnException) {
        Application->OnException = [this](TObject* sender, const std::exception_ptr& e) {
            senders.push_back(sender);
            messages.push_back(ExceptionMessage(e));
        };
    }
    ~RecordExceptions() { Application->OnException = saved_; }
    std::vector<TObject*> senders;
    std::vector<std::string> messages;

private:
    TExceptionEvent saved_;
};

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

}  // namespace
