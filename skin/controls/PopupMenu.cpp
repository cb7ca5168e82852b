#include "skin/controls/PopupMenu.h"

namespace vorlinde {

const vl::TClassInfo& TsuiPopupMenu::StaticClass() {
    static const vl::TClassInfo info = [] {
        vl::TClassBuilder<TsuiPopupMenu> b("TsuiPopupMenu", &vl::TPopupMenu::StaticClass());
        b.Creatable();
        return PublishSkinnedMenu(b).Build();
    }();
    return info;
}

TsuiPopupMenu::TsuiPopupMenu(vl::TComponent* owner) : TsuiSkinnedMenu<vl::TPopupMenu>(owner) {}

TsuiPopupMenu::~TsuiPopupMenu() = default;

}  // namespace vorlinde
