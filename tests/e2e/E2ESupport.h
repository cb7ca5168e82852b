#pragma once
// Helpers of the end-to-end tests: the built vorlinde.exe started as its own process, its
// settings seeded in the registry, and waits for its windows.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

inline constexpr char kSettingsKey[] = "SOFTWARE\\Vorlinde";

// A build-machine path as a Windows program under Wine reaches it (drive Z:).
std::string WindowsPath(std::string path);
// A sample clip made by the build, as the playlist holds it; "" when the build has none.
std::string SampleClip(const char* name);
bool SamplesAvailable();

// Removes the program's settings key and its autostart value.
void DeleteProgramSettings();
// Stores the playlist as the program does ("MovieList"/"Count", "1"...).
void StorePlaylist(const std::vector<std::string>& files);

// Waits up to `ms` for `found` to give a window.
HWND WaitForWindow(const std::function<HWND()>& found, DWORD ms);
// A visible top-level window of the class and title (any title when null).
HWND ShownWindow(const char* className, const char* title);

// vorlinde.exe started with no arguments; ended (if still running) when destroyed.
class TProgram {
public:
    TProgram();
    ~TProgram();
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    bool Started() const { return started_; }
    // True when the process ended within `ms`; `exitCode` then holds its code.
    bool WaitForExit(DWORD ms, DWORD& exitCode);
    // The first top-level window of this process with the class, visible or not.
    HWND Window(const char* className) const;

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

}  // namespace e2e
