// vorlinde.exe driven through its tray icon as the shell drives it: notifications posted to the
// tray icon's hidden window, keys sent to the tray menu while it is open.
#include <gtest/gtest.h>

#include "E2ESupport.h"

namespace {

using e2e::kTrayCallbackMessage;
using e2e::kTrayIconId;
using e2e::ShownWindow;
using e2e::WaitForWindow;

class E2ETray : public e2e::ProgramTest {};

TEST_F(E2ETray, ExitInTheTrayMenuEndsTheProgram) {
    e2e::TProgram program;
    ASSERT_TRUE(program.Started());
    ASSERT_NE(WaitForWindow([] { return ShownWindow("TForm1", "Vorlinde"); }, 15000), nullptr);
    HWND tray = program.Window("TTrayIconHandler");
    ASSERT_NE(tray, nullptr);

    ASSERT_TRUE(program.ChooseExitInTrayMenu()) << "the tray menu did not open";

    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(10000, exitCode)) << "the program did not end";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(IsWindow(tray));
}

TEST_F(E2ETray, CloseWhileTheTrayMenuIsOpenEndsTheProgram) {
    e2e::TProgram program;
    ASSERT_TRUE(program.Started());
    HWND window = WaitForWindow([] { return ShownWindow("TForm1", "Vorlinde"); }, 15000);
    ASSERT_NE(window, nullptr);
    HWND tray = program.Window("TTrayIconHandler");
    ASSERT_NE(tray, nullptr);
    PostMessageA(tray, kTrayCallbackMessage, kTrayIconId, WM_RBUTTONDOWN);
    ASSERT_NE(WaitForWindow([] { return ShownWindow("#32768", nullptr); }, 5000), nullptr) << "the menu did not open";

    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(8000, exitCode)) << "the program did not end";
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(E2ETray, LeftClickShowsTheHiddenMainWindow) {
    if (!e2e::SamplesAvailable()) GTEST_SKIP() << "no sample movies";
    e2e::StorePlaylist({e2e::SampleClip("red.mpg")});
    e2e::TProgram program;
    ASSERT_TRUE(program.Started());
    HWND tray = WaitForWindow([&program] { return program.Window("TTrayIconHandler"); }, 15000);
    ASSERT_NE(tray, nullptr);
    // Started with a playlist, the program stays in the tray.
    Sleep(1000);
    ASSERT_EQ(ShownWindow("TForm1", "Vorlinde"), nullptr);

    PostMessageA(tray, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDOWN);
    PostMessageA(tray, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONUP);
    HWND window = WaitForWindow([] { return ShownWindow("TForm1", "Vorlinde"); }, 5000);
    ASSERT_NE(window, nullptr) << "the main window did not appear";

    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(10000, exitCode)) << "the program did not end";
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
