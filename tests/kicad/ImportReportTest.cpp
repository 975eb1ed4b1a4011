#include "kicad/ImportReport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace k2k {
namespace {

TEST(ImportReportTest, LossesAreCountedInTheirOrderWithAFewDistinctExamples) {
    ImportReport report;
    report.Lose(Loss::LineWidths, "Device", "R", 3);
    report.Lose(Loss::PowerFlags, "Device", "R");
    report.Lose(Loss::PowerFlags, "Device", "R"); // the same object is one example
    report.Lose(Loss::PowerFlags, "Device", "C");
    report.Lose(Loss::PowerFlags, "Device", "L");
    report.Lose(Loss::PowerFlags, "Device", "D");
    report.Lose(Loss::Fills, "Device", "R", 0);
    report.LeaveOut("Device: part \"X\": why");
    report.totals = {2, 10, 2, 2, 9, 5, 4};

    std::ostringstream out;
    report.Write(out);
    EXPECT_EQ(out.str(), "Left out (1):\n"
                         "  Device: part \"X\": why\n"
                         "Not carried over (the suite has no place for them):\n"
                         "  power symbol flags: 5 symbols, e.g. Device: R; Device: C; Device: L\n"
                         "  line widths: 3 graphics, e.g. Device: R\n"
                         "Read: 2 symbol libraries, 10 symbols\n"
                         "Written: 2 part libraries (9 parts), 2 symbol libraries (5 symbols); 4 "
                         "libraries new in the catalogue\n"
                         "Left out: 1 objects, 0 libraries\n");
}

} // namespace
} // namespace k2k
