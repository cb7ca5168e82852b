#include "DialogArt.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <sstream>

#include "IndexedBitmap.h"
#include "Painters.h"
#include "StyleArt.h"

namespace skinart {

namespace {

constexpr int kIcon = 42;
const Color kWhite = Rgb(255, 255, 255);
// What the half-covered edge pixels are blended over: close to every style's window colour.
const Color kIconMatte = Rgb(226, 226, 222);

// A white sheen over the upper part of a shape, fading out downwards.
void Gloss(Layer& layer, const Mask& shape, float top, float end, float strength) {
    Mask sheen = shape;
    sheen.ScaleBy([=](float, float y) { return y >= end ? 0.f : 1.f - std::max((y - top) / (end - top), 0.f); });
    layer.Fill(sheen, kWhite, strength);
}

// A bordered, shaded shape: the border colour, then the face inset by `border` pixels, a
// sheen and a darker rim at the bottom of the face.
void Body(Layer& layer, const std::function<float(float, float)>& sdf, Color border, const Gradient& face,
          float border_width) {
    Mask outer(kIcon, kIcon), inner(kIcon, kIcon);
    outer.AddSdf(sdf);
    inner.AddSdf([&](float x, float y) { return sdf(x, y) + border_width; });
    layer.Fill(outer, border);
    layer.FillVertical(inner, face, 2, kIcon - 3);
    Gloss(layer, inner, 2, kIcon * 0.5f, 0.45f);
}

TBitmapImage Warning() {
    Layer layer(kIcon, kIcon);
    const float c = kIcon / 2.f;
    const std::array<std::pair<float, float>, 3> tri = {{{c, 4.5f}, {kIcon - 3.5f, kIcon - 5.5f}, {3.5f, kIcon - 5.5f}}};
    auto sdf = [&](float x, float y) {
        float d = 1e9f;
        bool inside = true;
        for (size_t i = 0; i < 3; ++i) {
            const auto [ax, ay] = tri[i];
            const auto [bx, by] = tri[(i + 1) % 3];
            d = std::min(d, SdSegment(x, y, ax, ay, bx, by));
            if ((bx - ax) * (y - ay) - (by - ay) * (x - ax) < 0) inside = false;
        }
        return (inside ? -d : d) - 2.2f;  // rounded corners
    };
    Body(layer, sdf, Rgb(158, 100, 0), G({{0.f, Rgb(255, 240, 150)}, {0.6f, Rgb(252, 206, 48)}, {1.f, Rgb(236, 162, 8)}}),
         1.6f);
    Mask mark(kIcon, kIcon);
    mark.AddPolygon({{c - 2.6f, 14.f}, {c + 2.6f, 14.f}, {c + 1.5f, 27.f}, {c - 1.5f, 27.f}});
    mark.AddCircle(c, 14.f, 2.6f);
    mark.AddCircle(c, 31.6f, 2.3f);
    layer.Fill(mark, Rgb(24, 20, 12));
    return layer.FlattenKeyed(kIconMatte);
}

// A shaded disc with a white symbol.
TBitmapImage Disc(const Gradient& face, Color border, const Mask& symbol) {
    Layer layer(kIcon, kIcon);
    const float c = kIcon / 2.f;
    auto sdf = [&](float x, float y) { return SdCircle(x, y, c, c - 0.5f, 18.f); };
    Body(layer, sdf, border, face, 1.5f);
    layer.Fill(symbol, kWhite);
    return layer.FlattenKeyed(kIconMatte);
}

TBitmapImage Stop() {
    Mask cross(kIcon, kIcon);
    cross.AddLine(14.5f, 14.f, 27.5f, 27.f, 4.4f);
    cross.AddLine(27.5f, 14.f, 14.5f, 27.f, 4.4f);
    return Disc(G({{0.f, Rgb(255, 128, 108)}, {0.55f, Rgb(226, 48, 34)}, {1.f, Rgb(176, 16, 16)}}), Rgb(128, 10, 10),
                cross);
}

TBitmapImage Information() {
    const float c = kIcon / 2.f;
    Mask i(kIcon, kIcon);
    i.AddCircle(c, 12.f, 2.7f);
    i.AddRoundRect(c - 2.2f, 17.f, c + 2.2f, 30.f, 0.8f);
    i.AddRoundRect(c - 4.6f, 17.f, c + 0.f, 19.6f, 0.6f);
    i.AddRoundRect(c - 4.6f, 28.f, c + 4.6f, 30.6f, 0.6f);
    return Disc(G({{0.f, Rgb(120, 180, 255)}, {0.55f, Rgb(40, 112, 224)}, {1.f, Rgb(18, 70, 182)}}), Rgb(12, 50, 136),
                i);
}

TBitmapImage Help() {
    const float c = kIcon / 2.f;
    Mask q(kIcon, kIcon);
    // The hook of the question mark: most of a circle over the top, then down to the stem.
    q.AddArc(c, 16.f, 5.6f, -60.f, 180.f, 3.8f);
    q.AddPolyline({{c + 2.8f, 20.9f}, {c, 23.5f}, {c, 26.f}}, 3.8f);
    q.AddCircle(c, 31.f, 2.5f);
    return Disc(G({{0.f, Rgb(120, 180, 255)}, {0.55f, Rgb(40, 112, 224)}, {1.f, Rgb(18, 70, 182)}}), Rgb(12, 50, 136),
                q);
}

std::string Hex(const std::vector<uint8_t>& bytes, const std::string& indent) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % 32 == 0) out += (i ? "\n" : "") + indent;
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out + "\n";
}

}  // namespace

