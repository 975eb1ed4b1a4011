#include "formats/ProjectDatabase.h"
#include "formats/ObjectMap.h"
#include "formats/ProjectBuilder.h"
#include "formats/StoredTexts.h"
#include "support/TestSupport.h"
#include "system/FileLock.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>
#include <set>
#include <tuple>
#include <utility>

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
    auto opened = ProjectDatabase::Open(file);
    EXPECT_TRUE(test::Done(opened));
    return opened ? std::move(opened).Value() : nullptr;
}

std::string OpenError(const std::filesystem::path& file) {
    const auto opened = ProjectDatabase::Open(file);
    EXPECT_FALSE(opened);
    return opened ? std::string() : opened.Message();
}

ProjectObject Symbol(std::string_view name) {
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
    builder.SetCurrent(2, 0);
    const Status noHierarchy = builder.Write(dir / "P.K2K");
    ASSERT_FALSE(noHierarchy);
    EXPECT_NE(noHierarchy.Message().find("hierarchy"), std::string::npos) << noHierarchy.Message();
    builder.SetCurrent(top, 3);
    EXPECT_FALSE(builder.Write(dir / "P.K2K"));
    EXPECT_FALSE(std::filesystem::exists(dir / "P.K2K"));

    // Without SetCurrent the first hierarchy and its first page are current.
    ProjectBuilder plain("Q");
    plain.AddHierarchy("A");
    plain.AddPage(plain.AddHierarchy("B"), "B1");
    plain.AddPage(1, "A1");
    ASSERT_TRUE(test::Done(plain.Write(dir / "Q.K2K")));
    auto database = OpenOrFail(dir / "Q.K2K");
    ASSERT_TRUE(database);
    EXPECT_EQ(database->StoredCurrentHierarchy(), 1);
    EXPECT_EQ(database->StoredCurrentPage(), 1);
}

TEST(ProjectDatabaseTest, EverythingWrittenIsReadBackByteForByte) {
    test::TempDir dir;
    // Octal escapes: the suite's 8-bit texts, kept as they are.
    ProjectBuilder builder("Proj\351t");
    const std::string info = "DIP14 \200desc\200\200Fabricant \305\377";
    builder.AddPart("74\32600", info);
    builder.AddPart("EMPTY", "");
    builder.AddSymbol("NAND", "gate\2002", std::string("bin\0ary", 7), kSymbolFlags);
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
    ASSERT_TRUE(test::Done(builder.Write(dir / "P.K2K")));

    auto database = OpenOrFail(dir / "P.K2K");
    ASSERT_TRUE(database);
    EXPECT_EQ(database->Name(), "Proj\351t");
    ASSERT_EQ(database->Parts().Count(), 2);
    EXPECT_EQ(database->Parts().Live(1)->name, "74\32600");
    EXPECT_EQ(database->Parts().Live(1)->info, info);
    EXPECT_EQ(database->Parts().Live(2)->info, "");
    const std::optional<ProjectObject> nand = database->Symbols().Live(1);
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
    const std::span<const int> used = layout->Live(1)->symbols;
    EXPECT_EQ(std::vector<int>(used.begin(), used.end()), (std::vector<int>{2, 3, 3}));
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
    ASSERT_TRUE(test::Done(builder.Write(dir / "P.K2K")));
    auto database = OpenOrFail(dir / "P.K2K");
    ASSERT_TRUE(database);

    std::set<int> keys;
    int h = 0;
    int p = 0;
    for (auto [hierarchy, page] : {std::pair{a, 1}, {a, 2}, {c, 1}}) {
        const int key = database->PageKey(hierarchy, page);
        keys.insert(key);
        ASSERT_TRUE(key > 0 && database->PageOfKey(key, h, p));
        EXPECT_EQ(std::pair(h, p), std::pair(hierarchy, page));
    }
    EXPECT_EQ(keys.size(), 3u);
    EXPECT_EQ(std::pair(database->PageKey(empty, 1), database->PageKey(a, 3)), std::pair(0, 0));
    EXPECT_FALSE(database->PageOfKey(4, h, p));
    EXPECT_FALSE(database->PageOfKey(0, h, p));

    for (auto [hierarchy, editor] : {std::pair{a, ComponentEditor::Layout},
                                     {c, ComponentEditor::Schematic},
                                     {c, ComponentEditor::Layout}}) {
        const int key = database->ComponentKey(hierarchy, editor, 1);
        ComponentEditor backEditor = ComponentEditor::Schematic;
        ASSERT_TRUE(key > 0 && database->ComponentOfKey(key, h, backEditor, p));
        EXPECT_EQ(std::tuple(h, backEditor, p), std::tuple(hierarchy, editor, 1));
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
        ASSERT_TRUE(test::Done(builder.Write(File())));
    }

    std::filesystem::path File() const { return m_dir / "P.K2K"; }
    // A copy of the file after the SQL ran on it.
    std::filesystem::path Damaged(const char* sql) const {
        const std::filesystem::path copy = m_dir / "COPY.K2K";
        std::filesystem::copy_file(File(), copy, std::filesystem::copy_options::overwrite_existing);
        RunSql(copy, sql);
        return copy;
    }

    test::TempDir m_dir;
};

