#pragma once
// Restyles a whole form at once: writes its UIStyle and FileTheme into every component of the
// owner form named in CompList, through the components' published properties.
#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/Strings.h"
#include "skin/UIStyle.h"

namespace vorlinde {

class TsuiFileTheme;

// The names of the components a theme manager restyles, one per line.
class TsuiThemeMgrCompList : public vl::TStringList {
    VL_DECLARE_CLASS()
};

class TsuiThemeManager : public vl::TComponent {
    VL_DECLARE_CLASS()
public:
    explicit TsuiThemeManager(vl::TComponent* owner);
    ~TsuiThemeManager() override;

    TsuiUIStyle UIStyle() const { return uiStyle_; }
    // Stores the style, restyles the listed components, then raises OnUIStyleChanged if the
    // value changed.
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    // Stores the reference (not owned) and restyles the listed components; the style stays.
    void SetFileTheme(TsuiFileTheme* theme);
    TsuiThemeMgrCompList* CompList() { return &compList_; }
    // Copies the lines of `list`; nothing is restyled.
    void SetCompList(const vl::TStrings& list);

    // For each line of CompList, first to last: the owner form's component of that name (letter
    // case ignored) gets UIStyle, then FileTheme, through its property setters. Names not found
    // are skipped, and so is a property the component does not publish. Does nothing unless
    // the owner is a form.
    void ApplyTheme();

    vl::TNotifyEvent OnUIStyleChanged;

protected:
    // A listed component of the owner that goes away loses its line; the file theme going away
    // clears the reference and sets the style back to DeepBlue without restyling anything.
    void Notification(vl::TComponent* component, vl::TOperation operation) override;

private:
    TsuiUIStyle uiStyle_ = TsuiUIStyle::DeepBlue;
    TsuiFileTheme* fileTheme_ = nullptr;
    TsuiThemeMgrCompList compList_;
};

}  // namespace vorlinde
