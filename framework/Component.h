#pragma once
// Components: named objects owned by another component (usually a form), freed with their
// owner, and told when a component they may refer to goes away.
#include <any>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "framework/ClassInfo.h"
#include "framework/StringUtils.h"

namespace vl {

class TPersistent : public TObject {
    VL_DECLARE_CLASS()
public:
    // Copies the state of `source`; the default refuses, as most classes cannot copy.
    virtual void Assign(const TPersistent& source);
};

enum class TOperation { Insert, Remove };

enum TComponentStateFlag : unsigned { csLoading = 1, csDestroying = 2, csReading = 4 };

class TComponent : public TPersistent {
    VL_DECLARE_CLASS()
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    const std::string& Name() const { return name_; }
    virtual void SetName(const std::string& name);
    TComponent* Owner() const { return owner_; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    // Owned components in the order they joined the owner.
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
    int ComponentIndex() const;
    // Finds an owned component by name, ignoring case; null when there is none.
    TComponent* FindComponent(std::string_view name) const;

    unsigned ComponentState() const { return state_; }
    bool Loading() const { return (state_ & csLoading) != 0; }
    bool Destroying() const { return (state_ & csDestroying) != 0; }
    void SetLoadingState(bool on);

    // Asks `other` to tell this component (through Notification) when it is destroyed; used for
    // references between components of different owners. Mutual, so either side may go first.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    // Moves the component to another owner (or none).
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    // Event handlers that the form loader binds by name; normally registered by a form.
    template <class C, class... A>
    void RegisterHandler(const std::string& handlerName, void (C::*method)(A...)) {
        C* self = static_cast<C*>(this);
        handlers_[handlerName] = std::function<void(A...)>(
            [self, method](A... args) { (self->*method)(std::forward<A>(args)...); });
    }
    void RegisterHandlerAny(const std::string& handlerName, std::any handler);
    const std::any* FindHandler(std::string_view handlerName) const;

    // Called for each component after the form description that created it was read.
    virtual void Loaded();

    // The component that visually contains this one in a form description (a control's parent
    // window); the loader calls it for each nested component. Plain components ignore it.
    virtual void SetParentComponent(TComponent* parent);
    virtual TComponent* GetParentComponent() const { return nullptr; }

protected:
    // `component` was inserted or is about to be removed; a reference to it must be dropped.
    virtual void Notification(TComponent* component, TOperation operation);
    // Marks this component and its owned components as being destroyed.
    void Destroying_();
    // Frees the owned components, last first.
    void DestroyComponents();

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void RemoveNotification(TComponent* component);

    std::string name_;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    unsigned state_ = 0;
    int tag_ = 0;
    std::map<std::string, std::any, CaseInsensitiveLess> handlers_;
};

// Finds a component by a name such as "Form1" or "Form1.suiFileTheme1" across the program's
// top-level components (forms); the application installs the lookup.
using TGlobalComponentFinder = std::function<TComponent*(std::string_view)>;
// Installs `finder` and returns the one it replaces.
TGlobalComponentFinder SetGlobalComponentFinder(TGlobalComponentFinder finder);
TComponent* FindGlobalComponent(std::string_view name);

}  // namespace vl
