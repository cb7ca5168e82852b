#pragma once
// Small string helpers used across the framework: case-insensitive comparison (component and
// property names ignore case, as window class and registry names do) and integer parsing.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

bool SameText(std::string_view a, std::string_view b);
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
std::string Trim(std::string_view s);

// Strict decimal (optionally "$"/"0x" hexadecimal) integer parsing: the whole text, surrounding
// blanks allowed, must be one integer that fits in 32 bits; anything else gives no value.
std::optional<int> TryStrToInt(std::string_view s);
int StrToIntDef(std::string_view s, int def);
std::string IntToStr(long long v);

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...);

// Folder of a path including the trailing backslash ("C:\a\b.exe" -> "C:\a\").
std::string ExtractFilePath(std::string_view path);
std::string ExtractFileName(std::string_view path);
bool FileExists(const std::string& path);

struct CaseInsensitiveLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

}  // namespace vl
