#pragma once
// IUnknown for a heap object that implements one COM interface: QueryInterface answers IUnknown
// and that interface, the count is thread-safe and starts at 1 (the creator's reference), and
// the object deletes itself with its last reference.
#include <windows.h>

#include <unknwn.h>

namespace vorlinde::platform {

template <class TInterface, const IID& InterfaceId>
class TComObject : public TInterface {
public:
    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, InterfaceId)) {
            *object = static_cast<TInterface*>(this);
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

protected:
    TComObject() = default;
    virtual ~TComObject() = default;
    TComObject(const TComObject&) = delete;
    TComObject& operator=(const TComObject&) = delete;

private:
    LONG references_ = 1;
};

}  // namespace vorlinde::platform
