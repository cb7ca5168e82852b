// Tray commands, help, the About window's commands and the first-run balloon.
#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "app/ProgramState.h"
#include "framework/ShellOpen.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/StdCtrls.h"
#include "media/VideoWindow.h"
#include "skin/ThemeManager.h"
#include "tray/TrayIcon.h"

namespace vorlinde {

namespace {

// Opens "HELP.chm" beside the executable with the shell's default verb. Without the file, or
// without a viewer for it, nothing happens.
void OpenHelpFile() { vl::ShellOpen(nullptr, nullptr, ExeFolder + "HELP.chm", nullptr, nullptr, SW_SHOWNORMAL); }

}  // namespace

void TForm1::ShowHint() {
    // The settings key is missing only when the start-up failed before opening it.
    if (!RegSettings) return;
    if (!RegSettings->ReadBool("Options", "FirstRun", true)) return;
    TrayIcon1->ShowBalloonHint("Vorlinde", "Right click here to control Vorlinde", bitInfo, 20);
    RegSettings->WriteBool("Options", "FirstRun", false);
}

void TForm1::TrayIcon1Click(vl::TObject*) {
    const TTrayNotificationHold hold;
    // The movie comes back from the desktop into the pane, and plays on there only for a
    // preview.
    DSVideoWindowEx21->NormalPlayback();
    if (!chkPreview->Checked()) StopNow();
    TrayIcon1->ShowMainForm();
}

void TForm1::Options1Click(vl::TObject*) {
    const TTrayNotificationHold hold;
    DSVideoWindowEx21->NormalPlayback();
    TrayIcon1->ShowMainForm();
}

void TForm1::Help1Click(vl::TObject*) { OpenHelpFile(); }

void TForm1::suiForm1TitleBarHelpBtnClick(vl::TObject*, int) { OpenHelpFile(); }

void TForm1::FormKeyDown(vl::TObject*, WORD& key, vl::TShiftState) {
    if (key == VK_F1) OpenHelpFile();
}

void TForm1::About1Click(vl::TObject*) {
    try {
        if (!Form2) throw vl::EInvalidOperation("The About window does not exist");
        Form2->ShowModal();
    } catch (...) {
        // Already showing, or gone: nothing is shown.
        vl::Application->ProcessMessages();
    }
}

void TForm1::suitempButton1Click(vl::TObject*) {
    // The new instance takes the name "Form2"; the one it replaces gives it up first.
    TForm2* previous = Form2;
    if (previous) previous->SetName("");
    try {
        vl::Application->CreateForm(Form2);
    } catch (...) {
        if (previous) previous->SetName("Form2");
        throw;
    }
    // The replaced instance is freed unless it is on screen (one left showing goes with the
    // program); otherwise every click would leave a hidden window behind.
    if (previous && !previous->Modal() && !(previous->HandleAllocated() && IsWindowVisible(previous->Handle())))
        delete previous;
    Form2->suiThemeManager1->SetFileTheme(Form2->suiThemeManager1->FileTheme());
    Form2->suiThemeManager1->ApplyTheme();
    Form2->ShowModal();
}

void TForm1::Exit1Click(vl::TObject*) { Close(); }

}  // namespace vorlinde
