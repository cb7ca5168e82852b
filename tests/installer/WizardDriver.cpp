#include "WizardDriver.h"

#include <cstring>
#include <string>

#include "tests/e2e/E2ESupport.h"

namespace installer_test {

namespace {

// A visible, enabled window of the class whose text begins with `text` (the wizard's buttons
// show their next caption before they work).
struct TControlSearch {
    const char* className;
    const char* text;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TControlSearch*>(param);
    char className[64] = {};
    char text[512] = {};
    GetClassNameA(window, className, sizeof(className));
    GetWindowTextA(window, text, sizeof(text));
    if (lstrcmpiA(className, search->className) == 0 && std::strncmp(text, search->text, std::strlen(search->text)) == 0 &&
        IsWindowVisible(window) && IsWindowEnabled(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND WaitForWizard(const char* title, DWORD ms) {
    return e2e::WaitForWindow(
        [title] {
            TControlSearch search{"#32770", title};
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found;
        },
        ms);
}

HWND WaitForControl(HWND root, const char* className, const char* text, DWORD ms) {
    return e2e::WaitForWindow(
        [=] {
            TControlSearch search{className, text};
            EnumChildWindows(root, MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found;
        },
        ms);
}

void PressWizardButton(HWND wizard, int id) {
    PostMessageA(wizard, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(wizard, id)));
}

}  // namespace installer_test
