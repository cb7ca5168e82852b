#include "platform/PinBase.h"

#include <algorithm>
#include <cstring>

namespace vorlinde::platform {

TPinBase::TPinBase(IPinOwner& owner, std::wstring name, PIN_DIRECTION direction)
    : owner_(owner), name_(std::move(name)), direction_(direction) {}

bool TPinBase::IsConnected() const {
    std::lock_guard lock(owner_.OwnerLock());
    return static_cast<bool>(peer_);
}

HRESULT WINAPI TPinBase::ConnectedTo(IPin** pin) {
    if (!pin) return E_POINTER;
    std::lock_guard lock(owner_.OwnerLock());
    peer_.CopyTo(pin);
    return peer_ ? S_OK : VFW_E_NOT_CONNECTED;
}

HRESULT WINAPI TPinBase::ConnectionMediaType(AM_MEDIA_TYPE* type) {
    if (!type) return E_POINTER;
    std::lock_guard lock(owner_.OwnerLock());
    std::memset(type, 0, sizeof *type);
    if (!peer_) return VFW_E_NOT_CONNECTED;
    return CopyMediaTypeFields(*type, type_.Get());
}

HRESULT WINAPI TPinBase::QueryPinInfo(PIN_INFO* info) {
    if (!info) return E_POINTER;
    std::memset(info, 0, sizeof *info);
    const size_t length = std::min<size_t>(name_.size(), MAX_PIN_NAME - 1);
    std::memcpy(info->achName, name_.c_str(), length * sizeof(wchar_t));
    info->dir = direction_;
    info->pFilter = owner_.OwnerFilter();
    info->pFilter->AddRef();
    return S_OK;
}

HRESULT WINAPI TPinBase::QueryDirection(PIN_DIRECTION* direction) {
    if (!direction) return E_POINTER;
    *direction = direction_;
    return S_OK;
}

HRESULT WINAPI TPinBase::QueryId(LPWSTR* id) {
    if (!id) return E_POINTER;
    const size_t bytes = (name_.size() + 1) * sizeof(wchar_t);
    *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!*id) return E_OUTOFMEMORY;
    std::memcpy(*id, name_.c_str(), bytes);
    return S_OK;
}

HRESULT WINAPI TPinBase::QueryAccept(const AM_MEDIA_TYPE* type) {
    if (!type) return E_POINTER;
    return GuardCom([&] { return CheckMediaType(*type) == S_OK ? S_OK : S_FALSE; });
}

HRESULT WINAPI TPinBase::EnumMediaTypes(IEnumMediaTypes** enumerator) {
    if (!enumerator) return E_POINTER;
    *enumerator = nullptr;
    return GuardCom([&] {
        *enumerator = new TEnumMediaTypes(*this, 0);
        return S_OK;
    });
}

HRESULT WINAPI TPinBase::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }

TEnumMediaTypes::TEnumMediaTypes(TPinBase& pin, ULONG position) : pin_(pin), position_(position) {
    pin_.AddRef();
}

TEnumMediaTypes::~TEnumMediaTypes() { pin_.Release(); }

HRESULT WINAPI TEnumMediaTypes::Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) {
    if (!types) return E_POINTER;
    if (count != 1 && !fetched) return E_POINTER;
    return GuardCom([&] {
        ULONG done = 0;
        while (done < count) {
            TMediaType type;
            if (pin_.GetMediaType(position_, type) != S_OK) break;
            types[done] = NewMediaTypeCopy(type.Get());
            if (!types[done]) {
                for (ULONG i = 0; i < done; ++i) DeleteMediaType(types[i]);
                if (fetched) *fetched = 0;
                return E_OUTOFMEMORY;
            }
            ++done;
            ++position_;
        }
        if (fetched) *fetched = done;
        return done == count ? S_OK : S_FALSE;
    });
}

HRESULT WINAPI TEnumMediaTypes::Skip(ULONG count) {
    return GuardCom([&] {
        TMediaType type;
        const ULONG target = position_ + count;
        if (target > 0 && pin_.GetMediaType(target - 1, type) != S_OK) {
            return S_FALSE;
        }
        position_ = target;
        return S_OK;
    });
}

HRESULT WINAPI TEnumMediaTypes::Reset() {
    position_ = 0;
    return S_OK;
}

HRESULT WINAPI TEnumMediaTypes::Clone(IEnumMediaTypes** clone) {
    if (!clone) return E_POINTER;
    *clone = nullptr;
    return GuardCom([&] {
        *clone = new TEnumMediaTypes(pin_, position_);
        return S_OK;
    });
}

}  // namespace vorlinde::platform
