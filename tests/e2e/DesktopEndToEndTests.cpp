// vorlinde.exe started with a playlist in the registry plays it on the desktop, one clip after
// another, and gives the desktop back when its main window closes.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <vector>

#include "E2ESupport.h"
#include "tests/support/ClipColours.h"

namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kWallpaperName[] = "Wallpaper";
constexpr char kMarkedWallpaper[] = "C:\\windows\\vorlinde-e2e-wallpaper.bmp";
constexpr COLORREF kMarkedDesktopColor = RGB(58, 110, 165);
constexpr COLORREF kColourKey = RGB(16, 0, 16);

std::optional<std::string> StringValue(const char* keyPath, const char* name) {
    char text[1024] = {};
    DWORD size = sizeof(text) - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, keyPath, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(text);
}

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

// The desktop colour as another process last set it. Wine gives each process the system
// colours of its start and keeps later changes in a volatile key, read here; on Windows
// GetSysColor answers for the whole session.
COLORREF SessionDesktopColour() {
    if (auto text = StringValue("Software\\Wine\\Temporary System Parameters\\Control Panel\\Colors", "Background")) {
        int r = 0, g = 0, b = 0;
        if (std::sscanf(text->c_str(), "%d %d %d", &r, &g, &b) == 3) return RGB(r, g, b);
    }
    return GetSysColor(COLOR_BACKGROUND);
}

class E2EDesktop : public testing::Test {
protected:
    void SetUp() override {
        userWallpaper_ = StringValue(kDesktopKey, kWallpaperName);
        userColour_ = SessionDesktopColour();
        SetWallpaperValue(kMarkedWallpaper);
        SetDesktopColour(kMarkedDesktopColor);
        e2e::DeleteProgramSettings();
    }
    void TearDown() override {
        e2e::DeleteProgramSettings();
        SetWallpaperValue(userWallpaper_);
        SetDesktopColour(userColour_);
    }

private:
    std::optional<std::string> userWallpaper_;
    COLORREF userColour_ = 0;
};

TEST_F(E2EDesktop, PlaysThePlaylistOnTheDesktopAndGivesTheDesktopBackOnClose) {
    if (!e2e::SamplesAvailable()) GTEST_SKIP() << "no sample movies";
    e2e::StorePlaylist({e2e::SampleClip("red.mpg"), e2e::SampleClip("green.mpg"), e2e::SampleClip("blue.mpg")});
    e2e::TProgram program;
    ASSERT_TRUE(program.Started()) << VORLINDE_EXE;

    // The clips as the desktop shows them, each change once.
    std::vector<std::string> shown;
    bool desktopTaken = false;
    const DWORD start = GetTickCount();
    while (shown.size() < 4 && GetTickCount() - start < 30000) {
        const std::string colour = vltest::DesktopClipColour();
        if (!colour.empty() && (shown.empty() || shown.back() != colour)) {
            shown.push_back(colour);
            desktopTaken = desktopTaken || (StringValue(kDesktopKey, kWallpaperName) == "" &&
                                            SessionDesktopColour() == kColourKey);
        }
        Sleep(30);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"red", "green", "blue", "red"}));
    EXPECT_TRUE(desktopTaken) << "the wallpaper and desktop colour were not taken over while playing";
    // Started with a playlist, the program keeps its window and its taskbar button hidden.
    HWND window = program.Window("TForm1");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    HWND taskbarButton = program.Window("TApplication");
    ASSERT_NE(taskbarButton, nullptr);
    EXPECT_FALSE(IsWindowVisible(taskbarButton));

    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(10000, exitCode)) << "the program did not end";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(StringValue(kDesktopKey, kWallpaperName), kMarkedWallpaper);
    EXPECT_EQ(SessionDesktopColour(), kMarkedDesktopColor);
}

}  // namespace
