// Desktop playback: the desktop colour and the wallpaper value taken away while it is on and
// given back when it ends, between two files and when the window is destroyed; the hidden
// desktop form. Every test puts the user's wallpaper value and desktop colour back.
#include <gtest/gtest.h>

#include <cstdlib>

#include "VideoWindowTestSupport.h"

namespace {

using namespace vorlinde;
using mediatest::PumpUntil;
using mediatest::SamplePath;
using videotest::ReadWallpaperValue;
using videotest::TVideoHost;

constexpr char kUserWallpaper[] = "C:\\windows\\vorlinde-test-wallpaper.bmp";
constexpr COLORREF kUserColor = RGB(58, 110, 165);

class DesktopPlayback : public testing::Test {
protected:
    void SetUp() override {
        mediatest::RecordedExceptions().clear();
        videotest::WriteWallpaperValue(kUserWallpaper);
        const INT element = COLOR_BACKGROUND;
        SetSysColors(1, &element, &kUserColor);
    }
    void TearDown() override { EXPECT_TRUE(mediatest::RecordedExceptions().empty()); }

    static std::string Wallpaper() {
        std::string value;
        return ReadWallpaperValue(value) ? value : "<missing>";
    }

    // The wallpaper the system says it shows, which may differ from the registry value.
    static std::string ShownWallpaper() {
        char path[MAX_PATH + 1] = {};
        SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
        return path;
    }

    videotest::TDesktopSettingsGuard guard;
};

TEST_F(DesktopPlayback, WhileOnTheDesktopColourIsTheKeyAndTheWallpaperIsEmpty) {
    TVideoHost host;
    host.Window().StartDesktopPlayback();
    EXPECT_TRUE(host.Window().DesktopPlaying());
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), RGB(16, 0, 16));
    EXPECT_EQ(Wallpaper(), "");
}

TEST_F(DesktopPlayback, NormalPlaybackGivesBothBack) {
    TVideoHost host;
    host.Window().StartDesktopPlayback();
    host.Window().NormalPlayback();
    EXPECT_FALSE(host.Window().DesktopPlaying());
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), kUserColor);
    EXPECT_EQ(Wallpaper(), kUserWallpaper);
}

TEST_F(DesktopPlayback, TheSystemShowsTheWallpaperThatWasWritten) {
    TVideoHost host;
    host.Window().StartDesktopPlayback();
    EXPECT_EQ(ShownWallpaper(), "");
    host.Window().NormalPlayback();
    EXPECT_EQ(ShownWallpaper(), kUserWallpaper);
}

TEST_F(DesktopPlayback, WithoutAWallpaperValueThePictureShownStays) {
    std::string before = ShownWallpaper();
    videotest::DeleteWallpaperValue();
    char shown[] = "C:\\windows\\vorlinde-shown-wallpaper.bmp";
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, shown, 0);
    {
        TVideoHost host;
        host.Window().StartDesktopPlayback();
        host.Window().NormalPlayback();
        EXPECT_EQ(ShownWallpaper(), shown);
    }
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, before.data(), 0);
}

TEST_F(DesktopPlayback, ASecondStartSavesTheUsersWallpaperNotTheEmptyOne) {
    TVideoHost host;
    host.Window().StartDesktopPlayback();
    host.Window().StartDesktopPlayback();
    host.Window().NormalPlayback();
    EXPECT_EQ(Wallpaper(), kUserWallpaper);
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), kUserColor);
}

TEST_F(DesktopPlayback, WithoutAWallpaperValueNothingIsWrittenOnEitherSide) {
    videotest::DeleteWallpaperValue();
    TVideoHost host;
    host.Window().StartDesktopPlayback();
    EXPECT_EQ(Wallpaper(), "<missing>");
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), RGB(16, 0, 16));
    host.Window().NormalPlayback();
    EXPECT_EQ(Wallpaper(), "<missing>");
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), kUserColor);
}

TEST_F(DesktopPlayback, DestroyingTheWindowWhileOnGivesBothBack) {
    TVideoHost host;
    host.Window().StartDesktopPlayback();
    host.DestroyWindow();
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), kUserColor);
    EXPECT_EQ(Wallpaper(), kUserWallpaper);
}

