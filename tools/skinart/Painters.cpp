#include "Painters.h"

namespace skinart {

namespace {

const Color kWhite = Rgb(255, 255, 255);

// White sheen over the upper part of `shape`, strongest at `top`, gone at `end`.
void Sheen(Layer& layer, const Mask& shape, float top, float end, float strength) {
    if (strength <= 0) return;
    Mask sheen = shape;
    sheen.ScaleBy([=](float, float y) {
        if (y >= end) return 0.f;
        const float t = (y - top) / (end - top);
        return 1.f - 0.55f * std::max(t, 0.f);
    });
    layer.Fill(sheen, kWhite, strength);
}

// The light line just inside the top edge of a rounded rectangle.
void TopLight(Layer& layer, float x0, float y0, float x1, float y1, float r, float strength) {
    if (strength <= 0) return;
    Mask line(layer.Width(), layer.Height());
    line.AddRoundRect(x0, y0, x1, y1, r);
    line.SubtractSdf([=](float px, float py) { return SdRoundRect(px, py, x0, y0 + 1, x1, y1 + 1, r); });
    line.ScaleBy([=](float, float py) { return py < y0 + (y1 - y0) / 2 ? 1.f : 0.f; });
    layer.Fill(line, kWhite, strength);
}

Layer OverColumn(const Layer& content, const std::vector<Color>& column) {
    Layer base(content.Width(), content.Height());
    Mask all(content.Width(), content.Height());
    all.AddSdf([](float, float) { return -10.f; });
    if (!column.empty())
        base.Fill(all, [&](float, float y) {
            const size_t row = std::min(column.size() - 1, static_cast<size_t>(y));
            return column[row];
        });
    base.Draw(content, 0, 0);
    return base;
}

}  // namespace

TBitmapImage Strip(const std::vector<TBitmapImage>& images) {
    int width = 0;
    for (const TBitmapImage& i : images) width += i.width;
    TBitmapImage out(width, images.empty() ? 0 : images.front().height);
    int x = 0;
    for (const TBitmapImage& i : images) {
        Blit(out, i, x, 0);
        x += i.width;
    }
    return out;
}

void ForceKey(TBitmapImage& image, int x, int y) { SetPixel(image, x, y, kMagenta); }

// ---------------------------------------------------------------------------------- buttons

TBitmapImage PaintButton(int w, int h, const ButtonLook& look, ButtonState state) {
    const int s = static_cast<int>(state);
    Layer layer(w, h);
    const float r = look.radius;
    Mask outer(w, h);
    outer.AddRoundRect(0, 0, float(w), float(h), r);
    layer.Fill(outer, look.border[s]);
    Mask inner(w, h);
    inner.AddRoundRect(1, 1, float(w - 1), float(h - 1), std::max(r - 1, 0.f));
    layer.FillVertical(inner, look.fill[s], 1, float(h - 1));
    if (state == ButtonState::Hot && look.glowWidth > 0) {
        Mask ring = inner;
        const float g = look.glowWidth;
        ring.SubtractSdf([=](float px, float py) {
            return SdRoundRect(px, py, 1 + g, 1 + g, float(w) - 1 - g, float(h) - 1 - g, std::max(r - 1 - g, 0.f));
        });
        layer.Fill(ring, look.hotGlow, 0.9f);
    }
    Sheen(layer, inner, 1, h * 0.5f, look.gloss * (state == ButtonState::Down ? 0.4f : 1.f));
    TopLight(layer, 1, 1, float(w - 1), float(h - 1), std::max(r - 1, 0.f),
             state == ButtonState::Down ? look.innerLight * 0.3f : look.innerLight);
    return look.keyed ? layer.FlattenKeyed(look.background) : layer.Flatten(look.background);
}

// ------------------------------------------------------------------------ check box and radio

namespace {

Mask CheckMark(int w, int h, float x0, float y0, float box, float width) {
    Mask mark(w, h);
    mark.AddPolyline({{x0 + box * 0.22f, y0 + box * 0.52f},
                      {x0 + box * 0.42f, y0 + box * 0.72f},
                      {x0 + box * 0.78f, y0 + box * 0.28f}},
                     width);
    return mark;
}

}  // namespace

TBitmapImage PaintCheckBox(int w, int h, const ToggleLook& look, bool checked, bool enabled) {
    Layer layer(w, h);
    const float box = float(look.boxSize);
    const float x0 = std::floor((w - box) / 2), y0 = std::floor((h - box) / 2);
    Mask outer(w, h);
    outer.AddRoundRect(x0, y0, x0 + box, y0 + box, look.radius);
    layer.Fill(outer, enabled ? look.border : look.borderDisabled);
    Mask inner(w, h);
    inner.AddRoundRect(x0 + 1, y0 + 1, x0 + box - 1, y0 + box - 1, std::max(look.radius - 1, 0.f));
    const Gradient& fill =
        !enabled ? look.fillDisabled : (checked && look.fillWhenChecked ? look.fillChecked : look.fill);
    layer.FillVertical(inner, fill, y0 + 1, y0 + box - 1);
    Sheen(layer, inner, y0 + 1, y0 + box / 2, enabled ? look.gloss : look.gloss * 0.5f);
    if (checked) layer.Fill(CheckMark(w, h, x0, y0, box, std::max(1.6f, box * 0.16f)), enabled ? look.mark : look.markDisabled);
    return layer.Flatten(look.background);
}

TBitmapImage PaintRadio(int w, int h, const ToggleLook& look, bool checked, bool enabled) {
    Layer layer(w, h);
    const float box = float(look.boxSize);
    const float cx = w / 2.f, cy = h / 2.f, r = box / 2;
    Mask outer(w, h);
    outer.AddCircle(cx, cy, r);
    layer.Fill(outer, enabled ? look.border : look.borderDisabled);
    Mask inner(w, h);
    inner.AddCircle(cx, cy, r - 1);
    const Gradient& fill =
        !enabled ? look.fillDisabled : (checked && look.fillWhenChecked ? look.fillChecked : look.fill);
    layer.FillVertical(inner, fill, cy - r, cy + r);
    Sheen(layer, inner, cy - r, cy, enabled ? look.gloss : look.gloss * 0.5f);
    if (checked) {
        Mask dot(w, h);
        dot.AddCircle(cx, cy, std::max(1.8f, box * 0.19f));
        layer.Fill(dot, enabled ? look.mark : look.markDisabled);
    }
    TBitmapImage out = layer.FlattenKeyed(look.background);
    ForceKey(out, 0, h - 1);
    return out;
}

// ---------------------------------------------------------------------------------- title bar

Layer TitleLayer(int w, int h, const TitleLook& look) {
    Layer layer(w, h);
    Mask all(w, h);
    all.AddSdf([](float, float) { return -10.f; });
    layer.FillVertical(all, look.body, 0, float(h));
    Sheen(layer, all, 0, h * look.glossEnd, look.gloss);
    if (look.topLineOpacity > 0) {
        Mask top(w, h);
        top.AddSdf([](float, float y) { return y < 1 ? -10.f : 10.f; });
        layer.Fill(top, look.topLine, look.topLineOpacity);
    }
    if (look.bottomLineOpacity > 0) {
        Mask bottom(w, h);
        bottom.AddSdf([h](float, float y) { return y > h - 1 ? -10.f : 10.f; });
        layer.Fill(bottom, look.bottomLine, look.bottomLineOpacity);
    }
    return layer;
}

// ----------------------------------------------------------------------------- caption buttons

Mask GlyphMask(int w, int h, Glyph glyph, float x0, float y0, float box, float width) {
    Mask m(w, h);
    const float x1 = x0 + box, y1 = y0 + box;
    switch (glyph) {
    case Glyph::Close:
        m.AddLine(x0, y0, x1, y1, width * 1.15f);
        m.AddLine(x1, y0, x0, y1, width * 1.15f);
        break;
    case Glyph::Min:
        m.AddLine(x0 + 0.5f, y1 - width / 2, x1 - 0.5f, y1 - width / 2, width * 1.2f);
        break;
    case Glyph::Max: {
        m.AddRoundRect(x0, y0, x1, y1, 0.5f);
        const float t = width;
        m.SubtractSdf([=](float px, float py) { return SdRoundRect(px, py, x0 + t, y0 + t * 1.7f, x1 - t, y1 - t, 0); });
        break;
    }
    case Glyph::Restore: {
        const float s = box * 0.72f, t = width * 0.9f;
        // The window behind, up and to the right.
        m.AddRoundRect(x1 - s, y0, x1, y0 + s, 0.5f);
        m.SubtractSdf([=](float px, float py) { return SdRoundRect(px, py, x1 - s + t, y0 + t * 1.6f, x1 - t, y0 + s - t, 0); });
        // The window in front clears what it covers and draws its own frame.
        m.SubtractSdf([=](float px, float py) { return SdRoundRect(px, py, x0, y1 - s, x0 + s, y1, 0); });
        Mask front(w, h);
        front.AddRoundRect(x0, y1 - s, x0 + s, y1, 0.5f);
        front.SubtractSdf([=](float px, float py) { return SdRoundRect(px, py, x0 + t, y1 - s + t * 1.6f, x0 + s - t, y1 - t, 0); });
        m.Add(front);
        break;
    }
    case Glyph::Help: {
        const float cx = x0 + box / 2, r = box * 0.27f;
        const float cy = y0 + r + width * 0.45f;
        m.AddArc(cx, cy, r, 160, -40, width);
        const float ex = cx + r * std::cos(-40 * 3.14159265f / 180), ey = cy - r * std::sin(-40 * 3.14159265f / 180);
        m.AddPolyline({{ex, ey}, {cx, ey + r * 0.45f}, {cx, y0 + box * 0.70f}}, width);
        m.AddCircle(cx, y1 - width * 0.55f, width * 0.62f);
        break;
    }
    case Glyph::ControlBox: {
        const float cx = x0 + box / 2, cy = y0 + box / 2, r = box * 0.55f;
        m.AddPolygon({{cx, cy - r}, {cx + r, cy}, {cx, cy + r}, {cx - r, cy}});
        m.SubtractSdf([=](float px, float py) { return SdCircle(px, py, cx, cy, r * 0.32f); });
        break;
    }
    }
    return m;
}

TBitmapImage PaintCaptionButton(int w, int h, const CaptionLook& look, Glyph glyph, ButtonState state) {
    const int s = static_cast<int>(state);
    const bool close = glyph == Glyph::Close;
    Layer layer(w, h);
    const float in = float(look.inset);
    Mask outer(w, h), inner(w, h);
    float faceTop = in, faceBottom = h - in;
    if (look.shape == CaptionShape::Circle) {
        const float r = std::min(w, h) / 2.f - in;
        outer.AddCircle(w / 2.f, h / 2.f, r);
        inner.AddCircle(w / 2.f, h / 2.f, r - 1);
        faceTop = h / 2.f - r;
        faceBottom = h / 2.f + r;
    } else {
        outer.AddRoundRect(in, in, w - in, h - in, look.radius);
        inner.AddRoundRect(in + 1, in + 1, w - in - 1, h - in - 1, std::max(look.radius - 1, 0.f));
    }
    Gradient face = close ? look.closeFace[s] : look.face[s];
    Color border = close ? look.closeBorder[s] : look.border[s];
    if (!look.gemFaces.empty()) {
        // Gems: one colour per kind of button, lighter when hot and darker when pressed.
        const Gradient& gem = look.gemFaces[static_cast<size_t>(glyph)];
        const Color top = gem.At(0), bottom = gem.At(1);
        const float k = state == ButtonState::Hot ? 0.18f : 0.f;
        const float d = state == ButtonState::Down ? 0.22f : 0.f;
        face = Gradient({{0.f, Darken(Lighten(top, k), d)}, {1.f, Darken(Lighten(bottom, k), d)}});
        border = Darken(bottom, 0.35f + d);
    }
    layer.Fill(outer, border);
    layer.FillVertical(inner, face, faceTop, faceBottom);
    Sheen(layer, inner, faceTop, faceTop + (faceBottom - faceTop) * 0.5f,
          state == ButtonState::Down ? look.gloss * 0.4f : look.gloss);
    if (look.glyphOnNormal || state != ButtonState::Normal) {
        const float box = std::round((std::min(w, h) - 2 * in) * (look.shape == CaptionShape::Circle ? 0.42f : 0.46f));
        const float gx = std::floor((w - box) / 2), gy = std::floor((h - box) / 2);
        Mask g = GlyphMask(w, h, glyph, gx, gy, box, look.glyphWidth);
        layer.Fill(g, close ? look.closeGlyph[s] : look.glyph[s]);
    }
    if (look.keyed) {
        const Color matte = look.backgroundColumn.empty() ? face.At(0.5f) : look.backgroundColumn[h / 2];
        TBitmapImage out = layer.FlattenKeyed(matte);
        ForceKey(out, 0, h - 1);
        return out;
    }
    return OverColumn(layer, look.backgroundColumn).Flatten(Rgb(0, 0, 0));
}

TBitmapImage CaptionStrip(int w, int h, const CaptionLook& look) {
    std::vector<TBitmapImage> images;
    for (Glyph g : {Glyph::ControlBox, Glyph::Help, Glyph::Max, Glyph::Restore, Glyph::Min, Glyph::Close})
        for (ButtonState s : {ButtonState::Normal, ButtonState::Hot, ButtonState::Down})
            images.push_back(PaintCaptionButton(w, h, look, g, s));
    return Strip(images);
}

// -------------------------------------------------------------------------------- scroll bars

TBitmapImage PaintArrowButton(int w, int h, const ScrollLook& look, ButtonState state, Direction direction) {
    const int s = static_cast<int>(state);
    Layer layer(w, h);
    Mask outer(w, h), inner(w, h);
    outer.AddRoundRect(0, 0, float(w), float(h), look.radius);
    inner.AddRoundRect(1, 1, float(w - 1), float(h - 1), std::max(look.radius - 1, 0.f));
    layer.Fill(outer, look.border[s]);
    const bool vertical = direction == Direction::Up || direction == Direction::Down;
    // Shaded across the bar: left to right on a vertical bar, top to bottom on a horizontal one.
    if (vertical)
        layer.FillHorizontal(inner, look.face[s], 1, float(w - 1));
    else
        layer.FillVertical(inner, look.face[s], 1, float(h - 1));
    if (vertical) {
        Mask sheen = inner;
        sheen.ScaleBy([w](float x, float) { return x < w * 0.55f ? 1.f - x / (w * 0.55f) : 0.f; });
        layer.Fill(sheen, Rgb(255, 255, 255), state == ButtonState::Down ? look.gloss * 0.4f : look.gloss);
    } else {
        Sheen(layer, inner, 1, h * 0.5f, state == ButtonState::Down ? look.gloss * 0.4f : look.gloss);
    }
    const float cx = w / 2.f + (state == ButtonState::Down ? 0.5f : 0), cy = h / 2.f + (state == ButtonState::Down ? 0.5f : 0);
    const float half = std::min(w, h) * 0.24f, depth = std::min(w, h) * 0.16f;
    std::vector<std::pair<float, float>> tri;
    switch (direction) {
    case Direction::Up: tri = {{cx - half, cy + depth}, {cx + half, cy + depth}, {cx, cy - depth * 1.2f}}; break;
    case Direction::Down: tri = {{cx - half, cy - depth}, {cx + half, cy - depth}, {cx, cy + depth * 1.2f}}; break;
    case Direction::Left: tri = {{cx + depth, cy - half}, {cx + depth, cy + half}, {cx - depth * 1.2f, cy}}; break;
    case Direction::Right: tri = {{cx - depth, cy - half}, {cx - depth, cy + half}, {cx + depth * 1.2f, cy}}; break;
    }
    Mask arrow(w, h);
    arrow.AddPolygon(tri);
    layer.Fill(arrow, look.arrow[s]);
    return layer.Flatten(look.track);
}

TBitmapImage PaintScrollButtons(int w, int h, const ScrollLook& look) {
    std::vector<TBitmapImage> images;
    const int part = w / 6;
    for (Direction d : {Direction::Up, Direction::Down})
        for (ButtonState s : {ButtonState::Normal, ButtonState::Hot, ButtonState::Down})
            images.push_back(PaintArrowButton(part, h, look, s, d));
    return Strip(images);
}

TBitmapImage PaintScrollThumb(int partWidth, int h, const ScrollLook& look) {
    const int w = partWidth * 3;
    Layer layer(w, h);
    const float in = look.thumbInset;
    Mask outer(w, h), inner(w, h);
    outer.AddRoundRect(0, in, float(w), h - in, look.thumbRadius);
    inner.AddRoundRect(1, in + 1, float(w - 1), h - in - 1, std::max(look.thumbRadius - 1, 0.f));
    layer.Fill(outer, look.thumbBorder);
    layer.FillVertical(inner, look.thumb, in + 1, h - in - 1);
    Sheen(layer, inner, in + 1, h * 0.5f, look.gloss);
    return layer.Flatten(look.track);
}

// ------------------------------------------------------------------------------ small pieces

TBitmapImage PaintProgress(int w, int h, const Gradient& fill, Color background, bool stripes, Color gap,
                           int gapWidth) {
    Layer layer(w, h);
    Mask all(w, h);
    all.AddSdf([](float, float) { return -10.f; });
    layer.FillVertical(all, fill, 0, float(h));
    if (stripes) {
        Mask stripe(w, h);
        stripe.AddSdf([w](float x, float y) {
            const float u = std::fmod(x + y + w * 4.f, float(w));
            return std::fabs(u - w / 2.f) - w / 4.f;
        });
        layer.Fill(stripe, Rgb(255, 255, 255), 0.28f);
    }
    Sheen(layer, all, 0, h * 0.5f, 0.35f);
    if (gapWidth > 0) {
        Mask g(w, h);
        g.AddSdf([w, gapWidth](float x, float) { return x > w - gapWidth ? -10.f : 10.f; });
        layer.Fill(g, gap);
    }
    return layer.Flatten(background);
}

TBitmapImage PaintTrackBar(int w, int h, Color border, const Gradient& groove, Color background) {
    Layer layer(w, h);
    const float r = std::min(h / 2.f, 3.f);
    Mask outer(w, h), inner(w, h);
    outer.AddRoundRect(0, 0, float(w), float(h), r);
    inner.AddRoundRect(1, 1, float(w - 1), float(h - 1), std::max(r - 1, 0.f));
    layer.Fill(outer, border);
    layer.FillVertical(inner, groove, 1, float(h - 1));
    return layer.Flatten(background);
}

TBitmapImage PaintSlider(int w, int h, bool pointRight, const Gradient& face, Color border, Color background,
                         bool keyed) {
    // Drawn pointing down in a (pw x ph) box, then turned for a right-pointing slider.
    const int pw = pointRight ? h : w, ph = pointRight ? w : h;
    Layer layer(pw, ph);
    const float tip = pw / 2.f;
    auto shape = [&](float in) {
        return std::vector<std::pair<float, float>>{{in, in + 1.5f},        {in + 1.5f, in},
                                                    {pw - in - 1.5f, in},    {pw - in, in + 1.5f},
                                                    {pw - in, ph - tip - in * 0.4f}, {pw / 2.f, ph - in * 1.4f},
                                                    {in, ph - tip - in * 0.4f}};
    };
    Mask outer(pw, ph), inner(pw, ph);
    outer.AddPolygon(shape(0));
    inner.AddPolygon(shape(1));
    layer.Fill(outer, border);
    layer.FillHorizontal(inner, face, 1, float(pw - 1));
    Mask sheen = inner;
    sheen.ScaleBy([pw](float x, float) { return x < pw * 0.5f ? 1.f : 0.f; });
    layer.Fill(sheen, Rgb(255, 255, 255), 0.3f);
    TBitmapImage out = keyed ? layer.FlattenKeyed(background) : layer.Flatten(background);
    if (keyed) ForceKey(out, 0, out.height - 1);
    if (pointRight) out = RotateClockwise(RotateClockwise(RotateClockwise(out)));
    if (keyed) ForceKey(out, 0, out.height - 1);
    return out;
}

TBitmapImage PaintCheckList(int w, int h, const ToggleLook& look) {
    ToggleLook small = look;
    small.boxSize = std::min(w / 4, h) - 2;
    small.radius = std::min(look.radius, 1.5f);
    return Strip({PaintCheckBox(w / 4, h, small, true, true), PaintCheckBox(w / 4, h, small, false, true),
                  PaintCheckBox(w / 4, h, small, true, false), PaintCheckBox(w / 4, h, small, false, false)});
}

TBitmapImage PaintScrollButtonPair(int w, int h, const ScrollLook& look) {
    const int part = w / 4;
    return Strip({PaintArrowButton(part, h, look, ButtonState::Normal, Direction::Left),
                  PaintArrowButton(part, h, look, ButtonState::Down, Direction::Left),
                  PaintArrowButton(part, h, look, ButtonState::Normal, Direction::Right),
                  PaintArrowButton(part, h, look, ButtonState::Down, Direction::Right)});
}

TBitmapImage PaintTabs(int w, int h, const Gradient& face, const Gradient& selectedFace, Color border,
                       Color background, float radius) {
    const int part = w / 3;
    std::vector<TBitmapImage> images;
    for (int i = 0; i < 3; ++i) {
        Layer layer(part, h);
        const float top = i == 2 ? 0.f : 2.f;  // the selected tab stands higher
        Mask outer(part, h), inner(part, h);
        outer.AddRoundRect(0, top, float(part), h + radius + 2, radius);
        inner.AddRoundRect(1, top + 1, float(part - 1), h + radius + 2, std::max(radius - 1, 0.f));
        layer.Fill(outer, border);
        Gradient g = i == 2 ? selectedFace : face;
        if (i == 1) g = Gradient({{0.f, Lighten(face.At(0), 0.4f)}, {1.f, Lighten(face.At(1), 0.3f)}});
        layer.FillVertical(inner, g, top + 1, float(h));
        images.push_back(layer.Flatten(background));
    }
    return Strip(images);
}

TBitmapImage PaintTabLine(int w, int h, Color line, Color fill) {
    TBitmapImage out = Blank(w, h, fill);
    for (int x = 0; x < w; ++x) SetPixel(out, x, 0, line);
    return out;
}

TBitmapImage PaintSideHandle(int w, int h, const Gradient& face, Color border, Color grip, Color background) {
    Layer layer(w, h);
    const float r = std::min(w / 2.f, 3.f);
    Mask outer(w, h), inner(w, h);
    outer.AddRoundRect(0, 0, float(w), float(h), r);
    inner.AddRoundRect(1, 1, float(w - 1), float(h - 1), std::max(r - 1, 0.f));
    layer.Fill(outer, border);
    layer.FillHorizontal(inner, face, 1, float(w - 1));
    Mask grips(w, h);
    for (int i = -2; i <= 2; ++i) grips.AddLine(2, h / 2.f + i * 3, w - 2.f, h / 2.f + i * 3, 1);
    layer.Fill(grips, grip, 0.8f);
    return layer.Flatten(background);
}

TBitmapImage PaintColumn(int h, const Gradient& g) {
    TBitmapImage out(1, h);
    for (int y = 0; y < h; ++y) SetPixel(out, 0, y, g.At((y + 0.5f) / h));
    return out;
}

// ------------------------------------------------------------------------------------ extras

TBitmapImage PaintMenuChecked() {
    // Masked by white where it is drawn: the background must stay pure white.
    Layer layer(16, 16);
    Mask mark(16, 16);
    mark.AddPolyline({{4.f, 8.5f}, {6.8f, 11.3f}, {12.f, 5.f}}, 2.1f);
    layer.Fill(mark, Rgb(0, 0, 0));
    return layer.Flatten(Rgb(255, 255, 255));
}

}  // namespace skinart
