#include "skin/Registration.h"

#include "framework/ClassInfo.h"
#include "skin/FileTheme.h"
#include "skin/SkinForm.h"
#include "skin/ThemeManager.h"
#include "skin/controls/Button.h"
#include "skin/controls/CheckBox.h"
#include "skin/controls/CheckGroup.h"
#include "skin/controls/Edit.h"
#include "skin/controls/GroupBox.h"
#include "skin/controls/InputDialog.h"
#include "skin/controls/ImageButton.h"
#include "skin/controls/ListBox.h"
#include "skin/controls/ImagePanel.h"
#include "skin/controls/MainMenu.h"
#include "skin/controls/MessageDialog.h"
#include "skin/controls/PopupMenu.h"
#include "skin/controls/RadioButton.h"
#include "skin/controls/RadioGroup.h"
#include "skin/controls/ScrollBar.h"
#include "skin/controls/TrackBar.h"
#include "skin/controls/URLLabel.h"

namespace vorlinde {

void RegisterSkinClasses() {
    vl::RegisterComponentClass(TsuiForm::StaticClass());
    vl::RegisterComponentClass(TsuiFileTheme::StaticClass());
    vl::RegisterComponentClass(TsuiThemeManager::StaticClass());
    vl::RegisterComponentClass(TsuiPopupMenu::StaticClass());
    vl::RegisterComponentClass(TsuiButton::StaticClass());
    vl::RegisterComponentClass(TsuiImageButton::StaticClass());
    vl::RegisterComponentClass(TsuiCheckBox::StaticClass());
    vl::RegisterComponentClass(TsuiRadioButton::StaticClass());
    vl::RegisterComponentClass(TsuiCustomGroupBox::StaticClass());
    vl::RegisterComponentClass(TsuiCheckGroup::StaticClass());
    vl::RegisterComponentClass(TsuiRadioGroup::StaticClass());
    vl::RegisterComponentClass(TsuiMainMenu::StaticClass());
    vl::RegisterComponentClass(TsuiImagePanel::StaticClass());
    vl::RegisterComponentClass(TsuiListBox::StaticClass());
    vl::RegisterComponentClass(TsuiScrollBar::StaticClass());
    vl::RegisterComponentClass(TsuiTrackBar::StaticClass());
    vl::RegisterComponentClass(TsuiScrollTrackBar::StaticClass());
    vl::RegisterComponentClass(TsuiEdit::StaticClass());
    vl::RegisterComponentClass(TsuiURLLabel::StaticClass());
    vl::RegisterComponentClass(TsuiMessageDialog::StaticClass());
    vl::RegisterComponentClass(TsuiInputDialog::StaticClass());
}

}  // namespace vorlinde
