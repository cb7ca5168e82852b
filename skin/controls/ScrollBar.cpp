#include "skin/controls/ScrollBar.h"

#include <algorithm>

#include "framework/Canvas.h"
#include "framework/ClassBuilder.h"
#include "framework/IgnoredProperty.h"
#include "skin/FileTheme.h"
#include "skin/controls/BitmapRotation.h"
#include "skin/controls/ImageButton.h"

namespace vorlinde {

namespace {
// The shortest thumb a LineButton gives: short enough thumbs could not be grabbed.
constexpr int kMinThumbLength = 18;
// The arrow strip holds the decreasing arrow's normal, hover and pressed images, then the
// increasing arrow's; the thumb strip its head, middle and tail.
constexpr int kArrowImages = 6;
constexpr int kThumbImages = 3;
}  // namespace

const vl::TClassInfo& TsuiScrollBar::StaticClass() {
    using S = TsuiScrollBar;
    static const vl::TClassInfo info = vl::TClassBuilder<S>("TsuiScrollBar", &TsuiCustomPanel::StaticClass())
                                           .Creatable()
                                           .Reference("FileTheme", &S::SetFileTheme, &S::FileTheme)
                                           .Prop("LineButton", &S::SetLineButton, &S::LineButton)
                                           .Prop("Orientation", &S::SetOrientation, &S::Orientation)
                                           .Prop("UIStyle", &S::SetUIStyle, &S::UIStyle)
                                           .Prop("Max", &S::SetMax, &S::Max)
                                           .Prop("Min", &S::SetMin, &S::Min)
                                           .Prop("Position", &S::SetPosition, &S::Position)
                                           .Prop("SmallChange", &S::SetSmallChange, &S::SmallChange)
                                           .Prop("LargeChange", &S::SetLargeChange, &S::LargeChange)
                                           .Prop("PageSize", &S::SetPageSize, &S::PageSize)
                                           .Event("OnChange", &S::OnChange)
                                           .Custom("PopupMenu", vl::IgnoreProperty<S>)
                                           .Build();
    return info;
}

TsuiScrollBar::TsuiScrollBar(vl::TComponent* owner) : TsuiCustomPanel(owner), fileTheme_(*this) {
    SetBevelOuter(vl::TBevelCut::None);
    SetBevelInner(vl::TBevelCut::None);
    // The parts are owned by the bar and live inside it.
    track_ = new TsuiScrollTrackBar(this);
    track_->SetParent(this);
    track_->SetShowTick(false);
    track_->SetTabStop(false);
    track_->SetTransparent(false);
    track_->SetMax(100);
    track_->OnChange = [this](vl::TObject*) {
        if (OnChange) OnChange(this);
    };
    auto makeArrow = [this](int direction) {
        auto* arrow = new TsuiImageButton(this);
        arrow->SetParent(this);
        arrow->SetMouseContinuouslyDownInterval(100);
        arrow->SetTabStop(false);
        // One step at the press, then one every interval while the arrow is held.
        arrow->OnMouseDown = [this, direction](vl::TObject*, vl::TMouseButton button, vl::TShiftState, int, int) {
            if (button == vl::TMouseButton::Left) Step(direction);
        };
        arrow->OnMouseContinuouslyDown = [this, direction](vl::TObject*) { Step(direction); };
        return arrow;
    };
    incButton_ = makeArrow(+1);
    decButton_ = makeArrow(-1);
    SetBounds(0, 0, Width(), 185);
    SetUIStyle(GetFormUIStyle(owner));
    ArrangeParts();
}

TsuiScrollBar::~TsuiScrollBar() {
    // The parts go with the bar's components; nothing may report to the bar meanwhile.
    if (track_) track_->OnChange = nullptr;
}

// ------------------------------------------------------------------------------ properties

void TsuiScrollBar::SetOrientation(TsuiProgressBarOrientation o) {
    if (o == orientation_) return;
    orientation_ = o;
    LoadSkin();
    ArrangeParts();
}

void TsuiScrollBar::SetUIStyle(TsuiUIStyle style) {
    uiStyle_ = style;
    track_->SetColor(Color());
    LoadSkin();
    ArrangeParts();
}

void TsuiScrollBar::SetFileTheme(TsuiFileTheme* theme) {
    fileTheme_.Set(theme);
    SetUIStyle(uiStyle_);
}

void TsuiScrollBar::Notification(vl::TComponent* component, vl::TOperation operation) {
    TsuiCustomPanel::Notification(component, operation);
    if (operation != vl::TOperation::Remove) return;
    if (component == track_) track_ = nullptr;
    if (component == incButton_) incButton_ = nullptr;
    if (component == decButton_) decButton_ = nullptr;
    if (fileTheme_.Forget(component) && !Destroying()) SetUIStyle(TsuiUIStyle::DeepBlue);
}

int TsuiScrollBar::Min() const { return track_->Min(); }
void TsuiScrollBar::SetMin(int v) { track_->SetMin(v); }
int TsuiScrollBar::Max() const { return track_->Max(); }
void TsuiScrollBar::SetMax(int v) { track_->SetMax(v); }
int TsuiScrollBar::Position() const { return track_->Position(); }

void TsuiScrollBar::SetPosition(int v) {
    if (v != track_->Position()) track_->SetPosition(v);
}

int TsuiScrollBar::PageSize() const { return track_->PageSize(); }

void TsuiScrollBar::SetPageSize(int v) {
    track_->SetPageSize(v);
    BuildThumb();
}

void TsuiScrollBar::SetLineButton(int v) {
    // The thumb stores a short length raised to the minimum: asking for that length again
    // changes nothing (a list box asks at every step).
    if ((v > 0 ? std::max(v, kMinThumbLength) : v) == lineButton_) return;
    const int length = Vertical() ? Height() : Width();
    const int arrows = Vertical() ? incButton_->Height() + decButton_->Height() : incButton_->Width() + decButton_->Width();
    if (v > length - arrows) return;
    lineButton_ = v;
    BuildThumb();
}

int TsuiScrollBar::ThumbLength() const {
    const vl::TBitmap& thumb = track_->SliderImage();
    return Vertical() ? thumb.Height() : thumb.Width();
}

void TsuiScrollBar::Step(int direction) { track_->SetPosition(track_->Position() + direction * smallChange_); }

// -------------------------------------------------------------------------- look and layout

void TsuiScrollBar::LoadSkin() {
    track_->BarImage()->Bitmap()->Clear();
    SetColor(ThemeColor(fileTheme_.Get(), uiStyle_, ThemeItem::ScrollBarBackgroundColor));

    TsuiStripImages thumb;
    thumb.Load(fileTheme_.Get(), uiStyle_, ThemeItem::ScrollBarSliderImage, kThumbImages);
    vl::TBitmap* parts[kThumbImages] = {&thumbHead_, &thumbMiddle_, &thumbTail_};
    for (int k = 0; k < kThumbImages; ++k) {
        if (const vl::TBitmap* image = thumb.Image(k + 1)) parts[k]->Assign(*image);
        else parts[k]->Clear();
        // Stored lying down, the head at the left: a vertical bar stands it up, head on top.
        if (Vertical()) RotateQuarterTurn(*parts[k], true);
    }

    TsuiStripImages arrows;
    arrows.Load(fileTheme_.Get(), uiStyle_, ThemeItem::ScrollBarButtonImage, kArrowImages);
    auto arrowPicture = [&](int index, vl::TPicture* picture) {
        vl::TBitmap image;
        if (const vl::TBitmap* stored = arrows.Image(index)) image.Assign(*stored);
        // Stored pointing up and down: a horizontal bar turns them to point left and right.
        if (!Vertical()) RotateQuarterTurn(image, false);
        picture->Assign(image);
    };
    arrowPicture(1, decButton_->PicNormal());
    arrowPicture(2, decButton_->PicMouseOn());
    arrowPicture(3, decButton_->PicMouseDown());
    arrowPicture(4, incButton_->PicNormal());
    arrowPicture(5, incButton_->PicMouseOn());
    arrowPicture(6, incButton_->PicMouseDown());
    decButton_->SetAutoSize(true);
    incButton_->SetAutoSize(true);
    Invalidate();
}

void TsuiScrollBar::ArrangeParts() {
    if (arranging_ || !track_ || !incButton_ || !decButton_) return;
    arranging_ = true;
    track_->SetOrientation(orientation_);
    const int w = Width(), h = Height();
    if (w == 0 || h == 0) {
        if (Visible()) {
            Hide();
            hiddenBySize_ = true;
        }
        arranging_ = false;
        return;
    }
    // A bar that hid itself for want of room comes back once it has some.
    if (hiddenBySize_) {
        hiddenBySize_ = false;
        Show();
    }
    decButton_->SetBounds(0, 0, decButton_->Width(), decButton_->Height());
    if (Vertical()) {
        const int across = decButton_->Width();
        track_->SetBounds(0, decButton_->Height(), across, h - incButton_->Height() - decButton_->Height() - 1);
        incButton_->SetBounds(0, h - incButton_->Height(), incButton_->Width(), incButton_->Height());
        SetBounds(Left(), Top(), across, h);
    } else {
        const int across = decButton_->Height();
        track_->SetBounds(decButton_->Width(), 0, w - incButton_->Width() - decButton_->Width(), across);
        incButton_->SetBounds(w - incButton_->Width(), 0, incButton_->Width(), incButton_->Height());
        SetBounds(Left(), Top(), w, across);
    }
    arranging_ = false;
    BuildThumb();
}

void TsuiScrollBar::BuildThumb() {
    if (!track_) return;
    const int trackLength = Vertical() ? track_->Height() : track_->Width();
    int length;
    if (lineButton_ > 0) {
        lineButton_ = std::max(lineButton_, kMinThumbLength);
        length = lineButton_;
    } else {
        int p = track_->PageSize();
        if (p < 10 || p > 100) p = 10;
        if (trackLength <= 0) return;
        length = p * trackLength / 100;
    }
    // A thumb longer than its track could not move and would hide the arrows' ends.
    if (trackLength > 0) length = std::min(length, trackLength);
    const vl::TBitmap& head = thumbHead_;
    const vl::TBitmap& tail = thumbTail_;
    vl::TBitmap thumb;
    if (Vertical()) thumb.SetSize(head.Empty() ? track_->Width() : head.Width(), length);
    else thumb.SetSize(length, head.Empty() ? track_->Height() : head.Height());
    if (!thumb.Empty()) {
        vl::TCanvas& canvas = thumb.Canvas();
        canvas.Draw(0, 0, thumbHead_);
        RECT middle;
        if (Vertical()) {
            middle = RECT{0, head.Height(), thumb.Width(), length - tail.Height()};
            canvas.Draw(0, middle.bottom, thumbTail_);
        } else {
            middle = RECT{head.Width(), 0, length - tail.Width(), thumb.Height()};
            canvas.Draw(middle.right, 0, thumbTail_);
        }
        if (!thumbMiddle_.Empty() && middle.right > middle.left && middle.bottom > middle.top)
            canvas.StretchDraw(middle, thumbMiddle_);
    }
    track_->SetSliderImage(thumb);
}

void TsuiScrollBar::Resized() {
    TsuiCustomPanel::Resized();
    ArrangeParts();
}

void TsuiScrollBar::ColorChanged() {
    TsuiCustomPanel::ColorChanged();
    if (track_) track_->SetColor(Color());
}

void TsuiScrollBar::WndProc(vl::TMessage& msg) {
    if (msg.msg == WM_ERASEBKGND) {
        msg.result = 1;  // the parts cover the bar
        return;
    }
    TsuiCustomPanel::WndProc(msg);
}

}  // namespace vorlinde
