// TsuiTrackBar and TsuiScrollTrackBar: the position model, the slider's place, the position
// under a point, paging with its repeat (three pages a tick across, one down), dragging with
// the mouse captured, the keys and the dialog code.
#include <gtest/gtest.h>

#include <chrono>

#include "SkinControlsTestSupport.h"
#include "framework/GuiTestSupport.h"
#include "skin/controls/TrackBar.h"

using namespace vorlinde;

namespace {

// A scroll track with a plain slider of the given size.
TsuiScrollTrackBar* Track(vl::TForm& form, bool vertical, int width, int height, int sliderW, int sliderH) {
    auto* track = skinctl::Add<TsuiScrollTrackBar>(form, 10, 10, width, height);
    if (vertical) track->SetOrientation(TsuiProgressBarOrientation::suiVertical);
    track->SetMax(100);
    vl::TBitmap slider(sliderW, sliderH);
    track->SetSliderImage(slider);
    return track;
}

// Waits until the position moves away from `from` (a repeat tick), up to half a second.
int NextPosition(TsuiTrackBar& track, int from) {
    vltest::PumpUntil([&] { return track.Position() != from; }, 500);
    return track.Position();
}

}  // namespace

TEST(SkinTrackBar, ClampsThePositionAndReportsEachChange) {
    auto form = skinctl::ShowForm();
    auto* track = skinctl::Add<TsuiTrackBar>(*form, 10, 10, 150, 45);
    int changes = 0;
    track->OnChange = skinctl::Counter(changes);
    track->SetPosition(7);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(track->Delta(), 7);
    track->SetPosition(50);
    EXPECT_EQ(track->Position(), 10);
    EXPECT_EQ(track->Delta(), 3);
    track->SetPosition(10);  // no change: no report
    EXPECT_EQ(changes, 2);
    track->SetMax(4);  // the position follows
    EXPECT_EQ(track->Position(), 4);
    EXPECT_EQ(changes, 3);
    track->SetMin(8);  // never above Max
    EXPECT_EQ(track->Min(), 4);
    track->SetMax(1);  // never below Min
    EXPECT_EQ(track->Max(), 4);
    track->SetMin(-5);
    track->SetPosition(-9);
    EXPECT_EQ(track->Position(), -5);
    EXPECT_EQ(track->LastPosition(), -5);
}

TEST(SkinTrackBar, IgnoresPageAndLineSizesOutsideTheRange) {
    auto form = skinctl::ShowForm();
    auto* track = skinctl::Add<TsuiTrackBar>(*form, 10, 10, 150, 45);
    track->SetPageSize(11);
    EXPECT_EQ(track->PageSize(), 2);
    track->SetPageSize(-1);
    EXPECT_EQ(track->PageSize(), 2);
    track->SetPageSize(10);
    EXPECT_EQ(track->PageSize(), 10);
    track->SetLineSize(12);
    EXPECT_EQ(track->LineSize(), 1);
    track->SetLineSize(0);
    EXPECT_EQ(track->LineSize(), 0);
}

TEST(SkinTrackBar, PlacesTheSliderAlongTheTrack) {
    auto form = skinctl::ShowForm();
    TsuiScrollTrackBar* track = Track(*form, true, 16, 220, 12, 20);
    track->SetPosition(50);
    RECT r = track->SliderRect();
    EXPECT_EQ(r.left, 2);  // centred across
    EXPECT_EQ(r.top, 100);
    track->SetPosition(100);
    EXPECT_EQ(track->SliderRect().bottom, 220);
    // Min = Max: the slider stays at its start.
    track->SetMax(0);
    EXPECT_EQ(track->SliderRect().top, 0);
}

TEST(SkinTrackBar, ThePositionUnderAPointRoundsToEven) {
    auto form = skinctl::ShowForm();
    TsuiScrollTrackBar* track = Track(*form, true, 16, 120, 16, 20);  // room 100
    track->SetMax(50);
    EXPECT_EQ(track->PositionAt(POINT{0, 10}), 0);
    EXPECT_EQ(track->PositionAt(POINT{0, 11}), 0);  // 0.5
    EXPECT_EQ(track->PositionAt(POINT{0, 13}), 2);  // 1.5
    EXPECT_EQ(track->PositionAt(POINT{0, 110}), 50);
    // A slider as long as the track leaves no room: Min from any point.
    vl::TBitmap full(16, 120);
    track->SetSliderImage(full);
    EXPECT_EQ(track->PositionAt(POINT{0, 90}), 0);
}

TEST(SkinTrackBar, AHeldHorizontalTrackPagesThreePagesATick) {
    auto form = skinctl::ShowForm();
    TsuiScrollTrackBar* track = Track(*form, false, 360, 16, 20, 16);
    track->SetPageSize(5);
    const POINT beside = track->ClientToScreen(POINT{350, 8});
    SetCursorPos(beside.x, beside.y);
    skinctl::SendMouse(*track, WM_LBUTTONDOWN, 350, 8);
    EXPECT_EQ(track->Position(), 5);  // the press pages once
    EXPECT_TRUE(track->Paging());
    const int tick = NextPosition(*track, 5);
    skinctl::SendMouse(*track, WM_LBUTTONUP, 350, 8);
    EXPECT_EQ(tick, 20);
    EXPECT_FALSE(track->Paging());
    skinctl::MoveMouseAway();
}

