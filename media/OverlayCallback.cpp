#include "media/OverlayCallback.h"

#include "framework/Control.h"
#include "media/VideoWindow.h"

namespace vorlinde {

HRESULT STDMETHODCALLTYPE TOverlayCallback::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDDrawExclModeVideoCallback) {
        *object = static_cast<IDDrawExclModeVideoCallback*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TOverlayCallback::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG STDMETHODCALLTYPE TOverlayCallback::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE TOverlayCallback::OnUpdateOverlay(BOOL, DWORD, BOOL, const RECT*, const RECT*, BOOL,
                                                            const RECT*, const RECT*) {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TOverlayCallback::OnUpdateColorKey(const COLORKEY* key, DWORD) {
    if (!owner_ || !key) return S_OK;
    try {
        owner_->OverlayColorKeyChanged(key->HighColorValue);
    } catch (...) {
        vl::HandleCallbackException(owner_);
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TOverlayCallback::OnUpdateSize(DWORD, DWORD, DWORD, DWORD) {
    if (!owner_) return S_OK;
    try {
        owner_->OverlaySizeChanged();
    } catch (...) {
        vl::HandleCallbackException(owner_);
    }
    return S_OK;
}

}  // namespace vorlinde
