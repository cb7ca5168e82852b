// One Vorlinde per session: a second start brings the running one's settings window forward
// and ends without touching the desktop; a record left by a run that died is given back at the
// next start and never taken for the user's desktop.
#include <windows.h>

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
    EXPECT_TRUE(e2e::WaitUntil([shown] { return GetForegroundWindow() == shown; }, 2000))
        << "the settings window did not come forward";
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

// A running Vorlinde as a second start sees it: the session's instance lock held and a main
// window ("TForm1") that answers the request to show its settings window. Requests are
// answered while Pump runs.
class TRunningStandIn {
public:
    TRunningStandIn() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TForm1";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, "TForm1", "Vorlinde", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                                  nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TRunningStandIn() {
        DestroyWindow(window_);
        UnregisterClassA("TForm1", GetModuleHandleA(nullptr));
        if (lock_) {
            ReleaseMutex(lock_);
            CloseHandle(lock_);
        }
    }
    TRunningStandIn(const TRunningStandIn&) = delete;
    TRunningStandIn& operator=(const TRunningStandIn&) = delete;

    bool Ready() const { return window_ && lock_ && WaitForSingleObject(lock_, 0) == WAIT_OBJECT_0; }
    int Requests() const { return requests_; }
    // Answers messages until `process` ends or `ms` pass; true when it ended.
    static bool Pump(HANDLE process, DWORD ms) {
        const DWORD start = GetTickCount();
        for (;;) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return true;
            const DWORD elapsed = GetTickCount() - start;
            if (elapsed >= ms) return false;
            MsgWaitForMultipleObjects(1, &process, FALSE, ms - elapsed, QS_ALLINPUT);
        }
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        static const UINT request = RegisterWindowMessageA("Vorlinde.ShowSettings");
        auto* self = reinterpret_cast<TRunningStandIn*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && msg == request) {
            ++self->requests_;
            return 0x564C4E44;  // "the settings window will show"
        }
        return DefWindowProcA(window, msg, wParam, lParam);
    }

    HANDLE lock_ = CreateMutexA(nullptr, TRUE, "Local\\Vorlinde.Instance");
    HWND window_ = nullptr;
    int requests_ = 0;
};

TEST_F(E2ESingleInstance, ASecondStartLeavesTheRunningOnesDesktopAndRecordAlone) {
    // The running one plays on the desktop: the video's settings on it, the user's in the
    // record. A start that touched either would put the user's back under the running one.
    e2e::StorePlaylist({e2e::SampleClip("red.mpg")});
    TMarkedDesktop::TakeForVideo();
    e2e::WriteSavedDesktop(TMarkedDesktop::kWallpaper, TMarkedDesktop::kColour);
    TRunningStandIn running;
    ASSERT_TRUE(running.Ready());

    e2e::TProgram second;
    ASSERT_TRUE(second.Started());
    const DWORD start = GetTickCount();
    ASSERT_TRUE(TRunningStandIn::Pump(second.Handle(), 5000)) << "the second start did not end";
    const int endedMs = static_cast<int>(GetTickCount() - start);
    DWORD exitCode = 1234;
    ASSERT_TRUE(second.WaitForExit(0, exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(running.Requests(), 1);
    EXPECT_TRUE(TMarkedDesktop::TakenForVideo()) << "the second start touched the desktop";
    EXPECT_EQ(e2e::SavedDesktop(), e2e::MarkedRecord()) << "the second start touched the record";
    RecordProperty("SecondStartEndedAfterMs", endedMs);
}

}  // namespace
