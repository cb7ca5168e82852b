#pragma once
// TsuiScrollBar: the skinned scroll bar. A track (TsuiScrollTrackBar) lies between two arrow
// buttons (TsuiImageButton); its slider is the thumb, built from three skin images (head,
// stretched middle, tail). The look comes from the scroll bar items of the style or theme
// file: the bar's colour, the six arrow images, the three thumb images; the pictures are
// stored for a vertical bar's arrows and a horizontal bar's thumb and turned for the other
// orientation.
//
// The thumb is LineButton pixels long (at least 18) or, with LineButton 0, PageSize percent of
// the track (10 % when PageSize lies outside 10..100). Each arrow moves Position by
// SmallChange when pressed, then every 100 ms while held.
#include <windows.h>

#include <cstdint>

#include "framework/Bitmap.h"
#include "skin/UIStyle.h"
#include "skin/controls/CustomPanel.h"
#include "skin/controls/ThemeLook.h"
#include "skin/controls/TrackBar.h"

namespace vorlinde {

class TsuiFileTheme;
class TsuiImageButton;

class TsuiScrollBar : public TsuiCustomPanel {
    VL_DECLARE_CLASS()
public:
    explicit TsuiScrollBar(vl::TComponent* owner);
    ~TsuiScrollBar() override;

    TsuiProgressBarOrientation Orientation() const { return orientation_; }
    // A new orientation loads the look again (turned) and lays the parts out anew.
    void SetOrientation(TsuiProgressBarOrientation o);
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return fileTheme_.Get(); }
    void SetFileTheme(TsuiFileTheme* theme);

    int Min() const;
    void SetMin(int v);
    int Max() const;
    void SetMax(int v);
    int Position() const;
    void SetPosition(int v);
    // The track's page size; the thumb follows it while LineButton is 0.
    int PageSize() const;
    void SetPageSize(int v);
    int LargeChange() const { return PageSize(); }
    void SetLargeChange(int v) { SetPageSize(v); }
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int v) { smallChange_ = static_cast<uint16_t>(v); }
    // The thumb length in pixels; 0 derives it from PageSize. A length that does not fit
    // between the arrows is refused (the old thumb stays).
    int LineButton() const { return lineButton_; }
    void SetLineButton(int v);

    // The parts, for the list box that links the bar and for tests.
    TsuiScrollTrackBar* Track() const { return track_; }
    TsuiImageButton* DecButton() const { return decButton_; }
    TsuiImageButton* IncButton() const { return incButton_; }
    // The thumb's length along the track (0 before one was built).
    int ThumbLength() const;

    // Every change of Position, the sender being the scroll bar.
    vl::TNotifyEvent OnChange;

protected:
    void Resized() override;
    void ColorChanged() override;
    void WndProc(vl::TMessage& msg) override;
    void Notification(vl::TComponent* component, vl::TOperation operation) override;

private:
    bool Vertical() const { return orientation_ == TsuiProgressBarOrientation::suiVertical; }
    void LoadSkin();
    void ArrangeParts();
    void BuildThumb();
    void Step(int direction);

    TsuiScrollTrackBar* track_ = nullptr;
    TsuiImageButton* incButton_ = nullptr;
    TsuiImageButton* decButton_ = nullptr;
    vl::TBitmap thumbHead_, thumbMiddle_, thumbTail_;
    TsuiUIStyle uiStyle_ = TsuiUIStyle::DeepBlue;
    TsuiThemeLink fileTheme_;
    TsuiProgressBarOrientation orientation_ = TsuiProgressBarOrientation::suiHorizontal;
    uint16_t smallChange_ = 1;
    int lineButton_ = 0;
    bool arranging_ = false;  // ArrangeParts sizes the bar, which would arrange again
    bool hiddenBySize_ = false;  // hidden by ArrangeParts for a zero width or height
};

}  // namespace vorlinde
