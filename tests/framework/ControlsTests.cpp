// Standard controls on real windows: label, panel, button, check box, radio group, list box, edit.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/Graphics.h"
#include "framework/StdCtrls.h"
#include "tests/framework/GuiTestSupport.h"

using namespace vl;
using vltest::RecordExceptions;

namespace {

using vltest::Add;
using vltest::MakeForm;

// The control's own painting, through WM_PRINTCLIENT, into a bitmap of its size.
std::unique_ptr<TBitmap> Print(TWinControl& control) {
    auto b = std::make_unique<TBitmap>(control.Width(), control.Height());
    control.Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(b->Canvas().Handle()), PRF_CLIENT);
    return b;
}

SIZE TextSize(const TFont& font, const std::string& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font.Handle());
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    return size;
}

void SendCommand(TWinControl& child, WORD code) {
    HWND h = child.Handle();
    SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), code), reinterpret_cast<LPARAM>(h));
}

TNotifyEvent Counter(int& count) {
    return [&count](TObject*) { ++count; };
}

}  // namespace

// ------------------------------------------------------------------------------------ Label

TEST(LabelAutoSize, SizeFollowsCaptionAndFont) {
    auto form = MakeForm();
    auto* label = Add<TLabel>(*form);
    label->SetCaption("Hello");
    SIZE text = TextSize(label->FontRef(), "Hello");
    EXPECT_EQ(label->Width(), text.cx);
    EXPECT_EQ(label->Height(), text.cy);
    label->Font()->SetHeight(-30);
    EXPECT_EQ(label->Width(), TextSize(label->FontRef(), "Hello").cx);
}

TEST(LabelAutoSize, AcceleratorMarkTakesNoRoom) {
    auto form = MakeForm();
    auto* label = Add<TLabel>(*form);
    label->SetCaption("&File");
    EXPECT_EQ(label->Width(), TextSize(label->FontRef(), "File").cx);
}

TEST(LabelAutoSize, OffKeepsTheGivenSize) {
    auto form = MakeForm();
    auto* label = Add<TLabel>(*form);
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 200, 40);
    label->SetCaption("x");
    EXPECT_EQ(label->Width(), 200);
}

TEST(LabelPaint, DrawsCaptionInFontColourOnItsColour) {
    auto form = MakeForm();
    auto* label = Add<TLabel>(*form);
    label->SetColor(clWhite);
    label->Font()->SetColor(clRed);
    label->Font()->SetHeight(-24);
    label->SetCaption("WW");
    form->HandleNeeded();
    auto b = Print(*label);
    int red = 0;
    for (int y = 0; y < b->Height(); ++y)
        for (int x = 0; x < b->Width(); ++x)
            if (b->Canvas().Pixel(x, y) == RGB(255, 0, 0)) ++red;
    EXPECT_GT(red, 10);
    EXPECT_EQ(b->Canvas().Pixel(b->Width() - 1, b->Height() - 1), RGB(255, 255, 255));
}

TEST(LabelPaint, TransparentShowsTheParentsColour) {
    auto form = MakeForm();
    form->SetColor(clBlue);
    auto* label = Add<TLabel>(*form);
    label->SetColor(clWhite);
    label->SetTransparent(true);
    label->SetCaption("  ");
    form->HandleNeeded();
    auto b = Print(*label);
    EXPECT_EQ(b->Canvas().Pixel(1, 1), RGB(0, 0, 255));
}

TEST(LabelClick, MouseClickRaisesOnClickOnce) {
    auto form = MakeForm();
    auto* label = Add<TLabel>(*form);
    label->SetCaption("Click me");
    int clicks = 0;
    label->OnClick = Counter(clicks);
    HWND h = label->Handle();
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(clicks, 1);
}

// ------------------------------------------------------------------------------------ Panel

