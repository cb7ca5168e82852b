// Desktop playback over many changes of clip: whether the process keeps what it takes.
//
//   bench_soak [changes]          (default 1000; run by name only: bench/run soak)
//   bench_soak changes early      the 1.5 s sample clips, each ended as soon as it shows (as a
//                                 user's stop ends a file before its end)
//
// The program plays four 0.4 s solid-colour clips on the desktop, each to its end, and the
// program's own advance goes on to the next; the next file is prepared at once (no delay), so
// that every change goes the prepared way. After the changes listed below it prints
//   "soak change=N handles=... gdi=... private_kb=... heap_kb=... cpu_ms_per_change=..."
// (the process's kernel handles, GDI objects, private bytes, the bytes in use in its Windows
// heaps, and its CPU time per change over the changes since the previous line), and at the end
//   "soak_growth from=50 to=N handles=+.. gdi=+.. private_kb=+.. heap_kb=+.. flat=yes|no"
// where flat means no growth beyond noise (a few handles or objects, 2 MB) after change 50.
#include <windows.h>
#include <psapi.h>

#include <winternl.h>

#include <cstdio>
#include <map>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/Startup.h"
#include "bench/CpuMeter.h"
#include "bench/ProgramRun.h"
#include "framework/Application.h"
#include "media/FilterGraph.h"
#include "platform/OverlayMixer.h"
#include "tests/framework/GuiTestSupport.h"
#include "tests/support/ClipColours.h"

namespace {

struct TCounts {
    DWORD handles = 0;
    DWORD gdi = 0;
    SIZE_T privateBytes = 0;
    SIZE_T heapBytes = 0;
    double cpu = 0;  // process CPU seconds so far
};

// The process's kernel handles. Wine answers GetProcessHandleCount with 0; there the handle
// values in use are counted instead (a value is a live handle when the system can tell its flags).
DWORD HandleCount() {
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count) return count;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    }
    return count;
}

// "Event:12 Thread:3": the live handles by object type, to tell what grows.
std::string HandleTypes() {
    std::map<std::wstring, int> types;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        HANDLE handle = reinterpret_cast<HANDLE>(value);
        if (!GetHandleInformation(handle, &flags)) continue;
        alignas(8) unsigned char buffer[512];
        ULONG length = 0;
        // 2: ObjectTypeInformation, which starts with the type's name.
        if (NtQueryObject(handle, static_cast<OBJECT_INFORMATION_CLASS>(2), buffer, sizeof buffer, &length) < 0)
            continue;
        const auto* name = reinterpret_cast<const UNICODE_STRING*>(buffer);
        ++types[std::wstring(name->Buffer, name->Length / sizeof(wchar_t))];
    }
    std::string text;
    for (const auto& [type, n] : types) {
        if (!text.empty()) text += ' ';
        text += std::string(type.begin(), type.end()) + ":" + std::to_string(n);
    }
    return text;
}

// The bytes in use in the process's Windows heaps (the C runtime's among them): growth of the
// private bytes that is not here lies outside them (in the platform's native libraries).
SIZE_T HeapBytesInUse() {
    std::vector<HANDLE> heaps(64);
    DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    if (count > heaps.size()) {
        heaps.resize(count);
        count = GetProcessHeaps(count, heaps.data());
    }
    SIZE_T bytes = 0;
    for (DWORD i = 0; i < count && i < heaps.size(); ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return bytes;
}

TCounts Measure() {
    TCounts counts;
    counts.handles = HandleCount();
    counts.gdi = vltest::GdiObjects();
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        counts.privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    counts.heapBytes = HeapBytesInUse();
    counts.cpu = vlbench::SampleCpu().process;
    return counts;
}

// Pumps messages until the desktop shows `colour` (any clip when empty) or `seconds` passed.
bool WaitForColour(const std::string& colour, double seconds) {
    const double start = vlbench::Now();
    while (vlbench::Now() - start < seconds) {
        vl::Application->ProcessMessages();
        const std::string showing = vltest::DesktopClipColour();
        if (colour.empty() ? !showing.empty() : showing == colour) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
    }
    return false;
}

bool Reported(int change, int last) {
    for (int mark : {1, 10, 50, 100, 200, 500, 1000, 2000, 5000})
        if (change == mark) return true;
    return change == last;
}

}  // namespace

