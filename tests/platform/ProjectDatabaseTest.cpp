#include "platform/ProjectDatabase.h"
#include "platform/KernelProject.h"
#include "platform/ProjectBuilder.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>
#include <set>

namespace k2k {
namespace {

// Runs SQL on a file directly, as another program would.
void RunSql(const std::filesystem::path& file, const std::string& sql) {
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &other), SQLITE_OK);
    char* message = nullptr;
    const int result = sqlite3_exec(other, sql.c_str(), nullptr, nullptr, &message);
    const std::string text = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(other);
    ASSERT_EQ(result, SQLITE_OK) << text;
}

std::unique_ptr<ProjectDatabase> OpenOrFail(const std::filesystem::path& file) {
    std::string error;
    auto database = ProjectDatabase::Open(file, error);
    EXPECT_TRUE(database) << error;
    return database;
}

std::string OpenError(const std::filesystem::path& file) {
    std::string error;
    EXPECT_FALSE(ProjectDatabase::Open(file, error));
    return error;
}

ProjectObject Symbol(const std::string& name) {
    ProjectObject symbol;
    symbol.name = name;
    symbol.flags = kSymbolFlags;
    return symbol;
}

std::vector<int> Walk(const ObjectMap& map) {
    std::vector<int> answers;
    int cursor = 1;
    for (int answer; (answer = map.SearchMask(cursor, 0, 0)) != 0;)
        answers.push_back(answer);
    return answers;
}

TEST(ProjectBuilderTest, RefusesEmptyTakenAndDanglingEntries) {
    ProjectBuilder builder("P");
    EXPECT_EQ(builder.AddPart("7400", "i"), 1);
    EXPECT_EQ(builder.AddPart("7400", "other"), 0);
    EXPECT_EQ(builder.AddPart("", "i"), 0);
    EXPECT_EQ(builder.AddPart("7402", "i"), 2);

    // Symbols and packages are kept apart; packages and padstacks are not.
    EXPECT_EQ(builder.AddSymbol("DIP14", "", "", kPackageFlags), 1);
    EXPECT_EQ(builder.AddSymbol("DIP14", "", "", kSymbolFlags), 2);
    EXPECT_EQ(builder.AddSymbol("DIP14", "", "", kPadstackFlags), 0);
    EXPECT_EQ(builder.AddSymbol("DIP14", "", "", kSymbolFlags), 0);
    EXPECT_EQ(builder.SymbolIndex("DIP14"), 1);
    EXPECT_EQ(builder.PartIndex("7402"), 2);
    EXPECT_EQ(builder.PartIndex("7404"), 0);

    EXPECT_EQ(builder.AddPage(1, "Sheet"), 0); // no hierarchy yet
    const int top = builder.AddHierarchy("TOP");
    EXPECT_EQ(builder.AddHierarchy("TOP"), 0);
    EXPECT_EQ(builder.HierarchyIndex("TOP"), top);
    EXPECT_EQ(builder.AddPage(top, "Sheet"), 1);
    EXPECT_EQ(builder.AddPage(top, "Sheet"), 0);

    EXPECT_EQ(builder.AddComponent(top, ComponentEditor::Schematic, "U1", 1, {2}), 1);
    EXPECT_EQ(builder.AddComponent(top, ComponentEditor::Schematic, "U1", 1, {2}), 0);
    EXPECT_EQ(builder.AddComponent(top, ComponentEditor::Layout, "U1", 1, {1}), 1);
    EXPECT_EQ(builder.AddComponent(top, ComponentEditor::Layout, "U2", 3, {}), 0);
    EXPECT_EQ(builder.AddComponent(top, ComponentEditor::Layout, "U2", 1, {7}), 0);
    EXPECT_EQ(builder.AddComponent(2, ComponentEditor::Layout, "U2", 1, {}), 0);
    EXPECT_EQ(builder.AddComponent(top, ComponentEditor::Layout, "R1", 0, {}), 2);
}

