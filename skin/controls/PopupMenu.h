#pragma once
// TsuiPopupMenu: the framework's popup menu, owner-drawn in the colours of a UI style: a bar
// down the left side, the selection filled and framed, separator lines, check marks, item
// images and the shortcut text at the right (skin/controls/MenuLook.h). The tray icon's menu.
#include "skin/controls/SkinnedMenu.h"

namespace vorlinde {

class TsuiPopupMenu : public TsuiSkinnedMenu<vl::TPopupMenu> {
    VL_DECLARE_CLASS()
public:
    explicit TsuiPopupMenu(vl::TComponent* owner);
    ~TsuiPopupMenu() override;
};

}  // namespace vorlinde
