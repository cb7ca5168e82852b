// The saved-desktop record: written with the user's settings before desktop playback takes the
// desktop, removed once both are back, given back to the desktop when a run left it behind,
// and never holding the video's settings as the user's.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "VideoWindowTestSupport.h"
#include "framework/Control.h"
#include "framework/HiddenWindow.h"
#include "media/DesktopSettings.h"
#include "media/SavedDesktop.h"

namespace {

using namespace vorlinde;
using videotest::ReadWallpaperValue;
using videotest::TVideoHost;

constexpr char kUserWallpaper[] = "C:\\windows\\vorlinde-record-wallpaper.bmp";
constexpr COLORREF kUserColor = RGB(58, 110, 165);
constexpr COLORREF kKey = RGB(16, 0, 16);
constexpr char kColorsKey[] = "Control Panel\\Colors";

std::optional<std::string> RecordValue(const char* name) {
    char text[512] = {};
    DWORD size = sizeof(text) - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, kSavedDesktopKey, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(text);
}

void SetRecordValue(const char* name, const std::string& value) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kSavedDesktopKey, name, REG_SZ, value.c_str(),
                    static_cast<DWORD>(value.size() + 1));
}

bool RecordExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSavedDesktopKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::string Wallpaper() {
    std::string value;
    return ReadWallpaperValue(value) ? value : "<missing>";
}

// Desktop playback writes its record below the program's settings key, which the media tests
// otherwise never create: every media test process leaves the key as it found it.
class TSettingsKeyEnvironment : public testing::Environment {
public:
    void SetUp() override { existed_ = KeyExists(); }
    void TearDown() override {
        ClearSavedDesktop();
        if (!existed_) RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    }

private:
    static constexpr char kSettingsKey[] = "SOFTWARE\\Vorlinde";
    static bool KeyExists() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }
    bool existed_ = false;
};

[[maybe_unused]] testing::Environment* const settingsKeyEnvironment =
    testing::AddGlobalTestEnvironment(new TSettingsKeyEnvironment);

// The profile's stored desktop colour, put back at the end.
class TStoredColorScope {
public:
    TStoredColorScope() {
        char text[64] = {};
        DWORD size = sizeof(text) - 1;
        if (RegGetValueA(HKEY_CURRENT_USER, kColorsKey, "Background", RRF_RT_REG_SZ, nullptr, text, &size) ==
            ERROR_SUCCESS)
            old_ = text;
    }
    ~TStoredColorScope() {
        if (old_) Set(*old_);
        else RegDeleteKeyValueA(HKEY_CURRENT_USER, kColorsKey, "Background");
    }
    TStoredColorScope(const TStoredColorScope&) = delete;
    TStoredColorScope& operator=(const TStoredColorScope&) = delete;
    static void Set(const std::string& text) {
        RegSetKeyValueA(HKEY_CURRENT_USER, kColorsKey, "Background", REG_SZ, text.c_str(),
                        static_cast<DWORD>(text.size() + 1));
    }

private:
    std::optional<std::string> old_;
};

class SavedDesktop : public testing::Test {
protected:
    void SetUp() override {
        mediatest::RecordedExceptions().clear();
        ClearSavedDesktop();
        videotest::WriteWallpaperValue(kUserWallpaper);
        SetDesktopColor(kUserColor);
    }
    void TearDown() override {
        ClearSavedDesktop();
        EXPECT_TRUE(mediatest::RecordedExceptions().empty());
    }

    videotest::TDesktopSettingsGuard desktop_;
};

class DesktopPlaybackRecord : public SavedDesktop {};

// --- the record

TEST_F(SavedDesktop, WhatIsWrittenIsReadBack) {
    WriteSavedDesktop({"C:\\some where\\x.bmp", RGB(1, 2, 3)});
    EXPECT_EQ(ReadSavedDesktop(), (TDesktopLook{"C:\\some where\\x.bmp", RGB(1, 2, 3)}));
    EXPECT_EQ(RecordValue("Wallpaper"), "C:\\some where\\x.bmp");
    EXPECT_EQ(RecordValue("DesktopColor"), std::to_string(RGB(1, 2, 3)));
}

TEST_F(SavedDesktop, AnEmptyWallpaperIsAValidRecord) {
    WriteSavedDesktop({"", RGB(0, 0, 0)});
    EXPECT_EQ(ReadSavedDesktop(), (TDesktopLook{"", 0}));
}

TEST_F(SavedDesktop, ClearRemovesTheWholeRecord) {
    WriteSavedDesktop({kUserWallpaper, kUserColor});
    ClearSavedDesktop();
    EXPECT_FALSE(RecordExists());
    EXPECT_EQ(ReadSavedDesktop(), std::nullopt);
    ClearSavedDesktop();  // nothing to remove: no error
}

