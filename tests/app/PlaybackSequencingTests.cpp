// The main window's playback commands on the real graph and the solid-colour sample clips:
// which clip plays is read from the desktop's pixels, file by file.
#include <gtest/gtest.h>

#include <dshow.h>

#include <algorithm>

#include "AppTestSupport.h"
#include "DesktopWatch.h"
#include "app/MainForm.h"
#include "app/ProgramState.h"
#include "framework/ComPtr.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "media/FilterGraph.h"
#include "media/VideoWindow.h"

namespace {

using apptest::TDesktopWatch;
using vorlinde::Form1;
using vorlinde::PlaybackState;
using Colours = std::vector<std::string>;

class PlaybackSequencing : public apptest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        APPTEST_REQUIRE_SAMPLES();
    }
    // Starts the program with the clips as its playlist: the first of the order plays on the
    // desktop.
    void StartWith(const std::vector<const char*>& clips) { StartWithClips(clips); }
    std::wstring Playing() const { return Form1->FilterGraph1->RenderedFile(); }
    // What the completion event does at the end of a file.
    static void Complete() { Form1->FilterGraph1GraphComplete(Form1->FilterGraph1, S_OK, nullptr); }
    static bool OnDesktop() {
        return Form1->DSVideoWindowEx21->DesktopPlaying() && Form1->FilterGraph1->State() == PlaybackState::Playing;
    }
};

TEST_F(PlaybackSequencing, SequentialOrderPlaysTheListOverAndOverOnTheDesktop) {
    StartWith({"red.mpg", "green.mpg", "blue.mpg"});
    TDesktopWatch watch(Form1->FilterGraph1);
    // Each file plays to its real end before the next starts.
    EXPECT_EQ(watch.Watch(5), (Colours{"red", "green", "blue", "red", "green"}));
    EXPECT_GE(watch.Completions(), 4);
    EXPECT_TRUE(OnDesktop());
    EXPECT_TRUE(apptest::RecordedExceptions().empty());
}

TEST_F(PlaybackSequencing, ASingleEntryLoops) {
    StartWith({"blue.mpg"});
    TDesktopWatch watch(Form1->FilterGraph1);
    EXPECT_EQ(watch.Watch(3), (Colours{"blue", "blue", "blue"}));
    EXPECT_TRUE(OnDesktop());
}

TEST_F(PlaybackSequencing, RandomOrderNeverPlaysEntryKAsTheKthFileOfAPass) {
    apptest::SetStringValue(apptest::SettingsSection("Options"), "PlayOrder", "1");
    const std::vector<const char*> clips = {"red.mpg", "green.mpg", "blue.mpg", "white.mpg"};
    StartWith(clips);
    TDesktopWatch watch(Form1->FilterGraph1);
    const Colours seen = watch.Watch(3 * clips.size(), Complete);
    ASSERT_EQ(seen.size(), 3 * clips.size());
    for (size_t pass = 0; pass < 3; ++pass) {
        Colours played(seen.begin() + static_cast<long>(pass * clips.size()),
                       seen.begin() + static_cast<long>((pass + 1) * clips.size()));
        for (size_t k = 0; k < clips.size(); ++k)
            EXPECT_NE(played[k], vltest::ColourOf(clips[k])) << "pass " << pass << ", file " << k;
        // Every entry once in each pass.
        std::sort(played.begin(), played.end());
        EXPECT_EQ(played, (Colours{"blue", "green", "red", "white"})) << "pass " << pass;
    }
}

