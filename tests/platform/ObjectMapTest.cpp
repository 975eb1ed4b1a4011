#include "platform/ObjectMap.h"

#include <gtest/gtest.h>

#include <vector>

namespace k2k {
namespace {

ProjectObject Named(const std::string& name, int flags = 0) {
    ProjectObject object;
    object.name = name;
    object.flags = flags;
    return object;
}

// Every answer of a name search until it ends.
std::vector<int> AllNamed(const ObjectMap& map, const std::string& name) {
    std::vector<int> answers;
    int cursor = 1;
    for (int answer; (answer = map.SearchName(cursor, name, 0, 0)) != 0;)
        answers.push_back(answer);
    return answers;
}

TEST(ObjectMapTest, NameIndexFollowsRenamesAmongEqualNames) {
    ObjectMap map;
    for (const char* name : {"A", "B", "A", "A", "A"})
        map.Append(Named(name));
    EXPECT_EQ(AllNamed(map, "A"), (std::vector<int>{1, 3, 4, 5}));

    ASSERT_TRUE(map.Rename(4, "B")); // out of the middle of a chain, into the end of another
    ASSERT_TRUE(map.Rename(1, "B")); // the head of a chain, into the front of another
    EXPECT_EQ(AllNamed(map, "A"), (std::vector<int>{3, 5}));
    EXPECT_EQ(AllNamed(map, "B"), (std::vector<int>{1, 2, 4}));

    ASSERT_TRUE(map.Rename(3, "C"));
    ASSERT_TRUE(map.Rename(5, "C"));
    EXPECT_TRUE(AllNamed(map, "A").empty());
    EXPECT_EQ(AllNamed(map, "C"), (std::vector<int>{3, 5}));

    // Replacing a slot drops its old name.
    ASSERT_TRUE(map.Put(2, Named("D")));
    EXPECT_EQ(AllNamed(map, "B"), (std::vector<int>{1, 4}));
    EXPECT_EQ(map.FindLive("D", 0, 0), 2);
}

TEST(ObjectMapTest, SearchesResumeFromTheCursor) {
    ObjectMap map;
    map.Append(Named("X", 1));
    map.Append(Named("X", 2));
    map.Append(Named("Y", 6));
    map.Append(Named("X", 1));
    ASSERT_TRUE(map.Remove(1));

    int cursor = 1;
    EXPECT_EQ(map.SearchName(cursor, "X", 1, 3), -1); // deleted, whatever its masks
    EXPECT_EQ(map.SearchName(cursor, "X", 1, 3), 4);
    EXPECT_EQ(cursor, 5);
    EXPECT_EQ(map.SearchName(cursor, "X", 1, 3), 0);
    cursor = 3;
    EXPECT_EQ(map.SearchMask(cursor, 2, 2), 3);
    EXPECT_EQ(map.SearchMask(cursor, 2, 2), 0);
    EXPECT_EQ(map.FindLive("X", 0, 0), 2);
    EXPECT_EQ(map.FindLive("X", 1, 3, 4), 0);
}

TEST(ObjectMapTest, ScratchAndFarIndexes) {
    ObjectMap map;
    EXPECT_TRUE(map.Put(-1000, Named("S")));
    EXPECT_TRUE(map.Put(3, Named("T")));
    EXPECT_FALSE(map.Put(0, Named("Z")));
    EXPECT_FALSE(map.Put(kMaxProjectIndex + 1, Named("Z")));
    EXPECT_EQ(map.Count(), 3);
    EXPECT_FALSE(map.Live(1));
    EXPECT_TRUE(map.Find(1)); // a slot never filled is a deleted one
    EXPECT_EQ(map.FindLive("S", 0, 0), 0);
    ASSERT_TRUE(map.Remove(-1000));
    EXPECT_FALSE(map.Find(-1000));
    EXPECT_FALSE(map.Remove(-1000));
}

} // namespace
} // namespace k2k
