// The desktop layer on the desktops of stand-in Windows shells (tests/support/StandInShell.cpp),
// in processes that Wine tells they run on Windows 10: where the video goes on each layout,
// that the icons, the windows and the taskbar stay on top of it and take their clicks, that
// the shell's windows are as they were once desktop playback ends, and that the layer finds a
// restarted shell.
//
// Wine draws no window of one process inside a window of another: a layer that is a child of
// the shell's windows shows nothing on this screen (measured). Its picture is therefore taken
// from the layer itself (TScreenShot::OfWindow), at its place; the top-most surface of the
// fallback layouts is read off the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "OverlayTestSupport.h"
#include "ShellStandIn.h"
#include "WindowsVersion.h"
#include "platform/OverlayPresenter.h"

namespace vorlinde::platform::test {
namespace {

using standin::kIcons;

constexpr COLORREF kKey = RGB(16, 0, 16);
constexpr RECT kScreen{0, 0, 1280, 800};
// Bare desktop inside the video of the 16:9 clip letter-boxed on the screen (rows 40 to 760),
// away from the icons, the standing window and the taskbar.
constexpr RECT kBareDesktop{760, 580, 1120, 720};
constexpr RECT kStandingWindow{420, 450, 720, 650};
constexpr RECT kTaskbar{0, 800 - standin::kTaskbarHeight, 1280, 800};
constexpr DWORD kRestartLimitMs = 1000;

RECT Inset(RECT rect, int by) {
    InflateRect(&rect, -by, -by);
    return rect;
}

// The shown desktop layer: a top-level window of the layer class, or one inside a window of
// the shell.
HWND ShownDesktopLayer() {
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        char name[64] = "";
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpA(name, kOverlayLayerClass) == 0 && IsWindowVisible(window)) return window;
        for (HWND child = FindWindowExA(window, nullptr, kOverlayLayerClass, nullptr); child;
             child = FindWindowExA(window, child, kOverlayLayerClass, nullptr)) {
            if (IsWindowVisible(child)) return child;
        }
    }
    return nullptr;
}

bool IsTopMost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// A real X click where xdotool can be run, else one through the system's input.
void Click(POINT point) {
    if (!XClickAt(point.x, point.y)) ClickAt(point.x, point.y);
}

// Pictures taken 200 ms apart come to show moving video at `where` (within 3 s: the graph
// shows its first picture a while before it moves): neither the key nor black, and changing.
bool ShowsMovingVideo(const std::function<TScreenShot()>& take, const RECT& where, const char* failureShot) {
    TScreenShot last = take();
    const bool moving = PumpUntil(
        [&] {
            PumpMessages(200);
            TScreenShot next = take();
            const COLORREF mean = next.Mean(where);
            const bool changed = !SameColour(mean, kKey, 8) && !SameColour(mean, RGB(0, 0, 0), 8) &&
                                 last.CountDifferent(next, where, 16) > 100;
            last = std::move(next);
            return changed;
        },
        3000);
    if (!moving) last.Save(failureShot);
    return moving;
}

bool LayerShowsMovingVideo(HWND layer) {
    return ShowsMovingVideo([&] { return TScreenShot::OfWindow(layer); }, kBareDesktop, "shell-layer.bmp");
}

bool ScreenShowsMovingVideo() {
    return ShowsMovingVideo([] { return TScreenShot(kScreen); }, kBareDesktop, "shell-screen.bmp");
}

// Desktop playback as the video window sets it up: the desktop colour is the key, the renderer
// window sits hidden in a hidden screen-sized form, and the clip plays through the mixer.
class TDesktopScene {
public:
    // A clip that moves all over and plays long enough for every test.
    TDesktopScene() : keyed_(std::make_unique<TDesktopColour>(kKey)), playback_("demo-3.mpg") {}

