#pragma once
// TsuiMenuBar: the skinned frame's menu bar, below the title bar. One self-sized button per
// visible top-level item of the frame's main menu, laid out left to right and wrapped onto
// further rows when the bar is too narrow (the bar takes the height of its rows). Buttons are
// drawn in the menu's UI style: hot and dropped-down buttons filled and framed in the menu's
// selection colours (the MacOS pictures in that style), the others as plain captions.
//
// A click, Alt+letter or F10 drops the item's sub-items down below its button; an item without
// sub-items is clicked at once. While a drop-down shows, Left and Right (and the pointer moving
// onto another caption) move on to the neighbouring drop-down, as in the system's menu bars.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/CustomControl.h"
#include "framework/Font.h"

namespace vl {
class TMainMenu;
class TMenuItem;
}  // namespace vl

namespace vorlinde {

class TsuiForm;

class TsuiMenuBar : public vl::TCustomControl {
    VL_DECLARE_CLASS()
public:
    // Owned by the frame and aligned to its top, right below the title bar.
    explicit TsuiMenuBar(TsuiForm* frame);

    // Deletes every button and makes one per visible top-level item of the frame's menu.
    void Rebuild();
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    // The menu item of button `index`; null when the menu lost it since the last Rebuild.
    vl::TMenuItem* ButtonItem(int index) const;
    RECT ButtonRect(int index) const { return buttons_.at(static_cast<size_t>(index)).rect; }
    // The height of every button (the frame's MenuBarHeight); the bar is one or more rows of it.
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int height);
    int HotButton() const { return hot_; }
    // The button whose drop-down shows, -1 for none.
    int DroppedButton() const { return dropped_; }

    // Drops button `index` down (or clicks its item when it has no sub-items); returns after
    // the drop-down closed.
    void DropDown(int index);
    // The button whose caption marks `key` (Alt+letter): dropped down; false if none.
    bool DropDownAccelerator(char key);
    // F10: the first enabled button; false if none.
    bool DropDownFirst();

    // Replaces the drop-down (tests): gets the menu and the top-level item index, the screen
    // point below the button; answers whether a drop-down showed.
    static std::function<bool(vl::TMainMenu&, int itemIndex, POINT at)> DropDownOverride;

protected:
    void Paint(HDC dc, const RECT& clip) override;
    void WndProc(vl::TMessage& msg) override;
    void Resized() override;
    void MouseLeave() override;

private:
    struct Button {
        int itemIndex;  // in the menu's top-level items
        RECT rect;
    };
    vl::TMainMenu* Menu() const;
    // The caption font and the style the menu is drawn in.
    void PrepareFont(vl::TFont& font) const;
    // Shows button `index`'s drop-down once; answers whether one showed.
    bool ShowDropDown(int index);
    // The menu loop's messages while a drop-down shows: true when the bar moves to another one.
    bool MenuLoopMessage(const MSG& msg);
    static LRESULT CALLBACK MenuLoopHook(int code, WPARAM wParam, LPARAM lParam);
    void Layout();
    int ButtonAt(POINT p) const;

    TsuiForm* frame_;
    std::vector<Button> buttons_;
    int buttonHeight_ = 22;
    int hot_ = -1;
    int dropped_ = -1;
    int next_ = -1;  // the drop-down to show once the current one has closed
    vl::TBitmap macBar_, macSelect_;
};

}  // namespace vorlinde
