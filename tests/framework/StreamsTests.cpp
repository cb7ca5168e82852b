#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "framework/Exceptions.h"
#include "framework/Streams.h"

namespace vl {
namespace {

std::string ReadAll(TStream& stream) {
    std::string out(static_cast<size_t>(stream.Size()), '\0');
    stream.SetPosition(0);
    stream.ReadBuffer(out.data(), out.size());
    return out;
}

// A file name in the temporary folder, unique to the running test; deleted afterwards.
class StreamFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, folder);
        name_ = std::string(folder) + "vl_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".bin";
        DeleteFileA(name_.c_str());
    }
    void TearDown() override { DeleteFileA(name_.c_str()); }
    std::string name_;
};

TEST(StreamMemory, ReadStopsAtTheEnd) {
    TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    stream.SetPosition(4);
    char buffer[8] = {};
    EXPECT_EQ(2u, stream.Read(buffer, sizeof(buffer)));
    EXPECT_STREQ("ef", buffer);
    EXPECT_EQ(0u, stream.Read(buffer, sizeof(buffer)));
}

TEST(StreamMemory, ShortReadBufferRaisesReadError) {
    TMemoryStream stream;
    stream.WriteBuffer("abc", 3);
    stream.SetPosition(1);
    char buffer[4];
    try {
        stream.ReadBuffer(buffer, 3);
        FAIL() << "no exception";
    } catch (const EStreamError& e) {
        EXPECT_STREQ("Stream read error", e.what());
    }
}

TEST(StreamMemory, SeekFromEveryOrigin) {
    TMemoryStream stream;
    stream.WriteBuffer("0123456789", 10);
    EXPECT_EQ(7, stream.Seek(-3, TSeekOrigin::End));
    EXPECT_EQ(5, stream.Seek(-2, TSeekOrigin::Current));
    EXPECT_EQ(2, stream.Seek(2, TSeekOrigin::Begin));
    EXPECT_THROW(stream.Seek(-1, TSeekOrigin::Begin), EStreamError);
}

TEST(StreamMemory, WritingBeyondTheEndFillsTheGapWithZeros) {
    TMemoryStream stream;
    stream.WriteBuffer("ab", 2);
    stream.SetPosition(4);
    char buffer[1];
    EXPECT_EQ(0u, stream.Read(buffer, 1));
    stream.WriteBuffer("c", 1);
    EXPECT_EQ(std::string("ab\0\0c", 5), ReadAll(stream));
}

TEST(StreamMemory, SetSizeTruncatesAndKeepsPositionInside) {
    TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    stream.SetSize(2);
    EXPECT_EQ(2, stream.Size());
    EXPECT_EQ(2, stream.Position());
    EXPECT_EQ("ab", ReadAll(stream));
}

TEST(StreamMemory, CopyFromWithZeroCountCopiesTheWholeSource) {
    TMemoryStream source, target;
    source.WriteBuffer("payload", 7);
    EXPECT_EQ(7, target.CopyFrom(source, 0));
    EXPECT_EQ("payload", ReadAll(target));
}

TEST_F(StreamFileTest, MissingFileRaisesErrorNamingTheFile) {
    try {
        TFileStream stream(name_, TFileMode::OpenRead);
        FAIL() << "no exception";
    } catch (const EStreamError& e) {
        std::string message = e.what();
        EXPECT_EQ(0u, message.find("Cannot open file \"" + name_ + "\". ")) << message;
        EXPECT_GT(message.size(), name_.size() + 20) << "no system text";
    }
}

TEST_F(StreamFileTest, CreateWriteAndReopenForReading) {
    {
        TFileStream stream(name_, TFileMode::Create);
        stream.WriteBuffer("file data", 9);
    }
    TFileStream stream(name_, TFileMode::OpenRead);
    EXPECT_EQ(9, stream.Size());
    EXPECT_EQ("file data", ReadAll(stream));
    EXPECT_THROW(stream.WriteBuffer("x", 1), EStreamError);
}

TEST_F(StreamFileTest, MemoryStreamSavesAndLoadsFile) {
    TMemoryStream out;
    out.WriteBuffer("\x01\x02\x03", 3);
    out.SaveToFile(name_);
    TMemoryStream in;
    in.LoadFromFile(name_);
    EXPECT_EQ(0, in.Position());
    EXPECT_EQ(std::string("\x01\x02\x03"), ReadAll(in));
}

TEST(StreamResource, MissingResourceRaisesNamingIt) {
    try {
        TResourceStream stream(GetModuleHandleA(nullptr), "NOSUCHFORM", MAKEINTRESOURCEA(10));
        FAIL() << "no exception";
    } catch (const EStreamError& e) {
        EXPECT_STREQ("Resource NOSUCHFORM not found", e.what());
    }
}

TEST(StreamResource, ReadsAResourceOfAModule) {
    // Every system library carries a version resource (id 1) that starts with its own length
    // and the UTF-16 key "VS_VERSION_INFO".
    TResourceStream stream(GetModuleHandleA("kernel32.dll"), 1, MAKEINTRESOURCEA(16));
    ASSERT_GT(stream.Size(), 38);
    unsigned short header[3];
    stream.ReadBuffer(header, sizeof(header));
    EXPECT_LE(header[0], stream.Size());
    wchar_t key[16];
    stream.ReadBuffer(key, sizeof(key));
    EXPECT_EQ(0, std::memcmp(key, L"VS_VERSION_INFO", sizeof(key)));
    EXPECT_THROW(stream.WriteBuffer("x", 1), EStreamError);
}

}  // namespace
}  // namespace vl
