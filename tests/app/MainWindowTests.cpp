// The main window's start-up, confirm buttons and closing.
#include <windows.h>

#include "AppTestSupport.h"
#include "app/MainForm.h"
#include "app/ProgramState.h"
#include "framework/Application.h"
#include "framework/StdCtrls.h"
#include "framework/StringUtils.h"
#include "media/FilterGraph.h"
#include "tray/TrayIcon.h"

namespace {

using apptest::SettingsSection;
using apptest::StringValue;
using vorlinde::Form1;

class MainWindowStartup : public apptest::ProgramTest {
protected:
    bool Shown() { return Form1->HandleAllocated() && IsWindowVisible(Form1->Handle()); }
};

class MainWindowConfirm : public apptest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        CreateMainWindow();
    }
};

class MainWindowClose : public MainWindowConfirm {};

// --- start-up with an empty playlist

TEST_F(MainWindowStartup, EmptyPlaylistKeepsTheWindowHiddenAtFirst) {
    CreateMainWindow();
    EXPECT_FALSE(vl::Application->ShowMainForm());
    EXPECT_FALSE(Shown());
}

TEST_F(MainWindowStartup, EmptyPlaylistShowsTheWindowAfterHalfASecond) {
    CreateMainWindow();
    const DWORD start = GetTickCount();
    ASSERT_TRUE(apptest::PumpMessagesUntil([this] { return Shown(); }, 3000));
    EXPECT_GE(GetTickCount() - start, 400u);
}

TEST_F(MainWindowStartup, EmptyPlaylistPlaysNothingAndShowsNoBalloon) {
    CreateMainWindow();
    apptest::PumpMessagesUntil([this] { return Shown(); }, 3000);
    EXPECT_FALSE(Form1->FilterGraph1->Active());
    EXPECT_EQ(Form1->TrayIcon1->BalloonText(), "");
    EXPECT_EQ(StringValue(SettingsSection("Options"), "FirstRun"), std::nullopt);
}

TEST_F(MainWindowStartup, ExeFolderEndsWithBackslash) {
    CreateMainWindow();
    EXPECT_EQ(vorlinde::ExeFolder, vl::ExtractFilePath(vl::Application->ExeName()));
    ASSERT_FALSE(vorlinde::ExeFolder.empty());
    EXPECT_EQ(vorlinde::ExeFolder.back(), '\\');
}

// --- start-up with a playlist

TEST_F(MainWindowStartup, PlaylistStartsTheFirstFileOnTheDesktop) {
    StorePlaylist({"C:\\first.mpg", "C:\\second.mpg"});
    CreateMainWindow();
    EXPECT_TRUE(Form1->FilterGraph1->Active());
    EXPECT_EQ(Form1->FilterGraph1->RenderedFile(), L"C:\\first.mpg");
    EXPECT_EQ(vorlinde::PlayOrderArray, (std::vector<int32_t>{0, 1}));
}

TEST_F(MainWindowStartup, PlaylistKeepsTheWindowHidden) {
    StorePlaylist({"C:\\first.mpg"});
    CreateMainWindow();
    apptest::PumpMessagesFor(800);
    EXPECT_FALSE(Shown());
}

TEST_F(MainWindowStartup, FirstPlaybackShowsTheBalloonOnce) {
    StorePlaylist({"C:\\first.mpg"});
    CreateMainWindow();
    EXPECT_EQ(Form1->TrayIcon1->BalloonTitle(), "Vorlinde");
    EXPECT_EQ(Form1->TrayIcon1->BalloonText(), "Right click here to control Vorlinde");
    EXPECT_EQ(Form1->TrayIcon1->BalloonIcon(), vorlinde::bitInfo);
    EXPECT_EQ(Form1->TrayIcon1->BalloonTimeout(), 20);
    EXPECT_EQ(StringValue(SettingsSection("Options"), "FirstRun"), "0");
}

TEST_F(MainWindowStartup, BalloonIsNotRepeated) {
    StorePlaylist({"C:\\first.mpg"});
    apptest::SetStringValue(SettingsSection("Options"), "FirstRun", "0");
    CreateMainWindow();
    EXPECT_EQ(Form1->TrayIcon1->BalloonText(), "");
}

TEST_F(MainWindowStartup, FailedLoadEndsTheStartUp) {
    StorePlaylist({"C:\\first.mpg"});
    apptest::SetDwordValue(SettingsSection("Options"), "PlayOrder", 0);
    CreateMainWindow();
    ASSERT_NE(Form1, nullptr);
    EXPECT_EQ(apptest::RecordedExceptions().size(), 1u);
    EXPECT_TRUE(vorlinde::ExeFolder.empty());
    EXPECT_FALSE(Form1->FilterGraph1->Active());
    apptest::PumpMessagesFor(800);
    EXPECT_FALSE(Shown());
}

// --- "&Ok" and "&Cancel"

TEST_F(MainWindowConfirm, OkWithEmptyPlaylistGoesToTheTray) {
    Form1->btnOk->Click();
    EXPECT_TRUE(vl::Application->Minimized());
    EXPECT_FALSE(Form1->FilterGraph1->Active());
}

TEST_F(MainWindowConfirm, OkShowsTheBalloonOnlyTheFirstTime) {
    Form1->btnOk->Click();
    EXPECT_EQ(Form1->TrayIcon1->BalloonText(), "Right click here to control Vorlinde");
    Form1->TrayIcon1->ShowBalloonHint("", "", vorlinde::bitNone, 0);
    vl::Application->Restore();
    Form1->btnOk->Click();
    EXPECT_EQ(Form1->TrayIcon1->BalloonText(), "");
}

TEST_F(MainWindowConfirm, OkRestartsPlaybackWithANewOrder) {
    Form1->lsbMovie->Items()->Add("C:\\a.mpg");
    Form1->lsbMovie->Items()->Add("C:\\b.mpg");
    vorlinde::PlayPosition = 1;
    Form1->btnOk->Click();
    EXPECT_EQ(vorlinde::PlayPosition, 0);
    EXPECT_EQ(Form1->FilterGraph1->RenderedFile(), L"C:\\a.mpg");
}

TEST_F(MainWindowConfirm, CancelPlaysWithoutSaving) {
    Form1->lsbMovie->Items()->Add("C:\\a.mpg");
    Form1->btnCancel->Click();
    EXPECT_EQ(Form1->FilterGraph1->RenderedFile(), L"C:\\a.mpg");
    EXPECT_TRUE(vl::Application->Minimized());
    EXPECT_FALSE(apptest::KeyExists(SettingsSection("MovieList")));
}

// --- closing

TEST_F(MainWindowClose, CloseQueryReleasesTheGraphAndAllowsTheClose) {
    Form1->lsbMovie->Items()->Add("C:\\a.mpg");
    Form1->StartDesktopMovie();
    ASSERT_TRUE(Form1->FilterGraph1->Active());
    EXPECT_TRUE(Form1->CloseQuery());
    EXPECT_FALSE(Form1->FilterGraph1->Active());
}

}  // namespace
