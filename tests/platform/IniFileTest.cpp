#include "platform/IniFile.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

namespace k2k {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

ino_t InodeOf(const std::filesystem::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// A suite initialisation file as people leave them: comments, blank lines, a stray line,
// a key before any section, LF and CR LF mixed, Windows-1252 text.
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

TEST(IniDocumentTest, FindsSectionsAndKeysWithoutRegardToCase) {
    const IniDocument ini = IniDocument::Parse(kSuiteIni);
    EXPECT_EQ(ini.Get("devlibs", "1"), "TTL.PART");
    EXPECT_EQ(ini.Get(" DevLibs ", "1"), "TTL.PART");
    EXPECT_EQ(ini.Get("BIBLIOTH\xC8QUES", "CAF\xC9"), "cr\xE8me");
    // Only the first section of a name counts.
    EXPECT_EQ(ini.Get("DEVLIBS", "9"), std::nullopt);
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"DEVLIBS", "Biblioth\xE8ques"}));
}

TEST(IniDocumentTest, ReadingTrimsValuesAndTakesOffOnePairOfQuotes) {
    const IniDocument ini = IniDocument::Parse("[A]\nq=\"  x \"\nhalf=\"x\nboth=\"\"x\"\"\n"
                                               "empty=\nlone=\"\n");
    EXPECT_EQ(ini.Get("A", "q"), "  x ");
    EXPECT_EQ(ini.Get("A", "half"), "\"x");
    EXPECT_EQ(ini.Get("A", "both"), "\"x\"");
    EXPECT_EQ(ini.Get("A", "empty"), "");
    EXPECT_EQ(ini.Get("A", "lone"), "\"");
}

TEST(IniDocumentTest, CommentsStrayLinesAndKeysBeforeSectionsAreNoKeys) {
    const IniDocument ini = IniDocument::Parse(kSuiteIni);
    EXPECT_EQ(ini.Get("DEVLIBS", "3"), std::nullopt);
    EXPECT_EQ(ini.Get("DEVLIBS", "not a key line"), std::nullopt);
    EXPECT_EQ(ini.Get("", "stray"), std::nullopt);
    EXPECT_EQ(ini.Keys("DEVLIBS"), (std::vector<std::string>{"1", "2"}));
}

TEST(IniDocumentTest, ChangingAKeyKeepsEveryOtherLineByteForByte) {
    IniDocument ini = IniDocument::Parse(kSuiteIni);
    EXPECT_TRUE(ini.Set("devlibs", "1", "74HC.PART"));
    std::string expected(kSuiteIni);
    expected.replace(expected.find("1 = TTL.PART "), 13, "1=74HC.PART");
    expected.replace(expected.find("\"\n"), 2, "\"\r\n");
    EXPECT_EQ(ini.ToText(), expected);

    // Writing the value it already has changes nothing.
    EXPECT_FALSE(ini.Set("DEVLIBS", "1", "74HC.PART"));
}

TEST(IniDocumentTest, AMissingKeyGoesAfterTheLastKeyOfItsSection) {
    IniDocument ini = IniDocument::Parse("[A]\r\nx=1\r\n; end of A\r\n\r\n[B]\r\n");
    EXPECT_TRUE(ini.Set("a", "y", "2"));
    EXPECT_TRUE(ini.Set("B", "z", "3"));
    EXPECT_EQ(ini.ToText(), "[A]\r\nx=1\r\ny=2\r\n; end of A\r\n\r\n[B]\r\nz=3\r\n");
}

TEST(IniDocumentTest, AMissingSectionGoesAtTheEnd) {
    IniDocument ini = IniDocument::Parse("[A]\r\nx=1");
    EXPECT_TRUE(ini.Set("PADLIBS", "1", "PADS.PAD"));
    EXPECT_EQ(ini.ToText(), "[A]\r\nx=1\r\n[PADLIBS]\r\n1=PADS.PAD\r\n");
    EXPECT_EQ(ini.Get("padlibs", "1"), "PADS.PAD");
}

