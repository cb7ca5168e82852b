#include "skin/controls/PopupMenu.h"

#include "framework/ClassBuilder.h"
#include "skin/FileTheme.h"

namespace vorlinde {

namespace {
int CharsetFromProp(const vl::TPropValue& v) {
    if (v.kind == vl::TPropValue::Kind::Integer) return v.AsInt();
    const std::string& name = v.AsIdent();
    if (vl::SameText(name, "DEFAULT_CHARSET")) return DEFAULT_CHARSET;
    if (vl::SameText(name, "ANSI_CHARSET")) return ANSI_CHARSET;
    if (vl::SameText(name, "SYMBOL_CHARSET")) return SYMBOL_CHARSET;
    if (vl::SameText(name, "OEM_CHARSET")) return OEM_CHARSET;
    throw vl::EReadError("Invalid charset '" + name + "'");
}
}  // namespace

const vl::TClassInfo& TsuiPopupMenu::StaticClass() {
    using M = TsuiPopupMenu;
    static const vl::TClassInfo info =
        vl::TClassBuilder<M>("TsuiPopupMenu", &vl::TPopupMenu::StaticClass())
            .Creatable()
            .Prop("UIStyle", &M::SetUIStyle, &M::UIStyle)
            .Prop("MenuItemHeight", &M::SetMenuItemHeight, &M::MenuItemHeight)
            .Prop("SeparatorHeight", &M::SetSeparatorHeight, &M::SeparatorHeight)
            .ColorProp("BarColor", &M::SetBarColor, &M::BarColor)
            .Prop("BarWidth", &M::SetBarWidth, &M::BarWidth)
            .ColorProp("Color", &M::SetColor, &M::Color)
            .ColorProp("SeparatorColor", &M::SetSeparatorColor, &M::SeparatorColor)
            .ColorProp("SelectedBorderColor", &M::SetSelectedBorderColor, &M::SelectedBorderColor)
            .ColorProp("SelectedColor", &M::SetSelectedColor, &M::SelectedColor)
            .ColorProp("SelectedFontColor", &M::SetSelectedFontColor, &M::SelectedFontColor)
            .ColorProp("FontColor", &M::SetFontColor, &M::FontColor)
            .ColorProp("BorderColor", &M::SetBorderColor, &M::BorderColor)
            .Prop("FlatMenu", &M::SetFlatMenu, &M::FlatMenu)
            .Prop("FontName", &M::SetFontName, &M::FontName)
            .Prop("FontSize", &M::SetFontSize, &M::FontSize)
            .Custom("FontCharset", [](M& m, const vl::TPropValue& v) { m.SetFontCharset(CharsetFromProp(v)); },
                    [](const M& m) { return vl::TPropValue::Int(m.FontCharset()); })
            .Prop("UseSystemFont", &M::SetUseSystemFont, &M::UseSystemFont)
            .Reference("FileTheme", &M::SetFileTheme, &M::FileTheme)
            .Build();
    return info;
}

TsuiPopupMenu::TsuiPopupMenu(vl::TComponent* owner) : vl::TPopupMenu(owner) {}

TsuiPopupMenu::~TsuiPopupMenu() {
    if (fileTheme_) RemoveFreeNotification(fileTheme_);
}

void TsuiPopupMenu::SetFileTheme(TsuiFileTheme* theme) {
    if (theme == fileTheme_) return;
    if (fileTheme_) RemoveFreeNotification(fileTheme_);
    fileTheme_ = theme;
    if (theme) FreeNotification(theme);
}

void TsuiPopupMenu::Notification(vl::TComponent* component, vl::TOperation operation) {
    vl::TPopupMenu::Notification(component, operation);
    if (operation == vl::TOperation::Remove && component == fileTheme_) fileTheme_ = nullptr;
}

}  // namespace vorlinde