TEST(ProjectBuilderTest, CurrentHierarchyAndPageMustExist) {
    test::TempDir dir;
    ProjectBuilder builder("P");
    const int top = builder.AddHierarchy("TOP");
    builder.AddPage(top, "Sheet");
    std::string error;
    builder.SetCurrent(2, 0);
    EXPECT_FALSE(builder.Write(dir / "P.K2K", error));
    EXPECT_NE(error.find("hierarchy"), std::string::npos) << error;
    builder.SetCurrent(top, 3);
    EXPECT_FALSE(builder.Write(dir / "P.K2K", error));
    EXPECT_FALSE(std::filesystem::exists(dir / "P.K2K"));

    // Without SetCurrent the first hierarchy and its first page are current.
    ProjectBuilder plain("Q");
    plain.AddHierarchy("A");
    plain.AddPage(plain.AddHierarchy("B"), "B1");
    plain.AddPage(1, "A1");
    ASSERT_TRUE(plain.Write(dir / "Q.K2K", error)) << error;
    auto database = OpenOrFail(dir / "Q.K2K");
    ASSERT_TRUE(database);
    EXPECT_EQ(database->StoredCurrentHierarchy(), 1);
    EXPECT_EQ(database->StoredCurrentPage(), 1);
}

TEST(ProjectDatabaseTest, EverythingWrittenIsReadBackByteForByte) {
    test::TempDir dir;
    ProjectBuilder builder("Proj\xE9t");
    const std::string info = "DIP14 \x80"
                             "desc\x80\x80"
                             "Fabricant \xC5"
                             "\xFF";
    builder.AddPart("74\xD6"
                    "00",
                    info);
    builder.AddPart("EMPTY", "");
    builder.AddSymbol("NAND",
                      "gate\x80"
                      "2",
                      std::string("bin\0ary", 7), kSymbolFlags);
    builder.AddSymbol("DIP14", "", "", kPackageFlags);
    builder.AddSymbol("PAD", "", "", kPadstackFlags);
    const int top = builder.AddHierarchy("TOP");
    const int sub = builder.AddHierarchy("SUB");
    builder.AddPage(top, "Sheet1");
    builder.AddPage(sub, "S1");
    builder.AddPage(sub, "S2");
    builder.AddComponent(sub, ComponentEditor::Layout, "IC1", 1, {2, 3, 3});
    builder.AddComponent(sub, ComponentEditor::Layout, "IC2", 0, {});
    builder.SetCurrent(sub, 2);
    std::string error;
    ASSERT_TRUE(builder.Write(dir / "P.K2K", error)) << error;

    auto database = OpenOrFail(dir / "P.K2K");
    ASSERT_TRUE(database);
    EXPECT_EQ(database->Name(), "Proj\xE9t");
    ASSERT_EQ(database->Parts().Count(), 2);
    EXPECT_EQ(database->Parts().Live(1)->name, "74\xD6"
                                               "00");
    EXPECT_EQ(database->Parts().Live(1)->info, info);
    EXPECT_EQ(database->Parts().Live(2)->info, "");
    const ProjectObject* nand = database->Symbols().Live(1);
    ASSERT_TRUE(nand);
    EXPECT_EQ(nand->drawing, std::string("bin\0ary", 7));
    EXPECT_EQ(nand->flags, kSymbolFlags);
    EXPECT_EQ(database->Symbols().Live(3)->flags, kPadstackFlags);

    EXPECT_EQ(database->StoredCurrentHierarchy(), sub);
    EXPECT_EQ(database->StoredCurrentPage(), 2);
    EXPECT_EQ(database->Pages(sub)->Live(2)->name, "S2");
    EXPECT_EQ(database->Components(top, ComponentEditor::Layout)->Count(), 0);
    const ObjectMap* layout = database->Components(sub, ComponentEditor::Layout);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->Live(1)->part, 1);
    EXPECT_EQ(layout->Live(1)->symbols, (std::vector<int>{2, 3, 3}));
    EXPECT_TRUE(layout->Live(2)->symbols.empty());
    EXPECT_EQ(database->Components(3, ComponentEditor::Layout), nullptr);

    // A symbol listed twice by a component is one use.
    int cursor = 1;
    EXPECT_EQ(database->SearchSymbolUse(sub, ComponentEditor::Layout, cursor, 3), 1);
    EXPECT_EQ(database->SearchSymbolUse(sub, ComponentEditor::Layout, cursor, 3), 0);
}

