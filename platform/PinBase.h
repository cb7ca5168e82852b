#pragma once
// Small base pieces of a DirectShow filter: TPinBase, the IPin behaviour shared by input and
// output pins (connection state, queries, media type enumeration), and the media type
// enumerator. The pins are parts of their filter: they share its reference count and lock.
#include <windows.h>

#include <dshow.h>

#include <mutex>
#include <new>
#include <string>

#include "framework/Locks.h"
#include "platform/ComObject.h"
#include "platform/ComPtr.h"
#include "platform/MediaType.h"

namespace vorlinde::platform {

// What a pin needs of the filter it belongs to.
class IPinOwner {
public:
    virtual ULONG AddRefOwner() noexcept = 0;
    virtual ULONG ReleaseOwner() noexcept = 0;
    virtual IBaseFilter* OwnerFilter() noexcept = 0;  // not counted
    virtual vl::TRecursiveLock& OwnerLock() noexcept = 0;
    virtual FILTER_STATE OwnerState() noexcept = 0;  // call with the lock held

protected:
    ~IPinOwner() = default;
};

class TPinBase : public IPin {
public:
    TPinBase(IPinOwner& owner, std::wstring name, PIN_DIRECTION direction);
    virtual ~TPinBase() = default;
    TPinBase(const TPinBase&) = delete;
    TPinBase& operator=(const TPinBase&) = delete;

    // The pin shares the reference count of its filter.
    ULONG WINAPI AddRef() override { return owner_.AddRefOwner(); }
    ULONG WINAPI Release() override { return owner_.ReleaseOwner(); }

    // IPin, common part.
    HRESULT WINAPI ConnectedTo(IPin** pin) override;
    HRESULT WINAPI ConnectionMediaType(AM_MEDIA_TYPE* type) override;
    HRESULT WINAPI QueryPinInfo(PIN_INFO* info) override;
    HRESULT WINAPI QueryDirection(PIN_DIRECTION* direction) override;
    HRESULT WINAPI QueryId(LPWSTR* id) override;
    HRESULT WINAPI QueryAccept(const AM_MEDIA_TYPE* type) override;
    HRESULT WINAPI EnumMediaTypes(IEnumMediaTypes** enumerator) override;
    HRESULT WINAPI QueryInternalConnections(IPin** pins, ULONG* count) override;

    // Whether the pin can take this type now (S_OK) or not (S_FALSE or an error).
    virtual HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) = 0;
    // The index-th preferred type: S_OK, or VFW_S_NO_MORE_ITEMS past the last.
    virtual HRESULT GetMediaType(ULONG index, TMediaType& type) = 0;

    const std::wstring& Name() const noexcept { return name_; }
    PIN_DIRECTION Direction() const noexcept { return direction_; }
    bool IsConnected() const;
    // With the owner's lock held.
    IPin* Peer() const noexcept { return peer_.Get(); }
    const TMediaType& ConnectedType() const noexcept { return type_; }

protected:
    IPinOwner& owner_;
    const std::wstring name_;
    const PIN_DIRECTION direction_;
    // Guarded by the owner's lock.
    TComPtr<IPin> peer_;
    TMediaType type_;
};

// IEnumMediaTypes over a pin's GetMediaType list; holds a reference to the pin (its filter).
class TEnumMediaTypes final : public TComObject<IEnumMediaTypes, IID_IEnumMediaTypes> {
public:
    TEnumMediaTypes(TPinBase& pin, ULONG position);
    ~TEnumMediaTypes() override;

    HRESULT WINAPI Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override;
    HRESULT WINAPI Skip(ULONG count) override;
    HRESULT WINAPI Reset() override;
    HRESULT WINAPI Clone(IEnumMediaTypes** clone) override;

private:
    TPinBase& pin_;
    ULONG position_;
};

// Runs body, turning C++ exceptions into HRESULTs so that none crosses a COM method.
template <class F>
HRESULT GuardCom(F&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace vorlinde::platform
