#include "formats/IniFile.h"

#include "formats/IniFileCache.h"
#include "support/TestSupport.h"
#include "system/AtomicFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <sys/stat.h>
#include <thread>

namespace k2k {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// As people leave them: comments, a stray line, a key before any section, a second
// section of the same name, LF and CR LF mixed, Windows-1252 text.
constexpr std::string_view kSuiteIni = "stray=before any section\r\n"
                                       "; library lists\r\n"
                                       "[DEVLIBS]\r\n"
                                       "1 = TTL.PART \r\n"
                                       "2=\"  CMOS.PART \"\n"
                                       "; 3=OLD.PART\r\n"
                                       "not a key line\r\n"
                                       "\r\n"
                                       "[Biblioth\xE8ques]\r\n"
                                       "Caf\xE9=cr\xE8me\r\n"
                                       "[devlibs]\r\n"
                                       "9=SECOND.PART\r\n";

TEST(IniDocumentTest, ReadsKeysAsTheProfileFunctionsDo) {
    const IniDocument ini = IniDocument::Parse(kSuiteIni);
    EXPECT_EQ(ini.Get("devlibs", "1"), "TTL.PART");
    EXPECT_EQ(ini.Get("DEVLIBS", "2"), "  CMOS.PART ");
    EXPECT_EQ(ini.Get("BIBLIOTH\xC8QUES", "CAF\xC9"), "cr\xE8me");
    EXPECT_EQ(ini.Get("DEVLIBS", "3"), std::nullopt); // a comment
    EXPECT_EQ(ini.Get("DEVLIBS", "9"), std::nullopt); // only the first section counts
    EXPECT_EQ(ini.Get("", "stray"), std::nullopt);
    EXPECT_EQ(ini.Keys("DEVLIBS"), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"DEVLIBS", "Biblioth\xE8ques"}));

    const IniDocument quotes = IniDocument::Parse("[A]\nhalf=\"x\nboth=\"\"x\"\"\nlone=\"");
    EXPECT_EQ(quotes.Get("A", "half"), "\"x");
    EXPECT_EQ(quotes.Get("A", "both"), "\"x\"");
    EXPECT_EQ(quotes.Get("A", "lone"), "\"");
}

TEST(IniDocumentTest, ChangingAKeyKeepsEveryOtherLineByteForByte) {
    IniDocument ini = IniDocument::Parse(kSuiteIni);
    EXPECT_TRUE(ini.Set("devlibs", "1", "74HC.PART"));
    std::string expected(kSuiteIni);
    expected.replace(expected.find("1 = TTL.PART "), 13, "1=74HC.PART");
    expected.replace(expected.find("\"\n"), 2, "\"\r\n");
    EXPECT_EQ(ini.ToText(), expected);
    EXPECT_FALSE(ini.Set("DEVLIBS", "1", "74HC.PART")); // the same value changes nothing
}

TEST(IniDocumentTest, AddsAndRemovesKeysAndSections) {
    IniDocument ini = IniDocument::Parse("[A]\r\nx=1\r\n; end of A\r\n\r\n[B]");
    EXPECT_TRUE(ini.Set("a", "y", "2")); // after the last key, above the comment
    EXPECT_TRUE(ini.Set("B", "z", "3"));
    EXPECT_TRUE(ini.Set("PADLIBS", "1", "PADS.PAD"));
    EXPECT_TRUE(ini.Set("A", "X", std::nullopt));
    EXPECT_FALSE(ini.Set("A", "x", std::nullopt));
    EXPECT_FALSE(ini.Set("NOSUCH", "x", std::nullopt));
    // What would not read back as written is refused.
    EXPECT_FALSE(ini.Set("A", "k", "two\r\nlines"));
    EXPECT_FALSE(ini.Set("A", "k=v", "x"));
    EXPECT_FALSE(ini.Set("A]", "k", "x"));
    EXPECT_EQ(ini.ToText(), "[A]\r\ny=2\r\n; end of A\r\n\r\n[B]\r\nz=3\r\n[PADLIBS]\r\n"
                            "1=PADS.PAD\r\n");
}

