// Keeps Wine's desktop process alive for a whole test session. It owns one hidden top-level
// window and waits for messages until wineserver ends it. Without it, the desktop process
// exits whenever no test runs for a while (a long test, a benchmark), and the next test
// process starts a new one that inherits ctest's output pipe and holds every following test
// open for up to twenty seconds after it ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = "VorlindeSessionKeeper";
    if (!RegisterClassA(&wc)) return 1;
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
