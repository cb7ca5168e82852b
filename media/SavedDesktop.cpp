#include "media/SavedDesktop.h"

#include <charconv>
#include <vector>

#include "framework/Exceptions.h"
#include "media/DesktopSettings.h"

namespace vorlinde {

namespace {

constexpr char kWallpaperName[] = "Wallpaper";
constexpr char kColorName[] = "DesktopColor";
constexpr COLORREF kColorMask = 0x00FFFFFF;

// A REG_SZ value of the record; nullopt when it is missing or of another type.
std::optional<std::string> ReadRecordString(const char* name) {
    DWORD size = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, kSavedDesktopKey, name, RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::vector<char> text(size + 1, '\0');
    if (RegGetValueA(HKEY_CURRENT_USER, kSavedDesktopKey, name, RRF_RT_REG_SZ, nullptr, text.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::string(text.data());
}

// Decimal digits only, within the colour range.
std::optional<COLORREF> ParseColor(const std::string& text) {
    unsigned long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value > kColorMask) return std::nullopt;
    return static_cast<COLORREF>(value);
}

void SetRecordString(HKEY key, const char* name, const std::string& value) {
    if (RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
        throw vl::ERegistryException(std::string("Failed to set data for '") + name + "'");
}

}  // namespace

std::optional<TDesktopLook> ReadSavedDesktop() {
    const auto color = ReadRecordString(kColorName);
    if (!color) return std::nullopt;
    const auto parsed = ParseColor(*color);
    const auto wallpaper = ReadRecordString(kWallpaperName);
    if (!parsed || !wallpaper) return std::nullopt;
    return TDesktopLook{*wallpaper, *parsed};
}

void WriteSavedDesktop(const TDesktopLook& look) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSavedDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        throw vl::ERegistryException(std::string("Failed to create key ") + kSavedDesktopKey);
    try {
        // The colour completes the record, so it goes last. Both reach the disk with the hive
        // before the wallpaper value that is emptied after them, so no flush is forced here.
        SetRecordString(key, kWallpaperName, look.wallpaper);
        SetRecordString(key, kColorName, std::to_string(look.color & kColorMask));
    } catch (...) {
        RegCloseKey(key);
        throw;
    }
    RegCloseKey(key);
}

void ClearSavedDesktop() { RegDeleteTreeA(HKEY_CURRENT_USER, kSavedDesktopKey); }

bool RestoreSavedDesktop() {
    const auto saved = ReadSavedDesktop();
    if (saved) {
        SetWallpaper(saved->wallpaper);
        SetDesktopColor(saved->color);
    }
    ClearSavedDesktop();
    return saved.has_value();
}

TDesktopLook UsersDesktop(COLORREF colorKey) {
    if (auto saved = ReadSavedDesktop()) return *saved;
    TDesktopLook look{GetWallpaper(), DesktopColor() & kColorMask};
    if (look.color == (colorKey & kColorMask)) look.color = StoredDesktopColor(look.color);
    return look;
}

}  // namespace vorlinde
