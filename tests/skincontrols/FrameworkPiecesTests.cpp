// The framework pieces the skinned controls stand on: TCustomControl's clicks from a captured
// press, the form offering Enter and Escape to its controls, a parent painting itself under a
// see-through child, and TBufferedPaint keeping to what the target's clipping lets show.
#include <gtest/gtest.h>

#include "SkinControlsTestSupport.h"
#include "framework/CustomControl.h"
#include "framework/Edit.h"
#include "framework/GdiOwners.h"

using skinctl::Px;

namespace {

class TClickCounter : public vl::TCustomControl {
public:
    using vl::TCustomControl::TCustomControl;
    int clicks = 0;
    int cancelled = 0;
    void Click() override { ++clicks; }

protected:
    void PressCancelled() override { ++cancelled; }
};

// Answers the dialog keys it is offered, and records them.
class TKeyTaker : public vl::TCustomControl {
public:
    using vl::TCustomControl::TCustomControl;
    WORD key = 0;
    vl::TShiftState shift = 0;
    bool DialogKeyPressed(WORD k, vl::TShiftState s) override {
        key = k;
        shift = s;
        return true;
    }
};

// Paints its client area in one colour, so that a child's background shows where it came from.
class TColouredParent : public vl::TCustomControl {
public:
    using vl::TCustomControl::TCustomControl;

protected:
    void Paint(HDC dc, const RECT&) override {
        vl::FillSolidRect(dc, ClientRect(), RGB(10, 200, 30));
        SelectObject(dc, GetStockObject(WHITE_PEN));  // left behind on purpose
    }
};

}  // namespace

TEST(TCustomControlClick, ReleaseInsideClicksAndOutsideDoesNot) {
    auto form = skinctl::ShowForm();
    auto* control = skinctl::Add<TClickCounter>(*form, 10, 10, 50, 20);
    skinctl::SendMouse(*control, WM_LBUTTONDOWN, 5, 5);
    EXPECT_TRUE(control->Pressed());
    EXPECT_EQ(GetCapture(), control->Handle());
    skinctl::SendMouse(*control, WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(control->clicks, 1);
    EXPECT_FALSE(control->Pressed());
    EXPECT_EQ(GetCapture(), nullptr);
    skinctl::SendMouse(*control, WM_LBUTTONDOWN, 5, 5);
    skinctl::SendMouse(*control, WM_LBUTTONUP, 70, 5);
    EXPECT_EQ(control->clicks, 1);
    skinctl::SendMouse(*control, WM_LBUTTONUP, 5, 5);  // no press: no click
    EXPECT_EQ(control->clicks, 1);
    EXPECT_EQ(control->cancelled, 0);
}

TEST(TCustomControlClick, LosingTheCaptureCancelsThePress) {
    auto form = skinctl::ShowForm();
    auto* control = skinctl::Add<TClickCounter>(*form, 10, 10, 50, 20);
    skinctl::SendMouse(*control, WM_LBUTTONDOWN, 5, 5);
    SetCapture(form->Handle());
    EXPECT_EQ(control->cancelled, 1);
    EXPECT_FALSE(control->Pressed());
    ReleaseCapture();
    skinctl::SendMouse(*control, WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(control->clicks, 0);
}

TEST(FormDialogKeys, EnterAndEscapeAreOfferedWithTheModifierKeys) {
    auto form = skinctl::ShowForm();
    auto* edit = skinctl::Add<vl::TEdit>(*form, 10, 40, 80, 21);
    auto* taker = skinctl::Add<TKeyTaker>(*form, 10, 10, 50, 20);
    edit->SetFocus();
    skinctl::PressKeyInLoop(VK_ESCAPE);
    EXPECT_EQ(taker->key, VK_ESCAPE);
    EXPECT_EQ(taker->shift, 0u);
    {
        skinctl::HeldKeys ctrl{VK_CONTROL};
        skinctl::PressKeyInLoop(VK_RETURN);
    }
    EXPECT_EQ(taker->key, VK_RETURN);
    EXPECT_EQ(taker->shift, vl::ssCtrl);
    taker->key = 0;
    taker->SetEnabled(false);  // disabled controls are not asked
    skinctl::PressKeyInLoop(VK_RETURN);
    EXPECT_EQ(taker->key, 0);
}

TEST(ParentBackground, ChildGetsTheParentsPixelsUnderItAndTheContextBack) {
    auto form = skinctl::ShowForm();
    auto* parent = skinctl::Add<TColouredParent>(*form, 10, 10, 200, 100);
    auto* child = skinctl::Add<TClickCounter>(*form, 30, 20, 40, 30, parent);
    vl::TBitmap picture(40, 30);
    HDC dc = picture.Canvas().Handle();
    const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    child->PaintParentBackground(dc);
    EXPECT_EQ(Px(picture, 0, 0), static_cast<uint32_t>(RGB(10, 200, 30)));
    EXPECT_EQ(Px(picture, 39, 29), static_cast<uint32_t>(RGB(10, 200, 30)));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    POINT after{};
    GetViewportOrgEx(dc, &after);
    EXPECT_EQ(after.x, origin.x);
    EXPECT_EQ(after.y, origin.y);
}

TEST(BufferedPaintClip, CoversOnlyWhatTheTargetsClippingShows) {
    vl::TBitmap target(100, 100);
    HDC dc = target.Canvas().Handle();
    vl::FillSolidRect(dc, RECT{0, 0, 100, 100}, RGB(255, 255, 255));
    IntersectClipRect(dc, 20, 30, 50, 60);
    {
        vl::TBufferedPaint buffer(dc, RECT{0, 0, 100, 100});
        EXPECT_EQ(buffer.Rect().left, 20);
        EXPECT_EQ(buffer.Rect().top, 30);
        EXPECT_EQ(buffer.Rect().right, 50);
        EXPECT_EQ(buffer.Rect().bottom, 60);
        vl::FillSolidRect(buffer.DC(), RECT{0, 0, 100, 100}, RGB(0, 0, 255));
        buffer.Commit();
    }
    SelectClipRgn(dc, nullptr);
    EXPECT_EQ(Px(target, 25, 35), 0xFF0000u);  // blue inside the clipping
    EXPECT_EQ(Px(target, 10, 10), 0xFFFFFFu);  // untouched outside it
    IntersectClipRect(dc, 0, 0, 0, 0);
    EXPECT_TRUE(vl::TBufferedPaint(dc, RECT{0, 0, 100, 100}).Empty());
    SelectClipRgn(dc, nullptr);
}
