#include "kicad/Decimal.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

TEST(DecimalTest, ReadsNumbersExactlyAndRefusesTheRest) {
    EXPECT_EQ(Decimal::Parse("2.54"), (Decimal{254, 2}));
    EXPECT_EQ(Decimal::Parse("-2.5400"), Decimal::Parse("-2.54")) << "trailing zeros do not count";
    EXPECT_EQ(Decimal::Parse("+007"), (Decimal{7, 0}));
    EXPECT_EQ(Decimal::Parse("-0.0"), Decimal{});
    EXPECT_EQ(Decimal::Parse(".5"), (Decimal{5, 1}));
    EXPECT_EQ(Decimal::Parse("1e-3"), (Decimal{1, 3}));
    EXPECT_EQ(Decimal::Parse("1.5E2"), (Decimal{150, 0}));
    EXPECT_EQ(Decimal::Parse("0.000000000000000001"), (Decimal{1, 18}));
    EXPECT_DOUBLE_EQ(Decimal::Parse("-12.5")->Value(), -12.5);
    for (const char* bad : {"", "-", ".", "1.2.3", "12mm", "1e", "1e+", "x",
                            "0.0000000000000000001", "1234567890123456789", "1e19"})
        EXPECT_FALSE(Decimal::Parse(bad)) << bad;
}

TEST(DecimalTest, MillimetresBecomeWholeMilsAndSayWhenRounded) {
    struct Case {
        const char* mm;
        std::int64_t mils;
        bool exact;
    };
    const Case cases[] = {
        {"2.54", 100, true},    {"0.127", 5, true},
        {"-1.905", -75, true},  {"254", 10000, true},
        {"1", 39, false},       {"0.0127", 1, false}, // half a mil rounds away from 0
        {"-0.0127", -1, false}, {"0.0001", 0, false},
        {"25.4e-6", 0, false},  {"0.00000000000000254", 0, false},
        {"0", 0, true},
    };
    for (const Case& c : cases) {
        const Mils mils = MilsFromMillimetres(*Decimal::Parse(c.mm));
        EXPECT_EQ(mils.value, c.mils) << c.mm;
        EXPECT_EQ(mils.exact, c.exact) << c.mm;
    }
}

TEST(DecimalTest, MillimetresBecomeWholeMicrometresAndSayWhenRounded) {
    struct Case {
        const char* mm;
        std::int64_t um;
        bool exact;
    };
    const Case cases[] = {
        {"0.65", 650, true},      {"-1.905", -1905, true}, {"12", 12000, true},
        {"0.237258", 237, false}, {"-0.0005", -1, false}, // half rounds away from 0
        {"0.0004999", 0, false},  {"1e-3", 1, true},       {"0.000000000000000001", 0, false},
    };
    for (const Case& c : cases) {
        const Micrometres um = MicrometresFromMillimetres(*Decimal::Parse(c.mm));
        EXPECT_EQ(um.value, c.um) << c.mm;
        EXPECT_EQ(um.exact, c.exact) << c.mm;
    }
    // Far beyond any drawing, held rather than wrapped around.
    EXPECT_GT(MicrometresFromMillimetres(*Decimal::Parse("123456789012345678")).value, 10'000'000);
    EXPECT_LT(MicrometresFromMillimetres(*Decimal::Parse("-123456789012345678")).value,
              -10'000'000);
}

} // namespace
} // namespace k2k
