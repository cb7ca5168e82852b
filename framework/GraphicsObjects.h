#pragma once
// Brush and pen descriptions that create their GDI objects on first use and own them, and tell
// their user before and after a change (a canvas deselects the object that is about to go).
#include <windows.h>

#include <cstdint>
#include <functional>

#include "framework/ClassBuilder.h"
#include "framework/Colors.h"
#include "framework/Component.h"
#include "framework/GdiOwners.h"

namespace vl {

enum class TBrushStyle { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };
enum class TPenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear, InsideFrame };
template <> struct TEnumNames<TBrushStyle> { static const TEnumTable<TBrushStyle>& Table(); };
template <> struct TEnumNames<TPenStyle> { static const TEnumTable<TPenStyle>& Table(); };

using TGraphicsEvent = std::function<void(TObject* sender)>;

// A brush description with a lazily created GDI brush that it owns.
class TBrush : public TPersistent {
    VL_DECLARE_CLASS()
public:
    TBrush() = default;
    ~TBrush() override;

    uint32_t Color() const { return color_; }
    void SetColor(uint32_t color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    // The GDI brush (the stock null brush for bsClear), created on first use.
    HBRUSH Handle() const;

    void Assign(const TPersistent& source) override;

    // OnChanging runs before the old GDI brush is freed (a canvas deselects it), OnChange after.
    TGraphicsEvent OnChanging;
    TGraphicsEvent OnChange;

private:
    void Changed();

    uint32_t color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::Solid;
    mutable TGdiBrush handle_;
};

// A pen description with a lazily created GDI pen that it owns.
class TPen : public TPersistent {
    VL_DECLARE_CLASS()
public:
    TPen() = default;
    ~TPen() override;

    uint32_t Color() const { return color_; }
    void SetColor(uint32_t color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    HPEN Handle() const;

    void Assign(const TPersistent& source) override;

    TGraphicsEvent OnChanging;
    TGraphicsEvent OnChange;

private:
    void Changed();

    uint32_t color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = TPenStyle::Solid;
    mutable TGdiPen handle_;
};

}  // namespace vl
