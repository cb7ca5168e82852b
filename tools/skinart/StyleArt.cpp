#include "StyleArt.h"

#include <algorithm>
#include <stdexcept>

namespace skinart {

namespace {

TBitmapImage Title(const StyleArt& art, int w, int h, TitlePart part) {
    Layer layer = TitleLayer(w, h, art.title);
    if (art.decorateTitle) art.decorateTitle(layer, part);
    return layer.Flatten(Rgb(0, 0, 0));
}

// The colours behind the caption buttons: the title's client picture, one per button row.
std::vector<Color> CaptionBackground(const StyleArt& art, int titleHeight, int buttonHeight) {
    const TBitmapImage client = Title(art, 4, titleHeight, TitlePart::Client);
    std::vector<Color> column;
    for (int r = 0; r < buttonHeight; ++r)
        column.push_back(GetPixel(client, 0, std::clamp(art.captionTop + r, 0, titleHeight - 1)));
    return column;
}

TBitmapImage ButtonStrip(const ButtonLook& look, int w, int h) {
    const int part = w / 3;
    return Strip({PaintButton(part, h, look, ButtonState::Normal), PaintButton(part, h, look, ButtonState::Hot),
                  PaintButton(part, h, look, ButtonState::Down)});
}

TBitmapImage ToggleStrip(const ToggleLook& look, int w, int h, bool radio) {
    const int part = w / 4;
    auto paint = [&](bool checked, bool enabled) {
        return radio ? PaintRadio(part, h, look, checked, enabled) : PaintCheckBox(part, h, look, checked, enabled);
    };
    return Strip({paint(true, true), paint(false, true), paint(true, false), paint(false, false)});
}

}  // namespace

TBitmapImage PaintElement(const StyleArt& art, const std::string& element, int w, int h, int titleHeight) {
    if (element == "BUTTON") return ButtonStrip(art.button, w, h);
    if (element == "CHECKBOX") return ToggleStrip(art.check, w, h, false);
    if (element == "RADIOBUTTON") return ToggleStrip(art.radio, w, h, true);
    if (element == "TITLEBTN") {
        CaptionLook look = art.caption;
        look.backgroundColumn = CaptionBackground(art, titleHeight, h);
        return CaptionStrip(w / 18, h, look);
    }
    if (element == "TITLE_LEFT") return Title(art, w, h, TitlePart::Left);
    if (element == "TITLE_CLIENT") return Title(art, w, h, TitlePart::Client);
    if (element == "TITLE_RIGHT") return Title(art, w, h, TitlePart::Right);
    if (element == "PROGRESSBAR")
        return PaintProgress(w, h, art.progress, art.scroll.track, art.progressStripes, art.progressGap,
                             art.progressGapWidth);
    if (element == "TRACKBAR_BAR") return PaintTrackBar(w, h, art.trackBorder, art.trackGroove, art.controlBackground);
    if (element == "TRACKBAR_SLIDER")
        return PaintSlider(w, h, false, art.sliderFace, art.sliderBorder, art.controlBackground, art.sliderKeyed);
    if (element == "TRACKBAR_SLIDER_V")
        return PaintSlider(w, h, true, art.sliderFace, art.sliderBorder, art.controlBackground, art.sliderKeyed);
    if (element == "SCROLLBAR_BUTTON") return PaintScrollButtons(w, h, art.scroll);
    if (element == "SCROLLBAR_TRACK") return PaintScrollThumb(w / 3, h, art.scroll);
    if (element == "CHECKLIST") return PaintCheckList(w, h, art.check);
    if (element == "SCROLLBUTTON") return PaintScrollButtonPair(w, h, art.scroll);
    if (element == "TAB")
        return PaintTabs(w, h, art.tabFace, art.tabSelected, art.tabBorder, art.controlBackground, art.tabRadius);
    if (element == "TAB_LINE") return PaintTabLine(w, h, art.tabBorder, art.tabSelected.At(1));
    if (element == "SIDECHENNEL_HANDLE")
        return PaintSideHandle(w, h, art.scroll.face[0], art.scroll.border[0], art.scroll.arrow[0],
                               art.controlBackground);
    if (element == "SIDECHENNEL_BAR") return PaintColumn(h, art.sideBar);
    throw std::runtime_error("no painter for element " + element);
}

}  // namespace skinart
