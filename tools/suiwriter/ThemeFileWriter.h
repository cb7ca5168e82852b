#pragma once
// Builds theme files (".sui"): the 24-byte header, then each entry's 77-byte record followed by
// its data, records chained in the order the entries were added, and a closing record whose
// next field is 0. The program only reads theme files; this is for the build and the tests.
#include <cstdint>
#include <string>
#include <vector>

#include "skin/ThemeFileFormat.h"

namespace suiwriter {

class TThemeFileWriter {
public:
    void AddBitmap(const std::string& name, const std::vector<uint8_t>& bmpFile);
    void AddInteger(const std::string& name, int32_t value);
    void AddFlag(const std::string& name, uint8_t value);
    void AddText(const std::string& name, const std::string& text);
    // Any entry, for files that bend the rules (tests).
    void AddEntry(const std::string& name, uint8_t kind, const std::vector<uint8_t>& data);

    size_t EntryCount() const { return entries_.size(); }
    std::vector<uint8_t> Build() const;

private:
    struct Entry {
        std::string name;  // at most 64 characters are written
        uint8_t kind;
        std::vector<uint8_t> data;
    };
    std::vector<Entry> entries_;
};

// Little-endian helpers for building files by hand.
void PutU32(std::vector<uint8_t>& out, uint32_t value);
void PokeU32(std::vector<uint8_t>& out, size_t offset, uint32_t value);

}  // namespace suiwriter
