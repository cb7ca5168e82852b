#include "media/VideoWindow.h"

#include "framework/ClassBuilder.h"
#include "framework/Exceptions.h"
#include "framework/StringUtils.h"
#include "media/FilterGraph.h"

namespace vorlinde {

const vl::TClassInfo& TDSVideoWindowEx2::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TDSVideoWindowEx2>("TDSVideoWindowEx2", &vl::TWinControl::StaticClass())
            .Creatable()
            .Prop("AspectRatio", &TDSVideoWindowEx2::SetAspectRatio, &TDSVideoWindowEx2::AspectRatio)
            .Prop("AutoHideCursor", &TDSVideoWindowEx2::SetAutoHideCursor, &TDSVideoWindowEx2::AutoHideCursor)
            .Prop("DigitalZoom", &TDSVideoWindowEx2::SetDigitalZoom, &TDSVideoWindowEx2::DigitalZoom)
            .Reference("FilterGraph", &TDSVideoWindowEx2::SetFilterGraph)
            .Object("ColorControl", &TDSVideoWindowEx2::ColorControl)
            .Prop("NoScreenSaver", &TDSVideoWindowEx2::SetNoScreenSaver, &TDSVideoWindowEx2::NoScreenSaver)
            .Build();
    return info;
}

TDSVideoWindowEx2::TDSVideoWindowEx2(vl::TComponent* owner) : vl::TWinControl(owner) {
    SetBounds(0, 0, 320, 240);
    SetColor(0x000000);
    SetTabStop(true);
}

TDSVideoWindowEx2::~TDSVideoWindowEx2() {
    if (filterGraph_) RemoveFreeNotification(filterGraph_);
}

void TDSVideoWindowEx2::SetFilterGraph(TFilterGraph* graph) {
    if (graph == filterGraph_) return;
    if (filterGraph_) RemoveFreeNotification(filterGraph_);
    filterGraph_ = graph;
    if (graph) FreeNotification(graph);
}

void TDSVideoWindowEx2::SetDigitalZoom(int percent) {
    if (percent < 0 || percent > 99)
        throw vl::Exception(vl::Format("Value %d out of range. Value must bee between 0 -> 99", percent));
    digitalZoom_ = percent;
}

void TDSVideoWindowEx2::Notification(vl::TComponent* component, vl::TOperation operation) {
    vl::TWinControl::Notification(component, operation);
    if (operation == vl::TOperation::Remove && component == filterGraph_) filterGraph_ = nullptr;
}

}  // namespace vorlinde
