#include "regtypes/RegTypeTree.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace k2k {
namespace {

using Ids = std::vector<NodeId>;

// Siblings sort by text without regard to case, equal texts in the order they came; a
// renamed node moves to its new place; keys are unique without regard to case.
TEST(RegTypeTreeTest, SiblingsSortWithoutCaseAndARenamedNodeMoves) {
    RegTypeTree tree;
    const NodeId b = tree.Add("SYS1", "beta", "", kNoNode);
    const NodeId a = tree.Add("SYS2", "Alpha", "", kNoNode);
    const NodeId b2 = tree.Add("SYS3", "BETA", "", kNoNode);
    const NodeId shorter = tree.Add("SYS4", "bet", "", kNoNode);
    EXPECT_EQ(tree.Roots(), (Ids{a, shorter, b, b2}));
    EXPECT_EQ(tree.SiblingIndex(b2), 3);

    tree.SetText(a, "gamma");
    EXPECT_EQ(tree.Roots(), (Ids{shorter, b, b2, a}));
    EXPECT_EQ(tree.SiblingIndex(a), 3);
    EXPECT_EQ(tree.At(2), a) << "renaming keeps the order added";

    EXPECT_THROW(tree.Add("sys1", "again", "", kNoNode), std::invalid_argument);
    EXPECT_EQ(tree.Find("sYs3"), b2);
    EXPECT_EQ(tree.Find("SYS9"), kNoNode);
}

// Removing a node takes its subtree with it: their keys are free again, the later nodes
// of the collection move up, and their numbers are never given out twice.
TEST(RegTypeTreeTest, RemovingANodeTakesItsSubtreeAndTheCollectionCloses) {
    RegTypeTree tree;
    const NodeId digital = tree.Add("SYS1", "Digital", "folder", kNoNode);
    const NodeId gates = tree.Add("SYS1,1", "Gates", "leaf", digital);
    tree.Add("SYS1,1,1", "NAND", "leaf", gates);
    const NodeId analog = tree.Add("USR2", "Analog", "folder", kNoNode);
    EXPECT_EQ(tree.FullPath(tree.Find("SYS1,1,1")), "Digital,Gates,NAND");
    EXPECT_EQ(tree.Children(digital), Ids{gates});

    tree.Remove(gates);
    EXPECT_FALSE(tree.Contains(gates));
    EXPECT_EQ(tree.Find("SYS1,1,1"), kNoNode);
    EXPECT_TRUE(tree.Children(digital).empty());
    EXPECT_EQ(tree.Count(), 2);
    EXPECT_EQ(tree.At(2), analog);
    EXPECT_THROW(tree.Add("SYS5", "orphan", "", gates), std::invalid_argument)
        << "a removed parent";

    const NodeId again = tree.Add("SYS1,1", "Gates", "leaf", digital);
    EXPECT_NE(again, gates) << "a new number";
    EXPECT_EQ(tree.At(3), again);

    tree.Remove(gates); // gone already: nothing happens
    tree.SetText(gates, "ghost");
    EXPECT_EQ(tree.Count(), 3);
    tree.Clear();
    EXPECT_EQ(tree.Count(), 0);
    EXPECT_TRUE(tree.Roots().empty());
    EXPECT_EQ(tree.Find("USR2"), kNoNode);
}

TEST(RegTypeTreeTest, KeysTellTheirPathAndWhetherAUserMadeThem) {
    EXPECT_EQ(RegTypeTree::PathOfKey("SYS1,2"), "1,2");
    EXPECT_EQ(RegTypeTree::PathOfKey("USR"), "");
    EXPECT_TRUE(RegTypeTree::IsUserKey("usr3"));
    EXPECT_FALSE(RegTypeTree::IsUserKey("SYS3"));
    EXPECT_FALSE(RegTypeTree::IsUserKey("US"));
}

} // namespace
} // namespace k2k
