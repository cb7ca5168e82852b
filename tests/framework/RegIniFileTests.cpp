// The registry-ini object against Wine's real registry. Each test owns the key
// HKCU\Software\VorlindeTests\<suite>.<test> and deletes it before and after running.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "framework/Exceptions.h"
#include "framework/RegIniFile.h"
#include "framework/Strings.h"

namespace vl {
namespace {

class RegIniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::string("Software\\VorlindeTests\\") + info->test_suite_name() + "." + info->name();
        RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str()); }

    std::string Path(const std::string& sub) const { return sub.empty() ? path_ : path_ + "\\" + sub; }

    // Stores a raw value under the test key, bypassing the object under test.
    void PutRaw(const std::string& sub, const std::string& name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, Path(sub).c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key, nullptr));
        TRegKey owner(key);
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size));
    }
    void PutText(const std::string& sub, const std::string& name, const std::string& text, DWORD type = REG_SZ) {
        PutRaw(sub, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }
    bool KeyExists(const std::string& sub) const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, Path(sub).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }
    // Type and text of a value as stored.
    std::pair<DWORD, std::string> GetRaw(const std::string& sub, const std::string& name) const {
        char buffer[256] = {};
        DWORD type = 0, size = sizeof(buffer) - 1;
        LONG r = RegGetValueA(HKEY_CURRENT_USER, Path(sub).c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                              buffer, &size);
        return {r == ERROR_SUCCESS ? type : REG_NONE, buffer};
    }

    std::string path_;
};

TEST_F(RegIniFileTest, ConstructorCreatesMissingKey) {
    TRegIniFile ini(path_);
    EXPECT_NE(nullptr, ini.CurrentKey());
    EXPECT_EQ(path_, ini.CurrentPath());
    EXPECT_TRUE(KeyExists(""));
}

TEST_F(RegIniFileTest, MissingSectionOrValueReadsAsDefault) {
    TRegIniFile ini(path_);
    PutText("Options", "Other", "x");
    EXPECT_EQ("dflt", ini.ReadString("Missing", "Name", "dflt"));
    EXPECT_EQ("dflt", ini.ReadString("Options", "Name", "dflt"));
    EXPECT_EQ(42, ini.ReadInteger("Options", "Count", 42));
    EXPECT_TRUE(ini.ReadBool("Missing", "Flag", true));
    EXPECT_FALSE(KeyExists("Missing"));
}

TEST_F(RegIniFileTest, WriteCreatesSectionAndStoresEveryKindAsString) {
    TRegIniFile ini(path_);
    ini.WriteString("Options", "Name", "msn.sui");
    ini.WriteInteger("Options", "Count", -12);
    ini.WriteBool("Options", "On", true);
    ini.WriteBool("Options", "Off", false);
    EXPECT_EQ(std::make_pair(DWORD(REG_SZ), std::string("msn.sui")), GetRaw("Options", "Name"));
    EXPECT_EQ(std::make_pair(DWORD(REG_SZ), std::string("-12")), GetRaw("Options", "Count"));
    EXPECT_EQ(std::make_pair(DWORD(REG_SZ), std::string("1")), GetRaw("Options", "On"));
    EXPECT_EQ(std::make_pair(DWORD(REG_SZ), std::string("0")), GetRaw("Options", "Off"));
}

TEST_F(RegIniFileTest, IntegerTextMayHaveSurroundingBlanks) {
    PutText("S", "N", " 7 ");
    TRegIniFile ini(path_);
    EXPECT_EQ(7, ini.ReadInteger("S", "N", 0));
}

TEST_F(RegIniFileTest, NonIntegerTextReadsAsDefault) {
    PutText("S", "N", "abc");
    TRegIniFile ini(path_);
    EXPECT_EQ(5, ini.ReadInteger("S", "N", 5));
    EXPECT_TRUE(ini.ReadBool("S", "N", true));
    EXPECT_FALSE(ini.ReadBool("S", "N", false));
}

TEST_F(RegIniFileTest, BoolIsTrueForAnyNonZeroInteger) {
    PutText("S", "Two", "2");
    PutText("S", "MinusOne", "-1");
    PutText("S", "Zero", "0");
    TRegIniFile ini(path_);
    EXPECT_TRUE(ini.ReadBool("S", "Two", false));
    EXPECT_TRUE(ini.ReadBool("S", "MinusOne", false));
    EXPECT_FALSE(ini.ReadBool("S", "Zero", true));
}

TEST_F(RegIniFileTest, DwordValueRaisesInvalidDataType) {
    DWORD one = 1;
    PutRaw("Options", "PlayOrder", REG_DWORD, &one, sizeof(one));
    TRegIniFile ini(path_);
    try {
        ini.ReadInteger("Options", "PlayOrder", 0);
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ("Invalid data type for 'PlayOrder'", e.what());
    }
}

