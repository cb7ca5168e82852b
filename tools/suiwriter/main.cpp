// sui-writer: builds a theme file (".sui") from a folder of bitmaps and a list of values.
//
//   sui-writer --bitmaps DIR --values FILE --output FILE.sui [--complete]
//
// Every DIR/<Name>.bmp becomes a bitmap entry named <Name> (a theme item name such as
// ButtonImage; letter case as the item table writes it). The values file holds one entry per
// line, "Name = value", blank lines and lines starting with '#' ignored:
//   - items of the theme item table take their kind from it: integers as decimal numbers,
//     colours as "red, green, blue" (or one number, 0x00BBGGRR), booleans as true/false/1/0;
//   - other names need their kind first: "integer Name = 5", "flag Name = 1", "text Name = ...".
// Each bitmap is checked as a .bmp file before it goes in. --complete refuses to write a theme
// that lacks any of the 42 items.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "ThemeFileWriter.h"
#include "framework/BitmapFile.h"
#include "skin/ThemeItems.h"

namespace {

namespace fs = std::filesystem;
using vorlinde::TsuiItemKind;

struct Failure {
    std::string message;
};

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::optional<long long> Number(const std::string& text) {
    const std::string t = Trim(text);
    if (t.empty()) return std::nullopt;
    try {
        size_t used = 0;
        const long long v = std::stoll(t, &used, 0);
        if (used != t.size()) return std::nullopt;
        return v;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

int32_t ParseInteger(const std::string& name, const std::string& text) {
    const auto v = Number(text);
    if (!v || *v < INT32_MIN || *v > INT32_MAX) throw Failure{name + ": not a 32-bit number: " + text};
    return static_cast<int32_t>(*v);
}

int32_t ParseColor(const std::string& name, const std::string& text) {
    if (text.find(',') == std::string::npos) {
        const auto v = Number(text);
        if (!v || *v < 0 || *v > 0xFFFFFFFFll) throw Failure{name + ": not a colour: " + text};
        return static_cast<int32_t>(static_cast<uint32_t>(*v));
    }
    std::stringstream parts(text);
    std::string part;
    std::vector<long long> rgb;
    while (std::getline(parts, part, ',')) {
        const auto v = Number(part);
        if (!v || *v < 0 || *v > 255) throw Failure{name + ": colour parts are 0 to 255: " + text};
        rgb.push_back(*v);
    }
    if (rgb.size() != 3) throw Failure{name + ": a colour is red, green, blue: " + text};
    return vorlinde::ColorRGB(static_cast<int>(rgb[0]), static_cast<int>(rgb[1]), static_cast<int>(rgb[2]));
}

uint8_t ParseFlag(const std::string& name, const std::string& text) {
    const std::string t = Lower(Trim(text));
    if (t == "true") return 1;
    if (t == "false") return 0;
    const auto v = Number(t);
    if (!v || *v < 0 || *v > 255) throw Failure{name + ": not a flag: " + text};
    return static_cast<uint8_t>(*v);
}

struct PendingEntry {
    std::string name;
    int item;  // 0 for names outside the item table
    enum class Kind { Bitmap, Integer, Flag, Text } kind;
    std::vector<uint8_t> bitmap;
    int32_t integer = 0;
    uint8_t flag = 0;
    std::string text;
};

std::vector<PendingEntry> ReadValues(const fs::path& path) {
    std::ifstream in(path);
    if (!in) throw Failure{"cannot read " + path.string()};
    std::vector<PendingEntry> entries;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string t = Trim(line);
        if (t.empty() || t[0] == '#') continue;
        const auto eq = t.find('=');
        if (eq == std::string::npos) throw Failure{path.string() + ":" + std::to_string(number) + ": no '='"};
        std::string left = Trim(t.substr(0, eq));
        const std::string value = t.substr(eq + 1);
        std::string kind;
        if (const auto space = left.find_first_of(" \t"); space != std::string::npos) {
            kind = Lower(left.substr(0, space));
            left = Trim(left.substr(space));
        }
        PendingEntry e{left, vorlinde::ThemeItemByName(left), PendingEntry::Kind::Integer, {}, 0, 0, {}};
        const std::string where = path.string() + ":" + std::to_string(number) + ": " + left;
        if (e.item) {
            const vorlinde::TsuiThemeItemInfo* info = vorlinde::ThemeItemInfo(e.item);
            e.name = info->name;
            if (!kind.empty()) throw Failure{where + ": the item table gives its kind; write no kind"};
            switch (info->kind) {
            case TsuiItemKind::Integer: e.integer = ParseInteger(where, value); break;
            case TsuiItemKind::Color: e.integer = ParseColor(where, value); break;
            case TsuiItemKind::Boolean:
                e.kind = PendingEntry::Kind::Flag;
                e.flag = ParseFlag(where, value);
                break;
            case TsuiItemKind::Bitmap: throw Failure{where + ": bitmaps come from the bitmap folder"};
            }
        } else if (kind == "integer") {
            e.integer = ParseInteger(where, value);
        } else if (kind == "color" || kind == "colour") {
            e.integer = ParseColor(where, value);
        } else if (kind == "flag") {
            e.kind = PendingEntry::Kind::Flag;
            e.flag = ParseFlag(where, value);
        } else if (kind == "text") {
            e.kind = PendingEntry::Kind::Text;
            e.text = Trim(value);
        } else {
            throw Failure{where + ": not a theme item; give its kind (integer, colour, flag or text)"};
        }
        if (e.name.size() > vorlinde::kThemeEntryNameSize) throw Failure{where + ": names have at most 64 characters"};
        entries.push_back(std::move(e));
    }
    return entries;
}

std::vector<PendingEntry> ReadBitmaps(const fs::path& folder) {
    if (!fs::is_directory(folder)) throw Failure{"not a folder: " + folder.string()};
    std::vector<fs::path> files;
    for (const fs::directory_entry& f : fs::directory_iterator(folder))
        if (f.is_regular_file() && Lower(f.path().extension().string()) == ".bmp") files.push_back(f.path());
    std::sort(files.begin(), files.end());
    std::vector<PendingEntry> entries;
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        // Checked as the program will check it, so that the theme holds no picture it refuses.
        vl::TBitmapImage image;
        const vl::TBitmapDecodeResult decoded =
            vl::DecodeBitmapFile(bytes.data(), bytes.size(), image, vorlinde::kThemeBitmapLimits);
        if (!decoded) throw Failure{file.string() + ": not a usable .bmp file (" + decoded.reason + ")"};
        std::string name = file.stem().string();
        const int item = vorlinde::ThemeItemByName(name);
        if (item) {
            if (vorlinde::ThemeItemInfo(item)->kind != TsuiItemKind::Bitmap)
                throw Failure{file.string() + ": " + name + " is not a bitmap item"};
            name = vorlinde::ThemeItemInfo(item)->name;
        }
        if (name.size() > vorlinde::kThemeEntryNameSize) throw Failure{file.string() + ": name longer than 64"};
        entries.push_back({name, item, PendingEntry::Kind::Bitmap, std::move(bytes), 0, 0, {}});
    }
    return entries;
}

int Usage() {
    std::cerr << "usage: sui-writer --bitmaps DIR --values FILE --output FILE.sui [--complete]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string bitmaps, values, output;
    bool complete = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--complete") {
            complete = true;
            continue;
        }
        if (i + 1 >= argc) return Usage();
        if (arg == "--bitmaps") bitmaps = argv[++i];
        else if (arg == "--values") values = argv[++i];
        else if (arg == "--output") output = argv[++i];
        else return Usage();
    }
    if (output.empty() || (bitmaps.empty() && values.empty())) return Usage();

    try {
        std::vector<PendingEntry> entries;
        if (!bitmaps.empty()) entries = ReadBitmaps(bitmaps);
        if (!values.empty()) {
            std::vector<PendingEntry> more = ReadValues(values);
            entries.insert(entries.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
        }
        // Items in table order, then the other entries as given; a name twice is a mistake.
        std::stable_sort(entries.begin(), entries.end(), [](const PendingEntry& a, const PendingEntry& b) {
            return (a.item ? a.item : 1000) < (b.item ? b.item : 1000);
        });
        std::map<std::string, int> seen;
        for (const PendingEntry& e : entries)
            if (seen[Lower(e.name)]++) throw Failure{"entry given twice: " + e.name};
        if (complete)
            for (int item = 1; item <= vorlinde::kThemeItemCount; ++item)
                if (!seen.count(Lower(vorlinde::ThemeItemInfo(item)->name)))
                    throw Failure{std::string("the theme lacks ") + vorlinde::ThemeItemInfo(item)->name};

        suiwriter::TThemeFileWriter writer;
        for (const PendingEntry& e : entries) {
            switch (e.kind) {
            case PendingEntry::Kind::Bitmap: writer.AddBitmap(e.name, e.bitmap); break;
            case PendingEntry::Kind::Integer: writer.AddInteger(e.name, e.integer); break;
            case PendingEntry::Kind::Flag: writer.AddFlag(e.name, e.flag); break;
            case PendingEntry::Kind::Text: writer.AddText(e.name, e.text); break;
            }
        }
        const std::vector<uint8_t> file = writer.Build();
        std::ofstream out(output, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
        if (!out) throw Failure{"cannot write " + output};
    } catch (const Failure& f) {
        std::cerr << "sui-writer: " << f.message << "\n";
        return 1;
    }
    return 0;
}
