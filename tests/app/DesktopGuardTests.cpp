// The desktop guard: its command line, and its run as the guard process does it (here on a
// thread of the test): waiting for the program or the stand-down, then giving the desktop back
// from a record left behind, but never while another start owns the session.
#include <windows.h>

#include <atomic>
#include <thread>

#include "AppTestSupport.h"
#include "app/DesktopGuard.h"
#include "app/SingleInstance.h"
#include "framework/Application.h"
#include "media/DesktopSettings.h"
#include "media/SavedDesktop.h"

namespace {

using vorlinde::GuardArguments;
using vorlinde::ParseGuardArguments;
using vorlinde::TGuardRequest;
using vorlinde::TKernelHandle;

constexpr COLORREF kKey = RGB(16, 0, 16);

TEST(DesktopGuardArguments, AreReadBackAsWritten) {
    const TGuardRequest request{reinterpret_cast<HANDLE>(0x1a4), reinterpret_cast<HANDLE>(0x7f0), 4242};
    EXPECT_EQ(GuardArguments(request), "--desktop-guard 420 2032 4242");
    const auto parsed = ParseGuardArguments(GuardArguments(request).c_str());
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->program, request.program);
    EXPECT_EQ(parsed->standDown, request.standDown);
    EXPECT_EQ(parsed->programId, request.programId);
}

TEST(DesktopGuardArguments, AnythingElseStartsTheProgram) {
    EXPECT_FALSE(ParseGuardArguments(nullptr));
    for (const char* arguments :
         {"", "   ", "--desktop-guardx 1 2 3", "--other 1 2 3", "--desktop-guard", "--desktop-guard 1 2",
          "--desktop-guard 1 2 3 4", "--desktop-guard a 2 3", "--desktop-guard 1 2 3x", "--desktop-guard 0 2 3",
          "--desktop-guard 1 0 3", "--desktop-guard 1 2 0", "--desktop-guard 1 2 -3", "x --desktop-guard 1 2 3"})
        EXPECT_FALSE(ParseGuardArguments(arguments)) << arguments;
    EXPECT_TRUE(ParseGuardArguments("  --desktop-guard 1  2 3 "));
}

// The guard's run on a thread of its own, watching `program` (this process when null).
class TGuardRun {
public:
    explicit TGuardRun(HANDLE program = nullptr, DWORD programId = GetCurrentProcessId()) {
        HANDLE waitOn = nullptr;
        DuplicateHandle(GetCurrentProcess(), program ? program : GetCurrentProcess(), GetCurrentProcess(), &waitOn,
                        SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, 0);
        HANDLE standDown = nullptr;
        DuplicateHandle(GetCurrentProcess(), standDown_.Get(), GetCurrentProcess(), &standDown, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
        thread_ = std::thread([this, request = TGuardRequest{waitOn, standDown, programId}] {
            exitCode_ = vorlinde::RunDesktopGuard(request);
            endedAt_ = GetTickCount();
            SetEvent(ended_.Get());
        });
    }
    ~TGuardRun() {
        StandDown();
        thread_.join();
    }
    TGuardRun(const TGuardRun&) = delete;
    TGuardRun& operator=(const TGuardRun&) = delete;

    void StandDown() { SetEvent(standDown_.Get()); }
    // The guard's exit code once it ended within `ms`, else -1. Messages are answered while
    // it runs: its desktop changes are broadcast to this thread's windows too.
    int WaitForEnd(DWORD ms) {
        const DWORD start = GetTickCount();
        HANDLE ended = ended_.Get();
        for (;;) {
            vl::Application->ProcessMessages();
            if (WaitForSingleObject(ended, 0) == WAIT_OBJECT_0) return exitCode_;
            const DWORD elapsed = GetTickCount() - start;
            if (elapsed >= ms) return -1;
            MsgWaitForMultipleObjects(1, &ended, FALSE, ms - elapsed, QS_ALLINPUT);
        }
    }
    DWORD EndedAt() const { return endedAt_; }

private:
    TKernelHandle standDown_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    TKernelHandle ended_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<int> exitCode_{-1};
    std::atomic<DWORD> endedAt_{0};
    std::thread thread_;
};

class DesktopGuard : public apptest::ProgramTest {
protected:
    // A program that died on the desktop: the video's settings on the desktop, the marked ones
    // in the record.
    static void LeaveTakenDesktop() {
        vorlinde::WriteSavedDesktop({kMarkedWallpaper, kMarkedDesktopColor});
        apptest::SetStringValue("Control Panel\\Desktop", "Wallpaper", "");
        vorlinde::SetDesktopColor(kKey);
    }
    static bool RecordLeft() { return vorlinde::ReadSavedDesktop().has_value(); }
};

TEST_F(DesktopGuard, ARequestForAnotherProcessIsRefusedAtOnce) {
    LeaveTakenDesktop();
    TGuardRun guard(nullptr, GetCurrentProcessId() + 4);
    EXPECT_EQ(guard.WaitForEnd(500), vorlinde::kGuardBadRequest);
    EXPECT_TRUE(RecordLeft());
    vorlinde::RestoreSavedDesktop();
}

TEST_F(DesktopGuard, WaitsWhileTheProgramRuns) {
    LeaveTakenDesktop();
    TGuardRun guard;
    EXPECT_EQ(guard.WaitForEnd(200), -1);
    EXPECT_TRUE(RecordLeft());
    EXPECT_EQ(apptest::WallpaperValue(), "");
    guard.StandDown();
    EXPECT_EQ(guard.WaitForEnd(2000), vorlinde::kGuardDone);
}

TEST_F(DesktopGuard, StandingDownWithARecordLeftGivesTheDesktopBack) {
    LeaveTakenDesktop();
    TGuardRun guard;
    guard.StandDown();
    EXPECT_EQ(guard.WaitForEnd(2000), vorlinde::kGuardDone);
    EXPECT_FALSE(RecordLeft());
    EXPECT_EQ(apptest::WallpaperValue(), kMarkedWallpaper);
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), kMarkedDesktopColor);
}

