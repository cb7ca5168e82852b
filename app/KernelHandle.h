#pragma once
// A move-only owner of one kernel object handle (process, event, mutex, file mapping), closed
// with its owner. Null and INVALID_HANDLE_VALUE both mean "none".
#include <windows.h>

#include <utility>

namespace vorlinde {

class TKernelHandle {
public:
    TKernelHandle() noexcept = default;
    explicit TKernelHandle(HANDLE handle) noexcept : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~TKernelHandle() { Reset(); }
    TKernelHandle(const TKernelHandle&) = delete;
    TKernelHandle& operator=(const TKernelHandle&) = delete;
    TKernelHandle(TKernelHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    TKernelHandle& operator=(TKernelHandle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }

    HANDLE Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    void Reset(HANDLE handle = nullptr) noexcept {
        if (handle == INVALID_HANDLE_VALUE) handle = nullptr;
        if (HANDLE old = std::exchange(handle_, handle)) CloseHandle(old);
    }
    [[nodiscard]] HANDLE Release() noexcept { return std::exchange(handle_, nullptr); }

private:
    HANDLE handle_ = nullptr;
};

}  // namespace vorlinde
