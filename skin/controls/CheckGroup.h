#pragma once
// TsuiCheckGroup: a group box that turns its Items, one string each, into check boxes it
// makes, owns and lays out itself, in Columns columns below the caption (TopMargin pixels
// lower). The item buttons stay out of the tab order: Tab reaches the group, which hands the
// focus to an item (FocusItem); the arrow keys move it from item to item. OnClick reports each
// change of an item (not while loading).
//
// TsuiCheckGroupButton is the check box it makes for an item.
#include <windows.h>

#include <vector>

#include "framework/Strings.h"
#include "skin/controls/CheckBox.h"
#include "skin/controls/GroupBox.h"

namespace vorlinde {

class TsuiCheckGroup;

class TsuiCheckGroupButton : public TsuiCheckBox {
    VL_DECLARE_CLASS()
public:
    explicit TsuiCheckGroupButton(TsuiCheckGroup* group);
    TsuiCheckGroup* Group() const { return group_; }

protected:
    // The focus shows whenever the item has it (items are no tab stops).
    bool NeedDrawFocus() override { return Focused(); }
    void WndProc(vl::TMessage& msg) override;

private:
    TsuiCheckGroup* group_;
};

class TsuiCheckGroup : public TsuiCustomGroupBox {
    VL_DECLARE_CLASS()
public:
    explicit TsuiCheckGroup(vl::TComponent* owner);
    ~TsuiCheckGroup() override;

    // One item button per string; a change makes or frees buttons (the last ones) and gives
    // every button its string again.
    vl::TStrings* Items() { return &items_; }
    void SetItems(const vl::TStrings& items);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TsuiCheckBox* Buttons(int index) const { return buttons_.at(static_cast<size_t>(index)); }
    int Columns() const { return columns_; }
    // Values below 1 are refused: a column count of 0 has no column width.
    void SetColumns(int columns);
    int TopMargin() const { return topMargin_; }
    // Negative values are refused.
    void SetTopMargin(int margin);
    uint32_t FontColor() const { return FontRef().Color(); }
    void SetFontColor(uint32_t color) { Font()->SetColor(color); }
    // The cursor of every item button, also of those made later.
    int ItemCursor() const { return itemCursor_; }
    void SetItemCursor(int cursor);

    // The group's own click: as an item's change (ButtonClicked).
    void Click() override;

    // The arrow keys on an item button: WM_GETDLGCODE asks for them and a key press moves the
    // focus to the previous or next item, round the group. True when `msg` was one of those.
    bool ItemKey(TsuiCheckBox& button, vl::TMessage& msg);

protected:
    // --- slots
    void UIStyleChanged(TsuiUIStyle style, TsuiFileTheme* fileTheme) override;
    virtual void ItemChanged() {}
    virtual TsuiCheckBox* CreateButton();
    // The focus came to the group: the first item takes it.
    virtual void FocusItem();

    void TransparentChanged() override;
    void FontChanged() override;
    void Resized() override;
    void Loaded() override;
    void WndProc(vl::TMessage& msg) override;

    // An item's OnClick, and the group's own click: ItemChanged, then OnClick unless loading.
    void ButtonClicked();
    const std::vector<TsuiCheckBox*>& ButtonList() const { return buttons_; }

private:
    void ItemsChanged();
    // Makes or frees buttons until there is one per item; true when it made one.
    bool UpdateButtons();
    void Arrange();

    vl::TStringList items_;
    std::vector<TsuiCheckBox*> buttons_;  // owned (the group is their owner), in item order
    int columns_ = 1;
    int topMargin_ = 8;
    int itemCursor_ = 0;
};

}  // namespace vorlinde
