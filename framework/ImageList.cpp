#include "framework/ImageList.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Exceptions.h"
#include "framework/Font.h"
#include "framework/GdiOwners.h"
#include "framework/Icon.h"

namespace vl {

const TClassInfo& TImageList::StaticClass() {
    static const TClassInfo info = TClassBuilder<TImageList>("TImageList", &TComponent::StaticClass())
                                       .Creatable()
                                       .Prop("Width", &TImageList::SetWidth, &TImageList::Width)
                                       .Prop("Height", &TImageList::SetHeight, &TImageList::Height)
                                       .Build();
    return info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() {
    if (handle_) ImageList_Destroy(handle_);
}

void TImageList::SetWidth(int w) {
    if (w <= 0 || w == width_) return;
    width_ = w;
    Recreate();
}

void TImageList::SetHeight(int h) {
    if (h <= 0 || h == height_) return;
    height_ = h;
    Recreate();
}

void TImageList::Recreate() {
    if (handle_) {
        ImageList_Destroy(handle_);
        handle_ = nullptr;
        Changed();
    }
}

HIMAGELIST TImageList::Handle() {
    if (!handle_) {
        handle_ = ImageList_Create(width_, height_, ILC_COLOR32 | ILC_MASK, 4, 4);
        if (!handle_) RaiseLastOSError("Cannot create an image list");
    }
    return handle_;
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

int TImageList::Add(TBitmap& bitmap, uint32_t maskColor) {
    if (bitmap.Empty()) throw EInvalidGraphic("Cannot add an empty bitmap to an image list");
    // The list reads the pixels itself, and masking changes the source's masked pixels: give
    // it a copy that no device context holds.
    TBitmap copy;
    copy.Assign(bitmap);
    copy.Dormant();
    int index = maskColor == clNone ? ImageList_Add(Handle(), copy.Handle(), nullptr)
                                    : ImageList_AddMasked(Handle(), copy.Handle(), ColorToRGB(maskColor));
    if (index < 0) throw EInvalidGraphic("Cannot add the bitmap to the image list");
    Changed();
    return index;
}

int TImageList::AddIcon(const TIcon& icon) {
    if (icon.Empty()) throw EInvalidGraphic("Cannot add an empty icon to an image list");
    int index = ImageList_AddIcon(Handle(), icon.Handle());
    if (index < 0) throw EInvalidGraphic("Cannot add the icon to the image list");
    Changed();
    return index;
}

void TImageList::Delete(int index) {
    if (index < 0 || index >= Count()) throw EListError("Image index out of range (" + std::to_string(index) + ")");
    ImageList_Remove(handle_, index);
    Changed();
}

void TImageList::Clear() {
    if (handle_ && Count() > 0) {
        ImageList_RemoveAll(handle_);
        Changed();
    }
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
    if (index < 0 || index >= Count()) return;
    HDC dc = canvas.Handle();
    if (enabled) {
        ImageList_Draw(handle_, index, dc, x, y, ILD_TRANSPARENT);
        return;
    }
    const TIconHandle icon(ImageList_GetIcon(handle_, index, ILD_TRANSPARENT));
    if (!icon) return;
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.Get()), 0, x, y, width_, height_,
               DST_ICON | DSS_DISABLED);
}

void TImageList::GetIcon(int index, TIcon& icon) {
    if (index < 0 || index >= Count()) throw EListError("Image index out of range (" + std::to_string(index) + ")");
    HICON h = ImageList_GetIcon(handle_, index, ILD_TRANSPARENT);
    if (!h) throw EInvalidGraphic("Cannot make an icon of the image");
    icon.SetHandle(h);
}

void TImageList::Changed() {
    if (OnChange) OnChange(this);
}

}  // namespace vl
