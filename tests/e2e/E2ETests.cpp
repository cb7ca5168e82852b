// Starts vorlinde.exe with no settings, waits for its main window, closes it and checks that
// the program ends cleanly.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char kSettingsKey[] = "SOFTWARE\\Vorlinde";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// VORLINDE_EXE is a build-machine path; under Wine a Unix path is reached through drive Z:.
std::string ProgramPath() {
    std::string path = VORLINDE_EXE;
    if (!path.empty() && path.front() == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

void DeleteProgramSettings() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    HKEY run = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
        RegDeleteValueA(run, "Vorlinde");
        RegCloseKey(run);
    }
}

// The program's main window: window class "TForm1", caption "Vorlinde", visible.
HWND FindShownMainWindow() {
    HWND window = FindWindowA("TForm1", "Vorlinde");
    return window && IsWindowVisible(window) ? window : nullptr;
}

class Process {
public:
    explicit Process(const std::string& path) {
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        std::string commandLine = "\"" + path + "\"";
        started_ = CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &info_) != FALSE;
    }
    ~Process() {
        if (!started_) return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 99);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return started_; }
    // True when the process ended within `ms`; `exitCode` then holds its code.
    bool WaitForExit(DWORD ms, DWORD& exitCode) {
        if (WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0) return false;
        return GetExitCodeProcess(info_.hProcess, &exitCode) != FALSE;
    }

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

class E2EStartAndClose : public testing::Test {
protected:
    void SetUp() override { DeleteProgramSettings(); }
    void TearDown() override { DeleteProgramSettings(); }
};

TEST_F(E2EStartAndClose, EmptyPlaylistShowsTheWindowAndClosesCleanly) {
    Process program(ProgramPath());
    ASSERT_TRUE(program.Started()) << ProgramPath();

    HWND window = nullptr;
    const DWORD start = GetTickCount();
    while (!(window = FindShownMainWindow()) && GetTickCount() - start < 15000) Sleep(50);
    ASSERT_NE(window, nullptr) << "the main window did not appear";

    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(5000, exitCode)) << "the program did not end";
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
