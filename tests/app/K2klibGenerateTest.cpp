#include "common/Pattern.h"
#include "formats/Drawing.h"
#include "formats/IniFile.h"
#include "formats/LibraryFile.h"
#include "formats/ProjectDatabase.h"
#include "platform/KernelProject.h"
#include "support/TestSupport.h"
#include "support/ToolRun.h"
#include "system/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace k2k {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::RunK2klib;
using test::TempDir;
using test::WriteFile;

test::ToolRun Generate(const fs::path& suite, const std::string& kind, int objects, int libraries,
                       std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"generate",
                                     "--suite",
                                     suite.string(),
                                     "--kind",
                                     kind,
                                     "--objects",
                                     std::to_string(objects),
                                     "--libraries",
                                     std::to_string(libraries)};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunK2klib(args);
}

std::vector<LibraryObject> ReadObjects(const fs::path& library) {
    Result<LibraryContents> contents = ReadLibrary(library);
    EXPECT_TRUE(test::Done(contents));
    return contents ? std::move(contents).Value().objects : std::vector<LibraryObject>();
}

std::string CatalogueList(const fs::path& suite, std::string_view section) {
    std::string list;
    for (int key = 1;; ++key) {
        const std::string value =
            GetProfileString(suite / "kalde2000.ini", section, std::to_string(key), "");
        if (value.empty())
            return list;
        list += (key > 1 ? "," : "") + value;
    }
}

TEST(K2klibGenerateTest, WritesASuiteTheCatalogueReadsWithItsExportLineByLine) {
    TempDir dir;
    const fs::path suite = dir / "big";
    const auto run = Generate(suite, "part", 1000, 3, {"--export", (dir / "parts.txt").string()});
    ASSERT_EQ(run.status, 0) << run.err;

    const auto catalogue = RunK2klib({"catalogue", "--suite", suite.string()});
    ASSERT_EQ(catalogue.status, 0) << catalogue.err;
    EXPECT_NE(catalogue.out.find("Part libraries (DEVLIBS), 3 in search order"), std::string::npos)
        << catalogue.out;

    // The export holds every object of every library in catalogue order, its separators
    // shown as TABs.
    const std::string exported = ReadFile(dir / "parts.txt");
    std::size_t at = 0;
    std::set<std::string> names;
    int parts74 = 0;
    int rare = 0;
    const auto all74 = *Pattern::Compile("*74*");
    const auto pc817 = *Pattern::Compile("*PC817*");
    const std::vector<std::size_t> counts = {334, 333, 333};
    for (int n = 1; n <= 3; ++n) {
        const auto objects = ReadObjects(suite / "LIB" / ("GEN00" + std::to_string(n) + ".PART"));
        EXPECT_EQ(objects.size(), counts[n - 1]);
        for (const LibraryObject& object : objects) {
            std::string info = object.info;
            EXPECT_EQ(std::count(info.begin(), info.end(), kFieldSeparator), 9) << object.name;
            std::replace(info.begin(), info.end(), kFieldSeparator, '\t');
            const std::string line = object.name + '\t' + info + '\n';
            ASSERT_EQ(exported.compare(at, line.size(), line), 0) << "at " << object.name;
            at += line.size();
            EXPECT_TRUE(names.insert(object.name).second) << object.name << " twice";
            parts74 += all74.Matches(object.name) ? 1 : 0;
            rare += pc817.Matches(object.name) ? 1 : 0;
        }
    }
    EXPECT_EQ(at, exported.size());
    EXPECT_GE(parts74, 370);
    EXPECT_LE(parts74, 430);
    EXPECT_EQ(rare, 1);
}

