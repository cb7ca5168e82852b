#include "StyleArt.h"

namespace skinart {

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

}  // namespace skinart
