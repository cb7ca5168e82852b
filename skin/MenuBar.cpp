#include "skin/MenuBar.h"

#include <algorithm>

#include "framework/Canvas.h"
#include "framework/ClassBuilder.h"
#include "framework/Colors.h"
#include "framework/GdiOwners.h"
#include "framework/Menus.h"
#include "skin/FileTheme.h"
#include "skin/SkinForm.h"
#include "skin/ThemeItems.h"
#include "skin/controls/MainMenu.h"
#include "skin/controls/ThemeLook.h"

namespace vorlinde {

namespace {

constexpr int kCaptionPadding = 7;   // on each side of a caption
constexpr int kCaptionDrop = 2;      // captions sit this much below the button's centre
constexpr int kPressedShift = 2;     // a pressed button is narrower on the right, its caption further right
constexpr uint32_t kWhiteCaptionTheme = 196608;  // the control font colour of the dark file themes

bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

std::function<bool(vl::TMainMenu&, int, POINT)> TsuiMenuBar::DropDownOverride;

const vl::TClassInfo& TsuiMenuBar::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiMenuBar>("TsuiMenuBar", &vl::TCustomControl::StaticClass()).Build();
    return info;
}

TsuiMenuBar::TsuiMenuBar(TsuiForm* frame) : vl::TCustomControl(frame), frame_(frame) {
    SetParent(frame);
    SetAlign(vl::TAlign::Top);
    SetTabStop(false);
}

vl::TMainMenu* TsuiMenuBar::Menu() const { return frame_->Menu(); }

vl::TMenuItem* TsuiMenuBar::ButtonItem(int index) const {
    vl::TMainMenu* menu = Menu();
    if (!menu || index < 0 || index >= ButtonCount()) return nullptr;
    const int item = buttons_[static_cast<size_t>(index)].itemIndex;
    return item < menu->Items()->Count() ? menu->Items()->Items(item) : nullptr;
}

void TsuiMenuBar::Rebuild() {
    buttons_.clear();
    hot_ = dropped_ = -1;
    if (vl::TMainMenu* menu = Menu())
        for (int i = 0; i < menu->Items()->Count(); ++i)
            if (menu->Items()->Items(i)->Visible()) buttons_.push_back({i, RECT{}});
    Layout();
    Invalidate();
}

void TsuiMenuBar::SetButtonHeight(int height) {
    buttonHeight_ = std::max(height, 1);
    Layout();
    Invalidate();
}

void TsuiMenuBar::PrepareFont(vl::TFont& font) const {
    auto* skinned = dynamic_cast<TsuiMainMenu*>(Menu());
    if (skinned && !skinned->Look().UseSystemFont()) {
        font.SetName(skinned->Look().FontName());
        font.SetSize(skinned->Look().FontSize());
        font.SetCharset(skinned->Look().FontCharset());
        return;
    }
    const LOGFONTA lf = vl::SystemMenuLogFont();
    font.SetName(lf.lfFaceName);
    font.SetHeight(lf.lfHeight);
    font.SetCharset(lf.lfCharSet);
}

void TsuiMenuBar::Layout() {
    const int barWidth = std::max(Width(), 1);
    vl::TBitmap scratch(1, 1);
    vl::TCanvas& canvas = scratch.Canvas();
    PrepareFont(*canvas.Font());
    int x = 0, y = 0;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        vl::TMenuItem* item = ButtonItem(static_cast<int>(i));
        RECT text{0, 0, 0, 0};
        if (item) canvas.DrawText(item->Caption(), text, DT_CALCRECT | DT_SINGLELINE);
        const int w = text.right - text.left + 2 * kCaptionPadding;
        if (x > 0 && x + w > barWidth) x = 0, y += buttonHeight_;  // wrap onto the next row
        buttons_[i].rect = RECT{x, y, x + w, y + buttonHeight_};
        x += w;
    }
    const int height = buttons_.empty() ? buttonHeight_ : y + buttonHeight_;
    if (height != Height()) SetHeight(height);
}

void TsuiMenuBar::Resized() {
    vl::TCustomControl::Resized();
    Layout();
}

int TsuiMenuBar::ButtonAt(POINT p) const {
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (Inside(buttons_[i].rect, p)) return static_cast<int>(i);
    return -1;
}

