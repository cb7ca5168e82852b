#include "StandInIconView.h"

#include <cstdio>
#include <iterator>

#include "StandInShellLayout.h"

namespace vorlinde::standin {

namespace {

constexpr char kDefViewClass[] = "SHELLDLL_DefView";
constexpr char kListClass[] = "SysListView32";
static_assert(std::size(kIcons) == 3, "one click counter per icon");

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

void RegisterClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSA view{};
    view.lpfnWndProc = DefWindowProcA;
    view.hInstance = Instance();
    view.hCursor = LoadCursor(nullptr, IDC_ARROW);
    view.lpszClassName = kDefViewClass;
    RegisterClassA(&view);
    WNDCLASSA list = view;
    list.lpfnWndProc = DefWindowProcA;  // replaced per window, to reach its object
    list.lpszClassName = kListClass;
    list.style = CS_DBLCLKS;
    RegisterClassA(&list);
}

RECT ClientOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

}  // namespace

TStandInIconView::TStandInIconView(HWND parent) {
    RegisterClasses();
    const RECT client = ClientOf(parent);
    defView_ = CreateWindowExA(0, kDefViewClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, client.right,
                               client.bottom, parent, nullptr, Instance(), nullptr);
    if (!defView_) return;
    list_ = CreateWindowExA(0, kListClass, "FolderView", WS_CHILD | WS_VISIBLE, 0, 0, client.right, client.bottom,
                            defView_, nullptr, Instance(), nullptr);
    if (!list_) return;
    SetWindowLongPtrA(list_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListProc));
}

TStandInIconView::~TStandInIconView() {
    if (list_) SetWindowLongPtrA(list_, GWLP_USERDATA, 0);
    if (defView_ && IsWindow(defView_)) DestroyWindow(defView_);
}

void TStandInIconView::MoveInto(HWND parent) {
    SetParent(defView_, parent);
    const RECT client = ClientOf(parent);
    SetWindowPos(defView_, HWND_TOP, 0, 0, client.right, client.bottom, SWP_NOACTIVATE);
    SetWindowPos(list_, nullptr, 0, 0, client.right, client.bottom, SWP_NOACTIVATE | SWP_NOZORDER);
}

vl::TGdiRegion TStandInIconView::CellsIn(HWND window) const {
    vl::TGdiRegion cells = vl::MakeEmptyRegion();
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    for (const TStandInIcon& icon : kIcons) {
        RECT cell = icon.cell;
        OffsetRect(&cell, -origin.x, -origin.y);
        vl::TGdiRegion part = vl::MakeRectRegion(cell);
        if (cells && part) CombineRgn(cells.Get(), cells.Get(), part.Get(), RGN_OR);
    }
    return cells;
}

LRESULT CALLBACK TStandInIconView::ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TStandInIconView*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    try {
        if (self) {
            switch (message) {
            case WM_ERASEBKGND:
                return 1;
            case WM_PAINT:
                self->Paint(window);
                return 0;
            case WM_LBUTTONDOWN: {
                POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                ClientToScreen(window, &point);
                self->Click(point);
                return 0;
            }
            default:
                break;
            }
        }
    } catch (...) {
        // Nothing here throws; a test program must still not let anything cross the boundary.
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The wallpaper, then each icon: its square with a white border and its label under it.
void TStandInIconView::Paint(HWND list) {
    vl::TPaintDC paint(list);
    if (!paint) return;
    vl::PaintBuffered(paint.Get(), ClientOf(list), [&](HDC dc) {
        vl::FillSolidRect(dc, ClientOf(list), kWallpaper);
        POINT origin{0, 0};
        ClientToScreen(list, &origin);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        vl::TSelectObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
        for (const TStandInIcon& icon : kIcons) {
            RECT border = icon.square;
            OffsetRect(&border, -origin.x, -origin.y);
            vl::FillSolidRect(dc, border, RGB(255, 255, 255));
            RECT square = border;
            InflateRect(&square, -1, -1);
            vl::FillSolidRect(dc, square, icon.colour);
            RECT label{border.left - 16, border.bottom + 4, border.right + 16, border.bottom + 20};
            DrawTextA(dc, icon.name, -1, &label, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    });
}

void TStandInIconView::Click(POINT screen) {
    for (size_t i = 0; i < std::size(kIcons); ++i) {
        if (!PtInRect(&kIcons[i].cell, screen)) continue;
        char text[64];
        std::snprintf(text, sizeof text, "%s %d", kIcons[i].name, ++clicks_[i]);
        SetWindowTextA(defView_, text);
        return;
    }
}

}  // namespace vorlinde::standin
