#pragma once
// Driving the skinned dialogs' modal windows from a test: Execute runs its own modal loop, so
// a thread timer inside that loop finds the window once it shows and acts on it.
#include <windows.h>

#include <functional>

#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/controls/Dialog.h"

namespace skinctl {

// The window of class W that shows modally now, or null.
template <class W>
W* ShownModal() {
    for (vl::TForm* form : vl::Application->Forms())
        if (auto* window = dynamic_cast<W*>(form); window && window->Modal() && IsWindowVisible(window->Handle()))
            return window;
    return nullptr;
}

// Runs dialog.Execute() and, once its window of class W shows, `act` on it once; `act` closes
// the window. A window still open a second later is closed with mrAbort, so that a failing
// test cannot hang. The modal result.
int RunModal(vorlinde::TsuiDialog& dialog, std::function<vl::TForm*()> findWindow,
             std::function<void(vl::TForm&)> act);

template <class W>
int RunDialog(vorlinde::TsuiDialog& dialog, std::function<void(W&)> act) {
    return RunModal(dialog, [] { return static_cast<vl::TForm*>(ShownModal<W>()); },
                    [act](vl::TForm& window) { act(static_cast<W&>(window)); });
}

}  // namespace skinctl