// A lone CR ends a line, as the file operations read lines. Were it part of a value, the
// writer (which refuses line breaks) could not write that value back, and a save of the
// library lists would drop it and every entry after it.
// Only the first section of a name counts and, in it, the first line of a key; removing
// that line lets the next line of the same key count.
TEST(IniDocumentTest, ALaterLineOfAKeyCountsOnceTheFirstIsRemoved) {
    IniDocument ini =
        IniDocument::Parse("[A]\r\nk=1\r\nx=0\r\nK=2\r\n; end of A\r\n[a]\r\nk=3\r\n");
    EXPECT_EQ(ini.Keys("A"), (std::vector<std::string>{"k", "x"}));
    EXPECT_TRUE(ini.Set("a", "K", std::nullopt));
    EXPECT_EQ(ini.Get("A", "k"), "2");
    EXPECT_EQ(ini.Keys("A"), (std::vector<std::string>{"x", "K"}));
    EXPECT_TRUE(ini.Set("A", "k", "two")); // the line keeps its spelling
    EXPECT_TRUE(ini.Set("A", "k", std::nullopt));
    EXPECT_EQ(ini.Get("A", "k"), std::nullopt) << "the second section's line never counts";
    EXPECT_TRUE(ini.Set("A", "x", std::nullopt));
    EXPECT_TRUE(ini.Set("A", "k", "new")); // no key left: right below the header
    EXPECT_TRUE(ini.Set("A", "y", "after"));
    EXPECT_EQ(ini.ToText(), "[A]\r\nk=new\r\ny=after\r\n; end of A\r\n[a]\r\nk=3\r\n");

    IniDocument copy = ini; // a copy is changed on its own
    EXPECT_TRUE(copy.Set("A", "k", std::nullopt));
    EXPECT_EQ(ini.Get("A", "k"), "new");
}

TEST(IniDocumentTest, ALoneCrEndsALineSoEveryValueReadCanBeWrittenBack) {
    IniDocument ini = IniDocument::Parse("[DEVLIBS]\r\n1=A.PART\r2=B\rX.PART\r\n3=C.PART\r\r\n");
    ASSERT_EQ(ini.Keys("DEVLIBS"), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(ini.Get("DEVLIBS", "2"), "B");
    EXPECT_EQ(ini.Get("DEVLIBS", "3"), "C.PART");
    for (const char* key : {"1", "2", "3"}) {
        const std::string value = *ini.Get("DEVLIBS", key);
        EXPECT_TRUE(ini.Set("DEVLIBS", key, std::nullopt));
        EXPECT_TRUE(ini.Set("DEVLIBS", key, value)) << "key " << key << " reads back";
    }
    EXPECT_EQ(ini.ToText(), "[DEVLIBS]\r\nX.PART\r\n1=A.PART\r\n2=B\r\n3=C.PART\r\n\r\n");
    EXPECT_FALSE(ini.Set("DEVLIBS", "4", "D\rE")) << "would read back as two lines";
}

// A file whose times say it has settled: its last change is an hour or more ago.
void Settle(const std::filesystem::path& file,
            std::chrono::minutes age = std::chrono::minutes(60)) {
    std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() - age);
}

TEST(IniFileCacheTest, AFileIsParsedOnceWhileItStaysTheSame) {
    TempDir dir;
    const auto file = dir / "suite.ini";
    WriteFile(file, "[A]\r\nx=1\r\n");
    Settle(file);
    IniFileCache cache;
    EXPECT_EQ(cache.Read(file)->Get("A", "x"), "1");
    EXPECT_EQ(cache.Read(file)->Get("a", "X"), "1");
    EXPECT_EQ(cache.FilesRead(), 1u);

    // Rewritten in place, same size, other times.
    WriteFile(file, "[A]\r\nx=2\r\n");
    Settle(file, std::chrono::minutes(30));
    EXPECT_EQ(cache.Read(file)->Get("A", "x"), "2");
    EXPECT_EQ(cache.FilesRead(), 2u);

    // Replaced by another file with the same size and modification time.
    const auto before = std::filesystem::last_write_time(file);
    WriteFile(dir / "new.ini", "[A]\r\nx=3\r\n");
    std::filesystem::last_write_time(dir / "new.ini", before);
    std::filesystem::rename(dir / "new.ini", file);
    EXPECT_EQ(cache.Read(file)->Get("A", "x"), "3");

    // Gone, then back.
    std::filesystem::remove(file);
    int errorNumber = 0;
    EXPECT_EQ(cache.Read(file, &errorNumber)->Get("A", "x"), std::nullopt);
    EXPECT_EQ(errorNumber, ENOENT);
    WriteFile(file, "[A]\r\nx=3\r\n");
    Settle(file);
    EXPECT_EQ(cache.Read(file)->Get("A", "x"), "3");
    EXPECT_EQ(cache.Read(dir.Path(), &errorNumber)->Sections(), std::vector<std::string>{});
    EXPECT_EQ(errorNumber, EISDIR);
}

