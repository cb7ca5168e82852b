#include "OverlayTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/VideoFormat.h"

namespace vorlinde::platform::test {

std::string SamplePath(const std::string& name) {
    std::string dir = VORLINDE_SAMPLES_DIR;
    if (!dir.empty() && dir.front() == '/') dir = "Z:" + dir;
    for (char& c : dir) {
        if (c == '/') c = '\\';
    }
    return dir + "\\" + name;
}

bool SamplesAvailable() { return std::string(VORLINDE_SAMPLES_DIR).size() > 0; }

void PumpMessages(DWORD milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMilliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMilliseconds) return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

ULONG RefCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

TComPtr<IBaseFilter> CreateMixer() {
    TComPtr<IBaseFilter> mixer;
    CoCreateInstance(CLSID_OverlayMixer, nullptr, CLSCTX_INPROC, IID_IBaseFilter, mixer.ReceiveVoid());
    return mixer;
}

TComPtr<IPin> FindPin(IBaseFilter* filter, const wchar_t* name) {
    TComPtr<IPin> pin;
    filter->FindPin(name, pin.Receive());
    return pin;
}

std::vector<TComPtr<IPin>> AllPins(IBaseFilter* filter) {
    std::vector<TComPtr<IPin>> pins;
    TComPtr<IEnumPins> pinsEnum;
    if (FAILED(filter->EnumPins(pinsEnum.Receive()))) return pins;
    TComPtr<IPin> pin;
    while (pinsEnum->Next(1, pin.Receive(), nullptr) == S_OK) pins.push_back(std::move(pin));
    return pins;
}

TComPtr<IPin> PinAt(IBaseFilter* filter, int index) {
    auto pins = AllPins(filter);
    if (index < 0 || index >= static_cast<int>(pins.size())) return {};
    return std::move(pins[index]);
}

TComPtr<IMixerPinConfig2> FirstPinConfig(IBaseFilter* filter) {
    TComPtr<IPin> first = PinAt(filter, 0);
    if (!first) return {};
    return first.As<IMixerPinConfig2>(IID_IMixerPinConfig2);
}

// ---- TRecordingCallback ----------------------------------------------------------------------

HRESULT WINAPI TRecordingCallback::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDDrawExclModeVideoCallback)) {
        *object = static_cast<IDDrawExclModeVideoCallback*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG WINAPI TRecordingCallback::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references)); }
// Lives on the test's stack: the count only tells who holds it.
ULONG WINAPI TRecordingCallback::Release() { return static_cast<ULONG>(InterlockedDecrement(&references)); }

HRESULT WINAPI TRecordingCallback::OnUpdateOverlay(BOOL, DWORD, BOOL, const RECT*, const RECT*, BOOL, const RECT*,
                                                   const RECT*) {
    ++overlayUpdates;
    threadOfLastCall = GetCurrentThreadId();
    return S_OK;
}

HRESULT WINAPI TRecordingCallback::OnUpdateColorKey(const COLORKEY* key, DWORD color) {
    keys.push_back(*key);
    colors.push_back(color);
    threadOfLastCall = GetCurrentThreadId();
    return S_OK;
}

HRESULT WINAPI TRecordingCallback::OnUpdateSize(DWORD width, DWORD height, DWORD aspectX, DWORD aspectY) {
    sizes.push_back({width, height, aspectX, aspectY});
    threadOfLastCall = GetCurrentThreadId();
    return S_OK;
}

// ---- TPlayback ---------------------------------------------------------------------------------

TPlayback::TPlayback(const std::string& clip) {
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                graph_.ReceiveVoid()))) {
        return;
    }
    CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, renderer_.ReceiveVoid());
    if (!renderer_) return;
    graph_->AddFilter(renderer_.Get(), L"Video Renderer");
    videoWindow_ = renderer_.As<IVideoWindow>(IID_IVideoWindow);
    control_ = graph_.As<IMediaControl>(IID_IMediaControl);
    events_ = graph_.As<IMediaEvent>(IID_IMediaEvent);
    wchar_t path[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, SamplePath(clip).c_str(), -1, path, MAX_PATH);
    renderResult_ = graph_->RenderFile(path, nullptr);
}

TPlayback::~TPlayback() {
    if (control_) control_->Stop();
    if (videoWindow_) {
        videoWindow_->put_Visible(OAFALSE);
        videoWindow_->put_Owner(0);
    }
    if (mixer_ && graph_) graph_->RemoveFilter(mixer_.Get());
    mixer_.Reset();
    events_.Reset();
    control_.Reset();
    videoWindow_.Reset();
    renderer_.Reset();
    graph_.Reset();
}

