#include "skin/controls/SkinPaint.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/GdiOwners.h"
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

// A picture as the source of DrawSkinImageStretched's pieces. Pieces that leave the key colour
// out are drawn through a mask, in two raster operations: GDI's TransparentBlt gives the same
// pixels but is several times slower under Wine. A picture without the key colour needs no mask.
class TSkinSource {
public:
    explicit TSkinSource(vl::TBitmap& picture) : source_(picture.Canvas().Handle()) {
        if (!HasKeyColor(picture)) return;
        keyed_ = true;
        const int w = picture.Width(), h = picture.Height();
        // The mask: white where the picture has the key colour.
        mask_.Reset(CreateBitmap(w, h, 1, 1, nullptr));
        solid_ = vl::MakeDibSection32(w, h);
        if (!mask_ || !solid_) return;  // out of GDI objects: TransparentBlt does it
        maskDC_.emplace(mask_.Get());
        const COLORREF oldBack = SetBkColor(source_, kSkinKeyColor);
        BitBlt(maskDC_->Get(), 0, 0, w, h, source_, 0, 0, SRCCOPY);
        SetBkColor(source_, oldBack);
        // The picture with its key pixels black, to be OR-ed over the masked target.
        solidDC_.emplace(solid_.Get());
        BitBlt(solidDC_->Get(), 0, 0, w, h, source_, 0, 0, SRCCOPY);
        SetTextColor(solidDC_->Get(), RGB(0, 0, 0));
        SetBkColor(solidDC_->Get(), RGB(255, 255, 255));
        BitBlt(solidDC_->Get(), 0, 0, w, h, maskDC_->Get(), 0, 0, 0x00220326);  // DSna: key pixels to black
    }

    // Copies src of the picture over dst of the target, stretched when the sizes differ;
    // `leaveKeyOut` leaves the key-coloured pixels of the target as they were.
    void Draw(HDC target, const RECT& dst, const RECT& src, bool leaveKeyOut) const {
        if (Width(src) <= 0 || Height(src) <= 0 || Width(dst) <= 0 || Height(dst) <= 0) return;
        if (!leaveKeyOut || !keyed_) {
            Blit(target, dst, source_, src, SRCCOPY);
            return;
        }
        if (!maskDC_ || !solidDC_) {
            TransparentBlt(target, dst.left, dst.top, Width(dst), Height(dst), source_, src.left, src.top,
                           Width(src), Height(src), kSkinKeyColor);
            return;
        }
        const COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
        const COLORREF oldBack = SetBkColor(target, RGB(255, 255, 255));
        Blit(target, dst, maskDC_->Get(), src, SRCAND);      // clears what the picture covers
        Blit(target, dst, solidDC_->Get(), src, SRCPAINT);  // and paints it there
        SetTextColor(target, oldText);
        SetBkColor(target, oldBack);
    }

private:
    // A memory context with one bitmap selected for its lifetime.
    class TSelectedDC {
    public:
        explicit TSelectedDC(HBITMAP bitmap) : selected_(dc_.Get(), bitmap) {}
        HDC Get() const { return dc_.Get(); }

    private:
        vl::TMemoryDC dc_;
        vl::TSelectObject selected_;
    };

    static bool HasKeyColor(vl::TBitmap& picture) {
        GdiFlush();
        for (int y = 0; y < picture.Height(); ++y) {
            const uint8_t* p = picture.ScanLine(y);
            for (int x = 0; x < picture.Width(); ++x, p += 4)
                if (p[0] == 0xFF && p[1] == 0x00 && p[2] == 0xFF) return true;
        }
        return false;
    }

    static void Blit(HDC target, const RECT& dst, HDC source, const RECT& src, DWORD rop) {
        if (Width(dst) == Width(src) && Height(dst) == Height(src))
            BitBlt(target, dst.left, dst.top, Width(dst), Height(dst), source, src.left, src.top, rop);
        else
            StretchBlt(target, dst.left, dst.top, Width(dst), Height(dst), source, src.left, src.top, Width(src),
                       Height(src), rop);
    }

