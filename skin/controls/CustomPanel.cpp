#include "skin/controls/CustomPanel.h"

#include "framework/ClassBuilder.h"

namespace vorlinde {

const vl::TClassInfo& TsuiCustomPanel::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiCustomPanel>("TsuiCustomPanel", &vl::TPanel::StaticClass())
            .Prop("Transparent", &TsuiCustomPanel::SetTransparent, &TsuiCustomPanel::Transparent)
            .Build();
    return info;
}

TsuiCustomPanel::TsuiCustomPanel(vl::TComponent* owner) : vl::TPanel(owner) {}

void TsuiCustomPanel::SetTransparent(bool on) {
    transparent_ = on;
    TransparentChanged();
}

void TsuiCustomPanel::TransparentChanged() { Invalidate(); }

void TsuiCustomPanel::PaintBackground(HDC dc) {
    if (transparent_) PaintParentBackground(dc);
    else vl::TPanel::PaintBackground(dc);
}

}  // namespace vorlinde