HRESULT TPlayback::InsertMixer(IDDrawExclModeVideoCallback* callback) {
    mixer_ = CreateMixer();
    if (!mixer_) return REGDB_E_CLASSNOTREG;
    HRESULT hr = graph_->AddFilter(mixer_.Get(), L"Overlay Mixer");
    if (FAILED(hr)) return hr;
    TComPtr<IPin> rendererInput = PinAt(renderer_.Get(), 0);
    TComPtr<IPin> upstream;
    if (!rendererInput || FAILED(rendererInput->ConnectedTo(upstream.Receive()))) return VFW_E_NOT_CONNECTED;
    if (FAILED(hr = graph_->Disconnect(rendererInput.Get()))) return hr;
    if (FAILED(hr = graph_->Disconnect(upstream.Get()))) return hr;
    TComPtr<IPin> freeInput;
    for (auto& pin : AllPins(mixer_.Get())) {
        PIN_DIRECTION direction;
        TComPtr<IPin> peer;
        pin->QueryDirection(&direction);
        if (direction == PINDIR_INPUT && pin->ConnectedTo(peer.Receive()) == VFW_E_NOT_CONNECTED) {
            freeInput = std::move(pin);
            break;
        }
    }
    if (!freeInput) return E_FAIL;
    if (FAILED(hr = graph_->Connect(upstream.Get(), freeInput.Get()))) return hr;
    TComPtr<IPin> output = FindPin(mixer_.Get(), L"Output");
    if (!output) return VFW_E_NOT_FOUND;
    if (FAILED(hr = graph_->Connect(output.Get(), rendererInput.Get()))) return hr;
    if (callback) {
        auto exclusive = mixer_.As<IDDrawExclModeVideo>(IID_IDDrawExclModeVideo);
        if (!exclusive) return E_NOINTERFACE;
        hr = exclusive->SetCallbackInterface(callback, 0);
    }
    return hr;
}

void TPlayback::PlaceRenderer(HWND owner, const RECT& rect, bool autoShow) {
    videoWindow_->put_Owner(reinterpret_cast<OAHWND>(owner));
    videoWindow_->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
    videoWindow_->SetWindowPosition(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    videoWindow_->put_AutoShow(autoShow ? OATRUE : OAFALSE);
}

HRESULT TPlayback::Run() { return control_->Run(); }
HRESULT TPlayback::Pause() { return control_->Pause(); }
HRESULT TPlayback::Stop() { return control_->Stop(); }

bool TPlayback::WaitForCompletion(DWORD timeoutMilliseconds) {
    bool complete = false;
    bool failed = false;
    PumpUntil(
        [&] {
            long code;
            LONG_PTR first, second;
            while (!complete && !failed && events_->GetEvent(&code, &first, &second, 0) == S_OK) {
                events_->FreeEventParams(code, first, second);
                if (code == EC_COMPLETE) complete = true;
                if (code == EC_ERRORABORT || code == EC_USERABORT) failed = true;
            }
            return complete || failed;
        },
        timeoutMilliseconds);
    return complete;
}

// ---- Windows -----------------------------------------------------------------------------------

namespace {

constexpr char kFrameClass[] = "VorlindeTestFrame";
constexpr char kPaneClass[] = "VorlindeTestPane";
constexpr char kClickClass[] = "VorlindeTestClick";

void RegisterTestClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSA frame{};
    frame.lpfnWndProc = DefWindowProcA;
    frame.hInstance = GetModuleHandleA(nullptr);
    frame.hCursor = LoadCursor(nullptr, IDC_ARROW);
    frame.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    frame.lpszClassName = kFrameClass;
    RegisterClassA(&frame);
}

}  // namespace

