#include "framework/Component.h"

#include <algorithm>
#include <utility>

#include "framework/ClassBuilder.h"
#include "framework/Exceptions.h"

namespace vl {

const TClassInfo& TPersistent::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPersistent>("TPersistent", &TObject::StaticClass()).Build();
    return info;
}

void TPersistent::Assign(const TPersistent& source) {
    throw EConvertError("Cannot assign a " + source.ClassName() + " to a " + ClassName());
}

const TClassInfo& TComponent::StaticClass() {
    static const TClassInfo info = TClassBuilder<TComponent>("TComponent", &TPersistent::StaticClass())
                                       .Prop("Name", &TComponent::SetName, &TComponent::Name)
                                       .Prop("Tag", &TComponent::SetTag, &TComponent::Tag)
                                       .Build();
    return info;
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying_();
    // Tell everyone holding a reference to this component, then forget them.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        // The other side may be owned by this component and already gone from the list.
        auto& theirs = other->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, TOperation::Remove);
    }
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::SetName(const std::string& name) {
    if (name == name_) return;
    if (owner_ && !name.empty()) {
        TComponent* existing = owner_->FindComponent(name);
        if (existing && existing != this)
            throw EComponentError("A component named " + name + " already exists");
    }
    name_ = name;
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name)) return c;
    return nullptr;
}

void TComponent::SetLoadingState(bool on) {
    if (on) state_ |= csLoading;
    else state_ &= ~csLoading;
}

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
        freeNotifies_.push_back(other);
    if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) == other->freeNotifies_.end())
        other->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (!other) return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other), freeNotifies_.end());
    auto& theirs = other->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component->name_.empty() && FindComponent(component->name_))
        throw EComponentError("A component named " + component->name_ + " already exists");
    if (component->owner_) component->owner_->RemoveComponent(component);
    Insert(component);
    Notification(component, TOperation::Insert);
}

void TComponent::RemoveComponent(TComponent* component) {
    Notification(component, TOperation::Remove);
    Remove(component);
}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
    component->owner_ = nullptr;
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::Remove && component) RemoveNotification(component);
    // Pass it down: any owned component may hold a reference to the one going away.
    for (size_t i = components_.size(); i-- > 0;) {
        if (i >= components_.size()) continue;
        TComponent* child = components_[i];
        if (child != component) child->Notification(component, operation);
    }
}

void TComponent::RemoveNotification(TComponent* component) {
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
}

void TComponent::Destroying_() {
    if (state_ & csDestroying) return;
    state_ |= csDestroying;
    for (TComponent* c : components_) c->Destroying_();
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* c = components_.back();
        Remove(c);
        delete c;
    }
}

void TComponent::RegisterHandlerAny(const std::string& handlerName, std::any handler) {
    handlers_[handlerName] = std::move(handler);
}

const std::any* TComponent::FindHandler(std::string_view handlerName) const {
    auto it = handlers_.find(handlerName);
    return it == handlers_.end() ? nullptr : &it->second;
}

void TComponent::Loaded() { state_ &= ~csLoading; }

void TComponent::SetParentComponent(TComponent*) {}

namespace {
TGlobalComponentFinder& GlobalFinder() {
    static TGlobalComponentFinder finder;
    return finder;
}
}  // namespace

TGlobalComponentFinder SetGlobalComponentFinder(TGlobalComponentFinder finder) {
    return std::exchange(GlobalFinder(), std::move(finder));
}

TComponent* FindGlobalComponent(std::string_view name) {
    return GlobalFinder() ? GlobalFinder()(name) : nullptr;
}

}  // namespace vl