TEST_F(SavedDesktop, ARecordWithoutItsColourWasCutOffAndIsNotARecord) {
    SetRecordValue("Wallpaper", kUserWallpaper);
    EXPECT_EQ(ReadSavedDesktop(), std::nullopt);
}

TEST_F(SavedDesktop, AColourThatIsNotADecimalColourMakesTheRecordUnusable) {
    SetRecordValue("Wallpaper", kUserWallpaper);
    for (const char* text : {"", "12x", "-5", "+5", " 5", "16777216", "99999999999999999999", "0x10"}) {
        SetRecordValue("DesktopColor", text);
        EXPECT_EQ(ReadSavedDesktop(), std::nullopt) << text;
    }
    SetRecordValue("DesktopColor", "16777215");
    EXPECT_EQ(ReadSavedDesktop(), (TDesktopLook{kUserWallpaper, 0xFFFFFF}));
}

TEST_F(SavedDesktop, AColourStoredAsANumberIsUnusable) {
    SetRecordValue("Wallpaper", kUserWallpaper);
    const DWORD color = kUserColor;
    RegSetKeyValueA(HKEY_CURRENT_USER, kSavedDesktopKey, "DesktopColor", REG_DWORD, &color, sizeof(color));
    EXPECT_EQ(ReadSavedDesktop(), std::nullopt);
}

// --- giving a record back

TEST_F(SavedDesktop, RestoreGivesBothBackAndRemovesTheRecord) {
    WriteSavedDesktop({kUserWallpaper, kUserColor});
    videotest::WriteWallpaperValue("");
    SetDesktopColor(kKey);
    EXPECT_TRUE(RestoreSavedDesktop());
    EXPECT_EQ(Wallpaper(), kUserWallpaper);
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), kUserColor);
    EXPECT_FALSE(RecordExists());
}

TEST_F(SavedDesktop, RestoreWithoutARecordTouchesNothing) {
    EXPECT_FALSE(RestoreSavedDesktop());
    EXPECT_EQ(Wallpaper(), kUserWallpaper);
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), kUserColor);
    EXPECT_FALSE(RecordExists());
}

TEST_F(SavedDesktop, AnUnusableRecordIsRemovedWithoutBeingApplied) {
    SetRecordValue("Wallpaper", "C:\\elsewhere.bmp");
    SetRecordValue("DesktopColor", "green");
    EXPECT_FALSE(RestoreSavedDesktop());
    EXPECT_EQ(Wallpaper(), kUserWallpaper);
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), kUserColor);
    EXPECT_FALSE(RecordExists());
}

TEST_F(SavedDesktop, RestoreWritesNoWallpaperWhereTheValueIsMissing) {
    videotest::DeleteWallpaperValue();
    WriteSavedDesktop({kUserWallpaper, RGB(9, 9, 9)});
    EXPECT_TRUE(RestoreSavedDesktop());
    EXPECT_EQ(Wallpaper(), "<missing>");
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), RGB(9, 9, 9));
}

// --- what desktop playback saves as the user's

TEST_F(SavedDesktop, TheUsersDesktopIsTheDesktopAsItIs) {
    EXPECT_EQ(UsersDesktop(kKey), (TDesktopLook{kUserWallpaper, kUserColor}));
}

TEST_F(SavedDesktop, ARecordLeftBehindIsTheUsersDesktop) {
    WriteSavedDesktop({"C:\\left.bmp", RGB(4, 5, 6)});
    videotest::WriteWallpaperValue("");
    SetDesktopColor(kKey);
    EXPECT_EQ(UsersDesktop(kKey), (TDesktopLook{"C:\\left.bmp", RGB(4, 5, 6)}));
}

TEST_F(SavedDesktop, TheColourKeyIsNeverTakenForTheUsersColour) {
    TStoredColorScope stored;
    TStoredColorScope::Set("7 8 9");
    SetDesktopColor(kKey);
    EXPECT_EQ(UsersDesktop(kKey).color, RGB(7, 8, 9));
    // Without a stored colour to stand in, the key is all there is.
    TStoredColorScope::Set("7 8");
    EXPECT_EQ(UsersDesktop(kKey).color, kKey);
}

TEST_F(SavedDesktop, StoredColoursOutOfRangeAreIgnored) {
    TStoredColorScope stored;
    for (const char* text : {"256 0 0", "-1 0 0", "1 2 3 4", "a b c"}) {
        TStoredColorScope::Set(text);
        EXPECT_EQ(StoredDesktopColor(RGB(1, 1, 1)), RGB(1, 1, 1)) << text;
    }
    TStoredColorScope::Set("255 128 0");
    EXPECT_EQ(StoredDesktopColor(0), RGB(255, 128, 0));
}

// --- desktop playback keeps the record

