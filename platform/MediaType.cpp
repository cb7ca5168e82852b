#include "platform/MediaType.h"

#include <cstring>

namespace vorlinde::platform {

void FreeMediaTypeFields(AM_MEDIA_TYPE& type) noexcept {
    if (type.pbFormat) CoTaskMemFree(type.pbFormat);
    if (type.pUnk) type.pUnk->Release();
    std::memset(&type, 0, sizeof type);
}

HRESULT CopyMediaTypeFields(AM_MEDIA_TYPE& destination, const AM_MEDIA_TYPE& source) noexcept {
    destination = source;
    destination.pbFormat = nullptr;
    destination.cbFormat = 0;
    if (source.cbFormat && source.pbFormat) {
        destination.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(source.cbFormat));
        if (!destination.pbFormat) {
            std::memset(&destination, 0, sizeof destination);
            return E_OUTOFMEMORY;
        }
        std::memcpy(destination.pbFormat, source.pbFormat, source.cbFormat);
        destination.cbFormat = source.cbFormat;
    }
    if (destination.pUnk) destination.pUnk->AddRef();
    return S_OK;
}

AM_MEDIA_TYPE* NewMediaTypeCopy(const AM_MEDIA_TYPE& source) noexcept {
    auto* copy = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!copy) return nullptr;
    if (FAILED(CopyMediaTypeFields(*copy, source))) {
        CoTaskMemFree(copy);
        return nullptr;
    }
    return copy;
}

void DeleteMediaType(AM_MEDIA_TYPE* type) noexcept {
    if (!type) return;
    FreeMediaTypeFields(*type);
    CoTaskMemFree(type);
}

bool IsSameMediaType(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b) noexcept {
    if (!IsEqualGUID(a.majortype, b.majortype) || !IsEqualGUID(a.subtype, b.subtype) ||
        !IsEqualGUID(a.formattype, b.formattype) || a.cbFormat != b.cbFormat) {
        return false;
    }
    if (a.cbFormat == 0) return true;
    if (!a.pbFormat || !b.pbFormat) return a.pbFormat == b.pbFormat;
    return std::memcmp(a.pbFormat, b.pbFormat, a.cbFormat) == 0;
}

bool MatchesPartialMediaType(const AM_MEDIA_TYPE& partial, const AM_MEDIA_TYPE& full) noexcept {
    auto matches = [](const GUID& wanted, const GUID& offered) {
        return IsEqualGUID(wanted, GUID_NULL) || IsEqualGUID(wanted, offered);
    };
    return matches(partial.majortype, full.majortype) && matches(partial.subtype, full.subtype) &&
           matches(partial.formattype, full.formattype);
}

TMediaType::TMediaType() noexcept { std::memset(&type_, 0, sizeof type_); }

TMediaType::TMediaType(TMediaType&& other) noexcept : type_(other.type_) {
    std::memset(&other.type_, 0, sizeof other.type_);
}

TMediaType& TMediaType::operator=(TMediaType&& other) noexcept {
    if (this != &other) {
        Clear();
        type_ = other.type_;
        std::memset(&other.type_, 0, sizeof other.type_);
    }
    return *this;
}

HRESULT TMediaType::Assign(const AM_MEDIA_TYPE& source) noexcept {
    if (&source == &type_) return S_OK;
    AM_MEDIA_TYPE copy;
    HRESULT hr = CopyMediaTypeFields(copy, source);
    if (FAILED(hr)) return hr;
    Clear();
    type_ = copy;
    return S_OK;
}

}  // namespace vorlinde::platform
