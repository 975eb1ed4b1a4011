#include "system/Result.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace k2k {
namespace {

Result<std::unique_ptr<int>> Made(bool ok) {
    if (!ok)
        return Problem{"PARTS.CSV line 4: 3 fields, 5 expected", 5001, 0};
    return std::make_unique<int>(7);
}

TEST(ResultTest, CarriesTheValueOrTheProblemAndRefusesTheWrongQuestion) {
    auto made = Made(true);
    ASSERT_TRUE(made.Ok());
    EXPECT_EQ(**made, 7);
    // A value that cannot be copied moves out whole.
    std::unique_ptr<int> taken = std::move(made).Value();
    EXPECT_EQ(*taken, 7);

    auto failed = Made(false);
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.Message(), "PARTS.CSV line 4: 3 fields, 5 expected");
    EXPECT_EQ(failed.Error().messageNumber, 5001);
    EXPECT_THROW(failed.Value(), std::logic_error);
    EXPECT_ANY_THROW(made.Error());
}

TEST(ResultTest, StatusIsDoneUnlessAProblemWasGiven) {
    auto step = [](int errnoValue) -> Status {
        if (errnoValue != 0)
            return Problem{"cannot write LIB/A.PART", 0, errnoValue};
        return {};
    };
    EXPECT_TRUE(step(0).Ok());
    const Status refused = step(28);
    ASSERT_FALSE(refused.Ok());
    EXPECT_EQ(refused.Error().systemError, 28);
    EXPECT_ANY_THROW(step(0).Error());
}

} // namespace
} // namespace k2k
