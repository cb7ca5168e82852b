#include "skin/Registration.h"

#include "framework/ClassInfo.h"
#include "skin/FileTheme.h"
#include "skin/SkinForm.h"
#include "skin/ThemeManager.h"
#include "skin/controls/MainMenu.h"
#include "skin/controls/PopupMenu.h"

namespace vorlinde {

void RegisterSkinClasses() {
    vl::RegisterComponentClass(TsuiForm::StaticClass());
    vl::RegisterComponentClass(TsuiFileTheme::StaticClass());
    vl::RegisterComponentClass(TsuiThemeManager::StaticClass());
    vl::RegisterComponentClass(TsuiPopupMenu::StaticClass());
    vl::RegisterComponentClass(TsuiMainMenu::StaticClass());
}

}  // namespace vorlinde
