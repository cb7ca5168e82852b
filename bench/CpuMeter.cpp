#include "bench/CpuMeter.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vlbench {

namespace {

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>(static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// utime + stime of the Unix process whose id is in the environment variable, or -1.
double UnixProcessCpuSeconds(const char* pidVariable) {
    const char* pid = std::getenv(pidVariable);
    if (!pid || !*pid) return -1;
    const std::string path = std::string("Z:\\proc\\") + pid + "\\stat";
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return -1;
    char buffer[1024] = {};
    const size_t length = std::fread(buffer, 1, sizeof buffer - 1, file);
    std::fclose(file);
    buffer[length] = 0;
    // Fields after the command name in parentheses; utime and stime are fields 14 and 15.
    const char* p = std::strrchr(buffer, ')');
    unsigned long long utime = 0, stime = 0;
    if (!p || std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime, &stime) != 2)
        return -1;
    return static_cast<double>(utime + stime) / 100.0;  // clock ticks of 1/100 s
}

}  // namespace

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

TCpuSample SampleCpu() {
    TCpuSample sample;
    sample.xserver = UnixProcessCpuSeconds("VORLINDE_XSERVER_PID");
    sample.wineserver = UnixProcessCpuSeconds("VORLINDE_WINESERVER_PID");
    sample.process = ProcessCpuSeconds();
    sample.at = Now();
    return sample;
}

std::string CpuPerSecond(const TCpuSample& from, const TCpuSample& to) {
    const double seconds = to.at - from.at;
    auto perSecond = [seconds](double a, double b) {
        if (a < 0 || b < 0 || seconds <= 0) return std::string("n/a");
        char text[32];
        std::snprintf(text, sizeof text, "%.3f", (b - a) / seconds);
        return std::string(text);
    };
    return "process_cpu=" + perSecond(from.process, to.process) + " xserver_cpu=" +
           perSecond(from.xserver, to.xserver) + " wineserver_cpu=" + perSecond(from.wineserver, to.wineserver);
}

}  // namespace vlbench