TEST(K2klibGenerateTest, TheSeedAloneDecidesTheBytes) {
    TempDir dir;
    for (const char* name : {"a", "b", "c"}) {
        const std::string seed = name[0] == 'c' ? "8" : "7";
        const auto run = Generate(dir / name, "package", 500, 2,
                                  {"--seed", seed, "--export", (dir / name / "out.txt").string()});
        ASSERT_EQ(run.status, 0) << run.err;
    }
    for (const char* file : {"LIB/GEN001.PACKAGE", "LIB/GEN002.PACKAGE", "out.txt"})
        EXPECT_EQ(ReadFile(dir / "a" / file), ReadFile(dir / "b" / file)) << file;
    EXPECT_NE(ReadFile(dir / "a" / "out.txt"), ReadFile(dir / "c" / "out.txt"));
}

// The objects of each kind carry the drawings their families make (tests/synthetic checks
// each one); parts carry none.
TEST(K2klibGenerateTest, TheLibrariesHoldTheDrawingsOfTheirKind) {
    TempDir dir;
    const std::pair<const char*, DrawingKind> kinds[] = {{"symbol", DrawingKind::Symbol},
                                                         {"package", DrawingKind::Package},
                                                         {"padstack", DrawingKind::Padstack}};
    for (const auto& [kind, drawingKind] : kinds) {
        ASSERT_EQ(Generate(dir.Path(), kind, 50, 1).status, 0) << kind;
        std::string extension = std::string(".") + kind;
        UpperCaseInPlace(extension);
        for (const auto& object : ReadObjects(dir / "LIB" / ("GEN001" + extension))) {
            const ParsedDrawing parsed = ParseDrawing(object.drawing);
            ASSERT_TRUE(parsed.drawing && parsed.drawing->kind == drawingKind) << object.name;
        }
    }
    ASSERT_EQ(Generate(dir.Path(), "part", 50, 1).status, 0);
    for (const auto& part : ReadObjects(dir / "LIB" / "GEN001.PART"))
        ASSERT_EQ(part.drawing, "") << part.name << ": parts have no drawing";
}

TEST(K2klibGenerateTest, EachKindReplacesOnlyItsOwnListAndNamesStayUniqueAcrossKinds) {
    TempDir dir;
    const fs::path suite = dir.Path();
    WriteFile(suite / "suite.ini", "[Kalde2K]\r\nLibDir=LIBRARIES\r\n");
    WriteFile(suite / "kalde2000.ini", "[Kalde2000]\r\nProject=JOB\\X.K2K\r\n"
                                       "[DEVLIBS]\r\n1=OLD.PART\r\n2=OTHER.PART\r\n5=STRAY.PART\r\n"
                                       "[SCHLIBS]\r\n1=KEEP.SYMBOL\r\n");

    ASSERT_EQ(Generate(suite, "part", 30, 2).status, 0);
    EXPECT_EQ(CatalogueList(suite, "DEVLIBS"), "GEN001.PART,GEN002.PART");
    EXPECT_EQ(GetProfileString(suite / "kalde2000.ini", "DEVLIBS", "5", "gone"), "gone");
    EXPECT_EQ(CatalogueList(suite, "SCHLIBS"), "KEEP.SYMBOL");
    EXPECT_EQ(GetProfileString(suite / "kalde2000.ini", "Kalde2000", "Project", ""), "JOB\\X.K2K");

    std::set<std::string> names;
    for (const char* kind : {"symbol", "package", "padstack"}) {
        const auto run = Generate(suite, kind, 3000, 1);
        ASSERT_EQ(run.status, 0) << run.err;
        std::string extension = std::string(".") + kind;
        UpperCaseInPlace(extension);
        for (const auto& object : ReadObjects(suite / "LIBRARIES" / ("GEN001" + extension)))
            EXPECT_TRUE(names.insert(object.name).second) << object.name << " twice";
    }
    EXPECT_EQ(CatalogueList(suite, "SCHLIBS"), "GEN001.SYMBOL");
    EXPECT_EQ(CatalogueList(suite, "PADLIBS"), "GEN001.PADSTACK");

    // Fewer libraries than last time: the list shrinks and the left-over file goes.
    const auto again = Generate(suite, "part", 3000, 1);
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(CatalogueList(suite, "DEVLIBS"), "GEN001.PART");
    EXPECT_FALSE(fs::exists(suite / "LIBRARIES" / "GEN002.PART"));
    EXPECT_NE(again.out.find("Removed: GEN002.PART"), std::string::npos) << again.out;
    for (const auto& object : ReadObjects(suite / "LIBRARIES" / "GEN001.PART"))
        EXPECT_TRUE(names.insert(object.name).second) << object.name << " twice";
}

