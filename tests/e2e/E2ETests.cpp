// Starts vorlinde.exe with no settings, waits for its main window, closes it and checks that
// the program ends cleanly.
#include <gtest/gtest.h>

#include "E2ESupport.h"

namespace {

class E2EStartAndClose : public e2e::ProgramTest {};

TEST_F(E2EStartAndClose, EmptyPlaylistShowsTheWindowAndClosesCleanly) {
    e2e::TProgram program;
    ASSERT_TRUE(program.Started()) << VORLINDE_EXE;

    HWND window = e2e::WaitForWindow([] { return e2e::ShownWindow("TForm1", "Vorlinde"); }, 15000);
    ASSERT_NE(window, nullptr) << "the main window did not appear";

    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(5000, exitCode)) << "the program did not end";
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
