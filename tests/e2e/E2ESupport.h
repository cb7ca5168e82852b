#pragma once
// Helpers of the end-to-end tests: the built vorlinde.exe started as its own process, its
// settings seeded in the registry, and waits for its windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

inline constexpr char kSettingsKey[] = "SOFTWARE\\Vorlinde";
// The tray icon's callback message, and the identifier of the program's one tray icon (the
// first the process creates).
inline constexpr UINT kTrayCallbackMessage = WM_USER + 1024;
inline constexpr WPARAM kTrayIconId = 1;

// A build-machine path as a Windows program under Wine reaches it (drive Z:).
std::string WindowsPath(std::string path);
// A sample clip made by the build, as the playlist holds it; "" when the build has none.
std::string SampleClip(const char* name);
bool SamplesAvailable();

// Removes the program's settings key and its autostart value.
void DeleteProgramSettings();
// Stores the playlist as the program does ("MovieList"/"Count", "1"...).
void StorePlaylist(const std::vector<std::string>& files);

// A string value of the current user's registry; nullopt when it is missing.
std::optional<std::string> UserStringValue(const char* keyPath, const char* name);

// The program's record of the user's desktop while it plays on the desktop.
inline constexpr char kSavedDesktopKey[] = "SOFTWARE\\Vorlinde\\SavedDesktop";
struct TSavedDesktop {
    std::string wallpaper;
    std::string color;  // as stored: 0x00BBGGRR in decimal
    bool operator==(const TSavedDesktop&) const = default;
};
std::optional<TSavedDesktop> SavedDesktop();
// Writes the record as a run that died would have left it.
void WriteSavedDesktop(const std::string& wallpaper, COLORREF color);
// The record as the program writes it for the marked desktop of TMarkedDesktop.
TSavedDesktop MarkedRecord();

// The desktop as the program finds it: a marked wallpaper value and a marked desktop colour
// while this object lives, the user's own put back when it is destroyed. The program takes
// both over while it plays on the desktop and must put the marked ones back when it stops.
class TMarkedDesktop {
public:
    static constexpr char kWallpaper[] = "C:\\windows\\vorlinde-e2e-wallpaper.bmp";
    static constexpr COLORREF kColour = RGB(58, 110, 165);

    TMarkedDesktop();
    ~TMarkedDesktop();
    TMarkedDesktop(const TMarkedDesktop&) = delete;
    TMarkedDesktop& operator=(const TMarkedDesktop&) = delete;

    // The wallpaper value and the desktop colour are the marked ones.
    static bool Marked();
    // The program holds the desktop: no wallpaper, the desktop colour is the video's colour key.
    static bool TakenForVideo();
    // Sets the desktop as a program that plays on it leaves it: no wallpaper, the colour key.
    static void TakeForVideo();

private:
    std::optional<std::string> userWallpaper_;
    COLORREF userColour_ = 0;
};

// The desktop colour as another process last set it. Wine gives each process the system
// colours of its start and keeps later changes in a volatile key, read here; on Windows
// GetSysColor answers for the whole session.
COLORREF SessionDesktopColour();

// The sample clips the desktop shows, each change once, until `count` were seen or `ms`
// passed; `onChange` runs at each change.
std::vector<std::string> WatchDesktopClips(size_t count, DWORD ms, const std::function<void()>& onChange = {});

// Waits up to `ms` for `done` to answer true; returns whether it did.
bool WaitUntil(const std::function<bool()>& done, DWORD ms);

// Ids of the running processes of the executable named `exeName` ("vorlinde.exe"), of any
// parent when `parentId` is 0.
std::vector<DWORD> ProcessesNamed(const char* exeName, DWORD parentId = 0);
// No vorlinde.exe process runs, or none is left after `ms`.
bool NoProgramProcessLeft(DWORD ms);
// Ends the process as Task Manager does (TerminateProcess) and waits for it to be gone.
bool KillProcess(DWORD processId);

// Waits up to `ms` for `found` to give a window.
HWND WaitForWindow(const std::function<HWND()>& found, DWORD ms);
// A visible top-level window of the class and title (any title when null).
HWND ShownWindow(const char* className, const char* title);

// vorlinde.exe started with no arguments; ended (if still running) when destroyed.
class TProgram {
public:
    // The built program.
    TProgram();
    // The program at `exePath` (a Windows path), in the folder `workingDir` ("": this one),
    // with the command-line `arguments`.
    TProgram(const std::string& exePath, const std::string& workingDir, const std::string& arguments = "");
    ~TProgram();
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    bool Started() const { return started_; }
    DWORD ProcessId() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    // Ends the program with TerminateProcess and waits until it is gone.
    bool Kill();
    // The desktop guard the program started beside itself (0 when there is none).
    DWORD GuardId() const;
    // True when the process ended within `ms`; `exitCode` then holds its code.
    bool WaitForExit(DWORD ms, DWORD& exitCode);
    // The first top-level window of this process with the class, visible or not.
    HWND Window(const char* className) const;
    // Closes the main window as its close button does and waits up to `ms` for the program to
    // end; its exit code, or nullopt when it has no main window or did not end.
    std::optional<DWORD> Close(DWORD ms = 10000);
    // Opens the tray menu and chooses "&Exit" as the user does; false when the menu did not open.
    bool ChooseExitInTrayMenu();

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

// A test that owns the program's registry entries and checks that no vorlinde.exe outlives it
// (one that does is reported, then ended, so that it cannot spoil the next test).
class ProgramTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// The same on the marked desktop of TMarkedDesktop.
class DesktopTest : public ProgramTest {
private:
    TMarkedDesktop desktop_;
};

}  // namespace e2e
