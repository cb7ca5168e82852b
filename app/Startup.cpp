#include "app/Startup.h"

#include "app/AboutForm.h"
#include "app/DesktopGuard.h"
#include "app/MainForm.h"
#include "app/SingleInstance.h"
#include "app/SkinnedMessageBox.h"
#include "framework/Application.h"
#include "framework/Registration.h"
#include "media/Registration.h"
#include "media/SavedDesktop.h"
#include "platform/OverlayMixer.h"
#include "skin/Registration.h"
#include "tray/Registration.h"

namespace vorlinde {

namespace {

// How long a second start waits for the running program to answer: one that is still
// starting opens its main window within this.
constexpr DWORD kClaimWaitMs = 10000;

// The application's run: the windows, then the message loop until the main window closes.
int RunApplication() {
    vl::TApplication application;
    try {
        application.Initialize();
        // The video window's Overlay Mixer, offered to CoCreateInstance until the loop ends.
        const platform::TOverlayMixerRegistration overlayMixer;
        RegisterProgramClasses();
        // From here on the program's message boxes are skinned; the last one, should the
        // start fail, is the system's again (the scope ends before the catch).
        const TSkinnedMessageBoxes skinnedBoxes;
        application.SetTitle("Vorlinde");
        application.CreateForm(Form1);
        // A second start asks for the settings window: shown as "&Options.." shows it.
        const TShowSettingsAnswer showSettings(*Form1, [] {
            if (Form1) Form1->Options1Click(Form1);
        });
        application.CreateForm(Form2);
        application.Run();
    } catch (...) {
        // A window that cannot be created ends the program with the message.
        application.ShowException(std::current_exception());
        return 1;
    }
    // The forms and every component they own are destroyed with the application object.
    return 0;
}

}  // namespace

void RegisterProgramClasses() {
    vl::RegisterFrameworkClasses();
    RegisterSkinClasses();
    RegisterMediaClasses();
    RegisterTrayClasses();
}

int RunProgram() {
    // One Vorlinde per session: a second start ends here, before it touches anything.
    TInstanceLock session;
    if (!ClaimSession(session, kClaimWaitMs)) return 0;
    // A run that ended without giving the desktop back left its record: the user's desktop
    // comes back before anything else touches it.
    RestoreSavedDesktop();
    TDesktopGuard guard = TDesktopGuard::Start();
    const int exitCode = RunApplication();
    // The guard takes the lock to look at the record, so the lock goes first.
    session.Release();
    guard.StandDown();
    return exitCode;
}

int RunExecutable(const char* arguments) {
    if (const auto request = ParseGuardArguments(arguments)) return RunDesktopGuard(*request);
    return RunProgram();
}

}  // namespace vorlinde