TEST(IniDocumentTest, RemovingAKeyTakesOutOnlyItsLine) {
    IniDocument ini = IniDocument::Parse("[A]\r\n;c\r\nx=1\r\ny=2\r\n");
    EXPECT_TRUE(ini.Set("A", "X", std::nullopt));
    EXPECT_EQ(ini.ToText(), "[A]\r\n;c\r\ny=2\r\n");
    EXPECT_FALSE(ini.Set("A", "x", std::nullopt));
    EXPECT_FALSE(ini.Set("NOSUCH", "y", std::nullopt));
    EXPECT_EQ(ini.ToText(), "[A]\r\n;c\r\ny=2\r\n");
}

TEST(IniDocumentTest, RefusesWhatWouldNotReadBack) {
    IniDocument ini = IniDocument::Parse("[A]\r\n");
    EXPECT_FALSE(ini.Set("A", "k", "two\r\nlines"));
    EXPECT_FALSE(ini.Set("A", "k=v", "x"));
    EXPECT_FALSE(ini.Set("A", ";k", "x"));
    EXPECT_FALSE(ini.Set("A]", "k", "x"));
    EXPECT_FALSE(ini.Set("", "k", "x"));
    EXPECT_EQ(ini.ToText(), "[A]\r\n");
}

TEST(ProfileStringTest, MissingFileSectionOrKeyGivesTheDefault) {
    TempDir dir;
    EXPECT_EQ(GetProfileString(dir / "none.ini", "A", "x", "def  "), "def");
    WriteFile(dir / "a.ini", "[A]\nx=1\n");
    EXPECT_EQ(GetProfileString(dir / "a.ini", "a", "X", "d"), "1");
    EXPECT_EQ(GetProfileString(dir / "a.ini", "B", "x", "d"), "d");
    EXPECT_EQ(GetProfileString(dir / "a.ini", "A", "y", "d"), "d");
    EXPECT_EQ(GetProfileString(dir.Path(), "A", "x", "d"), "d");
}

TEST(ProfileStringTest, WritesCreateAndRewriteTheFileWithCrLf) {
    TempDir dir;
    const auto file = dir / "suite.ini";
    ASSERT_TRUE(WriteProfileString(file, "SCHLIBS", "1", "GATES.SYM"));
    EXPECT_EQ(ReadFile(file), "[SCHLIBS]\r\n1=GATES.SYM\r\n");
    ASSERT_TRUE(WriteProfileString(file, "schlibs", "2", "DISCRETE.SYM"));
    ASSERT_TRUE(WriteProfileString(file, "SCHLIBS", "1", std::nullopt));
    EXPECT_EQ(ReadFile(file), "[SCHLIBS]\r\n2=DISCRETE.SYM\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "suite.ini.new~"));
}

TEST(ProfileStringTest, RemovingAMissingKeyTouchesNothing) {
    TempDir dir;
    const auto file = dir / "suite.ini";
    EXPECT_TRUE(WriteProfileString(file, "A", "x", std::nullopt));
    EXPECT_FALSE(std::filesystem::exists(file));

    WriteFile(file, "[A]\ny=1\n");
    const ino_t before = InodeOf(file);
    EXPECT_TRUE(WriteProfileString(file, "A", "x", std::nullopt));
    EXPECT_TRUE(WriteProfileString(file, "B", "x", std::nullopt));
    EXPECT_EQ(InodeOf(file), before);
    EXPECT_EQ(ReadFile(file), "[A]\ny=1\n");
}

TEST(ProfileStringTest, AFailedWriteLeavesTheOldFileWhole) {
    TempDir dir;
    const auto file = dir / "suite.ini";
    WriteFile(file, "[A]\nx=1\n");
    // The new file is made beside the old one; a folder in its place makes the write fail.
    std::filesystem::create_directory(dir / "suite.ini.new~");
    int errorNumber = 0;
    EXPECT_FALSE(WriteProfileString(file, "A", "x", "2", &errorNumber));
    EXPECT_EQ(errorNumber, EISDIR);
    EXPECT_EQ(ReadFile(file), "[A]\nx=1\n");

    EXPECT_FALSE(WriteProfileString(dir / "no" / "such.ini", "A", "x", "2", &errorNumber));
    EXPECT_EQ(errorNumber, ENOENT);
    EXPECT_FALSE(WriteProfileString(file, "A", "x", "a\nb", &errorNumber));
    EXPECT_EQ(errorNumber, EINVAL);
}

} // namespace
} // namespace k2k
