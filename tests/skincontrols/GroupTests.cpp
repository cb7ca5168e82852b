// TsuiCustomGroupBox, TsuiCheckGroup and TsuiRadioGroup: the frame and its caption, the item
// buttons they make and lay out, ItemIndex and its event, the keyboard inside a radio group,
// enabling, restyling and loading.
#include <gtest/gtest.h>

#include "SkinControlsTestSupport.h"
#include "framework/Application.h"
#include "framework/Colors.h"
#include "skin/FileTheme.h"
#include "skin/controls/Button.h"
#include "skin/controls/CheckGroup.h"
#include "skin/controls/RadioGroup.h"

using namespace vorlinde;
using skinctl::Px;

namespace {

// The settings window's play-order group: 153 x 65, an 11-pixel font, one column, a top
// margin of 8 and the items "Sequent" and "Random".
TsuiRadioGroup* PlayOrderGroup(vl::TForm& form) {
    auto* group = skinctl::Add<TsuiRadioGroup>(form, 32, 20, 153, 65);
    group->SetUIStyle(TsuiUIStyle::Protein);
    group->Font()->SetHeight(-11);
    group->SetCaption("Play Order:");
    group->Items()->Add("Sequent");
    group->Items()->Add("Random");
    return group;
}

void FillItems(TsuiCheckGroup& group, int count) {
    group.Items()->Update([&] {
        for (int i = 0; i < count; ++i) group.Items()->Add("Item " + std::to_string(i));
    });
}

}  // namespace

// -------------------------------------------------------------------------------- layout

TEST(TsuiRadioGroupLayout, PlayOrderGroupPlacesItsButtonsBelowTheCaption) {
    auto form = skinctl::ShowForm();
    TsuiRadioGroup* group = PlayOrderGroup(*form);
    ASSERT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(group->Buttons(0)->Left(), 8);
    EXPECT_EQ(group->Buttons(0)->Top(), 19);
    EXPECT_EQ(group->Buttons(1)->Left(), 8);
    EXPECT_EQ(group->Buttons(1)->Top(), 41);
    EXPECT_EQ(group->Buttons(1)->Caption(), "Random");
}

TEST(TsuiRadioGroupLayout, FrameTopLineRunsHalfACaptionLineDown) {
    auto form = skinctl::ShowForm();
    TsuiRadioGroup* group = PlayOrderGroup(*form);
    group->SetBorderColor(0x0000FF);
    auto shown = skinctl::Print(*group);
    EXPECT_EQ(Px(*shown, 1, 6), 0x0000FFu);       // the short piece left of the caption
    EXPECT_EQ(Px(*shown, 150, 6), 0x0000FFu);     // the long piece right of it
    EXPECT_NE(Px(*shown, 150, 5), 0x0000FFu);
    EXPECT_EQ(Px(*shown, 0, 40), 0x0000FFu);      // left side
    EXPECT_EQ(Px(*shown, 152, 40), 0x0000FFu);    // right side
    EXPECT_EQ(Px(*shown, 70, 64), 0x0000FFu);     // bottom
    EXPECT_NE(Px(*shown, 20, 6), 0x0000FFu);      // the gap holding the caption
}

TEST(TsuiCheckGroupLayout, FiveItemsInTwoColumnsFillTheFirstColumnFirst) {
    auto form = skinctl::ShowForm();
    auto* group = skinctl::Add<TsuiCheckGroup>(*form, 10, 10, 200, 120);
    group->SetColumns(2);
    FillItems(*group, 5);
    ASSERT_EQ(group->ButtonCount(), 5);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(group->Buttons(i)->Left(), 8) << i;
    for (int i = 3; i < 5; ++i) EXPECT_EQ(group->Buttons(i)->Left(), 8 + 95) << i;
    EXPECT_EQ(group->Buttons(3)->Top(), group->Buttons(0)->Top());
    EXPECT_GT(group->Buttons(1)->Top(), group->Buttons(0)->Top());
    EXPECT_EQ(group->Buttons(2)->Top() - group->Buttons(1)->Top(), group->Buttons(1)->Top() - group->Buttons(0)->Top());
}

