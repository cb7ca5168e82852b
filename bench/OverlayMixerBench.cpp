// CPU cost of showing a clip through the software Overlay Mixer against the platform's Video
// Renderer alone.
//
//   bench_overlay_mixer              every mode, each in a process of its own, and the ratios
//   bench_overlay_mixer CLIP MODE    one mode
//
// The default clip is the 1280x720 clip the build makes (bench/CMakeLists.txt).
//
// MODE renderer: the Video Renderer alone, its window 1280x720 on the screen.
// MODE desktop:  through the Overlay Mixer onto the desktop layer: the renderer window hidden
//                in a hidden screen-sized form, the desktop colour set to the colour key.
// MODE window:   through the Overlay Mixer onto the window layer over a 1280x720 pane.
//
// Prints one line "mode=... complete=... seconds=... process_cpu=... xserver_cpu=...
// wineserver_cpu=..." where the CPU figures are seconds of CPU per second of playback, measured
// from Run to EC_COMPLETE. This process's CPU comes from GetProcessTimes; the X server's and
// wineserver's from /proc/PID/stat (Z:\proc under Wine) when bench/run passes their process ids
// in VORLINDE_XSERVER_PID and VORLINDE_WINESERVER_PID ("n/a" otherwise).
#include <windows.h>

#include <dshow.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/CpuMeter.h"
#include "platform/ComPtr.h"
#include "platform/MixerPinConfig.h"
#include "platform/OverlayMixer.h"

using vorlinde::platform::TComPtr;

namespace {

constexpr COLORREF kKey = RGB(16, 0, 16);

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

HWND MakeWindow(int width, int height, bool visible) {
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "Static", "", WS_POPUP | WS_CLIPCHILDREN, 0, 0, width, height,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (visible) ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

TComPtr<IPin> FirstPin(IBaseFilter* filter, PIN_DIRECTION wanted, bool unconnected) {
    TComPtr<IEnumPins> pins;
    filter->EnumPins(pins.Receive());
    TComPtr<IPin> pin;
    while (pins && pins->Next(1, pin.Receive(), nullptr) == S_OK) {
        PIN_DIRECTION direction;
        pin->QueryDirection(&direction);
        TComPtr<IPin> peer;
        if (direction == wanted && (!unconnected || pin->ConnectedTo(peer.Receive()) == VFW_E_NOT_CONNECTED)) {
            return pin;
        }
    }
    return {};
}

// Rewires renderer input through a new Overlay Mixer, as the program's video window does.
HRESULT InsertMixer(IGraphBuilder* graph, IBaseFilter* renderer, TComPtr<IBaseFilter>& mixer) {
    HRESULT hr = CoCreateInstance(CLSID_OverlayMixer, nullptr, CLSCTX_INPROC, IID_IBaseFilter, mixer.ReceiveVoid());
    if (FAILED(hr)) return hr;
    if (FAILED(hr = graph->AddFilter(mixer.Get(), L"Overlay Mixer"))) return hr;
    TComPtr<IPin> rendererInput = FirstPin(renderer, PINDIR_INPUT, false);
    TComPtr<IPin> upstream;
    if (FAILED(hr = rendererInput->ConnectedTo(upstream.Receive()))) return hr;
    graph->Disconnect(rendererInput.Get());
    graph->Disconnect(upstream.Get());
    TComPtr<IPin> mixerInput = FirstPin(mixer.Get(), PINDIR_INPUT, true);
    if (FAILED(hr = graph->Connect(upstream.Get(), mixerInput.Get()))) return hr;
    TComPtr<IPin> output;
    if (FAILED(hr = mixer->FindPin(L"Output", output.Receive()))) return hr;
    return graph->Connect(output.Get(), rendererInput.Get());
}

int Run(const std::string& clip, const std::string& mode) {
    const bool renderer = mode == "renderer";
    const bool desktop = mode == "desktop";
    const bool window = mode == "window";
    if (!renderer && !desktop && !window) {
        std::fprintf(stderr, "unknown mode %s (renderer, desktop or window)\n", mode.c_str());
        return 2;
    }
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);

    TComPtr<IGraphBuilder> graph;
    TComPtr<IBaseFilter> videoRenderer;
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.ReceiveVoid());
    CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, videoRenderer.ReceiveVoid());
    if (!graph || !videoRenderer) return 1;
    graph->AddFilter(videoRenderer.Get(), L"Video Renderer");
    wchar_t path[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, clip.c_str(), -1, path, MAX_PATH);
    HRESULT hr = graph->RenderFile(path, nullptr);
    if (FAILED(hr)) {
        std::fprintf(stderr, "RenderFile failed: 0x%08lx\n", hr);
        return 1;
    }

    TComPtr<IBaseFilter> mixer;
    if (!renderer && FAILED(hr = InsertMixer(graph.Get(), videoRenderer.Get(), mixer))) {
        std::fprintf(stderr, "rewiring through the mixer failed: 0x%08lx\n", hr);
        graph->RemoveFilter(videoRenderer.Get());
        return 1;
    }

    // Where the renderer window goes.
    HWND owner = desktop ? MakeWindow(screenWidth, screenHeight, false) : MakeWindow(1280, 720, true);
    auto video = videoRenderer.As<IVideoWindow>(IID_IVideoWindow);
    video->put_Owner(reinterpret_cast<OAHWND>(owner));
    video->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
    RECT area;
    GetClientRect(owner, &area);
    video->SetWindowPosition(0, 0, area.right, area.bottom);
    video->put_AutoShow(desktop ? OAFALSE : OATRUE);

    const INT element = COLOR_BACKGROUND;
    const COLORREF oldDesktop = GetSysColor(COLOR_BACKGROUND);
    if (desktop) SetSysColors(1, &element, &kKey);

    auto control = graph.As<IMediaControl>(IID_IMediaControl);
    auto events = graph.As<IMediaEvent>(IID_IMediaEvent);
    const vlbench::TCpuSample before = vlbench::SampleCpu();
    control->Run();
    bool complete = false;
    const DWORD deadline = GetTickCount() + 120000;
    while (!complete && GetTickCount() < deadline) {
        Pump();
        long code;
        LONG_PTR first, second;
        while (events->GetEvent(&code, &first, &second, 0) == S_OK) {
            events->FreeEventParams(code, first, second);
            if (code == EC_COMPLETE || code == EC_ERRORABORT) complete = true;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    const vlbench::TCpuSample after = vlbench::SampleCpu();

    control->Stop();
    if (desktop) SetSysColors(1, &element, &oldDesktop);
    video->put_Visible(OAFALSE);
    video->put_Owner(0);
    video.Reset();
    if (mixer) graph->RemoveFilter(mixer.Get());
    mixer.Reset();
    control.Reset();
    events.Reset();
    videoRenderer.Reset();
    graph.Reset();
    DestroyWindow(owner);

    std::printf("mode=%s complete=%s seconds=%.2f %s\n", mode.c_str(), complete ? "yes" : "no", after.at - before.at,
                vlbench::CpuPerSecond(before, after).c_str());
    return complete ? 0 : 1;
}

}  // namespace

