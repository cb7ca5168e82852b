#pragma once
// What the skinned popup menu and the skinned main menu share, on top of their framework menu
// (TsuiSkinnedMenu<vl::TPopupMenu>, TsuiSkinnedMenu<vl::TMainMenu>): the UI style and file
// theme, the look of the items (TsuiMenuLook), owner drawing that is always on, and the binding
// of the items' measure and draw events to that look.
//
// Binding: after the menu was loaded from a form description, every item and sub-item of the
// menu; and every menu item created later with the menu's owner, whichever menu it then joins.
// Items of the menu that no binding reached (a menu built in code) are drawn in the look too.
// The menu takes its bindings back when it goes away.
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/ClassBuilder.h"
#include "framework/Menus.h"
#include "skin/FileTheme.h"
#include "skin/UIStyle.h"
#include "skin/controls/MenuItemBinding.h"
#include "skin/controls/MenuLook.h"

namespace vorlinde {

template <class Base>
class TsuiSkinnedMenu : public Base, private TsuiMenuItemPainter {
public:
    // Starts in the style of the owner form's skinned frame (DeepBlue without one).
    explicit TsuiSkinnedMenu(vl::TComponent* owner);
    ~TsuiSkinnedMenu() override;

    // Takes the style's values (TsuiMenuLook::ApplyStyle).
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle style);
    // Not owned. Setting it applies the style again, also when it is the same theme (the theme
    // hands itself out again after loading a new file). Forgotten, with DeepBlue applied, when
    // the theme is destroyed.
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TsuiFileTheme* theme);

    TsuiMenuLook& Look() { return look_; }
    const TsuiMenuLook& Look() const { return look_; }

    // Always owner-drawn: writing does nothing.
    void SetOwnerDraw(bool) override {}

    // Binds `item` and all its sub-items to this menu's look.
    void BindItems(vl::TMenuItem& item);
    // Whether the item's events call this menu's look.
    bool IsBound(const vl::TMenuItem& item) const { return IsMenuItemBoundTo(item, *this); }

    void Loaded() override;
    void MeasureItem(vl::TMenuItem& item, HDC dc, int& width, int& height) override;
    void DrawItem(vl::TMenuItem& item, HDC dc, const RECT& rect, bool selected) override;

protected:
    void Notification(vl::TComponent* component, vl::TOperation operation) override;
    void OwnedItemInserted(vl::TMenuItem& item) override;

private:
    void MeasureMenuItem(vl::TMenuItem& item, HDC dc, int& width, int& height) override;
    void DrawMenuItem(vl::TMenuItem& item, HDC dc, const RECT& rect, bool selected) override;

    TsuiUIStyle uiStyle_ = TsuiUIStyle::DeepBlue;
    TsuiFileTheme* fileTheme_ = nullptr;
    TsuiMenuLook look_;
    // Items whose events this menu set, each told to this menu when it is destroyed.
    std::vector<vl::TMenuItem*> bound_;
};

extern template class TsuiSkinnedMenu<vl::TPopupMenu>;
extern template class TsuiSkinnedMenu<vl::TMainMenu>;

// A character set as form descriptions give it: a number or DEFAULT_CHARSET, ANSI_CHARSET,
// SYMBOL_CHARSET, OEM_CHARSET.
int FontCharsetFromProp(const vl::TPropValue& v);

// The published properties of a skinned menu class M (a TsuiSkinnedMenu), in the order form
// descriptions list them.
template <class M>
vl::TClassBuilder<M>& PublishSkinnedMenu(vl::TClassBuilder<M>& b) {
    using L = TsuiMenuLook;
    auto value = [&b](const char* name, auto set, auto get) {
        using V = std::decay_t<decltype((std::declval<const L&>().*get)())>;
        b.Custom(name, [set](M& m, const vl::TPropValue& v) { (m.Look().*set)(vl::FromPropValue<V>(v)); },
                 [get](const M& m) { return vl::ToPropValue((m.Look().*get)()); });
    };
    auto color = [&b](const char* name, void (L::*set)(uint32_t), uint32_t (L::*get)() const) {
        b.Custom(name, [set](M& m, const vl::TPropValue& v) { (m.Look().*set)(vl::ColorFromPropValue(v)); },
                 [get](const M& m) { return vl::ColorToPropValue((m.Look().*get)()); });
    };
    b.Custom("UIStyle", [](M& m, const vl::TPropValue& v) { m.SetUIStyle(vl::FromPropValue<TsuiUIStyle>(v)); },
             [](const M& m) { return vl::ToPropValue(m.UIStyle()); });
    value("MenuItemHeight", &L::SetMenuItemHeight, &L::MenuItemHeight);
    value("SeparatorHeight", &L::SetSeparatorHeight, &L::SeparatorHeight);
    color("BarColor", &L::SetBarColor, &L::BarColor);
    value("BarWidth", &L::SetBarWidth, &L::BarWidth);
    color("Color", &L::SetColor, &L::Color);
    color("SeparatorColor", &L::SetSeparatorColor, &L::SeparatorColor);
    color("SelectedBorderColor", &L::SetSelectedBorderColor, &L::SelectedBorderColor);
    color("SelectedColor", &L::SetSelectedColor, &L::SelectedColor);
    color("SelectedFontColor", &L::SetSelectedFontColor, &L::SelectedFontColor);
    color("FontColor", &L::SetFontColor, &L::FontColor);
    color("BorderColor", &L::SetBorderColor, &L::BorderColor);
    value("FlatMenu", &L::SetFlatMenu, &L::FlatMenu);
    b.Custom("FontName", [](M& m, const vl::TPropValue& v) { m.Look().SetFontName(v.AsString()); },
             [](const M& m) { return vl::TPropValue::Str(m.Look().FontName()); });
    value("FontSize", &L::SetFontSize, &L::FontSize);
    b.Custom("FontCharset", [](M& m, const vl::TPropValue& v) { m.Look().SetFontCharset(FontCharsetFromProp(v)); },
             [](const M& m) { return vl::TPropValue::Int(m.Look().FontCharset()); });
    value("UseSystemFont", &L::SetUseSystemFont, &L::UseSystemFont);
    b.Reference("FileTheme", static_cast<void (M::*)(TsuiFileTheme*)>(&M::SetFileTheme),
                static_cast<TsuiFileTheme* (M::*)() const>(&M::FileTheme));
    return b;
}

}  // namespace vorlinde
