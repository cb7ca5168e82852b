#include "skin/controls/SkinnedMenu.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "skin/FileTheme.h"

namespace vorlinde {

int FontCharsetFromProp(const vl::TPropValue& v) {
    if (v.kind == vl::TPropValue::Kind::Integer) return v.AsInt();
    const std::string& name = v.AsIdent();
    if (vl::SameText(name, "DEFAULT_CHARSET")) return DEFAULT_CHARSET;
    if (vl::SameText(name, "ANSI_CHARSET")) return ANSI_CHARSET;
    if (vl::SameText(name, "SYMBOL_CHARSET")) return SYMBOL_CHARSET;
    if (vl::SameText(name, "OEM_CHARSET")) return OEM_CHARSET;
    throw vl::EReadError("Invalid charset '" + name + "'");
}

template <class Base>
TsuiSkinnedMenu<Base>::TsuiSkinnedMenu(vl::TComponent* owner) : Base(owner) {
    Base::SetOwnerDraw(true);
    SetUIStyle(GetFormUIStyle(owner));
}

template <class Base>
TsuiSkinnedMenu<Base>::~TsuiSkinnedMenu() {
    // Items may outlive the menu (in another menu, or owned by the form): none may call it.
    for (vl::TMenuItem* item : bound_) {
        UnbindMenuItem(*item, *this);
        this->RemoveFreeNotification(item);
    }
    bound_.clear();
    if (fileTheme_) this->RemoveFreeNotification(fileTheme_);
}

template <class Base>
void TsuiSkinnedMenu<Base>::SetUIStyle(TsuiUIStyle style) {
    uiStyle_ = style;
    look_.ApplyStyle(style, fileTheme_);
}

template <class Base>
void TsuiSkinnedMenu<Base>::SetFileTheme(TsuiFileTheme* theme) {
    if (theme != fileTheme_) {
        if (fileTheme_) this->RemoveFreeNotification(fileTheme_);
        fileTheme_ = theme;
        if (theme) this->FreeNotification(theme);
    }
    SetUIStyle(uiStyle_);
}

template <class Base>
void TsuiSkinnedMenu<Base>::BindItems(vl::TMenuItem& item) {
    if (std::find(bound_.begin(), bound_.end(), &item) == bound_.end()) {
        bound_.push_back(&item);
        this->FreeNotification(&item);
    }
    BindMenuItem(item, *this);
    for (int i = 0; i < item.Count(); ++i) BindItems(*item.Items(i));
}

template <class Base>
void TsuiSkinnedMenu<Base>::Loaded() {
    Base::Loaded();
    vl::TMenuItem* root = this->Items();
    for (int i = 0; i < root->Count(); ++i) BindItems(*root->Items(i));
}

template <class Base>
void TsuiSkinnedMenu<Base>::OwnedItemInserted(vl::TMenuItem& item) {
    Base::OwnedItemInserted(item);
    BindItems(item);
}

template <class Base>
void TsuiSkinnedMenu<Base>::Notification(vl::TComponent* component, vl::TOperation operation) {
    Base::Notification(component, operation);
    if (operation != vl::TOperation::Remove) return;
    if (auto it = std::find(bound_.begin(), bound_.end(), component); it != bound_.end()) {
        // A bound item that only moves to another owner still calls this menu: keep being told
        // when it ends.
        if (component->Destroying()) bound_.erase(it);
        else this->FreeNotification(component);
    }
    if (component == fileTheme_) {
        fileTheme_ = nullptr;
        SetUIStyle(TsuiUIStyle::DeepBlue);
    }
}

template <class Base>
void TsuiSkinnedMenu<Base>::MeasureItem(vl::TMenuItem& item, HDC dc, int& width, int& height) {
    // An item with handlers of its own (a binding included) is measured by them.
    if (item.OnMeasureItem) Base::MeasureItem(item, dc, width, height);
    else MeasureMenuItem(item, dc, width, height);
}

template <class Base>
void TsuiSkinnedMenu<Base>::DrawItem(vl::TMenuItem& item, HDC dc, const RECT& rect, bool selected) {
    if (item.OnDrawItem) Base::DrawItem(item, dc, rect, selected);
    else DrawMenuItem(item, dc, rect, selected);
}

template <class Base>
void TsuiSkinnedMenu<Base>::MeasureMenuItem(vl::TMenuItem& item, HDC dc, int& width, int& height) {
    look_.Measure(item, dc, width, height);
}

template <class Base>
void TsuiSkinnedMenu<Base>::DrawMenuItem(vl::TMenuItem& item, HDC dc, const RECT& rect, bool selected) {
    // The images of the menu that shows the item, which may be another one than this.
    vl::TMenu* shown = item.GetParentMenu();
    look_.Draw(item, shown ? shown->Images() : this->Images(), dc, rect, selected);
}

template class TsuiSkinnedMenu<vl::TPopupMenu>;
template class TsuiSkinnedMenu<vl::TMainMenu>;

}  // namespace vorlinde
