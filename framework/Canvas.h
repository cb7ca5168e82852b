#pragma once
// Drawing on a device context: TCanvas over a context it does not own, TControlCanvas over a
// window's client area, and Frame3D for bevelled frames.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/ClassBuilder.h"
#include "framework/Component.h"
#include "framework/Font.h"
#include "framework/GdiOwners.h"
#include "framework/GraphicsObjects.h"

namespace vl {

class TBitmap;
class TWinControl;

// Drawing on a device context that the canvas does not own. Its font, brush and pen are selected
// into the context when a drawing call needs them; the context's original objects are put back
// when the canvas lets go of it (destruction or SetHandle), so nothing of the canvas stays
// selected and nothing leaks.
class TCanvas : public TPersistent {
    VL_DECLARE_CLASS()
public:
    TCanvas();
    explicit TCanvas(HDC dc);
    ~TCanvas() override;

    // The device context with the canvas's font, brush and pen selected.
    HDC Handle();
    bool HandleAllocated() const { return dc_ != nullptr; }
    // Switches to another device context (or none), restoring the old one's objects first.
    void SetHandle(HDC dc);

    TFont* Font() { return &font_; }
    TBrush* Brush() { return &brush_; }
    TPen* Pen() { return &pen_; }
    void SetFont(const TFont& font) { font_.Assign(font); }

    void TextOut(int x, int y, const std::string& text);
    // TextOut clipped to `rect`.
    void TextRect(const RECT& rect, int x, int y, const std::string& text);
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    // DrawText with the canvas's font; '&' marks an accelerator unless `flags` has DT_NOPREFIX.
    // Returns the height of the text (with DT_CALCRECT `rect` receives the extent).
    int DrawText(const std::string& text, RECT& rect, UINT flags);

    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    POINT PenPos() const { return penPos_; }
    void Polygon(const std::vector<POINT>& points);
    void Polyline(const std::vector<POINT>& points);

    // Draws the bitmap; a bitmap with Transparent on leaves its transparent colour out.
    void Draw(int x, int y, TBitmap& bitmap);
    void StretchDraw(const RECT& rect, TBitmap& bitmap);
    // Copies `source` of another canvas into `dest` of this one with CopyMode.
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& src);
    DWORD CopyMode() const { return copyMode_; }
    void SetCopyMode(DWORD rop) { copyMode_ = rop; }

    COLORREF Pixel(int x, int y);
    void SetPixel(int x, int y, uint32_t color);

protected:
    // Called by Handle when there is no context: a subclass may provide one with SetHandle.
    virtual void CreateHandle() {}
    // Releases the canvas's objects from the context (the original ones go back in).
    void DeselectObjects();
    HDC RawHandle() const { return dc_; }

private:
    HDC Prepare(bool font, bool brush, bool pen);
    void RequireFont();
    void RequireBrush();
    void RequirePen();
    void Init();

    HDC dc_ = nullptr;
    bool fontDirty_ = true;
    TFont font_;
    TBrush brush_;
    TPen pen_;
    TGdiFont fontCopy_;  // the canvas's own copy of font_, selected into dc_
    bool fontSelected_ = false, brushSelected_ = false, penSelected_ = false;
    HGDIOBJ oldFont_ = nullptr, oldBrush_ = nullptr, oldPen_ = nullptr;
    POINT penPos_{0, 0};
    DWORD copyMode_ = SRCCOPY;
};

// A canvas on a window's client area: GetDC on first use, ReleaseDC when destroyed.
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(HWND hwnd);
    explicit TControlCanvas(TWinControl& control);
    ~TControlCanvas() override;

protected:
    void CreateHandle() override;

private:
    HWND hwnd_;
    std::optional<TWindowDC> windowDC_;
};

// Draws a one-colour-per-side frame `width` pixels wide, inside `rect`, and shrinks `rect` by it.
void Frame3D(HDC dc, RECT& rect, COLORREF topLeft, COLORREF bottomRight, int width);

}  // namespace vl
