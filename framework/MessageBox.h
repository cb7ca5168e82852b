#pragma once
// The program's message boxes (the central exception handler's, MessageDlg's) go through one
// function, so that a program can show its own skinned dialog in place of the system's box
// without the framework knowing of it.
#include <windows.h>

#include <functional>
#include <string>

namespace vl {

// Shows `text` under `title` with the MB_* buttons and icon of `type` and returns the IDOK,
// IDCANCEL, IDYES ... of the button chosen: through MessageBoxHandler when one is set, else
// through the system's MessageBoxA.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& title, UINT type);

// Replaces the system's box; its answer is returned as it is. A handler that throws is given up
// for that box: the system's box shows instead.
using TMessageBoxHandler = std::function<int(HWND owner, const std::string& text, const std::string& title, UINT type)>;
extern TMessageBoxHandler MessageBoxHandler;

}  // namespace vl
