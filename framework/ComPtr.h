#pragma once
// TComPtr: owns one counted reference to a COM object. Move-only, so that every reference has
// exactly one owner; a second owner is made explicitly with Clone() or Share().
#include <unknwn.h>

#include <cstddef>
#include <utility>

namespace vl {

template <class T>
class TComPtr {
public:
    TComPtr() noexcept = default;
    TComPtr(std::nullptr_t) noexcept {}
    ~TComPtr() { Reset(); }

    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    TComPtr(TComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    TComPtr& operator=(TComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }

    // Takes over a reference that the caller already counted (an out parameter's).
    static TComPtr Adopt(T* p) noexcept {
        TComPtr result;
        result.p_ = p;
        return result;
    }
    // Adds a reference of its own to a borrowed pointer.
    static TComPtr Share(T* p) noexcept {
        if (p) p->AddRef();
        return Adopt(p);
    }
    TComPtr Clone() const noexcept { return Share(p_); }

    T* Get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

    // The slot for an out parameter; the reference held so far is released first.
    T** Receive() noexcept {
        Reset();
        return &p_;
    }
    void** ReceiveVoid() noexcept { return reinterpret_cast<void**>(Receive()); }

    // Gives up ownership without releasing.
    T* Detach() noexcept { return std::exchange(p_, nullptr); }
    // Hands a new counted reference to an out parameter (which may receive null).
    void CopyTo(T** out) const noexcept {
        *out = p_;
        if (p_) p_->AddRef();
    }
    void Reset() noexcept {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }

    // QueryInterface into a new owner; empty when the object lacks the interface.
    template <class U>
    TComPtr<U> As(REFIID iid) const noexcept {
        TComPtr<U> result;
        if (p_) p_->QueryInterface(iid, result.ReceiveVoid());
        return result;
    }

private:
    T* p_ = nullptr;
};

// True when both pointers reach the same COM object (compared through IUnknown, as COM
// identity demands); two nulls are the same, a null and an object are not.
inline bool SameComObject(IUnknown* a, IUnknown* b) noexcept {
    if (a == b) return true;
    if (!a || !b) return false;
    IUnknown* ua = nullptr;
    IUnknown* ub = nullptr;
    a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ua));
    b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ub));
    const bool same = ua && ua == ub;
    if (ua) ua->Release();
    if (ub) ub->Release();
    return same;
}

}  // namespace vl
