// The installer's /ALLUSERS installs Vorlinde for everyone who uses the computer: Program
// Files, the common Start menu and the machine's installed-programs list; its uninstaller
// removes that installation and a later update keeps it machine-wide.
#include <gtest/gtest.h>

#include "InstallerFixture.h"

namespace installer_test {
namespace {

class InstallerMachineWide : public TInstallerTest {
protected:
    const TInstallPlaces machine_ = MachineWidePlaces();
};

TEST_F(InstallerMachineWide, AllUsersOptionInstallsForEveryone) {
    ASSERT_EQ(InstallSilently("/ALLUSERS"), 0u);
    for (const std::string& file : InstalledFiles())
        EXPECT_TRUE(FileExists(machine_.folder + "\\" + file)) << file << " is not in " << machine_.folder;
    const std::optional<TShortcut> shortcut = ReadShortcut(machine_.shortcut);
    ASSERT_TRUE(shortcut) << "no shortcut " << machine_.shortcut;
    EXPECT_TRUE(SamePath(shortcut->target, machine_.folder + "\\vorlinde.exe")) << shortcut->target;
    EXPECT_EQ(StringValue(machine_.root, kUninstallKey, "InstallLocation"), machine_.folder);
    EXPECT_EQ(StringValue(machine_.root, kUninstallKey, "DisplayVersion"), VORLINDE_VERSION);
    // Nothing for this user alone.
    EXPECT_FALSE(KeyExists(places_.root, kUninstallKey));
    EXPECT_FALSE(FolderExists(places_.folder));
}

TEST_F(InstallerMachineWide, UninstallerRemovesTheMachineWideInstallation) {
    ASSERT_EQ(InstallSilently("/ALLUSERS"), 0u);
    ASSERT_EQ(UninstallSilently(machine_.folder), 0u);
    EXPECT_FALSE(FolderExists(machine_.folder));
    EXPECT_FALSE(FileExists(machine_.shortcut));
    EXPECT_FALSE(KeyExists(machine_.root, kUninstallKey));
}

TEST_F(InstallerMachineWide, UpdateWithoutOptionsStaysMachineWide) {
    ASSERT_EQ(InstallSilently("/ALLUSERS"), 0u);
    ASSERT_EQ(InstallSilently(), 0u);
    EXPECT_TRUE(FileExists(machine_.folder + "\\vorlinde.exe"));
    EXPECT_FALSE(KeyExists(places_.root, kUninstallKey));
    EXPECT_FALSE(FolderExists(places_.folder));
}

}  // namespace
}  // namespace installer_test
