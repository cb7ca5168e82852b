// The installation's uninstaller run silently: it removes what the installer put in place and
// the program's autostart, keeps the user's settings unless told otherwise, and first closes a
// running Vorlinde so that the desktop is given back.
#include <gtest/gtest.h>

#include <fstream>

#include "InstallerFixture.h"

namespace installer_test {
namespace {

void SetRunValue(const char* name, const std::string& value) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kRunKey, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

class InstallerUninstall : public TInstallerTest {
protected:
    void SetUp() override {
        TInstallerTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_EQ(InstallSilently(), 0u);
    }
    void TearDown() override {
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, kOtherProgram);
        TInstallerTest::TearDown();
    }

    static constexpr char kOtherProgram[] = "VorlindeTestsOtherProgram";
};

TEST_F(InstallerUninstall, RemovesTheFilesTheShortcutTheEntryAndTheAutostart) {
    // Autostart as the settings window's "Start with Windows" stores it, beside another program's.
    SetRunValue("Vorlinde", InstalledExe());
    SetRunValue(kOtherProgram, "C:\\other.exe");

    ASSERT_EQ(UninstallSilently(places_.folder), 0u);
    for (const std::string& file : InstalledFiles())
        EXPECT_FALSE(FileExists(places_.folder + "\\" + file)) << file << " is left";
    EXPECT_FALSE(FolderExists(places_.folder));
    EXPECT_FALSE(FileExists(places_.shortcut));
    EXPECT_FALSE(KeyExists(places_.root, kUninstallKey));
    EXPECT_FALSE(StringValue(HKEY_CURRENT_USER, kRunKey, "Vorlinde"));
    EXPECT_EQ(StringValue(HKEY_CURRENT_USER, kRunKey, kOtherProgram), "C:\\other.exe");
}

TEST_F(InstallerUninstall, KeepsTheUsersSettingsWhenSilent) {
    e2e::StorePlaylist({"C:\\movies\\one.mpg"});
    ASSERT_EQ(UninstallSilently(places_.folder), 0u);
    EXPECT_EQ(StringValue(HKEY_CURRENT_USER, "SOFTWARE\\Vorlinde\\MovieList", "1"), "C:\\movies\\one.mpg");
}

TEST_F(InstallerUninstall, RemovesTheUsersSettingsWhenAskedTo) {
    e2e::StorePlaylist({"C:\\movies\\one.mpg"});
    ASSERT_EQ(UninstallSilently(places_.folder, "/REMOVESETTINGS"), 0u);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettingsKey));
    EXPECT_FALSE(FolderExists(places_.folder));
}

TEST_F(InstallerUninstall, LeavesTheUsersOwnFilesInTheFolder) {
    const std::string mine = places_.folder + "\\my-notes.txt";
    std::ofstream(mine) << "mine";
    ASSERT_EQ(UninstallSilently(places_.folder), 0u);
    EXPECT_TRUE(FileExists(mine));
    EXPECT_FALSE(FileExists(InstalledExe()));
}

class InstallerUninstallRunning : public InstallerUninstall {
    e2e::TMarkedDesktop desktop_;
};

TEST_F(InstallerUninstallRunning, ClosesTheRunningProgramAndGivesTheDesktopBack) {
    if (!e2e::SamplesAvailable()) GTEST_SKIP() << "no sample movies";
    e2e::StorePlaylist({e2e::SampleClip("red.mpg")});
    e2e::TProgram program(InstalledExe(), places_.folder);
    ASSERT_TRUE(program.Started());
    ASSERT_EQ(e2e::WatchDesktopClips(1, 15000), std::vector<std::string>{"red"}) << "the program did not play";

    ASSERT_EQ(UninstallSilently(places_.folder), 0u);
    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(0, exitCode)) << "the program still runs";
    EXPECT_EQ(exitCode, 0u) << "the program was not closed normally";
    EXPECT_TRUE(e2e::TMarkedDesktop::Marked()) << "the desktop was not given back";
    EXPECT_FALSE(FileExists(InstalledExe()));
}

}  // namespace
}  // namespace installer_test
