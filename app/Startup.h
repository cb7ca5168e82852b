#pragma once
// The program's start: application object, main window, About window, message loop.
namespace vorlinde {

// Runs the program until the main window closes; returns the process exit code.
int RunProgram();

// Registers every class the program's form descriptions create.
void RegisterProgramClasses();

}  // namespace vorlinde