TEST_F(ProjectFileTest, WriteReplacesTheOldFileWholeOrNotAtAll) {
    ProjectBuilder next("NEXT");
    next.AddPart("LM358", "");
    ASSERT_TRUE(test::Done(next.Write(File())));
    auto database = OpenOrFail(File());
    ASSERT_TRUE(database);
    EXPECT_EQ(database->Name(), "NEXT");
    EXPECT_EQ(database->Parts().Count(), 1);
    database.reset();
    EXPECT_EQ(test::FilesIn(m_dir.Path()), std::vector<std::string>{"P.K2K"});

    // The new file cannot be made: the old one stays as it was.
    std::filesystem::create_directories(m_dir / "P.K2K.new~" / "blocked");
    ProjectBuilder third("THIRD");
    const Status blocked = third.Write(File());
    ASSERT_FALSE(blocked);
    EXPECT_FALSE(blocked.Message().empty());
    database = OpenOrFail(File());
    ASSERT_TRUE(database);
    EXPECT_EQ(database->Name(), "NEXT");

    EXPECT_FALSE(third.Write(m_dir / "missing" / "P.K2K"));
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

    const Status locked = database->DeletePart(1);
    ASSERT_FALSE(locked);
    EXPECT_EQ(locked.Message(),
              "cannot write the project: another program is changing the project file");
    EXPECT_EQ(locked.Error().systemError, kErrFileLocked);
    EXPECT_FALSE(database->RenamePart(2, "74HC02"));
    EXPECT_FALSE(database->StoreSymbol(-1000, Symbol("VIEW")));
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
    const Result<int> stored = database->StoreSymbol(0, Symbol("NOR"));
    ASSERT_TRUE(test::Done(stored));
    EXPECT_EQ(*stored, 2);
}

