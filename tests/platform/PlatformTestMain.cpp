// Test entry for the platform suites: COM in a single-threaded apartment, as in the program,
// and the Overlay Mixer registered for the whole run, as the program registers it at start.
#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include "platform/OverlayMixer.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int result = 1;
    {
        vorlinde::platform::TOverlayMixerRegistration registration;
        if (FAILED(registration.Result())) {
            fprintf(stderr, "registering the Overlay Mixer failed: 0x%08lx\n", registration.Result());
        } else {
            result = RUN_ALL_TESTS();
        }
    }
    CoUninitialize();
    return result;
}
