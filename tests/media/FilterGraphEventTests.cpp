// DoEvent on constructed event parameters: dispatch order, the event table's parameter
// decoding, and the DVD events with their time codes.
#include <gtest/gtest.h>

#include <dvdevcod.h>

#include <cstring>

#include "MediaTestSupport.h"

namespace {

using namespace vorlinde;
using mediatest::TTestListener;

class FilterGraphEvents : public testing::Test {
protected:
    void SetUp() override { graph.InsertListener(&listener); }
    void TearDown() override { graph.RemoveListener(&listener); }

    std::vector<std::string> log;
    TTestListener listener{log};
    TFilterGraph graph{nullptr};
};

TEST_F(FilterGraphEvents, AnEventGoesToListenersThenOnDSEventThenItsOwnHandler) {
    graph.OnDSEvent = [&](vl::TObject* sender, LONG code, LONG_PTR p1, LONG_PTR p2) {
        EXPECT_EQ(sender, &graph);
        log.push_back("ds:" + std::to_string(code) + ":" + std::to_string(p1) + ":" + std::to_string(p2));
    };
    graph.OnGraphPaused = [&](vl::TObject*, HRESULT hr) { log.push_back("paused:" + std::to_string(hr)); };
    graph.DoEvent(EC_PAUSED, 0, 5);
    EXPECT_EQ(log, (std::vector<std::string>{"L:graph:14", "ds:14:0:5", "paused:0"}));
}

TEST_F(FilterGraphEvents, AnEventWithoutHandlerReachesOnlyListenersAndOnDSEvent) {
    int ds = 0;
    graph.OnDSEvent = [&](vl::TObject*, LONG, LONG_PTR, LONG_PTR) { ++ds; };
    graph.OnGraphComplete = [&](vl::TObject*, HRESULT, IBaseFilter*) { log.push_back("complete"); };
    graph.DoEvent(EC_REPAINT, 0, 0);
    graph.DoEvent(EC_PALETTE_CHANGED, 0, 0);
    EXPECT_EQ(ds, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"L:graph:5", "L:graph:9"}));
}

TEST_F(FilterGraphEvents, CompletePassesResultAndRenderer) {
    IBaseFilter* renderer = reinterpret_cast<IBaseFilter*>(static_cast<uintptr_t>(0x12345678));
    HRESULT result = S_OK;
    IBaseFilter* seen = nullptr;
    graph.OnGraphComplete = [&](vl::TObject*, HRESULT hr, IBaseFilter* r) {
        result = hr;
        seen = r;
    };
    graph.DoEvent(EC_COMPLETE, static_cast<LONG_PTR>(E_ABORT), reinterpret_cast<LONG_PTR>(renderer));
    EXPECT_EQ(result, E_ABORT);
    EXPECT_EQ(seen, renderer);
}

TEST_F(FilterGraphEvents, VideoSizeIsSplitIntoWidthAndHeight) {
    int width = 0, height = 0;
    graph.OnGraphVideoSizeChanged = [&](vl::TObject*, int w, int h) {
        width = w;
        height = h;
    };
    graph.DoEvent(EC_VIDEO_SIZE_CHANGED, MAKELONG(1280, 720), 0);
    EXPECT_EQ(width, 1280);
    EXPECT_EQ(height, 720);
}

TEST_F(FilterGraphEvents, FlagsAreTrueOnlyForOne) {
    std::vector<bool> flags;
    graph.OnGraphOpeningFile = [&](vl::TObject*, bool opening) { flags.push_back(opening); };
    graph.OnGraphBufferingData = [&](vl::TObject*, bool buffering) { flags.push_back(buffering); };
    graph.DoEvent(EC_OPENING_FILE, 1, 0);
    graph.DoEvent(EC_OPENING_FILE, 2, 0);
    graph.DoEvent(EC_BUFFERING_DATA, 1, 0);
    graph.DoEvent(EC_BUFFERING_DATA, 0, 0);
    EXPECT_EQ(flags, (std::vector<bool>{true, false, true, false}));
}

TEST_F(FilterGraphEvents, EndOfSegmentReadsTheStreamTimeParam1PointsTo) {
    REFERENCE_TIME time = 0x123456789ALL;
    REFERENCE_TIME seen = 0;
    DWORD segment = 0;
    graph.OnGraphEndOfSegment = [&](vl::TObject*, REFERENCE_TIME t, DWORD n) {
        seen = t;
        segment = n;
    };
    graph.DoEvent(EC_END_OF_SEGMENT, reinterpret_cast<LONG_PTR>(&time), 3);
    EXPECT_EQ(seen, time);
    EXPECT_EQ(segment, 3u);
}