// Each case is refused with a message holding its piece: newer formats, rows that do not fit,
// indexes that would make a map hold a slot for every index below them, and objects the
// kernel, which finds them by C-string name, could list but never find again.
TEST_F(ProjectFileTest, NewerFormatsAndDamagedContentAreRefused) {
    const std::pair<const char*, const char*> cases[] = {
        {"PRAGMA user_version = 2", "format 2"},
        {"INSERT INTO parts VALUES (0, 'X', '', 0)", "damaged project database"},
        {"INSERT INTO parts VALUES (99999999999, 'X', '', 0)", "damaged"},
        {"INSERT INTO symbols VALUES (-99999999, 'X', '', '', 1, 0)", "damaged"},
        {"INSERT INTO pages VALUES (7, 1, 'X')", "damaged"},
        {"INSERT INTO components VALUES (1, 2, 1, 'X', 0, '')", "damaged"},
        {"INSERT INTO components VALUES (1, 0, 1, 'X', 0, '1,x')", "damaged"},
        {"DELETE FROM project", "damaged"},
        {"INSERT INTO project VALUES ('SECOND', 1, 0)", "damaged"},
        {"DROP TABLE hierarchies", "damaged"},
        {"INSERT INTO parts VALUES (1000000, 'X', '', 0)", "far beyond"},
        {"INSERT INTO symbols VALUES (1000000, 'X', '', '', 1, 0)", "far beyond"},
        {"INSERT INTO hierarchies VALUES (1000000, 'X')", "far beyond"},
        {"INSERT INTO pages VALUES (1, 1000000, 'X')", "far beyond"},
        {"INSERT INTO components VALUES (1, 1, 1000000, 'X', 0, '')", "far beyond"},
        {"INSERT INTO parts VALUES (23, 'X', '', 0)", "far beyond"}, // 3 rows: a few are fine
        {"INSERT INTO parts VALUES (4, X'', '', 0)", "part 4: the name is empty"},
        {"INSERT INTO symbols VALUES (3, X'', '', '', 1, 0)", "name is empty"},
        {"INSERT INTO parts VALUES (4, CAST(X'410042' AS TEXT), '', 0)", "NUL byte"},
        {"INSERT INTO parts VALUES (4, 'X', CAST(X'410042' AS TEXT), 0)", "NUL byte"},
        {"INSERT INTO parts VALUES (4, 'X', printf('%4096s', ''), 0)", "4096 bytes long"},
        {"INSERT INTO pages VALUES (1, 1, CAST(X'410042' AS TEXT))", "page 1: the name holds"},
        {"UPDATE project SET name = X''", "the project: the name is empty"},
    };
    for (const auto& [sql, piece] : cases) {
        const std::string error = OpenError(Damaged(sql));
        EXPECT_NE(error.find(piece), std::string::npos) << sql << ": " << error;
    }
    EXPECT_TRUE(OpenOrFail(Damaged("INSERT INTO parts VALUES (4, X'', '', 1)")))
        << "a deleted part needs no name";
    // As many missing as present (and a few more) still open.
    auto database = OpenOrFail(
        Damaged("INSERT INTO parts VALUES (22, 'X', '', 0); INSERT INTO pages VALUES (1, 18, 'X');"
                "INSERT INTO symbols VALUES (-8388607, 'VIEW', '', '', 1, 0)"));
    ASSERT_TRUE(database);
    EXPECT_EQ(database->Parts().Count(), 22);
    EXPECT_EQ(database->Pages(1)->Count(), 18);
}

// Names and info texts at and past the limits of what the project holds, and whether each
// fits; the longest name that fits is made of letter.
struct StoredCase {
    std::string text;
    bool fits;
};
std::vector<StoredCase> NameCases(char letter) {
    return {{std::string("A\0B", 3), false},
            {std::string(kMaxNameLength + 1, letter), false},
            {"", false},
            {std::string(kMaxNameLength, letter), true}};
}
std::vector<StoredCase> InfoCases() {
    return {{std::string("x\0y", 3), false},
            {std::string(kMaxInfoLength + 1, 'i'), false},
            {std::string(kMaxInfoLength, 'i'), true}};
}

