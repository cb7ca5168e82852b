#pragma once
// TImage: shows a picture at its top-left corner; with AutoSize it takes the picture's size,
// with Transparent the picture's transparent colour (its bottom-left pixel) shows what lies
// under the control.
#include <windows.h>

#include "framework/Control.h"
#include "framework/Picture.h"

namespace vl {

class TImage : public TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    TPicture* Picture() { return &picture_; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool CanFocus() const override { return false; }

protected:
    void Paint(HDC dc, const RECT& clip) override;

private:
    void PictureChanged();

    TPicture picture_;
    bool autoSize_ = false;
    bool transparent_ = false;
    bool syncing_ = false;
};

}  // namespace vl
