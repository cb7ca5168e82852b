// libFuzzer target for the theme file parser and the bitmap decoder that every bitmap entry goes
// through before the program draws it. Built natively with clang (sanitizers on) by
// fuzz/Fuzz.cmake; the seed corpus is tests/skin/theme-file-corpus.
//
// Besides "no crash, no hang, no sanitizer report" it checks the parser's promises: the limits
// on records and kept bytes hold, lookups agree with the tables, and a decoded bitmap survives
// being written out and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/BitmapFile.h"
#include "skin/ThemeFileFormat.h"
#include "skin/ThemeItems.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void DecodeAndRoundTrip(const uint8_t* data, size_t size, vl::TBitmapLayout layout) {
    vl::TBitmapImage image;
    const vl::TBitmapDecodeResult decoded = vl::DecodeBitmap(data, size, layout, image, vorlinde::kThemeBitmapLimits);
    if (!decoded) return;
    Check(image.width > 0 && image.height > 0);
    Check(image.width <= vorlinde::kThemeBitmapLimits.maxDimension &&
          image.height <= vorlinde::kThemeBitmapLimits.maxDimension);
    Check(image.pixels.size() == static_cast<size_t>(image.width) * image.height * 4);
    const std::vector<uint8_t> again = vl::EncodeBitmapFile(image, 32);
    vl::TBitmapImage copy;
    Check(vl::DecodeBitmapFile(again.data(), again.size(), copy).bitCount == 32);
    Check(copy.width == image.width && copy.height == image.height);
    for (size_t i = 0; i < image.pixels.size(); i += 4)
        Check(copy.pixels[i] == image.pixels[i] && copy.pixels[i + 1] == image.pixels[i + 1] &&
              copy.pixels[i + 2] == image.pixels[i + 2]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vorlinde::TThemeFileLimits limits;
    limits.maxRecords = 512;
    limits.maxDataBytes = 1 << 20;
    vorlinde::TThemeMemorySource source(data, size);
    vorlinde::TThemeFileTables tables;
    vorlinde::ParseThemeFile(source, tables, limits);
    (void)vorlinde::HasThemeFileMagic(data, size);

    const size_t items = tables.Bitmaps().size() + tables.Integers().size() + tables.Flags().size() +
                         tables.Texts().size();
    Check(items < limits.maxRecords);
    size_t kept = 0;
    for (const auto& b : tables.Bitmaps()) kept += b.data.size();
    for (const auto& t : tables.Texts()) kept += t.value.size();
    Check(kept <= limits.maxDataBytes);

    // Lookups by every item name, as the file theme makes them.
    for (int item = 1; item <= vorlinde::kThemeItemCount; ++item) {
        const std::string name = vorlinde::ThemeItemInfo(item)->name;
        if (const auto* bitmap = tables.FindBitmap(name)) {
            Check(vorlinde::SameEntryName(bitmap->name, name));
            DecodeAndRoundTrip(bitmap->data.data(), bitmap->data.size(), vl::TBitmapLayout::File);
        }
        if (const auto value = tables.FindInteger(name)) {
            bool found = false;
            for (const auto& e : tables.Integers())
                if (vorlinde::SameEntryName(e.name, name)) {
                    Check(e.value == *value);  // the first match wins
                    found = true;
                    break;
                }
            Check(found);
        }
        (void)tables.FindFlag(name);
    }
    for (const auto& b : tables.Bitmaps()) Check(b.name.size() <= vorlinde::kThemeEntryNameSize);

    // The input itself as a bitmap file and as a packed DIB, so that the decoder meets raw data
    // too.
    DecodeAndRoundTrip(data, size, vl::TBitmapLayout::File);
    DecodeAndRoundTrip(data, size, vl::TBitmapLayout::PackedDib);
    return 0;
}
