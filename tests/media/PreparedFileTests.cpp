// The next file's start built in the background while a file plays: what the graph holds while
// it waits, that the change of file ends with the graph a plain RenderFile builds, and that
// every way out (another file, a file that cannot be read, stopping, deactivating) leaves
// nothing behind.
#include <gtest/gtest.h>

#include <algorithm>

#include "MediaTestSupport.h"
#include "media/GraphUtils.h"

namespace {

using namespace vorlinde;
using mediatest::PumpUntil;
using mediatest::SamplePath;
using mediatest::TTestListener;
using mediatest::TTestMember;

class PreparedFile : public testing::Test {
protected:
    void SetUp() override {
        if (!mediatest::SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
        mediatest::RecordedExceptions().clear();
        graph.InsertMember(&member);
        graph.InsertListener(&listener);
        graph.SetActive(true);
        graph.SetPrepareDelay(0);
    }
    void TearDown() override {
        graph.SetActive(false);
        graph.RemoveMember(&member);
        graph.RemoveListener(&listener);
    }

    // The sorted names of the filters in the graph.
    std::vector<std::wstring> Names() {
        std::vector<std::wstring> names;
        for (const auto& filter : GraphFilters(graph.Query<IFilterGraph>(IID_IFilterGraph).Get())) {
            FILTER_INFO info{};
            filter->QueryFilterInfo(&info);
            if (info.pGraph) info.pGraph->Release();
            names.push_back(info.achName);
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    // The sorted classes of the filters in the graph: the same graph, whatever the names.
    std::vector<std::wstring> Classes() {
        std::vector<std::wstring> classes;
        for (const auto& filter : GraphFilters(graph.Query<IFilterGraph>(IID_IFilterGraph).Get())) {
            wchar_t text[40] = L"";
            StringFromGUID2(FilterClass(filter.Get()), text, 40);
            classes.push_back(text);
        }
        std::sort(classes.begin(), classes.end());
        return classes;
    }
    bool Holds(const std::wstring& path) {
        const auto names = Names();
        return std::find(names.begin(), names.end(), path) != names.end();
    }
    // Renders and plays `path`, then asks for `next` and waits until its source is in the graph.
    bool PlayAndPrepare(const std::wstring& path, const std::wstring& next) {
        graph.RenderFile(path);
        graph.Play();
        graph.PrepareFile(next);
        return PumpUntil([&] { return Holds(next); }, 3000);
    }

    std::vector<std::string> log;
    TTestMember member{log};
    TTestListener listener{log};
    TFilterGraph graph{nullptr};
};

TEST_F(PreparedFile, TheChangeOfFileEndsWithTheGraphRenderFileBuildsAndPlaysToTheEnd) {
    const std::wstring red = SamplePath("red.mpg"), blue = SamplePath("blue.mpg");
    graph.RenderFile(red);
    const auto plain = Classes();
    graph.ClearGraph();

    ASSERT_TRUE(PlayAndPrepare(red, blue));
    graph.ClearGraph();
    // Emptied for the change, the graph keeps the prepared source and its follower, connected.
    EXPECT_EQ(Names().size(), 3u);
    EXPECT_TRUE(Holds(blue));
    EXPECT_EQ(graph.RenderFile(blue), S_OK);
    EXPECT_EQ(Classes(), plain);
    EXPECT_EQ(log.back(), "L:control:4:0");

    bool complete = false;
    graph.OnGraphComplete = [&](vl::TObject*, HRESULT, IBaseFilter*) { complete = true; };
    graph.Play();
    EXPECT_TRUE(PumpUntil([&] { return complete; }, 10000));
}

TEST_F(PreparedFile, AnotherFileOrAnUnreadableOneLeavesNothingPrepared) {
    const std::wstring red = SamplePath("red.mpg"), blue = SamplePath("blue.mpg");
    graph.RenderFile(red);
    const auto plain = Classes();

    ASSERT_TRUE(PlayAndPrepare(red, blue));
    graph.ClearGraph();
    graph.RenderFile(red);
    EXPECT_EQ(Classes(), plain);
    EXPECT_FALSE(Holds(blue));

    // A file of a known kind that is no movie: nothing waits in the graph, and rendering it
    // fails as it always did.
    const std::wstring broken = SamplePath("notamovie.mpg");
    graph.PrepareFile(broken);
    graph.ClearGraph();
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"Member"});
    EXPECT_THROW(graph.RenderFile(broken), EDirectShowException);
}

TEST_F(PreparedFile, StoppingOrDeactivatingEndsAWaitingPreparationAtOnce) {
    const std::wstring red = SamplePath("red.mpg"), blue = SamplePath("blue.mpg");
    graph.RenderFile(red);
    graph.Play();
    graph.SetPrepareDelay(60000);
    graph.PrepareFile(blue);
    const DWORD start = GetTickCount();
    graph.Stop();
    graph.SetActive(false);
    EXPECT_LT(GetTickCount() - start, 2000u);

    // Prepared and then deactivated: the graph goes with everything in it.
    graph.SetActive(true);
    graph.SetPrepareDelay(0);
    ASSERT_TRUE(PlayAndPrepare(red, blue));
    graph.CancelPreparedFile();
    EXPECT_FALSE(Holds(blue));
    EXPECT_TRUE(graph.Stop());
}

TEST_F(PreparedFile, NothingIsPreparedForTheBuildingHooksOrBeforeAKindIsKnown) {
    const std::wstring red = SamplePath("red.mpg"), yellow = SamplePath("yellow.wmv");
    graph.RenderFile(red);
    graph.Play();
    const size_t playing = Names().size();
    graph.PrepareFile(yellow);
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(Names().size(), playing);

    graph.OnCreatedFilter = [](vl::TObject*, IBaseFilter*, const CLSID&) { return true; };
    graph.PrepareFile(red);
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(Names().size(), playing);
}

}  // namespace
