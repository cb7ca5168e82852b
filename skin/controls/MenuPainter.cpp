// Measuring and painting one item of a skinned menu (TsuiMenuLook), the flat menu frame and the
// shared check mark.
#include <algorithm>
#include <memory>

#include "framework/Canvas.h"
#include "framework/Font.h"
#include "framework/GdiOwners.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "skin/controls/MenuLook.h"

namespace vorlinde {

namespace {
// Offsets inside an item, from its rectangle.
constexpr int kCaptionGap = 4;        // caption left of the bar's right edge, and below the top
constexpr int kShortCutRightGap = 16;
constexpr int kMeasureExtra = 40;     // width beyond the texts and the bar
constexpr int kImageX = 4, kImageY = 3;
constexpr int kSeparatorLineY = 2;
constexpr int kSeparatorLineRightGap = 2;
constexpr int kMacSelectRows = 20;    // rows of the MacOS bitmaps stretched over an item
constexpr int kMacSeparatorRows = 12;
constexpr COLORREF kDisabledText = 0x808080;
// The system leaves a margin of a few pixels between a menu's frame and its items.
constexpr int kMaxMenuMargin = 4;

RECT Rect(int left, int top, int right, int bottom) { return RECT{left, top, right, bottom}; }

void FrameSolidRect(HDC dc, const RECT& rect, COLORREF color) {
    vl::TGdiBrush brush = vl::MakeSolidBrush(color);
    if (brush) FrameRect(dc, &rect, brush.Get());
}

// Stretches the top `rows` of `bitmap` over `rect`.
void StretchRows(HDC dc, const RECT& rect, vl::TBitmap& bitmap, int rows) {
    rows = std::min(rows, bitmap.Height());
    if (rows <= 0) return;
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, bitmap.Canvas().Handle(), 0,
               0, bitmap.Width(), rows, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

// Stretches row `row` of `bitmap` over `rect`.
void StretchRow(HDC dc, const RECT& rect, vl::TBitmap& bitmap, int row) {
    if (rect.bottom <= rect.top || row < 0 || row >= bitmap.Height()) return;
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, bitmap.Canvas().Handle(), 0,
               row, bitmap.Width(), 1, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

// The popup menu window behind a context a menu item is drawn on, or null (a bitmap, a
// control): only a menu window's margins are the item's to paint.
HWND MenuWindowOf(HDC dc) {
    HWND window = WindowFromDC(dc);
    char name[16] = {};
    if (!window || !GetClassNameA(window, name, sizeof(name))) return nullptr;
    return lstrcmpA(name, "#32768") == 0 ? window : nullptr;
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
    vl::TGdiPen pen(CreatePen(PS_SOLID, 1, color));
    vl::TSelectObject selected(dc, pen.Get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

bool HasImage(const vl::TMenuItem& item, vl::TImageList* images) {
    return images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count();
}

SIZE CaptionExtent(HDC dc, const std::string& caption) {
    RECT r{0, 0, 0, 0};
    ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_SINGLELINE | DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

int TextWidth(HDC dc, const std::string& text) {
    SIZE size{0, 0};
    if (!text.empty()) GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}
}  // namespace

LOGFONTA TsuiMenuLook::CaptionFont(bool bold) const {
    LOGFONTA font{};
    if (useSystemFont_) {
        font = vl::SystemMenuLogFont();
    } else {
        vl::TScreenDC screen;
        font.lfHeight = -MulDiv(fontSize_, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
        font.lfWeight = FW_NORMAL;
        font.lfCharSet = static_cast<BYTE>(fontCharset_);
        lstrcpynA(font.lfFaceName, fontName_.c_str(), LF_FACESIZE);
    }
    if (bold) font.lfWeight = FW_BOLD;
    return font;
}

void TsuiMenuLook::Measure(const vl::TMenuItem& item, HDC dc, int& width, int& height) const {
    height = item.IsSeparator() ? separatorHeight_ : menuItemHeight_;
    const LOGFONTA logFont = CaptionFont(item.Default());
    vl::TGdiFont font(CreateFontIndirectA(&logFont));
    vl::TSelectObject selected(dc, font.Get());
    width = CaptionExtent(dc, item.Caption()).cx + TextWidth(dc, vl::ShortCutToText(item.ShortCut())) + barWidth_ +
            kMeasureExtra;
}

void TsuiMenuLook::Draw(const vl::TMenuItem& item, vl::TImageList* images, HDC dc, const RECT& rect, bool selected) {
    if (HWND menuWindow = MenuWindowOf(dc))
        PaintMargins(menuWindow, rect, item.IsSeparator() ? kMacSeparatorRows : kMacSelectRows);
    if (flatMenu_) DrawFlatMenuBorder(WindowFromDC(dc), vl::ColorToRGB(0x000000), vl::ColorToRGB(flatEdgeColor_));
    vl::PaintBuffered(dc, rect, [&](HDC buffer) { PaintItem(item, images, buffer, rect, selected); });
}

void TsuiMenuLook::PaintMargins(HWND menuWindow, const RECT& item, int rows) {
    RECT client{}, window{};
    if (!GetClientRect(menuWindow, &client) || !GetWindowRect(menuWindow, &window)) return;
    // Where the menu's frame lies inside its client area (no non-client frame), it stays.
    if (client.right == window.right - window.left && client.bottom == window.bottom - window.top)
        InflateRect(&client, -GetSystemMetrics(SM_CXBORDER), -GetSystemMetrics(SM_CYBORDER));
    // The context the system gives for an item is clipped to the items' area: the margins are
    // painted on one of the menu window's own.
    const vl::TWindowDC windowDC(menuWindow);
    HDC dc = windowDC.Get();
    if (!dc) return;
    // The item's rows continue to the menu's left and right edges; the first and the last item
    // also take the margin above or below them.
    RECT band{client.left, item.top, client.right, item.bottom};
    if (item.top - client.top <= kMaxMenuMargin) band.top = client.top;
    if (client.bottom - item.bottom <= kMaxMenuMargin) band.bottom = client.bottom;
    ExcludeClipRect(dc, item.left, item.top, item.right, item.bottom);
    if (!macBar_.Empty()) {
        const int last = std::min(rows, macBar_.Height()) - 1;
        StretchRows(dc, Rect(band.left, item.top, band.right, item.bottom), macBar_, rows);
        StretchRow(dc, Rect(band.left, band.top, band.right, item.top), macBar_, 0);
        StretchRow(dc, Rect(band.left, item.bottom, band.right, band.bottom), macBar_, last);
        return;
    }
    const int barRight = item.left + barWidth_;
    if (barWidth_ > 0) vl::FillSolidRect(dc, Rect(band.left, band.top, barRight, band.bottom), vl::ColorToRGB(barColor_));
    vl::FillSolidRect(dc, Rect(std::max<int>(barRight, band.left), band.top, band.right, band.bottom), vl::ColorToRGB(color_));
}

void TsuiMenuLook::PaintItem(const vl::TMenuItem& item, vl::TImageList* images, HDC dc, const RECT& r,
                             bool selected) {
    if (item.IsSeparator()) {
        PaintSeparator(dc, r);
        return;
    }
    // A disabled item never shows the selection, even when the pointer is over it.
    const bool highlighted = selected && item.Enabled();
    if (!highlighted) {
        PaintBackground(dc, r, kMacSelectRows);
    } else if (!macSelect_.Empty()) {
        StretchRows(dc, r, macSelect_, kMacSelectRows);
    } else {
        vl::FillSolidRect(dc, r, vl::ColorToRGB(selectedColor_));
        FrameSolidRect(dc, r, vl::ColorToRGB(selectedBorderColor_));
    }

    const LOGFONTA logFont = CaptionFont(item.Default());
    vl::TGdiFont font(CreateFontIndirectA(&logFont));
    vl::TSelectObject selectedFont(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, !item.Enabled() ? kDisabledText : vl::ColorToRGB(highlighted ? selectedFontColor_ : fontColor_));
    RECT caption = Rect(r.left + barWidth_ + kCaptionGap, r.top + kCaptionGap, r.right, r.bottom);
    ::DrawTextA(dc, item.Caption().c_str(), static_cast<int>(item.Caption().size()), &caption, DT_SINGLELINE);
    if (const std::string shortCut = vl::ShortCutToText(item.ShortCut()); !shortCut.empty())
        TextOutA(dc, r.right - TextWidth(dc, shortCut) - kShortCutRightGap, r.top + kCaptionGap, shortCut.c_str(),
                 static_cast<int>(shortCut.size()));

    PaintCheckAndImage(item, images, dc, r);
}

void TsuiMenuLook::PaintCheckAndImage(const vl::TMenuItem& item, vl::TImageList* images, HDC dc, const RECT& r) {
    const bool image = HasImage(item, images);
    if (!image && !item.Checked()) return;
    vl::TCanvas canvas(dc);
    if (item.Checked()) {
        if (image) {
            // A checked item with an image shows it on a square of the selection colour.
            FrameSolidRect(dc, Rect(r.left + 2, r.top + 1, r.left + 21, r.top + 20), 0x000000);
            vl::FillSolidRect(dc, Rect(r.left + 3, r.top + 2, r.left + 20, r.top + 19), vl::ColorToRGB(selectedColor_));
        } else {
            MenuCheckMarks().Draw(canvas, r.left + kImageX, r.top + kImageY, 0, item.Enabled());
        }
    }
    if (image) images->Draw(canvas, r.left + kImageX, r.top + kImageY, item.ImageIndex(), item.Enabled());
}

void TsuiMenuLook::PaintBackground(HDC dc, const RECT& r, int rows) {
    if (!macBar_.Empty()) {
        StretchRows(dc, r, macBar_, rows);
        return;
    }
    if (barWidth_ > 0) vl::FillSolidRect(dc, Rect(r.left, r.top, r.left + barWidth_, r.bottom), vl::ColorToRGB(barColor_));
    vl::FillSolidRect(dc, Rect(r.left + barWidth_, r.top, r.right, r.bottom), vl::ColorToRGB(color_));
}

void TsuiMenuLook::PaintSeparator(HDC dc, const RECT& r) {
    PaintBackground(dc, r, kMacSeparatorRows);
    // MacOS draws its separator line across the middle of its taller gap, the other styles
    // near the top of theirs; the line starts where the captions start.
    const int y = macBar_.Empty() ? r.top + kSeparatorLineY : r.top + (r.bottom - r.top) / 2;
    Line(dc, r.left + barWidth_ + kCaptionGap, y, r.right - kSeparatorLineRightGap, y,
         vl::ColorToRGB(separatorColor_));
}

void DrawFlatMenuBorder(HWND window, COLORREF frameColor, COLORREF edgeColor) {
    if (!window) return;
    RECT bounds{};
    if (!GetWindowRect(window, &bounds)) return;
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    // The menu window's own whole-window context: what is drawn stays inside the menu.
    const vl::TWholeWindowDC windowDC(window);
    HDC dc = windowDC.Get();
    if (!dc) return;
    FrameSolidRect(dc, Rect(0, 1, w - 1, h - 1), frameColor);
    FrameSolidRect(dc, Rect(1, 2, w - 2, h - 2), 0xFFFFFF);
    vl::TGdiPen pen(CreatePen(PS_SOLID, 1, edgeColor));
    vl::TSelectObject selected(dc, pen.Get());
    const POINT edge[] = {{0, h - 1}, {w - 1, h - 1}, {w - 1, 0}, {w, 0}, {0, 0}};
    Polyline(dc, edge, 5);
}

vl::TImageList& MenuCheckMarks() {
    static const std::unique_ptr<vl::TImageList> marks = [] {
        auto list = std::make_unique<vl::TImageList>(nullptr);
        list->SetWidth(16);
        list->SetHeight(16);
        vl::TBitmap mark;
        mark.LoadFromResourceName(GetModuleHandleA(nullptr), "MENU_CHECKED");
        list->Add(mark, 0xFFFFFF);
        return list;
    }();
    return *marks;
}

}  // namespace vorlinde
