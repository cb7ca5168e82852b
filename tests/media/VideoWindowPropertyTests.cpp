// The video window without a graph: a new instance, FitRect, the digital zoom arithmetic and
// its range, joining and leaving a controller, the screen-saver commands and the cursor.
#include <gtest/gtest.h>

#include "VideoWindowTestSupport.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"

namespace {

using namespace vorlinde;

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(VideoWindowFitRect, AFourToThreeSourceInTheMainWindowPaneIsCentredAtFullHeight) {
    const RECT r = TDSVideoWindowEx2::FitRect(RECT{0, 0, 207, 135}, RECT{0, 0, 4, 3});
    EXPECT_TRUE(SameRect(r, RECT{13, 0, 193, 135}));
}

TEST(VideoWindowFitRect, ABoxOfTheSourceRatioTakesTheFullHeightBranchAndTheWholeBox) {
    const RECT r = TDSVideoWindowEx2::FitRect(RECT{10, 20, 170, 140}, RECT{0, 0, 4, 3});
    EXPECT_TRUE(SameRect(r, RECT{10, 20, 170, 140}));
}

TEST(VideoWindowFitRect, ATallBoxKeepsTheWidthAndCentresVertically) {
    const RECT r = TDSVideoWindowEx2::FitRect(RECT{0, 0, 160, 200}, RECT{0, 0, 4, 3});
    EXPECT_TRUE(SameRect(r, RECT{0, 40, 160, 160}));
}

TEST(VideoWindowFitRect, AZeroAspectRatioFillsTheBoxWithoutDividing) {
    EXPECT_TRUE(SameRect(TDSVideoWindowEx2::FitRect(RECT{0, 0, 207, 135}, RECT{0, 0, 0, 3}), RECT{0, 0, 207, 135}));
    EXPECT_TRUE(SameRect(TDSVideoWindowEx2::FitRect(RECT{0, 0, 207, 135}, RECT{0, 0, 4, 0}), RECT{0, 0, 207, 135}));
}

TEST(VideoWindowZoom, TenPercentOf640x480Is576x432At32And24) {
    const auto z = TDSVideoWindowEx2::ZoomSource(640, 480, 10);
    EXPECT_EQ(z.width, 576);
    EXPECT_EQ(z.height, 432);
    EXPECT_EQ(z.left, 32);
    EXPECT_EQ(z.top, 24);
}

TEST(VideoWindowZoom, ZeroKeepsTheWholePicture) {
    const auto z = TDSVideoWindowEx2::ZoomSource(640, 480, 0);
    EXPECT_EQ(z.width, 640);
    EXPECT_EQ(z.height, 480);
    EXPECT_EQ(z.left, 0);
    EXPECT_EQ(z.top, 0);
}

TEST(VideoWindowZoom, NinetyNineKeepsOnePercentOfTheWidth) {
    const auto z = TDSVideoWindowEx2::ZoomSource(640, 480, 99);
    EXPECT_EQ(z.width, 6);
    EXPECT_EQ(z.left, 316);
}

TEST(VideoWindowZoom, HundredIsRefusedWithItsMessageAndChangesNothing) {
    TDSVideoWindowEx2 window(nullptr);
    window.SetDigitalZoom(20);
    try {
        window.SetDigitalZoom(100);
        FAIL() << "no exception";
    } catch (const vl::Exception& e) {
        EXPECT_EQ(e.Message(), "Value 100 out of range. Value must bee between 0 -> 99");
    }
    EXPECT_EQ(window.DigitalZoom(), 20);
}

TEST(VideoWindowZoom, MinusOneIsRefused) {
    TDSVideoWindowEx2 window(nullptr);
    EXPECT_THROW(window.SetDigitalZoom(-1), vl::Exception);
}

TEST(VideoWindowNew, StartsWithItsDocumentedState) {
    TDSVideoWindowEx2 window(nullptr);
    EXPECT_EQ(window.Width(), 320);
    EXPECT_EQ(window.Height(), 240);
    EXPECT_EQ(window.Color(), 0x000000u);
    EXPECT_TRUE(window.TabStop());
    EXPECT_EQ(window.AspectRatio(), TRatioModes::rmLetterBox);
    EXPECT_EQ(window.ColorKey(), 0x100010u);
    EXPECT_FALSE(window.DesktopPlaying());
    EXPECT_FALSE(window.OverlayInUse());
    EXPECT_FALSE(window.OverlayVisible());
    EXPECT_FALSE(window.SetupDone());
    ASSERT_NE(window.DesktopForm(), nullptr);
    EXPECT_EQ(window.DesktopForm()->BorderStyle(), vl::TFormBorderStyle::None);
}

TEST(VideoWindowController, SettingTheFilterGraphJoinsAsMemberAndListenerAndLeavesTheOld) {
    TFilterGraph first(nullptr), second(nullptr);
    TDSVideoWindowEx2 window(nullptr);
    window.SetFilterGraph(&first);
    EXPECT_EQ(first.MemberCount(), 1);
    EXPECT_EQ(first.ListenerCount(), 1);
    window.SetFilterGraph(&second);
    EXPECT_EQ(first.MemberCount(), 0);
    EXPECT_EQ(first.ListenerCount(), 0);
    EXPECT_EQ(second.MemberCount(), 1);
    window.SetFilterGraph(nullptr);
    EXPECT_EQ(second.MemberCount(), 0);
}

TEST(VideoWindowController, ActivationAddsTheOwnVideoRendererUnderTheWindowName) {
    TFilterGraph graph(nullptr);
    TDSVideoWindowEx2 window(nullptr);
    window.SetName("Pane");
    window.SetFilterGraph(&graph);
    graph.SetActive(true);
    ASSERT_NE(window.OwnRenderer(), nullptr);
    EXPECT_NE(window.VideoWindow(), nullptr);
    EXPECT_EQ(videotest::FilterNames(graph), std::set<std::wstring>{L"Pane"});
    graph.SetActive(false);
    window.SetFilterGraph(nullptr);
}

TEST(VideoWindowController, TheWindowForgetsAControllerThatIsDestroyed) {
    TDSVideoWindowEx2 window(nullptr);
    {
        TFilterGraph graph(nullptr);
        window.SetFilterGraph(&graph);
    }
    EXPECT_EQ(window.FilterGraph(), nullptr);
}

TEST(VideoWindowController, QueriesTheWindowCannotAnswerGoToItsRenderer) {
    TFilterGraph graph(nullptr);
    TDSVideoWindowEx2 window(nullptr);
    TComPtr<IVideoWindow> none;
    EXPECT_EQ(window.QueryInterface(IID_IVideoWindow, none.ReceiveVoid()), E_NOINTERFACE);
    window.SetFilterGraph(&graph);
    graph.SetActive(true);
    TComPtr<IVideoWindow> video;
    EXPECT_EQ(window.QueryInterface(IID_IVideoWindow, video.ReceiveVoid()), S_OK);
    EXPECT_TRUE(SameComObject(video.Get(), window.VideoWindow()));
    video.Reset();
    graph.SetActive(false);
    window.SetFilterGraph(nullptr);
}

TEST(VideoWindowScreenSaver, WithNoScreenSaverTheScreenSaverCommandIsAnsweredByTheWindow) {
    vl::TForm form(nullptr);
    auto* window = new TDSVideoWindowEx2(&form);
    window->SetParent(&form);
    window->SetNoScreenSaver(true);
    EXPECT_EQ(SendMessageA(window->Handle(), WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_EQ(SendMessageA(window->Handle(), WM_SYSCOMMAND, SC_MONITORPOWER, 2), 0);
}

TEST(VideoWindowCursor, TheIdlePassHidesTheCursorThroughTheRendererWithoutOverlay) {
    TFilterGraph graph(nullptr);
    TDSVideoWindowEx2 window(nullptr);
    window.SetFilterGraph(&graph);
    graph.SetActive(true);
    std::vector<bool> shown;
    window.OnCursorShowHide = [&](vl::TObject*, bool v) { shown.push_back(v); };
    window.SetAutoHideCursor(1);
    Sleep(5);
    window.IdlePass();
    EXPECT_TRUE(window.CursorHiddenByIdle());
    EXPECT_EQ(shown, std::vector<bool>{false});
    graph.SetActive(false);
    window.SetFilterGraph(nullptr);
}

TEST(VideoWindowCursor, TheWindowIsAnIdleSubscriberWhileItLives) {
    const int before = vl::Application->IdleSubscriberCount();
    {
        TDSVideoWindowEx2 window(nullptr);
        TDSVideoWindowEx2 second(nullptr);
        EXPECT_EQ(vl::Application->IdleSubscriberCount(), before + 2);
    }
    EXPECT_EQ(vl::Application->IdleSubscriberCount(), before);
}

}  // namespace

namespace {

TEST(VideoWindowCursor, MovingTheMouseShowsTheHiddenCursorAgain) {
    vorlinde::TFilterGraph graph(nullptr);
    vl::TForm form(nullptr);
    auto* window = new vorlinde::TDSVideoWindowEx2(&form);
    window->SetParent(&form);
    window->SetFilterGraph(&graph);
    graph.SetActive(true);
    std::vector<bool> shown;
    window->OnCursorShowHide = [&](vl::TObject*, bool v) { shown.push_back(v); };
    window->SetAutoHideCursor(1);
    Sleep(5);
    window->IdlePass();
    SendMessageA(window->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 30));
    EXPECT_FALSE(window->CursorHiddenByIdle());
    EXPECT_EQ(shown, (std::vector<bool>{false, true}));
    graph.SetActive(false);
    window->SetFilterGraph(nullptr);
}

}  // namespace
