// Play, Pause, Stop, State, volume, balance and their mappings, against stand-in graph
// interfaces whose results each test chooses.
#include <gtest/gtest.h>

#include "MediaTestSupport.h"

namespace {

using namespace vorlinde;
using mediatest::TFakeBasicAudio;
using mediatest::TFakeInterfacesGraph;
using mediatest::TFakeMediaControl;
using mediatest::TTestListener;

class FilterGraphControl : public testing::Test {
protected:
    void SetUp() override {
        graph.control = &control;
        graph.InsertListener(&listener);
    }
    void TearDown() override { graph.RemoveListener(&listener); }

    std::vector<std::string> log;
    TTestListener listener{log};
    TFakeMediaControl control;
    TFakeInterfacesGraph graph;
};

TEST_F(FilterGraphControl, PlayIsTrueForSFalse) {
    control.runResult = S_FALSE;
    EXPECT_TRUE(graph.Play());
    EXPECT_EQ(log, (std::vector<std::string>{"L:control:0:0"}));
}

TEST_F(FilterGraphControl, PauseIsFalseForSFalseAndTrueForSOk) {
    control.pauseResult = S_FALSE;
    EXPECT_FALSE(graph.Pause());
    control.pauseResult = S_OK;
    EXPECT_TRUE(graph.Pause());
    EXPECT_EQ(log, (std::vector<std::string>{"L:control:1:0", "L:control:1:0"}));
}

TEST_F(FilterGraphControl, StopIsFalseForSFalse) {
    control.stopResult = S_FALSE;
    EXPECT_FALSE(graph.Stop());
    EXPECT_EQ(log, (std::vector<std::string>{"L:control:2:0"}));
}

TEST_F(FilterGraphControl, AFailedRunRaisesAfterTheListenersWereTold) {
    control.runResult = VFW_E_NOT_CONNECTED;
    try {
        graph.Play();
        FAIL() << "no exception";
    } catch (const EDirectShowException& e) {
        EXPECT_EQ(e.ErrorCode(), VFW_E_NOT_CONNECTED);
        EXPECT_TRUE(e.Message().ends_with(" ($80040209).")) << e.Message();
    }
    EXPECT_EQ(log, (std::vector<std::string>{"L:control:0:0"}));
}

TEST_F(FilterGraphControl, WithoutMediaControlNothingHappens) {
    graph.control = nullptr;
    EXPECT_FALSE(graph.Play());
    EXPECT_FALSE(graph.Pause());
    EXPECT_FALSE(graph.Stop());
    EXPECT_TRUE(log.empty());
}

TEST_F(FilterGraphControl, StateMapsTheGraphStates) {
    control.state = State_Stopped;
    EXPECT_EQ(graph.State(), PlaybackState::Stopped);
    control.state = State_Paused;
    EXPECT_EQ(graph.State(), PlaybackState::Paused);
    control.state = State_Running;
    EXPECT_EQ(graph.State(), PlaybackState::Playing);
    control.state = 7;
    EXPECT_EQ(graph.State(), PlaybackState::Uninitialised);
}

TEST(FilterGraphErrors, SuccessCodesPassTheErrorCheckUnchanged) {
    EXPECT_EQ(CheckDSError(S_FALSE), S_FALSE);
    EXPECT_EQ(CheckDSError(VFW_S_PARTIAL_RENDER), VFW_S_PARTIAL_RENDER);
}

TEST(FilterGraphErrors, TheMessageIsThePlatformTextWithTheCode) {
    char text[256] = {};
    AMGetErrorTextA(VFW_E_CANNOT_RENDER, text, sizeof text);
    EXPECT_EQ(DirectShowErrorMessage(VFW_E_CANNOT_RENDER), std::string(text) + " ($80040218).");
}

// --- volume and balance

class FilterGraphVolume : public testing::Test {
protected:
    void SetUp() override { graph.audio = &audio; }
    TFakeBasicAudio audio;
    TFakeInterfacesGraph graph;
};

TEST_F(FilterGraphVolume, VolumeIsClampedToItsRange) {
    graph.SetVolume(20000);
    EXPECT_EQ(graph.Volume(), 10000);
    graph.SetVolume(-5);
    EXPECT_EQ(graph.Volume(), 0);
}

TEST_F(FilterGraphVolume, LinearVolumeIsMappedLogarithmically) {
    graph.SetVolume(10000);
    graph.SetVolume(0);
    graph.SetVolume(5000);
    EXPECT_EQ(audio.volumes, (std::vector<long>{0, -10000, -752}));
}

TEST_F(FilterGraphVolume, PlainVolumeIsShiftedOnly) {
    graph.SetLinearVolume(false);
    audio.volumes.clear();
    graph.SetVolume(10000);
    graph.SetVolume(0);
    graph.SetVolume(5000);
    EXPECT_EQ(audio.volumes, (std::vector<long>{0, -10000, -5000}));
}

TEST_F(FilterGraphVolume, ChangingLinearVolumeReappliesVolumeAndBalance) {
    graph.SetVolume(5000);
    graph.SetLinearVolume(false);
    EXPECT_EQ(audio.volumes.back(), -5000);
    EXPECT_EQ(audio.balances, (std::vector<long>{0}));
    graph.SetLinearVolume(false);  // unchanged: nothing sent
    EXPECT_EQ(audio.balances.size(), 1u);
}

TEST_F(FilterGraphVolume, BalanceIsClampedAndCentreStaysCentre) {
    graph.SetBalance(-20000);
    EXPECT_EQ(graph.Balance(), -10000);
    graph.SetBalance(0);
    EXPECT_EQ(audio.balances, (std::vector<long>{-10000, 0}));
}

TEST_F(FilterGraphVolume, PlainBalanceIsPassedUnchanged) {
    graph.SetLinearVolume(false);
    graph.SetBalance(2500);
    EXPECT_EQ(audio.balances.back(), 2500);
}

TEST(FilterGraphVolumeMapping, LinearBalanceRisesSteadilyFromEndToEnd) {
    LONG previous = MapBalance(-10000, true);
    EXPECT_EQ(previous, -10000);
    for (int b = -9900; b <= 10000; b += 100) {
        const LONG value = MapBalance(b, true);
        EXPECT_GE(value, previous) << b;
        EXPECT_EQ(MapBalance(-b, true), -value) << b;
        previous = value;
    }
    EXPECT_EQ(previous, 10000);
}

TEST(FilterGraphVolumeMapping, VolumeIsStoredWithoutAGraph) {
    TFilterGraph graph(nullptr);
    graph.SetVolume(3000);
    graph.SetBalance(100);
    graph.SetRate(2.0);
    EXPECT_EQ(graph.Volume(), 3000);
    EXPECT_EQ(graph.Balance(), 100);
    EXPECT_EQ(graph.Rate(), 2.0);
}

}  // namespace
