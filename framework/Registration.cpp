#include "framework/Registration.h"

#include "framework/ClassInfo.h"
#include "framework/Dialogs.h"
#include "framework/ExtCtrls.h"
#include "framework/Graphics.h"
#include "framework/Image.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"

namespace vl {

void RegisterFrameworkClasses() {
    // Registering a class again replaces the entry with the same one.
    for (const TClassInfo* info : {
             &TLabel::StaticClass(), &TPanel::StaticClass(), &TGroupBox::StaticClass(), &TButton::StaticClass(),
             &TCheckBox::StaticClass(), &TRadioButton::StaticClass(), &TRadioGroup::StaticClass(),
             &TListBox::StaticClass(), &TEdit::StaticClass(), &TTimer::StaticClass(), &TMenuItem::StaticClass(),
             &TPopupMenu::StaticClass(), &TMainMenu::StaticClass(), &TOpenDialog::StaticClass(),
             &TSaveDialog::StaticClass(), &TImageList::StaticClass(), &TImage::StaticClass()})
        RegisterComponentClass(*info);
}

}  // namespace vl
