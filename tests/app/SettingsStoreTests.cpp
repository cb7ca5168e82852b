// Settings store: what the main window reads from and writes to the registry.
#include <windows.h>

#include <algorithm>

#include "AppTestSupport.h"
#include "app/MainForm.h"
#include "app/ProgramState.h"
#include "framework/Application.h"
#include "framework/StdCtrls.h"
#include "skin/FileTheme.h"
#include "skin/SkinForm.h"
#include "skin/ThemeManager.h"

namespace {

using apptest::SampleClip;
using apptest::SettingsSection;
using apptest::StringValue;
using vorlinde::Form1;
using vorlinde::TsuiUIStyle;

class SettingsStoreLoad : public apptest::ProgramTest {};
class SettingsStoreSave : public apptest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        CreateMainWindow();
    }
};
class SettingsStoreRoundTrip : public apptest::ProgramTest {};
class SettingsStoreAutoStart : public SettingsStoreSave {
protected:
    void TearDown() override {
        apptest::DeleteValue(apptest::kRunKey, kOtherRunValue);
        SettingsStoreSave::TearDown();
    }
    static constexpr char kOtherRunValue[] = "VorlindeTestNeighbour";
};

std::vector<std::string> PlaylistOf(vorlinde::TForm1& form) {
    std::vector<std::string> lines;
    for (int i = 0; i < form.lsbMovie->Items()->Count(); ++i) lines.push_back(form.lsbMovie->Items()->Strings(i));
    return lines;
}

// --- loading

TEST_F(SettingsStoreLoad, MissingKeyIsCreated) {
    CreateMainWindow();
    EXPECT_TRUE(apptest::KeyExists(apptest::kSettingsKey));
}

TEST_F(SettingsStoreLoad, MissingKeyGivesDefaults) {
    CreateMainWindow();
    EXPECT_TRUE(Form1->chkPreview->Checked());
    EXPECT_TRUE(Form1->chkStartPlay->Checked());
    EXPECT_EQ(Form1->rdgOrder->ItemIndex(), 0);
    EXPECT_EQ(Form1->lsbMovie->Items()->Count(), 0);
    EXPECT_TRUE(apptest::RecordedExceptions().empty());
}

TEST_F(SettingsStoreLoad, AutoStartShownOffWithoutRunValue) {
    CreateMainWindow();
    EXPECT_FALSE(Form1->chkAutoStart->Checked());
}

TEST_F(SettingsStoreLoad, AutoStartShownOnWithRunValue) {
    apptest::SetStringValue(apptest::kRunKey, apptest::kRunValue, "C:\\elsewhere\\other.exe");
    CreateMainWindow();
    EXPECT_TRUE(Form1->chkAutoStart->Checked());
}

TEST_F(SettingsStoreLoad, AutoStartStoredOffStaysOffWithRunValue) {
    apptest::SetStringValue(SettingsSection("Options"), "AutoStart", "0");
    apptest::SetStringValue(apptest::kRunKey, apptest::kRunValue, "C:\\elsewhere\\other.exe");
    CreateMainWindow();
    EXPECT_FALSE(Form1->chkAutoStart->Checked());
}

TEST_F(SettingsStoreLoad, StoredValuesReachTheControls) {
    const std::string options = SettingsSection("Options");
    apptest::SetStringValue(options, "Preview", "0");
    apptest::SetStringValue(options, "StartPlay", "0");
    apptest::SetStringValue(options, "PlayOrder", "1");
    CreateMainWindow();
    EXPECT_FALSE(Form1->chkPreview->Checked());
    EXPECT_FALSE(Form1->chkStartPlay->Checked());
    EXPECT_EQ(Form1->rdgOrder->ItemIndex(), 1);
}

// A stored playlist starts playing its first entry: the entries are sample clips.

TEST_F(SettingsStoreLoad, PlaylistInStoredOrder) {
    APPTEST_REQUIRE_SAMPLES();
    const std::vector<std::string> stored{SampleClip("blue.mpg"), SampleClip("yellow.wmv"), SampleClip("blue.mpg")};
    StorePlaylist(stored);
    CreateMainWindow();
    EXPECT_EQ(PlaylistOf(*Form1), stored);
    EXPECT_TRUE(apptest::RecordedExceptions().empty());
}

TEST_F(SettingsStoreLoad, CountWithGapGivesEmptyLine) {
    APPTEST_REQUIRE_SAMPLES();
    const std::string list = SettingsSection("MovieList");
    apptest::SetStringValue(list, "Count", "3");
    apptest::SetStringValue(list, "1", SampleClip("red.mpg"));
    apptest::SetStringValue(list, "3", SampleClip("blue.mpg"));
    CreateMainWindow();
    EXPECT_EQ(PlaylistOf(*Form1), (std::vector<std::string>{SampleClip("red.mpg"), "", SampleClip("blue.mpg")}));
}

