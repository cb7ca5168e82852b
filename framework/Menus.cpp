#include "framework/Menus.h"

#include <algorithm>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/GdiOwners.h"
#include "framework/Graphics.h"
#include "framework/IgnoredProperty.h"

namespace vl {

namespace {
// The class of the hidden windows that own menus while they show.
const char kPopupWindowClass[] = "TPopupMenuWindow";

// Command identifiers fit in the low word of WM_COMMAND; they wrap after 65534 items.
UINT NextCommand() {
    static UINT next = 0;
    next = next % 0xFFFE + 1;
    return next;
}

int ShortCutFromProp(const TPropValue& v) {
    if (v.kind == TPropValue::Kind::Integer) return v.AsInt();
    throw EReadError("Invalid shortcut " + v.Describe());
}

// The system's menu font, owned for the lifetime of the object.
class TMenuFont {
public:
    TMenuFont() {
        const LOGFONTA font = SystemMenuLogFont();
        font_.Reset(CreateFontIndirectA(&font));
    }
    HFONT Get() const { return font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

private:
    TGdiFont font_;
};

// The item at `position` of a native menu built by a TMenu (its item data), or null.
TMenuItem* NativeItem(HMENU menu, int position) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_DATA | MIIM_STATE;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &mii)) return nullptr;
    return reinterpret_cast<TMenuItem*>(mii.dwItemData);
}

bool NativeItemHighlighted(HMENU menu, int position) {
    return (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_HILITE) != 0;
}

}  // namespace

LOGFONTA SystemMenuLogFont() {
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof(ncm);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) return ncm.lfMenuFont;
    LOGFONTA font{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    return font;
}

// ============================================================================================ TMenuItem

const TClassInfo& TMenuItem::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TMenuItem>("TMenuItem", &TComponent::StaticClass())
            .Creatable()
            .Prop("Caption", &TMenuItem::SetCaption, &TMenuItem::Caption)
            .Prop("Checked", &TMenuItem::SetChecked, &TMenuItem::Checked)
            .Prop("AutoCheck", &TMenuItem::SetAutoCheck, &TMenuItem::AutoCheck)
            .Prop("Default", &TMenuItem::SetDefault, &TMenuItem::Default)
            .Prop("Enabled", &TMenuItem::SetEnabled, &TMenuItem::Enabled)
            .Prop("Visible", &TMenuItem::SetVisible, &TMenuItem::Visible)
            .Prop("RadioItem", &TMenuItem::SetRadioItem, &TMenuItem::RadioItem)
            .Prop("GroupIndex", &TMenuItem::SetGroupIndex, &TMenuItem::GroupIndex)
            .Custom("ShortCut", [](TMenuItem& m, const TPropValue& v) { m.SetShortCut(ShortCutFromProp(v)); },
                    [](const TMenuItem& m) { return TPropValue::Int(m.ShortCut()); })
            .Prop("ImageIndex", &TMenuItem::SetImageIndex, &TMenuItem::ImageIndex)
            .Prop("Hint", &TMenuItem::SetHint, &TMenuItem::Hint)
            .Custom("Break", IgnoreProperty<TMenuItem>)
            .Event("OnClick", &TMenuItem::OnClick)
            .Event("OnMeasureItem", &TMenuItem::OnMeasureItem)
            .Event("OnDrawItem", &TMenuItem::OnDrawItem)
            .Build();
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand()) {
    // The owner's insertion notice came while this was only a TComponent: the menus beside it
    // learn here that a menu item has joined.
    if (!owner) return;
    for (int i = 0; i < owner->ComponentCount(); ++i)
        if (auto* menu = dynamic_cast<TMenu*>(owner->Components(i))) menu->OwnedItemInserted(*this);
}

TMenuItem::~TMenuItem() {
    if (parent_) parent_->Remove(this);
    Clear();
}

void TMenuItem::SetChecked(bool v) {
    if (v == checked_) return;
    checked_ = v;
    if (v && radioItem_ && parent_)
        for (TMenuItem* sibling : parent_->items_)
            if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_) sibling->checked_ = false;
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError("Menu index out of range (" + std::to_string(index) + ")");
    return items_[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) throw EInvalidOperation("No menu item to insert");
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == item) throw EInvalidOperation("A menu item cannot contain itself");
    if (index < 0 || index > Count() - (item->parent_ == this ? 1 : 0))
        throw EListError("Menu index out of range (" + std::to_string(index) + ")");
    if (item->parent_) item->parent_->Remove(item);
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
}

