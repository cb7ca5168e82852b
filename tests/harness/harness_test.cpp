// Checks that the test environment is what the other suites assume: the sample
// movies were made, the screen is 1280x800, a window shows on the display,
// synthesized keyboard and mouse input reach it, and the program resources
// (icon, version information) are linked in.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// VORLINDE_SAMPLES_DIR is a build-machine path. Under Wine a Unix path such as
// "/work/build/samples" is reached through drive Z:, which maps to "/" (Wine
// also accepts the bare Unix path, but the drive form is what a program sees).
std::string SamplePath(const std::string& name) {
    std::string dir = VORLINDE_SAMPLES_DIR;
    if (!dir.empty() && dir.front() == '/') {
        dir = "Z:" + dir;
    }
    for (char& c : dir) {
        if (c == '/') c = '\\';
    }
    return dir + "\\" + name;
}

// Size of a file in bytes, or -1 when it cannot be opened.
long long FileSize(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    LARGE_INTEGER size{};
    const BOOL ok = GetFileSizeEx(file, &size);
    CloseHandle(file);
    return ok ? size.QuadPart : -1;
}

bool SamplesAvailable() { return std::string(VORLINDE_SAMPLES_DIR).size() > 0; }

// Checks that every named clip is in the samples folder and holds some data.
void ExpectClips(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        const std::string path = SamplePath(name);
        EXPECT_GT(FileSize(path), 1000) << path;
    }
}

TEST(HarnessSamples, TestClipsExistAndAreNotEmpty) {
    if (!SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
    ExpectClips({"red.mpg", "green.mpg", "blue.mpg", "yellow.wmv", "cyan.asf", "magenta.dat",
                 "white.mpg", "bars.mpg"});
}

TEST(HarnessSamples, DemoClipsExistAndAreNotEmpty) {
    if (!SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
    ExpectClips({"demo-1.mpg", "demo-2.wmv", "demo-3.mpg"});
}

TEST(HarnessSamples, NotAMovieIsAShortTextFile) {
    if (!SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
    const long long size = FileSize(SamplePath("notamovie.mpg"));
    EXPECT_GT(size, 0);
    EXPECT_LT(size, 200);
}

TEST(HarnessDisplay, ScreenIs1280x800) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 800);
}

// Processes pending messages for about the given time.
void PumpMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

// A top-level window whose client area is filled with one colour by the class
// background brush; destroyed and unregistered at the end of the test.
class ColouredWindow {
public:
    explicit ColouredWindow(COLORREF colour) : brush_(CreateSolidBrush(colour)) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = brush_;
        wc.lpszClassName = kClassName;
        atom_ = RegisterClassA(&wc);
        if (atom_ != 0) {
            hwnd_ = CreateWindowExA(WS_EX_TOPMOST, kClassName, "Harness", WS_POPUP, 200, 150, 320, 240,
                                    nullptr, nullptr, wc.hInstance, nullptr);
        }
    }
    ~ColouredWindow() {
        if (hwnd_) DestroyWindow(hwnd_);
        if (atom_) UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
        DeleteObject(brush_);
    }
    ColouredWindow(const ColouredWindow&) = delete;
    ColouredWindow& operator=(const ColouredWindow&) = delete;

    HWND hwnd() const { return hwnd_; }

private:
    static constexpr const char* kClassName = "VorlindeHarnessWindow";
    HBRUSH brush_;
    ATOM atom_ = 0;
    HWND hwnd_ = nullptr;
};

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