// Its times may not show a change made within the same tick of the file system's clock
// as the read, so a file that has not settled is parsed at every read.
TEST(IniFileCacheTest, AFileThatHasNotSettledIsReadEveryTime) {
    TempDir dir;
    const auto file = dir / "suite.ini";
    WriteFile(file, "[A]\r\nx=1\r\n");
    Settle(file, std::chrono::minutes(-60)); // a clock ahead of ours
    IniFileCache cache;
    cache.Read(file);
    cache.Read(file);
    EXPECT_EQ(cache.FilesRead(), 2u);
}

TEST(IniEditTest, ManyChangesAreOneRewrite) {
    TempDir dir;
    const auto file = dir / "kalde2000.ini";
    WriteFile(file, "; lists\r\n[DEVLIBS]\r\n1=A.PART\r\n2=B.PART\r\n");
    IniEdit edit(file);
    edit.Delete("DEVLIBS", "1");
    edit.Delete("DEVLIBS", "2");
    edit.Set("devlibs", "1", "B.PART");
    edit.Set("SCHLIBS", "1", "GATES.SYMBOL");
    EXPECT_EQ(edit.Get("DEVLIBS", "2"), std::nullopt) << "Get sees the changes made so far";
    EXPECT_EQ(ReadFile(file), "; lists\r\n[DEVLIBS]\r\n1=A.PART\r\n2=B.PART\r\n")
        << "nothing is written before Commit";
    SetKillAtFileStep(0); // counts only
    int errorNumber = -1;
    ASSERT_TRUE(edit.Commit(&errorNumber));
    EXPECT_EQ(errorNumber, 0);
    const long oneRewrite = FileStepCount();
    EXPECT_EQ(ReadFile(file),
              "; lists\r\n[DEVLIBS]\r\n1=B.PART\r\n[SCHLIBS]\r\n1=GATES.SYMBOL\r\n");

    SetKillAtFileStep(0);
    ASSERT_TRUE(WriteProfileString(file, "DEVLIBS", "1", "C.PART"));
    EXPECT_EQ(FileStepCount(), oneRewrite) << "four changes cost what one costs";
}

