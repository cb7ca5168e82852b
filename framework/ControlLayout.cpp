// TWinControl's place among its parent's children (tab order) and its geometry, with the
// alignment of children inside the client area.
#include "framework/Control.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/Form.h"

namespace vl {

// ---------------------------------------------------------------- parent and children

void TWinControl::SetParentComponent(TComponent* parent) {
    if (auto* p = dynamic_cast<TWinControl*>(parent)) SetParent(p);
}

void TWinControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent == this) throw EInvalidOperation("A control cannot be its own parent");
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
    if (handle_) {
        if (parent && parent->handle_) {
            ::SetParent(handle_, parent->handle_);
        } else {
            DestroyHandle();
        }
    } else if (parent && parent->handle_) {
        CreateWnd();
    }
    if (parent_) {
        ParentFontChanged();
        ParentColorChanged();
        parent_->Realign();
    }
}

void TWinControl::InsertControl(TWinControl* child) {
    controls_.push_back(child);
    child->parent_ = this;
}

void TWinControl::RemoveControl(TWinControl* child) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), child), controls_.end());
    child->parent_ = nullptr;
}

TForm* TWinControl::ParentForm() const {
    const TWinControl* c = this;
    while (c->parent_) c = c->parent_;
    return const_cast<TForm*>(dynamic_cast<const TForm*>(c));
}

void TWinControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
}

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    auto& list = parent_->controls_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!parent_ || order < 0) return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    size_t pos = std::min(static_cast<size_t>(order), list.size());
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(pos), this);
}

void TWinControl::Loaded() {
    TComponent::Loaded();
    Realign();
}

// ---------------------------------------------------------------- geometry

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    bool sized = width != width_ || height != height_;
    if (left == left_ && top == top_ && !sized) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (handle_) {
        inSetBounds_ = true;
        SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        inSetBounds_ = false;
    }
    if (sized) {
        Realign();
        Resized();
    }
    if (parent_ && align_ != TAlign::None) parent_->Realign();
}

void TWinControl::UpdateBoundsFromWindow() {
    RECT r;
    GetWindowRect(handle_, &r);
    if (HWND p = GetParent(handle_); p && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, p, reinterpret_cast<POINT*>(&r), 2);
    bool sized = r.right - r.left != width_ || r.bottom - r.top != height_;
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
    if (sized) {
        Realign();
        Resized();
    }
}

void TWinControl::Resized() {
    if (OnResize) OnResize(this);
}

int TWinControl::ClientWidth() {
    RECT r = ClientRect();
    return r.right - r.left;
}

int TWinControl::ClientHeight() {
    RECT r = ClientRect();
    return r.bottom - r.top;
}

void TWinControl::SetClientWidth(int w) { SetWidth(w + (width_ - ClientWidth())); }
void TWinControl::SetClientHeight(int h) { SetHeight(h + (height_ - ClientHeight())); }

RECT TWinControl::ClientRect() {
    RECT r{0, 0, width_, height_};
    if (handle_) GetClientRect(handle_, &r);
    return r;
}

POINT TWinControl::ClientToScreen(POINT p) {
    ::ClientToScreen(Handle(), &p);
    return p;
}

POINT TWinControl::ScreenToClient(POINT p) {
    ::ScreenToClient(Handle(), &p);
    return p;
}

void TWinControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    if (parent_) parent_->Realign();
}

void TWinControl::Realign() {
    if (Loading()) return;
    RECT area = ClientRect();
    AdjustClientRect(area);
    auto place = [&](TAlign which) {
        for (TWinControl* c : controls_) {
            if (c->align_ != which || !c->visible_) continue;
            int w = area.right - area.left, h = area.bottom - area.top;
            switch (which) {
            case TAlign::Top:
                c->SetBounds(area.left, area.top, w, c->height_);
                area.top += c->height_;
                break;
            case TAlign::Bottom:
                c->SetBounds(area.left, area.bottom - c->height_, w, c->height_);
                area.bottom -= c->height_;
                break;
            case TAlign::Left:
                c->SetBounds(area.left, area.top, c->width_, h);
                area.left += c->width_;
                break;
            case TAlign::Right:
                c->SetBounds(area.right - c->width_, area.top, c->width_, h);
                area.right -= c->width_;
                break;
            case TAlign::Client: c->SetBounds(area.left, area.top, w, h); break;
            case TAlign::None: break;
            }
        }
    };
    for (TAlign a : {TAlign::Top, TAlign::Bottom, TAlign::Left, TAlign::Right, TAlign::Client}) place(a);
}

}  // namespace vl
