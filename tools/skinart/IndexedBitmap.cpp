#include "IndexedBitmap.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>

namespace skinart {

namespace {

using Rgb3 = std::array<int, 3>;  // blue, green, red

struct Entry {
    Rgb3 c;
    int count;
};

// Colours of one median-cut box, with the channel that spreads widest.
struct Box {
    std::vector<Entry> entries;
    int Range(int& channel) const {
        int best = -1;
        for (int ch = 0; ch < 3; ++ch) {
            int lo = 255, hi = 0;
            for (const Entry& e : entries) lo = std::min(lo, e.c[ch]), hi = std::max(hi, e.c[ch]);
            if (hi - lo > best) best = hi - lo, channel = ch;
        }
        return best;
    }
};

Rgb3 Average(const Box& box) {
    long long sum[3] = {0, 0, 0}, n = 0;
    for (const Entry& e : box.entries) {
        for (int ch = 0; ch < 3; ++ch) sum[ch] += static_cast<long long>(e.c[ch]) * e.count;
        n += e.count;
    }
    Rgb3 c{};
    for (int ch = 0; ch < 3; ++ch) c[ch] = static_cast<int>((sum[ch] + n / 2) / n);
    return c;
}

std::vector<Rgb3> MedianCut(const vl::TBitmapImage& image, size_t maxColors) {
    std::map<Rgb3, int> counts;  // ordered, so the result does not depend on hashing
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = image.Pixel(x, y);
            ++counts[{p[0], p[1], p[2]}];
        }
    std::vector<Rgb3> palette;
    if (counts.size() <= maxColors) {
        for (const auto& [c, n] : counts) palette.push_back(c);
        return palette;
    }
    std::vector<Box> boxes(1);
    for (const auto& [c, n] : counts) boxes[0].entries.push_back({c, n});
    while (boxes.size() < maxColors) {
        // Split the box of the widest spread at the median of its pixels.
        int widest = -1, bestRange = 0, channel = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            int ch = 0;
            const int range = boxes[i].entries.size() > 1 ? boxes[i].Range(ch) : 0;
            if (range > bestRange) bestRange = range, widest = static_cast<int>(i), channel = ch;
        }
        if (widest < 0) break;
        std::vector<Entry>& e = boxes[widest].entries;
        std::sort(e.begin(), e.end(), [channel](const Entry& a, const Entry& b) {
            return a.c[channel] != b.c[channel] ? a.c[channel] < b.c[channel] : a.c < b.c;
        });
        long long total = 0, half = 0;
        for (const Entry& x : e) total += x.count;
        size_t cut = 1;
        for (; cut < e.size(); ++cut) {
            half += e[cut - 1].count;
            if (half * 2 >= total) break;
        }
        cut = std::clamp<size_t>(cut, 1, e.size() - 1);
        Box upper{std::vector<Entry>(e.begin() + static_cast<long>(cut), e.end())};
        e.resize(cut);
        boxes.push_back(std::move(upper));
    }
    for (const Box& b : boxes) palette.push_back(Average(b));
    return palette;
}

int Nearest(const std::vector<Rgb3>& palette, const uint8_t* p) {
    int best = 0, bestDistance = 1 << 30;
    for (size_t i = 0; i < palette.size(); ++i) {
        int d = 0;
        for (int ch = 0; ch < 3; ++ch) d += (palette[i][ch] - p[ch]) * (palette[i][ch] - p[ch]);
        if (d < bestDistance) bestDistance = d, best = static_cast<int>(i);
    }
    return best;
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// File and info headers of an uncompressed bottom-up bitmap with `paletteSize` colour entries.
std::vector<uint8_t> BitmapFileHeaders(int width, int height, int bitCount, int paletteSize, uint32_t pixelBytes) {
    const uint32_t pixelOffset = 14 + 40 + 4 * static_cast<uint32_t>(paletteSize);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, pixelOffset + pixelBytes);
    Put32(out, 0);
    Put32(out, pixelOffset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));  // bottom-up
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bitCount));
    Put32(out, 0);  // no compression
    Put32(out, pixelBytes);
    Put32(out, 2835);  // 72 dots per inch
    Put32(out, 2835);
    Put32(out, static_cast<uint32_t>(paletteSize));
    Put32(out, 0);
    return out;
}

uint32_t Stride(int width, int bitCount) { return ((static_cast<uint32_t>(width) * bitCount + 31) / 32) * 4; }

}  // namespace

std::vector<uint8_t> EncodeIndexedBitmapFile(const vl::TBitmapImage& image, int bitCount) {
    if (bitCount != 4 && bitCount != 8) throw std::invalid_argument("palette bitmaps have 4 or 8 bits per pixel");
    const std::vector<Rgb3> palette = MedianCut(image, size_t{1} << bitCount);
    const uint32_t stride = Stride(image.width, bitCount);
    const uint32_t imageSize = stride * static_cast<uint32_t>(image.height);

    std::vector<uint8_t> out =
        BitmapFileHeaders(image.width, image.height, bitCount, static_cast<int>(palette.size()), imageSize);
    for (const Rgb3& c : palette) {
        for (int ch = 0; ch < 3; ++ch) out.push_back(static_cast<uint8_t>(c[ch]));
        out.push_back(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < image.width; ++x) {
            const int index = Nearest(palette, image.Pixel(x, y));
            if (bitCount == 8) row[x] = static_cast<uint8_t>(index);
            else row[x / 2] |= static_cast<uint8_t>(x % 2 ? index : index << 4);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<uint8_t> EncodeHighColorBitmapFile(const vl::TBitmapImage& image) {
    const uint32_t stride = Stride(image.width, 16);
    std::vector<uint8_t> out = BitmapFileHeaders(image.width, image.height, 16, 0, stride * image.height);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = image.Pixel(x, y);  // blue, green, red
            // Rounded to five bits a channel, so that magenta stays exactly magenta.
            auto five = [](uint8_t v) { return static_cast<uint32_t>((v * 31 + 127) / 255); };
            Put16(out, (five(p[2]) << 10) | (five(p[1]) << 5) | five(p[0]));
        }
        out.resize(out.size() + stride - static_cast<size_t>(image.width) * 2, 0);
    }
    return out;
}

}  // namespace skinart
