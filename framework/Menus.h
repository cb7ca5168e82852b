#pragma once
// Menus: a tree of menu items (components, so form descriptions can create them and bind their
// events), and a popup menu that builds a native menu from the tree each time it pops up.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/ClassBuilder.h"
#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/HiddenWindow.h"

namespace vl {

class TMenu;
class TImageList;

// Shortcuts: a virtual key plus these modifier bits.
enum : int { scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0 };
// "Ctrl+O", "Shift+F10", "" for none.
std::string ShortCutToText(int shortcut);
int ShortCut(WORD key, unsigned shift);  // shift: ssShift / ssCtrl / ssAlt bits

using TMenuMeasureItemEvent = std::function<void(TObject* sender, HDC dc, int& width, int& height)>;
using TMenuDrawItemEvent = std::function<void(TObject* sender, HDC dc, const RECT& rect, bool selected)>;

class TMenuItem : public TComponent {
    VL_DECLARE_CLASS()
public:
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

// Base of menus: the root item, images, owner drawing.
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

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void AppendItems(HMENU menu, TMenuItem& parent);

    TMenuItem* items_;
    TImageList* images_ = nullptr;
    bool ownerDraw_ = false;
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
    // The hidden window that owns the menu while it shows and receives its messages.
    HWND WindowHandle();

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
    // The hidden window's messages: owner drawing of the menu's items.
    bool MenuMessage(UINT msg, LPARAM lParam, LRESULT& result);

    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
    std::unique_ptr<THiddenWindow> window_;
};

}  // namespace vl
