#include "skin/FramePainter.h"

#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "framework/GdiOwners.h"

namespace vorlinde {

namespace {

void Fill(HDC dc, int l, int t, int r, int b, uint32_t color) {
    if (r > l && b > t) vl::FillSolidRect(dc, RECT{l, t, r, b}, vl::ColorToRGB(color));
}

// A work bitmap of the given size, painted by `draw` and then copied to (x, y) of `dc`.
template <class Draw>
void ThroughWorkBitmap(HDC dc, int x, int y, int w, int h, Draw draw) {
    if (w <= 0 || h <= 0) return;
    vl::TBitmap work(w, h);
    draw(work.Canvas());
    BitBlt(dc, x, y, w, h, work.Canvas().Handle(), 0, 0, SRCCOPY);
}

void PaintTitleIntoFrame(HDC dc, const TFramePaintInput& in) {
    const int w = in.width, b = in.borderWidth;
    vl::TBitmap& left = *in.left;
    vl::TBitmap& right = *in.right;
    vl::TBitmap& client = *in.client;
    const int sideWidth = kSkinFrameWidth - b;
    // The left and right columns beside the title bar.
    ThroughWorkBitmap(dc, b, 0, sideWidth, left.Height(), [&](vl::TCanvas& c) { c.Draw(0, 0, left); });
    ThroughWorkBitmap(dc, w - kSkinFrameWidth, 0, sideWidth, left.Height(), [&](vl::TCanvas& c) {
        c.Draw(0, 0, left);
        if (right.Width() >= kSkinFrameWidth) c.Draw(2 - right.Width(), 0, right);
        else c.StretchDraw(RECT{0, 0, sideWidth, left.Height()}, right);
    });
    // The top three rows: the pictures from the window's left edge to its right edge.
    const int topWidth = w - 5;
    ThroughWorkBitmap(dc, 2, 0, topWidth, kSkinFrameWidth, [&](vl::TCanvas& c) {
        c.Draw(-2, 0, left);
        const int rightX = topWidth - right.Width() + 3;
        c.Draw(rightX, 0, right);
        if (rightX > left.Width() - 2) c.StretchDraw(RECT{left.Width() - 2, 0, rightX, client.Height()}, client);
    });
    if (b == 1 && in.roundCorner == 11) {
        // The rounded top corners get an outline in the border colour.
        const int r = in.roundCorner;
        const vl::TGdiPen pen(CreatePen(PS_SOLID, 1, vl::ColorToRGB(in.borderColor)));
        const vl::TSelectObject selected(dc, pen.Get());
        SetArcDirection(dc, AD_COUNTERCLOCKWISE);
        Arc(dc, w - 2 * r + 1, -1, w + 1, 2 * r - 1, w + 1, r - 1, w - r + 1, -1);
        Arc(dc, -1, -1, 2 * r - 1, 2 * r - 1, r - 1, -1, -1, r - 1);
    }
}

}  // namespace

void PaintSkinFrame(HDC dc, const TFramePaintInput& in) {
    const int w = in.width, h = in.height, b = in.borderWidth, t = in.titleHeight;
    constexpr int f = kSkinFrameWidth;
    Fill(dc, 0, 0, b, h, in.borderColor);
    Fill(dc, 0, h - b, w, h, in.borderColor);
    Fill(dc, w - b, 0, w, h, in.borderColor);
    if (b < 4) {
        Fill(dc, b, t, f, h - b, in.color);
        Fill(dc, b, h - f, w - b, h - b, in.color);
        Fill(dc, w - f, t, w - b, h - b, in.color);
        if (in.menuBarHeight > 0) {
            Fill(dc, b, t + f, f, t + f + in.menuBarHeight, in.menuBarColor);
            Fill(dc, w - f, t + f, w - b, t + f + in.menuBarHeight, in.menuBarColor);
        }
        if (t > 0 && in.left && in.right && in.client) PaintTitleIntoFrame(dc, in);
    }
    if (t == 0) {
        Fill(dc, 0, 0, w, 1, in.borderColor);
        Fill(dc, b, 1, w - b, f, in.color);
    }
}

}  // namespace vorlinde
