#pragma once
// Restyles a whole form at once: writes its UIStyle and FileTheme into every component of the
// owner form named in CompList, through the components' published properties.
#include <functional>

#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/Strings.h"
#include "skin/UIStyle.h"

namespace vorlinde {

class TsuiFileTheme;

class TsuiThemeManager : public vl::TComponent {
    VL_DECLARE_CLASS()
public:
    explicit TsuiThemeManager(vl::TComponent* owner);
    ~TsuiThemeManager() override;

    TsuiUIStyle UIStyle() const { return uiStyle_; }
    // Stores the style, restyles the listed components, then raises OnUIStyleChanged if it changed.
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    // Stores the reference (not owned) and restyles the listed components.
    void SetFileTheme(TsuiFileTheme* theme);
    vl::TStrings* CompList() { return &compList_; }

    // Sets UIStyle, then FileTheme, on each listed component of the owner form that publishes
    // them; names that are not found are skipped. Does nothing unless the owner is a form.
    void ApplyTheme();

    vl::TNotifyEvent OnUIStyleChanged;

protected:
    void Notification(vl::TComponent* component, vl::TOperation operation) override;

private:
    TsuiUIStyle uiStyle_ = TsuiUIStyle::DeepBlue;
    TsuiFileTheme* fileTheme_ = nullptr;
    vl::TStringList compList_;
};

}  // namespace vorlinde
