// Playback: which file plays and where. Every start of a file follows the same recipe: make
// sure the graph exists, empty it, build it for the file, optionally move the video to the
// desktop, run it.
//
// Each operation and handler holds the tray's mouse notifications while it runs: the platform
// calls inside them (the settings broadcasts of the desktop switch, the video window's message
// pump) let sent and posted messages in, and the tray menu must not open in the middle of one.
#include <windows.h>

#include "app/MainForm.h"
#include "app/ProgramState.h"
#include "framework/Application.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "media/FilterGraph.h"
#include "media/VideoWindow.h"
#include "tray/TrayIconHandler.h"

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
    const TTrayNotificationHold hold;
    FilterGraph1->SetActive(true);
    FilterGraph1->ClearGraph();
    FilterGraph1->RenderFile(WideFileName(fileName));
    FilterGraph1->Play();
}

void TForm1::StartDesktopMovie() {
    const TTrayNotificationHold hold;
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
    const std::string next = NextDesktopFile();
    if (!next.empty()) FilterGraph1->PrepareFile(WideFileName(next));
}

// The file the advance will play after the current one, when it is known now: the next entry
// of the play order, or at its end the first entry of the new order that list order (or a
// single entry) makes; a new shuffled order is only drawn when the time comes.
std::string TForm1::NextDesktopFile() {
    vl::TStrings* items = lsbMovie->Items();
    const int count = items->Count();
    if (static_cast<int>(PlayOrderArray.size()) != count || PlayPosition < 0 || PlayPosition >= count) return {};
    int entry = -1;
    if (PlayPosition + 1 < count)
        entry = PlayOrderArray[static_cast<size_t>(PlayPosition + 1)];
    else if (count == 1 || rdgOrder->ItemIndex() != 1)
        entry = 0;
    if (entry < 0 || entry >= count) return {};
    return items->Strings(entry);
}

void TForm1::StopNow() {
    const TTrayNotificationHold hold;
    DSVideoWindowEx21->NormalPlayback();
    FilterGraph1->Stop();
    FilterGraph1->ClearGraph();
    FilterGraph1->SetActive(false);
}

// End of a file: on the desktop the next file of the play order follows (a new order once the
// position passed the last entry); a preview stays on its last frame.
void TForm1::FilterGraph1GraphComplete(vl::TObject*, HRESULT, IBaseFilter*) {
    const TTrayNotificationHold hold;
    const int count = lsbMovie->Items()->Count();
    if (count == 0 || !DSVideoWindowEx21->DesktopPlaying()) return;
    DSVideoWindowEx21->NormalPlayback();
    ++PlayPosition;
    if (PlayPosition > count - 1) InitAry();
    StartDesktopMovie();
}

// "&Pause": the item has already toggled its own check mark.
void TForm1::Pause1Click(vl::TObject*) {
    const TTrayNotificationHold hold;
    if (FilterGraph1->State() == PlaybackState::Playing) Pause1->SetChecked(true);
    if (FilterGraph1->State() == PlaybackState::Paused)
        FilterGraph1->Play();
    else
        FilterGraph1->Pause();
}

// "&Stop" / "&Play", by the graph's state at the time of the click.
void TForm1::Stop1Click(vl::TObject*) {
    const TTrayNotificationHold hold;
    switch (FilterGraph1->State()) {
    case PlaybackState::Uninitialised:
        // Resumes on the desktop with the file at the current position, from its start.
        if (lsbMovie->Items()->Count() == 0) return;
        Pause1->SetChecked(false);
        StartDesktopMovie();
        break;
    case PlaybackState::Paused:
        Pause1->SetChecked(false);
        FilterGraph1->Play();
        break;
    case PlaybackState::Playing: StopNow(); break;
    case PlaybackState::Stopped: break;
    }
}

void TForm1::suitempPopupMenu1Popup(vl::TObject*) {
    Stop1->SetCaption(FilterGraph1->State() == PlaybackState::Playing ? "&Stop" : "&Play");
}

// "&Set Desktop": the selected entry (or the preview already playing) moves to the desktop,
// with a new play order whose position is 0.
void TForm1::suitempbtnDesktopClick(vl::TObject*) {
    const TTrayNotificationHold hold;
    const int selected = lsbMovie->ItemIndex();
    if (selected < 0) return;
    InitAry();
    if (FilterGraph1->State() != PlaybackState::Playing) PlayNow(lsbMovie->Items()->Strings(selected));
    DSVideoWindowEx21->StartDesktopPlayback();
    vl::Application->Minimize();
    ShowHint();
}

}  // namespace vorlinde
