// Every kind of save, killed with SIGKILL at each of its steps on the file system (see
// SetKillAtFileStep): the file on disk must then hold entirely the old content or
// entirely the new one. Each save runs in a child process, which is what gets killed.

#include "Commands.h"

#include "formats/IniFile.h"
#include "formats/LibraryFile.h"
#include "options/DisplayOptions.h"
#include "platform/FileOps.h"
#include "platform/KernelLibraries.h"
#include "platform/SuiteServices.h"
#include "platform/UserSettings.h"
#include "regtypes/BrowserProfile.h"
#include "search/LibraryCatalogue.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"
#include "support/ToolRun.h"
#include "system/AtomicFile.h"
#include "system/NativePath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace k2k {
namespace {

using test::ReadFile;
using test::RecordingMessageBoxes;
using test::RunInChild;
using test::TempDir;
using test::WriteFile;

class KilledSaveTest : public ::testing::Test {
protected:
    // prepare writes the old state; save makes the new one. Kills the save at each of its
    // steps in turn and checks file after each; answers the number of steps.
    // afterEach, when given, checks what a reader makes of the file after every kill.
    long ExpectOldOrNewAtEveryStep(const std::function<void()>& prepare,
                                   const std::function<void()>& save,
                                   const std::filesystem::path& file,
                                   const std::function<void()>& afterEach = {}) {
        prepare();
        const std::string before = ReadFile(file);
        RunInChild(0, save);
        const std::string after = ReadFile(file);
        EXPECT_NE(before, after) << "the save must change the file";
        long step = 1;
        for (;; ++step) {
            prepare();
            const bool killed = RunInChild(step, save);
            const std::string now = ReadFile(file);
            EXPECT_TRUE(now == before || now == after)
                << file.filename() << " killed before step " << step << " holds:\n"
                << now;
            if (afterEach)
                afterEach();
            if (!killed) {
                EXPECT_EQ(now, after);
                break;
            }
            if (step > 500) {
                ADD_FAILURE() << "the save never ends";
                break;
            }
        }
        return step - 1;
    }

