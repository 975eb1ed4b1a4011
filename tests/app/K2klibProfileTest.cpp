#include "support/TestSupport.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::RunK2klib;
using test::TempDir;
using test::WriteFile;

TEST(K2klibProfileTest, ShowsTheTablesAsTrees) {
    TempDir dir;
    WriteFile(dir / "K2KBRWSR.ini", "[PartType]\r\n"
                                    "1,Sys,1:Digital\r\n"
                                    "\t1,Sys,1,2:Gates\r\n"
                                    "\t\t1,Usr,1,2,4:Mine\r\n"
                                    "1,Sys,1,3\r\n"
                                    "[End PartType]\r\n\r\n"
                                    "[Manufacturer]\r\n"
                                    "2,Sys,1:W\xFCrth Elektronik\r\n"
                                    "[End Manufacturer]\r\n\r\n\r\n"
                                    "[ENDPROFILE]");
    const auto run = RunK2klib({"profile", (dir / "K2KBRWSR.ini").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "PartType: 4 entries\n"
                       "  1  Digital  (system)\n"
                       "    1,2  Gates  (system)\n"
                       "      1,2,4  Mine  (user)\n"
                       "  (no path)    (system)\n"
                       "\nManufacturer: 1 entry\n"
                       "  1  W\xC3\xBCrth Elektronik  (system)\n"
                       "\nTechnology: 0 entries\n"
                       "\nPartPackageType: 0 entries\n"
                       "\nSymbolType: 0 entries\n"
                       "\nPackageType: 0 entries\n"
                       "\nPadstackType: 0 entries\n"
                       "\nPadstackShape: 0 entries\n");
    EXPECT_EQ(run.err, "");
}

TEST(K2klibProfileTest, CheckNamesTheLinesAndPathsThatGoWrong) {
    TempDir dir;
    WriteFile(dir / "K2KBRWSR.ini", "[PartType]\r\n"
                                    "' old types\r\n"
                                    "1,Sys,1:Digital\r\n"
                                    "\t1,Sys,1,2:Gates\r\n"
                                    "\t\t1,Sys,1,5,9:Orphan\r\n"
                                    "\t1,Usr,1,2:Again\r\n"
                                    "1,Sys,1,3\r\n"
                                    "\t2,Usr,4,1:Acme:Dallas\r\n"
                                    "9,Sys,1:Nine\r\n"
                                    "\t1,Sys,1,x:Bad\r\n"
                                    "[End PartType]\r\n"
                                    "2,Sys,4:Acme\r\n"
                                    "1,Sys,1:X\t\r\n"
                                    "Types,Sys,1:Word\r\n"
                                    "\r\n"
                                    "1,Sys:Kindless\r\n"
                                    "[ENDPROFILE]");
    const auto run = RunK2klib({"profile", "--check", (dir / "K2KBRWSR.ini").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    const auto check = run.out.find("\nCheck: ");
    ASSERT_NE(check, std::string::npos) << run.out;
    EXPECT_EQ(run.out.substr(check),
              "\nCheck: 12 findings\n"
              "line 2: comment; skipped\n"
              "line 5: PartType path \"1,5,9\": its parent \"1,5\" is missing\n"
              "line 6: PartType path \"1,2\" repeats line 4\n"
              "line 7: no \":\"; adds an entry with empty path and text to PartType\n"
              "line 8: a Manufacturer entry (table 2) inside [PartType]\n"
              "line 8: a second \":\" cuts off \"Dallas\"\n"
              "line 8: Manufacturer path \"4,1\": its parent \"4\" comes later, on line 12\n"
              "line 9: \"9\" is not a table number 1 to 8; skipped\n"
              "line 10: PartType path \"1,x\": \"x\" is not a whole number\n"
              "line 13: nothing follows its last TAB; skipped\n"
              "line 14: \"Types\" is not a table number 1 to 8; skipped\n"
              "line 16: PartType entry \"Kindless\" has no path; no tree shows it\n");
}

TEST(K2klibProfileTest, TheSampleProfileIsClean) {
    const auto run =
        RunK2klib({"profile", "--check", std::string(K2K_SAMPLE_SUITE) + "/SYS/K2KBRWSR.ini"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\nCheck: no findings\n"), std::string::npos) << run.out;
}

TEST(K2klibProfileTest, AnUnreadableProfileFails) {
    TempDir dir;
    const auto run = RunK2klib({"profile", (dir / "K2KBRWSR.ini").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("File not found: Can't read file: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Can't Read Browser Profile"), std::string::npos) << run.err;
}

} // namespace
} // namespace k2k