void TMenuItem::Delete(int index) {
    TMenuItem* item = Items(index);
    Remove(item);
    delete item;
}

void TMenuItem::Clear() {
    while (!items_.empty()) {
        TMenuItem* item = items_.back();
        items_.pop_back();
        item->parent_ = nullptr;
        delete item;
    }
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->parent_) root = root->parent_;
    return root->menu_;
}

TMenuItem* TMenuItem::FindCommand(UINT command) {
    for (TMenuItem* item : items_) {
        if (item->command_ == command) return item;
        if (TMenuItem* found = item->FindCommand(command)) return found;
    }
    return nullptr;
}

void TMenuItem::Click() {
    if (autoCheck_) SetChecked(!checked_);
    if (OnClick) OnClick(this);
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* item = dynamic_cast<TMenuItem*>(parent)) item->Add(this);
    else if (auto* menu = dynamic_cast<TMenu*>(parent)) menu->Items()->Add(this);
    else if (!parent && parent_) parent_->Remove(this);
}

TComponent* TMenuItem::GetParentComponent() const {
    if (parent_ && parent_->menu_) return parent_->menu_;
    return parent_;
}

// ============================================================================================ TMenuHandle

TMenuHandle& TMenuHandle::operator=(TMenuHandle&& other) noexcept {
    if (this != &other) {
        if (menu_) DestroyMenu(menu_);
        menu_ = other.menu_;
        other.menu_ = nullptr;
    }
    return *this;
}

TMenuHandle::~TMenuHandle() {
    if (menu_) DestroyMenu(menu_);  // also frees the sub-menus attached to it
}

// ============================================================================================ TMenu

const TClassInfo& TMenu::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMenu>("TMenu", &TComponent::StaticClass())
                                       .Reference("Images", &TMenu::SetImages)
                                       .Prop("OwnerDraw", &TMenu::SetOwnerDraw, &TMenu::OwnerDraw)
                                       .Custom("AutoHotkeys", IgnoreProperty<TMenu>)
                                       .Custom("AutoLineReduction", IgnoreProperty<TMenu>)
                                       .Build();
    return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) { items_->menu_ = this; }

TMenu::~TMenu() { delete items_; }

void TMenu::SetImages(TImageList* images) {
    if (images_) RemoveFreeNotification(images_);
    images_ = images;
    if (images) FreeNotification(images);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::Remove && component == images_) images_ = nullptr;
    // An item under construction is not a TMenuItem yet; its constructor reports it instead.
    if (operation == TOperation::Insert)
        if (auto* item = dynamic_cast<TMenuItem*>(component)) OwnedItemInserted(*item);
}

void TMenu::OwnedItemInserted(TMenuItem&) {}

TMenuHandle TMenu::BuildMenu() { return BuildMenu(*items_); }

TMenuHandle TMenu::BuildMenu(TMenuItem& parent) {
    TMenuHandle menu(CreatePopupMenu());
    if (!menu.Get()) RaiseLastOSError("Cannot create a menu");
    AppendItems(menu.Get(), parent);
    return menu;
}

void TMenu::AppendItems(HMENU menu, TMenuItem& parent) {
    UINT position = 0;
    for (TMenuItem* item : parent.items_) {
        if (!item->Visible()) continue;
        MENUITEMINFOA mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
        mii.wID = item->Command();
        mii.dwItemData = reinterpret_cast<ULONG_PTR>(item);
        if (item->Checked()) mii.fState |= MFS_CHECKED;
        if (item->Default()) mii.fState |= MFS_DEFAULT;
        if (!item->Enabled()) mii.fState |= MFS_DISABLED;
        if (item->RadioItem()) mii.fType |= MFT_RADIOCHECK;
        if (item->IsSeparator()) mii.fType |= MFT_SEPARATOR;
        if (ownerDraw_) mii.fType |= MFT_OWNERDRAW;
        std::string text = item->Caption();
        if (std::string sc = ShortCutToText(item->ShortCut()); !sc.empty()) text += "\t" + sc;
        if (!ownerDraw_ && !item->IsSeparator()) {
            mii.fMask |= MIIM_STRING;
            mii.dwTypeData = text.data();
        }
        TMenuHandle sub;
        if (item->Count() > 0) {
            sub = TMenuHandle(CreatePopupMenu());
            if (!sub.Get()) RaiseLastOSError("Cannot create a menu");
            AppendItems(sub.Get(), *item);
            mii.fMask |= MIIM_SUBMENU;
            mii.hSubMenu = sub.Get();
        }
        if (!InsertMenuItemA(menu, position++, TRUE, &mii)) RaiseLastOSError("Cannot add a menu item");
        sub.Release();  // the parent menu owns the sub-menu now
    }
}

