// The tray commands of the main window, help, the first-run balloon and the About window's
// commands, driven as the user drives them: tray notifications posted as the shell posts them,
// menu items and buttons clicked, keys sent to the window.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "app/ProgramState.h"
#include "framework/ShellOpen.h"
#include "framework/Application.h"
#include "framework/ExtCtrls.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "media/FilterGraph.h"
#include "media/VideoWindow.h"
#include "skin/SkinForm.h"
#include "skin/ThemeManager.h"
#include "skin/controls/PopupMenu.h"
#include "tray/TrayIcon.h"

namespace {

using apptest::SampleClip;
using apptest::SettingsSection;
using vorlinde::Form1;
using vorlinde::Form2;
using vl::TShellRequest;
using vorlinde::TTrayIcon;

class TrayCommandsTest : public apptest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        vl::ShellOpenOverride = [this](const TShellRequest& r) { shellRequests.push_back(r); };
        TTrayIcon::ShellNotifyOverride = [this](DWORD message, const NOTIFYICONDATAA& data) {
            trayCalls.push_back({message, data});
            return TRUE;
        };
    }
    void TearDown() override {
        vl::TPopupMenu::TrackOverride = nullptr;
        ProgramTest::TearDown();
        TTrayIcon::ShellNotifyOverride = nullptr;
        vl::ShellOpenOverride = nullptr;
    }

    // Starts the program with one movie in the playlist: it plays on the desktop. The clip
    // lasts 10 s, so it is still running while the test looks. `preview` is the stored
    // "Preview when click" option: unchecking the box while a movie plays would stop it.
    void StartPlaying(bool preview = true) {
        StorePlaylist({SampleClip("demo-1.mpg")});
        apptest::SetStringValue(SettingsSection("Options"), "Preview", preview ? "1" : "0");
        CreateMainWindow();
        ASSERT_EQ(Form1->chkPreview->Checked(), preview);
        ASSERT_TRUE(Form1->FilterGraph1->Active());
        ASSERT_EQ(Form1->FilterGraph1->State(), vorlinde::PlaybackState::Playing);
        ASSERT_TRUE(Form1->DSVideoWindowEx21->DesktopPlaying());
    }
    // A left click on the tray icon, as the shell reports it.
    void ClickTrayIcon() {
        for (UINT code : {WM_LBUTTONDOWN, WM_LBUTTONUP})
            PostMessageA(vorlinde::TTrayIconHandler::Window(), vorlinde::TrayCallbackMessage,
                         Form1->TrayIcon1->Identifier(), code);
        vl::Application->ProcessMessages();
    }
    bool MainWindowShown() { return Form1->HandleAllocated() && IsWindowVisible(Form1->Handle()); }
    int Balloons() const {
        int n = 0;
        for (const auto& [message, data] : trayCalls)
            if (message == NIM_MODIFY && (data.uFlags & NIF_INFO) && data.szInfo[0]) ++n;
        return n;
    }

    std::vector<TShellRequest> shellRequests;
    std::vector<std::pair<DWORD, NOTIFYICONDATAA>> trayCalls;
};

// --- the tray icon on the main window

using TrayCommandsIcon = TrayCommandsTest;

TEST_F(TrayCommandsIcon, IsInTheTrayOnceTheMainWindowIsLoaded) {
    CreateMainWindow();
    TTrayIcon* icon = Form1->TrayIcon1;
    EXPECT_TRUE(icon->IconVisible());
    EXPECT_EQ(std::string(icon->IconData().szTip), "Vorlinde");
    EXPECT_NE(icon->IconData().hIcon, nullptr);
    EXPECT_EQ(icon->Icon()->Width(), 32);
    EXPECT_TRUE(icon->MinimizeToTray());
    EXPECT_EQ(icon->PopupMenu(), static_cast<vl::TPopupMenu*>(Form1->PopupMenu1));
}

TEST_F(TrayCommandsIcon, MenuHoldsTheSixCommandsInOrder) {
    CreateMainWindow();
    vl::TMenuItem* items = Form1->PopupMenu1->Items();
    std::vector<std::string> captions;
    for (int i = 0; i < items->Count(); ++i) captions.push_back(items->Items(i)->Caption());
    EXPECT_EQ(captions,
              (std::vector<std::string>{"&Pause", "&Stop", "&Options..", "&Help", "&About..", "&Exit"}));
}

