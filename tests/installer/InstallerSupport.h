#pragma once
// Helpers of the installer tests: the built installer and the installed uninstaller run
// silently, and what an installation leaves in the file system and the registry.
//
// The tests install into the test session's Wine prefix, into the folders a user's
// installation goes to, rather than into a fresh prefix of their own: a new prefix takes
// about ten seconds to make and start, the whole area takes a few. Each test owns that state:
// it is skipped when the prefix already holds a Vorlinde installation, and it removes what it
// installed (files, shortcut, registry) even when it fails.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace installer_test {

inline constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vorlinde";
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kSettingsKey[] = "SOFTWARE\\Vorlinde";
// The files an installation puts into its folder (HELP.chm when the build made it).
std::vector<std::string> InstalledFiles();

// Where one kind of installation goes.
struct TInstallPlaces {
    HKEY root;             // of the installed-programs entry
    std::string folder;    // the program's folder
    std::string shortcut;  // the Start-menu shortcut
};
// For the current user only (the installer's default) or for everyone (/ALLUSERS).
TInstallPlaces PerUserPlaces();
TInstallPlaces MachineWidePlaces();

// Runs `exe` with `arguments` and waits up to `ms`; the exit code, nullopt when it did not
// start or end in time (it is then ended).
std::optional<DWORD> RunAndWait(const std::string& exe, const std::string& arguments, DWORD ms);
// The built installer, as a Windows path.
std::string InstallerPath();
// Runs the built installer silently (/S) with more arguments; its exit code.
std::optional<DWORD> InstallSilently(const std::string& arguments = "");
// The uninstaller of the installation in `folder`, copied out of it while this object lives.
// Started from the folder, an uninstaller copies itself away and returns at once, while the
// copy works on; started from this copy with Arguments(), it does the work itself.
class TUninstallerCopy {
public:
    explicit TUninstallerCopy(const std::string& folder);
    ~TUninstallerCopy();
    TUninstallerCopy(const TUninstallerCopy&) = delete;
    TUninstallerCopy& operator=(const TUninstallerCopy&) = delete;

    bool Copied() const { return copied_; }
    const std::string& Path() const { return path_; }
    // The command line: `options`, then the installation's folder.
    std::string Arguments(const std::string& options) const;

private:
    std::string folder_;
    std::string path_;
    bool copied_ = false;
};

// Runs the installation's uninstaller silently (from a copy) and waits for it.
std::optional<DWORD> UninstallSilently(const std::string& folder, const std::string& arguments = "");

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
std::optional<std::string> StringValue(HKEY root, const char* key, const char* name);
std::optional<DWORD> DwordValue(HKEY root, const char* key, const char* name);
bool KeyExists(HKEY root, const char* key);

// A shell link's target, working folder and icon.
struct TShortcut {
    std::string target;
    std::string workingFolder;
    std::string iconPath;
    int iconIndex = -1;
};
std::optional<TShortcut> ReadShortcut(const std::string& path);

// The "ProductVersion" text of an executable's version resource ("" when it has none).
std::string ProductVersion(const std::string& exe);

// The file version of its fixed part, as "major.minor.patch.build" ("" when it has none).
std::string FixedFileVersion(const std::string& exe);

// Path comparison as Windows does it: letter case ignored.
bool SamePath(const std::string& a, const std::string& b);

// Removes whatever an installation at `places` left: files, folder, shortcut, entry.
void RemoveInstallation(const TInstallPlaces& places);

}  // namespace installer_test
