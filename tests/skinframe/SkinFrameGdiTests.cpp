// The skinned frame holds no GDI object beyond a paint: windows framed and closed a hundred
// times, and a hundred style switches, leave the process's GDI object count where it was.
#include <gtest/gtest.h>

#include "SkinFrameTestSupport.h"
#include "framework/GuiTestSupport.h"

using namespace vorlinde;

namespace {
const TsuiUIStyle kLooks[] = {TsuiUIStyle::MacOS,   TsuiUIStyle::WinXP,     TsuiUIStyle::DeepBlue,
                              TsuiUIStyle::Protein, TsuiUIStyle::BlueGlass, TsuiUIStyle::FromThemeFile};
}

TEST(SkinFrameGdi, OpeningAndClosingAFramedWindowAHundredTimesLeavesTheCountFlat) {
    { skinframe::FramedForm warm(TsuiUIStyle::Protein, 354, 290); }
    skinframe::Pump(20);
    const DWORD before = vltest::GdiObjects();
    ASSERT_GT(before, 0u);
    for (int i = 0; i < 100; ++i) {
        skinframe::FramedForm f(TsuiUIStyle::Protein, 354, 290, false);
        f.form->Show();
        UpdateWindow(f.form->Handle());
        f.form->Close();
    }
    skinframe::Pump(20);
    EXPECT_EQ(vltest::GdiObjects(), before);
}

TEST(SkinFrameGdi, AHundredStyleSwitchesLeaveTheCountFlat) {
    skinframe::FramedForm f(TsuiUIStyle::Protein, 354, 290);
    for (TsuiUIStyle style : kLooks) f.frame->SetUIStyle(style);
    skinframe::Pump(20);
    const DWORD before = vltest::GdiObjects();
    for (int i = 0; i < 100; ++i) {
        f.frame->SetUIStyle(kLooks[i % 6]);
        UpdateWindow(f.form->Handle());
    }
    skinframe::Pump(20);
    EXPECT_EQ(vltest::GdiObjects(), before);
}
