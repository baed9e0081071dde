#include <gtest/gtest.h>

#include <vector>

#include "foundation/DList.h"

namespace {

// A payload that counts how many of its kind are alive, to show the list never destroys
// what it holds.
struct Counted : DObject {
    explicit Counted(int v) : value(v) { ++alive; }
    ~Counted() override { --alive; }
    int value;
    static int alive;
};
int Counted::alive = 0;

class IntComparator : public DListComparator {
public:
    int compare(const void* inList, const void* added) override
    {
        ++calls;
        return static_cast<const Counted*>(inList)->value - static_cast<const Counted*>(added)->value;
    }
    int calls = 0;
};

// Answers 1 to the first question and 0 to every later one: "not equal", then
// "not greater", then "not less" - an answer no consistent ordering gives.
class ContradictingComparator : public DListComparator {
public:
    int compare(const void*, const void*) override { return calls++ == 0 ? 1 : 0; }
    int calls = 0;
};

std::vector<int> values(const DList& list)
{
    std::vector<int> out;
    for (int i = 0; i < list.count(); ++i)
        out.push_back(static_cast<Counted*>(list.get(i))->value);
    return out;
}

}  // namespace

// ---- plain appending and positional access ----

TEST(DList, AppendsReturnPositions)
{
    Counted a(1), b(2), c(3);
    DList list;
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.add(&a), 0);
    EXPECT_EQ(list.add(&b), 1);
    EXPECT_EQ(list.add(&c), 2);
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.get(0), &a);
    EXPECT_EQ(list.get(2), &c);
}

TEST(DList, NullPayloadIsStoredLikeAnyOther)
{
    DList list;
    EXPECT_EQ(list.add(nullptr), 0);
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.indexOf(nullptr), 0);
}

TEST(DList, GetOutOfRangeGivesNone)
{
    Counted a(1);
    DList list;
    EXPECT_EQ(list.get(0), nullptr);
    list.add(&a);
    EXPECT_EQ(list.get(-1), nullptr);
    EXPECT_EQ(list.get(1), nullptr);
}

TEST(DList, SetReturnsPreviousPayloadOrNone)
{
    Counted a(1), b(2), c(3);
    DList list;
    EXPECT_EQ(list.set(0, &a), nullptr);
    EXPECT_EQ(list.count(), 0);
    list.add(&a);
    list.add(&b);
    EXPECT_EQ(list.set(1, &c), &b);
    EXPECT_EQ(list.get(1), &c);
    EXPECT_EQ(list.set(2, &b), nullptr);
    EXPECT_EQ(list.set(-1, &b), nullptr);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.get(0), &a);
    EXPECT_EQ(list.get(1), &c);
}

TEST(DList, IndexOfComparesPointersNotContents)
{
    Counted a(7), twin(7), b(8);
    DList list;
    list.add(&a);
    list.add(&b);
    list.add(&a);
    EXPECT_EQ(list.indexOf(&a), 0);
    EXPECT_EQ(list.indexOf(&b), 1);
    EXPECT_EQ(list.indexOf(&twin), -1);
}

// ---- removal ----

TEST(DList, RemoveOnlyNodeLeavesEmptyList)
{
    Counted a(1), b(2);
    DList list;
    list.add(&a);
    list.remove(0);
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.get(0), nullptr);
    EXPECT_EQ(list.add(&b), 0);
    EXPECT_EQ(list.get(0), &b);
}

TEST(DList, RemoveAtHeadTailAndMiddleKeepsLinks)
{
    std::vector<Counted> items;
    items.reserve(5);
    for (int i = 0; i < 5; ++i)
        items.emplace_back(i);
    DList list;
    for (Counted& c : items)
        list.add(&c);

    list.remove(0);  // head
    EXPECT_EQ(values(list), (std::vector<int>{1, 2, 3, 4}));
    list.remove(3);  // tail
    EXPECT_EQ(values(list), (std::vector<int>{1, 2, 3}));
    list.remove(1);  // middle
    EXPECT_EQ(values(list), (std::vector<int>{1, 3}));
    // The links still hold both ways: appending after the old tail and removing again.
    EXPECT_EQ(list.add(&items[4]), 2);
    EXPECT_EQ(values(list), (std::vector<int>{1, 3, 4}));
    list.remove(1);
    list.remove(1);
    EXPECT_EQ(values(list), (std::vector<int>{1}));
}

