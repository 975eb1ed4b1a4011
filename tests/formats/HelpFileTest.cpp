#include "formats/HelpFile.h"

#include "system/ReadLimits.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

TEST(HelpFile, ReadsTopicsByNumberWithTheirTextAsWritten) {
    HelpFile file;
    const std::string error = file.Parse("\r\n  \r\nK2KHELP 1\r\n"
                                         "; a remark, not text\r\n"
                                         "#0 Contents\r\n"
                                         "\r\n"
                                         "First line\r\n"
                                         "  indented; kept\r\n"
                                         "\r\n"
                                         "after a blank line\r\n"
                                         "\\#7 is text\r\n"
                                         "\\; so is this\r\n"
                                         "\r\n\r\n"
                                         "#13436  Search Sequence  \n"
                                         "One line, LF only\n"
                                         "#2 Empty topic\r\n");
    ASSERT_EQ(error, "");
    ASSERT_EQ(file.Topics().size(), 3u);
    const HelpTopicText* contents = file.Topic(0);
    ASSERT_NE(contents, nullptr);
    EXPECT_EQ(contents->title, "Contents");
    EXPECT_EQ(contents->body,
              "First line\n  indented; kept\n\nafter a blank line\n#7 is text\n; so is this")
        << "outer blank lines go, inner ones stay";
    ASSERT_NE(file.Topic(13436), nullptr);
    EXPECT_EQ(file.Topic(13436)->title + "|" + file.Topic(13436)->body,
              "Search Sequence|One line, LF only");
    EXPECT_EQ(file.Topic(2)->body, "");
    EXPECT_EQ(file.Topic(7), nullptr);
}

// The file's lines are wrapped for an editor; the help window wraps to its own width.
TEST(HelpFileTest, ParagraphsRunTogetherAndIndentedLinesStayLines) {
    EXPECT_EQ(HelpParagraphs("The browser finds parts\nin the libraries.\n\nPress F5\n"
                             "  - to refresh\n  - to read again\nand go on."),
              "The browser finds parts in the libraries.\n\nPress F5\n  - to refresh\n"
              "  - to read again and go on.");
    EXPECT_EQ(HelpParagraphs("One"), "One");
}

// A broken file is refused whole, naming the line, never half-read.
TEST(HelpFile, RefusesWhatIsNotAHelpFileNamingTheLine) {
    const std::string empty = "not a help file (it is empty)";
    const std::string noSignature =
        "line 1: not a help file (it does not begin with \"K2KHELP 1\")";
    const std::string topic = "line 2: a topic line is \"#\", its number, a blank and its title";
    const std::string range = "line 2: the topic number is out of range";
    const std::pair<const char*, std::string> cases[] = {
        {"", empty},
        {"\r\n \r\n", empty},
        {"#0 Contents\r\n", noSignature},
        {"K2KHELP 2\r\n#0 C\r\n", noSignature},
        {"K2KHELP 1\r\n\r\nloose text\r\n#0 C\r\n", "line 3: text before the first topic"},
        {"K2KHELP 1\r\n#Contents\r\n", topic},
        {"K2KHELP 1\r\n#5 \r\n", topic},
        {"K2KHELP 1\r\n#5x Title\r\n", topic},
        {"K2KHELP 1\r\n#+5 Title\r\n", topic},
        {"K2KHELP 1\r\n#-5 Title\r\n", range},
        {"K2KHELP 1\r\n#99999999999 Title\r\n", range},
        {"K2KHELP 1\r\n#4 A\r\ntext\r\n#4 B\r\n", "line 4: topic 4 is given twice"},
    };
    for (const auto& [text, error] : cases) {
        HelpFile file;
        ASSERT_EQ(file.Parse("K2KHELP 1\r\n#1 Old\r\n"), "");
        EXPECT_EQ(file.Parse(text), error) << text;
        EXPECT_TRUE(file.Topics().empty()) << text << ": nothing of a refused file is kept";
    }
}

TEST(HelpFile, AFileThatCannotBeReadSaysSo) {
    test::TempDir dir;
    HelpFile file;
    const std::string error = file.Read(dir / "K2KBRWSR.HLP");
    EXPECT_NE(error.find("cannot read"), std::string::npos) << error;
    EXPECT_NE(error.find("K2KBRWSR.HLP"), std::string::npos) << error;

    test::WriteFile(dir / "K2KBRWSR.HLP", "K2KHELP 1\n#0 Contents\nHello\n");
    EXPECT_EQ(file.Read(dir / "K2KBRWSR.HLP"), "");
    EXPECT_EQ(file.Topic(0)->body, "Hello");
}

TEST(HelpFile, AHelpFileThatIsNoTextFileSaysWhatItIs) {
    using Kind = test::NotATextFile::Kind;
    test::TempDir dir;
    for (const Kind kind : test::NotATextFile::kKinds) {
        SCOPED_TRACE(test::NotATextFile::Name(kind));
        const test::NotATextFile file(dir / "K2Kbrwsr.HLP", kind, kHelpFileLimit);
        HelpFile help;
        const std::string why = kind == Kind::Folder      ? "Is a directory"
                                : kind == Kind::Oversized ? "larger than 64 MB"
                                                          : "not a regular file";
        EXPECT_EQ(help.Read(dir / "K2Kbrwsr.HLP")
                      .rfind("cannot read " + (dir / "K2Kbrwsr.HLP").string() + ": " + why, 0),
                  0u);
    }
}

} // namespace
} // namespace k2k
