// Cost of playing a clip through the filter graph controller on the platform's DirectShow, with
// a Video Renderer contributed as graph member (as the video window contributes one).
//
//   bench_filter_graph            the 1280x720 clip the build makes (bench/CMakeLists.txt)
//   bench_filter_graph CLIP       another clip
//
// Prints two lines:
//   "first_frame runs=N render_ms=... first_frame_ms=... cold_render_ms=... cold_first_frame_ms=..."
//   from RenderFile until the renderer's window shows the first picture on the screen, and the
//   RenderFile part of it: medians of N starts, and the first start of the process alone.
//   "playback seconds=... process_cpu=... xserver_cpu=... wineserver_cpu=..." seconds of CPU per
//   second of playback from Play to OnGraphComplete, the GUI thread waiting in GetMessage.
//   This process's CPU comes from GetProcessTimes; the X server's and wineserver's from
//   /proc/PID/stat (Z:\proc under Wine) when bench/run passes their process ids in
//   VORLINDE_XSERVER_PID and VORLINDE_WINESERVER_PID ("n/a" otherwise).
#include <windows.h>

#include <dshow.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/CpuMeter.h"
#include "framework/Application.h"
#include "framework/GdiOwners.h"
#include "media/FilterGraph.h"

using namespace vorlinde;
using vlbench::Now;

namespace {

// Contributes one Video Renderer, as the video window does.
class TRendererMember : public IGraphMember {
public:
    TRendererMember() {
        CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                         reinterpret_cast<void**>(&filter_));
    }
    ~TRendererMember() {
        if (filter_) filter_->Release();
    }
    TRendererMember(const TRendererMember&) = delete;
    TRendererMember& operator=(const TRendererMember&) = delete;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = (iid == IID_IUnknown || iid == IID_IGraphMember) ? this : nullptr;
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
    HRESULT STDMETHODCALLTYPE GetFilter(IBaseFilter** filter) override {
        *filter = filter_;
        if (filter_) filter_->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetName(LPWSTR name, ULONG capacity) override {
        lstrcpynW(name, L"Video Renderer", static_cast<int>(capacity));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE NotifyMember(TMemberOperation, LONG_PTR) override { return S_OK; }
    IBaseFilter* Filter() const { return filter_; }

private:
    IBaseFilter* filter_ = nullptr;
    ULONG refs_ = 1;
};

// Places the renderer's window at the screen's top left corner in the clip's size.
void PlaceRendererWindow(IBaseFilter* renderer) {
    IVideoWindow* window = nullptr;
    if (FAILED(renderer->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&window)))) return;
    window->put_WindowStyle(WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    window->SetWindowPosition(0, 0, 1280, 720);
    window->put_AutoShow(OATRUE);
    window->Release();
}

// Pixels of a 4 x 4 grid across the clip's place on the screen that are not black.
int LitGridPixels(HDC screen) {
    int lit = 0;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const COLORREF c = GetPixel(screen, 80 + x * 320, 45 + y * 180);
            if (c != CLR_INVALID && (GetRValue(c) > 24 || GetGValue(c) > 24 || GetBValue(c) > 24)) ++lit;
        }
    return lit;
}

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// One start of the clip: milliseconds of RenderFile and of RenderFile until the first picture.
bool MeasureFirstFrame(TFilterGraph& graph, TRendererMember& member, const std::wstring& clip, double& renderMs,
                       double& firstFrameMs) {
    const vl::TScreenDC screen;
    graph.ClearGraph();
    // The renderer's window keeps the last picture of the previous run: hide it (Play shows it
    // again) and wait until the screen there is dark.
    IVideoWindow* window = nullptr;
    if (SUCCEEDED(member.Filter()->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&window)))) {
        window->put_Visible(OAFALSE);
        window->Release();
    }
    const double dark = Now();
    while (LitGridPixels(screen.Get()) > 0 && Now() - dark < 2) {
        PumpPending();
        Sleep(10);
    }
    const double start = Now();
    graph.RenderFile(clip);
    renderMs = (Now() - start) * 1000;
    PlaceRendererWindow(member.Filter());
    graph.Play();
    bool shown = false;
    while (!shown && Now() - start < 10) {
        PumpPending();
        shown = LitGridPixels(screen.Get()) >= 8;
    }
    firstFrameMs = (Now() - start) * 1000;
    graph.Stop();
    return shown;
}

}  // namespace

int main(int argc, char** argv) {
    vl::TApplication application;
    application.Initialize();
    std::string clipPath = argc > 1 ? argv[1] : std::string(VORLINDE_BENCH_CLIPS_DIR) + "/testsrc2-1280x720.mpg";
    if (!clipPath.empty() && clipPath.front() == '/') clipPath = "Z:" + clipPath;
    std::replace(clipPath.begin(), clipPath.end(), '/', '\\');
    const std::wstring clip(clipPath.begin(), clipPath.end());

    int status = 0;
    TRendererMember member;
    {
        TFilterGraph graph(nullptr);
        graph.InsertMember(&member);
        try {
            graph.SetActive(true);
            std::vector<double> render, first;
            constexpr int kRuns = 5;
            for (int i = 0; i < kRuns; ++i) {
                double r = 0, f = 0;
                if (!MeasureFirstFrame(graph, member, clip, r, f)) {
                    std::printf("first_frame run=%d no picture within 10 s\n", i);
                    status = 1;
                    break;
                }
                render.push_back(r);
                first.push_back(f);
            }
            if (status == 0)
                std::printf("first_frame runs=%d render_ms=%.0f first_frame_ms=%.0f cold_render_ms=%.0f cold_first_frame_ms=%.0f\n",
                            kRuns, Median(render), Median(first), render.front(), first.front());

            bool complete = false;
            graph.OnGraphComplete = [&](vl::TObject*, HRESULT, IBaseFilter*) { complete = true; };
            graph.ClearGraph();
            graph.RenderFile(clip);
            PlaceRendererWindow(member.Filter());
            const vlbench::TCpuSample before = vlbench::SampleCpu();
            graph.Play();
            MSG msg;
            while (!complete && Now() - before.at < 120 && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
            const vlbench::TCpuSample after = vlbench::SampleCpu();
            std::printf("playback complete=%d seconds=%.2f %s\n", complete ? 1 : 0, after.at - before.at,
                        vlbench::CpuPerSecond(before, after).c_str());
            if (!complete) status = 1;
            graph.Stop();
        } catch (const std::exception& e) {
            std::printf("failed: %s\n", e.what());
            status = 1;
        }
        graph.SetActive(false);
        graph.RemoveMember(&member);
    }
    return status;
}
