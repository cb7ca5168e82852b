// How the Overlay Mixer's presenter ends: its message window and layer windows go with the
// mixer's last reference, whether that goes on the GUI thread, inside one of the presenter's
// own callbacks to the program, or on another thread (the windows then close on the GUI
// thread).
#include "OverlayTestSupport.h"

#include <thread>

#include "platform/OverlayPresenter.h"

namespace vorlinde::platform::test {
namespace {

constexpr char kMessageClass[] = "VorlindeOverlayMixerMessages";

// The presenters' message windows of this process, message-only or hidden top-level ones.
int MessageWindows() {
    int count = 0;
    for (HWND parent : {HWND_MESSAGE, static_cast<HWND>(nullptr)}) {
        for (HWND w = FindWindowExA(parent, nullptr, kMessageClass, nullptr); w;
             w = FindWindowExA(parent, w, kMessageClass, nullptr))
            ++count;
    }
    return count;
}

// The layer windows (and the desktop layer's hidden owner) of this process.
int LayerWindows() {
    int count = 0;
    for (HWND w = FindWindowExA(nullptr, nullptr, kOverlayLayerClass, nullptr); w;
         w = FindWindowExA(nullptr, w, kOverlayLayerClass, nullptr))
        ++count;
    return count;
}

TComPtr<IDDrawExclModeVideo> ExclusiveOf(IBaseFilter* mixer) {
    return TComPtr<IBaseFilter>::Share(mixer).As<IDDrawExclModeVideo>(IID_IDDrawExclModeVideo);
}

// A callback that holds the only reference to its mixer and lets it go when it hears the key.
class TReleasingCallback final : public IDDrawExclModeVideoCallback {
public:
    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDDrawExclModeVideoCallback)) {
            *object = static_cast<IDDrawExclModeVideoCallback*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG WINAPI AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references)); }
    ULONG WINAPI Release() override { return static_cast<ULONG>(InterlockedDecrement(&references)); }
    HRESULT WINAPI OnUpdateOverlay(BOOL, DWORD, BOOL, const RECT*, const RECT*, BOOL, const RECT*,
                                   const RECT*) override {
        return S_OK;
    }
    HRESULT WINAPI OnUpdateColorKey(const COLORKEY*, DWORD) override {
        ++keys;
        mixer.Reset();
        return S_OK;
    }
    HRESULT WINAPI OnUpdateSize(DWORD, DWORD, DWORD, DWORD) override {
        ++sizes;
        return S_OK;
    }

    TComPtr<IBaseFilter> mixer;
    LONG references = 1;
    int keys = 0;
    int sizes = 0;
};

TEST(OverlayMixerLifetime, EachMixerHasOneMessageWindowThatGoesWithIt) {
    const int before = MessageWindows();
    {
        TComPtr<IBaseFilter> mixer = CreateMixer();
        ASSERT_TRUE(mixer);
        EXPECT_EQ(MessageWindows(), before + 1);
    }
    EXPECT_EQ(MessageWindows(), before);
}

TEST(OverlayMixerLifetime, ACallbackThatReleasesTheMixerEndsItInsideItsOwnMessage) {
    const int before = MessageWindows();
    TReleasingCallback callback;
    callback.mixer = CreateMixer();
    ASSERT_TRUE(callback.mixer);
    ASSERT_EQ(ExclusiveOf(callback.mixer.Get())->SetCallbackInterface(&callback, 0), S_OK);
    ASSERT_TRUE(PumpUntil([&] { return callback.keys > 0; }, 1000));
    EXPECT_FALSE(callback.mixer);
    EXPECT_EQ(callback.references, 1);
    EXPECT_EQ(MessageWindows(), before);
    // Nothing of the ended presenter runs afterwards.
    PumpMessages(100);
    EXPECT_EQ(callback.keys, 1);
    EXPECT_EQ(callback.sizes, 0);
}

TEST(OverlayMixerLifetime, AMixerReleasedOnAnotherThreadClosesItsWindowOnTheGuiThread) {
    const int before = MessageWindows();
    TRecordingCallback callback;
    TComPtr<IBaseFilter> mixer = CreateMixer();
    ASSERT_TRUE(mixer);
    ExclusiveOf(mixer.Get())->SetCallbackInterface(&callback, 0);
    std::thread([owned = std::move(mixer)]() mutable { owned.Reset(); }).join();
    // The program's callback is released at once, on the releasing thread.
    EXPECT_EQ(callback.references, 1);
    // The window waits for the GUI thread's messages.
    EXPECT_EQ(MessageWindows(), before + 1);
    EXPECT_TRUE(PumpUntil([&] { return MessageWindows() == before; }, 1000));
}

TEST(OverlayMixerLifetime, TheLayersGoWithTheMixerAfterPlayback) {
    if (!SamplesAvailable()) GTEST_SKIP() << "built without sample movies";
    const int messages = MessageWindows();
    const int layers = LayerWindows();
    // The scene outlives the mixer: the window layer is owned by the scene's frame, and must
    // go with the mixer, not with its owner.
    TVideoPaneWindow scene(RECT{100, 100, 500, 400}, RECT{50, 50, 350, 200}, RECT{50, 0, 250, 150}, RGB(16, 0, 16));
    {
        TPlayback playback("red.mpg");
        ASSERT_EQ(playback.InsertMixer(), S_OK);
        playback.PlaceRenderer(scene.Frame(), RECT{50, 50, 350, 200}, true);
        ASSERT_TRUE(SUCCEEDED(playback.Pause()));
        ASSERT_TRUE(PumpUntil([&] { return LayerWindows() > layers; }, 2000));
    }
    EXPECT_EQ(LayerWindows(), layers);
    EXPECT_EQ(MessageWindows(), messages);
}

}  // namespace
}  // namespace vorlinde::platform::test
