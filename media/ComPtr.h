#pragma once
// The program's media code uses the framework's single-owner COM reference.
#include "framework/ComPtr.h"

namespace vorlinde {
using vl::SameComObject;
using vl::TComPtr;
}  // namespace vorlinde
