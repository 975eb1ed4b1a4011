#include "search/ProjectStatus.h"

#include "platform/Kernel.h"
#include "search/ResultList.h"

namespace k2k {

KindMasks MasksOf(LibraryKind kind) noexcept {
    switch (kind) {
    case LibraryKind::Part:
        return {0, 0};
    case LibraryKind::Symbol:
        return {1, 3};
    case LibraryKind::Package:
    case LibraryKind::Padstack:
        return {2, 2};
    }
    return {0, 0};
}

int FindInSymbolMap(Kernel& kernel, const std::string& name, KindMasks masks) {
    const int map = kernel.DB_SymbMap();
    int cursor = kernel.OM_GetFirst(map);
    int index = 0;
    do
        index = kernel.OM_SearchNameMask(map, cursor, name, masks.a, masks.b);
    while (index < 0);
    return index;
}

int FindInProject(Kernel& kernel, LibraryKind kind, const std::string& name) {
    if (kind != LibraryKind::Part)
        return FindInSymbolMap(kernel, name, MasksOf(kind));
    const int map = kernel.DB_DeviceMap();
    int cursor = kernel.OM_GetFirst(map);
    int index = 0;
    do
        index = kernel.OM_SearchName(map, cursor, name);
    while (index < 0);
    return index;
}

bool UsedInProject(Kernel& kernel, LibraryKind kind, int index) {
    const int hierarchies = kernel.DB_HierarchyMap();
    const int before = kernel.DB_CurHier(kernel.DB_DataBase());
    bool used = false;
    int cursor = kernel.OM_GetFirst(hierarchies);
    for (;;) {
        const int hierarchy = kernel.OM_SearchMask(hierarchies, cursor, 0, 0);
        if (hierarchy == 0)
            break;
        if (hierarchy < 0 || kernel.DB_SetCurHier(hierarchy) == 0)
            continue;
        int layout = kernel.OM_GetFirst(kernel.DB_LayCompMap());
        int schematic = kernel.OM_GetFirst(kernel.DB_SchCompMap());
        switch (kind) {
        case LibraryKind::Part:
            used = kernel.L_SearchDevice(layout, index) > 0 ||
                   kernel.C_SearchDevice(schematic, index) > 0;
            break;
        case LibraryKind::Symbol:
            used = kernel.C_SearchSymbol(schematic, index) > 0;
            break;
        case LibraryKind::Package:
        case LibraryKind::Padstack:
            used = kernel.L_SearchSymbol(layout, index) > 0;
            break;
        }
        if (used)
            break;
    }
    if (before > 0)
        kernel.DB_SetCurHier(before);
    return used;
}

std::int32_t ProjectStatus(Kernel& kernel, LibraryKind kind, const std::string& name) {
    const int index = FindInProject(kernel, kind, name);
    if (index <= 0)
        return 0;
    return kInProject | (UsedInProject(kernel, kind, index) ? kUsedInProject : 0);
}

} // namespace k2k
