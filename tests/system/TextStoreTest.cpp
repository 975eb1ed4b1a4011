#include "system/TextStore.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace k2k {
namespace {

// What was added stays where it was put while far more is added after it, each text
// readable as a C string, whatever its size against the blocks.
TEST(TextStoreTest, TextsNeverMoveAndEndInNul) {
    TextStore store;
    struct Added {
        const char* at;
        std::string name;
        std::string info;
    };
    std::vector<Added> added;
    for (int i = 0; i < 20000; ++i) {
        const std::string name = "N" + std::to_string(i);
        // Now and then a text larger than any block so far.
        const std::string info(i % 5000 == 0 ? std::size_t(5) << 20 : std::size_t(i % 50), 'x');
        added.push_back({store.Add({name, info, {}}), name, info});
    }
    for (const Added& a : added) {
        ASSERT_STREQ(a.at, a.name.c_str());
        const char* info = a.at + a.name.size() + 1;
        ASSERT_EQ(std::strlen(info), a.info.size()) << a.name;
        ASSERT_EQ(info[a.info.size() + 1], '\0') << a.name << ": the empty third text";
    }
    // The blocks hold little more than the texts: a small store stays small.
    std::size_t bytes = 0;
    for (const Added& a : added)
        bytes += a.name.size() + a.info.size() + 3;
    EXPECT_LT(store.BlockBytes(), bytes + bytes / 2 + (8 << 20));
    TextStore small;
    small.Add({"7400"});
    EXPECT_LE(small.BlockBytes(), std::size_t(4) << 10);
}

} // namespace
} // namespace k2k
