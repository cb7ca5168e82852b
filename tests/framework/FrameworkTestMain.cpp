// Test entry for the framework suites: one application object for the whole run, as in the
// program, with every framework class registered for the form loader.
#include <gtest/gtest.h>

#include "framework/Application.h"
#if __has_include("framework/Registration.h")
#include "framework/Registration.h"
#define VL_HAS_REGISTRATION 1
#endif

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    vl::TApplication application;
    application.Initialize();
#ifdef VL_HAS_REGISTRATION
    vl::RegisterFrameworkClasses();
#endif
    int result = RUN_ALL_TESTS();
    return result;
}
