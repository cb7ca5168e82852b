#include "FormArt.h"

#include <stdexcept>
#include <vector>

#include "IndexedBitmap.h"

namespace skinart {

namespace {

using vl::TBitmapImage;

constexpr int kStripImages = 18;
constexpr size_t kHexBytesPerLine = 32;

struct PictureData {
    std::string property;  // "PicNormal.Data", "Picture.Data", ...
    std::vector<uint8_t> bytes;
};

const TBitmapImage& Art(const std::map<std::string, TBitmapImage>& art, const std::string& name) {
    const auto it = art.find(name);
    if (it == art.end()) throw std::runtime_error("no built-in bitmap " + name);
    return it->second;
}

// Image `index` (from 1) of an 18-image strip.
TBitmapImage StripImage(const TBitmapImage& strip, int index) {
    const int w = strip.width / kStripImages;
    TBitmapImage image(w, strip.height);
    for (int y = 0; y < strip.height; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t* s = strip.Pixel((index - 1) * w + x, y);
            uint8_t* d = image.Pixel(x, y);
            d[0] = s[0], d[1] = s[1], d[2] = s[2], d[3] = 255;
        }
    return image;
}

// The first strip image of a button type as the form names it; 0 for types without pictures.
int FirstImage(const std::string& buttonType) {
    if (buttonType == "suiControlBox") return 1;
    if (buttonType == "suiHelp") return 4;
    if (buttonType == "suiMax") return 7;
    if (buttonType == "suiMin") return 13;
    if (buttonType == "suiClose") return 16;
    return 0;
}

std::vector<PictureData> ButtonPictures(const std::map<std::string, TBitmapImage>& art, const std::string& type) {
    const int first = FirstImage(type);
    if (!first) return {};
    const TBitmapImage& strip = Art(art, "PROTEIN_TITLEBTN");
    const char* names[] = {"PicNormal.Data", "PicMouseOn.Data", "PicMouseDown.Data"};
    std::vector<PictureData> pictures;
    for (int k = 0; k < 3; ++k) pictures.push_back({names[k], vl::EncodeBitmapFile(StripImage(strip, first + k), 32)});
    return pictures;
}

// Sections by position: the left picture in 256 colours, the right one in true colour, the
// stretched client picture in 16 colours.
std::vector<PictureData> SectionPictures(const std::map<std::string, TBitmapImage>& art, int index) {
    switch (index) {
    case 0: return {{"Picture.Data", EncodeIndexedBitmapFile(Art(art, "PROTEIN_TITLE_LEFT"), 8)}};
    case 1: return {{"Picture.Data", vl::EncodeBitmapFile(Art(art, "PROTEIN_TITLE_RIGHT"), 24)}};
    case 2: return {{"Picture.Data", EncodeIndexedBitmapFile(Art(art, "PROTEIN_TITLE_CLIENT"), 4)}};
    default: return {};
    }
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

size_t Indent(const std::string& line) {
    const size_t i = line.find_first_not_of(' ');
    return i == std::string::npos ? line.size() : i;
}

std::string Trimmed(const std::string& line) {
    const size_t b = line.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    return line.substr(b, line.find_last_not_of(" \t\r") - b + 1);
}

bool StartsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

bool IsPictureLine(const std::string& trimmed) {
    for (const char* name : {"PicNormal.Data", "PicMouseOn.Data", "PicMouseDown.Data", "Picture.Data"})
        if (StartsWith(trimmed, std::string(name) + " = {")) return true;
    return false;
}

void AppendHex(std::vector<std::string>& out, const std::string& indent, const PictureData& picture) {
    static const char digits[] = "0123456789ABCDEF";
    out.push_back(indent + picture.property + " = {");
    for (size_t at = 0; at < picture.bytes.size(); at += kHexBytesPerLine) {
        std::string line = indent + "  ";
        for (size_t i = at; i < std::min(picture.bytes.size(), at + kHexBytesPerLine); ++i) {
            line += digits[picture.bytes[i] >> 4];
            line += digits[picture.bytes[i] & 15];
        }
        out.push_back(line);
    }
    out.back() += "}";
}

using ItemPictures = std::vector<PictureData> (*)(const std::map<std::string, TBitmapImage>&, int index,
                                                  const std::vector<std::string>& itemLines);

// Copies lines[from, to) to `out`, rewriting the items of the collection `name` found at
// `indent`: old picture data dropped, the pictures `make` gives added before each item's end.
void RewriteCollection(const std::vector<std::string>& lines, size_t from, size_t to, const std::string& header,
                       const std::map<std::string, TBitmapImage>& art, ItemPictures make,
                       std::vector<std::string>& out) {
    size_t i = from;
    for (; i < to && Trimmed(lines[i]) != header; ++i) out.push_back(lines[i]);
    if (i == to) throw std::runtime_error("the frame has no '" + header + "'");
    out.push_back(lines[i++]);
    int index = 0;
    while (i < to) {
        const std::string t = Trimmed(lines[i]);
        if (t != "item") break;
        const size_t itemIndent = Indent(lines[i]);
        out.push_back(lines[i++]);
        std::vector<std::string> kept;
        for (; i < to; ++i) {
            const std::string ti = Trimmed(lines[i]);
            if (Indent(lines[i]) == itemIndent && (ti == "end" || ti == "end>")) break;
            if (IsPictureLine(ti)) {
                while (i < to && lines[i].find('}') == std::string::npos) ++i;
                continue;
            }
            kept.push_back(lines[i]);
        }
        if (i == to) throw std::runtime_error("unterminated item in '" + header + "'");
        out.insert(out.end(), kept.begin(), kept.end());
        for (const PictureData& p : make(art, index++, kept)) AppendHex(out, std::string(itemIndent + 2, ' '), p);
        const bool last = Trimmed(lines[i]) == "end>";
        out.push_back(lines[i++]);
        if (last) break;
    }
    for (; i < to; ++i) out.push_back(lines[i]);
}

std::vector<PictureData> ButtonItem(const std::map<std::string, TBitmapImage>& art, int,
                                    const std::vector<std::string>& itemLines) {
    for (const std::string& line : itemLines) {
        const std::string t = Trimmed(line);
        if (StartsWith(t, "ButtonType = ")) return ButtonPictures(art, Trimmed(t.substr(13)));
    }
    return {};  // a button without a type is a custom one: no pictures of ours
}

std::vector<PictureData> SectionItem(const std::map<std::string, TBitmapImage>& art, int index,
                                     const std::vector<std::string>&) {
    return SectionPictures(art, index);
}

}  // namespace

std::string RewriteFormArt(const std::string& formText, const std::map<std::string, TBitmapImage>& art) {
    const std::vector<std::string> lines = SplitLines(formText);
    size_t frame = 0;
    while (frame < lines.size() && !StartsWith(Trimmed(lines[frame]), "object suiForm1: TsuiForm")) ++frame;
    if (frame == lines.size()) throw std::runtime_error("no 'object suiForm1: TsuiForm'");
    // Buttons first, then sections, as the forms list them; the frame's collections come before
    // its child objects, so the first of each after the frame's line is the frame's own.
    std::vector<std::string> pass1(lines.begin(), lines.begin() + static_cast<long>(frame));
    RewriteCollection(lines, frame, lines.size(), "TitleBarButtons = <", art, ButtonItem, pass1);
    std::vector<std::string> pass2(pass1.begin(), pass1.begin() + static_cast<long>(frame));
    RewriteCollection(pass1, frame, pass1.size(), "TitleBarSections = <", art, SectionItem, pass2);

    std::string text;
    for (const std::string& line : pass2) text += line + "\n";
    return text;
}

}  // namespace skinart
