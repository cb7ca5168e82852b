// Theme files: the magic, the entry chain and its lookups, malformed and hostile files. The
// bitmap decoder that every bitmap entry passes through is tested with the framework
// (tests/framework/BitmapFileTests.cpp).
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "SkinTestSupport.h"
#include "framework/BitmapFile.h"
#include "skin/FileTheme.h"
#include "skin/ThemeFileFormat.h"
#include "skin/ThemeFileReader.h"
#include "skin/ThemeItems.h"

using namespace vorlinde;
using suiwriter::PokeU32;
using suiwriter::TThemeFileWriter;

namespace {

TThemeFileTables Parse(const std::vector<uint8_t>& file, const TThemeFileLimits& limits = {},
                       TThemeParseStatus* status = nullptr) {
    TThemeMemorySource source(file.data(), file.size());
    TThemeFileTables tables;
    const TThemeParseStatus s = ParseThemeFile(source, tables, limits);
    if (status) *status = s;
    return tables;
}

size_t ItemCount(const TThemeFileTables& t) {
    return t.Bitmaps().size() + t.Integers().size() + t.Flags().size() + t.Texts().size();
}

std::vector<uint8_t> ThreeIntegers() {
    TThemeFileWriter w;
    w.AddInteger("FormMinWidthInt", 1);
    w.AddInteger("FormRoundCornerInt", 2);
    w.AddInteger("FormBorderWidthInt", 3);
    return w.Build();
}

// Offset of record n (from 0) in a file of integer entries written by the writer.
size_t IntegerRecord(size_t n) { return kThemeHeaderSize + n * (kThemeEntrySize + 4); }

}  // namespace

// ----------------------------------------------------------------------------------- magic

TEST(ThemeFileMagic, WrittenFileIsValid) {
    skintest::TempFile file(skintest::UniqueName("magic"), ThreeIntegers());
    EXPECT_TRUE(IsValidThemeFile(file.Path()));
}

TEST(ThemeFileMagic, LetterCaseCounts) {
    std::vector<uint8_t> bytes = ThreeIntegers();
    bytes[0] = 'm';  // "morvale_TB"
    skintest::TempFile file(skintest::UniqueName("magic-case"), bytes);
    EXPECT_FALSE(IsValidThemeFile(file.Path()));
}

TEST(ThemeFileMagic, TheZeroAfterTheMagicCounts) {
    std::vector<uint8_t> bytes = ThreeIntegers();
    bytes[10] = 'X';  // "Morvale_TBX"
    EXPECT_FALSE(HasThemeFileMagic(bytes.data(), bytes.size()));
}

TEST(ThemeFileMagic, MissingOrShortFileIsInvalid) {
    EXPECT_FALSE(IsValidThemeFile("no-such-theme-file.sui"));
    skintest::TempFile file(skintest::UniqueName("short"), {'M', 'o', 'r', 'v', 'a', 'l', 'e', '_', 'T', 'B', 0});
    EXPECT_FALSE(IsValidThemeFile(file.Path()));
}

// ----------------------------------------------------------------------------------- chain

TEST(ThemeFileChain, ThreeRecordsWithTheThirdClosingGiveTwoItems) {
    TThemeFileWriter w;
    w.AddInteger("FormMinWidthInt", 1);
    w.AddFlag("ButtonTransparentBool", 1);
    const TThemeFileTables t = Parse(w.Build());  // two items and the closing record
    EXPECT_EQ(ItemCount(t), 2u);
}

TEST(ThemeFileChain, FirstRecordClosingGivesNoItems) {
    EXPECT_EQ(ItemCount(Parse(TThemeFileWriter().Build())), 0u);
}

TEST(ThemeFileChain, EachKindGoesToItsTable) {
    TThemeFileWriter w;
    w.AddBitmap("ButtonImage", skintest::SolidBmp(2, 2, 0x123456));
    w.AddInteger("FormBorderColor", 0x00C82C00);
    w.AddFlag("ButtonTransparentBool", 7);
    w.AddText("Author", "Someone");
    w.AddEntry("Unknown", 9, {1, 2, 3});
    const TThemeFileTables t = Parse(w.Build());
    ASSERT_EQ(t.Bitmaps().size(), 1u);
    EXPECT_EQ(t.Bitmaps()[0].data, skintest::SolidBmp(2, 2, 0x123456));
    EXPECT_EQ(t.FindInteger("FormBorderColor"), 0x00C82C00);
    EXPECT_EQ(t.FindFlag("ButtonTransparentBool"), 7);
    ASSERT_EQ(t.Texts().size(), 1u);
    EXPECT_EQ(t.Texts()[0].value, "Someone");
}

TEST(ThemeFileChain, NamesIgnoreLetterCase) {
    TThemeFileWriter w;
    w.AddInteger("formBORDERcolor", 42);
    EXPECT_EQ(Parse(w.Build()).FindInteger("FormBorderColor"), 42);
}