TVideoPaneWindow::TVideoPaneWindow(const RECT& frame, const RECT& pane, const RECT& keyRect, COLORREF key)
    : keyRect_(keyRect), key_(key) {
    RegisterTestClasses();
    static bool paneRegistered = false;
    if (!paneRegistered) {
        WNDCLASSA paneClass{};
        paneClass.lpfnWndProc = PaneProc;
        paneClass.hInstance = GetModuleHandleA(nullptr);
        paneClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        paneClass.lpszClassName = kPaneClass;
        RegisterClassA(&paneClass);
        paneRegistered = true;
    }
    frame_ = CreateWindowExA(0, kFrameClass, "Video pane test", WS_POPUP | WS_CLIPCHILDREN, frame.left, frame.top,
                             frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    pane_ = CreateWindowExA(0, kPaneClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, pane.left, pane.top,
                            pane.right - pane.left, pane.bottom - pane.top, frame_, nullptr,
                            GetModuleHandleA(nullptr), this);
    SetWindowLongPtrA(pane_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowWindow(frame_, SW_SHOWNOACTIVATE);
    UpdateWindow(frame_);
}

TVideoPaneWindow::~TVideoPaneWindow() {
    if (frame_) DestroyWindow(frame_);
}

void TVideoPaneWindow::PlaceBelowPane(HWND renderer) {
    SetWindowPos(renderer, pane_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
    InvalidateRect(pane_, nullptr, TRUE);
}

LRESULT CALLBACK TVideoPaneWindow::PaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TVideoPaneWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT && self) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        HBRUSH key = CreateSolidBrush(self->key_);
        FillRect(dc, &self->keyRect_, key);
        DeleteObject(key);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TClickWindow::TClickWindow(const RECT& rect, COLORREF color) : brush_(CreateSolidBrush(color)) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA click{};
        click.lpfnWndProc = Proc;
        click.hInstance = GetModuleHandleA(nullptr);
        click.hCursor = LoadCursor(nullptr, IDC_ARROW);
        click.lpszClassName = kClickClass;
        RegisterClassA(&click);
        registered = true;
    }
    window_ = CreateWindowExA(0, kClickClass, "Click test", WS_POPUP, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
}

TClickWindow::~TClickWindow() {
    if (window_) DestroyWindow(window_);
    DeleteObject(brush_);
}

LRESULT CALLBACK TClickWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TClickWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == WM_LBUTTONDOWN) ++self->clicks_;
    if (self && message == WM_ERASEBKGND) {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, self->brush_);
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TDesktopForm::TDesktopForm() {
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, "Static", "", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                              GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TDesktopForm::~TDesktopForm() {
    if (window_) DestroyWindow(window_);
}

void ClickAt(int x, int y) {
    SetCursorPos(x, y);
    INPUT input[2]{};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].type = INPUT_MOUSE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

bool XClickAt(int x, int y) {
    char command[200];
    std::snprintf(command, sizeof command, "start.exe /wait /unix /usr/bin/xdotool mousemove %d %d click 1", x, y);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    // Messages are handled meanwhile: the click may be for a window of this process.
    const bool finished =
        PumpUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, 5000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return finished && code == 0;
}

// ---- Screen ------------------------------------------------------------------------------------

namespace {

// Draws width x height pixels with draw(memory context) and copies them out, top-down.
std::vector<uint32_t> Capture(int width, int height, const std::function<void(HDC)>& draw) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    const TDibHeader dib = MakeRgb32Dib(width, height, true);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<const BITMAPINFO*>(&dib), DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    draw(memory);
    GdiFlush();
    if (bits) std::memcpy(pixels.data(), bits, pixels.size() * 4);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

}  // namespace

TScreenShot::TScreenShot(const RECT& area) : area_(area) {
    pixels_ = Capture(area.right - area.left, area.bottom - area.top, [&](HDC memory) {
        HDC screen = GetDC(nullptr);
        BitBlt(memory, 0, 0, area.right - area.left, area.bottom - area.top, screen, area.left, area.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    });
}

TScreenShot TScreenShot::OfWindow(HWND window) {
    TScreenShot shot;
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    shot.area_ = client;
    shot.pixels_ = Capture(client.right - client.left, client.bottom - client.top, [&](HDC memory) {
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    });
    return shot;
}

COLORREF TScreenShot::Pixel(int x, int y) const {
    const int width = area_.right - area_.left;
    const uint32_t v = pixels_[static_cast<size_t>(y - area_.top) * width + (x - area_.left)];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

COLORREF TScreenShot::Mean(const RECT& rect) const {
    double r = 0, g = 0, b = 0;
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF c = Pixel(x, y);
            r += GetRValue(c);
            g += GetGValue(c);
            b += GetBValue(c);
            ++count;
        }
    }
    if (!count) return 0;
    return RGB(static_cast<int>(r / count + 0.5), static_cast<int>(g / count + 0.5), static_cast<int>(b / count + 0.5));
}

double TScreenShot::Luminance(const RECT& rect) const {
    double sum = 0;
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF c = Pixel(x, y);
            sum += 0.299 * GetRValue(c) + 0.587 * GetGValue(c) + 0.114 * GetBValue(c);
            ++count;
        }
    }
    return count ? sum / count : 0;
}

int TScreenShot::CountDifferent(const TScreenShot& other, const RECT& rect, int tolerance) const {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            if (!SameColour(Pixel(x, y), other.Pixel(x, y), tolerance)) ++count;
        }
    }
    return count;
}

void TScreenShot::Save(const std::string& path) const {
    const int width = area_.right - area_.left;
    const int height = area_.bottom - area_.top;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = -height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels_.size() * 4);
    // Opaque pixels: the screen's alpha bytes mean nothing.
    std::vector<uint32_t> opaque(pixels_);
    for (uint32_t& pixel : opaque) pixel |= 0xFF000000u;
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&info, sizeof info, 1, out);
        std::fwrite(opaque.data(), 4, opaque.size(), out);
        std::fclose(out);
    }
}

TDesktopColour::TDesktopColour(COLORREF colour) : old_(GetSysColor(COLOR_BACKGROUND)) {
    const INT element = COLOR_BACKGROUND;
    SetSysColors(1, &element, &colour);
}

TDesktopColour::~TDesktopColour() {
    const INT element = COLOR_BACKGROUND;
    SetSysColors(1, &element, &old_);
}

bool SameColour(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

}  // namespace vorlinde::platform::test
