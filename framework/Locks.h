#pragma once
// A recursive lock for objects that are made and destroyed again and again while threads contend
// for them (a filter, per change of file). It satisfies the standard Lockable requirements, so
// std::lock_guard and std::unique_lock take it.
//
// std::recursive_mutex is not used for such objects: with MinGW's POSIX thread model it is a
// winpthreads mutex, which creates a kernel event the first time two threads contend for it, and
// libstdc++ destroys it without pthread_mutex_destroy, so every contended one that is destroyed
// leaves its event behind. A critical section releases whatever it made when it is deleted.
#include <windows.h>

namespace vl {

class TRecursiveLock {
public:
    TRecursiveLock() noexcept { InitializeCriticalSection(&section_); }
    ~TRecursiveLock() { DeleteCriticalSection(&section_); }
    TRecursiveLock(const TRecursiveLock&) = delete;
    TRecursiveLock& operator=(const TRecursiveLock&) = delete;

    void lock() noexcept { EnterCriticalSection(&section_); }
    bool try_lock() noexcept { return TryEnterCriticalSection(&section_) != 0; }
    void unlock() noexcept { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION section_;
};

}  // namespace vl
