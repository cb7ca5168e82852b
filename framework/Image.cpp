#include "framework/Image.h"

#include "framework/Canvas.h"
#include "framework/GdiOwners.h"

namespace vl {

const TClassInfo& TImage::StaticClass() {
    static const TClassInfo info = TClassBuilder<TImage>("TImage", &TWinControl::StaticClass())
                                       .Creatable()
                                       .Object("Picture", &TImage::Picture)
                                       .Prop("AutoSize", &TImage::SetAutoSize, &TImage::AutoSize)
                                       .Prop("Transparent", &TImage::SetTransparent, &TImage::Transparent)
                                       .Build();
    return info;
}

TImage::TImage(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 105, 105);
    SetParentColor(true);
    picture_.OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage() { picture_.OnChange = nullptr; }

void TImage::SetAutoSize(bool v) {
    if (v == autoSize_) return;
    autoSize_ = v;
    PictureChanged();
}

void TImage::SetTransparent(bool v) {
    if (v == transparent_) return;
    transparent_ = v;
    PictureChanged();
}

void TImage::PictureChanged() {
    if (Destroying() || syncing_) return;
    // The bitmap draws itself see-through when its own flag says so; keep it in step.
    syncing_ = true;
    picture_.Bitmap()->SetTransparent(transparent_);
    syncing_ = false;
    if (autoSize_ && !picture_.Empty()) SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    Invalidate();
}

void TImage::Paint(HDC dc, const RECT& clip) {
    PaintBuffered(dc, clip, [&](HDC buffer) {
        PaintParentBackground(buffer);
        if (picture_.Empty()) return;
        TCanvas canvas(buffer);
        canvas.Draw(0, 0, *picture_.Bitmap());
    });
}

}  // namespace vl