    TempDir dir;
    RecordingMessageBoxes boxes;
    SuiteServices services{dir / "suite.ini", boxes};
};

TEST_F(KilledSaveTest, CatalogueSaveLeavesTheOldListsOrTheNewOnes) {
    const auto ini = dir / "kalde2000.ini";
    services.SetIniFile(SuitePath(ini).Value());
    LibraryCatalogue catalogue;
    auto prepare = [&] {
        WriteFile(ini, "[Kalde2000]\r\nProject=\\JOB\\P.K2K\r\n"
                       "[DEVLIBS]\r\n1=TTL.PART\r\n2=CMOS.PART\r\n3=ANALOG.PART\r\n"
                       "[SCHLIBS]\r\n1=GATES.SYMBOL\r\n"
                       "[LAYLIBS]\r\n1=DIL.PACKAGE\r\n2=SMD.PACKAGE\r\n"
                       "[PADLIBS]\r\n1=PADS.PADSTACK\r\n");
        catalogue.Load(services);
    };
    auto save = [&] {
        catalogue.SetEntries(LibraryKind::Part, {"ANALOG.PART", "TTL.PART"});
        catalogue.SetEntries(LibraryKind::Symbol, {"GATES.SYMBOL", "DISCRETE.SYMBOL"});
        catalogue.SetEntries(LibraryKind::Package, {});
        catalogue.Save(services);
    };
    EXPECT_GE(ExpectOldOrNewAtEveryStep(prepare, save, ini), 5);
}

TEST_F(KilledSaveTest, DisplayOptionsSaveLeavesTheOldOptionsOrTheNewOnes) {
    DisplayOptions options;
    auto prepare = [&] {
        WriteFile(dir / "suite.ini", "[Kalde2K]\r\nLibDir=LIB\r\n"
                                     "[Browser Part Options]\r\nNumber=2\r\n1=Library,-1\r\n"
                                     "2=Description,0\r\n");
        LoadDisplayOptions(options, services);
    };
    auto save = [&] {
        options.Table(LibraryKind::Part) = {{}, {0, "Library"}, {-1, "Description"}, {-1, "X"}};
        options.Table(LibraryKind::Package) = {{}, {-1, "Package Type"}};
        SaveDisplayOptions(options, services);
    };
    EXPECT_GE(ExpectOldOrNewAtEveryStep(prepare, save, dir / "suite.ini"), 5);
}

TEST_F(KilledSaveTest, KeyWritesAndSettingsLeaveTheOldFileOrTheNewOne) {
    const auto ini = dir / "kalde2000.ini";
    ExpectOldOrNewAtEveryStep([&] { WriteFile(ini, "[A]\r\nx=1\r\n; note\r\n"); },
                              [&] { WriteProfileString(ini, "A", "x", "2"); }, ini);
    ExpectOldOrNewAtEveryStep([&] { WriteFile(dir / "suite.ini", "[Kalde2K]\r\nLibDir=A\r\n"); },
                              [&] { services.SetDirSetting("Kalde2K", "LibDir", "B"); },
                              dir / "suite.ini");

    UserSettings settings(dir / "settings");
    const auto file = settings.FileOf("Kalde2000");
    ExpectOldOrNewAtEveryStep(
        [&] { WriteFile(file, "[K2KBRWSR]\r\nEgridCbo0,0,0=74*\r\n"); },
        [&] { settings.SaveUserSetting("Kalde2000", "K2KBRWSR", "EgridCbo0,0,1", " 74HC* "); },
        file);
}

TEST_F(KilledSaveTest, BrowserProfileWriteLeavesTheOldProfileOrTheNewOne) {
    const auto file = dir / "K2KBRWSR.ini";
    const std::string path = SuitePath(file).Value();
    FileOps files(services, boxes);
    RegTypeTables tables;
    auto prepare = [&] {
        WriteFile(file, "[PartType]\r\n1,Sys,1:Digital\r\n[End PartType]\r\n\r\n[ENDPROFILE]");
        int errorFlag = 0;
        ReadBrowserProfile(tables, files, services, errorFlag, path);
    };
    auto save = [&] {
        tables.Append(kPartTypeTable, {1, "1,1", "Gates"});
        tables.Append(kTechnologyTable, {1, "1", "Low power"});
        tables.Count(kPartTypeTable) = tables.UpperBound(kPartTypeTable);
        tables.Count(kTechnologyTable) = tables.UpperBound(kTechnologyTable);
        WriteBrowserProfile(tables, files, services, path);
    };
    EXPECT_GE(ExpectOldOrNewAtEveryStep(prepare, save, file), 5);
}

TEST_F(KilledSaveTest, LibraryBuildAndDeleteLeaveTheOldLibraryOrTheNewOne) {
    const auto library = dir / "TTL.PART";
    const auto source = dir / "ttl.csv";
    auto build = [&](std::string_view csv) {
        WriteFile(source, csv);
        std::ostringstream out;
        std::ostringstream err;
        cli::RunK2klib({"build", "--kind", "part", source.string(), library.string()}, out, err);
    };
    auto prepare = [&] { build("name,package,description\n74LS00,DIP14,Quad NAND\n"); };
    ExpectOldOrNewAtEveryStep(
        prepare,
        [&] { build("name,package,description\n74LS02,DIP14,Quad NOR\n74LS04,DIP14,Hex\n"); },
        library);

    ExpectOldOrNewAtEveryStep(
        [&] { build("name,package,description\n74LS00,DIP14,Quad NAND\n74LS02,DIP14,NOR\n"); },
        [&] {
            KernelLibraries kernel;
            const int handle = kernel.E_OpenLibrary(SuitePath(library).Value(), "KaldeDLL20",
                                                    KernelLibraries::kModeDelete);
            kernel.E_DeleteLibObject(handle, "74LS00");
        },
        library);
}

// The browser's delete as k2klib runs it, killed at every step of the library's rewrite: the
// next search reads the library whole, with the part or without it.
TEST_F(KilledSaveTest, DeleteCommandLeavesALibraryTheNextSearchReads) {
    const auto suite = dir / "suite";
    auto search = [&] {
        const auto run = test::RunK2klib({"search", "--suite", suite.string(), "--name", "*",
                                          "--library", "A.PART", "--format", "tsv"});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err.find("Can't open library"), std::string::npos) << run.err;
        EXPECT_NE(run.out.find("\tSN74LS00N\t"), std::string::npos) << run.out;
        const auto lines = std::count(run.out.begin(), run.out.end(), '\n');
        EXPECT_TRUE(lines == 6 || lines == 5) << "a header and five parts or four:\n" << run.out;
    };
    const long steps = ExpectOldOrNewAtEveryStep(
        [&] {
            std::filesystem::remove_all(suite);
            test::WriteSmallSuite(suite);
        },
        [&] {
            test::RunK2klib(
                {"delete", "--suite", suite.string(), "--kind", "part", "--yes", "74LS02"});
        },
        suite / "LIB" / "A.PART", search);
    EXPECT_GE(steps, 5);
    RecordProperty("KillPoints", static_cast<int>(steps));
}

// generate run again with fewer libraries, killed at every step: the catalogue never names a
// library that is gone (the leftovers of the earlier run go only once it no longer does).
TEST_F(KilledSaveTest, GenerateNeverLeavesTheCatalogueNamingAMissingLibrary) {
    const auto suite = dir / "gen";
    auto generate = [&](int libraries) {
        test::RunK2klib({"generate", "--suite", suite.string(), "--kind", "part", "--objects", "6",
                         "--libraries", std::to_string(libraries)});
    };
    auto listed = [&] {
        std::vector<std::string> names;
        for (int key = 1;; ++key) {
            const std::string name =
                GetProfileString(suite / "kalde2000.ini", "DEVLIBS", std::to_string(key), "");
            if (name.empty())
                return names;
            names.push_back(name);
        }
    };
    long step = 1;
    for (;; ++step) {
        std::filesystem::remove_all(suite);
        generate(3);
        const bool killed = RunInChild(step, [&] { generate(2); });
        for (const std::string& name : listed()) {
            EXPECT_TRUE(test::Done(ReadLibrary(suite / "LIB" / name)))
                << "killed before step " << step;
        }
        if (!killed) {
            EXPECT_EQ(listed(), (std::vector<std::string>{"GEN001.PART", "GEN002.PART"}));
            EXPECT_FALSE(std::filesystem::exists(suite / "LIB" / "GEN003.PART"));
            break;
        }
        if (step > 500) {
            ADD_FAILURE() << "generate never ends";
            break;
        }
    }
    EXPECT_GE(step, 10);
    RecordProperty("KillPoints", static_cast<int>(step - 1));
}

} // namespace
} // namespace k2k
