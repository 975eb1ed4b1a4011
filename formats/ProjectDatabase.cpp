#include "formats/ProjectDatabase.h"

#include "formats/StoredTexts.h"
#include "system/AtomicFile.h"
#include "system/FileLock.h"
#include "system/Text.h"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <initializer_list>
#include <limits>
#include <span>
#include <string_view>
#include <system_error>
#include <tuple>
#include <unistd.h>
#include <utility>

namespace k2k {

namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE project (
    name BLOB NOT NULL,
    current_hierarchy INTEGER NOT NULL,
    current_page INTEGER NOT NULL
);
CREATE TABLE parts (
    idx INTEGER PRIMARY KEY,
    name BLOB NOT NULL,
    info BLOB NOT NULL,
    deleted INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE symbols (
    idx INTEGER PRIMARY KEY,
    name BLOB NOT NULL,
    info BLOB NOT NULL,
    drawing BLOB NOT NULL,
    flags INTEGER NOT NULL,
    deleted INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE hierarchies (
    idx INTEGER PRIMARY KEY,
    name BLOB NOT NULL
);
CREATE TABLE pages (
    hierarchy INTEGER NOT NULL,
    idx INTEGER NOT NULL,
    name BLOB NOT NULL,
    PRIMARY KEY (hierarchy, idx)
) WITHOUT ROWID;
CREATE TABLE components (
    hierarchy INTEGER NOT NULL,
    editor INTEGER NOT NULL,
    idx INTEGER NOT NULL,
    name BLOB NOT NULL,
    part INTEGER NOT NULL,
    symbols TEXT NOT NULL,
    PRIMARY KEY (hierarchy, editor, idx)
) WITHOUT ROWID;
)sql";

// One value bound to a statement: a number, or bytes stored as a BLOB.
struct SqlValue {
    SqlValue(long long value) : number(value) {}
    SqlValue(int value) : number(value) {}
    SqlValue(std::string_view value) : isBytes(true), bytes(value) {}
    SqlValue(const std::string& value) : isBytes(true), bytes(value) {}

    bool isBytes = false;
    long long number = 0;
    std::string_view bytes;
};

class Statement final {
public:
    Statement(sqlite3* sqlite, const char* sql) : m_sqlite(sqlite) {
        m_result = sqlite3_prepare_v2(sqlite, sql, -1, &m_statement, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Prepared() const noexcept { return m_result == SQLITE_OK; }

    bool Bind(std::initializer_list<SqlValue> values) {
        sqlite3_reset(m_statement);
        int column = 1;
        for (const SqlValue& value : values) {
            int result = SQLITE_OK;
            if (!value.isBytes)
                result = sqlite3_bind_int64(m_statement, column, value.number);
            else if (value.bytes.empty())
                result = sqlite3_bind_zeroblob(m_statement, column, 0);
            else
                result = sqlite3_bind_blob64(m_statement, column, value.bytes.data(),
                                             value.bytes.size(), SQLITE_STATIC);
            if (result != SQLITE_OK)
                return false;
            ++column;
        }
        return true;
    }

    // SQLITE_ROW, SQLITE_DONE or an error.
    int Step() { return sqlite3_step(m_statement); }
    bool Run(std::initializer_list<SqlValue> values) {
        return Bind(values) && Step() == SQLITE_DONE;
    }

    long long Integer(int column) const { return sqlite3_column_int64(m_statement, column); }
    // The bytes of a column, valid until the next step.
    std::string_view Bytes(int column) const {
        const void* data = sqlite3_column_blob(m_statement, column);
        const int size = sqlite3_column_bytes(m_statement, column);
        return data ? std::string_view(static_cast<const char*>(data),
                                       static_cast<std::size_t>(size))
                    : std::string_view();
    }

    std::string Text(int column) const {
        const unsigned char* text = sqlite3_column_text(m_statement, column);
        return text ? reinterpret_cast<const char*>(text) : "";
    }

    std::string Error() const { return sqlite3_errmsg(m_sqlite); }

private:
    sqlite3* m_sqlite;
    sqlite3_stmt* m_statement = nullptr;
    int m_result = SQLITE_OK;
};

bool Execute(sqlite3* sqlite, const char* sql, std::string& error) {
    char* message = nullptr;
    if (sqlite3_exec(sqlite, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    error = message ? message : sqlite3_errmsg(sqlite);
    sqlite3_free(message);
    return false;
}

// Another connection held the file all the time the busy timeout let this one wait.
bool HeldByAnother(sqlite3* sqlite) {
    const int code = sqlite3_errcode(sqlite);
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

std::string HeldByAnotherText() {
    return "another program is changing the project file";
}

// One change to the file, in a transaction of its own: every change touches exactly one
// row, and a statement that changes none or several means the file does not hold what
// memory holds; it is then rolled back, so the file keeps what it held. Answers the
// error, empty on success.
std::string RunChange(int& errorNumber, sqlite3* sqlite, const char* sql,
                      std::initializer_list<SqlValue> values) {
    std::string error;
    errorNumber = 0;
    if (!Execute(sqlite, "BEGIN IMMEDIATE", error)) {
        if (!HeldByAnother(sqlite))
            return error;
        errorNumber = kErrFileLocked;
        return HeldByAnotherText();
    }
    {
        Statement statement(sqlite, sql);
        if (!statement.Prepared() || !statement.Run(values))
            error = statement.Error();
        else if (const int changed = sqlite3_changes(sqlite); changed != 1)
            error = changed == 0 ? "the project file does not hold the object"
                                 : "the change would reach " + DecimalText(changed) +
                                       " rows of the project file instead of one";
    }
    if (error.empty() && Execute(sqlite, "COMMIT", error))
        return {};
    if (HeldByAnother(sqlite)) {
        errorNumber = kErrFileLocked;
        error = HeldByAnotherText();
    }
    std::string ignored;
    if (!sqlite3_get_autocommit(sqlite))
        Execute(sqlite, "ROLLBACK", ignored);
    return error;
}

std::string SymbolList(std::span<const int> symbols) {
    std::string text;
    for (int symbol : symbols) {
        if (!text.empty())
            text += ',';
        text += DecimalText(symbol);
    }
    return text;
}

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

bool IndexInRange(long long index, bool allowScratch) {
    return (index >= 1 && index <= kMaxProjectIndex) ||
           (allowScratch && index < 0 && index >= -kMaxProjectIndex);
}

void RemoveBuildFiles(const std::filesystem::path& temporary) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    std::filesystem::path journal = temporary;
    journal += "-journal";
    std::filesystem::remove(journal, ignored);
}

// Every object the project holds in use has a name and info text that every store takes
// (StoredTexts): the kernel hands them over as C strings and finds objects by name, so an
// object without a name, or with a NUL byte in its texts, could be listed but never found
// again. The open refuses such a file as damaged, and the writes and changes refuse to
// store one.
std::string NameProblem(const char* what, long long index, const ProjectObject& object) {
    if (object.deleted)
        return {};
    std::string fault = NameFault(object.name);
    if (fault.empty())
        fault = InfoFault(object.info);
    return fault.empty() ? fault : std::string(what) + " " + DecimalText(index) + ": " + fault;
}

// The first object of a map that breaks the rule.
std::string MapProblem(const char* what, const ObjectMap& map) {
    for (int index = 1; index <= map.Count(); ++index)
        if (const std::optional<ProjectObject> object = map.Live(index))
            if (std::string problem = NameProblem(what, index, *object); !problem.empty())
                return problem;
    return {};
}

// What of a whole project breaks the rule; empty when nothing does.
std::string ContentProblem(const ProjectContent& content) {
    if (std::string fault = NameFault(content.name); !fault.empty())
        return "the project: " + fault;
    std::string problem = MapProblem("part", content.parts);
    if (problem.empty())
        problem = MapProblem("symbol", content.symbols);
    if (problem.empty())
        problem = MapProblem("hierarchy", content.hierarchies);
    for (const ProjectHierarchy& hierarchy : content.contents) {
        if (problem.empty())
            problem = MapProblem("page", hierarchy.pages);
        for (const ObjectMap& components : hierarchy.components)
            if (problem.empty())
                problem = MapProblem("component", components);
    }
    return problem;
}

bool WriteContent(sqlite3* sqlite, const ProjectContent& content, std::string& error) {
    const std::string header =
        "PRAGMA application_id = " + DecimalText(ProjectDatabase::kApplicationId) +
        "; PRAGMA user_version = " + DecimalText(ProjectDatabase::kFormatVersion) + ";";
    if (!Execute(sqlite, header.c_str(), error) || !Execute(sqlite, "BEGIN", error) ||
        !Execute(sqlite, kSchema, error))
        return false;

    Statement project(sqlite, "INSERT INTO project VALUES (?, ?, ?)");
    Statement part(sqlite, "INSERT INTO parts VALUES (?, ?, ?, ?)");
    Statement symbol(sqlite, "INSERT INTO symbols VALUES (?, ?, ?, ?, ?, ?)");
    Statement hierarchy(sqlite, "INSERT INTO hierarchies VALUES (?, ?)");
    Statement page(sqlite, "INSERT INTO pages VALUES (?, ?, ?)");
    Statement component(sqlite, "INSERT INTO components VALUES (?, ?, ?, ?, ?, ?)");
    for (const Statement* statement : {&project, &part, &symbol, &hierarchy, &page, &component})
        if (!statement->Prepared()) {
            error = statement->Error();
            return false;
        }
    auto failed = [&error](const Statement& statement) {
        error = statement.Error();
        return false;
    };

    if (!project.Run({content.name, content.currentHierarchy, content.currentPage}))
        return failed(project);
    for (int index = 1; index <= content.parts.Count(); ++index) {
        const ProjectObject object = *content.parts.Find(index);
        if (!part.Run({index, object.name, object.info, object.deleted ? 1 : 0}))
            return failed(part);
    }
    auto writeSymbol = [&symbol, &content](int at) {
        const ProjectObject object = *content.symbols.Find(at);
        return symbol.Run(
            {at, object.name, object.info, object.drawing, object.flags, object.deleted ? 1 : 0});
    };
    for (int index = 1; index <= content.symbols.Count(); ++index)
        if (!writeSymbol(index))
            return failed(symbol);
    for (int at : content.symbols.ScratchIndexes())
        if (!writeSymbol(at))
            return failed(symbol);

    // Hierarchies, pages and components are never deleted; an unfilled slot stays one by
    // having no row.
    for (int h = 1; h <= content.hierarchies.Count(); ++h) {
        const std::optional<ProjectObject> object = content.hierarchies.Live(h);
        if (!object)
            continue;
        if (!hierarchy.Run({h, object->name}))
            return failed(hierarchy);
        if (static_cast<std::size_t>(h) > content.contents.size())
            continue;
        const ProjectHierarchy& inside = content.contents[static_cast<std::size_t>(h - 1)];
        for (int p = 1; p <= inside.pages.Count(); ++p)
            if (const std::optional<ProjectObject> pageObject = inside.pages.Live(p))
                if (!page.Run({h, p, pageObject->name}))
                    return failed(page);
        for (int editor = 0; editor < 2; ++editor) {
            const ObjectMap& components = inside.components[static_cast<std::size_t>(editor)];
            for (int c = 1; c <= components.Count(); ++c)
                if (const std::optional<ProjectObject> used = components.Live(c))
                    if (!component.Run(
                            {h, editor, c, used->name, used->part, SymbolList(used->symbols)}))
                        return failed(component);
        }
    }
    return Execute(sqlite, "COMMIT", error);
}

// SQLite's check of the file's structure: its first finding, on one line and without the
// name of the schema; empty when the file passes.
std::string StructureFinding(sqlite3* sqlite) {
    Statement check(sqlite, "PRAGMA quick_check(1)");
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

std::unique_ptr<ProjectDatabase> ProjectDatabase::Open(const std::filesystem::path& file,
                                                       std::string& error) {
    std::error_code failure;
    if (!std::filesystem::exists(file, failure)) {
        error = "project file not found: " + file.string();
        return nullptr;
    }
    if (!std::filesystem::is_regular_file(file, failure)) {
        error = "not a project file: " + file.string();
        return nullptr;
    }
    std::unique_ptr<ProjectDatabase> database(new ProjectDatabase());
    if (sqlite3_open_v2(file.c_str(), &database->m_sqlite, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        error = "cannot open project " + file.string() + ": " + sqlite3_errmsg(database->m_sqlite);
        return nullptr;
    }
    database->SetBusyTimeout(
        static_cast<int>(std::min<long long>(LockWait().count(), std::numeric_limits<int>::max())));
    std::string why;
    if (!database->Load(why)) {
        error = file.string() + ": " + why;
        return nullptr;
    }
    return database;
}

bool ProjectDatabase::Write(const std::filesystem::path& file, const ProjectContent& content,
                            std::string& error) {
    if (std::string problem = ContentProblem(content); !problem.empty()) {
        error = "cannot write project " + file.string() + ": " + problem;
        return false;
    }
    // Writers of the file take turns; one that opened it works on its own copy of the old
    // file until it opens it again.
    FileLock lock;
    int lockErrno = 0;
    if (!lock.Take(file, &lockErrno)) {
        error = "cannot write project " + file.string() + ": " +
                (lockErrno == kErrFileLocked ? HeldByAnotherText() : std::strerror(lockErrno));
        return false;
    }
    std::filesystem::path temporary = file;
    temporary += ".new~";
    RemoveBuildFiles(temporary);

    sqlite3* sqlite = nullptr;
    const int opened = sqlite3_open_v2(temporary.c_str(), &sqlite,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::string why;
    bool written = false;
    if (opened != SQLITE_OK)
        why = sqlite3_errmsg(sqlite);
    else
        written = WriteContent(sqlite, content, why);
    // Closing after a failed write rolls the open transaction back.
    if (sqlite3_close(sqlite) != SQLITE_OK && written) {
        why = "cannot close the new file";
        written = false;
    }
    if (!written) {
        error = "cannot write project " + file.string() + ": " + why;
        RemoveBuildFiles(temporary);
        return false;
    }
    std::error_code failure;
    std::filesystem::rename(temporary, file, failure);
    if (failure) {
        error = "cannot replace project " + file.string() + ": " + failure.message();
        RemoveBuildFiles(temporary);
        return false;
    }
    SyncFolderOf(file);
    return true;
}

bool ProjectDatabase::Load(std::string& error) {
    {
        Statement identity(m_sqlite, "PRAGMA application_id");
        if (!identity.Prepared() || identity.Step() != SQLITE_ROW) {
            error = "not a project database (" + identity.Error() + ")";
            return false;
        }
        if (identity.Integer(0) != kApplicationId) {
            error = "not a project database";
            return false;
        }
        Statement version(m_sqlite, "PRAGMA user_version");
        if (!version.Prepared() || version.Step() != SQLITE_ROW) {
            error = "not a project database (" + version.Error() + ")";
            return false;
        }
        if (version.Integer(0) != kFormatVersion) {
            error = "project database of format " + DecimalText(version.Integer(0)) +
                    "; this program reads format " + DecimalText(kFormatVersion);
            return false;
        }
    }
    // A file whose structure is damaged may read well enough and yet take a change into
    // other rows than the ones meant. The read steps through every table in the order of
    // its keys and refuses a key that does not rise (its row would not be where a change
    // looks for it), and SQLite checks the cells of every page it loads, now and for each
    // change. SQLite's own check of the whole file (pages, b-trees, the free list) costs
    // as much again as the read, so it runs only once the read has refused the file, and
    // its finding then comes first.
    std::string why;
    if (!Execute(m_sqlite, "PRAGMA cell_size_check = ON", why)) {
        error = "cannot read the project database: " + why;
        return false;
    }
    // One read transaction, so that everything comes from one state of the file.
    if (!Execute(m_sqlite, "BEGIN", why)) {
        error = "cannot read the project database: " + why;
        return false;
    }
    ProjectContent content;
    const bool read = ReadContent(content, why);
    const std::string finding = read ? std::string() : StructureFinding(m_sqlite);
    Execute(m_sqlite, read ? "COMMIT" : "ROLLBACK", why);
    if (!read) {
        error = finding.empty()
                    ? "damaged project database: " + why
                    : "damaged project database: the file fails SQLite's check (" + finding + ")";
        return false;
    }
    m_content = std::move(content);
    return BuildKeysAndUses(error);
}

namespace {

int AsIndex(long long value) {
    return IndexInRange(value, false) ? static_cast<int>(value) : 0;
}

// Runs a query and hands every row to take, which answers why it refuses the row (empty
// when it takes it). False, with error set, at the first refusal or failure.
template <class Take>
bool EachRow(sqlite3* sqlite, const char* sql, std::string& error, Take take) {
    Statement statement(sqlite, sql);
    if (!statement.Prepared()) {
        error = statement.Error();
        return false;
    }
    int result = SQLITE_OK;
    while ((result = statement.Step()) == SQLITE_ROW) {
        error = take(statement);
        if (!error.empty())
            return false;
    }
    if (result != SQLITE_DONE) {
        error = statement.Error();
        return false;
    }
    return true;
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
std::string IndexesNearRowCounts(sqlite3* sqlite) {
    std::string error;
    EachRow(sqlite, kMapExtents, error, [](const Statement& row) {
        return FarBeyond(row.Text(0), row.Integer(1), row.Integer(2));
    });
    return error;
}

// The highest index of a table (positive ones only), to make room for its rows: a
// lookup at the end of the table's tree.
std::size_t HighestIndex(sqlite3* sqlite, const char* sql) {
    Statement statement(sqlite, sql);
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

} // namespace

bool ProjectDatabase::ReadContent(ProjectContent& content, std::string& error) {
    int currentHierarchy = 0;
    int currentPage = 0;
    bool hasProject = false;
    if (!EachRow(m_sqlite, "SELECT name, current_hierarchy, current_page FROM project", error,
                 [&](const Statement& row) {
                     if (hasProject)
                         return std::string("more than one project record");
                     hasProject = true;
                     content.name = row.Bytes(0);
                     if (std::string fault = NameFault(content.name); !fault.empty())
                         return "the project: " + fault;
                     currentHierarchy = AsIndex(row.Integer(1));
                     currentPage = AsIndex(row.Integer(2));
                     return std::string();
                 }))
        return false;
    if (!hasProject) {
        error = "no project record";
        return false;
    }
    if (!ReadMaps(content, error)) {
        if (std::string sparse = IndexesNearRowCounts(m_sqlite); !sparse.empty())
            error = std::move(sparse);
        return false;
    }
    // A current hierarchy or page that is gone counts as none.
    if (currentHierarchy != 0 && content.hierarchies.Live(currentHierarchy)) {
        const ObjectMap& pages =
            content.contents[static_cast<std::size_t>(currentHierarchy - 1)].pages;
        content.currentHierarchy = currentHierarchy;
        content.currentPage = pages.Live(currentPage) ? currentPage : 0;
    }
    return true;
}

bool ProjectDatabase::ReadMaps(ProjectContent& content, std::string& error) {
    // Each table is stepped through once, in index order, and every row goes straight
    // into its map: the maps copy the texts from SQLite's row into their own store.
    content.parts.Reserve(HighestIndex(m_sqlite, "SELECT max(idx) FROM parts"));
    if (!EachRow(m_sqlite, "SELECT idx, name, info, deleted FROM parts ORDER BY idx", error,
                 [&content](const Statement& row) {
                     const long long index = row.Integer(0);
                     if (!IndexInRange(index, false))
                         return OutOfRange("part", index);
                     ProjectObject object;
                     object.name = row.Bytes(1);
                     object.info = row.Bytes(2);
                     object.deleted = row.Integer(3) != 0;
                     if (std::string bad = NameProblem("part", index, object); !bad.empty())
                         return bad;
                     if (!content.parts.Take(static_cast<int>(index), object))
                         return OutOfOrder("part", index);
                     return std::string();
                 }))
        return false;
    if (error = SpreadTaken("part", content.parts); !error.empty())
        return false;

    content.symbols.Reserve(HighestIndex(m_sqlite, "SELECT max(idx) FROM symbols"));
    long long lastSymbol = LLONG_MIN;
    if (!EachRow(m_sqlite,
                 "SELECT idx, name, info, drawing, flags, deleted FROM symbols ORDER BY idx", error,
                 [&content, &lastSymbol](const Statement& row) {
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
                             content.symbols.Put(static_cast<int>(index), object);
                     } else if (!content.symbols.Take(static_cast<int>(index), object)) {
                         return OutOfOrder("symbol", index);
                     }
                     return std::string();
                 }))
        return false;
    if (error = SpreadTaken("symbol", content.symbols); !error.empty())
        return false;

    if (!EachRow(m_sqlite, "SELECT idx, name FROM hierarchies ORDER BY idx", error,
                 [&content](const Statement& row) {
                     const long long index = row.Integer(0);
                     if (!IndexInRange(index, false))
                         return OutOfRange("hierarchy", index);
                     ProjectObject object;
                     object.name = row.Bytes(1);
                     if (std::string bad = NameProblem("hierarchy", index, object); !bad.empty())
                         return bad;
                     if (!content.hierarchies.Take(static_cast<int>(index), object))
                         return OutOfOrder("hierarchy", index);
                     return std::string();
                 }))
        return false;
    if (error = SpreadTaken("hierarchy", content.hierarchies); !error.empty())
        return false;
    content.contents.resize(static_cast<std::size_t>(content.hierarchies.Count()));
    auto hierarchyOf = [&content](long long hierarchy) -> ProjectHierarchy* {
        const int index = AsIndex(hierarchy);
        if (!content.hierarchies.Live(index))
            return nullptr;
        return &content.contents[static_cast<std::size_t>(index - 1)];
    };

    std::pair<long long, long long> lastPage{LLONG_MIN, 0};
    if (!EachRow(m_sqlite, "SELECT hierarchy, idx, name FROM pages ORDER BY hierarchy, idx", error,
                 [&hierarchyOf, &lastPage](const Statement& row) {
                     ProjectHierarchy* hierarchy = hierarchyOf(row.Integer(0));
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
                     if (std::string bad = NameProblem("page", index, object); !bad.empty())
                         return bad;
                     if (!hierarchy->pages.Take(static_cast<int>(index), object))
                         return OutOfOrder("page", index);
                     return std::string();
                 }))
        return false;

    std::vector<int> symbols; // of one component, the same room for every row
    std::tuple<long long, long long, long long> lastComponent{LLONG_MIN, 0, 0};
    if (!EachRow(m_sqlite,
                 "SELECT hierarchy, editor, idx, name, part, symbols FROM components "
                 "ORDER BY hierarchy, editor, idx",
                 error, [&hierarchyOf, &symbols, &lastComponent](const Statement& row) {
                     ProjectHierarchy* hierarchy = hierarchyOf(row.Integer(0));
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
                     if (std::string bad = NameProblem("component", index, object); !bad.empty())
                         return bad;
                     if (!hierarchy->components[static_cast<std::size_t>(editor)].Take(
                             static_cast<int>(index), object))
                         return OutOfOrder("component", index);
                     return std::string();
                 }))
        return false;
    for (ProjectHierarchy& hierarchy : content.contents) {
        for (auto [what, map] :
             {std::pair{"page", &hierarchy.pages}, std::pair{"component", &hierarchy.components[0]},
              std::pair{"component", &hierarchy.components[1]}})
            if (error = SpreadTaken(what, *map); !error.empty())
                return false;
    }
    return true;
}

bool ProjectDatabase::BuildKeysAndUses(std::string& error) {
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
        if (pageKeys > kMaxProjectIndex || componentKeys > kMaxProjectIndex) {
            error = "too many pages or components";
            return false;
        }
    }
    return true;
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

bool ProjectDatabase::Fail(const std::string& message) {
    m_error = message;
    m_errorNumber = 0;
    return false;
}

bool ProjectDatabase::NameRefused(std::string_view name) {
    if (std::string fault = NameFault(name); !fault.empty())
        return !Fail(fault);
    return false;
}

bool ProjectDatabase::NameRefused(const ObjectMap& map, std::string_view name, int maskA, int maskB,
                                  int except) {
    if (NameRefused(name))
        return true;
    if (map.FindLive(name, maskA, maskB, except) != 0)
        return !Fail("the name " + std::string(name) + " is already in use");
    return false;
}

namespace {

// The masks that tell symbols from packages and padstacks, which may share a name.
void NameClassOf(int flags, int& maskA, int& maskB) {
    maskB = 2;
    maskA = flags & 2;
}

} // namespace

bool ProjectDatabase::Written(const std::string& failure) {
    if (failure.empty())
        return true;
    const int errorNumber = m_errorNumber;
    Fail("cannot write the project: " + failure);
    m_errorNumber = errorNumber;
    return false;
}

bool ProjectDatabase::DeletePart(int index) {
    if (index < 1 || !m_content.parts.Live(index))
        return Fail("no part " + DecimalText(index));
    if (!Written(RunChange(m_errorNumber, m_sqlite, "UPDATE parts SET deleted = 1 WHERE idx = ?",
                           {index})))
        return false;
    m_content.parts.Remove(index);
    return true;
}

bool ProjectDatabase::DeleteSymbol(int index) {
    if (!m_content.symbols.Live(index))
        return Fail("no symbol " + DecimalText(index));
    const char* sql = index < 0 ? "DELETE FROM symbols WHERE idx = ?"
                                : "UPDATE symbols SET deleted = 1 WHERE idx = ?";
    if (!Written(RunChange(m_errorNumber, m_sqlite, sql, {index})))
        return false;
    m_content.symbols.Remove(index);
    return true;
}

bool ProjectDatabase::RenameDatabase(const std::string& name) {
    if (NameRefused(name))
        return false;
    if (name == m_content.name)
        return true;
    if (!Written(RunChange(m_errorNumber, m_sqlite, "UPDATE project SET name = ?", {name})))
        return false;
    m_content.name = name;
    return true;
}

bool ProjectDatabase::RenamePart(int index, const std::string& name) {
    const std::optional<ProjectObject> part =
        index > 0 ? m_content.parts.Live(index) : std::nullopt;
    if (!part)
        return Fail("no part " + DecimalText(index));
    if (NameRefused(m_content.parts, name, 0, 0, index))
        return false;
    if (name == part->name)
        return true;
    if (!Written(RunChange(m_errorNumber, m_sqlite, "UPDATE parts SET name = ? WHERE idx = ?",
                           {name, index})))
        return false;
    m_content.parts.Rename(index, name);
    return true;
}

bool ProjectDatabase::RenameSymbol(int index, const std::string& name) {
    const std::optional<ProjectObject> symbol = m_content.symbols.Live(index);
    if (!symbol)
        return Fail("no symbol " + DecimalText(index));
    int maskA = 0;
    int maskB = 0;
    NameClassOf(symbol->flags, maskA, maskB);
    // A scratch object is outside the name index, so its name clashes with nothing.
    if (index < 0 ? NameRefused(name) : NameRefused(m_content.symbols, name, maskA, maskB, index))
        return false;
    if (name == symbol->name)
        return true;
    if (!Written(RunChange(m_errorNumber, m_sqlite, "UPDATE symbols SET name = ? WHERE idx = ?",
                           {name, index})))
        return false;
    m_content.symbols.Rename(index, name);
    return true;
}

bool ProjectDatabase::RenameHierarchy(int hierarchy, const std::string& name) {
    const std::optional<ProjectObject> object =
        hierarchy > 0 ? m_content.hierarchies.Live(hierarchy) : std::nullopt;
    if (!object)
        return Fail("no hierarchy " + DecimalText(hierarchy));
    if (NameRefused(m_content.hierarchies, name, 0, 0, hierarchy))
        return false;
    if (name == object->name)
        return true;
    if (!Written(RunChange(m_errorNumber, m_sqlite, "UPDATE hierarchies SET name = ? WHERE idx = ?",
                           {name, hierarchy})))
        return false;
    m_content.hierarchies.Rename(hierarchy, name);
    return true;
}

bool ProjectDatabase::RenamePage(int hierarchy, int page, const std::string& name) {
    if (PageKey(hierarchy, page) == 0)
        return Fail("no page " + DecimalText(page) + " in hierarchy " + DecimalText(hierarchy));
    ObjectMap& pages = m_content.contents[static_cast<std::size_t>(hierarchy - 1)].pages;
    if (NameRefused(pages, name, 0, 0, page))
        return false;
    if (name == pages.Live(page)->name)
        return true;
    if (!Written(RunChange(m_errorNumber, m_sqlite,
                           "UPDATE pages SET name = ? WHERE hierarchy = ? AND idx = ?",
                           {name, hierarchy, page})))
        return false;
    pages.Rename(page, name);
    return true;
}

bool ProjectDatabase::RenameComponent(int hierarchy, ComponentEditor editor, int component,
                                      const std::string& name) {
    if (ComponentKey(hierarchy, editor, component) == 0)
        return Fail("no component " + DecimalText(component) + " in hierarchy " +
                    DecimalText(hierarchy));
    ObjectMap& components =
        m_content.contents[static_cast<std::size_t>(hierarchy - 1)].Components(editor);
    if (NameRefused(components, name, 0, 0, component))
        return false;
    if (name == components.Live(component)->name)
        return true;
    if (!Written(RunChange(
            m_errorNumber, m_sqlite,
            "UPDATE components SET name = ? WHERE hierarchy = ? AND editor = ? AND idx = ?",
            {name, hierarchy, static_cast<int>(editor), component})))
        return false;
    components.Rename(component, name);
    return true;
}

int ProjectDatabase::StoreSymbol(int index, ProjectObject object) {
    object.deleted = false;
    object.part = 0;
    object.symbols = {};
    ObjectMap& symbols = m_content.symbols;
    if (index == 0)
        index = symbols.Count() + 1;
    if (index > kMaxProjectIndex || index < -kMaxProjectIndex ||
        (index > 0 && index != symbols.Count() + 1)) {
        Fail("symbol index " + DecimalText(index) + " is not free");
        return 0;
    }
    int maskA = 0;
    int maskB = 0;
    NameClassOf(object.flags, maskA, maskB);
    if (index < 0 ? NameRefused(object.name) : NameRefused(symbols, object.name, maskA, maskB, 0))
        return 0;
    if (std::string fault = InfoFault(object.info); !fault.empty()) {
        Fail(fault);
        return 0;
    }
    if (!Written(RunChange(m_errorNumber, m_sqlite,
                           "INSERT OR REPLACE INTO symbols VALUES (?, ?, ?, ?, ?, 0)",
                           {index, object.name, object.info, object.drawing, object.flags})))
        return 0;
    symbols.Put(index, object);
    return index;
}

} // namespace k2k
