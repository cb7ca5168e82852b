#include "ContactSheet.h"

#include <cctype>
#include <cstring>

#include "Raster.h"

namespace skinart {

namespace {

using vl::TBitmapImage;

// A 5 x 7 pixel font for the labels: capitals, digits and a few signs.
struct FontGlyph {
    char c;
    const char* rows[7];
};
const FontGlyph kFont[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
    {'_', {".....", ".....", ".....", ".....", ".....", ".....", "#####"}},
    {'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
    {' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
    {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
    {'(', {"...#.", "..#..", ".#...", ".#...", ".#...", "..#..", "...#."}},
    {')', {".#...", "..#..", "...#.", "...#.", "...#.", "..#..", ".#..."}},
};

}  // namespace

void DrawLabel(TBitmapImage& img, int x, int y, const std::string& text, Color color, int scale) {
    for (char raw : text) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(raw)));
        for (const FontGlyph& g : kFont) {
            if (g.c != c) continue;
            for (int r = 0; r < 7; ++r)
                for (int k = 0; k < 5; ++k)
                    if (g.rows[r][k] == '#')
                        for (int sy = 0; sy < scale; ++sy)
                            for (int sx = 0; sx < scale; ++sx) {
                                const int px = x + k * scale + sx, py = y + r * scale + sy;
                                if (px >= 0 && py >= 0 && px < img.width && py < img.height)
                                    SetPixel(img, px, py, color);
                            }
        }
        x += 6 * scale;
    }
}

namespace {

uint32_t Crc32(const uint8_t* data, size_t n, uint32_t crc = 0) {
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[i] = c;
        }
        ready = true;
    }
    crc = ~crc;
    for (size_t i = 0; i < n; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutBE32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

void Chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
    PutBE32(png, static_cast<uint32_t>(data.size()));
    const size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBE32(png, Crc32(png.data() + start, png.size() - start));
}


// Writes bits least significant first, as deflate wants.
class BitWriter {
public:
    void Bits(uint32_t value, int count) {
        for (int i = 0; i < count; ++i) Bit((value >> i) & 1);
    }
    // Huffman codes go most significant bit first.
    void Code(uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1);
    }
    std::vector<uint8_t> Finish() {
        if (used_) out_.push_back(current_);
        return std::move(out_);
    }

private:
    void Bit(uint32_t b) {
        current_ |= static_cast<uint8_t>(b << used_);
        if (++used_ == 8) {
            out_.push_back(current_);
            current_ = 0;
            used_ = 0;
        }
    }
    std::vector<uint8_t> out_;
    uint8_t current_ = 0;
    int used_ = 0;
};

void Literal(BitWriter& w, int symbol) {
    if (symbol < 144) w.Code(0x30 + symbol, 8);
    else if (symbol < 256) w.Code(0x190 + (symbol - 144), 9);
    else if (symbol < 280) w.Code(symbol - 256, 7);
    else w.Code(0xC0 + (symbol - 280), 8);
}

// One block with the fixed codes; matches found through a hash of the next three bytes.
std::vector<uint8_t> Deflate(const std::vector<uint8_t>& data) {
    static const int kLengthBase[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31,
                                      35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const int kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static const int kDistBase[] = {1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193,
                                    257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    static const int kDistExtra[] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
    constexpr size_t kWindow = 32768;
    BitWriter w;
    w.Bits(1, 1);  // last block
    w.Bits(1, 2);  // fixed codes
    std::vector<int64_t> head(1 << 16, -1);
    auto hash = [&](size_t i) { return ((data[i] << 10) ^ (data[i + 1] << 5) ^ data[i + 2]) & 0xFFFF; };
    size_t i = 0;
    while (i < data.size()) {
        size_t best = 0, dist = 0;
        if (i + 3 <= data.size()) {
            const int h = hash(i);
            const int64_t cand = head[h];
            head[h] = static_cast<int64_t>(i);
            if (cand >= 0 && i - static_cast<size_t>(cand) <= kWindow) {
                size_t n = 0;
                while (n < 258 && i + n < data.size() && data[static_cast<size_t>(cand) + n] == data[i + n]) ++n;
                if (n >= 3) {
                    best = n;
                    dist = i - static_cast<size_t>(cand);
                }
            }
        }
        if (!best) {
            Literal(w, data[i]);
            ++i;
            continue;
        }
        int li = 28;
        while (kLengthBase[li] > static_cast<int>(best)) --li;
        Literal(w, 257 + li);
        w.Bits(static_cast<uint32_t>(best - kLengthBase[li]), kLengthExtra[li]);
        int di = 29;
        while (kDistBase[di] > static_cast<int>(dist)) --di;
        w.Code(static_cast<uint32_t>(di), 5);
        w.Bits(static_cast<uint32_t>(dist - kDistBase[di]), kDistExtra[di]);
        for (size_t k = 1; k < best && i + k + 3 <= data.size(); ++k) head[hash(i + k)] = static_cast<int64_t>(i + k);
        i += best;
    }
    Literal(w, 256);
    return w.Finish();
}

}  // namespace

TBitmapImage ComposeContactSheet(const std::vector<SheetSection>& sections, int maxWidth) {
    constexpr int kMargin = 16, kGap = 14, kLabel = 14, kTitle = 28;
    // First pass places everything, second pass draws.
    struct Placed {
        int x, y, scale;
        const TBitmapImage* image;
        std::string label;
    };
    std::vector<Placed> placed;
    std::vector<std::pair<int, std::string>> titles;
    int y = kMargin;
    for (const SheetSection& section : sections) {
        titles.emplace_back(y, section.title);
        y += kTitle;
        int x = kMargin, rowHeight = 0;
        for (const auto& [name, image, maxScale] : section.images) {
            int scale = maxScale;
            while (scale > 1 && image->width * scale > maxWidth - 2 * kMargin) --scale;
            const int w = std::max(image->width * scale, static_cast<int>(name.size()) * 6 + 2);
            const int h = image->height * scale + kLabel;
            if (x > kMargin && x + w > maxWidth - kMargin) {
                x = kMargin;
                y += rowHeight + kGap;
                rowHeight = 0;
            }
            placed.push_back({x, y, scale, image, name});
            x += w + kGap;
            rowHeight = std::max(rowHeight, h);
        }
        y += rowHeight + kGap + 8;
    }
    TBitmapImage sheet = Blank(maxWidth, y + kMargin, Rgb(150, 152, 158));
    for (const auto& [ty, title] : titles) DrawLabel(sheet, kMargin, ty + 4, title, Rgb(255, 255, 255), 3);
    for (const Placed& p : placed) {
        DrawLabel(sheet, p.x, p.y, p.label, Rgb(20, 20, 24), 1);
        Blit(sheet, ScaleUp(*p.image, p.scale), p.x, p.y + kLabel);
    }
    return sheet;
}

std::vector<uint8_t> EncodePng(const TBitmapImage& image) {
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(image.height) * (image.width * 3 + 1));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = image.Pixel(x, y);
            raw.push_back(p[2]);
            raw.push_back(p[1]);
            raw.push_back(p[0]);
        }
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    const std::vector<uint8_t> packed = Deflate(raw);
    z.insert(z.end(), packed.begin(), packed.end());
    uint32_t a = 1, b = 0;
    for (uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    PutBE32(z, (b << 16) | a);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBE32(header, static_cast<uint32_t>(image.width));
    PutBE32(header, static_cast<uint32_t>(image.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", {});
    return png;
}

}  // namespace skinart
