// The application's main form is known from the moment it exists, so that messages its own
// construction lets through (a log-off query, a close) reach it as the main form.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/Form.h"

namespace {

// Notes what the application calls its main form while this form is being built.
class TProbeForm : public vl::TForm {
public:
    explicit TProbeForm(vl::TComponent* owner) : vl::TForm(owner) {
        mainWhileBuilt = vl::Application->MainForm() == this;
        // A form made during the main form's construction (a helper form) is not the main form.
        helper = new vl::TForm(nullptr);
    }
    ~TProbeForm() override { delete helper; }
    bool mainWhileBuilt = false;
    vl::TForm* helper = nullptr;
};

TEST(ApplicationMainForm, IsTheFirstCreatedFormWhileItIsBuilt) {
    ASSERT_EQ(vl::Application->MainForm(), nullptr);
    TProbeForm* form = nullptr;
    vl::Application->CreateForm(form);
    EXPECT_TRUE(form->mainWhileBuilt);
    EXPECT_EQ(vl::Application->MainForm(), form);

    // Later forms, and forms made outside CreateForm, do not take its place.
    TProbeForm* second = nullptr;
    vl::Application->CreateForm(second);
    EXPECT_FALSE(second->mainWhileBuilt);
    vl::TForm loose(nullptr);
    EXPECT_EQ(vl::Application->MainForm(), form);
    delete second;
    delete form;
    EXPECT_EQ(vl::Application->MainForm(), nullptr);
}

TEST(ApplicationMainForm, AFormMadeOutsideCreateFormIsNeverTheMainForm) {
    ASSERT_EQ(vl::Application->MainForm(), nullptr);
    vl::TForm loose(nullptr);
    EXPECT_EQ(vl::Application->MainForm(), nullptr);
}

}  // namespace
