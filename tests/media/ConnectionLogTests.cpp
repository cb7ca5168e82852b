// The connection log and the overlay rewiring on a real graph (the sample clip rendered into a
// Video Renderer, a spare renderer beside it, the software Overlay Mixer): what Undo puts back
// after connections were made and broken, a failing connect among them included, and the
// references the log holds.
#include <gtest/gtest.h>

#include "GraphTestSupport.h"
#include "MediaTestSupport.h"
#include "media/GraphUtils.h"
#include "media/OverlayRewiring.h"
#include "platform/OverlayMixer.h"

namespace {

using namespace vorlinde;
using graphtest::Connections;
using graphtest::RefCount;

// Refuses every connection, as a pin pair without a common media type does.
HRESULT Refuse(IPin*, IPin*) { return VFW_E_NO_ACCEPTABLE_TYPES; }

class GraphFixture : public graphtest::TRenderedGraphTest {
protected:
    void SetUp() override {
        TRenderedGraphTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        upstream_ = Peer(Graph().RendererInput());
        ASSERT_TRUE(upstream_);
        before_ = Now();
    }
    void TearDown() override {
        upstream_.Reset();
        TRenderedGraphTest::TearDown();
    }

    graphtest::TConnections Now() const { return Connections(Manager()); }
    IGraphBuilder* Builder() { return Graph().Builder(); }

    platform::TOverlayMixerRegistration registration_;
    TComPtr<IPin> upstream_;  // the splitter's video output
    graphtest::TConnections before_;
};

using ConnectionLog = GraphFixture;

TEST_F(ConnectionLog, UndoPutsBackWhatWasBrokenAndMade) {
    TConnectionLog log(Builder());
    TComPtr<IPin> upstream;
    ASSERT_HRESULT_SUCCEEDED(log.BreakInput(Graph().RendererInput(), upstream));
    EXPECT_EQ(upstream.Get(), upstream_.Get());
    ASSERT_HRESULT_SUCCEEDED(log.Connect(upstream.Get(), Graph().SpareInput()));
    EXPECT_EQ(log.Size(), 2u);
    EXPECT_EQ(Now().count(graphtest::PinName(upstream.Get()) + " -> Spare.Input"), 1u);

    log.Undo();
    EXPECT_EQ(Now(), before_);
    EXPECT_FALSE(Peer(Graph().SpareInput()));
    EXPECT_EQ(log.Size(), 0u);
}

TEST_F(ConnectionLog, AFailingConnectInTheMiddleIsNotLoggedAndUndoRestoresTheGraphExactly) {
    TConnectionLog log(Builder());
    ASSERT_HRESULT_SUCCEEDED(log.Break(upstream_.Get(), Graph().RendererInput()));
    ASSERT_HRESULT_SUCCEEDED(log.Connect(upstream_.Get(), Graph().SpareInput()));
    ASSERT_HRESULT_SUCCEEDED(log.Break(upstream_.Get(), Graph().SpareInput()));
    EXPECT_EQ(log.Connect(upstream_.Get(), Graph().RendererInput(), Refuse), VFW_E_NO_ACCEPTABLE_TYPES);
    EXPECT_EQ(log.Size(), 3u);
    // Nothing feeds either renderer now.
    EXPECT_FALSE(Peer(Graph().RendererInput()));
    EXPECT_FALSE(Peer(Graph().SpareInput()));

    log.Undo();
    EXPECT_EQ(Now(), before_);
    EXPECT_TRUE(SameComObject(Peer(Graph().RendererInput()).Get(), upstream_.Get()));
    EXPECT_FALSE(Peer(Graph().SpareInput()));
}

TEST_F(ConnectionLog, ConnectGoesThroughTheGivenConnector) {
    TConnectionLog log(Builder());
    TComPtr<IPin> upstream;
    ASSERT_HRESULT_SUCCEEDED(log.BreakInput(Graph().RendererInput(), upstream));
    int calls = 0;
    const HRESULT hr = log.Connect(upstream.Get(), Graph().SpareInput(), [&](IPin* output, IPin* input) {
        ++calls;
        return Builder()->Connect(output, input);
    });
    EXPECT_HRESULT_SUCCEEDED(hr);
    EXPECT_EQ(calls, 1);
    log.Undo();
    EXPECT_EQ(Now(), before_);
}

TEST_F(ConnectionLog, BreakingAnUnconnectedInputFailsAndLogsNothing) {
    TConnectionLog log(Builder());
    TComPtr<IPin> upstream;
    EXPECT_EQ(log.BreakInput(Graph().SpareInput(), upstream), VFW_E_NOT_CONNECTED);
    EXPECT_FALSE(upstream);
    EXPECT_EQ(log.Size(), 0u);
    log.Undo();
    EXPECT_EQ(Now(), before_);
}

TEST_F(ConnectionLog, TheLogReleasesEveryReferenceItHeld) {
    TComPtr<IBaseFilter> splitter = PinOwner(upstream_.Get());
    const ULONG builder = RefCount(Builder());
    const ULONG renderer = RefCount(Graph().Renderer());
    const ULONG spare = RefCount(Graph().Spare());
    const ULONG source = RefCount(splitter.Get());
    {
        TConnectionLog log(Builder());
        EXPECT_EQ(RefCount(Builder()), builder + 1);
        TComPtr<IPin> upstream;
        ASSERT_HRESULT_SUCCEEDED(log.BreakInput(Graph().RendererInput(), upstream));
        ASSERT_HRESULT_SUCCEEDED(log.Connect(upstream.Get(), Graph().SpareInput()));
        log.Undo();
    }
    EXPECT_EQ(RefCount(Builder()), builder);
    EXPECT_EQ(RefCount(Graph().Renderer()), renderer);
    EXPECT_EQ(RefCount(Graph().Spare()), spare);
    EXPECT_EQ(RefCount(splitter.Get()), source);
}

// The rewiring through the mixer, over the same graph.
class OverlayRewiring : public GraphFixture {
protected:
    void SetUp() override {
        GraphFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_OverlayMixer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                                  mixer_.ReceiveVoid()));
        ASSERT_HRESULT_SUCCEEDED(Builder()->AddFilter(mixer_.Get(), L"Overlay Mixer"));
        before_ = Now();
    }
    void TearDown() override {
        mixer_.Reset();
        GraphFixture::TearDown();
    }
    TComPtr<IBaseFilter> mixer_;
};

