// Test entry for the tray suites: one application object for the whole run, as in the program,
// with the framework's and the tray's classes registered for the form loader.
#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/Registration.h"
#include "tray/Registration.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    vl::TApplication application;
    application.Initialize();
    vl::RegisterFrameworkClasses();
    vorlinde::RegisterTrayClasses();
    application.SetTitle("Tray tests");
    return RUN_ALL_TESTS();
}
