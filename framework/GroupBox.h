#pragma once
// TGroupBox: a frame with a caption in its top line; other controls sit inside it.
#include <windows.h>

#include "framework/Control.h"
#include "framework/ControlEnums.h"

namespace vl {

class TGroupBox : public TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TGroupBox(TComponent* owner);

protected:
    void Paint(HDC dc, const RECT& clip) override;
    void AdjustClientRect(RECT& rect) override;
    // The height of a line of the control's font.
    int CaptionHeight() const;
};

}  // namespace vl
