#include "platform/AtomicFile.h"

#include "platform/IniFile.h"
#include "platform/LibraryFile.h"
#include "platform/UserSettings.h"
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
// read-only library would become writable and a private settings file readable by all.
TEST(AtomicFileTest, ARewriteKeepsTheModeOfTheFileItReplaces) {
    TempDir dir;
    const auto library = dir / "TTL.PART";
    std::string error;
    ASSERT_TRUE(WriteLibrary(library, LibraryKind::Part, {{"74LS00", "DIP14", ""}}, error));
    ::chmod(library.c_str(), 0444);
    ASSERT_TRUE(WriteLibrary(library, LibraryKind::Part, {{"74LS02", "DIP14", ""}}, error))
        << error;
    EXPECT_EQ(ModeOf(library), 0444u) << "a read-only library stays read-only";

    const auto ini = dir / "kalde2000.ini";
    WriteFile(ini, "[DEVLIBS]\r\n1=A.PART\r\n");
    ::chmod(ini.c_str(), 0640);
    ASSERT_TRUE(WriteProfileString(ini, "DEVLIBS", "2", "B.PART"));
    EXPECT_EQ(ModeOf(ini), 0640u);
    EXPECT_EQ(ReadFile(ini), "[DEVLIBS]\r\n1=A.PART\r\n2=B.PART\r\n");

    UserSettings settings(dir / "settings");
    ASSERT_TRUE(settings.SaveUserSetting("Kalde2000", "K2KBRWSR", "k", "1"));
    ::chmod(settings.FileOf("Kalde2000").c_str(), 0600);
    ASSERT_TRUE(settings.SaveUserSetting("Kalde2000", "K2KBRWSR", "k", "2"));
    EXPECT_EQ(ModeOf(settings.FileOf("Kalde2000")), 0600u);

    // A file that did not exist gets the process's default mode.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    ASSERT_TRUE(WriteFileAtomically(dir / "fresh.txt", "x"));
    EXPECT_EQ(ModeOf(dir / "fresh.txt"), 0666u & ~mask);
}

// A crash can leave the new file behind, with the read-only mode of its target.
TEST(AtomicFileTest, ANewFileLeftByACrashDoesNotBlockTheNextRewrite) {
    TempDir dir;
    const auto file = dir / "K2KBRWSR.ini";
    WriteFile(file, "old");
    WriteFile(dir / "K2KBRWSR.ini.new~", "half writt");
    ::chmod((dir / "K2KBRWSR.ini.new~").c_str(), 0444);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(file, "new", &error)) << error;
    EXPECT_EQ(ReadFile(file), "new");
    EXPECT_FALSE(std::filesystem::exists(dir / "K2KBRWSR.ini.new~"));
}

} // namespace
} // namespace k2k
