#pragma once
// The stand-in shell's desktop icons: a SHELLDLL_DefView holding a SysListView32 that draws the
// icons of StandInShellLayout.h over the wallpaper and counts the clicks on them (the view's
// window text tells the last one).
#include <windows.h>

#include "framework/GdiOwners.h"

namespace vorlinde::standin {

class TStandInIconView {
public:
    // A view filling the client area of `parent`; check DefView().
    explicit TStandInIconView(HWND parent);
    ~TStandInIconView();
    TStandInIconView(const TStandInIconView&) = delete;
    TStandInIconView& operator=(const TStandInIconView&) = delete;

    HWND DefView() const { return defView_; }
    // Moves the view into another window, filling its client area.
    void MoveInto(HWND parent);
    // The icon cells, in the client coordinates of `window`.
    vl::TGdiRegion CellsIn(HWND window) const;

private:
    static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HWND list);
    void Click(POINT screen);

    HWND defView_ = nullptr;
    HWND list_ = nullptr;
    int clicks_[3]{};
};

}  // namespace vorlinde::standin
