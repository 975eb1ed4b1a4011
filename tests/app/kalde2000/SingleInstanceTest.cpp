// A second start of the host finds the first through its runtime folder: the lock says
// that one runs, and the first brings its windows forward when the second asks.
#include "SingleInstance.h"

#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QFile>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <optional>
#include <string>

namespace k2k {
namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("XDG_RUNTIME_DIR"))
            m_old = old;
        setenv("XDG_RUNTIME_DIR", m_runtime.Path().c_str(), 1);
    }
    void TearDown() override {
        if (m_old)
            setenv("XDG_RUNTIME_DIR", m_old->c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
    }

    test::TempDir m_runtime;
    std::optional<std::string> m_old;
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
