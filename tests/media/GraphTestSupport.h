#pragma once
// Helpers of the suites that work on a graph directly: a graph with the sample clip rendered
// into a Video Renderer of its own, a graph's connections by name, and COM reference counts.
#include <windows.h>

#include <dshow.h>

#include <gtest/gtest.h>

#include <memory>

#include <set>
#include <string>

#include "media/ComPtr.h"

namespace graphtest {

// The reference count of an object (one AddRef and one Release).
ULONG RefCount(IUnknown* object);

// "<filter name>.<pin name> -> <filter name>.<pin name>" for every connected output pin.
using TConnections = std::set<std::string>;
TConnections Connections(IFilterGraph* graph);
// "<filter name>.<pin name>".
std::string PinName(IPin* pin);

// A graph manager with a Video Renderer "Renderer" added before the clip is rendered (as the
// video window contributes it), so that the clip's video goes to it, and a second, unconnected
// Video Renderer "Spare". Released, graph last, with the object.
class TRenderedGraph {
public:
    explicit TRenderedGraph(const char* clip = "red.mpg");
    TRenderedGraph(const TRenderedGraph&) = delete;
    TRenderedGraph& operator=(const TRenderedGraph&) = delete;

    HRESULT RenderResult() const { return renderResult_; }
    IGraphBuilder* Builder() const { return builder_.Get(); }
    IBaseFilter* Renderer() const { return renderer_.Get(); }
    IBaseFilter* Spare() const { return spare_.Get(); }
    IPin* RendererInput() const { return rendererInput_.Get(); }
    IPin* SpareInput() const { return spareInput_.Get(); }

private:
    vorlinde::TComPtr<IGraphBuilder> builder_;
    vorlinde::TComPtr<IBaseFilter> renderer_, spare_;
    vorlinde::TComPtr<IPin> rendererInput_, spareInput_;
    HRESULT renderResult_ = E_FAIL;
};

// A test on a TRenderedGraph of the red clip; skipped when the build made no sample movies.
class TRenderedGraphTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    TRenderedGraph& Graph() { return *graph_; }
    IFilterGraph* Manager() const { return manager_.Get(); }

private:
    std::unique_ptr<TRenderedGraph> graph_;
    vorlinde::TComPtr<IFilterGraph> manager_;
};

}  // namespace graphtest
