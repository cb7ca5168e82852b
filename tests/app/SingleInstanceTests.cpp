// One Vorlinde per session: the instance lock, a start that claims the session or finds it
// taken, and the running program's main window answering a second start.
#include <windows.h>

#include <atomic>
#include <thread>

#include "AppTestSupport.h"
#include "app/MainForm.h"
#include "app/SingleInstance.h"

namespace {

using vorlinde::ClaimSession;
using vorlinde::TInstanceLock;
using vorlinde::TShowSettingsAnswer;

// Another thread that owns the session's lock from its start until Free (or its end).
class TLockHolder {
public:
    explicit TLockHolder(DWORD holdMs = INFINITE) {
        thread_ = std::thread([this, holdMs] {
            TInstanceLock lock;
            owned_ = lock.Wait(0);
            ready_ = true;
            WaitForSingleObject(free_.Get(), holdMs);
        });
        while (!ready_) Sleep(1);
    }
    ~TLockHolder() {
        Free();
        thread_.join();
    }
    TLockHolder(const TLockHolder&) = delete;
    TLockHolder& operator=(const TLockHolder&) = delete;
    bool Owned() const { return owned_; }
    void Free() { SetEvent(free_.Get()); }

private:
    vorlinde::TKernelHandle free_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<bool> ready_{false}, owned_{false};
    std::thread thread_;
};

TEST(InstanceLock, HasOneOwnerAtATime) {
    TInstanceLock lock;
    ASSERT_TRUE(lock.Valid());
    {
        TLockHolder holder;
        ASSERT_TRUE(holder.Owned());
        EXPECT_FALSE(lock.Wait(0));
        EXPECT_FALSE(lock.Owned());
    }
    EXPECT_TRUE(lock.Wait(0));
    EXPECT_TRUE(lock.Owned());
    lock.Release();
    EXPECT_FALSE(lock.Owned());
    EXPECT_FALSE(lock.Valid());
}

TEST(InstanceLock, ALockLeftByAThreadThatEndedIsFree) {
    HANDLE left = nullptr;
    std::thread([&left] {
        left = CreateMutexA(nullptr, FALSE, vorlinde::kInstanceLockName);
        WaitForSingleObject(left, 0);  // owned, never released
    }).join();
    TInstanceLock lock;
    EXPECT_TRUE(lock.Wait(0));
    lock.Release();
    CloseHandle(left);
}

TEST(InstanceClaim, AFreeSessionIsClaimedAtOnce) {
    TInstanceLock lock;
    const DWORD start = GetTickCount();
    EXPECT_TRUE(ClaimSession(lock, 5000));
    EXPECT_TRUE(lock.Owned());
    EXPECT_LT(GetTickCount() - start, 200u);
}

TEST(InstanceClaim, ASessionHeldWithoutAnAnswerIsGivenUpAfterItsTime) {
    TLockHolder holder;
    TInstanceLock lock;
    const DWORD start = GetTickCount();
    EXPECT_FALSE(ClaimSession(lock, 300));
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 290u);
    EXPECT_LT(elapsed, 1000u);
    EXPECT_FALSE(lock.Owned());
}

TEST(InstanceClaim, ALockThatComesFreeIsClaimed) {
    // The guard of a program that died holds the lock while it gives the desktop back.
    TLockHolder holder(200);
    TInstanceLock lock;
    EXPECT_TRUE(ClaimSession(lock, 5000));
    EXPECT_TRUE(lock.Owned());
}

class InstanceAnswer : public apptest::ProgramTest {};

TEST_F(InstanceAnswer, TheRunningMainWindowAnswersAndThenShowsItsSettings) {
    CreateMainWindow();
    int shown = 0;
    const TShowSettingsAnswer answer(*vorlinde::Form1, [&shown] { ++shown; });
    TInstanceLock running;
    ASSERT_TRUE(running.Wait(0));

    // A second start, on another thread, while this one runs its message loop.
    std::atomic<int> claimed{-1};
    std::thread second([&claimed] {
        TInstanceLock lock;
        claimed = ClaimSession(lock, 5000) ? 1 : 0;
    });
    const DWORD start = GetTickCount();
    EXPECT_TRUE(apptest::PumpMessagesUntil([&] { return claimed != -1 && shown > 0; }, 5000));
    second.join();
    EXPECT_EQ(claimed, 0) << "the second start took the session";
    EXPECT_EQ(shown, 1);
    EXPECT_LT(GetTickCount() - start, 2000u);
}

TEST_F(InstanceAnswer, AMainWindowWithoutTheAnswerIsNotTakenForTheProgram) {
    CreateMainWindow();
    EXPECT_FALSE(vorlinde::AskRunningProgramToShowSettings());
    int shown = 0;
    {
        const TShowSettingsAnswer answer(*vorlinde::Form1, [&shown] { ++shown; });
        EXPECT_TRUE(vorlinde::AskRunningProgramToShowSettings());
    }
    // Gone with its object: the request is no longer answered.
    EXPECT_FALSE(vorlinde::AskRunningProgramToShowSettings());
    apptest::PumpMessagesFor(50);
    EXPECT_EQ(shown, 0);
}

TEST_F(InstanceAnswer, TheSettingsShowFromTheWindowsOwnQueueNotInsideTheRequest) {
    CreateMainWindow();
    int shown = 0;
    const TShowSettingsAnswer answer(*vorlinde::Form1, [&shown] { ++shown; });
    EXPECT_TRUE(vorlinde::AskRunningProgramToShowSettings());
    EXPECT_EQ(shown, 0);
    EXPECT_TRUE(apptest::PumpMessagesUntil([&shown] { return shown == 1; }, 1000));
}

}  // namespace
