#include "skin/controls/CheckGroup.h"

#include <algorithm>

#include "framework/ClassBuilder.h"
#include "framework/PropValue.h"
#include "skin/FileTheme.h"

namespace vorlinde {

// ------------------------------------------------------------------------ TsuiCheckGroupButton

const vl::TClassInfo& TsuiCheckGroupButton::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiCheckGroupButton>("TsuiCheckGroupButton", &TsuiCheckBox::StaticClass()).Build();
    return info;
}

TsuiCheckGroupButton::TsuiCheckGroupButton(TsuiCheckGroup* group) : TsuiCheckBox(group), group_(group) {}

void TsuiCheckGroupButton::WndProc(vl::TMessage& msg) {
    if (group_ && group_->ItemKey(*this, msg)) return;
    TsuiCheckBox::WndProc(msg);
}

// ------------------------------------------------------------------------------ TsuiCheckGroup

const vl::TClassInfo& TsuiCheckGroup::StaticClass() {
    using G = TsuiCheckGroup;
    static const vl::TClassInfo info =
        vl::TClassBuilder<G>("TsuiCheckGroup", &TsuiCustomGroupBox::StaticClass())
            .Creatable()
            .Object("Items", &G::Items)
            .Prop("Columns", &G::SetColumns, &G::Columns)
            .Prop("TopMargin", &G::SetTopMargin, &G::TopMargin)
            .ColorProp("FontColor", &G::SetFontColor, &G::FontColor)
            .Custom("Cursor", [](G& g, const vl::TPropValue& v) { g.SetItemCursor(vl::CursorFromPropValue(v)); },
                    [](const G& g) { return vl::TPropValue::Int(g.ItemCursor()); })
            .Build();
    return info;
}

TsuiCheckGroup::TsuiCheckGroup(vl::TComponent* owner) : TsuiCustomGroupBox(owner) {
    SetTransparent(false);
    SetParentColor(true);
    SetTabStop(true);
    items_.OnChange = [this](vl::TObject*) { ItemsChanged(); };
}

TsuiCheckGroup::~TsuiCheckGroup() {
    // The item buttons go while the group is whole: they call back into it.
    items_.OnChange = nullptr;
    while (!buttons_.empty()) {
        TsuiCheckBox* button = buttons_.back();
        buttons_.pop_back();
        delete button;
    }
}

void TsuiCheckGroup::SetItems(const vl::TStrings& items) { items_.Assign(items); }

void TsuiCheckGroup::SetColumns(int columns) {
    if (columns < 1) return;
    columns_ = columns;
    Arrange();
}

void TsuiCheckGroup::SetTopMargin(int margin) {
    if (margin < 0) return;
    topMargin_ = margin;
    Arrange();
}

void TsuiCheckGroup::SetItemCursor(int cursor) {
    for (TsuiCheckBox* button : buttons_) button->SetCursor(cursor);
    itemCursor_ = cursor;
}

TsuiCheckBox* TsuiCheckGroup::CreateButton() { return new TsuiCheckGroupButton(this); }

void TsuiCheckGroup::UIStyleChanged(TsuiUIStyle style, TsuiFileTheme* fileTheme) {
    TsuiCustomGroupBox::UIStyleChanged(style, fileTheme);
    for (TsuiCheckBox* button : buttons_) {
        button->SetFileTheme(fileTheme);
        button->SetUIStyle(style);
        button->SetColor(Color());
    }
}

void TsuiCheckGroup::TransparentChanged() {
    TsuiCustomGroupBox::TransparentChanged();
    for (TsuiCheckBox* button : buttons_) button->SetTransparent(Transparent());
}

void TsuiCheckGroup::FontChanged() {
    TsuiCustomGroupBox::FontChanged();
    for (TsuiCheckBox* button : buttons_) button->Font()->Assign(FontRef());
    Arrange();  // the caption line's height moves the items
}

void TsuiCheckGroup::Resized() {
    TsuiCustomGroupBox::Resized();
    Arrange();
}

