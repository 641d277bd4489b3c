// The owned list: order, bounds, lookup by class, deleting what it holds.
#include "platform/OwnedList.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// An item that takes itself out of its list when deleted, as pages do.
struct Item {
    Item(TOwnedList<Item>* owner, std::vector<int>* deleted, int id) : Owner(owner), Deleted(deleted), Id(id)
    {
        if (Owner)
            Owner->InsertItem(this);
    }
    virtual ~Item()
    {
        Deleted->push_back(Id);
        if (Owner)
            Owner->RemoveItem(this);
    }
    TOwnedList<Item>* Owner;
    std::vector<int>* Deleted;
    int Id;
};

struct Special : Item {
    using Item::Item;
};

} // namespace

TEST(OwnedList, KeepsOrderAndRaisesOutsideItsBounds)
{
    std::vector<int> deleted;
    TOwnedList<Item> list;
    auto* first = new Item(&list, &deleted, 1);
    auto* second = new Special(&list, &deleted, 2);
    auto* third = new Special(&list, &deleted, 3);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetItem(0), first);
    EXPECT_EQ(list.GetItemIndex(third), 2);
    EXPECT_EQ(list.GetItemIndex(nullptr), -1);
    for (int index : {-1, 3})
        EXPECT_THROW(list.GetItem(index), EListError) << index;

    // Lookup by class finds the first of the class or a derived one.
    EXPECT_EQ(list.ByClass<Special>(), second);
    EXPECT_EQ(list.ByClass<Item>(), first);
    EXPECT_EQ(list.FindFirst([](const Item* item) { return item->Id == 3; }), third);
    EXPECT_EQ(list.FindFirst([](const Item*) { return false; }), nullptr);

    // Deleting an item elsewhere leaves the list consistent.
    delete second;
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.GetItem(1), third);
    EXPECT_EQ(list.ByClass<Special>(), third);

    list.RemoveItem(first);  // taken out, not deleted
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(deleted, std::vector<int>{2});
    first->Owner = nullptr;
    delete first;
}

TEST(OwnedList, DeletesWhatItHoldsFirstFirst)
{
    std::vector<int> deleted;
    {
        TOwnedList<Item> list;
        for (int id = 1; id <= 3; ++id)
            new Item(&list, &deleted, id);
    }
    EXPECT_EQ(deleted, (std::vector<int>{1, 2, 3}));
}
