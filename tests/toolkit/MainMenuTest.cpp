#include "toolkit/menus/MainMenu.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class MainMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        menu.AddWatcher(this, [this](TMainMenu* sender, TMenuItem* source, bool rebuild) {
            EXPECT_EQ(sender, &menu);
            changes.push_back({source, rebuild});
        });
    }

    TMenuItem* Item(TMenuItem& parent, const std::string& caption)
    {
        auto* item = new TMenuItem(&owner);
        item->SetCaption(caption);
        parent.Add(item);
        return item;
    }

    struct Change {
        TMenuItem* source;
        bool rebuild;
    };

    // The menu tells its watcher once more while it goes: the record outlives it.
    std::vector<Change> changes;
    TComponent owner{nullptr};
    TMainMenu menu{&owner};
};

TEST(ShortCutTest, PacksTheKeyWithItsModifiers)
{
    EXPECT_EQ(ShortCut('O', ssCtrl), 0x4000 + 'O');
    EXPECT_EQ(ShortCut('S', ssCtrl | ssShift), 0x6000 + 'S');
    EXPECT_EQ(ShortCut(0x70, ssAlt), 0x8070);
    EXPECT_EQ(ShortCut(0, ssCtrl), 0);
    EXPECT_EQ(ShortCut(0x1FF, 0), 0) << "only one byte of key";
}

TEST_F(MainMenuTest, ItemsKeepTheirPlacesAndMoveBetweenParents)
{
    TMenuItem& root = menu.Items();
    TMenuItem* file = Item(root, "File");
    TMenuItem* edit = Item(root, "Edit");
    TMenuItem* help = Item(root, "Help");
    ASSERT_EQ(root.Count(), 3);
    EXPECT_EQ(root.Items(1), edit);
    EXPECT_EQ(edit->Parent(), &root);
    EXPECT_EQ(edit->Menu(), &menu);

    // Moving forward within the same parent lands where asked.
    root.Insert(3, file);
    EXPECT_EQ(root.IndexOf(file), 2);
    EXPECT_EQ(root.Items(0), edit);

    file->Add(help);
    EXPECT_EQ(root.Count(), 2);
    EXPECT_EQ(help->Parent(), file);
    EXPECT_EQ(help->Menu(), &menu);

    root.Remove(file);
    EXPECT_EQ(file->Parent(), nullptr);
    EXPECT_EQ(help->Menu(), nullptr);
    delete file;  // takes help with it
    EXPECT_EQ(owner.ComponentCount(), 2) << "the menu and edit are left";
}

TEST_F(MainMenuTest, RefusesBadPlacesAndCycles)
{
    TMenuItem& root = menu.Items();
    TMenuItem* file = Item(root, "File");
    TMenuItem* open = Item(*file, "Open");
    EXPECT_THROW(root.Insert(5, open), EListError);
    EXPECT_THROW(root.Insert(-1, open), EListError);
    EXPECT_THROW(open->Add(file), EMenuError);
    EXPECT_THROW(file->Add(file), EMenuError);
    EXPECT_THROW(root.Items(1), EListError);
    EXPECT_EQ(open->Parent(), file);
    EXPECT_EQ(file->Parent(), &root);
}

TEST_F(MainMenuTest, TellsWatchersWhetherToRebuildOrRefresh)
{
    TMenuItem* file = Item(menu.Items(), "File");
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(changes[0].rebuild);
    changes.clear();

    file->SetCaption("Document");
    file->SetCaption("Document");  // unchanged: no news
    file->SetEnabled(false);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].source, file);
    EXPECT_FALSE(changes[0].rebuild);
    EXPECT_FALSE(changes[1].rebuild);
    changes.clear();

    // Freeing an item takes it out of its parent: one rebuild, from the parent.
    TMenuItem* open = Item(*file, "Open");
    Item(*open, "Recent");
    changes.clear();
    delete open;
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].source, file);
    EXPECT_TRUE(changes[0].rebuild);
    EXPECT_EQ(file->Count(), 0);

    changes.clear();
    menu.RemoveWatcher(this);
    file->SetCaption("Gone");
    EXPECT_TRUE(changes.empty());
}

TEST_F(MainMenuTest, ALoadingMenuReportsOnceWhenLoaded)
{
    menu.BeginLoading();
    Item(menu.Items(), "File");
    Item(menu.Items(), "Edit");
    EXPECT_TRUE(changes.empty());
    menu.Loaded();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(changes[0].rebuild);
    EXPECT_EQ(changes[0].source, nullptr);
}

TEST_F(MainMenuTest, AWatcherMayLeaveWhileBeingTold)
{
    int second = 0;
    menu.AddWatcher(&second, [&](TMainMenu*, TMenuItem*, bool) {
        ++second;
        menu.RemoveWatcher(&second);
    });
    menu.AddWatcher(&second, [&](TMainMenu*, TMenuItem*, bool) {
        ++second;
        menu.RemoveWatcher(&second);
    });  // same key: replaced, not added
    Item(menu.Items(), "File");
    Item(menu.Items(), "Edit");
    EXPECT_EQ(second, 1);
    EXPECT_EQ(changes.size(), 2u);
}

TEST_F(MainMenuTest, AGoingMenuTellsItsWatchersBeforeItsItemsGo)
{
    auto* going = new TMainMenu(&owner);
    TMenuItem* file = Item(going->Items(), "File");
    bool sawItems = false;
    going->AddWatcher(this, [&](TMainMenu* sender, TMenuItem*, bool rebuild) {
        EXPECT_TRUE(rebuild);
        EXPECT_TRUE(sender->IsDestroying());
        sawItems = sender->Items().Count() == 1 && sender->Items().Items(0) == file;
    });
    delete going;
    EXPECT_TRUE(sawItems);
    EXPECT_EQ(owner.ComponentCount(), 1) << "the item went with its menu";
}

TEST_F(MainMenuTest, ClicksNeedTheWholePathEnabled)
{
    TMenuItem* file = Item(menu.Items(), "File");
    TMenuItem* open = Item(*file, "Open");
    int runs = 0;
    open->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, open);
        ++runs;
    };
    EXPECT_TRUE(open->Click());
    EXPECT_FALSE(file->Click()) << "no handler";
    file->SetEnabled(false);
    EXPECT_FALSE(open->Click());
    EXPECT_EQ(runs, 1);
}

TEST_F(MainMenuTest, ShortCutsFindTheFirstEnabledItemDepthFirst)
{
    TMenuItem* file = Item(menu.Items(), "File");
    TMenuItem* open = Item(*file, "Open");
    TMenuItem* edit = Item(menu.Items(), "Edit");
    TMenuItem* again = Item(*edit, "Open again");
    std::vector<std::string> runs;
    for (TMenuItem* item : {open, again}) {
        item->SetShortCut(ShortCut('O', ssCtrl));
        item->OnClick = [&runs, item](TObject*) { runs.push_back(item->Caption()); };
    }
    EXPECT_TRUE(menu.IsShortCut('O', ssCtrl));
    EXPECT_FALSE(menu.IsShortCut('O', 0));
    EXPECT_FALSE(menu.IsShortCut(0, 0)) << "0 is no short cut, even for items without one";
    open->SetEnabled(false);
    EXPECT_TRUE(menu.IsShortCut('O', ssCtrl));
    edit->SetEnabled(false);
    EXPECT_FALSE(menu.IsShortCut('O', ssCtrl));
    EXPECT_EQ(runs, (std::vector<std::string>{"Open", "Open again"}));
}

}  // namespace
