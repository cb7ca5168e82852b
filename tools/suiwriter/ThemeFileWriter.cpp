#include "ThemeFileWriter.h"

#include <algorithm>
#include <cstring>

namespace suiwriter {

using vorlinde::kThemeEntryNameSize;
using vorlinde::kThemeEntrySize;
using vorlinde::kThemeHeaderSize;

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PokeU32(std::vector<uint8_t>& out, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
}

void TThemeFileWriter::AddBitmap(const std::string& name, const std::vector<uint8_t>& bmpFile) {
    AddEntry(name, static_cast<uint8_t>(vorlinde::TThemeEntryKind::Bitmap), bmpFile);
}

void TThemeFileWriter::AddInteger(const std::string& name, int32_t value) {
    std::vector<uint8_t> data;
    PutU32(data, static_cast<uint32_t>(value));
    AddEntry(name, static_cast<uint8_t>(vorlinde::TThemeEntryKind::Integer), data);
}

void TThemeFileWriter::AddFlag(const std::string& name, uint8_t value) {
    AddEntry(name, static_cast<uint8_t>(vorlinde::TThemeEntryKind::Flag), {value});
}

void TThemeFileWriter::AddText(const std::string& name, const std::string& text) {
    AddEntry(name, static_cast<uint8_t>(vorlinde::TThemeEntryKind::Text), std::vector<uint8_t>(text.begin(), text.end()));
}

void TThemeFileWriter::AddEntry(const std::string& name, uint8_t kind, const std::vector<uint8_t>& data) {
    entries_.push_back({name.substr(0, kThemeEntryNameSize), kind, data});
}

std::vector<uint8_t> TThemeFileWriter::Build() const {
    std::vector<uint8_t> file(vorlinde::kThemeMagicSize, 0);
    std::memcpy(file.data(), vorlinde::kThemeFileMagic, sizeof vorlinde::kThemeFileMagic);
    PutU32(file, static_cast<uint32_t>(kThemeHeaderSize));
    PutU32(file, 0);  // reserved
    PutU32(file, static_cast<uint32_t>(kThemeHeaderSize));  // the first record follows the header

    auto record = [&](const std::string& name, uint8_t kind, uint32_t dataOffset, uint32_t dataSize) {
        const size_t start = file.size();
        file.resize(start + kThemeEntrySize, 0);
        std::copy(name.begin(), name.end(), file.begin() + static_cast<long>(start));
        file[start + 64] = kind;
        PokeU32(file, start + 65, dataOffset);
        PokeU32(file, start + 69, dataSize);
        return start;
    };
    for (const Entry& e : entries_) {
        const size_t start = record(e.name, e.kind, 0, static_cast<uint32_t>(e.data.size()));
        PokeU32(file, start + 65, static_cast<uint32_t>(file.size()));
        file.insert(file.end(), e.data.begin(), e.data.end());
        PokeU32(file, start + 73, static_cast<uint32_t>(file.size()));  // the next record follows
    }
    record("", 0, 0, 0);  // closes the chain: next = 0
    return file;
}

}  // namespace suiwriter
