#include "framework/RadioGroup.h"

#include <algorithm>
#include <cstdlib>

namespace vl {

// ---------------------------------------------------------------- TGroupButton

const TClassInfo& TGroupButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TGroupButton>("TGroupButton", &TRadioButton::StaticClass()).Build();
    return info;
}

TGroupButton::TGroupButton(TRadioGroup* group, int index) : TRadioButton(group), group_(group), index_(index) {
    SetTabStop(false);
    SetParent(group);
    OnClick = [this](TObject*) { group_->ButtonClicked(index_); };
}

void TGroupButton::WndProc(TMessage& msg) {
    if (msg.msg == WM_KEYDOWN) {
        switch (msg.wParam) {
        case VK_UP:
        case VK_LEFT:
            group_->MoveSelection(-1);
            return;
        case VK_DOWN:
        case VK_RIGHT:
            group_->MoveSelection(1);
            return;
        }
    }
    if (msg.msg == WM_GETDLGCODE) {
        msg.result = DLGC_WANTARROWS | DLGC_BUTTON | DLGC_RADIOBUTTON;
        return;
    }
    TRadioButton::WndProc(msg);
}

// ---------------------------------------------------------------- TRadioGroup

const TClassInfo& TRadioGroup::StaticClass() {
    static const TClassInfo info = TClassBuilder<TRadioGroup>("TRadioGroup", &TGroupBox::StaticClass())
                                       .Creatable()
                                       .Object("Items", &TRadioGroup::Items)
                                       .Prop("ItemIndex", &TRadioGroup::SetItemIndex, &TRadioGroup::ItemIndex)
                                       .Prop("Columns", &TRadioGroup::SetColumns, &TRadioGroup::Columns)
                                       .Prop("TopMargin", &TRadioGroup::SetTopMargin, &TRadioGroup::TopMargin)
                                       .Build();
    return info;
}

TRadioGroup::TRadioGroup(TComponent* owner) : TGroupBox(owner) {
    SetTabStop(true);
    items_.OnChange = [this](TObject*) { ItemsChanged(); };
}

TRadioGroup::~TRadioGroup() { items_.OnChange = nullptr; }

void TRadioGroup::SetItemIndex(int index) {
    if (Loading()) {
        itemIndex_ = index;  // the items may come later in the description; applied in Loaded
        return;
    }
    if (index < -1 || index >= static_cast<int>(buttons_.size())) return;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    updating_ = true;
    try {
        if (index >= 0) buttons_[static_cast<size_t>(index)]->SetChecked(true);
        else
            for (TGroupButton* b : buttons_) b->SetChecked(false);
    } catch (...) {
        updating_ = false;
        throw;
    }
    updating_ = false;
    Click();
}

void TRadioGroup::ButtonClicked(int index) {
    if (updating_) return;
    if (!buttons_[static_cast<size_t>(index)]->Checked()) return;
    itemIndex_ = index;
    if (!Loading()) Click();
}

void TRadioGroup::MoveSelection(int delta) {
    int count = static_cast<int>(buttons_.size());
    if (count == 0) return;
    int next = itemIndex_ < 0 ? 0 : std::clamp(itemIndex_ + delta, 0, count - 1);
    SetItemIndex(next);
    TGroupButton* b = buttons_[static_cast<size_t>(next)];
    if (b->CanFocus() && b->HandleAllocated()) b->SetFocus();
}

void TRadioGroup::SetColumns(int v) {
    if (v < 1 || v == columns_) return;
    columns_ = v;
    ArrangeButtons();
}

void TRadioGroup::SetTopMargin(int v) {
    if (v < 0 || v == topMargin_) return;
    topMargin_ = v;
    ArrangeButtons();
}

void TRadioGroup::ItemsChanged() {
    UpdateButtons();
    if (!Loading() && itemIndex_ >= static_cast<int>(buttons_.size())) itemIndex_ = -1;
    // Keep the check marks in step with ItemIndex.
    updating_ = true;
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetChecked(static_cast<int>(i) == itemIndex_);
    updating_ = false;
    ArrangeButtons();
}

void TRadioGroup::UpdateButtons() {
    int count = items_.Count();
    while (static_cast<int>(buttons_.size()) < count) {
        auto* b = new TGroupButton(this, static_cast<int>(buttons_.size()));
        b->SetEnabled(Enabled());
        buttons_.push_back(b);
    }
    while (static_cast<int>(buttons_.size()) > count) {
        TGroupButton* b = buttons_.back();
        buttons_.pop_back();
        delete b;
    }
    for (int i = 0; i < count; ++i) buttons_[static_cast<size_t>(i)]->SetCaption(items_[i]);
}

void TRadioGroup::ArrangeButtons() {
    if (buttons_.empty()) return;
    RECT client = ClientRect();
    int h = std::abs(FontRef().Height());
    int count = static_cast<int>(buttons_.size());
    int top = client.top + h + topMargin_;
    int bottom = client.bottom - 2;
    int columnWidth = (Width() - 10) / columns_;
    int rows = (count + columns_ - 1) / columns_;
    int rowHeight = std::max((bottom - top) / rows, 1);
    int firstTop = top + std::max((bottom - top) % rows, 0) / 2;
    int buttonHeight = std::min(rowHeight, CaptionHeight() + 4);
    for (int i = 0; i < count; ++i) {
        int x = (i / rows) * columnWidth + 8;
        int y = (i % rows) * rowHeight + firstTop;
        buttons_[static_cast<size_t>(i)]->SetBounds(x, y, std::max(columnWidth - 8, 1), buttonHeight);
    }
}

void TRadioGroup::Loaded() {
    TGroupBox::Loaded();
    int wanted = itemIndex_;
    itemIndex_ = -1;
    if (wanted < -1 || wanted >= static_cast<int>(buttons_.size())) wanted = -1;
    updating_ = true;
    for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetChecked(static_cast<int>(i) == wanted);
    updating_ = false;
    itemIndex_ = wanted;
    ArrangeButtons();
}

void TRadioGroup::Resized() {
    TGroupBox::Resized();
    ArrangeButtons();
}

void TRadioGroup::FontChanged() {
    TGroupBox::FontChanged();
    ArrangeButtons();
}

void TRadioGroup::EnabledChanged() {
    TGroupBox::EnabledChanged();
    for (TGroupButton* b : buttons_) b->SetEnabled(Enabled());
}

void TRadioGroup::WndProc(TMessage& msg) {
    if (msg.msg == WM_SETFOCUS) {
        // The group hands the focus to its checked button (or the first one).
        TGroupBox::WndProc(msg);
        if (!buttons_.empty()) {
            TGroupButton* b = buttons_[static_cast<size_t>(std::max(itemIndex_, 0))];
            if (b->CanFocus()) b->SetFocus();
        }
        return;
    }
    TGroupBox::WndProc(msg);
}

}  // namespace vl
