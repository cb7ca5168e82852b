// Program entry: the program itself (application object, main window, About window, message
// loop until the main window closes), or the desktop guard the program starts beside itself.
#include <windows.h>

#include "app/Startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) { return vorlinde::RunExecutable(arguments); }
