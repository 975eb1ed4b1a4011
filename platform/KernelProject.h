#pragma once
// The kernel's project-database calls. The open project is one SQLite file; its maps are
// held in memory while it is open and every change (delete, rename, load) is written
// through in one transaction.
//
// Maps: parts (DB_DeviceMap); symbols, packages and padstacks in one map (DB_SymbMap),
// told apart by their flags: symbol 1, package 2, padstack 6. An object passes the
// masks (A, B) when (flags & B) == A, so (1, 3) takes symbols, (2, 2) packages and
// padstacks, (0, 0) everything. Hierarchies (DB_HierarchyMap), pages, and per hierarchy
// the schematic and layout components (DB_SchCompMap, DB_LayCompMap of the current one).
//
// Indexes run from 1 in the order objects were added and stay stable after a delete:
// a deleted slot is kept, and a walk that meets it answers with its negative index, so
// callers' "call again while negative" loops are real. The scratch indexes below 0
// (symbols loaded for viewing) are reached only by their index, never by a walk or a
// name search. Handles of objects, maps and the database are > 0.

#include "formats/ObjectMap.h"
#include "system/Result.h"

#include <cstdint>
#include <memory>
#include <string>

namespace k2k {

// Filled by D_ReadDevice; on a 32-bit build name is at byte 4 and info at byte 12.
// The texts stay valid until the next call of the kernel.
struct DeviceRecord {
    std::int32_t reserved0 = 0;
    const char* name = nullptr;
    std::int32_t reserved8 = 0;
    const char* info = nullptr;
};

// Filled by S_ReadSymbol; on a 32-bit build name is at byte 8 and info at byte 16.
struct SymbolRecord {
    std::int32_t reserved0 = 0;
    std::int32_t flags = 0;
    const char* name = nullptr;
    std::int32_t reserved12 = 0;
    const char* info = nullptr;
};

class ProjectDatabase;

class KernelProject {
public:
    KernelProject();
    ~KernelProject();
    KernelProject(const KernelProject&) = delete;
    KernelProject& operator=(const KernelProject&) = delete;

    // The host's side: open and close the project (a suite-form path). Refused when the
    // file is missing or not a project database; a project that was open is closed all
    // the same.
    Status OpenProject(const std::string& path);
    void CloseProject();
    bool HasProject() const noexcept;
    // Why the last change (OM_Delete, O_Rename, S_LoadSymbol) answered 0; the errno is
    // kErrFileLocked when another program held the project file all the time it waited.
    const std::string& LastProjectError() const noexcept { return m_projectError; }
    int LastProjectErrno() const noexcept { return m_projectErrno; }

    int DB_DataBase(); // 0 without an open project
    int DB_DeviceMap();
    int DB_SymbMap();
    int DB_HierarchyMap();
    int DB_SchCompMap(); // of the current hierarchy
    int DB_LayCompMap();
    int DB_CurHier(int database);
    int DB_CurPage(int database);
    int DB_Page(int pageIndex);
    int DB_SetCurHier(int hierarchyIndex); // non-zero when made current

    int OM_GetFirst(int map);
    int OM_SearchName(int map, int& cursor, const std::string& name);
    int OM_SearchNameMask(int map, int& cursor, const std::string& name, int maskA, int maskB);
    int OM_SearchMask(int map, int& cursor, int maskA, int maskB);
    int OM_Object(int map, int index);
    int OM_Delete(int map, int index); // non-zero when removed

    std::string O_GetName(int object);
    int O_Rename(int object, const std::string& newName); // non-zero when renamed

    int C_SearchDevice(int& cursor, int partIndex);
    int L_SearchDevice(int& cursor, int partIndex);
    int C_SearchSymbol(int& cursor, int symbolIndex);
    int L_SearchSymbol(int& cursor, int symbolIndex);
    int C_Component(int componentIndex);
    int L_Component(int componentIndex);

    int D_ReadDevice(int index, DeviceRecord& record);
    int S_ReadSymbol(int index, SymbolRecord& record);
    // The drawing of the symbol-map object under index (a scratch index too), which the
    // viewers show; 0 when there is none.
    int S_ReadDrawing(int index, std::string& drawing);
    int D_Device(int index);
    int S_Symbol(int index);

protected:
    // Puts an object into the symbol map under index (a scratch index below 0, or a free
    // one); answers the index, 0 on failure. Kernel::S_LoadSymbol calls it.
    int LoadSymbolData(int index, const std::string& name, const std::string& info,
                       const std::string& drawing, int flags);

private:
    const ObjectMap* ObjectsOfMap(int map) const noexcept;
    int HandleOfObject(int map, int index) const noexcept;
    int FailProject(const std::string& message, int errorNumber = 0);

    std::unique_ptr<ProjectDatabase> m_db;
    int m_currentHierarchy = 0; // session state, not written
    int m_currentPage = 0;
    std::string m_projectError;
    int m_projectErrno = 0;
};

} // namespace k2k