TEST(HarnessDisplay, WindowShowsOnTheScreen) {
    const COLORREF colour = RGB(0x20, 0x80, 0xC0);
    ColouredWindow window(colour);
    ASSERT_NE(window.hwnd(), nullptr);

    ShowWindow(window.hwnd(), SW_SHOWNORMAL);
    UpdateWindow(window.hwnd());
    EXPECT_TRUE(IsWindowVisible(window.hwnd()));

    RECT rect{};
    GetWindowRect(window.hwnd(), &rect);
    EXPECT_EQ(rect.left, 200);
    EXPECT_EQ(rect.top, 150);
    EXPECT_EQ(rect.right - rect.left, 320);
    EXPECT_EQ(rect.bottom - rect.top, 240);

    // The X server draws asynchronously: wait up to two seconds for the colour.
    COLORREF seen = CLR_INVALID;
    for (int i = 0; i < 20 && seen != colour; ++i) {
        PumpMessages(100);
        seen = ScreenPixel(360, 270);
    }
    EXPECT_EQ(seen, colour);
}

// A top-level window holding one edit control, for the input checks below.
class EditWindow {
public:
    EditWindow() {
        frame_ = CreateWindowExA(0, "STATIC", "Harness input", WS_POPUP | WS_BORDER, 100, 100, 300, 120,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (frame_) {
            edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200, 24,
                                    frame_, nullptr, GetModuleHandleA(nullptr), nullptr);
        }
    }
    ~EditWindow() {
        if (frame_) DestroyWindow(frame_);
    }
    EditWindow(const EditWindow&) = delete;
    EditWindow& operator=(const EditWindow&) = delete;

    HWND frame() const { return frame_; }
    HWND edit() const { return edit_; }

private:
    HWND frame_ = nullptr;
    HWND edit_ = nullptr;
};

std::string WindowText(HWND hwnd) {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

void SendKey(WORD key) {
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = key;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

TEST(HarnessInput, KeyboardReachesTheFocusedEdit) {
    EditWindow window;
    ASSERT_NE(window.edit(), nullptr);
    ShowWindow(window.frame(), SW_SHOWNORMAL);
    SetForegroundWindow(window.frame());
    SetFocus(window.edit());
    PumpMessages(100);
    EXPECT_EQ(GetForegroundWindow(), window.frame());
    EXPECT_EQ(GetFocus(), window.edit());

    SendKey('O');
    SendKey('K');
    std::string text;
    for (int i = 0; i < 20 && text.size() < 2; ++i) {
        PumpMessages(50);
        text = WindowText(window.edit());
    }
    EXPECT_EQ(text, "ok");
}

TEST(HarnessInput, MouseClickReachesTheWindowUnderThePointer) {
    EditWindow window;
    ASSERT_NE(window.edit(), nullptr);
    ShowWindow(window.frame(), SW_SHOWNORMAL);
    PumpMessages(100);

    // The edit control's centre on the screen, in the 0..65535 absolute coordinates.
    RECT rect{};
    GetWindowRect(window.edit(), &rect);
    const int x = (rect.left + rect.right) / 2;
    const int y = (rect.top + rect.bottom) / 2;
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) input.type = INPUT_MOUSE;
    inputs[0].mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    inputs[0].mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(3, inputs, sizeof(INPUT));
    for (int i = 0; i < 20 && GetFocus() != window.edit(); ++i) PumpMessages(50);

    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, x);
    EXPECT_EQ(cursor.y, y);
    EXPECT_EQ(GetFocus(), window.edit());
}

TEST(HarnessResources, MainIconLoads) {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 32);
    EXPECT_EQ(bitmap.bmHeight, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

// Reads one string of the executable's version resource.
std::string VersionString(const char* key) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) return {};
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path, 0, size, data.data())) return {};
    char* value = nullptr;
    UINT length = 0;
    const std::string query = std::string("\\StringFileInfo\\040904E4\\") + key;
    if (!VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) {
        return {};
    }
    return std::string(value);
}

TEST(HarnessResources, VersionInformationNamesTheProduct) {
    EXPECT_EQ(VersionString("ProductName"), "Vorlinde");
    EXPECT_EQ(VersionString("FileDescription"), "Vorlinde");
    EXPECT_EQ(VersionString("FileVersion"), "1.1.0.0");
    EXPECT_EQ(VersionString("ProductVersion"), "1.1");
}

}  // namespace