namespace {

// The bar whose drop-down shows, for the thread's menu loop hook.
TsuiMenuBar* activeBar = nullptr;

// The thread's message filter hook while a drop-down shows, removed when it goes.
class TMenuLoopHook {
public:
    TMenuLoopHook(TsuiMenuBar* bar, HOOKPROC proc)
        : previous_(activeBar), hook_(SetWindowsHookExA(WH_MSGFILTER, proc, nullptr, GetCurrentThreadId())) {
        activeBar = bar;
    }
    ~TMenuLoopHook() {
        if (hook_) UnhookWindowsHookEx(hook_);
        activeBar = previous_;
    }
    TMenuLoopHook(const TMenuLoopHook&) = delete;
    TMenuLoopHook& operator=(const TMenuLoopHook&) = delete;

private:
    TsuiMenuBar* previous_;
    HHOOK hook_;
};

// Whether the highlighted item of the menu shown by `menuWindow` opens a sub-menu.
bool HighlightedItemHasSubMenu(HWND menuWindow) {
    auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    if (!menu) return false;
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i)
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return GetSubMenu(menu, i) != nullptr;
    return false;
}

int VisibleMenuWindows() {
    int count = 0;
    for (HWND w = FindWindowExA(nullptr, nullptr, "#32768", nullptr); w; w = FindWindowExA(nullptr, w, "#32768", nullptr))
        if (IsWindowVisible(w)) ++count;
    return count;
}

}  // namespace

void TsuiMenuBar::DropDown(int index) {
    vl::TMenuItem* item = ButtonItem(index);
    if (!Menu() || !item || !item->Enabled()) return;
    next_ = -1;
    bool shown = ShowDropDown(index);
    // Left, Right or the pointer moved the user on to a neighbouring caption.
    while (next_ >= 0) {
        index = next_;
        next_ = -1;
        shown = ShowDropDown(index);
    }
    item = ButtonItem(index);
    // A top-level item without sub-items acts at once, as a menu bar command does.
    if (!shown && item && item->Enabled() && item->Count() == 0) item->Click();
}

bool TsuiMenuBar::ShowDropDown(int index) {
    vl::TMainMenu* menu = Menu();
    dropped_ = index;
    Invalidate();
    if (HandleAllocated()) UpdateWindow(Handle());
    const RECT r = ButtonRect(index);
    const POINT at = HandleAllocated() ? ClientToScreen(POINT{r.left, r.bottom}) : POINT{r.left, r.bottom};
    const int itemIndex = buttons_[static_cast<size_t>(index)].itemIndex;
    bool shown = false;
    {
        const TMenuLoopHook hook(this, &TsuiMenuBar::MenuLoopHook);
        shown = DropDownOverride ? DropDownOverride(*menu, itemIndex, at) : menu->PopupItem(itemIndex, at.x, at.y);
    }
    dropped_ = -1;
    Invalidate();
    return shown;
}

LRESULT CALLBACK TsuiMenuBar::MenuLoopHook(int code, WPARAM wParam, LPARAM lParam) {
    try {
        if (code == MSGF_MENU && activeBar && activeBar->MenuLoopMessage(*reinterpret_cast<const MSG*>(lParam)))
            return 1;
    } catch (...) {
        vl::HandleCallbackException(activeBar);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool TsuiMenuBar::MenuLoopMessage(const MSG& msg) {
    if (dropped_ < 0 || ButtonCount() < 2) return false;
    int target = -1;
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT)) {
        // Inside a sub-menu the keys keep their menu meaning, and so does Right on an item
        // that opens one.
        if (VisibleMenuWindows() > 1) return false;
        if (msg.wParam == VK_RIGHT && HighlightedItemHasSubMenu(msg.hwnd)) return false;
        const int step = msg.wParam == VK_RIGHT ? 1 : -1;
        for (int i = 1; i < ButtonCount() && target < 0; ++i) {
            const int candidate = (dropped_ + step * i + ButtonCount()) % ButtonCount();
            if (vl::TMenuItem* item = ButtonItem(candidate); item && item->Enabled()) target = candidate;
        }
    } else if (msg.message == WM_MOUSEMOVE && HandleAllocated()) {
        const int hovered = ButtonAt(ScreenToClient(msg.pt));
        vl::TMenuItem* item = ButtonItem(hovered);
        if (hovered != dropped_ && item && item->Enabled()) target = hovered;
    }
    if (target < 0 || target == dropped_) return false;
    next_ = target;
    EndMenu();
    return true;
}

