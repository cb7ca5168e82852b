#pragma once
// The program's start: application object, main window, About window, message loop.
namespace vorlinde {

// Runs the program until the main window closes; returns the process exit code. A second
// start in the same session shows the running program's settings window and returns 0 at
// once.
int RunProgram();

// Runs vorlinde.exe as started with `arguments` (the command line without the executable's
// name): the desktop guard when the program started it as one (app/DesktopGuard.h), else the
// program. Other arguments are ignored.
int RunExecutable(const char* arguments);

// Registers every class the program's form descriptions create.
void RegisterProgramClasses();

}  // namespace vorlinde
