#include "media/DirectShowError.h"

#include <dshow.h>

#include <cstdio>
#include <cstring>

namespace vorlinde {

std::string DirectShowErrorMessage(HRESULT code) {
    char text[256] = {};
    AMGetErrorTextA(code, text, sizeof text);
    text[sizeof text - 1] = '\0';
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, " ($%lX).", static_cast<unsigned long>(code));
    return std::string(text, strnlen(text, sizeof text - 1)) + suffix;
}

HRESULT CheckDSError(HRESULT code) {
    if (FAILED(code)) throw EDirectShowException(DirectShowErrorMessage(code), code);
    return code;
}

}  // namespace vorlinde
