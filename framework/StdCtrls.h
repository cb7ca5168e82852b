#pragma once
// Standard controls: label, panel and group box (painted by us), button, check box and radio
// button (native BUTTON windows), radio group, list box and edit (native windows).
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ClassBuilder.h"
#include "framework/Control.h"
#include "framework/Strings.h"

namespace vl {

enum class TAlignment { LeftJustify, RightJustify, Center };
enum class TTextLayout { Top, Center, Bottom };
enum class TBevelCut { None, Lowered, Raised, Space };
enum class TBorderStyle { None, Single };
enum class TCheckBoxState { Unchecked, Checked, Grayed };
template <> struct TEnumNames<TAlignment> { static const TEnumTable<TAlignment>& Table(); };
template <> struct TEnumNames<TTextLayout> { static const TEnumTable<TTextLayout>& Table(); };
template <> struct TEnumNames<TBevelCut> { static const TEnumTable<TBevelCut>& Table(); };
template <> struct TEnumNames<TBorderStyle> { static const TEnumTable<TBorderStyle>& Table(); };
template <> struct TEnumNames<TCheckBoxState> { static const TEnumTable<TCheckBoxState>& Table(); };

// A caption painted by the control itself; a click on it raises OnClick.
class TLabel : public TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TLabel(TComponent* owner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout l);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool v);
    // The control an accelerator of the caption focuses.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* c);

    bool DialogChar(char key) override;
    bool CanFocus() const override { return false; }

protected:
    void Paint(HDC dc, const RECT& clip) override;
    void WndProc(TMessage& msg) override;
    void TextChanged() override;
    void FontChanged() override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    // Sizes the control to its caption when AutoSize is on.
    void AdjustBounds();
    UINT DrawTextFlags() const;

private:
    bool autoSize_ = true;
    bool transparent_ = false;
    TAlignment alignment_ = TAlignment::LeftJustify;
    TTextLayout layout_ = TTextLayout::Top;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    bool pressed_ = false;
    TWinControl* focusControl_ = nullptr;
};

// A raised or lowered box with a centred caption; other controls can sit inside it.
class TPanel : public TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut v);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut v);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int v);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint(HDC dc, const RECT& clip) override;
    void AdjustClientRect(RECT& rect) override;
    // Draws bevels and border and returns the area inside them.
    RECT PaintFrame(HDC dc);

private:
    void Changed();

    TBevelCut bevelOuter_ = TBevelCut::Raised;
    TBevelCut bevelInner_ = TBevelCut::None;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = TBorderStyle::None;
    TAlignment alignment_ = TAlignment::Center;
};

// A frame with a caption in its top line.
class TGroupBox : public TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TGroupBox(TComponent* owner);

protected:
    void Paint(HDC dc, const RECT& clip) override;
    void AdjustClientRect(RECT& rect) override;
    int CaptionHeight() const;
};

// A native push button. Click sets the form's ModalResult when the button has one.
class TButton : public TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int v) { modalResult_ = v; }

    void Click() override;
    bool IsDefaultButton() const override { return default_; }
    bool IsCancelButton() const override { return cancel_; }
    bool IsButtonControl() const override { return true; }

protected:
    void CreateParams(TCreateParams& params) override;
    bool HasOwnPaint() const override { return false; }
    void CommandNotify(WORD code) override;
    void FocusChanged(TWinControl* focused) override;
    void UpdateDefaultLook(bool active);

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
    bool active_ = false;  // drawn as the default button
};

// A native check box. The state changes through SetState (a user click, the keyboard, an
// accelerator or code alike); each change raises OnClick once, except while loading.
class TCheckBox : public TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const { return state_ == TCheckBoxState::Checked; }
    void SetChecked(bool v) { SetState(v ? TCheckBoxState::Checked : TCheckBoxState::Unchecked); }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState s);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool v);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v) { autoSize_ = v; }
    // taRightJustify (default): the caption right of the box; taLeftJustify: left of it.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    // Moves to the next state, as a click does.
    virtual void Toggle();

    bool DialogChar(char key) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WindowCreated() override;
    bool HasOwnPaint() const override { return false; }
    void CommandNotify(WORD code) override;

private:
    TCheckBoxState state_ = TCheckBoxState::Unchecked;
    bool allowGrayed_ = false;
    bool autoSize_ = true;
    TAlignment alignment_ = TAlignment::RightJustify;
};

// A native radio button; checking it unchecks the radio buttons with the same parent and raises
// OnClick (not while loading).
class TRadioButton : public TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TRadioButton(TComponent* owner);

    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);

    bool DialogChar(char key) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WindowCreated() override;
    bool HasOwnPaint() const override { return false; }
    void CommandNotify(WORD code) override;

private:
    bool checked_ = false;
    TAlignment alignment_ = TAlignment::RightJustify;
};

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

// A group frame with one radio button per item; ItemIndex is the checked one (-1: none).
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

// A native list box. Its items live in the window while there is one and in the control
// otherwise; they survive the window being destroyed and created again.
class TListBox : public TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;

    TStrings* Items();
    int Count() { return Items()->Count(); }
    void Clear() { Items()->Clear(); }
    int ItemIndex() const;
    // Selects an item from code (-1: none) without raising OnClick.
    void SetItemIndex(int index);
    int ItemHeight() const;
    void SetItemHeight(int h);
    int TopIndex() const;
    void SetTopIndex(int index);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle v);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool v);
    bool IntegralHeight() const { return integralHeight_; }
    void SetIntegralHeight(bool v) { integralHeight_ = v; }

protected:
    void CreateParams(TCreateParams& params) override;
    void WindowCreated() override;
    void WndProc(TMessage& msg) override;
    bool HasOwnPaint() const override { return false; }
    void CommandNotify(WORD code) override;
    void Loaded() override;

private:
    friend class TListBoxStrings;
    void SaveItems();
    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) const;

    std::unique_ptr<TStrings> items_;  // a TListBoxStrings
    TStringList saved_;                // the items while there is no window
    int savedIndex_ = -1;
    int itemHeight_ = 0;               // 0: the list box's own
    int savedTop_ = 0;
    TBorderStyle borderStyle_ = TBorderStyle::Single;
    bool sorted_ = false;
    bool integralHeight_ = false;
};

// A native single-line edit; Text follows what the user types and OnChange reports it.
class TEdit : public TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TEdit(TComponent* owner);

    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char c);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle v);
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool v) { autoSelect_ = v; }
    void SelectAll();

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void WindowCreated() override;
    void WndProc(TMessage& msg) override;
    bool HasOwnPaint() const override { return false; }
    void CommandNotify(WORD code) override;
    virtual void Change();

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    char passwordChar_ = 0;
    TBorderStyle borderStyle_ = TBorderStyle::Single;
    bool autoSelect_ = true;
};

}  // namespace vl
