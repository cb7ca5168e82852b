#include "Styles.h"

#include <functional>
#include <stdexcept>

#include "Painters.h"
#include "skin/ThemeItems.h"

namespace skinart {

namespace {

using vl::TBitmapImage;

enum class TitlePart { Left, Client, Right };

// Everything that makes one look.
struct StyleArt {
    Color controlBackground;
    ButtonLook button;
    ToggleLook check, radio;
    TitleLook title;
    std::function<void(Layer&, TitlePart)> decorateTitle;
    int captionTop = 2;  // the row of the title pictures the caption buttons start at
    CaptionLook caption;
    ScrollLook scroll;
    Gradient progress;
    bool progressStripes = false;
    Color progressGap;
    int progressGapWidth = 0;
    Color trackBorder;
    Gradient trackGroove;
    Gradient sliderFace;
    Color sliderBorder;
    bool sliderKeyed = false;
    Gradient tabFace, tabSelected;
    Color tabBorder;
    float tabRadius = 3;
    Gradient sideBar;
};

Gradient G(std::initializer_list<std::pair<float, Color>> stops) { return Gradient(stops); }
Gradient G2(Color top, Color bottom) { return Gradient({{0.f, top}, {1.f, bottom}}); }

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

// One element of a look at the given size; `titleHeight` is the height of its title pictures.
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

// Soft white streaks, as light falling across glass.
void Streak(Layer& layer, float x, float slope, float width, float opacity) {
    Mask m(layer.Width(), layer.Height());
    m.AddSdf([=](float px, float py) { return std::fabs(px - (x + py * slope)) - width; }, 3.f);
    layer.Fill(m, Rgb(255, 255, 255), opacity);
}

// ------------------------------------------------------------------------------------ MacOS

StyleArt MacOS() {
    StyleArt a;
    const Color bg = Rgb(231, 231, 231);
    a.controlBackground = bg;

    a.button.keyed = true;
    a.button.background = bg;
    a.button.radius = 11;
    a.button.border[0] = Rgb(122, 122, 130);
    a.button.border[1] = Rgb(58, 104, 184);
    a.button.border[2] = Rgb(38, 76, 156);
    a.button.fill[0] = G({{0.f, Rgb(255, 255, 255)}, {0.48f, Rgb(238, 238, 241)}, {0.52f, Rgb(221, 221, 226)}, {1.f, Rgb(248, 248, 250)}});
    a.button.fill[1] = G({{0.f, Rgb(222, 238, 255)}, {0.48f, Rgb(168, 206, 248)}, {0.52f, Rgb(126, 180, 242)}, {1.f, Rgb(192, 228, 255)}});
    a.button.fill[2] = G({{0.f, Rgb(150, 190, 240)}, {0.48f, Rgb(104, 154, 228)}, {0.52f, Rgb(80, 130, 214)}, {1.f, Rgb(146, 194, 246)}});
    a.button.gloss = 0.3f;
    a.button.innerLight = 0.8f;

    a.check.boxSize = 13;
    a.check.radius = 3;
    a.check.border = Rgb(112, 112, 120);
    a.check.borderDisabled = Rgb(172, 172, 176);
    a.check.fill = G2(Rgb(255, 255, 255), Rgb(222, 222, 228));
    a.check.fillDisabled = G2(Rgb(242, 242, 242), Rgb(232, 232, 234));
    a.check.fillWhenChecked = true;
    a.check.fillChecked = G({{0.f, Rgb(150, 196, 250)}, {0.5f, Rgb(88, 146, 232)}, {1.f, Rgb(58, 116, 220)}});
    a.check.mark = Rgb(255, 255, 255);
    a.check.markDisabled = Rgb(150, 150, 156);
    a.check.background = bg;
    a.check.gloss = 0.3f;
    a.radio = a.check;
    a.radio.boxSize = 14;

    a.title.body = G2(Rgb(238, 238, 239), Rgb(200, 200, 203));
    a.title.topLine = Rgb(255, 255, 255);
    a.title.topLineOpacity = 0.9f;
    a.title.bottomLine = Rgb(128, 128, 134);
    a.title.bottomLineOpacity = 1;
    a.decorateTitle = [](Layer& layer, TitlePart part) {
        // Pinstripes: every other row a shade darker.
        Mask stripes(layer.Width(), layer.Height());
        stripes.AddSdf([](float, float y) { return (static_cast<int>(y) % 2) ? -10.f : 10.f; });
        layer.Fill(stripes, Rgb(0, 0, 0), 0.035f);
        Mask edge(layer.Width(), layer.Height());
        if (part == TitlePart::Left) edge.AddSdf([](float x, float) { return x < 1 ? -10.f : 10.f; });
        if (part == TitlePart::Right) edge.AddSdf([&](float x, float) { return x > layer.Width() - 1 ? -10.f : 10.f; });
        layer.Fill(edge, part == TitlePart::Left ? Rgb(255, 255, 255) : Rgb(150, 150, 155), 0.8f);
    };
    a.captionTop = 4;
    a.caption.shape = CaptionShape::Circle;
    a.caption.inset = 2;
    a.caption.glyphOnNormal = false;
    a.caption.gloss = 0.45f;
    a.caption.glyphWidth = 1.4f;
    a.caption.gemFaces = {G2(Rgb(206, 206, 212), Rgb(124, 124, 132)), G2(Rgb(150, 196, 252), Rgb(40, 108, 218)),
                          G2(Rgb(150, 228, 128), Rgb(40, 158, 52)),   G2(Rgb(150, 228, 128), Rgb(40, 158, 52)),
                          G2(Rgb(255, 222, 116), Rgb(226, 150, 18)),  G2(Rgb(255, 146, 126), Rgb(210, 48, 38))};
    for (int s = 0; s < 3; ++s) {
        a.caption.glyph[s] = Rgb(58, 40, 30);
        a.caption.closeGlyph[s] = Rgb(102, 16, 10);
    }

    a.scroll.track = Rgb(201, 201, 201);
    a.scroll.radius = 0;
    a.scroll.face[0] = G2(Rgb(252, 252, 252), Rgb(206, 206, 211));
    a.scroll.face[1] = G2(Rgb(228, 242, 255), Rgb(160, 200, 246));
    a.scroll.face[2] = G2(Rgb(150, 192, 244), Rgb(86, 140, 224));
    a.scroll.border[0] = Rgb(140, 140, 146);
    a.scroll.border[1] = Rgb(82, 122, 190);
    a.scroll.border[2] = Rgb(58, 98, 168);
    a.scroll.arrow[0] = Rgb(70, 70, 76);
    a.scroll.arrow[1] = Rgb(30, 62, 124);
    a.scroll.arrow[2] = Rgb(255, 255, 255);
    a.scroll.thumb = G({{0.f, Rgb(176, 212, 252)}, {0.48f, Rgb(110, 164, 240)}, {0.52f, Rgb(78, 136, 228)}, {1.f, Rgb(136, 190, 250)}});
    a.scroll.thumbBorder = Rgb(52, 92, 172);
    a.scroll.thumbRadius = 6;
    a.scroll.thumbInset = 2;
    a.scroll.gloss = 0.3f;

    a.progress = G({{0.f, Rgb(170, 212, 255)}, {0.5f, Rgb(84, 146, 236)}, {1.f, Rgb(44, 110, 220)}});
    a.progressStripes = true;
    a.trackBorder = Rgb(128, 128, 134);
    a.trackGroove = G2(Rgb(168, 168, 172), Rgb(232, 232, 236));
    a.sliderFace = G2(Rgb(252, 252, 255), Rgb(188, 198, 214));
    a.sliderBorder = Rgb(104, 104, 116);
    a.sliderKeyed = true;
    a.tabFace = G2(Rgb(246, 246, 246), Rgb(214, 214, 218));
    a.tabSelected = G2(Rgb(176, 210, 252), Rgb(92, 150, 234));
    a.tabBorder = Rgb(128, 128, 134);
    a.tabRadius = 4;
    a.sideBar = G2(Rgb(246, 246, 246), Rgb(210, 210, 215));
    return a;
}

// ------------------------------------------------------------------------------------ WinXP

StyleArt WinXP() {
    StyleArt a;
    const Color bg = Rgb(239, 235, 222);
    a.controlBackground = bg;

    a.button.background = bg;
    a.button.radius = 3;
    for (Color& c : a.button.border) c = Rgb(0, 60, 116);
    a.button.fill[0] = G({{0.f, Rgb(255, 255, 255)}, {0.7f, Rgb(244, 243, 238)}, {1.f, Rgb(214, 208, 197)}});
    a.button.fill[1] = a.button.fill[0];
    a.button.fill[2] = G({{0.f, Rgb(224, 221, 212)}, {0.8f, Rgb(234, 232, 225)}, {1.f, Rgb(241, 241, 236)}});
    a.button.hotGlow = Rgb(255, 184, 58);
    a.button.glowWidth = 2;
    a.button.gloss = 0.1f;
    a.button.innerLight = 0.7f;

    a.check.boxSize = 13;
    a.check.radius = 0.5f;
    a.check.border = Rgb(28, 81, 128);
    a.check.borderDisabled = Rgb(202, 200, 187);
    a.check.fill = G2(Rgb(220, 220, 214), Rgb(255, 255, 255));
    a.check.fillDisabled = G2(Rgb(250, 250, 248), Rgb(250, 250, 248));
    a.check.mark = Rgb(33, 161, 33);
    a.check.markDisabled = Rgb(202, 200, 187);
    a.check.background = bg;
    a.radio = a.check;
    a.radio.mark = Rgb(44, 172, 44);

    a.title.body = G({{0.f, Rgb(86, 152, 255)}, {0.12f, Rgb(12, 100, 234)}, {0.55f, Rgb(0, 84, 227)},
                      {0.86f, Rgb(0, 70, 212)}, {1.f, Rgb(0, 56, 186)}});
    a.title.gloss = 0.12f;
    a.title.glossEnd = 0.35f;
    a.title.topLine = Rgb(170, 208, 255);
    a.title.topLineOpacity = 0.9f;
    a.title.bottomLine = Rgb(0, 38, 150);
    a.title.bottomLineOpacity = 1;
    a.decorateTitle = [](Layer& layer, TitlePart part) {
        if (part == TitlePart::Client) return;
        Mask edge(layer.Width(), layer.Height());
        const int w = layer.Width();
        if (part == TitlePart::Left) edge.AddSdf([](float x, float) { return x < 1 ? -10.f : 10.f; });
        else edge.AddSdf([w](float x, float) { return x > w - 1 ? -10.f : 10.f; });
        layer.Fill(edge, part == TitlePart::Left ? Rgb(140, 190, 255) : Rgb(0, 40, 150), 0.7f);
    };
    a.captionTop = 5;
    a.caption.shape = CaptionShape::RoundSquare;
    a.caption.inset = 1;
    a.caption.radius = 3;
    a.caption.glyphWidth = 2.f;
    a.caption.gloss = 0.25f;
    for (Color& c : a.caption.border) c = Rgb(255, 255, 255);
    for (Color& c : a.caption.closeBorder) c = Rgb(255, 255, 255);
    a.caption.face[0] = G2(Rgb(96, 156, 255), Rgb(22, 88, 232));
    a.caption.face[1] = G2(Rgb(146, 194, 255), Rgb(62, 134, 250));
    a.caption.face[2] = G2(Rgb(18, 66, 196), Rgb(44, 104, 232));
    a.caption.closeFace[0] = G2(Rgb(242, 146, 116), Rgb(214, 68, 38));
    a.caption.closeFace[1] = G2(Rgb(255, 174, 144), Rgb(236, 96, 60));
    a.caption.closeFace[2] = G2(Rgb(186, 56, 28), Rgb(216, 82, 52));
    for (int s = 0; s < 3; ++s) a.caption.glyph[s] = a.caption.closeGlyph[s] = Rgb(255, 255, 255);

    a.scroll.track = Rgb(249, 249, 249);
    a.scroll.radius = 2.5f;
    a.scroll.face[0] = G2(Rgb(236, 243, 255), Rgb(186, 205, 246));
    a.scroll.face[1] = G2(Rgb(246, 250, 255), Rgb(204, 222, 255));
    a.scroll.face[2] = G2(Rgb(164, 184, 236), Rgb(200, 216, 250));
    a.scroll.border[0] = Rgb(164, 186, 232);
    a.scroll.border[1] = Rgb(146, 174, 238);
    a.scroll.border[2] = Rgb(118, 144, 212);
    a.scroll.arrow[0] = Rgb(77, 97, 133);
    a.scroll.arrow[1] = Rgb(77, 97, 133);
    a.scroll.arrow[2] = Rgb(38, 58, 110);
    a.scroll.thumb = G2(Rgb(204, 218, 252), Rgb(170, 192, 246));
    a.scroll.thumbBorder = Rgb(128, 154, 222);
    a.scroll.thumbRadius = 3;
    a.scroll.thumbInset = 0;
    a.scroll.gloss = 0.35f;

    a.progress = G({{0.f, Rgb(170, 238, 160)}, {0.45f, Rgb(70, 204, 70)}, {1.f, Rgb(36, 170, 36)}});
    a.progressGap = Rgb(255, 255, 255);
    a.progressGapWidth = 2;
    a.trackBorder = Rgb(157, 156, 153);
    a.trackGroove = G2(Rgb(236, 235, 230), Rgb(246, 245, 240));
    a.sliderFace = G2(Rgb(255, 255, 255), Rgb(222, 220, 212));
    a.sliderBorder = Rgb(28, 81, 128);
    a.tabFace = G2(Rgb(255, 255, 255), Rgb(236, 235, 230));
    a.tabSelected = G2(Rgb(255, 255, 255), Rgb(252, 252, 254));
    a.tabBorder = Rgb(145, 155, 156);
    a.tabRadius = 2;
    a.sideBar = G2(Rgb(248, 247, 242), Rgb(214, 208, 197));
    return a;
}

// --------------------------------------------------------------------------------- DeepBlue

StyleArt DeepBlue() {
    StyleArt a;
    const Color bg = Rgb(232, 232, 232);
    a.controlBackground = bg;

    a.button.background = bg;
    a.button.radius = 3;
    a.button.border[0] = Rgb(28, 42, 96);
    a.button.border[1] = Rgb(32, 72, 184);
    a.button.border[2] = Rgb(20, 30, 80);
    a.button.fill[0] = G({{0.f, Rgb(252, 253, 255)}, {0.5f, Rgb(232, 236, 246)}, {1.f, Rgb(210, 217, 235)}});
    a.button.fill[1] = G({{0.f, Rgb(246, 250, 255)}, {0.5f, Rgb(214, 228, 252)}, {1.f, Rgb(184, 204, 246)}});
    a.button.fill[2] = G({{0.f, Rgb(194, 204, 230)}, {0.6f, Rgb(212, 220, 240)}, {1.f, Rgb(232, 237, 248)}});
    a.button.gloss = 0.22f;
    a.button.innerLight = 0.9f;

    a.check.boxSize = 13;
    a.check.radius = 1;
    a.check.border = Rgb(28, 42, 96);
    a.check.borderDisabled = Rgb(160, 165, 180);
    a.check.fill = G2(Rgb(232, 236, 246), Rgb(255, 255, 255));
    a.check.fillDisabled = G2(Rgb(240, 240, 244), Rgb(240, 240, 244));
    a.check.mark = Rgb(22, 44, 128);
    a.check.markDisabled = Rgb(160, 165, 180);
    a.check.background = bg;
    a.radio = a.check;

    a.title.body = G({{0.f, Rgb(44, 76, 168)}, {0.46f, Rgb(22, 44, 122)}, {0.54f, Rgb(14, 30, 92)}, {1.f, Rgb(8, 18, 62)}});
    a.title.gloss = 0.14f;
    a.title.glossEnd = 0.46f;
    a.title.topLine = Rgb(130, 160, 236);
    a.title.topLineOpacity = 0.8f;
    a.title.bottomLine = Rgb(84, 140, 255);
    a.title.bottomLineOpacity = 0.75f;
    a.decorateTitle = [](Layer& layer, TitlePart part) {
        if (part != TitlePart::Left) return;
        // A soft blue glow rising behind the caption.
        Mask glow(layer.Width(), layer.Height());
        const float h = float(layer.Height());
        glow.AddSdf([h](float x, float y) { return SdCircle(x * 0.5f, y, 0, h, h * 0.35f); }, 36.f);
        layer.Fill(glow, Rgb(96, 150, 255), 0.3f);
    };
    a.captionTop = 2;
    a.caption.shape = CaptionShape::RoundSquare;
    a.caption.inset = 1;
    a.caption.radius = 2.5f;
    a.caption.glyphWidth = 1.7f;
    a.caption.gloss = 0.22f;
    a.caption.border[0] = Rgb(112, 142, 222);
    a.caption.border[1] = Rgb(172, 196, 255);
    a.caption.border[2] = Rgb(72, 96, 172);
    a.caption.face[0] = G2(Rgb(62, 98, 194), Rgb(24, 44, 120));
    a.caption.face[1] = G2(Rgb(92, 132, 232), Rgb(40, 70, 172));
    a.caption.face[2] = G2(Rgb(16, 30, 90), Rgb(40, 64, 150));
    a.caption.closeBorder[0] = Rgb(238, 150, 150);
    a.caption.closeBorder[1] = Rgb(255, 192, 182);
    a.caption.closeBorder[2] = Rgb(160, 62, 62);
    a.caption.closeFace[0] = G2(Rgb(220, 82, 82), Rgb(140, 20, 30));
    a.caption.closeFace[1] = G2(Rgb(246, 112, 102), Rgb(182, 40, 40));
    a.caption.closeFace[2] = G2(Rgb(118, 14, 20), Rgb(170, 40, 46));
    for (int s = 0; s < 3; ++s) a.caption.glyph[s] = a.caption.closeGlyph[s] = Rgb(236, 242, 255);

    a.scroll.track = Rgb(245, 245, 245);
    a.scroll.radius = 1.5f;
    a.scroll.face[0] = G2(Rgb(248, 249, 253), Rgb(204, 212, 232));
    a.scroll.face[1] = G2(Rgb(240, 246, 255), Rgb(184, 204, 246));
    a.scroll.face[2] = G2(Rgb(180, 192, 226), Rgb(214, 222, 240));
    a.scroll.border[0] = Rgb(108, 118, 160);
    a.scroll.border[1] = Rgb(60, 90, 190);
    a.scroll.border[2] = Rgb(40, 56, 120);
    a.scroll.arrow[0] = Rgb(28, 42, 96);
    a.scroll.arrow[1] = Rgb(32, 72, 184);
    a.scroll.arrow[2] = Rgb(20, 30, 80);
    a.scroll.thumb = G({{0.f, Rgb(128, 152, 222)}, {0.5f, Rgb(76, 102, 186)}, {1.f, Rgb(48, 72, 158)}});
    a.scroll.thumbBorder = Rgb(28, 42, 96);
    a.scroll.thumbRadius = 3;
    a.scroll.thumbInset = 1;
    a.scroll.gloss = 0.3f;

    a.progress = G({{0.f, Rgb(130, 170, 255)}, {0.5f, Rgb(52, 90, 200)}, {1.f, Rgb(22, 50, 150)}});
    a.trackBorder = Rgb(28, 42, 96);
    a.trackGroove = G2(Rgb(196, 202, 220), Rgb(240, 242, 248));
    a.sliderFace = G2(Rgb(250, 251, 255), Rgb(196, 206, 230));
    a.sliderBorder = Rgb(28, 42, 96);
    a.tabFace = G2(Rgb(246, 248, 252), Rgb(214, 220, 236));
    a.tabSelected = G2(Rgb(255, 255, 255), Rgb(238, 241, 250));
    a.tabBorder = Rgb(28, 42, 96);
    a.tabRadius = 2;
    a.sideBar = G2(Rgb(62, 98, 194), Rgb(20, 38, 108));
    return a;
}

// ---------------------------------------------------------------------------------- Protein

StyleArt Protein() {
    StyleArt a;
    const Color bg = Rgb(251, 251, 251);
    const Color indigo = Rgb(45, 48, 196);
    a.controlBackground = bg;

    a.button.background = bg;
    a.button.radius = 4;
    a.button.border[0] = Rgb(156, 158, 188);
    a.button.border[1] = indigo;
    a.button.border[2] = Rgb(36, 38, 150);
    a.button.fill[0] = G({{0.f, Rgb(255, 255, 255)}, {0.55f, Rgb(246, 246, 250)}, {1.f, Rgb(226, 227, 239)}});
    a.button.fill[1] = G({{0.f, Rgb(250, 250, 255)}, {0.55f, Rgb(232, 233, 255)}, {1.f, Rgb(206, 208, 250)}});
    a.button.fill[2] = G({{0.f, Rgb(198, 200, 240)}, {0.6f, Rgb(218, 220, 248)}, {1.f, Rgb(236, 237, 252)}});
    a.button.gloss = 0.2f;
    a.button.innerLight = 0.9f;

    a.check.boxSize = 13;
    a.check.radius = 2.5f;
    a.check.border = Rgb(108, 110, 170);
    a.check.borderDisabled = Rgb(192, 192, 206);
    a.check.fill = G2(Rgb(242, 242, 250), Rgb(255, 255, 255));
    a.check.fillDisabled = G2(Rgb(245, 245, 248), Rgb(245, 245, 248));
    a.check.fillWhenChecked = true;
    a.check.fillChecked = G2(Rgb(104, 108, 232), indigo);
    a.check.mark = Rgb(255, 255, 255);
    a.check.markDisabled = Rgb(178, 178, 194);
    a.check.background = bg;
    a.check.gloss = 0.2f;
    a.radio = a.check;

    a.title.body = G({{0.f, Rgb(72, 76, 114)}, {0.5f, Rgb(46, 49, 84)}, {0.52f, Rgb(36, 38, 68)}, {1.f, Rgb(24, 26, 50)}});
    a.title.gloss = 0.1f;
    a.title.topLine = Rgb(152, 156, 214);
    a.title.topLineOpacity = 0.6f;
    a.title.bottomLine = Rgb(10, 10, 30);
    a.title.bottomLineOpacity = 0.8f;
    a.decorateTitle = [indigo](Layer& layer, TitlePart part) {
        if (part != TitlePart::Left) return;
        const int w = layer.Width(), h = layer.Height();
        // Indigo light behind the caption, fading into the slate of the bar.
        Mask glow(w, h);
        glow.AddSdf([](float, float) { return -10.f; });
        glow.ScaleBy([w](float x, float) {
            const float t = x / (w * 0.86f);
            return t >= 1 ? 0.f : (1 - t) * (1 - t) * (3 - 2 * (1 - t));
        });
        layer.Fill(glow, indigo, 0.85f);
        Mask gloss(w, h);
        gloss.AddSdf([h](float, float y) { return y < h * 0.5f ? -10.f : 10.f; });
        gloss.ScaleBy([w](float x, float) { return std::max(0.f, 1 - x / (w * 0.86f)); });
        layer.Fill(gloss, Rgb(255, 255, 255), 0.12f);
        // A faint double helix in the fading part: two strands and their rungs.
        Mask helix(w, h);
        const float x0 = 190, x1 = 410, mid = h / 2.f, amp = h * 0.28f;
        auto strand = [&](float phase) {
            std::vector<std::pair<float, float>> pts;
            for (float x = x0; x <= x1; x += 2) pts.emplace_back(x, mid + amp * std::sin((x - x0) / 18.f + phase));
            return pts;
        };
        helix.AddPolyline(strand(0), 1.1f);
        helix.AddPolyline(strand(3.14159f), 1.1f);
        for (float x = x0 + 6; x < x1; x += 14) {
            const float y0 = mid + amp * std::sin((x - x0) / 18.f), y1 = mid + amp * std::sin((x - x0) / 18.f + 3.14159f);
            helix.AddLine(x, y0, x, y1, 0.8f);
        }
        helix.ScaleBy([=](float x, float) {
            const float t = (x - x0) / (x1 - x0);
            return std::sin(std::clamp(t, 0.f, 1.f) * 3.14159f);
        });
        layer.Fill(helix, Rgb(190, 194, 255), 0.45f);
    };
    a.captionTop = 2;
    a.caption.shape = CaptionShape::Circle;
    a.caption.inset = 1;
    a.caption.keyed = true;
    a.caption.glyphWidth = 1.5f;
    a.caption.gloss = 0.35f;
    a.caption.border[0] = Rgb(168, 172, 230);
    a.caption.border[1] = Rgb(210, 212, 255);
    a.caption.border[2] = Rgb(108, 112, 190);
    a.caption.face[0] = G2(Rgb(96, 100, 184), Rgb(46, 48, 124));
    a.caption.face[1] = G2(Rgb(130, 134, 232), Rgb(64, 68, 192));
    a.caption.face[2] = G2(Rgb(38, 40, 108), Rgb(70, 74, 170));
    a.caption.closeBorder[0] = Rgb(255, 180, 180);
    a.caption.closeBorder[1] = Rgb(255, 210, 205);
    a.caption.closeBorder[2] = Rgb(176, 70, 70);
    a.caption.closeFace[0] = G2(Rgb(240, 112, 110), Rgb(170, 30, 40));
    a.caption.closeFace[1] = G2(Rgb(255, 142, 130), Rgb(210, 52, 56));
    a.caption.closeFace[2] = G2(Rgb(140, 20, 30), Rgb(190, 50, 60));
    for (int s = 0; s < 3; ++s) a.caption.glyph[s] = a.caption.closeGlyph[s] = Rgb(255, 255, 255);

    a.scroll.track = Rgb(245, 245, 245);
    a.scroll.radius = 2;
    a.scroll.face[0] = G2(Rgb(255, 255, 255), Rgb(230, 231, 242));
    a.scroll.face[1] = G2(Rgb(246, 247, 255), Rgb(212, 214, 250));
    a.scroll.face[2] = G2(Rgb(198, 200, 240), Rgb(230, 231, 250));
    a.scroll.border[0] = Rgb(168, 170, 196);
    a.scroll.border[1] = indigo;
    a.scroll.border[2] = Rgb(36, 38, 150);
    a.scroll.arrow[0] = Rgb(62, 64, 122);
    a.scroll.arrow[1] = indigo;
    a.scroll.arrow[2] = Rgb(36, 38, 150);
    a.scroll.thumb = G({{0.f, Rgb(154, 157, 238)}, {0.5f, Rgb(96, 100, 220)}, {1.f, Rgb(70, 74, 204)}});
    a.scroll.thumbBorder = Rgb(44, 46, 168);
    a.scroll.thumbRadius = 3.5f;
    a.scroll.thumbInset = 1.5f;
    a.scroll.gloss = 0.3f;

    a.progress = G({{0.f, Rgb(154, 157, 242)}, {0.5f, Rgb(84, 88, 220)}, {1.f, indigo}});
    a.trackBorder = Rgb(108, 110, 170);
    a.trackGroove = G2(Rgb(214, 215, 232), Rgb(246, 246, 252));
    a.sliderFace = G2(Rgb(255, 255, 255), Rgb(208, 210, 240));
    a.sliderBorder = Rgb(76, 80, 176);
    a.tabFace = G2(Rgb(250, 250, 253), Rgb(226, 227, 239));
    a.tabSelected = G2(Rgb(255, 255, 255), Rgb(244, 244, 252));
    a.tabBorder = Rgb(140, 142, 186);
    a.tabRadius = 3;
    a.sideBar = G2(Rgb(104, 108, 232), indigo);
    return a;
}

// -------------------------------------------------------------------------------- BlueGlass

StyleArt BlueGlass() {
    StyleArt a;
    const Color bg = Rgb(231, 231, 231);
    a.controlBackground = bg;

    a.button.keyed = true;
    a.button.background = bg;
    a.button.radius = 6;
    a.button.border[0] = Rgb(72, 112, 166);
    a.button.border[1] = Rgb(36, 128, 220);
    a.button.border[2] = Rgb(30, 80, 150);
    a.button.fill[0] = G({{0.f, Rgb(250, 252, 255)}, {0.48f, Rgb(230, 240, 252)}, {0.52f, Rgb(204, 223, 246)}, {1.f, Rgb(230, 242, 254)}});
    a.button.fill[1] = G({{0.f, Rgb(240, 250, 255)}, {0.48f, Rgb(200, 236, 255)}, {0.52f, Rgb(150, 212, 250)}, {1.f, Rgb(204, 242, 255)}});
    a.button.fill[2] = G({{0.f, Rgb(168, 204, 240)}, {0.48f, Rgb(150, 190, 236)}, {0.52f, Rgb(120, 174, 230)}, {1.f, Rgb(172, 212, 246)}});
    a.button.gloss = 0.3f;
    a.button.innerLight = 0.9f;

    a.check.boxSize = 13;
    a.check.radius = 2.5f;
    a.check.border = Rgb(72, 112, 166);
    a.check.borderDisabled = Rgb(176, 188, 204);
    a.check.fill = G2(Rgb(222, 236, 252), Rgb(255, 255, 255));
    a.check.fillDisabled = G2(Rgb(242, 244, 248), Rgb(242, 244, 248));
    a.check.mark = Rgb(20, 92, 184);
    a.check.markDisabled = Rgb(170, 182, 200);
    a.check.background = bg;
    a.check.gloss = 0.3f;
    a.radio = a.check;

    a.title.body = G({{0.f, Rgb(136, 186, 238)}, {0.46f, Rgb(72, 132, 212)}, {0.5f, Rgb(38, 94, 180)}, {1.f, Rgb(62, 124, 204)}});
    a.title.gloss = 0.22f;
    a.title.glossEnd = 0.46f;
    a.title.topLine = Rgb(255, 255, 255);
    a.title.topLineOpacity = 0.7f;
    a.title.bottomLine = Rgb(20, 52, 112);
    a.title.bottomLineOpacity = 0.9f;
    a.decorateTitle = [](Layer& layer, TitlePart part) {
        if (part == TitlePart::Left) {
            Streak(layer, 96, -0.9f, 5, 0.14f);
            Streak(layer, 120, -0.9f, 2.5f, 0.12f);
        } else if (part == TitlePart::Right) {
            Streak(layer, 30, -0.9f, 3, 0.1f);
        }
    };
    a.captionTop = 6;
    a.caption.shape = CaptionShape::RoundSquare;
    a.caption.inset = 1;
    a.caption.radius = 4;
    a.caption.keyed = true;
    a.caption.glyphWidth = 1.7f;
    a.caption.gloss = 0.4f;
    a.caption.border[0] = Rgb(30, 70, 140);
    a.caption.border[1] = Rgb(20, 92, 182);
    a.caption.border[2] = Rgb(20, 50, 110);
    a.caption.face[0] = G({{0.f, Rgb(204, 228, 252)}, {0.5f, Rgb(120, 170, 230)}, {0.52f, Rgb(84, 140, 212)}, {1.f, Rgb(140, 196, 244)}});
    a.caption.face[1] = G({{0.f, Rgb(226, 246, 255)}, {0.5f, Rgb(120, 200, 250)}, {0.52f, Rgb(70, 170, 242)}, {1.f, Rgb(150, 224, 255)}});
    a.caption.face[2] = G({{0.f, Rgb(70, 118, 188)}, {0.5f, Rgb(52, 100, 176)}, {0.52f, Rgb(40, 88, 166)}, {1.f, Rgb(100, 160, 222)}});
    a.caption.closeBorder[0] = Rgb(120, 30, 20);
    a.caption.closeBorder[1] = Rgb(150, 30, 16);
    a.caption.closeBorder[2] = Rgb(96, 20, 12);
    a.caption.closeFace[0] = G({{0.f, Rgb(250, 178, 158)}, {0.5f, Rgb(226, 96, 70)}, {0.52f, Rgb(204, 60, 36)}, {1.f, Rgb(236, 128, 96)}});
    a.caption.closeFace[1] = G({{0.f, Rgb(255, 204, 178)}, {0.5f, Rgb(244, 116, 80)}, {0.52f, Rgb(236, 76, 44)}, {1.f, Rgb(255, 160, 120)}});
    a.caption.closeFace[2] = G({{0.f, Rgb(168, 40, 24)}, {0.5f, Rgb(176, 46, 28)}, {0.52f, Rgb(160, 36, 20)}, {1.f, Rgb(210, 76, 52)}});
    for (int s = 0; s < 3; ++s) a.caption.glyph[s] = a.caption.closeGlyph[s] = Rgb(255, 255, 255);

    a.scroll.track = Rgb(244, 244, 244);
    a.scroll.radius = 2;
    a.scroll.face[0] = G2(Rgb(250, 252, 255), Rgb(204, 224, 248));
    a.scroll.face[1] = G2(Rgb(236, 248, 255), Rgb(168, 220, 252));
    a.scroll.face[2] = G2(Rgb(158, 198, 240), Rgb(204, 228, 250));
    a.scroll.border[0] = Rgb(120, 150, 190);
    a.scroll.border[1] = Rgb(40, 130, 220);
    a.scroll.border[2] = Rgb(30, 80, 150);
    a.scroll.arrow[0] = Rgb(40, 70, 120);
    a.scroll.arrow[1] = Rgb(20, 92, 184);
    a.scroll.arrow[2] = Rgb(20, 60, 120);
    a.scroll.thumb = G({{0.f, Rgb(200, 226, 252)}, {0.48f, Rgb(134, 182, 236)}, {0.52f, Rgb(96, 152, 222)}, {1.f, Rgb(150, 200, 246)}});
    a.scroll.thumbBorder = Rgb(50, 98, 168);
    a.scroll.thumbRadius = 4;
    a.scroll.thumbInset = 1;
    a.scroll.gloss = 0.3f;

    a.progress = G({{0.f, Rgb(180, 230, 255)}, {0.48f, Rgb(80, 170, 240)}, {0.52f, Rgb(40, 130, 220)}, {1.f, Rgb(100, 190, 250)}});
    a.trackBorder = Rgb(72, 112, 166);
    a.trackGroove = G2(Rgb(196, 214, 236), Rgb(240, 246, 252));
    a.sliderFace = G2(Rgb(244, 250, 255), Rgb(160, 204, 244));
    a.sliderBorder = Rgb(50, 98, 168);
    a.tabFace = G2(Rgb(244, 249, 255), Rgb(204, 224, 248));
    a.tabSelected = G2(Rgb(255, 255, 255), Rgb(236, 244, 253));
    a.tabBorder = Rgb(72, 112, 166);
    a.tabRadius = 3;
    a.sideBar = G2(Rgb(136, 186, 238), Rgb(38, 94, 180));
    return a;
}

// ----------------------------------------------------------------------------- msn theme

StyleArt Msn() {
    StyleArt a;
    const Color bg = Rgb(244, 248, 242);
    const Color leaf = Rgb(30, 140, 100);
    const Color orange = Rgb(240, 140, 40);
    a.controlBackground = bg;

    a.button.keyed = true;
    a.button.background = bg;
    a.button.radius = 11;
    a.button.border[0] = Rgb(112, 152, 124);
    a.button.border[1] = orange;
    a.button.border[2] = Rgb(196, 104, 24);
    a.button.fill[0] = G({{0.f, Rgb(255, 255, 255)}, {0.5f, Rgb(242, 248, 240)}, {1.f, Rgb(222, 236, 220)}});
    a.button.fill[1] = G({{0.f, Rgb(255, 252, 240)}, {0.5f, Rgb(255, 238, 200)}, {1.f, Rgb(255, 222, 164)}});
    a.button.fill[2] = G({{0.f, Rgb(246, 200, 140)}, {0.6f, Rgb(252, 220, 176)}, {1.f, Rgb(255, 236, 204)}});
    a.button.gloss = 0.3f;
    a.button.innerLight = 0.9f;

    a.check.boxSize = 13;
    a.check.radius = 3;
    a.check.border = Rgb(90, 130, 105);
    a.check.borderDisabled = Rgb(190, 204, 194);
    a.check.fill = G2(Rgb(236, 244, 234), Rgb(255, 255, 255));
    a.check.fillDisabled = G2(Rgb(244, 246, 243), Rgb(244, 246, 243));
    a.check.fillWhenChecked = true;
    a.check.fillChecked = G2(Rgb(96, 200, 150), leaf);
    a.check.mark = Rgb(255, 255, 255);
    a.check.markDisabled = Rgb(180, 196, 186);
    a.check.background = bg;
    a.check.gloss = 0.25f;
    a.radio = a.check;

    a.title.body = G({{0.f, Rgb(112, 212, 170)}, {0.48f, Rgb(42, 160, 122)}, {0.52f, Rgb(22, 134, 104)}, {1.f, Rgb(16, 110, 88)}});
    a.title.gloss = 0.18f;
    a.title.glossEnd = 0.48f;
    a.title.topLine = Rgb(210, 255, 236);
    a.title.topLineOpacity = 0.7f;
    a.title.bottomLine = Rgb(8, 70, 56);
    a.title.bottomLineOpacity = 0.9f;
    a.decorateTitle = [](Layer& layer, TitlePart part) {
        if (part != TitlePart::Left) return;
        // Morning light at the left end, behind the caption.
        Mask light(layer.Width(), layer.Height());
        light.AddSdf([](float x, float y) { return SdCircle(x * 0.5f, y, 0, 0, 10); }, 12.f);
        layer.Fill(light, Rgb(255, 246, 200), 0.35f);
    };
    a.captionTop = 6;
    a.caption.shape = CaptionShape::Circle;
    a.caption.inset = 1;
    a.caption.keyed = true;
    a.caption.glyphWidth = 1.6f;
    a.caption.gloss = 0.4f;
    a.caption.border[0] = Rgb(200, 250, 228);
    a.caption.border[1] = Rgb(255, 255, 255);
    a.caption.border[2] = Rgb(120, 200, 170);
    a.caption.face[0] = G2(Rgb(90, 196, 154), Rgb(20, 120, 92));
    a.caption.face[1] = G2(Rgb(130, 228, 188), Rgb(34, 156, 118));
    a.caption.face[2] = G2(Rgb(14, 96, 74), Rgb(40, 150, 114));
    a.caption.closeBorder[0] = Rgb(255, 226, 190);
    a.caption.closeBorder[1] = Rgb(255, 244, 226);
    a.caption.closeBorder[2] = Rgb(220, 150, 90);
    a.caption.closeFace[0] = G2(Rgb(255, 176, 92), Rgb(226, 110, 20));
    a.caption.closeFace[1] = G2(Rgb(255, 204, 132), Rgb(246, 136, 40));
    a.caption.closeFace[2] = G2(Rgb(190, 90, 14), Rgb(230, 124, 36));
    for (int s = 0; s < 3; ++s) a.caption.glyph[s] = a.caption.closeGlyph[s] = Rgb(255, 255, 255);

    a.scroll.track = Rgb(236, 242, 234);
    a.scroll.radius = 3;
    a.scroll.face[0] = G2(Rgb(255, 255, 255), Rgb(222, 236, 220));
    a.scroll.face[1] = G2(Rgb(255, 252, 240), Rgb(255, 226, 172));
    a.scroll.face[2] = G2(Rgb(246, 200, 140), Rgb(255, 232, 196));
    a.scroll.border[0] = Rgb(140, 172, 150);
    a.scroll.border[1] = orange;
    a.scroll.border[2] = Rgb(196, 104, 24);
    a.scroll.arrow[0] = Rgb(40, 96, 70);
    a.scroll.arrow[1] = Rgb(160, 80, 10);
    a.scroll.arrow[2] = Rgb(120, 60, 8);
    a.scroll.thumb = G({{0.f, Rgb(140, 220, 180)}, {0.5f, Rgb(62, 176, 132)}, {1.f, Rgb(36, 150, 110)}});
    a.scroll.thumbBorder = Rgb(20, 110, 80);
    a.scroll.thumbRadius = 3.5f;
    a.scroll.thumbInset = 1.5f;
    a.scroll.gloss = 0.3f;

    a.progress = G({{0.f, Rgb(150, 230, 190)}, {0.5f, Rgb(60, 180, 130)}, {1.f, leaf}});
    a.trackBorder = Rgb(90, 130, 105);
    a.trackGroove = G2(Rgb(210, 226, 212), Rgb(246, 250, 245));
    a.sliderFace = G2(Rgb(255, 255, 255), Rgb(200, 230, 210));
    a.sliderBorder = Rgb(40, 120, 90);
    a.sliderKeyed = true;
    a.tabFace = G2(Rgb(250, 252, 249), Rgb(222, 236, 220));
    a.tabSelected = G2(Rgb(255, 255, 255), Rgb(244, 250, 242));
    a.tabBorder = Rgb(112, 152, 124);
    a.tabRadius = 3;
    a.sideBar = G2(Rgb(96, 200, 150), leaf);
    return a;
}

// ----------------------------------------------------------------------------------- extras

TBitmapImage MacFormBackground() {
    TBitmapImage img = Blank(8, 8, Rgb(236, 236, 236));
    for (int y = 1; y < 8; y += 2)
        for (int x = 0; x < 8; ++x) SetPixel(img, x, y, Rgb(227, 227, 227));
    return img;
}

TBitmapImage ProteinFormBackground() {
    // Near white with a faint diagonal grid of dots.
    TBitmapImage img = Blank(8, 8, Rgb(251, 251, 251));
    SetPixel(img, 1, 1, Rgb(242, 242, 247));
    SetPixel(img, 5, 5, Rgb(242, 242, 247));
    return img;
}

}  // namespace

std::map<std::string, TBitmapImage> PaintBuiltInArt() {
    const StyleArt styles[vorlinde::kBuiltInStyleCount] = {MacOS(), WinXP(), DeepBlue(), Protein(), BlueGlass()};
    std::map<std::string, TBitmapImage> art;
    for (const vorlinde::TsuiBuiltInBitmap& b : vorlinde::BuiltInBitmaps()) {
        TBitmapImage img;
        if (b.item != 0) {
            // A shared bitmap (MORE_SCROLLBUTTON) is drawn in the first style that uses it.
            int style = b.style;
            for (int s = 1; !style && s <= vorlinde::kBuiltInStyleCount; ++s)
                if (std::string_view(vorlinde::ThemeItemInfo(b.item)->bitmaps[s - 1]) == b.name) style = s;
            const vorlinde::TsuiBuiltInBitmap* title =
                vorlinde::FindBuiltInBitmap(std::string(vorlinde::BuiltInStylePrefix(style)) + "TITLE_CLIENT");
            img = PaintElement(styles[style - 1], b.element, b.width, b.height, title->height);
        } else if (std::string_view(b.name) == "MACOS_FORM_BACKGROUND") {
            img = MacFormBackground();
        } else if (std::string_view(b.name) == "PROTEIN_FORM_BACKGROUND") {
            img = ProteinFormBackground();
        } else if (std::string_view(b.name) == "MACOS_MENU_BAR") {
            img = PaintColumn(b.height, G({{0.f, Rgb(253, 253, 253)}, {0.9f, Rgb(226, 226, 229)}, {1.f, Rgb(200, 200, 204)}}));
        } else if (std::string_view(b.name) == "MACOS_MENU_SELECT") {
            img = PaintColumn(b.height, G({{0.f, Rgb(112, 166, 246)}, {0.5f, Rgb(66, 124, 232)}, {1.f, Rgb(38, 96, 218)}}));
        } else if (std::string_view(b.name) == "MENU_CHECKED") {
            img = PaintMenuChecked();
        } else if (std::string_view(b.name) == "MSGDLG") {
            img = PaintMessageIcons(Rgb(239, 235, 222));
        } else {
            throw std::runtime_error(std::string("no painter for ") + b.name);
        }
        if (img.width != b.width || img.height != b.height)
            throw std::runtime_error(std::string("wrong size for ") + b.name);
        art[b.name] = std::move(img);
    }
    return art;
}

std::map<std::string, TBitmapImage> PaintMsnThemeArt() {
    const StyleArt msn = Msn();
    constexpr int kTitleHeight = 28;
    struct Piece {
        const char* item;
        const char* element;
        int w, h;
    };
    const Piece pieces[] = {
        {"ButtonImage", "BUTTON", 216, 23},           {"CheckBoxImage", "CHECKBOX", 52, 13},
        {"RadioButtonImage", "RADIOBUTTON", 52, 13},   {"TitleBarButtonImage", "TITLEBTN", 342, 19},
        {"TitleBarLeftImage", "TITLE_LEFT", 80, kTitleHeight}, {"TitleBarClientImage", "TITLE_CLIENT", 20, kTitleHeight},
        {"TitleBarRightImage", "TITLE_RIGHT", 60, kTitleHeight}, {"ProgressBarImage", "PROGRESSBAR", 1, 10},
        {"TrackBarBarImage", "TRACKBAR_BAR", 45, 5},   {"TrackBarSliderImage", "TRACKBAR_SLIDER", 11, 20},
        {"TrackBarSliderVImage", "TRACKBAR_SLIDER_V", 20, 11}, {"ScrollBarButtonImage", "SCROLLBAR_BUTTON", 96, 16},
        {"ScrollBarSliderImage", "SCROLLBAR_TRACK", 21, 16}, {"CheckListBoxImage", "CHECKLIST", 44, 11},
        {"ScrollButtonImage", "SCROLLBUTTON", 72, 17}, {"TabControlTabImage", "TAB", 18, 17},
        {"TabControlBarImage", "TAB_LINE", 10, 5},     {"SideChannelHandleImage", "SIDECHENNEL_HANDLE", 8, 84},
        {"SideChannelBarImage", "SIDECHENNEL_BAR", 1, 21},
    };
    std::map<std::string, TBitmapImage> art;
    for (const Piece& p : pieces) art[p.item] = PaintElement(msn, p.element, p.w, p.h, kTitleHeight);
    return art;
}

}  // namespace skinart
