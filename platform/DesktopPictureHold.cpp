#include "platform/DesktopPictureHold.h"

#include <optional>
#include <utility>

#include "platform/DesktopWindows.h"
#include "platform/LayerInput.h"

namespace vorlinde::platform {

namespace {

constexpr UINT_PTR kCheckTimer = 0x5648;  // on the held window; the presenter's layers use none

struct THoldState {
    std::optional<THeldPicture> held;
    DWORD since = 0;
    std::atomic<int> mixers{0};  // mixers in a filter graph
    WNDPROC previousProc = nullptr;
};

THoldState& State() {
    static THoldState state;
    return state;
}

// Gives the window back its own procedure, without painting or the timer.
void Unbind(THeldPicture& picture) noexcept {
    if (!IsWindow(picture.window)) return;
    KillTimer(picture.window, kCheckTimer);
    if (State().previousProc) SetWindowLongPtrA(picture.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(State().previousProc));
}

}  // namespace

void TDesktopPictureHold::Begin(THeldPicture picture) {
    End();
    if (!IsWindow(picture.window)) return;
    THoldState& state = State();
    state.previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(picture.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HeldProc)));
    SetTimer(picture.window, kCheckTimer, kCheckPeriodMs, nullptr);
    state.since = GetTickCount();
    state.held = std::move(picture);
}

bool TDesktopPictureHold::Take(int kind, HWND parent, THeldPicture& taken) {
    THoldState& state = State();
    if (!state.held || state.held->kind != kind) return false;
    if (!IsWindow(state.held->window)) {
        End();
        return false;
    }
    if (!state.held->ownsParent && state.held->parent != parent) return false;
    Unbind(*state.held);
    taken = std::move(*state.held);
    state.held.reset();
    return true;
}

void TDesktopPictureHold::End() noexcept {
    THoldState& state = State();
    if (!state.held) return;
    THeldPicture picture = std::move(*state.held);
    state.held.reset();
    Unbind(picture);
    if (IsWindow(picture.window)) DestroyWindow(picture.window);
    if (picture.ownsParent && IsWindow(picture.parent)) DestroyWindow(picture.parent);
}

bool TDesktopPictureHold::Holding() noexcept { return State().held.has_value(); }

void TDesktopPictureHold::MixerJoinedGraph() noexcept { ++State().mixers; }

void TDesktopPictureHold::MixerLeftGraph() noexcept { --State().mixers; }

void TDesktopPictureHold::Check() noexcept {
    THoldState& state = State();
    if (!state.held) return;
    const THeldPicture& held = *state.held;
    const bool keyShows = ColorKeyMatches(GetSysColor(COLOR_BACKGROUND), held.key);
    const bool rendererGone = held.renderer && !IsWindow(held.renderer);
    const bool backInWindow = held.renderer && IsWindowVisible(held.renderer);
    if (GetTickCount() - state.since >= kMaxHoldMs || rendererGone ||
        (!keyShows && (state.mixers <= 0 || backInWindow)))
        End();
}

void TDesktopPictureHold::Paint(HWND window) noexcept {
    vl::TPaintDC paint(window);
    const THoldState& state = State();
    if (!paint || !state.held || !state.held->picture) return;
    vl::TMemoryDC source(paint.Get());
    const vl::TSelectObject select(source.Get(), state.held->picture.Get());
    RECT client;
    GetClientRect(window, &client);
    BitBlt(paint.Get(), 0, 0, client.right, client.bottom, source.Get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK TDesktopPictureHold::HeldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (AnswerLayerInput(message, result)) return result;
    switch (message) {
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_TIMER:
        if (wParam == kCheckTimer) {
            Check();
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace vorlinde::platform
