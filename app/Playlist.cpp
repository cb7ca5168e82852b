// Playlist editing commands of the main window and the play order they feed.
#include "app/MainForm.h"
#include "app/PlayOrder.h"
#include "app/ProgramState.h"
#include "framework/Dialogs.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "media/FilterGraph.h"

namespace vorlinde {

void TForm1::suitempbtnAddClick(vl::TObject*) {
    if (opdMovie->Execute()) lsbMovie->Items()->Add(opdMovie->FileName());
}

void TForm1::suitempbtnDeleteClick(vl::TObject*) {
    int index = lsbMovie->ItemIndex();
    if (index < 0) return;
    if (FilterGraph1->State() == PlaybackState::Playing) StopNow();
    lsbMovie->Items()->Delete(index);
}

void TForm1::suitempbtnUpClick(vl::TObject*) {
    int index = lsbMovie->ItemIndex();
    if (index <= 0) return;
    lsbMovie->Items()->Exchange(index, index - 1);
    lsbMovie->SetItemIndex(index - 1);
}

void TForm1::suitempbtnDownClick(vl::TObject*) {
    int index = lsbMovie->ItemIndex();
    if (index < 0 || index >= lsbMovie->Items()->Count() - 1) return;
    lsbMovie->Items()->Exchange(index, index + 1);
    lsbMovie->SetItemIndex(index + 1);
}

void TForm1::suitempbtnClearClick(vl::TObject*) {
    if (FilterGraph1->State() == PlaybackState::Playing) StopNow();
    lsbMovie->Items()->Clear();
}

void TForm1::suitemplsbMovieClick(vl::TObject*) {
    if (chkPreview->Checked()) {
        int index = lsbMovie->ItemIndex();
        if (index < 0) return;
        Pause1->SetChecked(false);
        PlayNow(lsbMovie->Items()->Strings(index));
    } else if (FilterGraph1->State() == PlaybackState::Playing) {
        StopNow();
    }
}

void TForm1::suitempchkPreviewClick(vl::TObject* sender) { suitemplsbMovieClick(sender); }

void TForm1::InitAry() {
    PlayOrderArray = BuildPlayOrder(lsbMovie->Items()->Count(), rdgOrder->ItemIndex() == 1, ClockSeed());
    PlayPosition = 0;
}

}  // namespace vorlinde
