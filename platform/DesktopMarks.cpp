#include "platform/DesktopMarks.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/VideoFormat.h"

namespace vorlinde::platform {

namespace {

constexpr int kBlock = 8;
// How far a channel may stray from the background and still be background (gradients of a
// flat colour, dithering).
constexpr int kTolerance = 12;
constexpr int kMostMarkedPercent = 25;

BYTE Red(uint32_t pixel) { return static_cast<BYTE>(pixel >> 16); }
BYTE Green(uint32_t pixel) { return static_cast<BYTE>(pixel >> 8); }
BYTE Blue(uint32_t pixel) { return static_cast<BYTE>(pixel); }

// Which pixels of the picture to look at: inside `considered`, or all of them.
std::vector<uint8_t> ConsideredMask(int width, int height, HRGN considered) {
    std::vector<uint8_t> mask(static_cast<size_t>(width) * height, considered ? 0 : 1);
    if (!considered) return mask;
    const DWORD size = GetRegionData(considered, 0, nullptr);
    if (!size) return mask;
    std::vector<BYTE> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (!GetRegionData(considered, size, data)) return mask;
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    for (DWORD i = 0; i < data->rdh.nCount; ++i) {
        const int left = std::max(0, static_cast<int>(rects[i].left));
        const int right = std::min(width, static_cast<int>(rects[i].right));
        const int top = std::max(0, static_cast<int>(rects[i].top));
        const int bottom = std::min(height, static_cast<int>(rects[i].bottom));
        for (int y = top; y < bottom; ++y) {
            if (left < right) std::memset(&mask[static_cast<size_t>(y) * width + left], 1, right - left);
        }
    }
    return mask;
}

// The most common colour among the considered pixels (5 bits a channel), as the mean of the
// pixels of that colour.
bool Background(const std::vector<uint32_t>& pixels, const std::vector<uint8_t>& mask, uint32_t& background) {
    std::vector<uint32_t> bins(1u << 15, 0);
    auto bin = [](uint32_t p) -> uint32_t { return ((Red(p) >> 3) << 10) | ((Green(p) >> 3) << 5) | (Blue(p) >> 3); };
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (mask[i]) ++bins[bin(pixels[i])];
    }
    const auto top = std::max_element(bins.begin(), bins.end());
    if (*top == 0) return false;
    const uint32_t chosen = static_cast<uint32_t>(top - bins.begin());
    uint64_t r = 0, g = 0, b = 0;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (!mask[i] || bin(pixels[i]) != chosen) continue;
        r += Red(pixels[i]);
        g += Green(pixels[i]);
        b += Blue(pixels[i]);
    }
    const uint64_t n = *top;
    background = static_cast<uint32_t>(((r / n) << 16) | ((g / n) << 8) | (b / n));
    return true;
}

bool Differs(uint32_t a, uint32_t b) {
    return std::abs(Red(a) - Red(b)) > kTolerance || std::abs(Green(a) - Green(b)) > kTolerance ||
           std::abs(Blue(a) - Blue(b)) > kTolerance;
}

vl::TGdiRegion RegionOf(const std::vector<RECT>& rects) {
    if (rects.empty()) return vl::MakeEmptyRegion();
    std::vector<BYTE> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(rects.size());
    data->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    RECT bounds = rects.front();
    for (const RECT& rect : rects) UnionRect(&bounds, &bounds, &rect);
    data->rdh.rcBound = bounds;
    std::memcpy(data->Buffer, rects.data(), rects.size() * sizeof(RECT));
    return vl::TGdiRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
}

}  // namespace

vl::TGdiRegion FindMarksInPicture(const std::vector<uint32_t>& pixels, int width, int height, HRGN considered) {
    if (width <= 0 || height <= 0 || pixels.size() < static_cast<size_t>(width) * height) return vl::MakeEmptyRegion();
    const std::vector<uint8_t> mask = ConsideredMask(width, height, considered);
    uint32_t background = 0;
    if (!Background(pixels, mask, background)) return vl::MakeEmptyRegion();

    const int columns = (width + kBlock - 1) / kBlock;
    const int rows = (height + kBlock - 1) / kBlock;
    std::vector<uint8_t> seen(static_cast<size_t>(columns) * rows, 0);
    std::vector<uint8_t> marked(seen.size(), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t i = static_cast<size_t>(y) * width + x;
            if (!mask[i]) continue;
            const size_t block = static_cast<size_t>(y / kBlock) * columns + x / kBlock;
            seen[block] = 1;
            if (Differs(pixels[i], background)) marked[block] = 1;
        }
    }
    const auto seenCount = std::count(seen.begin(), seen.end(), 1);
    const auto markedCount = std::count(marked.begin(), marked.end(), 1);
    if (markedCount == 0 || markedCount * 100 > seenCount * kMostMarkedPercent) return vl::MakeEmptyRegion();

    // Each marked block with its neighbours, as runs along the rows.
    auto grown = [&](int column, int row) {
        for (int r = std::max(0, row - 1); r <= std::min(rows - 1, row + 1); ++r) {
            for (int c = std::max(0, column - 1); c <= std::min(columns - 1, column + 1); ++c) {
                if (marked[static_cast<size_t>(r) * columns + c]) return true;
            }
        }
        return false;
    };
    std::vector<RECT> runs;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns;) {
            if (!grown(column, row)) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < columns && grown(column, row)) ++column;
            runs.push_back(RECT{first * kBlock, row * kBlock, std::min(width, column * kBlock),
                                std::min(height, (row + 1) * kBlock)});
        }
    }
    return RegionOf(runs);
}

vl::TGdiRegion FindDesktopMarks(const RECT& area, HRGN considered) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return vl::MakeEmptyRegion();
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    {
        vl::TScreenDC screen;
        vl::TMemoryDC memory(screen.Get());
        const TDibHeader dib = MakeRgb32Dib(width, height, true);
        void* bits = nullptr;
        vl::TGdiBitmap bitmap(CreateDIBSection(screen.Get(), reinterpret_cast<const BITMAPINFO*>(&dib), DIB_RGB_COLORS,
                                               &bits, nullptr, 0));
        if (!screen || !memory || !bitmap || !bits) return vl::MakeEmptyRegion();
        vl::TSelectObject select(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY);
        GdiFlush();
        std::memcpy(pixels.data(), bits, pixels.size() * sizeof(uint32_t));
    }
    vl::TGdiRegion local;
    if (considered) {
        local = vl::MakeEmptyRegion();
        if (!local) return vl::MakeEmptyRegion();
        CombineRgn(local.Get(), considered, nullptr, RGN_COPY);
        OffsetRgn(local.Get(), -area.left, -area.top);
    }
    vl::TGdiRegion marks = FindMarksInPicture(pixels, width, height, local.Get());
    if (marks) OffsetRgn(marks.Get(), area.left, area.top);
    return marks;
}

}  // namespace vorlinde::platform
