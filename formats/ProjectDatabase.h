#pragma once
// The project database: one SQLite file per project. Open reads the whole project into
// memory (the maps with their name indexes, and per hierarchy and editor an index of
// which components use which part and which symbol-map object). Every change is written
// to the file in one transaction first; only when that commits does memory change, so
// memory always holds what the file holds.
//
// The file (format 1) identifies itself by its application id ("K2KP") and user version.
// Names and texts are Windows-1252 bytes, stored as BLOBs.
//   project(name, current_hierarchy, current_page)         one row; current ones at open
//   parts(idx, name, info, deleted)                        idx from 1
//   symbols(idx, name, info, drawing, flags, deleted)      idx below 0: scratch objects
//   hierarchies(idx, name)
//   pages(hierarchy, idx, name)                            idx from 1 per hierarchy
//   components(hierarchy, editor, idx, name, part, symbols)
//       editor 0 schematic, 1 layout; idx from 1 per hierarchy and editor; part 0 none;
//       symbols the symbol-map indexes it uses, in decimal, separated by commas
// A deleted part or symbol keeps its row (deleted 1) so its index is never reused; an
// index without a row reads as a deleted slot, but a map whose highest index lies far
// beyond its rows is refused (memory grows with the highest index). A change is one
// statement in a transaction of its own that must change exactly one row, or it is
// rolled back.
//
// ProjectDatabase.cpp opens and reads the file and answers what the project holds;
// ProjectDatabaseWrite.cpp writes a new file and makes the changes; ProjectSql.h holds the
// few SQLite pieces the two share.

#include "formats/ProjectContent.h"
#include "system/Result.h"

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct sqlite3;

namespace k2k {

class ProjectDatabase final {
public:
    static constexpr int kApplicationId = 0x4B324B50; // "K2KP"
    static constexpr int kFormatVersion = 1;

    // Opens an existing project file for reading and writing (for reading only when the
    // file system refuses writing; changes then fail). Refused when the file is missing, is not an
    // SQLite file, is not a project database or is of another format version, is damaged (rows out
    // of the order of their keys, pages that SQLite finds faulty; SQLite's check of the whole file
    // then names the fault), or holds objects out of range or a name or info text that no change
    // stores (formats/StoredTexts.h). The file is read in one pass, each row straight into its map.
    static Result<std::unique_ptr<ProjectDatabase>> Open(const std::filesystem::path& file);

    // Writes content as a new project file: the database is built in a new file beside
    // the target and renamed over it, so the target is either the old file or the
    // complete new one. Refused when it cannot or when the content holds what Open would
    // refuse.
    static Status Write(const std::filesystem::path& file, const ProjectContent& content);

    ~ProjectDatabase();
    ProjectDatabase(const ProjectDatabase&) = delete;
    ProjectDatabase& operator=(const ProjectDatabase&) = delete;

    const std::string& Name() const noexcept { return m_content.name; }
    const ObjectMap& Parts() const noexcept { return m_content.parts; }
    const ObjectMap& Symbols() const noexcept { return m_content.symbols; }
    const ObjectMap& Hierarchies() const noexcept { return m_content.hierarchies; }
    // nullptr when the hierarchy does not exist.
    const ObjectMap* Pages(int hierarchy) const noexcept;
    const ObjectMap* Components(int hierarchy, ComponentEditor editor) const noexcept;
    int StoredCurrentHierarchy() const noexcept { return m_content.currentHierarchy; }
    int StoredCurrentPage() const noexcept { return m_content.currentPage; }

    // From cursor on (below 1 is the start), the next component of that hierarchy and
    // editor that uses the part (or the symbol-map object); 0 when none. The cursor moves
    // past the answer.
    int SearchPartUse(int hierarchy, ComponentEditor editor, int& cursor, int part) const;
    int SearchSymbolUse(int hierarchy, ComponentEditor editor, int& cursor, int symbol) const;

    // Pages and components have one number each across the whole project (from 1), so
    // that a single integer names one of them.
    int PageKey(int hierarchy, int page) const noexcept; // 0 when it does not exist
    bool PageOfKey(int key, int& hierarchy, int& page) const noexcept;
    int ComponentKey(int hierarchy, ComponentEditor editor, int component) const noexcept;
    bool ComponentOfKey(int key, int& hierarchy, ComponentEditor& editor,
                        int& component) const noexcept;

    // The changes. Each is one transaction; refused when the object does not exist, the
    // name is refused, or the file cannot be written; memory is then as before. A name or
    // info text is refused when no store takes it (StoredTexts), a name also when another
    // live object of the same map has it (in the symbol map: another symbol, or another
    // package or padstack). The problem's systemError is kErrFileLocked when another
    // program held the file all the time the change waited.
    Status DeletePart(int index);
    Status DeleteSymbol(int index); // a scratch object is removed outright
    Status RenameDatabase(const std::string& name);
    Status RenamePart(int index, const std::string& name);
    Status RenameSymbol(int index, const std::string& name);
    Status RenameHierarchy(int hierarchy, const std::string& name);
    Status RenamePage(int hierarchy, int page, const std::string& name);
    Status RenameComponent(int hierarchy, ComponentEditor editor, int component,
                           const std::string& name);
    // Stores an object in the symbol map: below 0 as a scratch object (replacing one
    // there), 0 or the next free index as a new object. Answers the index.
    Result<int> StoreSymbol(int index, ProjectObject object);
    // How long a change waits for a lock that another connection holds: LockWait() from
    // the open on.
    void SetBusyTimeout(int milliseconds);

private:
    // Who uses what, as (used, component) pairs in ascending order: the users of one
    // part or symbol are a run found by binary search.
    struct UseIndex {
        std::vector<std::pair<int, int>> byPart;
        std::vector<std::pair<int, int>> bySymbol; // a symbol listed twice is one use
    };

    ProjectDatabase() = default;
    Status Load();
    Status ReadContent(ProjectContent& content);
    Status ReadMaps(ProjectContent& content);
    Status BuildKeysAndUses();
    const UseIndex* UsesOf(int hierarchy, ComponentEditor editor) const noexcept;

    sqlite3* m_sqlite = nullptr;
    ProjectContent m_content;
    std::vector<int> m_pageBase;      // per hierarchy: key of its page 1, less one
    std::vector<int> m_componentBase; // per hierarchy and editor, likewise
    std::vector<UseIndex> m_uses;     // per hierarchy and editor
};

} // namespace k2k