TEST(DList, RemoveOutOfRangeChangesNothing)
{
    Counted a(1), b(2);
    DList list;
    list.remove(0);
    list.add(&a);
    list.add(&b);
    list.remove(-1);
    list.remove(2);
    EXPECT_EQ(values(list), (std::vector<int>{1, 2}));
}

TEST(DList, ClearAndDestroyLeavePayloadsAlive)
{
    Counted::alive = 0;
    Counted* a = new Counted(1);
    Counted* b = new Counted(2);
    {
        DList list;
        list.add(a);
        list.add(b);
        list.clear();
        EXPECT_EQ(list.count(), 0);
        EXPECT_EQ(Counted::alive, 2);
        list.add(a);
        list.add(b);
    }
    EXPECT_EQ(Counted::alive, 2);
    EXPECT_EQ(a->value + b->value, 3);
    delete a;
    delete b;
    EXPECT_EQ(Counted::alive, 0);
}

// ---- sorted insertion ----

TEST(DListSorted, StableAscendingInsert)
{
    Counted five(5), three(3), fiveAgain(5), one(1);
    IntComparator byValue;
    DList list;
    list.setComparator(&byValue);
    EXPECT_EQ(list.add(&five), 0);
    EXPECT_EQ(list.add(&three), 0);
    EXPECT_EQ(list.add(&fiveAgain), 2);
    EXPECT_EQ(list.add(&one), 0);
    ASSERT_EQ(list.count(), 4);
    EXPECT_EQ(list.get(0), &one);
    EXPECT_EQ(list.get(1), &three);
    EXPECT_EQ(list.get(2), &five);
    EXPECT_EQ(list.get(3), &fiveAgain);
}

TEST(DListSorted, EqualPayloadsKeepInsertionOrderBeforeLargerOnes)
{
    Counted a(2), b(2), c(2), big(9), small(1);
    IntComparator byValue;
    DList list;
    list.setComparator(&byValue);
    list.add(&big);
    list.add(&a);
    EXPECT_EQ(list.add(&b), 1);
    EXPECT_EQ(list.add(&c), 2);
    EXPECT_EQ(list.add(&small), 0);
    EXPECT_EQ(list.indexOf(&a), 1);
    EXPECT_EQ(list.indexOf(&b), 2);
    EXPECT_EQ(list.indexOf(&c), 3);
    EXPECT_EQ(list.indexOf(&big), 4);
}

TEST(DListSorted, LargestGoesToTheEnd)
{
    Counted a(1), b(2), c(3);
    IntComparator byValue;
    DList list;
    list.setComparator(&byValue);
    list.add(&a);
    list.add(&b);
    EXPECT_EQ(list.add(&c), 2);
    EXPECT_EQ(values(list), (std::vector<int>{1, 2, 3}));
}

TEST(DListSorted, ContradictingComparatorInsertsNothing)
{
    Counted a(1), b(2);
    IntComparator byValue;
    ContradictingComparator liar;
    DList list;
    list.setComparator(&byValue);
    list.add(&a);
    list.setComparator(&liar);
    EXPECT_EQ(list.add(&b), -1);
    EXPECT_EQ(liar.calls, 3);
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.get(0), &a);
    EXPECT_EQ(list.indexOf(&b), -1);
}

TEST(DListSorted, FirstAddIntoEmptyListAsksNothing)
{
    Counted a(1);
    IntComparator byValue;
    DList list;
    list.setComparator(&byValue);
    EXPECT_EQ(list.add(&a), 0);
    EXPECT_EQ(byValue.calls, 0);
}
