// A second start of the host finds the first through its runtime folder: the lock says
// that one runs, and the first brings its windows forward when the second asks.
#include "SingleInstance.h"

#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QFile>

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>

namespace k2k {
namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    test::TempDir m_runtime;
    test::ScopedVariable m_runtimeHome{"XDG_RUNTIME_DIR", m_runtime.Path()};
};

TEST_F(SingleInstanceTest, ALaterStartFindsTheFirstAndAsksItToComeForward) {
    SingleInstance first;
    ASSERT_TRUE(first.TakeLock());
    EXPECT_TRUE(QFile::exists(first.LockPath()));
    EXPECT_TRUE(first.LockPath().startsWith(QString::fromStdString(m_runtime.Path().string())));
    int cameForward = 0;
    first.Listen([&cameForward] { ++cameForward; });

    SingleInstance later;
    EXPECT_FALSE(later.TakeLock());
    // The later start waits for the answer; the first answers from its event loop.
    auto answered =
        std::async(std::launch::async, [&later] { return later.AskFirstToComeForward(); });
    while (answered.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    EXPECT_TRUE(answered.get());
    EXPECT_EQ(cameForward, 1);
}

TEST_F(SingleInstanceTest, AStartWithNobodyListeningGetsNoAnswer) {
    SingleInstance first;
    ASSERT_TRUE(first.TakeLock());
    SingleInstance later;
    EXPECT_FALSE(later.TakeLock());
    EXPECT_FALSE(later.AskFirstToComeForward());
}

} // namespace
} // namespace k2k