// Runs this program for one mode and returns its result line ("" on failure).
std::string RunChild(const char* self, const std::string& clip, const char* mode) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return "";
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::string command = std::string("\"") + self + "\" \"" + clip + "\" " + mode;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
    CloseHandle(writeEnd);
    std::string output;
    if (started) {
        char buffer[512];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got) output.append(buffer, got);
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(readEnd);
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
    return output;
}

// The value of key=... in a result line, or -1.
double Field(const std::string& line, const char* key) {
    const std::string wanted = std::string(" ") + key + "=";
    const size_t at = line.find(wanted);
    if (at == std::string::npos) return -1;
    const char* value = line.c_str() + at + wanted.size();
    if (std::strncmp(value, "n/a", 3) == 0) return -1;
    return std::atof(value);
}

int RunAll(const char* self) {
    const std::string clip = std::string(VORLINDE_BENCH_CLIPS_DIR) + "/testsrc2-1280x720.mpg";
    std::string clipPath = clip.front() == '/' ? "Z:" + clip : clip;
    for (char& c : clipPath) {
        if (c == '/') c = '\\';
    }
    std::string lines[3];
    const char* modes[3] = {"renderer", "desktop", "window"};
    for (int i = 0; i < 3; ++i) {
        lines[i] = RunChild(self, clipPath, modes[i]);
        std::printf("%s\n", lines[i].empty() ? (std::string("mode=") + modes[i] + " failed").c_str() : lines[i].c_str());
        std::fflush(stdout);
    }
    auto total = [](const std::string& line) {
        double sum = 0;
        for (const char* key : {" process_cpu", " xserver_cpu", " wineserver_cpu"}) {
            const double value = Field(line, key + 1);
            if (value >= 0) sum += value;
        }
        return sum;
    };
    const double plain = Field(lines[0], "process_cpu");
    for (int i = 1; i < 3; ++i) {
        const double mixed = Field(lines[i], "process_cpu");
        if (plain > 0 && mixed >= 0) {
            std::printf("ratio %s/renderer: process %.2f, process+xserver+wineserver %.2f\n", modes[i], mixed / plain,
                        total(lines[i]) / total(lines[0]));
        }
    }
    return lines[0].empty() || lines[1].empty() ? 1 : 0;
}

int main(int argc, char** argv) {
    if (argc == 1) {
        return RunAll(argv[0]);
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s [CLIP renderer|desktop|window]\n", argv[0]);
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int result = 1;
    {
        vorlinde::platform::TOverlayMixerRegistration registration;
        if (SUCCEEDED(registration.Result())) result = Run(argv[1], argv[2]);
    }
    CoUninitialize();
    return result;
}
