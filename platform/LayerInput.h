#pragma once
// What every overlay layer window answers alike, whoever paints it: clicks and activation go
// through to the window or desktop below, and the background is never erased (the painting
// covers the whole window).
#include <windows.h>

namespace vorlinde::platform {

// True when `message` was answered here (its answer in `result`).
inline bool AnswerLayerInput(UINT message, LRESULT& result) noexcept {
    switch (message) {
    case WM_NCHITTEST:
        result = HTTRANSPARENT;
        return true;
    case WM_MOUSEACTIVATE:
        result = MA_NOACTIVATE;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    default:
        return false;
    }
}

}  // namespace vorlinde::platform