TEST(PanelPaint, RaisedBevelIsLightTopLeftAndDarkBottomRight) {
    auto form = MakeForm();
    auto* panel = Add<TPanel>(*form);
    panel->SetBounds(0, 0, 40, 30);
    form->HandleNeeded();
    auto b = Print(*panel);
    EXPECT_EQ(b->Canvas().Pixel(0, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(b->Canvas().Pixel(39, 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(b->Canvas().Pixel(20, 15), GetSysColor(COLOR_BTNFACE));
}

TEST(PanelAlign, ClientChildFillsTheAreaInsideTheBevels) {
    auto form = MakeForm();
    auto* panel = Add<TPanel>(*form);
    panel->SetBounds(0, 0, 100, 60);
    panel->SetBevelInner(TBevelCut::Lowered);
    panel->SetBevelWidth(2);
    auto* child = new TPanel(form.get());
    child->SetParent(panel);
    child->SetAlign(TAlign::Client);
    EXPECT_EQ(child->Left(), 4);
    EXPECT_EQ(child->Top(), 4);
    EXPECT_EQ(child->Width(), 92);
    EXPECT_EQ(child->Height(), 52);
}

// ------------------------------------------------------------------------------------ Button

TEST(ButtonModalResult, ClickEndsShowModalWithTheButtonsResult) {
    auto form = MakeForm();
    auto* button = Add<TButton>(*form);
    button->SetModalResult(mrOk);
    int clicks = 0;
    button->OnClick = Counter(clicks);
    PostMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(clicks, 1);
}

TEST(ButtonDialogKeys, EnterClicksTheDefaultButtonAndEscapeTheCancelButton) {
    auto form = MakeForm();
    auto* edit = Add<TEdit>(*form);
    auto* ok = Add<TButton>(*form);
    ok->SetDefault(true);
    auto* cancel = Add<TButton>(*form);
    cancel->SetCancel(true);
    int okClicks = 0, cancelClicks = 0;
    ok->OnClick = Counter(okClicks);
    cancel->OnClick = Counter(cancelClicks);
    form->Show();
    edit->SetFocus();
    PostMessageA(edit->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    Application->ProcessMessages();
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(cancelClicks, 0);
    PostMessageA(edit->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    Application->ProcessMessages();
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(okClicks, 1);
}

TEST(ButtonDialogKeys, EnterClicksTheFocusedButtonRatherThanTheDefault) {
    auto form = MakeForm();
    auto* ok = Add<TButton>(*form);
    ok->SetDefault(true);
    auto* other = Add<TButton>(*form);
    int okClicks = 0, otherClicks = 0;
    ok->OnClick = Counter(okClicks);
    other->OnClick = Counter(otherClicks);
    form->Show();
    other->SetFocus();
    ASSERT_TRUE(other->Focused());
    PostMessageA(other->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    Application->ProcessMessages();
    EXPECT_EQ(otherClicks, 1);
    EXPECT_EQ(okClicks, 0);
}

TEST(ButtonDefault, FocusedButtonTakesTheDefaultLook) {
    auto form = MakeForm();
    auto* ok = Add<TButton>(*form);
    ok->SetDefault(true);
    auto* other = Add<TButton>(*form);
    auto* edit = Add<TEdit>(*form);
    form->Show();
    auto isDefault = [](TButton* b) { return (GetWindowLongA(b->Handle(), GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON; };
    EXPECT_TRUE(isDefault(ok));
    other->SetFocus();
    EXPECT_TRUE(isDefault(other));
    EXPECT_FALSE(isDefault(ok));
    edit->SetFocus();
    EXPECT_TRUE(isDefault(ok));
    EXPECT_FALSE(isDefault(other));
}

TEST(ButtonExceptions, ExceptionInOnClickReachesTheCentralHandlerAndTheProgramGoesOn) {
    RecordExceptions recorder;
    auto form = MakeForm();
    auto* button = Add<TButton>(*form);
    int clicks = 0;
    button->OnClick = [&](TObject*) {
        if (++clicks == 1) throw EInvalidOperation("Broken click");
    };
    SendCommand(*button, BN_CLICKED);
    SendCommand(*button, BN_CLICKED);
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], "Broken click");
}

// ------------------------------------------------------------------------------------ CheckBox

TEST(CheckBoxChecked, SettingFromCodeRaisesOnClickOnceAndShowsTheMark) {
    auto form = MakeForm();
    auto* check = Add<TCheckBox>(*form);
    int clicks = 0;
    check->OnClick = Counter(clicks);
    check->SetChecked(true);
    check->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(SendMessageA(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST(CheckBoxChecked, UserClickTogglesAndRaisesOnClickOnce) {
    auto form = MakeForm();
    auto* check = Add<TCheckBox>(*form);
    int clicks = 0;
    check->OnClick = Counter(clicks);
    SendCommand(*check, BN_CLICKED);
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(SendMessageA(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(clicks, 1);
    SendCommand(*check, BN_CLICKED);
    EXPECT_FALSE(check->Checked());
    EXPECT_EQ(clicks, 2);
}

TEST(CheckBoxChecked, LoadingFromAFormDescriptionStoresWithoutOnClick) {
    auto form = MakeForm();
    int clicks = 0;
    form->RegisterHandlerAny("CheckClick", TNotifyEvent(Counter(clicks)));
    form->LoadFromText(
        "object CheckForm: TForm\n"
        "  object Check1: TCheckBox\n"
        "    Checked = True\n"
        "    OnClick = CheckClick\n"
        "  end\n"
        "end\n");
    auto* check = dynamic_cast<TCheckBox*>(form->FindComponent("Check1"));
    ASSERT_NE(check, nullptr);
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(SendMessageA(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    check->SetChecked(false);
    EXPECT_EQ(clicks, 1);
}

TEST(CheckBoxState, GrayedNeedsAllowGrayed) {
    auto form = MakeForm();
    auto* check = Add<TCheckBox>(*form);
    check->SetState(TCheckBoxState::Grayed);
    EXPECT_EQ(check->State(), TCheckBoxState::Unchecked);
    check->SetAllowGrayed(true);
    check->SetState(TCheckBoxState::Grayed);
    EXPECT_EQ(SendMessageA(check->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
}

// ------------------------------------------------------------------------------------ RadioGroup

namespace {
TRadioGroup* LoadPlayOrderGroup(TForm& form, int& clicks) {
    form.RegisterHandlerAny("OrderClick", TNotifyEvent(Counter(clicks)));
    form.LoadFromText(
        "object OrderForm: TForm\n"
        "  object rdgOrder: TRadioGroup\n"
        "    Width = 153\n"
        "    Height = 65\n"
        "    Caption = 'Play Order:'\n"
        "    ItemIndex = 1\n"
        "    Font.Height = -11\n"
        "    Columns = 1\n"
        "    TopMargin = 8\n"
        "    Items.Strings = (\n"
        "      'Sequent'\n"
        "      'Random')\n"
        "    OnClick = OrderClick\n"
        "  end\n"
        "end\n");
    return dynamic_cast<TRadioGroup*>(form.FindComponent("rdgOrder"));
}
}  // namespace

TEST(RadioGroupLoading, ItemsAndItemIndexComeFromTheDescriptionWithoutOnClick) {
    auto form = MakeForm();
    int clicks = 0;
    TRadioGroup* group = LoadPlayOrderGroup(*form, clicks);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(group->Buttons(0)->Caption(), "Sequent");
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_TRUE(group->Buttons(1)->Checked());
    EXPECT_FALSE(group->Buttons(0)->Checked());
    EXPECT_EQ(clicks, 0);
}

TEST(RadioGroupLayout, ButtonsStartBelowTheCaptionAndTopMargin) {
    auto form = MakeForm();
    int clicks = 0;
    TRadioGroup* group = LoadPlayOrderGroup(*form, clicks);
    EXPECT_EQ(group->Buttons(0)->Left(), 8);
    EXPECT_EQ(group->Buttons(0)->Top(), 19);
    EXPECT_EQ(group->Buttons(1)->Top(), 41);
}

TEST(RadioGroupLayout, ItemsFillColumnsTopToBottom) {
    auto form = MakeForm();
    auto* group = Add<TRadioGroup>(*form);
    group->SetBounds(0, 0, 200, 120);
    group->SetColumns(2);
    group->Items()->SetText("a\nb\nc\nd\ne");
    EXPECT_EQ(group->Buttons(2)->Left(), 8);
    EXPECT_EQ(group->Buttons(3)->Left(), 8 + 95);
    EXPECT_EQ(group->Buttons(3)->Top(), group->Buttons(0)->Top());
}

TEST(RadioGroupButtons, UseTheGroupButtonWindowClass) {
    auto form = MakeForm();
    auto* group = Add<TRadioGroup>(*form);
    group->Items()->Add("one");
    char name[64] = {};
    GetClassNameA(group->Buttons(0)->Handle(), name, sizeof(name));
    EXPECT_STREQ(name, "TGroupButton");
}

TEST(RadioGroupItemIndex, SettingChecksTheButtonAndRaisesOnClickOnce) {
    auto form = MakeForm();
    auto* group = Add<TRadioGroup>(*form);
    group->Items()->SetText("a\nb\nc");
    int clicks = 0;
    group->OnClick = Counter(clicks);
    group->SetItemIndex(2);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(SendMessageA(group->Buttons(2)->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    group->SetItemIndex(5);  // out of range: ignored
    group->SetItemIndex(-2);
    EXPECT_EQ(group->ItemIndex(), 2);
    group->SetItemIndex(-1);
    EXPECT_FALSE(group->Buttons(2)->Checked());
    EXPECT_EQ(clicks, 2);
}

TEST(RadioGroupItemIndex, ClickOnAButtonSelectsItOnce) {
    auto form = MakeForm();
    auto* group = Add<TRadioGroup>(*form);
    group->Items()->SetText("a\nb");
    int clicks = 0;
    group->OnClick = Counter(clicks);
    SendCommand(*group->Buttons(1), BN_CLICKED);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
    SendCommand(*group->Buttons(1), BN_CLICKED);  // already selected
    EXPECT_EQ(clicks, 1);
}

TEST(RadioGroupKeyboard, ArrowKeysMoveTheSelection) {
    auto form = MakeForm();
    auto* group = Add<TRadioGroup>(*form);
    group->Items()->SetText("a\nb\nc");
    group->SetItemIndex(0);
    int clicks = 0;
    group->OnClick = Counter(clicks);
    SendMessageA(group->Buttons(0)->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(group->ItemIndex(), 1);
    SendMessageA(group->Buttons(1)->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(group->Buttons(2)->Handle(), WM_KEYDOWN, VK_DOWN, 0);  // at the end: stays
    EXPECT_EQ(group->ItemIndex(), 2);
    SendMessageA(group->Buttons(2)->Handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(clicks, 3);
}

TEST(RadioGroupItems, RemovingItemsFreesTheLastButtons) {
    auto form = MakeForm();
    auto* group = Add<TRadioGroup>(*form);
    group->Items()->SetText("a\nb\nc");
    group->Items()->Delete(0);
    ASSERT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(group->Buttons(0)->Caption(), "b");
    EXPECT_EQ(group->Buttons(1)->Caption(), "c");
}

// ------------------------------------------------------------------------------------ ListBox

TEST(ListBoxItems, ItemsAddedBeforeTheWindowAreCopiedIntoIt) {
    auto form = MakeForm();
    auto* list = Add<TListBox>(*form);
    list->Items()->Add("one");
    list->Items()->Add("two");
    list->Items()->Add("three");
    list->SetItemIndex(1);
    EXPECT_FALSE(list->HandleAllocated());
    HWND h = list->Handle();
    EXPECT_EQ(SendMessageA(h, LB_GETCOUNT, 0, 0), 3);
    char text[16] = {};
    SendMessageA(h, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "three");
    EXPECT_EQ(SendMessageA(h, LB_GETCURSEL, 0, 0), 1);
}

TEST(ListBoxItems, ChangesGoToTheWindowAndSurviveItsRecreation) {
    auto form = MakeForm();
    auto* list = Add<TListBox>(*form);
    HWND h = list->Handle();
    list->Items()->Add("a");
    list->Items()->Add("b");
    list->Items()->Insert(0, "first");
    list->Items()->Put(2, "B");
    EXPECT_EQ(SendMessageA(h, LB_GETCOUNT, 0, 0), 3);
    list->SetItemIndex(2);
    list->DestroyHandle();
    EXPECT_EQ(list->Count(), 3);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(list->Items()->Text(), "first\r\na\r\nB");
    h = list->Handle();
    EXPECT_EQ(SendMessageA(h, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(list->ItemIndex(), 2);
    list->Clear();
    EXPECT_EQ(SendMessageA(h, LB_GETCOUNT, 0, 0), 0);
}

TEST(ListBoxItemIndex, SettingFromCodeDoesNotRaiseOnClick) {
    auto form = MakeForm();
    auto* list = Add<TListBox>(*form);
    list->Items()->SetText("a\nb");
    int clicks = 0;
    list->OnClick = Counter(clicks);
    list->HandleNeeded();
    list->SetItemIndex(1);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(clicks, 0);
}

TEST(ListBoxClick, MouseClickOnAnItemSelectsItAndRaisesOnClickOnce) {
    auto form = MakeForm();
    auto* list = Add<TListBox>(*form);
    list->Items()->SetText("a\nb\nc");
    int clicks = 0;
    list->OnClick = Counter(clicks);
    form->Show();
    int itemHeight = list->ItemHeight();
    LPARAM at = MAKELPARAM(5, itemHeight + itemHeight / 2);
    SendMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
}

TEST(ListBoxClick, SelectionChangeNotificationRaisesOnClickOnce) {
    auto form = MakeForm();
    auto* list = Add<TListBox>(*form);
    list->Items()->SetText("a\nb");
    int clicks = 0;
    list->OnClick = Counter(clicks);
    SendMessageA(list->Handle(), LB_SETCURSEL, 1, 0);
    SendCommand(*list, LBN_SELCHANGE);
    EXPECT_EQ(clicks, 1);
}

TEST(ListBoxClick, DoubleClickRaisesOnDblClickOnce) {
    auto form = MakeForm();
    auto* list = Add<TListBox>(*form);
    list->Items()->SetText("a\nb");
    int doubles = 0;
    list->OnDblClick = Counter(doubles);
    form->Show();
    SendMessageA(list->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 3));
    SendMessageA(list->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 3));
    EXPECT_EQ(doubles, 1);
}

TEST(ListBoxItemHeight, IsPassedToTheWindow) {
    auto form = MakeForm();
    auto* list = Add<TListBox>(*form);
    list->SetItemHeight(21);
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 0, 0), 21);
}

TEST(ListBoxLoading, ItemsAndItemIndexFromADescription) {
    auto form = MakeForm();
    form->LoadFromText(
        "object ListForm: TForm\n"
        "  object lsbMovie: TListBox\n"
        "    ItemIndex = 1\n"
        "    Items.Strings = (\n"
        "      'c:\\a.mpg'\n"
        "      'c:\\b.wmv')\n"
        "  end\n"
        "end\n");
    auto* list = dynamic_cast<TListBox*>(form->FindComponent("lsbMovie"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(list->Items()->Strings(1), "c:\\b.wmv");
    list->HandleNeeded();
    EXPECT_EQ(list->ItemIndex(), 1);
}

// ------------------------------------------------------------------------------------ Edit

TEST(EditText, FollowsTypingAndRaisesOnChange) {
    auto form = MakeForm();
    auto* edit = Add<TEdit>(*form);
    int changes = 0;
    edit->OnChange = Counter(changes);
    SendMessageA(edit->Handle(), WM_CHAR, 'a', 0);
    SendMessageA(edit->Handle(), WM_CHAR, 'b', 0);
    EXPECT_EQ(edit->Text(), "ab");
    EXPECT_EQ(changes, 2);
    edit->SetText("xyz");
    EXPECT_EQ(changes, 3);
    char text[16] = {};
    GetWindowTextA(edit->Handle(), text, sizeof(text));
    EXPECT_STREQ(text, "xyz");
}

TEST(EditText, MaxLengthLimitsTyping) {
    auto form = MakeForm();
    auto* edit = Add<TEdit>(*form);
    edit->SetMaxLength(2);
    for (char c : std::string("abc")) SendMessageA(edit->Handle(), WM_CHAR, static_cast<WPARAM>(c), 0);
    EXPECT_EQ(edit->Text(), "ab");
}

// ------------------------------------------------------------------------------------ resources

TEST(ControlsResources, CreatingPaintingAndFreeingLeavesTheGdiCountUnchanged) {
    auto cycle = [] {
        auto form = MakeForm();
        auto* label = Add<TLabel>(*form);
        label->SetCaption("&Label");
        label->Font()->SetStyle(fsBold);
        auto* panel = Add<TPanel>(*form);
        panel->SetCaption("Panel");
        panel->SetColor(clRed);
        Add<TButton>(*form)->SetCaption("OK");
        Add<TCheckBox>(*form)->SetChecked(true);
        Add<TListBox>(*form)->Items()->SetText("a\nb");
        Add<TRadioGroup>(*form)->Items()->SetText("x\ny");
        Add<TEdit>(*form)->SetText("e");
        Add<TGroupBox>(*form)->SetCaption("Group");
        form->Show();
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Application->ProcessMessages();
    };
    // Wine creates a few objects of its own once, during the first two rounds.
    cycle();
    cycle();
    DWORD before = vltest::GdiObjects();
    for (int i = 0; i < 10; ++i) cycle();
    EXPECT_EQ(vltest::GdiObjects(), before);
}
