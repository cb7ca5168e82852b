// Desktop playback over many changes of clip: whether the process keeps what it takes.
//
//   bench_soak [changes]        (default 1000; run by name only: bench/run soak)
//
// The program plays the short solid-colour sample clips on the desktop; as soon as a clip shows,
// the advance to the next runs as the completion event would run it. After the changes listed
// below it prints
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

// Pumps messages until the desktop shows `colour` or `seconds` passed.
bool WaitForColour(const std::string& colour, double seconds) {
    const double start = vlbench::Now();
    while (vlbench::Now() - start < seconds) {
        vl::Application->ProcessMessages();
        if (vltest::DesktopClipColour() == colour) return true;
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
    if (std::string(VORLINDE_SAMPLES_DIR).empty()) {
        std::printf("no sample movies in this build\n");
        return 1;
    }
    const int changes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    vlbench::TBenchApplication application;

    const std::vector<const char*> clips = {"red.mpg", "green.mpg", "blue.mpg", "yellow.wmv"};
    std::vector<std::string> playlist;
    for (const char* clip : clips)
        playlist.push_back(vlbench::WindowsPath(std::string(VORLINDE_SAMPLES_DIR) + "/" + clip));
    {
        vlbench::TProgramRun run(playlist);
        TCounts at50, previous = Measure();
        int previousChange = 0;
        for (int change = 1; change <= changes && application.Status() == 0; ++change) {
            const std::string showing = vltest::ColourOf(clips[static_cast<size_t>(change - 1) % clips.size()]);
            if (!WaitForColour(showing, 10)) {
                std::printf("failed: change %d, the desktop never showed %s\n", change, showing.c_str());
                application.Fail();
                break;
            }
            vorlinde::Form1->FilterGraph1GraphComplete(vorlinde::Form1->FilterGraph1, S_OK, nullptr);
            if (!Reported(change, changes)) continue;
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
