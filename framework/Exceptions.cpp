#include "framework/Exceptions.h"

#include <windows.h>

#include "framework/StringUtils.h"

namespace vl {

void RaiseLastOSError(const std::string& what) {
    DWORD code = GetLastError();
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = what + ": " + (text ? Trim(text) : Format("System error %lu", code));
    if (text) LocalFree(text);
    throw EOSError(message, code);
}

}  // namespace vl
