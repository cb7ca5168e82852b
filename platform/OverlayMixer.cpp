#include "platform/OverlayMixer.h"

#include <dshow.h>

#include <mutex>

#include "platform/ComObject.h"
#include "platform/MixerFilter.h"

namespace vorlinde::platform {

namespace {

class TOverlayMixerFactory final : public TComObject<IClassFactory, IID_IClassFactory> {
public:
    HRESULT WINAPI CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        return TOverlayMixerFilter::Create(outer, iid, object);
    }
    HRESULT WINAPI LockServer(BOOL) override {
        // The server is this process; there is nothing to keep loaded.
        return S_OK;
    }
};

std::mutex registrationLock;
DWORD registrationCookie = 0;
bool registered = false;

}  // namespace

HRESULT RegisterOverlayMixer() {
    std::lock_guard lock(registrationLock);
    if (registered) return S_FALSE;
    auto* factory = new (std::nothrow) TOverlayMixerFactory();
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT hr = CoRegisterClassObject(CLSID_OverlayMixer, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                             &registrationCookie);
    // COM holds its own reference while registered.
    factory->Release();
    if (FAILED(hr)) return hr;
    registered = true;
    return S_OK;
}

void UnregisterOverlayMixer() {
    std::lock_guard lock(registrationLock);
    if (!registered) return;
    CoRevokeClassObject(registrationCookie);
    registrationCookie = 0;
    registered = false;
}

HRESULT CreateOverlayMixer(IUnknown* outer, REFIID iid, void** object) {
    return TOverlayMixerFilter::Create(outer, iid, object);
}

}  // namespace vorlinde::platform
