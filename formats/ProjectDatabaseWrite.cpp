#include "formats/ProjectDatabase.h"

#include "formats/ProjectSql.h"
#include "formats/StoredTexts.h"
#include "system/AtomicFile.h"
#include "system/FileLock.h"
#include "system/Text.h"

#include <cstring>
#include <initializer_list>
#include <span>
#include <string_view>
#include <system_error>

// The writing of the project database: a whole new file, and each change of an open one.

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

// Why a change could not be written; kErrFileLocked when another program held the file.
Problem NotWritten(sqlite3* sqlite, const std::string& why) {
    if (HeldByAnother(sqlite))
        return Problem{"cannot write the project: " + HeldByAnotherText(), 0, kErrFileLocked};
    return Problem{"cannot write the project: " + why};
}

// One change to the file, in a transaction of its own: every change touches exactly one
// row, and a statement that changes none or several means the file does not hold what
// memory holds; it is then rolled back, so the file keeps what it held.
Status RunChange(sqlite3* sqlite, const char* sql, std::initializer_list<SqlValue> values) {
    if (const Status begun = ExecuteSql(sqlite, "BEGIN IMMEDIATE"); !begun)
        return NotWritten(sqlite, begun.Message());
    Status changed;
    {
        SqlStatement statement(sqlite, sql);
        if (!statement.Prepared() || !statement.Run(values))
            changed = Problem{statement.Error()};
        else if (const int rows = sqlite3_changes(sqlite); rows != 1)
            changed = Problem{rows == 0 ? "the project file does not hold the object"
                                        : "the change would reach " + DecimalText(rows) +
                                              " rows of the project file instead of one"};
    }
    if (changed)
        changed = ExecuteSql(sqlite, "COMMIT");
    if (changed)
        return {};
    Problem problem = NotWritten(sqlite, changed.Message());
    if (!sqlite3_get_autocommit(sqlite))
        static_cast<void>(ExecuteSql(sqlite, "ROLLBACK"));
    return problem;
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

void RemoveBuildFiles(const std::filesystem::path& temporary) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    std::filesystem::path journal = temporary;
    journal += "-journal";
    std::filesystem::remove(journal, ignored);
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

Status WriteContent(sqlite3* sqlite, const ProjectContent& content) {
    const std::string header =
        "PRAGMA application_id = " + DecimalText(ProjectDatabase::kApplicationId) +
        "; PRAGMA user_version = " + DecimalText(ProjectDatabase::kFormatVersion) + ";";
    for (const char* sql : {header.c_str(), "BEGIN", kSchema})
        if (Status done = ExecuteSql(sqlite, sql); !done)
            return done;

    SqlStatement project(sqlite, "INSERT INTO project VALUES (?, ?, ?)");
    SqlStatement part(sqlite, "INSERT INTO parts VALUES (?, ?, ?, ?)");
    SqlStatement symbol(sqlite, "INSERT INTO symbols VALUES (?, ?, ?, ?, ?, ?)");
    SqlStatement hierarchy(sqlite, "INSERT INTO hierarchies VALUES (?, ?)");
    SqlStatement page(sqlite, "INSERT INTO pages VALUES (?, ?, ?)");
    SqlStatement component(sqlite, "INSERT INTO components VALUES (?, ?, ?, ?, ?, ?)");
    for (const SqlStatement* statement : {&project, &part, &symbol, &hierarchy, &page, &component})
        if (!statement->Prepared())
            return Problem{statement->Error()};
    auto failed = [](const SqlStatement& statement) { return Problem{statement.Error()}; };

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
    return ExecuteSql(sqlite, "COMMIT");
}

} // namespace

