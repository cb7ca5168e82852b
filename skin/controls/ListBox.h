#pragma once
// TsuiListBox: the native list box in the skinned two-pixel border (BorderColor outside, the
// list's own colour inside), optionally with a linked TsuiScrollBar (VScrollBar) that it keeps
// in step with its own vertical scroll bar. The linked bar is a separate control on the same
// parent, placed over the list's right edge inside the border: shown and enabled exactly while
// the native bar is, with the native thumb's length, range and position; moving it scrolls the
// list. Without a linked bar the native scroll bar shows inside the border.
#include <windows.h>

#include <cstdint>

#include "framework/ListBox.h"
#include "skin/UIStyle.h"
#include "skin/controls/ThemeLook.h"

namespace vorlinde {

class TsuiFileTheme;
class TsuiScrollBar;

class TsuiListBox : public vl::TListBox {
    VL_DECLARE_CLASS()
public:
    explicit TsuiListBox(vl::TComponent* owner);
    ~TsuiListBox() override;

    uint32_t BorderColor() const { return borderColor_; }
    void SetBorderColor(uint32_t color);
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    // Takes the border colour from the look (theme item 25) and passes the style to the bar.
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return fileTheme_.Get(); }
    void SetFileTheme(TsuiFileTheme* theme);
    TsuiScrollBar* VScrollBar() const { return bar_; }
    // Links a bar (not owned): it turns vertical, follows the list and scrolls it. The bar
    // let go is left with LineButton 0, Max 100, enabled and no OnChange.
    void SetVScrollBar(TsuiScrollBar* bar);

    // Copies the native vertical scroll bar's state into the linked bar.
    void Sync();
    // True while Sync writes into the bar: the bar's changes then are not scrolling.
    bool Syncing() const { return syncing_; }
    // True from a left press in the list until its release.
    bool Dragging() const { return dragging_; }

    void SetBounds(int left, int top, int width, int height) override;

protected:
    void WndProc(vl::TMessage& msg) override;
    void WindowCreated() override;
    void EnabledChanged() override;
    void VisibleChanged() override;
    void Notification(vl::TComponent* component, vl::TOperation operation) override;

private:
    // Puts the bar over the right edge of the list, inside the border, in front of it.
    void Place();
    void BarScrolled();
    // Brings the bar's window in front of the list, once per window.
    void RaiseBar();

    uint32_t borderColor_ = 0;
    TsuiUIStyle uiStyle_;
    TsuiThemeLink fileTheme_;
    TsuiScrollBar* bar_ = nullptr;
    HWND raisedBar_ = nullptr;  // the bar window last brought to the front
    bool syncing_ = false;
    bool dragging_ = false;
};

}  // namespace vorlinde