TEST_F(DesktopPlaybackRecord, WhileOnTheRecordHoldsTheUsersWallpaperAndColour) {
    TVideoHost host;
    host.Window().StartDesktopPlayback();
    EXPECT_EQ(ReadSavedDesktop(), (TDesktopLook{kUserWallpaper, kUserColor}));
    EXPECT_EQ(Wallpaper(), "");
}

TEST_F(DesktopPlaybackRecord, NormalPlaybackRemovesTheRecordOnceBothAreBack) {
    TVideoHost host;
    host.Window().StartDesktopPlayback();
    host.Window().NormalPlayback();
    EXPECT_FALSE(RecordExists());
    EXPECT_EQ(Wallpaper(), kUserWallpaper);
}

TEST_F(DesktopPlaybackRecord, NormalPlaybackWithoutDesktopPlaybackLeavesARecordAlone) {
    WriteSavedDesktop({"C:\\left.bmp", RGB(4, 5, 6)});
    TVideoHost host;
    host.Window().NormalPlayback();
    EXPECT_TRUE(ReadSavedDesktop().has_value());
}

TEST_F(DesktopPlaybackRecord, DestroyingTheWindowWhileOnRemovesTheRecord) {
    TVideoHost host;
    host.Window().StartDesktopPlayback();
    host.DestroyWindow();
    EXPECT_FALSE(RecordExists());
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), kUserColor);
}

TEST_F(DesktopPlaybackRecord, ASecondStartKeepsTheUsersRecord) {
    TVideoHost host;
    host.Window().StartDesktopPlayback();
    host.Window().StartDesktopPlayback();
    EXPECT_EQ(ReadSavedDesktop(), (TDesktopLook{kUserWallpaper, kUserColor}));
}

TEST_F(DesktopPlaybackRecord, ARecordLeftBehindIsWhatComesBackNotTheVideosSettings) {
    WriteSavedDesktop({kUserWallpaper, kUserColor});
    videotest::WriteWallpaperValue("");
    SetDesktopColor(kKey);
    TVideoHost host;
    host.Window().StartDesktopPlayback();
    host.Window().NormalPlayback();
    EXPECT_EQ(Wallpaper(), kUserWallpaper);
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), kUserColor);
}

TEST_F(DesktopPlaybackRecord, TheStoredColourComesBackWhenTheDesktopShowedTheKey) {
    TStoredColorScope stored;
    TStoredColorScope::Set("58 110 165");
    SetDesktopColor(kKey);
    TVideoHost host;
    host.Window().StartDesktopPlayback();
    host.Window().NormalPlayback();
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), kUserColor);
}

// Taking the desktop broadcasts its changes (the new colour as WM_SYSCOLORCHANGE), and while a
// broadcast waits for the windows of other threads, messages sent to this thread are handled:
// a log-off's close query, for one, leaves desktop playback in the middle of the start. This
// window stands in for that message: the `nth` broadcast of `message` it sees leaves desktop
// playback.
class TNormalPlaybackOnBroadcast {
public:
    TNormalPlaybackOnBroadcast(TDSVideoWindowEx2& window, UINT message, int nth)
        : window_(window), message_(message), left_(nth) {}
    bool Happened() const { return left_ == 0; }

private:
    bool Handle(UINT msg) {
        if (msg == message_ && left_ > 0 && --left_ == 0) window_.NormalPlayback();
        return false;
    }
    TDSVideoWindowEx2& window_;
    const UINT message_;
    int left_;
    vl::THiddenWindow broadcasts_{"TSavedDesktopTestsBroadcasts",
                                  {vl::THiddenWindowParams::TKind::TopLevel},
                                  [this](UINT msg, WPARAM, LPARAM, LRESULT&) { return Handle(msg); },
                                  vl::CentralBoundary};
};

TEST_F(DesktopPlaybackRecord, LeavingWhileTheColourIsTakenGivesTheDesktopBack) {
    TVideoHost host;
    TNormalPlaybackOnBroadcast leave(host.Window(), WM_SYSCOLORCHANGE, 1);
    host.Window().StartDesktopPlayback();
    ASSERT_TRUE(leave.Happened()) << "the colour's change was not broadcast";
    EXPECT_FALSE(host.Window().DesktopPlaying());
    EXPECT_EQ(Wallpaper(), kUserWallpaper);
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), kUserColor);
    EXPECT_FALSE(RecordExists());
    // The next start takes the desktop as usual.
    host.Window().StartDesktopPlayback();
    EXPECT_TRUE(host.Window().DesktopPlaying());
    EXPECT_EQ(ReadSavedDesktop(), (TDesktopLook{kUserWallpaper, kUserColor}));
    host.Window().NormalPlayback();
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), kUserColor);
}

}  // namespace