    // Plays, waits until the desktop layer shows and the shell has put its windows in order.
    bool Start() {
        if (playback_.InsertMixer() != S_OK) return false;
        playback_.PlaceRenderer(form_.Handle(), kScreen, false);
        if (FAILED(playback_.Run())) return false;
        if (!PumpUntil([] { return ShownDesktopLayer() != nullptr; }, 3000)) return false;
        PumpMessages(300);
        return true;
    }

    // Desktop playback ends: the desktop colour goes back (the clip plays on, in the pane).
    void EndDesktopPlayback() { keyed_.reset(); }

private:
    std::unique_ptr<TDesktopColour> keyed_;
    TDesktopForm form_;
    TPlayback playback_;
};

class OverlayMixerShell : public testing::Test {
protected:
    void SetUp() override {
        if (!SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
        // A desktop colour that is not the key, whatever an earlier test left.
        desktop_ = std::make_unique<TDesktopColour>(RGB(58, 110, 165));
    }

    // Every icon shows on the screen in its own colour.
    static void ExpectIconsShown() {
        const TScreenShot shot(kScreen);
        for (const auto& icon : kIcons) {
            EXPECT_TRUE(SameColour(shot.Mean(Inset(icon.square, 3)), icon.colour, 8)) << icon.name;
        }
        if (testing::Test::HasFailure()) shot.Save("shell-icons.bmp");
    }

    // A click on an icon reaches the icon view.
    static void ExpectIconTakesAClick(const TShellStandIn& shell) {
        Click(IconCentre(kIcons[1]));
        EXPECT_TRUE(PumpUntil([&] { return shell.IconViewText() == "Movies 1"; }, 2000)) << shell.IconViewText();
    }

    // The standing window and the taskbar show as they are, and the window takes a click.
    static void ExpectWindowAndTaskbarOnTop(TClickWindow& standing) {
        const TScreenShot shot(kScreen);
        EXPECT_EQ(shot.Mean(Inset(kStandingWindow, 2)), RGB(0, 200, 0));
        EXPECT_EQ(shot.Mean(Inset(kTaskbar, 2)), standin::kTaskbarColour);
        if (testing::Test::HasFailure()) shot.Save("shell-windows.bmp");
        Click(POINT{570, 550});
        EXPECT_TRUE(PumpUntil([&] { return standing.Clicks() == 1; }, 2000));
    }

    // Desktop playback ends, and no window of this process stays inside the shell's windows.
    static void EndAndWaitUntilTheShellIsLeft(TDesktopScene& scene, const TShellStandIn& shell) {
        scene.EndDesktopPlayback();
        EXPECT_TRUE(PumpUntil([&] { return shell.ForeignChildren().empty() && !ShownDesktopLayer(); }, 2000));
    }

    // The shell is killed and started again in the middle of desktop playback: the layer is
    // back in `placed` of the new shell within the limit, counted from the new shell's start.
    static void ExpectRestartFound(TShellStandIn& shell, const std::function<bool(HWND layer)>& placed) {
        shell.Kill();
        const DWORD started = GetTickCount();
        ASSERT_TRUE(shell.Start());
        EXPECT_TRUE(PumpUntil(
            [&] {
                HWND layer = ShownDesktopLayer();
                return layer && placed(layer);
            },
            kRestartLimitMs));
        const DWORD took = GetTickCount() - started;
        EXPECT_LE(took, kRestartLimitMs);
        RecordProperty("RestartMs", static_cast<int>(took));
        HWND layer = ShownDesktopLayer();
        ASSERT_NE(layer, nullptr);
        EXPECT_TRUE(LayerShowsMovingVideo(layer));
    }

    std::unique_ptr<TDesktopColour> desktop_;
};

// ---- Windows 8 to 11 23H2: the background WorkerW --------------------------------------------

TEST_F(OverlayMixerShell, WorkerWLayoutShowsTheVideoInTheBackgroundWorkerW) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutWorkerW);
    ASSERT_TRUE(shell.Started());
    TDesktopScene scene;
    ASSERT_TRUE(scene.Start());
    HWND layer = ShownDesktopLayer();
    ASSERT_NE(layer, nullptr);
    HWND background = shell.Wallpaper();
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(GetParent(layer), background);
    EXPECT_FALSE(IsTopMost(layer));
    // The background lies behind the icons' WorkerW.
    HWND after = shell.IconHolder();
    while (after && after != background) after = GetWindow(after, GW_HWNDNEXT);
    EXPECT_EQ(after, background);
    RECT rect;
    GetWindowRect(layer, &rect);
    EXPECT_TRUE(EqualRect(&rect, &kScreen));
    EXPECT_TRUE(LayerShowsMovingVideo(layer));
}

