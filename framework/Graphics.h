#pragma once
// Drawing: brushes and pens that own their GDI objects, a canvas over a device context, bitmaps
// held as DIB sections (loaded from resources or from strictly validated .bmp data), pictures,
// icons and image lists.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/ClassBuilder.h"
#include "framework/Component.h"
#include "framework/Font.h"

namespace vl {

class TStream;
class TWinControl;

// Colours: 0x00BBGGRR, or 0xFF0000nn for system colour nn (see ColorToRGB in Font.h).
inline constexpr uint32_t clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                          clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                          clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                          clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
                          clNone = 0x1FFFFFFF, clDefault = 0x20000000;
inline constexpr uint32_t clScrollBar = 0xFF000000, clBackground = 0xFF000001, clMenu = 0xFF000004,
                          clWindow = 0xFF000005, clWindowFrame = 0xFF000006, clMenuText = 0xFF000007,
                          clWindowText = 0xFF000008, clHighlight = 0xFF00000D, clHighlightText = 0xFF00000E,
                          clBtnFace = 0xFF00000F, clBtnShadow = 0xFF000010, clGrayText = 0xFF000011,
                          clBtnText = 0xFF000012, clBtnHighlight = 0xFF000014, cl3DDkShadow = 0xFF000015,
                          cl3DLight = 0xFF000016, clInfoText = 0xFF000017, clInfoBk = 0xFF000018;

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
    void FreeHandle() const;

    uint32_t color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::Solid;
    mutable HBRUSH handle_ = nullptr;
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
    void FreeHandle() const;

    uint32_t color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = TPenStyle::Solid;
    mutable HPEN handle_ = nullptr;
};

class TBitmap;

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
    HFONT fontCopy_ = nullptr;  // the canvas's own copy of font_, selected into dc_
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
    HDC windowDC_ = nullptr;
};

enum class TPixelFormat { Device, Bit24, Bit32 };
template <> struct TEnumNames<TPixelFormat> { static const TEnumTable<TPixelFormat>& Table(); };

// Limits for bitmap data read from files and streams.
inline constexpr int kMaxBitmapDimension = 16384;
inline constexpr uint64_t kMaxBitmapPixels = 64ull * 1024 * 1024;

// A bitmap held as a 32-bit top-down DIB section that it owns, with a memory device context and
// a canvas created on demand.
class TBitmap : public TPersistent {
    VL_DECLARE_CLASS()
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetWidth(int w) { SetSize(w, height_); }
    void SetHeight(int h) { SetSize(width_, h); }
    // Resizes, keeping the overlapping part of the picture; new pixels are black.
    void SetSize(int width, int height);
    bool Empty() const { return !bitmap_; }
    // Frees the picture (size 0 x 0).
    void Clear();
    TPixelFormat PixelFormat() const { return pixelFormat_; }
    // The format used by SaveToStream (the pixels are always kept as 32-bit).
    void SetPixelFormat(TPixelFormat f) { pixelFormat_ = f; }

    // The DIB section. While the bitmap's canvas is alive it stays selected in the canvas's
    // memory context; call Dormant first to hand the bitmap to APIs that select it themselves.
    HBITMAP Handle() const { return bitmap_; }
    void Dormant();
    TCanvas& Canvas();
    // Row y of the pixels (BGRA, 4 bytes per pixel), top row first.
    uint8_t* ScanLine(int y);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    // Defaults to the bottom-left pixel; setting it fixes it.
    uint32_t TransparentColor();
    void SetTransparentColor(uint32_t color);