TEST(ProjectDatabaseTest, PagesAndComponentsHaveOneKeyEachAcrossHierarchies) {
    test::TempDir dir;
    ProjectBuilder builder("P");
    const int a = builder.AddHierarchy("A");
    const int empty = builder.AddHierarchy("EMPTY");
    const int c = builder.AddHierarchy("C");
    builder.AddPage(a, "A1");
    builder.AddPage(a, "A2");
    builder.AddPage(c, "C1");
    builder.AddComponent(a, ComponentEditor::Layout, "L1", 0, {});
    builder.AddComponent(c, ComponentEditor::Schematic, "S1", 0, {});
    builder.AddComponent(c, ComponentEditor::Layout, "L1", 0, {});
    std::string error;
    ASSERT_TRUE(builder.Write(dir / "P.K2K", error)) << error;
    auto database = OpenOrFail(dir / "P.K2K");
    ASSERT_TRUE(database);

    std::set<int> keys;
    for (auto [hierarchy, page] : {std::pair{a, 1}, {a, 2}, {c, 1}}) {
        const int key = database->PageKey(hierarchy, page);
        ASSERT_GT(key, 0);
        keys.insert(key);
        int backHierarchy = 0;
        int backPage = 0;
        ASSERT_TRUE(database->PageOfKey(key, backHierarchy, backPage));
        EXPECT_EQ(backHierarchy, hierarchy);
        EXPECT_EQ(backPage, page);
    }
    EXPECT_EQ(keys.size(), 3u);
    EXPECT_EQ(database->PageKey(empty, 1), 0);
    EXPECT_EQ(database->PageKey(a, 3), 0);
    int h = 0;
    int p = 0;
    EXPECT_FALSE(database->PageOfKey(4, h, p));
    EXPECT_FALSE(database->PageOfKey(0, h, p));

    for (auto [hierarchy, editor] : {std::pair{a, ComponentEditor::Layout},
                                     {c, ComponentEditor::Schematic},
                                     {c, ComponentEditor::Layout}}) {
        const int key = database->ComponentKey(hierarchy, editor, 1);
        ASSERT_GT(key, 0);
        int backHierarchy = 0;
        ComponentEditor backEditor = ComponentEditor::Schematic;
        int backComponent = 0;
        ASSERT_TRUE(database->ComponentOfKey(key, backHierarchy, backEditor, backComponent));
        EXPECT_EQ(backHierarchy, hierarchy);
        EXPECT_EQ(backEditor, editor);
        EXPECT_EQ(backComponent, 1);
    }
    EXPECT_EQ(database->ComponentKey(a, ComponentEditor::Schematic, 1), 0);
}

class ProjectFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ProjectBuilder builder("P");
        builder.AddPart("7400", "one");
        builder.AddPart("7402", "two");
        builder.AddSymbol("NAND", "", "", kSymbolFlags);
        builder.AddHierarchy("TOP");
        std::string error;
        ASSERT_TRUE(builder.Write(File(), error)) << error;
    }

    std::filesystem::path File() const { return m_dir / "P.K2K"; }

    test::TempDir m_dir;
};

TEST_F(ProjectFileTest, WriteReplacesTheOldFileWholeOrNotAtAll) {
    ProjectBuilder next("NEXT");
    next.AddPart("LM358", "");
    std::string error;
    ASSERT_TRUE(next.Write(File(), error)) << error;
    auto database = OpenOrFail(File());
    ASSERT_TRUE(database);
    EXPECT_EQ(database->Name(), "NEXT");
    EXPECT_EQ(database->Parts().Count(), 1);
    database.reset();
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.Path()))
        EXPECT_EQ(entry.path().filename(), "P.K2K");

    // The new file cannot be made: the old one stays as it was.
    std::filesystem::create_directories(m_dir / "P.K2K.new~" / "blocked");
    ProjectBuilder third("THIRD");
    EXPECT_FALSE(third.Write(File(), error));
    EXPECT_FALSE(error.empty());
    database = OpenOrFail(File());
    ASSERT_TRUE(database);
    EXPECT_EQ(database->Name(), "NEXT");

    EXPECT_FALSE(third.Write(m_dir / "missing" / "P.K2K", error));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "missing"));
}

TEST_F(ProjectFileTest, AChangeThatCannotBeWrittenChangesNothing) {
    auto database = OpenOrFail(File());
    ASSERT_TRUE(database);
    database->SetBusyTimeout(0);

    // Another program holds the file locked.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(File().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

    EXPECT_FALSE(database->DeletePart(1));
    EXPECT_FALSE(database->LastError().empty());
    EXPECT_FALSE(database->RenamePart(2, "74HC02"));
    EXPECT_EQ(database->StoreSymbol(-1000, Symbol("VIEW")), 0);
    EXPECT_TRUE(database->Parts().Live(1));
    EXPECT_EQ(database->Parts().FindLive("7402", 0, 0), 2);
    EXPECT_EQ(database->Parts().FindLive("74HC02", 0, 0), 0);
    EXPECT_FALSE(database->Symbols().Find(-1000));

    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(database->DeletePart(1));
    EXPECT_TRUE(database->RenamePart(2, "74HC02"));
    database.reset();

    database = OpenOrFail(File());
    ASSERT_TRUE(database);
    EXPECT_EQ(Walk(database->Parts()), (std::vector<int>{-1, 2}));
    EXPECT_EQ(database->Parts().Find(1)->name, "7400"); // a deleted slot keeps its name
    EXPECT_EQ(database->Parts().FindLive("74HC02", 0, 0), 2);
}

