#pragma once
// Timing of short GUI operations for the painting benchmarks: the median and the fastest of
// many runs, each ended with GdiFlush so that batched drawing is counted.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "bench/CpuMeter.h"
#include "framework/Application.h"

namespace vlbench {

// Answers the program's messages for `ms` milliseconds.
inline void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        vl::Application->ProcessMessages();
        Sleep(5);
    }
}

struct TTiming {
    double median = 0, fastest = 0;  // milliseconds
};

// The median and the fastest of `runs` calls of once(run index): the fastest is the cost with
// nothing else running on the machine, the median what a user may see on a busy one.
template <class F>
TTiming Time(int runs, F&& once) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        once(i);
        GdiFlush();
        ms.push_back((Now() - start) * 1000);
    }
    std::sort(ms.begin(), ms.end());
    return TTiming{ms[static_cast<size_t>(runs / 2)], ms.front()};
}

}  // namespace vlbench
