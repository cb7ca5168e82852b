// The gallery program: gallery.exe <output folder> [scene name]
// Runs every registered scene (or the one named) in every look and saves its screenshots as
// .bmp files in the output folder. Exceptions are printed, not shown in message boxes, so the
// run never waits for a user.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/Startup.h"
#include "framework/Application.h"
#include "gallery/Gallery.h"
#include "platform/OverlayMixer.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gallery <output folder> [scene]\n");
        return 2;
    }
    gallery::OutputFolder() = argv[1];
    const std::string only = argc > 2 ? argv[2] : "";

    vl::TApplication application;
    application.Initialize();
    const vorlinde::platform::TOverlayMixerRegistration overlayMixer;
    vorlinde::RegisterProgramClasses();
    application.SetTitle("Vorlinde");
    int failures = 0;
    application.OnException = [&failures](vl::TObject*, const std::exception_ptr& error) {
        std::fprintf(stderr, "gallery: %s\n", vl::ExceptionMessage(error).c_str());
        ++failures;
    };

    for (const auto& scene : gallery::Scenes()) {
        if (!only.empty() && scene.name != only) continue;
        for (const auto& look : gallery::Looks()) {
            std::printf("%s / %s\n", scene.name.c_str(), look.name.c_str());
            std::fflush(stdout);
            try {
                scene.run(look);
            } catch (...) {
                application.HandleException(std::current_exception(), nullptr);
            }
        }
    }
    // The scenes write the program's settings as the program does; leave none behind.
    RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Vorlinde");
    return failures ? 1 : 0;
}