TEST_F(RegIniFileTest, ExpandSzIsReadVerbatim) {
    PutText("S", "P", "%WINDIR%\\x", REG_EXPAND_SZ);
    TRegIniFile ini(path_);
    EXPECT_EQ("%WINDIR%\\x", ini.ReadString("S", "P", ""));
}

TEST_F(RegIniFileTest, StringStoredWithoutTerminatingNulIsReadWhole) {
    PutRaw("S", "P", REG_SZ, "abcd", 4);
    TRegIniFile ini(path_);
    EXPECT_EQ("abcd", ini.ReadString("S", "P", ""));
}

TEST_F(RegIniFileTest, LongStringRoundTrips) {
    std::string text(100000, 'x');
    text[54321] = 'y';
    TRegIniFile ini(path_);
    ini.WriteString("S", "Long", text);
    EXPECT_EQ(text, ini.ReadString("S", "Long", ""));
}

TEST_F(RegIniFileTest, EraseSectionRemovesNestedSubkeys) {
    PutText("MovieList\\Deep\\Deeper", "V", "1");
    PutText("MovieList", "Count", "1");
    PutText("Options", "Keep", "1");
    TRegIniFile ini(path_);
    ini.EraseSection("MovieList");
    EXPECT_FALSE(KeyExists("MovieList"));
    EXPECT_TRUE(KeyExists("Options"));
    ini.EraseSection("MovieList");  // already gone: no error
}

TEST_F(RegIniFileTest, DeleteKeyRemovesValueAndIgnoresMissingOne) {
    PutText("Run", "Vorlinde", "c:\\v.exe");
    PutText("Run", "Other", "x");
    TRegIniFile ini(path_);
    ini.DeleteKey("Run", "Vorlinde");
    ini.DeleteKey("Run", "Vorlinde");
    EXPECT_FALSE(ini.ValueExists("Run", "Vorlinde"));
    EXPECT_TRUE(ini.ValueExists("Run", "Other"));
}

TEST_F(RegIniFileTest, EmptySectionIsTheOpenKey) {
    TRegIniFile ini(path_);
    ini.WriteString("", "Top", "t");
    EXPECT_EQ("t", GetRaw("", "Top").second);
    EXPECT_EQ("t", ini.ReadString("", "Top", ""));
}

TEST_F(RegIniFileTest, OpenKeyIsRelativeToTheOpenKey) {
    TRegIniFile ini(path_);
    ASSERT_TRUE(ini.OpenKey("Sub", true));
    EXPECT_EQ(Path("Sub"), ini.CurrentPath());
    ini.WriteString("S", "V", "1");
    EXPECT_EQ("1", GetRaw("Sub\\S", "V").second);
}

TEST_F(RegIniFileTest, OpenKeyWithLeadingBackslashStartsFromRoot) {
    TRegIniFile ini(path_);
    ASSERT_TRUE(ini.OpenKey("\\" + Path("Abs"), true));
    EXPECT_EQ(Path("Abs"), ini.CurrentPath());
    EXPECT_TRUE(KeyExists("Abs"));
}

TEST_F(RegIniFileTest, FailedOpenKeyLeavesNoKeyAndSectionsActFromRoot) {
    TRegIniFile ini(path_);
    EXPECT_FALSE(ini.OpenKey("Missing", false));
    EXPECT_EQ(nullptr, ini.CurrentKey());
    EXPECT_EQ("", ini.CurrentPath());
    ini.WriteString(Path("Sec"), "V", "x");
    EXPECT_EQ("x", GetRaw("Sec", "V").second);
    EXPECT_EQ("x", ini.ReadString(Path("Sec"), "V", ""));
}

TEST_F(RegIniFileTest, UncreatableSectionRaisesFailedToCreateKey) {
    // A volatile key cannot hold the lasting subkey a write creates.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    TRegKey owner(key);
    TRegIniFile ini(path_);
    try {
        ini.WriteString("Options", "V", "1");
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ("Failed to create key Options", e.what());
    }
}

TEST_F(RegIniFileTest, UnwritableValueRaisesFailedToSetData) {
    PutText("", "V", "1");
    HKEY readOnly = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &readOnly));
    TRegKey owner(readOnly);
    TRegIniFile ini(path_);
    ini.SetRootKey(readOnly);
    try {
        ini.WriteString("", "V", "2");
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ("Failed to set data for 'V'", e.what());
    }
}

TEST_F(RegIniFileTest, ReadSectionListsValueNamesAndReadSectionsSubkeys) {
    PutText("Options", "A", "1");
    PutText("Options", "B", "2");
    PutText("MovieList", "Count", "0");
    TRegIniFile ini(path_);
    TStringList names;
    names.Add("stale");
    ini.ReadSection("Options", names);
    names.SetSorted(true);
    EXPECT_EQ("A,B", names.CommaText());
    TStringList sections;
    ini.ReadSections(sections);
    sections.SetSorted(true);
    EXPECT_EQ("MovieList,Options", sections.CommaText());
}

}  // namespace
}  // namespace vl
