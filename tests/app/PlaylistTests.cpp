// Playlist editing commands of the main window.
#include <windows.h>

#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/MainForm.h"
#include "framework/Dialogs.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "media/FilterGraph.h"
#include "media/VideoWindow.h"

namespace {

using vorlinde::Form1;

class Playlist : public apptest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        CreateMainWindow();
    }
    void Fill(const std::vector<std::string>& entries) {
        for (const std::string& e : entries) Form1->lsbMovie->Items()->Add(e);
    }
    std::vector<std::string> Entries() {
        std::vector<std::string> lines;
        for (int i = 0; i < Form1->lsbMovie->Items()->Count(); ++i) lines.push_back(Form1->lsbMovie->Items()->Strings(i));
        return lines;
    }
    void Select(int index) { Form1->lsbMovie->SetItemIndex(index); }
    int Selected() { return Form1->lsbMovie->ItemIndex(); }
};

class PlaylistAdd : public Playlist {};
class PlaylistMove : public Playlist {};
class PlaylistPreview : public Playlist {
protected:
    // Sample clips in place of entries a and b: a preview really plays.
    void FillWithClips() { Fill({apptest::SampleClip("red.mpg"), apptest::SampleClip("green.mpg")}); }
    // `clip` plays in the settings window's pane, not on the desktop.
    void ExpectPreviewing(const char* clip) {
        EXPECT_TRUE(apptest::RecordedExceptions().empty());
        EXPECT_TRUE(Form1->FilterGraph1->Active());
        EXPECT_EQ(Form1->FilterGraph1->RenderedFile(), apptest::SampleClipW(clip));
        EXPECT_EQ(Form1->FilterGraph1->State(), vorlinde::PlaybackState::Playing);
        EXPECT_FALSE(Form1->DSVideoWindowEx21->DesktopPlaying());
    }
};

// --- "&Add"

TEST_F(PlaylistAdd, ChosenFileIsAppended) {
    Fill({"C:\\a.mpg"});
    vl::TOpenDialog::ExecuteOverride = [](vl::TOpenDialog& dialog) {
        dialog.SetFileName("C:\\movies\\new clip.wmv");
        return true;
    };
    Form1->btnAdd->Click();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\a.mpg", "C:\\movies\\new clip.wmv"}));
}

TEST_F(PlaylistAdd, SelectionStays) {
    Fill({"C:\\a.mpg", "C:\\b.mpg"});
    Select(0);
    vl::TOpenDialog::ExecuteOverride = [](vl::TOpenDialog& dialog) {
        dialog.SetFileName("C:\\c.mpg");
        return true;
    };
    Form1->btnAdd->Click();
    EXPECT_EQ(Selected(), 0);
}

TEST_F(PlaylistAdd, CancelledDialogChangesNothing) {
    Fill({"C:\\a.mpg"});
    vl::TOpenDialog::ExecuteOverride = [](vl::TOpenDialog& dialog) {
        dialog.SetFileName("C:\\not-chosen.mpg");
        return false;
    };
    Form1->btnAdd->Click();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\a.mpg"}));
}

TEST_F(PlaylistAdd, DialogOffersTheMovieTypes) {
    vl::TOpenDialog* shown = nullptr;
    vl::TOpenDialog::ExecuteOverride = [&shown](vl::TOpenDialog& dialog) {
        shown = &dialog;
        return false;
    };
    Form1->btnAdd->Click();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->Title(), "Add Movie");
    EXPECT_EQ(shown->Filter(), "All supported types|*.asf;*.mpg;*.wmv;*.dat|*.asf|*.asf|*.mpg|*.mpg|*.wmv|*.wmv|*.dat|*.dat");
    EXPECT_EQ(shown->FilterIndex(), 1);
    EXPECT_EQ(shown->Options() & (vl::ofAllowMultiSelect | vl::ofFileMustExist | vl::ofPathMustExist), 0u);
    EXPECT_NE(shown->Options() & vl::ofHideReadOnly, 0u);
}

// --- "Move &Up" / "Move &Down"

TEST_F(PlaylistMove, UpOnFirstDoesNothing) {
    Fill({"C:\\a.mpg", "C:\\b.mpg"});
    Select(0);
    Form1->btnUp->Click();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\a.mpg", "C:\\b.mpg"}));
    EXPECT_EQ(Selected(), 0);
}

TEST_F(PlaylistMove, UpWithoutSelectionDoesNothing) {
    Fill({"C:\\a.mpg", "C:\\b.mpg"});
    Form1->btnUp->Click();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\a.mpg", "C:\\b.mpg"}));
    EXPECT_EQ(Selected(), -1);
}

TEST_F(PlaylistMove, DownOnLastDoesNothing) {
    Fill({"C:\\a.mpg", "C:\\b.mpg"});
    Select(1);
    Form1->btnDown->Click();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\a.mpg", "C:\\b.mpg"}));
    EXPECT_EQ(Selected(), 1);
}

TEST_F(PlaylistMove, DownWithoutSelectionDoesNothing) {
    Fill({"C:\\a.mpg", "C:\\b.mpg"});
    Form1->btnDown->Click();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\a.mpg", "C:\\b.mpg"}));
    EXPECT_EQ(Selected(), -1);
}

