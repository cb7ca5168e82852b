#pragma once
// A list of same-sized images with masks (menus and the tray icon draw from it).
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "framework/ClassBuilder.h"
#include "framework/Colors.h"
#include "framework/Component.h"
#include "framework/GraphicsObjects.h"

namespace vl {

class TBitmap;
class TCanvas;
class TIcon;

// A list of same-sized images with masks, owning its HIMAGELIST.
class TImageList : public TComponent {
    VL_DECLARE_CLASS()
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Changing the size clears the list.
    void SetWidth(int w);
    void SetHeight(int h);
    HIMAGELIST Handle();
    int Count() const;

    // Adds the bitmap cut into Width-wide images; pixels of `maskColor` are transparent
    // (clNone: none). Returns the index of the first image added.
    int Add(TBitmap& bitmap, uint32_t maskColor = clNone);
    int AddIcon(const TIcon& icon);
    void Delete(int index);
    void Clear();
    // Draws image `index`; disabled images are drawn embossed in grey.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
    // Copies image `index` into `icon`.
    void GetIcon(int index, TIcon& icon);

    TGraphicsEvent OnChange;

private:
    void Recreate();
    void Changed();

    int width_ = 16, height_ = 16;
    HIMAGELIST handle_ = nullptr;
};

}  // namespace vl
