// Tray commands, help, and the first-run balloon.
#include "app/MainForm.h"
#include "app/ProgramState.h"
#include "tray/TrayIcon.h"

namespace vorlinde {

void TForm1::ShowHint() {
    if (!RegSettings->ReadBool("Options", "FirstRun", true)) return;
    TrayIcon1->ShowBalloonHint("Vorlinde", "Right click here to control Vorlinde", bitInfo, 20);
    RegSettings->WriteBool("Options", "FirstRun", false);
}

void TForm1::Exit1Click(vl::TObject*) { Close(); }

// The other tray commands, help and the About button do nothing yet; they come with the tray
// commands.
void TForm1::TrayIcon1Click(vl::TObject*) {}
void TForm1::Options1Click(vl::TObject*) {}
void TForm1::Help1Click(vl::TObject*) {}
void TForm1::About1Click(vl::TObject*) {}
void TForm1::suiForm1TitleBarHelpBtnClick(vl::TObject*, int) {}
void TForm1::suitempButton1Click(vl::TObject*) {}
void TForm1::FormKeyDown(vl::TObject*, WORD&, vl::TShiftState) {}

}  // namespace vorlinde
