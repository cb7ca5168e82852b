#include "app/Startup.h"

#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "framework/Application.h"
#include "framework/Registration.h"
#include "media/Registration.h"
#include "platform/OverlayMixer.h"
#include "skin/Registration.h"
#include "tray/Registration.h"

namespace vorlinde {

void RegisterProgramClasses() {
    vl::RegisterFrameworkClasses();
    RegisterSkinClasses();
    RegisterMediaClasses();
    RegisterTrayClasses();
}

int RunProgram() {
    vl::TApplication application;
    try {
        application.Initialize();
        // The video window's Overlay Mixer, offered to CoCreateInstance until the loop ends.
        const platform::TOverlayMixerRegistration overlayMixer;
        RegisterProgramClasses();
        application.SetTitle("Vorlinde");
        application.CreateForm(Form1);
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

}  // namespace vorlinde
