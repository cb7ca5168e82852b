// Test entry for the skinned frame: one application object for the whole run, as in the
// program, with the framework's and the skin engine's classes registered for the form loader.
#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/Registration.h"
#include "skin/Registration.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    vl::TApplication application;
    application.Initialize();
    vl::RegisterFrameworkClasses();
    vorlinde::RegisterSkinClasses();
    return RUN_ALL_TESTS();
}
