#include "skin/ThemeManager.h"

#include <string>
#include <vector>

#include "framework/ClassBuilder.h"
#include "framework/Form.h"
#include "skin/FileTheme.h"

namespace vorlinde {

const vl::TClassInfo& TsuiThemeMgrCompList::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiThemeMgrCompList>("TsuiThemeMgrCompList", &vl::TStringList::StaticClass()).Build();
    return info;
}

const vl::TClassInfo& TsuiThemeManager::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiThemeManager>("TsuiThemeManager", &vl::TComponent::StaticClass())
            .Creatable()
            .Prop("UIStyle", &TsuiThemeManager::SetUIStyle, &TsuiThemeManager::UIStyle)
            .Reference("FileTheme", &TsuiThemeManager::SetFileTheme, &TsuiThemeManager::FileTheme)
            .Object("CompList", &TsuiThemeManager::CompList)
            .Event("OnUIStyleChanged", &TsuiThemeManager::OnUIStyleChanged)
            .Build();
    return info;
}

TsuiThemeManager::TsuiThemeManager(vl::TComponent* owner) : vl::TComponent(owner) {
    SetUIStyle(TsuiUIStyle::DeepBlue);
}

TsuiThemeManager::~TsuiThemeManager() {
    if (fileTheme_) RemoveFreeNotification(fileTheme_);
}

void TsuiThemeManager::SetUIStyle(TsuiUIStyle style) {
    const TsuiUIStyle old = uiStyle_;
    uiStyle_ = style;
    ApplyTheme();
    if (style != old && OnUIStyleChanged) OnUIStyleChanged(this);
}

void TsuiThemeManager::SetFileTheme(TsuiFileTheme* theme) {
    if (fileTheme_ != theme) {
        if (fileTheme_) RemoveFreeNotification(fileTheme_);
        // The theme may belong to another form (the About window uses the main window's):
        // ask to be told when it goes away, so that the reference never outlives it.
        if (theme) FreeNotification(theme);
    }
    fileTheme_ = theme;
    SetUIStyle(uiStyle_);
}

void TsuiThemeManager::SetCompList(const vl::TStrings& list) { compList_.Assign(list); }

void TsuiThemeManager::ApplyTheme() {
    auto* form = dynamic_cast<vl::TForm*>(Owner());
    if (!form) return;
    const vl::TPropValue style = vl::TPropValue::Int(static_cast<int>(uiStyle_));
    vl::TPropValue theme;
    theme.kind = vl::TPropValue::Kind::Reference;
    theme.component = fileTheme_;
    // Restyling a component may change the list (a removal notification): walk a copy.
    std::vector<std::string> names;
    for (int i = 0; i < compList_.Count(); ++i) names.push_back(compList_[i]);
    for (const std::string& name : names) {
        vl::TComponent* component = form->FindComponent(name);
        if (!component) continue;
        if (HasProperty(component, "UIStyle")) vl::SetPropValue(*component, "UIStyle", style);
        if (HasProperty(component, "FileTheme")) vl::SetPropValue(*component, "FileTheme", theme);
    }
}

void TsuiThemeManager::Notification(vl::TComponent* component, vl::TOperation operation) {
    vl::TComponent::Notification(component, operation);
    if (operation != vl::TOperation::Remove || !component || component == this) return;
    if (component == fileTheme_) {
        // The components keep their look until the next ApplyTheme.
        fileTheme_ = nullptr;
        uiStyle_ = TsuiUIStyle::DeepBlue;
    }
    if (Owner() && component->Owner() == Owner() && !component->Name().empty()) {
        const int index = compList_.IndexOf(component->Name());
        if (index >= 0) compList_.Delete(index);
    }
}

}  // namespace vorlinde
