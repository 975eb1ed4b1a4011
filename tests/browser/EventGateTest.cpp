#include "browser/EventGate.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using namespace std::chrono_literals;

TEST(EventGateTest, OpensAtMostOncePerInterval) {
    EventGate gate(15ms);
    const EventGate::Clock::time_point start{};
    EXPECT_TRUE(gate.Due(start)) << "the first question runs the events";
    EXPECT_FALSE(gate.Due(start + 1ms));
    EXPECT_FALSE(gate.Due(start + 14ms));
    EXPECT_TRUE(gate.Due(start + 15ms));
    EXPECT_FALSE(gate.Due(start + 20ms)) << "the interval counts from the last opening";
    EXPECT_TRUE(gate.Due(start + 31ms));
    gate.Reset();
    EXPECT_TRUE(gate.Due(start + 32ms)) << "a new walk starts with the events run";
}

} // namespace
} // namespace k2k
