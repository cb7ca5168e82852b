// The graph utilities on a real graph (the sample clip rendered into a Video Renderer): what
// each one finds, and that every reference it gives back is exactly one of its own while
// everything it took on the way is released.
#include <gtest/gtest.h>

#include <vector>

#include "GraphTestSupport.h"
#include "MediaTestSupport.h"
#include "media/GraphUtils.h"

namespace {

using namespace vorlinde;
using graphtest::RefCount;

using GraphUtils = graphtest::TRenderedGraphTest;

TEST_F(GraphUtils, GraphFiltersHoldsOneReferenceToEachFilterAndReleasesTheList) {
    const ULONG renderer = RefCount(Graph().Renderer());
    const ULONG manager = RefCount(Manager());
    {
        auto filters = GraphFilters(Manager());
        // File source, splitter, the renderer and the spare renderer.
        EXPECT_GE(filters.size(), 4u);
        EXPECT_EQ(RefCount(Graph().Renderer()), renderer + 1);
        int found = 0;
        for (const auto& f : filters) found += SameComObject(f.Get(), Graph().Renderer()) ? 1 : 0;
        EXPECT_EQ(found, 1);
    }
    EXPECT_EQ(RefCount(Graph().Renderer()), renderer);
    EXPECT_EQ(RefCount(Manager()), manager);
}

TEST_F(GraphUtils, FindFilterByClassGivesTheFilterWithOneReference) {
    const ULONG renderer = RefCount(Graph().Renderer());
    const ULONG spare = RefCount(Graph().Spare());
    {
        // Both renderers are of the class: it is one of the two (which one, the next test).
        TComPtr<IBaseFilter> found = FindFilterByClass(Manager(), {CLSID_VideoRenderer});
        ASSERT_TRUE(found);
        EXPECT_EQ(FilterClass(found.Get()), CLSID_VideoRenderer);
        const bool isSpare = SameComObject(found.Get(), Graph().Spare());
        EXPECT_TRUE(isSpare || SameComObject(found.Get(), Graph().Renderer()));
        EXPECT_EQ(RefCount(Graph().Renderer()), renderer + (isSpare ? 0 : 1));
        EXPECT_EQ(RefCount(Graph().Spare()), spare + (isSpare ? 1 : 0));
    }
    EXPECT_FALSE(FindFilterByClass(Manager(), {CLSID_OverlayMixer}));
    EXPECT_EQ(FilterClass(FindFilterByClass(Manager(), {CLSID_OverlayMixer, CLSID_VideoRenderer}).Get()),
              CLSID_VideoRenderer);
    EXPECT_EQ(RefCount(Graph().Renderer()), renderer);
    EXPECT_EQ(RefCount(Graph().Spare()), spare);
}

TEST_F(GraphUtils, FindFilterByClassTakesTheLastOfSeveralTheGraphLists) {
    TComPtr<IBaseFilter> last;
    for (auto& f : GraphFilters(Manager()))
        if (FilterClass(f.Get()) == CLSID_VideoRenderer) last = std::move(f);
    EXPECT_EQ(FindFilterByClass(Manager(), {CLSID_VideoRenderer}).Get(), last.Get());
}

TEST_F(GraphUtils, FilterPinsAndFirstPinCountEachPinOnce) {
    IBaseFilter* renderer = Graph().Renderer();
    const ULONG before = RefCount(renderer);
    {
        auto pins = FilterPins(renderer);
        ASSERT_EQ(pins.size(), 1u);
        TComPtr<IPin> first = FirstPin(renderer);
        EXPECT_EQ(first.Get(), pins.front().Get());
        EXPECT_EQ(graphtest::PinName(first.Get()), "Renderer.Input");
    }
    EXPECT_EQ(RefCount(renderer), before);
}

TEST_F(GraphUtils, ForEachPinHoldsOnlyThePinBeingVisited) {
    // The splitter's pins (its input and its outputs) count on the splitter.
    TComPtr<IPin> upstream = Peer(Graph().RendererInput());
    ASSERT_TRUE(upstream);
    TComPtr<IBaseFilter> splitter = PinOwner(upstream.Get());
    upstream.Reset();
    const ULONG before = RefCount(splitter.Get());
    std::vector<ULONG> during;
    ForEachPin(splitter.Get(), [&](IPin*) { during.push_back(RefCount(splitter.Get())); });
    ASSERT_GE(during.size(), 2u);
    for (ULONG count : during) EXPECT_EQ(count, during.front());
    EXPECT_EQ(RefCount(splitter.Get()), before);
}

TEST_F(GraphUtils, PeerAndPinOwnerLeadFromTheRendererToTheSplitterOutput) {
    IPin* input = Graph().RendererInput();
    const ULONG renderer = RefCount(Graph().Renderer());
    {
        TComPtr<IPin> peer = Peer(input);
        ASSERT_TRUE(peer);
        EXPECT_TRUE(IsDirection(peer.Get(), PINDIR_OUTPUT));
        EXPECT_FALSE(IsDirection(peer.Get(), PINDIR_INPUT));
        EXPECT_TRUE(SameComObject(Peer(peer.Get()).Get(), input));
        TComPtr<IBaseFilter> owner = PinOwner(input);
        EXPECT_TRUE(SameComObject(owner.Get(), Graph().Renderer()));
        EXPECT_EQ(RefCount(Graph().Renderer()), renderer + 1);
        EXPECT_FALSE(SameComObject(PinOwner(peer.Get()).Get(), Graph().Renderer()));
    }
    EXPECT_EQ(RefCount(Graph().Renderer()), renderer);
}

TEST_F(GraphUtils, AnUnconnectedPinHasNoPeerAndIsTheFirstFreeInput) {
    const ULONG spare = RefCount(Graph().Spare());
    EXPECT_FALSE(Peer(Graph().SpareInput()));
    EXPECT_EQ(FirstFreeInput(Graph().Spare()).Get(), Graph().SpareInput());
    EXPECT_FALSE(FirstFreeInput(Graph().Renderer()));
    EXPECT_EQ(RefCount(Graph().Spare()), spare);
}

TEST_F(GraphUtils, FirstPinOfDirectionFindsOnlyThatDirection) {
    const ULONG renderer = RefCount(Graph().Renderer());
    EXPECT_EQ(FirstPinOfDirection(Graph().Renderer(), PINDIR_INPUT).Get(), Graph().RendererInput());
    EXPECT_FALSE(FirstPinOfDirection(Graph().Renderer(), PINDIR_OUTPUT));
    EXPECT_EQ(RefCount(Graph().Renderer()), renderer);
}

TEST_F(GraphUtils, StopAndDisconnectBreaksEveryConnectionAtBothEnds) {
    TComPtr<IPin> upstream = Peer(Graph().RendererInput());
    ASSERT_TRUE(upstream);
    StopAndDisconnect(Manager(), Graph().Renderer(), true);
    EXPECT_FALSE(Peer(Graph().RendererInput()));
    EXPECT_FALSE(Peer(upstream.Get()));
    for (const auto& connection : graphtest::Connections(Manager()))
        EXPECT_FALSE(connection.ends_with("-> Renderer.Input")) << connection;
}

TEST_F(GraphUtils, StopAndDisconnectWithoutAGraphDisconnectsThePinsThemselves) {
    TComPtr<IPin> upstream = Peer(Graph().RendererInput());
    ASSERT_TRUE(upstream);
    StopAndDisconnect(nullptr, Graph().Renderer(), false);
    EXPECT_FALSE(Peer(Graph().RendererInput()));
    EXPECT_FALSE(Peer(upstream.Get()));
}

TEST(GraphUtilsWithoutAGraph, NullArgumentsGiveNothing) {
    EXPECT_TRUE(GraphFilters(nullptr).empty());
    EXPECT_FALSE(FindFilterByClass(nullptr, {CLSID_VideoRenderer}));
    EXPECT_TRUE(FilterPins(nullptr).empty());
    EXPECT_FALSE(FirstPin(nullptr));
    EXPECT_FALSE(FirstPinOfDirection(nullptr, PINDIR_INPUT));
    EXPECT_FALSE(FirstFreeInput(nullptr));
    EXPECT_FALSE(Peer(nullptr));
    EXPECT_FALSE(PinOwner(nullptr));
    EXPECT_FALSE(IsDirection(nullptr, PINDIR_INPUT));
    EXPECT_EQ(FilterClass(nullptr), GUID_NULL);
    int visits = 0;
    ForEachPin(nullptr, [&](IPin*) { ++visits; });
    EXPECT_EQ(visits, 0);
    StopAndDisconnect(nullptr, nullptr, true);
}

}  // namespace