void TsuiCheckGroup::Loaded() {
    TsuiCustomGroupBox::Loaded();
    // The buttons made while loading could not size themselves yet.
    for (TsuiCheckBox* button : buttons_) button->SetAutoSize(true);
    Arrange();
}

void TsuiCheckGroup::WndProc(vl::TMessage& msg) {
    TsuiCustomGroupBox::WndProc(msg);
    if (msg.msg == WM_SETFOCUS) FocusItem();
}

void TsuiCheckGroup::FocusItem() {
    if (buttons_.empty()) return;
    TsuiCheckBox* first = buttons_.front();
    if (first->CanFocus() && first->HandleAllocated()) first->SetFocus();
}

void TsuiCheckGroup::Click() { ButtonClicked(); }

void TsuiCheckGroup::ButtonClicked() {
    ItemChanged();
    if (!Loading() && OnClick) OnClick(this);
}

bool TsuiCheckGroup::ItemKey(TsuiCheckBox& button, vl::TMessage& msg) {
    if (msg.msg == WM_GETDLGCODE) {
        msg.result = DLGC_WANTARROWS;
        return true;
    }
    if (msg.msg != WM_KEYDOWN) return false;
    int step = 0;
    switch (msg.wParam) {
    case VK_UP:
    case VK_LEFT: step = -1; break;
    case VK_DOWN:
    case VK_RIGHT: step = 1; break;
    default: return false;
    }
    const auto it = std::find(buttons_.begin(), buttons_.end(), &button);
    if (it == buttons_.end()) return false;
    const int count = static_cast<int>(buttons_.size());
    const int from = static_cast<int>(it - buttons_.begin());
    for (int k = 1; k < count; ++k) {
        TsuiCheckBox* next = buttons_[static_cast<size_t>(((from + step * k) % count + count) % count)];
        if (next->CanFocus() && next->HandleAllocated()) {
            next->SetFocus();
            break;
        }
    }
    return true;
}

// ------------------------------------------------------------------------- items and layout

void TsuiCheckGroup::ItemsChanged() {
    const bool made = UpdateButtons();
    Arrange();
    if (made) {
        // Hands the value to every button again, the new ones included.
        SetTransparent(!Transparent());
        SetTransparent(!Transparent());
    }
}

bool TsuiCheckGroup::UpdateButtons() {
    const size_t count = static_cast<size_t>(items_.Count());
    bool made = false;
    while (buttons_.size() < count) {
        TsuiCheckBox* button = CreateButton();
        button->SetParent(this);
        button->Font()->Assign(FontRef());
        button->SetAutoSize(true);
        button->SetFileTheme(FileTheme());
        button->SetUIStyle(UIStyle());
        button->SetTransparent(Transparent());
        button->SetParentColor(true);
        button->SetTabStop(false);
        button->OnClick = [this](vl::TObject*) { ButtonClicked(); };
        button->SetCursor(itemCursor_);
        buttons_.push_back(button);
        made = true;
    }
    while (buttons_.size() > count) {
        TsuiCheckBox* last = buttons_.back();
        buttons_.pop_back();
        delete last;
    }
    for (size_t i = 0; i < count; ++i) {
        buttons_[i]->SetCaption(items_[static_cast<int>(i)]);
        buttons_[i]->SetAutoSize(true);
    }
    return made;
}

void TsuiCheckGroup::Arrange() {
    if (buttons_.empty()) return;
    const RECT client = ClientRect();
    const int h = CaptionLineHeight();
    const int itemsBottom = client.bottom - 2;
    const int top = client.top + h + topMargin_;
    const int columns = std::max(columns_, 1);
    const int count = static_cast<int>(buttons_.size());
    const int columnWidth = (Width() - 10) / columns;
    const int rows = (count + columns - 1) / columns;
    const int rowHeight = (itemsBottom - top) / rows;
    const int firstTop = top + ((itemsBottom - top) % rows) / 2;
    for (int i = 0; i < count; ++i) {
        TsuiCheckBox* button = buttons_[static_cast<size_t>(i)];
        button->SetBounds((i / rows) * columnWidth + 8, (i % rows) * rowHeight + firstTop, button->Width(),
                          button->Height());
    }
}

}  // namespace vorlinde
