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

// One change to the file, in a transaction of its own: every change touches exactly one
// row, and a statement that changes none or several means the file does not hold what
// memory holds; it is then rolled back, so the file keeps what it held. Answers the
// error, empty on success.
std::string RunChange(int& errorNumber, sqlite3* sqlite, const char* sql,
                      std::initializer_list<SqlValue> values) {
    std::string error;
    errorNumber = 0;
    if (!ExecuteSql(sqlite, "BEGIN IMMEDIATE", error)) {
        if (!HeldByAnother(sqlite))
            return error;
        errorNumber = kErrFileLocked;
        return HeldByAnotherText();
    }
    {
        SqlStatement statement(sqlite, sql);
        if (!statement.Prepared() || !statement.Run(values))
            error = statement.Error();
        else if (const int changed = sqlite3_changes(sqlite); changed != 1)
            error = changed == 0 ? "the project file does not hold the object"
                                 : "the change would reach " + DecimalText(changed) +
                                       " rows of the project file instead of one";
    }
    if (error.empty() && ExecuteSql(sqlite, "COMMIT", error))
        return {};
    if (HeldByAnother(sqlite)) {
        errorNumber = kErrFileLocked;
        error = HeldByAnotherText();
    }
    std::string ignored;
    if (!sqlite3_get_autocommit(sqlite))
        ExecuteSql(sqlite, "ROLLBACK", ignored);
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

bool WriteContent(sqlite3* sqlite, const ProjectContent& content, std::string& error) {
    const std::string header =
        "PRAGMA application_id = " + DecimalText(ProjectDatabase::kApplicationId) +
        "; PRAGMA user_version = " + DecimalText(ProjectDatabase::kFormatVersion) + ";";
    if (!ExecuteSql(sqlite, header.c_str(), error) || !ExecuteSql(sqlite, "BEGIN", error) ||
        !ExecuteSql(sqlite, kSchema, error))
        return false;

    SqlStatement project(sqlite, "INSERT INTO project VALUES (?, ?, ?)");
    SqlStatement part(sqlite, "INSERT INTO parts VALUES (?, ?, ?, ?)");
    SqlStatement symbol(sqlite, "INSERT INTO symbols VALUES (?, ?, ?, ?, ?, ?)");
    SqlStatement hierarchy(sqlite, "INSERT INTO hierarchies VALUES (?, ?)");
    SqlStatement page(sqlite, "INSERT INTO pages VALUES (?, ?, ?)");
    SqlStatement component(sqlite, "INSERT INTO components VALUES (?, ?, ?, ?, ?, ?)");
    for (const SqlStatement* statement : {&project, &part, &symbol, &hierarchy, &page, &component})
        if (!statement->Prepared()) {
            error = statement->Error();
            return false;
        }
    auto failed = [&error](const SqlStatement& statement) {
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
    return ExecuteSql(sqlite, "COMMIT", error);
}

} // namespace

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
