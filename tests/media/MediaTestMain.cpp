// Test entry for the media suites: one application object for the whole run, as in the program
// (its Initialize prepares COM), with the central exception handler replaced by a recorder.
#include <gtest/gtest.h>

#include "MediaTestSupport.h"
#include "framework/Application.h"
#include "media/Registration.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    vl::TApplication application;
    application.Initialize();
    vorlinde::RegisterMediaClasses();
    application.OnException = [](vl::TObject*, const std::exception_ptr& error) {
        mediatest::RecordedExceptions().push_back(vl::ExceptionMessage(error));
    };
    // Every test releases its graphs before it ends: a graph left at exit crashes the process.
    return RUN_ALL_TESTS();
}
