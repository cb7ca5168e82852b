// Desktop playback as the program runs it: the main window created with a playlist in the
// registry plays it on the desktop, one file after another.
//
//   bench_desktop_playback
//
// Prints:
//   "gap transitions=N advance_ms=... first_frame_ms=... dark_ms=..." over N changes from one
//   solid-colour sample clip to the next (.mpg and .wmv): from the completion event of a clip
//   (as a graph listener gets it, just before the program's handler) to the end of the advance
//   (the next file rendered and running), and to the first picture of the next clip on the
//   desktop, read from the screen; dark_ms is how long the desktop showed neither clip, from
//   the first reading that showed neither (0 when every reading showed one). Each as
//   "median (min-max)".
//   "advance_parts leave_desktop_and_clear_ms=... render_ms=... take_desktop_and_play_ms=..."
//   the advance split at the graph's control events: desktop given back and graph cleared;
//   RenderFile with the video window's rewiring; desktop taken and graph run.
//   "desktop_playback clip=... seconds=... process_cpu=... xserver_cpu=... wineserver_cpu=..."
//   CPU seconds per second of desktop playback of a clip from Play to its completion, the GUI
//   thread waiting for messages (see bench/CpuMeter.h); "desktop_playback_covered ..." the same
//   with a window covering the whole screen.
//
//   bench_desktop_playback cpu|covered [CLIP]    only that measurement, of CLIP (a Windows
//   path; default the 1280x720 clip)
//
// It uses the program's settings key and desktop settings of the Wine prefix it runs in, as the
// program does, and removes the settings key when done.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/Startup.h"
#include "bench/CpuMeter.h"
#include "framework/Application.h"
#include "media/FilterGraph.h"
#include "media/GraphInterfaces.h"
#include "platform/OverlayMixer.h"
#include "bench/ProgramRun.h"
#include "tests/support/ClipColours.h"

using vlbench::Now;
using vlbench::Summary;
using vlbench::TProgramRun;
using vlbench::WindowsPath;