TEST(ThemeFileChain, FirstOfTwoEqualNamesWins) {
    TThemeFileWriter w;
    w.AddInteger("FormBorderColor", 1);
    w.AddInteger("FORMBORDERCOLOR", 2);
    EXPECT_EQ(Parse(w.Build()).FindInteger("FormBorderColor"), 1);
}

TEST(ThemeFileChain, NameWithoutTerminatorIsSixtyFourCharacters) {
    const std::string longName(70, 'N');
    TThemeFileWriter w;
    w.AddInteger(longName, 5);
    const TThemeFileTables t = Parse(w.Build());
    ASSERT_EQ(t.Integers().size(), 1u);
    EXPECT_EQ(t.Integers()[0].name, std::string(64, 'N'));
}

// ------------------------------------------------------------------------- hostile files

TEST(ThemeFileHostile, ChainTurningBackEndsWithoutRepeating) {
    std::vector<uint8_t> file = ThreeIntegers();
    PokeU32(file, IntegerRecord(1) + 73, static_cast<uint32_t>(IntegerRecord(0)));  // second -> first
    const TThemeFileTables t = Parse(file);
    EXPECT_EQ(ItemCount(t), 2u);
}

TEST(ThemeFileHostile, RecordPointingAtItselfIsReadOnce) {
    std::vector<uint8_t> file = ThreeIntegers();
    PokeU32(file, IntegerRecord(0) + 73, static_cast<uint32_t>(IntegerRecord(0)));
    EXPECT_EQ(ItemCount(Parse(file)), 1u);
}

TEST(ThemeFileHostile, RecordPastTheEndEndsTheChain) {
    std::vector<uint8_t> file = ThreeIntegers();
    PokeU32(file, IntegerRecord(1) + 73, static_cast<uint32_t>(file.size() - 10));
    const TThemeFileTables t = Parse(file);
    EXPECT_EQ(ItemCount(t), 2u);
}

TEST(ThemeFileHostile, HugeOffsetsEndTheChain) {
    std::vector<uint8_t> file = ThreeIntegers();
    PokeU32(file, 20, 0xFFFFFFF0u);
    EXPECT_EQ(ItemCount(Parse(file)), 0u);
}

TEST(ThemeFileHostile, HeaderSizeBelow24MeansNoItems) {
    EXPECT_EQ(ItemCount(Parse(skintest::WithHeaderSize(ThreeIntegers(), 16))), 0u);
}

TEST(ThemeFileHostile, HeaderSizeAbove24IsReadAs24) {
    EXPECT_EQ(ItemCount(Parse(skintest::WithHeaderSize(ThreeIntegers(), 4096))), 3u);
}

TEST(ThemeFileHostile, FileShorterThanTheHeaderHasNoItems) {
    std::vector<uint8_t> file = ThreeIntegers();
    file.resize(20);
    EXPECT_EQ(ItemCount(Parse(file)), 0u);
}

TEST(ThemeFileHostile, IntegerOfTwoBytesIsZeroExtended) {
    TThemeFileWriter w;
    w.AddEntry("FormMinWidthInt", 1, {0xFF, 0xFF});
    EXPECT_EQ(Parse(w.Build()).FindInteger("FormMinWidthInt"), 0xFFFF);
}

TEST(ThemeFileHostile, IntegerOfEightBytesTakesTheFirstFour) {
    TThemeFileWriter w;
    w.AddEntry("FormMinWidthInt", 1, {7, 0, 0, 0, 9, 9, 9, 9});
    EXPECT_EQ(Parse(w.Build()).FindInteger("FormMinWidthInt"), 7);
}

TEST(ThemeFileHostile, EmptyIntegerAndFlagAreSkipped) {
    TThemeFileWriter w;
    w.AddEntry("FormMinWidthInt", 1, {});
    w.AddEntry("ButtonTransparentBool", 2, {});
    w.AddInteger("FormRoundCornerInt", 4);
    const TThemeFileTables t = Parse(w.Build());
    EXPECT_EQ(t.FindInteger("FormMinWidthInt"), std::nullopt);
    EXPECT_EQ(t.FindFlag("ButtonTransparentBool"), std::nullopt);
    EXPECT_EQ(t.FindInteger("FormRoundCornerInt"), 4);
}

TEST(ThemeFileHostile, TextPastTheEndEndsTheChain) {
    TThemeFileWriter w;
    w.AddInteger("FormMinWidthInt", 1);
    w.AddText("Author", "abc");
    w.AddInteger("FormRoundCornerInt", 2);
    std::vector<uint8_t> file = w.Build();
    PokeU32(file, IntegerRecord(1) + 69, 1000000);  // the text's data size
    const TThemeFileTables t = Parse(file);
    EXPECT_EQ(ItemCount(t), 1u);
}

