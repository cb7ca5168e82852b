// The About window, created after the main window and drawing from its file theme.
#include <windows.h>

#include "AppTestSupport.h"
#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "framework/ExtCtrls.h"
#include "framework/GuiTestSupport.h"
#include "framework/StdCtrls.h"
#include "skin/SkinForm.h"
#include "skin/ThemeManager.h"

namespace {

using vorlinde::Form1;
using vorlinde::Form2;
using vorlinde::TsuiUIStyle;

class MainWindowAbout : public apptest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        CreateMainWindow();
    }
};

TEST_F(MainWindowAbout, RefersToTheMainWindowsFileTheme) {
    CreateAboutWindow();
    EXPECT_EQ(Form2->suiThemeManager1->FileTheme(), Form1->suiFileTheme1);
    EXPECT_EQ(Form2->suiForm1->FileTheme(), Form1->suiFileTheme1);
}

TEST_F(MainWindowAbout, KeepsProteinWithoutItsThemeFile) {
    apptest::SetStringValue(apptest::SettingsSection("Options"), "SkinFileName", "no-such-theme.sui");
    CreateAboutWindow();
    EXPECT_EQ(Form2->suiThemeManager1->UIStyle(), TsuiUIStyle::Protein);
    EXPECT_EQ(Form2->suiForm1->UIStyle(), TsuiUIStyle::Protein);
}

TEST_F(MainWindowAbout, FollowsTheThemeFileWhenItExists) {
    const char themeName[] = "about-window-test.sui";
    HANDLE file = CreateFileA(themeName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    apptest::SetStringValue(apptest::SettingsSection("Options"), "SkinFileName", themeName);
    CreateAboutWindow();
    DeleteFileA(themeName);
    EXPECT_EQ(Form2->suiThemeManager1->UIStyle(), TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(Form2->suiForm1->UIStyle(), TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(Form2->suiThemeManager1->FileTheme(), Form1->suiFileTheme1);
}

TEST_F(MainWindowAbout, ForgetsTheFileThemeWhenTheMainWindowGoes) {
    CreateAboutWindow();
    delete Form1;
    Form1 = nullptr;
    EXPECT_EQ(Form2->suiThemeManager1->FileTheme(), nullptr);
    EXPECT_EQ(Form2->suiThemeManager1->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(Form2->suiForm1->FileTheme(), nullptr);
}

TEST_F(MainWindowAbout, CloseButtonHidesTheWindow) {
    CreateAboutWindow();
    Form2->Show();
    ASSERT_TRUE(IsWindowVisible(Form2->Handle()));
    Form2->Button1->Click();
    EXPECT_FALSE(IsWindowVisible(Form2->Handle()));
}

TEST_F(MainWindowAbout, AHundredOpenAndCloseCyclesLeaveTheGdiCountFlat) {
    CreateAboutWindow();
    // The empty playlist's start-up timer would show the settings window in the middle.
    Form1->Timer1->SetEnabled(false);
    // Opened as the tray command opens it, closed as its title bar's close button closes it.
    auto cycle = [] {
        Form2->Show();
        UpdateWindow(Form2->Handle());
        Form2->Close();
    };
    cycle();
    vltest::Pump(20);
    const DWORD before = vltest::GdiObjects();
    ASSERT_GT(before, 0u);
    for (int i = 0; i < 100; ++i) cycle();
    vltest::Pump(20);
    EXPECT_FALSE(IsWindowVisible(Form2->Handle()));
    EXPECT_EQ(vltest::GdiObjects(), before);
}

}  // namespace
