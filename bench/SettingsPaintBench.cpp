// Cost of painting the settings window with its skinned controls, in each built-in look and
// the msn theme: the main window started with an empty playlist (so that it shows itself).
//
// Prints one line per look:
//   "settings_paint look=Protein window_ms=M (fastest F) button_ms=M (fastest F)
//    button_print_ms=M (fastest F)"
//   window_ms: one full repaint of the window and every control in it (RedrawWindow with
//   RDW_UPDATENOW | RDW_ALLCHILDREN, then GdiFlush), of 40;
//   button_ms: one repaint of the "&Ok" button on the screen, of 200;
//   button_print_ms: the button's painting alone, into a bitmap (WM_PRINTCLIENT), of 200;
//   each the median and the fastest run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/ProgramState.h"
#include "app/Startup.h"
#include "bench/PaintTiming.h"
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "platform/OverlayMixer.h"
#include "skin/FileTheme.h"
#include "skin/ThemeManager.h"

using namespace vorlinde;
using vlbench::Pump;
using vlbench::Time;
using vlbench::TTiming;

namespace {

struct TLook {
    const char* name;
    TsuiUIStyle style;
};
const TLook kLooks[] = {{"MacOS", TsuiUIStyle::MacOS},         {"WinXP", TsuiUIStyle::WinXP},
                        {"DeepBlue", TsuiUIStyle::DeepBlue},   {"Protein", TsuiUIStyle::Protein},
                        {"BlueGlass", TsuiUIStyle::BlueGlass}, {"msn", TsuiUIStyle::FromThemeFile}};

// The msn theme beside the benchmark's program folder, as a Windows path.
std::string ThemePath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + "..\\app\\msn.sui";
}

void ApplyLook(TForm1& form, const TLook& look) {
    if (look.style == TsuiUIStyle::FromThemeFile) {
        form.suiFileTheme1->SetThemeFile(ThemePath());
        form.suiThemeManager1->SetUIStyle(TsuiUIStyle::FromThemeFile);
        form.suiThemeManager1->SetFileTheme(form.suiFileTheme1);
    } else {
        form.suiThemeManager1->SetFileTheme(nullptr);
        form.suiThemeManager1->SetUIStyle(look.style);
    }
}

}  // namespace

int main() {
    vl::TApplication application;
    application.Initialize();
    const vorlinde::platform::TOverlayMixerRegistration overlayMixer;
    RegisterProgramClasses();
    application.SetTitle("Vorlinde");
    int status = 0;
    application.OnException = [&status](vl::TObject*, const std::exception_ptr& error) {
        std::fprintf(stderr, "settings_paint: %s\n", vl::ExceptionMessage(error).c_str());
        status = 1;
    };
    // An empty playlist and no first-run balloon: the window shows itself and nothing plays.
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    RegSetKeyValueA(HKEY_CURRENT_USER, (std::string(kSettingsKey) + "\\Options").c_str(), "FirstRun", REG_SZ, "0",
                    2);
    application.CreateForm(Form1);
    Pump(700);
    TForm1& form = *Form1;
    form.SetBounds(20, 20, form.Width(), form.Height());
    SetCursorPos(1279, 799);
    for (const TLook& look : kLooks) {
        ApplyLook(form, look);
        Pump(50);
        const HWND window = form.Handle();
        const TTiming whole = Time(40, [window](int) {
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        });
        const HWND okButton = form.btnOk->Handle();
        const TTiming button = Time(200, [okButton](int) {
            InvalidateRect(okButton, nullptr, FALSE);
            UpdateWindow(okButton);
        });
        vl::TBitmap picture(form.btnOk->Width(), form.btnOk->Height());
        const HDC dc = picture.Canvas().Handle();
        const TTiming print = Time(
            200, [&form, dc](int) { form.btnOk->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT); });
        std::printf("settings_paint look=%s window_ms=%.3f (fastest %.3f) button_ms=%.3f (fastest %.3f) "
                    "button_print_ms=%.3f (fastest %.3f)\n",
                    look.name, whole.median, whole.fastest, button.median, button.fastest, print.median,
                    print.fastest);
        std::fflush(stdout);
    }
    delete Form1;
    Form1 = nullptr;
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    return status;
}
