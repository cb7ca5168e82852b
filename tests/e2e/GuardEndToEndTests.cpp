// The user's desktop is never lost: vorlinde.exe killed while it plays on the desktop, its
// desktop guard killed with it, many kills in a row, a normal exit and the end of the Windows
// session all leave the marked wallpaper value and desktop colour in place, and no record or
// process behind.
#include <windows.h>

#include <gtest/gtest.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "E2ESupport.h"

namespace {

using e2e::TMarkedDesktop;

constexpr DWORD kStartMs = 15000;
// How soon the guard must have put the desktop back after the program died.
constexpr DWORD kRestoreMs = 2000;

bool Restored() { return TMarkedDesktop::Marked() && !e2e::SavedDesktop(); }

// What the desktop and the record hold, for failure messages.
std::string DesktopState() {
    const auto wallpaper = e2e::UserStringValue("Control Panel\\Desktop", "Wallpaper");
    char colour[16];
    std::snprintf(colour, sizeof(colour), "%06lX", static_cast<unsigned long>(e2e::SessionDesktopColour()));
    return "wallpaper \"" + wallpaper.value_or("<missing>") + "\", colour " + colour +
           (e2e::SavedDesktop() ? ", record left" : ", no record");
}

class E2EGuard : public e2e::DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        if (!e2e::SamplesAvailable()) GTEST_SKIP() << "no sample movies";
        e2e::StorePlaylist({e2e::SampleClip("red.mpg"), e2e::SampleClip("green.mpg")});
    }

    // Starts the program and waits until it plays on the desktop, with the user's desktop in
    // its record.
    static void StartOnTheDesktop(e2e::TProgram& program) {
        ASSERT_TRUE(program.Started());
        ASSERT_TRUE(e2e::WaitUntil(TMarkedDesktop::TakenForVideo, kStartMs)) << "the desktop was not taken";
        EXPECT_EQ(e2e::SavedDesktop(), e2e::MarkedRecord());
    }
};

TEST_F(E2EGuard, AKilledProgramGetsItsDesktopBackWithinTwoSeconds) {
    e2e::TProgram program;
    ASSERT_NO_FATAL_FAILURE(StartOnTheDesktop(program));
    ASSERT_NE(program.GuardId(), 0u) << "no desktop guard runs beside the program";

    ASSERT_TRUE(program.Kill());
    const DWORD killed = GetTickCount();
    EXPECT_TRUE(e2e::WaitUntil(Restored, kRestoreMs)) << "the desktop was not given back";
    const int restoredMs = static_cast<int>(GetTickCount() - killed);
    EXPECT_TRUE(e2e::WaitUntil([] { return e2e::ProcessesNamed("vorlinde.exe").empty(); }, kRestoreMs))
        << "the guard outlived the program";
    std::printf("desktop given back %d ms after the kill\n", restoredMs);
    RecordProperty("RestoredAfterMs", restoredMs);
}

// 100 ns units of processor time the process has used so far.
ULONGLONG ProcessorTime(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return ~0ull;
    auto value = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return value(kernel) + value(user);
}

TEST_F(E2EGuard, WaitsWithoutUsingTheProcessorAndHasNoWindow) {
    e2e::TProgram program;
    ASSERT_NO_FATAL_FAILURE(StartOnTheDesktop(program));
    const DWORD guardId = program.GuardId();
    ASSERT_NE(guardId, 0u);
    HANDLE guard = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, guardId);
    ASSERT_NE(guard, nullptr);
    Sleep(300);  // its start-up is over
    const ULONGLONG before = ProcessorTime(guard);
    Sleep(1500);
    const ULONGLONG after = ProcessorTime(guard);
    // The system counts processor time in scheduler ticks, and on a busy machine the tail of
    // the start-up can land in the window: two ticks (20 ms of 1.5 s) are noise, a guard that
    // polls or spins costs far more.
    constexpr ULONGLONG kNoiseTicks = 2 * 100000;
    EXPECT_LE(after - before, kNoiseTicks) << "the guard used the processor while it waited";

    // No window of its own, so no taskbar button either.
    struct TSearch {
        DWORD processId;
        bool found = false;
    } search{guardId};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* wanted = reinterpret_cast<TSearch*>(param);
            DWORD id = 0;
            GetWindowThreadProcessId(window, &id);
            if (id == wanted->processId) wanted->found = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    EXPECT_FALSE(search.found);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(guard, &memory, sizeof(memory))) {
        std::printf("guard: working set %zu KiB, private bytes %zu KiB, processor %llu ms\n",
                    memory.WorkingSetSize / 1024, memory.PagefileUsage / 1024, after / 10000);
        RecordProperty("GuardWorkingSetKiB", static_cast<int>(memory.WorkingSetSize / 1024));
        RecordProperty("GuardPrivateKiB", static_cast<int>(memory.PagefileUsage / 1024));
    }
    CloseHandle(guard);
}

