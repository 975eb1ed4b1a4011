#include "kicad/SExpression.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

namespace k2k {
namespace {

Status Parse(SDocument& document, std::string text) {
    return document.Parse(std::move(text), "lib.kicad_sym");
}

TEST(SExpressionTest, ListsAtomsAndStringsWithTheirLines) {
    SDocument doc;
    ASSERT_TRUE(Parse(doc, "(symbol \"R\"\n  (pin passive line (at -2.540 0 0))\n  hide)"));
    ASSERT_EQ(doc.Root().Size(), 1u);
    const SNode symbol = doc.Root()[0];
    EXPECT_EQ(symbol.Head(), "symbol");
    ASSERT_EQ(symbol.Size(), 4u);
    EXPECT_EQ(symbol[1].Kind(), SNodeKind::String);
    EXPECT_EQ(symbol[1].Text(), "R");
    const SNode pin = symbol[2];
    EXPECT_EQ(pin.Line(), 2u);
    EXPECT_EQ(pin.Head(), "pin");
    EXPECT_TRUE(pin[3].IsList());
    EXPECT_EQ(pin[3][1].Text(), "-2.540") << "numbers keep the text they were written with";
    EXPECT_EQ(pin[3][1].Kind(), SNodeKind::Symbol);
    EXPECT_TRUE(symbol.HasAtom("hide"));
    EXPECT_FALSE(pin.HasAtom("hide"));
    EXPECT_EQ(symbol[3].Line(), 3u);
    EXPECT_EQ(SNode(symbol[1]).Head(), "") << "an atom has no keyword";

    std::vector<std::string> texts;
    for (const SNode item : pin)
        texts.emplace_back(item.IsList() ? "()" : item.Text());
    EXPECT_EQ(texts, (std::vector<std::string>{"pin", "passive", "line", "()"}));
}

TEST(SExpressionTest, StringsResolveTheirEscapesAndMayHoldAnything) {
    SDocument doc;
    ASSERT_TRUE(Parse(doc, R"x((p "a \"b\" \\c" "x\ny" "tab\there" "\q" "" "(not a list)" "µ"))x"));
    const SNode p = doc.Root()[0];
    EXPECT_EQ(p[1].Text(), "a \"b\" \\c");
    EXPECT_EQ(p[2].Text(), "x\ny");
    EXPECT_EQ(p[3].Text(), "tab\there");
    EXPECT_EQ(p[4].Text(), "\\q") << "an unknown escape keeps its backslash";
    EXPECT_EQ(p[5].Text(), "");
    EXPECT_EQ(p[6].Text(), "(not a list)");
    EXPECT_EQ(p[7].Text(), "µ");

    // A string over several lines counts them for the items after it.
    ASSERT_TRUE(Parse(doc, "(a \"one\ntwo\nthree\" b)"));
    EXPECT_EQ(doc.Root()[0][1].Line(), 1u);
    EXPECT_EQ(doc.Root()[0][2].Line(), 3u);
}

TEST(SExpressionTest, BadTextsAreRefusedNamingFileAndLine) {
    struct Case {
        const char* name;
        std::string text;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"unclosed list", "(a\n  (b c)\n  (d",
         "lib.kicad_sym:3: a list that starts here is not closed"},
        {"stray close", "(a)\n)", "lib.kicad_sym:2: \")\" closes no list"},
        {"unclosed string", "(a\n \"abc)\n",
         "lib.kicad_sym:2: a string that starts here is not closed"},
        {"escaped last quote", "(a \"abc\\\")",
         "lib.kicad_sym:1: a string that starts here is not closed"},
        {"too deep", std::string(kMaxSDepth + 1, '(') + std::string(kMaxSDepth + 1, ')'),
         "lib.kicad_sym:1: lists are nested deeper than 256"},
    };
    for (const Case& c : cases) {
        SDocument doc;
        const Status read = Parse(doc, c.text);
        ASSERT_FALSE(read) << c.name;
        EXPECT_EQ(read.Message(), c.error) << c.name;
        EXPECT_EQ(doc.Root().Size(), 0u) << c.name << ": a refused text leaves an empty document";
    }
    SDocument doc;
    EXPECT_TRUE(Parse(doc, std::string(kMaxSDepth, '(') + std::string(kMaxSDepth, ')')))
        << "the deepest nesting allowed reads";
    EXPECT_TRUE(Parse(doc, ""));
    EXPECT_EQ(doc.Root().Size(), 0u);

    const Status missing = doc.Load("/nonexistent/x.kicad_sym");
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.Message().find("/nonexistent/x.kicad_sym: cannot read the file"),
              std::string::npos);
    EXPECT_EQ(missing.Error().systemError, ENOENT);
}

TEST(SExpressionTest, TheWrittenTextReadsBackToTheSameTree) {
    SDocument doc;
    ASSERT_TRUE(Parse(doc, "( a  \"b c\"\t(d \"e\\\"\\\\\\n\")()\n\"\\q\" 1.50 )"));
    const std::string written = WriteSExpression(doc.Root()[0]);
    EXPECT_EQ(written, "(a \"b c\" (d \"e\\\"\\\\\\n\") () \"\\\\q\" 1.50)");
    SDocument again;
    ASSERT_TRUE(Parse(again, written));
    EXPECT_EQ(WriteSExpression(again.Root()[0]), written);
    EXPECT_EQ(again.Root()[0][4].Text(), "\\q");

    // Deep nesting is written without recursion too.
    ASSERT_TRUE(Parse(doc, std::string(kMaxSDepth, '(') + "x" + std::string(kMaxSDepth, ')')));
    EXPECT_EQ(WriteSExpression(doc.Root()[0]).size(), 2 * kMaxSDepth + 1);
}

} // namespace
} // namespace k2k
