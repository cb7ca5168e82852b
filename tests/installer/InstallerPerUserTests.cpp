// The installer run silently with no options installs Vorlinde for the current user: the
// program's files in the user's programs folder, a Start-menu shortcut, an entry in the
// installed-programs list; and the installed program runs from there.
#include <gtest/gtest.h>

#include <vector>

#include "InstallerFixture.h"

namespace installer_test {
namespace {

class InstallerPerUser : public TInstallerTest {};

TEST_F(InstallerPerUser, PutsTheProgramFilesIntoTheUsersProgramsFolder) {
    ASSERT_EQ(InstallSilently(), 0u);
    for (const std::string& file : InstalledFiles())
        EXPECT_TRUE(FileExists(places_.folder + "\\" + file)) << file << " is not in " << places_.folder;
    EXPECT_EQ(ProductVersion(InstalledExe()), VORLINDE_VERSION);
    // Nothing for everyone: no administrator rights were needed.
    const TInstallPlaces machine = MachineWidePlaces();
    EXPECT_FALSE(FolderExists(machine.folder));
    EXPECT_FALSE(KeyExists(machine.root, kUninstallKey));
    EXPECT_FALSE(FileExists(machine.shortcut));
}

TEST_F(InstallerPerUser, AddsAStartMenuShortcutThatStartsTheProgramInItsFolder) {
    ASSERT_EQ(InstallSilently(), 0u);
    const std::optional<TShortcut> shortcut = ReadShortcut(places_.shortcut);
    ASSERT_TRUE(shortcut) << "no shortcut " << places_.shortcut;
    EXPECT_TRUE(SamePath(shortcut->target, InstalledExe())) << shortcut->target;
    // The theme named in the settings is looked up in the current folder.
    EXPECT_TRUE(SamePath(shortcut->workingFolder, places_.folder)) << shortcut->workingFolder;
    EXPECT_TRUE(SamePath(shortcut->iconPath, InstalledExe())) << shortcut->iconPath;
    EXPECT_EQ(shortcut->iconIndex, 0);
}

TEST_F(InstallerPerUser, ListsTheProgramWithItsVersionIconAndUninstaller) {
    ASSERT_EQ(InstallSilently(), 0u);
    const HKEY root = places_.root;
    EXPECT_EQ(StringValue(root, kUninstallKey, "DisplayName"), "Vorlinde");
    // The version the installed program's version resource gives.
    EXPECT_EQ(StringValue(root, kUninstallKey, "DisplayVersion"), ProductVersion(InstalledExe()));
    EXPECT_EQ(StringValue(root, kUninstallKey, "DisplayIcon"), InstalledExe() + ",0");
    EXPECT_EQ(StringValue(root, kUninstallKey, "Publisher"), "Vorlinde");
    EXPECT_EQ(StringValue(root, kUninstallKey, "InstallLocation"), places_.folder);
    const std::string uninstaller = "\"" + places_.folder + "\\uninstall.exe\"";
    EXPECT_EQ(StringValue(root, kUninstallKey, "UninstallString"), uninstaller);
    EXPECT_EQ(StringValue(root, kUninstallKey, "QuietUninstallString"), uninstaller + " /S");
    EXPECT_EQ(DwordValue(root, kUninstallKey, "NoModify"), 1u);
    EXPECT_EQ(DwordValue(root, kUninstallKey, "NoRepair"), 1u);
    // In KiB: the program alone is more than one.
    EXPECT_GT(DwordValue(root, kUninstallKey, "EstimatedSize").value_or(0), 100u);
}

TEST_F(InstallerPerUser, InstalledProgramShowsItsSettingsWindowOnTheFirstStartAndCloses) {
    ASSERT_EQ(InstallSilently(), 0u);
    const std::optional<TShortcut> shortcut = ReadShortcut(places_.shortcut);
    ASSERT_TRUE(shortcut);
    e2e::TProgram program(shortcut->target, shortcut->workingFolder);
    ASSERT_TRUE(program.Started()) << shortcut->target;

    HWND window = e2e::WaitForWindow(
        [&program] {
            HWND main = program.Window("TForm1");
            return main && IsWindowVisible(main) ? main : nullptr;
        },
        15000);
    ASSERT_NE(window, nullptr) << "the settings window did not appear";
    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(5000, exitCode)) << "the program did not end";
    EXPECT_EQ(exitCode, 0u);
}

class InstallerPerUserDesktop : public TInstallerTest {
    e2e::TMarkedDesktop desktop_;
};

TEST_F(InstallerPerUserDesktop, InstalledProgramPlaysTheSampleMoviesOnTheDesktop) {
    if (!e2e::SamplesAvailable()) GTEST_SKIP() << "no sample movies";
    ASSERT_EQ(InstallSilently(), 0u);
    e2e::StorePlaylist({e2e::SampleClip("red.mpg"), e2e::SampleClip("green.mpg")});
    const std::optional<TShortcut> shortcut = ReadShortcut(places_.shortcut);
    ASSERT_TRUE(shortcut);
    e2e::TProgram program(shortcut->target, shortcut->workingFolder);
    ASSERT_TRUE(program.Started()) << shortcut->target;

    bool desktopTaken = false;
    const std::vector<std::string> shown =
        e2e::WatchDesktopClips(2, 15000, [&] { desktopTaken = desktopTaken || e2e::TMarkedDesktop::TakenForVideo(); });
    EXPECT_EQ(shown, (std::vector<std::string>{"red", "green"}));
    EXPECT_TRUE(desktopTaken) << "the wallpaper and desktop colour were not taken over while playing";

    HWND window = program.Window("TForm1");
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(10000, exitCode)) << "the program did not end";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(e2e::TMarkedDesktop::Marked()) << "the desktop was not given back";
}

}  // namespace
}  // namespace installer_test
