#pragma once
// TsuiImagePanel: a panel that shows a picture, drawn at the top-left, stretched over the
// panel or tiled from the top-left (DrawStyle), over the parent's background when Transparent
// or over its colour otherwise, with its caption on one line, vertically centred and aligned
// by Alignment. With AutoSize it takes the picture's size in the directions its alignment
// leaves free. A skinned frame can use it as its FormPanel. Everything is drawn off screen
// and copied in one block.
#include <windows.h>

#include <cstdint>

#include "framework/Picture.h"
#include "skin/controls/CustomPanel.h"

namespace vorlinde {

enum class TsuiDrawStyle : uint8_t { suiNormal, suiStretch, suiTile };

class TsuiImagePanel : public TsuiCustomPanel {
    VL_DECLARE_CLASS()
public:
    explicit TsuiImagePanel(vl::TComponent* owner);
    ~TsuiImagePanel() override;

    vl::TPicture* Picture() { return &picture_; }
    void SetPicture(const vl::TPicture& picture) { picture_.Assign(picture); }
    TsuiDrawStyle DrawStyle() const { return drawStyle_; }
    void SetDrawStyle(TsuiDrawStyle style);
    bool AutoSize() const { return autoSize_; }
    // On: the panel takes the picture's width unless aligned to the top, the bottom or the
    // whole client area, and its height unless aligned to the left, the right or the whole.
    void SetAutoSize(bool on);

    void Loaded() override;

protected:
    void Paint(HDC dc, const RECT& clip) override;
    void WndProc(vl::TMessage& msg) override;

private:
    void PictureChanged();
    void ApplyAutoSize();

    vl::TPicture picture_;
    TsuiDrawStyle drawStyle_ = TsuiDrawStyle::suiNormal;
    bool autoSize_ = false;
};

}  // namespace vorlinde

template <>
struct vl::TEnumNames<vorlinde::TsuiDrawStyle> {
    static const TEnumTable<vorlinde::TsuiDrawStyle>& Table() {
        using D = vorlinde::TsuiDrawStyle;
        static const TEnumTable<D> table = {{"suiNormal", D::suiNormal}, {"suiStretch", D::suiStretch}, {"suiTile", D::suiTile}};
        return table;
    }
};
