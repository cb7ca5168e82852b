#pragma once
// Move-only owners of GDI handles and device-context scopes, header-only so that every layer
// (the platform stand-ins included) draws with the same pieces:
//   TGdiObject<H>   a brush, pen, bitmap, font or region, deleted with its owner
//   TIconHandle     an icon made at run time, destroyed with its owner
//   TWindowDC       GetDC of a window (or of the screen), released with its owner
//   TWholeWindowDC  GetWindowDC of a window (frame included), released with its owner
//   TPaintDC        BeginPaint of a window for WM_PAINT, ended with its owner
//   TMemoryDC       a memory device context, deleted with its owner
//   TSelectObject   an object selected into a context, the previous one put back at scope end
//   TSavedDC        SaveDC at construction, RestoreDC at scope end
//   TBufferedPaint  an off-screen bitmap over a rectangle of a target context, drawn in the
//                   target's coordinates and copied to it in one block
#include <windows.h>

#include <utility>

namespace vl {

template <class H>
class TGdiObject {
public:
    TGdiObject() noexcept = default;
    explicit TGdiObject(H handle) noexcept : handle_(handle) {}
    ~TGdiObject() { Reset(); }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    TGdiObject(TGdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    TGdiObject& operator=(TGdiObject&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }

    H Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    // Deletes the held object and takes `handle` (or nothing).
    void Reset(H handle = nullptr) noexcept {
        if (H old = std::exchange(handle_, handle)) DeleteObject(old);
    }
    // Gives up ownership.
    [[nodiscard]] H Release() noexcept { return std::exchange(handle_, nullptr); }

private:
    H handle_ = nullptr;
};

using TGdiBrush = TGdiObject<HBRUSH>;
using TGdiPen = TGdiObject<HPEN>;
using TGdiBitmap = TGdiObject<HBITMAP>;
using TGdiFont = TGdiObject<HFONT>;
using TGdiRegion = TGdiObject<HRGN>;

inline TGdiBrush MakeSolidBrush(COLORREF color) noexcept { return TGdiBrush(CreateSolidBrush(color)); }
inline TGdiRegion MakeRectRegion(const RECT& rect) noexcept { return TGdiRegion(CreateRectRgnIndirect(&rect)); }
inline TGdiRegion MakeEmptyRegion() noexcept { return TGdiRegion(CreateRectRgn(0, 0, 0, 0)); }

// Fills `rect` of `dc` with one colour (a brush made and freed for the call).
inline void FillSolidRect(HDC dc, const RECT& rect, COLORREF color) noexcept {
    TGdiBrush brush = MakeSolidBrush(color);
    if (brush) ::FillRect(dc, &rect, brush.Get());
}

// An icon made at run time (CreateIconFromResourceEx, CopyIcon, ImageList_GetIcon), destroyed
// with its owner. Not for shared icons (LoadIcon, LR_SHARED), which must never be destroyed.
class TIconHandle {
public:
    TIconHandle() noexcept = default;
    explicit TIconHandle(HICON icon) noexcept : icon_(icon) {}
    ~TIconHandle() { Reset(); }
    TIconHandle(const TIconHandle&) = delete;
    TIconHandle& operator=(const TIconHandle&) = delete;
    TIconHandle(TIconHandle&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
    TIconHandle& operator=(TIconHandle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.icon_, nullptr));
        return *this;
    }

