// The installer run again over an installation: it closes a running Vorlinde first, replaces
// the files, and keeps the user's settings and autostart.
#include <gtest/gtest.h>

#include <vector>

#include "InstallerFixture.h"

namespace installer_test {
namespace {

// The last-write time of a file; a file the installer writes gets the time it was built with.
FILETIME LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

void SetLastWriteTime(const std::string& path, const FILETIME& time) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

bool SameTime(const FILETIME& a, const FILETIME& b) { return CompareFileTime(&a, &b) == 0; }

class InstallerUpdate : public TInstallerTest {
protected:
    void SetUp() override {
        TInstallerTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_EQ(InstallSilently(), 0u);
    }

private:
    e2e::TMarkedDesktop desktop_;
};

TEST_F(InstallerUpdate, ClosesTheRunningProgramReplacesItsFilesAndItStartsAgain) {
    if (!e2e::SamplesAvailable()) GTEST_SKIP() << "no sample movies";
    // Files of an older installation: written long ago.
    const FILETIME longAgo{0x00000000, 0x01C07385};  // 2001
    for (const std::string& file : InstalledFiles()) SetLastWriteTime(places_.folder + "\\" + file, longAgo);
    e2e::StorePlaylist({e2e::SampleClip("red.mpg")});
    {
        e2e::TProgram running(InstalledExe(), places_.folder);
        ASSERT_TRUE(running.Started());
        ASSERT_EQ(e2e::WatchDesktopClips(1, 15000), std::vector<std::string>{"red"}) << "the program did not play";

        ASSERT_EQ(InstallSilently(), 0u);
        DWORD exitCode = 1234;
        ASSERT_TRUE(running.WaitForExit(0, exitCode)) << "the program still runs";
        EXPECT_EQ(exitCode, 0u) << "the program was not closed normally";
        EXPECT_TRUE(e2e::TMarkedDesktop::Marked()) << "the desktop was not given back";
    }
    for (const std::string& file : InstalledFiles())
        EXPECT_FALSE(SameTime(LastWriteTime(places_.folder + "\\" + file), longAgo)) << file << " was not replaced";

    e2e::TProgram again(InstalledExe(), places_.folder);
    ASSERT_TRUE(again.Started());
    EXPECT_EQ(e2e::WatchDesktopClips(1, 15000), std::vector<std::string>{"red"}) << "the updated program did not play";
    HWND window = again.Window("TForm1");
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1234;
    ASSERT_TRUE(again.WaitForExit(10000, exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(InstallerUpdate, KeepsTheSettingsAndTheAutostart) {
    e2e::StorePlaylist({"C:\\movies\\one.mpg"});
    RegSetKeyValueA(HKEY_CURRENT_USER, kRunKey, "Vorlinde", REG_SZ, InstalledExe().c_str(),
                    static_cast<DWORD>(InstalledExe().size() + 1));
    ASSERT_EQ(InstallSilently(), 0u);
    EXPECT_EQ(StringValue(HKEY_CURRENT_USER, "SOFTWARE\\Vorlinde\\MovieList", "1"), "C:\\movies\\one.mpg");
    EXPECT_EQ(StringValue(HKEY_CURRENT_USER, kRunKey, "Vorlinde"), InstalledExe());
}

TEST_F(InstallerUpdate, SilentUpdateFailsWhenItCannotReplaceTheProgram) {
    // Held as another user's Vorlinde, which this installer cannot close, would hold it.
    HANDLE held = CreateFileA(InstalledExe().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::optional<DWORD> exitCode = InstallSilently();
    CloseHandle(held);
    // The exit code of an installer that stopped with an error.
    EXPECT_EQ(exitCode, 2u);
}

}  // namespace
}  // namespace installer_test
