#include "E2ESupport.h"

#include <tlhelp32.h>

#include <cstdio>

#include "tests/support/ClipColours.h"

namespace e2e {

namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kWallpaperName[] = "Wallpaper";
constexpr COLORREF kColourKey = RGB(16, 0, 16);

void SetWallpaperValue(const std::optional<std::string>& value) {
    if (value)
        RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, kWallpaperName, REG_SZ, value->c_str(),
                        static_cast<DWORD>(value->size() + 1));
    else
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, kWallpaperName);
}

void SetDesktopColour(COLORREF colour) {
    const INT element = COLOR_BACKGROUND;
    SetSysColors(1, &element, &colour);
}

}  // namespace

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

std::optional<std::string> UserStringValue(const char* keyPath, const char* name) {
    char text[1024] = {};
    DWORD size = sizeof(text) - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, keyPath, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(text);
}

std::optional<TSavedDesktop> SavedDesktop() {
    auto wallpaper = UserStringValue(kSavedDesktopKey, "Wallpaper");
    auto color = UserStringValue(kSavedDesktopKey, "DesktopColor");
    if (!wallpaper && !color) return std::nullopt;
    return TSavedDesktop{wallpaper.value_or("<missing>"), color.value_or("<missing>")};
}

void WriteSavedDesktop(const std::string& wallpaper, COLORREF color) {
    const std::string colorText = std::to_string(color);
    RegSetKeyValueA(HKEY_CURRENT_USER, kSavedDesktopKey, "Wallpaper", REG_SZ, wallpaper.c_str(),
                    static_cast<DWORD>(wallpaper.size() + 1));
    RegSetKeyValueA(HKEY_CURRENT_USER, kSavedDesktopKey, "DesktopColor", REG_SZ, colorText.c_str(),
                    static_cast<DWORD>(colorText.size() + 1));
}

TSavedDesktop MarkedRecord() { return {TMarkedDesktop::kWallpaper, std::to_string(TMarkedDesktop::kColour)}; }

COLORREF SessionDesktopColour() {
    if (auto text = UserStringValue("Software\\Wine\\Temporary System Parameters\\Control Panel\\Colors",
                                    "Background")) {
        int r = 0, g = 0, b = 0;
        if (std::sscanf(text->c_str(), "%d %d %d", &r, &g, &b) == 3) return RGB(r, g, b);
    }
    return GetSysColor(COLOR_BACKGROUND);
}

TMarkedDesktop::TMarkedDesktop()
    : userWallpaper_(UserStringValue(kDesktopKey, kWallpaperName)), userColour_(SessionDesktopColour()) {
    SetWallpaperValue(std::string(kWallpaper));
    SetDesktopColour(kColour);
}

TMarkedDesktop::~TMarkedDesktop() {
    SetWallpaperValue(userWallpaper_);
    SetDesktopColour(userColour_);
}

bool TMarkedDesktop::Marked() {
    return UserStringValue(kDesktopKey, kWallpaperName) == kWallpaper && SessionDesktopColour() == kColour;
}

bool TMarkedDesktop::TakenForVideo() {
    return UserStringValue(kDesktopKey, kWallpaperName) == "" && SessionDesktopColour() == kColourKey;
}

void TMarkedDesktop::TakeForVideo() {
    SetWallpaperValue(std::string());
    SetDesktopColour(kColourKey);
}

std::vector<std::string> WatchDesktopClips(size_t count, DWORD ms, const std::function<void()>& onChange) {
    std::vector<std::string> shown;
    const DWORD start = GetTickCount();
    while (shown.size() < count && GetTickCount() - start < ms) {
        const std::string colour = vltest::DesktopClipColour();
        if (!colour.empty() && (shown.empty() || shown.back() != colour)) {
            shown.push_back(colour);
            if (onChange) onChange();
        }
        Sleep(30);
    }
    return shown;
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= ms) return false;
        Sleep(10);
    }
}

std::vector<DWORD> ProcessesNamed(const char* exeName, DWORD parentId) {
    std::vector<DWORD> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return found;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, exeName) != 0) continue;
        if (parentId && entry.th32ParentProcessID != parentId) continue;
        found.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return found;
}

bool NoProgramProcessLeft(DWORD ms) {
    return WaitUntil([] { return ProcessesNamed("vorlinde.exe").empty(); }, ms);
}

bool KillProcess(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    if (!process) return false;
    const bool ended = TerminateProcess(process, 99) && WaitForSingleObject(process, 5000) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
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

TProgram::TProgram() : TProgram(WindowsPath(VORLINDE_EXE), "") {}

TProgram::TProgram(const std::string& exePath, const std::string& workingDir, const std::string& arguments) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments);
    started_ = CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &info_) != FALSE;
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

bool TProgram::Kill() {
    if (!started_) return false;
    return TerminateProcess(info_.hProcess, 99) && WaitForSingleObject(info_.hProcess, 5000) == WAIT_OBJECT_0;
}

DWORD TProgram::GuardId() const {
    const std::vector<DWORD> guards = ProcessesNamed("vorlinde.exe", info_.dwProcessId);
    return guards.empty() ? 0 : guards.front();
}

bool TProgram::WaitForExit(DWORD ms, DWORD& exitCode) {
    if (WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(info_.hProcess, &exitCode) != FALSE;
}

std::optional<DWORD> TProgram::Close(DWORD ms) {
    HWND window = Window("TForm1");
    if (!window) return std::nullopt;
    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 0;
    if (!WaitForExit(ms, exitCode)) return std::nullopt;
    return exitCode;
}

bool TProgram::ChooseExitInTrayMenu() {
    HWND tray = Window("TTrayIconHandler");
    if (!tray) return false;
    PostMessageA(tray, kTrayCallbackMessage, kTrayIconId, WM_RBUTTONDOWN);
    HWND menu = WaitForWindow([] { return ShownWindow("#32768", nullptr); }, 5000);
    if (!menu) return false;
    // Up from no selection reaches the last item, "&Exit".
    PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    return true;
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

void ProgramTest::SetUp() { DeleteProgramSettings(); }

void ProgramTest::TearDown() {
    EXPECT_TRUE(NoProgramProcessLeft(3000)) << "a vorlinde.exe process was left running";
    for (const DWORD left : ProcessesNamed("vorlinde.exe")) KillProcess(left);
    DeleteProgramSettings();
}

}  // namespace e2e
