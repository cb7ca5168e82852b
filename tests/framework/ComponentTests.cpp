// Ownership, names and removal notification of components.
#include <gtest/gtest.h>

#include <vector>

#include "framework/Component.h"
#include "framework/Exceptions.h"

using namespace vl;

namespace {

// Records its own destruction and drops its reference when the referenced component goes.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, const std::string& name, std::vector<std::string>* log = nullptr)
        : TComponent(owner), log_(log) {
        SetName(name);
    }
    ~Probe() override {
        if (log_) log_->push_back(Name());
    }
    void Refer(TComponent* target) {
        ref = target;
        if (target && target->Owner() != Owner()) target->FreeNotification(this);
    }
    TComponent* ref = nullptr;
    int removals = 0;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == TOperation::Remove && component == ref) {
            ref = nullptr;
            ++removals;
        }
    }

private:
    std::vector<std::string>* log_;
};

TEST(ComponentOwnership, OwnerFreesItsComponentsLastFirst) {
    std::vector<std::string> log;
    auto* owner = new Probe(nullptr, "owner", &log);
    new Probe(owner, "a", &log);
    new Probe(owner, "b", &log);
    EXPECT_EQ(owner->ComponentCount(), 2);
    delete owner;
    EXPECT_EQ(log, (std::vector<std::string>{"owner", "b", "a"}));
}

TEST(ComponentOwnership, DeletingAChildRemovesItFromItsOwner) {
    Probe owner(nullptr, "owner");
    auto* child = new Probe(&owner, "child");
    delete child;
    EXPECT_EQ(owner.ComponentCount(), 0);
    EXPECT_EQ(owner.FindComponent("child"), nullptr);
}

TEST(ComponentOwnership, InsertComponentMovesItBetweenOwners) {
    Probe first(nullptr, "first"), second(nullptr, "second");
    auto* child = new Probe(&first, "child");
    second.InsertComponent(child);
    EXPECT_EQ(child->Owner(), &second);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(second.FindComponent("CHILD"), child);
}

TEST(ComponentNames, FindComponentIgnoresCase) {
    Probe owner(nullptr, "owner");
    auto* child = new Probe(&owner, "lsbMovie");
    EXPECT_EQ(owner.FindComponent("LSBMOVIE"), child);
    EXPECT_EQ(owner.FindComponent("lsb"), nullptr);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
}

TEST(ComponentNames, DuplicateNameUnderOneOwnerIsRefused) {
    Probe owner(nullptr, "owner");
    new Probe(&owner, "btnOk");
    auto* other = new Probe(&owner, "btnCancel");
    EXPECT_THROW(other->SetName("BTNOK"), EComponentError);
    EXPECT_EQ(other->Name(), "btnCancel");
    EXPECT_THROW(new Probe(&owner, "btnok"), EComponentError);
    EXPECT_EQ(owner.ComponentCount(), 2);
}

TEST(ComponentNotification, SiblingsHearOfARemovedComponent) {
    Probe owner(nullptr, "owner");
    auto* target = new Probe(&owner, "target");
    auto* holder = new Probe(&owner, "holder");
    holder->Refer(target);
    delete target;
    EXPECT_EQ(holder->ref, nullptr);
    EXPECT_EQ(holder->removals, 1);
}

TEST(ComponentNotification, FreeNotificationReachesAnotherOwner) {
    Probe formA(nullptr, "formA"), formB(nullptr, "formB");
    auto* theme = new Probe(&formA, "theme");
    auto* user = new Probe(&formB, "user");
    user->Refer(theme);
    delete theme;
    EXPECT_EQ(user->ref, nullptr);
    EXPECT_EQ(user->removals, 1);
}

TEST(ComponentNotification, HolderDestroyedFirstIsNotToldLater) {
    Probe formA(nullptr, "formA");
    auto* theme = new Probe(&formA, "theme");
    {
        Probe formB(nullptr, "formB");
        auto* user = new Probe(&formB, "user");
        user->Refer(theme);
    }  // formB and user are gone; theme must have forgotten user
    delete theme;  // must not touch the destroyed holder
    SUCCEED();
}

TEST(ComponentNotification, OwnerDestructionNotifiesHoldersOfEachChild) {
    Probe other(nullptr, "other");
    auto* holder = new Probe(&other, "holder");
    auto* owner = new Probe(nullptr, "owner");
    auto* child = new Probe(owner, "child");
    holder->Refer(child);
    delete owner;
    EXPECT_EQ(holder->ref, nullptr);
}

TEST(ComponentState, DestroyingFlagIsSetOnOwnedComponentsFirst) {
    struct Watch : TComponent {
        Watch(TComponent* o, bool* seen) : TComponent(o), seen_(seen) {}
        ~Watch() override { *seen_ = Destroying(); }
        bool* seen_;
    };
    bool seen = false;
    auto* owner = new TComponent(nullptr);
    new Watch(owner, &seen);
    delete owner;
    EXPECT_TRUE(seen);
}

}  // namespace
