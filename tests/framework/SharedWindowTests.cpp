// The shared hidden window: one window for every instance of a kind, identities that only grow,
// delivery to an instance by identity and the exception boundary around it.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/SharedWindow.h"
#include "tests/framework/GuiTestSupport.h"

using namespace vl;

namespace {

// An instance of the kind: counts what was delivered to it.
class Probe : public TComponent {
public:
    Probe() : TComponent(nullptr) {}
    int delivered = 0;
};

using TProbeWindow = TSharedWindow<UINT, Probe>;

// The kind's window: WM_APP carries the identity of the probe it is for; WM_APP + 1 throws
// from the probe, WM_APP + 2 makes the probe leave (the last one ends the window), WM_APP + 3
// makes it leave and then throw.
TProbeWindow*& Current() {
    static TProbeWindow* current = nullptr;
    return current;
}

bool ProbeMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg < WM_APP || msg > WM_APP + 3) return false;
    const UINT id = static_cast<UINT>(wParam);
    result = Current()->Deliver(id, [msg, id](Probe& probe) {
        ++probe.delivered;
        if (msg == WM_APP + 2 || msg == WM_APP + 3) Current()->Unregister(id);
        if (msg == WM_APP + 1 || msg == WM_APP + 3) throw std::runtime_error("Probe failed");
    });
    return true;
}

class SharedWindowTest : public testing::Test {
protected:
    SharedWindowTest() : shared_("VorlindeSharedWindowProbe", THiddenWindowParams{}, ProbeMessage) {
        Current() = &shared_;
    }
    ~SharedWindowTest() override { Current() = nullptr; }

    TProbeWindow shared_;
};

using SharedWindow = SharedWindowTest;

TEST_F(SharedWindow, OneWindowServesEveryInstanceAndGoesWithTheLast) {
    Probe a, b, c;
    EXPECT_EQ(shared_.Window(), nullptr);
    const UINT ia = shared_.Register(&a);
    HWND window = shared_.Window();
    ASSERT_TRUE(IsWindow(window));
    const UINT ib = shared_.Register(&b);
    const UINT ic = shared_.Register(&c);
    EXPECT_EQ(shared_.Window(), window);
    EXPECT_EQ(shared_.Count(), 3);
    EXPECT_FALSE(shared_.Unregister(ib));
    EXPECT_FALSE(shared_.Unregister(ia));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(shared_.Unregister(ic));
    EXPECT_EQ(shared_.Window(), nullptr);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(SharedWindow, IdentitiesGrowAndAreNeverReused) {
    Probe a, b;
    const UINT first = shared_.Register(&a);
    shared_.Unregister(first);
    const UINT second = shared_.Register(&b);
    EXPECT_GT(second, first);
    EXPECT_EQ(shared_.Find(first), nullptr);
    EXPECT_EQ(shared_.Find(second), &b);
    EXPECT_TRUE(IsWindow(shared_.Window()));  // a new first instance makes a new window
    shared_.Unregister(second);
}

TEST_F(SharedWindow, MessagesReachTheInstanceTheyName) {
    Probe a, b;
    const UINT ia = shared_.Register(&a);
    const UINT ib = shared_.Register(&b);
    EXPECT_EQ(SendMessageA(shared_.Window(), WM_APP, ib, 0), TRUE);
    EXPECT_EQ(a.delivered, 0);
    EXPECT_EQ(b.delivered, 1);
    shared_.Unregister(ia);
    shared_.Unregister(ib);
}

TEST_F(SharedWindow, MessageForADepartedInstanceFindsNothing) {
    Probe keep, gone;
    const UINT ik = shared_.Register(&keep);
    const UINT ig = shared_.Register(&gone);
    PostMessageA(shared_.Window(), WM_APP, ig, 0);
    shared_.Unregister(ig);
    vltest::Pump(20);
    EXPECT_EQ(gone.delivered, 0);
    EXPECT_EQ(keep.delivered, 0);
    shared_.Unregister(ik);
}

TEST_F(SharedWindow, ExceptionReachesTheCentralHandlerWithItsInstance) {
    vltest::RecordExceptions exceptions;
    Probe a;
    const UINT ia = shared_.Register(&a);
    SendMessageA(shared_.Window(), WM_APP + 1, ia, 0);
    ASSERT_EQ(exceptions.messages.size(), 1u);
    EXPECT_EQ(exceptions.messages[0], "Probe failed");
    EXPECT_EQ(exceptions.senders[0], &a);
    EXPECT_EQ(SendMessageA(shared_.Window(), WM_APP, ia, 0), TRUE);
    shared_.Unregister(ia);
}

TEST_F(SharedWindow, ExceptionAfterTheInstanceLeftReportsNoInstance) {
    vltest::RecordExceptions exceptions;
    Probe keep, leaving;
    const UINT ik = shared_.Register(&keep);
    const UINT il = shared_.Register(&leaving);
    SendMessageA(shared_.Window(), WM_APP + 3, il, 0);
    ASSERT_EQ(exceptions.messages.size(), 1u);
    EXPECT_EQ(exceptions.senders[0], nullptr);
    EXPECT_EQ(shared_.Find(il), nullptr);
    shared_.Unregister(ik);
}

TEST_F(SharedWindow, LastInstanceMayLeaveDuringItsOwnMessage) {
    Probe a;
    const UINT ia = shared_.Register(&a);
    HWND window = shared_.Window();
    SendMessageA(window, WM_APP + 2, ia, 0);
    EXPECT_EQ(a.delivered, 1);
    EXPECT_EQ(shared_.Count(), 0);
    EXPECT_EQ(shared_.Window(), nullptr);
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
