#pragma once
// Binding menu items' measure and draw events to a skinned menu, so that an item is drawn in
// that menu's look whichever menu shows it. A binding can be recognised and taken back: a
// skinned menu that goes away clears the events it set, and leaves alone those that someone
// assigned after it.
#include <windows.h>

namespace vl {
class TMenuItem;
}

namespace vorlinde {

// What a bound item's events call.
class TsuiMenuItemPainter {
public:
    virtual void MeasureMenuItem(vl::TMenuItem& item, HDC dc, int& width, int& height) = 0;
    virtual void DrawMenuItem(vl::TMenuItem& item, HDC dc, const RECT& rect, bool selected) = 0;

protected:
    ~TsuiMenuItemPainter() = default;
};

// Sets the item's OnMeasureItem and OnDrawItem to call `painter`.
void BindMenuItem(vl::TMenuItem& item, TsuiMenuItemPainter& painter);
// Whether both events of the item still call `painter`.
bool IsMenuItemBoundTo(const vl::TMenuItem& item, const TsuiMenuItemPainter& painter);
// Clears those of the item's events that call `painter`.
void UnbindMenuItem(vl::TMenuItem& item, const TsuiMenuItemPainter& painter);

}  // namespace vorlinde