TEST_F(ProjectFileTest, MissingRowsAreDeletedSlots) {
    RunSql(File(), "INSERT INTO parts VALUES (5, '7408', '', 0); DELETE FROM parts WHERE idx = 2");
    auto database = OpenOrFail(File());
    ASSERT_TRUE(database);
    EXPECT_EQ(Walk(database->Parts()), (std::vector<int>{1, -2, -3, -4, 5}));
    EXPECT_FALSE(database->DeletePart(3));
    // The next new symbol goes after the last slot, never into a gap.
    EXPECT_EQ(database->StoreSymbol(0, Symbol("NOR")), 2);
}

TEST_F(ProjectFileTest, NewerFormatsAndDamagedContentAreRefused) {
    const std::filesystem::path copy = m_dir / "COPY.K2K";
    auto damage = [&](const std::string& sql) {
        std::filesystem::copy_file(File(), copy, std::filesystem::copy_options::overwrite_existing);
        RunSql(copy, sql);
        return OpenError(copy);
    };
    EXPECT_NE(damage("PRAGMA user_version = 2").find("format 2"), std::string::npos);
    for (const char* sql : {
             "INSERT INTO parts VALUES (0, 'X', '', 0)",
             "INSERT INTO parts VALUES (99999999999, 'X', '', 0)",
             "INSERT INTO symbols VALUES (-99999999, 'X', '', '', 1, 0)",
             "INSERT INTO pages VALUES (7, 1, 'X')",
             "INSERT INTO components VALUES (1, 2, 1, 'X', 0, '')",
             "INSERT INTO components VALUES (1, 0, 1, 'X', 0, '1,x')",
             "DELETE FROM project",
             "INSERT INTO project VALUES ('SECOND', 1, 0)",
             "DROP TABLE hierarchies",
         }) {
        const std::string error = damage(sql);
        EXPECT_NE(error.find("damaged project database"), std::string::npos)
            << sql << ": " << error;
    }
}

TEST_F(ProjectFileTest, IndexesFarBeyondTheRowsAreRefused) {
    const std::filesystem::path copy = m_dir / "COPY.K2K";
    // Each would make its map hold a slot for every index below it.
    for (const char* sql : {
             "INSERT INTO parts VALUES (1000000, 'X', '', 0)",
             "INSERT INTO symbols VALUES (1000000, 'X', '', '', 1, 0)",
             "INSERT INTO hierarchies VALUES (1000000, 'X')",
             "INSERT INTO pages VALUES (1, 1000000, 'X')",
             "INSERT INTO components VALUES (1, 1, 1000000, 'X', 0, '')",
             "INSERT INTO parts VALUES (23, 'X', '', 0)", // 3 rows: a few missing are fine
         }) {
        std::filesystem::copy_file(File(), copy, std::filesystem::copy_options::overwrite_existing);
        RunSql(copy, sql);
        const std::string error = OpenError(copy);
        EXPECT_NE(error.find("far beyond"), std::string::npos) << sql << ": " << error;
    }
    // As many missing as present (and a few more) still open.
    std::filesystem::copy_file(File(), copy, std::filesystem::copy_options::overwrite_existing);
    RunSql(copy, "INSERT INTO parts VALUES (22, 'X', '', 0); INSERT INTO pages VALUES (1, 18, 'X');"
                 "INSERT INTO symbols VALUES (-8388607, 'VIEW', '', '', 1, 0)");
    auto database = OpenOrFail(copy);
    ASSERT_TRUE(database);
    EXPECT_EQ(database->Parts().Count(), 22);
    EXPECT_EQ(database->Pages(1)->Count(), 18);
}

