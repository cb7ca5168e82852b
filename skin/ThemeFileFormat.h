#pragma once
// The theme file (".sui") format and its parser.
//
// Layout, all numbers little-endian, offsets absolute from the start of the file, no padding:
//   header, 24 bytes at offset 0: magic "Morvale_TB\0" in 12 bytes, header size (24), a
//   reserved 32-bit field, the offset of the first entry record;
//   entry record, 77 bytes anywhere: name (64 bytes, up to the first zero), kind (1 byte:
//   0 bitmap, 1 integer, 2 byte flag, 3 text), data offset, data size, offset of the next
//   record. The record whose next field is 0 ends the chain and carries no item.
//
// The parser reads through a TThemeFileSource and trusts nothing in the file: it never reads
// outside the source or outside a record, never follows the chain to a record it has read
// before, and stops at limits on the number of entries and on the bytes it keeps. It is free of
// windows.h so that it builds natively for fuzzing and for the host tool that writes themes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/BitmapFile.h"

namespace vorlinde {

inline constexpr char kThemeFileMagic[] = "Morvale_TB";
inline constexpr size_t kThemeMagicSize = 12;
inline constexpr size_t kThemeHeaderSize = 24;
inline constexpr size_t kThemeEntrySize = 77;
inline constexpr size_t kThemeEntryNameSize = 64;

enum class TThemeEntryKind : uint8_t { Bitmap = 0, Integer = 1, Flag = 2, Text = 3 };

// Where the parser reads from.
class TThemeFileSource {
public:
    virtual ~TThemeFileSource() = default;
    // The number of bytes; read once, before parsing starts.
    virtual uint64_t Size() = 0;
    // Reads exactly `count` bytes at `offset`; false when they cannot all be read.
    virtual bool ReadAt(uint64_t offset, void* buffer, size_t count) = 0;
};

// A source over a block of memory that the caller keeps alive.
class TThemeMemorySource : public TThemeFileSource {
public:
    TThemeMemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint64_t Size() override { return size_; }
    bool ReadAt(uint64_t offset, void* buffer, size_t count) override;

private:
    const uint8_t* data_;
    size_t size_;
};

// Limits on a theme bitmap's picture, tighter than a framework bitmap's: theme pictures are
// small, and a hostile file must not make the program allocate much for each of its items.
inline constexpr vl::TBitmapLimits kThemeBitmapLimits{8192, 16ull * 1024 * 1024};

struct TThemeFileLimits {
    // Entry records followed, counting the one that ends the chain.
    size_t maxRecords = 4096;
    // Bytes of entry data kept in memory (bitmaps and texts together).
    uint64_t maxDataBytes = 64ull * 1024 * 1024;
};

enum class TThemeParseStatus {
    Complete,              // the chain was read to its end, or to where the file stopped making sense
    BitmapDataTruncated    // a bitmap entry's data runs past the end of the file: not loadable
};

// What a theme file holds: four tables in chain order. Lookups compare names without regard to
// letter case and take the first match, so the entry nearest the start of the chain wins.
class TThemeFileTables {
public:
    struct Bitmap {
        std::string name;
        std::vector<uint8_t> data;  // a whole .bmp file image, not yet checked (vl::DecodeBitmapFile)
    };
    template <class V>
    struct Value {
        std::string name;
        V value;
    };

    const std::vector<Bitmap>& Bitmaps() const { return bitmaps_; }
    const std::vector<Value<int32_t>>& Integers() const { return integers_; }
    const std::vector<Value<uint8_t>>& Flags() const { return flags_; }
    const std::vector<Value<std::string>>& Texts() const { return texts_; }

    const Bitmap* FindBitmap(std::string_view name) const;
    std::optional<int32_t> FindInteger(std::string_view name) const;
    std::optional<uint8_t> FindFlag(std::string_view name) const;

    void Clear();

private:
    friend TThemeParseStatus ParseThemeFile(TThemeFileSource&, TThemeFileTables&, const TThemeFileLimits&);
    std::vector<Bitmap> bitmaps_;
    std::vector<Value<int32_t>> integers_;
    std::vector<Value<uint8_t>> flags_;
    std::vector<Value<std::string>> texts_;
};

// Parses the file into `tables` (cleared first). Malformed parts are handled so:
//   - a source shorter than the header, or a header size below 24: no items;
//   - a header size above 24: only the first 24 bytes are the header;
//   - a record that runs past the end, a record already read, more than maxRecords records,
//     or integer, flag or text data past the end: the chain ends there, the items before it
//     are kept;
//   - integer data of other than 4 bytes: the first 4 (fewer: zero-extended); flag data of
//     more than 1 byte: the first; empty integer or flag data: the entry is skipped;
//   - data beyond maxDataBytes in total: the chain ends before that entry;
//   - bitmap data past the end of the file: BitmapDataTruncated (the tables then hold the
//     entries before it, and the caller refuses the file).
TThemeParseStatus ParseThemeFile(TThemeFileSource& source, TThemeFileTables& tables,
                                 const TThemeFileLimits& limits = {});

// True when `header` (at least kThemeMagicSize bytes) starts with the magic, zero included;
// letter case counts.
bool HasThemeFileMagic(const uint8_t* header, size_t size);

// Letter-case-blind comparison of entry names (ASCII).
bool SameEntryName(std::string_view a, std::string_view b);

}  // namespace vorlinde
