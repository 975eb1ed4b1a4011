#include "platform/KernelProject.h"

#include "formats/ProjectDatabase.h"
#include "system/NativePath.h"

namespace k2k {

// A handle holds the kind of what it names in its top bits and a value below: an index
// (biased, so that scratch indexes below 0 fit), the hierarchy of a component map, or the
// project-wide key of a page or component. Every handle is > 0.
namespace {

enum class Kind : int {
    None = 0,
    Database,
    PartMap,
    SymbolMap,
    HierarchyMap,
    SchematicMap, // value: the hierarchy
    LayoutMap,    // value: the hierarchy
    Part,
    Symbol,
    Hierarchy,
    Page,      // value: the page key
    Component, // value: the component key
    Last = Component,
};

constexpr int kValueBits = 24;
constexpr int kValueMask = (1 << kValueBits) - 1;
constexpr int kValueBias = 1 << (kValueBits - 1);
static_assert(kMaxProjectIndex < kValueBias);

struct Decoded {
    Kind kind = Kind::None;
    int value = 0;
};

int MakeHandle(Kind kind, int value) noexcept {
    return (static_cast<int>(kind) << kValueBits) | (value + kValueBias);
}

Decoded Decode(int handle) noexcept {
    const int kind = handle >> kValueBits;
    if (handle <= 0 || kind > static_cast<int>(Kind::Last))
        return {};
    return {static_cast<Kind>(kind), (handle & kValueMask) - kValueBias};
}

bool IsMap(Kind kind) noexcept {
    return kind >= Kind::PartMap && kind <= Kind::LayoutMap;
}

int FirstPage(const ObjectMap* pages) noexcept {
    if (pages)
        for (int page = 1; page <= pages->Count(); ++page)
            if (pages->Live(page))
                return page;
    return 0;
}

} // namespace

KernelProject::KernelProject() = default;
KernelProject::~KernelProject() = default;

Status KernelProject::OpenProject(const std::string& path) {
    CloseProject();
    Result<std::unique_ptr<ProjectDatabase>> opened = ProjectDatabase::Open(NativePath(path));
    if (!opened) {
        m_projectError = opened.Message();
        return std::move(opened).Error();
    }
    m_db = std::move(opened).Value();
    m_currentHierarchy = m_db->StoredCurrentHierarchy();
    m_currentPage = m_db->StoredCurrentPage();
    return {};
}

void KernelProject::CloseProject() {
    m_db.reset();
    m_currentHierarchy = 0;
    m_currentPage = 0;
}

bool KernelProject::HasProject() const noexcept {
    return m_db != nullptr;
}

int KernelProject::FailProject(const std::string& message, int errorNumber) {
    m_projectError = message;
    m_projectErrno = errorNumber;
    return 0;
}

// Maps are answered also without a project; they are empty then.

int KernelProject::DB_DataBase() {
    return m_db ? MakeHandle(Kind::Database, 0) : 0;
}

int KernelProject::DB_DeviceMap() {
    return MakeHandle(Kind::PartMap, 0);
}

int KernelProject::DB_SymbMap() {
    return MakeHandle(Kind::SymbolMap, 0);
}

int KernelProject::DB_HierarchyMap() {
    return MakeHandle(Kind::HierarchyMap, 0);
}

int KernelProject::DB_SchCompMap() {
    return MakeHandle(Kind::SchematicMap, m_currentHierarchy);
}

int KernelProject::DB_LayCompMap() {
    return MakeHandle(Kind::LayoutMap, m_currentHierarchy);
}

int KernelProject::DB_CurHier(int database) {
    return m_db && database == DB_DataBase() ? m_currentHierarchy : 0;
}

int KernelProject::DB_CurPage(int database) {
    return m_db && database == DB_DataBase() ? m_currentPage : 0;
}

int KernelProject::DB_Page(int pageIndex) {
    const int key = m_db ? m_db->PageKey(m_currentHierarchy, pageIndex) : 0;
    return key ? MakeHandle(Kind::Page, key) : 0;
}

int KernelProject::DB_SetCurHier(int hierarchyIndex) {
    if (!m_db || hierarchyIndex < 1 || !m_db->Hierarchies().Live(hierarchyIndex))
        return 0;
    if (hierarchyIndex != m_currentHierarchy) {
        m_currentHierarchy = hierarchyIndex;
        // The page that was current when the project opened, else the hierarchy's first.
        m_currentPage = hierarchyIndex == m_db->StoredCurrentHierarchy()
                            ? m_db->StoredCurrentPage()
                            : FirstPage(m_db->Pages(hierarchyIndex));
    }
    return 1;
}

const ObjectMap* KernelProject::ObjectsOfMap(int map) const noexcept {
    if (!m_db)
        return nullptr;
    const Decoded decoded = Decode(map);
    switch (decoded.kind) {
    case Kind::PartMap:
        return &m_db->Parts();
    case Kind::SymbolMap:
        return &m_db->Symbols();
    case Kind::HierarchyMap:
        return &m_db->Hierarchies();
    case Kind::SchematicMap:
        return m_db->Components(decoded.value, ComponentEditor::Schematic);
    case Kind::LayoutMap:
        return m_db->Components(decoded.value, ComponentEditor::Layout);
    default:
        return nullptr;
    }
}

int KernelProject::OM_GetFirst(int map) {
    return IsMap(Decode(map).kind) ? 1 : 0;
}

int KernelProject::OM_SearchName(int map, int& cursor, const std::string& name) {
    return OM_SearchNameMask(map, cursor, name, 0, 0);
}

int KernelProject::OM_SearchNameMask(int map, int& cursor, const std::string& name, int maskA,
                                     int maskB) {
    const ObjectMap* objects = ObjectsOfMap(map);
    return objects ? objects->SearchName(cursor, name, maskA, maskB) : 0;
}

int KernelProject::OM_SearchMask(int map, int& cursor, int maskA, int maskB) {
    const ObjectMap* objects = ObjectsOfMap(map);
    return objects ? objects->SearchMask(cursor, maskA, maskB) : 0;
}

int KernelProject::HandleOfObject(int map, int index) const noexcept {
    const ObjectMap* objects = ObjectsOfMap(map);
    if (!objects || !objects->Live(index))
        return 0;
    const Decoded decoded = Decode(map);
    switch (decoded.kind) {
    case Kind::PartMap:
        return MakeHandle(Kind::Part, index);
    case Kind::SymbolMap:
        return MakeHandle(Kind::Symbol, index);
    case Kind::HierarchyMap:
        return MakeHandle(Kind::Hierarchy, index);
    case Kind::SchematicMap:
        return MakeHandle(Kind::Component,
                          m_db->ComponentKey(decoded.value, ComponentEditor::Schematic, index));
    case Kind::LayoutMap:
        return MakeHandle(Kind::Component,
                          m_db->ComponentKey(decoded.value, ComponentEditor::Layout, index));
    default:
        return 0;
    }
}

int KernelProject::OM_Object(int map, int index) {
    return HandleOfObject(map, index);
}

int KernelProject::OM_Delete(int map, int index) {
    if (!m_db)
        return FailProject("no project is open");
    Status deleted;
    switch (Decode(map).kind) {
    case Kind::PartMap:
        deleted = m_db->DeletePart(index);
        break;
    case Kind::SymbolMap:
        deleted = m_db->DeleteSymbol(index);
        break;
    default:
        return FailProject("only parts and symbol-map objects can be deleted");
    }
    return deleted ? 1 : FailProject(deleted.Message(), deleted.Error().systemError);
}

std::string KernelProject::O_GetName(int object) {
    if (!m_db)
        return {};
    const Decoded decoded = Decode(object);
    std::optional<ProjectObject> found;
    switch (decoded.kind) {
    case Kind::Database:
        return m_db->Name();
    case Kind::Part:
        found = m_db->Parts().Live(decoded.value);
        break;
    case Kind::Symbol:
        found = m_db->Symbols().Live(decoded.value);
        break;
    case Kind::Hierarchy:
        found = m_db->Hierarchies().Live(decoded.value);
        break;
    case Kind::Page: {
        int hierarchy = 0;
        int page = 0;
        if (m_db->PageOfKey(decoded.value, hierarchy, page))
            found = m_db->Pages(hierarchy)->Live(page);
        break;
    }
    case Kind::Component: {
        int hierarchy = 0;
        ComponentEditor editor = ComponentEditor::Schematic;
        int component = 0;
        if (m_db->ComponentOfKey(decoded.value, hierarchy, editor, component))
            found = m_db->Components(hierarchy, editor)->Live(component);
        break;
    }
    default:
        break;
    }
    return found ? std::string(found->name) : std::string();
}

int KernelProject::O_Rename(int object, const std::string& newName) {
    if (!m_db)
        return FailProject("no project is open");
    const Decoded decoded = Decode(object);
    Status renamed;
    switch (decoded.kind) {
    case Kind::Database:
        renamed = m_db->RenameDatabase(newName);
        break;
    case Kind::Part:
        renamed = m_db->RenamePart(decoded.value, newName);
        break;
    case Kind::Symbol:
        renamed = m_db->RenameSymbol(decoded.value, newName);
        break;
    case Kind::Hierarchy:
        renamed = m_db->RenameHierarchy(decoded.value, newName);
        break;
    case Kind::Page: {
        int hierarchy = 0;
        int page = 0;
        if (!m_db->PageOfKey(decoded.value, hierarchy, page))
            return FailProject("no such page");
        renamed = m_db->RenamePage(hierarchy, page, newName);
        break;
    }
    case Kind::Component: {
        int hierarchy = 0;
        ComponentEditor editor = ComponentEditor::Schematic;
        int component = 0;
        if (!m_db->ComponentOfKey(decoded.value, hierarchy, editor, component))
            return FailProject("no such component");
        renamed = m_db->RenameComponent(hierarchy, editor, component, newName);
        break;
    }
    default:
        return FailProject("not an object that has a name");
    }
    return renamed ? 1 : FailProject(renamed.Message(), renamed.Error().systemError);
}

int KernelProject::C_SearchDevice(int& cursor, int partIndex) {
    return m_db ? m_db->SearchPartUse(m_currentHierarchy, ComponentEditor::Schematic, cursor,
                                      partIndex)
                : 0;
}

int KernelProject::L_SearchDevice(int& cursor, int partIndex) {
    return m_db
               ? m_db->SearchPartUse(m_currentHierarchy, ComponentEditor::Layout, cursor, partIndex)
               : 0;
}

int KernelProject::C_SearchSymbol(int& cursor, int symbolIndex) {
    return m_db ? m_db->SearchSymbolUse(m_currentHierarchy, ComponentEditor::Schematic, cursor,
                                        symbolIndex)
                : 0;
}

int KernelProject::L_SearchSymbol(int& cursor, int symbolIndex) {
    return m_db ? m_db->SearchSymbolUse(m_currentHierarchy, ComponentEditor::Layout, cursor,
                                        symbolIndex)
                : 0;
}

int KernelProject::C_Component(int componentIndex) {
    return HandleOfObject(DB_SchCompMap(), componentIndex);
}

int KernelProject::L_Component(int componentIndex) {
    return HandleOfObject(DB_LayCompMap(), componentIndex);
}

// The records point straight at the texts held in memory: they stay valid until a change
// (which only a later call can make).

int KernelProject::D_ReadDevice(int index, DeviceRecord& record) {
    const std::optional<ProjectObject> part =
        m_db && index > 0 ? m_db->Parts().Live(index) : std::nullopt;
    if (!part)
        return 0;
    record.name = part->name.data();
    record.info = part->info.data();
    return 1;
}

int KernelProject::S_ReadSymbol(int index, SymbolRecord& record) {
    const std::optional<ProjectObject> symbol = m_db ? m_db->Symbols().Live(index) : std::nullopt;
    if (!symbol)
        return 0;
    record.flags = symbol->flags;
    record.name = symbol->name.data();
    record.info = symbol->info.data();
    return 1;
}

int KernelProject::S_ReadDrawing(int index, std::string& drawing) {
    const std::optional<ProjectObject> symbol = m_db ? m_db->Symbols().Live(index) : std::nullopt;
    if (!symbol)
        return 0;
    drawing = symbol->drawing;
    return 1;
}

int KernelProject::D_Device(int index) {
    return index > 0 ? HandleOfObject(DB_DeviceMap(), index) : 0;
}

int KernelProject::S_Symbol(int index) {
    return HandleOfObject(DB_SymbMap(), index);
}

int KernelProject::LoadSymbolData(int index, const std::string& name, const std::string& info,
                                  const std::string& drawing, int flags) {
    if (!m_db)
        return FailProject("no project is open");
    ProjectObject object;
    object.name = name;
    object.info = info;
    object.drawing = drawing;
    object.flags = flags;
    const Result<int> stored = m_db->StoreSymbol(index, object);
    return stored ? *stored : FailProject(stored.Message(), stored.Error().systemError);
}

} // namespace k2k
