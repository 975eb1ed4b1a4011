#include "platform/KernelProject.h"
#include "formats/ProjectBuilder.h"
#include "support/TestSupport.h"
#include "system/NativePath.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <set>
#include <vector>

namespace k2k {
namespace {

// The kernel as S_LoadSymbol sees it.
class LoadingKernel final : public KernelProject {
public:
    using KernelProject::LoadSymbolData;
};

// The demo project of the test support (two hierarchies, TOP current).
class KernelProjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteDemoProject(m_dir / "DEMO.K2K");
        ASSERT_TRUE(Open(m_kernel));
    }

    std::string ProjectPath() const { return JoinPath(m_dir.SuitePath(), "DEMO.K2K"); }

    bool Open(KernelProject& kernel) {
        const Status opened = kernel.OpenProject(ProjectPath());
        EXPECT_TRUE(test::Done(opened));
        return opened.Ok();
    }

    // Every answer of a walk until it ends, negative ones included.
    static std::vector<int> Walk(KernelProject& kernel, int map, int maskA, int maskB) {
        std::vector<int> answers;
        int cursor = kernel.OM_GetFirst(map);
        for (int answer; (answer = kernel.OM_SearchMask(map, cursor, maskA, maskB)) != 0;)
            answers.push_back(answer);
        return answers;
    }

    // The callers' loop: call again while the answer is negative.
    static int FindByName(KernelProject& kernel, int map, const std::string& name, int maskA = 0,
                          int maskB = 0) {
        int cursor = kernel.OM_GetFirst(map);
        int answer = 0;
        do
            answer = kernel.OM_SearchNameMask(map, cursor, name, maskA, maskB);
        while (answer < 0);
        return answer;
    }

    test::TempDir m_dir;
    LoadingKernel m_kernel;
};

TEST_F(KernelProjectTest, DesignContextNamesDatabaseHierarchyAndPage) {
    const int database = m_kernel.DB_DataBase();
    ASSERT_GT(database, 0);
    EXPECT_EQ(m_kernel.O_GetName(database), "DEMO");
    const int hierarchy = m_kernel.DB_CurHier(database);
    EXPECT_EQ(hierarchy, 1);
    EXPECT_EQ(m_kernel.O_GetName(m_kernel.OM_Object(m_kernel.DB_HierarchyMap(), hierarchy)), "TOP");
    EXPECT_EQ(m_kernel.DB_CurPage(database), 2);
    EXPECT_EQ(m_kernel.O_GetName(m_kernel.DB_Page(m_kernel.DB_CurPage(database))), "Sheet2");

    // Another hierarchy brings its own pages.
    ASSERT_NE(m_kernel.DB_SetCurHier(2), 0);
    EXPECT_EQ(m_kernel.DB_CurPage(database), 1);
    EXPECT_EQ(m_kernel.O_GetName(m_kernel.DB_Page(1)), "SubSheet");
    EXPECT_EQ(m_kernel.DB_Page(2), 0);
}

TEST_F(KernelProjectTest, HandlesAreDistinctPerKindOfObject) {
    // Index 1 names a part, a symbol, a hierarchy and a component: four different handles.
    const int part = m_kernel.D_Device(1);
    const int symbol = m_kernel.S_Symbol(1);
    const int hierarchy = m_kernel.OM_Object(m_kernel.DB_HierarchyMap(), 1);
    const int schematic = m_kernel.C_Component(1);
    const int layout = m_kernel.L_Component(1);
    const std::set<int> handles{part,
                                symbol,
                                hierarchy,
                                schematic,
                                layout,
                                m_kernel.DB_DataBase(),
                                m_kernel.DB_DeviceMap(),
                                m_kernel.DB_SymbMap()};
    EXPECT_EQ(handles.size(), 8u);
    EXPECT_GT(*handles.begin(), 0);
    EXPECT_EQ(m_kernel.O_GetName(part), "7400");
    EXPECT_EQ(m_kernel.O_GetName(hierarchy), "TOP");
    EXPECT_EQ(m_kernel.O_GetName(schematic), "U1");
    EXPECT_EQ(m_kernel.O_GetName(layout), "U1");
    EXPECT_EQ(m_kernel.O_GetName(0), "");
    EXPECT_EQ(m_kernel.O_GetName(-5), "");
    EXPECT_EQ(m_kernel.O_GetName(m_kernel.DB_DeviceMap()), "");

    // A component handle keeps naming its component after the current hierarchy changes.
    ASSERT_NE(m_kernel.DB_SetCurHier(2), 0);
    EXPECT_EQ(m_kernel.O_GetName(m_kernel.L_Component(1)), "IC1");
    EXPECT_EQ(m_kernel.O_GetName(layout), "U1");
}