TEST_F(DesktopGuard, StandingDownWithoutARecordTouchesNothing) {
    apptest::SetStringValue("Control Panel\\Desktop", "Wallpaper", "C:\\changed.bmp");
    TGuardRun guard;
    guard.StandDown();
    EXPECT_EQ(guard.WaitForEnd(2000), vorlinde::kGuardDone);
    EXPECT_EQ(apptest::WallpaperValue(), "C:\\changed.bmp");
    apptest::SetStringValue("Control Panel\\Desktop", "Wallpaper", kMarkedWallpaper);
}

TEST_F(DesktopGuard, LeavesTheDesktopToANewStartThatOwnsTheSession) {
    LeaveTakenDesktop();
    vorlinde::TInstanceLock newStart;
    ASSERT_TRUE(newStart.Wait(0));
    TGuardRun guard;
    guard.StandDown();
    const DWORD start = GetTickCount();
    EXPECT_EQ(guard.WaitForEnd(3000), vorlinde::kGuardDone);
    EXPECT_LT(guard.EndedAt() - start, 1500u) << "the guard outlived the program by too much";
    EXPECT_TRUE(RecordLeft());
    EXPECT_EQ(apptest::WallpaperValue(), "");
    newStart.Release();
    vorlinde::RestoreSavedDesktop();
}

TEST_F(DesktopGuard, TheProgramsEndWakesTheGuard) {
    // A short-lived process stands in for the program: this test executable listing nothing.
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string command = "\"" + std::string(exe) + "\" --gtest_filter=NoSuchTest.None";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                               &startup, &info));
    const TKernelHandle process(info.hProcess), thread(info.hThread);
    LeaveTakenDesktop();
    TGuardRun guard(process.Get(), info.dwProcessId);
    EXPECT_EQ(guard.WaitForEnd(100), -1);
    ResumeThread(thread.Get());
    EXPECT_EQ(guard.WaitForEnd(10000), vorlinde::kGuardDone);
    EXPECT_FALSE(RecordLeft());
    EXPECT_EQ(apptest::WallpaperValue(), kMarkedWallpaper);
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), kMarkedDesktopColor);
}

TEST(DesktopGuardStart, AGuardThatCannotStartLeavesTheProgramUnguarded) {
    vorlinde::TDesktopGuard guard = vorlinde::TDesktopGuard::Start("C:\\no\\such\\vorlinde.exe");
    EXPECT_FALSE(guard.Running());
    EXPECT_EQ(guard.ProcessId(), 0u);
    guard.StandDown();
}

}  // namespace
