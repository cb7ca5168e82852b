#include "E2ESupport.h"

namespace e2e {

std::string WindowsPath(std::string path) {
    if (!path.empty() && path.front() == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

bool SamplesAvailable() { return !std::string(VORLINDE_SAMPLES_DIR).empty(); }

std::string SampleClip(const char* name) {
    return SamplesAvailable() ? WindowsPath(std::string(VORLINDE_SAMPLES_DIR) + "/" + name) : std::string();
}

void DeleteProgramSettings() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    HKEY run = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_SET_VALUE,
                      &run) == ERROR_SUCCESS) {
        RegDeleteValueA(run, "Vorlinde");
        RegCloseKey(run);
    }
}

void StorePlaylist(const std::vector<std::string>& files) {
    HKEY key = nullptr;
    const std::string path = std::string(kSettingsKey) + "\\MovieList";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    auto set = [key](const std::string& name, const std::string& value) {
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    };
    set("Count", std::to_string(files.size()));
    for (size_t i = 0; i < files.size(); ++i) set(std::to_string(i + 1), files[i]);
    RegCloseKey(key);
}

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

TProgram::TProgram() {
    const std::string path = WindowsPath(VORLINDE_EXE);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + path + "\"";
    started_ = CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &info_) != FALSE;
}

TProgram::~TProgram() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool TProgram::WaitForExit(DWORD ms, DWORD& exitCode) {
    if (WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(info_.hProcess, &exitCode) != FALSE;
}

HWND TProgram::Window(const char* className) const {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, nullptr))) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid == info_.dwProcessId) return window;
    }
    return nullptr;
}

}  // namespace e2e
