// The installer and the uninstaller run with their pages, driven as a user clicks through them:
// the installer's Finish page starts the installed program, and the uninstaller's check box
// removes the user's settings too.
#include <gtest/gtest.h>

#include "InstallerFixture.h"
#include "WizardDriver.h"

namespace installer_test {
namespace {

constexpr DWORD kPageWaitMs = 10000;
constexpr char kSetupTitle[] = "Vorlinde " VORLINDE_VERSION " Setup";
constexpr char kUninstallTitle[] = "Uninstall Vorlinde";

class InstallerWizard : public TInstallerTest {};

TEST_F(InstallerWizard, InstallsThroughItsPagesAndFinishStartsTheProgram) {
    e2e::TProgram installer(InstallerPath(), "");
    ASSERT_TRUE(installer.Started());
    HWND wizard = WaitForWizard(kSetupTitle, kPageWaitMs);
    ASSERT_NE(wizard, nullptr) << "no window " << kSetupTitle;

    ASSERT_NE(WaitForControl(wizard, "Static", "This installs Vorlinde", kPageWaitMs), nullptr) << "no welcome page";
    PressWizardButton(wizard, kWizardNextButton);
    HWND justMe = WaitForControl(wizard, "Button", "Only for &me", kPageWaitMs);
    ASSERT_NE(justMe, nullptr) << "no page to choose the users";
    EXPECT_EQ(SendMessageA(justMe, BM_GETCHECK, 0, 0), BST_CHECKED) << "not for the current user by default";
    PressWizardButton(wizard, kWizardNextButton);
    ASSERT_NE(WaitForControl(wizard, "Static", "Setup installs Vorlinde in the folder below", kPageWaitMs), nullptr)
        << "no folder page";
    PressWizardButton(wizard, kWizardNextButton);
    HWND startNow = WaitForControl(wizard, "Button", "&Start Vorlinde now", kPageWaitMs);
    ASSERT_NE(startNow, nullptr) << "no finish page";
    EXPECT_EQ(SendMessageA(startNow, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(FileExists(InstalledExe()));
    PressWizardButton(wizard, kWizardNextButton);

    DWORD exitCode = 1234;
    ASSERT_TRUE(installer.WaitForExit(kPageWaitMs, exitCode));
    EXPECT_EQ(exitCode, 0u);
    // The program started by Finish: its settings window, as on every first start.
    HWND window = e2e::WaitForWindow([] { return e2e::ShownWindow("TForm1", "Vorlinde"); }, 15000);
    ASSERT_NE(window, nullptr) << "the program did not start";
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    ASSERT_NE(process, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process, 5000), WAIT_OBJECT_0) << "the program did not end";
    GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(InstallerWizard, UninstallerRemovesTheSettingsWhenItsBoxIsTicked) {
    ASSERT_EQ(InstallSilently(), 0u);
    e2e::StorePlaylist({"C:\\movies\\one.mpg"});
    TUninstallerCopy copy(places_.folder);
    ASSERT_TRUE(copy.Copied());
    e2e::TProgram uninstaller(copy.Path(), "", copy.Arguments(""));
    ASSERT_TRUE(uninstaller.Started());
    HWND wizard = WaitForWizard(kUninstallTitle, kPageWaitMs);
    ASSERT_NE(wizard, nullptr) << "no window " << kUninstallTitle;

    HWND removeSettings = WaitForControl(wizard, "Button", "Also remove my &settings", kPageWaitMs);
    ASSERT_NE(removeSettings, nullptr) << "no settings box on the confirmation page";
    EXPECT_EQ(SendMessageA(removeSettings, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "the settings go by default";
    SendMessageA(removeSettings, BM_SETCHECK, BST_CHECKED, 0);
    PressWizardButton(wizard, kWizardNextButton);
    ASSERT_NE(WaitForControl(wizard, "Static", "Completed", kPageWaitMs), nullptr) << "the uninstaller did not end";
    ASSERT_NE(WaitForControl(wizard, "Button", "&Close", kPageWaitMs), nullptr) << "no last page";
    PressWizardButton(wizard, kWizardNextButton);

    DWORD exitCode = 1234;
    ASSERT_TRUE(uninstaller.WaitForExit(kPageWaitMs, exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettingsKey));
    EXPECT_FALSE(FolderExists(places_.folder));
}

}  // namespace
}  // namespace installer_test
