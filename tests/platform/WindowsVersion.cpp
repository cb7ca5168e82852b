#include "WindowsVersion.h"

#include <windows.h>

#include <versionhelpers.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "OverlayTestSupport.h"

namespace vorlinde::platform::test {

namespace {

constexpr char kChildVariable[] = "VORLINDE_TEST_AS_WINDOWS10";
constexpr DWORD kChildTimeoutMs = 60000;

bool UnderWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

std::string ProgramPath() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

// This program's Wine version setting, for the object's life; whatever was there before comes back.
class TWineVersionSetting {
public:
    explicit TWineVersionSetting(const char* version) {
        const std::string path = ProgramPath();
        const std::string key = "Software\\Wine\\AppDefaults\\" + path.substr(path.find_last_of("\\/") + 1);
        DWORD disposition = 0;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_,
                            &disposition) != ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        created_ = disposition == REG_CREATED_NEW_KEY;
        keyPath_ = key;
        char old[64];
        DWORD size = sizeof old;
        DWORD type = 0;
        if (RegQueryValueExA(key_, "Version", nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS &&
            type == REG_SZ) {
            hadOld_ = true;
            old_.assign(old, size ? size - 1 : 0);
        }
        RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       static_cast<DWORD>(std::strlen(version) + 1));
    }
    ~TWineVersionSetting() {
        if (!key_) return;
        if (hadOld_) {
            RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                           static_cast<DWORD>(old_.size() + 1));
        } else {
            RegDeleteValueA(key_, "Version");
        }
        RegCloseKey(key_);
        if (created_) RegDeleteKeyA(HKEY_CURRENT_USER, keyPath_.c_str());
    }
    TWineVersionSetting(const TWineVersionSetting&) = delete;
    TWineVersionSetting& operator=(const TWineVersionSetting&) = delete;
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
    std::string keyPath_;
    bool created_ = false;
    bool hadOld_ = false;
    std::string old_;
};

HANDLE Inheritable(DWORD which) {
    HANDLE copy = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetStdHandle(which), GetCurrentProcess(), &copy, 0, TRUE,
                    DUPLICATE_SAME_ACCESS);
    return copy;
}

// Runs this program for the current test only, with its output going where ours goes; the
// exit code, or -1 when it could not be run or did not end.
int RunCurrentTestAgain() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string command = "\"" + ProgramPath() + "\" --gtest_filter=" + test->test_suite_name() + "." +
                                test->name();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = Inheritable(STD_OUTPUT_HANDLE);
    startup.hStdError = Inheritable(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    SetEnvironmentVariableA(kChildVariable, "1");
    std::string mutableCommand = command;
    const BOOL started = CreateProcessA(nullptr, mutableCommand.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    if (startup.hStdOutput) CloseHandle(startup.hStdOutput);
    if (startup.hStdError) CloseHandle(startup.hStdError);
    if (!started) return -1;
    // Messages are handled while waiting: a broadcast of the other process waits for every
    // top-level window of this one.
    const bool ended = PumpUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; },
                                 kChildTimeoutMs);
    if (!ended) TerminateProcess(process.hProcess, 1);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended ? static_cast<int>(code) : -1;
}

}  // namespace

bool RunAsWindows10() {
    if (!UnderWine()) return false;
    char child[4] = "";
    if (GetEnvironmentVariableA(kChildVariable, child, sizeof child) && std::string(child) == "1") {
        EXPECT_TRUE(IsWindows8OrGreater()) << "this process was to be told Windows 10";
        return false;
    }
    TWineVersionSetting version("win10");
    EXPECT_TRUE(version) << "cannot set this program's Windows version for Wine";
    if (!version) return true;
    const int code = RunCurrentTestAgain();
    EXPECT_EQ(code, 0) << "the test failed in its Windows 10 process (its output is above)";
    return true;
}

}  // namespace vorlinde::platform::test
