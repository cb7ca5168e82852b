#pragma once
// TsuiMainMenu: a form's main menu in the colours of a UI style. Its drop-downs are measured and
// painted as the skinned popup menu's items are (skin/controls/MenuLook.h); the menu bar with
// the top-level captions is drawn by the form's skinned frame, to which the menu hands itself.
#include "skin/controls/SkinnedMenu.h"

namespace vorlinde {

class TsuiMainMenu : public TsuiSkinnedMenu<vl::TMainMenu> {
    VL_DECLARE_CLASS()
public:
    // Created in code, the menu hands itself to the frame at once; loaded from a form
    // description, once loading has ended.
    explicit TsuiMainMenu(vl::TComponent* owner);
    ~TsuiMainMenu() override;

    void Loaded() override;

private:
    // Sets the published Menu of the skinned frame on the owner form (the first TsuiForm among
    // its direct child controls) to this menu, when the frame publishes one.
    void HandToFrame();
};

}  // namespace vorlinde
