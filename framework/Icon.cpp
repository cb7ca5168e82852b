#include "framework/Icon.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/GraphicData.h"
#include "framework/LittleEndian.h"
#include "framework/PropValue.h"
#include "framework/Streams.h"

namespace vl {

namespace {

[[noreturn]] void BadIcon(const std::string& why) { throw EInvalidGraphic("Icon image is not valid: " + why); }

// The size of an icon's picture, from its colour bitmap or (monochrome) from its mask.
SIZE IconSize(HICON icon) {
    SIZE size{0, 0};
    ICONINFO ii{};
    if (!GetIconInfo(icon, &ii)) return size;
    const TGdiBitmap color(ii.hbmColor), mask(ii.hbmMask);  // GetIconInfo hands over copies
    BITMAP bm{};
    if (color && GetObjectA(color.Get(), sizeof(bm), &bm)) {
        size = SIZE{bm.bmWidth, bm.bmHeight};
    } else if (mask && GetObjectA(mask.Get(), sizeof(bm), &bm)) {
        size = SIZE{bm.bmWidth, bm.bmHeight / 2};  // a monochrome icon: AND mask above XOR mask
    }
    return size;
}

}  // namespace

const TClassInfo& TIcon::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TIcon>("TIcon", &TPersistent::StaticClass())
            .Custom("Data",
                    [](TIcon& icon, const TPropValue& v) {
                        if (v.kind != TPropValue::Kind::Binary) throw EReadError("Binary data expected for Data");
                        icon.LoadFromMemory(v.binary.data(), v.binary.size());
                    })
            .Build();
    return info;
}

TIcon::~TIcon() = default;

void TIcon::SetHandle(HICON icon) {
    if (icon == icon_.Get()) return;
    icon_.Reset(icon);
    const SIZE size = icon ? IconSize(icon) : SIZE{0, 0};
    width_ = size.cx;
    height_ = size.cy;
    Changed();
}

HICON TIcon::ReleaseHandle() {
    width_ = height_ = 0;
    return icon_.Release();
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const std::string& name, int size) {
    auto icon = static_cast<HICON>(LoadImageA(instance, name.c_str(), IMAGE_ICON, size, size, size ? 0 : LR_DEFAULTSIZE));
    if (!icon) throw EInvalidGraphic("Icon resource " + name + " not found");
    SetHandle(icon);
}

void TIcon::LoadFromMemory(const uint8_t* data, size_t size) {
    const uint64_t total = size;
    if (total < 6) BadIcon("header truncated");
    if (ReadLE16(data) != 0 || ReadLE16(data + 2) != 1) BadIcon("not an icon");
    const unsigned count = ReadLE16(data + 4);
    if (count == 0) BadIcon("no images");
    if (6 + static_cast<uint64_t>(count) * 16 > total) BadIcon("directory truncated");

    // The image closest to 32 x 32; the deepest colour among equals.
    int best = -1;
    int bestDistance = 0, bestDepth = 0, bestW = 0, bestH = 0;
    for (unsigned i = 0; i < count; ++i) {
        const uint8_t* e = data + 6 + i * 16;
        int w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
        int depth = ReadLE16(e + 6);
        if (!depth) {
            int colors = e[2];
            depth = colors == 0 ? 8 : colors <= 2 ? 1 : colors <= 16 ? 4 : 8;
        }
        uint64_t bytes = ReadLE32(e + 8), offset = ReadLE32(e + 12);
        if (bytes < 40 || offset < 6 + static_cast<uint64_t>(count) * 16 || offset > total || bytes > total - offset)
            BadIcon("image " + std::to_string(i) + " outside the data");
        int distance = std::abs(w - 32) + std::abs(h - 32);
        if (best < 0 || distance < bestDistance || (distance == bestDistance && depth > bestDepth)) {
            best = static_cast<int>(i);
            bestDistance = distance;
            bestDepth = depth;
            bestW = w;
            bestH = h;
        }
    }
    const uint8_t* e = data + 6 + best * 16;
    const uint32_t bytes = ReadLE32(e + 8), offset = ReadLE32(e + 12);
    const uint8_t* image = data + offset;
    static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (std::memcmp(image, kPng, 8) != 0) {
        // A DIB: header, palette, colour bits, then the 1-bit mask, all inside the image.
        if (ReadLE32(image) != 40) BadIcon("unknown image header");
        int32_t w = ReadLEI32(image + 4), h2 = ReadLEI32(image + 8);
        unsigned planes = ReadLE16(image + 12), bitCount = ReadLE16(image + 14);
        uint32_t compression = ReadLE32(image + 16), colorsUsed = ReadLE32(image + 32);
        if (w <= 0 || w > 256 || h2 <= 0 || h2 > 512 || planes != 1) BadIcon("bad image size");
        if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
            BadIcon("unsupported bit count");
        if (compression != BI_RGB) BadIcon("unsupported compression");
        uint64_t paletteCount = bitCount <= 8 ? (colorsUsed ? colorsUsed : (1ull << bitCount)) : 0;
        if (bitCount <= 8 && paletteCount > (1ull << bitCount)) BadIcon("palette too large");
        uint64_t h = static_cast<uint64_t>(h2) / 2;
        uint64_t xorStride = ((static_cast<uint64_t>(w) * bitCount + 31) / 32) * 4;
        uint64_t andStride = ((static_cast<uint64_t>(w) + 31) / 32) * 4;
        uint64_t needed = 40 + paletteCount * 4 + (xorStride + andStride) * h;
        if (needed > bytes) BadIcon("image data truncated");
    }
    std::vector<uint8_t> copy(image, image + bytes);
    HICON icon = CreateIconFromResourceEx(copy.data(), bytes, TRUE, 0x00030000, bestW, bestH, LR_DEFAULTCOLOR);
    if (!icon) BadIcon("the system cannot read it");
    SetHandle(icon);
}

void TIcon::LoadFromStream(TStream& stream) {
    const std::vector<uint8_t> data = ReadGraphicData(stream);
    LoadFromMemory(data.data(), data.size());
}

void TIcon::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, TFileMode::OpenRead);
    LoadFromStream(stream);
}

void TIcon::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TIcon*>(&source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    TIconHandle copy(other->icon_ ? CopyIcon(other->icon_.Get()) : nullptr);
    if (other->icon_ && !copy) RaiseLastOSError("Cannot copy an icon");
    SetHandle(copy.Release());
}

void TIcon::Changed() {
    if (OnChange) OnChange(this);
}

}  // namespace vl