TEST(SkinTrackBar, AHeldVerticalTrackPagesOnePageATick) {
    auto form = skinctl::ShowForm();
    TsuiScrollTrackBar* track = Track(*form, true, 16, 240, 16, 20);
    track->SetPageSize(5);
    const POINT beside = track->ClientToScreen(POINT{8, 230});
    SetCursorPos(beside.x, beside.y);
    skinctl::SendMouse(*track, WM_LBUTTONDOWN, 8, 230);
    EXPECT_EQ(track->Position(), 5);
    const int tick = NextPosition(*track, 5);
    skinctl::SendMouse(*track, WM_LBUTTONUP, 8, 230);
    EXPECT_EQ(tick, 10);
    skinctl::MoveMouseAway();
}

TEST(SkinTrackBar, PagingStopsWithTheSliderUnderThePointer) {
    auto form = skinctl::ShowForm();
    TsuiScrollTrackBar* track = Track(*form, true, 16, 220, 16, 20);  // room 200
    track->SetPageSize(30);  // 30, then 50 (not 60): the position under the pointer
    const POINT at = track->ClientToScreen(POINT{8, 110});
    SetCursorPos(at.x, at.y);
    skinctl::SendMouse(*track, WM_LBUTTONDOWN, 8, 110);
    EXPECT_EQ(track->Position(), 30);
    vltest::PumpUntil([&] { return track->Position() != 30; }, 500);
    skinctl::Pump(250);  // more ticks: it stays
    skinctl::SendMouse(*track, WM_LBUTTONUP, 8, 110);
    EXPECT_EQ(track->Position(), 50);
    const RECT r = track->SliderRect();
    EXPECT_EQ((r.top + r.bottom) / 2, 110);
    skinctl::MoveMouseAway();
}

TEST(SkinTrackBar, PagingEndsWhenThePointerLeavesTheTrack) {
    auto form = skinctl::ShowForm();
    TsuiScrollTrackBar* track = Track(*form, true, 16, 220, 16, 20);
    skinctl::SendMouse(*track, WM_LBUTTONDOWN, 8, 200);
    ASSERT_TRUE(track->Paging());
    EXPECT_EQ(GetCapture(), track->Handle());
    skinctl::SendMouse(*track, WM_MOUSEMOVE, 100, 200);
    EXPECT_FALSE(track->Paging());
    skinctl::SendMouse(*track, WM_LBUTTONUP, 100, 200);
    EXPECT_NE(GetCapture(), track->Handle());
}

TEST(SkinTrackBar, DraggingTheSliderCapturesTheMouseAndKeepsTheGrabPoint) {
    auto form = skinctl::ShowForm();
    TsuiScrollTrackBar* track = Track(*form, true, 16, 220, 16, 20);  // room 200, Max 100
    int downs = 0, changes = 0;
    track->OnMouseDown = [&](vl::TObject*, vl::TMouseButton, vl::TShiftState, int, int) { ++downs; };
    track->OnChange = skinctl::Counter(changes);
    skinctl::SendMouse(*track, WM_LBUTTONDOWN, 8, 4);  // near the slider's top
    EXPECT_TRUE(track->Dragging());
    EXPECT_EQ(GetCapture(), track->Handle());
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(track->Position(), 0);  // taking hold moves nothing
    skinctl::SendMouse(*track, WM_MOUSEMOVE, 8, 104);
    EXPECT_EQ(track->Position(), 50);
    EXPECT_EQ(track->SliderRect().top, 100);
    skinctl::SendMouse(*track, WM_MOUSEMOVE, 8, 900);  // beyond the end: clamped
    EXPECT_EQ(track->Position(), 100);
    EXPECT_EQ(changes, 2);
    skinctl::SendMouse(*track, WM_LBUTTONUP, 8, 900);
    EXPECT_FALSE(track->Dragging());
    EXPECT_NE(GetCapture(), track->Handle());
}

TEST(SkinTrackBar, KeysMoveThePosition) {
    auto form = skinctl::ShowForm();
    auto* track = skinctl::Add<TsuiTrackBar>(*form, 10, 10, 150, 45);
    track->SetMax(20);
    track->SetPageSize(5);
    track->SetLineSize(2);
    track->SetFocus();
    skinctl::SendKey(*track, WM_KEYDOWN, VK_NEXT);
    EXPECT_EQ(track->Position(), 5);
    skinctl::SendKey(*track, WM_KEYDOWN, VK_RIGHT);
    EXPECT_EQ(track->Position(), 7);
    skinctl::SendKey(*track, WM_KEYDOWN, VK_UP);
    EXPECT_EQ(track->Position(), 5);
    skinctl::SendKey(*track, WM_KEYDOWN, VK_END);
    EXPECT_EQ(track->Position(), 20);
    skinctl::SendKey(*track, WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(track->Position(), 20);
    skinctl::SendKey(*track, WM_KEYDOWN, VK_PRIOR);
    EXPECT_EQ(track->Position(), 15);
    skinctl::SendKey(*track, WM_KEYDOWN, VK_HOME);
    EXPECT_EQ(track->Position(), 0);
    EXPECT_EQ(SendMessageA(track->Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

TEST(SkinTrackBar, ATrackBarShowsItsStylesSliderAndAScrollTrackNone) {
    auto form = skinctl::ShowForm();
    auto* own = skinctl::Add<TsuiTrackBar>(*form, 10, 10, 150, 45);
    own->SetUIStyle(TsuiUIStyle::Protein);
    EXPECT_EQ(own->SliderImage().Width(), 11);
    EXPECT_EQ(own->SliderImage().Height(), 20);
    EXPECT_FALSE(own->BarImage()->Empty());
    own->SetOrientation(TsuiProgressBarOrientation::suiVertical);
    EXPECT_EQ(own->SliderImage().Width(), 18);
    auto* scroll = skinctl::Add<TsuiScrollTrackBar>(*form, 10, 60, 150, 16);
    EXPECT_TRUE(scroll->SliderImage().Empty());
    EXPECT_TRUE(scroll->BarImage()->Empty());
}
