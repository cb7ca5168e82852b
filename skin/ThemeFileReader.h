#pragma once
// Reads a whole theme file (".sui") into memory at once; every later lookup is served from
// memory and the file is not touched again. See skin/ThemeFileFormat.h for the layout and for
// how malformed files are handled.
#include <memory>
#include <string>
#include <vector>

#include "framework/Streams.h"
#include "skin/ThemeFileFormat.h"

namespace vorlinde {

class TsuiThemeFileReader {
public:
    // Opens the file read-only (others may read and write it meanwhile) and parses it. Raises
    // the framework's EStreamError when the file cannot be opened ("Cannot open file ...") and
    // "Stream read error" when a bitmap entry's data runs past the end of the file.
    explicit TsuiThemeFileReader(const std::string& fileName);
    ~TsuiThemeFileReader();
    TsuiThemeFileReader(const TsuiThemeFileReader&) = delete;
    TsuiThemeFileReader& operator=(const TsuiThemeFileReader&) = delete;

    // The stream of the first bitmap entry of that name (letter case ignored), rewound to its
    // start; null when there is none. The reader owns it.
    vl::TStream* BitmapStream(std::string_view name);
    // The first integer entry of that name; -1 when there is none.
    int Integer(std::string_view name) const;
    // The first flag entry of that name, nonzero = true; false when there is none.
    bool Flag(std::string_view name) const;

    const TThemeFileTables& Tables() const { return tables_; }

private:
    // A read-only view of one bitmap entry's bytes.
    class TEntryStream;

    TThemeFileTables tables_;
    std::vector<std::unique_ptr<TEntryStream>> bitmapStreams_;  // parallel to tables_.Bitmaps()
};

}  // namespace vorlinde