int main(int argc, char** argv) {
    const int changes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const bool early = argc > 2 && std::string(argv[2]) == "early";
    const std::string clipsDir = early ? VORLINDE_SAMPLES_DIR : VORLINDE_SOAK_CLIPS_DIR;
    if (clipsDir.empty()) {
        std::printf("no clips in this build (they are made with ffmpeg)\n");
        return 1;
    }
    vlbench::TBenchApplication application;

    const std::vector<const char*> clips = {"red.mpg", "green.mpg", "blue.mpg", "yellow.wmv"};
    std::vector<std::string> playlist;
    for (const char* clip : clips)
        playlist.push_back(vlbench::WindowsPath(clipsDir + "/" + clip));
    {
        vlbench::TProgramRun run(playlist);
        vorlinde::TFilterGraph& graph = *vorlinde::Form1->FilterGraph1;
        graph.SetPrepareDelay(0);
        // Each completion the program handles is one change of clip.
        int completed = 0;
        const vorlinde::TGraphCompleteEvent advance = graph.OnGraphComplete;
        graph.OnGraphComplete = [&completed, advance](vl::TObject* sender, HRESULT result, IBaseFilter* renderer) {
            if (advance) advance(sender, result, renderer);
            ++completed;
        };
        if (!WaitForColour(vltest::ColourOf(clips[0]), 10)) {
            std::printf("failed: the desktop never showed the first clip\n");
            application.Fail();
        }
        TCounts at50, previous = Measure();
        int previousChange = 0;
        for (int change = 1; change <= changes && application.Status() == 0; ++change) {
            const double start = vlbench::Now();
            if (early) {
                const std::string showing = vltest::ColourOf(clips[static_cast<size_t>(change - 1) % clips.size()]);
                if (WaitForColour(showing, 10)) graph.OnGraphComplete(&graph, S_OK, nullptr);
            }
            while (completed < change && vlbench::Now() - start < 10) {
                vl::Application->ProcessMessages();
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            }
            if (completed < change) {
                std::printf("failed: change %d, no clip ended within 10 s\n", change);
                application.Fail();
                break;
            }
            if (!Reported(change, changes)) continue;
            // Still on the desktop: a clip shows.
            if (!WaitForColour("", 2)) {
                std::printf("failed: change %d, the desktop shows no clip\n", change);
                application.Fail();
                break;
            }
            const TCounts now = Measure();
            std::printf("soak change=%d handles=%lu gdi=%lu private_kb=%zu heap_kb=%zu cpu_ms_per_change=%.1f\n", change,
                        static_cast<unsigned long>(now.handles), static_cast<unsigned long>(now.gdi),
                        now.privateBytes / 1024, now.heapBytes / 1024,
                        (now.cpu - previous.cpu) * 1000 / (change - previousChange));
            std::fflush(stdout);
            if (change == 50) at50 = now;
            if (change == 10 || change == changes) std::printf("soak_handles change=%d %s\n", change, HandleTypes().c_str());
            previous = now;
            previousChange = change;
            if (change == changes && changes >= 50) {
                const long handles = static_cast<long>(now.handles) - static_cast<long>(at50.handles);
                const long gdi = static_cast<long>(now.gdi) - static_cast<long>(at50.gdi);
                const long privateKb = (static_cast<long>(now.privateBytes) - static_cast<long>(at50.privateBytes)) / 1024;
                const long heapKb = (static_cast<long>(now.heapBytes) - static_cast<long>(at50.heapBytes)) / 1024;
                const bool flat = handles <= 5 && gdi <= 5 && privateKb <= 2048;
                std::printf("soak_growth from=50 to=%d handles=%+ld gdi=%+ld private_kb=%+ld heap_kb=%+ld flat=%s\n",
                            change, handles, gdi, privateKb, heapKb, flat ? "yes" : "no");
                if (!flat) application.Fail();
            }
        }
    }
    return application.Status();
}
