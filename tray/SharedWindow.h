#pragma once
// A hidden window shared by every instance of one kind (tray icons, simple timers), and those
// instances by identity. Identities only grow, so a message queued for an instance destroyed
// since finds nothing. The window is made with the first instance and destroyed with the last;
// one that outlives its instances goes with the process's statics.
#include <windows.h>

#include <map>

namespace vorlinde {

// A never-shown window of `className` (registered with `proc` on first use): message-only, or
// a hidden top-level tool window where the shell has to be able to post to it.
HWND CreateSharedWindow(const char* className, WNDPROC proc, bool messageOnly);

template <class TId, class T>
class TSharedWindow {
public:
    TSharedWindow(const char* className, WNDPROC proc, bool messageOnly)
        : className_(className), proc_(proc), messageOnly_(messageOnly) {}
    ~TSharedWindow() {
        if (window_ && IsWindow(window_)) DestroyWindow(window_);
    }
    TSharedWindow(const TSharedWindow&) = delete;
    TSharedWindow& operator=(const TSharedWindow&) = delete;

    HWND Window() const { return window_; }
    int Count() const { return static_cast<int>(items_.size()); }
    T* Find(TId id) const {
        auto it = items_.find(id);
        return it == items_.end() ? nullptr : it->second;
    }
    TId Register(T* item) {
        if (!window_) window_ = CreateSharedWindow(className_, proc_, messageOnly_);
        const TId id = ++lastId_;
        items_[id] = item;
        return id;
    }
    // True when that was the last instance: the window is gone then.
    bool Unregister(TId id) {
        items_.erase(id);
        if (!items_.empty()) return false;
        if (window_) DestroyWindow(window_);
        window_ = nullptr;
        return true;
    }

private:
    const char* className_;
    WNDPROC proc_;
    bool messageOnly_;
    HWND window_ = nullptr;
    std::map<TId, T*> items_;
    TId lastId_ = 0;
};

}  // namespace vorlinde