namespace {

// Records when the main window's graph completes a file and when it starts running one.
class TGraphTimes final : public vorlinde::IGraphListener {
public:
    std::vector<double> completed;  // Now() of each EC_COMPLETE
    std::vector<double> rendering;  // Now() before each RenderFile
    std::vector<double> rendered;   // Now() after each RenderFile (and the video window's rewiring)
    std::vector<double> played;     // Now() of each Play

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid != IID_IUnknown && iid != vorlinde::IID_IGraphListener) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<vorlinde::IGraphListener*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GraphEvent(LONG event, LONG_PTR, LONG_PTR) override {
        if (event == EC_COMPLETE) completed.push_back(Now());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ControlEvent(vorlinde::TControlEventKind event, LONG) override {
        if (event == vorlinde::ctlFileRendering) rendering.push_back(Now());
        if (event == vorlinde::ctlFileRendered) rendered.push_back(Now());
        if (event == vorlinde::ctlPlay) played.push_back(Now());
        return S_OK;
    }
};

// Plays the solid-colour clips in a loop and times each change from one to the next.
bool MeasureGaps() {
    const std::vector<const char*> clips = {"red.mpg", "green.mpg", "blue.mpg", "yellow.wmv"};
    std::vector<std::string> playlist;
    for (const char* clip : clips) playlist.push_back(WindowsPath(std::string(VORLINDE_SAMPLES_DIR) + "/" + clip));
    constexpr size_t kTransitions = 20;

    TProgramRun run(playlist);
    TGraphTimes times;
    vorlinde::Form1->FilterGraph1->InsertListener(&times);
    std::vector<double> advance, firstFrame, dark;
    std::vector<double> leaveDesktop, render, takeDesktop;  // the advance's parts
    std::string current;       // the clip colour the desktop shows
    double darkSince = 0;      // when it first showed neither clip since it last showed one
    size_t expectedIndex = 0;  // the playlist entry playing
    const double start = Now();
    while (firstFrame.size() < kTransitions && Now() - start < 90) {
        vl::Application->ProcessMessages();
        const std::string colour = vltest::DesktopClipColour();
        const double now = Now();
        if (colour.empty()) {
            if (darkSince == 0) darkSince = now;
            continue;
        }
        const std::string next = vltest::ColourOf(clips[(expectedIndex + 1) % clips.size()]);
        if (colour == next && !current.empty() && !times.completed.empty()) {
            // The first picture of the next clip; the completion that led here is the latest.
            const double completed = times.completed.back();
            auto after = [completed](const std::vector<double>& moments) {
                const auto it = std::upper_bound(moments.begin(), moments.end(), completed);
                return it == moments.end() ? -1.0 : *it;
            };
            const double rendering = after(times.rendering), rendered = after(times.rendered), played = after(times.played);
            if (rendering > 0 && rendered > 0 && played > 0) {
                advance.push_back((played - completed) * 1000);
                leaveDesktop.push_back((rendering - completed) * 1000);
                render.push_back((rendered - rendering) * 1000);
                takeDesktop.push_back((played - rendered) * 1000);
            }
            firstFrame.push_back((now - completed) * 1000);
            // The advance runs in this thread, so no picture is read while it does: a change
            // that kept showing the last picture counts as no dark time at all.
            dark.push_back(darkSince == 0 ? 0.0 : (now - darkSince) * 1000);
            expectedIndex = (expectedIndex + 1) % clips.size();
        }
        current = colour;
        darkSince = 0;
    }
    vorlinde::Form1->FilterGraph1->RemoveListener(&times);
    std::printf("gap transitions=%zu advance_ms=%s first_frame_ms=%s dark_ms=%s\n", firstFrame.size(),
                Summary(advance).c_str(), Summary(firstFrame).c_str(), Summary(dark).c_str());
    std::printf("advance_parts leave_desktop_and_clear_ms=%s render_ms=%s take_desktop_and_play_ms=%s\n",
                Summary(leaveDesktop).c_str(), Summary(render).c_str(), Summary(takeDesktop).c_str());
    return firstFrame.size() == kTransitions;
}

// Plays one clip on the desktop to its end and reports the CPU it took per second; `covered`:
// with a window over the whole screen, so that none of the desktop shows.
bool MeasureCpu(const std::string& clip, bool covered = false) {
    TProgramRun run({WindowsPath(clip)});
    HWND cover = nullptr;
    if (covered) {
        cover = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                nullptr, nullptr);
    }
    TGraphTimes times;
    vorlinde::Form1->FilterGraph1->InsertListener(&times);
    // The program has started the clip; time a whole play of it from its start.
    vorlinde::Form1->StopNow();
    const vlbench::TCpuSample before = vlbench::SampleCpu();
    vorlinde::Form1->StartDesktopMovie();
    MSG msg;
    while (times.completed.empty() && Now() - before.at < 120 && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    const vlbench::TCpuSample after = vlbench::SampleCpu();
    vorlinde::Form1->FilterGraph1->RemoveListener(&times);
    const std::string name = clip.substr(clip.find_last_of("/\\") + 1);
    std::printf("desktop_playback%s clip=%s complete=%d seconds=%.2f %s\n", covered ? "_covered" : "", name.c_str(),
                times.completed.empty() ? 0 : 1, after.at - before.at, vlbench::CpuPerSecond(before, after).c_str());
    if (cover) DestroyWindow(cover);
    return !times.completed.empty();
}

}  // namespace

int main(int argc, char** argv) {
    if (std::string(VORLINDE_SAMPLES_DIR).empty()) {
        std::printf("no sample movies in this build\n");
        return 1;
    }
    vlbench::TBenchApplication application;
    const std::string benchClip = std::string(VORLINDE_BENCH_CLIPS_DIR) + "/testsrc2-1280x720.mpg";
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "cpu" || mode == "covered") {
        // One measurement of one clip (bench/compare-mpv).
        const std::string clip = argc > 2 ? argv[2] : benchClip;
        if (!MeasureCpu(clip, mode == "covered")) application.Fail();
        return application.Status();
    }
    if (!MeasureGaps()) application.Fail();
    if (mode == "gaps") return application.Status();  // the changes of clip only
    if (!MeasureCpu(std::string(VORLINDE_SAMPLES_DIR) + "/demo-1.mpg")) application.Fail();
    if (!MeasureCpu(benchClip)) application.Fail();
    if (!MeasureCpu(benchClip, true)) application.Fail();
    return application.Status();
}
