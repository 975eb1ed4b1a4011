#include "system/AtomicFile.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace k2k {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

mode_t ModeOf(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return static_cast<mode_t>(-1);
    return info.st_mode & 0777;
}

// A rewrite replaces the file by a new one; if the new one took the default mode, a
// private settings file would become readable by all.
TEST(AtomicFileTest, ARewriteKeepsTheModeOfTheFileItReplaces) {
    TempDir dir;
    const auto file = dir / "Kalde2000.ini";
    WriteFile(file, "[K2KBRWSR]\r\nk=1\r\n");
    ::chmod(file.c_str(), 0600);
    ASSERT_TRUE(WriteFileAtomically(file, "[K2KBRWSR]\r\nk=2\r\n"));
    EXPECT_EQ(ModeOf(file), 0600u);
    EXPECT_EQ(ReadFile(file), "[K2KBRWSR]\r\nk=2\r\n");

    // A file that did not exist gets the process's default mode.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    ASSERT_TRUE(WriteFileAtomically(dir / "fresh.txt", "x"));
    EXPECT_EQ(ModeOf(dir / "fresh.txt"), 0666u & ~mask);
}

// A read-only file is the suite's "do not change": it is refused (also to the superuser, who
// may write anything), and stays as it was. A link stays a link to the new content.
TEST(AtomicFileTest, AReadOnlyFileIsRefusedAndALinkLeadsToTheNewContent) {
    TempDir dir;
    const auto library = dir / "TTL.PART";
    WriteFile(library, "the old library");
    ::chmod(library.c_str(), 0444);
    AtomicFileWriter writer;
    const Status opened = writer.Open(library);
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.Error().systemError, EACCES);
    EXPECT_NE(opened.Message().find("read-only"), std::string::npos) << opened.Message();
    EXPECT_FALSE(WriteFileAtomically(library, "a new library"));
    EXPECT_EQ(ReadFile(library), "the old library");
    EXPECT_EQ(ModeOf(library), 0444u);
    EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"TTL.PART"});

    // LIB/A.PART -> ../SHARED/A.PART, and B.PART -> A.PART: both names read the new content.
    std::filesystem::create_directories(dir / "SHARED");
    std::filesystem::create_directories(dir / "LIB");
    WriteFile(dir / "SHARED" / "A.PART", "old");
    std::filesystem::create_symlink("../SHARED/A.PART", dir / "LIB" / "A.PART");
    std::filesystem::create_symlink("A.PART", dir / "LIB" / "B.PART");
    const Status throughLinks = WriteFileAtomically(dir / "LIB" / "B.PART", "new");
    ASSERT_TRUE(throughLinks) << throughLinks.Message();
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "LIB" / "A.PART"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "LIB" / "B.PART"));
    EXPECT_EQ(ReadFile(dir / "SHARED" / "A.PART"), "new");
    EXPECT_EQ(test::FilesIn(dir / "LIB"), (std::vector<std::string>{"A.PART", "B.PART"}));
    EXPECT_EQ(test::FilesIn(dir / "SHARED"), std::vector<std::string>{"A.PART"});
}

// A writer waits for another writer's lock and gives up after its bound with the file as it
// was; the thread that holds the lock itself (a read-modify-write) writes at once.
TEST(AtomicFileTest, AWriterTakesTurnsWithOtherWriters) {
    TempDir dir;
    const auto file = dir / "K2KBRWSR.ini";
    WriteFile(file, "old");
    SetLockWait(std::chrono::milliseconds(50));
    {
        const test::LockHeldElsewhere held(file);
        const Status refused = WriteFileAtomically(file, "new");
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.Error().systemError, kErrFileLocked);
        EXPECT_NE(refused.Message().find("another program is changing it"), std::string::npos)
            << refused.Message();
        EXPECT_EQ(ReadFile(file), "old");
    }
    FileLock mine;
    ASSERT_TRUE(mine.Take(file));
    EXPECT_TRUE(WriteFileAtomically(file, "new"));
    SetLockWait(std::chrono::milliseconds(-1));
    EXPECT_EQ(ReadFile(file), "new");
}

// A crash can leave the new file behind, with the read-only mode of its target.
TEST(AtomicFileTest, ANewFileLeftByACrashDoesNotBlockTheNextRewrite) {
    TempDir dir;
    const auto file = dir / "K2KBRWSR.ini";
    WriteFile(file, "old");
    WriteFile(dir / "K2KBRWSR.ini.new~", "half writt");
    ::chmod((dir / "K2KBRWSR.ini.new~").c_str(), 0444);
    const Status written = WriteFileAtomically(file, "new");
    ASSERT_TRUE(written) << written.Message();
    EXPECT_EQ(ReadFile(file), "new");
    EXPECT_FALSE(std::filesystem::exists(dir / "K2KBRWSR.ini.new~"));
}

} // namespace
} // namespace k2k
