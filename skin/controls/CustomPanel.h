#pragma once
// TsuiCustomPanel: the skin library's panel. Beyond the framework's panel it can be see-through
// (Transparent): its parent then paints its own background under the panel.
#include <windows.h>

#include "framework/Panel.h"

namespace vorlinde {

class TsuiCustomPanel : public vl::TPanel {
    VL_DECLARE_CLASS()
public:
    explicit TsuiCustomPanel(vl::TComponent* owner);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);

protected:
    // Repaints; derived panels pass the value on.
    virtual void TransparentChanged();
    // The parent's background when transparent, the panel's colour otherwise.
    void PaintBackground(HDC dc) override;

private:
    bool transparent_ = false;
};

}  // namespace vorlinde
