#include "skin/FrameGeometry.h"

#include "framework/Application.h"
#include "framework/Form.h"

namespace vorlinde {

RECT WorkAreaForMaximising() {
    vl::TForm* main = vl::Application ? vl::Application->MainForm() : nullptr;
    if (main && main->HandleAllocated()) {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (GetMonitorInfoA(MonitorFromWindow(main->Handle(), MONITOR_DEFAULTTONEAREST), &info)) return info.rcWork;
    }
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

RECT MaximisedBounds(const RECT& workArea) {
    RECT r = workArea;
    r.bottom -= 1;
    return r;
}

vl::TGdiRegion MakeFrameRegion(int width, int height, int roundCorner) {
    const int r = roundCorner;
    vl::TGdiRegion region(CreateRoundRectRgn(0, 0, width + 1, height + 1, r, r));
    if (r > 0) {
        const vl::TGdiRegion left = vl::MakeRectRegion(RECT{0, height - 2 * r, 2 * r, height});
        const vl::TGdiRegion right = vl::MakeRectRegion(RECT{width - 2 * r, height - 2 * r, width, height});
        CombineRgn(region.Get(), region.Get(), left.Get(), RGN_OR);
        CombineRgn(region.Get(), region.Get(), right.Get(), RGN_OR);
    }
    return region;
}

}  // namespace vorlinde