TEST_F(KernelProjectTest, NameSearchTellsSymbolsFromPackagesByMasks) {
    const int map = m_kernel.DB_SymbMap();
    EXPECT_EQ(FindByName(m_kernel, map, "DIP14", 1, 3), 3);
    EXPECT_EQ(FindByName(m_kernel, map, "DIP14", 2, 2), 2);
    EXPECT_EQ(FindByName(m_kernel, map, "PAD60", 2, 2), 4);
    EXPECT_EQ(FindByName(m_kernel, map, "PAD60", 1, 3), 0);
    EXPECT_EQ(FindByName(m_kernel, map, "dip14", 2, 2), 0); // names compare exactly

    // Without masks both objects of the name come, one per call.
    int cursor = m_kernel.OM_GetFirst(map);
    EXPECT_EQ(m_kernel.OM_SearchName(map, cursor, "DIP14"), 2);
    EXPECT_EQ(m_kernel.OM_SearchName(map, cursor, "DIP14"), 3);
    EXPECT_EQ(m_kernel.OM_SearchName(map, cursor, "DIP14"), 0);
    EXPECT_EQ(m_kernel.OM_SearchName(map, cursor, "DIP14"), 0);

    EXPECT_EQ(FindByName(m_kernel, m_kernel.DB_DeviceMap(), "LM358"), 3);
    EXPECT_EQ(FindByName(m_kernel, m_kernel.DB_DeviceMap(), "DIP14"), 0);
    EXPECT_EQ(FindByName(m_kernel, m_kernel.DB_HierarchyMap(), "SUB"), 2);
}

