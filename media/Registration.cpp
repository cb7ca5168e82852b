#include "media/Registration.h"

#include "framework/ClassInfo.h"
#include "media/FilterGraph.h"
#include "media/VideoWindow.h"

namespace vorlinde {

void RegisterMediaClasses() {
    vl::RegisterComponentClass(TFilterGraph::StaticClass());
    vl::RegisterComponentClass(TDSVideoWindowEx2::StaticClass());
}

}  // namespace vorlinde