TEST_F(SettingsStoreLoad, CountThatIsNotANumberGivesEmptyPlaylist) {
    const std::string list = SettingsSection("MovieList");
    apptest::SetStringValue(list, "Count", "abc");
    apptest::SetStringValue(list, "1", "C:\\one.mpg");
    CreateMainWindow();
    EXPECT_EQ(Form1->lsbMovie->Items()->Count(), 0);
}

TEST_F(SettingsStoreLoad, NegativeCountGivesEmptyPlaylist) {
    const std::string list = SettingsSection("MovieList");
    apptest::SetStringValue(list, "Count", "-2");
    apptest::SetStringValue(list, "1", "C:\\one.mpg");
    CreateMainWindow();
    EXPECT_EQ(Form1->lsbMovie->Items()->Count(), 0);
}

TEST_F(SettingsStoreLoad, HugeCountEndsWithLastStoredEntry) {
    APPTEST_REQUIRE_SAMPLES();
    const std::string list = SettingsSection("MovieList");
    apptest::SetStringValue(list, "Count", "2000000000");
    apptest::SetStringValue(list, "1", SampleClip("red.mpg"));
    apptest::SetStringValue(list, "3", SampleClip("blue.mpg"));
    CreateMainWindow();
    EXPECT_EQ(PlaylistOf(*Form1), (std::vector<std::string>{SampleClip("red.mpg"), "", SampleClip("blue.mpg")}));
}

TEST_F(SettingsStoreLoad, PreviewTwoIsChecked) {
    apptest::SetStringValue(SettingsSection("Options"), "Preview", "2");
    CreateMainWindow();
    EXPECT_TRUE(Form1->chkPreview->Checked());
}

TEST_F(SettingsStoreLoad, PlayOrderOfWrongTypeIsReportedAndStopsLoading) {
    StorePlaylist({"C:\\one.mpg"});
    apptest::SetDwordValue(SettingsSection("Options"), "PlayOrder", 1);
    CreateMainWindow();
    ASSERT_NE(Form1, nullptr);
    EXPECT_EQ(apptest::RecordedExceptions(), (std::vector<std::string>{"Invalid data type for 'PlayOrder'"}));
    EXPECT_EQ(Form1->lsbMovie->Items()->Count(), 0);
}

TEST_F(SettingsStoreLoad, SettingsKeyIsOpenAgainAfterLoading) {
    apptest::SetStringValue(SettingsSection("Options"), "SkinFileName", "marker");
    CreateMainWindow();
    EXPECT_EQ(vorlinde::RegSettings->ReadString("Options", "SkinFileName", ""), "marker");
}

TEST_F(SettingsStoreLoad, MissingSkinFileKeepsProtein) {
    apptest::SetStringValue(SettingsSection("Options"), "SkinName", "no-such-theme.sui");
    CreateMainWindow();
    EXPECT_EQ(Form1->suiThemeManager1->UIStyle(), TsuiUIStyle::Protein);
    EXPECT_EQ(Form1->suiForm1->UIStyle(), TsuiUIStyle::Protein);
    EXPECT_TRUE(apptest::RecordedExceptions().empty());
}

