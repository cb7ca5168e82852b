#pragma once
// TsuiTitleBarPopupMenu: the system menu of a skinned title bar, a skinned popup menu with
// "Mi&nimize", "Ma&ximize/Restore", a separator and "&Close" (captions from the string table).
// Before each popup an item is enabled only when the title bar has a button of its kind.
#include "skin/controls/PopupMenu.h"

namespace vorlinde {

class TsuiTitleBar;

class TsuiTitleBarPopupMenu : public TsuiPopupMenu {
    VL_DECLARE_CLASS()
public:
    // Owned by `bar`, whose buttons it acts on.
    explicit TsuiTitleBarPopupMenu(TsuiTitleBar* bar);

    vl::TMenuItem* MinimizeItem() const { return minimize_; }
    vl::TMenuItem* MaximizeItem() const { return maximize_; }
    vl::TMenuItem* CloseItem() const { return close_; }
    // Sets the items' enabling from the title bar's buttons (run before each popup).
    void UpdateItems();

protected:
    void DoPopup() override;

private:
    vl::TMenuItem* AddItem(unsigned stringId, vl::TNotifyEvent onClick);

    TsuiTitleBar* bar_;
    vl::TMenuItem* minimize_ = nullptr;
    vl::TMenuItem* maximize_ = nullptr;
    vl::TMenuItem* close_ = nullptr;
};

// A text of the executable's string table (empty when it is missing).
std::string LoadResourceString(unsigned id);

}  // namespace vorlinde
