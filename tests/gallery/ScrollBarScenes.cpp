// A test form of the list controls in each look: a list box with a linked vertical scroll bar,
// scrolled part way, a horizontal scroll bar with its thumb at a third, a track bar and an
// edit, all in the look's border colour.
#include <windows.h>

#include <memory>
#include <string>

#include "framework/Application.h"
#include "framework/Form.h"
#include "gallery/Gallery.h"
#include "skin/FileTheme.h"
#include "skin/controls/Edit.h"
#include "skin/controls/ListBox.h"
#include "skin/controls/ScrollBar.h"
#include "skin/controls/TrackBar.h"

using namespace vorlinde;

namespace {

template <class T>
T* Place(vl::TForm& form, int left, int top, int width, int height) {
    auto* control = new T(&form);
    control->SetParent(&form);
    control->SetBounds(left, top, width, height);
    return control;
}

}  // namespace

GALLERY_SCENE("scrollbars", [](const gallery::TLook& look) {
    auto form = std::make_unique<vl::TForm>(vl::Application);
    form->SetCaption("Scroll bars");
    form->SetBounds(40, 40, 360, 330);
    TsuiFileTheme* theme = nullptr;
    if (look.style == TsuiUIStyle::FromThemeFile) {
        theme = new TsuiFileTheme(form.get());
        theme->SetThemeFile(gallery::ThemeFilePath());
    }

    auto* list = Place<TsuiListBox>(*form, 12, 12, 200, 160);
    list->SetItemHeight(13);
    auto* vertical = Place<TsuiScrollBar>(*form, 0, 0, 16, 100);
    list->SetVScrollBar(vertical);
    auto* horizontal = Place<TsuiScrollBar>(*form, 12, 184, 200, 16);
    auto* track = Place<TsuiTrackBar>(*form, 12, 212, 200, 45);
    auto* edit = Place<TsuiEdit>(*form, 12, 266, 200, 22);
    auto* shortList = Place<TsuiListBox>(*form, 228, 12, 110, 60);  // items fit: no bar
    auto* shortBar = Place<TsuiScrollBar>(*form, 0, 0, 16, 50);
    shortList->SetVScrollBar(shortBar);

    list->SetUIStyle(look.style);
    list->SetFileTheme(theme);
    shortList->SetUIStyle(look.style);
    shortList->SetFileTheme(theme);
    horizontal->SetUIStyle(look.style);
    horizontal->SetFileTheme(theme);
    track->SetUIStyle(look.style);
    track->SetFileTheme(theme);
    edit->SetUIStyle(look.style);
    edit->SetFileTheme(theme);

    for (int i = 1; i <= 60; ++i) list->Items()->Add("Holiday clip " + std::to_string(i) + ".mpg");
    list->SetTopIndex(20);
    list->SetItemIndex(22);
    shortList->Items()->Add("intro.mpg");
    shortList->Items()->Add("outro.wmv");
    horizontal->SetPageSize(25);
    horizontal->SetPosition(33);
    track->SetPosition(6);
    edit->SetText("msn.sui");

    form->Show();
    SetForegroundWindow(form->Handle());
    gallery::MoveMouseTo(5, 5);
    gallery::PumpFor(200);
    gallery::CaptureWindow("scrollbars-" + look.name, form->Handle(), 4);
    form.reset();
    gallery::PumpFor(50);
});