TBitmapImage PaintMessageIcons() { return Strip({Warning(), Stop(), Information(), Help()}); }

std::map<std::string, FormPicture> PaintDialogFormArt() {
    // The dialogs' forms keep the WinXP look they are stored with; its title pictures have
    // exactly the stored sizes.
    const StyleArt xp = WinXP();
    constexpr int kTitleHeight = 29, kButton = 21;
    std::map<std::string, FormPicture> art;
    const TBitmapImage strip = PaintElement(xp, "TITLEBTN", kButton * 18, kButton, kTitleHeight);
    const char* closeNames[] = {"DLG_CLOSE_NORMAL", "DLG_CLOSE_HOT", "DLG_CLOSE_DOWN"};
    for (int state = 0; state < 3; ++state) {
        TBitmapImage image(kButton, kButton);
        const int first = (15 + state) * kButton;  // the close images are the last three
        for (int y = 0; y < kButton; ++y)
            for (int x = 0; x < kButton; ++x) std::copy_n(strip.Pixel(first + x, y), 4, image.Pixel(x, y));
        art[closeNames[state]] = {image, 16};
    }
    art["DLG_TITLE_LEFT"] = {PaintElement(xp, "TITLE_LEFT", 35, kTitleHeight, kTitleHeight), 8};
    art["DLG_TITLE_RIGHT"] = {PaintElement(xp, "TITLE_RIGHT", 35, kTitleHeight, kTitleHeight), 8};
    art["DLG_TITLE_CLIENT"] = {PaintElement(xp, "TITLE_CLIENT", 37, kTitleHeight, kTitleHeight), 8};
    return art;
}

bool RefreshFormArt(std::string& text, const std::map<std::string, FormPicture>& art, std::string& error) {
    std::istringstream in(text);
    std::string out, line;
    int lineNumber = 0;
    const std::string tag = "// art: ";
    while (std::getline(in, line)) {
        ++lineNumber;
        out += line + "\n";
        const size_t at = line.find(tag);
        if (at == std::string::npos || line.find_first_not_of(' ') != at) continue;
        const std::string name = line.substr(at + tag.size());
        const auto picture = art.find(name);
        if (picture == art.end()) {
            error = "line " + std::to_string(lineNumber) + ": no picture named " + name;
            return false;
        }
        if (!std::getline(in, line) || line.size() < 3 || line.compare(line.size() - 3, 3, "= {") != 0) {
            error = "line " + std::to_string(lineNumber) + ": the tag is not followed by binary data";
            return false;
        }
        ++lineNumber;
        out += line + "\n";
        const std::string indent(line.find_first_not_of(' ') + 2, ' ');
        // The old data goes, up to its closing brace, which ends the new data's last line.
        bool closed = false;
        while (std::getline(in, line)) {
            ++lineNumber;
            if (line.find('}') != std::string::npos) {
                closed = true;
                break;
            }
        }
        if (!closed) {
            error = "binary data for " + name + " not closed";
            return false;
        }
        const FormPicture& p = picture->second;
        std::string hex = Hex(p.bitCount == 16 ? EncodeHighColorBitmapFile(p.image) : EncodeIndexedBitmapFile(p.image, 8), indent);
        hex.pop_back();
        out += hex + line.substr(line.find('}')) + "\n";
    }
    text = out;
    return true;
}

}  // namespace skinart
