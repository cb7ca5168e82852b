#include "StyleArt.h"

namespace skinart {

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

}  // namespace skinart
