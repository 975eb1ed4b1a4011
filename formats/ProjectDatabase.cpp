#include "formats/ProjectDatabase.h"

#include "formats/ProjectSql.h"
#include "formats/StoredTexts.h"
#include "system/FileLock.h"
#include "system/Text.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <limits>
#include <string_view>
#include <system_error>
#include <tuple>
#include <utility>

// The reading of the project database: the open, which reads the whole file into memory,
// and the questions the open project answers.

namespace k2k {

namespace {

bool ParseSymbolList(std::string_view text, std::vector<int>& symbols) {
    symbols.clear();
    if (text.empty())
        return true;
    for (std::string_view piece : SplitAt(text, ',')) {
        int value = 0;
        const auto [end, failure] =
            std::from_chars(piece.data(), piece.data() + piece.size(), value);
        if (failure != std::errc() || end != piece.data() + piece.size())
            return false;
        symbols.push_back(value);
    }
    return true;
}

// SQLite's check of the file's structure: its first finding, on one line and without the
// name of the schema; empty when the file passes.
std::string StructureFinding(sqlite3* sqlite) {
    SqlStatement check(sqlite, "PRAGMA quick_check(1)");
    const int result = check.Prepared() ? check.Step() : SQLITE_ERROR;
    if (result == SQLITE_ROW && check.Text(0) == "ok")
        return {};
    std::string finding = result == SQLITE_ROW ? check.Text(0) : check.Error();
    constexpr std::string_view kSchemaLine = "*** in database main ***\n";
    if (finding.starts_with(kSchemaLine))
        finding.erase(0, kSchemaLine.size());
    std::replace(finding.begin(), finding.end(), '\n', ' ');
    return finding;
}

} // namespace

ProjectDatabase::~ProjectDatabase() {
    sqlite3_close(m_sqlite);
}

Result<std::unique_ptr<ProjectDatabase>> ProjectDatabase::Open(const std::filesystem::path& file) {
    std::error_code failure;
    if (!std::filesystem::exists(file, failure))
        return Problem{"project file not found: " + file.string()};
    if (!std::filesystem::is_regular_file(file, failure))
        return Problem{"not a project file: " + file.string()};
    std::unique_ptr<ProjectDatabase> database(new ProjectDatabase());
    if (sqlite3_open_v2(file.c_str(), &database->m_sqlite, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK)
        return Problem{"cannot open project " + file.string() + ": " +
                       sqlite3_errmsg(database->m_sqlite)};
    database->SetBusyTimeout(
        static_cast<int>(std::min<long long>(LockWait().count(), std::numeric_limits<int>::max())));
    if (const Status loaded = database->Load(); !loaded)
        return Problem{file.string() + ": " + loaded.Message()};
    return database;
}

Status ProjectDatabase::Load() {
    {
        SqlStatement identity(m_sqlite, "PRAGMA application_id");
        if (!identity.Prepared() || identity.Step() != SQLITE_ROW)
            return Problem{"not a project database (" + identity.Error() + ")"};
        if (identity.Integer(0) != kApplicationId)
            return Problem{"not a project database"};
        SqlStatement version(m_sqlite, "PRAGMA user_version");
        if (!version.Prepared() || version.Step() != SQLITE_ROW)
            return Problem{"not a project database (" + version.Error() + ")"};
        if (version.Integer(0) != kFormatVersion)
            return Problem{"project database of format " + DecimalText(version.Integer(0)) +
                           "; this program reads format " + DecimalText(kFormatVersion)};
    }
    // A file whose structure is damaged may read well enough and yet take a change into
    // other rows than the ones meant. The read steps through every table in the order of
    // its keys and refuses a key that does not rise (its row would not be where a change
    // looks for it), and SQLite checks the cells of every page it loads, now and for each
    // change. SQLite's own check of the whole file (pages, b-trees, the free list) costs
    // as much again as the read, so it runs only once the read has refused the file, and
    // its finding then comes first.
    // One read transaction, so that everything comes from one state of the file.
    for (const char* sql : {"PRAGMA cell_size_check = ON", "BEGIN"})
        if (const Status done = ExecuteSql(m_sqlite, sql); !done)
            return Problem{"cannot read the project database: " + done.Message()};
    ProjectContent content;
    const Status read = ReadContent(content);
    const std::string finding = read ? std::string() : StructureFinding(m_sqlite);
    static_cast<void>(ExecuteSql(m_sqlite, read ? "COMMIT" : "ROLLBACK"));
    if (!read)
        return Problem{finding.empty() ? "damaged project database: " + read.Message()
                                       : "damaged project database: the file fails SQLite's "
                                         "check (" +
                                             finding + ")"};
    m_content = std::move(content);
    return BuildKeysAndUses();
}

namespace {

int AsIndex(long long value) {
    return IndexInRange(value, false) ? static_cast<int>(value) : 0;
}

// A check's finding as a step's outcome: done when there is none.
Status Unless(std::string finding) {
    if (finding.empty())
        return {};
    return Problem{std::move(finding)};
}

// Runs a query and hands every row to take, which answers why it refuses the row (empty
// when it takes it). Refused at the first refusal or failure.
template <class Take>
Status EachRow(sqlite3* sqlite, const char* sql, Take take) {
    SqlStatement statement(sqlite, sql);
    if (!statement.Prepared())
        return Problem{statement.Error()};
    int result = SQLITE_OK;
    while ((result = statement.Step()) == SQLITE_ROW)
        if (std::string refused = take(statement); !refused.empty())
            return Problem{std::move(refused)};
    if (result != SQLITE_DONE)
        return Problem{statement.Error()};
    return {};
}

std::string OutOfRange(const char* what, long long index) {
    return std::string(what) + " index " + DecimalText(index) + " out of range";
}

// The maps hold a slot for every index up to the highest, so a few rows under huge
// indexes would cost memory and time out of all proportion to the file. A file this
// program writes has a row for every index; a map may miss as many rows as it holds, and
// a few more, before the file is refused.
constexpr long long kSparseSlack = 16;

std::string FarBeyond(const std::string& what, long long rows, long long highest) {
    if (highest <= 2 * rows + kSparseSlack)
        return {};
    return what + " index " + DecimalText(highest) + " lies far beyond the " + DecimalText(rows) +
           " " + what + (rows == 1 ? " row" : " rows") + " of its map";
}

// Per map: what it holds, how many rows and the highest index among them.
constexpr const char* kMapExtents =
    "SELECT 'part', count(*), max(idx) FROM parts "
    "UNION ALL SELECT 'symbol', count(*), max(idx) FROM symbols WHERE idx > 0 "
    "UNION ALL SELECT 'hierarchy', count(*), max(idx) FROM hierarchies "
    "UNION ALL SELECT 'page', count(*), max(idx) FROM pages GROUP BY hierarchy "
    "UNION ALL SELECT 'component', count(*), max(idx) FROM components "
    "GROUP BY hierarchy, editor";

// The first map whose highest index lies far beyond its rows, in the order above. The
// read counts the rows of each map as it goes and checks each map once its rows are in;
// this query, which counts every table again, runs only once the read has refused the
// file, so that a file with several faults is always refused for this one first.
Status IndexesNearRowCounts(sqlite3* sqlite) {
    return EachRow(sqlite, kMapExtents, [](const SqlStatement& row) {
        return FarBeyond(row.Text(0), row.Integer(1), row.Integer(2));
    });
}

// The highest index of a table (positive ones only), to make room for its rows: a
// lookup at the end of the table's tree.
std::size_t HighestIndex(sqlite3* sqlite, const char* sql) {
    SqlStatement statement(sqlite, sql);
    if (!statement.Prepared() || statement.Step() != SQLITE_ROW)
        return 0;
    return static_cast<std::size_t>(
        std::clamp<long long>(statement.Integer(0), 0, kMaxProjectIndex));
}

// The rows of a map are in: refused when they leave too many gaps, else spread to their
// indexes.
std::string SpreadTaken(const char* what, ObjectMap& map) {
    std::string problem = FarBeyond(what, map.TakenRows(), map.TakenHighest());
    if (problem.empty())
        map.Spread();
    return problem;
}

std::string OutOfOrder(const char* what, long long index) {
    return std::string(what) + " index " + DecimalText(index) + " out of order";
}

// An object goes into its map under its index when its name and texts are ones every store
// takes and its index comes after the last one taken; why not, otherwise.
std::string TakeRow(ObjectMap& map, const char* what, long long index,
                    const ProjectObject& object) {
    if (std::string bad = NameProblem(what, index, object); !bad.empty())
        return bad;
    if (!map.Take(static_cast<int>(index), object))
        return OutOfOrder(what, index);
    return {};
}

// The rows of each table go straight into their map: the maps copy the texts from SQLite's
// row into their own store.
Status ReadParts(sqlite3* sqlite, ObjectMap& parts) {
    parts.Reserve(HighestIndex(sqlite, "SELECT max(idx) FROM parts"));
    const Status read = EachRow(sqlite, "SELECT idx, name, info, deleted FROM parts ORDER BY idx",
                                [&parts](const SqlStatement& row) {
                                    const long long index = row.Integer(0);
                                    if (!IndexInRange(index, false))
                                        return OutOfRange("part", index);
                                    ProjectObject object;
                                    object.name = row.Bytes(1);
                                    object.info = row.Bytes(2);
                                    object.deleted = row.Integer(3) != 0;
                                    return TakeRow(parts, "part", index, object);
                                });
    if (!read)
        return read;
    return Unless(SpreadTaken("part", parts));
}

Status ReadSymbols(sqlite3* sqlite, ObjectMap& symbols) {
    symbols.Reserve(HighestIndex(sqlite, "SELECT max(idx) FROM symbols"));
    long long lastSymbol = LLONG_MIN;
    const Status read =
        EachRow(sqlite, "SELECT idx, name, info, drawing, flags, deleted FROM symbols ORDER BY idx",
                [&symbols, &lastSymbol](const SqlStatement& row) {
                    const long long index = row.Integer(0);
                    const long long flags = row.Integer(4);
                    if (index <= std::exchange(lastSymbol, index))
                        return OutOfOrder("symbol", index);
                    if (!IndexInRange(index, true))
                        return OutOfRange("symbol", index);
                    if (flags < INT_MIN || flags > INT_MAX)
                        return "symbol " + DecimalText(index) + " has flags out of range";
                    ProjectObject object;
                    object.name = row.Bytes(1);
                    object.info = row.Bytes(2);
                    object.drawing = row.Bytes(3);
                    object.flags = static_cast<int>(flags);
                    object.deleted = row.Integer(5) != 0;
                    if (std::string bad = NameProblem("symbol", index, object); !bad.empty())
                        return bad;
                    // A scratch object (the first rows) is kept as it is; a deleted one is
                    // simply gone.
                    if (index < 0) {
                        if (!object.deleted)
                            symbols.Put(static_cast<int>(index), object);
                    } else if (!symbols.Take(static_cast<int>(index), object)) {
                        return OutOfOrder("symbol", index);
                    }
                    return std::string();
                });
    if (!read)
        return read;
    return Unless(SpreadTaken("symbol", symbols));
}

// The hierarchies, with room for what each holds.
Status ReadHierarchies(sqlite3* sqlite, ProjectContent& content) {
    const Status read = EachRow(sqlite, "SELECT idx, name FROM hierarchies ORDER BY idx",
                                [&content](const SqlStatement& row) {
                                    const long long index = row.Integer(0);
                                    if (!IndexInRange(index, false))
                                        return OutOfRange("hierarchy", index);
                                    ProjectObject object;
                                    object.name = row.Bytes(1);
                                    return TakeRow(content.hierarchies, "hierarchy", index, object);
                                });
    if (!read)
        return read;
    if (Status spread = Unless(SpreadTaken("hierarchy", content.hierarchies)); !spread)
        return spread;
    content.contents.resize(static_cast<std::size_t>(content.hierarchies.Count()));
    return {};
}

// What a live hierarchy holds; nullptr for any other number.
ProjectHierarchy* HierarchyOf(ProjectContent& content, long long hierarchy) {
    const int index = AsIndex(hierarchy);
    if (!content.hierarchies.Live(index))
        return nullptr;
    return &content.contents[static_cast<std::size_t>(index - 1)];
}

Status ReadPages(sqlite3* sqlite, ProjectContent& content) {
    std::pair<long long, long long> lastPage{LLONG_MIN, 0};
    return EachRow(sqlite, "SELECT hierarchy, idx, name FROM pages ORDER BY hierarchy, idx",
                   [&content, &lastPage](const SqlStatement& row) {
                       ProjectHierarchy* hierarchy = HierarchyOf(content, row.Integer(0));
                       const long long index = row.Integer(1);
                       const std::pair key{row.Integer(0), index};
                       if (key <= std::exchange(lastPage, key))
                           return OutOfOrder("page", index);
                       if (!hierarchy)
                           return "page of a missing hierarchy " + DecimalText(row.Integer(0));
                       if (!IndexInRange(index, false))
                           return OutOfRange("page", index);
                       ProjectObject object;
                       object.name = row.Bytes(2);
                       return TakeRow(hierarchy->pages, "page", index, object);
                   });
}

Status ReadComponents(sqlite3* sqlite, ProjectContent& content) {
    std::vector<int> symbols; // of one component, the same room for every row
    std::tuple<long long, long long, long long> lastComponent{LLONG_MIN, 0, 0};
    return EachRow(sqlite,
                   "SELECT hierarchy, editor, idx, name, part, symbols FROM components "
                   "ORDER BY hierarchy, editor, idx",
                   [&content, &symbols, &lastComponent](const SqlStatement& row) {
                       ProjectHierarchy* hierarchy = HierarchyOf(content, row.Integer(0));
                       const long long editor = row.Integer(1);
                       const long long index = row.Integer(2);
                       const long long part = row.Integer(4);
                       const std::tuple key{row.Integer(0), editor, index};
                       if (key <= std::exchange(lastComponent, key))
                           return OutOfOrder("component", index);
                       if (!hierarchy)
                           return "component of a missing hierarchy " + DecimalText(row.Integer(0));
                       if (editor != 0 && editor != 1)
                           return "component of an unknown editor " + DecimalText(editor);
                       if (!IndexInRange(index, false))
                           return OutOfRange("component", index);
                       if (part != 0 && !IndexInRange(part, false))
                           return "component " + DecimalText(index) + " uses part " +
                                  DecimalText(part);
                       ProjectObject object;
                       object.name = row.Bytes(3);
                       object.part = static_cast<int>(part);
                       if (!ParseSymbolList(row.Bytes(5), symbols))
                           return "component " + DecimalText(index) + " has a bad symbol list";
                       object.symbols = symbols;
                       return TakeRow(hierarchy->components[static_cast<std::size_t>(editor)],
                                      "component", index, object);
                   });
}

} // namespace

Status ProjectDatabase::ReadContent(ProjectContent& content) {
    int currentHierarchy = 0;
    int currentPage = 0;
    bool hasProject = false;
    const Status read =
        EachRow(m_sqlite, "SELECT name, current_hierarchy, current_page FROM project",
                [&](const SqlStatement& row) {
                    if (hasProject)
                        return std::string("more than one project record");
                    hasProject = true;
                    content.name = row.Bytes(0);
                    if (std::string fault = NameFault(content.name); !fault.empty())
                        return "the project: " + fault;
                    currentHierarchy = AsIndex(row.Integer(1));
                    currentPage = AsIndex(row.Integer(2));
                    return std::string();
                });
    if (!read)
        return read;
    if (!hasProject)
        return Problem{"no project record"};
    if (Status maps = ReadMaps(content); !maps) {
        if (Status sparse = IndexesNearRowCounts(m_sqlite); !sparse)
            return sparse;
        return maps;
    }
    // A current hierarchy or page that is gone counts as none.
    if (currentHierarchy != 0 && content.hierarchies.Live(currentHierarchy)) {
        const ObjectMap& pages =
            content.contents[static_cast<std::size_t>(currentHierarchy - 1)].pages;
        content.currentHierarchy = currentHierarchy;
        content.currentPage = pages.Live(currentPage) ? currentPage : 0;
    }
    return {};
}

Status ProjectDatabase::ReadMaps(ProjectContent& content) {
    // Each table is stepped through once, in index order.
    Status read = ReadParts(m_sqlite, content.parts);
    if (read)
        read = ReadSymbols(m_sqlite, content.symbols);
    if (read)
        read = ReadHierarchies(m_sqlite, content);
    if (read)
        read = ReadPages(m_sqlite, content);
    if (read)
        read = ReadComponents(m_sqlite, content);
    for (ProjectHierarchy& hierarchy : content.contents) {
        for (auto [what, map] :
             {std::pair{"page", &hierarchy.pages}, std::pair{"component", &hierarchy.components[0]},
              std::pair{"component", &hierarchy.components[1]}})
            if (read)
                read = Unless(SpreadTaken(what, *map));
    }
    return read;
}

Status ProjectDatabase::BuildKeysAndUses() {
    const std::size_t hierarchies = m_content.contents.size();
    m_pageBase.assign(hierarchies, 0);
    m_componentBase.assign(hierarchies * 2, 0);
    m_uses.assign(hierarchies * 2, UseIndex{});
    long long pageKeys = 0;
    long long componentKeys = 0;
    for (std::size_t h = 0; h < hierarchies; ++h) {
        const ProjectHierarchy& inside = m_content.contents[h];
        m_pageBase[h] = static_cast<int>(pageKeys);
        pageKeys += inside.pages.Count();
        for (std::size_t editor = 0; editor < 2; ++editor) {
            const ObjectMap& components = inside.components[editor];
            m_componentBase[h * 2 + editor] = static_cast<int>(componentKeys);
            componentKeys += components.Count();
            UseIndex& uses = m_uses[h * 2 + editor];
            uses.byPart.reserve(static_cast<std::size_t>(components.Count()));
            for (int c = 1; c <= components.Count(); ++c) {
                const std::optional<ProjectObject> component = components.Live(c);
                if (!component)
                    continue;
                if (component->part != 0)
                    uses.byPart.emplace_back(component->part, c);
                for (int symbol : component->symbols)
                    uses.bySymbol.emplace_back(symbol, c);
            }
            // By what is used, then by user; a symbol listed twice is one use.
            std::sort(uses.byPart.begin(), uses.byPart.end());
            std::sort(uses.bySymbol.begin(), uses.bySymbol.end());
            uses.bySymbol.erase(std::unique(uses.bySymbol.begin(), uses.bySymbol.end()),
                                uses.bySymbol.end());
        }
        if (pageKeys > kMaxProjectIndex || componentKeys > kMaxProjectIndex)
            return Problem{"too many pages or components"};
    }
    return {};
}

const ObjectMap* ProjectDatabase::Pages(int hierarchy) const noexcept {
    if (!m_content.hierarchies.Live(hierarchy) || hierarchy < 1)
        return nullptr;
    return &m_content.contents[static_cast<std::size_t>(hierarchy - 1)].pages;
}

const ObjectMap* ProjectDatabase::Components(int hierarchy, ComponentEditor editor) const noexcept {
    if (!m_content.hierarchies.Live(hierarchy) || hierarchy < 1)
        return nullptr;
    return &m_content.contents[static_cast<std::size_t>(hierarchy - 1)].Components(editor);
}

const ProjectDatabase::UseIndex* ProjectDatabase::UsesOf(int hierarchy,
                                                         ComponentEditor editor) const noexcept {
    if (!Components(hierarchy, editor))
        return nullptr;
    return &m_uses[static_cast<std::size_t>(hierarchy - 1) * 2 + static_cast<std::size_t>(editor)];
}

namespace {

int NextUse(const std::vector<std::pair<int, int>>& uses, int used, int& cursor, int count) {
    const auto at =
        std::lower_bound(uses.begin(), uses.end(), std::pair{used, std::max(cursor, 1)});
    if (at != uses.end() && at->first == used) {
        cursor = at->second + 1;
        return at->second;
    }
    cursor = count + 1;
    return 0;
}

} // namespace

int ProjectDatabase::SearchPartUse(int hierarchy, ComponentEditor editor, int& cursor,
                                   int part) const {
    const UseIndex* uses = UsesOf(hierarchy, editor);
    if (!uses)
        return 0;
    return NextUse(uses->byPart, part, cursor, Components(hierarchy, editor)->Count());
}

int ProjectDatabase::SearchSymbolUse(int hierarchy, ComponentEditor editor, int& cursor,
                                     int symbol) const {
    const UseIndex* uses = UsesOf(hierarchy, editor);
    if (!uses)
        return 0;
    return NextUse(uses->bySymbol, symbol, cursor, Components(hierarchy, editor)->Count());
}

int ProjectDatabase::PageKey(int hierarchy, int page) const noexcept {
    const ObjectMap* pages = Pages(hierarchy);
    if (!pages || page < 1 || !pages->Live(page))
        return 0;
    return m_pageBase[static_cast<std::size_t>(hierarchy - 1)] + page;
}

bool ProjectDatabase::PageOfKey(int key, int& hierarchy, int& page) const noexcept {
    if (key < 1)
        return false;
    // The last hierarchy whose pages start before the key owns it.
    const auto after = std::lower_bound(m_pageBase.begin(), m_pageBase.end(), key);
    if (after == m_pageBase.begin())
        return false;
    hierarchy = static_cast<int>(after - m_pageBase.begin());
    page = key - m_pageBase[static_cast<std::size_t>(hierarchy - 1)];
    return PageKey(hierarchy, page) == key;
}

int ProjectDatabase::ComponentKey(int hierarchy, ComponentEditor editor,
                                  int component) const noexcept {
    const ObjectMap* components = Components(hierarchy, editor);
    if (!components || component < 1 || !components->Live(component))
        return 0;
    return m_componentBase[static_cast<std::size_t>(hierarchy - 1) * 2 +
                           static_cast<std::size_t>(editor)] +
           component;
}

bool ProjectDatabase::ComponentOfKey(int key, int& hierarchy, ComponentEditor& editor,
                                     int& component) const noexcept {
    if (key < 1)
        return false;
    const auto after = std::lower_bound(m_componentBase.begin(), m_componentBase.end(), key);
    if (after == m_componentBase.begin())
        return false;
    const std::size_t slot = static_cast<std::size_t>(after - m_componentBase.begin()) - 1;
    hierarchy = static_cast<int>(slot / 2) + 1;
    editor = static_cast<ComponentEditor>(slot % 2);
    component = key - m_componentBase[slot];
    return ComponentKey(hierarchy, editor, component) == key;
}

void ProjectDatabase::SetBusyTimeout(int milliseconds) {
    sqlite3_busy_timeout(m_sqlite, milliseconds);
}

} // namespace k2k
