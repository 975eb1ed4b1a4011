// An import as one transaction: killed at any of its steps on the file system, a second
// import ends with every byte of the suite as one that ran through; and two imports into one
// suite at once both end in the catalogue.

#include "ImportSources.h"

#include "support/SmallSuite.h"
#include "support/TestSupport.h"
#include "support/ToolRun.h"
#include "system/FileLock.h"
#include "system/Text.h"

#include <gtest/gtest.h>

#include <set>

#include <sys/wait.h>
#include <unistd.h>

namespace k2k {
namespace {

namespace fs = std::filesystem;
using test::FilesUnder;
using test::WriteFile;

class KilledImportTest : public ::testing::Test {
protected:
    // The small suite, with an earlier import's Logic.PART and Logic.SYMBOL; made once and
    // then written back from its bytes.
    void Prepare() {
        if (m_prepared.empty()) {
            test::WriteSmallSuite(suite);
            fs::create_directories(dir / "early");
            WriteFile(dir / "early" / "Logic.kicad_sym", test::KicadSymbolLibrary({"OLD"}));
            const auto early = test::RunK2klib({"import", "--suite", suite.string(), "--symbols",
                                                (dir / "early").string(), "--footprints", ""});
            ASSERT_EQ(early.status, 0) << early.err << early.out;
            m_prepared = FilesUnder(suite);
        }
        fs::remove_all(suite);
        for (const auto& [file, bytes] : m_prepared) {
            fs::create_directories((suite / file).parent_path());
            WriteFile(suite / file, bytes);
        }
    }

    // b is written as b_KiCad (the suite holds B.PART), Logic replaces the earlier import's,
    // Broken is no library, Empty.pretty holds no footprint.
    void WriteSources() {
        fs::create_directories(dir / "symbols");
        WriteFile(dir / "symbols" / "b.kicad_sym", test::KicadSymbolLibrary({"NE555"}));
        WriteFile(dir / "symbols" / "Logic.kicad_sym", test::KicadSymbolLibrary({"7400", "7402"}));
        WriteFile(dir / "symbols" / "Broken.kicad_sym", "(kicad_symbol_lib");
        fs::create_directories(dir / "footprints" / "Pkg.pretty");
        fs::create_directories(dir / "footprints" / "Empty.pretty");
        WriteFile(dir / "footprints" / "Pkg.pretty" / "SOT-1.kicad_mod",
                  test::KicadFootprint("SOT-1"));
    }

    test::ToolRun Import() {
        return test::RunK2klib({"import", "--suite", suite.string(), "--symbols",
                                (dir / "symbols").string(), "--footprints",
                                (dir / "footprints").string()});
    }

