#include "framework/ShellOpen.h"

#include <shellapi.h>

namespace vl {

std::function<void(const TShellRequest&)> ShellOpenOverride;

void ShellOpen(HWND owner, const char* verb, const std::string& file, const char* parameters,
               const char* directory, int showCommand) {
    if (ShellOpenOverride) {
        TShellRequest request;
        request.owner = owner;
        request.hasVerb = verb != nullptr;
        if (verb) request.verb = verb;
        request.file = file;
        request.hasParameters = parameters != nullptr;
        if (parameters) request.parameters = parameters;
        request.hasDirectory = directory != nullptr;
        if (directory) request.directory = directory;
        request.showCommand = showCommand;
        ShellOpenOverride(request);
        return;
    }
    ShellExecuteA(owner, verb, file.c_str(), parameters, directory, showCommand);
}

}  // namespace vl
