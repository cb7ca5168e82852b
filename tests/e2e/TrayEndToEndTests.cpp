// vorlinde.exe driven through its tray icon as the shell drives it: notifications posted to the
// tray icon's hidden window, keys sent to the tray menu while it is open.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr char kSettingsKey[] = "SOFTWARE\\Vorlinde";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// The tray icon's callback message, and the identifier of the program's one tray icon (the
// first the process creates).
constexpr UINT kTrayCallbackMessage = WM_USER + 1024;
constexpr WPARAM kTrayIconId = 1;

// A build-machine path as Wine reaches it (drive Z:).
std::string WindowsPath(std::string path) {
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

void StorePlaylist(const std::string& file) {
    HKEY key = nullptr;
    const std::string path = std::string(kSettingsKey) + "\\MovieList";
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    auto set = [key](const char* name, const std::string& value) {
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    };
    set("Count", "1");
    set("1", file);
    RegCloseKey(key);
}

// Waits up to `ms` for `found` to give a window.
HWND WaitForWindow(const std::function<HWND()>& found, DWORD ms) {
    const DWORD start = GetTickCount();
    HWND window = nullptr;
    while (!(window = found()) && GetTickCount() - start < ms) Sleep(50);
    return window;
}

HWND ShownWindow(const char* className, const char* title) {
    HWND window = FindWindowA(className, title);
    return window && IsWindowVisible(window) ? window : nullptr;
}

class Program {
public:
    Program() {
        const std::string path = WindowsPath(VORLINDE_EXE);
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        std::string commandLine = "\"" + path + "\"";
        started_ = CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &info_) != FALSE;
    }
    ~Program() {
        if (!started_) return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 99);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return started_; }
    bool WaitForExit(DWORD ms, DWORD& exitCode) {
        if (WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0) return false;
        return GetExitCodeProcess(info_.hProcess, &exitCode) != FALSE;
    }
    // The tray icon's hidden window of this process.
    HWND TrayWindow() const {
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, "TTrayIconHandler", nullptr))) {
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == info_.dwProcessId) return window;
        }
        return nullptr;
    }

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

class E2ETray : public testing::Test {
protected:
    void SetUp() override { DeleteProgramSettings(); }
    void TearDown() override { DeleteProgramSettings(); }
};

TEST_F(E2ETray, ExitInTheTrayMenuEndsTheProgram) {
    Program program;
    ASSERT_TRUE(program.Started());
    ASSERT_NE(WaitForWindow([] { return ShownWindow("TForm1", "Vorlinde"); }, 15000), nullptr);
    HWND tray = program.TrayWindow();
    ASSERT_NE(tray, nullptr);

    PostMessageA(tray, kTrayCallbackMessage, kTrayIconId, WM_RBUTTONDOWN);
    HWND menu = WaitForWindow([] { return ShownWindow("#32768", nullptr); }, 5000);
    ASSERT_NE(menu, nullptr) << "the tray menu did not open";
    // Up from no selection reaches the last item, "&Exit".
    PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);

    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(10000, exitCode)) << "the program did not end";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(IsWindow(tray));
}

TEST_F(E2ETray, LeftClickShowsTheHiddenMainWindow) {
    if (std::string(VORLINDE_SAMPLES_DIR).empty()) GTEST_SKIP() << "no sample movies";
    StorePlaylist(WindowsPath(std::string(VORLINDE_SAMPLES_DIR) + "/red.mpg"));
    Program program;
    ASSERT_TRUE(program.Started());
    HWND tray = WaitForWindow([&program] { return program.TrayWindow(); }, 15000);
    ASSERT_NE(tray, nullptr);
    // Started with a playlist, the program stays in the tray.
    Sleep(1000);
    ASSERT_EQ(ShownWindow("TForm1", "Vorlinde"), nullptr);

    PostMessageA(tray, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDOWN);
    PostMessageA(tray, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONUP);
    HWND window = WaitForWindow([] { return ShownWindow("TForm1", "Vorlinde"); }, 5000);
    ASSERT_NE(window, nullptr) << "the main window did not appear";

    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(10000, exitCode)) << "the program did not end";
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