TEST_F(DesktopPlayback, NormalPlaybackWithoutDesktopPlaybackTouchesNeitherButShowsTheOverlay) {
    TVideoHost host;
    videotest::WriteWallpaperValue("C:\\other.bmp");
    host.Window().NormalPlayback();
    EXPECT_EQ(Wallpaper(), "C:\\other.bmp");
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), kUserColor);
    EXPECT_TRUE(host.Window().OverlayVisible());
}

TEST_F(DesktopPlayback, TheWindowMovesIntoTheHiddenMonitorSizedFormAndBack) {
    TVideoHost host;
    auto& window = host.Window();
    window.StartDesktopPlayback();
    EXPECT_EQ(window.Parent(), window.DesktopForm());
    EXPECT_FALSE(IsWindowVisible(window.DesktopForm()->Handle()));
    EXPECT_EQ(window.DesktopForm()->Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(window.DesktopForm()->Height(), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(window.Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_FALSE(window.OverlayVisible());
    window.NormalPlayback();
    EXPECT_EQ(window.Parent(), &host.Form());
    EXPECT_EQ(window.Width(), 207);
    EXPECT_TRUE(window.OverlayVisible());
}

TEST_F(DesktopPlayback, TheDesktopFormRefusesToClose) {
    TVideoHost host;
    auto* form = host.Window().DesktopForm();
    host.Window().StartDesktopPlayback();
    EXPECT_FALSE(form->CloseQuery());
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    form->Close();
    EXPECT_EQ(host.Window().DesktopForm(), form);
    EXPECT_TRUE(IsWindow(form->Handle()));
    EXPECT_TRUE(host.Window().DesktopPlaying());
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), RGB(16, 0, 16));
}

TEST_F(DesktopPlayback, TheAdvanceBetweenFilesGivesBothBackAndTakesThemAgain) {
    if (!mediatest::SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
    TVideoHost host;
    auto& window = host.Window();
    auto& graph = host.Graph();
    std::vector<std::string> seen;
    int completions = 0;
    // What the main window does on completion.
    graph.OnGraphComplete = [&](vl::TObject*, HRESULT, IBaseFilter*) {
        ++completions;
        if (window.DesktopPlaying()) window.NormalPlayback();
        seen.push_back(Wallpaper() + "|" + std::to_string(GetSysColor(COLOR_BACKGROUND)));
        if (completions > 1) return;
        graph.ClearGraph();
        graph.RenderFile(SamplePath("blue.mpg"));
        window.StartDesktopPlayback();
        seen.push_back(Wallpaper() + "|" + std::to_string(GetSysColor(COLOR_BACKGROUND)));
        graph.Play();
    };
    graph.RenderFile(SamplePath("red.mpg"));
    window.StartDesktopPlayback();
    graph.Play();
    EXPECT_TRUE(PumpUntil([&] { return completions == 2; }, 15000));
    const std::string user = std::string(kUserWallpaper) + "|" + std::to_string(kUserColor);
    const std::string taken = "|" + std::to_string(RGB(16, 0, 16));
    EXPECT_EQ(seen, (std::vector<std::string>{user, taken, user}));
    EXPECT_TRUE(window.OverlayInUse());
}

TEST_F(DesktopPlayback, TheVideoShowsOnTheDesktop) {
    if (!mediatest::SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
    TVideoHost host;
    host.Graph().RenderFile(SamplePath("green.mpg"));
    host.Window().StartDesktopPlayback();
    host.Graph().Play();
    // Far from the host form, the desktop shows the clip's green.
    const bool green = PumpUntil(
        [&] {
            const COLORREF c = videotest::ScreenPixel(900, 600);
            return GetGValue(c) > 90 && GetRValue(c) < 60 && GetBValue(c) < 60;
        },
        3000);
    EXPECT_TRUE(green) << std::hex << videotest::ScreenPixel(900, 600);
    if (const char* hold = std::getenv("VORLINDE_HOLD_MS")) PumpUntil([] { return false; }, std::atoi(hold));
    host.Window().NormalPlayback();
    host.Graph().Stop();
}

}  // namespace
