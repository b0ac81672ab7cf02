#include "toolkit/components/ClassInfo.h"
#include "toolkit/components/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Keeps a reference to another component and records every removal it hears of.
class Watcher : public TComponent {
public:
    explicit Watcher(TComponent* owner, std::vector<std::string>* log = nullptr) : TComponent(owner), log_(log) {}
    TComponent* Target = nullptr;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation != opRemove)
            return;
        if (log_)
            log_->push_back(Name() + " heard " + component->Name());
        if (component == Target)
            Target = nullptr;
    }

private:
    std::vector<std::string>* log_;
};

class Counted : public TComponent {
public:
    Counted(TComponent* owner, int* alive) : TComponent(owner), alive_(alive) { ++*alive_; }
    ~Counted() override { --*alive_; }

private:
    int* alive_;
};

}  // namespace

TEST(Component, OwnerFreesWhatItOwnsAndForgetsWhatGoesFirst)
{
    int alive = 0;
    {
        TComponent owner(nullptr);
        auto* a = new Counted(&owner, &alive);
        new Counted(&owner, &alive);
        EXPECT_EQ(owner.ComponentCount(), 2);
        delete a;
        EXPECT_EQ(owner.ComponentCount(), 1);
        EXPECT_EQ(alive, 1);
    }
    EXPECT_EQ(alive, 0);
}

TEST(Component, RemovalIsAnnouncedToEveryComponentOfTheOwner)
{
    std::vector<std::string> log;
    TComponent form(nullptr);
    auto* theme = new TComponent(&form);
    theme->SetName("Theme");
    auto* button = new Watcher(&form, &log);
    button->SetName("Button");
    auto* memo = new Watcher(&form, &log);
    memo->SetName("Memo");
    button->Target = theme;
    memo->Target = theme;
    delete theme;
    EXPECT_EQ(button->Target, nullptr);
    EXPECT_EQ(memo->Target, nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"Memo heard Theme", "Button heard Theme"}));
}

TEST(Component, FreeNotificationReachesAcrossOwners)
{
    TComponent formA(nullptr), formB(nullptr);
    auto* target = new TComponent(&formA);
    auto* watcher = new Watcher(&formB);
    watcher->Target = target;
    target->FreeNotification(watcher);
    delete target;
    EXPECT_EQ(watcher->Target, nullptr);
    // And the other way round: a watcher that goes first leaves nothing dangling behind.
    auto* second = new TComponent(&formA);
    auto* shortLived = new Watcher(&formB);
    second->FreeNotification(shortLived);
    delete shortLived;
    delete second;  // must not call the deleted watcher
    SUCCEED();
}

TEST(Component, OwnerDestructionNotifiesTheSurvivorsInTurn)
{
    std::vector<std::string> log;
    auto* form = new TComponent(nullptr);
    auto* first = new Watcher(form, &log);
    first->SetName("First");
    auto* second = new TComponent(form);
    second->SetName("Second");
    first->Target = second;
    delete form;  // Second goes first (last created), First hears of it while still alive
    EXPECT_EQ(log, (std::vector<std::string>{"First heard Second"}));
}

TEST(Component, NamesAreIdentifiersUniqueInTheOwnerWhateverTheCase)
{
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    a->SetName("Button1");
    auto* b = new TComponent(&owner);
    EXPECT_THROW(b->SetName("BUTTON1"), EComponentError);
    EXPECT_THROW(b->SetName("1Button"), EComponentError);
    EXPECT_THROW(b->SetName("has space"), EComponentError);
    b->SetName("_Button2");
    EXPECT_EQ(owner.FindComponent("button1"), a);
    EXPECT_EQ(owner.Find<TComponent>("_BUTTON2"), b);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
    a->SetName("Button1");  // the same name again is fine
    try {
        b->SetName("button1");
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_STREQ(e.what(), "名为 button1 的组件已存在");
    }
}

TEST(Component, LoadingStateLastsUntilLoaded)
{
    TComponent component(nullptr);
    EXPECT_FALSE(component.IsLoading());
    component.BeginLoading();
    EXPECT_TRUE(component.IsLoading());
    EXPECT_TRUE(component.ComponentState() & csLoading);
    component.Loaded();
    EXPECT_FALSE(component.IsLoading());
    EXPECT_EQ(component.ClassName(), "TComponent");
}

TEST(Component, IndexOutsideTheListRaisesTheListError)
{
    TComponent owner(nullptr);
    new TComponent(&owner);
    EXPECT_THROW(owner.Components(1), EListError);
    EXPECT_THROW(owner.Components(-1), EListError);
}
