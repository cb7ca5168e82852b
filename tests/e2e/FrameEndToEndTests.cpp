// vorlinde.exe's skinned windows driven with the real X pointer and keyboard (xdotool): the
// settings window moved by its title bar, closed by its close button, its system menu opened
// with Alt+Space, its help button opening the help file, and the About window opened, framed,
// and closed by its own close button.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>

#include "E2ESupport.h"

namespace {

using e2e::ShownWindow;
using e2e::WaitForWindow;

constexpr UINT kTrayCallbackMessage = WM_USER + 1024;
constexpr WPARAM kTrayIconId = 1;

// Runs xdotool from Wine as a Unix program; false where that cannot be done.
bool XDo(const std::string& arguments) {
    std::string command = "start.exe /wait /unix /usr/bin/xdotool " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process))
        return false;
    const bool finished = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return finished && code == 0;
}

std::string At(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// The screen point of the close button: the rightmost title bar button of the Protein look,
// 19 x 19 at the bar's right edge, 3 pixels in from the window's edges, one pixel above the bar.
POINT CloseButton(HWND window) {
    const RECT r = WindowRect(window);
    return POINT{r.right - 3 - 10, r.top + 3 - 1 + 10};
}

// The help button: left of the close button with a one-pixel gap.
POINT HelpButton(HWND window) {
    const POINT close = CloseButton(window);
    return POINT{close.x - 19 - 1, close.y};
}

std::string ProcessImage(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process) return {};
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    const BOOL ok = QueryFullProcessImageNameA(process, 0, path, &size);
    CloseHandle(process);
    return ok ? path : "";
}

class E2EFrame : public testing::Test {
protected:
    void SetUp() override {
        e2e::DeleteProgramSettings();
        if (!XDo("version")) GTEST_SKIP() << "xdotool cannot be run here";
    }
    void TearDown() override { e2e::DeleteProgramSettings(); }

    // The program started with an empty playlist: its settings window shows itself.
    HWND StartShown(e2e::TProgram& program) {
        EXPECT_TRUE(program.Started());
        HWND window = WaitForWindow([] { return ShownWindow("TForm1", "Vorlinde"); }, 15000);
        Sleep(300);  // painted and settled
        return window;
    }

    static void EndProgram(e2e::TProgram& program, HWND window) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        DWORD exitCode = 1234;
        EXPECT_TRUE(program.WaitForExit(10000, exitCode));
    }
};

TEST_F(E2EFrame, TheSettingsWindowHasNoNativeCaption) {
    e2e::TProgram program;
    HWND window = StartShown(program);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, 0);
    EndProgram(program, window);
}

TEST_F(E2EFrame, DraggingTheTitleBarMovesTheWindow) {
    e2e::TProgram program;
    HWND window = StartShown(program);
    ASSERT_NE(window, nullptr);
    const RECT before = WindowRect(window);
    const int x = before.left + 200, y = before.top + 12;
    ASSERT_TRUE(XDo("mousemove " + At(x, y) + " mousedown 1 sleep 0.2 mousemove " + At(x + 30, y + 20) +
                    " sleep 0.2 mousemove " + At(x - 60, y + 40) + " sleep 0.2 mouseup 1"));
    const bool moved = WaitForWindow(
        [&] { return WindowRect(window).left == before.left - 60 ? window : nullptr; }, 3000) != nullptr;
    EXPECT_TRUE(moved) << "the window stayed where it was";
    const RECT after = WindowRect(window);
    EXPECT_EQ(after.left - before.left, -60);
    EXPECT_EQ(after.top - before.top, 40);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EndProgram(program, window);
}

TEST_F(E2EFrame, TheCloseButtonEndsTheProgramAndLeavesTheDesktopAsItWas) {
    e2e::TMarkedDesktop desktop;
    e2e::TProgram program;
    HWND window = StartShown(program);
    ASSERT_NE(window, nullptr);
    const POINT close = CloseButton(window);
    ASSERT_TRUE(XDo("mousemove " + At(close.x, close.y) + " sleep 0.2 click 1"));
    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(10000, exitCode)) << "the program did not end";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(e2e::TMarkedDesktop::Marked());
}

