#include "GraphTestSupport.h"

#include "MediaTestSupport.h"
#include "media/GraphUtils.h"

namespace graphtest {

using vorlinde::TComPtr;

namespace {

std::string Narrow(const wchar_t* text) {
    std::string result;
    for (const wchar_t* p = text; *p; ++p) result += static_cast<char>(*p);
    return result;
}

std::string FilterName(IBaseFilter* filter) {
    FILTER_INFO info{};
    if (!filter || FAILED(filter->QueryFilterInfo(&info))) return "?";
    if (info.pGraph) info.pGraph->Release();
    return Narrow(info.achName);
}

}  // namespace

ULONG RefCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

std::string PinName(IPin* pin) {
    PIN_INFO info{};
    if (FAILED(pin->QueryPinInfo(&info))) return "?";
    const std::string owner = FilterName(info.pFilter);
    if (info.pFilter) info.pFilter->Release();
    return owner + "." + Narrow(info.achName);
}

TConnections Connections(IFilterGraph* graph) {
    TConnections result;
    for (const auto& filter : vorlinde::GraphFilters(graph)) {
        for (const auto& pin : vorlinde::FilterPins(filter.Get())) {
            if (!vorlinde::IsDirection(pin.Get(), PINDIR_OUTPUT)) continue;
            if (TComPtr<IPin> peer = vorlinde::Peer(pin.Get()))
                result.insert(PinName(pin.Get()) + " -> " + PinName(peer.Get()));
        }
    }
    return result;
}

TRenderedGraph::TRenderedGraph(const char* clip) {
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, builder_.ReceiveVoid());
    CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, renderer_.ReceiveVoid());
    CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, spare_.ReceiveVoid());
    if (!builder_ || !renderer_ || !spare_) return;
    builder_->AddFilter(renderer_.Get(), L"Renderer");
    renderResult_ = builder_->RenderFile(mediatest::SamplePath(clip).c_str(), nullptr);
    builder_->AddFilter(spare_.Get(), L"Spare");
    rendererInput_ = vorlinde::FirstPin(renderer_.Get());
    spareInput_ = vorlinde::FirstPin(spare_.Get());
}

void TRenderedGraphTest::SetUp() {
    if (!mediatest::SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
    graph_ = std::make_unique<TRenderedGraph>();
    ASSERT_HRESULT_SUCCEEDED(graph_->RenderResult());
    manager_ = TComPtr<IFilterGraph>::Share(graph_->Builder());
}

void TRenderedGraphTest::TearDown() {
    // The graph goes before the test ends: one left at exit crashes the process.
    manager_.Reset();
    graph_.reset();
}

}  // namespace graphtest
