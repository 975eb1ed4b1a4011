#include "platform/HelpFile.h"

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
    EXPECT_EQ(file.Topic(13436)->title, "Search Sequence");
    EXPECT_EQ(file.Topic(13436)->body, "One line, LF only");
    EXPECT_EQ(file.Topic(2)->body, "");
    EXPECT_EQ(file.Topic(7), nullptr);
}

// The file's lines are wrapped for an editor; the help window wraps to its own width.
TEST(HelpFileTest, ParagraphsRunTogetherAndIndentedLinesStayLines) {
    EXPECT_EQ(HelpParagraphs("The browser finds parts\nin the libraries.\n\nPress F5\n"
                             "  - to refresh\n  - to read again\nand go on."),
              "The browser finds parts in the libraries.\n\nPress F5\n  - to refresh\n"
              "  - to read again and go on.");
    EXPECT_EQ(HelpParagraphs(""), "");
    EXPECT_EQ(HelpParagraphs("One"), "One");
}

// A broken file is refused whole, naming the line, never half-read.
TEST(HelpFile, RefusesWhatIsNotAHelpFileNamingTheLine) {
    struct Case {
        const char* name;
        const char* text;
        const char* error;
    };
    const std::vector<Case> cases{
        {"empty", "", "not a help file (it is empty)"},
        {"blank lines only", "\r\n \r\n", "not a help file (it is empty)"},
        {"no signature", "#0 Contents\r\n",
         "line 1: not a help file (it does not begin with \"K2KHELP 1\")"},
        {"other version", "K2KHELP 2\r\n#0 C\r\n",
         "line 1: not a help file (it does not begin with \"K2KHELP 1\")"},
        {"text first", "K2KHELP 1\r\n\r\nloose text\r\n#0 C\r\n",
         "line 3: text before the first topic"},
        {"no number", "K2KHELP 1\r\n#Contents\r\n",
         "line 2: a topic line is \"#\", its number, a blank and its title"},
        {"no title", "K2KHELP 1\r\n#5 \r\n",
         "line 2: a topic line is \"#\", its number, a blank and its title"},
        {"no blank", "K2KHELP 1\r\n#5x Title\r\n",
         "line 2: a topic line is \"#\", its number, a blank and its title"},
        {"signed number", "K2KHELP 1\r\n#+5 Title\r\n",
         "line 2: a topic line is \"#\", its number, a blank and its title"},
        {"negative", "K2KHELP 1\r\n#-5 Title\r\n", "line 2: the topic number is out of range"},
        {"too large", "K2KHELP 1\r\n#99999999999 Title\r\n",
         "line 2: the topic number is out of range"},
        {"twice", "K2KHELP 1\r\n#4 A\r\ntext\r\n#4 B\r\n", "line 4: topic 4 is given twice"},
    };
    for (const Case& c : cases) {
        HelpFile file;
        ASSERT_EQ(file.Parse("K2KHELP 1\r\n#1 Old\r\n"), "");
        EXPECT_EQ(file.Parse(c.text), c.error) << c.name;
        EXPECT_TRUE(file.Topics().empty()) << c.name << ": nothing of a refused file is kept";
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

} // namespace
} // namespace k2k