TEST_F(E2EFrame, AltSpaceOpensTheSystemMenu) {
    e2e::TProgram program;
    HWND window = StartShown(program);
    ASSERT_NE(window, nullptr);
    const RECT r = WindowRect(window);
    // A click on an empty spot of the window gives it the keyboard.
    ASSERT_TRUE(XDo("mousemove " + At(r.left + 20, r.top + 460) + " click 1 sleep 0.3 key alt+space"));
    HWND menu = WaitForWindow([] { return ShownWindow("#32768", nullptr); }, 5000);
    ASSERT_NE(menu, nullptr) << "no system menu";
    const RECT m = WindowRect(menu);
    EXPECT_EQ(m.left, r.left);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_NE(WaitForWindow([] { return ShownWindow("#32768", nullptr) ? nullptr : HWND(1); }, 3000), nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EndProgram(program, window);
}

TEST_F(E2EFrame, TheHelpButtonOpensTheHelpFileBesideTheProgramInTheHelpViewer) {
    e2e::TProgram program;
    HWND window = StartShown(program);
    ASSERT_NE(window, nullptr);
    const POINT help = HelpButton(window);
    ASSERT_TRUE(XDo("mousemove " + At(help.x, help.y) + " sleep 0.2 click 1"));
    // The viewer's window takes the title that HELP.chm gives.
    HWND viewer = WaitForWindow([] { return ShownWindow(nullptr, "Vorlinde Help"); }, 15000);
    ASSERT_NE(viewer, nullptr) << "no help viewer showed HELP.chm";
    std::string image = ProcessImage(viewer);
    for (char& c : image) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(image.find("hh.exe"), std::string::npos) << image;
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    EXPECT_NE(WaitForWindow([] { return ShownWindow(nullptr, "Vorlinde Help") ? nullptr : HWND(1); }, 5000), nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EndProgram(program, window);
}

// Waits for the About window, checks its frame and closes it with its close button.
void CloseTheAboutWindowByItsButton() {
    HWND about = WaitForWindow([] { return ShownWindow("TForm2", "About.."); }, 5000);
    ASSERT_NE(about, nullptr) << "the About window did not open";
    Sleep(300);
    EXPECT_EQ(GetWindowLongA(about, GWL_STYLE) & WS_CAPTION, 0);
    const POINT close = CloseButton(about);
    ASSERT_TRUE(XDo("mousemove " + At(close.x, close.y) + " sleep 0.2 click 1"));
    EXPECT_NE(WaitForWindow([about] { return IsWindowVisible(about) ? nullptr : about; }, 3000), nullptr)
        << "the About window stayed open";
}

TEST_F(E2EFrame, TheAboutWindowOpensFromTheTrayAndClosesByItsCloseButton) {
    e2e::TProgram program;
    HWND window = StartShown(program);
    ASSERT_NE(window, nullptr);
    HWND tray = program.Window("TTrayIconHandler");
    ASSERT_NE(tray, nullptr);
    PostMessageA(tray, kTrayCallbackMessage, kTrayIconId, WM_RBUTTONDOWN);
    HWND menu = WaitForWindow([] { return ShownWindow("#32768", nullptr); }, 5000);
    ASSERT_NE(menu, nullptr);
    // Up from no selection reaches "&Exit"; once more, "&About..".
    PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    CloseTheAboutWindowByItsButton();
    EXPECT_TRUE(IsWindowVisible(window));
    EndProgram(program, window);
}

TEST_F(E2EFrame, TheAboutWindowOpensFromTheAboutButtonAndClosesByItsCloseButton) {
    e2e::TProgram program;
    HWND window = StartShown(program);
    ASSERT_NE(window, nullptr);
    POINT button{208 + 44, 496 + 12};  // "&About.." inside the frame, which starts 3 pixels in
    ClientToScreen(window, &button);
    ASSERT_TRUE(XDo("mousemove " + At(button.x, button.y) + " sleep 0.2 click 1"));
    CloseTheAboutWindowByItsButton();
    EndProgram(program, window);
}

}  // namespace
