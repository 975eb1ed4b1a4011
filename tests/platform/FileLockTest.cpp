#include "platform/FileLock.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace k2k {
namespace {

using namespace std::chrono_literals;
using test::TempDir;

class FileLockTest : public ::testing::Test {
protected:
    void SetUp() override { SetLockWait(100ms); }
    void TearDown() override { SetLockWait(std::chrono::milliseconds(-1)); }
    TempDir dir;
};

// Locks of one open file description: a second writer in the same process (another
// window's thread, a test) is shut out as one in another process is.
TEST_F(FileLockTest, OneWriterAtATimePerFileWithoutRegardToCase) {
    FileLock first;
    ASSERT_TRUE(first.Take(dir / "TTL.PART"));
    FileLock second;
    int errorNumber = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(second.Take(dir / "ttl.part", &errorNumber));
    EXPECT_EQ(errorNumber, kErrFileLocked);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms) << "the writer waits its bound";

    FileLock other;
    EXPECT_TRUE(other.Take(dir / "CMOS.PART")) << "another file's writer does not wait";
    first.Release();
    EXPECT_TRUE(second.Take(dir / "TTL.PART"));
}

// The waiting writer gets the lock as soon as the holder in another process lets go.
TEST_F(FileLockTest, AWriterWaitsForAnotherProcessToFinish) {
    SetLockWait(5s);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FileLock held;
        const bool taken = held.Take(dir / "kalde2000.ini");
        ::write(ready[1], taken ? "1" : "0", 1);
        ::usleep(300'000);
        ::_exit(0);
    }
    char taken = 0;
    ASSERT_EQ(::read(ready[0], &taken, 1), 1);
    ASSERT_EQ(taken, '1');
    FileLock lock;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(lock.Take(dir / "kalde2000.ini"));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(ready[0]);
    ::close(ready[1]);
}

} // namespace
} // namespace k2k
