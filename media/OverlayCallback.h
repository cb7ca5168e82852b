#pragma once
// TOverlayCallback: what the Overlay Mixer calls when the overlay's colour key or the video's
// size changes. It passes both on to its video window. The mixer calls it on the GUI thread.
#include <windows.h>

#include <dshow.h>

namespace vorlinde {

class TDSVideoWindowEx2;

class TOverlayCallback final : public IDDrawExclModeVideoCallback {
public:
    // A new callback with one reference, held by the caller.
    explicit TOverlayCallback(TDSVideoWindowEx2* owner) : owner_(owner) {}
    TOverlayCallback(const TOverlayCallback&) = delete;
    TOverlayCallback& operator=(const TOverlayCallback&) = delete;

    // The window is going away or has given the callback up: later calls do nothing.
    void Detach() noexcept { owner_ = nullptr; }
    TDSVideoWindowEx2* Owner() const noexcept { return owner_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // Does nothing: the window repaints on size changes only.
    HRESULT STDMETHODCALLTYPE OnUpdateOverlay(BOOL before, DWORD flags, BOOL oldVisible, const RECT* oldSource,
                                              const RECT* oldTarget, BOOL newVisible, const RECT* newSource,
                                              const RECT* newTarget) override;
    // The window takes the key's high colour value as its colour key.
    HRESULT STDMETHODCALLTYPE OnUpdateColorKey(const COLORKEY* key, DWORD color) override;
    // The window recomputes its video rectangle and repaints the key.
    HRESULT STDMETHODCALLTYPE OnUpdateSize(DWORD width, DWORD height, DWORD aspectWidth, DWORD aspectHeight) override;

private:
    ~TOverlayCallback() = default;

    volatile LONG references_ = 1;
    TDSVideoWindowEx2* owner_;
};

}  // namespace vorlinde
