// The controller's graph objects: creation and release in each mode, reference counts, the
// published settings, and members and listeners joining and leaving.
#include <gtest/gtest.h>

#include "MediaTestSupport.h"
#include "framework/ClassInfo.h"

namespace {

using namespace vorlinde;
using mediatest::TTestListener;
using mediatest::TTestMember;

// The controller's graph manager, as a reference of the caller's own.
TComPtr<IFilterGraph2> GraphOf(TFilterGraph& graph) { return graph.Query<IFilterGraph2>(IID_IFilterGraph2); }

// True when the graph holds a filter of that name.
bool HasFilter(IFilterGraph2* graph, const wchar_t* name) {
    TComPtr<IBaseFilter> filter;
    return SUCCEEDED(graph->FindFilterByName(name, filter.Receive())) && filter;
}

// Whether the platform can build a DVD graph (it cannot under Wine).
bool PlatformHasDvdGraph() {
    TComPtr<IDvdGraphBuilder> builder;
    if (FAILED(CoCreateInstance(CLSID_DvdGraphBuilder, nullptr, CLSCTX_INPROC_SERVER, IID_IDvdGraphBuilder,
                                builder.ReceiveVoid())))
        return false;
    TComPtr<IGraphBuilder> graph;
    return SUCCEEDED(builder->GetFiltergraph(graph.Receive())) && graph;
}

TEST(FilterGraphActivation, NewInstanceHasTheDocumentedDefaults) {
    TFilterGraph graph(nullptr);
    EXPECT_FALSE(graph.Active());
    EXPECT_FALSE(graph.AutoCreate());
    EXPECT_EQ(graph.Mode(), TGraphMode::gmNormal);
    EXPECT_FALSE(graph.GraphEdit());
    EXPECT_TRUE(graph.LinearVolume());
    EXPECT_EQ(graph.LogFile(), "");
    EXPECT_EQ(graph.Volume(), 10000);
    EXPECT_EQ(graph.Balance(), 0);
    EXPECT_EQ(graph.Rate(), 1.0);
    EXPECT_TRUE(IsWindow(graph.NotifyWindow()));
}

TEST(FilterGraphActivation, PublishesItsSettingsInTheDocumentedOrder) {
    const auto& props = TFilterGraph::StaticClass().props;
    std::vector<std::string> names;
    for (size_t i = 0; i < 9 && i < props.size(); ++i) names.push_back(props[i].name);
    EXPECT_EQ(names, (std::vector<std::string>{"LogFile", "Active", "AutoCreate", "Mode", "GraphEdit", "LinearVolume",
                                               "OnActivate", "OnDSEvent", "OnGraphComplete"}));
}

TEST(FilterGraphActivation, ActiveCreatesTheGraphManager) {
    TFilterGraph graph(nullptr);
    EXPECT_FALSE(GraphOf(graph));
    graph.SetActive(true);
    EXPECT_TRUE(graph.Active());
    EXPECT_TRUE(GraphOf(graph));
}

TEST(FilterGraphActivation, ActiveTrueTwiceCreatesOneGraph) {
    TFilterGraph graph(nullptr);
    int activations = 0;
    graph.OnActivate = [&](vl::TObject*) { ++activations; };
    graph.SetActive(true);
    auto first = GraphOf(graph);
    graph.SetActive(true);
    EXPECT_EQ(GraphOf(graph).Get(), first.Get());
    EXPECT_EQ(activations, 1);
}

TEST(FilterGraphActivation, DeactivationReleasesTheGraphManager) {
    TFilterGraph graph(nullptr);
    graph.SetActive(true);
    IFilterGraph2* manager = GraphOf(graph).Detach();
    graph.SetActive(false);
    EXPECT_FALSE(graph.Active());
    EXPECT_EQ(manager->Release(), 0u);
}

TEST(FilterGraphActivation, DestructionReleasesTheGraphManager) {
    auto* graph = new TFilterGraph(nullptr);
    graph->SetActive(true);
    IFilterGraph2* manager = GraphOf(*graph).Detach();
    delete graph;
    EXPECT_EQ(manager->Release(), 0u);
}

TEST(FilterGraphActivation, TheGraphLetsGoOfItsCallbackSiteOnDeactivation) {
    TFilterGraph graph(nullptr);
    graph.SetActive(true);
    EXPECT_GT(graph.ExternalReferences(), 0);
    graph.SetActive(false);
    EXPECT_EQ(graph.ExternalReferences(), 0);
}

TEST(FilterGraphActivation, InactiveForwardsNoInterfaceQueries) {
    TFilterGraph graph(nullptr);
    EXPECT_FALSE(graph.Query<IMediaControl>(IID_IMediaControl));
    EXPECT_TRUE(graph.Query<IServiceProvider>(IID_IServiceProvider));
    EXPECT_TRUE(graph.Query<IAMGraphBuilderCallback>(IID_IAMGraphBuilderCallback));
    EXPECT_EQ(graph.ExternalReferences(), 0);
}

TEST(FilterGraphActivation, ActivationTellsOnActivateThenTheListeners) {
    std::vector<std::string> log;
    TTestListener listener(log);
    TFilterGraph graph(nullptr);
    graph.InsertListener(&listener);
    graph.OnActivate = [&](vl::TObject*) { log.push_back("OnActivate"); };
    graph.SetActive(true);
    graph.SetActive(false);
    EXPECT_EQ(log, (std::vector<std::string>{"OnActivate", "L:control:7:1", "L:control:7:0"}));
    graph.RemoveListener(&listener);
}

TEST(FilterGraphActivation, CaptureModeAnswersFromTheBuilderAndTheGraph) {
    TFilterGraph graph(nullptr);
    graph.SetMode(TGraphMode::gmCapture);
    graph.SetActive(true);
    EXPECT_TRUE(graph.Query<ICaptureGraphBuilder2>(IID_ICaptureGraphBuilder2));
    EXPECT_TRUE(graph.Query<IMediaControl>(IID_IMediaControl));
    IFilterGraph2* manager = GraphOf(graph).Detach();
    graph.SetActive(false);
    EXPECT_EQ(manager->Release(), 0u);
}

TEST(FilterGraphActivation, ModeWithoutGraphObjectsRaisesAndStaysInactive) {
    if (PlatformHasDvdGraph()) GTEST_SKIP() << "the platform builds DVD graphs";
    TFilterGraph graph(nullptr);
    graph.SetActive(true);
    try {
        graph.SetMode(TGraphMode::gmDVD);
        FAIL() << "no exception";
    } catch (const EDirectShowException& e) {
        char code[32];
        snprintf(code, sizeof code, " ($%lX).", static_cast<unsigned long>(e.ErrorCode()));
        EXPECT_TRUE(FAILED(e.ErrorCode()));
        EXPECT_NE(e.Message().find("gmDVD"), std::string::npos) << e.Message();
        EXPECT_TRUE(e.Message().ends_with(code)) << e.Message();
    }
    EXPECT_FALSE(graph.Active());
    EXPECT_EQ(graph.Mode(), TGraphMode::gmDVD);
    EXPECT_EQ(graph.ExternalReferences(), 0);
}

TEST(FilterGraphActivation, ModeChangeWhileActiveRecreatesTheGraphWithItsMembers) {
    std::vector<std::string> log;
    TTestMember member(log);
    TFilterGraph graph(nullptr);
    graph.InsertMember(&member);
    graph.SetActive(true);
    IFilterGraph2* old = GraphOf(graph).Detach();
    log.clear();
    graph.SetMode(TGraphMode::gmCapture);
    EXPECT_TRUE(graph.Active());
    EXPECT_EQ(old->Release(), 0u);
    EXPECT_EQ(log, (std::vector<std::string>{"member:BeforeRemove", "member:AfterRemove", "member:BeforeAdd",
                                             "member:AfterAdd"}));
    EXPECT_TRUE(HasFilter(GraphOf(graph).Get(), L"Member"));
    graph.SetActive(false);
    graph.RemoveMember(&member);
}

TEST(FilterGraphActivation, ModeChangeWhileInactiveOnlyStores) {
    TFilterGraph graph(nullptr);
    graph.SetMode(TGraphMode::gmCapture);
    EXPECT_FALSE(graph.Active());
    EXPECT_EQ(graph.Mode(), TGraphMode::gmCapture);
}

TEST(FilterGraphActivation, AutoCreateActivatesWhenLoaded) {
    TFilterGraph graph(nullptr);
    vl::SetPropValue(graph, "AutoCreate", vl::TPropValue::Bool(true));
    static_cast<vl::TComponent&>(graph).Loaded();
    EXPECT_TRUE(graph.Active());
}

// --- members and listeners

TEST(FilterGraphMembers, TheListHoldsOneReferenceToAMember) {
    std::vector<std::string> log;
    TTestMember member(log);
    TFilterGraph graph(nullptr);
    graph.InsertMember(&member);
    EXPECT_EQ(member.Refs(), 2u);
    graph.InsertMember(&member);  // already listed
    EXPECT_EQ(member.Refs(), 2u);
    graph.RemoveMember(&member);
    EXPECT_EQ(member.Refs(), 1u);
}

TEST(FilterGraphMembers, MembersJoinTheGraphAtActivation) {
    std::vector<std::string> log;
    TTestMember member(log);
    TFilterGraph graph(nullptr);
    graph.InsertMember(&member);
    EXPECT_TRUE(log.empty());
    graph.SetActive(true);
    EXPECT_EQ(log, (std::vector<std::string>{"member:BeforeAdd", "member:AfterAdd"}));
    EXPECT_TRUE(HasFilter(GraphOf(graph).Get(), L"Member"));
    graph.SetActive(false);
    graph.RemoveMember(&member);
}

TEST(FilterGraphMembers, AMemberInsertedWhileActiveJoinsAtOnceAndLeavesOnRemoval) {
    std::vector<std::string> log;
    TTestMember member(log);
    TFilterGraph graph(nullptr);
    graph.SetActive(true);
    graph.InsertMember(&member);
    EXPECT_TRUE(HasFilter(GraphOf(graph).Get(), L"Member"));
    graph.RemoveMember(&member);
    EXPECT_FALSE(HasFilter(GraphOf(graph).Get(), L"Member"));
    EXPECT_EQ(log, (std::vector<std::string>{"member:BeforeAdd", "member:AfterAdd", "member:BeforeRemove",
                                             "member:AfterRemove"}));
    EXPECT_EQ(member.Refs(), 1u);
}

TEST(FilterGraphMembers, TheGraphReleasesAMemberFilterOnDeactivation) {
    std::vector<std::string> log;
    TTestMember member(log);
    IBaseFilter* filter = member.Filter();
    TFilterGraph graph(nullptr);
    graph.InsertMember(&member);
    graph.SetActive(true);
    EXPECT_EQ(filter->AddRef(), 3u);  // the member, the graph, this test
    EXPECT_EQ(filter->Release(), 2u);
    graph.SetActive(false);
    EXPECT_EQ(filter->AddRef(), 2u);  // the member, this test
    EXPECT_EQ(filter->Release(), 1u);
    graph.RemoveMember(&member);
}

TEST(FilterGraphMembers, DestructionReleasesMembersListenersAndTheirFilters) {
    std::vector<std::string> log;
    TTestMember member(log);
    TTestListener listener(log);
    auto* graph = new TFilterGraph(nullptr);
    graph->InsertMember(&member);
    graph->InsertListener(&listener);
    graph->SetActive(true);
    delete graph;
    EXPECT_EQ(member.Refs(), 1u);
    EXPECT_EQ(listener.Refs(), 1u);
    EXPECT_EQ(member.Filter()->AddRef(), 2u);
    EXPECT_EQ(member.Filter()->Release(), 1u);
    EXPECT_EQ(log.back(), "member:AfterRemove");
}

TEST(FilterGraphMembers, ListenersAreToldInListOrderUntilTheyLeave) {
    std::vector<std::string> log;
    TTestListener first(log, "A"), second(log, "B");
    TFilterGraph graph(nullptr);
    graph.InsertListener(&first);
    graph.InsertListener(&second);
    EXPECT_EQ(second.Refs(), 2u);
    graph.SetActive(true);
    graph.RemoveListener(&first);
    EXPECT_EQ(first.Refs(), 1u);
    graph.SetActive(false);
    EXPECT_EQ(log, (std::vector<std::string>{"A:control:7:1", "B:control:7:1", "B:control:7:0"}));
    graph.RemoveListener(&second);
}

}  // namespace