bool TsuiMenuBar::DropDownAccelerator(char key) {
    for (int i = 0; i < ButtonCount(); ++i) {
        vl::TMenuItem* item = ButtonItem(i);
        if (item && item->Enabled() && vl::IsAccelChar(key, item->Caption())) {
            DropDown(i);
            return true;
        }
    }
    return false;
}

bool TsuiMenuBar::DropDownFirst() {
    for (int i = 0; i < ButtonCount(); ++i)
        if (vl::TMenuItem* item = ButtonItem(i); item && item->Enabled()) {
            DropDown(i);
            return true;
        }
    return false;
}

void TsuiMenuBar::WndProc(vl::TMessage& msg) {
    switch (msg.msg) {
    case WM_ERASEBKGND: msg.result = 1; return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int index = ButtonAt(POINT{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))});
        if (index >= 0) DropDown(index);
        return;
    }
    case WM_MOUSEMOVE: {
        vl::TCustomControl::WndProc(msg);
        const int index = ButtonAt(POINT{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))});
        if (index != hot_) {
            hot_ = index;
            Invalidate();
        }
        return;
    }
    }
    vl::TCustomControl::WndProc(msg);
}

void TsuiMenuBar::MouseLeave() {
    vl::TCustomControl::MouseLeave();
    if (hot_ >= 0) {
        hot_ = -1;
        Invalidate();
    }
}

// ------------------------------------------------------------------------------------ painting

void TsuiMenuBar::Paint(HDC dc, const RECT&) {
    const RECT client{0, 0, Width(), Height()};
    vl::PaintBuffered(dc, client, [&](HDC mem) {
        TsuiUIStyle style = frame_->UIStyle();
        TsuiFileTheme* theme = frame_->FileTheme();
        if (auto* skinned = dynamic_cast<TsuiMainMenu*>(Menu())) style = skinned->UIStyle(), theme = skinned->FileTheme();
        TsuiUIStyle effective = style;
        const bool fromFile = UsingFileTheme(theme, style, effective);
        const bool mac = !fromFile && effective == TsuiUIStyle::MacOS;
        if (mac && macBar_.Empty()) {
            macBar_.LoadFromResourceName(GetModuleHandleA(nullptr), "MACOS_MENU_BAR");
            macSelect_.LoadFromResourceName(GetModuleHandleA(nullptr), "MACOS_MENU_SELECT");
        }
        vl::TCanvas canvas(mem);
        if (mac && !macBar_.Empty()) canvas.StretchDraw(client, macBar_);
        else vl::FillSolidRect(mem, client, vl::ColorToRGB(Color()));

        PrepareFont(*canvas.Font());
        canvas.Brush()->SetStyle(vl::TBrushStyle::Clear);  // captions over the bar, not on a box
        const uint32_t selectedFont = ThemeColor(theme, style, ThemeItem::MenuSelectedFontColor);
        uint32_t normalFont = ThemeColor(theme, style, ThemeItem::MenuFontColor);
        if (fromFile && theme->GetColor(ThemeItem::ControlFontColor) == kWhiteCaptionTheme) normalFont = 0xFFFFFF;
        for (int i = 0; i < ButtonCount(); ++i) {
            vl::TMenuItem* item = ButtonItem(i);
            if (!item) continue;
            RECT r = ButtonRect(i);
            const bool pressed = i == dropped_;
            const bool lit = pressed || i == hot_;
            uint32_t fontColor = normalFont;
            if (lit && item->Enabled()) {
                fontColor = selectedFont;
                if (mac && !macSelect_.Empty()) {
                    canvas.StretchDraw(r, macSelect_);
                } else {
                    if (pressed) r.right -= kPressedShift;
                    vl::FillSolidRect(mem, r, vl::ColorToRGB(ThemeColor(theme, style, ThemeItem::MenuSelectedBackgroundColor)));
                    const vl::TGdiBrush frame(CreateSolidBrush(vl::ColorToRGB(ThemeColor(theme, style, ThemeItem::MenuSelectedBorderColor))));
                    ::FrameRect(mem, &r, frame.Get());
                    if (pressed) OffsetRect(&r, kPressedShift, 0);
                }
            }
            if (!item->Enabled()) fontColor = 0x808080;
            canvas.Font()->SetColor(fontColor);
            OffsetRect(&r, 0, kCaptionDrop);
            canvas.DrawText(item->Caption(), r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        }
    });
}

}  // namespace vorlinde
