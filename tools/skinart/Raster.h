#pragma once
// A small anti-aliased rasteriser for the skin art: premultiplied RGBA float layers, coverage
// masks built from signed distances (rounded rectangles, circles, strokes) and supersampled
// polygons, gradients, and flattening onto a background colour or onto the magenta key that the
// skinned controls treat as see-through.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "framework/BitmapFile.h"

namespace skinart {

struct Color {
    float r = 0, g = 0, b = 0;
};

constexpr Color Rgb(int r, int g, int b) { return {float(r), float(g), float(b)}; }
inline Color Mix(Color a, Color b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
inline Color Lighten(Color c, float t) { return Mix(c, Rgb(255, 255, 255), t); }
inline Color Darken(Color c, float t) { return Mix(c, Rgb(0, 0, 0), t); }
inline Color Gray(Color c) {
    float l = 0.3f * c.r + 0.59f * c.g + 0.11f * c.b;
    return {l, l, l};
}

inline constexpr Color kMagenta = Rgb(255, 0, 255);

// Colour stops along 0..1.
class Gradient {
public:
    Gradient() = default;
    Gradient(std::initializer_list<std::pair<float, Color>> stops) : stops_(stops) {}
    static Gradient Solid(Color c) { return Gradient({{0.f, c}, {1.f, c}}); }
    Color At(float t) const;

private:
    std::vector<std::pair<float, Color>> stops_;
};

// Coverage 0..1 per pixel.
class Mask {
public:
    Mask(int w, int h) : w_(w), h_(h), a_(static_cast<size_t>(w) * h, 0.f) {}
    int Width() const { return w_; }
    int Height() const { return h_; }
    float At(int x, int y) const { return a_[static_cast<size_t>(y) * w_ + x]; }
    float& Ref(int x, int y) { return a_[static_cast<size_t>(y) * w_ + x]; }

    // Union with a shape given by its signed distance (negative inside) at pixel centres.
    // `softness` widens the anti-aliased edge (for shadows and glows).
    Mask& AddSdf(const std::function<float(float, float)>& sdf, float softness = 1.f);
    Mask& SubtractSdf(const std::function<float(float, float)>& sdf);
    Mask& IntersectSdf(const std::function<float(float, float)>& sdf);
    Mask& AddRoundRect(float x0, float y0, float x1, float y1, float radius);
    Mask& AddCircle(float cx, float cy, float radius);
    // A stroke of width `width` with round ends.
    Mask& AddLine(float x0, float y0, float x1, float y1, float width);
    // Connected strokes through the points.
    Mask& AddPolyline(const std::vector<std::pair<float, float>>& points, float width);
    // An arc of a circle, angles in degrees (0 = right, counter-clockwise on screen).
    Mask& AddArc(float cx, float cy, float radius, float fromDeg, float toDeg, float width);
    // A filled polygon, 8x8 supersampled.
    Mask& AddPolygon(const std::vector<std::pair<float, float>>& points);
    Mask& Add(const Mask& other);
    Mask& Subtract(const Mask& other);
    Mask& Scale(float f);
    // Multiplies each pixel's coverage by f(x, y) at its centre.
    Mask& ScaleBy(const std::function<float(float, float)>& f);

private:
    int w_, h_;
    std::vector<float> a_;
};

// Premultiplied RGBA layer.
class Layer {
public:
    Layer(int w, int h) : w_(w), h_(h), px_(static_cast<size_t>(w) * h) {}
    int Width() const { return w_; }
    int Height() const { return h_; }

    // Paints `color` with the coverage of `mask` times `opacity`.
    void Fill(const Mask& mask, Color color, float opacity = 1.f);
    // Paints a colour that depends on the position.
    void Fill(const Mask& mask, const std::function<Color(float x, float y)>& paint, float opacity = 1.f);
    void FillVertical(const Mask& mask, const Gradient& g, float y0, float y1, float opacity = 1.f);
    void FillHorizontal(const Mask& mask, const Gradient& g, float x0, float x1, float opacity = 1.f);
    void FillAll(Color c);
    void Draw(const Layer& other, int dx, int dy);

    // The picture over a background colour. With `key`, pixels less than half covered become
    // magenta (see-through for the skinned controls) and the others are blended over `matte`.
    vl::TBitmapImage Flatten(Color background) const;
    vl::TBitmapImage FlattenKeyed(Color matte) const;
    float Alpha(int x, int y) const { return px_[Index(x, y)].a; }

private:
    struct Px {
        float r = 0, g = 0, b = 0, a = 0;
    };
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * w_ + x; }
    void Blend(int x, int y, Color c, float a);

    int w_, h_;
    std::vector<Px> px_;
};

// Signed distances.
float SdRoundRect(float px, float py, float x0, float y0, float x1, float y1, float r);
float SdCircle(float px, float py, float cx, float cy, float r);
float SdSegment(float px, float py, float x0, float y0, float x1, float y1);

// Image helpers.
vl::TBitmapImage Blank(int w, int h, Color c);
void Blit(vl::TBitmapImage& dst, const vl::TBitmapImage& src, int dx, int dy);
void SetPixel(vl::TBitmapImage& img, int x, int y, Color c);
Color GetPixel(const vl::TBitmapImage& img, int x, int y);
// Nearest-neighbour scaling by an integer factor.
vl::TBitmapImage ScaleUp(const vl::TBitmapImage& img, int factor);
// Rotations by a quarter turn.
vl::TBitmapImage RotateClockwise(const vl::TBitmapImage& img);
vl::TBitmapImage FlipVertical(const vl::TBitmapImage& img);
vl::TBitmapImage FlipHorizontal(const vl::TBitmapImage& img);

}  // namespace skinart
