// The import's source files in the place of which something else lies: a FIFO, a device, a
// folder, a file of gigabytes. Each is refused at once with what it is, and the rest of its
// library is imported.

#include "support/SmallSuite.h"
#include "support/TestSupport.h"
#include "support/ToolRun.h"

#include "platform/ReadLimits.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using Kind = test::NotATextFile::Kind;

TEST(ImportSourceFilesTest, WhatIsNoSourceFileIsLeftOutAtOnceWithWhatItIs) {
    test::TempDir suite;
    test::TempDir sources;
    test::WriteSmallSuite(suite.Path());
    const std::filesystem::path folder = sources / "Odd.pretty";
    test::WriteFile(folder / "Good.kicad_mod",
                    "(footprint \"Good\" (layer \"F.Cu\")\n"
                    "  (pad \"1\" smd rect (at 0 0) (size 1.5 0.9) (layers \"F.Cu\")))\n");
    const auto odd = [&](const char* name, Kind kind) {
        return std::make_unique<test::NotATextFile>(folder / (std::string(name) + ".kicad_mod"),
                                                    kind, kSExpressionFileLimit);
    };
    const auto fifo = odd("FIFO", Kind::Fifo);
    const auto zero = odd("Zero", Kind::DevZero);
    const auto subfolder = odd("Folder", Kind::Folder);
    const auto huge = odd("Huge", Kind::Oversized);
    const test::NotATextFile symbols(sources / "Huge.kicad_sym", Kind::Oversized,
                                     kSExpressionFileLimit);

    const auto run =
        test::RunK2klib({"import", "--suite", suite.Path().string(), "--symbols",
                         sources.Path().string(), "--footprints", sources.Path().string()});
    const std::string cannot = ": cannot read the file: ";
    EXPECT_NE(run.out.find("Libraries not imported (1):\n  " +
                           (sources / "Huge.kicad_sym").string() + cannot +
                           "larger than 64 MB, the limit for such a file\n"),
              std::string::npos)
        << run.out;
    const std::string device = "not a regular file (a device, a pipe or a socket)";
    const auto leftOut = [&](const char* name, const std::string& why) {
        return "  Odd: package \"" + std::string(name) +
               "\": " + (folder / (std::string(name) + ".kicad_mod")).string() + cannot + why +
               "\n";
    };
    EXPECT_NE(run.out.find("Left out (4):\n" + leftOut("FIFO", device) +
                           leftOut("Folder", "Is a directory") +
                           leftOut("Huge", "larger than 64 MB, the limit for such a file") +
                           leftOut("Zero", device)),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("1 package libraries (1 packages)"), std::string::npos) << run.out;
}

} // namespace
} // namespace k2k
