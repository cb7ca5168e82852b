#pragma once
// A memory device context with a bitmap of a given size, for drawing a control off-screen and
// copying it to the screen in one block. Owns both GDI objects; not copyable.
#include <windows.h>

namespace vorlinde {

class TOffscreenBuffer {
public:
    // A buffer compatible with `reference`, `width` by `height` pixels (at least 1 by 1).
    TOffscreenBuffer(HDC reference, int width, int height);
    ~TOffscreenBuffer();
    TOffscreenBuffer(const TOffscreenBuffer&) = delete;
    TOffscreenBuffer& operator=(const TOffscreenBuffer&) = delete;

    HDC DC() const { return dc_; }
    // Copies the buffer to (0, 0) of `target`.
    void CopyTo(HDC target) const;

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    int width_ = 0, height_ = 0;
};

// Selects a GDI object into a device context and puts the previous one back when it ends.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~TSelectObject() { SelectObject(dc_, old_); }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The screen's device context, released when it ends.
class TScreenDC {
public:
    TScreenDC() : dc_(GetDC(nullptr)) {}
    ~TScreenDC() { ReleaseDC(nullptr, dc_); }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;

    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// A solid brush that is deleted when it ends.
class TSolidBrush {
public:
    explicit TSolidBrush(COLORREF color) : brush_(CreateSolidBrush(color)) {}
    ~TSolidBrush() { if (brush_) DeleteObject(brush_); }
    TSolidBrush(const TSolidBrush&) = delete;
    TSolidBrush& operator=(const TSolidBrush&) = delete;

    HBRUSH Get() const { return brush_; }

private:
    HBRUSH brush_;
};

}  // namespace vorlinde