// The kernel finds objects by their names as C strings: one without a name, or with a NUL
// byte, would be listed but never found again.
TEST_F(ProjectFileTest, ObjectsThatCouldNotBeFoundByNameAreRefused) {
    const std::filesystem::path copy = m_dir / "COPY.K2K";
    for (const char* sql : {
             "INSERT INTO parts VALUES (4, X'', '', 0)",
             "INSERT INTO parts VALUES (4, CAST(X'410042' AS TEXT), '', 0)",
             "INSERT INTO symbols VALUES (3, X'', '', '', 1, 0)",
             "INSERT INTO parts VALUES (4, 'X', CAST(X'410042' AS TEXT), 0)",
         }) {
        std::filesystem::copy_file(File(), copy, std::filesystem::copy_options::overwrite_existing);
        RunSql(copy, sql);
        const std::string error = OpenError(copy);
        EXPECT_TRUE(error.find("has no name") != std::string::npos ||
                    error.find("NUL byte") != std::string::npos)
            << sql << ": " << error;
    }
    std::filesystem::copy_file(File(), copy, std::filesystem::copy_options::overwrite_existing);
    RunSql(copy, "INSERT INTO parts VALUES (4, X'', '', 1)");
    EXPECT_TRUE(OpenOrFail(copy)) << "a deleted part needs no name";
}

// Swaps the first two cells of the first table leaf page that has two: the file still
// reads, but its rows are no longer where a change looks for them.
void DamageALeafPage(const std::filesystem::path& file) {
    std::string bytes = test::ReadFile(file);
    const std::size_t pageSize = static_cast<std::size_t>(
        static_cast<unsigned char>(bytes[16]) << 8 | static_cast<unsigned char>(bytes[17]));
    for (std::size_t page = pageSize; page + pageSize <= bytes.size(); page += pageSize) {
        const bool tableLeaf = bytes[page] == 13;
        const int cells = static_cast<unsigned char>(bytes[page + 3]) << 8 |
                          static_cast<unsigned char>(bytes[page + 4]);
        if (tableLeaf && cells >= 2) {
            std::swap_ranges(bytes.begin() + static_cast<std::ptrdiff_t>(page + 8),
                             bytes.begin() + static_cast<std::ptrdiff_t>(page + 10),
                             bytes.begin() + static_cast<std::ptrdiff_t>(page + 10));
            std::filesystem::remove(file);
            test::WriteFile(file, bytes);
            return;
        }
    }
    FAIL() << "no table leaf page with two cells";
}

TEST(ProjectDamageTest, AFileThatFailsSQLitesCheckIsRefused) {
    test::TempDir dir;
    ProjectBuilder builder("P");
    for (int i = 1; i <= 300; ++i)
        builder.AddPart("PART" + std::to_string(i), std::string(60, 'i'));
    std::string error;
    ASSERT_TRUE(builder.Write(dir / "P.K2K", error)) << error;
    ASSERT_TRUE(OpenOrFail(dir / "P.K2K"));

    DamageALeafPage(dir / "P.K2K");
    error = OpenError(dir / "P.K2K");
    EXPECT_NE(error.find("damaged project database: the file fails SQLite's check"),
              std::string::npos)
        << error;
}

TEST_F(ProjectFileTest, AChangeThatWouldReachOtherRowsIsRolledBack) {
    auto database = OpenOrFail(File());
    ASSERT_TRUE(database);
    // Another program makes the file part from memory.
    RunSql(File(), "INSERT INTO project VALUES ('SECOND', 1, 0); DELETE FROM parts WHERE idx = 2");

    EXPECT_FALSE(database->RenameDatabase("RENAMED"));
    EXPECT_NE(database->LastError().find("2 rows"), std::string::npos) << database->LastError();
    EXPECT_EQ(database->Name(), "P");
    EXPECT_FALSE(database->RenamePart(2, "74HC02"));
    EXPECT_EQ(database->Parts().Live(2)->name, "7402");
    EXPECT_TRUE(database->RenamePart(1, "74HC00")) << "the connection is usable again";

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(File().c_str(), &other), SQLITE_OK);
    sqlite3_stmt* names = nullptr;
    ASSERT_EQ(
        sqlite3_prepare_v2(other, "SELECT name FROM project ORDER BY rowid", -1, &names, nullptr),
        SQLITE_OK);
    std::vector<std::string> stored;
    while (sqlite3_step(names) == SQLITE_ROW)
        stored.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(names, 0)));
    sqlite3_finalize(names);
    sqlite3_close(other);
    EXPECT_EQ(stored, (std::vector<std::string>{"P", "SECOND"}));
}

} // namespace
} // namespace k2k