TEST_F(SettingsStoreLoad, ExistingSkinFileRestylesFromIt) {
    const char themeName[] = "settings-store-test.sui";
    // The smallest valid theme file: the header and the record that ends the chain at once.
    unsigned char theme[24 + 77] = "Morvale_TB";
    theme[12] = 24;  // header size
    theme[20] = 24;  // first record
    HANDLE file = CreateFileA(themeName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, theme, sizeof theme, &written, nullptr);
    CloseHandle(file);
    apptest::SetStringValue(SettingsSection("Options"), "SkinName", themeName);
    CreateMainWindow();
    DeleteFileA(themeName);
    EXPECT_EQ(Form1->suiFileTheme1->ThemeFile(), themeName);
    EXPECT_TRUE(Form1->suiFileTheme1->IsLoaded());
    EXPECT_EQ(Form1->suiThemeManager1->UIStyle(), TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(Form1->suiForm1->UIStyle(), TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(Form1->suiForm1->FileTheme(), Form1->suiFileTheme1);
}

// --- saving ("&Ok")

TEST_F(SettingsStoreSave, OptionsAreStoredAsText) {
    Form1->chkPreview->SetChecked(false);
    Form1->chkStartPlay->SetChecked(true);
    Form1->chkAutoStart->SetChecked(false);
    Form1->rdgOrder->SetItemIndex(1);
    Form1->btnOk->Click();
    const std::string options = SettingsSection("Options");
    EXPECT_EQ(StringValue(options, "Preview"), "0");
    EXPECT_EQ(StringValue(options, "StartPlay"), "1");
    EXPECT_EQ(StringValue(options, "AutoStart"), "0");
    EXPECT_EQ(StringValue(options, "PlayOrder"), "1");
}

TEST_F(SettingsStoreRoundTrip, PreviewTwoIsStoredAsOne) {
    apptest::SetStringValue(SettingsSection("Options"), "Preview", "2");
    CreateMainWindow();
    Form1->btnOk->Click();
    EXPECT_EQ(StringValue(SettingsSection("Options"), "Preview"), "1");
}

// "&Ok" also starts the playlist: the entries are sample clips.

TEST_F(SettingsStoreSave, PlaylistIsStoredInListOrder) {
    APPTEST_REQUIRE_SAMPLES();
    Form1->lsbMovie->Items()->Add(SampleClip("red.mpg"));
    Form1->lsbMovie->Items()->Add(SampleClip("yellow.wmv"));
    Form1->btnOk->Click();
    const std::string list = SettingsSection("MovieList");
    EXPECT_EQ(StringValue(list, "Count"), "2");
    EXPECT_EQ(StringValue(list, "1"), SampleClip("red.mpg"));
    EXPECT_EQ(StringValue(list, "2"), SampleClip("yellow.wmv"));
    EXPECT_TRUE(apptest::RecordedExceptions().empty());
}

TEST_F(SettingsStoreSave, EmptyPlaylistStoresOnlyCountZero) {
    Form1->btnOk->Click();
    const std::string list = SettingsSection("MovieList");
    EXPECT_EQ(apptest::ValueNames(list), (std::vector<std::string>{"Count"}));
    EXPECT_EQ(StringValue(list, "Count"), "0");
}

TEST_F(SettingsStoreSave, RemovedEntriesLeaveNothingBehind) {
    APPTEST_REQUIRE_SAMPLES();
    for (const char* name : {"red.mpg", "green.mpg", "blue.mpg"}) Form1->lsbMovie->Items()->Add(SampleClip(name));
    Form1->btnOk->Click();
    Form1->lsbMovie->Items()->Delete(2);
    Form1->lsbMovie->Items()->Delete(0);
    Form1->btnOk->Click();
    std::vector<std::string> names = apptest::ValueNames(SettingsSection("MovieList"));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"1", "Count"}));
    EXPECT_EQ(StringValue(SettingsSection("MovieList"), "1"), SampleClip("green.mpg"));
    EXPECT_TRUE(apptest::RecordedExceptions().empty());
}

TEST_F(SettingsStoreSave, SettingsKeyIsOpenAgainAfterSaving) {
    apptest::SetStringValue(SettingsSection("Options"), "SkinFileName", "marker");
    Form1->btnOk->Click();
    EXPECT_EQ(vorlinde::RegSettings->ReadString("Options", "SkinFileName", ""), "marker");
}

TEST_F(SettingsStoreAutoStart, OnWritesExecutablePath) {
    Form1->chkAutoStart->SetChecked(true);
    Form1->btnOk->Click();
    EXPECT_EQ(StringValue(apptest::kRunKey, apptest::kRunValue), vl::Application->ExeName());
    EXPECT_EQ(StringValue(SettingsSection("Options"), "AutoStart"), "1");
}

TEST_F(SettingsStoreAutoStart, OffRemovesOnlyOurValue) {
    apptest::SetStringValue(apptest::kRunKey, kOtherRunValue, "C:\\other.exe");
    Form1->chkAutoStart->SetChecked(true);
    Form1->btnOk->Click();
    Form1->chkAutoStart->SetChecked(false);
    Form1->btnOk->Click();
    EXPECT_EQ(StringValue(apptest::kRunKey, apptest::kRunValue), std::nullopt);
    EXPECT_EQ(StringValue(apptest::kRunKey, kOtherRunValue), "C:\\other.exe");
}

TEST_F(SettingsStoreAutoStart, OffWithoutValueIsNoError) {
    Form1->chkAutoStart->SetChecked(false);
    Form1->btnOk->Click();
    EXPECT_TRUE(apptest::RecordedExceptions().empty());
    EXPECT_EQ(StringValue(apptest::kRunKey, apptest::kRunValue), std::nullopt);
}

}  // namespace
