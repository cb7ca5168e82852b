// The main window's playback commands: the advance at the end of a file, "&Pause",
// "&Stop"/"&Play", the tray menu's caption and "&Set Desktop", on the real graph and clips.
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/MainForm.h"
#include "app/ProgramState.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "media/FilterGraph.h"
#include "media/VideoWindow.h"

namespace {

using vorlinde::Form1;
using vorlinde::PlaybackState;

class PlaybackSequencing : public apptest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        APPTEST_REQUIRE_SAMPLES();
    }
    // Starts the program with the clips as its playlist: the first plays on the desktop.
    void StartWith(const std::vector<const char*>& clips) {
        std::vector<std::string> entries;
        for (const char* clip : clips) entries.push_back(apptest::SampleClip(clip));
        StorePlaylist(entries);
        CreateMainWindow();
    }
    std::wstring Playing() const { return Form1->FilterGraph1->RenderedFile(); }
    void Complete() { Form1->FilterGraph1GraphComplete(Form1->FilterGraph1, S_OK, nullptr); }
};

TEST_F(PlaybackSequencing, SequentialOrderAdvancesThroughTheListWithoutEnd) {
    StartWith({"red.mpg", "green.mpg", "blue.mpg"});
    EXPECT_EQ(Playing(), apptest::SampleClipW("red.mpg"));
    const char* expected[] = {"green.mpg", "blue.mpg", "red.mpg", "green.mpg"};
    for (const char* clip : expected) {
        Complete();
        EXPECT_EQ(Playing(), apptest::SampleClipW(clip));
        EXPECT_TRUE(Form1->DSVideoWindowEx21->DesktopPlaying());
        EXPECT_EQ(Form1->FilterGraph1->State(), PlaybackState::Playing);
    }
}

TEST_F(PlaybackSequencing, TheRealEndOfAClipStartsTheNextOne) {
    StartWith({"red.mpg", "green.mpg"});
    EXPECT_TRUE(apptest::PumpMessagesUntil([&] { return Playing() == apptest::SampleClipW("green.mpg"); }, 15000));
    EXPECT_TRUE(Form1->DSVideoWindowEx21->DesktopPlaying());
    EXPECT_TRUE(apptest::RecordedExceptions().empty());
}

TEST_F(PlaybackSequencing, APreviewThatEndsIsNotFollowed) {
    StartWith({"red.mpg", "green.mpg"});
    Form1->StopNow();
    Form1->PlayNow(apptest::SampleClip("green.mpg"));
    Complete();
    EXPECT_EQ(Playing(), apptest::SampleClipW("green.mpg"));
    EXPECT_FALSE(Form1->DSVideoWindowEx21->DesktopPlaying());
}

TEST_F(PlaybackSequencing, AnOrderLeftShorterByEditingIsRebuiltNotOverrun) {
    StartWith({"red.mpg", "green.mpg", "blue.mpg"});
    Form1->lsbMovie->Items()->Delete(2);
    Form1->lsbMovie->Items()->Delete(1);
    Complete();
    Complete();
    EXPECT_EQ(Playing(), apptest::SampleClipW("red.mpg"));
    EXPECT_EQ(Form1->FilterGraph1->State(), PlaybackState::Playing);
}

TEST_F(PlaybackSequencing, PauseTwicePausesWithTheCheckMarkThenResumesWithoutIt) {
    StartWith({"demo-1.mpg"});
    Form1->Pause1->Click();
    EXPECT_EQ(Form1->FilterGraph1->State(), PlaybackState::Paused);
    EXPECT_TRUE(Form1->Pause1->Checked());
    Form1->Pause1->Click();
    EXPECT_EQ(Form1->FilterGraph1->State(), PlaybackState::Playing);
    EXPECT_FALSE(Form1->Pause1->Checked());
}

TEST_F(PlaybackSequencing, StopThenPlayRestartsTheSameFileOnTheDesktop) {
    StartWith({"red.mpg", "green.mpg"});
    Complete();
    Form1->Stop1->Click();
    EXPECT_EQ(Form1->FilterGraph1->State(), PlaybackState::Uninitialised);
    EXPECT_FALSE(Form1->DSVideoWindowEx21->DesktopPlaying());
    Form1->Stop1->Click();
    EXPECT_EQ(Playing(), apptest::SampleClipW("green.mpg"));
    EXPECT_TRUE(Form1->DSVideoWindowEx21->DesktopPlaying());
    EXPECT_EQ(Form1->FilterGraph1->State(), PlaybackState::Playing);
}

TEST_F(PlaybackSequencing, TheMenuOffersStopWhilePlayingAndPlayOtherwise) {
    StartWith({"demo-1.mpg"});
    Form1->suitempPopupMenu1Popup(nullptr);
    EXPECT_EQ(Form1->Stop1->Caption(), "&Stop");
    Form1->Pause1->Click();
    Form1->suitempPopupMenu1Popup(nullptr);
    EXPECT_EQ(Form1->Stop1->Caption(), "&Play");
    Form1->StopNow();
    Form1->suitempPopupMenu1Popup(nullptr);
    EXPECT_EQ(Form1->Stop1->Caption(), "&Play");
}

TEST_F(PlaybackSequencing, SetDesktopPlaysTheSelectedEntryThenTheOrderFromItsSecond) {
    StartWith({"red.mpg", "green.mpg", "blue.mpg", "yellow.wmv", "white.mpg"});
    Form1->StopNow();
    Form1->lsbMovie->SetItemIndex(3);
    Form1->suitempbtnDesktopClick(Form1->btnDesktop);
    EXPECT_EQ(Playing(), apptest::SampleClipW("yellow.wmv"));
    EXPECT_TRUE(Form1->DSVideoWindowEx21->DesktopPlaying());
    Complete();
    EXPECT_EQ(Playing(), apptest::SampleClipW("green.mpg"));
}

TEST_F(PlaybackSequencing, SetDesktopWithoutASelectionDoesNothing) {
    StartWith({"red.mpg"});
    Form1->StopNow();
    Form1->lsbMovie->SetItemIndex(-1);
    Form1->suitempbtnDesktopClick(Form1->btnDesktop);
    EXPECT_EQ(Form1->FilterGraph1->State(), PlaybackState::Uninitialised);
}

}  // namespace
