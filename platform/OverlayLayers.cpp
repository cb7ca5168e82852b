// The presenter's layer windows: click-through surfaces of the layer class, made, placed,
// shown, hidden and painted on the GUI thread (see OverlayPresenter.h).
#include <mutex>

#include "platform/DesktopPictureHold.h"
#include "platform/DesktopWindows.h"
#include "platform/LayerInput.h"
#include "platform/OverlayPresenter.h"

namespace vorlinde::platform {

namespace {

HINSTANCE ModuleInstance() { return GetModuleHandleA(nullptr); }

}  // namespace

void TOverlayPresenter::RegisterLayerClass() {
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSA layer{};
        layer.lpfnWndProc = DefWindowProcA;
        layer.hInstance = ModuleInstance();
        layer.hCursor = LoadCursor(nullptr, IDC_ARROW);
        layer.lpszClassName = kOverlayLayerClass;
        RegisterClassA(&layer);
    });
}

LRESULT CALLBACK TOverlayPresenter::LayerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Click-through: the window or desktop below takes the mouse.
    if (LRESULT result = 0; AnswerLayerInput(message, result)) return result;
    switch (message) {
    case WM_PAINT:
        if (auto* presenter = reinterpret_cast<TOverlayPresenter*>(GetWindowLongPtrA(window, GWLP_USERDATA))) {
            try {
                presenter->PaintLayer(window);
                return 0;
            } catch (...) {
                ValidateRect(window, nullptr);
                return 0;
            }
        }
        break;
    case WM_PRINTCLIENT:
        // What the layer shows, drawn into the caller's context (PrintWindow, a capture).
        if (auto* presenter = reinterpret_cast<TOverlayPresenter*>(GetWindowLongPtrA(window, GWLP_USERDATA))) {
            try {
                presenter->PaintLayerInto(window, reinterpret_cast<HDC>(wParam));
            } catch (...) {
                // Out of memory for the picture: the caller gets what was drawn so far.
            }
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool TOverlayPresenter::EnsureLayer(TLayer& layer, TLayerKind kind, HWND parent, COLORREF key) {
    // A layer goes with its owner or parent window; then it is made again.
    if (layer.window && !IsWindow(layer.window)) ForgetLayer(layer);
    if (layer.window && (layer.kind != kind || layer.parent != parent)) DestroyLayer(layer);
    if (!layer.window) {
        DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
        DWORD style = WS_POPUP;
        switch (kind) {
        case TLayerKind::Window:
            exStyle |= WS_EX_LAYERED | WS_EX_TRANSPARENT;
            break;
        case TLayerKind::DesktopTopMost:
            exStyle |= WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST;
            break;
        case TLayerKind::DesktopBackground:
            exStyle = WS_EX_NOACTIVATE;
            style = WS_CHILD | WS_DISABLED | WS_CLIPSIBLINGS;
            break;
        case TLayerKind::DesktopUnderIcons:
            // Progman is drawn by the compositor alone, without a redirection bitmap of its own:
            // a child shows there as a layered window, which has one.
            exStyle = WS_EX_NOACTIVATE | WS_EX_LAYERED;
            style = WS_CHILD | WS_DISABLED | WS_CLIPSIBLINGS;
            break;
        }
        HWND window = CreateWindowExA(exStyle, kOverlayLayerClass, "", style, 0, 0, 1, 1, parent, nullptr,
                                      ModuleInstance(), nullptr);
        if (!window) return false;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LayerProc));
        if (kind != TLayerKind::DesktopBackground) SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA);
        layer.window = window;
        layer.kind = kind;
        layer.parent = parent;
        layer.shown = false;
        layer.key = CLR_INVALID;
        layer.uncovered.Reset();
    }
    if (kind == TLayerKind::DesktopTopMost && layer.key != key) {
        // The bars beside the picture take their colour from the key.
        layer.key = key;
        InvalidateRect(layer.window, nullptr, FALSE);
    }
    return true;
}

// A taskbar shows a button for a visible top-level window without an owner (Wine's even for a
// tool window), so the top-most desktop layer gets an owner: a window that is never shown (and
// so never minimised, which would hide the layer with it).
HWND TOverlayPresenter::DesktopLayerOwner() {
    if (desktopLayerOwner_ && IsWindow(desktopLayerOwner_)) return desktopLayerOwner_;
    desktopLayerOwner_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kOverlayLayerClass, "", WS_POPUP, 0, 0,
                                         0, 0, nullptr, nullptr, ModuleInstance(), nullptr);
    return desktopLayerOwner_;
}