TEST_F(OverlayMixerShell, WorkerWLayoutKeepsTheIconsOnTopAndClickable) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutWorkerW);
    ASSERT_TRUE(shell.Started());
    TDesktopScene scene;
    ASSERT_TRUE(scene.Start());
    ExpectIconsShown();
    ExpectIconTakesAClick(shell);
}

TEST_F(OverlayMixerShell, WorkerWLayoutLeavesWindowsAndTheTaskbarOnTop) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutWorkerW);
    ASSERT_TRUE(shell.Started());
    TClickWindow standing(kStandingWindow, RGB(0, 200, 0));
    TDesktopScene scene;
    ASSERT_TRUE(scene.Start());
    ExpectWindowAndTaskbarOnTop(standing);
}

TEST_F(OverlayMixerShell, WorkerWLayoutIsAsItWasAfterDesktopPlayback) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutWorkerW);
    ASSERT_TRUE(shell.Started());
    // The shell as programs find it once someone asked for the background window.
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(shell.Progman(), standin::kRaiseBackgroundWorker, 0, 0, SMTO_NORMAL, 1000, &answer);
    const auto before = shell.Windows();
    TDesktopScene scene;
    ASSERT_TRUE(scene.Start());
    EXPECT_EQ(shell.ForeignChildren().size(), 1u);
    EndAndWaitUntilTheShellIsLeft(scene, shell);
    EXPECT_EQ(shell.Windows(), before);
}

TEST_F(OverlayMixerShell, WorkerWLayoutFindsTheRestartedShellWithinASecond) {
    if (RunAsWindows10()) return;
    const int windowsBefore = WindowsOfProcess(GetCurrentProcessId());
    {
        TShellStandIn shell(standin::kLayoutWorkerW);
        ASSERT_TRUE(shell.Started());
        TDesktopScene scene;
        ASSERT_TRUE(scene.Start());
        ExpectRestartFound(shell, [&](HWND layer) { return GetParent(layer) == shell.Wallpaper(); });
    }
    PumpMessages(50);
    // Nothing of the first shell's layer, the top-most one meanwhile or the second one is left.
    EXPECT_EQ(WindowsOfProcess(GetCurrentProcessId()), windowsBefore);
}

// ---- Windows 11 24H2 and later: in Progman, between the icons and the wallpaper -------------

TEST_F(OverlayMixerShell, ProgmanLayoutShowsTheVideoBetweenTheIconsAndTheWallpaper) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutProgman);
    ASSERT_TRUE(shell.Started());
    TDesktopScene scene;
    ASSERT_TRUE(scene.Start());
    HWND layer = ShownDesktopLayer();
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(GetParent(layer), shell.Progman());
    EXPECT_EQ(GetWindow(shell.IconView(), GW_HWNDNEXT), layer);
    EXPECT_EQ(GetWindow(layer, GW_HWNDNEXT), shell.Wallpaper());
    EXPECT_TRUE(LayerShowsMovingVideo(layer));
}

TEST_F(OverlayMixerShell, ProgmanLayoutKeepsTheIconsOnTopAndClickable) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutProgman);
    ASSERT_TRUE(shell.Started());
    TDesktopScene scene;
    ASSERT_TRUE(scene.Start());
    ExpectIconsShown();
    ExpectIconTakesAClick(shell);
}

