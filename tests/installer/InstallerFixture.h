#pragma once
// The fixture of the installer tests: owns the test prefix's Vorlinde installation state for
// one test (see InstallerSupport.h) and removes what the test installed.
#include <gtest/gtest.h>

#include "InstallerSupport.h"
#include "tests/e2e/E2ESupport.h"

namespace installer_test {

// Wine's shell turns every Start-menu shortcut into a menu entry of the build machine's desktop
// (its menu builder, started by the program that saves the shortcut); while this object lives,
// the installers the tests run make none. Nothing happens on Windows.
class TMenuBuilderOff {
public:
    TMenuBuilderOff();
    ~TMenuBuilderOff();
    TMenuBuilderOff(const TMenuBuilderOff&) = delete;
    TMenuBuilderOff& operator=(const TMenuBuilderOff&) = delete;

private:
    bool active_ = false;
    bool keyExisted_ = false;
    std::optional<std::string> previous_;
};

class TInstallerTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Where a per-user installation goes: the installer's default.
    const TInstallPlaces places_ = PerUserPlaces();
    std::string InstalledExe() const { return places_.folder + "\\vorlinde.exe"; }

private:
    TMenuBuilderOff menuBuilderOff_;
    bool owned_ = false;
};

}  // namespace installer_test
