#include "skin/controls/TrackBar.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "framework/Canvas.h"
#include "framework/ClassBuilder.h"
#include "framework/GdiOwners.h"
#include "framework/Graphics.h"
#include "skin/FileTheme.h"
#include "skin/controls/SkinPaint.h"

namespace vorlinde {

namespace {
// The paging repeat: a timer of the track's own window.
constexpr UINT_PTR kPageTimer = 1;
constexpr UINT kPageInterval = 100;
}  // namespace

const vl::TClassInfo& TsuiTrackBar::StaticClass() {
    using T = TsuiTrackBar;
    static const vl::TClassInfo info = vl::TClassBuilder<T>("TsuiTrackBar", &TsuiCustomPanel::StaticClass())
                                           .Creatable()
                                           .Prop("UIStyle", &T::SetUIStyle, &T::UIStyle)
                                           .Reference("FileTheme", &T::SetFileTheme, &T::FileTheme)
                                           .Prop("Orientation", &T::SetOrientation, &T::Orientation)
                                           .Prop("Min", &T::SetMin, &T::Min)
                                           .Prop("Max", &T::SetMax, &T::Max)
                                           .Prop("Position", &T::SetPosition, &T::Position)
                                           .Prop("PageSize", &T::SetPageSize, &T::PageSize)
                                           .Prop("LineSize", &T::SetLineSize, &T::LineSize)
                                           .Prop("Frequency", &T::SetFrequency, &T::Frequency)
                                           .Prop("ShowTick", &T::SetShowTick, &T::ShowTick)
                                           .Event("OnChange", &T::OnChange)
                                           .Build();
    return info;
}

TsuiTrackBar::TsuiTrackBar(vl::TComponent* owner)
    : TsuiCustomPanel(owner), uiStyle_(GetFormUIStyle(owner)), fileTheme_(*this) {
    SetBevelOuter(vl::TBevelCut::None);
    SetBounds(0, 0, 150, 45);
    SetParentColor(true);
    SetTabStop(true);
    UpdateSkin();
}

TsuiTrackBar::~TsuiTrackBar() {
    if (HandleAllocated()) KillTimer(Handle(), kPageTimer);
}

void TsuiTrackBar::CreateParams(vl::TCreateParams& params) {
    TsuiCustomPanel::CreateParams(params);
    params.classStyle = 0;  // a quick second press pages again instead of double-clicking
}

// ------------------------------------------------------------------------------- the model

void TsuiTrackBar::SetMin(int v) {
    if (v == min_) return;
    min_ = std::min(v, max_);
    position_ = std::max(position_, min_);
    Changed();
}

void TsuiTrackBar::SetMax(int v) {
    if (v == max_) return;
    max_ = std::max(v, min_);
    position_ = std::min(position_, max_);
    Changed();
}

void TsuiTrackBar::SetPosition(int v) {
    position_ = std::clamp(v, min_, max_);
    Changed();
}

void TsuiTrackBar::SetPageSize(int v) {
    if (v >= 0 && v <= max_) pageSize_ = v;
}

void TsuiTrackBar::SetLineSize(int v) {
    if (v >= 0 && v <= max_) lineSize_ = v;
}

void TsuiTrackBar::SetFrequency(int v) {
    frequency_ = v;
    Invalidate();
}

void TsuiTrackBar::SetShowTick(bool on) {
    showTick_ = on;
    Invalidate();
}

void TsuiTrackBar::SetOrientation(TsuiProgressBarOrientation o) {
    if (o == orientation_) return;
    orientation_ = o;
    UpdateSkin();
    Changed();
}

void TsuiTrackBar::Changed() {
    Invalidate();
    ReportChange();
}

void TsuiTrackBar::ReportChange() {
    if (position_ == lastPosition_) return;
    delta_ = position_ - lastPosition_;
    lastPosition_ = position_;
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------------- the look

void TsuiTrackBar::SetUIStyle(TsuiUIStyle style) {
    uiStyle_ = style;
    UpdateSkin();
}

void TsuiTrackBar::SetFileTheme(TsuiFileTheme* theme) {
    fileTheme_.Set(theme);
    SetUIStyle(uiStyle_);
}

void TsuiTrackBar::Notification(vl::TComponent* component, vl::TOperation operation) {
    TsuiCustomPanel::Notification(component, operation);
    if (operation == vl::TOperation::Remove && fileTheme_.Forget(component)) SetUIStyle(TsuiUIStyle::DeepBlue);
}

void TsuiTrackBar::UpdateSkin() {
    if (SkinSuppressed()) {
        barImage_.Bitmap()->Clear();
        Invalidate();
        return;
    }
    vl::TBitmap bar, slider;
    ThemeBitmap(fileTheme_.Get(), uiStyle_, ThemeItem::TrackBarBarImage, bar);
    ThemeBitmap(fileTheme_.Get(), uiStyle_, Vertical() ? ThemeItem::TrackBarSliderVImage : ThemeItem::TrackBarSliderImage,
                slider);
    barImage_.Bitmap()->Assign(bar);
    SetSliderImage(slider);
}

// Every look's slider leaves out the skin key colour: MacOS's rounded one has it in its
// corners, and so may a theme file's; a slider without it shows whole.
bool TsuiTrackBar::SliderTransparent() const { return true; }

void TsuiTrackBar::SetSliderImage(const vl::TBitmap& picture) {
    if (picture.Empty()) slider_.Clear();
    else slider_.Assign(picture);
    Invalidate();
}

// --------------------------------------------------------------------------------- geometry

RECT TsuiTrackBar::SliderRect() const {
    const int sw = slider_.Width(), sh = slider_.Height();
    const int w = Width(), h = Height();
    // 64-bit products: a long list's range times a track length may pass 2^31.
    const int64_t range = static_cast<int64_t>(max_) - min_;
    const int64_t offset = static_cast<int64_t>(position_) - min_;
    int x, y;
    if (Vertical()) {
        x = std::max(w - sw, 0) / 2;
        y = range == 0 ? 0 : static_cast<int>(offset * (h - sh) / range);
    } else {
        y = std::max(h - sh, 0) / 2;
        x = range == 0 ? 0 : static_cast<int>(offset * (w - sw) / range);
    }
    return RECT{x, y, x + sw, y + sh};
}

int TsuiTrackBar::PositionAt(POINT p) const {
    const int along = Vertical() ? p.y : p.x;
    const int sliderLength = Vertical() ? slider_.Height() : slider_.Width();
    const int room = (Vertical() ? Height() : Width()) - sliderLength;
    if (room <= 0) return min_;
    const double value = static_cast<double>(along - sliderLength / 2) * (static_cast<double>(max_) - min_) / room;
    return min_ + static_cast<int>(std::nearbyint(value));  // to nearest, ties to even
}

void TsuiTrackBar::Resized() {
    TsuiCustomPanel::Resized();
    Invalidate();
}

// ------------------------------------------------------------------------------ mouse, keys

void TsuiTrackBar::PageTowards(POINT p, int pages) {
    const RECT slider = SliderRect();
    const int sliderAt = Vertical() ? slider.top : slider.left;
    const int pointer = Vertical() ? p.y : p.x;
    const int step = pages * pageSize_;
    if (sliderAt < pointer) SetPosition(std::min(position_ + step, PositionAt(p)));
    else if (sliderAt > pointer) SetPosition(std::max(position_ - step, PositionAt(p)));
}

void TsuiTrackBar::PressAt(POINT p) {
    const RECT slider = SliderRect();
    if (PtInRect(&slider, p)) {
        dragging_ = true;
        grabOffset_ = Vertical() ? p.y - slider.top : p.x - slider.left;
    } else {
        PageTowards(p, 1);
        if (!paging_) {
            paging_ = true;
            SetTimer(Handle(), kPageTimer, kPageInterval, nullptr);
        }
    }
    if (CanFocus() && Enabled()) SetFocus();
    // Moves and the release reach the track wherever the pointer goes, so that neither a drag
    // nor the paging outlives the press.
    SetCapture(Handle());
}

void TsuiTrackBar::DragTo(POINT p) {
    // The point the drag took hold of stays under the pointer.
    const int sliderLength = Vertical() ? slider_.Height() : slider_.Width();
    const int shift = sliderLength / 2 - grabOffset_;
    if (Vertical()) p.y += shift;
    else p.x += shift;
    const int v = std::clamp(PositionAt(p), min_, max_);
    if (v == position_) return;
    position_ = v;
    Invalidate();
    ReportChange();
}

void TsuiTrackBar::StopPaging() {
    if (!paging_) return;
    paging_ = false;
    if (HandleAllocated()) KillTimer(Handle(), kPageTimer);
}

void TsuiTrackBar::EndPress() {
    StopPaging();
    dragging_ = false;
    if (HandleAllocated() && GetCapture() == Handle()) {
        releasing_ = true;
        ReleaseCapture();
        releasing_ = false;
    }
}

bool TsuiTrackBar::HandleKey(WPARAM key) {
    switch (key) {
    case VK_PRIOR: SetPosition(position_ - pageSize_); return true;
    case VK_NEXT: SetPosition(position_ + pageSize_); return true;
    case VK_END: SetPosition(max_); return true;
    case VK_HOME: SetPosition(min_); return true;
    case VK_LEFT:
    case VK_UP: SetPosition(position_ - lineSize_); return true;
    case VK_RIGHT:
    case VK_DOWN: SetPosition(position_ + lineSize_); return true;
    default: return false;
    }
}

void TsuiTrackBar::WndProc(vl::TMessage& msg) {
    switch (msg.msg) {
    case WM_GETDLGCODE:
        msg.result = DLGC_WANTARROWS;
        return;
    case WM_LBUTTONDOWN:
        PressAt(POINT{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)});
        break;  // then OnMouseDown, in the track's coordinates
    case WM_MOUSEMOVE: {
        const POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
        if (dragging_) {
            DragTo(p);
        } else if (paging_) {
            const RECT client = ClientRect();
            if (!PtInRect(&client, p)) StopPaging();
        }
        break;
    }
    case WM_LBUTTONUP:
        EndPress();
        break;
    case WM_CAPTURECHANGED:
        // Something else took the mouse (a menu, a message box): the press is over.
        if (!releasing_) {
            StopPaging();
            dragging_ = false;
        }
        break;
    case WM_TIMER:
        if (msg.wParam != kPageTimer) break;
        if (paging_) {
            POINT p;
            GetCursorPos(&p);
            PageTowards(ScreenToClient(p), Vertical() ? 1 : 3);
        }
        return;
    case WM_KEYDOWN: {
        const WPARAM key = msg.wParam;
        TsuiCustomPanel::WndProc(msg);  // OnKeyDown and the form's key preview first
        if (msg.wParam) HandleKey(key);
        return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        break;
    default:
        break;
    }
    TsuiCustomPanel::WndProc(msg);
}

// --------------------------------------------------------------------------------- painting

void TsuiTrackBar::Paint(HDC dc, const RECT&) {
    const RECT client = ClientRect();
    vl::TBufferedPaint buffer(dc, client);
    if (buffer.Empty()) return;
    {
        if (Transparent()) PaintParentBackground(buffer.DC());
        else vl::FillSolidRect(buffer.DC(), client, vl::ColorToRGB(Color()));
        vl::TCanvas canvas(buffer.DC());
        vl::TBitmap* bar = barImage_.Bitmap();
        if (!bar->Empty()) {
            // The bar runs between the slider's centres at both ends, across the middle.
            const int half = (Vertical() ? slider_.Height() : slider_.Width()) / 2;
            RECT r;
            if (Vertical()) {
                const int x = (client.right - bar->Height()) / 2;
                r = RECT{x, half, x + bar->Height(), client.bottom - half};
            } else {
                const int y = (client.bottom - bar->Height()) / 2;
                r = RECT{half, y, client.right - half, y + bar->Height()};
            }
            canvas.StretchDraw(r, *bar);
        }
        if (showTick_) PaintTicks(buffer.DC());
        if (!slider_.Empty()) {
            const RECT s = SliderRect();
            slider_.SetTransparent(SliderTransparent());
            slider_.SetTransparentColor(kSkinKeyColor);
            canvas.Draw(s.left, s.top, slider_);
        }
        if (Focused() && TabStop()) DrawFocusRect(buffer.DC(), &client);
    }
    buffer.Commit();
}

void TsuiTrackBar::PaintTicks(HDC dc) {
    if (frequency_ <= 0 || max_ <= min_) return;
    const int length = Vertical() ? Height() : Width();
    const int sliderLength = Vertical() ? slider_.Height() : slider_.Width();
    const int64_t range = static_cast<int64_t>(max_) - min_;
    // Ticks closer than three pixels would only grey the edge.
    if (range / frequency_ > length / 3) return;
    const COLORREF ink = vl::ColorToRGB(vl::clBtnShadow);
    for (int64_t v = 0; v <= range; v += frequency_) {
        const int at = sliderLength / 2 + static_cast<int>(v * (length - sliderLength) / range);
        const RECT tick = Vertical() ? RECT{Width() - 4, at, Width() - 1, at + 1}
                                     : RECT{at, Height() - 4, at + 1, Height() - 1};
        vl::FillSolidRect(dc, tick, ink);
    }
}

// -------------------------------------------------------------------------- TsuiScrollTrackBar

const vl::TClassInfo& TsuiScrollTrackBar::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiScrollTrackBar>("TsuiScrollTrackBar", &TsuiTrackBar::StaticClass()).Build();
    return info;
}

TsuiScrollTrackBar::TsuiScrollTrackBar(vl::TComponent* owner) : TsuiTrackBar(owner) {
    // The base loaded the track bar's own look before this class's answers counted.
    UpdateSkin();
    SetSliderImage(vl::TBitmap());
}

}  // namespace vorlinde