Status ProjectDatabase::Write(const std::filesystem::path& file, const ProjectContent& content) {
    if (std::string problem = ContentProblem(content); !problem.empty())
        return Problem{"cannot write project " + file.string() + ": " + problem};
    // Writers of the file take turns; one that opened it works on its own copy of the old
    // file until it opens it again.
    FileLock lock;
    int lockErrno = 0;
    if (!lock.Take(file, &lockErrno))
        return Problem{
            "cannot write project " + file.string() + ": " +
                (lockErrno == kErrFileLocked ? HeldByAnotherText() : std::strerror(lockErrno)),
            0, lockErrno};
    std::filesystem::path temporary = file;
    temporary += ".new~";
    RemoveBuildFiles(temporary);

    sqlite3* sqlite = nullptr;
    const int opened = sqlite3_open_v2(temporary.c_str(), &sqlite,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Status written =
        opened == SQLITE_OK ? WriteContent(sqlite, content) : Problem{sqlite3_errmsg(sqlite)};
    // Closing after a failed write rolls the open transaction back.
    if (sqlite3_close(sqlite) != SQLITE_OK && written)
        written = Problem{"cannot close the new file"};
    if (!written) {
        RemoveBuildFiles(temporary);
        return Problem{"cannot write project " + file.string() + ": " + written.Message()};
    }
    std::error_code failure;
    std::filesystem::rename(temporary, file, failure);
    if (failure) {
        RemoveBuildFiles(temporary);
        return Problem{"cannot replace project " + file.string() + ": " + failure.message(), 0,
                       failure.value()};
    }
    SyncFolderOf(file);
    return {};
}

namespace {

// A name every store takes.
Status NameAllowed(std::string_view name) {
    if (std::string fault = NameFault(name); !fault.empty())
        return Problem{std::move(fault)};
    return {};
}

// A name every store takes that no other live object of the map (by the masks) has.
Status NameAllowed(const ObjectMap& map, std::string_view name, int maskA, int maskB, int except) {
    if (Status allowed = NameAllowed(name); !allowed)
        return allowed;
    if (map.FindLive(name, maskA, maskB, except) != 0)
        return Problem{"the name " + std::string(name) + " is already in use"};
    return {};
}

// The masks that tell symbols from packages and padstacks, which may share a name.
void NameClassOf(int flags, int& maskA, int& maskB) {
    maskB = 2;
    maskA = flags & 2;
}

} // namespace

Status ProjectDatabase::DeletePart(int index) {
    if (index < 1 || !m_content.parts.Live(index))
        return Problem{"no part " + DecimalText(index)};
    if (Status written = RunChange(m_sqlite, "UPDATE parts SET deleted = 1 WHERE idx = ?", {index});
        !written)
        return written;
    m_content.parts.Remove(index);
    return {};
}

Status ProjectDatabase::DeleteSymbol(int index) {
    if (!m_content.symbols.Live(index))
        return Problem{"no symbol " + DecimalText(index)};
    const char* sql = index < 0 ? "DELETE FROM symbols WHERE idx = ?"
                                : "UPDATE symbols SET deleted = 1 WHERE idx = ?";
    if (Status written = RunChange(m_sqlite, sql, {index}); !written)
        return written;
    m_content.symbols.Remove(index);
    return {};
}

Status ProjectDatabase::RenameDatabase(const std::string& name) {
    if (Status allowed = NameAllowed(name); !allowed)
        return allowed;
    if (name == m_content.name)
        return {};
    if (Status written = RunChange(m_sqlite, "UPDATE project SET name = ?", {name}); !written)
        return written;
    m_content.name = name;
    return {};
}

Status ProjectDatabase::RenamePart(int index, const std::string& name) {
    const std::optional<ProjectObject> part =
        index > 0 ? m_content.parts.Live(index) : std::nullopt;
    if (!part)
        return Problem{"no part " + DecimalText(index)};
    if (Status allowed = NameAllowed(m_content.parts, name, 0, 0, index); !allowed)
        return allowed;
    if (name == part->name)
        return {};
    if (Status written =
            RunChange(m_sqlite, "UPDATE parts SET name = ? WHERE idx = ?", {name, index});
        !written)
        return written;
    m_content.parts.Rename(index, name);
    return {};
}

Status ProjectDatabase::RenameSymbol(int index, const std::string& name) {
    const std::optional<ProjectObject> symbol = m_content.symbols.Live(index);
    if (!symbol)
        return Problem{"no symbol " + DecimalText(index)};
    int maskA = 0;
    int maskB = 0;
    NameClassOf(symbol->flags, maskA, maskB);
    // A scratch object is outside the name index, so its name clashes with nothing.
    if (Status allowed = index < 0 ? NameAllowed(name)
                                   : NameAllowed(m_content.symbols, name, maskA, maskB, index);
        !allowed)
        return allowed;
    if (name == symbol->name)
        return {};
    if (Status written =
            RunChange(m_sqlite, "UPDATE symbols SET name = ? WHERE idx = ?", {name, index});
        !written)
        return written;
    m_content.symbols.Rename(index, name);
    return {};
}

Status ProjectDatabase::RenameHierarchy(int hierarchy, const std::string& name) {
    const std::optional<ProjectObject> object =
        hierarchy > 0 ? m_content.hierarchies.Live(hierarchy) : std::nullopt;
    if (!object)
        return Problem{"no hierarchy " + DecimalText(hierarchy)};
    if (Status allowed = NameAllowed(m_content.hierarchies, name, 0, 0, hierarchy); !allowed)
        return allowed;
    if (name == object->name)
        return {};
    if (Status written =
            RunChange(m_sqlite, "UPDATE hierarchies SET name = ? WHERE idx = ?", {name, hierarchy});
        !written)
        return written;
    m_content.hierarchies.Rename(hierarchy, name);
    return {};
}

Status ProjectDatabase::RenamePage(int hierarchy, int page, const std::string& name) {
    if (PageKey(hierarchy, page) == 0)
        return Problem{"no page " + DecimalText(page) + " in hierarchy " + DecimalText(hierarchy)};
    ObjectMap& pages = m_content.contents[static_cast<std::size_t>(hierarchy - 1)].pages;
    if (Status allowed = NameAllowed(pages, name, 0, 0, page); !allowed)
        return allowed;
    if (name == pages.Live(page)->name)
        return {};
    if (Status written =
            RunChange(m_sqlite, "UPDATE pages SET name = ? WHERE hierarchy = ? AND idx = ?",
                      {name, hierarchy, page});
        !written)
        return written;
    pages.Rename(page, name);
    return {};
}

Status ProjectDatabase::RenameComponent(int hierarchy, ComponentEditor editor, int component,
                                        const std::string& name) {
    if (ComponentKey(hierarchy, editor, component) == 0)
        return Problem{"no component " + DecimalText(component) + " in hierarchy " +
                       DecimalText(hierarchy)};
    ObjectMap& components =
        m_content.contents[static_cast<std::size_t>(hierarchy - 1)].Components(editor);
    if (Status allowed = NameAllowed(components, name, 0, 0, component); !allowed)
        return allowed;
    if (name == components.Live(component)->name)
        return {};
    if (Status written = RunChange(
            m_sqlite,
            "UPDATE components SET name = ? WHERE hierarchy = ? AND editor = ? AND idx = ?",
            {name, hierarchy, static_cast<int>(editor), component});
        !written)
        return written;
    components.Rename(component, name);
    return {};
}

Result<int> ProjectDatabase::StoreSymbol(int index, ProjectObject object) {
    object.deleted = false;
    object.part = 0;
    object.symbols = {};
    ObjectMap& symbols = m_content.symbols;
    if (index == 0)
        index = symbols.Count() + 1;
    if (index > kMaxProjectIndex || index < -kMaxProjectIndex ||
        (index > 0 && index != symbols.Count() + 1))
        return Problem{"symbol index " + DecimalText(index) + " is not free"};
    int maskA = 0;
    int maskB = 0;
    NameClassOf(object.flags, maskA, maskB);
    if (Status allowed = index < 0 ? NameAllowed(object.name)
                                   : NameAllowed(symbols, object.name, maskA, maskB, 0);
        !allowed)
        return std::move(allowed).Error();
    if (std::string fault = InfoFault(object.info); !fault.empty())
        return Problem{std::move(fault)};
    if (Status written =
            RunChange(m_sqlite, "INSERT OR REPLACE INTO symbols VALUES (?, ?, ?, ?, ?, 0)",
                      {index, object.name, object.info, object.drawing, object.flags});
        !written)
        return std::move(written).Error();
    symbols.Put(index, object);
    return index;
}

} // namespace k2k
