#pragma once
// Shared helpers of the tests: a temporary folder that cleans up after itself, a message
// box double that records what was shown and answers from a script, file helpers, and the
// fixture of the many tests that need the suite's services over a folder of their own.

#include "platform/MessageBoxes.h"
#include "platform/SuiteServices.h"
#include "system/Result.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace k2k::test {

// A step's outcome for EXPECT_TRUE and ASSERT_TRUE, which then print its problem.
template <typename T>
::testing::AssertionResult Done(const Result<T>& result) {
    if (result)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << result.Message();
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir final {
public:
    TempDir();
    explicit TempDir(const std::filesystem::path& base); // made in base
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const noexcept { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }
    // The folder in the suite's path form ("\tmp\k2k-test-123").
    std::string SuitePath() const;

private:
    std::filesystem::path m_path;
};

class RecordingMessageBoxes final : public MessageBoxes {
public:
    MsgAnswer Show(const MessageRequest& request) override;

    std::vector<MessageRequest> shown;
    std::deque<MsgAnswer> answers; // answers to questions, first first; default No
    std::function<void(const MessageRequest&)> onShow; // runs as each box is shown

    // The texts of all boxes shown, in order.
    std::vector<std::string> Texts() const;
};

// Something other than a text file in a text file's place: a FIFO, a link to /dev/zero, a
// folder, or a sparse file one byte larger than a limit; removed when it goes. A reader
// that waits for the FIFO's writer is let go after two seconds and reads nothing, so a
// reader that would hang fails its test instead.
class NotATextFile final {
public:
    enum class Kind { Fifo, DevZero, Folder, Oversized };
    static constexpr Kind kKinds[] = {Kind::Fifo, Kind::DevZero, Kind::Folder, Kind::Oversized};

    NotATextFile(std::filesystem::path path, Kind kind, std::uint64_t sizeLimit = 0);
    ~NotATextFile();
    NotATextFile(const NotATextFile&) = delete;
    NotATextFile& operator=(const NotATextFile&) = delete;

    static const char* Name(Kind kind) noexcept;

private:
    std::filesystem::path m_path;
    std::atomic<bool> m_done{false};
    std::thread m_releaser;
};

void WriteFile(const std::filesystem::path& path, std::string_view content);
std::string ReadFile(const std::filesystem::path& path);
// The names in a folder, sorted, without the lock file that writers leave (FileLock).
std::vector<std::string> FilesIn(const std::filesystem::path& folder);

// Another writer: holds the writers' lock on a file, from a thread of its own (as another
// process would), for as long as it lives.
class LockHeldElsewhere final {
public:
    explicit LockHeldElsewhere(const std::filesystem::path& file);
    ~LockHeldElsewhere();
    LockHeldElsewhere(const LockHeldElsewhere&) = delete;
    LockHeldElsewhere& operator=(const LockHeldElsewhere&) = delete;
    bool Held() const noexcept { return m_held; }

private:
    std::promise<void> m_release;
    std::thread m_holder;
    bool m_held = false;
};

// Runs work in a child process that ends itself with SIGKILL just before its file-system
// step killAt (0: never; see SetKillAtFileStep). True when the child was killed, false when
// work ran to its end; a child that ends otherwise fails the test.
bool RunInChild(long killAt, const std::function<void()>& work);

// Every file under root, by its path relative to root, with its bytes; the writers' lock
// files (".k2k-lock") left out.
std::map<std::string, std::string> FilesUnder(const std::filesystem::path& root);

// Writes a project of two hierarchies, TOP current (its second page):
//   TOP: pages Sheet1, Sheet2; schematic U1 (7400), U2 (7402), U3 (no part, package SO8);
//        layout U1 (7400 in DIP14 with pads PAD60)
//   SUB: page SubSheet; layout IC1 (LM358 in DIP14); no schematic components
// The symbol map holds a symbol and a package that are both called DIP14.
void WriteDemoProject(const std::filesystem::path& file);

// The suite's services with their settings in dir/suite.ini, showing boxes that record.
class ServicesTest : public ::testing::Test {
protected:
    TempDir dir;
    RecordingMessageBoxes boxes;
    SuiteServices services{dir / "suite.ini", boxes};
};

// An environment variable set for the life of the object (a user's folder, say), then put
// back as it was: set to its old value, or unset again.
class ScopedVariable final {
public:
    ScopedVariable(const char* name, const std::filesystem::path& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

} // namespace k2k::test
