#pragma once
// TsuiURLLabel: a label that looks like a hyperlink (underlined, the link colour, the hover
// colour while the mouse is over it, a hand cursor) and opens its URL through the shell when
// clicked.
#include <cstdint>
#include <string>

#include "framework/Label.h"

namespace vorlinde {

class TsuiURLLabel : public vl::TLabel {
    VL_DECLARE_CLASS()
public:
    explicit TsuiURLLabel(vl::TComponent* owner);

    const std::string& URL() const { return url_; }
    void SetURL(const std::string& url);
    uint32_t FontHoverColor() const { return hoverColor_; }
    void SetFontHoverColor(uint32_t color) { hoverColor_ = color; }
    uint32_t FontLinkColor() const { return linkColor_; }
    // Recolours the caption at once.
    void SetFontLinkColor(uint32_t color);

    // Opens URL with the verb "open" when it is not blank, then raises OnClick.
    void Click() override;

protected:
    void MouseEnter() override;
    void MouseLeave() override;

private:
    std::string url_;
    uint32_t hoverColor_;
    uint32_t linkColor_;
};

}  // namespace vorlinde
