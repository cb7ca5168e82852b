#include "AppTestSupport.h"

#include <cstdio>

#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "media/FilterGraph.h"

namespace apptest {

namespace {
// An open key of the current user's hive, closed at the end of the scope.
struct Key {
    HKEY key = nullptr;
    Key(const std::string& path, bool create) {
        if (create)
            RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        else
            RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key);
    }
    ~Key() {
        if (key) RegCloseKey(key);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
};
}  // namespace

void DeleteProgramSettings() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    DeleteValue(kRunKey, kRunValue);
}

bool KeyExists(const std::string& path) { return Key(path, false).key != nullptr; }

void SetStringValue(const std::string& keyPath, const std::string& name, const std::string& value) {
    Key k(keyPath, true);
    ASSERT_NE(k.key, nullptr) << keyPath;
    ASSERT_EQ(RegSetValueExA(k.key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>(value.size() + 1)),
              ERROR_SUCCESS);
}

void SetDwordValue(const std::string& keyPath, const std::string& name, DWORD value) {
    Key k(keyPath, true);
    ASSERT_NE(k.key, nullptr) << keyPath;
    ASSERT_EQ(RegSetValueExA(k.key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)),
              ERROR_SUCCESS);
}

std::optional<std::string> StringValue(const std::string& keyPath, const std::string& name) {
    Key k(keyPath, false);
    if (!k.key) return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(k.key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    std::string text(size, '\0');
    if (RegQueryValueExA(k.key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    text.resize(strnlen(text.c_str(), text.size()));
    return text;
}

void DeleteValue(const std::string& keyPath, const std::string& name) {
    Key k(keyPath, false);
    if (k.key) RegDeleteValueA(k.key, name.c_str());
}

std::vector<std::string> ValueNames(const std::string& keyPath) {
    std::vector<std::string> names;
    Key k(keyPath, false);
    if (!k.key) return names;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD length = sizeof(name);
        if (RegEnumValueA(k.key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

std::string SettingsSection(const std::string& section) { return std::string(kSettingsKey) + "\\" + section; }

bool SamplesAvailable() { return std::string(VORLINDE_SAMPLES_DIR).size() > 0; }

std::string SampleClip(const char* name) {
    std::string path = std::string(VORLINDE_SAMPLES_DIR) + "/" + name;
    if (path.front() == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::wstring SampleClipW(const char* name) {
    const std::string path = SampleClip(name);
    return std::wstring(path.begin(), path.end());  // the build paths are plain ASCII
}

namespace {
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kWallpaperName[] = "Wallpaper";

// Only when it changes: SetSysColors broadcasts the change to every top-level window and waits
// up to 2 s for each thread that does not answer.
void SetDesktopColor(COLORREF color) {
    if (GetSysColor(COLOR_BACKGROUND) == color) return;
    const INT element = COLOR_BACKGROUND;
    SetSysColors(1, &element, &color);
}

void RestoreWallpaperValue(const std::optional<std::string>& value) {
    if (value) SetStringValue(kDesktopKey, kWallpaperName, *value);
    else DeleteValue(kDesktopKey, kWallpaperName);
}
}  // namespace

std::optional<std::string> WallpaperValue() { return StringValue(kDesktopKey, kWallpaperName); }

std::vector<std::string>& RecordedExceptions() {
    static std::vector<std::string> messages;
    return messages;
}

bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        vl::Application->ProcessMessages();
        if (done()) return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    }
}

void PumpMessagesFor(DWORD ms) {
    PumpMessagesUntil([] { return false; }, ms);
}

namespace {
constexpr char kOwnProcessVariable[] = "VORLINDE_TEST_IN_OWN_PROCESS";

struct TOwnedHandle {
    HANDLE handle = nullptr;
    ~TOwnedHandle() {
        if (handle && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};
}  // namespace

namespace {
// Runs the current test once in a child process; -1 when it could not start, -2 when it did
// not end within `timeoutMs` (the child is then ended).
int RunChildOnce(DWORD timeoutMs) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    if (!test) return -1;
    const std::string fullName = std::string(test->test_suite_name()) + "." + test->name();
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string command = "\"" + std::string(exe) + "\" --gtest_filter=" + fullName;
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    TOwnedHandle nul{CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                 OPEN_EXISTING, 0, nullptr)};
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul.handle;
    PROCESS_INFORMATION info{};
    SetEnvironmentVariableA(kOwnProcessVariable, "1");
    const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &info);
    SetEnvironmentVariableA(kOwnProcessVariable, nullptr);
    if (!started) return -1;
    TOwnedHandle process{info.hProcess}, thread{info.hThread};
    const DWORD start = GetTickCount();
    for (;;) {
        vl::Application->ProcessMessages();
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) break;
        const DWORD wait =
            MsgWaitForMultipleObjects(1, &process.handle, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process.handle, &code);
            return static_cast<int>(code);
        }
    }
    TerminateProcess(process.handle, 1);
    WaitForSingleObject(process.handle, 5000);
    return -2;
}
}  // namespace

int RunThisTestInOwnProcess(DWORD timeoutMs) {
    const int code = RunChildOnce(timeoutMs);
    if (code != -2) return code;
    // A child that hangs is run once more, as the test runner does with a test that times
    // out: Wine's DirectShow clock can deadlock when a graph is released. Hanging twice fails.
    std::fprintf(stderr, "the test's own process did not end within %lu ms; running it once more\n", timeoutMs);
    const int again = RunChildOnce(timeoutMs);
    return again == -2 ? -1 : again;
}

bool InOwnTestProcess() { return GetEnvironmentVariableA(kOwnProcessVariable, nullptr, 0) > 0; }

void ProgramTest::SetUp() {
    userWallpaper_ = WallpaperValue();
    userDesktopColor_ = GetSysColor(COLOR_BACKGROUND);
    SetStringValue(kDesktopKey, kWallpaperName, kMarkedWallpaper);
    SetDesktopColor(kMarkedDesktopColor);
    DeleteProgramSettings();
    RecordedExceptions().clear();
    vl::TOpenDialog::ExecuteOverride = nullptr;
}

void ProgramTest::TearDown() {
    // The program stops its graph before its windows go (closing asks CloseQuery first).
    // Destroying the window with the graph still running makes the graph lose its renderer
    // while the splitter's thread still delivers frames, and Wine's renderer can then crash
    // (IReferenceClock::Unadvise on a clock already taken away).
    if (vorlinde::Form1 && vorlinde::Form1->FilterGraph1) vorlinde::Form1->FilterGraph1->Stop();
    delete vorlinde::Form2;
    vorlinde::Form2 = nullptr;
    delete vorlinde::Form1;
    vorlinde::Form1 = nullptr;
    vl::TOpenDialog::ExecuteOverride = nullptr;
    if (vl::Application->Minimized()) vl::Application->Restore();
    vl::Application->SetShowMainForm(true);
    vl::Application->ProcessMessages();
    DeleteProgramSettings();
    // Desktop playback, if any, has ended with the windows and given the desktop back.
    EXPECT_EQ(WallpaperValue(), kMarkedWallpaper);
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), kMarkedDesktopColor);
    RestoreWallpaperValue(userWallpaper_);
    SetDesktopColor(userDesktopColor_);
}

void ProgramTest::CreateMainWindow() {
    vl::Application->CreateForm(vorlinde::Form1);
    ASSERT_EQ(vl::Application->MainForm(), vorlinde::Form1);
}

void ProgramTest::CreateAboutWindow() {
    vl::Application->CreateForm(vorlinde::Form2);
    ASSERT_NE(vorlinde::Form2, nullptr);
}

void ProgramTest::StartWithClips(const std::vector<const char*>& clips) {
    std::vector<std::string> entries;
    for (const char* clip : clips) entries.push_back(SampleClip(clip));
    StorePlaylist(entries);
    CreateMainWindow();
}

void ProgramTest::StorePlaylist(const std::vector<std::string>& entries) {
    const std::string section = SettingsSection("MovieList");
    SetStringValue(section, "Count", std::to_string(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) SetStringValue(section, std::to_string(i + 1), entries[i]);
}

}  // namespace apptest