TEST_F(KernelProjectTest, WalksAnswerDeletedSlotsNegativelyAndGoOn) {
    EXPECT_EQ(Walk(m_kernel, m_kernel.DB_DeviceMap(), 0, 0), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(Walk(m_kernel, m_kernel.DB_SymbMap(), 1, 3), (std::vector<int>{1, 3}));
    EXPECT_EQ(Walk(m_kernel, m_kernel.DB_SymbMap(), 2, 2), (std::vector<int>{2, 4, 5}));

    const int parts = m_kernel.DB_DeviceMap();
    ASSERT_NE(m_kernel.OM_Delete(parts, 2), 0);
    ASSERT_NE(m_kernel.OM_Delete(parts, 4), 0);
    EXPECT_EQ(Walk(m_kernel, parts, 0, 0), (std::vector<int>{1, -2, 3, -4}));
    EXPECT_EQ(m_kernel.OM_Delete(parts, 2), 0); // already gone

    int cursor = m_kernel.OM_GetFirst(parts);
    EXPECT_EQ(m_kernel.OM_SearchName(parts, cursor, "7402"), -2);
    EXPECT_EQ(m_kernel.OM_SearchName(parts, cursor, "7402"), 0);
    EXPECT_EQ(FindByName(m_kernel, parts, "7402"), 0);

    // The other objects keep their indexes.
    EXPECT_EQ(m_kernel.D_Device(2), 0);
    EXPECT_EQ(m_kernel.O_GetName(m_kernel.D_Device(3)), "LM358");
    EXPECT_EQ(FindByName(m_kernel, parts, "LM358"), 3);

    ASSERT_NE(m_kernel.OM_Delete(m_kernel.DB_SymbMap(), 2), 0);
    EXPECT_EQ(Walk(m_kernel, m_kernel.DB_SymbMap(), 2, 2), (std::vector<int>{-2, 4, 5}));
    EXPECT_EQ(FindByName(m_kernel, m_kernel.DB_SymbMap(), "DIP14", 2, 2), 0);
    EXPECT_EQ(FindByName(m_kernel, m_kernel.DB_SymbMap(), "DIP14", 1, 3), 3);
}

TEST_F(KernelProjectTest, DeleteAndRenameAreInTheFileAtOnce) {
    ASSERT_NE(m_kernel.OM_Delete(m_kernel.DB_DeviceMap(), 2), 0);
    ASSERT_NE(m_kernel.O_Rename(m_kernel.D_Device(1), "74HC00"), 0);
    ASSERT_NE(m_kernel.O_Rename(m_kernel.OM_Object(m_kernel.DB_HierarchyMap(), 2), "POWER"), 0);
    ASSERT_NE(m_kernel.O_Rename(m_kernel.DB_Page(1), "Front"), 0);
    ASSERT_NE(m_kernel.O_Rename(m_kernel.C_Component(3), "U30"), 0);
    ASSERT_NE(m_kernel.O_Rename(m_kernel.DB_DataBase(), "DEMO2"), 0);

    // A second kernel reads the file as it is now.
    KernelProject reopened;
    ASSERT_TRUE(Open(reopened));
    EXPECT_EQ(Walk(reopened, reopened.DB_DeviceMap(), 0, 0), (std::vector<int>{1, -2, 3, 4}));
    EXPECT_EQ(FindByName(reopened, reopened.DB_DeviceMap(), "74HC00"), 1);
    EXPECT_EQ(FindByName(reopened, reopened.DB_DeviceMap(), "7400"), 0);
    EXPECT_EQ(reopened.O_GetName(reopened.D_Device(3)), "LM358");
    EXPECT_EQ(reopened.O_GetName(reopened.DB_DataBase()), "DEMO2");
    EXPECT_EQ(FindByName(reopened, reopened.DB_HierarchyMap(), "POWER"), 2);
    EXPECT_EQ(reopened.O_GetName(reopened.DB_Page(1)), "Front");
    EXPECT_EQ(reopened.O_GetName(reopened.C_Component(3)), "U30");
}

TEST_F(KernelProjectTest, RenameRefusesEmptyAndTakenNames) {
    const int part = m_kernel.D_Device(1);
    EXPECT_EQ(m_kernel.O_Rename(part, ""), 0);
    EXPECT_EQ(m_kernel.O_Rename(part, "7402"), 0);
    EXPECT_FALSE(m_kernel.LastProjectError().empty());
    EXPECT_NE(m_kernel.O_Rename(part, "7400"), 0); // its own name
    EXPECT_EQ(m_kernel.O_GetName(part), "7400");

    // A symbol may take a package's name, a package not another package's.
    EXPECT_NE(m_kernel.O_Rename(m_kernel.S_Symbol(1), "SO8"), 0);
    EXPECT_EQ(m_kernel.O_Rename(m_kernel.S_Symbol(2), "SO8"), 0);
    EXPECT_EQ(m_kernel.O_Rename(m_kernel.S_Symbol(4), "SO8"), 0); // padstacks are with packages

    // Two components of one hierarchy and editor cannot share a name; across editors they do.
    EXPECT_EQ(m_kernel.O_Rename(m_kernel.C_Component(2), "U1"), 0);
    EXPECT_NE(m_kernel.O_Rename(m_kernel.L_Component(1), "U2"), 0);

    // A handle kept past a delete renames nothing.
    const int deleted = m_kernel.D_Device(2);
    ASSERT_NE(m_kernel.OM_Delete(m_kernel.DB_DeviceMap(), 2), 0);
    EXPECT_EQ(m_kernel.O_Rename(deleted, "again"), 0);
    EXPECT_EQ(m_kernel.O_GetName(deleted), "");
}

TEST_F(KernelProjectTest, ComponentSearchesLookInTheCurrentHierarchyOnly) {
    // LM358 (part 3) is placed only on the layout of SUB.
    int cursor = 1;
    EXPECT_EQ(m_kernel.L_SearchDevice(cursor, 3), 0);
    cursor = 1;
    EXPECT_EQ(m_kernel.C_SearchDevice(cursor, 3), 0);
    ASSERT_NE(m_kernel.DB_SetCurHier(2), 0);
    cursor = 1;
    EXPECT_EQ(m_kernel.L_SearchDevice(cursor, 3), 1);
    EXPECT_EQ(m_kernel.L_SearchDevice(cursor, 3), 0);
    cursor = 1;
    EXPECT_EQ(m_kernel.C_SearchDevice(cursor, 3), 0);
    EXPECT_EQ(m_kernel.O_GetName(m_kernel.L_Component(1)), "IC1");
    EXPECT_EQ(m_kernel.C_Component(1), 0);

    // In TOP the symbol 7400 is used by U1 and U2, one answer per call.
    ASSERT_NE(m_kernel.DB_SetCurHier(1), 0);
    cursor = 0;
    EXPECT_EQ(m_kernel.C_SearchSymbol(cursor, 1), 1);
    EXPECT_EQ(m_kernel.C_SearchSymbol(cursor, 1), 2);
    EXPECT_EQ(m_kernel.C_SearchSymbol(cursor, 1), 0);
    cursor = 1;
    EXPECT_EQ(m_kernel.L_SearchSymbol(cursor, 4), 1); // the pads of layout U1
    cursor = 1;
    EXPECT_EQ(m_kernel.C_SearchDevice(cursor, 4), 0); // UNUSED is placed nowhere
}

TEST_F(KernelProjectTest, SettingAMissingHierarchyKeepsTheCurrentOne) {
    const int database = m_kernel.DB_DataBase();
    ASSERT_NE(m_kernel.DB_SetCurHier(2), 0);
    EXPECT_EQ(m_kernel.DB_SetCurHier(3), 0);
    EXPECT_EQ(m_kernel.DB_SetCurHier(0), 0);
    EXPECT_EQ(m_kernel.DB_SetCurHier(-1), 0);
    EXPECT_EQ(m_kernel.DB_CurHier(database), 2);
    EXPECT_EQ(m_kernel.DB_CurHier(database + 1), 0); // not the database
    int cursor = 1;
    EXPECT_EQ(m_kernel.L_SearchDevice(cursor, 3), 1);

    // The current hierarchy is the session's: a reopened project starts where it was saved.
    KernelProject reopened;
    ASSERT_TRUE(Open(reopened));
    EXPECT_EQ(reopened.DB_CurHier(reopened.DB_DataBase()), 1);
}

TEST_F(KernelProjectTest, ScratchIndexHoldsOnlyTheLastLoad) {
    const int map = m_kernel.DB_SymbMap();
    // Loading for viewing: clear the scratch index, load, rename to the object's name.
    for (const char* name : {"74LS00", "74LS02"}) {
        if (m_kernel.S_Symbol(-1000)) {
            ASSERT_NE(m_kernel.OM_Delete(map, -1000), 0);
        }
        const int loaded = m_kernel.LoadSymbolData(-1000, name, "info", "drawing", kSymbolFlags);
        ASSERT_EQ(loaded, -1000);
        ASSERT_NE(m_kernel.O_Rename(m_kernel.S_Symbol(loaded), name), 0);
    }
    // Loading over it without clearing replaces it as well.
    ASSERT_EQ(m_kernel.LoadSymbolData(-2000, "DIP8", "a", "", kPackageFlags), -2000);
    ASSERT_EQ(m_kernel.LoadSymbolData(-2000, "SO14", "b", "", kPackageFlags), -2000);

    SymbolRecord record;
    ASSERT_NE(m_kernel.S_ReadSymbol(-1000, record), 0);
    EXPECT_STREQ(record.name, "74LS02");
    ASSERT_NE(m_kernel.S_ReadSymbol(-2000, record), 0);
    EXPECT_STREQ(record.name, "SO14");
    EXPECT_EQ(record.flags, kPackageFlags);

    // Scratch objects are reached by index only.
    EXPECT_EQ(Walk(m_kernel, map, 0, 0), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(FindByName(m_kernel, map, "74LS02"), 0);
    EXPECT_EQ(FindByName(m_kernel, map, "74LS00"), 0);

    KernelProject reopened;
    ASSERT_TRUE(Open(reopened));
    EXPECT_EQ(reopened.O_GetName(reopened.S_Symbol(-1000)), "74LS02");
    EXPECT_EQ(reopened.O_GetName(reopened.S_Symbol(-2000)), "SO14");
    std::string drawing;
    ASSERT_NE(reopened.S_ReadDrawing(-1000, drawing), 0);
    EXPECT_EQ(drawing, "drawing") << "a viewer reads the loaded object's drawing back";
    ASSERT_NE(reopened.OM_Delete(reopened.DB_SymbMap(), -1000), 0);
    EXPECT_EQ(reopened.S_Symbol(-1000), 0);
    EXPECT_EQ(reopened.S_ReadDrawing(-1000, drawing), 0);
}

TEST_F(KernelProjectTest, LoadUnderAPositiveIndexTakesOnlyTheNextFreeOne) {
    EXPECT_EQ(m_kernel.LoadSymbolData(3, "X", "", "", kSymbolFlags), 0);    // in use
    EXPECT_EQ(m_kernel.LoadSymbolData(9, "X", "", "", kSymbolFlags), 0);    // not next
    EXPECT_EQ(m_kernel.LoadSymbolData(6, "7400", "", "", kSymbolFlags), 0); // name taken
    EXPECT_EQ(m_kernel.LoadSymbolData(6, "7400", "", "", kPackageFlags), 6);
    EXPECT_EQ(m_kernel.LoadSymbolData(0, "NEW", "", "", kSymbolFlags), 7);
    EXPECT_EQ(FindByName(m_kernel, m_kernel.DB_SymbMap(), "NEW", 1, 3), 7);
}

TEST_F(KernelProjectTest, RecordsPointAtTheTextsOfTheObject) {
    DeviceRecord first;
    DeviceRecord third;
    ASSERT_NE(m_kernel.D_ReadDevice(1, first), 0);
    ASSERT_NE(m_kernel.D_ReadDevice(3, third), 0);
    // Reading another record leaves the first one's texts as they were.
    EXPECT_STREQ(first.name, "7400");
    EXPECT_STREQ(first.info, "DIP14 \x80Quad NAND");
    EXPECT_STREQ(third.name, "LM358");

    DeviceRecord empty;
    ASSERT_NE(m_kernel.D_ReadDevice(4, empty), 0);
    ASSERT_NE(empty.info, nullptr);
    EXPECT_STREQ(empty.info, "");

    SymbolRecord symbol;
    ASSERT_NE(m_kernel.S_ReadSymbol(4, symbol), 0);
    EXPECT_STREQ(symbol.name, "PAD60");
    EXPECT_STREQ(symbol.info, "round 60");
    EXPECT_EQ(symbol.flags, kPadstackFlags);

    DeviceRecord untouched;
    EXPECT_EQ(m_kernel.D_ReadDevice(0, untouched), 0);
    EXPECT_EQ(m_kernel.D_ReadDevice(99, untouched), 0);
    EXPECT_EQ(m_kernel.S_ReadSymbol(-1000, symbol), 0);
    ASSERT_NE(m_kernel.OM_Delete(m_kernel.DB_DeviceMap(), 1), 0);
    EXPECT_EQ(m_kernel.D_ReadDevice(1, untouched), 0);
    EXPECT_EQ(untouched.name, nullptr);
}

TEST_F(KernelProjectTest, WithoutAProjectEverythingIsEmpty) {
    LoadingKernel kernel;
    EXPECT_FALSE(kernel.HasProject());
    EXPECT_EQ(kernel.DB_DataBase(), 0);
    EXPECT_EQ(kernel.DB_CurHier(kernel.DB_DataBase()), 0);
    EXPECT_TRUE(Walk(kernel, kernel.DB_DeviceMap(), 0, 0).empty());
    EXPECT_TRUE(Walk(kernel, kernel.DB_SymbMap(), 1, 3).empty());
    EXPECT_TRUE(Walk(kernel, kernel.DB_HierarchyMap(), 0, 0).empty());
    int cursor = kernel.OM_GetFirst(kernel.DB_DeviceMap());
    EXPECT_EQ(kernel.OM_SearchName(kernel.DB_DeviceMap(), cursor, "7400"), 0);
    cursor = 1;
    EXPECT_EQ(kernel.C_SearchDevice(cursor, 1), 0);
    EXPECT_EQ(kernel.L_SearchSymbol(cursor, 1), 0);
    EXPECT_EQ(kernel.DB_SetCurHier(1), 0);
    DeviceRecord record;
    EXPECT_EQ(kernel.D_ReadDevice(1, record), 0);
    EXPECT_EQ(kernel.OM_Delete(kernel.DB_DeviceMap(), 1), 0);
    EXPECT_EQ(kernel.LoadSymbolData(-1000, "X", "", "", kSymbolFlags), 0);
    EXPECT_EQ(kernel.O_Rename(kernel.DB_DataBase(), "X"), 0);

    // Closing an open project empties the maps again.
    m_kernel.CloseProject();
    EXPECT_EQ(m_kernel.DB_DataBase(), 0);
    EXPECT_TRUE(Walk(m_kernel, m_kernel.DB_DeviceMap(), 0, 0).empty());
}

TEST_F(KernelProjectTest, FilesThatAreNotProjectsAreRefusedClearly) {
    // Why the project was refused; the open must fail.
    const auto refusal = [this](const std::string& path) {
        const Status opened = m_kernel.OpenProject(path);
        EXPECT_FALSE(opened) << path;
        return opened ? std::string() : opened.Message();
    };
    EXPECT_NE(refusal(JoinPath(m_dir.SuitePath(), "MISSING.K2K")).find("not found"),
              std::string::npos);
    // A failed open leaves no project open, not the one before.
    EXPECT_FALSE(m_kernel.HasProject());
    EXPECT_EQ(m_kernel.DB_DataBase(), 0);

    test::WriteFile(m_dir / "TEXT.K2K", "this is a text file, long enough to be read as a header");
    EXPECT_NE(refusal(JoinPath(m_dir.SuitePath(), "TEXT.K2K")).find("not a project database"),
              std::string::npos);

    test::WriteFile(m_dir / "EMPTY.K2K", "");
    EXPECT_NE(refusal(JoinPath(m_dir.SuitePath(), "EMPTY.K2K")).find("not a project database"),
              std::string::npos);

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(NativePath(JoinPath(m_dir.SuitePath(), "OTHER.K2K")).c_str(), &other),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "CREATE TABLE parts (name TEXT); INSERT INTO parts VALUES ('x')",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(other);
    EXPECT_NE(refusal(JoinPath(m_dir.SuitePath(), "OTHER.K2K")).find("not a project database"),
              std::string::npos);
    EXPECT_FALSE(refusal(m_dir.SuitePath()).empty()); // a folder

    EXPECT_TRUE(test::Done(m_kernel.OpenProject(ProjectPath())));
}

} // namespace
} // namespace k2k
