#include "skin/FileTheme.h"

#include <windows.h>

#include <vector>

#include "framework/ClassBuilder.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/Graphics.h"
#include "framework/StringUtils.h"
#include "skin/ThemeFileReader.h"
#include "skin/ThemeItems.h"
#include "skin/UIStyle.h"

namespace vorlinde {

namespace {

std::string WithTrailingBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder;
}

std::string ExecutableFolder() {
    std::vector<char> path(32768);
    const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0 || n >= path.size()) return {};
    return vl::ExtractFilePath(std::string(path.data(), n));
}

std::string WindowsFolder() {
    char path[MAX_PATH + 1];
    const UINT n = GetWindowsDirectoryA(path, sizeof path);
    return n && n < sizeof path ? std::string(path, n) : std::string();
}

std::string SystemFolder() {
    char path[MAX_PATH + 1];
    const UINT n = GetSystemDirectoryA(path, sizeof path);
    return n && n < sizeof path ? std::string(path, n) : std::string();
}

// The file a ThemeFile value names: the value itself when it exists, else a file of the same
// name beside the executable, in the Windows folder or in the system folder. Empty when none
// exists. A form description may thus carry a path from another machine.
std::string ResolveThemePath(const std::string& value) {
    if (vl::FileExists(value)) return value;
    const std::string name = vl::ExtractFileName(value);
    if (name.empty()) return {};
    for (const std::string& folder : {ExecutableFolder(), WindowsFolder(), SystemFolder()}) {
        if (folder.empty()) continue;
        std::string candidate = WithTrailingBackslash(folder) + name;
        if (vl::FileExists(candidate)) return candidate;
    }
    return {};
}

vl::TPropValue ReferenceTo(vl::TComponent* component) {
    vl::TPropValue value;
    value.kind = vl::TPropValue::Kind::Reference;
    value.component = component;
    if (component) value.text = component->Name();
    return value;
}

}  // namespace

bool IsValidThemeFile(const std::string& path) {
    if (!vl::FileExists(path)) return false;
    try {
        vl::TFileStream file(path, vl::TFileMode::OpenRead);
        uint8_t magic[kThemeMagicSize];
        if (file.Read(magic, sizeof magic) != sizeof magic) return false;
        return HasThemeFileMagic(magic, sizeof magic);
    } catch (const std::exception&) {
        return false;
    }
}

// ============================================================================== TsuiFileThemeMgr

TsuiFileThemeMgr::TsuiFileThemeMgr() = default;
TsuiFileThemeMgr::~TsuiFileThemeMgr() = default;

bool TsuiFileThemeMgr::Load(const std::string& path) {
    if (!vl::FileExists(path)) return false;
    // Read the new file completely before letting go of the current one.
    auto fresh = std::make_unique<TsuiThemeFileReader>(path);
    reader_ = std::move(fresh);
    decoded_.clear();
    decodedBytes_ = 0;
    return true;
}

void TsuiFileThemeMgr::GetBitmap(int item, vl::TBitmap* graphic) {
    const TsuiThemeItemInfo* info = ThemeItemInfo(item);
    if (!graphic || !reader_ || !info) return;
    vl::TBitmapImage scratch;
    if (const vl::TBitmapImage* image = DecodedBitmap(item, info->name, scratch)) graphic->LoadFromImage(*image);
}

const vl::TBitmapImage* TsuiFileThemeMgr::DecodedBitmap(int item, const char* name, vl::TBitmapImage& scratch) {
    if (auto kept = decoded_.find(item); kept != decoded_.end())
        return kept->second.valid ? &kept->second.image : nullptr;
    // The entry is checked field by field before any of it reaches the bitmap; a damaged one is
    // treated as absent.
    TDecodedBitmap decoded;
    if (const TThemeFileTables::Bitmap* entry = reader_->Tables().FindBitmap(name))
        decoded.valid = static_cast<bool>(
            vl::DecodeBitmapFile(entry->data.data(), entry->data.size(), decoded.image, kThemeBitmapLimits));
    // Theme pictures are taken without alpha, as the skin has always drawn them: all-zero alpha
    // is what GDI and image lists read as "no alpha channel".
    for (size_t i = 3; i < decoded.image.pixels.size(); i += 4) decoded.image.pixels[i] = 0;
    const size_t bytes = decoded.image.pixels.size();
    if (bytes > kDecodedBytesKept - decodedBytes_) {
        scratch = std::move(decoded.image);
        return decoded.valid ? &scratch : nullptr;
    }
    decodedBytes_ += bytes;
    TDecodedBitmap& kept = decoded_[item] = std::move(decoded);
    return kept.valid ? &kept.image : nullptr;
}

