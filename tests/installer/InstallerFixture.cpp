#include "InstallerFixture.h"

namespace installer_test {

namespace {

bool AnyInstallation() {
    for (const TInstallPlaces& places : {PerUserPlaces(), MachineWidePlaces()})
        if (KeyExists(places.root, kUninstallKey) || FolderExists(places.folder) || FileExists(places.shortcut))
            return true;
    return false;
}

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

constexpr char kWineOverridesKey[] = "Software\\Wine\\DllOverrides";
constexpr char kMenuBuilder[] = "winemenubuilder.exe";

}  // namespace

TMenuBuilderOff::TMenuBuilderOff() {
    if (!UnderWine()) return;
    active_ = true;
    keyExisted_ = KeyExists(HKEY_CURRENT_USER, kWineOverridesKey);
    previous_ = StringValue(HKEY_CURRENT_USER, kWineOverridesKey, kMenuBuilder);
    // An empty override disables the program.
    RegSetKeyValueA(HKEY_CURRENT_USER, kWineOverridesKey, kMenuBuilder, REG_SZ, "", 1);
}

TMenuBuilderOff::~TMenuBuilderOff() {
    if (!active_) return;
    if (previous_)
        RegSetKeyValueA(HKEY_CURRENT_USER, kWineOverridesKey, kMenuBuilder, REG_SZ, previous_->c_str(),
                        static_cast<DWORD>(previous_->size() + 1));
    else
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kWineOverridesKey, kMenuBuilder);
    if (!keyExisted_) RegDeleteKeyA(HKEY_CURRENT_USER, kWineOverridesKey);
}

void TInstallerTest::SetUp() {
    if (!FileExists(InstallerPath())) GTEST_SKIP() << "no installer: " << VORLINDE_INSTALLER;
    if (AnyInstallation()) GTEST_SKIP() << "this prefix holds a Vorlinde installation; the installer tests leave it alone";
    owned_ = true;
    e2e::DeleteProgramSettings();
}

void TInstallerTest::TearDown() {
    if (!owned_) return;
    for (const TInstallPlaces& places : {PerUserPlaces(), MachineWidePlaces()}) {
        if (FileExists(places.folder + "\\uninstall.exe")) UninstallSilently(places.folder);
        RemoveInstallation(places);
    }
    e2e::DeleteProgramSettings();
}

}  // namespace installer_test