    HICON Get() const noexcept { return icon_; }
    explicit operator bool() const noexcept { return icon_ != nullptr; }
    void Reset(HICON icon = nullptr) noexcept {
        if (HICON old = std::exchange(icon_, icon)) DestroyIcon(old);
    }
    [[nodiscard]] HICON Release() noexcept { return std::exchange(icon_, nullptr); }

private:
    HICON icon_ = nullptr;
};

// The device context of a window's client area, or of the whole screen for a null window.
class TWindowDC {
public:
    explicit TWindowDC(HWND window = nullptr) noexcept : window_(window), dc_(GetDC(window)) {}
    ~TWindowDC() { Reset(); }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    TWindowDC(TWindowDC&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
    TWindowDC& operator=(TWindowDC&& other) noexcept {
        if (this != &other) {
            Reset();
            window_ = std::exchange(other.window_, nullptr);
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }

    HDC Get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    void Reset() noexcept {
        if (HDC dc = std::exchange(dc_, nullptr)) ReleaseDC(window_, dc);
    }
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// The device context of a window's whole rectangle, its frame included, in window coordinates
// (0, 0 is the window's top-left corner).
class TWholeWindowDC {
public:
    explicit TWholeWindowDC(HWND window) noexcept : window_(window), dc_(window ? GetWindowDC(window) : nullptr) {}
    ~TWholeWindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    TWholeWindowDC(const TWholeWindowDC&) = delete;
    TWholeWindowDC& operator=(const TWholeWindowDC&) = delete;
    TWholeWindowDC(TWholeWindowDC&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
    TWholeWindowDC& operator=(TWholeWindowDC&&) = delete;

    HDC Get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint of a window while WM_PAINT is handled; EndPaint when the owner ends, also when the
// painting threw.
class TPaintDC {
public:
    explicit TPaintDC(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &ps_)) {}
    ~TPaintDC() {
        if (dc_) EndPaint(window_, &ps_);
    }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;
    TPaintDC(TPaintDC&& other) noexcept
        : window_(other.window_), ps_(other.ps_), dc_(std::exchange(other.dc_, nullptr)) {}
    TPaintDC& operator=(TPaintDC&&) = delete;

    HDC Get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }
    // The part of the window that needs painting.
    const RECT& PaintRect() const noexcept { return ps_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};  // before dc_: BeginPaint fills it
    HDC dc_;
};

// The screen's device context.
class TScreenDC : public TWindowDC {
public:
    TScreenDC() noexcept : TWindowDC(nullptr) {}
};

// A memory device context compatible with `reference` (the screen when null).
class TMemoryDC {
public:
    explicit TMemoryDC(HDC reference = nullptr) noexcept : dc_(CreateCompatibleDC(reference)) {}
    ~TMemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    TMemoryDC(TMemoryDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    TMemoryDC& operator=(TMemoryDC&& other) noexcept {
        if (this != &other) {
            if (dc_) DeleteDC(dc_);
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }

    HDC Get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HDC dc_ = nullptr;
};

// Selects `object` into `dc` for the scope; a null object selects nothing.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~TSelectObject() {
        if (old_) SelectObject(dc_, old_);
    }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;
    TSelectObject(TSelectObject&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), old_(std::exchange(other.old_, nullptr)) {}
    TSelectObject& operator=(TSelectObject&&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Saves the whole state of `dc` (objects, colours, modes, clipping) for the scope.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc) noexcept : dc_(dc), id_(dc ? SaveDC(dc) : 0) {}
    ~TSavedDC() {
        if (id_) RestoreDC(dc_, id_);
    }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;
    TSavedDC(TSavedDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)), id_(std::exchange(other.id_, 0)) {}
    TSavedDC& operator=(TSavedDC&&) = delete;

private:
    HDC dc_;
    int id_;
};

// One off-screen bitmap covering `rect` of `target`. DC() draws in the target's own coordinates
// (the viewport is shifted by the rectangle's origin); Commit copies the picture to the target
// in one block. When no buffer can be made (out of GDI memory) DC() is the target itself, so
// painting still happens, only unbuffered. Nothing reaches the target unless Commit is called,
// so a painter that throws leaves the screen as it was.
class TBufferedPaint {
public:
    TBufferedPaint(HDC target, const RECT& rect) noexcept
        : target_(target), rect_(rect) {
        const int w = rect.right - rect.left, h = rect.bottom - rect.top;
        if (w <= 0 || h <= 0) {
            empty_ = true;
            return;
        }
        // In the screen's format: a target that is a memory context may still hold its default
        // one-bit bitmap, and a bitmap compatible with that would be monochrome.
        TScreenDC screen;
        memory_ = TMemoryDC(screen.Get());
        if (!memory_) return;
        bitmap_.Reset(CreateCompatibleBitmap(screen.Get(), w, h));
        if (!bitmap_) return;
        old_ = SelectObject(memory_.Get(), bitmap_.Get());
        SetViewportOrgEx(memory_.Get(), -rect.left, -rect.top, nullptr);
        buffered_ = true;
    }
    ~TBufferedPaint() {
        if (old_) SelectObject(memory_.Get(), old_);
    }
    TBufferedPaint(const TBufferedPaint&) = delete;
    TBufferedPaint& operator=(const TBufferedPaint&) = delete;

    // Where to draw: the buffer, or the target when there is none.
    HDC DC() const noexcept { return buffered_ ? memory_.Get() : target_; }
    bool Buffered() const noexcept { return buffered_; }
    // True for an empty rectangle: there is nothing to paint.
    bool Empty() const noexcept { return empty_; }
    const RECT& Rect() const noexcept { return rect_; }
    // Copies the buffer to the target (nothing to do when painting went to the target).
    void Commit() const noexcept {
        if (!buffered_) return;
        BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top, memory_.Get(),
               rect_.left, rect_.top, SRCCOPY);
    }

private:
    HDC target_;
    RECT rect_;
    TMemoryDC memory_;
    TGdiBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
    bool buffered_ = false;
    bool empty_ = false;
};

// Paints through a TBufferedPaint over `rect` of `dc`: `paint(HDC)` draws in the same
// coordinates as on `dc`, and the result reaches `dc` in one block.
template <class Painter>
void PaintBuffered(HDC dc, const RECT& rect, Painter&& paint) {
    TBufferedPaint buffer(dc, rect);
    if (buffer.Empty()) return;
    paint(buffer.DC());
    buffer.Commit();
}

}  // namespace vl