TEST_F(E2EGuard, WithTheGuardKilledTooTheNextStartGivesTheDesktopBackBeforeItsFirstMovie) {
    {
        e2e::TProgram program;
        ASSERT_NO_FATAL_FAILURE(StartOnTheDesktop(program));
        ASSERT_TRUE(e2e::KillProcess(program.GuardId()));
        ASSERT_TRUE(program.Kill());
    }
    Sleep(300);
    ASSERT_TRUE(TMarkedDesktop::TakenForVideo()) << "nothing was left to give back";
    ASSERT_EQ(e2e::SavedDesktop(), e2e::MarkedRecord());

    e2e::TProgram next;
    ASSERT_TRUE(next.Started());
    // The marked desktop shows again before the new run takes it for its first movie.
    bool markedFirst = false;
    ASSERT_TRUE(e2e::WaitUntil(
        [&] {
            markedFirst = markedFirst || TMarkedDesktop::Marked();
            return markedFirst && TMarkedDesktop::TakenForVideo();
        },
        kStartMs));
    EXPECT_EQ(e2e::SavedDesktop(), e2e::MarkedRecord()) << "the new run saved the video's settings as the user's";
    // The new run works as usual: it plays the list on the desktop and gives it back on close.
    EXPECT_EQ(e2e::WatchDesktopClips(1, 10000).front(), "red");
    EXPECT_EQ(next.Close(), 0u);
    EXPECT_TRUE(Restored());
}

TEST_F(E2EGuard, TwentyKillsInARowLeaveTheUsersDesktopEveryTime) {
    for (int cycle = 0; cycle < 20; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        e2e::TProgram program;
        ASSERT_NO_FATAL_FAILURE(StartOnTheDesktop(program));
        ASSERT_TRUE(program.Kill());
        // Every other time the next start follows at once, racing the guard.
        if (cycle % 2 == 0) {
            ASSERT_TRUE(e2e::WaitUntil(Restored, kRestoreMs)) << "the desktop was not given back";
        }
    }
    EXPECT_TRUE(e2e::WaitUntil(Restored, kRestoreMs));
}

TEST_F(E2EGuard, ExitLeavesNoRecordAndNoGuardBehind) {
    e2e::TProgram program;
    ASSERT_NO_FATAL_FAILURE(StartOnTheDesktop(program));
    ASSERT_TRUE(program.ChooseExitInTrayMenu()) << "the tray menu did not open";
    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(10000, exitCode));
    EXPECT_EQ(exitCode, 0u);
    // The program ends only after its guard did.
    EXPECT_TRUE(e2e::ProcessesNamed("vorlinde.exe").empty());
    EXPECT_TRUE(Restored());
}

TEST_F(E2EGuard, TheEndOfTheSessionGivesTheDesktopBack) {
    e2e::TProgram program;
    ASSERT_NO_FATAL_FAILURE(StartOnTheDesktop(program));
    HWND application = program.Window("TApplication");
    ASSERT_NE(application, nullptr);

    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(application, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                                    &answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << "the program refused the end of the session";
    EXPECT_TRUE(Restored()) << "the close query did not give the desktop back: " << DesktopState();

    SendMessageTimeoutA(application, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(10000, exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(Restored());
}

}  // namespace
