// Something other than a text file where k2klib reads one: a FIFO, a link to a device, a
// folder, a file of gigabytes. Each is refused at once, saying which file and what it is;
// the rest is read.

#include "support/SmallSuite.h"
#include "support/TestSupport.h"
#include "support/ToolRun.h"

#include "system/ReadLimits.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using Kind = test::NotATextFile::Kind;

TEST(K2klibNoTextFileTest, ASuiteFileThatIsNoTextFileIsSaid) {
    test::TempDir suite;
    test::WriteSmallSuite(suite.Path());
    const std::string ini = test::ReadFile(suite / "kalde2000.ini");
    test::WriteFile(suite / "kalde2000.ini",
                    "[Kalde2000]\r\nLanguagePath=LANG\r\n" + ini.substr(ini.find("\r\n") + 2));
    const auto catalogue = [&] {
        return test::RunK2klib({"catalogue", "--suite", suite.Path().string()});
    };
    ASSERT_EQ(catalogue().status, 0);
    for (const Kind kind : test::NotATextFile::kKinds) {
        SCOPED_TRACE(test::NotATextFile::Name(kind));
        const std::string why = kind == Kind::Folder      ? "Is a directory"
                                : kind == Kind::Oversized ? "larger than 16 MB"
                                                          : "not a regular file";
        for (const char* name : {"suite.ini", "kalde2000.ini"}) {
            std::filesystem::rename(suite / name, suite / "kept");
            {
                const test::NotATextFile file(suite / name, kind, kIniFileLimit);
                const auto run = catalogue();
                EXPECT_EQ(run.status, 1);
                EXPECT_EQ(run.err.rfind("k2klib catalogue: cannot read " + (suite / name).string() +
                                            ": " + why,
                                        0),
                          0u)
                    << run.err;
            }
            std::filesystem::rename(suite / "kept", suite / name);
        }
        // The texts: English, and a message naming the file.
        const test::NotATextFile texts(suite / "LANG" / "TEXTS.LNG", kind, kLanguageTextsLimit);
        const auto run = catalogue();
        EXPECT_EQ(run.status, 0);
        EXPECT_NE(run.err.find("Can't read file: " + (suite / "LANG" / "TEXTS.LNG").string()),
                  std::string::npos)
            << run.err;
    }
}

TEST(K2klibNoTextFileTest, WhatIsNoSourceFileIsLeftOutAtOnceWithWhatItIs) {
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
