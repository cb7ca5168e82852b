// Test entry for the application suites: one application object for the whole run, as in the
// program, with every class of the form descriptions registered and the Overlay Mixer offered,
// and the central exception handler replaced by a recorder.
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/Startup.h"
#include "framework/Application.h"
#include "platform/OverlayMixer.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    vl::TApplication application;
    application.Initialize();
    // The video window's Overlay Mixer, as the program offers it.
    const vorlinde::platform::TOverlayMixerRegistration overlayMixer;
    vorlinde::RegisterProgramClasses();
    application.SetTitle("Vorlinde");
    application.OnException = [](vl::TObject*, const std::exception_ptr& error) {
        apptest::RecordedExceptions().push_back(vl::ExceptionMessage(error));
    };
    return RUN_ALL_TESTS();
}
