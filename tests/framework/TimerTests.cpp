// The timer component in a running message loop.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Exceptions.h"
#include "framework/ExtCtrls.h"
#include "framework/Form.h"
#include "tests/framework/GuiTestSupport.h"

using namespace vl;
using vltest::PumpUntil;

TEST(TimerFiring, RaisesOnTimerRepeatedlyInTheMessageLoop) {
    TTimer timer(nullptr);
    timer.SetInterval(10);
    int ticks = 0;
    timer.SetOnTimer([&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        ++ticks;
    });
    EXPECT_TRUE(timer.Running());
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }, 3000));
}

TEST(TimerFiring, StopsWhenDisabled) {
    TTimer timer(nullptr);
    timer.SetInterval(10);
    int ticks = 0;
    timer.SetOnTimer([&](TObject*) {
        if (++ticks == 2) timer.SetEnabled(false);
    });
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }, 3000));
    vltest::Pump(100);
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(timer.Running());
}

TEST(TimerFiring, DisabledZeroIntervalOrNoHandlerMeansNoTimer) {
    TTimer timer(nullptr);
    timer.SetInterval(10);
    EXPECT_FALSE(timer.Running());  // no handler yet
    int ticks = 0;
    timer.SetEnabled(false);
    timer.SetOnTimer([&](TObject*) { ++ticks; });
    EXPECT_FALSE(timer.Running());
    timer.SetEnabled(true);
    timer.SetInterval(0);
    EXPECT_FALSE(timer.Running());
    vltest::Pump(60);
    EXPECT_EQ(ticks, 0);
}

TEST(TimerFiring, ChangingTheIntervalRestartsIt) {
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetOnTimer([&](TObject*) { ++ticks; });
    EXPECT_EQ(timer.Interval(), 1000u);
    vltest::Pump(30);
    EXPECT_EQ(ticks, 0);
    timer.SetInterval(10);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 1; }, 3000));
}

TEST(TimerLoading, DescriptionStartsEnabledTimersWithAHandler) {
    TForm form(Application);
    int ticks = 0;
    form.RegisterHandlerAny("Timer1Timer", TNotifyEvent([&](TObject*) { ++ticks; }));
    form.LoadFromText(
        "object TimerForm: TForm\n"
        "  object Timer1: TTimer\n"
        "    Interval = 10\n"
        "    OnTimer = Timer1Timer\n"
        "  end\n"
        "  object Timer2: TTimer\n"
        "    Enabled = False\n"
        "    Interval = 500\n"
        "    OnTimer = Timer1Timer\n"
        "  end\n"
        "end\n");
    auto* timer1 = dynamic_cast<TTimer*>(form.FindComponent("Timer1"));
    auto* timer2 = dynamic_cast<TTimer*>(form.FindComponent("Timer2"));
    ASSERT_NE(timer1, nullptr);
    ASSERT_NE(timer2, nullptr);
    EXPECT_TRUE(timer1->Running());
    EXPECT_FALSE(timer2->Running());
    EXPECT_EQ(timer2->Interval(), 500u);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 1; }, 3000));
}

TEST(TimerExceptions, HandlerExceptionReachesTheCentralHandlerAndTheTimerGoesOn) {
    vltest::RecordExceptions recorder;
    TTimer timer(nullptr);
    timer.SetInterval(10);
    int ticks = 0;
    timer.SetOnTimer([&](TObject*) {
        if (++ticks == 1) throw EInvalidOperation("Tick failed");
    });
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }, 3000));
    ASSERT_GE(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], "Tick failed");
    EXPECT_EQ(recorder.senders[0], &timer);
}

TEST(TimerLifetime, DestroyedTimerRaisesNothingMore) {
    int ticks = 0;
    {
        auto timer = std::make_unique<TTimer>(nullptr);
        timer->SetInterval(1);
        timer->SetOnTimer([&](TObject*) { ++ticks; });
        Sleep(20);  // a WM_TIMER is due when the timer goes
    }
    vltest::Pump(50);
    EXPECT_EQ(ticks, 0);
}