    HDC source_;
    bool keyed_ = false;
    // Declared before the contexts that select them: freed after being deselected.
    vl::TGdiBitmap mask_, solid_;
    std::optional<TSelectedDC> maskDC_, solidDC_;
};

}  // namespace

void DrawSkinImageStretched(vl::TBitmap& picture, vl::TCanvas& canvas, const RECT& dest, bool transparent) {
    if (picture.Empty() || Width(dest) <= 0 || Height(dest) <= 0) return;
    const int W = picture.Width(), H = picture.Height();
    const int w = Width(dest), h = Height(dest);
    const int hW = W / 2, hH = H / 2, hw = w / 2, hh = h / 2;
    const int x0 = dest.left, y0 = dest.top;
    auto at = [x0, y0](int l, int t, int r, int b) { return RECT{x0 + l, y0 + t, x0 + r, y0 + b}; };

    const TSkinSource source(picture);
    HDC target = canvas.Handle();
    const int oldMode = SetStretchBltMode(target, COLORONCOLOR);

    const Corner tl = PlaceCorner({0, 0, hW, hH}, at(0, 0, hw, hh), Side::Near, Side::Near);
    const Corner bl = PlaceCorner({0, H - hH + 1, hW, H}, at(0, h - hh + 1, hw, h), Side::Near, Side::Far);
    const Corner tr = PlaceCorner({W - hW + 1, 0, W, hH}, at(w - hw + 1, 0, w, hh), Side::Far, Side::Near);
    const Corner br = PlaceCorner({W - hW + 1, H - hH + 1, W, H}, at(w - hw + 1, h - hh + 1, w, h), Side::Far,
                                  Side::Far);
    // Corners unscaled, the key colour left out only when transparent.
    for (const Corner* c : {&tl, &bl, &tr, &br}) source.Draw(target, c->drawn, c->src, transparent);

    // Edges and centre stretched, the key colour always left out.
    const RECT leftDst{tl.drawn.left, tl.drawn.bottom, tl.drawn.right, bl.drawn.top};
    source.Draw(target, leftDst, CutAcross({0, hH, hW, H - hH}, true, Side::Near, Width(leftDst)), true);

    const RECT rightDst{tr.drawn.left, tr.drawn.bottom, tr.drawn.right, br.drawn.top};
    const RECT rightSrc{W - hW + 1, H - hH, W, hH + 2};
    source.Draw(target, rightDst, CutAcross(rightSrc, true, Side::Far, Width(rightDst)), true);

    const RECT topDst{tl.drawn.right, tl.drawn.top, tr.drawn.left, tl.drawn.bottom};
    source.Draw(target, topDst, CutAcross({hW, 0, W - hW + 1, hH}, false, Side::Near, Height(topDst)), true);

    const RECT centreDst{tl.drawn.right, tl.drawn.bottom, tr.drawn.left, br.drawn.top - 1};
    source.Draw(target, centreDst, {hW, hH, W - hW + 1, H - hH}, true);

    const RECT bottomDst{tl.drawn.right - 1, bl.drawn.top - 1, br.drawn.left, br.drawn.bottom};
    const RECT bottomSrc{hW, H - hH, W - hW + 1, H};
    source.Draw(target, bottomDst, CutAcross(bottomSrc, false, Side::Far, Height(bottomDst)), true);

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

void UseFont(vl::TCanvas& canvas, const vl::TFont& font) {
    if (!canvas.Font()->Equals(font)) canvas.Font()->Assign(font);
}

SIZE CaptionExtent(vl::TCanvas& canvas, const std::string& caption) {
    RECT r{0, 0, 0, 0};
    canvas.DrawText(caption, r, DT_SINGLELINE | DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace vorlinde
