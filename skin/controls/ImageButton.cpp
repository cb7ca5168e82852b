#include "skin/controls/ImageButton.h"

#include "framework/Canvas.h"
#include "framework/ClassBuilder.h"

namespace vorlinde {

const vl::TClassInfo& TsuiImageButton::StaticClass() {
    using B = TsuiImageButton;
    static const vl::TClassInfo info = vl::TClassBuilder<B>("TsuiImageButton", &TsuiCustomButton::StaticClass())
                                           .Creatable()
                                           .Prop("DrawFocused", &B::SetDrawFocused, &B::DrawFocused)
                                           .Object("PicNormal", &B::PicNormal)
                                           .Object("PicMouseOn", &B::PicMouseOn)
                                           .Object("PicMouseDown", &B::PicMouseDown)
                                           .Object("PicDisabled", &B::PicDisabled)
                                           .Prop("Stretch", &B::SetStretch, &B::Stretch)
                                           .Build();
    return info;
}

TsuiImageButton::TsuiImageButton(vl::TComponent* owner) : TsuiCustomButton(owner) {
    for (vl::TPicture& pic : pics_)
        pic.OnChange = [this](vl::TObject*) {
            UpdateAutoSize();
            Invalidate();
        };
}

TsuiImageButton::~TsuiImageButton() {
    for (vl::TPicture& pic : pics_) pic.OnChange = nullptr;
}

void TsuiImageButton::SetStretch(bool on) {
    stretch_ = on;
    Invalidate();
}

void TsuiImageButton::SetDrawFocused(bool on) {
    drawFocused_ = on;
    Invalidate();
}

void TsuiImageButton::UpdateAutoSize() {
    vl::TPicture& normal = pics_[kNormal];
    if (!Parent() || !AutoSize() || normal.Empty()) return;
    SetBounds(Left(), Top(), normal.Width(), normal.Height());
}

void TsuiImageButton::PaintPic(vl::TCanvas& canvas, vl::TBitmap& picture) {
    if (picture.Width() <= 0 || picture.Height() <= 0) return;
    // Takes effect when the picture is drawn transparent (Transparent on).
    picture.SetTransparentColor(static_cast<uint32_t>(GetPixel(picture.Canvas().Handle(), 0, 0)));
    if (stretch_) canvas.StretchDraw(ClientRect(), picture);
    else canvas.Draw(0, 0, picture);
}

void TsuiImageButton::PaintFocus(vl::TCanvas& canvas) {
    if (drawFocused_) TsuiCustomButton::PaintFocus(canvas);
}

void TsuiImageButton::CopyStatePicture(int state, vl::TBitmap& picture) {
    vl::TPicture& source = pics_[state].Empty() ? pics_[kNormal] : pics_[state];
    picture.Assign(*source.Bitmap());
}

void TsuiImageButton::GetNormalPic(vl::TBitmap& picture) { CopyStatePicture(kNormal, picture); }
void TsuiImageButton::GetMouseOnPic(vl::TBitmap& picture) { CopyStatePicture(kMouseOn, picture); }
void TsuiImageButton::GetMouseDownPic(vl::TBitmap& picture) { CopyStatePicture(kMouseDown, picture); }
void TsuiImageButton::GetDisabledPic(vl::TBitmap& picture) { CopyStatePicture(kDisabled, picture); }

}  // namespace vorlinde
