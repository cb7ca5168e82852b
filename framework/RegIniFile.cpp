#include "framework/RegIniFile.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/StringUtils.h"
#include "framework/Strings.h"

namespace vl {

namespace {

// Reads a string value of `key`. Returns false when the value does not exist.
bool QueryString(HKEY key, const std::string& ident, std::string& out) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, ident.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException("Invalid data type for '" + ident + "'");
    std::vector<char> buffer;
    LONG result;
    do {
        // One spare byte, so that text stored without its terminating NUL still ends in one.
        buffer.assign(static_cast<size_t>(size) + 1, '\0');
        size = static_cast<DWORD>(buffer.size() - 1);
        result = RegQueryValueExA(key, ident.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
    } while (result == ERROR_MORE_DATA);
    if (result != ERROR_SUCCESS) throw ERegistryException("Failed to get data for '" + ident + "'");
    if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException("Invalid data type for '" + ident + "'");
    size_t length = std::min<size_t>(size, buffer.size() - 1);
    out.assign(buffer.data(), strnlen(buffer.data(), length));
    return true;
}

enum class Enumerate { Values, SubKeys };

void EnumerateNames(HKEY key, Enumerate what, TStrings& names) {
    names.Update([&] {
        names.Clear();
        DWORD maxSubKey = 0, maxValue = 0;
        if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, &maxSubKey, nullptr, nullptr, &maxValue,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return;
        std::vector<char> name(static_cast<size_t>(what == Enumerate::Values ? maxValue : maxSubKey) + 1);
        for (DWORD index = 0;;) {
            DWORD length = static_cast<DWORD>(name.size());
            LONG result = what == Enumerate::Values
                              ? RegEnumValueA(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr)
                              : RegEnumKeyExA(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
            if (result == ERROR_MORE_DATA) {
                // A longer name was added while enumerating: grow and try the same index again.
                name.resize(name.size() * 2);
                continue;
            }
            if (result != ERROR_SUCCESS) break;
            names.Add(std::string(name.data(), length));
            ++index;
        }
    });
}

}  // namespace

// ---- TRegKey ----

TRegKey& TRegKey::operator=(TRegKey&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
}

HKEY TRegKey::Release() { return std::exchange(key_, nullptr); }

void TRegKey::Reset(HKEY key) {
    if (key_) RegCloseKey(key_);
    key_ = key;
}

// ---- TRegIniFile ----

TRegIniFile::TRegIniFile(const std::string& key) { OpenKey(key, true); }

void TRegIniFile::SetRootKey(HKEY root) {
    if (root == rootKey_) return;
    CloseKey();
    rootKey_ = root;
}

bool TRegIniFile::OpenKey(const std::string& key, bool canCreate) {
    bool absolute = !key.empty() && key[0] == '\\';
    std::string path = absolute ? key.substr(1) : key;
    HKEY base = absolute ? rootKey_ : BaseKey();
    HKEY opened = nullptr;
    LONG result;
    if (canCreate && !path.empty())
        result = RegCreateKeyExA(base, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                 &opened, nullptr);
    else
        result = RegOpenKeyExA(base, path.c_str(), 0, KEY_ALL_ACCESS, &opened);
    if (result != ERROR_SUCCESS) {
        CloseKey();
        return false;
    }
    if (!absolute && currentKey_ && !currentPath_.empty())
        path = path.empty() ? currentPath_ : currentPath_ + "\\" + path;
    currentKey_.Reset(opened);
    currentPath_ = path;
    return true;
}

void TRegIniFile::CloseKey() {
    currentKey_.Reset();
    currentPath_.clear();
}

bool TRegIniFile::OpenSectionForRead(const std::string& section, TRegKey& owned, HKEY& key) const {
    if (section.empty()) {
        key = BaseKey();
        return true;
    }
    HKEY opened = nullptr;
    if (RegOpenKeyExA(BaseKey(), section.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    owned.Reset(opened);
    key = opened;
    return true;
}

HKEY TRegIniFile::OpenSectionForWrite(const std::string& section, TRegKey& owned) {
    if (section.empty()) return BaseKey();
    HKEY opened = nullptr;
    if (RegCreateKeyExA(BaseKey(), section.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &opened, nullptr) != ERROR_SUCCESS)
        throw ERegistryException("Failed to create key " + section);
    owned.Reset(opened);
    return opened;
}

std::string TRegIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& def) const {
    TRegKey owned;
    HKEY key = nullptr;
    std::string value;
    if (OpenSectionForRead(section, owned, key) && QueryString(key, ident, value)) return value;
    return def;
}

int TRegIniFile::ReadInteger(const std::string& section, const std::string& ident, int def) const {
    TRegKey owned;
    HKEY key = nullptr;
    std::string value;
    if (OpenSectionForRead(section, owned, key) && QueryString(key, ident, value))
        return TryStrToInt(value).value_or(def);
    return def;
}

bool TRegIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) const {
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TRegIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
    TRegKey owned;
    HKEY key = OpenSectionForWrite(section, owned);
    if (RegSetValueExA(key, ident.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
        throw ERegistryException("Failed to set data for '" + ident + "'");
}

void TRegIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
    WriteString(section, ident, IntToStr(value));
}

void TRegIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

void TRegIniFile::EraseSection(const std::string& section) {
    // An empty name would erase the open key's whole content: refuse it quietly.
    if (section.empty()) return;
    RegDeleteTreeA(BaseKey(), section.c_str());
}

void TRegIniFile::DeleteKey(const std::string& section, const std::string& ident) {
    TRegKey owned;
    HKEY key = BaseKey();
    if (!section.empty()) {
        HKEY opened = nullptr;
        if (RegCreateKeyExA(key, section.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                            &opened, nullptr) != ERROR_SUCCESS)
            return;
        owned.Reset(opened);
        key = opened;
    }
    RegDeleteValueA(key, ident.c_str());
}

bool TRegIniFile::SectionExists(const std::string& section) const {
    TRegKey owned;
    HKEY key = nullptr;
    return OpenSectionForRead(section, owned, key);
}

bool TRegIniFile::ValueExists(const std::string& section, const std::string& ident) const {
    TRegKey owned;
    HKEY key = nullptr;
    return OpenSectionForRead(section, owned, key) &&
           RegQueryValueExA(key, ident.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

void TRegIniFile::ReadSection(const std::string& section, TStrings& idents) const {
    TRegKey owned;
    HKEY key = nullptr;
    if (OpenSectionForRead(section, owned, key)) {
        EnumerateNames(key, Enumerate::Values, idents);
    } else {
        idents.Clear();
    }
}

void TRegIniFile::ReadSections(TStrings& sections) const { EnumerateNames(BaseKey(), Enumerate::SubKeys, sections); }

}  // namespace vl
