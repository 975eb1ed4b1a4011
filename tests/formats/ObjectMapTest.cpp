#include "formats/ObjectMap.h"

#include <gtest/gtest.h>

#include <vector>

namespace k2k {
namespace {

ProjectObject Named(std::string_view name, int flags = 0) {
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

// Rows taken in ascending order are spread to their indexes with deleted slots between,
// keep their texts and symbol lists, and are found by name, the lowest index first.
TEST(ObjectMapTest, TakenRowsSpreadToTheirIndexes) {
    ObjectMap map;
    const std::vector<int> uses = {4, 2, 4};
    const std::pair<int, const char*> rows[] = {{2, "B"}, {3, "A"}, {7, "B"}, {8, "C"}, {12, "A"}};
    for (const auto& [index, name] : rows) {
        ProjectObject object = Named(name, index); // views of literals
        object.info = "info";
        object.symbols = uses;
        ASSERT_TRUE(map.Take(index, object));
    }
    EXPECT_FALSE(map.Take(12, Named("Z"))) << "an index that does not rise";
    EXPECT_EQ(map.TakenRows(), 5);
    EXPECT_EQ(map.TakenHighest(), 12);
    map.Spread();

    ASSERT_EQ(map.Count(), 12);
    int cursor = 1;
    std::vector<int> walk;
    for (int answer; (answer = map.SearchMask(cursor, 0, 0)) != 0;)
        walk.push_back(answer);
    EXPECT_EQ(walk, (std::vector<int>{-1, 2, 3, -4, -5, -6, 7, 8, -9, -10, -11, 12}));
    for (const auto& [index, name] : rows) {
        const auto object = map.Live(index);
        ASSERT_TRUE(object) << index;
        EXPECT_EQ(object->name, name);
        EXPECT_STREQ(object->info.data(), "info");
        EXPECT_EQ(object->flags, index);
        EXPECT_EQ(std::vector<int>(object->symbols.begin(), object->symbols.end()), uses);
    }
    EXPECT_EQ(AllNamed(map, "B"), (std::vector<int>{2, 7}));
    EXPECT_EQ(AllNamed(map, "A"), (std::vector<int>{3, 12}));
    EXPECT_EQ(map.Append(Named("A")), 13);
    EXPECT_EQ(AllNamed(map, "A"), (std::vector<int>{3, 12, 13}));
}

// Many names: the table grows, and names leave it (renamed away, their slots replaced)
// without losing the names that share their probe runs.
TEST(ObjectMapTest, ManyNamesComeAndGo) {
    ObjectMap map;
    constexpr int kObjects = 5000;
    for (int i = 1; i <= kObjects; ++i)
        ASSERT_EQ(map.Append(Named("P" + std::to_string(i))), i);
    for (int i = 1; i <= kObjects; i += 2)
        ASSERT_TRUE(map.Rename(i, "Q" + std::to_string(i)));
    for (int i = 1; i <= kObjects; ++i) {
        const std::string kept = (i % 2 ? "Q" : "P") + std::to_string(i);
        const std::string gone = (i % 2 ? "P" : "Q") + std::to_string(i);
        ASSERT_EQ(map.FindLive(kept, 0, 0), i) << kept;
        ASSERT_EQ(map.FindLive(gone, 0, 0), 0) << gone;
    }
}

} // namespace
} // namespace k2k