bool TsuiFileThemeMgr::GetBool(int item) const {
    const TsuiThemeItemInfo* info = ThemeItemInfo(item);
    return reader_ && info && reader_->Flag(info->name);
}

int TsuiFileThemeMgr::GetInt(int item) const {
    if (!reader_) return 0;
    const TsuiThemeItemInfo* info = ThemeItemInfo(item);
    return info ? reader_->Integer(info->name) : -1;
}

// ================================================================================= TsuiFileTheme

const vl::TClassInfo& TsuiFileTheme::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiFileTheme>("TsuiFileTheme", &vl::TComponent::StaticClass())
            .Creatable()
            .Prop("ThemeFile", &TsuiFileTheme::SetThemeFile, &TsuiFileTheme::ThemeFile)
            .Build();
    return info;
}

TsuiFileTheme::TsuiFileTheme(vl::TComponent* owner) : vl::TComponent(owner) {}

TsuiFileTheme::~TsuiFileTheme() = default;

void TsuiFileTheme::SetThemeFile(const std::string& value) {
    if (value == themeFile_) return;
    const std::string resolved = ResolveThemePath(value);
    if (resolved.empty()) return;
    if (!::vorlinde::IsValidThemeFile(resolved)) throw vl::Exception("Invalid skin file for Morvale!");

    const std::string previous = themeFile_;
    themeFile_ = resolved;
    bool loaded;
    try {
        loaded = mgr_.Load(resolved);
    } catch (...) {
        // A file that cannot be read leaves the theme as it was: the previous file's reader,
        // its name and the loaded flag belong together.
        themeFile_ = previous;
        throw;
    }
    loaded_ = loaded;
    if (loaded_) ReassignToOwnerComponents();
}

void TsuiFileTheme::ReassignToOwnerComponents() {
    auto* form = dynamic_cast<vl::TForm*>(Owner());
    if (!form) return;
    std::vector<vl::TComponent*> components;
    for (int i = 0; i < form->ComponentCount(); ++i) components.push_back(form->Components(i));
    const vl::TPropValue self = ReferenceTo(this);
    for (vl::TComponent* component : components) {
        if (component->ClassName().rfind("Tsui", 0) != 0) continue;
        const vl::TPropInfo* prop = component->ClassInfo().FindProp("FileTheme");
        if (!prop || !prop->get || !prop->set) continue;
        if (prop->get(*component).component != this) continue;
        vl::SetPropValue(*component, "FileTheme", self);
    }
}

bool TsuiFileTheme::IsValidThemeFile(const std::string& path) const { return ::vorlinde::IsValidThemeFile(path); }

void TsuiFileTheme::GetBitmap(int item, vl::TBitmap* graphic) { mgr_.GetBitmap(item, graphic); }

void TsuiFileTheme::GetStripBitmap(int item, vl::TBitmap* destination, int imageCount, int imageIndex) {
    if (!destination || imageCount < 1) return;
    vl::TBitmap strip;
    GetBitmap(item, &strip);
    if (strip.Empty()) return;
    ExtractStripImage(strip, *destination, imageCount, imageIndex);
}

uint32_t TsuiFileTheme::GetColor(int item) const { return static_cast<uint32_t>(mgr_.GetInt(item)); }

int TsuiFileTheme::GetInt(int item) const { return mgr_.GetInt(item); }

bool TsuiFileTheme::GetBool(int item) const { return mgr_.GetBool(item); }

}  // namespace vorlinde