TEST_F(PlaylistMove, UpMovesStepByStepKeepingTheSelection) {
    Fill({"C:\\a.mpg", "C:\\b.mpg", "C:\\c.mpg"});
    Select(2);
    Form1->btnUp->Click();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\a.mpg", "C:\\c.mpg", "C:\\b.mpg"}));
    EXPECT_EQ(Selected(), 1);
    Form1->btnUp->Click();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\c.mpg", "C:\\a.mpg", "C:\\b.mpg"}));
    EXPECT_EQ(Selected(), 0);
}

TEST_F(PlaylistMove, DownMovesStepByStepKeepingTheSelection) {
    Fill({"C:\\a.mpg", "C:\\b.mpg", "C:\\c.mpg"});
    Select(0);
    Form1->btnDown->Click();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\b.mpg", "C:\\a.mpg", "C:\\c.mpg"}));
    EXPECT_EQ(Selected(), 1);
    Form1->btnDown->Click();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\b.mpg", "C:\\c.mpg", "C:\\a.mpg"}));
    EXPECT_EQ(Selected(), 2);
}

// --- "&Delete" / "&Clear"

TEST_F(Playlist, DeleteRemovesTheSelectedEntry) {
    Fill({"C:\\a.mpg", "C:\\b.mpg", "C:\\c.mpg"});
    Select(1);
    Form1->btnDelete->Click();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\a.mpg", "C:\\c.mpg"}));
}

TEST_F(Playlist, DeleteWithoutSelectionDoesNothing) {
    Fill({"C:\\a.mpg", "C:\\b.mpg"});
    Form1->btnDelete->Click();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\a.mpg", "C:\\b.mpg"}));
}

TEST_F(Playlist, ClearRemovesEveryEntry) {
    Fill({"C:\\a.mpg", "C:\\b.mpg"});
    Select(0);
    Form1->btnClear->Click();
    EXPECT_EQ(Form1->lsbMovie->Items()->Count(), 0);
}

// --- list click and "Preview when click"

TEST_F(PlaylistPreview, ClickWithPreviewPlaysTheEntryInThePane) {
    APPTEST_REQUIRE_SAMPLES();
    FillWithClips();
    Form1->chkPreview->SetChecked(true);
    Select(1);
    Form1->suitemplsbMovieClick(Form1->lsbMovie);
    ExpectPreviewing("green.mpg");
}

TEST_F(PlaylistPreview, UserClickOnAnEntryPreviewsIt) {
    APPTEST_REQUIRE_SAMPLES();
    FillWithClips();
    Form1->chkPreview->SetChecked(true);
    HWND list = Form1->lsbMovie->Handle();
    RECT item{};
    ASSERT_NE(SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item)), LB_ERR);
    const LPARAM at = MAKELPARAM(item.left + 4, (item.top + item.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    apptest::PumpMessagesFor(50);
    EXPECT_EQ(Selected(), 1);
    ExpectPreviewing("green.mpg");
}

TEST_F(PlaylistPreview, ClickWithPreviewClearsThePauseMark) {
    APPTEST_REQUIRE_SAMPLES();
    Fill({apptest::SampleClip("red.mpg")});
    Form1->chkPreview->SetChecked(true);
    Form1->Pause1->SetChecked(true);
    Select(0);
    Form1->suitemplsbMovieClick(Form1->lsbMovie);
    EXPECT_FALSE(Form1->Pause1->Checked());
    ExpectPreviewing("red.mpg");
}

TEST_F(PlaylistPreview, ClickWithoutSelectionPlaysNothing) {
    Fill({"C:\\a.mpg"});
    Form1->chkPreview->SetChecked(true);
    Form1->suitemplsbMovieClick(Form1->lsbMovie);
    EXPECT_FALSE(Form1->FilterGraph1->Active());
}

TEST_F(PlaylistPreview, ClickWithoutPreviewPlaysNothing) {
    Fill({"C:\\a.mpg"});
    Form1->chkPreview->SetChecked(false);
    Select(0);
    Form1->suitemplsbMovieClick(Form1->lsbMovie);
    EXPECT_FALSE(Form1->FilterGraph1->Active());
}

TEST_F(PlaylistPreview, UncheckingPreviewStopsThePreview) {
    APPTEST_REQUIRE_SAMPLES();
    FillWithClips();
    Form1->chkPreview->SetChecked(true);
    Select(0);
    Form1->suitemplsbMovieClick(Form1->lsbMovie);
    ASSERT_EQ(Form1->FilterGraph1->State(), vorlinde::PlaybackState::Playing);
    Form1->chkPreview->SetChecked(false);
    EXPECT_FALSE(Form1->FilterGraph1->Active());
}

TEST_F(PlaylistPreview, CheckingPreviewPreviewsTheSelectedEntry) {
    APPTEST_REQUIRE_SAMPLES();
    FillWithClips();
    Form1->chkPreview->SetChecked(false);
    Select(0);
    Form1->chkPreview->SetChecked(true);
    ExpectPreviewing("red.mpg");
}

}  // namespace
