// Program entry: the application object, the main window and the About window, then the
// message loop until the main window closes.
#include <windows.h>

#include "app/MainForm.h"
#include "app/AboutForm.h"
#include "app/Startup.h"
#include "framework/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return vorlinde::RunProgram();
}
