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

#include <cstdio>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

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

    // Starts the stand-in shell of `layout`.
    bool StartShell(const char* layout) {
        shell_ = std::make_unique<TShellStandIn>(layout);
        return shell_->Started();
    }
    // Starts desktop playback; the shown desktop layer, or null.
    HWND StartDesktopPlayback() {
        scene_ = std::make_unique<TDesktopScene>();
        return scene_->Start() ? ShownDesktopLayer() : nullptr;
    }
    TShellStandIn& Shell() { return *shell_; }
    TDesktopScene& Scene() { return *scene_; }
    // Playback first, then the shell.
    void End() {
        scene_.reset();
        shell_.reset();
    }

    std::unique_ptr<TDesktopColour> desktop_;
    std::unique_ptr<TShellStandIn> shell_;
    std::unique_ptr<TDesktopScene> scene_;
};

// ---- Where the video goes, per layout --------------------------------------------------------

// Windows 8 to 11 23H2: in the background WorkerW behind the icons' WorkerW.
TEST_F(OverlayMixerShell, WorkerWLayoutShowsTheVideoInTheBackgroundWorkerW) {
    if (RunAsWindows10()) return;
    ASSERT_TRUE(StartShell(standin::kLayoutWorkerW));
    HWND layer = StartDesktopPlayback();
    ASSERT_NE(layer, nullptr);
    HWND background = Shell().Wallpaper();
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(GetParent(layer), background);
    EXPECT_FALSE(IsTopMost(layer));
    // The background lies behind the icons' WorkerW.
    HWND after = Shell().IconHolder();
    while (after && after != background) after = GetWindow(after, GW_HWNDNEXT);
    EXPECT_EQ(after, background);
    RECT rect;
    GetWindowRect(layer, &rect);
    EXPECT_TRUE(EqualRect(&rect, &kScreen));
    EXPECT_TRUE(LayerShowsMovingVideo(layer));
}

// Windows 11 24H2 and later: in Progman, right below the icons and above the wallpaper.
TEST_F(OverlayMixerShell, ProgmanLayoutShowsTheVideoBetweenTheIconsAndTheWallpaper) {
    if (RunAsWindows10()) return;
    ASSERT_TRUE(StartShell(standin::kLayoutProgman));
    HWND layer = StartDesktopPlayback();
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(GetParent(layer), Shell().Progman());
    EXPECT_EQ(GetWindow(Shell().IconView(), GW_HWNDNEXT), layer);
    EXPECT_EQ(GetWindow(layer, GW_HWNDNEXT), Shell().Wallpaper());
    EXPECT_TRUE(LayerShowsMovingVideo(layer));
}

// No background window after 0x052C: the top-most surface, on the screen.
TEST_F(OverlayMixerShell, NoWorkerWLayoutShowsTheVideoOnTheBareDesktop) {
    if (RunAsWindows10()) return;
    ASSERT_TRUE(StartShell(standin::kLayoutNoWorkerW));
    HWND layer = StartDesktopPlayback();
    ASSERT_NE(layer, nullptr);
    EXPECT_TRUE(IsTopMost(layer));
    EXPECT_EQ(GetAncestor(layer, GA_PARENT), GetDesktopWindow());
    EXPECT_TRUE(ScreenShowsMovingVideo());
}

// No icon view: the top-most surface too, though 0x052C brought a WorkerW.
TEST_F(OverlayMixerShell, NoIconsLayoutShowsTheVideoOnTheBareDesktop) {
    if (RunAsWindows10()) return;
    ASSERT_TRUE(StartShell(standin::kLayoutNoIcons));
    HWND layer = StartDesktopPlayback();
    ASSERT_NE(layer, nullptr);
    EXPECT_TRUE(IsTopMost(layer));
    EXPECT_TRUE(ScreenShowsMovingVideo());
}

// A display change: the shell makes its desktop windows anew, and the layer follows it into the
// new background window within a second, leaving nothing behind.
TEST_F(OverlayMixerShell, WorkerWLayoutFollowsTheShellThroughADisplayChange) {
    if (RunAsWindows10()) return;
    ASSERT_TRUE(StartShell(standin::kLayoutWorkerW));
    ASSERT_NE(StartDesktopPlayback(), nullptr);
    HWND oldBackground = Shell().Wallpaper();
    ASSERT_NE(oldBackground, nullptr);
    const int windowsPlaying = WindowsOfProcess(GetCurrentProcessId());
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_DISPLAYCHANGE, 32, MAKELPARAM(kScreen.right, kScreen.bottom), SMTO_NORMAL,
                        1000, &answer);
    EXPECT_FALSE(IsWindow(oldBackground));
    EXPECT_TRUE(PumpUntil(
        [&] {
            HWND layer = ShownDesktopLayer();
            return layer && Shell().Wallpaper() && GetParent(layer) == Shell().Wallpaper();
        },
        kRestartLimitMs));
    HWND layer = ShownDesktopLayer();
    ASSERT_NE(layer, nullptr);
    EXPECT_TRUE(LayerShowsMovingVideo(layer));
    EXPECT_EQ(Shell().ForeignChildren().size(), 1u);
    EXPECT_EQ(WindowsOfProcess(GetCurrentProcessId()), windowsPlaying);
}

// ---- What every layout keeps ------------------------------------------------------------------

struct TLayout {
    const char* layout;
    const char* name;     // for the test's name
    bool behindTheIcons;  // the layer is a child window of the shell
};

class OverlayMixerShellLayout : public OverlayMixerShell, public testing::WithParamInterface<TLayout> {
protected:
    const char* Layout() const { return GetParam().layout; }
};