void TOverlayPresenter::ShowLayer(TLayer& layer, const RECT& rect, HWND insertAfter, bool repaintAll, bool newFrame) {
    // Placed after a sibling window: the sibling's owner may have moved it since.
    const bool misplaced = IsWindow(insertAfter) && GetWindow(insertAfter, GW_HWNDNEXT) != layer.window;
    if (!layer.shown || !SameRect(rect, layer.rect) || misplaced) {
        SetWindowPos(layer.window, insertAfter, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
        layer.shown = true;
        layer.rect = rect;
        repaintAll = true;
    }
    if (repaintAll) {
        InvalidateRect(layer.window, nullptr, FALSE);
    } else if (newFrame) {
        // Only the picture changed.
        if (layer.uncovered) {
            vl::TGdiRegion picture = vl::MakeRectRegion(layer.placement.destination);
            if (picture) {
                CombineRgn(picture.Get(), picture.Get(), layer.uncovered.Get(), RGN_AND);
                InvalidateRgn(layer.window, picture.Get(), FALSE);
            }
        } else {
            InvalidateRect(layer.window, &layer.placement.destination, FALSE);
        }
    }
    UpdateWindow(layer.window);
}

void TOverlayPresenter::HideLayer(TLayer& layer) {
    if (layer.window && !IsWindow(layer.window)) ForgetLayer(layer);
    if (!layer.window || !layer.shown) return;
    ShowWindow(layer.window, SW_HIDE);
    layer.shown = false;
}

void TOverlayPresenter::DestroyLayer(TLayer& layer) {
    if (layer.window && IsWindow(layer.window)) DestroyWindow(layer.window);
    ForgetLayer(layer);
}

void TOverlayPresenter::ForgetLayer(TLayer& layer) {
    layer.window = nullptr;
    layer.parent = nullptr;
    layer.shown = false;
    layer.key = CLR_INVALID;
    layer.uncovered.Reset();
}

std::atomic<unsigned> TOverlayPresenter::desktopLayerPaints_{0};

unsigned TOverlayPresenter::DesktopLayerPaints() noexcept { return desktopLayerPaints_; }

void TOverlayPresenter::PaintLayer(HWND window) {
    if (window == desktopLayer_.window) ++desktopLayerPaints_;
    vl::TPaintDC paint(window);
    if (paint) PaintLayerInto(window, paint.Get());
}

void TOverlayPresenter::PaintLayerInto(HWND window, HDC dc) {
    const vl::TSavedDC saved(dc);  // the clipping below: a caller's context gets its own back
    TLayer* layer = window == windowLayer_.window ? &windowLayer_ : window == desktopLayer_.window ? &desktopLayer_ : nullptr;
    if (layer && layer->shown && haveFrame_) {
        COLORKEY key;
        {
            std::lock_guard lock(mutex_);
            key = settings_.key;
        }
        RECT client;
        GetClientRect(window, &client);
        vl::TGdiRegion all = vl::MakeRectRegion(client);
        vl::TGdiRegion picture = vl::MakeRectRegion(layer->placement.destination);
        if (all && picture) {
            // The bars beside a letter-boxed picture show the desktop's colour; on the top-most
            // layer a colour next to the key, outside its range.
            const bool child = layer->kind == TLayerKind::DesktopBackground || layer->kind == TLayerKind::DesktopUnderIcons;
            vl::TGdiBrush bars = vl::MakeSolidBrush(child ? key.LowColorValue : NearKeyColor(key));
            vl::TGdiRegion shown = vl::MakeEmptyRegion();
            if (layer->uncovered) {
                CombineRgn(picture.Get(), picture.Get(), layer->uncovered.Get(), RGN_AND);
                CombineRgn(shown.Get(), layer->uncovered.Get(), nullptr, RGN_COPY);
            } else {
                CombineRgn(shown.Get(), all.Get(), nullptr, RGN_COPY);
            }
            SelectClipRgn(dc, picture.Get());
            DrawFrame(dc, layer->placement);
            SelectClipRgn(dc, nullptr);
            vl::TGdiRegion rest = vl::MakeEmptyRegion();
            CombineRgn(rest.Get(), shown.Get(), picture.Get(), RGN_DIFF);
            // The covered parts are outside the top-most layer's window region: nothing to draw.
            if (bars) FillRgn(dc, rest.Get(), bars.Get());
        }
    }
}

void TOverlayPresenter::DrawFrame(HDC dc, const TPlacement& placement) {
    TFrame& frame = *display_;
    const TVideoFormat& format = frame.format;
    TColorSettings color;
    unsigned version;
    {
        std::lock_guard lock(mutex_);
        color = color_;
        version = colorVersion_;
    }
    if (frame.colorVersion != version) {
        // The settings changed after the frame was made (a paused picture): redo them here.
        if (guiAdjusterVersion_ != version) {
            guiAdjuster_.Configure(color);
            guiAdjusterVersion_ = version;
        }
        frame.adjustedValid = !guiAdjuster_.IsIdentity();
        if (frame.adjustedValid) {
            frame.adjusted.resize(static_cast<size_t>(format.width) * format.height);
            guiAdjuster_.Process(frame.raw.data(), format, frame.adjusted.data());
        }
        frame.colorVersion = version;
    }
    TDibHeader dib = format.dib;
    const void* bits = frame.raw.data();
    if (frame.adjustedValid) {
        dib = MakeRgb32Dib(format.width, format.height, format.topDown);
        bits = frame.adjusted.data();
    }
    const RECT& source = placement.source;
    const RECT& target = placement.destination;
    // GDI counts a bottom-up buffer's rows from the bottom.
    const LONG sourceY = format.topDown ? source.top : format.height - source.bottom;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, source.left,
                  sourceY, source.right - source.left, source.bottom - source.top, bits,
                  reinterpret_cast<const BITMAPINFO*>(&dib), DIB_RGB_COLORS, SRCCOPY);
}

