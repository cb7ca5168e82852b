// Playback: which file plays and where. Every start of a file follows the same recipe: make
// sure the graph exists, empty it, build it for the file, optionally move the video to the
// desktop, run it.
#include <windows.h>

#include "app/MainForm.h"
#include "app/ProgramState.h"
#include "framework/StdCtrls.h"
#include "media/FilterGraph.h"
#include "media/VideoWindow.h"

namespace vorlinde {

namespace {
// The file name in the form the media framework takes (ANSI code page to UTF-16).
std::wstring WideFileName(const std::string& name) {
    if (name.empty()) return {};
    int length = MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), wide.data(), length);
    return wide;
}
}  // namespace

void TForm1::PlayNow(const std::string& fileName) {
    FilterGraph1->SetActive(true);
    FilterGraph1->ClearGraph();
    FilterGraph1->RenderFile(WideFileName(fileName));
    FilterGraph1->Play();
}

void TForm1::StartDesktopMovie() {
    vl::TStrings* items = lsbMovie->Items();
    const int count = items->Count();
    if (count == 0) return;
    // Editing the playlist does not touch the play order: when the two no longer match, start
    // over with a new order rather than reading outside either.
    const bool orderMatches = static_cast<int>(PlayOrderArray.size()) == count && PlayPosition >= 0 &&
                              PlayPosition < count &&
                              PlayOrderArray[static_cast<size_t>(PlayPosition)] >= 0 &&
                              PlayOrderArray[static_cast<size_t>(PlayPosition)] < count;
    if (!orderMatches) InitAry();
    const std::string fileName = items->Strings(PlayOrderArray[static_cast<size_t>(PlayPosition)]);

    FilterGraph1->SetActive(true);
    FilterGraph1->ClearGraph();
    FilterGraph1->RenderFile(WideFileName(fileName));
    DSVideoWindowEx21->StartDesktopPlayback();
    FilterGraph1->Play();
}

void TForm1::StopNow() {
    DSVideoWindowEx21->NormalPlayback();
    FilterGraph1->Stop();
    FilterGraph1->ClearGraph();
    FilterGraph1->SetActive(false);
}

// The tray menu's playback commands, the advance to the next file and "&Set Desktop" do
// nothing yet; they come with the playback commands.
void TForm1::FilterGraph1GraphComplete(vl::TObject*, HRESULT, IBaseFilter*) {}
void TForm1::Pause1Click(vl::TObject*) {}
void TForm1::Stop1Click(vl::TObject*) {}
void TForm1::suitempPopupMenu1Popup(vl::TObject*) {}
void TForm1::suitempbtnDesktopClick(vl::TObject*) {}

}  // namespace vorlinde
