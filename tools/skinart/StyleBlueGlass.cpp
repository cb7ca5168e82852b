#include "StyleArt.h"

#include <cmath>

namespace skinart {

namespace {

// Soft white streaks, as light falling across glass.
void Streak(Layer& layer, float x, float slope, float width, float opacity) {
    Mask m(layer.Width(), layer.Height());
    m.AddSdf([=](float px, float py) { return std::fabs(px - (x + py * slope)) - width; }, 3.f);
    layer.Fill(m, Rgb(255, 255, 255), opacity);
}

}  // namespace

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

}  // namespace skinart
