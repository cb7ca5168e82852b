#include "StyleArt.h"

namespace skinart {

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

}  // namespace skinart
