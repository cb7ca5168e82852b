// The cache of the filter that follows the source: what it learns from a rendered graph, by
// kind of file, and that an offered filter nobody connected leaves the graph.
#include <gtest/gtest.h>

#include "MediaTestSupport.h"
#include "media/FirstHopCache.h"
#include "media/GraphUtils.h"

namespace {

using namespace vorlinde;

TComPtr<IGraphBuilder> NewGraph() {
    TComPtr<IGraphBuilder> graph;
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.ReceiveVoid());
    return graph;
}

TEST(FirstHopCache, LearnsTheFilterAfterTheSourceByExtensionInAnyCase) {
    if (!mediatest::SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
    TComPtr<IGraphBuilder> graph = NewGraph();
    ASSERT_TRUE(graph);
    const std::wstring file = mediatest::SamplePath("red.mpg");
    ASSERT_TRUE(SUCCEEDED(graph->RenderFile(file.c_str(), nullptr)));
    TFirstHopCache cache;
    cache.Settle(graph.Get(), file, nullptr, {}, true);
    EXPECT_TRUE(cache.Knows(L"C:\\other\\clip.MPG"));
    EXPECT_FALSE(cache.Knows(L"clip.wmv"));
    EXPECT_FALSE(cache.Knows(L"C:\\dir.mpg\\noextension"));

    // What it offers is a new filter of the class that followed the source.
    TComPtr<IGraphBuilder> next = NewGraph();
    TComPtr<IBaseFilter> offered = cache.Offer(next.Get(), L"blue.mpg");
    ASSERT_TRUE(offered);
    bool sameClass = false;
    for (const auto& filter : GraphFilters(graph.Get()))
        if (FilterClass(filter.Get()) == FilterClass(offered.Get()) && !SameComObject(filter.Get(), offered.Get()))
            sameClass = true;
    EXPECT_TRUE(sameClass);
    EXPECT_EQ(GraphFilters(next.Get()).size(), 1u);
    cache.Settle(next.Get(), L"blue.mpg", offered.Get(), {}, false);
    EXPECT_TRUE(GraphFilters(next.Get()).empty()) << "the unconnected offered filter stayed";

    cache.Forget();
    EXPECT_FALSE(cache.Knows(L"clip.mpg"));
}

TEST(FirstHopCache, AFailedRenderTeachesNothingAndAFilterThatWasThereIsNotLearnt) {
    if (!mediatest::SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
    TComPtr<IGraphBuilder> graph = NewGraph();
    const std::wstring file = mediatest::SamplePath("red.mpg");
    ASSERT_TRUE(SUCCEEDED(graph->RenderFile(file.c_str(), nullptr)));
    TFirstHopCache cache;
    cache.Settle(graph.Get(), file, nullptr, {}, false);
    EXPECT_FALSE(cache.Knows(file));
    cache.Settle(graph.Get(), file, nullptr, GraphFilters(graph.Get()), true);
    EXPECT_FALSE(cache.Knows(file));
}

}  // namespace
