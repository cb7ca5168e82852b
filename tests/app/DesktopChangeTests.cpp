// What the desktop shows while playback changes from one clip to the next and when it leaves
// the desktop, read off the screen as fast as a second thread can, while the program's thread
// runs the advance.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "AppTestSupport.h"
#include "app/MainForm.h"
#include "framework/Menus.h"
#include "media/FilterGraph.h"
#include "media/VideoWindow.h"
#include "platform/OverlayPresenter.h"
#include "tests/support/ClipColours.h"

namespace {

using vorlinde::Form1;

// Samples the clip colour at the desktop's centre from its own thread until stopped.
class TScreenSampler {
public:
    struct TSample {
        DWORD at;
        std::string colour;
    };
    TScreenSampler() : thread_([this] { Run(); }) {}
    ~TScreenSampler() { Stop(); }
    TScreenSampler(const TScreenSampler&) = delete;
    TScreenSampler& operator=(const TScreenSampler&) = delete;

    // The samples taken, oldest first.
    const std::vector<TSample>& Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return samples_;
    }
    // The latest sample's colour (racy by design: a hint for the waiting thread).
    std::string Latest() const {
        std::lock_guard lock(mutex_);
        return latest_;
    }

private:
    void Run() {
        while (!stop_) {
            TSample sample{GetTickCount(), vltest::DesktopClipColour()};
            {
                std::lock_guard lock(mutex_);
                latest_ = sample.colour;
            }
            samples_.push_back(std::move(sample));
        }
    }
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::string latest_;
    std::vector<TSample> samples_;
    std::thread thread_;
};

class DesktopChange : public apptest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        APPTEST_REQUIRE_SAMPLES();
    }
    // The program plays the clips on the desktop and the first shows.
    void StartWith(const std::vector<const char*>& clips) {
        StartWithClips(clips);
        ASSERT_TRUE(apptest::PumpMessagesUntil([] { return vltest::DesktopClipColour() == "red"; }, 5000));
    }
};

// The clips played one after another, as the samples saw them ("" for anything else).
std::vector<std::string> Runs(const std::vector<TScreenSampler::TSample>& samples) {
    std::vector<std::string> runs;
    for (const auto& sample : samples)
        if (runs.empty() || runs.back() != sample.colour) runs.push_back(sample.colour);
    return runs;
}

// "red 0-120, green 121-300": each run with its time span in ms after `start`.
std::string Timeline(const std::vector<TScreenSampler::TSample>& samples, DWORD start) {
    std::string text;
    for (size_t i = 0; i < samples.size(); ++i) {
        if (i > 0 && samples[i].colour == samples[i - 1].colour) continue;
        size_t end = i;
        while (end + 1 < samples.size() && samples[end + 1].colour == samples[i].colour) ++end;
        if (!text.empty()) text += ", ";
        text += (samples[i].colour.empty() ? "none" : samples[i].colour) + " " +
                std::to_string(static_cast<long>(samples[i].at - start)) + ".." +
                std::to_string(static_cast<long>(samples[end].at - start));
    }
    return text;
}

TEST_F(DesktopChange, FromTheLastPictureOfOneClipToTheFirstOfTheNextTheDesktopShowsEitherClip) {
    StartWith({"red.mpg", "green.mpg"});
    TScreenSampler sampler;
    const DWORD start = GetTickCount();
    Form1->FilterGraph1GraphComplete(Form1->FilterGraph1, S_OK, nullptr);
    const DWORD advanced = GetTickCount();
    const bool changed = apptest::PumpMessagesUntil([&] { return sampler.Latest() == "green"; }, 5000);
    apptest::PumpMessagesFor(30);
    const auto& samples = sampler.Stop();
    ASSERT_TRUE(changed) << "the next clip never showed";
    EXPECT_GE(samples.size(), 20u);
    EXPECT_EQ(Runs(samples), (std::vector<std::string>{"red", "green"}))
        << Timeline(samples, start) << " (the advance took " << advanced - start << " ms)";
}

// "&Stop" gives the desktop back: the user's wallpaper, not a held picture.
TEST_F(DesktopChange, StopTakesTheVideoOffTheDesktopWithin100Ms) {
    StartWith({"red.mpg", "green.mpg"});
    TScreenSampler sampler;
    const DWORD clicked = GetTickCount();
    Form1->Stop1->Click();
    apptest::PumpMessagesUntil([&] { return sampler.Latest() == ""; }, 2000);
    apptest::PumpMessagesFor(200);
    const auto& samples = sampler.Stop();
    DWORD lastVideo = clicked;
    for (const auto& sample : samples)
        if (!sample.colour.empty()) lastVideo = sample.at;
    EXPECT_LE(lastVideo - clicked, 100u);
    EXPECT_EQ(samples.back().colour, "");
}

// A window over the whole screen covers the desktop: the layer paints nothing while it stands,
// and shows the picture again as soon as it goes.
TEST_F(DesktopChange, ACoveredDesktopDrawsNothingAndShowsThePictureAgainWhenUncovered) {
    StartWith({"red.mpg"});
    HWND cover = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(cover, nullptr);
    apptest::PumpMessagesFor(200);
    EXPECT_NE(vltest::DesktopClipColour(), "red");
    const unsigned before = vorlinde::platform::TOverlayPresenter::DesktopLayerPaints();
    apptest::PumpMessagesFor(500);
    EXPECT_EQ(vorlinde::platform::TOverlayPresenter::DesktopLayerPaints(), before);

    const DWORD uncovered = GetTickCount();
    DestroyWindow(cover);
    EXPECT_TRUE(apptest::PumpMessagesUntil([] { return vltest::DesktopClipColour() == "red"; }, 100))
        << "the picture did not come back within 100 ms";
    RecordProperty("uncovered_to_picture_ms", static_cast<int>(GetTickCount() - uncovered));
}

}  // namespace