    // Where a rewrite's syncs cost nothing, when the system has such a place: the kill test
    // imports twice at each of its steps.
    test::TempDir dir{fs::is_directory("/dev/shm") ? fs::path("/dev/shm")
                                                   : fs::temp_directory_path()};
    fs::path suite = dir / "suite";

private:
    std::map<std::string, std::string> m_prepared;
};

TEST_F(KilledImportTest, AfterAKillAtAnyStepTheNextImportEndsAsOneThatRanThrough) {
    WriteSources();
    Prepare();
    const auto whole = Import();
    EXPECT_NE(whole.out.find("b: written as b_KiCad"), std::string::npos) << whole.out;
    const auto expected = FilesUnder(suite);
    ASSERT_TRUE(expected.contains("LIB/b_KiCad.PART"));
    EXPECT_FALSE(expected.contains("LIB/Empty.PACKAGE")) << "an empty folder is no library";
    EXPECT_NE(whole.out.find("Libraries with nothing to import, not written (1):\n  " +
                             (dir / "footprints" / "Empty.pretty").string() +
                             ": holds no footprint files (.kicad_mod)\n"),
              std::string::npos)
        << whole.out;

    long step = 1;
    for (;; ++step) {
        Prepare();
        const bool killed = test::RunInChild(step, [&] { Import(); });
        if (killed)
            Import();
        const auto now = FilesUnder(suite);
        for (const auto& [file, bytes] : expected) {
            const auto found = now.find(file);
            EXPECT_TRUE(found != now.end() && found->second == bytes)
                << "killed before step " << step << ", then imported again: " << file
                << (found == now.end() ? " is missing" : " differs");
        }
        for (const auto& [file, bytes] : now)
            EXPECT_TRUE(expected.contains(file))
                << "killed before step " << step << ", then imported again: " << file
                << " was left behind";
        if (!killed || HasFailure() || step > 1000)
            break;
    }
    EXPECT_GE(step, 50) << "every library, the record and the catalogue are steps";
    RecordProperty("KillPoints", static_cast<int>(step - 1));
}

// What a killed import planned and the next one, of other sources, does not write: removed
// unless a catalogue lists it; a library no import planned is never touched.
TEST_F(KilledImportTest, TheNextImportRemovesOnlyWhatAKilledOnePlannedAndNoOneRegistered) {
    test::WriteSmallSuite(suite);
    const fs::path lib = suite / "LIB";
    WriteFile(lib / "kicad-import.txt",
              "OLD.PART\nplanned: GONE.PART\nplanned: GONE.SYMBOL\nplanned: KEPT.PART\n"
              "planned: ..\\..\\X.PART\n");
    for (const char* file : {"Gone.PART", "Gone.SYMBOL.new~", "Kept.PART", "Old.PART"})
        WriteFile(lib / file, "written before the kill");
    std::string ini = test::ReadFile(suite / "kalde2000.ini");
    ini.replace(ini.find("4=B.PART\r\n"), 10, "4=B.PART\r\n5=Kept.PART\r\n");
    WriteFile(suite / "kalde2000.ini", ini);
    WriteFile(dir / "X.PART", "not the suite's");
    fs::create_directories(dir / "other");
    WriteFile(dir / "other" / "Timers.kicad_sym", test::KicadSymbolLibrary({"NE555"}));

    const auto run = test::RunK2klib({"import", "--suite", suite.string(), "--symbols",
                                      (dir / "other").string(), "--footprints", ""});
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.err.find("an earlier import into this library folder did not finish"),
              std::string::npos)
        << run.err;
    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(lib))
        left.insert(entry.path().filename().string());
    for (const char* file : {"Kept.PART", "Old.PART", "A.PART", "Timers.PART", "Timers.SYMBOL"})
        EXPECT_TRUE(left.contains(file)) << file;
    for (const char* file : {"Gone.PART", "Gone.SYMBOL.new~"})
        EXPECT_FALSE(left.contains(file)) << file;
    EXPECT_EQ(test::ReadFile(dir / "X.PART"), "not the suite's");
    EXPECT_EQ(test::ReadFile(lib / "kicad-import.txt"),
              "KEPT.PART\nOLD.PART\nTIMERS.PART\nTIMERS.SYMBOL\n");
}

// Each import reads the record and the catalogue under the lock and rewrites them before
// it lets go, so neither loses the other's libraries.
TEST_F(KilledImportTest, TwoImportsAtOnceBothEndInTheCatalogue) {
    test::WriteSmallSuite(suite);
    for (const char* set : {"one", "two"}) {
        fs::create_directories(dir / set);
        for (int i = 1; i <= 12; ++i)
            WriteFile(dir / set / (std::string(set) + std::to_string(i) + ".kicad_sym"),
                      test::KicadSymbolLibrary({"X" + std::to_string(i)}));
    }
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    std::vector<pid_t> children;
    for (const char* set : {"one", "two"}) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(start[1]);
            char go = 0;
            // Both start when the pipe closes.
            if (::read(start[0], &go, 1) < 0)
                ::_exit(3);
            const auto run = test::RunK2klib({"import", "--suite", suite.string(), "--symbols",
                                              (dir / set).string(), "--footprints", ""});
            ::_exit(run.status);
        }
        children.push_back(child);
    }
    ::close(start[0]);
    ::close(start[1]);
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::string ini = test::ReadFile(suite / "kalde2000.ini");
    const std::string record = test::ReadFile(suite / "LIB" / "kicad-import.txt");
    for (const char* set : {"one", "two"})
        for (int i = 1; i <= 12; ++i) {
            const std::string library = std::string(set) + std::to_string(i);
            EXPECT_NE(ini.find("=" + library + ".PART\r\n"), std::string::npos) << library;
            EXPECT_NE(ini.find("=" + library + ".SYMBOL\r\n"), std::string::npos) << library;
            EXPECT_NE(record.find(UpperCase(library) + ".PART\n"), std::string::npos) << library;
        }
}

// An import that cannot get the lock in time says so and changes nothing.
TEST_F(KilledImportTest, AnImportThatFindsAnotherRunningChangesNothing) {
    WriteSources();
    test::WriteSmallSuite(suite);
    const auto before = FilesUnder(suite);
    const test::LockHeldElsewhere other(suite / "LIB" / "kicad-import.txt");
    ASSERT_TRUE(other.Held());
    SetLockWait(std::chrono::milliseconds(50));
    const auto run = Import();
    SetLockWait(std::chrono::milliseconds(-1));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("another import into this library folder is running"), std::string::npos)
        << run.err;
    EXPECT_EQ(FilesUnder(suite), before);
}

} // namespace
} // namespace k2k
