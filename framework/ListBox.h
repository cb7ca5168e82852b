#pragma once
// TListBox: a native list box. Its items live in the window while there is one and in the
// control otherwise; they survive the window being destroyed and created again.
#include <windows.h>

#include <memory>

#include "framework/Control.h"
#include "framework/ControlEnums.h"
#include "framework/Strings.h"

namespace vl {

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

}  // namespace vl
