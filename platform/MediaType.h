#pragma once
// AM_MEDIA_TYPE helpers: copying and freeing the format block as DirectShow's allocation rules
// require (CoTaskMemAlloc), and TMediaType, a move-only owner of one media type.
#include <windows.h>

#include <dshow.h>

namespace vorlinde::platform {

// Frees the format block and the pUnk reference of a media type and zeroes it.
void FreeMediaTypeFields(AM_MEDIA_TYPE& type) noexcept;
// Deep copy into an empty destination. E_OUTOFMEMORY leaves the destination zeroed.
HRESULT CopyMediaTypeFields(AM_MEDIA_TYPE& destination, const AM_MEDIA_TYPE& source) noexcept;
// A CoTaskMemAlloc'd deep copy, as IEnumMediaTypes::Next hands out; null when out of memory.
AM_MEDIA_TYPE* NewMediaTypeCopy(const AM_MEDIA_TYPE& source) noexcept;
// Frees a media type made by NewMediaTypeCopy or received from another object.
void DeleteMediaType(AM_MEDIA_TYPE* type) noexcept;
// Same major type, subtype, format type and format bytes.
bool IsSameMediaType(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b) noexcept;
// True when each GUID of the partial type that is not GUID_NULL matches the full type.
bool MatchesPartialMediaType(const AM_MEDIA_TYPE& partial, const AM_MEDIA_TYPE& full) noexcept;

class TMediaType {
public:
    TMediaType() noexcept;
    ~TMediaType() { Clear(); }
    TMediaType(const TMediaType&) = delete;
    TMediaType& operator=(const TMediaType&) = delete;
    TMediaType(TMediaType&& other) noexcept;
    TMediaType& operator=(TMediaType&& other) noexcept;

    // Replaces the held type with a deep copy of source.
    HRESULT Assign(const AM_MEDIA_TYPE& source) noexcept;
    void Clear() noexcept { FreeMediaTypeFields(type_); }
    bool Empty() const noexcept { return IsEqualGUID(type_.majortype, GUID_NULL) != 0; }
    const AM_MEDIA_TYPE& Get() const noexcept { return type_; }

private:
    AM_MEDIA_TYPE type_;
};

}  // namespace vorlinde::platform
