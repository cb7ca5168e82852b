#include "skin/ThemeFileReader.h"

#include "framework/Exceptions.h"

namespace vorlinde {

namespace {

// The parser's view of an open file stream. The size is taken once, before parsing.
class TFileSource : public TThemeFileSource {
public:
    explicit TFileSource(vl::TFileStream& file) : file_(file) {}
    uint64_t Size() override {
        const int64_t size = file_.Size();
        return size > 0 ? static_cast<uint64_t>(size) : 0;
    }
    bool ReadAt(uint64_t offset, void* buffer, size_t count) override {
        if (offset > static_cast<uint64_t>(INT64_MAX)) return false;
        if (file_.Seek(static_cast<int64_t>(offset), vl::TSeekOrigin::Begin) != static_cast<int64_t>(offset))
            return false;
        return file_.Read(buffer, count) == count;
    }

private:
    vl::TFileStream& file_;
};

}  // namespace

class TsuiThemeFileReader::TEntryStream : public vl::TCustomMemoryStream {
public:
    explicit TEntryStream(const std::vector<uint8_t>& data) { SetPointer(data.data(), data.size()); }
    size_t Write(const void*, size_t) override { throw vl::EStreamError("Stream write error"); }
};

TsuiThemeFileReader::TsuiThemeFileReader(const std::string& fileName) {
    vl::TFileStream file(fileName, vl::TFileMode::OpenRead);
    TFileSource source(file);
    if (ParseThemeFile(source, tables_) == TThemeParseStatus::BitmapDataTruncated)
        throw vl::EStreamError("Stream read error");
    for (const TThemeFileTables::Bitmap& bitmap : tables_.Bitmaps())
        bitmapStreams_.push_back(std::make_unique<TEntryStream>(bitmap.data));
}

TsuiThemeFileReader::~TsuiThemeFileReader() = default;

vl::TStream* TsuiThemeFileReader::BitmapStream(std::string_view name) {
    const auto& bitmaps = tables_.Bitmaps();
    for (size_t i = 0; i < bitmaps.size(); ++i)
        if (SameEntryName(bitmaps[i].name, name)) {
            bitmapStreams_[i]->SetPosition(0);
            return bitmapStreams_[i].get();
        }
    return nullptr;
}

int TsuiThemeFileReader::Integer(std::string_view name) const { return tables_.FindInteger(name).value_or(-1); }

bool TsuiThemeFileReader::Flag(std::string_view name) const { return tables_.FindFlag(name).value_or(0) != 0; }

}  // namespace vorlinde
