#pragma once
// Drives the installer's and the uninstaller's wizard from outside, as the user's clicks do:
// waits for a page by a control it shows and presses the wizard's buttons.
#include <windows.h>

namespace installer_test {

// The wizard's own buttons: Next, Install, Uninstall, Finish and Close share the first.
inline constexpr int kWizardNextButton = 1;

// Waits up to `ms` for the visible top-level dialog whose title begins with `title` (the
// uninstaller's pages add a space to it).
HWND WaitForWizard(const char* title, DWORD ms);
// Waits up to `ms` for a visible, enabled control inside `root`, at any depth, of the class
// whose text begins with `text`.
HWND WaitForControl(HWND root, const char* className, const char* text, DWORD ms);
// Presses one of the wizard's buttons.
void PressWizardButton(HWND wizard, int id);

}  // namespace installer_test
