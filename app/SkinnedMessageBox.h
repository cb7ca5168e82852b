#pragma once
// The program's message boxes (the central exception handler's, the skin engine's refusals)
// shown as skinned message dialogs in the main window's look, so that no window of the program
// falls back to the system's plain box.
#include <windows.h>

#include <string>

namespace vorlinde {

// The skinned counterpart of MessageBoxA: the MB_* buttons and icon of `type`, the caption
// `title`; answers IDOK, IDCANCEL, IDYES ... as MessageBoxA does (IDCANCEL for the title bar's
// close button).
int SkinnedMessageBox(const std::string& text, const std::string& title, UINT type);

// Routes the framework's message boxes to SkinnedMessageBox for the scope's lifetime.
class TSkinnedMessageBoxes {
public:
    TSkinnedMessageBoxes();
    ~TSkinnedMessageBoxes();
    TSkinnedMessageBoxes(const TSkinnedMessageBoxes&) = delete;
    TSkinnedMessageBoxes& operator=(const TSkinnedMessageBoxes&) = delete;
};

}  // namespace vorlinde