TEST(TsuiCheckGroupLayout, ZeroOrNegativeColumnsAndNegativeMarginsAreRefused) {
    auto form = skinctl::ShowForm();
    auto* group = skinctl::Add<TsuiCheckGroup>(*form, 10, 10, 200, 120);
    FillItems(*group, 3);
    const int top = group->Buttons(0)->Top();
    group->SetColumns(0);
    group->SetColumns(-2);
    EXPECT_EQ(group->Columns(), 1);
    group->SetTopMargin(-1);
    EXPECT_EQ(group->TopMargin(), 8);
    EXPECT_EQ(group->Buttons(0)->Top(), top);
    group->SetTopMargin(20);
    EXPECT_GT(group->Buttons(0)->Top(), top);
}

TEST(TsuiCheckGroupItems, RemovingAnItemFreesTheLastButton) {
    auto form = skinctl::ShowForm();
    auto* group = skinctl::Add<TsuiCheckGroup>(*form, 10, 10, 200, 120);
    group->Items()->Add("a");
    group->Items()->Add("b");
    group->Items()->Add("c");
    TsuiCheckBox* first = group->Buttons(0);
    TsuiCheckBox* second = group->Buttons(1);
    group->Items()->Delete(0);
    ASSERT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(group->Buttons(0), first);
    EXPECT_EQ(group->Buttons(1), second);
    EXPECT_EQ(first->Caption(), "b");
    EXPECT_EQ(second->Caption(), "c");
    EXPECT_EQ(group->ControlCount(), 2);
}

TEST(TsuiCheckGroupItems, ItemButtonsTakeTheGroupsLookAndStayOutOfTheTabOrder) {
    auto form = skinctl::ShowForm();
    auto* group = skinctl::Add<TsuiCheckGroup>(*form, 10, 10, 200, 120);
    group->SetUIStyle(TsuiUIStyle::WinXP);
    group->SetItemCursor(vl::crHandPoint);
    group->Items()->Add("a");
    TsuiCheckBox* button = group->Buttons(0);
    EXPECT_EQ(button->UIStyle(), TsuiUIStyle::WinXP);
    EXPECT_FALSE(button->TabStop());
    EXPECT_TRUE(button->AutoSize());
    EXPECT_EQ(button->Cursor(), vl::crHandPoint);
    EXPECT_EQ(button->FontRef().Color(), group->FontRef().Color());
    group->SetTransparent(true);
    EXPECT_TRUE(button->Transparent());
}

TEST(TsuiCheckGroupEvents, EveryItemChangeFiresTheGroupsOnClick) {
    auto form = skinctl::ShowForm();
    auto* group = skinctl::Add<TsuiCheckGroup>(*form, 10, 10, 200, 120);
    FillItems(*group, 3);
    int clicks = 0;
    group->OnClick = skinctl::Counter(clicks);
    group->Buttons(0)->SetChecked(true);
    group->Buttons(2)->Click();
    group->Buttons(0)->SetChecked(false);
    EXPECT_EQ(clicks, 3);
}

// ----------------------------------------------------------------------------- ItemIndex