TEST_F(TrayCommandsIcon, RightClickOpensTheMenu) {
    CreateMainWindow();
    int popups = 0;
    vl::TPopupMenu::TrackOverride = [&popups](vl::TPopupMenu&, HMENU, int, int) -> UINT {
        ++popups;
        return 0;
    };
    PostMessageA(vorlinde::TTrayIconHandler::Window(), vorlinde::TrayCallbackMessage, Form1->TrayIcon1->Identifier(),
                 WM_RBUTTONDOWN);
    vl::Application->ProcessMessages();
    EXPECT_EQ(popups, 1);
}

// --- tray click and "&Options.."

using TrayCommandsClick = TrayCommandsTest;

TEST_F(TrayCommandsClick, ShowsTheMainWindowInFront) {
    CreateMainWindow();
    ASSERT_FALSE(MainWindowShown());
    ClickTrayIcon();
    EXPECT_TRUE(MainWindowShown());
    EXPECT_EQ(GetForegroundWindow(), Form1->Handle());
}

TEST_F(TrayCommandsClick, StopsThePlaybackWithoutPreviewWhenClick) {
    APPTEST_REQUIRE_SAMPLES();
    StartPlaying(false);
    ClickTrayIcon();
    EXPECT_FALSE(Form1->FilterGraph1->Active());
    EXPECT_FALSE(Form1->DSVideoWindowEx21->DesktopPlaying());
    EXPECT_TRUE(MainWindowShown());
}

TEST_F(TrayCommandsClick, KeepsThePlaybackWithPreviewWhenClick) {
    APPTEST_REQUIRE_SAMPLES();
    StartPlaying(true);
    ClickTrayIcon();
    EXPECT_TRUE(Form1->FilterGraph1->Active());
    EXPECT_EQ(Form1->FilterGraph1->RenderedFile(), apptest::SampleClipW("demo-1.mpg"));
    EXPECT_EQ(Form1->FilterGraph1->State(), vorlinde::PlaybackState::Playing);
    // The movie has come back from the desktop into the pane.
    EXPECT_FALSE(Form1->DSVideoWindowEx21->DesktopPlaying());
    EXPECT_TRUE(MainWindowShown());
}

TEST_F(TrayCommandsClick, OptionsKeepsThePlaybackEvenWithoutPreview) {
    APPTEST_REQUIRE_SAMPLES();
    StartPlaying(false);
    Form1->Options1->Click();
    EXPECT_TRUE(Form1->FilterGraph1->Active());
    EXPECT_EQ(Form1->FilterGraph1->State(), vorlinde::PlaybackState::Playing);
    EXPECT_FALSE(Form1->DSVideoWindowEx21->DesktopPlaying());
    EXPECT_TRUE(MainWindowShown());
}

TEST_F(TrayCommandsClick, OptionsBringsTheWindowBackFromTheTray) {
    CreateMainWindow();
    Form1->btnOk->Click();
    ASSERT_TRUE(vl::Application->Minimized());
    Form1->Options1->Click();
    EXPECT_FALSE(vl::Application->Minimized());
    EXPECT_TRUE(MainWindowShown());
}

// --- help

class TrayCommandsHelp : public TrayCommandsTest {
protected:
    void SetUp() override {
        TrayCommandsTest::SetUp();
        CreateMainWindow();
    }
    // The one request made, which must be the help file's.
    void ExpectHelpOpened() {
        ASSERT_EQ(shellRequests.size(), 1u);
        const TShellRequest& r = shellRequests[0];
        EXPECT_EQ(r.file, vorlinde::ExeFolder + "HELP.chm");
        EXPECT_FALSE(r.hasVerb);
        EXPECT_FALSE(r.hasParameters);
        EXPECT_FALSE(r.hasDirectory);
        EXPECT_EQ(r.owner, nullptr);
        EXPECT_EQ(r.showCommand, SW_SHOWNORMAL);
    }
};

TEST_F(TrayCommandsHelp, HelpItemOpensHelpChmBesideTheProgram) {
    Form1->Help1->Click();
    ExpectHelpOpened();
}

TEST_F(TrayCommandsHelp, F1OpensTheSameFile) {
    Form1->Perform(WM_KEYDOWN, VK_F1, 0);
    ExpectHelpOpened();
}

TEST_F(TrayCommandsHelp, F1WithModifiersOpensTheSameFile) {
    WORD key = VK_F1;
    Form1->OnKeyDown(Form1, key, vl::ssCtrl | vl::ssShift);
    ExpectHelpOpened();
}

TEST_F(TrayCommandsHelp, TitleBarHelpButtonOpensTheSameFile) {
    ASSERT_TRUE(Form1->suiForm1->OnTitleBarHelpBtnClick);
    Form1->suiForm1->OnTitleBarHelpBtnClick(Form1->suiForm1, 2);
    ExpectHelpOpened();
}

