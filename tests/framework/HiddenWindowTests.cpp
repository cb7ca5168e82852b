// The hidden window: binding from the first message, the exception boundary, a handler that
// ends its own window's owner, the message-only and top-level kinds, and clean destruction.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/HiddenWindow.h"
#include "tests/framework/GuiTestSupport.h"

using namespace vl;

namespace {

const char kProbeClass[] = "VorlindeHiddenWindowProbe";
const char kTopLevelProbeClass[] = "VorlindeHiddenTopLevelProbe";

THiddenWindowParams TopLevel() {
    THiddenWindowParams params;
    params.kind = THiddenWindowParams::TKind::TopLevel;
    params.exStyle = WS_EX_TOOLWINDOW;
    return params;
}

// Records every message the handler sees; answers WM_APP with 42 and throws on WM_APP + 1.
struct Recorder {
    std::vector<UINT> messages;
    THiddenWindow::THandler Handler() {
        return [this](UINT msg, WPARAM, LPARAM, LRESULT& result) {
            messages.push_back(msg);
            if (msg == WM_APP) {
                result = 42;
                return true;
            }
            if (msg == WM_APP + 1) throw std::runtime_error("Hidden handler failed");
            return false;
        };
    }
    int Count(UINT msg) const { return static_cast<int>(std::count(messages.begin(), messages.end(), msg)); }
};

TEST(HiddenWindowBinding, FirstMessagesReachTheHandler) {
    Recorder recorder;
    THiddenWindow window(kProbeClass, {}, recorder.Handler(), CentralBoundary);
    ASSERT_TRUE(window);
    ASSERT_FALSE(recorder.messages.empty());
    EXPECT_EQ(recorder.messages.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_EQ(recorder.Count(WM_CREATE), 1);
    EXPECT_EQ(SendMessageA(window.Handle(), WM_APP, 0, 0), 42);
}

TEST(HiddenWindowBinding, UnhandledMessagesGetTheDefaultAnswer) {
    Recorder recorder;
    THiddenWindow window(kProbeClass, {}, recorder.Handler(), CentralBoundary);
    SetWindowTextA(window.Handle(), "probe");
    char text[16] = {};
    EXPECT_EQ(SendMessageA(window.Handle(), WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text)), 5);
    EXPECT_STREQ(text, "probe");
}

TEST(HiddenWindowExceptions, ReachTheCentralHandlerAndTheWindowLivesOn) {
    vltest::RecordExceptions exceptions;
    Recorder recorder;
    TComponent sender(nullptr);
    THiddenWindow window(kProbeClass, {}, recorder.Handler(), CentralBoundary, static_cast<TObject*>(&sender));
    EXPECT_EQ(SendMessageA(window.Handle(), WM_APP + 1, 0, 0), 0);
    ASSERT_EQ(exceptions.messages.size(), 1u);
    EXPECT_EQ(exceptions.messages[0], "Hidden handler failed");
    EXPECT_EQ(exceptions.senders[0], &sender);
    EXPECT_TRUE(IsWindow(window.Handle()));
    EXPECT_EQ(SendMessageA(window.Handle(), WM_APP, 0, 0), 42);
}

TEST(HiddenWindowExceptions, KeepTheAnswerSetBeforeTheThrow) {
    vltest::RecordExceptions exceptions;
    THiddenWindow window(
        kProbeClass, {},
        [](UINT msg, WPARAM, LPARAM, LRESULT& result) {
            if (msg != WM_APP) return false;
            result = TRUE;
            throw std::runtime_error("Failed after answering");
        },
        CentralBoundary);
    EXPECT_EQ(SendMessageA(window.Handle(), WM_APP, 0, 0), TRUE);
    EXPECT_EQ(exceptions.messages.size(), 1u);
}

// An owner whose window's handler may free the owner.
struct Owner {
    explicit Owner(int& calls) : calls_(calls) {}
    void Make(bool throwAfter) {
        window = std::make_unique<THiddenWindow>(
            kProbeClass, THiddenWindowParams{},
            [this, throwAfter, &calls = calls_](UINT msg, WPARAM, LPARAM, LRESULT& result) {
                ++calls;
                if (msg != WM_APP) return false;
                delete this;  // ends the window during its own message
                result = 7;
                if (throwAfter) throw std::runtime_error("Failed after freeing");
                return true;
            },
            CentralBoundary, static_cast<void*>(this));
    }
    int& calls_;
    std::unique_ptr<THiddenWindow> window;
};

TEST(HiddenWindowLifetime, HandlerMayFreeTheWindowsOwner) {
    int calls = 0;
    auto* owner = new Owner(calls);
    owner->Make(false);
    HWND hwnd = owner->window->Handle();
    calls = 0;
    EXPECT_EQ(SendMessageA(hwnd, WM_APP, 0, 0), 7);
    EXPECT_EQ(calls, 1);  // the ending window's own messages reach nobody
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(HiddenWindowLifetime, HandlerThatFreesItsOwnerAndThrowsReportsNoSender) {
    vltest::RecordExceptions exceptions;
    int calls = 0;
    auto* owner = new Owner(calls);
    owner->Make(true);
    HWND hwnd = owner->window->Handle();
    SendMessageA(hwnd, WM_APP, 0, 0);
    ASSERT_EQ(exceptions.messages.size(), 1u);
    EXPECT_EQ(exceptions.messages[0], "Failed after freeing");
    EXPECT_EQ(exceptions.senders[0], nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(HiddenWindowLifetime, DestructionLeavesNoWindowAndSendsTheHandlerNothing) {
    Recorder recorder;
    HWND hwnd = nullptr;
    {
        THiddenWindow window(kProbeClass, {}, recorder.Handler(), CentralBoundary);
        hwnd = window.Handle();
        ASSERT_TRUE(IsWindow(hwnd));
        recorder.messages.clear();
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(recorder.messages.empty());
}

TEST(HiddenWindowLifetime, DestroyEmptiesTheHandle) {
    Recorder recorder;
    THiddenWindow window(kProbeClass, {}, recorder.Handler(), CentralBoundary);
    HWND hwnd = window.Handle();
    window.Destroy();
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_FALSE(window);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(HiddenWindowKinds, MessageOnlyWindowLivesAmongTheMessageWindows) {
    Recorder recorder;
    THiddenWindow window(kProbeClass, {}, recorder.Handler(), CentralBoundary);
    EXPECT_EQ(FindWindowExA(HWND_MESSAGE, nullptr, kProbeClass, nullptr), window.Handle());
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
}

TEST(HiddenWindowKinds, TopLevelWindowHasItsStylesOwnerAndStaysHidden) {
    Recorder recorder;
    THiddenWindow owner(kTopLevelProbeClass, TopLevel(), recorder.Handler(), CentralBoundary);
    THiddenWindowParams params = TopLevel();
    params.owner = owner.Handle();
    params.style = WS_CAPTION;
    params.title = "Owned probe";
    THiddenWindow window(kTopLevelProbeClass, params, recorder.Handler(), CentralBoundary);
    ASSERT_TRUE(window);
    const LONG style = GetWindowLongA(window.Handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION), WS_POPUP | WS_CAPTION);
    EXPECT_FALSE(style & WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongA(window.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(window.Handle(), GW_OWNER), owner.Handle());
    char title[32] = {};
    GetWindowTextA(window.Handle(), title, sizeof(title));
    EXPECT_STREQ(title, "Owned probe");
}

TEST(HiddenWindowKinds, BroadcastReachesTheTopLevelWindowOnly) {
    const UINT probe = RegisterWindowMessageA("VorlindeHiddenWindowBroadcastProbe");
    Recorder messageOnly, topLevel;
    THiddenWindow hidden(kProbeClass, {}, messageOnly.Handler(), CentralBoundary);
    THiddenWindow visibleToBroadcasts(kTopLevelProbeClass, TopLevel(), topLevel.Handler(), CentralBoundary);
    PostMessageA(HWND_BROADCAST, probe, 0, 0);
    EXPECT_TRUE(vltest::PumpUntil([&] { return topLevel.Count(probe) == 1; }, 2000));
    vltest::Pump(20);
    EXPECT_EQ(topLevel.Count(probe), 1);
    EXPECT_EQ(messageOnly.Count(probe), 0);
    // Both take messages sent or posted to them.
    PostMessageA(hidden.Handle(), probe, 0, 0);
    EXPECT_TRUE(vltest::PumpUntil([&] { return messageOnly.Count(probe) == 1; }, 2000));
}

}  // namespace
