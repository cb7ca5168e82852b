#pragma once
// The error raised for every failed media-framework call that the filter graph controller
// checks: the platform's error text for the code, then " ($<code in upper-case hex>).".
#include <windows.h>

#include <string>

#include "framework/Exceptions.h"

namespace vorlinde {

class EDirectShowException : public vl::Exception {
public:
    EDirectShowException(const std::string& message, HRESULT code) : vl::Exception(message), code_(code) {}
    // The failing result.
    HRESULT ErrorCode() const { return code_; }

private:
    HRESULT code_;
};

// The platform's error text for `code` (at most 255 characters), followed by " ($<HEX>).".
std::string DirectShowErrorMessage(HRESULT code);

// Returns `code` unchanged unless it is a failure, which raises EDirectShowException.
HRESULT CheckDSError(HRESULT code);

}  // namespace vorlinde
