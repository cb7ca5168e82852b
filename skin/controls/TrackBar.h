#pragma once
// TsuiTrackBar: a slider on a track that stands for a position between Min and Max. A press
// beside the slider pages towards the pointer (again every 100 ms while held), a press on it
// drags it; Page Up/Down, Home, End and the arrow keys move it. OnChange reports every change
// of Position, however made.
//
// The slider is drawn by the track into the track's one off-screen bitmap (SliderRect tells
// where): no window of its own to move at every step, and no press to hand over from it.
//
// TsuiScrollTrackBar is the track inside a TsuiScrollBar: it never loads the track bar's own
// bar and slider images; the scroll bar gives it its thumb.
#include <windows.h>

#include <cstdint>

#include "framework/Bitmap.h"
#include "framework/Picture.h"
#include "skin/UIStyle.h"
#include "skin/controls/CustomPanel.h"
#include "skin/controls/ThemeLook.h"

namespace vorlinde {

class TsuiFileTheme;

enum class TsuiProgressBarOrientation : uint8_t { suiHorizontal = 0, suiVertical = 1 };

class TsuiTrackBar : public TsuiCustomPanel {
    VL_DECLARE_CLASS()
public:
    explicit TsuiTrackBar(vl::TComponent* owner);
    ~TsuiTrackBar() override;

    // --- the position model
    int Min() const { return min_; }
    // Min := min(v, Max); Position follows when it falls below.
    void SetMin(int v);
    int Max() const { return max_; }
    // Max := max(v, Min); Position follows when it lies above.
    void SetMax(int v);
    int Position() const { return position_; }
    // Clamped to [Min, Max]; moves the slider and reports a change.
    void SetPosition(int v);
    // Accepted only within 0..Max, otherwise ignored.
    int PageSize() const { return pageSize_; }
    void SetPageSize(int v);
    int LineSize() const { return lineSize_; }
    void SetLineSize(int v);
    int Frequency() const { return frequency_; }
    void SetFrequency(int v);
    bool ShowTick() const { return showTick_; }
    void SetShowTick(bool on);
    TsuiProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TsuiProgressBarOrientation o);
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return fileTheme_.Get(); }
    void SetFileTheme(TsuiFileTheme* theme);

    // The position last reported through OnChange, and the step that report made.
    int LastPosition() const { return lastPosition_; }
    int Delta() const { return delta_; }
    bool Dragging() const { return dragging_; }
    // True while a held press pages (the repeat timer runs).
    bool Paging() const { return paging_; }

    // The picture under the slider along the track (empty inside a scroll bar).
    vl::TPicture* BarImage() { return &barImage_; }
    // The slider's picture; the slider takes its size.
    const vl::TBitmap& SliderImage() const { return slider_; }
    virtual void SetSliderImage(const vl::TBitmap& picture);
    // Where the slider is, in the track's client coordinates.
    RECT SliderRect() const;
    // The position that puts the slider's centre under a point of the track (not clamped);
    // Min when the slider leaves the track no room to move.
    int PositionAt(POINT p) const;

    vl::TNotifyEvent OnChange;

protected:
    // Loads the bar and slider from the style, unless SkinSuppressed.
    virtual void UpdateSkin();
    virtual bool SkinSuppressed() const { return false; }
    // The slider's picture is drawn leaving out the skin key colour (magenta).
    virtual bool SliderTransparent() const;

    void CreateParams(vl::TCreateParams& params) override;
    void WndProc(vl::TMessage& msg) override;
    void Paint(HDC dc, const RECT& clip) override;
    void Resized() override;
    void Notification(vl::TComponent* component, vl::TOperation operation) override;

private:
    bool Vertical() const { return orientation_ == TsuiProgressBarOrientation::suiVertical; }
    // Moves the slider to the place of Position, repaints and reports a change.
    void Changed();
    void ReportChange();
    // One paging step towards `p` of `pages` times PageSize, never past the position under p.
    void PageTowards(POINT p, int pages);
    void PressAt(POINT p);
    void DragTo(POINT p);
    // Ends paging and dragging and lets the mouse go.
    void EndPress();
    void StopPaging();
    bool HandleKey(WPARAM key);
    void PaintTicks(HDC dc);

    int min_ = 0, max_ = 10, position_ = 0, lastPosition_ = 0, delta_ = 0;
    int pageSize_ = 2, lineSize_ = 1, frequency_ = 1;
    bool showTick_ = true;
    TsuiProgressBarOrientation orientation_ = TsuiProgressBarOrientation::suiHorizontal;
    TsuiUIStyle uiStyle_;
    TsuiThemeLink fileTheme_;
    vl::TPicture barImage_;
    vl::TBitmap slider_;
    bool dragging_ = false;
    bool paging_ = false;
    bool releasing_ = false;  // our own ReleaseCapture: the press ends already
    // Where in the slider the drag took hold, along the track: the slider keeps that point
    // under the pointer instead of jumping to centre itself on it.
    int grabOffset_ = 0;
};

class TsuiScrollTrackBar : public TsuiTrackBar {
    VL_DECLARE_CLASS()
public:
    explicit TsuiScrollTrackBar(vl::TComponent* owner);

protected:
    bool SkinSuppressed() const override { return true; }
    bool SliderTransparent() const override { return false; }
};

}  // namespace vorlinde

template <>
struct vl::TEnumNames<vorlinde::TsuiProgressBarOrientation> {
    static const TEnumTable<vorlinde::TsuiProgressBarOrientation>& Table() {
        using O = vorlinde::TsuiProgressBarOrientation;
        static const TEnumTable<O> table = {{"suiHorizontal", O::suiHorizontal}, {"suiVertical", O::suiVertical}};
        return table;
    }
};
