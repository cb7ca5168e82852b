#include "platform/OverlayMixer.h"

#include <dshow.h>

#include <mutex>

#include "platform/MixerFilter.h"

namespace vl::platform {

namespace {

class TOverlayMixerFactory final : public IClassFactory {
public:
    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG WINAPI AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG WINAPI Release() override {
        const LONG count = InterlockedDecrement(&references_);
        if (count == 0) delete this;
        return static_cast<ULONG>(count);
    }
    HRESULT WINAPI CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        return TOverlayMixerFilter::Create(outer, iid, object);
    }
    HRESULT WINAPI LockServer(BOOL) override {
        // The server is this process; there is nothing to keep loaded.
        return S_OK;
    }

private:
    LONG references_ = 1;
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

}  // namespace vl::platform
