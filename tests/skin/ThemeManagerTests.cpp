// TsuiThemeManager: restyling the listed components of its form, the style-changed event, and
// what happens when listed components or the file theme go away.
#include <gtest/gtest.h>

#include <algorithm>

#include "SkinTestSupport.h"
#include "framework/StdCtrls.h"
#include "skin/ThemeManager.h"

using namespace vorlinde;
using skintest::SetterLog;
using skintest::TsuiTestControl;

namespace {

struct ManagedForm {
    ManagedForm() : form(skintest::MakeForm()) {
        theme = new TsuiFileTheme(form.get());
        theme->SetName("Theme1");
        manager = new TsuiThemeManager(form.get());
        manager->SetName("Manager1");
        a = skintest::AddControl<TsuiTestControl>(*form, "A");
        b = skintest::AddControl<TsuiTestControl>(*form, "B");
        SetterLog().clear();
    }
    std::unique_ptr<vl::TForm> form;
    TsuiFileTheme* theme;
    TsuiThemeManager* manager;
    TsuiTestControl* a;
    TsuiTestControl* b;
};

}  // namespace

TEST(ThemeManagerCreation, StartsDeepBlueWithAnEmptyList) {
    auto form = skintest::MakeForm();
    auto* manager = new TsuiThemeManager(form.get());
    EXPECT_EQ(manager->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(manager->FileTheme(), nullptr);
    EXPECT_EQ(manager->CompList()->Count(), 0);
}

TEST(ThemeManagerApply, SetsStyleThenThemeOnEachListedComponentInListOrder) {
    ManagedForm m;
    m.manager->CompList()->Add("b");
    m.manager->CompList()->Add("A");
    m.manager->SetFileTheme(m.theme);
    SetterLog().clear();
    m.manager->SetUIStyle(TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(SetterLog(), (std::vector<std::string>{"B.UIStyle=0", "B.FileTheme=Theme1", "A.UIStyle=0",
                                                     "A.FileTheme=Theme1"}));
}

TEST(ThemeManagerApply, SkipsNamesNotOnTheForm) {
    ManagedForm m;
    m.manager->CompList()->Add("Missing");
    m.manager->CompList()->Add("A");
    m.manager->SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(SetterLog(), (std::vector<std::string>{"A.UIStyle=2", "A.FileTheme=nil"}));
}

TEST(ThemeManagerApply, SkipsPropertiesAComponentDoesNotPublish) {
    ManagedForm m;
    skintest::AddControl<skintest::TsuiStyleOnlyControl>(*m.form, "StyleOnly");
    skintest::AddControl<vl::TPanel>(*m.form, "Panel1");
    m.manager->CompList()->Add("Panel1");
    m.manager->CompList()->Add("StyleOnly");
    m.manager->CompList()->Add("A");
    EXPECT_NO_THROW(m.manager->SetUIStyle(TsuiUIStyle::MacOS));
    EXPECT_EQ(SetterLog(), (std::vector<std::string>{"StyleOnly.UIStyle=1", "A.UIStyle=1", "A.FileTheme=nil"}));
}

TEST(ThemeManagerApply, OwnerThatIsNoFormChangesNothing) {
    vl::TComponent module(nullptr);
    auto form = skintest::MakeForm();
    skintest::AddControl<TsuiTestControl>(*form, "A");
    auto* manager = new TsuiThemeManager(&module);
    manager->CompList()->Add("A");
    SetterLog().clear();
    manager->SetUIStyle(TsuiUIStyle::MacOS);
    manager->ApplyTheme();
    EXPECT_TRUE(SetterLog().empty());
}

TEST(ThemeManagerStyle, SameStyleRestylesAgainWithoutTheEvent) {
    ManagedForm m;
    m.manager->CompList()->Add("A");
    int events = 0;
    m.manager->OnUIStyleChanged = [&](vl::TObject*) { ++events; };
    m.manager->SetUIStyle(TsuiUIStyle::DeepBlue);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(SetterLog().size(), 2u);
}

TEST(ThemeManagerStyle, ChangedStyleRaisesTheEventAfterRestyling) {
    ManagedForm m;
    m.manager->CompList()->Add("A");
    std::vector<std::string> seenAtEvent;
    vl::TObject* sender = nullptr;
    m.manager->OnUIStyleChanged = [&](vl::TObject* s) {
        sender = s;
        seenAtEvent = SetterLog();
    };
    m.manager->SetUIStyle(TsuiUIStyle::Protein);
    EXPECT_EQ(sender, m.manager);
    EXPECT_EQ(seenAtEvent, (std::vector<std::string>{"A.UIStyle=4", "A.FileTheme=nil"}));
}

TEST(ThemeManagerStyle, FileThemeSetterRestylesWithoutTheEvent) {
    ManagedForm m;
    m.manager->CompList()->Add("A");
    int events = 0;
    m.manager->OnUIStyleChanged = [&](vl::TObject*) { ++events; };
    m.manager->SetFileTheme(m.theme);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(SetterLog(), (std::vector<std::string>{"A.UIStyle=3", "A.FileTheme=Theme1"}));
}

TEST(ThemeManagerList, SettingTheListCopiesItWithoutRestyling) {
    ManagedForm m;
    vl::TStringList names;
    names.Add("A");
    names.Add("B");
    m.manager->SetCompList(names);
    names.Clear();
    EXPECT_EQ(m.manager->CompList()->Count(), 2);
    EXPECT_TRUE(SetterLog().empty());
}

TEST(ThemeManagerRemoval, RemovedComponentLosesItsFirstLine) {
    ManagedForm m;
    m.manager->CompList()->Add("A");
    m.manager->CompList()->Add("B");
    m.manager->CompList()->Add("A");
    delete m.a;
    ASSERT_EQ(m.manager->CompList()->Count(), 2);
    EXPECT_EQ((*m.manager->CompList())[0], "B");
    EXPECT_EQ((*m.manager->CompList())[1], "A");
}

TEST(ThemeManagerRemoval, RemovedComponentIsNotLookedForAgain) {
    ManagedForm m;
    m.manager->CompList()->Add("A");
    delete m.a;
    auto* again = skintest::AddControl<TsuiTestControl>(*m.form, "A");
    SetterLog().clear();
    m.manager->ApplyTheme();
    EXPECT_TRUE(SetterLog().empty());
    EXPECT_EQ(again->UIStyle(), TsuiUIStyle::DeepBlue);
}

TEST(ThemeManagerRemoval, FileThemeGoingAwayMeansDeepBlueWithoutRestyling) {
    ManagedForm m;
    m.manager->CompList()->Add("A");
    m.manager->SetUIStyle(TsuiUIStyle::FromThemeFile);
    m.manager->SetFileTheme(m.theme);
    int events = 0;
    m.manager->OnUIStyleChanged = [&](vl::TObject*) { ++events; };
    SetterLog().clear();
    delete m.theme;
    EXPECT_EQ(m.manager->FileTheme(), nullptr);
    EXPECT_EQ(m.manager->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(m.a->UIStyle(), TsuiUIStyle::FromThemeFile);  // keeps its look until the next ApplyTheme
    EXPECT_EQ(events, 0);
    EXPECT_EQ(std::count_if(SetterLog().begin(), SetterLog().end(),
                            [](const std::string& s) { return s.find("UIStyle") != std::string::npos; }),
              0);
}

TEST(ThemeManagerRemoval, ThemeOfAnotherFormGoingAwayIsForgotten) {
    ManagedForm m;
    auto other = skintest::MakeForm();
    auto* foreign = new TsuiFileTheme(other.get());
    m.manager->SetUIStyle(TsuiUIStyle::FromThemeFile);
    m.manager->SetFileTheme(foreign);
    other.reset();
    EXPECT_EQ(m.manager->FileTheme(), nullptr);
    EXPECT_EQ(m.manager->UIStyle(), TsuiUIStyle::DeepBlue);
}

TEST(ThemeManagerLoading, FormDescriptionRestylesTheCompleteListAtTheEnd) {
    auto form = skintest::MakeForm();
    SetterLog().clear();
    form->LoadFromText(
        "object ThemedForm: TForm\n"
        "  object suiThemeManager1: TsuiThemeManager\n"
        "    UIStyle = Protein\n"
        "    FileTheme = suiFileTheme1\n"
        "    CompList.Strings = (\n"
        "      'First'\n"
        "      'Second')\n"
        "  end\n"
        "  object First: TsuiTestControl\n"
        "  end\n"
        "  object Second: TsuiTestControl\n"
        "  end\n"
        "  object suiFileTheme1: TsuiFileTheme\n"
        "  end\n"
        "end\n");
    auto* manager = dynamic_cast<TsuiThemeManager*>(form->FindComponent("suiThemeManager1"));
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager->UIStyle(), TsuiUIStyle::Protein);
    EXPECT_EQ(manager->FileTheme(), form->FindComponent("suiFileTheme1"));
    EXPECT_EQ(SetterLog(), (std::vector<std::string>{"First.UIStyle=4", "First.FileTheme=suiFileTheme1",
                                                     "Second.UIStyle=4", "Second.FileTheme=suiFileTheme1"}));
}