bool TMenu::DispatchCommand(UINT command) {
    TMenuItem* item = items_->FindCommand(command);
    if (!item || !item->Enabled()) return false;
    item->Click();
    return true;
}

void TMenu::MeasureItem(TMenuItem& item, HDC dc, int& width, int& height) {
    if (item.IsSeparator()) {
        width = 0;
        height = GetSystemMetrics(SM_CYMENU) / 2;
    } else {
        TMenuFont font;
        TSelectObject selected(dc, font.Get());
        std::string text = item.Caption();
        if (std::string sc = ShortCutToText(item.ShortCut()); !sc.empty()) text += "    " + sc;
        RECT r{0, 0, 0, 0};
        ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
        width = (r.right - r.left) + 2 * GetSystemMetrics(SM_CXMENUCHECK) + 8;
        height = std::max<int>(GetSystemMetrics(SM_CYMENU), (r.bottom - r.top) + 4);
    }
    if (item.OnMeasureItem) item.OnMeasureItem(&item, dc, width, height);
}

void TMenu::DrawItem(TMenuItem& item, HDC dc, const RECT& rect, bool selected) {
    if (item.OnDrawItem) {
        item.OnDrawItem(&item, dc, rect, selected);
        return;
    }
    // A plain look in the system's menu colours.
    bool highlight = selected && item.Enabled() && !item.IsSeparator();
    FillRect(dc, &rect, GetSysColorBrush(highlight ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (item.IsSeparator()) {
        RECT line = rect;
        line.top += (rect.bottom - rect.top) / 2 - 1;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    TMenuFont font;
    TSelectObject selectedFont(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, !item.Enabled() ? GetSysColor(COLOR_GRAYTEXT)
                     : highlight      ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                      : GetSysColor(COLOR_MENUTEXT));
    int check = GetSystemMetrics(SM_CXMENUCHECK);
    if (item.Checked()) {
        RECT box{rect.left + 2, rect.top + (rect.bottom - rect.top - check) / 2, rect.left + 2 + check, 0};
        box.bottom = box.top + check;
        DrawFrameControl(dc, &box, DFC_MENU, item.RadioItem() ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    }
    RECT text = rect;
    text.left += check + 6;
    text.right -= 8;
    ::DrawTextA(dc, item.Caption().c_str(), static_cast<int>(item.Caption().size()), &text,
                DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    std::string sc = ShortCutToText(item.ShortCut());
    if (!sc.empty()) ::DrawTextA(dc, sc.c_str(), static_cast<int>(sc.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

bool TMenu::HandleMeasureItem(MEASUREITEMSTRUCT& mis) {
    if (mis.CtlType != ODT_MENU) return false;
    auto* item = reinterpret_cast<TMenuItem*>(mis.itemData);
    if (!item || items_->FindCommand(mis.itemID) != item) return false;
    int width = 0, height = 0;
    {
        TScreenDC dc;
        TSavedDC saved(dc.Get());
        MeasureItem(*item, dc.Get(), width, height);
    }
    mis.itemWidth = static_cast<UINT>(std::max(width, 0));
    mis.itemHeight = static_cast<UINT>(std::max(height, 0));
    return true;
}

bool TMenu::HandleDrawItem(const DRAWITEMSTRUCT& dis) {
    if (dis.CtlType != ODT_MENU) return false;
    auto* item = reinterpret_cast<TMenuItem*>(dis.itemData);
    if (!item || items_->FindCommand(dis.itemID) != item) return false;
    TSavedDC saved(dis.hDC);
    DrawItem(*item, dis.hDC, dis.rcItem, (dis.itemState & ODS_SELECTED) != 0);
    return true;
}

HWND TMenu::WindowHandle() {
    if (window_) return window_->Handle();
    // A top-level window that is never shown: menus need a real (not message-only) owner.
    THiddenWindowParams params;
    params.kind = THiddenWindowParams::TKind::TopLevel;
    params.exStyle = WS_EX_TOOLWINDOW;
    auto window = std::make_unique<THiddenWindow>(
        kPopupWindowClass, params,
        [this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            return MenuMessage(msg, wParam, lParam, result);
        },
        CentralBoundary, static_cast<TObject*>(this));
    if (!*window) RaiseLastOSError("Cannot create the popup menu window");
    window_ = std::move(window);
    return window_->Handle();
}

UINT TMenu::TrackItems(TMenuItem& parent, int x, int y) {
    TMenuHandle menu = BuildMenu(parent);
    HWND owner = WindowHandle();
    // The shell's notification area needs the owner in the foreground for the menu to close
    // when the user clicks elsewhere, and a message after it closed.
    SetForegroundWindow(owner);
    const auto command = static_cast<UINT>(
        TrackPopupMenuEx(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    return command;
}

bool TMenu::MenuMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // Owner-drawn items are measured and painted here; a handler that fails still answers TRUE.
    switch (msg) {
    case WM_MEASUREITEM:
        result = TRUE;
        return HandleMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_DRAWITEM:
        result = TRUE;
        return HandleDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_MENUCHAR:
        result = HandleMenuChar(static_cast<char>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
        return true;
    }
    return false;
}

LRESULT TMenu::HandleMenuChar(char key, HMENU menu) {
    const int count = menu ? GetMenuItemCount(menu) : 0;
    std::vector<int> matches;
    int highlighted = -1;
    for (int position = 0; position < count; ++position) {
        TMenuItem* item = NativeItem(menu, position);
        if (!item || items_->FindCommand(item->Command()) != item) continue;
        if (NativeItemHighlighted(menu, position)) highlighted = position;
        if (item->Visible() && item->Enabled() && IsAccelChar(key, item->Caption())) matches.push_back(position);
    }
    if (matches.empty()) return MAKELRESULT(0, MNC_IGNORE);
    if (matches.size() == 1) return MAKELRESULT(matches.front(), MNC_EXECUTE);
    // Several items share the key: each press moves on to the next of them.
    auto next = std::upper_bound(matches.begin(), matches.end(), highlighted);
    return MAKELRESULT(next == matches.end() ? matches.front() : *next, MNC_SELECT);
}

// ============================================================================================ TPopupMenu

std::function<UINT(TPopupMenu&, HMENU, int, int)> TPopupMenu::TrackOverride;

const TClassInfo& TPopupMenu::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPopupMenu>("TPopupMenu", &TMenu::StaticClass())
                                       .Creatable()
                                       .Prop("AutoPopup", &TPopupMenu::SetAutoPopup, &TPopupMenu::AutoPopup)
                                       .Custom("Alignment", IgnoreProperty<TPopupMenu>)
                                       .Custom("TrackButton", IgnoreProperty<TPopupMenu>)
                                       .Custom("MenuAnimation", IgnoreProperty<TPopupMenu>)
                                       .Event("OnPopup", &TPopupMenu::OnPopup)
                                       .Build();
    return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::SetPopupComponent(TComponent* c) {
    if (popupComponent_) RemoveFreeNotification(popupComponent_);
    popupComponent_ = c;
    if (c) FreeNotification(c);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TMenu::Notification(component, operation);
    if (operation == TOperation::Remove && component == popupComponent_) popupComponent_ = nullptr;
}

void TPopupMenu::DoPopup() {
    if (OnPopup) OnPopup(this);
}

void TPopupMenu::Popup(int x, int y) {
    DoPopup();
    UINT command = 0;
    if (TrackOverride) {
        TMenuHandle menu = BuildMenu();
        command = TrackOverride(*this, menu.Get(), x, y);
    } else {
        command = TrackItems(*Items(), x, y);
    }
    // The click runs after the menu has closed.
    if (command) DispatchCommand(command);
}

// ============================================================================================ TMainMenu

const TClassInfo& TMainMenu::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMainMenu>("TMainMenu", &TMenu::StaticClass())
                                       .Creatable()
                                       .Custom("AutoMerge", IgnoreProperty<TMainMenu>)
                                       .Build();
    return info;
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TMainMenu::~TMainMenu() = default;

bool TMainMenu::PopupItem(int index, int x, int y) {
    if (index < 0 || index >= Items()->Count()) return false;
    TMenuItem* top = Items()->Items(index);
    if (!top->Visible() || !top->Enabled() || top->Count() == 0) return false;
    const UINT command = TrackItems(*top, x, y);
    if (command) DispatchCommand(command);
    return true;
}

}  // namespace vl
