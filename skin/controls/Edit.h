#pragma once
// TsuiEdit: the native single-line edit in the skinned two-pixel border of the list box: the
// outer line in BorderColor (theme item 25 of its look), the inner one in its own colour.
#include <cstdint>

#include "framework/Edit.h"
#include "skin/UIStyle.h"
#include "skin/controls/ThemeLook.h"

namespace vorlinde {

class TsuiFileTheme;

class TsuiEdit : public vl::TEdit {
    VL_DECLARE_CLASS()
public:
    explicit TsuiEdit(vl::TComponent* owner);

    uint32_t BorderColor() const { return borderColor_; }
    void SetBorderColor(uint32_t color);
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return fileTheme_.Get(); }
    void SetFileTheme(TsuiFileTheme* theme);

protected:
    void WndProc(vl::TMessage& msg) override;
    void Notification(vl::TComponent* component, vl::TOperation operation) override;

private:
    uint32_t borderColor_ = 0;
    TsuiUIStyle uiStyle_;
    TsuiThemeLink fileTheme_;
};

}  // namespace vorlinde
