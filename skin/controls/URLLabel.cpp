#include "skin/controls/URLLabel.h"

#include "framework/ClassBuilder.h"
#include "framework/Colors.h"
#include "framework/ShellOpen.h"
#include "framework/StringUtils.h"

namespace vorlinde {

const vl::TClassInfo& TsuiURLLabel::StaticClass() {
    using L = TsuiURLLabel;
    static const vl::TClassInfo info = vl::TClassBuilder<L>("TsuiURLLabel", &vl::TLabel::StaticClass())
                                           .Creatable()
                                           .Prop("URL", &L::SetURL, &L::URL)
                                           .ColorProp("FontHoverColor", &L::SetFontHoverColor, &L::FontHoverColor)
                                           .ColorProp("FontLinkColor", &L::SetFontLinkColor, &L::FontLinkColor)
                                           .Build();
    return info;
}

TsuiURLLabel::TsuiURLLabel(vl::TComponent* owner)
    : vl::TLabel(owner), url_("https://www.vorlinde.org/"), hoverColor_(vl::clRed), linkColor_(vl::clBlue) {
    SetParentFont(false);
    Font()->SetStyle(Font()->Style() | vl::fsUnderline);
    Font()->SetColor(linkColor_);
    SetCursor(vl::crHandPoint);
    SetAutoSize(true);
    SetCaption("Welcome to Vorlinde");
}

void TsuiURLLabel::SetURL(const std::string& url) {
    if (url != url_) url_ = url;
}

void TsuiURLLabel::SetFontLinkColor(uint32_t color) {
    linkColor_ = color;
    Font()->SetColor(color);
}

void TsuiURLLabel::Click() {
    // Blanks alone are no target; a real one is handed over exactly as written.
    if (!vl::Trim(url_).empty()) vl::ShellOpen(nullptr, "open", url_, nullptr, nullptr, SW_SHOW);
    vl::TLabel::Click();
}

void TsuiURLLabel::MouseEnter() {
    Font()->SetColor(hoverColor_);
    vl::TLabel::MouseEnter();
}

void TsuiURLLabel::MouseLeave() {
    Font()->SetColor(linkColor_);
    vl::TLabel::MouseLeave();
}

}  // namespace vorlinde
