#include "Raster.h"

namespace skinart {

namespace {

float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
uint8_t ToByte(float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.f, 255.f))); }
float Coverage(float distance) { return Clamp01(0.5f - distance); }

}  // namespace

Color Gradient::At(float t) const {
    if (stops_.empty()) return {};
    if (t <= stops_.front().first) return stops_.front().second;
    for (size_t i = 1; i < stops_.size(); ++i) {
        if (t <= stops_[i].first) {
            const auto& [t0, c0] = stops_[i - 1];
            const auto& [t1, c1] = stops_[i];
            return t1 > t0 ? Mix(c0, c1, (t - t0) / (t1 - t0)) : c1;
        }
    }
    return stops_.back().second;
}

float SdRoundRect(float px, float py, float x0, float y0, float x1, float y1, float r) {
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const float hx = (x1 - x0) / 2 - r, hy = (y1 - y0) / 2 - r;
    const float qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
    const float ox = std::max(qx, 0.f), oy = std::max(qy, 0.f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.f) - r;
}

float SdCircle(float px, float py, float cx, float cy, float r) { return std::hypot(px - cx, py - cy) - r; }

float SdSegment(float px, float py, float x0, float y0, float x1, float y1) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? ((px - x0) * dx + (py - y0) * dy) / len2 : 0;
    t = Clamp01(t);
    return std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
}

Mask& Mask::AddSdf(const std::function<float(float, float)>& sdf, float softness) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            float& a = Ref(x, y);
            float c = Coverage(sdf(x + 0.5f, y + 0.5f) / softness);
            if (softness > 1) c = c * c * (3 - 2 * c);  // soft edges fade smoothly
            a = std::max(a, c);
        }
    return *this;
}

Mask& Mask::SubtractSdf(const std::function<float(float, float)>& sdf) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            float& a = Ref(x, y);
            a = std::min(a, 1.f - Coverage(sdf(x + 0.5f, y + 0.5f)));
        }
    return *this;
}

Mask& Mask::IntersectSdf(const std::function<float(float, float)>& sdf) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            float& a = Ref(x, y);
            a = std::min(a, Coverage(sdf(x + 0.5f, y + 0.5f)));
        }
    return *this;
}

Mask& Mask::AddRoundRect(float x0, float y0, float x1, float y1, float radius) {
    return AddSdf([=](float px, float py) { return SdRoundRect(px, py, x0, y0, x1, y1, radius); });
}

Mask& Mask::AddCircle(float cx, float cy, float radius) {
    return AddSdf([=](float px, float py) { return SdCircle(px, py, cx, cy, radius); });
}

Mask& Mask::AddLine(float x0, float y0, float x1, float y1, float width) {
    const float half = width / 2;
    return AddSdf([=](float px, float py) { return SdSegment(px, py, x0, y0, x1, y1) - half; });
}

Mask& Mask::AddPolyline(const std::vector<std::pair<float, float>>& points, float width) {
    for (size_t i = 1; i < points.size(); ++i)
        AddLine(points[i - 1].first, points[i - 1].second, points[i].first, points[i].second, width);
    return *this;
}

Mask& Mask::AddArc(float cx, float cy, float radius, float fromDeg, float toDeg, float width) {
    std::vector<std::pair<float, float>> points;
    const int steps = std::max(8, static_cast<int>(std::fabs(toDeg - fromDeg) / 6));
    for (int i = 0; i <= steps; ++i) {
        const float a = (fromDeg + (toDeg - fromDeg) * i / steps) * 3.14159265f / 180.f;
        points.emplace_back(cx + radius * std::cos(a), cy - radius * std::sin(a));
    }
    return AddPolyline(points, width);
}

Mask& Mask::AddPolygon(const std::vector<std::pair<float, float>>& points) {
    constexpr int kSamples = 8;
    const size_t n = points.size();
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            int inside = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const float px = x + (sx + 0.5f) / kSamples, py = y + (sy + 0.5f) / kSamples;
                    bool in = false;
                    for (size_t i = 0, j = n - 1; i < n; j = i++) {
                        const auto [xi, yi] = points[i];
                        const auto [xj, yj] = points[j];
                        if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) in = !in;
                    }
                    inside += in;
                }
            float& a = Ref(x, y);
            a = std::max(a, float(inside) / (kSamples * kSamples));
        }
    return *this;
}

Mask& Mask::Add(const Mask& other) {
    for (size_t i = 0; i < a_.size(); ++i) a_[i] = std::max(a_[i], other.a_[i]);
    return *this;
}

Mask& Mask::Subtract(const Mask& other) {
    for (size_t i = 0; i < a_.size(); ++i) a_[i] = std::min(a_[i], 1.f - other.a_[i]);
    return *this;
}

Mask& Mask::ScaleBy(const std::function<float(float, float)>& f) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            float& a = Ref(x, y);
            a = Clamp01(a * f(x + 0.5f, y + 0.5f));
        }
    return *this;
}

