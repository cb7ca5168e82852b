// What the standard controls share: accelerator characters of captions, border and text-side
// styles changed on live windows, and painting that fails.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "framework/Form.h"
#include "framework/StdCtrls.h"
#include "tests/framework/GuiTestSupport.h"

using namespace vl;

namespace {

using vltest::Add;
using vltest::MakeForm;

DWORD Style(TWinControl& c) { return static_cast<DWORD>(GetWindowLongA(c.Handle(), GWL_STYLE)); }
DWORD ExStyle(TWinControl& c) { return static_cast<DWORD>(GetWindowLongA(c.Handle(), GWL_EXSTYLE)); }

int ClientWidthOf(TWinControl& c) {
    RECT r;
    GetClientRect(c.Handle(), &r);
    return r.right;
}

// ---------------------------------------------------------------- accelerators

TEST(ControlAccelerators, TheFirstSingleAmpersandMarksTheCharacter) {
    EXPECT_EQ(AccelChar("&Add"), 'A');
    EXPECT_EQ(AccelChar("Save && &Quit"), 'Q');
    EXPECT_EQ(AccelChar("&One &Two"), 'O');
    EXPECT_EQ(AccelChar("Plain"), 0);
    EXPECT_EQ(AccelChar("Only &&"), 0);
    EXPECT_EQ(AccelChar("Trailing&"), 0);
    EXPECT_EQ(AccelChar(""), 0);
}

TEST(ControlAccelerators, MatchIgnoresCase) {
    EXPECT_TRUE(IsAccelChar('a', "&Add"));
    EXPECT_TRUE(IsAccelChar('Q', "Save && &quit"));
    EXPECT_FALSE(IsAccelChar('d', "&Add"));
    EXPECT_FALSE(IsAccelChar('&', "A && B"));
    EXPECT_FALSE(IsAccelChar('x', "Plain"));
}

TEST(ControlAccelerators, ButtonIsClickedByItsLetterUnlessDisabled) {
    auto form = MakeForm();
    auto* button = Add<TButton>(*form);
    button->SetCaption("&Go");
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    form->Show();  // only a control that can take the focus answers
    EXPECT_FALSE(button->DialogChar('h'));
    EXPECT_TRUE(button->DialogChar('g'));
    EXPECT_EQ(clicks, 1);
    button->SetEnabled(false);
    EXPECT_FALSE(button->DialogChar('g'));
    EXPECT_EQ(clicks, 1);
    form->Hide();
}

TEST(ControlAccelerators, ControlOnAHiddenFormIgnoresItsLetter) {
    auto form = MakeForm();
    auto* button = Add<TButton>(*form);
    button->SetCaption("&Go");
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    EXPECT_FALSE(button->DialogChar('g'));
    EXPECT_EQ(clicks, 0);
}

TEST(ControlAccelerators, LabelFocusesItsFocusControl) {
    auto form = MakeForm();
    auto* label = Add<TLabel>(*form);
    auto* edit = Add<TEdit>(*form);
    label->SetCaption("&Name");
    form->Show();
    EXPECT_FALSE(label->DialogChar('n'));  // no control to focus yet
    label->SetFocusControl(edit);
    EXPECT_TRUE(label->DialogChar('N'));
    EXPECT_TRUE(edit->Focused());
    label->SetShowAccelChar(false);
    EXPECT_FALSE(label->DialogChar('n'));
    form->Hide();
}

TEST(ControlAccelerators, CheckBoxAndRadioButtonActOnTheirLetter) {
    auto form = MakeForm();
    auto* check = Add<TCheckBox>(*form);
    auto* radio = Add<TRadioButton>(*form);
    check->SetCaption("&Loop");
    radio->SetCaption("&Random");
    form->Show();
    EXPECT_TRUE(check->DialogChar('l'));
    EXPECT_TRUE(check->Checked());
    EXPECT_TRUE(radio->DialogChar('r'));
    EXPECT_TRUE(radio->Checked());
    EXPECT_FALSE(radio->DialogChar('l'));
    form->Hide();
}

// ---------------------------------------------------------------- border and text-side styles

TEST(ListBoxBorder, ChangesTheLiveWindowsEdgeAndFrame) {
    auto form = MakeForm();
    auto* box = Add<TListBox>(*form);
    ASSERT_TRUE(ExStyle(*box) & WS_EX_CLIENTEDGE);
    const int framed = ClientWidthOf(*box);
    box->SetBorderStyle(TBorderStyle::None);
    EXPECT_FALSE(ExStyle(*box) & WS_EX_CLIENTEDGE);
    EXPECT_GT(ClientWidthOf(*box), framed);  // the frame was recomputed at once
    box->SetBorderStyle(TBorderStyle::Single);
    EXPECT_TRUE(ExStyle(*box) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(ClientWidthOf(*box), framed);
}

TEST(EditBorder, ChangesTheLiveWindowsEdgeAndIsKeptForANewWindow) {
    auto form = MakeForm();
    auto* edit = Add<TEdit>(*form);
    const int framed = ClientWidthOf(*edit);
    edit->SetBorderStyle(TBorderStyle::None);
    EXPECT_FALSE(ExStyle(*edit) & WS_EX_CLIENTEDGE);
    EXPECT_GT(ClientWidthOf(*edit), framed);
    edit->DestroyHandle();
    EXPECT_FALSE(ExStyle(*edit) & WS_EX_CLIENTEDGE);  // made again without the edge
}

TEST(PanelBorder, SingleAddsAWindowBorder) {
    auto form = MakeForm();
    auto* panel = Add<TPanel>(*form);
    EXPECT_FALSE(Style(*panel) & WS_BORDER);
    const int plain = ClientWidthOf(*panel);
    panel->SetBorderStyle(TBorderStyle::Single);
    EXPECT_TRUE(Style(*panel) & WS_BORDER);
    EXPECT_LT(ClientWidthOf(*panel), plain);
    panel->SetBorderStyle(TBorderStyle::None);
    EXPECT_FALSE(Style(*panel) & WS_BORDER);
}

TEST(CheckBoxAlignment, LeftJustifyPutsTheTextLeftOfTheBox) {
    auto form = MakeForm();
    auto* check = Add<TCheckBox>(*form);
    EXPECT_FALSE(Style(*check) & BS_LEFTTEXT);
    check->SetAlignment(TAlignment::LeftJustify);
    EXPECT_TRUE(Style(*check) & BS_LEFTTEXT);
    check->SetAlignment(TAlignment::Center);  // not a side: ignored
    EXPECT_EQ(check->Alignment(), TAlignment::LeftJustify);
    check->SetAlignment(TAlignment::RightJustify);
    EXPECT_FALSE(Style(*check) & BS_LEFTTEXT);
}

TEST(RadioButtonAlignment, LeftJustifyBeforeTheWindowIsUsedAtCreation) {
    auto form = MakeForm();
    auto* radio = new TRadioButton(form.get());
    radio->SetAlignment(TAlignment::LeftJustify);
    radio->SetParent(form.get());
    EXPECT_TRUE(Style(*radio) & BS_LEFTTEXT);
    radio->SetAlignment(TAlignment::RightJustify);
    EXPECT_FALSE(Style(*radio) & BS_LEFTTEXT);
}

// ---------------------------------------------------------------- painting

// A control whose painting fails.
class FailingPaint : public TWinControl {
public:
    explicit FailingPaint(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 40, 30); }
    int paints = 0;

protected:
    void Paint(HDC, const RECT&) override {
        ++paints;
        throw std::runtime_error("Paint failed");
    }
};

TEST(ControlPaint, FailingPaintEndsThePaintAndReachesTheCentralHandler) {
    vltest::RecordExceptions recorder;
    auto form = MakeForm();
    auto* control = Add<FailingPaint>(*form);
    form->Show();
    InvalidateRect(control->Handle(), nullptr, FALSE);
    UpdateWindow(control->Handle());
    EXPECT_GE(control->paints, 1);
    ASSERT_FALSE(recorder.messages.empty());
    EXPECT_EQ(recorder.messages[0], "Paint failed");
    EXPECT_EQ(recorder.senders[0], control);
    // EndPaint ran: nothing is left to paint, so no WM_PAINT follows.
    EXPECT_FALSE(GetUpdateRect(control->Handle(), nullptr, FALSE));
    form->Hide();
}

}  // namespace
