// vorlinde.exe started with a playlist in the registry plays it on the desktop, one clip after
// another, and gives the desktop back when its main window closes.
#include <gtest/gtest.h>

#include <vector>

#include "E2ESupport.h"

namespace {

class E2EDesktop : public e2e::DesktopTest {};

TEST_F(E2EDesktop, PlaysThePlaylistOnTheDesktopAndGivesTheDesktopBackOnClose) {
    if (!e2e::SamplesAvailable()) GTEST_SKIP() << "no sample movies";
    e2e::StorePlaylist({e2e::SampleClip("red.mpg"), e2e::SampleClip("green.mpg"), e2e::SampleClip("blue.mpg")});
    e2e::TProgram program;
    ASSERT_TRUE(program.Started()) << VORLINDE_EXE;

    bool desktopTaken = false;
    const std::vector<std::string> shown =
        e2e::WatchDesktopClips(4, 30000, [&] { desktopTaken = desktopTaken || e2e::TMarkedDesktop::TakenForVideo(); });
    EXPECT_EQ(shown, (std::vector<std::string>{"red", "green", "blue", "red"}));
    EXPECT_TRUE(desktopTaken) << "the wallpaper and desktop colour were not taken over while playing";
    // Started with a playlist, the program keeps its window and its taskbar button hidden.
    HWND window = program.Window("TForm1");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    HWND taskbarButton = program.Window("TApplication");
    ASSERT_NE(taskbarButton, nullptr);
    EXPECT_FALSE(IsWindowVisible(taskbarButton));

    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(10000, exitCode)) << "the program did not end";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(e2e::UserStringValue("Control Panel\\Desktop", "Wallpaper"), e2e::TMarkedDesktop::kWallpaper);
    EXPECT_EQ(e2e::SessionDesktopColour(), e2e::TMarkedDesktop::kColour);
}

}  // namespace
