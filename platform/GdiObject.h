#pragma once
// TGdiObject: the one owner of a GDI object (region, brush, bitmap); deleted with its owner.
#include <windows.h>

#include <utility>

namespace vl::platform {

template <class H>
class TGdiObject {
public:
    TGdiObject() noexcept = default;
    explicit TGdiObject(H handle) noexcept : handle_(handle) {}
    ~TGdiObject() { Reset(); }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    TGdiObject(TGdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    TGdiObject& operator=(TGdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    H Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    void Reset(H handle = nullptr) noexcept {
        if (H old = std::exchange(handle_, handle)) DeleteObject(old);
    }

private:
    H handle_ = nullptr;
};

using TRegion = TGdiObject<HRGN>;
using TBrush = TGdiObject<HBRUSH>;

}  // namespace vl::platform
