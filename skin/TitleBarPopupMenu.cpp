#include "skin/TitleBarPopupMenu.h"

#include <windows.h>

#include "framework/Form.h"
#include "skin/SkinStringIds.h"
#include "skin/TitleBar.h"

namespace vorlinde {

std::string LoadResourceString(unsigned id) {
    char text[256] = {};
    const int length = LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof(text));
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

const vl::TClassInfo& TsuiTitleBarPopupMenu::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiTitleBarPopupMenu>("TsuiTitleBarPopupMenu", &TsuiPopupMenu::StaticClass()).Build();
    return info;
}

TsuiTitleBarPopupMenu::TsuiTitleBarPopupMenu(TsuiTitleBar* bar) : TsuiPopupMenu(bar), bar_(bar) {
    using B = TsuiTitleBarBtnType;
    minimize_ = AddItem(VL_IDS_TITLEBAR_MINIMIZE, [this](vl::TObject*) {
        for (int i = 0; i < bar_->Buttons().Count(); ++i)
            if (bar_->Buttons().Items(i).ButtonType() == B::suiMin) {
                bar_->ButtonClick(i);
                return;
            }
    });
    maximize_ = AddItem(VL_IDS_TITLEBAR_MAXIMIZE, [this](vl::TObject*) {
        for (int i = 0; i < bar_->Buttons().Count(); ++i)
            if (bar_->Buttons().Items(i).ButtonType() == B::suiMax) bar_->ButtonClick(i);
    });
    auto* separator = new vl::TMenuItem(bar);
    separator->SetCaption("-");
    Items()->Add(separator);
    close_ = AddItem(VL_IDS_TITLEBAR_CLOSE, [this](vl::TObject*) {
        if (vl::TForm* host = bar_->HostForm()) host->Close();
    });
}

vl::TMenuItem* TsuiTitleBarPopupMenu::AddItem(unsigned stringId, vl::TNotifyEvent onClick) {
    auto* item = new vl::TMenuItem(bar_);
    item->SetCaption(LoadResourceString(stringId));
    item->OnClick = std::move(onClick);
    Items()->Add(item);
    return item;
}

void TsuiTitleBarPopupMenu::UpdateItems() {
    using B = TsuiTitleBarBtnType;
    minimize_->SetEnabled(bar_->Buttons().HasType(B::suiMin));
    maximize_->SetEnabled(bar_->Buttons().HasType(B::suiMax));
    close_->SetEnabled(bar_->Buttons().HasType(B::suiClose));
}

void TsuiTitleBarPopupMenu::DoPopup() {
    UpdateItems();
    TsuiPopupMenu::DoPopup();
}

}  // namespace vorlinde