TEST_F(FilterGraphEvents, DeviceLostIsRemovedWhenParam2IsZero) {
    std::vector<bool> removed;
    graph.OnGraphDeviceLost = [&](vl::TObject*, IUnknown*, bool r) { removed.push_back(r); };
    graph.DoEvent(EC_DEVICE_LOST, 0, 0);
    graph.DoEvent(EC_DEVICE_LOST, 0, 1);
    EXPECT_EQ(removed, (std::vector<bool>{true, false}));
}

TEST_F(FilterGraphEvents, OleEventPassesBothStrings) {
    BSTR first = SysAllocString(L"Caption"), second = SysAllocString(L"Text");
    std::wstring a, b;
    graph.OnGraphOleEvent = [&](vl::TObject*, const std::wstring& s1, const std::wstring& s2) {
        a = s1;
        b = s2;
    };
    graph.DoEvent(EC_OLE_EVENT, reinterpret_cast<LONG_PTR>(first), reinterpret_cast<LONG_PTR>(second));
    EXPECT_EQ(a, L"Caption");
    EXPECT_EQ(b, L"Text");
    SysFreeString(first);
    SysFreeString(second);
}

// --- DVD events

TEST_F(FilterGraphEvents, DomainChangeFiresTheEventOfItsDomain) {
    std::vector<std::string> fired;
    graph.OnDVDDomainFirstPlay = [&](vl::TObject*) { fired.push_back("FirstPlay"); };
    graph.OnDVDDomainVideoManagerMenu = [&](vl::TObject*) { fired.push_back("VideoManagerMenu"); };
    graph.OnDVDDomainVideoTitleSetMenu = [&](vl::TObject*) { fired.push_back("VideoTitleSetMenu"); };
    graph.OnDVDDomainTitle = [&](vl::TObject*) { fired.push_back("Title"); };
    graph.OnDVDDomainStop = [&](vl::TObject*) { fired.push_back("Stop"); };
    for (LONG_PTR domain = 0; domain <= 6; ++domain) graph.DoEvent(EC_DVD_DOMAIN_CHANGE, domain, 0);
    EXPECT_EQ(fired, (std::vector<std::string>{"FirstPlay", "VideoManagerMenu", "VideoTitleSetMenu", "Title", "Stop"}));
}

TEST_F(FilterGraphEvents, ErrorsAndWarningsFireByTheirKind) {
    std::vector<int> fired;
    TNotifyEvent* errors[] = {&graph.OnDVDErrorUnexpected, &graph.OnDVDErrorCopyProtectFail,
                              &graph.OnDVDErrorInvalidDVD1_0Disc, &graph.OnDVDErrorInvalidDiscRegion,
                              &graph.OnDVDErrorLowParentalLevel, &graph.OnDVDErrorMacrovisionFail,
                              &graph.OnDVDErrorIncompatibleSystemAndDecoderRegions,
                              &graph.OnDVDErrorIncompatibleDiscAndDecoderRegions};
    TNotifyEvent* warnings[] = {&graph.OnDVDWarningInvalidDVD1_0Disc, &graph.OnDVDWarningFormatNotSupported,
                                &graph.OnDVDWarningIllegalNavCommand, &graph.OnDVDWarningOpen,
                                &graph.OnDVDWarningSeek, &graph.OnDVDWarningRead};
    for (int i = 0; i < 8; ++i) *errors[i] = [&fired, i](vl::TObject*) { fired.push_back(100 + i + 1); };
    for (int i = 0; i < 6; ++i) *warnings[i] = [&fired, i](vl::TObject*) { fired.push_back(200 + i + 1); };
    for (LONG_PTR kind = 0; kind <= 9; ++kind) graph.DoEvent(EC_DVD_ERROR, kind, 0);
    for (LONG_PTR kind = 0; kind <= 7; ++kind) graph.DoEvent(EC_DVD_WARNING, kind, 0);
    EXPECT_EQ(fired, (std::vector<int>{101, 102, 103, 104, 105, 106, 107, 108, 201, 202, 203, 204, 205, 206}));
}

