#pragma once
// Menus: a tree of menu items (components, so form descriptions can create them and bind their
// events), a popup menu that builds a native menu from the tree each time it pops up, and a main
// menu whose top-level items a form's menu bar shows and whose drop-downs pop up the same way.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/ClassBuilder.h"
#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/HiddenWindow.h"
#include "framework/MenuShortCut.h"

namespace vl {

class TMenu;
class TImageList;

// The system's menu font (the menu font of the non-client metrics; the default GUI font's when
// the system does not tell).
LOGFONTA SystemMenuLogFont();

using TMenuMeasureItemEvent = std::function<void(TObject* sender, HDC dc, int& width, int& height)>;
using TMenuDrawItemEvent = std::function<void(TObject* sender, HDC dc, const RECT& rect, bool selected)>;

class TMenuItem : public TComponent {
    VL_DECLARE_CLASS()
public:
    // The menus that share the owner are told of the new item (TMenu::OwnedItemInserted).
    explicit TMenuItem(TComponent* owner);
    // Frees its sub-items and leaves its parent.
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& v) { caption_ = v; }
    bool IsSeparator() const { return caption_ == "-"; }
    bool Checked() const { return checked_; }
    // Checking a radio item unchecks the radio items of the same group under the same parent.
    void SetChecked(bool v);
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool v) { autoCheck_ = v; }
    bool Default() const { return default_; }
    void SetDefault(bool v) { default_ = v; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool v) { radioItem_ = v; }
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v) { groupIndex_ = v; }
    int ShortCut() const { return shortCut_; }
    void SetShortCut(int v) { shortCut_ = v; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v) { imageIndex_ = v; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& v) { hint_ = v; }
    // The command identifier of this item in a native menu.
    UINT Command() const { return command_; }

    // --- sub-items
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out (it is not freed).
    void Remove(TMenuItem* item);
    // Takes the item at `index` out and frees it.
    void Delete(int index);
    // Frees every sub-item.
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    TMenuItem* Parent() const { return parent_; }
    // The menu whose tree holds this item, if any.
    TMenu* GetParentMenu() const;
    // Finds a sub-item (at any depth) by command identifier.
    TMenuItem* FindCommand(UINT command);

    // AutoCheck toggles Checked, then OnClick.
    virtual void Click();

    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;

private:
    friend class TMenu;
    std::string caption_;
    bool checked_ = false, autoCheck_ = false, default_ = false, enabled_ = true, visible_ = true;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    int shortCut_ = 0;
    int imageIndex_ = -1;
    std::string hint_;
    UINT command_;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on the root item only
};

// A native menu handle that it owns.
class TMenuHandle {
public:
    TMenuHandle() = default;
    explicit TMenuHandle(HMENU menu) : menu_(menu) {}
    TMenuHandle(TMenuHandle&& other) noexcept : menu_(other.menu_) { other.menu_ = nullptr; }
    TMenuHandle& operator=(TMenuHandle&& other) noexcept;
    TMenuHandle(const TMenuHandle&) = delete;
    TMenuHandle& operator=(const TMenuHandle&) = delete;
    ~TMenuHandle();
    HMENU Get() const { return menu_; }
    // Gives up ownership (the menu was attached to a parent menu that frees it).
    HMENU Release() {
        HMENU m = menu_;
        menu_ = nullptr;
        return m;
    }

private:
    HMENU menu_ = nullptr;
};

// Base of menus: the root item, images, owner drawing, and the hidden window that owns the
// native menus while they show.
class TMenu : public TComponent {
    VL_DECLARE_CLASS()
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    TMenuItem* Items() { return items_; }
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    // Owner-drawn items are measured and painted through MeasureItem and DrawItem.
    bool OwnerDraw() const { return ownerDraw_; }
    virtual void SetOwnerDraw(bool v) { ownerDraw_ = v; }

    // Builds a native popup menu of the visible items (checked, default, disabled, separators,
    // sub-menus); owner-drawn items carry their TMenuItem* as item data.
    TMenuHandle BuildMenu();
    // Clicks the item with this command identifier as if it had been chosen; false if none.
    bool DispatchCommand(UINT command);

    // Owner drawing. The defaults call the item's OnMeasureItem / OnDrawItem, or measure and
    // paint the caption plainly; a skinned menu overrides them.
    virtual void MeasureItem(TMenuItem& item, HDC dc, int& width, int& height);
    virtual void DrawItem(TMenuItem& item, HDC dc, const RECT& rect, bool selected);
    // WM_MEASUREITEM / WM_DRAWITEM of a menu: true when the item is one of ours.
    bool HandleMeasureItem(MEASUREITEMSTRUCT& mis);
    bool HandleDrawItem(const DRAWITEMSTRUCT& dis);
    // WM_MENUCHAR of a native menu built from this one: owner-drawn items have no text for the
    // system to find mnemonics in, so the item whose caption marks `key` is looked up here.
    // Answers MNC_EXECUTE for the one such item, MNC_SELECT of the next one when several
    // share the key, MNC_IGNORE when none does.
    LRESULT HandleMenuChar(char key, HMENU menu);

    // The hidden window that owns the menu while it shows and receives its messages.
    HWND WindowHandle();

protected:
    void Notification(TComponent* component, TOperation operation) override;
    // A menu item joined this menu's owner (created with that owner, or moved to it).
    virtual void OwnedItemInserted(TMenuItem& item);
    // Shows the visible sub-items of `parent` as a native popup menu at the screen position,
    // owned by the hidden window; returns the chosen command identifier (0: none).
    UINT TrackItems(TMenuItem& parent, int x, int y);
    TMenuHandle BuildMenu(TMenuItem& parent);

private:
    friend class TMenuItem;
    void AppendItems(HMENU menu, TMenuItem& parent);
    // The hidden window's messages: owner drawing and mnemonics of the menu's items.
    bool MenuMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    TMenuItem* items_;
    TImageList* images_ = nullptr;
    bool ownerDraw_ = false;
    std::unique_ptr<THiddenWindow> window_;
};

// A context menu popped up at a screen position.
class TPopupMenu : public TMenu {
    VL_DECLARE_CLASS()
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool v) { autoPopup_ = v; }
    // The component that asked for the menu (a control, a tray icon).
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* c);

    // OnPopup, then shows the menu at the screen position; returns after the menu closed and
    // the chosen item (if any) was clicked.
    virtual void Popup(int x, int y);

    // When set, replaces TrackPopupMenu (tests): gets the built menu and returns the chosen
    // command identifier (0: none).
    static std::function<UINT(TPopupMenu&, HMENU, int x, int y)> TrackOverride;

    TNotifyEvent OnPopup;

protected:
    virtual void DoPopup();
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
};

// A form's main menu: its top-level items are the captions of a menu bar, which the form's
// frame draws; the sub-items of each pop up as that caption's drop-down.
class TMainMenu : public TMenu {
    VL_DECLARE_CLASS()
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;

    // Shows the drop-down of top-level item `index` at the screen position (the caption's
    // bottom-left corner); returns after it closed and the chosen item (if any) was clicked.
    // False when there is no such visible, enabled item with sub-items.
    bool PopupItem(int index, int x, int y);
};

}  // namespace vl