TEST_F(OverlayRewiring, InsertRoutesTheVideoThroughTheMixerToTheRenderer) {
    TOverlayRewiring rewiring(Builder(), {}, mixer_.Get(), Graph().Renderer(), nullptr);
    EXPECT_FALSE(TOverlayRewiring::IsWired(mixer_.Get(), Graph().Renderer()));
    ASSERT_HRESULT_SUCCEEDED(rewiring.Insert());
    const auto now = Now();
    EXPECT_EQ(now.count("Overlay Mixer.Output -> Renderer.Input"), 1u) << testing::PrintToString(now);
    EXPECT_EQ(now.count(graphtest::PinName(upstream_.Get()) + " -> Overlay Mixer.Input0"), 1u)
        << testing::PrintToString(now);
    EXPECT_TRUE(TOverlayRewiring::IsWired(mixer_.Get(), Graph().Renderer()));
    EXPECT_FALSE(TOverlayRewiring::IsWired(mixer_.Get(), Graph().Spare()));
    // Renderer input broken, mixer input and output made.
    EXPECT_EQ(rewiring.Log().Size(), 3u);
}

TEST_F(OverlayRewiring, AFailedOutputConnectionIsUndoneExactly) {
    int connects = 0;
    TOverlayRewiring rewiring(
        Builder(),
        [&](IPin* output, IPin* input) {
            ++connects;
            if (SameComObject(PinOwner(output).Get(), mixer_.Get())) return VFW_E_NO_ACCEPTABLE_TYPES;
            return Builder()->Connect(output, input);
        },
        mixer_.Get(), Graph().Renderer(), nullptr);
    EXPECT_EQ(rewiring.Insert(), VFW_E_NO_ACCEPTABLE_TYPES);
    EXPECT_EQ(connects, 2);
    EXPECT_NE(Now(), before_);
    rewiring.Undo();
    EXPECT_EQ(Now(), before_);
    EXPECT_TRUE(FirstFreeInput(mixer_.Get()));
    EXPECT_FALSE(TOverlayRewiring::IsWired(mixer_.Get(), Graph().Renderer()));
}

TEST_F(OverlayRewiring, WithoutARendererNothingIsTouched) {
    TOverlayRewiring rewiring(Builder(), {}, mixer_.Get(), nullptr, nullptr);
    EXPECT_EQ(rewiring.Insert(), E_FAIL);
    EXPECT_EQ(rewiring.Log().Size(), 0u);
    EXPECT_EQ(Now(), before_);
}

}  // namespace
