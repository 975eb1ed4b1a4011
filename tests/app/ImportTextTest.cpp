#include "ImportText.h"
#include "ImportReport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace k2k {
namespace {

// What a name or info field may hold differs from a drawing: the info texts' field
// separator and line ends belong only to drawings.
TEST(ImportTextTest, FieldsAndDrawingsHoldWhatTheSuiteCanHold) {
    struct Case {
        const char* name;
        std::string utf8;
        TextUse use;
        std::optional<std::string> suite; // nullopt: refused
        std::string described;
    };
    const std::vector<Case> cases = {
        {"latin", "Résistance 10 µA ±5%", TextUse::Field, "R\xE9sistance 10 \xB5\x41 \xB1\x35%",
         ""},
        {"greek mu", "1 μA", TextUse::Field, std::nullopt, "\"μ\" (U+03BC)"},
        {"euro in a field", "5 €", TextUse::Field, std::nullopt, "\"€\" (U+20AC)"},
        {"euro in a drawing", "TEXT 0 0 50 5 €", TextUse::Drawing, "TEXT 0 0 50 5 \x80", ""},
        {"line end in a field", "a\nb", TextUse::Field, std::nullopt,
         "the control character U+000A"},
        {"line end in a drawing", "a\nb", TextUse::Drawing, "a\nb", ""},
        {"tab in a drawing", "a\tb", TextUse::Drawing, std::nullopt,
         "the control character U+0009"},
        {"not UTF-8", "a\xFF", TextUse::Field, std::nullopt, "the byte 0xFF, which is not UTF-8"},
    };
    for (const Case& c : cases) {
        UnholdableCharacter bad;
        const auto suite = ToSuiteText(c.utf8, c.use, bad);
        EXPECT_EQ(suite, c.suite) << c.name;
        if (!c.suite) {
            EXPECT_EQ(DescribeUnholdable(bad), c.described) << c.name;
        }
    }
}

TEST(ImportReportTest, LossesAreCountedInTheirOrderWithAFewDistinctExamples) {
    ImportReport report;
    report.Lose(Loss::LineWidths, "Device", "R", 3);
    report.Lose(Loss::Keywords, "Device", "R");
    report.Lose(Loss::Keywords, "Device", "R"); // the same object is one example
    report.Lose(Loss::Keywords, "Device", "C");
    report.Lose(Loss::Keywords, "Device", "L");
    report.Lose(Loss::Keywords, "Device", "D");
    report.Lose(Loss::Fills, "Device", "R", 0);
    report.LeaveOut("Device: part \"X\": why");
    report.totals = {2, 10, 2, 2, 9, 5, 4};

    std::ostringstream out;
    report.Write(out);
    EXPECT_EQ(out.str(),
              "Left out (1):\n"
              "  Device: part \"X\": why\n"
              "Not carried over (the suite has no place for them):\n"
              "  keywords (ki_keywords): 5 symbols, e.g. Device: R; Device: C; Device: L\n"
              "  line widths: 3 graphics, e.g. Device: R\n"
              "Read: 2 symbol libraries, 10 symbols\n"
              "Written: 2 part libraries (9 parts), 2 symbol libraries (5 symbols); 4 "
              "libraries new in the catalogue\n"
              "Left out: 1 objects, 0 libraries\n");
}

} // namespace
} // namespace k2k
