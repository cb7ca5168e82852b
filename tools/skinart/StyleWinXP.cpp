#include "StyleArt.h"

namespace skinart {

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

}  // namespace skinart
