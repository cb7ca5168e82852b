#pragma once
// Opening a file or a link through the shell (ShellExecuteA), as the help commands and the link
// labels do. The shell's answer is not looked at: a missing file or a missing viewer
// gives no message from the program.
#include <windows.h>

#include <functional>
#include <string>

namespace vl {

// Asks the shell to run `verb` (null: the file's default verb) on `file`.
void ShellOpen(HWND owner, const char* verb, const std::string& file, const char* parameters,
               const char* directory, int showCommand);

// A shell request as ShellOpen would make it; the has* flags tell a null argument from an
// empty one.
struct TShellRequest {
    HWND owner = nullptr;
    bool hasVerb = false;
    std::string verb;
    std::string file;
    bool hasParameters = false;
    std::string parameters;
    bool hasDirectory = false;
    std::string directory;
    int showCommand = 0;
};
// When set, replaces ShellExecuteA (tests): gets the request instead of the shell.
extern std::function<void(const TShellRequest& request)> ShellOpenOverride;

}  // namespace vl
