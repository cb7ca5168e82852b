#include "skin/ThemeFileFormat.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>

namespace vorlinde {

namespace {

uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

// True when [offset, offset + count) lies inside a source of `size` bytes.
bool Inside(uint64_t offset, uint64_t count, uint64_t size) { return offset <= size && count <= size - offset; }

template <class Entry>
const Entry* FindFirst(const std::vector<Entry>& entries, std::string_view name) {
    for (const Entry& e : entries)
        if (SameEntryName(e.name, name)) return &e;
    return nullptr;
}

}  // namespace

bool TThemeMemorySource::ReadAt(uint64_t offset, void* buffer, size_t count) {
    if (!Inside(offset, count, size_)) return false;
    if (count) std::memcpy(buffer, data_ + offset, count);
    return true;
}

bool SameEntryName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool HasThemeFileMagic(const uint8_t* header, size_t size) {
    if (!header || size < kThemeMagicSize) return false;
    // The first 12 bytes read as a zero-terminated string must be the magic exactly.
    const char* text = reinterpret_cast<const char*>(header);
    size_t length = 0;
    while (length < kThemeMagicSize && text[length] != '\0') ++length;
    return std::string_view(text, length) == kThemeFileMagic;
}

const TThemeFileTables::Bitmap* TThemeFileTables::FindBitmap(std::string_view name) const {
    return FindFirst(bitmaps_, name);
}

std::optional<int32_t> TThemeFileTables::FindInteger(std::string_view name) const {
    if (const auto* e = FindFirst(integers_, name)) return e->value;
    return std::nullopt;
}

std::optional<uint8_t> TThemeFileTables::FindFlag(std::string_view name) const {
    if (const auto* e = FindFirst(flags_, name)) return e->value;
    return std::nullopt;
}

void TThemeFileTables::Clear() {
    bitmaps_.clear();
    integers_.clear();
    flags_.clear();
    texts_.clear();
}

TThemeParseStatus ParseThemeFile(TThemeFileSource& source, TThemeFileTables& tables, const TThemeFileLimits& limits) {
    tables.Clear();
    const uint64_t size = source.Size();

    uint8_t header[kThemeHeaderSize];
    if (size < kThemeHeaderSize || !source.ReadAt(0, header, sizeof header)) return TThemeParseStatus::Complete;
    // A header that claims to be shorter than its own fields is not a header; a longer one is
    // read as far as the fields go.
    if (Read32(header + 12) < kThemeHeaderSize) return TThemeParseStatus::Complete;

    std::set<uint64_t> visited;
    uint64_t keptBytes = 0;
    uint64_t offset = Read32(header + 20);
    for (;;) {
        if (visited.size() >= limits.maxRecords) break;
        if (!Inside(offset, kThemeEntrySize, size)) break;
        if (!visited.insert(offset).second) break;  // the chain turns back on itself
        uint8_t record[kThemeEntrySize];
        if (!source.ReadAt(offset, record, sizeof record)) break;

        const uint64_t next = Read32(record + 73);
        if (next == 0) break;  // the closing record carries no item

        const char* rawName = reinterpret_cast<const char*>(record);
        const std::string name(rawName, std::find(rawName, rawName + kThemeEntryNameSize, '\0'));
        const uint8_t kind = record[64];
        const uint64_t dataOffset = Read32(record + 65);
        const uint64_t dataSize = Read32(record + 69);

        bool stop = false;
        switch (static_cast<TThemeEntryKind>(kind)) {
        case TThemeEntryKind::Bitmap: {
            if (!Inside(dataOffset, dataSize, size)) return TThemeParseStatus::BitmapDataTruncated;
            if (dataSize > limits.maxDataBytes - keptBytes) {
                stop = true;
                break;
            }
            std::vector<uint8_t> data(static_cast<size_t>(dataSize));
            if (!source.ReadAt(dataOffset, data.data(), data.size())) return TThemeParseStatus::BitmapDataTruncated;
            keptBytes += dataSize;
            tables.bitmaps_.push_back({name, std::move(data)});
            break;
        }
        case TThemeEntryKind::Integer: {
            const size_t n = static_cast<size_t>(std::min<uint64_t>(dataSize, 4));
            if (n == 0) break;
            uint8_t bytes[4] = {0, 0, 0, 0};
            if (!Inside(dataOffset, n, size) || !source.ReadAt(dataOffset, bytes, n)) {
                stop = true;
                break;
            }
            tables.integers_.push_back({name, static_cast<int32_t>(Read32(bytes))});
            break;
        }
        case TThemeEntryKind::Flag: {
            if (dataSize == 0) break;
            uint8_t byte = 0;
            if (!Inside(dataOffset, 1, size) || !source.ReadAt(dataOffset, &byte, 1)) {
                stop = true;
                break;
            }
            tables.flags_.push_back({name, byte});
            break;
        }
        case TThemeEntryKind::Text: {
            if (!Inside(dataOffset, dataSize, size) || dataSize > limits.maxDataBytes - keptBytes) {
                stop = true;
                break;
            }
            std::string text(static_cast<size_t>(dataSize), '\0');
            if (!source.ReadAt(dataOffset, text.data(), text.size())) {
                stop = true;
                break;
            }
            keptBytes += dataSize;
            tables.texts_.push_back({name, std::move(text)});
            break;
        }
        default:
            break;  // unknown kinds are skipped
        }
        if (stop) break;
        offset = next;
    }
    return TThemeParseStatus::Complete;
}

}  // namespace vorlinde
