#pragma once
// CPU time of a benchmark: this process's (GetProcessTimes: all threads, under Wine also the
// media framework's native ones) and, when bench/run passes their process ids in
// VORLINDE_XSERVER_PID and VORLINDE_WINESERVER_PID, the X server's and wineserver's, read from
// /proc/PID/stat (Z:\proc under Wine).
#include <string>

namespace vlbench {

// Seconds on the performance counter.
double Now();

struct TCpuSample {
    double at = 0;           // Now() when taken
    double process = 0;      // CPU seconds of this process
    double xserver = -1;     // CPU seconds of the X server, -1 when unknown
    double wineserver = -1;  // CPU seconds of wineserver, -1 when unknown
};
TCpuSample SampleCpu();

// "process_cpu=0.123 xserver_cpu=0.004 wineserver_cpu=n/a": CPU seconds per second of wall
// time between two samples.
std::string CpuPerSecond(const TCpuSample& from, const TCpuSample& to);

}  // namespace vlbench
