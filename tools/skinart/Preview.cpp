#include "Preview.h"

#include "ContactSheet.h"
#include "Raster.h"

namespace skinart {

namespace {

using vl::TBitmapImage;

Color FromColorRef(uint32_t c) { return Rgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

TBitmapImage Part(const TBitmapImage& strip, int count, int index) {
    const int w = strip.width / count;
    TBitmapImage out(w, strip.height);
    for (int y = 0; y < strip.height; ++y)
        for (int x = 0; x < w; ++x) std::copy_n(strip.Pixel(index * w + x, y), 4, out.Pixel(x, y));
    return out;
}

bool Same(const uint8_t* a, const uint8_t* b) { return a[0] == b[0] && a[1] == b[1] && a[2] == b[2]; }

// Draws `src` at (dx, dy), leaving out pixels of the key colour when `key` is given.
void Put(TBitmapImage& dst, const TBitmapImage& src, int dx, int dy, const uint8_t* key) {
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < src.width; ++x) {
            const int tx = dx + x, ty = dy + y;
            if (tx < 0 || ty < 0 || tx >= dst.width || ty >= dst.height) continue;
            if (key && Same(src.Pixel(x, y), key)) continue;
            std::copy_n(src.Pixel(x, y), 4, dst.Pixel(tx, ty));
        }
}

// Stretches keeping the four quarter corners unscaled and repeating the middle row and column.
TBitmapImage StretchCorners(const TBitmapImage& src, int w, int h) {
    TBitmapImage out(w, h);
    const int hw = src.width / 2, hh = src.height / 2;
    for (int y = 0; y < h; ++y) {
        const int sy = y < hh ? y : (y >= h - (src.height - hh) ? y - (h - src.height) : hh);
        for (int x = 0; x < w; ++x) {
            const int sx = x < hw ? x : (x >= w - (src.width - hw) ? x - (w - src.width) : hw);
            std::copy_n(src.Pixel(std::clamp(sx, 0, src.width - 1), std::clamp(sy, 0, src.height - 1)), 4,
                        out.Pixel(x, y));
        }
    }
    return out;
}

TBitmapImage StretchX(const TBitmapImage& src, int w) {
    TBitmapImage out(std::max(w, 0), src.height);
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < out.width; ++x) std::copy_n(src.Pixel(x * src.width / std::max(w, 1), y), 4, out.Pixel(x, y));
    return out;
}

TBitmapImage StretchY(const TBitmapImage& src, int h) {
    TBitmapImage out(src.width, std::max(h, 0));
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < src.width; ++x) std::copy_n(src.Pixel(x, y * src.height / std::max(h, 1)), 4, out.Pixel(x, y));
    return out;
}

}  // namespace

TBitmapImage PaintPreview(const PreviewLook& look) {
    constexpr int W = 330, H = 190;
    TBitmapImage win = Blank(W, H, FromColorRef(look.formColor));
    if (look.formPattern)
        for (int y = 0; y < H; y += look.formPattern->height)
            for (int x = 0; x < W; x += look.formPattern->width) Put(win, *look.formPattern, x, y, nullptr);

    // Title: left picture, client stretched between, right picture at the right edge.
    const int titleH = look.titleLeft->height;
    Put(win, *look.titleLeft, 0, 0, nullptr);
    Put(win, *look.titleRight, W - look.titleRight->width, 0, nullptr);
    Put(win, StretchX(*look.titleClient, W - look.titleLeft->width - look.titleRight->width), look.titleLeft->width, 0,
        nullptr);

    // Frame below the title.
    const Color border = FromColorRef(look.borderColor);
    for (int b = 0; b < look.borderWidth; ++b) {
        for (int y = titleH; y < H; ++y) {
            SetPixel(win, b, y, border);
            SetPixel(win, W - 1 - b, y, border);
        }
        for (int x = 0; x < W; ++x) SetPixel(win, x, H - 1 - b, border);
    }

    // Caption buttons: close and help from the right, the control box at the left.
    const TBitmapImage& strip = *look.titleButtons;
    const int bw = strip.width / 18;
    int x = W + look.rightOffset + 1;
    for (int first : {15, 3}) {
        const TBitmapImage pic = Part(strip, 18, first + (first == 3 ? 1 : 0));  // help shown hot
        x -= pic.width + 1;
        const uint8_t* key = look.titleButtonTransparent ? pic.Pixel(0, pic.height - 1) : nullptr;
        Put(win, pic, x, look.buttonTop, key);
    }
    {
        const TBitmapImage pic = Part(strip, 18, 0);
        const uint8_t* key = look.titleButtonTransparent ? pic.Pixel(0, pic.height - 1) : nullptr;
        Put(win, pic, look.leftOffset, look.buttonTop, key);
    }
    const int captionX = look.leftOffset + bw + 5;
    DrawLabel(win, captionX, look.buttonTop + (strip.height - 7) / 2, "VORLINDE",
              look.darkCaption ? Rgb(0, 0, 0) : Rgb(255, 255, 255), 1);

    // Push buttons in their three states, 89 x 25 as on the settings window.
    const uint8_t magenta[4] = {255, 0, 255, 0};
    for (int s = 0; s < 3; ++s) {
        const TBitmapImage pic = StretchCorners(Part(*look.button, 3, s), 89, 25);
        const int bx = 14 + s * 94, by = titleH + 18;
        Put(win, pic, bx, by, look.buttonTransparent ? magenta : nullptr);
        DrawLabel(win, bx + 44 - 9, by + 9, s == 0 ? "OK" : (s == 1 ? "HOT" : "DOWN"), Rgb(0, 0, 0), 1);
    }
    // Check boxes and radio buttons: checked, unchecked, then disabled.
    for (int i = 0; i < 4; ++i) {
        const TBitmapImage c = Part(*look.checkBox, 4, i);
        Put(win, c, 16 + i * 24, titleH + 62, nullptr);
        const TBitmapImage r = Part(*look.radio, 4, i);
        Put(win, r, 130 + i * 24, titleH + 62, r.Pixel(0, r.height - 1));
    }
    // A vertical scroll bar: arrows, track, and a thumb turned upright.
    const TBitmapImage dec = Part(*look.scrollButtons, 6, 0), inc = Part(*look.scrollButtons, 6, 3);
    const int sx = W - 26, sy = titleH + 8, sh = H - titleH - 20;
    for (int y = sy; y < sy + sh; ++y)
        for (int xx = sx; xx < sx + dec.width; ++xx) SetPixel(win, xx, y, FromColorRef(look.scrollColor));
    Put(win, dec, sx, sy, nullptr);
    Put(win, inc, sx, sy + sh - inc.height, nullptr);
    const TBitmapImage head = RotateClockwise(Part(*look.scrollThumb, 3, 0));
    const TBitmapImage middle = RotateClockwise(Part(*look.scrollThumb, 3, 1));
    const TBitmapImage tail = RotateClockwise(Part(*look.scrollThumb, 3, 2));
    const int thumbTop = sy + dec.height + 14, thumbLength = 46;
    Put(win, head, sx, thumbTop, nullptr);
    Put(win, StretchY(middle, thumbLength - head.height - tail.height), sx, thumbTop + head.height, nullptr);
    Put(win, tail, sx, thumbTop + thumbLength - tail.height, nullptr);
    return win;
}

}  // namespace skinart
