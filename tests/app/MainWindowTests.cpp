// The main window's start-up, confirm buttons and closing.
#include <windows.h>

#include "AppTestSupport.h"
#include "app/MainForm.h"
#include "app/ProgramState.h"
#include "framework/Application.h"
#include "framework/StdCtrls.h"
#include "framework/StringUtils.h"
#include "media/FilterGraph.h"
#include "media/VideoWindow.h"
#include "tray/TrayIcon.h"

namespace {

using apptest::SampleClip;
using apptest::SampleClipW;
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
    APPTEST_REQUIRE_SAMPLES();
    StorePlaylist({SampleClip("red.mpg"), SampleClip("green.mpg")});
    CreateMainWindow();
    EXPECT_TRUE(apptest::RecordedExceptions().empty());
    EXPECT_TRUE(Form1->FilterGraph1->Active());
    EXPECT_EQ(Form1->FilterGraph1->RenderedFile(), SampleClipW("red.mpg"));
    EXPECT_EQ(Form1->FilterGraph1->State(), vorlinde::PlaybackState::Playing);
    EXPECT_TRUE(Form1->DSVideoWindowEx21->DesktopPlaying());
    EXPECT_EQ(vorlinde::PlayOrderArray, (std::vector<int32_t>{0, 1}));
}

TEST_F(MainWindowStartup, PlaylistKeepsTheWindowHidden) {
    APPTEST_REQUIRE_SAMPLES();
    StorePlaylist({SampleClip("red.mpg")});
    CreateMainWindow();
    apptest::PumpMessagesFor(800);
    EXPECT_FALSE(Shown());
}

TEST_F(MainWindowStartup, FirstPlaybackShowsTheBalloonOnce) {
    APPTEST_REQUIRE_SAMPLES();
    StorePlaylist({SampleClip("red.mpg")});
    CreateMainWindow();
    EXPECT_EQ(Form1->TrayIcon1->BalloonTitle(), "Vorlinde");
    EXPECT_EQ(Form1->TrayIcon1->BalloonText(), "Right click here to control Vorlinde");
    EXPECT_EQ(Form1->TrayIcon1->BalloonIcon(), vorlinde::bitInfo);
    EXPECT_EQ(Form1->TrayIcon1->BalloonTimeout(), 20);
    EXPECT_EQ(StringValue(SettingsSection("Options"), "FirstRun"), "0");
}

TEST_F(MainWindowStartup, BalloonIsNotRepeated) {
    APPTEST_REQUIRE_SAMPLES();
    StorePlaylist({SampleClip("red.mpg")});
    apptest::SetStringValue(SettingsSection("Options"), "FirstRun", "0");
    CreateMainWindow();
    ASSERT_TRUE(Form1->FilterGraph1->Active());
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
    APPTEST_REQUIRE_SAMPLES();
    Form1->lsbMovie->Items()->Add(SampleClip("red.mpg"));
    Form1->lsbMovie->Items()->Add(SampleClip("green.mpg"));
    vorlinde::PlayPosition = 1;
    Form1->btnOk->Click();
    EXPECT_EQ(vorlinde::PlayPosition, 0);
    EXPECT_EQ(Form1->FilterGraph1->RenderedFile(), SampleClipW("red.mpg"));
    EXPECT_EQ(Form1->FilterGraph1->State(), vorlinde::PlaybackState::Playing);
    EXPECT_TRUE(Form1->DSVideoWindowEx21->DesktopPlaying());
}

TEST_F(MainWindowConfirm, CancelPlaysWithoutSaving) {
    APPTEST_REQUIRE_SAMPLES();
    Form1->lsbMovie->Items()->Add(SampleClip("red.mpg"));
    Form1->btnCancel->Click();
    EXPECT_EQ(Form1->FilterGraph1->RenderedFile(), SampleClipW("red.mpg"));
    EXPECT_EQ(Form1->FilterGraph1->State(), vorlinde::PlaybackState::Playing);
    EXPECT_TRUE(vl::Application->Minimized());
    EXPECT_FALSE(apptest::KeyExists(SettingsSection("MovieList")));
}

// --- closing

TEST_F(MainWindowClose, CloseQueryReleasesTheGraphAndAllowsTheClose) {
    APPTEST_REQUIRE_SAMPLES();
    Form1->lsbMovie->Items()->Add(SampleClip("red.mpg"));
    Form1->StartDesktopMovie();
    ASSERT_TRUE(Form1->FilterGraph1->Active());
    ASSERT_TRUE(Form1->DSVideoWindowEx21->DesktopPlaying());
    EXPECT_TRUE(Form1->CloseQuery());
    EXPECT_FALSE(Form1->FilterGraph1->Active());
    // The desktop is given back with the graph, not only when the window goes.
    EXPECT_FALSE(Form1->DSVideoWindowEx21->DesktopPlaying());
    EXPECT_EQ(apptest::WallpaperValue(), kMarkedWallpaper);
}

}  // namespace
