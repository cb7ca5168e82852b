#pragma once
// The software Overlay Mixer, made available to CoCreateInstance(CLSID_OverlayMixer) in this
// process. The program registers it once at start (after COM is initialised, on its GUI
// thread) and unregisters it before CoUninitialize; it then uses the mixer only through
// CoCreateInstance and the mixer's interfaces (IBaseFilter, IDDrawExclModeVideo, and
// IMixerPinConfig2 on the input pins, declared in platform/MixerPinConfig.h).
//
// The mixer's windows belong to the thread that creates it, which must run a message loop.
#include <windows.h>

#include <unknwn.h>

namespace vorlinde::platform {

// Registers the class factory (CoRegisterClassObject, in-process, multiple use). S_OK when
// registered now, S_FALSE when it already was, otherwise the failure.
HRESULT RegisterOverlayMixer();
// Revokes the registration made by RegisterOverlayMixer; nothing when there is none.
void UnregisterOverlayMixer();

// Registration for the lifetime of the object.
class TOverlayMixerRegistration {
public:
    TOverlayMixerRegistration() : result_(RegisterOverlayMixer()) {}
    ~TOverlayMixerRegistration() {
        if (result_ == S_OK) UnregisterOverlayMixer();
    }
    TOverlayMixerRegistration(const TOverlayMixerRegistration&) = delete;
    TOverlayMixerRegistration& operator=(const TOverlayMixerRegistration&) = delete;
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
};

// Makes a mixer directly, as the class factory does.
HRESULT CreateOverlayMixer(IUnknown* outer, REFIID iid, void** object);

}  // namespace vorlinde::platform