// Whatever a change stores, the project opens again: every way in takes the names and
// texts that fit, refuses the others, and the file opens after each.
TEST(ProjectStoredTextTest, EveryWayInTakesWhatTheOpenTakes) {
    test::TempDir dir;
    ProjectBuilder builder("P");
    const int top = builder.AddHierarchy("TOP");
    int n = 0;
    for (const auto& [name, fits] : NameCases('N')) {
        SCOPED_TRACE(name.size());
        EXPECT_EQ(builder.AddPart(name, "") != 0, fits);
        EXPECT_EQ(builder.AddSymbol(name, "", "", kPackageFlags) != 0, fits);
        EXPECT_EQ(builder.AddHierarchy(name) != 0, fits);
        EXPECT_EQ(builder.AddPage(top, name) != 0, fits);
        EXPECT_EQ(builder.AddComponent(top, ComponentEditor::Layout, name, 0, {}) != 0, fits);
    }
    for (const auto& [info, fits] : InfoCases()) {
        SCOPED_TRACE(info.size());
        const std::string name = "INFO" + std::to_string(++n);
        EXPECT_EQ(builder.AddPart(name, info) != 0, fits);
        EXPECT_EQ(builder.AddSymbol(name, info, "", kSymbolFlags) != 0, fits);
    }
    ASSERT_TRUE(test::Done(builder.Write(dir / "P.K2K")));
    auto database = OpenOrFail(dir / "P.K2K");
    ASSERT_TRUE(database);

    int scratch = 0;
    for (const auto& [name, fits] : NameCases('R')) {
        SCOPED_TRACE(name.size());
        EXPECT_EQ(database->StoreSymbol(--scratch, Symbol(name)).Ok(), fits);
        EXPECT_EQ(database->RenamePart(1, name).Ok(), fits);
        EXPECT_EQ(database->RenameSymbol(1, name).Ok(), fits);
        EXPECT_EQ(database->RenameHierarchy(top, name).Ok(), fits);
        EXPECT_EQ(database->RenamePage(top, 1, name).Ok(), fits);
        EXPECT_EQ(database->RenameComponent(top, ComponentEditor::Layout, 1, name).Ok(), fits);
        EXPECT_EQ(database->RenameDatabase(name).Ok(), fits);
    }
    for (const auto& [info, fits] : InfoCases()) {
        SCOPED_TRACE(info.size());
        const std::string name = "VIEW" + std::to_string(++n);
        ProjectObject symbol = Symbol(name); // a view of name
        symbol.info = info;
        EXPECT_EQ(database->StoreSymbol(--scratch, symbol).Ok(), fits);
        EXPECT_EQ(database->StoreSymbol(0, symbol).Ok(), fits);
    }
    database.reset();
    EXPECT_TRUE(OpenOrFail(dir / "P.K2K"));
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
    ASSERT_TRUE(test::Done(builder.Write(dir / "P.K2K")));
    ASSERT_TRUE(OpenOrFail(dir / "P.K2K"));

    DamageALeafPage(dir / "P.K2K");
    const std::string error = OpenError(dir / "P.K2K");
    EXPECT_NE(error.find("damaged project database: the file fails SQLite's check"),
              std::string::npos)
        << error;
}

TEST_F(ProjectFileTest, AChangeThatWouldReachOtherRowsIsRolledBack) {
    auto database = OpenOrFail(File());
    ASSERT_TRUE(database);
    // Another program makes the file part from memory.
    RunSql(File(), "INSERT INTO project VALUES ('SECOND', 1, 0); DELETE FROM parts WHERE idx = 2");

    const Status renamed = database->RenameDatabase("RENAMED");
    ASSERT_FALSE(renamed);
    EXPECT_NE(renamed.Message().find("2 rows"), std::string::npos) << renamed.Message();
    EXPECT_EQ(database->Name(), "P");
    EXPECT_FALSE(database->RenamePart(2, "74HC02"));
    EXPECT_EQ(database->Parts().Live(2)->name, "7402");
    EXPECT_TRUE(database->RenamePart(1, "74HC00")) << "the connection is usable again";
    database.reset();

    // Both project rows are as they were: without the second the file opens as "P".
    RunSql(File(), "DELETE FROM project WHERE name = 'SECOND'");
    database = OpenOrFail(File());
    ASSERT_TRUE(database);
    EXPECT_EQ(database->Name(), "P");
}

} // namespace
} // namespace k2k
