#include "search/InfoText.h"

#include "system/Text.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

TEST(InfoTextTest, PartInfoSplitsPackageAndFields) {
    const std::string info = ComposePartInfo(
        "DIP14", {"Quad NAND", "IC-7400", "X\\7400\\library", "Texas Instruments", "Digital,Gates",
                  "LS TTL", "PMD,DIP", "7", "A\\D_NAND\\LS", "7400,PWR2"});
    const PartInfo part = SplitPartInfo(info);
    EXPECT_EQ(part.package, "DIP14");
    EXPECT_EQ(part.description, "Quad NAND");
    EXPECT_EQ(part.manufacturer, "Texas Instruments");
    EXPECT_EQ(part.simulationReferences, "A\\D_NAND\\LS");
    EXPECT_EQ(part.symbols, "7400,PWR2");
    EXPECT_EQ(part.firstSymbol, "7400");
}

// The split looks at eight bytes at a time: separators at every place within and across
// words, next to bytes that differ from the separator by one bit or one step, split as a
// search for each separator in turn does.
TEST(InfoTextTest, FieldsSplitLikeAFieldByFieldSearchWhereverTheSeparatorsFall) {
    const std::string neighbours = "\x81\x7F\x00\xC0\x01a";
    for (std::size_t length = 0; length <= 40; ++length)
        for (std::size_t first = 0; first < length; ++first)
            for (std::size_t gap = 1; gap <= 9; ++gap) {
                std::string info(length, 'x');
                for (std::size_t i = 0; i < length; ++i)
                    info[i] = neighbours[(i * 7 + gap) % neighbours.size()];
                for (std::size_t at = first; at < length; at += gap)
                    info[at] = kFieldSeparator;
                const SymbolInfo symbol = SplitSymbolInfo(info);
                const std::string_view fields[] = {
                    symbol.description,          symbol.symbolType, symbol.simulationFunction,
                    symbol.simulationReferences, symbol.keywords,   symbol.datasheet,
                    symbol.referencePrefix};
                for (int n = 1; n <= 7; ++n)
                    ASSERT_EQ(fields[n - 1], InfoField(info, n))
                        << "length " << length << ", first " << first << ", gap " << gap;
                const std::string partInfo = "P " + info; // the views point into it
                const PartInfo part = SplitPartInfo(partInfo);
                ASSERT_EQ(part.symbols, InfoField(info, 10)) << length << " " << first;
                ASSERT_EQ(part.footprintFilters, InfoField(info, 14)) << length << " " << first;
                ASSERT_EQ(SplitPackageInfo(info).keywords, InfoField(info, 4)) << length;
            }
}

// Whether the fields are plain ASCII is read eight bytes at a time: one letter beyond
// ASCII, wherever it falls among the separators, is seen, and the separators alone are not.
TEST(InfoTextTest, FieldsArePlainAsciiButForOneLetterAnywhere) {
    for (std::size_t length = 0; length <= 40; ++length)
        for (std::size_t gap = 1; gap <= 9; ++gap) {
            std::string info(length, 'x');
            for (std::size_t at = gap - 1; at < length; at += gap)
                info[at] = kFieldSeparator;
            ASSERT_TRUE(FieldsArePlainAscii(info)) << "length " << length << ", gap " << gap;
            for (std::size_t at = 0; at < length; ++at) {
                if (info[at] == kFieldSeparator)
                    continue;
                for (const char letter : {'\x81', '\xB5', '\xFF'}) {
                    std::string other = info;
                    other[at] = letter;
                    ASSERT_FALSE(FieldsArePlainAscii(other))
                        << "length " << length << ", gap " << gap << ", at " << at;
                }
            }
        }
}

// The extra fields follow the ones every reader knows, and only as many as hold something
// are written, so an object without them keeps the info text it always had.
TEST(InfoTextTest, ExtraFieldsAreWrittenUpToTheLastThatHoldsSomething) {
    const std::array<std::string_view, kPartInfoFields> fields = {"Op amp", "", "", "", "",
                                                                  "",       "", "", "", "OPA"};
    EXPECT_EQ(ComposePartInfo("SO8", fields), ComposePartInfo("SO8", fields, {"", "", "", ""}));
    const std::string info = ComposePartInfo("SO8", fields, {"opamp,dual", "", "U"});
    EXPECT_EQ(info, "SO8 Op amp\x80\x80\x80\x80\x80\x80\x80\x80\x80OPA\x80opamp,dual\x80\x80U");
    const PartInfo part = SplitPartInfo(info);
    EXPECT_EQ(part.symbols, "OPA");
    EXPECT_EQ(part.keywords, "opamp,dual");
    EXPECT_EQ(part.datasheet, "");
    EXPECT_EQ(part.referencePrefix, "U");
    EXPECT_EQ(part.footprintFilters, "");
    EXPECT_EQ(ComposeInfo({"Amp", "", "", ""}, {"", ""}), "Amp\x80\x80\x80");
    EXPECT_EQ(SplitSymbolInfo(ComposeInfo({"Amp", "", "", ""}, {"", "http://x"})).datasheet,
              "http://x");
}

TEST(InfoTextTest, MissingFieldsAreEmpty) {
    const PartInfo few = SplitPartInfo("SO8 Op amp\x80OA-1");
    EXPECT_EQ(few.description, "Op amp");
    EXPECT_EQ(few.externalIndexCode, "OA-1");
    EXPECT_EQ(few.symbols, "");
    EXPECT_EQ(few.firstSymbol, "");

    const PackageInfo package = SplitPackageInfo("Dual in-line");
    EXPECT_EQ(package.description, "Dual in-line");
    EXPECT_EQ(package.type, "");
    EXPECT_EQ(InfoField("a\x80\x80"
                        "c",
                        2),
              "");
    EXPECT_EQ(InfoField("a\x80\x80"
                        "c",
                        3),
              "c");
    EXPECT_EQ(InfoField("a", 5), "");
}

TEST(InfoTextTest, APartInfoWithoutABlankIsAllPackage) {
    const PartInfo part = SplitPartInfo("TO92\x80Q");
    EXPECT_EQ(part.package, "TO92\x80Q");
    EXPECT_EQ(part.description, "TO92") << "the whole text is split into fields as well";
    EXPECT_EQ(part.externalIndexCode, "Q");
    EXPECT_EQ(SplitPartInfo(" Resistor").package, "") << "a leading blank: no package";
    EXPECT_EQ(SplitPartInfo(" Resistor").description, "Resistor");
}

} // namespace
} // namespace k2k
