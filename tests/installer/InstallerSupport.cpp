#include "InstallerSupport.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <filesystem>
#include <utility>

#include "framework/ComPtr.h"
#include "tests/e2e/E2ESupport.h"

namespace installer_test {

namespace {

constexpr DWORD kInstallerTimeoutMs = 60000;

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return path;
}

std::wstring Wide(const std::string& text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring result(size > 0 ? size - 1 : 0, L'\0');
    if (size > 1) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, result.data(), size);
    return result;
}

// An executable's version resource as GetFileVersionInfo gives it; "" when it has none.
std::string VersionResource(const std::string& exe) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
    if (size == 0) return {};
    std::string block(size, '\0');
    if (!GetFileVersionInfoA(exe.c_str(), 0, size, block.data())) return {};
    return block;
}

}  // namespace

std::vector<std::string> InstalledFiles() {
    std::vector<std::string> files{"vorlinde.exe", "msn.sui"};
    if (VORLINDE_INSTALLER_HAS_HELP) files.push_back("HELP.chm");
    files.push_back("uninstall.exe");
    return files;
}

TInstallPlaces PerUserPlaces() {
    return {HKEY_CURRENT_USER, ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Vorlinde",
            ShellFolder(CSIDL_PROGRAMS) + "\\Vorlinde.lnk"};
}

TInstallPlaces MachineWidePlaces() {
    return {HKEY_LOCAL_MACHINE, ShellFolder(CSIDL_PROGRAM_FILES) + "\\Vorlinde",
            ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\Vorlinde.lnk"};
}

std::optional<DWORD> RunAndWait(const std::string& exe, const std::string& arguments, DWORD ms) {
    e2e::TProgram program(exe, "", arguments);
    if (!program.Started()) {
        // Seen once in a full run: say why, so that the next time tells us.
        std::fprintf(stderr, "cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
        return std::nullopt;
    }
    DWORD exitCode = 0;
    // A program still running is ended when `program` goes.
    if (!program.WaitForExit(ms, exitCode)) {
        std::fprintf(stderr, "%s %s did not end within %lu ms\n", exe.c_str(), arguments.c_str(), ms);
        return std::nullopt;
    }
    return exitCode;
}

std::string InstallerPath() { return e2e::WindowsPath(VORLINDE_INSTALLER); }

std::optional<DWORD> InstallSilently(const std::string& arguments) {
    return RunAndWait(InstallerPath(), arguments.empty() ? "/S" : "/S " + arguments,
                      kInstallerTimeoutMs);
}

TUninstallerCopy::TUninstallerCopy(const std::string& folder) : folder_(folder) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "vorlinde-uninstall-" + std::to_string(GetCurrentProcessId()) + ".exe";
    copied_ = CopyFileA((folder + "\\uninstall.exe").c_str(), path_.c_str(), FALSE) != FALSE;
}

TUninstallerCopy::~TUninstallerCopy() {
    if (copied_) DeleteFileA(path_.c_str());
}

std::string TUninstallerCopy::Arguments(const std::string& options) const {
    // _?= (last) names the installation and keeps the uninstaller from copying itself again.
    return (options.empty() ? "" : options + " ") + "_?=" + folder_;
}

std::optional<DWORD> UninstallSilently(const std::string& folder, const std::string& arguments) {
    TUninstallerCopy uninstaller(folder);
    if (!uninstaller.Copied()) return std::nullopt;
    return RunAndWait(uninstaller.Path(), uninstaller.Arguments(arguments.empty() ? "/S" : "/S " + arguments),
                      kInstallerTimeoutMs);
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> StringValue(HKEY root, const char* key, const char* name) {
    char text[2048] = {};
    DWORD size = sizeof(text) - 1;
    if (RegGetValueA(root, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return std::nullopt;
    return std::string(text);
}

std::optional<DWORD> DwordValue(HKEY root, const char* key, const char* name) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueA(root, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) return std::nullopt;
    return value;
}

bool KeyExists(HKEY root, const char* key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

std::optional<TShortcut> ReadShortcut(const std::string& path) {
    const HRESULT init = CoInitialize(nullptr);
    std::optional<TShortcut> result;
    {
        vl::TComPtr<IShellLinkA> link;
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                       link.ReceiveVoid()))) {
            vl::TComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
            if (file && SUCCEEDED(file->Load(Wide(path).c_str(), STGM_READ))) {
                TShortcut shortcut;
                char text[MAX_PATH] = {};
                if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) shortcut.target = text;
                text[0] = '\0';
                if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) shortcut.workingFolder = text;
                text[0] = '\0';
                if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &shortcut.iconIndex))) shortcut.iconPath = text;
                result = std::move(shortcut);
            }
        }
    }
    if (SUCCEEDED(init)) CoUninitialize();
    return result;
}

std::string ProductVersion(const std::string& exe) {
    std::string block = VersionResource(exe);
    if (block.empty()) return {};
    // The string table of the first language and code page the resource lists.
    struct TTranslation {
        WORD language;
        WORD codePage;
    }* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                        &length) ||
        length < sizeof(TTranslation))
        return {};
    char query[64];
    wsprintfA(query, "\\StringFileInfo\\%04x%04x\\ProductVersion", translation->language, translation->codePage);
    char* text = nullptr;
    if (!VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&text), &length) || !text) return {};
    return std::string(text);
}

std::string FixedFileVersion(const std::string& exe) {
    std::string block = VersionResource(exe);
    if (block.empty()) return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) || length < sizeof(*info))
        return {};
    return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(info->dwFileVersionLS)) + "." + std::to_string(LOWORD(info->dwFileVersionLS));
}

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

void RemoveInstallation(const TInstallPlaces& places) {
    std::error_code ignored;
    if (!places.folder.empty()) std::filesystem::remove_all(places.folder, ignored);
    if (!places.shortcut.empty()) DeleteFileA(places.shortcut.c_str());
    RegDeleteTreeA(places.root, kUninstallKey);
}

}  // namespace installer_test