// The project holds the suite's parts in catalogue order, a symbol and a package per
// thousand parts, and components on every hundredth part that the use indexes find.
TEST(K2klibGenerateTest, AProjectOfTheSameParts) {
    TempDir dir;
    const auto run =
        Generate(dir / "suite", "part", 2500, 2, {"--project", (dir / "G.K2K").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("2500 parts, 2 symbols and as many packages, 25 components in each "
                           "editor on 1 page of one hierarchy"),
              std::string::npos)
        << run.out;

    const auto opened = ProjectDatabase::Open(dir / "G.K2K");
    ASSERT_TRUE(test::Done(opened));
    const ProjectDatabase& project = **opened;
    EXPECT_EQ(project.Name(), "G");
    int index = 0;
    for (const char* library : {"GEN001.PART", "GEN002.PART"})
        for (const LibraryObject& part : ReadObjects(dir / "suite" / "LIB" / library)) {
            const auto held = project.Parts().Live(++index);
            ASSERT_TRUE(held && held->name == part.name && held->info == part.info) << index;
        }
    EXPECT_EQ(project.Parts().Count(), 2500);
    ASSERT_EQ(project.Symbols().Count(), 4);
    EXPECT_EQ(project.Symbols().Live(2)->flags, kSymbolFlags);
    EXPECT_EQ(project.Symbols().Live(3)->flags, kPackageFlags);

    const ObjectMap* schematic = project.Components(1, ComponentEditor::Schematic);
    ASSERT_TRUE(schematic);
    EXPECT_EQ(schematic->Count(), 25);
    for (const auto& [editor, symbol] :
         {std::pair{ComponentEditor::Schematic, 2}, std::pair{ComponentEditor::Layout, 4}}) {
        int cursor = 1;
        EXPECT_EQ(project.SearchPartUse(1, editor, cursor, 101), 2);
        cursor = 1;
        EXPECT_EQ(project.SearchPartUse(1, editor, cursor, 102), 0);
        cursor = 1;
        EXPECT_EQ(project.SearchSymbolUse(1, editor, cursor, symbol), 2);
        EXPECT_EQ(project.SearchSymbolUse(1, editor, cursor, symbol), 4);
    }
}

TEST(K2klibGenerateTest, BadArgumentsAreRefusedBeforeAnythingIsWritten) {
    TempDir dir;
    const std::string suite = (dir / "suite").string();
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"--kind", "part", "--objects", "10", "--libraries", "2"}, "--suite is required"},
        {{"--suite", suite, "--kind", "gadget", "--objects", "10", "--libraries", "2"}, "--kind"},
        {{"--suite", suite, "--kind", "part", "--objects", "0", "--libraries", "1"}, "--objects"},
        {{"--suite", suite, "--kind", "part", "--objects", "ten", "--libraries", "1"}, "--objects"},
        {{"--suite", suite, "--kind", "part", "--objects", "10", "--libraries", "0"},
         "--libraries"},
        {{"--suite", suite, "--kind", "part", "--objects", "5", "--libraries", "6"},
         "more libraries (6) than objects (5)"},
        {{"--suite", suite, "--kind", "part", "--objects", "5", "--libraries", "1", "--seed", "-1"},
         "--seed"},
        {{"--suite", suite, "--kind", "symbol", "--objects", "5", "--libraries", "1", "--project",
          (dir / "P.K2K").string()},
         "a project is made of parts"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"generate"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto run = RunK2klib(args);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(suite)) << c.message;
    }

    // A suite folder that cannot be made is a failure of the run, not of the arguments.
    WriteFile(dir / "file", "");
    const auto run = Generate(dir / "file", "part", 10, 1);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot create the suite folder"), std::string::npos) << run.err;
}

} // namespace
} // namespace k2k
