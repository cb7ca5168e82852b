// The video window's painting through its back buffer: the colour key over the video
// rectangle and the control's colour around it, and no GDI object left behind.
#include <gtest/gtest.h>

#include "VideoWindowTestSupport.h"
#include "framework/GdiOwners.h"
#include "tests/framework/GuiTestSupport.h"

namespace {

using namespace vorlinde;
using mediatest::PumpUntil;
using mediatest::SamplePath;
using videotest::TVideoHost;

class VideoWindowPaint : public testing::Test {
protected:
    void SetUp() override {
        if (!mediatest::SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
        mediatest::RecordedExceptions().clear();
    }
    void TearDown() override { EXPECT_TRUE(mediatest::RecordedExceptions().empty()); }
};

COLORREF WindowPixel(HWND window, int x, int y) {
    const vl::TWindowDC dc(window);
    return GetPixel(dc.Get(), x, y);
}

TEST_F(VideoWindowPaint, AThousandRepaintsOfTheColourKeyLeaveNoGdiObjectBehind) {
    TVideoHost host;
    host.Graph().RenderFile(SamplePath("red.mpg"));
    ASSERT_TRUE(host.Graph().Play());
    ASSERT_TRUE(host.Window().OverlayVisible());
    PumpUntil([] { return false; }, 200);
    host.Window().RepaintColorKey();
    const DWORD before = vltest::GdiObjects();
    for (int i = 0; i < 1000; ++i) host.Window().RepaintColorKey();
    EXPECT_EQ(vltest::GdiObjects(), before);
    // Still the key over the video rectangle and the control's black beside it.
    EXPECT_EQ(WindowPixel(host.Window().Handle(), 100, 60), RGB(16, 0, 16));
    EXPECT_EQ(WindowPixel(host.Window().Handle(), 3, 60), RGB(0, 0, 0));
    host.Graph().Stop();
}

TEST_F(VideoWindowPaint, WithoutTheOverlayTheWholeControlHasItsColour) {
    TVideoHost host;
    host.Window().SetColor(0x00FF00);
    host.Window().RepaintColorKey();
    EXPECT_EQ(WindowPixel(host.Window().Handle(), 100, 60), RGB(0, 255, 0));
    EXPECT_EQ(WindowPixel(host.Window().Handle(), 3, 3), RGB(0, 255, 0));
}

}  // namespace
