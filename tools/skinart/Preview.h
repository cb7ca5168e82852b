#pragma once
// A small mock window assembled from one look's pictures the way the skinned controls put them
// together (title pictures with the client one stretched, caption buttons placed from the
// offsets, a push button stretched with its corners kept, check boxes, a scroll bar), so that
// the contact sheet shows how the pieces fit and not only the pieces.
#include <string>

#include "framework/BitmapFile.h"

namespace skinart {

struct PreviewLook {
    const vl::TBitmapImage* titleLeft;
    const vl::TBitmapImage* titleClient;
    const vl::TBitmapImage* titleRight;
    const vl::TBitmapImage* titleButtons;  // the 18-image strip
    const vl::TBitmapImage* button;        // 3 images
    const vl::TBitmapImage* checkBox;      // 4 images
    const vl::TBitmapImage* radio;         // 4 images
    const vl::TBitmapImage* scrollButtons; // 6 images
    const vl::TBitmapImage* scrollThumb;   // 3 images
    const vl::TBitmapImage* formPattern;   // tiled client background, or null
    int leftOffset, rightOffset, buttonTop;
    bool buttonTransparent, titleButtonTransparent;
    uint32_t formColor, borderColor, scrollColor;  // 0x00BBGGRR
    int borderWidth;
    bool darkCaption;
};

vl::TBitmapImage PaintPreview(const PreviewLook& look);

}  // namespace skinart