    // Reads an RT_BITMAP resource by name (or MAKEINTRESOURCE id); a missing resource or bad
    // data raises EInvalidGraphic.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);
    void LoadFromResourceID(HINSTANCE instance, int id);
    // Reads a .bmp file's bytes from the stream's position; every header field is checked
    // before use and bad data raises EInvalidGraphic, leaving the bitmap unchanged.
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);
    void LoadFromMemory(const uint8_t* data, size_t size);
    // Form data ("Glyph.Data"): .bmp bytes, optionally after a 32-bit size.
    void SetData(const std::vector<uint8_t>& data);
    void SaveToStream(TStream& stream) const;
    void SaveToFile(const std::string& fileName) const;
    // Takes over a bitmap handle: its pixels are copied into a DIB section of ours; `bitmap` is
    // not freed.
    void CopyFromHandle(HBITMAP bitmap);

    void Assign(const TPersistent& source) override;

    TGraphicsEvent OnChange;

private:
    friend class TBitmapCanvas;
    // Selects the bitmap into a memory context of its own and gives that to the canvas.
    void AttachCanvas();
    void Changed();
    // Decodes a .bmp file (with its 14-byte header) or a packed DIB (a resource) into `target`.
    static void DecodeBmp(const uint8_t* data, size_t size, bool hasFileHeader, TBitmap& target);
    // Replaces the picture with a new black DIB section.
    void Create(int width, int height);
    void Swap(TBitmap& other);

    HBITMAP bitmap_ = nullptr;
    uint8_t* bits_ = nullptr;
    int width_ = 0, height_ = 0;
    TPixelFormat pixelFormat_ = TPixelFormat::Bit32;
    HDC memDC_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    std::unique_ptr<TCanvas> canvas_;
    bool transparent_ = false;
    bool transparentColorFixed_ = false;
    uint32_t transparentColor_ = 0;
};

// A picture: holds a bitmap. Form descriptions give it as "Picture.Data" (the bytes of a .bmp
// file) or through "Picture.Bitmap".
class TPicture : public TPersistent {
    VL_DECLARE_CLASS()
public:
    TPicture();
    ~TPicture() override;

    TBitmap* Bitmap() { return &bitmap_; }
    int Width() const { return bitmap_.Width(); }
    int Height() const { return bitmap_.Height(); }
    bool Empty() const { return bitmap_.Empty(); }
    void LoadFromFile(const std::string& fileName) { bitmap_.LoadFromFile(fileName); }
    // Form data: the .bmp bytes, optionally preceded by a length-prefixed class name
    // ("\x07TBitmap") and a 32-bit size, as older tools write it.
    void SetData(const std::vector<uint8_t>& data);
    void Assign(const TPersistent& source) override;

    TGraphicsEvent OnChange;

private:
    TBitmap bitmap_;
};

// An icon handle that it owns.
class TIcon : public TPersistent {
    VL_DECLARE_CLASS()
public:
    TIcon() = default;
    ~TIcon() override;

    HICON Handle() const { return icon_; }
    // Takes ownership of `icon` (frees the previous one).
    void SetHandle(HICON icon);
    // Gives up ownership and returns the handle.
    HICON ReleaseHandle();
    bool Empty() const { return !icon_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Loads an icon resource at the given size (0: the system's large icon size).
    void LoadFromResourceName(HINSTANCE instance, const std::string& name, int size = 0);
    // Reads a .ico file's bytes and makes an icon of the image closest to 32 x 32 (the deepest
    // one among equals); bad data raises EInvalidGraphic.
    void LoadFromMemory(const uint8_t* data, size_t size);
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);

    // Copies the other icon's image into a handle of its own.
    void Assign(const TPersistent& source) override;

    TGraphicsEvent OnChange;

private:
    void Changed();
    HICON icon_ = nullptr;
    int width_ = 0, height_ = 0;
};

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

// Paints through an off-screen bitmap covering `rect` of `dc` and copies it in one block; the
// painter draws in the same coordinates as on `dc`.
void PaintBuffered(HDC dc, const RECT& rect, const std::function<void(HDC)>& paint);

// Draws a one-colour-per-side frame `width` pixels wide, inside `rect`, and shrinks `rect` by it.
void Frame3D(HDC dc, RECT& rect, COLORREF topLeft, COLORREF bottomRight, int width);

}  // namespace vl