TEST_F(TrayCommandsHelp, MissingHelpFileGivesNoMessage) {
    vl::ShellOpenOverride = nullptr;
    ASSERT_EQ(GetFileAttributesA((vorlinde::ExeFolder + "HELP.chm").c_str()), INVALID_FILE_ATTRIBUTES);
    auto visibleWindows = [] {
        std::vector<std::string> shown;
        EnumWindows(
            [](HWND h, LPARAM list) -> BOOL {
                char cls[64] = {}, title[64] = {};
                GetClassNameA(h, cls, sizeof(cls));
                GetWindowTextA(h, title, sizeof(title));
                if (IsWindowVisible(h))
                    reinterpret_cast<std::vector<std::string>*>(list)->push_back(std::string(cls) + " '" + title + "'");
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&shown));
        return shown;
    };
    Form1->Timer1->SetEnabled(false);  // the empty playlist's window must not count
    const auto before = visibleWindows();
    Form1->Help1->Click();
    apptest::PumpMessagesFor(1000);
    EXPECT_EQ(visibleWindows(), before);
    EXPECT_TRUE(apptest::RecordedExceptions().empty());
}

// --- the first-run balloon

using TrayCommandsBalloon = TrayCommandsTest;

TEST_F(TrayCommandsBalloon, FirstCallShowsTheBalloonAndStoresFirstRunOff) {
    CreateMainWindow();
    trayCalls.clear();
    Form1->ShowHint();
    EXPECT_EQ(Balloons(), 1);
    EXPECT_EQ(Form1->TrayIcon1->BalloonText(), "Right click here to control Vorlinde");
    EXPECT_EQ(Form1->TrayIcon1->BalloonTitle(), "Vorlinde");
    EXPECT_EQ(apptest::StringValue(SettingsSection("Options"), "FirstRun"), "0");
}

TEST_F(TrayCommandsBalloon, ShowsOncePerUser) {
    CreateMainWindow();
    trayCalls.clear();
    Form1->ShowHint();
    Form1->ShowHint();
    EXPECT_EQ(Balloons(), 1);
}

TEST_F(TrayCommandsBalloon, StoredFirstRunOffShowsNothing) {
    apptest::SetStringValue(SettingsSection("Options"), "FirstRun", "0");
    CreateMainWindow();
    trayCalls.clear();
    Form1->ShowHint();
    EXPECT_EQ(Balloons(), 0);
}

// --- the About window

class TrayCommandsAbout : public TrayCommandsTest {
protected:
    void SetUp() override {
        TrayCommandsTest::SetUp();
        CreateMainWindow();
        CreateAboutWindow();
        // Closes the About window once it shows modally, noting that it did.
        closer.SetInterval(30);
        closer.SetOnTimer([this](vl::TObject*) {
            if (!Form2 || !Form2->Modal()) return;
            shownModally = IsWindowVisible(Form2->Handle()) != FALSE;
            shownInstance = Form2;
            Form2->Button1->Click();
        });
    }
    vl::TTimer closer{nullptr};
    bool shownModally = false;
    vorlinde::TForm2* shownInstance = nullptr;
};

TEST_F(TrayCommandsAbout, TrayItemShowsTheAboutWindowModally) {
    Form1->About1->Click();
    EXPECT_TRUE(shownModally);
    EXPECT_EQ(shownInstance, Form2);
    EXPECT_FALSE(IsWindowVisible(Form2->Handle()));
}

TEST_F(TrayCommandsAbout, TrayItemWhileTheWindowShowsDoesNothing) {
    closer.SetEnabled(false);
    Form2->Show();
    Form1->About1->Click();
    EXPECT_FALSE(Form2->Modal());
    EXPECT_TRUE(apptest::RecordedExceptions().empty());
}

TEST_F(TrayCommandsAbout, ButtonCreatesTheWindowAnew) {
    vorlinde::TForm2* before = Form2;
    Form1->Button1->Click();
    EXPECT_TRUE(shownModally);
    EXPECT_NE(Form2, before);
    EXPECT_EQ(shownInstance, Form2);
    EXPECT_EQ(Form2->suiThemeManager1->FileTheme(), Form1->suiFileTheme1);
}

TEST_F(TrayCommandsAbout, ButtonDoesNotPileUpWindows) {
    const size_t forms = vl::Application->Forms().size();
    Form1->Button1->Click();
    Form1->Button1->Click();
    EXPECT_EQ(vl::Application->Forms().size(), forms);
}

// --- "&Exit"

using TrayCommandsExit = TrayCommandsTest;

