// Settings store: moves the settings between the registry and the main window's controls.
// Every value is stored as text under "SOFTWARE\Vorlinde" of the current user; autostart is
// the "Vorlinde" value under the shell's "Run" key.
#include "app/MainForm.h"
#include "app/ProgramState.h"
#include "framework/Application.h"
#include "framework/StdCtrls.h"
#include "framework/StringUtils.h"
#include "skin/FileTheme.h"
#include "skin/ThemeManager.h"

namespace vorlinde {

namespace {

constexpr char kRunParentKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char kRunSection[] = "Run";
constexpr char kRunValue[] = "Vorlinde";
constexpr char kDefaultSkin[] = "msn.sui";

// A stored count above this is not taken at its word: a damaged count would make start-up read
// and add that many (mostly empty) lines. The playlist then ends with the highest numbered
// entry present, which for a list the program saved itself is the count anyway.
constexpr int kMaxTrustedCount = 10000;

// Moves RegSettings to the shell's CurrentVersion key for as long as it lives, then back to the
// settings key, also when a step in between failed.
class TOnShellRunKey {
public:
    TOnShellRunKey() {
        RegSettings->CloseKey();
        RegSettings->OpenKey(kRunParentKey, false);
    }
    ~TOnShellRunKey() {
        try {
            RegSettings->CloseKey();
            RegSettings->OpenKey(kSettingsKey, false);
        } catch (...) {
            // Reopening fails quietly like any OpenKey without creating; nothing to report.
        }
    }
    TOnShellRunKey(const TOnShellRunKey&) = delete;
    TOnShellRunKey& operator=(const TOnShellRunKey&) = delete;
};

// The highest n for which "MovieList"/n exists (0 when none does).
int HighestStoredEntry() {
    vl::TStringList names;
    RegSettings->ReadSection("MovieList", names);
    int highest = 0;
    for (int i = 0; i < names.Count(); ++i)
        if (auto n = vl::TryStrToInt(names[i]); n && *n > highest && vl::IntToStr(*n) == names[i]) highest = *n;
    return highest;
}

}  // namespace

void TForm1::LoadSettings() {
    std::string skinName = RegSettings->ReadString("Options", "SkinName", kDefaultSkin);
    if (vl::FileExists(skinName)) {
        suiFileTheme1->SetThemeFile(skinName);
        suiThemeManager1->SetUIStyle(TsuiUIStyle::FromThemeFile);
        suiThemeManager1->SetFileTheme(suiFileTheme1);
    }

    chkPreview->SetChecked(RegSettings->ReadBool("Options", "Preview", true));
    chkStartPlay->SetChecked(RegSettings->ReadBool("Options", "StartPlay", true));
    chkAutoStart->SetChecked(RegSettings->ReadBool("Options", "AutoStart", true));
    rdgOrder->SetItemIndex(RegSettings->ReadInteger("Options", "PlayOrder", 0));

    int count = RegSettings->ReadInteger("MovieList", "Count", 0);
    if (count > kMaxTrustedCount) count = HighestStoredEntry();
    if (count > 0) {
        vl::TStrings* items = lsbMovie->Items();
        items->Update([&] {
            for (int i = 1; i <= count; ++i) items->Add(RegSettings->ReadString("MovieList", vl::IntToStr(i), ""));
        });
    }

    TOnShellRunKey runKey;
    if (RegSettings->ReadString(kRunSection, kRunValue, "").empty()) chkAutoStart->SetChecked(false);
}

void TForm1::SaveSettings() {
    RegSettings->WriteBool("Options", "Preview", chkPreview->Checked());
    RegSettings->WriteBool("Options", "StartPlay", chkStartPlay->Checked());
    RegSettings->WriteBool("Options", "AutoStart", chkAutoStart->Checked());
    RegSettings->WriteInteger("Options", "PlayOrder", rdgOrder->ItemIndex());

    RegSettings->EraseSection("MovieList");
    vl::TStrings* items = lsbMovie->Items();
    RegSettings->WriteInteger("MovieList", "Count", items->Count());
    for (int i = 0; i < items->Count(); ++i) RegSettings->WriteString("MovieList", vl::IntToStr(i + 1), items->Strings(i));

    TOnShellRunKey runKey;
    if (chkAutoStart->Checked())
        RegSettings->WriteString(kRunSection, kRunValue, vl::Application->ExeName());
    else
        RegSettings->DeleteKey(kRunSection, kRunValue);
}

}  // namespace vorlinde