// Two programs edit one file: the second waits for the first's edit to be written and reads
// it, so neither change is lost; one that cannot get its turn writes nothing.
TEST(IniEditTest, EditsOfOneFileTakeTurns) {
    TempDir dir;
    const auto file = dir / "kalde2000.ini";
    WriteFile(file, "[DEVLIBS]\r\n1=A.PART\r\n");
    IniEdit first(file);
    first.Set("DEVLIBS", "2", "B.PART");
    std::thread second([&] { EXPECT_TRUE(WriteProfileString(file, "SCHLIBS", "1", "S.SYMBOL")); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(first.Commit());
    second.join();
    EXPECT_EQ(ReadFile(file), "[DEVLIBS]\r\n1=A.PART\r\n2=B.PART\r\n[SCHLIBS]\r\n1=S.SYMBOL\r\n");

    SetLockWait(std::chrono::milliseconds(50));
    {
        const test::LockHeldElsewhere held(file);
        int errorNumber = 0;
        EXPECT_FALSE(WriteProfileString(file, "DEVLIBS", "1", "C.PART", &errorNumber));
        EXPECT_EQ(errorNumber, kErrFileLocked);
        EXPECT_TRUE(WriteProfileString(file, "DEVLIBS", "9", std::nullopt))
            << "an edit that changes nothing needs no turn";
    }
    SetLockWait(std::chrono::milliseconds(-1));
    EXPECT_EQ(GetProfileString(file, "DEVLIBS", "1", ""), "A.PART");
}

TEST(IniEditTest, ARefusedChangeOrAnUnreadableFileWritesNothing) {
    TempDir dir;
    const auto file = dir / "suite.ini";
    WriteFile(file, "[A]\nx=1\n");
    IniEdit refused(file);
    refused.Set("A", "x", "2");
    refused.Set("A", "y", "two\nlines");
    refused.Set("A", "z", "3");
    int errorNumber = 0;
    EXPECT_FALSE(refused.Commit(&errorNumber));
    EXPECT_EQ(errorNumber, EINVAL);
    EXPECT_EQ(ReadFile(file), "[A]\nx=1\n") << "all or nothing";

    IniEdit folder(dir.Path());
    folder.Set("A", "x", "2");
    EXPECT_FALSE(folder.Commit(&errorNumber));
    EXPECT_EQ(errorNumber, EISDIR);

    IniEdit none(std::filesystem::path{});
    EXPECT_EQ(none.Get("A", "x"), std::nullopt);
    EXPECT_FALSE(none.Commit(&errorNumber));
    EXPECT_EQ(errorNumber, ENOENT);
}

TEST(ProfileStringTest, ReadsAndRewritesFiles) {
    TempDir dir;
    const auto file = dir / "suite.ini";
    EXPECT_EQ(GetProfileString(file, "A", "x", "def  "), "def");
    ASSERT_TRUE(WriteProfileString(file, "SCHLIBS", "1", "GATES.SYM"));
    ::chmod(file.c_str(), 0640); // a rewrite keeps the mode
    ASSERT_TRUE(WriteProfileString(file, "schlibs", "2", "DISCRETE.SYM"));
    ASSERT_TRUE(WriteProfileString(file, "SCHLIBS", "1", std::nullopt));
    EXPECT_EQ(ReadFile(file), "[SCHLIBS]\r\n2=DISCRETE.SYM\r\n");
    struct stat status {};
    EXPECT_EQ(::stat(file.c_str(), &status) == 0 ? status.st_mode & 0777 : 0, 0640u);
    EXPECT_EQ(GetProfileString(file, "SchLibs", "2", ""), "DISCRETE.SYM");
    EXPECT_EQ(GetProfileString(dir.Path(), "A", "x", "d"), "d");
}

TEST(ProfileStringTest, RemovingAMissingKeyTouchesNothing) {
    TempDir dir;
    const auto file = dir / "suite.ini";
    EXPECT_TRUE(WriteProfileString(file, "A", "x", std::nullopt));
    EXPECT_FALSE(std::filesystem::exists(file));

    WriteFile(file, "[A]\ny=1\n");
    struct stat before {};
    struct stat after {};
    ::stat(file.c_str(), &before);
    EXPECT_TRUE(WriteProfileString(file, "A", "x", std::nullopt));
    EXPECT_TRUE(WriteProfileString(file, "B", "x", std::nullopt));
    ::stat(file.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino); // not even rewritten unchanged
}

TEST(ProfileStringTest, AFailedWriteLeavesTheOldFileWhole) {
    TempDir dir;
    const auto file = dir / "suite.ini";
    WriteFile(file, "[A]\nx=1\n");
    std::filesystem::create_directory(dir / "suite.ini.new~"); // where the new file goes
    int errorNumber = 0;
    EXPECT_FALSE(WriteProfileString(file, "A", "x", "2", &errorNumber));
    EXPECT_EQ(errorNumber, EISDIR);
    EXPECT_EQ(ReadFile(file), "[A]\nx=1\n");
    EXPECT_FALSE(WriteProfileString(dir / "no" / "such.ini", "A", "x", "2", &errorNumber));
    EXPECT_EQ(errorNumber, ENOENT);
}

} // namespace
} // namespace k2k