// In a process of its own: ending the message loop cannot be undone. The child's exit code
// says whether "&Exit" ended the loop with the graph released.
TEST_F(TrayCommandsExit, ClosesTheMainWindowAndEndsTheProgram) {
    APPTEST_REQUIRE_SAMPLES();
    if (!apptest::InOwnTestProcess()) {
        EXPECT_EQ(apptest::RunThisTestInOwnProcess(), 0);
        return;
    }
    StartPlaying();
    Form1->Exit1->Click();
    vl::Application->Run();
    std::exit(vl::Application->Terminated() && !Form1->FilterGraph1->Active() ? 0 : 1);
}

// --- the About window's links

class AboutWindowLinks : public TrayCommandsTest {
protected:
    void SetUp() override {
        TrayCommandsTest::SetUp();
        CreateMainWindow();
        CreateAboutWindow();
    }
};

TEST_F(AboutWindowLinks, WebLinkOpensTheWebSite) {
    EXPECT_EQ(Form2->suiURLLabel1->Caption(), "www.vorlinde.org");
    Form2->suiURLLabel1->Click();
    ASSERT_EQ(shellRequests.size(), 1u);
    EXPECT_EQ(shellRequests[0].verb, "open");
    EXPECT_EQ(shellRequests[0].file, "https://www.vorlinde.org/");
}

TEST_F(AboutWindowLinks, MailLinkWritesToTheAddressShown) {
    EXPECT_EQ(Form2->suiURLLabel2->Caption(), "support@vorlinde.org");
    Form2->suiURLLabel2->Click();
    ASSERT_EQ(shellRequests.size(), 1u);
    EXPECT_EQ(shellRequests[0].verb, "open");
    EXPECT_EQ(shellRequests[0].file, "mailto:support@vorlinde.org");
}

TEST_F(AboutWindowLinks, LinkTurnsRedUnderTheMouse) {
    vl::TLabel* link = Form2->suiURLLabel1;
    ASSERT_EQ(link->Font()->Color(), vl::clBlue);
    link->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(link->Font()->Color(), vl::clRed);
    link->Perform(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(link->Font()->Color(), vl::clBlue);
}

// --- the tray menu and the advance from one file to the next

using TrayCommandsAdvance = TrayCommandsTest;

// A right click whose notification reaches the program while the advance waits inside a
// platform call (sent to the tray window from inside the desktop switch, as the settings
// broadcast lets it in): the menu opens once the advance is done, on the next file.
TEST_F(TrayCommandsAdvance, AMenuAskedForDuringTheAdvanceOpensAfterIt) {
    APPTEST_REQUIRE_SAMPLES();
    StorePlaylist({SampleClip("red.mpg"), SampleClip("green.mpg")});
    CreateMainWindow();
    ASSERT_TRUE(Form1->DSVideoWindowEx21->DesktopPlaying());

    struct TSeen {
        bool inAdvance;
        bool desktop;
        std::string caption;
    };
    std::vector<TSeen> popups;
    bool inAdvance = false;
    vl::TPopupMenu::TrackOverride = [&](vl::TPopupMenu&, HMENU, int, int) -> UINT {
        popups.push_back({inAdvance, Form1->DSVideoWindowEx21->DesktopPlaying(), Form1->Stop1->Caption()});
        return 0;
    };
    int sent = 0;
    Form1->DSVideoWindowEx21->OnOverlayVisible = [&](vl::TObject*, bool) {
        if (!inAdvance || sent++) return;
        SendMessageA(vorlinde::TTrayIconHandler::Window(), vorlinde::TrayCallbackMessage,
                     Form1->TrayIcon1->Identifier(), WM_RBUTTONDOWN);
        // The video window's refresh pumps posted messages as well.
        PostMessageA(vorlinde::TTrayIconHandler::Window(), vorlinde::TrayCallbackMessage,
                     Form1->TrayIcon1->Identifier(), WM_RBUTTONUP);
        vl::Application->ProcessMessages();
    };

    inAdvance = true;
    Form1->FilterGraph1GraphComplete(Form1->FilterGraph1, S_OK, nullptr);
    inAdvance = false;
    ASSERT_GE(sent, 1) << "the advance switched the video window without telling";
    EXPECT_TRUE(popups.empty()) << "the menu opened in the middle of the advance";
    EXPECT_EQ(Form1->FilterGraph1->RenderedFile(), apptest::SampleClipW("green.mpg"));

    apptest::PumpMessagesUntil([&] { return !popups.empty(); }, 1000);
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_FALSE(popups[0].inAdvance);
    EXPECT_TRUE(popups[0].desktop);
    EXPECT_EQ(popups[0].caption, "&Stop");
    Form1->DSVideoWindowEx21->OnOverlayVisible = nullptr;
}

}  // namespace