Mask& Mask::Scale(float f) {
    for (float& a : a_) a = Clamp01(a * f);
    return *this;
}

void Layer::Blend(int x, int y, Color c, float a) {
    if (a <= 0) return;
    Px& p = px_[Index(x, y)];
    p.r = c.r * a + p.r * (1 - a);
    p.g = c.g * a + p.g * (1 - a);
    p.b = c.b * a + p.b * (1 - a);
    p.a = a + p.a * (1 - a);
}

void Layer::Fill(const Mask& mask, Color color, float opacity) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) Blend(x, y, color, mask.At(x, y) * opacity);
}

void Layer::Fill(const Mask& mask, const std::function<Color(float, float)>& paint, float opacity) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const float a = mask.At(x, y) * opacity;
            if (a > 0) Blend(x, y, paint(x + 0.5f, y + 0.5f), a);
        }
}

void Layer::FillVertical(const Mask& mask, const Gradient& g, float y0, float y1, float opacity) {
    Fill(mask, [&](float, float y) { return g.At((y - y0) / (y1 - y0)); }, opacity);
}

void Layer::FillHorizontal(const Mask& mask, const Gradient& g, float x0, float x1, float opacity) {
    Fill(mask, [&](float x, float) { return g.At((x - x0) / (x1 - x0)); }, opacity);
}

void Layer::FillAll(Color c) {
    for (Px& p : px_) p = {c.r, c.g, c.b, 1};
}

void Layer::Draw(const Layer& other, int dx, int dy) {
    for (int y = 0; y < other.h_; ++y)
        for (int x = 0; x < other.w_; ++x) {
            const int tx = x + dx, ty = y + dy;
            if (tx < 0 || ty < 0 || tx >= w_ || ty >= h_) continue;
            const Px& s = other.px_[other.Index(x, y)];
            Px& d = px_[Index(tx, ty)];
            d.r = s.r + d.r * (1 - s.a);
            d.g = s.g + d.g * (1 - s.a);
            d.b = s.b + d.b * (1 - s.a);
            d.a = s.a + d.a * (1 - s.a);
        }
}

vl::TBitmapImage Layer::Flatten(Color background) const {
    vl::TBitmapImage out(w_, h_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const Px& p = px_[Index(x, y)];
            uint8_t* o = out.Pixel(x, y);
            o[0] = ToByte(p.b + background.b * (1 - p.a));
            o[1] = ToByte(p.g + background.g * (1 - p.a));
            o[2] = ToByte(p.r + background.r * (1 - p.a));
            o[3] = 0;
        }
    return out;
}

vl::TBitmapImage Layer::FlattenKeyed(Color matte) const {
    vl::TBitmapImage out = Flatten(matte);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            if (px_[Index(x, y)].a < 0.5f) SetPixel(out, x, y, kMagenta);
    return out;
}

vl::TBitmapImage Blank(int w, int h, Color c) {
    vl::TBitmapImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(img, x, y, c);
    return img;
}

void Blit(vl::TBitmapImage& dst, const vl::TBitmapImage& src, int dx, int dy) {
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < src.width; ++x) {
            const int tx = x + dx, ty = y + dy;
            if (tx < 0 || ty < 0 || tx >= dst.width || ty >= dst.height) continue;
            std::copy_n(src.Pixel(x, y), 4, dst.Pixel(tx, ty));
        }
}

void SetPixel(vl::TBitmapImage& img, int x, int y, Color c) {
    uint8_t* p = img.Pixel(x, y);
    p[0] = ToByte(c.b);
    p[1] = ToByte(c.g);
    p[2] = ToByte(c.r);
    p[3] = 0;
}

Color GetPixel(const vl::TBitmapImage& img, int x, int y) {
    const uint8_t* p = img.Pixel(x, y);
    return Rgb(p[2], p[1], p[0]);
}

vl::TBitmapImage ScaleUp(const vl::TBitmapImage& img, int factor) {
    vl::TBitmapImage out(img.width * factor, img.height * factor);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) std::copy_n(img.Pixel(x / factor, y / factor), 4, out.Pixel(x, y));
    return out;
}

vl::TBitmapImage RotateClockwise(const vl::TBitmapImage& img) {
    vl::TBitmapImage out(img.height, img.width);
    // Source (x, y) goes to (h - 1 - y, x).
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) std::copy_n(img.Pixel(x, y), 4, out.Pixel(img.height - 1 - y, x));
    return out;
}

vl::TBitmapImage FlipVertical(const vl::TBitmapImage& img) {
    vl::TBitmapImage out(img.width, img.height);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) std::copy_n(img.Pixel(x, y), 4, out.Pixel(x, img.height - 1 - y));
    return out;
}

vl::TBitmapImage FlipHorizontal(const vl::TBitmapImage& img) {
    vl::TBitmapImage out(img.width, img.height);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) std::copy_n(img.Pixel(x, y), 4, out.Pixel(img.width - 1 - x, y));
    return out;
}

}  // namespace skinart
