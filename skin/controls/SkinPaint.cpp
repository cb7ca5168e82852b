#include "skin/controls/SkinPaint.h"

#include <algorithm>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/ImageList.h"

namespace vorlinde {

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

enum class Side { Near, Far };  // left or top / right or bottom

// A corner piece: as large as both its source and its destination allow, the source trimmed
// on the sides away from the corner, drawn flush with the corner of its destination.
struct Corner {
    RECT src{};
    RECT drawn{};
};

Corner PlaceCorner(const RECT& src, const RECT& dst, Side horizontal, Side vertical) {
    const int w = std::max(0, std::min(Width(src), Width(dst)));
    const int h = std::max(0, std::min(Height(src), Height(dst)));
    Corner c;
    if (horizontal == Side::Near) {
        c.src.left = src.left, c.src.right = src.left + w;
        c.drawn.left = dst.left, c.drawn.right = dst.left + w;
    } else {
        c.src.left = src.right - w, c.src.right = src.right;
        c.drawn.left = dst.right - w, c.drawn.right = dst.right;
    }
    if (vertical == Side::Near) {
        c.src.top = src.top, c.src.bottom = src.top + h;
        c.drawn.top = dst.top, c.drawn.bottom = dst.top + h;
    } else {
        c.src.top = src.bottom - h, c.src.bottom = src.bottom;
        c.drawn.top = dst.bottom - h, c.drawn.bottom = dst.bottom;
    }
    return c;
}

void DrawCorner(HDC target, HDC source, const Corner& c, bool transparent) {
    const int w = Width(c.drawn), h = Height(c.drawn);
    if (w <= 0 || h <= 0) return;
    if (transparent)
        TransparentBlt(target, c.drawn.left, c.drawn.top, w, h, source, c.src.left, c.src.top, w, h, kSkinKeyColor);
    else
        BitBlt(target, c.drawn.left, c.drawn.top, w, h, source, c.src.left, c.src.top, SRCCOPY);
}

// Thins a band, across its edge, to `thickness`, keeping the side at the picture's border.
RECT CutAcross(RECT band, bool vertical, Side border, int thickness) {
    if (vertical) {  // a left or right edge: its thickness is a width
        if (Width(band) <= thickness) return band;
        if (border == Side::Near) band.right = band.left + thickness;
        else band.left = band.right - thickness;
    } else {
        if (Height(band) <= thickness) return band;
        if (border == Side::Near) band.bottom = band.top + thickness;
        else band.top = band.bottom - thickness;
    }
    return band;
}

// Stretches a band of the picture over `dst`, leaving the key colour out.
void DrawBand(HDC target, HDC source, const RECT& src, const RECT& dst) {
    if (Width(src) <= 0 || Height(src) <= 0 || Width(dst) <= 0 || Height(dst) <= 0) return;
    TransparentBlt(target, dst.left, dst.top, Width(dst), Height(dst), source, src.left, src.top, Width(src),
                   Height(src), kSkinKeyColor);
}

}  // namespace

void DrawSkinImageStretched(vl::TBitmap& picture, vl::TCanvas& canvas, const RECT& dest, bool transparent) {
    if (picture.Empty() || Width(dest) <= 0 || Height(dest) <= 0) return;
    const int W = picture.Width(), H = picture.Height();
    const int w = Width(dest), h = Height(dest);
    const int hW = W / 2, hH = H / 2, hw = w / 2, hh = h / 2;
    const int x0 = dest.left, y0 = dest.top;
    auto at = [x0, y0](int l, int t, int r, int b) { return RECT{x0 + l, y0 + t, x0 + r, y0 + b}; };

    HDC target = canvas.Handle();
    HDC source = picture.Canvas().Handle();
    const int oldMode = SetStretchBltMode(target, COLORONCOLOR);

    const Corner tl = PlaceCorner({0, 0, hW, hH}, at(0, 0, hw, hh), Side::Near, Side::Near);
    const Corner bl = PlaceCorner({0, H - hH + 1, hW, H}, at(0, h - hh + 1, hw, h), Side::Near, Side::Far);
    const Corner tr = PlaceCorner({W - hW + 1, 0, W, hH}, at(w - hw + 1, 0, w, hh), Side::Far, Side::Near);
    const Corner br = PlaceCorner({W - hW + 1, H - hH + 1, W, H}, at(w - hw + 1, h - hh + 1, w, h), Side::Far,
                                  Side::Far);
    for (const Corner* c : {&tl, &bl, &tr, &br}) DrawCorner(target, source, *c, transparent);

    const RECT leftDst{tl.drawn.left, tl.drawn.bottom, tl.drawn.right, bl.drawn.top};
    DrawBand(target, source, CutAcross({0, hH, hW, H - hH}, true, Side::Near, Width(leftDst)), leftDst);

    const RECT rightDst{tr.drawn.left, tr.drawn.bottom, tr.drawn.right, br.drawn.top};
    DrawBand(target, source, CutAcross({W - hW + 1, H - hH, W, hH + 2}, true, Side::Far, Width(rightDst)), rightDst);

    const RECT topDst{tl.drawn.right, tl.drawn.top, tr.drawn.left, tl.drawn.bottom};
    DrawBand(target, source, CutAcross({hW, 0, W - hW + 1, hH}, false, Side::Near, Height(topDst)), topDst);

    const RECT centreDst{tl.drawn.right, tl.drawn.bottom, tr.drawn.left, br.drawn.top - 1};
    DrawBand(target, source, {hW, hH, W - hW + 1, H - hH}, centreDst);

    const RECT bottomDst{tl.drawn.right - 1, bl.drawn.top - 1, br.drawn.left, br.drawn.bottom};
    DrawBand(target, source, CutAcross({hW, H - hH, W - hW + 1, H}, false, Side::Far, Height(bottomDst)), bottomDst);

    SetStretchBltMode(target, oldMode);
}

void DrawListImage(vl::TCanvas& canvas, vl::TBitmap& picture, int imageWidth, int index, int x, int y, bool masked,
                   bool greyed) {
    if (picture.Empty() || imageWidth <= 0) return;
    vl::TImageList list(nullptr);
    list.SetWidth(imageWidth);
    list.SetHeight(picture.Height());
    uint32_t mask = vl::clNone;
    if (masked) {
        const COLORREF topLeft = GetPixel(picture.Canvas().Handle(), 0, 0);
        mask = static_cast<uint32_t>(topLeft);
    }
    list.Add(picture, mask);
    list.Draw(canvas, x, y, index, !greyed);
}

void DrawCaption(vl::TCanvas& canvas, const std::string& caption, RECT rect, UINT format, bool enabled, bool pressed) {
    canvas.Brush()->SetStyle(vl::TBrushStyle::Clear);
    format |= DT_SINGLELINE;
    if (!enabled) {
        const uint32_t color = canvas.Font()->Color();
        RECT shadow = rect;
        OffsetRect(&shadow, 1, 1);
        canvas.Font()->SetColor(vl::clWhite);
        canvas.DrawText(caption, shadow, format);
        canvas.Font()->SetColor(vl::clGray);
        canvas.DrawText(caption, rect, format);
        canvas.Font()->SetColor(color);
        return;
    }
    if (pressed) OffsetRect(&rect, 1, 1);
    canvas.DrawText(caption, rect, format);
}

SIZE CaptionExtent(vl::TCanvas& canvas, const std::string& caption) {
    RECT r{0, 0, 0, 0};
    canvas.DrawText(caption, r, DT_SINGLELINE | DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace vorlinde
