#include "model/object_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bw {
namespace {

// A node that records its destruction in a log shared with the test.
class TrackedNode : public ListNode {
  public:
    TrackedNode(std::string name, std::vector<std::string>& destroyed)
        : name(std::move(name)), destroyed_(destroyed) {}
    ~TrackedNode() override { destroyed_.push_back(name); }

    const std::string name;

  private:
    std::vector<std::string>& destroyed_;
};

class ObjectListTest : public ::testing::Test {
  protected:
    TrackedNode* Add(const std::string& name) {
        auto* node = new TrackedNode(name, destroyed);
        EXPECT_TRUE(list.Append(node));
        return node;
    }

    // Names in list order, following the next links from At(0), checking the previous links on
    // the way.
    std::vector<std::string> Walk() const {
        std::vector<std::string> names;
        const ListNode* previous = nullptr;
        for (const ListNode* node = list.Count() > 0 ? list.At(0) : nullptr; node;
             node = node->next) {
            EXPECT_EQ(node->previous, previous);
            names.push_back(static_cast<const TrackedNode*>(node)->name);
            previous = node;
        }
        return names;
    }

    std::vector<std::string> destroyed;  // declared first: outlives the list
    ObjectList list;
};

using Names = std::vector<std::string>;

TEST_F(ObjectListTest, NewListIsEmpty) {
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.At(0), nullptr);
    EXPECT_EQ(list.IndexedAt(0), nullptr);
    EXPECT_TRUE(list.RebuildIndex());
    EXPECT_EQ(list.IndexedAt(0), nullptr);
    EXPECT_EQ(list.IndexedAt(-1), nullptr);
    EXPECT_FALSE(list.RemoveAt(0));
}

TEST_F(ObjectListTest, AppendLinksAtTheEnd) {
    TrackedNode* a = Add("A");
    EXPECT_EQ(a->previous, nullptr);
    EXPECT_EQ(a->next, nullptr);
    TrackedNode* b = Add("B");
    TrackedNode* c = Add("C");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.At(0), a);
    EXPECT_EQ(list.At(1), b);
    EXPECT_EQ(list.At(2), c);
    EXPECT_EQ(c->previous, b);
    EXPECT_EQ(c->next, nullptr);
    EXPECT_EQ(a->previous, nullptr);
    EXPECT_EQ(Walk(), (Names{"A", "B", "C"}));
    EXPECT_TRUE(destroyed.empty());
}

TEST_F(ObjectListTest, RemovingTheHeadMakesTheSecondElementTheHead) {
    Add("A");
    TrackedNode* b = Add("B");
    ASSERT_TRUE(list.RemoveAt(0));
    EXPECT_EQ(destroyed, (Names{"A"}));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.At(0), b);
    EXPECT_EQ(b->previous, nullptr);
    EXPECT_EQ(b->next, nullptr);
    // The list keeps working after its head changed.
    Add("C");
    EXPECT_EQ(Walk(), (Names{"B", "C"}));
}

TEST_F(ObjectListTest, RemovingInTheMiddleOrAtTheEndJoinsTheNeighbours) {
    TrackedNode* a = Add("A");
    Add("B");
    TrackedNode* c = Add("C");
    Add("D");
    ASSERT_TRUE(list.RemoveAt(1));
    EXPECT_EQ(a->next, c);
    EXPECT_EQ(c->previous, a);
    ASSERT_TRUE(list.RemoveAt(2));
    EXPECT_EQ(c->next, nullptr);
    EXPECT_EQ(destroyed, (Names{"B", "D"}));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(Walk(), (Names{"A", "C"}));
}

TEST_F(ObjectListTest, RemovingEveryElementLeavesAnEmptyListThatStillAppends) {
    Add("A");
    Add("B");
    ASSERT_TRUE(list.RemoveAt(1));
    ASSERT_TRUE(list.RemoveAt(0));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.At(0), nullptr);
    TrackedNode* c = Add("C");
    EXPECT_EQ(list.At(0), c);
    EXPECT_EQ(c->previous, nullptr);
    EXPECT_EQ(Walk(), (Names{"C"}));
}

TEST_F(ObjectListTest, RemoveAtOutOfRangeChangesNothing) {
    Add("A");
    Add("B");
    Add("C");
    for (int i : {3, -1, 100, -100}) {
        EXPECT_FALSE(list.RemoveAt(i)) << i;
    }
    EXPECT_EQ(list.Count(), 3);
    EXPECT_TRUE(destroyed.empty());
    EXPECT_EQ(Walk(), (Names{"A", "B", "C"}));
}

TEST_F(ObjectListTest, IndexedAtClampsToTheRebuiltIndex) {
    TrackedNode* a = Add("A");
    TrackedNode* b = Add("B");
    TrackedNode* c = Add("C");
    ASSERT_TRUE(list.RebuildIndex());
    EXPECT_EQ(list.IndexedAt(0), a);
    EXPECT_EQ(list.IndexedAt(1), b);
    EXPECT_EQ(list.IndexedAt(2), c);
    EXPECT_EQ(list.IndexedAt(3), c);
    EXPECT_EQ(list.IndexedAt(7), c);
    EXPECT_EQ(list.IndexedAt(-2), a);
    EXPECT_EQ(list.IndexedAs<TrackedNode>(1)->name, "B");

    // After a removal and a rebuild the index follows the links again.
    ASSERT_TRUE(list.RemoveAt(0));
    ASSERT_TRUE(list.RebuildIndex());
    EXPECT_EQ(list.IndexedAt(0), b);
    EXPECT_EQ(list.IndexedAt(5), c);
    EXPECT_EQ(list.IndexedAt(-1), b);
}

TEST(ObjectListLifetime, DestroyingTheListDestroysEveryElementOnce) {
    std::vector<std::string> destroyed;
    {
        ObjectList list;
        for (const char* name : {"A", "B", "C", "D"}) list.Append(new TrackedNode(name, destroyed));
        list.RebuildIndex();
    }
    EXPECT_EQ(destroyed, (Names{"A", "B", "C", "D"}));

    destroyed.clear();
    {
        ObjectList list;
        for (const char* name : {"A", "B", "C"}) list.Append(new TrackedNode(name, destroyed));
        list.RemoveAt(0);
        list.RemoveAt(1);
    }
    EXPECT_EQ(destroyed, (Names{"A", "C", "B"}));
}

}  // namespace
}  // namespace bw
