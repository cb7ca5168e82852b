// The one version of the build (the root CMakeLists.txt) as the program's version resource and
// the installer carry it.
#include <gtest/gtest.h>

#include "InstallerSupport.h"
#include "tests/e2e/E2ESupport.h"

namespace installer_test {
namespace {

TEST(InstallerVersion, ProgramVersionResourceCarriesTheBuildVersion) {
    const std::string exe = e2e::WindowsPath(VORLINDE_EXE);
    EXPECT_EQ(ProductVersion(exe), VORLINDE_VERSION);
    EXPECT_EQ(FixedFileVersion(exe), VORLINDE_FILE_VERSION);
}

TEST(InstallerVersion, InstallerCarriesTheBuildVersion) {
    const std::string installer = InstallerPath();
    ASSERT_TRUE(FileExists(installer)) << installer;
    EXPECT_EQ(ProductVersion(installer), VORLINDE_VERSION);
    EXPECT_EQ(FixedFileVersion(installer), VORLINDE_FILE_VERSION);
}

}  // namespace
}  // namespace installer_test
