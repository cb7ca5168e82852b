// The program's side of the desktop guard: the guard's command line, starting it, and
// standing it down at the program's normal end.
#include "app/DesktopGuard.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string_view>
#include <vector>

namespace vorlinde {

namespace {

std::string HandleText(HANDLE handle) { return std::to_string(reinterpret_cast<uintptr_t>(handle)); }

// The next space-separated word of `text`, taken off its front.
std::string_view NextWord(std::string_view& text) {
    const size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) {
        text = {};
        return {};
    }
    text.remove_prefix(begin);
    const size_t end = std::min(text.find(' '), text.size());
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

template <class T>
bool ParseNumber(std::string_view word, T& value) {
    const auto [stop, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return !word.empty() && error == std::errc() && stop == word.data() + word.size();
}

std::string OwnExecutable() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return std::string(path.data(), length);
        path.resize(path.size() * 2);
    }
}

// A handle the guard process inherits.
HANDLE Inheritable(HANDLE handle) {
    if (handle) SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    return handle;
}

}  // namespace

std::string GuardArguments(const TGuardRequest& request) {
    return std::string(kGuardSwitch) + " " + HandleText(request.program) + " " + HandleText(request.standDown) + " " +
           std::to_string(request.programId);
}

std::optional<TGuardRequest> ParseGuardArguments(const char* arguments) {
    if (!arguments) return std::nullopt;
    std::string_view text(arguments);
    if (NextWord(text) != kGuardSwitch) return std::nullopt;
    uintptr_t program = 0, standDown = 0;
    DWORD programId = 0;
    if (!ParseNumber(NextWord(text), program) || !ParseNumber(NextWord(text), standDown) ||
        !ParseNumber(NextWord(text), programId) || !NextWord(text).empty())
        return std::nullopt;
    if (program == 0 || standDown == 0 || programId == 0) return std::nullopt;
    return TGuardRequest{reinterpret_cast<HANDLE>(program), reinterpret_cast<HANDLE>(standDown), programId};
}

TDesktopGuard& TDesktopGuard::operator=(TDesktopGuard&& other) noexcept {
    if (this != &other) {
        StandDown();
        process_ = std::move(other.process_);
        standDown_ = std::move(other.standDown_);
    }
    return *this;
}

TDesktopGuard TDesktopGuard::Start(const std::string& exePath) {
    TDesktopGuard guard;
    const std::string exe = exePath.empty() ? OwnExecutable() : exePath;
    HANDLE self = nullptr;
    // The guard's own copy of this process's handle, for waiting only.
    if (exe.empty() || !DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                                        SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, 0))
        return guard;
    const TKernelHandle program(self);
    TKernelHandle standDown(Inheritable(CreateEventA(nullptr, TRUE, FALSE, nullptr)));
    if (!standDown) return guard;

    const TGuardRequest request{program.Get(), standDown.Get(), GetCurrentProcessId()};
    std::string commandLine = "\"" + exe + "\" " + GuardArguments(request);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    // No busy cursor for a program that never opens a window.
    startup.dwFlags = STARTF_FORCEOFFFEEDBACK | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info{};
    // Out of the program's job when it may leave it, so that a job ending with the program
    // does not take the guard along; a job that forbids it keeps both.
    BOOL started = CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_BREAKAWAY_FROM_JOB,
                                  nullptr, nullptr, &startup, &info);
    if (!started)
        started = CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                 &startup, &info);
    // Later processes of the program do not inherit the event.
    SetHandleInformation(standDown.Get(), HANDLE_FLAG_INHERIT, 0);
    if (!started) return guard;
    CloseHandle(info.hThread);
    guard.process_.Reset(info.hProcess);
    guard.standDown_ = std::move(standDown);
    return guard;
}

bool TDesktopGuard::Running() const { return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }

void TDesktopGuard::StandDown(DWORD ms) {
    if (standDown_) SetEvent(standDown_.Get());
    if (process_) WaitForSingleObject(process_.Get(), ms);
    process_.Reset();
    standDown_.Reset();
}

}  // namespace vorlinde