TEST(FilterGraphDvdTimeCode, ATimeCodeIsDecodedFieldByFieldAsThePlatformPacksIt) {
    DVD_TIMECODE code{};
    code.Hours1 = 2;
    code.Hours10 = 1;
    code.Minutes1 = 4;
    code.Minutes10 = 3;
    code.Seconds1 = 6;
    code.Seconds10 = 5;
    code.Frames1 = 7;
    code.Frames10 = 2;
    code.FrameRateCode = 3;
    ULONG packed = 0;
    static_assert(sizeof code == sizeof packed);
    std::memcpy(&packed, &code, sizeof packed);
    EXPECT_EQ(packed, 0xE7563412u);
    EXPECT_EQ(DecodeDvdTimeCode(packed), (TDVDTimeCode{12, 34, 56, 27, 30}));
}

TEST(FilterGraphDvdTimeCode, FrameRateCodeOneIs25AndOthersAreUnknown) {
    EXPECT_EQ(DecodeDvdTimeCode(0x40000000u).frameRate, 25);
    EXPECT_EQ(DecodeDvdTimeCode(0x80000000u).frameRate, 0);
    EXPECT_EQ(DecodeDvdTimeCode(0x00000000u).frameRate, 0);
}

TEST_F(FilterGraphEvents, CurrentTimeFiresWithTheDecodedTime) {
    std::vector<int> seen;
    graph.OnDVDCurrentTime = [&](vl::TObject*, int h, int m, int s, int f, int rate) { seen = {h, m, s, f, rate}; };
    graph.DoEvent(EC_DVD_CURRENT_TIME, 0x40010000, 0);  // 0:00:01.00 at 25 frames per second
    EXPECT_EQ(seen, (std::vector<int>{0, 0, 1, 0, 25}));
}

TEST_F(FilterGraphEvents, CurrentHMSFTimeSplitsFourBytesAndATimeCode) {
    TDVDHMSFTimeCode hmsf;
    TDVDTimeCode time;
    graph.OnDVDCurrentHMSFTime = [&](vl::TObject*, TDVDHMSFTimeCode a, TDVDTimeCode b) {
        hmsf = a;
        time = b;
    };
    graph.DoEvent(EC_DVD_CURRENT_HMSF_TIME, 0x18273601, 0xC0000021);
    EXPECT_EQ(hmsf, (TDVDHMSFTimeCode{1, 0x36, 0x27, 0x18}));
    EXPECT_EQ(time, (TDVDTimeCode{21, 0, 0, 0, 30}));
}

TEST_F(FilterGraphEvents, DvdNumbersFlagsAndRatesAreDecoded) {
    std::vector<std::string> seen;
    graph.OnDVDAngleChange = [&](vl::TObject*, int total, int current) {
        seen.push_back("angle:" + std::to_string(total) + "/" + std::to_string(current));
    };
    graph.OnDVDStillOn = [&](vl::TObject*, bool noButton, int seconds) {
        seen.push_back("still:" + std::to_string(noButton) + ":" + std::to_string(seconds));
    };
    graph.OnDVDPlaybackRateChange = [&](vl::TObject*, double rate) { seen.push_back("rate:" + std::to_string(rate)); };
    graph.OnDVDKaraokeMode = [&](vl::TObject*, bool played) { seen.push_back("karaoke:" + std::to_string(played)); };
    graph.OnDVDTitleChange = [&](vl::TObject*, int title) { seen.push_back("title:" + std::to_string(title)); };
    graph.DoEvent(EC_DVD_ANGLE_CHANGE, 4, 2);
    graph.DoEvent(EC_DVD_STILL_ON, 1, 10);
    graph.DoEvent(EC_DVD_PLAYBACK_RATE_CHANGE, 15000, 0);
    graph.DoEvent(EC_DVD_KARAOKE_MODE, 2, 0);
    graph.DoEvent(EC_DVD_TITLE_CHANGE, 7, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"angle:4/2", "still:1:10", "rate:1.500000", "karaoke:1", "title:7"}));
}

TEST_F(FilterGraphEvents, StreamChangesFireOnlyWithDvdInformation) {
    int fired = 0;
    graph.OnDVDAudioStreamChange = [&](vl::TObject*, int, LCID, const std::string&) { ++fired; };
    graph.OnDVDSubpictureStreamChange = [&](vl::TObject*, int, LCID, const std::string&) { ++fired; };
    graph.SetActive(true);  // a normal graph has no DVD navigator
    graph.DoEvent(EC_DVD_AUDIO_STREAM_CHANGE, 1, 0);
    graph.DoEvent(EC_DVD_SUBPICTURE_STREAM_CHANGE, 1, 0);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(log.size(), 3u);  // activation and the two events
}

TEST(FilterGraphDvdTimeCode, LanguageNamesComeFromTheLocale) {
    EXPECT_EQ(LanguageName(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT)), "English");
}

}  // namespace
