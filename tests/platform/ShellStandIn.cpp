#include "ShellStandIn.h"

#include <cstdio>
#include <functional>

#include "OverlayTestSupport.h"

namespace vorlinde::platform::test {

namespace {

constexpr DWORD kStartTimeoutMs = 5000;

// VORLINDE_STANDIN_SHELL is a build-machine path; Wine reaches it through drive Z:.
std::string StandInPath() {
    std::string path = VORLINDE_STANDIN_SHELL;
    if (!path.empty() && path.front() == '/') path = "Z:" + path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Calls visit for every top-level window and each of their descendants, in window order.
void ForEachWindow(const std::function<void(HWND)>& visit) {
    std::function<void(HWND)> walk = [&](HWND window) {
        visit(window);
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) walk(child);
    };
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) walk(window);
}

HWND ProgmanOf(DWORD process) {
    for (HWND window = FindWindowExA(nullptr, nullptr, "Progman", nullptr); window;
         window = FindWindowExA(nullptr, window, "Progman", nullptr)) {
        if (ProcessOf(window) == process) return window;
    }
    return nullptr;
}

bool TaskbarReady(DWORD process) {
    for (HWND window = FindWindowExA(nullptr, nullptr, "Shell_TrayWnd", standin::kTaskbarReady); window;
         window = FindWindowExA(nullptr, window, "Shell_TrayWnd", standin::kTaskbarReady)) {
        if (ProcessOf(window) == process) return true;
    }
    return false;
}

}  // namespace

TShellStandIn::TShellStandIn(const char* layout) : layout_(layout) { Start(); }

TShellStandIn::~TShellStandIn() { Kill(); }

bool TShellStandIn::Start() {
    Kill();
    std::string command = "\"" + StandInPath() + "\" " + layout_ + " " + std::to_string(GetCurrentProcessId());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_)) {
        process_ = {};
        return false;
    }
    // Up once its taskbar says so, and once this process has raised its windows above the shell.
    PumpUntil([&] { return TaskbarReady(process_.dwProcessId); }, kStartTimeoutMs);
    progman_ = TaskbarReady(process_.dwProcessId) ? ProgmanOf(process_.dwProcessId) : nullptr;
    if (progman_) PumpMessages(20);
    return progman_ != nullptr;
}

void TShellStandIn::Kill() {
    if (!process_.hProcess) return;
    TerminateProcess(process_.hProcess, 1);
    PumpUntil([&] { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }, kStartTimeoutMs);
    // Its windows go with it; a child of ours inside them too.
    PumpUntil([&] { return !IsWindow(progman_); }, kStartTimeoutMs);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    process_ = {};
    progman_ = nullptr;
}

HWND TShellStandIn::IconView() const {
    HWND found = nullptr;
    ForEachWindow([&](HWND window) {
        if (!found && ProcessOf(window) == Process() && ClassOf(window) == "SHELLDLL_DefView") found = window;
    });
    return found;
}

HWND TShellStandIn::IconHolder() const {
    HWND view = IconView();
    return view ? GetAncestor(view, GA_ROOT) : nullptr;
}

HWND TShellStandIn::Wallpaper() const {
    if (HWND child = FindWindowExA(progman_, nullptr, "WorkerW", nullptr)) return child;
    HWND holder = IconHolder();
    for (HWND worker = FindWindowExA(nullptr, nullptr, "WorkerW", nullptr); worker;
         worker = FindWindowExA(nullptr, worker, "WorkerW", nullptr)) {
        if (ProcessOf(worker) == Process() && IsWindowVisible(worker) && worker != holder) return worker;
    }
    return nullptr;
}

std::string TShellStandIn::IconViewText() const {
    char text[64] = "";
    if (HWND view = IconView()) GetWindowTextA(view, text, sizeof text);
    return text;
}

std::vector<std::string> TShellStandIn::Windows() const {
    std::vector<std::string> lines;
    ForEachWindow([&](HWND window) {
        if (ProcessOf(window) != Process()) return;
        HWND parent = GetAncestor(window, GA_PARENT);
        RECT rect{};
        GetWindowRect(window, &rect);
        char line[200];
        std::snprintf(line, sizeof line, "%s in %s, %s, (%ld, %ld, %ld, %ld)", ClassOf(window).c_str(),
                      parent == GetDesktopWindow() ? "the desktop" : ClassOf(parent).c_str(),
                      IsWindowVisible(window) ? "shown" : "hidden", rect.left, rect.top, rect.right, rect.bottom);
        lines.push_back(line);
    });
    return lines;
}

std::vector<HWND> TShellStandIn::ForeignChildren() const {
    std::vector<HWND> foreign;
    ForEachWindow([&](HWND window) {
        HWND parent = GetAncestor(window, GA_PARENT);
        if (parent != GetDesktopWindow() && ProcessOf(window) != Process() && ProcessOf(parent) == Process()) {
            foreign.push_back(window);
        }
    });
    return foreign;
}

int WindowsOfProcess(DWORD process) {
    int count = 0;
    ForEachWindow([&](HWND window) {
        if (ProcessOf(window) == process) ++count;
    });
    return count;
}

POINT IconCentre(const standin::TStandInIcon& icon) {
    return POINT{(icon.square.left + icon.square.right) / 2, (icon.square.top + icon.square.bottom) / 2};
}

}  // namespace vorlinde::platform::test
