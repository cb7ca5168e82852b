// The link label: its look, its colour following the mouse, and what a click hands the shell.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinControlsTestSupport.h"
#include "framework/Colors.h"
#include "framework/ShellOpen.h"
#include "skin/controls/URLLabel.h"

using namespace vorlinde;

namespace {

class URLLabelClick : public testing::Test {
protected:
    void SetUp() override {
        form = skinctl::ShowForm();
        label = skinctl::Add<TsuiURLLabel>(*form, 20, 20, 100, 13);
        vl::ShellOpenOverride = [this](const vl::TShellRequest& request) {
            requests.push_back(request);
            events.push_back("shell");
        };
        label->OnClick = [this](vl::TObject*) { events.push_back("click"); };
    }
    void TearDown() override { vl::ShellOpenOverride = nullptr; }

    void ClickWithTheMouse() {
        skinctl::SendMouse(*label, WM_LBUTTONDOWN, 3, 3);
        skinctl::SendMouse(*label, WM_LBUTTONUP, 3, 3);
    }

    std::unique_ptr<vl::TForm> form;
    TsuiURLLabel* label = nullptr;
    std::vector<vl::TShellRequest> requests;
    std::vector<std::string> events;
};

TEST_F(URLLabelClick, ABlankURLRaisesOnlyTheClickEvent) {
    for (const char* url : {"", "   ", "\t "}) {
        events.clear();
        label->SetURL(url);
        ClickWithTheMouse();
        EXPECT_EQ(events, std::vector<std::string>{"click"}) << '"' << url << '"';
    }
}

TEST_F(URLLabelClick, OpensTheURLAsWrittenThroughTheShellBeforeTheClickEvent) {
    label->SetURL(" https://www.vorlinde.org/ ");
    ClickWithTheMouse();
    EXPECT_EQ(events, (std::vector<std::string>{"shell", "click"}));
    ASSERT_EQ(requests.size(), 1u);
    const vl::TShellRequest& r = requests[0];
    EXPECT_EQ(r.owner, nullptr);
    EXPECT_EQ(r.verb, "open");
    EXPECT_EQ(r.file, " https://www.vorlinde.org/ ");
    EXPECT_FALSE(r.hasParameters);
    EXPECT_FALSE(r.hasDirectory);
    EXPECT_EQ(r.showCommand, SW_SHOW);
}

TEST(URLLabelLook, IsAnUnderlinedBlueLinkThatTurnsRedUnderTheMouse) {
    auto form = skinctl::ShowForm();
    auto* label = skinctl::Add<TsuiURLLabel>(*form, 20, 20, 10, 13);
    label->SetCaption("www.vorlinde.org");
    EXPECT_TRUE(label->Font()->Style() & vl::fsUnderline);
    EXPECT_EQ(label->Font()->Color(), vl::clBlue);
    EXPECT_EQ(label->Cursor(), vl::crHandPoint);
    EXPECT_GT(label->Width(), 10);  // sized to its caption
    skinctl::HoverOver(*label);
    EXPECT_EQ(label->Font()->Color(), vl::clRed);
    skinctl::MoveMouseAway();
    SendMessageA(label->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(label->Font()->Color(), vl::clBlue);
    label->SetFontLinkColor(vl::clGreen);
    EXPECT_EQ(label->Font()->Color(), vl::clGreen);
}

}  // namespace
