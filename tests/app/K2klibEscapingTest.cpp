// What a file holds never reaches the terminal as a control sequence: k2klib shows every
// control character of its output escaped.

#include "EscapingStream.h"
#include "ImportSources.h"

#include "support/SmallSuite.h"
#include "support/TestSupport.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <sstream>

namespace k2k {
namespace {

namespace fs = std::filesystem;
using test::WriteFile;

// A file's name and an object's name with an escape sequence and a C1 control (U+009B,
// which some terminals take for an escape too), in the progress line and the report.
TEST(K2klibEscapingTest, ControlCharactersFromAFileAreShownEscaped) {
    test::TempDir dir;
    const fs::path suite = dir / "suite";
    test::WriteSmallSuite(suite);
    const fs::path symbols = dir / "symbols";
    fs::create_directories(symbols);
    WriteFile(symbols / "Evil\x1b]2;owned\x07.kicad_sym", test::KicadSymbolLibrary({"A"}));
    WriteFile(symbols / "Timers.kicad_sym", test::KicadSymbolLibrary({"NE\x1b[2J555", "LM\xc2\x9b"
                                                                                      "2J556"}));
    const auto run = test::RunK2klib(
        {"import", "--suite", suite.string(), "--symbols", symbols.string(), "--footprints", ""});
    for (const std::string& shown : {run.out, run.err}) {
        EXPECT_EQ(shown.find('\x1b'), std::string::npos) << shown;
        EXPECT_EQ(shown.find('\x07'), std::string::npos) << shown;
        EXPECT_EQ(shown.find("\xc2\x9b"), std::string::npos) << shown;
    }
    EXPECT_NE(run.err.find("import: symbol library 1 of 2: Evil\\x1B]2;owned\\x07"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find("Timers: symbol \"NE\\x1B[2J555\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Timers: symbol \"LM\\u009B2J556\""), std::string::npos) << run.out;

    // Line ends and TABs make the output; a character cut between two writes stays whole.
    std::ostringstream target;
    {
        cli::EscapingStream shown(target);
        shown << "a\tb\n\xc3";
        shown << "\xbc\x7f";
    }
    EXPECT_EQ(target.str(), "a\tb\n\xc3\xbc\\x7F");
}

} // namespace
} // namespace k2k
