// What the Overlay Mixer shows on the Xvfb screen: the window layer over the letter-boxed
// video rectangle of the destination, the desktop layer while the desktop colour is the key,
// and the software colour controls.
#include "OverlayTestSupport.h"

#include "platform/OverlayGeometry.h"
#include "platform/OverlayPresenter.h"

#include <functional>

namespace vorlinde::platform::test {
namespace {

constexpr COLORREF kKey = RGB(16, 0, 16);

// Where the pieces of the window-layer scene are, in screen coordinates: a 400x300 frame at
// (100, 100) holding a 300x150 pane at (50, 50); a 4:3 clip letter-boxed in it takes
// 200x150 at (50, 0) of the pane.
constexpr RECT kFrame{100, 100, 500, 400};
constexpr RECT kPane{50, 50, 350, 200};
constexpr RECT kKeyInPane{50, 0, 250, 150};
constexpr RECT kVideoOnScreen{200, 150, 400, 300};
constexpr RECT kLeftBarOnScreen{150, 150, 200, 300};
constexpr RECT kRightBarOnScreen{400, 150, 450, 300};

RECT Inset(RECT rect, int by) {
    InflateRect(&rect, -by, -by);
    return rect;
}

// Processes messages until the screen area passes the test (or 3 s have gone): the X server
// draws asynchronously, and a loaded machine may be slow to show the first frame.
bool WaitForScreen(const RECT& area, const std::function<bool(const TScreenShot&)>& test) {
    return PumpUntil([&] { return test(TScreenShot(area)); }, 3000);
}

// Waits until rect shows colour (within a tolerance).
bool WaitForColour(const RECT& rect, COLORREF colour) {
    return WaitForScreen(rect, [&](const TScreenShot& shot) { return SameColour(shot.Mean(rect), colour, 24); });
}

// The renderer's window: the frame's child that is not the pane.
HWND RendererWindowOf(const TVideoPaneWindow& scene) {
    for (HWND child = GetWindow(scene.Frame(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child != scene.Pane()) return child;
    }
    return nullptr;
}

class OverlayMixerScreen : public testing::Test {
protected:
    void SetUp() override {
        if (!SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
        // A desktop colour that is not the key, whatever an earlier test left.
        desktop_ = std::make_unique<TDesktopColour>(RGB(58, 110, 165));
    }

    // Plays clip in the window-layer scene and waits until the video shows.
    void StartWindowScene(TPlayback& playback, TVideoPaneWindow& scene) {
        ASSERT_EQ(playback.InsertMixer(), S_OK);
        playback.PlaceRenderer(scene.Frame(), kPane, true);
        ASSERT_TRUE(SUCCEEDED(playback.Run()));
        PumpMessages(300);
        HWND renderer = RendererWindowOf(scene);
        ASSERT_NE(renderer, nullptr);
        scene.PlaceBelowPane(renderer);
        // Until the picture covers the key.
        const RECT inside = Inset(kVideoOnScreen, 2);
        WaitForScreen(inside, [&](const TScreenShot& shot) { return !SameColour(shot.Mean(inside), kKey, 8); });
        PumpMessages(100);
    }

    // Pauses clip in the window-layer scene (the renderer window below the pane, which paints
    // black and the key) and waits until the first picture shows.
    void PauseWindowScene(TPlayback& playback, TVideoPaneWindow& scene) {
        ASSERT_EQ(playback.InsertMixer(), S_OK);
        playback.PlaceRenderer(scene.Frame(), kPane, true);
        HWND renderer = RendererWindowOf(scene);
        ASSERT_NE(renderer, nullptr);
        scene.PlaceBelowPane(renderer);
        ASSERT_TRUE(SUCCEEDED(playback.Pause()));
        scene.PlaceBelowPane(renderer);
        ASSERT_TRUE(WaitForColour(Inset(kVideoOnScreen, 4), RGB(255, 0, 0)));
        // The renderer's own picture stays hidden under the pane: black bars.
        ASSERT_TRUE(WaitForColour(Inset(kLeftBarOnScreen, 2), RGB(0, 0, 0)));
    }

    std::unique_ptr<TDesktopColour> desktop_;
};

TEST_F(OverlayMixerScreen, WindowLayerShowsChangingVideoInTheLetterBox) {
    TVideoPaneWindow scene(kFrame, kPane, kKeyInPane, kKey);
    TPlayback playback("bars.mpg");
    StartWindowScene(playback, scene);
    const TScreenShot first(kFrame);
    PumpMessages(400);
    const TScreenShot second(kFrame);
    // Video, not the key, in the letter box; and it moves.
    const RECT inside = Inset(kVideoOnScreen, 2);
    EXPECT_FALSE(SameColour(first.Mean(inside), kKey, 8));
    EXPECT_GT(first.CountDifferent(second, inside, 16), 100);
    if (HasFailure()) {
        first.Save("window-layer-1.bmp");
        second.Save("window-layer-2.bmp");
    }
}

TEST_F(OverlayMixerScreen, WindowLayerLeavesTheBarsAlone) {
    TVideoPaneWindow scene(kFrame, kPane, kKeyInPane, kKey);
    TPlayback playback("bars.mpg");
    StartWindowScene(playback, scene);
    const TScreenShot shot(kFrame);
    for (const RECT& bar : {kLeftBarOnScreen, kRightBarOnScreen}) {
        const RECT inside = Inset(bar, 1);
        EXPECT_EQ(shot.Mean(inside), RGB(0, 0, 0));
    }
}

TEST_F(OverlayMixerScreen, StoppingTakesTheVideoAway) {
    TVideoPaneWindow scene(kFrame, kPane, kKeyInPane, kKey);
    TPlayback playback("bars.mpg");
    StartWindowScene(playback, scene);
    ASSERT_TRUE(SUCCEEDED(playback.Stop()));
    // The pane's own key shows again, as when a hardware overlay has nothing to show.
    const RECT inside = Inset(kVideoOnScreen, 2);
    EXPECT_TRUE(WaitForScreen(inside, [&](const TScreenShot& shot) { return shot.Mean(inside) == kKey; }));
}

TEST_F(OverlayMixerScreen, PausedGraphShowsItsPicture) {
    TVideoPaneWindow scene(kFrame, kPane, kKeyInPane, kKey);
    TPlayback playback("red.mpg");
    PauseWindowScene(playback, scene);
}

TEST_F(OverlayMixerScreen, ColourControlsChangeAPausedPicture) {
    TVideoPaneWindow scene(kFrame, kPane, kKeyInPane, kKey);
    TPlayback playback("red.mpg");
    PauseWindowScene(playback, scene);
    DDCOLORCONTROL control{};
    control.dwSize = sizeof control;
    control.dwFlags = DDCOLOR_COLORENABLE;
    control.lColorEnable = 0;
    ASSERT_EQ(FirstPinConfig(playback.Mixer())->SetOverlaySurfaceColorControls(&control), S_OK);
    const RECT inside = Inset(kVideoOnScreen, 4);
    EXPECT_TRUE(WaitForScreen(inside, [&](const TScreenShot& shot) {
        const COLORREF mean = shot.Mean(inside);
        return SameColour(mean, RGB(GetRValue(mean), GetRValue(mean), GetRValue(mean)), 2);
    }));
}

TEST_F(OverlayMixerScreen, CropModeFillsTheWholeDestination) {
    TVideoPaneWindow scene(kFrame, kPane, kKeyInPane, kKey);
    TPlayback playback("red.mpg");
    PauseWindowScene(playback, scene);
    ASSERT_EQ(FirstPinConfig(playback.Mixer())->SetAspectRatioMode(AM_ARMODE_CROP), S_OK);
    EXPECT_TRUE(WaitForColour(Inset(kLeftBarOnScreen, 2), RGB(255, 0, 0)));
}

TEST_F(OverlayMixerScreen, VideoFollowsTheDestinationWhenItsWindowMoves) {
    TVideoPaneWindow scene(kFrame, kPane, kKeyInPane, kKey);
    TPlayback playback("red.mpg");
    PauseWindowScene(playback, scene);
    SetWindowPos(scene.Frame(), nullptr, kFrame.left + 200, kFrame.top + 100, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT moved = Inset(kVideoOnScreen, 4);
    OffsetRect(&moved, 200, 100);
    EXPECT_TRUE(WaitForColour(moved, RGB(255, 0, 0)));
    // Where the picture was, the screen no longer shows it.
    RECT left = Inset(kVideoOnScreen, 4);
    left.right = left.left + 50;
    EXPECT_TRUE(WaitForScreen(
        left, [&](const TScreenShot& shot) { return !SameColour(shot.Mean(left), RGB(255, 0, 0), 24); }));
}

TEST_F(OverlayMixerScreen, HiddenDestinationShowsNoVideo) {
    TVideoPaneWindow scene(kFrame, kPane, kKeyInPane, kKey);
    TPlayback playback("red.mpg");
    PauseWindowScene(playback, scene);
    // The renderer window hidden, its frame and the pane still shown: the pane's key shows.
    playback.VideoWindow()->put_Visible(OAFALSE);
    EXPECT_TRUE(WaitForColour(Inset(kVideoOnScreen, 4), kKey));
}

// The desktop-playback scene: the renderer window in a hidden, screen-sized form (the video
// window's desktop form), its auto-show off; a window stands on part of the desktop.
constexpr RECT kScreen{0, 0, 1280, 800};
constexpr RECT kStandingWindow{500, 250, 800, 450};
// The 4:3 clip letter-boxed on the 1280x800 screen.
constexpr RECT kDesktopVideo{107, 0, 1173, 800};
// Uncovered desktop inside the video rectangle.
constexpr RECT kUncovered{200, 50, 450, 200};
// Uncovered desktop inside the video rectangle, away from the window-layer scene's frame.
constexpr RECT kAwayFromFrame{700, 450, 1000, 700};

class OverlayMixerDesktop : public OverlayMixerScreen {
protected:
    void StartDesktopScene(TPlayback& playback, const TDesktopForm& form) {
        ASSERT_EQ(playback.InsertMixer(), S_OK);
        playback.PlaceRenderer(form.Handle(), kScreen, false);
        ASSERT_TRUE(SUCCEEDED(playback.Run()));
        PumpMessages(500);
        if (ColorKeyIsDesktopColour()) {
            // Until the picture shows on the uncovered desktop.
            WaitForScreen(kUncovered, [](const TScreenShot& shot) {
                return !SameColour(shot.Mean(kUncovered), RGB(0, 0, 0), 8);
            });
        }
    }
    static bool ColorKeyIsDesktopColour() { return GetSysColor(COLOR_BACKGROUND) == kKey; }
};

TEST_F(OverlayMixerDesktop, UncoveredDesktopShowsTheVideoWhileItsColourIsTheKey) {
    TDesktopColour keyed(kKey);
    TClickWindow standing(kStandingWindow, RGB(0, 200, 0));
    TDesktopForm form;
    TPlayback playback("bars.mpg");
    StartDesktopScene(playback, form);
    const TScreenShot first(kScreen);
    PumpMessages(400);
    const TScreenShot second(kScreen);
    EXPECT_FALSE(SameColour(first.Mean(kUncovered), RGB(0, 0, 0), 8));
    EXPECT_GT(first.CountDifferent(second, kUncovered, 16), 100);
    if (HasFailure()) first.Save("desktop-layer.bmp");
}

// A taskbar lists visible top-level windows without an owner (Wine's lists tool windows too):
// the desktop layer is owned by a hidden window, so it never gets a taskbar button.
TEST_F(OverlayMixerDesktop, TheDesktopLayerHasNoTaskbarButton) {
    TDesktopColour keyed(kKey);
    TDesktopForm form;
    TPlayback playback("bars.mpg");
    StartDesktopScene(playback, form);
    HWND layer = nullptr;
    while ((layer = FindWindowExA(nullptr, layer, kOverlayLayerClass, nullptr)))
        if (IsWindowVisible(layer)) break;
    ASSERT_NE(layer, nullptr);
    HWND owner = GetWindow(layer, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_FALSE(IsIconic(owner));
}

TEST_F(OverlayMixerDesktop, WindowOnTheDesktopStaysIntact) {
    TDesktopColour keyed(kKey);
    TClickWindow standing(kStandingWindow, RGB(0, 200, 0));
    TDesktopForm form;
    TPlayback playback("bars.mpg");
    StartDesktopScene(playback, form);
    const TScreenShot shot(kScreen);
    EXPECT_EQ(shot.Mean(kStandingWindow), RGB(0, 200, 0));
}

TEST_F(OverlayMixerDesktop, WindowOnTheDesktopReceivesAClick) {
    TDesktopColour keyed(kKey);
    TClickWindow standing(kStandingWindow, RGB(0, 200, 0));
    TDesktopForm form;
    TPlayback playback("bars.mpg");
    StartDesktopScene(playback, form);
    ClickAt(650, 350);
    EXPECT_TRUE(PumpUntil([&] { return standing.Clicks() == 1; }, 2000));
}

TEST_F(OverlayMixerDesktop, WindowOnTheDesktopReceivesAnXServerClick) {
    TDesktopColour keyed(kKey);
    TClickWindow standing(kStandingWindow, RGB(0, 200, 0));
    TDesktopForm form;
    TPlayback playback("bars.mpg");
    StartDesktopScene(playback, form);
    if (!XClickAt(600, 300)) GTEST_SKIP() << "xdotool cannot be run here";
    EXPECT_TRUE(PumpUntil([&] { return standing.Clicks() == 1; }, 2000));
}

TEST_F(OverlayMixerDesktop, PointerOverTheUncoveredDesktopFindsTheDesktop) {
    TDesktopColour keyed(kKey);
    TDesktopForm form;
    TPlayback playback("bars.mpg");
    StartDesktopScene(playback, form);
    EXPECT_EQ(WindowFromPoint(POINT{300, 100}), GetDesktopWindow());
}

TEST_F(OverlayMixerDesktop, VideoMovesFromThePaneToTheDesktopAndBack) {
    // The pane's frame stands on the desktop at kFrame.
    TVideoPaneWindow scene(kFrame, kPane, kKeyInPane, kKey);
    TDesktopForm form;
    TPlayback playback("red.mpg");
    PauseWindowScene(playback, scene);

    // Desktop playback: the renderer window into the hidden form, hidden; the desktop colour
    // becomes the key.
    {
        TDesktopColour keyed(kKey);
        playback.PlaceRenderer(form.Handle(), kScreen, false);
        playback.VideoWindow()->put_Visible(OAFALSE);
        EXPECT_TRUE(WaitForColour(kAwayFromFrame, RGB(255, 0, 0)));
        // The frame on the desktop is a window like any other: it stays as it is.
        EXPECT_TRUE(WaitForColour(Inset(kVideoOnScreen, 4), kKey));
    }

    // Back to the pane.
    playback.PlaceRenderer(scene.Frame(), kPane, true);
    playback.VideoWindow()->put_Visible(OATRUE);
    HWND renderer = RendererWindowOf(scene);
    ASSERT_NE(renderer, nullptr);
    scene.PlaceBelowPane(renderer);
    EXPECT_TRUE(WaitForColour(Inset(kVideoOnScreen, 4), RGB(255, 0, 0)));
    EXPECT_TRUE(WaitForScreen(kAwayFromFrame, [](const TScreenShot& shot) {
        return !SameColour(shot.Mean(kAwayFromFrame), RGB(255, 0, 0), 24);
    }));
}

TEST_F(OverlayMixerDesktop, DesktopIsUntouchedWhileItsColourIsNotTheKey) {
    TClickWindow standing(kStandingWindow, RGB(0, 200, 0));
    TDesktopForm form;
    PumpMessages(200);
    const TScreenShot before(kScreen);
    TPlayback playback("bars.mpg");
    StartDesktopScene(playback, form);
    const TScreenShot during(kScreen);
    EXPECT_EQ(before.CountDifferent(during, kScreen, 0), 0);
}

TEST_F(OverlayMixerScreen, BrightnessZeroDarkensThePicture) {
    TVideoPaneWindow scene(kFrame, kPane, kKeyInPane, kKey);
    TPlayback playback("white.mpg");
    StartWindowScene(playback, scene);
    const double normal = TScreenShot(kFrame).Luminance(Inset(kVideoOnScreen, 2));

    DDCOLORCONTROL control{};
    control.dwSize = sizeof control;
    control.dwFlags = DDCOLOR_BRIGHTNESS;
    control.lBrightness = 0;
    ASSERT_EQ(FirstPinConfig(playback.Mixer())->SetOverlaySurfaceColorControls(&control), S_OK);
    const RECT inside = Inset(kVideoOnScreen, 2);
    EXPECT_TRUE(WaitForScreen(inside, [&](const TScreenShot& shot) { return shot.Luminance(inside) < normal - 15; }));
}

}  // namespace
}  // namespace vorlinde::platform::test
