#pragma once
// The theme file that skinned components draw from when their style is FromThemeFile.
//
// TsuiFileTheme holds one theme file: setting ThemeFile finds the file (also beside the
// executable and in the Windows and system folders), checks its magic and loads it whole into
// memory. It then answers the look questions of the components: the bitmap, colour, number or
// flag of theme item n (1 to 42), looked up by the item's name in the file.
#include <cstddef>
#include <map>
#include <memory>
#include <string>

#include "framework/BitmapFile.h"
#include "framework/Component.h"

namespace vl {
class TBitmap;
}

namespace vorlinde {

class TsuiThemeFileReader;

// True when the file exists, can be opened for reading and starts with the theme file magic
// "Morvale_TB" and a zero byte (letter case counts). Any failure gives false.
bool IsValidThemeFile(const std::string& path);

// Maps item numbers to entry names for the reader it owns (at most one, none at first).
class TsuiFileThemeMgr {
public:
    TsuiFileThemeMgr();
    ~TsuiFileThemeMgr();
    TsuiFileThemeMgr(const TsuiFileThemeMgr&) = delete;
    TsuiFileThemeMgr& operator=(const TsuiFileThemeMgr&) = delete;

    // False when the file does not exist (the current reader stays). Otherwise reads the file
    // into a new reader that replaces the current one, and answers true. A file that cannot be
    // read raises the reader's error and leaves the current reader in place.
    bool Load(const std::string& path);
    bool HasReader() const { return reader_ != nullptr; }
    TsuiThemeFileReader* Reader() const { return reader_.get(); }

    // The graphic takes the picture of the item's bitmap entry. Nothing happens without a reader,
    // when the entry is absent, or when its data is not a valid bitmap file image (within
    // kThemeBitmapLimits). Each entry is decoded once per loaded file.
    void GetBitmap(int item, vl::TBitmap* graphic);
    // The item's flag entry; false without a reader or when absent.
    bool GetBool(int item) const;
    // The item's integer entry: -1 when absent, 0 without a reader. Colours are read the same way.
    int GetInt(int item) const;

    // Decoded pictures kept, in bytes of pixels; larger ones are decoded on every request.
    static constexpr size_t kDecodedBytesKept = 16u * 1024 * 1024;

private:
    struct TDecodedBitmap {
        bool valid = false;  // false: no entry, or not a valid bitmap
        vl::TBitmapImage image;
    };
    // The item's picture, null when there is none; decoded into `scratch` when it is not kept.
    const vl::TBitmapImage* DecodedBitmap(int item, const char* name, vl::TBitmapImage& scratch);

    std::unique_ptr<TsuiThemeFileReader> reader_;
    std::map<int, TDecodedBitmap> decoded_;  // by item, for the current reader
    size_t decodedBytes_ = 0;
};

class TsuiFileTheme : public vl::TComponent {
    VL_DECLARE_CLASS()
public:
    explicit TsuiFileTheme(vl::TComponent* owner);
    ~TsuiFileTheme() override;

    // The resolved path of the loaded file.
    const std::string& ThemeFile() const { return themeFile_; }
    // Finds, checks and loads a theme file (see the class comment). The value itself is used
    // when that file exists; else the file of the same name in the executable's folder, the
    // Windows folder or the system folder, the first that exists. When none exists nothing
    // changes and nothing is reported. A file without the magic raises "Invalid skin file for
    // Morvale!" and changes nothing. After a successful load every component of the owner form
    // that draws from this theme is given it again, so that it re-reads its look.
    void SetThemeFile(const std::string& value);

    // The result of the last load; false before any.
    bool IsLoaded() const { return loaded_; }
    bool IsValidThemeFile(const std::string& path) const;

    // The look interface; items are numbered 1 to 42 (skin/ThemeItems.h).
    // The graphic takes the item's bitmap when a file is loaded; otherwise it stays as it was.
    void GetBitmap(int item, vl::TBitmap* graphic);
    // Image `imageIndex` (from 1) of `imageCount` of the item's strip bitmap; the destination
    // stays as it was when the item has no bitmap or imageCount is below 1.
    void GetStripBitmap(int item, vl::TBitmap* destination, int imageCount, int imageIndex);
    // The item's integer entry as a colour: 0xFFFFFFFF (-1) when absent, 0 without a file.
    uint32_t GetColor(int item) const;
    // The item's integer entry: -1 when absent, 0 without a file.
    int GetInt(int item) const;
    // The item's flag: false when absent or without a file.
    bool GetBool(int item) const;

    TsuiFileThemeMgr& Mgr() { return mgr_; }

private:
    // Assigns this theme again to every component of the owner form whose FileTheme it is.
    void ReassignToOwnerComponents();

    std::string themeFile_;
    TsuiFileThemeMgr mgr_;
    bool loaded_ = false;
};

}  // namespace vorlinde
