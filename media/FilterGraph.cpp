#include "media/FilterGraph.h"

#include "framework/ClassBuilder.h"

namespace vorlinde {

const vl::TClassInfo& TFilterGraph::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TFilterGraph>("TFilterGraph", &vl::TComponent::StaticClass())
            .Creatable()
            .Prop("Active", &TFilterGraph::SetActive, &TFilterGraph::Active)
            .Prop("Mode", &TFilterGraph::SetMode, &TFilterGraph::Mode)
            .Prop("GraphEdit", &TFilterGraph::SetGraphEdit, &TFilterGraph::GraphEdit)
            .Prop("LinearVolume", &TFilterGraph::SetLinearVolume, &TFilterGraph::LinearVolume)
            .Event("OnGraphComplete", &TFilterGraph::OnGraphComplete)
            .Build();
    return info;
}

TFilterGraph::TFilterGraph(vl::TComponent* owner) : vl::TComponent(owner) {}

void TFilterGraph::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    renderedFile_.clear();
}

void TFilterGraph::ClearGraph() { renderedFile_.clear(); }

HRESULT TFilterGraph::RenderFile(const std::wstring& fileName) {
    if (active_) renderedFile_ = fileName;
    return S_FALSE;
}

bool TFilterGraph::Play() { return false; }
bool TFilterGraph::Pause() { return false; }
bool TFilterGraph::Stop() { return false; }

PlaybackState TFilterGraph::State() const { return active_ ? PlaybackState::Stopped : PlaybackState::Uninitialised; }

}  // namespace vorlinde
