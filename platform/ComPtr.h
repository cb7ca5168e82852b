#pragma once
// The Overlay Mixer uses the framework's single-owner COM reference.
#include "framework/ComPtr.h"

namespace vorlinde::platform {
using vl::TComPtr;
}  // namespace vorlinde::platform
