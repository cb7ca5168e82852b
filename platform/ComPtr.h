#pragma once
// The Overlay Mixer uses the framework's single-owner COM reference.
#include "framework/ComPtr.h"

namespace vl::platform {
using vl::TComPtr;
}  // namespace vl::platform
