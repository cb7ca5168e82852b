// The lock of objects made and destroyed per change of file: contended and destroyed again and
// again, it leaves no kernel object behind, and its owner may take it again.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "framework/Locks.h"

namespace {

// The process's live handles: Wine answers GetProcessHandleCount with 0, so the handle values
// the system can tell the flags of are counted. A handle takes the lowest free value, and this
// process has few: the first 2,048 values hold them all (a wider scan costs seconds under Wine).
int LiveHandles() {
    int count = 0;
    for (ULONG_PTR value = 4; value < 0x2000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    }
    return count;
}

// Makes `rounds` locks one after another; for each, a second thread blocks on it while this one
// holds it (a contended lock), then the lock is destroyed. Returns the growth in live handles.
template <typename Lock>
int HandleGrowthOverContendedLocks(int rounds) {
    HANDLE go = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::unique_ptr<Lock> lock;
    std::atomic<bool> quit{false};
    std::thread other([&] {
        while (WaitForSingleObject(go, INFINITE) == WAIT_OBJECT_0 && !quit) {
            lock->lock();
            lock->unlock();
            SetEvent(done);
        }
    });
    // Settles the thread's own start-up before counting.
    lock = std::make_unique<Lock>();
    SetEvent(go);
    WaitForSingleObject(done, INFINITE);
    const int before = LiveHandles();
    for (int round = 0; round < rounds; ++round) {
        lock = std::make_unique<Lock>();
        lock->lock();
        SetEvent(go);
        Sleep(2);  // the other thread is now waiting for the lock
        lock->unlock();
        WaitForSingleObject(done, INFINITE);
    }
    lock.reset();
    const int after = LiveHandles();
    quit = true;
    SetEvent(go);
    other.join();
    CloseHandle(go);
    CloseHandle(done);
    return after - before;
}

TEST(RecursiveLock, ContendedAndDestroyedLeavesNoHandleBehind) {
    EXPECT_EQ(HandleGrowthOverContendedLocks<vl::TRecursiveLock>(20), 0);
}

TEST(RecursiveLock, IsTakenAgainByItsOwnerOnly) {
    vl::TRecursiveLock lock;
    lock.lock();
    EXPECT_TRUE(lock.try_lock());
    bool otherGotIt = true;
    std::thread([&] { otherGotIt = lock.try_lock(); }).join();
    EXPECT_FALSE(otherGotIt);
    lock.unlock();
    lock.unlock();
    std::thread([&] {
        otherGotIt = lock.try_lock();
        if (otherGotIt) lock.unlock();
    }).join();
    EXPECT_TRUE(otherGotIt);
}

}  // namespace
