// The simple timer and its shared window: starting and stopping, the Enabled and Interval rules,
// one-shot timers, and the window's lifetime.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "framework/Application.h"
#include "tests/framework/GuiTestSupport.h"
#include "tray/SimpleTimer.h"

namespace {

using vorlinde::TSimpleTimer;
using vorlinde::TSimpleTimerHandler;

class SimpleTimerTest : public testing::Test {
protected:
    // A timer that counts its ticks.
    std::unique_ptr<TSimpleTimer> CountingTimer(unsigned interval) {
        return std::make_unique<TSimpleTimer>(interval, [this](vl::TObject*) { ++ticks; });
    }
    // Waits until `n` ticks were counted.
    bool WaitForTicks(int n, int ms = 2000) {
        return vltest::PumpUntil([this, n] { return ticks >= n; }, ms);
    }
    int ticks = 0;
};

using SimpleTimer = SimpleTimerTest;

TEST_F(SimpleTimer, StartRaisesOnTimerRepeatedly) {
    auto timer = CountingTimer(10);
    EXPECT_TRUE(timer->Start());
    EXPECT_TRUE(timer->Enabled());
    EXPECT_TRUE(WaitForTicks(3));
}

TEST_F(SimpleTimer, StartWithIntervalZeroFails) {
    auto timer = CountingTimer(0);
    EXPECT_FALSE(timer->Start());
    EXPECT_FALSE(timer->Enabled());
}

TEST_F(SimpleTimer, StopWithDisableTurnsEnabledOff) {
    auto timer = CountingTimer(10);
    timer->Start();
    EXPECT_TRUE(timer->Stop(true));
    EXPECT_FALSE(timer->Enabled());
    vltest::Pump(80);
    EXPECT_EQ(ticks, 0);
}

TEST_F(SimpleTimer, StopWithoutDisableKeepsEnabled) {
    auto timer = CountingTimer(10);
    timer->Start();
    EXPECT_TRUE(timer->Stop(false));
    EXPECT_TRUE(timer->Enabled());
    vltest::Pump(80);
    EXPECT_EQ(ticks, 0);
}

TEST_F(SimpleTimer, OneShotStopsItselfBeforeItsEvent) {
    TSimpleTimer timer(10);
    bool enabledInHandler = true;
    timer.SetOnTimer([&](vl::TObject*) {
        enabledInHandler = timer.Enabled();
        ++ticks;
    });
    timer.SetOneShot(true);
    timer.Start();
    ASSERT_TRUE(WaitForTicks(1));
    vltest::Pump(80);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(enabledInHandler);
    EXPECT_FALSE(timer.Enabled());
}

TEST_F(SimpleTimer, NewIntervalRestartsARunningTimer) {
    auto timer = CountingTimer(5000);
    timer->Start();
    timer->SetInterval(10);
    EXPECT_TRUE(WaitForTicks(2, 1000));
}

TEST_F(SimpleTimer, IntervalZeroKillsTheSystemTimerButKeepsEnabled) {
    auto timer = CountingTimer(10);
    timer->Start();
    timer->SetInterval(0);
    EXPECT_TRUE(timer->Enabled());
    vltest::Pump(80);
    EXPECT_EQ(ticks, 0);
}

TEST_F(SimpleTimer, EmptyHandlerKillsTheSystemTimerButKeepsEnabled) {
    auto timer = CountingTimer(10);
    timer->Start();
    timer->SetOnTimer(nullptr);
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(TSimpleTimerHandler::RunningCount(), 0);
}

TEST_F(SimpleTimer, HandlerMayDestroyItsTimer) {
    auto* timer = new TSimpleTimer(10);
    timer->SetOnTimer([&](vl::TObject*) {
        delete timer;
        timer = nullptr;
        ++ticks;
    });
    timer->Start();
    ASSERT_TRUE(WaitForTicks(1));
    vltest::Pump(60);
    EXPECT_EQ(ticks, 1);
}

TEST_F(SimpleTimer, HandlerExceptionReachesTheCentralHandlerWithItsTimer) {
    vltest::RecordExceptions recorder;
    TSimpleTimer timer(10);
    timer.SetOnTimer([&](vl::TObject*) {
        if (++ticks == 1) throw std::runtime_error("tick failed");
    });
    timer.Start();
    ASSERT_TRUE(WaitForTicks(2));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], "tick failed");
    EXPECT_EQ(recorder.senders[0], &timer);
}

TEST_F(SimpleTimer, HandlerThatDestroysItsTimerAndThrowsReportsNoSender) {
    vltest::RecordExceptions recorder;
    auto* timer = new TSimpleTimer(10);
    timer->SetOnTimer([&](vl::TObject*) {
        delete timer;
        timer = nullptr;
        ++ticks;
        throw std::runtime_error("tick failed after freeing");
    });
    timer->Start();
    ASSERT_TRUE(WaitForTicks(1));
    ASSERT_EQ(recorder.senders.size(), 1u);
    EXPECT_EQ(recorder.senders[0], nullptr);
}

using SimpleTimerHandlerWindow = SimpleTimerTest;

TEST_F(SimpleTimerHandlerWindow, IsAMessageOnlyWindowOfItsOwnClass) {
    TSimpleTimer timer;
    EXPECT_EQ(FindWindowExA(HWND_MESSAGE, nullptr, "TSimpleTimerHandler", nullptr), TSimpleTimerHandler::Window());
}

TEST_F(SimpleTimerHandlerWindow, ExistsWhileAnyTimerDoes) {
    ASSERT_EQ(TSimpleTimerHandler::UserCount(), 0);
    EXPECT_EQ(TSimpleTimerHandler::Window(), nullptr);
    {
        TSimpleTimer first;
        TSimpleTimer second;
        EXPECT_EQ(TSimpleTimerHandler::UserCount(), 2);
        EXPECT_TRUE(IsWindow(TSimpleTimerHandler::Window()));
        EXPECT_NE(first.Id(), second.Id());
    }
    EXPECT_EQ(TSimpleTimerHandler::UserCount(), 0);
    EXPECT_EQ(TSimpleTimerHandler::Window(), nullptr);
}

TEST_F(SimpleTimerHandlerWindow, CountsRunningTimers) {
    auto a = CountingTimer(1000);
    auto b = CountingTimer(1000);
    a->Start();
    b->Start();
    EXPECT_EQ(TSimpleTimerHandler::RunningCount(), 2);
    a->Stop(true);
    EXPECT_EQ(TSimpleTimerHandler::RunningCount(), 1);
    b.reset();
    EXPECT_EQ(TSimpleTimerHandler::RunningCount(), 0);
}

TEST_F(SimpleTimerHandlerWindow, TickOfADestroyedTimerIsIgnored) {
    auto keep = CountingTimer(1000);  // keeps the window alive, never started
    auto gone = CountingTimer(10);
    PostMessageA(TSimpleTimerHandler::Window(), WM_TIMER, gone->Id(), 0);
    gone.reset();
    vltest::Pump(30);
    EXPECT_EQ(ticks, 0);
}

TEST_F(SimpleTimerHandlerWindow, TickQueuedBeforeAStopIsIgnored) {
    auto timer = CountingTimer(1000);
    timer->Start();
    PostMessageA(TSimpleTimerHandler::Window(), WM_TIMER, timer->Id(), 0);
    timer->Stop(true);
    vltest::Pump(30);
    EXPECT_EQ(ticks, 0);
}

}  // namespace
