#include "system/FileLock.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <thread>
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

// Another thread of the process is shut out as another process is, whichever name of the
// file it uses (letter case, a link to it); the thread that holds the lock may take it again
// (a read-modify-write and its rewrite), and it is let go when its last holder lets go.
TEST_F(FileLockTest, OneWriterAtATimePerFileWhateverItsName) {
    std::filesystem::create_symlink("TTL.PART", dir / "LINK.PART");
    auto takeElsewhere = [](const std::filesystem::path& file) {
        int errorNumber = 0;
        std::thread([&] {
            FileLock other;
            if (other.Take(file, &errorNumber))
                errorNumber = 0;
        }).join();
        return errorNumber;
    };

    FileLock first;
    ASSERT_TRUE(first.Take(dir / "TTL.PART"));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(takeElsewhere(dir / "ttl.part"), kErrFileLocked);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms) << "the writer waits its bound";
    EXPECT_EQ(takeElsewhere(dir / "LINK.PART"), kErrFileLocked) << "a link is its file";
    EXPECT_EQ(takeElsewhere(dir / "CMOS.PART"), 0) << "another file's writer does not wait";

    FileLock again;
    EXPECT_TRUE(again.Take(dir / "TTL.PART")) << "the holder takes it again at once";
    first.Release();
    EXPECT_EQ(takeElsewhere(dir / "TTL.PART"), kErrFileLocked) << "one holder is left";
    again.Release();
    EXPECT_EQ(takeElsewhere(dir / "TTL.PART"), 0);
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
