#pragma once
// Registry access in the manner of an ini file: the object stands on one open key below a root
// key; a section is a subkey of the open key and an ident is a value inside it. Every value is
// written as a string (REG_SZ); integers and booleans are stored as decimal text.
#include <windows.h>

#include <string>

namespace vl {

class TStrings;

// Owns one registry key handle and closes it; predefined root keys are never owned.
class TRegKey {
public:
    TRegKey() = default;
    explicit TRegKey(HKEY key) : key_(key) {}
    ~TRegKey() { Reset(); }
    TRegKey(const TRegKey&) = delete;
    TRegKey& operator=(const TRegKey&) = delete;
    TRegKey(TRegKey&& other) noexcept : key_(other.Release()) {}
    TRegKey& operator=(TRegKey&& other) noexcept;

    HKEY Get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    HKEY Release();
    void Reset(HKEY key = nullptr);

private:
    HKEY key_ = nullptr;
};

class TRegIniFile {
public:
    // Opens RootKey\key with full access, creating it when missing. Failure is silent: the object
    // then has no open key and acts relative to the root.
    explicit TRegIniFile(const std::string& key);
    TRegIniFile(const TRegIniFile&) = delete;
    TRegIniFile& operator=(const TRegIniFile&) = delete;

    HKEY RootKey() const { return rootKey_; }
    // Changing the root closes the open key.
    void SetRootKey(HKEY root);
    HKEY CurrentKey() const { return currentKey_.Get(); }
    const std::string& CurrentPath() const { return currentPath_; }

    // Closes the open key and opens `key` with full access: from the root when it starts with
    // "\", else from the open key if there is one, else from the root. On failure returns false
    // and leaves no key open.
    bool OpenKey(const std::string& key, bool canCreate);
    void CloseKey();

    // A missing section or value reads as the default. An existing value that is not a string
    // raises ERegistryException("Invalid data type for '<ident>'"); text that is not an integer
    // reads as the default; a boolean is true when its integer is not 0.
    std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) const;
    int ReadInteger(const std::string& section, const std::string& ident, int def) const;
    bool ReadBool(const std::string& section, const std::string& ident, bool def) const;

    // Create the section when missing (ERegistryException "Failed to create key <section>") and
    // store a REG_SZ value (ERegistryException "Failed to set data for '<ident>'").
    void WriteString(const std::string& section, const std::string& ident, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& ident, int value);
    void WriteBool(const std::string& section, const std::string& ident, bool value);

    // Deletes the section's subkey with everything below it; failure is ignored.
    void EraseSection(const std::string& section);
    // Deletes a value, opening (or creating) its section first; a missing value is no error.
    void DeleteKey(const std::string& section, const std::string& ident);

    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& ident) const;
    // Replace the list's items with the section's value names / the open key's subkey names.
    void ReadSection(const std::string& section, TStrings& idents) const;
    void ReadSections(TStrings& sections) const;

private:
    // The key that sections and relative paths start from: the open key, or the root.
    HKEY BaseKey() const { return currentKey_ ? currentKey_.Get() : rootKey_; }
    // Opens the section read-only; an empty section yields the base key itself. Returns false
    // when the section does not exist. `owned` keeps an opened subkey alive.
    bool OpenSectionForRead(const std::string& section, TRegKey& owned, HKEY& key) const;
    // Opens or creates the section with full access; raises when it cannot be created.
    HKEY OpenSectionForWrite(const std::string& section, TRegKey& owned);

    HKEY rootKey_ = HKEY_CURRENT_USER;
    TRegKey currentKey_;
    std::string currentPath_;
};

}  // namespace vl
