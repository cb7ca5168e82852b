#include "media/DesktopSettings.h"

#include <cstdio>
#include <vector>

namespace vorlinde {

namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kWallpaperValue[] = "WallPaper";
constexpr char kColorsKey[] = "Control Panel\\Colors";
constexpr char kBackgroundValue[] = "Background";

// The desktop key, opened (never created) with `access`; null when it does not exist.
HKEY OpenDesktopKey(REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, access, &key) != ERROR_SUCCESS) return nullptr;
    return key;
}

bool HasWallpaperValue(HKEY key) {
    return RegQueryValueExA(key, kWallpaperValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// The wallpaper the system shows now, as it reports it.
std::string ShownWallpaper() {
    char path[MAX_PATH + 1] = {};
    if (!SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0)) return {};
    return path;
}

}  // namespace

std::string GetWallpaper() {
    HKEY key = OpenDesktopKey(KEY_QUERY_VALUE);
    if (!key) return {};
    std::string path;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, kWallpaperValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
        std::vector<char> buffer(size + 1, '\0');
        if (RegQueryValueExA(key, kWallpaperValue, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size) ==
            ERROR_SUCCESS)
            path = buffer.data();  // stops at the first NUL, also when the value lacks one
    }
    RegCloseKey(key);
    return path;
}

void SetWallpaper(const std::string& path) {
    bool written = false;
    if (HKEY key = OpenDesktopKey(KEY_QUERY_VALUE | KEY_SET_VALUE)) {
        if (HasWallpaperValue(key))
            written = RegSetValueExA(key, kWallpaperValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                                     static_cast<DWORD>(path.size() + 1)) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    // The system reloads the wallpaper and tells other programs. It is handed the path itself:
    // Windows Vista and later take a null path as "show the default wallpaper", which would
    // lose the user's picture. Without a value to write, the picture shown now is reloaded.
    std::string shown = written ? path : ShownWallpaper();
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, shown.data(), SPIF_SENDWININICHANGE);
}

COLORREF DesktopColor() { return GetSysColor(COLOR_BACKGROUND); }

void SetDesktopColor(COLORREF color) {
    const INT element = COLOR_BACKGROUND;
    const COLORREF value = color & 0x00FFFFFF;
    SetSysColors(1, &element, &value);
}

COLORREF StoredDesktopColor(COLORREF fallback) {
    char text[64] = {};
    DWORD size = sizeof(text) - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, kColorsKey, kBackgroundValue, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS)
        return fallback;
    int red = -1, green = -1, blue = -1;
    char rest = 0;
    if (std::sscanf(text, "%d %d %d %c", &red, &green, &blue, &rest) != 3) return fallback;
    if (red < 0 || red > 255 || green < 0 || green > 255 || blue < 0 || blue > 255) return fallback;
    return RGB(red, green, blue);
}

}  // namespace vorlinde