TEST(TsuiRadioGroupItemIndex, CurrentValueFiresNothingAnotherFiresOnce) {
    auto form = skinctl::ShowForm();
    TsuiRadioGroup* group = PlayOrderGroup(*form);
    group->SetItemIndex(0);
    int clicks = 0;
    group->OnClick = skinctl::Counter(clicks);
    group->SetItemIndex(0);
    EXPECT_EQ(clicks, 0);
    group->SetItemIndex(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_FALSE(group->Buttons(0)->Checked());
}

TEST(TsuiRadioGroupItemIndex, MinusOneUnchecksAllAndOutOfRangeIsIgnored) {
    auto form = skinctl::ShowForm();
    TsuiRadioGroup* group = PlayOrderGroup(*form);
    EXPECT_EQ(group->ItemIndex(), -1);
    group->SetItemIndex(1);
    group->SetItemIndex(2);
    group->SetItemIndex(-2);
    EXPECT_EQ(group->ItemIndex(), 1);
    group->SetItemIndex(-1);
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_FALSE(group->Buttons(1)->Checked());
}

TEST(TsuiRadioGroupItemIndex, ClickingAnItemSelectsIt) {
    auto form = skinctl::ShowForm();
    TsuiRadioGroup* group = PlayOrderGroup(*form);
    group->SetItemIndex(0);
    int clicks = 0;
    group->OnClick = skinctl::Counter(clicks);
    skinctl::SendMouse(*group->Buttons(1), WM_LBUTTONDOWN, 5, 5);
    skinctl::SendMouse(*group->Buttons(1), WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(group->Buttons(1)->Focused());
}

TEST(TsuiRadioGroupItemIndex, LoadingFromAFormDescriptionFiresNothing) {
    skinctl::TRecordingForm form;
    form.LoadFromText(
        "object Recording: TForm\n"
        "  object rdgOrder: TsuiRadioGroup\n"
        "    Left = 32\n"
        "    Top = 456\n"
        "    Width = 153\n"
        "    Height = 65\n"
        "    UIStyle = Protein\n"
        "    Caption = 'Play Order:'\n"
        "    BorderColor = clBlack\n"
        "    Columns = 1\n"
        "    TopMargin = 8\n"
        "    Items.Strings = (\n"
        "      'Sequent'\n"
        "      'Random')\n"
        "    ItemIndex = 1\n"
        "    Font.Height = -11\n"
        "    ParentFont = False\n"
        "    OnClick = Counted\n"
        "  end\n"
        "end\n");
    auto* group = dynamic_cast<TsuiRadioGroup*>(form.FindComponent("rdgOrder"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(form.counted, 0);
    EXPECT_EQ(group->Buttons(0)->Top(), 19);
    EXPECT_EQ(group->Buttons(0)->Height(), group->Buttons(1)->Height());
    EXPECT_GT(group->Buttons(0)->Width(), 13);
    group->SetItemIndex(0);
    EXPECT_EQ(form.counted, 1);
}

// ------------------------------------------------------------------------------ keyboard

TEST(TsuiRadioGroupKeys, ArrowKeysMoveTheSelectionRoundTheGroup) {
    auto form = skinctl::ShowForm();
    auto* group = skinctl::Add<TsuiRadioGroup>(*form, 10, 10, 200, 120);
    FillItems(*group, 3);
    group->SetItemIndex(0);
    int clicks = 0;
    group->OnClick = skinctl::Counter(clicks);
    group->SetFocus();  // the group hands the focus to its checked item
    ASSERT_TRUE(group->Buttons(0)->Focused());
    EXPECT_EQ(clicks, 0);
    skinctl::SendKey(*group->Buttons(0), WM_KEYDOWN, VK_DOWN);
    EXPECT_TRUE(group->Buttons(1)->Focused());
    EXPECT_EQ(group->ItemIndex(), 1);
    skinctl::SendKey(*group->Buttons(1), WM_KEYDOWN, VK_RIGHT);
    skinctl::SendKey(*group->Buttons(2), WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(group->ItemIndex(), 0);
    skinctl::SendKey(*group->Buttons(0), WM_KEYDOWN, VK_UP);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_EQ(clicks, 4);
}

TEST(TsuiRadioGroupKeys, TabLeavesTheGroupFromItsItem) {
    auto form = skinctl::ShowForm();
    TsuiRadioGroup* group = PlayOrderGroup(*form);
    group->SetItemIndex(1);
    auto* next = skinctl::Add<TsuiButton>(*form, 250, 20, 89, 25);
    group->SetFocus();
    ASSERT_TRUE(group->Buttons(1)->Focused());
    form->SelectNext(true);
    EXPECT_TRUE(next->Focused());
    EXPECT_EQ(group->ItemIndex(), 1);
}

TEST(TsuiRadioGroupKeys, FocusShowsOnTheCheckedItemOnly) {
    auto form = skinctl::ShowForm();
    TsuiRadioGroup* group = PlayOrderGroup(*form);
    group->SetItemIndex(0);
    auto plain = skinctl::Print(*group->Buttons(0));
    group->SetFocus();
    auto focused = skinctl::Print(*group->Buttons(0));
    const int w = group->Buttons(0)->Width();
    int changed = 0;
    for (int x = 16; x < w; ++x)
        for (int y = 0; y < group->Buttons(0)->Height(); ++y) changed += Px(*plain, x, y) != Px(*focused, x, y);
    EXPECT_GT(changed, 10);
}

// ---------------------------------------------------------------------- enabling and style

TEST(TsuiRadioGroupEnabled, DisablingTheGroupDisablesEveryItemAndGreysTheCaption) {
    auto form = skinctl::ShowForm();
    TsuiRadioGroup* group = PlayOrderGroup(*form);
    group->Font()->SetColor(vl::clBlack);
    auto enabled = skinctl::Print(*group);
    const RECT caption{5, 0, 40, 12};  // inside "Play Order:", clear of the frame line
    EXPECT_GT(skinctl::CountColor(*enabled, caption, vl::clBlack), 10);
    group->SetEnabled(false);
    EXPECT_FALSE(group->Buttons(0)->Enabled());
    EXPECT_FALSE(group->Buttons(1)->Enabled());
    auto disabled = skinctl::Print(*group);
    EXPECT_EQ(skinctl::CountColor(*disabled, caption, vl::clBlack), 0);
    EXPECT_GT(skinctl::CountColor(*disabled, caption, vl::clGray), 10);
    group->SetEnabled(true);
    EXPECT_TRUE(group->Buttons(1)->Enabled());
}

TEST(TsuiGroupBoxStyle, RestylingTakesTheStylesBorderAndFontColours) {
    auto form = skinctl::ShowForm();
    TsuiRadioGroup* group = PlayOrderGroup(*form);
    group->SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(group->BorderColor(), static_cast<uint32_t>(ColorRGB(104, 104, 104)));
    EXPECT_EQ(group->FontColor(), static_cast<uint32_t>(ColorRGB(2, 70, 207)));
    EXPECT_EQ(group->Buttons(0)->UIStyle(), TsuiUIStyle::WinXP);
    EXPECT_EQ(group->Buttons(1)->FontRef().Color(), static_cast<uint32_t>(ColorRGB(2, 70, 207)));
    group->SetUIStyle(TsuiUIStyle::Protein);
    EXPECT_EQ(group->BorderColor(), vl::clBlack);
}

TEST(TsuiGroupBoxStyle, PassesItsStyleToTheSkinnedControlsInside) {
    auto form = skinctl::ShowForm();
    auto* box = skinctl::Add<TsuiCustomGroupBox>(*form, 10, 10, 200, 120);
    auto* button = skinctl::Add<TsuiButton>(*form, 10, 30, 80, 25, box);
    TsuiFileTheme* theme = skinctl::MsnTheme(form.get());
    box->SetUIStyle(TsuiUIStyle::FromThemeFile);
    box->SetFileTheme(theme);
    EXPECT_EQ(button->UIStyle(), TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(button->FileTheme(), theme);
    EXPECT_EQ(box->BorderColor(), static_cast<uint32_t>(ColorRGB(90, 130, 105)));
    delete theme;  // the box and the controls inside it go back to DeepBlue
    EXPECT_EQ(box->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(button->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(button->FileTheme(), nullptr);
}

TEST(TsuiGroupBoxLayout, ChildrenAlignInsideTheFrame) {
    auto form = skinctl::ShowForm();
    auto* box = skinctl::Add<TsuiCustomGroupBox>(*form, 10, 10, 200, 120);
    box->Font()->SetHeight(-11);
    auto* inner = skinctl::Add<TsuiButton>(*form, 0, 0, 10, 10, box);
    inner->SetAlign(vl::TAlign::Client);
    EXPECT_EQ(inner->Left(), 3);
    EXPECT_EQ(inner->Top(), 11 + 5);
    EXPECT_EQ(inner->Width(), 200 - 6);
    EXPECT_EQ(inner->Height(), 120 - 16 - 3);
}
