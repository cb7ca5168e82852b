#include "skin/ThemeManager.h"

#include "framework/ClassBuilder.h"
#include "framework/Form.h"
#include "skin/FileTheme.h"

namespace vorlinde {

const vl::TClassInfo& TsuiThemeManager::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiThemeManager>("TsuiThemeManager", &vl::TComponent::StaticClass())
            .Creatable()
            .Prop("UIStyle", &TsuiThemeManager::SetUIStyle, &TsuiThemeManager::UIStyle)
            .Reference("FileTheme", &TsuiThemeManager::SetFileTheme)
            .Object("CompList", &TsuiThemeManager::CompList)
            .Event("OnUIStyleChanged", &TsuiThemeManager::OnUIStyleChanged)
            .Build();
    return info;
}

TsuiThemeManager::TsuiThemeManager(vl::TComponent* owner) : vl::TComponent(owner) {}

TsuiThemeManager::~TsuiThemeManager() {
    if (fileTheme_) RemoveFreeNotification(fileTheme_);
}

void TsuiThemeManager::SetUIStyle(TsuiUIStyle style) {
    TsuiUIStyle old = uiStyle_;
    uiStyle_ = style;
    ApplyTheme();
    if (style != old && OnUIStyleChanged) OnUIStyleChanged(this);
}

void TsuiThemeManager::SetFileTheme(TsuiFileTheme* theme) {
    if (fileTheme_ && fileTheme_ != theme) RemoveFreeNotification(fileTheme_);
    fileTheme_ = theme;
    // The theme may belong to another form: ask to be told when it goes away.
    if (theme) FreeNotification(theme);
    SetUIStyle(uiStyle_);
}

void TsuiThemeManager::ApplyTheme() {
    auto* form = dynamic_cast<vl::TForm*>(Owner());
    if (!form) return;
    vl::TPropValue style = vl::TPropValue::Int(static_cast<int>(uiStyle_));
    vl::TPropValue theme;
    theme.kind = vl::TPropValue::Kind::Reference;
    theme.component = fileTheme_;
    // Copy the names first: restyling a component must not disturb the walk over the list.
    std::vector<std::string> names;
    for (int i = 0; i < compList_.Count(); ++i) names.push_back(compList_[i]);
    for (const std::string& name : names) {
        vl::TComponent* component = form->FindComponent(name);
        if (!component) continue;
        if (vl::HasProperty(*component, "UIStyle")) vl::SetPropValue(*component, "UIStyle", style);
        if (vl::HasProperty(*component, "FileTheme")) vl::SetPropValue(*component, "FileTheme", theme);
    }
}

void TsuiThemeManager::Notification(vl::TComponent* component, vl::TOperation operation) {
    vl::TComponent::Notification(component, operation);
    if (operation != vl::TOperation::Remove || component == this) return;
    if (component == fileTheme_) {
        // The components keep their look until the next ApplyTheme.
        fileTheme_ = nullptr;
        uiStyle_ = TsuiUIStyle::DeepBlue;
    }
    if (component->Owner() == Owner() && !component->Name().empty()) {
        int index = compList_.IndexOf(component->Name());
        if (index >= 0) compList_.Delete(index);
    }
}

}  // namespace vorlinde
