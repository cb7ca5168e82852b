#include "skin/controls/MenuItemBinding.h"

#include "framework/Menus.h"

namespace vorlinde {

namespace {
// The event targets: named types, so that a binding can be told apart from any other handler.
struct TMeasureBinding {
    TsuiMenuItemPainter* painter;
    void operator()(vl::TObject* sender, HDC dc, int& width, int& height) const {
        if (auto* item = dynamic_cast<vl::TMenuItem*>(sender)) painter->MeasureMenuItem(*item, dc, width, height);
    }
};

struct TDrawBinding {
    TsuiMenuItemPainter* painter;
    void operator()(vl::TObject* sender, HDC dc, const RECT& rect, bool selected) const {
        if (auto* item = dynamic_cast<vl::TMenuItem*>(sender)) painter->DrawMenuItem(*item, dc, rect, selected);
    }
};

template <class Binding, class Event>
bool Calls(const Event& event, const TsuiMenuItemPainter& painter) {
    const Binding* binding = event.template target<Binding>();
    return binding && binding->painter == &painter;
}
}  // namespace

void BindMenuItem(vl::TMenuItem& item, TsuiMenuItemPainter& painter) {
    item.OnMeasureItem = TMeasureBinding{&painter};
    item.OnDrawItem = TDrawBinding{&painter};
}

bool IsMenuItemBoundTo(const vl::TMenuItem& item, const TsuiMenuItemPainter& painter) {
    return Calls<TMeasureBinding>(item.OnMeasureItem, painter) && Calls<TDrawBinding>(item.OnDrawItem, painter);
}

void UnbindMenuItem(vl::TMenuItem& item, const TsuiMenuItemPainter& painter) {
    if (Calls<TMeasureBinding>(item.OnMeasureItem, painter)) item.OnMeasureItem = nullptr;
    if (Calls<TDrawBinding>(item.OnDrawItem, painter)) item.OnDrawItem = nullptr;
}

}  // namespace vorlinde
