// The video formats the mixer's inputs take and the geometry read from them.
#include "platform/VideoFormat.h"

#include <dvdmedia.h>
#include <gtest/gtest.h>

namespace vorlinde::platform {
namespace {

struct TFormatBlock {
    VIDEOINFOHEADER info{};
    DWORD masks[3]{};
};

class OverlayMixerFormat : public testing::Test {
protected:
    void SetUp() override {
        block_.info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        block_.info.bmiHeader.biWidth = 160;
        block_.info.bmiHeader.biHeight = 120;
        block_.info.bmiHeader.biPlanes = 1;
        block_.info.bmiHeader.biBitCount = 32;
        type_.majortype = MEDIATYPE_Video;
        type_.subtype = MEDIASUBTYPE_RGB32;
        type_.formattype = FORMAT_VideoInfo;
        type_.cbFormat = sizeof(VIDEOINFOHEADER);
        type_.pbFormat = reinterpret_cast<BYTE*>(&block_);
    }

    TFormatBlock block_;
    AM_MEDIA_TYPE type_{};
    TVideoFormat format_;
};

TEST_F(OverlayMixerFormat, Rgb32GivesItsGeometry) {
    ASSERT_EQ(ParseVideoFormat(type_, format_), S_OK);
    EXPECT_EQ(format_.layout, TPixelLayout::Rgb32);
    EXPECT_EQ(format_.stride, 640);
    EXPECT_EQ(format_.imageSize, 640u * 120u);
    EXPECT_FALSE(format_.topDown);
    EXPECT_EQ(format_.aspectX, 4u);
    EXPECT_EQ(format_.aspectY, 3u);
    EXPECT_EQ(format_.source.right, 160);
    EXPECT_EQ(format_.source.bottom, 120);
}

TEST_F(OverlayMixerFormat, NegativeHeightIsTopDown) {
    block_.info.bmiHeader.biHeight = -120;
    ASSERT_EQ(ParseVideoFormat(type_, format_), S_OK);
    EXPECT_TRUE(format_.topDown);
    EXPECT_EQ(format_.height, 120);
    EXPECT_EQ(format_.dib.header.biHeight, -120);
}

TEST_F(OverlayMixerFormat, Rgb24RowsAreDwordAligned) {
    type_.subtype = MEDIASUBTYPE_RGB24;
    block_.info.bmiHeader.biBitCount = 24;
    block_.info.bmiHeader.biWidth = 5;
    ASSERT_EQ(ParseVideoFormat(type_, format_), S_OK);
    EXPECT_EQ(format_.stride, 16);
}

TEST_F(OverlayMixerFormat, Rgb565IsDescribedWithItsMasks) {
    type_.subtype = MEDIASUBTYPE_RGB565;
    block_.info.bmiHeader.biBitCount = 16;
    block_.info.bmiHeader.biCompression = BI_BITFIELDS;
    block_.masks[0] = 0xF800;
    block_.masks[1] = 0x07E0;
    block_.masks[2] = 0x001F;
    type_.cbFormat = sizeof block_;
    ASSERT_EQ(ParseVideoFormat(type_, format_), S_OK);
    EXPECT_EQ(format_.dib.header.biCompression, static_cast<DWORD>(BI_BITFIELDS));
    EXPECT_EQ(format_.dib.masks[1], 0x07E0u);
}

TEST_F(OverlayMixerFormat, MasksOutsideTheBlockAreRefused) {
    type_.subtype = MEDIASUBTYPE_RGB565;
    block_.info.bmiHeader.biBitCount = 16;
    block_.info.bmiHeader.biCompression = BI_BITFIELDS;
    EXPECT_EQ(ParseVideoFormat(type_, format_), VFW_E_TYPE_NOT_ACCEPTED);
}

TEST_F(OverlayMixerFormat, DepthMustMatchTheSubtype) {
    block_.info.bmiHeader.biBitCount = 24;
    EXPECT_EQ(ParseVideoFormat(type_, format_), VFW_E_TYPE_NOT_ACCEPTED);
}

TEST_F(OverlayMixerFormat, ShortFormatBlockIsRefused) {
    type_.cbFormat = sizeof(VIDEOINFOHEADER) - 1;
    EXPECT_EQ(ParseVideoFormat(type_, format_), VFW_E_TYPE_NOT_ACCEPTED);
}

TEST_F(OverlayMixerFormat, SourceRectangleOutsideTheBufferIsRefused) {
    block_.info.rcSource = {0, 0, 161, 120};
    EXPECT_EQ(ParseVideoFormat(type_, format_), VFW_E_TYPE_NOT_ACCEPTED);
}

TEST_F(OverlayMixerFormat, SourceRectangleGivesTheAspectRatio) {
    block_.info.rcSource = {0, 0, 160, 90};
    ASSERT_EQ(ParseVideoFormat(type_, format_), S_OK);
    EXPECT_EQ(format_.aspectX, 16u);
    EXPECT_EQ(format_.aspectY, 9u);
}

TEST_F(OverlayMixerFormat, HugeAspectTermsAreScaledDown) {
    VIDEOINFOHEADER2 info2{};
    info2.bmiHeader = block_.info.bmiHeader;
    info2.dwPictAspectRatioX = 4000000000u;
    info2.dwPictAspectRatioY = 3000000001u;
    type_.formattype = FORMAT_VideoInfo2;
    type_.cbFormat = sizeof info2;
    type_.pbFormat = reinterpret_cast<BYTE*>(&info2);
    ASSERT_EQ(ParseVideoFormat(type_, format_), S_OK);
    EXPECT_LE(format_.aspectX, 65535u);
    EXPECT_NEAR(static_cast<double>(format_.aspectX) / format_.aspectY, 4.0 / 3.0, 0.001);
}

TEST_F(OverlayMixerFormat, AudioIsRefused) {
    type_.majortype = MEDIATYPE_Audio;
    EXPECT_EQ(ParseVideoFormat(type_, format_), VFW_E_TYPE_NOT_ACCEPTED);
}

}  // namespace
}  // namespace vorlinde::platform
