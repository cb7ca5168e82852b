#pragma once
// TPanel: a raised or lowered box with a centred caption; other controls can sit inside it.
#include <windows.h>

#include "framework/Control.h"
#include "framework/ControlEnums.h"

namespace vl {

class TPanel : public TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut v);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut v);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int v);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint(HDC dc, const RECT& clip) override;
    void AdjustClientRect(RECT& rect) override;
    // Draws bevels and border and returns the area inside them.
    RECT PaintFrame(HDC dc);
    // Fills the client area before the frame and caption are drawn; the default uses Color.
    virtual void PaintBackground(HDC dc);

private:
    void Changed();

    TBevelCut bevelOuter_ = TBevelCut::Raised;
    TBevelCut bevelInner_ = TBevelCut::None;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = TBorderStyle::None;
    TAlignment alignment_ = TAlignment::Center;
};

}  // namespace vl
