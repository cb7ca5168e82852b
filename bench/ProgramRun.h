#pragma once
// The program's main window run inside a benchmark: started from a playlist in the registry as
// the program starts, closed as closing does.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <optional>

#include "app/MainForm.h"
#include "app/Startup.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "platform/OverlayMixer.h"

namespace vlbench {

// The program's settings key, which the benchmarks own while they run.
inline constexpr char kSettingsKey[] = "SOFTWARE\\Vorlinde";

// A build-machine path as a Windows program under Wine reaches it (drive Z:).
inline std::string WindowsPath(std::string path) {
    if (!path.empty() && path.front() == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

inline void StorePlaylist(const std::vector<std::string>& files) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    const std::string section = std::string(kSettingsKey) + "\\MovieList";
    auto set = [&](const std::string& name, const std::string& value) {
        RegSetKeyValueA(HKEY_CURRENT_USER, section.c_str(), name.c_str(), REG_SZ, value.c_str(),
                        static_cast<DWORD>(value.size() + 1));
    };
    set("Count", std::to_string(files.size()));
    for (size_t i = 0; i < files.size(); ++i) set(std::to_string(i + 1), files[i]);
}

// The application set up as the program sets it up (the Overlay Mixer, the program's classes,
// the title); an exception that reaches the central handler is printed and makes Status() 1.
class TBenchApplication {
public:
    TBenchApplication() {
        application_.Initialize();
        overlayMixer_.emplace();
        vorlinde::RegisterProgramClasses();
        application_.SetTitle("Vorlinde");
        application_.OnException = [this](vl::TObject*, const std::exception_ptr& error) {
            std::printf("failed: %s\n", vl::ExceptionMessage(error).c_str());
            status_ = 1;
        };
    }
    TBenchApplication(const TBenchApplication&) = delete;
    TBenchApplication& operator=(const TBenchApplication&) = delete;

    int Status() const { return status_; }
    void Fail() { status_ = 1; }

private:
    vl::TApplication application_;
    std::optional<vorlinde::platform::TOverlayMixerRegistration> overlayMixer_;
    int status_ = 0;
};

// The main window started from the settings, as the program starts; closed when destroyed.
class TProgramRun {
public:
    explicit TProgramRun(const std::vector<std::string>& playlist) {
        StorePlaylist(playlist);
        vl::Application->CreateForm(vorlinde::Form1);
    }
    ~TProgramRun() {
        // Leaves the desktop and stops the graph before the window goes, as closing does.
        vorlinde::Form1->StopNow();
        delete vorlinde::Form1;
        vorlinde::Form1 = nullptr;
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    }
    TProgramRun(const TProgramRun&) = delete;
    TProgramRun& operator=(const TProgramRun&) = delete;
};

// "median (min-max)" of the values.
inline std::string Summary(std::vector<double> values) {
    if (values.empty()) return "n/a";
    std::sort(values.begin(), values.end());
    char text[64];
    std::snprintf(text, sizeof text, "%.0f (%.0f-%.0f)", values[values.size() / 2], values.front(), values.back());
    return text;
}

}  // namespace vlbench
