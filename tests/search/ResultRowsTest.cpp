#include "search/ResultRows.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

TEST(ResultRowsTest, AKeyOutsideTheNumbersOfAResultListFindsNoRecord) {
    EXPECT_EQ(ResultNumberOfKey(RowKey(LibraryKind::Symbol, 12)), 12);
    EXPECT_EQ(ResultNumberOfKey("PART|3|2147483647"), 2147483647);
    const char* nothing[] = {"PART|3|2147483648",  "PART|3|99999999999", "PKG|3|-1",
                             "PAD|3|-99999999999", "SYM|3|1e300",        "SYM|3|-1e300",
                             "PART|3|0",           "PART|3|abc",         "PART|3|",
                             "P99999999999",       "PART|99999999999",   ""};
    for (const char* key : nothing)
        EXPECT_EQ(ResultNumberOfKey(key), 0) << key;
}

} // namespace
} // namespace k2k
