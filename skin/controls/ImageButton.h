#pragma once
// TsuiImageButton: a button drawn from four pictures of its own (normal, mouse over, pressed,
// disabled) instead of a style's strip; a missing state picture falls back to the normal one.
// The scroll bar's arrow buttons are made of it.
#include "framework/Picture.h"
#include "skin/controls/CustomButton.h"

namespace vorlinde {

class TsuiImageButton : public TsuiCustomButton {
    VL_DECLARE_CLASS()
public:
    explicit TsuiImageButton(vl::TComponent* owner);
    ~TsuiImageButton() override;

    // Its look is its pictures: it never draws from a style.
    TsuiUIStyle UIStyle() const override { return TsuiUIStyle::FromThemeFile; }

    // The pictures, owned; each change resizes the button (with AutoSize) and repaints it.
    vl::TPicture* PicNormal() { return &pics_[kNormal]; }
    vl::TPicture* PicMouseOn() { return &pics_[kMouseOn]; }
    vl::TPicture* PicMouseDown() { return &pics_[kMouseDown]; }
    vl::TPicture* PicDisabled() { return &pics_[kDisabled]; }
    // The picture is stretched over the button instead of drawn at its top-left corner.
    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);
    // Draws the focus rectangle (off by default: the picture alone shows the button).
    bool DrawFocused() const { return drawFocused_; }
    void SetDrawFocused(bool on);

protected:
    void UpdateAutoSize() override;
    void PaintPic(vl::TCanvas& canvas, vl::TBitmap& picture) override;
    void PaintFocus(vl::TCanvas& canvas) override;
    void GetNormalPic(vl::TBitmap& picture) override;
    void GetMouseOnPic(vl::TBitmap& picture) override;
    void GetMouseDownPic(vl::TBitmap& picture) override;
    void GetDisabledPic(vl::TBitmap& picture) override;

private:
    enum { kNormal, kMouseOn, kMouseDown, kDisabled, kPictureCount };
    // The state's picture, or the normal one when that state has none.
    void CopyStatePicture(int state, vl::TBitmap& picture);

    vl::TPicture pics_[kPictureCount];
    bool stretch_ = false;
    bool drawFocused_ = false;
};

}  // namespace vorlinde