TEST(ThemeFileHostile, BitmapPastTheEndIsReported) {
    TThemeFileWriter w;
    w.AddBitmap("ButtonImage", skintest::SolidBmp(3, 3, 0));
    std::vector<uint8_t> file = w.Build();
    file.resize(file.size() - kThemeEntrySize - 5);
    TThemeParseStatus status;
    Parse(file, {}, &status);
    EXPECT_EQ(status, TThemeParseStatus::BitmapDataTruncated);
}

TEST(ThemeFileHostile, RecordLimitEndsTheChain) {
    TThemeFileWriter w;
    for (int i = 0; i < 10; ++i) w.AddInteger("N" + std::to_string(i), i);
    TThemeFileLimits limits;
    limits.maxRecords = 4;
    EXPECT_EQ(ItemCount(Parse(w.Build(), limits)), 4u);
}

TEST(ThemeFileHostile, DataLimitEndsTheChainBeforeTheEntry) {
    TThemeFileWriter w;
    w.AddText("A", std::string(600, 'a'));
    w.AddText("B", std::string(600, 'b'));
    TThemeFileLimits limits;
    limits.maxDataBytes = 1000;
    const TThemeFileTables t = Parse(w.Build(), limits);
    ASSERT_EQ(t.Texts().size(), 1u);
    EXPECT_EQ(t.Texts()[0].name, "A");
}

TEST(ThemeFileHostile, RepeatedBitmapDataIsBoundedByTheDataLimit) {
    // A thousand records that all point at the same 1000-byte bitmap data.
    std::vector<uint8_t> file(kThemeHeaderSize, 0);
    std::memcpy(file.data(), kThemeFileMagic, sizeof kThemeFileMagic);
    PokeU32(file, 12, 24);
    PokeU32(file, 20, 24);
    const size_t records = 1000, dataOffset = kThemeHeaderSize + (records + 1) * kThemeEntrySize;
    for (size_t i = 0; i <= records; ++i) {
        const size_t at = file.size();
        file.resize(at + kThemeEntrySize, 0);
        file[at] = 'B';
        file[at + 64] = 0;
        PokeU32(file, at + 65, static_cast<uint32_t>(dataOffset));
        PokeU32(file, at + 69, 1000);
        PokeU32(file, at + 73, i < records ? static_cast<uint32_t>(at + kThemeEntrySize) : 0);
    }
    file.resize(dataOffset + 1000, 0);
    TThemeFileLimits limits;
    limits.maxDataBytes = 100000;
    const TThemeFileTables t = Parse(file, limits);
    EXPECT_EQ(t.Bitmaps().size(), 100u);
}

TEST(ThemeFileHostile, SeedCorpusLoadsWithoutFailing) {
    namespace fs = std::filesystem;
    int files = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(VORLINDE_THEME_CORPUS_DIR)) {
        std::ifstream in(e.path(), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        TThemeParseStatus status;
        const TThemeFileTables t = Parse(bytes, {}, &status);
        for (const auto& b : t.Bitmaps()) {
            vl::TBitmapImage image;
            vl::DecodeBitmapFile(b.data.data(), b.data.size(), image, kThemeBitmapLimits);
        }
        ++files;
    }
    EXPECT_GE(files, 10);
}

// ---------------------------------------------------------------------------------- reader

TEST(ThemeFileReader, LookupsAnswerMinusOneAndFalseWhenAbsent) {
    skintest::TempFile file(skintest::UniqueName("reader"), ThreeIntegers());
    TsuiThemeFileReader reader(file.Path());
    EXPECT_EQ(reader.Integer("FormRoundCornerInt"), 2);
    EXPECT_EQ(reader.Integer("FormBorderColor"), -1);
    EXPECT_FALSE(reader.Flag("ButtonTransparentBool"));
    EXPECT_EQ(reader.BitmapStream("ButtonImage"), nullptr);
}

TEST(ThemeFileReader, BitmapStreamIsRewound) {
    TThemeFileWriter w;
    w.AddBitmap("ButtonImage", skintest::SolidBmp(2, 2, 0xFF));
    skintest::TempFile file(skintest::UniqueName("stream"), w.Build());
    TsuiThemeFileReader reader(file.Path());
    vl::TStream* stream = reader.BitmapStream("buttonimage");
    ASSERT_NE(stream, nullptr);
    stream->Seek(10, vl::TSeekOrigin::Begin);
    EXPECT_EQ(reader.BitmapStream("ButtonImage")->Position(), 0);
    EXPECT_EQ(stream->Size(), static_cast<int64_t>(skintest::SolidBmp(2, 2, 0xFF).size()));
}

TEST(ThemeFileReader, BitmapPastTheEndRaisesStreamReadError) {
    TThemeFileWriter w;
    w.AddBitmap("ButtonImage", skintest::SolidBmp(3, 3, 0));
    std::vector<uint8_t> bytes = w.Build();
    bytes.resize(bytes.size() - kThemeEntrySize - 5);
    skintest::TempFile file(skintest::UniqueName("truncated"), bytes);
    try {
        TsuiThemeFileReader reader(file.Path());
        FAIL() << "no error";
    } catch (const vl::EStreamError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
}