bool TOverlayPresenter::HoldDesktopPicture() noexcept {
    TLayer& layer = desktopLayer_;
    if (!layer.window || !layer.shown || !haveFrame_ || !IsWindow(layer.window)) return false;
    THeldPicture held;
    try {
        RECT client;
        GetClientRect(layer.window, &client);
        const vl::TWindowDC screen(layer.window);
        vl::TMemoryDC memory(screen.Get());
        held.picture = vl::TGdiBitmap(CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
        if (!memory || !held.picture) return false;
        {
            const vl::TSelectObject select(memory.Get(), held.picture.Get());
            PaintLayerInto(layer.window, memory.Get());
        }
        std::lock_guard lock(mutex_);
        held.key = settings_.key;
    } catch (...) {
        return false;  // no memory for the copy: the layer goes as before
    }
    held.window = layer.window;
    held.kind = static_cast<int>(layer.kind);
    held.parent = layer.parent;
    held.ownsParent = layer.kind == TLayerKind::DesktopTopMost && layer.parent == desktopLayerOwner_;
    held.rect = layer.rect;
    held.renderer = rendererWindow_;
    held.placement = layer.placement;
    held.uncovered = std::move(layer.uncovered);
    held.marks = std::move(desktopMarks_);
    SetWindowLongPtrA(layer.window, GWLP_USERDATA, 0);
    if (held.ownsParent) desktopLayerOwner_ = nullptr;
    ForgetLayer(layer);
    TDesktopPictureHold::Begin(std::move(held));
    return true;
}

void TOverlayPresenter::AdoptHeldLayer(TLayerKind kind, HWND parent) {
    if (desktopLayer_.window) return;
    THeldPicture held;
    if (!TDesktopPictureHold::Take(static_cast<int>(kind), parent, held)) return;
    HWND owner = held.parent;
    if (kind == TLayerKind::DesktopTopMost) {
        if (desktopLayerOwner_ && IsWindow(desktopLayerOwner_) && desktopLayerOwner_ != held.parent) {
            // This presenter has an owner already: the layer moves to it.
            SetWindowLongPtrA(held.window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(desktopLayerOwner_));
            if (held.ownsParent && IsWindow(held.parent)) DestroyWindow(held.parent);
            owner = desktopLayerOwner_;
        } else {
            desktopLayerOwner_ = held.parent;
        }
    }
    SetWindowLongPtrA(held.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    desktopLayer_.window = held.window;
    desktopLayer_.kind = kind;
    desktopLayer_.parent = owner;
    desktopLayer_.shown = true;
    desktopLayer_.rect = held.rect;
    desktopLayer_.placement = held.placement;
    desktopLayer_.key = kind == TLayerKind::DesktopTopMost ? held.key.LowColorValue : CLR_INVALID;
    desktopLayer_.uncovered = std::move(held.uncovered);
    desktopMarks_ = std::move(held.marks);
    // The window keeps the held picture until this presenter's first frame is drawn over it.
}

}  // namespace vorlinde::platform