TEST_F(OverlayMixerShell, ProgmanLayoutLeavesWindowsAndTheTaskbarOnTop) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutProgman);
    ASSERT_TRUE(shell.Started());
    TClickWindow standing(kStandingWindow, RGB(0, 200, 0));
    TDesktopScene scene;
    ASSERT_TRUE(scene.Start());
    ExpectWindowAndTaskbarOnTop(standing);
}

TEST_F(OverlayMixerShell, ProgmanLayoutIsAsItWasAfterDesktopPlayback) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutProgman);
    ASSERT_TRUE(shell.Started());
    const auto before = shell.Windows();
    TDesktopScene scene;
    ASSERT_TRUE(scene.Start());
    EXPECT_EQ(shell.ForeignChildren().size(), 1u);
    EndAndWaitUntilTheShellIsLeft(scene, shell);
    EXPECT_EQ(shell.Windows(), before);
}

TEST_F(OverlayMixerShell, ProgmanLayoutFindsTheRestartedShellWithinASecond) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutProgman);
    ASSERT_TRUE(shell.Started());
    TDesktopScene scene;
    ASSERT_TRUE(scene.Start());
    ExpectRestartFound(shell, [&](HWND layer) { return GetParent(layer) == shell.Progman(); });
}

// ---- No background WorkerW, no icon view: the top-most surface -------------------------------

TEST_F(OverlayMixerShell, NoWorkerWLayoutShowsTheVideoOnTheBareDesktop) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutNoWorkerW);
    ASSERT_TRUE(shell.Started());
    TDesktopScene scene;
    ASSERT_TRUE(scene.Start());
    HWND layer = ShownDesktopLayer();
    ASSERT_NE(layer, nullptr);
    EXPECT_TRUE(IsTopMost(layer));
    EXPECT_EQ(GetAncestor(layer, GA_PARENT), GetDesktopWindow());
    EXPECT_TRUE(ScreenShowsMovingVideo());
}

TEST_F(OverlayMixerShell, NoWorkerWLayoutKeepsTheIconsVisibleAndClickable) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutNoWorkerW);
    ASSERT_TRUE(shell.Started());
    TDesktopScene scene;
    ASSERT_TRUE(scene.Start());
    ExpectIconsShown();
    ExpectIconTakesAClick(shell);
}

TEST_F(OverlayMixerShell, NoWorkerWLayoutLeavesWindowsAndTheTaskbarOnTop) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutNoWorkerW);
    ASSERT_TRUE(shell.Started());
    TClickWindow standing(kStandingWindow, RGB(0, 200, 0));
    TDesktopScene scene;
    ASSERT_TRUE(scene.Start());
    ExpectWindowAndTaskbarOnTop(standing);
}

TEST_F(OverlayMixerShell, NoWorkerWLayoutIsAsItWasAfterDesktopPlayback) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutNoWorkerW);
    ASSERT_TRUE(shell.Started());
    const auto before = shell.Windows();
    TDesktopScene scene;
    ASSERT_TRUE(scene.Start());
    EndAndWaitUntilTheShellIsLeft(scene, shell);
    EXPECT_EQ(shell.Windows(), before);
}

TEST_F(OverlayMixerShell, NoIconsLayoutShowsTheVideoOnTheBareDesktop) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutNoIcons);
    ASSERT_TRUE(shell.Started());
    TDesktopScene scene;
    ASSERT_TRUE(scene.Start());
    HWND layer = ShownDesktopLayer();
    ASSERT_NE(layer, nullptr);
    EXPECT_TRUE(IsTopMost(layer));
    EXPECT_TRUE(ScreenShowsMovingVideo());
}

TEST_F(OverlayMixerShell, NoIconsLayoutLeavesWindowsAndTheTaskbarOnTop) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutNoIcons);
    ASSERT_TRUE(shell.Started());
    TClickWindow standing(kStandingWindow, RGB(0, 200, 0));
    TDesktopScene scene;
    ASSERT_TRUE(scene.Start());
    ExpectWindowAndTaskbarOnTop(standing);
}

}  // namespace
}  // namespace vorlinde::platform::test
