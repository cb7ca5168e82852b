#pragma once
// TSharedWindow<TId, T>: one hidden window shared by every instance of a kind (tray icons, simple
// timers), and those instances by identity. Identities only grow, so a message queued for an
// instance destroyed since finds nothing. The window is made with the first instance and
// destroyed with the last; one that outlives its instances goes with the process's statics.
//
// The window's messages go to one handler for the whole kind, which hands a message to its
// instance through Deliver. An exception from the instance reaches the instance boundary with
// the instance found again by identity (null when the instance destroyed itself before it threw);
// any other exception of the handler reaches the window boundary.
#include <windows.h>

#include <map>
#include <memory>
#include <utility>

#include "framework/Control.h"
#include "framework/HiddenWindow.h"

namespace vl {

// Passes what an instance threw to the application's central handler, with the instance as
// the sender (T derives from TObject).
template <class T>
void CentralInstanceBoundary(T* instance) noexcept {
    HandleCallbackException(instance);
}

template <class TId, class T>
class TSharedWindow {
public:
    using TInstanceBoundary = void (*)(T* instance) noexcept;

    TSharedWindow(const char* className, const THiddenWindowParams& params, THiddenWindow::THandler handler,
                  TInstanceBoundary instanceBoundary = &CentralInstanceBoundary<T>,
                  THiddenWindowBoundary windowBoundary = &CentralBoundary)
        : className_(className),
          params_(params),
          handler_(std::move(handler)),
          instanceBoundary_(instanceBoundary),
          windowBoundary_(windowBoundary) {}
    TSharedWindow(const TSharedWindow&) = delete;
    TSharedWindow& operator=(const TSharedWindow&) = delete;

    // The window; null while no instance exists (or when the system refused to make it).
    HWND Window() const { return window_ ? window_->Handle() : nullptr; }
    int Count() const { return static_cast<int>(items_.size()); }
    T* Find(TId id) const {
        auto it = items_.find(id);
        return it == items_.end() ? nullptr : it->second;
    }
    // Joins `item`, making the window if there is none; returns its new identity.
    TId Register(T* item) {
        if (!window_) {
            window_ = std::make_unique<THiddenWindow>(className_, params_, handler_, windowBoundary_);
            if (!*window_) window_.reset();
        }
        const TId id = ++lastId_;
        items_[id] = item;
        return id;
    }
    // True when that was the last instance: the window is gone then (also when this runs inside
    // one of the window's own messages).
    bool Unregister(TId id) {
        items_.erase(id);
        if (!items_.empty()) return false;
        window_.reset();
        return true;
    }

    // Runs `action(instance)` for the instance with identity `id`; false when there is none.
    template <class F>
    bool Deliver(TId id, F&& action) {
        T* item = Find(id);
        if (!item) return false;
        try {
            action(*item);
        } catch (...) {
            // The action may have destroyed the instance before it threw.
            if (instanceBoundary_) instanceBoundary_(Find(id));
        }
        return true;
    }

private:
    const char* className_;
    THiddenWindowParams params_;
    THiddenWindow::THandler handler_;
    TInstanceBoundary instanceBoundary_;
    THiddenWindowBoundary windowBoundary_;
    std::unique_ptr<THiddenWindow> window_;
    std::map<TId, T*> items_;
    TId lastId_ = 0;
};

}  // namespace vl
