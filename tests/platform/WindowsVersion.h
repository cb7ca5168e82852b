#pragma once
// Running a test on a Windows version the Wine prefix does not report by itself.
//
// A new prefix reports Windows 7, and a Wine process reads the version once, when it starts.
// The code for Windows 8 and later (the shell's desktop windows) runs only in a process that is
// told "win10" from its start: RunAsWindows10 starts the current test again in a new process of
// this program, with this program's version set to "win10" for Wine (the value Version of
// HKCU\Software\Wine\AppDefaults\<program>) while that process runs, and takes its result.
namespace vorlinde::platform::test {

// True in the test's own process, which must then return at once: the test ran (and passed or
// failed) in the Windows 10 process. False where the test body is to run: in that process, or
// on Windows itself.
bool RunAsWindows10();

}  // namespace vorlinde::platform::test
