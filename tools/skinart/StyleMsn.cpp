#include "StyleArt.h"

namespace skinart {

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

}  // namespace skinart
