// One Vorlinde per session: a second start brings the running one's settings window forward
// and ends without touching the desktop; a record left by a run that died is given back at the
// next start and never taken for the user's desktop.
#include <gtest/gtest.h>

#include "E2ESupport.h"

namespace {

using e2e::TMarkedDesktop;

constexpr DWORD kStartMs = 15000;

class E2ESingleInstance : public e2e::DesktopTest {};

TEST_F(E2ESingleInstance, ASecondStartShowsTheRunningOnesSettingsWindowAndEnds) {
    if (!e2e::SamplesAvailable()) GTEST_SKIP() << "no sample movies";
    e2e::StorePlaylist({e2e::SampleClip("red.mpg")});
    e2e::TProgram first;
    ASSERT_TRUE(first.Started());
    ASSERT_TRUE(e2e::WaitUntil(TMarkedDesktop::TakenForVideo, kStartMs));
    ASSERT_EQ(e2e::ShownWindow("TForm1", "Vorlinde"), nullptr);

    e2e::TProgram second;
    ASSERT_TRUE(second.Started());
    DWORD exitCode = 1234;
    ASSERT_TRUE(second.WaitForExit(10000, exitCode)) << "the second start did not end";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(second.GuardId(), 0u);

    // The first brings its movie back from the desktop into the settings window, as
    // "&Options.." does, and so gives the user's desktop back.
    HWND shown = e2e::WaitForWindow([] { return e2e::ShownWindow("TForm1", "Vorlinde"); }, 5000);
    ASSERT_NE(shown, nullptr) << "the running program did not show its settings window";
    EXPECT_EQ(shown, first.Window("TForm1"));
    EXPECT_TRUE(e2e::WaitUntil([] { return TMarkedDesktop::Marked() && !e2e::SavedDesktop(); }, 2000));
    EXPECT_EQ(first.Close(), 0u);
    EXPECT_TRUE(TMarkedDesktop::Marked());
}

TEST_F(E2ESingleInstance, TwoStartsAtOnceLeaveOneProgramAndTheUsersDesktop) {
    if (!e2e::SamplesAvailable()) GTEST_SKIP() << "no sample movies";
    e2e::StorePlaylist({e2e::SampleClip("red.mpg")});
    e2e::TProgram first;
    e2e::TProgram second;
    ASSERT_TRUE(first.Started());
    ASSERT_TRUE(second.Started());
    // Whichever came second waits for the other's window and ends.
    DWORD exitCode = 1234;
    e2e::TProgram* running = nullptr;
    ASSERT_TRUE(e2e::WaitUntil(
        [&] {
            if (first.WaitForExit(0, exitCode)) running = &second;
            else if (second.WaitForExit(0, exitCode)) running = &first;
            return running != nullptr;
        },
        kStartMs))
        << "neither start ended";
    EXPECT_EQ(exitCode, 0u);
    ASSERT_NE(e2e::WaitForWindow([] { return e2e::ShownWindow("TForm1", "Vorlinde"); }, 5000), nullptr);
    EXPECT_TRUE(e2e::WaitUntil([] { return TMarkedDesktop::Marked() && !e2e::SavedDesktop(); }, 2000));
    EXPECT_EQ(running->Close(), 0u);
    EXPECT_TRUE(TMarkedDesktop::Marked());
}

TEST_F(E2ESingleInstance, ARecordLeftBehindIsGivenBackAtStart) {
    // A run that died on the desktop: the video's settings on the desktop, the user's in the
    // record. With an empty playlist nothing plays, so only the start-up touches the desktop.
    TMarkedDesktop::TakeForVideo();
    e2e::WriteSavedDesktop(TMarkedDesktop::kWallpaper, TMarkedDesktop::kColour);
    e2e::TProgram program;
    ASSERT_TRUE(program.Started());
    ASSERT_NE(e2e::WaitForWindow([] { return e2e::ShownWindow("TForm1", "Vorlinde"); }, kStartMs), nullptr);
    EXPECT_TRUE(TMarkedDesktop::Marked());
    EXPECT_EQ(e2e::SavedDesktop(), std::nullopt);
    EXPECT_EQ(program.Close(), 0u);
}

TEST_F(E2ESingleInstance, TheVideosSettingsAreNeverSavedAsTheUsers) {
    if (!e2e::SamplesAvailable()) GTEST_SKIP() << "no sample movies";
    e2e::StorePlaylist({e2e::SampleClip("red.mpg")});
    TMarkedDesktop::TakeForVideo();
    e2e::WriteSavedDesktop(TMarkedDesktop::kWallpaper, TMarkedDesktop::kColour);
    e2e::TProgram first;
    ASSERT_TRUE(first.Started());
    ASSERT_TRUE(e2e::WaitUntil([] { return TMarkedDesktop::Marked(); }, kStartMs));
    ASSERT_TRUE(e2e::WaitUntil(TMarkedDesktop::TakenForVideo, kStartMs));
    EXPECT_EQ(e2e::SavedDesktop(), e2e::MarkedRecord());
    // A second start while the desktop is taken saves nothing of its own.
    e2e::TProgram second;
    DWORD exitCode = 1234;
    ASSERT_TRUE(second.WaitForExit(10000, exitCode));
    EXPECT_EQ(first.Close(), 0u);
    EXPECT_TRUE(TMarkedDesktop::Marked());
    EXPECT_EQ(e2e::SavedDesktop(), std::nullopt);
}

}  // namespace
