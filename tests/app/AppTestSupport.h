#pragma once
// Shared helpers of the application tests: the registry keys the program uses, the recorder of
// exceptions that reach the central handler, a message loop with a deadline, and a fixture
// that owns the settings key and the autostart value and builds the real main window.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace apptest {

// --- registry (all under the current user)
inline constexpr char kSettingsKey[] = "SOFTWARE\\Vorlinde";
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValue[] = "Vorlinde";

// Removes "SOFTWARE\Vorlinde" with everything below it, and the "Vorlinde" autostart value.
void DeleteProgramSettings();
bool KeyExists(const std::string& path);
void SetStringValue(const std::string& keyPath, const std::string& name, const std::string& value);
void SetDwordValue(const std::string& keyPath, const std::string& name, DWORD value);
// The text of a REG_SZ value; nothing when the value is missing or of another type.
std::optional<std::string> StringValue(const std::string& keyPath, const std::string& name);
void DeleteValue(const std::string& keyPath, const std::string& name);
std::vector<std::string> ValueNames(const std::string& keyPath);
// "SOFTWARE\Vorlinde\<section>"
std::string SettingsSection(const std::string& section);

// --- sample clips (made by the build; VORLINDE_SAMPLES_DIR is empty where they cannot be made)
bool SamplesAvailable();
// A sample clip's path as a Windows program sees it (the build folder is reached through
// drive Z:), in the form the playlist holds it.
std::string SampleClip(const char* name);
// The same path in the form the filter graph reports it (RenderedFile).
std::wstring SampleClipW(const char* name);

// --- the desktop that desktop playback takes over
// The wallpaper value under "Control Panel\Desktop"; nothing when it is missing.
std::optional<std::string> WallpaperValue();

// --- exceptions that reached the application's central handler, oldest first
std::vector<std::string>& RecordedExceptions();

// Runs the application's message loop until `done` answers true or `timeoutMs` passed;
// returns whether `done` answered true.
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs);
void PumpMessagesFor(DWORD ms);

// --- tests whose end cannot be undone (ending the message loop) run in a process of their own
// Runs the current test again in a child process of this executable and returns its exit code
// (-1 when it could not start or did not end within `timeoutMs`); in the child,
// InOwnTestProcess() is true and the test does the real work. While it waits it answers
// messages, so that the child's broadcasts (a desktop colour change) find no hung window
// here: a death test's parent cannot, and costs its child 2 s per broadcast.
// A child that hangs is ended and run once more; -1 when it hangs twice or cannot start.
int RunThisTestInOwnProcess(DWORD timeoutMs = 20000);
bool InOwnTestProcess();

// A test that owns the program's registry entries and may build the main window. Desktop
// playback takes the wallpaper value and the desktop colour away; the fixture gives the
// program marked ones, expects them back once the windows are gone, then restores the user's.
class ProgramTest : public testing::Test {
protected:
    static constexpr char kMarkedWallpaper[] = "C:\\windows\\vorlinde-app-test-wallpaper.bmp";
    static constexpr COLORREF kMarkedDesktopColor = RGB(58, 110, 165);

    void SetUp() override;
    void TearDown() override;
    // Creates the main window (and so runs its start-up) as the program does.
    void CreateMainWindow();
    // Creates the About window after it, as the program does.
    void CreateAboutWindow();
    // Stores a playlist as the program does ("MovieList"/"Count", "1"...).
    void StorePlaylist(const std::vector<std::string>& entries);
    // Starts the program with these sample clips as its playlist: the first of the order plays
    // on the desktop.
    void StartWithClips(const std::vector<const char*>& clips);

private:
    std::optional<std::string> userWallpaper_;
    COLORREF userDesktopColor_ = 0;
};

}  // namespace apptest

// Skips the test when the build has no sample clips. For test bodies and SetUp.
#define APPTEST_REQUIRE_SAMPLES() \
    do { \
        if (!apptest::SamplesAvailable()) GTEST_SKIP() << "no sample movies"; \
    } while (false)
