#include "skin/controls/MainMenu.h"

#include "framework/ClassInfo.h"
#include "framework/Form.h"
#include "skin/SkinForm.h"

namespace vorlinde {

namespace {
TsuiForm* SkinFrameOf(vl::TComponent* owner) {
    auto* form = dynamic_cast<vl::TForm*>(owner);
    if (!form) return nullptr;
    for (int i = 0; i < form->ControlCount(); ++i)
        if (auto* frame = dynamic_cast<TsuiForm*>(form->Controls(i))) return frame;
    return nullptr;
}
}  // namespace

const vl::TClassInfo& TsuiMainMenu::StaticClass() {
    static const vl::TClassInfo info = [] {
        vl::TClassBuilder<TsuiMainMenu> b("TsuiMainMenu", &vl::TMainMenu::StaticClass());
        b.Creatable();
        return PublishSkinnedMenu(b).Build();
    }();
    return info;
}

TsuiMainMenu::TsuiMainMenu(vl::TComponent* owner) : TsuiSkinnedMenu<vl::TMainMenu>(owner) {
    // The framework's forms show no native menu bar, so there is none to take back here.
    if (!owner || !owner->Loading()) HandToFrame();
}

TsuiMainMenu::~TsuiMainMenu() = default;

void TsuiMainMenu::Loaded() {
    TsuiSkinnedMenu<vl::TMainMenu>::Loaded();
    HandToFrame();
}

void TsuiMainMenu::HandToFrame() {
    TsuiForm* frame = SkinFrameOf(Owner());
    if (!frame || !HasProperty(frame, "Menu")) return;
    vl::TPropValue menu;
    menu.kind = vl::TPropValue::Kind::Reference;
    menu.component = this;
    menu.text = Name();
    vl::SetPropValue(*frame, "Menu", menu);
}

}  // namespace vorlinde
