#include "app/SingleInstance.h"

#include <utility>

#include "framework/Control.h"

namespace vorlinde {

namespace {

constexpr char kMainWindowClass[] = "TForm1";
constexpr char kShowSettingsName[] = "Vorlinde.ShowSettings";
// wParam of the request as the other process sends it, and as the window posts it to itself.
constexpr WPARAM kRequested = 0;
constexpr WPARAM kShowNow = 1;
// How long a second start waits for one main window's answer, and between two looks.
constexpr UINT kAnswerTimeoutMs = 2000;
constexpr DWORD kPollMs = 100;

}  // namespace

TInstanceLock::TInstanceLock() : mutex_(CreateMutexA(nullptr, FALSE, kInstanceLockName)) {}

bool TInstanceLock::Wait(DWORD ms) {
    if (owned_) return true;
    if (!mutex_) return false;
    const DWORD result = WaitForSingleObject(mutex_.Get(), ms);
    owned_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    return owned_;
}

void TInstanceLock::Release() {
    if (owned_) ReleaseMutex(mutex_.Get());
    owned_ = false;
    mutex_.Reset();
}

bool ClaimSession(TInstanceLock& lock, DWORD ms) {
    if (!lock.Valid()) return true;
    const DWORD start = GetTickCount();
    while (!lock.Wait(kPollMs)) {
        if (AskRunningProgramToShowSettings()) return false;
        if (GetTickCount() - start >= ms) return false;
    }
    return true;
}

UINT ShowSettingsMessage() {
    static const UINT message = RegisterWindowMessageA(kShowSettingsName);
    return message;
}

bool AskRunningProgramToShowSettings() {
    const UINT message = ShowSettingsMessage();
    if (!message) return false;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, kMainWindowClass, nullptr));) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        // The user started this copy, so it may hand the foreground to the one that shows.
        AllowSetForegroundWindow(processId);
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(window, message, kRequested, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerTimeoutMs,
                                &answer) &&
            static_cast<LRESULT>(answer) == kShowSettingsAnswer)
            return true;
    }
    return false;
}

TShowSettingsAnswer::TShowSettingsAnswer(vl::TWinControl& mainWindow, std::function<void()> show)
    : window_(mainWindow), show_(std::move(show)) {
    // A main window that stays hidden from the start would otherwise have no window to find.
    window_.HandleNeeded();
    const UINT message = ShowSettingsMessage();
    hook_ = window_.AddWindowHook([this, message](vl::TMessage& msg) {
        if (!message || msg.msg != message) return false;
        if (msg.wParam == kShowNow) {
            if (show_) show_();
        } else {
            PostMessageA(msg.hwnd, message, kShowNow, 0);
            msg.result = kShowSettingsAnswer;
        }
        return true;
    });
}

TShowSettingsAnswer::~TShowSettingsAnswer() { window_.RemoveWindowHook(hook_); }

}  // namespace vorlinde
