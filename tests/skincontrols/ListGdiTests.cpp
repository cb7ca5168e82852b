// The list box with a linked scroll bar holds no GDI object beyond a paint: a thousand scroll
// steps of a long playlist, by the wheel, the bar's thumb and its arrows, leave the process's
// GDI object count where it was.
#include <gtest/gtest.h>

#include <string>

#include "SkinControlsTestSupport.h"
#include "framework/GuiTestSupport.h"
#include "skin/controls/ImageButton.h"
#include "skin/controls/ListBox.h"
#include "skin/controls/ScrollBar.h"

using namespace vorlinde;

TEST(SkinListGdi, AThousandScrollStepsLeaveTheCountFlat) {
    auto form = skinctl::ShowForm();
    auto* list = skinctl::Add<TsuiListBox>(*form, 20, 20, 281, 233);
    list->SetItemHeight(13);
    auto* bar = new TsuiScrollBar(form.get());
    bar->SetParent(form.get());
    list->SetVScrollBar(bar);
    list->Items()->BeginUpdate();
    for (int i = 0; i < 2000; ++i) list->Items()->Add("C:\\Movies\\clip " + std::to_string(i) + ".mpg");
    list->Items()->EndUpdate();
    auto step = [&](int i) {
        switch (i % 3) {
        case 0: SendMessageA(list->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0); break;
        case 1: bar->SetPosition(bar->Position() + 7); break;
        default:
            skinctl::SendMouse(*bar->DecButton(), WM_LBUTTONDOWN, 4, 4);
            skinctl::SendMouse(*bar->DecButton(), WM_LBUTTONUP, 4, 4);
            break;
        }
        UpdateWindow(form->Handle());
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    for (int i = 0; i < 30; ++i) step(i);  // every path ran once
    skinctl::Pump(20);
    const DWORD before = vltest::GdiObjects();
    ASSERT_GT(before, 0u);
    for (int i = 0; i < 1000; ++i) step(i);
    skinctl::Pump(20);
    EXPECT_GT(list->TopIndex(), 0);
    EXPECT_EQ(list->TopIndex(), bar->Position());
    EXPECT_LE(vltest::GdiObjects(), before);
}
