// The guard process's run (see app/DesktopGuard.h). It uses nothing of the windowing
// framework: no window, no message loop, only the record and the two desktop settings.
#include <exception>

#include "app/DesktopGuard.h"
#include "app/SingleInstance.h"
#include "media/SavedDesktop.h"

namespace vorlinde {

namespace {

// How long the guard waits for the instance lock once the program is gone. A program that was
// killed leaves it free at once; a lock still held after this belongs to a new start, which
// gives the desktop back itself.
constexpr DWORD kLockWaitMs = 500;

}  // namespace

int RunDesktopGuard(const TGuardRequest& request) {
    const TKernelHandle program(request.program);
    const TKernelHandle standDown(request.standDown);
    if (GetProcessId(program.Get()) != request.programId) return kGuardBadRequest;
    // A guard that fails must not bother the user with a crash dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);

    const HANDLE waits[] = {program.Get(), standDown.Get()};
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_FAILED) return kGuardBadRequest;

    TInstanceLock lock;
    if (lock.Valid() && !lock.Wait(kLockWaitMs)) return kGuardDone;
    try {
        RestoreSavedDesktop();
    } catch (...) {
        // Out of memory while reading the record: the program's next start tries again.
    }
    return kGuardDone;
}

}  // namespace vorlinde
