#pragma once
// TRadioGroup: a group frame with one radio button per item; ItemIndex is the checked one
// (-1: none). TGroupButton is the radio button it makes for each item; arrow keys on a button
// move the selection through the group.
#include <windows.h>

#include <vector>

#include "framework/GroupBox.h"
#include "framework/RadioButton.h"
#include "framework/Strings.h"

namespace vl {

class TRadioGroup;

// A radio button made by a radio group for one of its items (window class "TGroupButton").
class TGroupButton : public TRadioButton {
    VL_DECLARE_CLASS()
public:
    TGroupButton(TRadioGroup* group, int index);
    int Index() const { return index_; }

protected:
    void WndProc(TMessage& msg) override;

private:
    friend class TRadioGroup;
    TRadioGroup* group_;
    int index_;
};

class TRadioGroup : public TGroupBox {
    VL_DECLARE_CLASS()
public:
    explicit TRadioGroup(TComponent* owner);
    ~TRadioGroup() override;

    TStrings* Items() { return &items_; }
    int ItemIndex() const { return itemIndex_; }
    // Checks that item's button and raises OnClick (not while loading); values outside
    // -1..count-1 are ignored once loaded.
    void SetItemIndex(int index);
    int Columns() const { return columns_; }
    void SetColumns(int v);
    int TopMargin() const { return topMargin_; }
    void SetTopMargin(int v);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TGroupButton* Buttons(int index) const { return buttons_.at(static_cast<size_t>(index)); }

protected:
    void Loaded() override;
    void Resized() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void WndProc(TMessage& msg) override;
    // Lays the buttons out in columns inside the frame.
    void ArrangeButtons();

private:
    friend class TGroupButton;
    void ItemsChanged();
    void UpdateButtons();
    void ButtonClicked(int index);
    void MoveSelection(int delta);

    TStringList items_;
    std::vector<TGroupButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
    int topMargin_ = 8;
    bool updating_ = false;
};

}  // namespace vl