TEST_F(PlaybackSequencing, StopThenPlayRestartsTheSameFileFromItsStartOnTheDesktop) {
    StartWith({"red.mpg", "green.mpg"});
    TDesktopWatch watch(Form1->FilterGraph1);
    ASSERT_EQ(watch.Watch(2, Complete), (Colours{"red", "green"}));
    apptest::PumpMessagesFor(600);

    Form1->Stop1->Click();
    EXPECT_EQ(Form1->FilterGraph1->State(), PlaybackState::Uninitialised);
    EXPECT_FALSE(Form1->DSVideoWindowEx21->DesktopPlaying());
    apptest::PumpMessagesFor(300);
    EXPECT_EQ(vltest::DesktopClipColour(), "");

    Form1->Stop1->Click();
    vl::TComPtr<IMediaSeeking> seeking;
    ASSERT_EQ(Form1->FilterGraph1->QueryInterface(IID_IMediaSeeking, seeking.ReceiveVoid()), S_OK);
    LONGLONG position = -1;
    ASSERT_EQ(seeking->GetCurrentPosition(&position), S_OK);
    EXPECT_LT(position, 4'000'000) << "100 ns units";  // well before the 0.6 s it had played
    EXPECT_EQ(watch.Watch(3), (Colours{"red", "green", "green"}));
    EXPECT_TRUE(OnDesktop());
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

TEST_F(PlaybackSequencing, SetDesktopPlaysTheSelectedEntryThenTheNewOrderFromItsSecond) {
    StartWith({"red.mpg", "green.mpg", "blue.mpg", "yellow.wmv", "white.mpg"});
    Form1->StopNow();
    Form1->lsbMovie->SetItemIndex(3);
    TDesktopWatch watch(Form1->FilterGraph1);
    Form1->suitempbtnDesktopClick(Form1->btnDesktop);
    EXPECT_TRUE(OnDesktop());
    EXPECT_EQ(watch.Watch(6, Complete), (Colours{"yellow", "green", "blue", "yellow", "white", "red"}));
}

TEST_F(PlaybackSequencing, SetDesktopWithoutASelectionDoesNothing) {
    StartWith({"red.mpg"});
    Form1->StopNow();
    Form1->lsbMovie->SetItemIndex(-1);
    Form1->suitempbtnDesktopClick(Form1->btnDesktop);
    EXPECT_EQ(Form1->FilterGraph1->State(), PlaybackState::Uninitialised);
}

TEST_F(PlaybackSequencing, APreviewThatEndsStaysOnItsLastFrameAndNothingFollows) {
    StartWith({"red.mpg", "green.mpg"});
    Form1->StopNow();
    Form1->Show();
    TDesktopWatch watch(Form1->FilterGraph1);
    Form1->PlayNow(apptest::SampleClip("green.mpg"));
    ASSERT_TRUE(apptest::PumpMessagesUntil([&] { return watch.Completions() == 1; }, 10000));
    apptest::PumpMessagesFor(500);
    EXPECT_EQ(watch.Renders(), 1);
    EXPECT_EQ(Playing(), apptest::SampleClipW("green.mpg"));
    EXPECT_EQ(Form1->FilterGraph1->State(), PlaybackState::Playing);
    EXPECT_FALSE(Form1->DSVideoWindowEx21->DesktopPlaying());
    // The pane still shows the clip's last picture.
    RECT pane{};
    GetWindowRect(Form1->DSVideoWindowEx21->Handle(), &pane);
    EXPECT_EQ(vltest::ClipColourAt((pane.left + pane.right) / 2, (pane.top + pane.bottom) / 2), "green");
}

TEST_F(PlaybackSequencing, APlaylistEditedDownToOneEntryBetweenTwoFilesKeepsPlayingIt) {
    StartWith({"red.mpg", "green.mpg", "blue.mpg"});
    TDesktopWatch watch(Form1->FilterGraph1);
    ASSERT_EQ(watch.Watch(2, Complete), (Colours{"red", "green"}));
    Form1->lsbMovie->Items()->Delete(2);
    Form1->lsbMovie->Items()->Delete(0);
    EXPECT_EQ(watch.Watch(4, Complete), (Colours{"red", "green", "green", "green"}));
    EXPECT_TRUE(OnDesktop());
    EXPECT_TRUE(apptest::RecordedExceptions().empty());
}

TEST_F(PlaybackSequencing, PlayAfterTheListShrankBelowThePositionStartsANewOrder) {
    StartWith({"red.mpg", "green.mpg", "blue.mpg"});
    TDesktopWatch watch(Form1->FilterGraph1);
    ASSERT_EQ(watch.Watch(3, Complete), (Colours{"red", "green", "blue"}));
    Form1->Stop1->Click();
    // The play order still points at the third entry, which is gone.
    Form1->lsbMovie->Items()->Delete(2);
    Form1->lsbMovie->Items()->Delete(1);
    Form1->Stop1->Click();
    EXPECT_EQ(watch.Watch(5, Complete), (Colours{"red", "green", "blue", "red", "red"}));
    EXPECT_TRUE(OnDesktop());
    EXPECT_TRUE(apptest::RecordedExceptions().empty());
}

TEST_F(PlaybackSequencing, AMissingFileShowsItsMessageAndGivesTheDesktopBack) {
    StartWith({"red.mpg", "missing.mpg", "blue.mpg"});
    TDesktopWatch watch(Form1->FilterGraph1);
    ASSERT_EQ(watch.Watch(1), Colours{"red"});
    // The real end of the red clip moves on to the missing file.
    ASSERT_TRUE(apptest::PumpMessagesUntil([] { return !apptest::RecordedExceptions().empty(); }, 10000));
    ASSERT_EQ(apptest::RecordedExceptions().size(), 1u);
    EXPECT_NE(apptest::RecordedExceptions()[0].find("($"), std::string::npos) << apptest::RecordedExceptions()[0];
    // The handler ended at the failing step: nothing plays and the desktop is the user's again.
    EXPECT_EQ(Form1->FilterGraph1->State(), PlaybackState::Stopped);
    EXPECT_FALSE(Form1->DSVideoWindowEx21->DesktopPlaying());
    EXPECT_EQ(apptest::WallpaperValue(), kMarkedWallpaper);
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), kMarkedDesktopColor);
    // Within 100 ms the last picture of the red clip is gone as well.
    EXPECT_TRUE(apptest::PumpMessagesUntil([] { return vltest::DesktopClipColour().empty(); }, 100));
    apptest::PumpMessagesFor(300);
    EXPECT_EQ(vltest::DesktopClipColour(), "");
    // "&Play" does nothing in that state; the program goes on.
    Form1->Stop1->Click();
    EXPECT_EQ(Form1->FilterGraph1->State(), PlaybackState::Stopped);
    EXPECT_EQ(watch.Renders(), 1);
}

}  // namespace