std::string LayoutName(const testing::TestParamInfo<TLayout>& info) { return info.param.name; }
void PrintTo(const TLayout& layout, std::ostream* out) { *out << layout.layout; }

constexpr TLayout kWorkerW{standin::kLayoutWorkerW, "WorkerW", true};
constexpr TLayout kProgman{standin::kLayoutProgman, "Progman", true};
constexpr TLayout kNoWorkerW{standin::kLayoutNoWorkerW, "NoWorkerW", false};
constexpr TLayout kNoIcons{standin::kLayoutNoIcons, "NoIcons", false};

TEST_P(OverlayMixerShellLayout, LeavesWindowsAndTheTaskbarOnTop) {
    if (RunAsWindows10()) return;
    ASSERT_TRUE(StartShell(Layout()));
    TClickWindow standing(kStandingWindow, RGB(0, 200, 0));
    ASSERT_NE(StartDesktopPlayback(), nullptr);
    const TScreenShot shot(kScreen);
    EXPECT_EQ(shot.Mean(Inset(kStandingWindow, 2)), RGB(0, 200, 0));
    EXPECT_EQ(shot.Mean(Inset(kTaskbar, 2)), standin::kTaskbarColour);
    if (HasFailure()) shot.Save("shell-windows.bmp");
    Click(POINT{570, 550});
    EXPECT_TRUE(PumpUntil([&] { return standing.Clicks() == 1; }, 2000));
}

TEST_P(OverlayMixerShellLayout, IsAsItWasAfterDesktopPlayback) {
    if (RunAsWindows10()) return;
    ASSERT_TRUE(StartShell(Layout()));
    // The shell as programs find it once someone asked for the background window.
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(Shell().Progman(), standin::kRaiseBackgroundWorker, 0, 0, SMTO_NORMAL, 1000, &answer);
    PumpMessages(200);
    const auto before = Shell().Windows();
    ASSERT_NE(StartDesktopPlayback(), nullptr);
    EXPECT_EQ(Shell().ForeignChildren().size(), GetParam().behindTheIcons ? 1u : 0u);
    Scene().EndDesktopPlayback();
    // No window of this process stays inside the shell's windows.
    EXPECT_TRUE(PumpUntil([&] { return Shell().ForeignChildren().empty() && !ShownDesktopLayer(); }, 2000));
    EXPECT_EQ(Shell().Windows(), before);
}

INSTANTIATE_TEST_SUITE_P(Layouts, OverlayMixerShellLayout, testing::Values(kWorkerW, kProgman, kNoWorkerW, kNoIcons),
                         LayoutName);

using OverlayMixerShellIcons = OverlayMixerShellLayout;

TEST_P(OverlayMixerShellIcons, StayOnTopAndTakeClicks) {
    if (RunAsWindows10()) return;
    ASSERT_TRUE(StartShell(Layout()));
    ASSERT_NE(StartDesktopPlayback(), nullptr);
    const TScreenShot shot(kScreen);
    for (const auto& icon : kIcons) {
        EXPECT_TRUE(SameColour(shot.Mean(Inset(icon.square, 3)), icon.colour, 8)) << icon.name;
    }
    if (HasFailure()) shot.Save("shell-icons.bmp");
    Click(IconCentre(kIcons[1]));
    EXPECT_TRUE(PumpUntil([&] { return Shell().IconViewText() == "Movies 1"; }, 2000)) << Shell().IconViewText();
}

INSTANTIATE_TEST_SUITE_P(Layouts, OverlayMixerShellIcons, testing::Values(kWorkerW, kProgman, kNoWorkerW),
                         LayoutName);

// The shell is killed and started again in the middle of desktop playback: the layer is back
// in the new shell's windows within a second of its start, and shows the video again; and
// nothing is left of the layers in between.
class OverlayMixerShellRestart : public OverlayMixerShellLayout {
protected:
    // Where the layer belongs in the shell.
    static HWND Host(const TShellStandIn& shell) {
        return shell.Layout() == standin::kLayoutProgman ? shell.Progman() : shell.Wallpaper();
    }
};

TEST_P(OverlayMixerShellRestart, FindsTheNewShellWithinASecond) {
    if (RunAsWindows10()) return;
    const int windowsBefore = WindowsOfProcess(GetCurrentProcessId());
    ASSERT_TRUE(StartShell(Layout()));
    ASSERT_NE(StartDesktopPlayback(), nullptr);
    Shell().Kill();
    // Timed from the new shell's windows being up: starting a process under Wine takes
    // 0.5-1.2 s on a busy machine, which is not the layer's part.
    ASSERT_TRUE(Shell().Start());
    const DWORD started = GetTickCount();
    EXPECT_TRUE(PumpUntil(
        [&] {
            HWND layer = ShownDesktopLayer();
            return layer && GetParent(layer) == Host(Shell());
        },
        kRestartLimitMs));
    const DWORD took = GetTickCount() - started;
    EXPECT_LE(took, kRestartLimitMs);
    RecordProperty("RestartMs", static_cast<int>(took));
    std::printf("The new shell's host was found %lu ms after its windows were up\n", static_cast<unsigned long>(took));
    HWND layer = ShownDesktopLayer();
    ASSERT_NE(layer, nullptr);
    EXPECT_TRUE(LayerShowsMovingVideo(layer));
    End();
    PumpMessages(50);
    EXPECT_EQ(WindowsOfProcess(GetCurrentProcessId()), windowsBefore);
}

INSTANTIATE_TEST_SUITE_P(Layouts, OverlayMixerShellRestart, testing::Values(kWorkerW, kProgman), LayoutName);

}  // namespace
}  // namespace vorlinde::platform::test
