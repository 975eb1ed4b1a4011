#include "formats/ProjectBuilder.h"

#include "formats/ProjectDatabase.h"
#include "formats/StoredTexts.h"
#include "system/Text.h"

namespace k2k {

namespace {

int Add(ObjectMap& map, const ProjectObject& object, int maskA = 0, int maskB = 0) {
    if (!NameFault(object.name).empty() || !InfoFault(object.info).empty() ||
        map.FindLive(object.name, maskA, maskB) != 0 || map.Count() >= kMaxProjectIndex)
        return 0;
    return map.Append(object);
}

} // namespace

ProjectBuilder::ProjectBuilder(std::string databaseName) {
    m_content.name = std::move(databaseName);
}

int ProjectBuilder::AddPart(const std::string& name, const std::string& info) {
    ProjectObject part;
    part.name = name;
    part.info = info;
    return Add(m_content.parts, part);
}

int ProjectBuilder::AddSymbol(const std::string& name, const std::string& info,
                              const std::string& drawing, int flags) {
    ProjectObject symbol;
    symbol.name = name;
    symbol.info = info;
    symbol.drawing = drawing;
    symbol.flags = flags;
    // Symbols and packages (with padstacks) may share names: they are searched apart.
    return Add(m_content.symbols, symbol, flags & kPackageFlags, kPackageFlags);
}

int ProjectBuilder::AddHierarchy(const std::string& name) {
    ProjectObject hierarchy;
    hierarchy.name = name;
    const int index = Add(m_content.hierarchies, hierarchy);
    if (index == 0)
        return 0;
    m_content.contents.resize(static_cast<std::size_t>(index));
    if (m_content.currentHierarchy == 0)
        m_content.currentHierarchy = index;
    return index;
}

int ProjectBuilder::AddPage(int hierarchy, const std::string& name) {
    if (hierarchy < 1 || !m_content.hierarchies.Live(hierarchy))
        return 0;
    ProjectObject page;
    page.name = name;
    const int index = Add(m_content.contents[static_cast<std::size_t>(hierarchy - 1)].pages, page);
    if (index != 0 && hierarchy == m_content.currentHierarchy && m_content.currentPage == 0)
        m_content.currentPage = index;
    return index;
}

int ProjectBuilder::AddComponent(int hierarchy, ComponentEditor editor, const std::string& name,
                                 int partIndex, const std::vector<int>& symbolIndexes) {
    if (hierarchy < 1 || !m_content.hierarchies.Live(hierarchy))
        return 0;
    if (partIndex != 0 && (partIndex < 1 || !m_content.parts.Live(partIndex)))
        return 0;
    for (int symbol : symbolIndexes)
        if (symbol < 1 || !m_content.symbols.Live(symbol))
            return 0;
    ProjectObject component;
    component.name = name;
    component.part = partIndex;
    component.symbols = symbolIndexes;
    return Add(m_content.contents[static_cast<std::size_t>(hierarchy - 1)].Components(editor),
               component);
}

void ProjectBuilder::SetCurrent(int hierarchy, int page) {
    m_content.currentHierarchy = hierarchy;
    m_content.currentPage = page;
    if (page == 0 && hierarchy >= 1 && m_content.hierarchies.Live(hierarchy)) {
        const ObjectMap& pages = m_content.contents[static_cast<std::size_t>(hierarchy - 1)].pages;
        m_content.currentPage = pages.Count() > 0 ? 1 : 0;
    }
}

Status ProjectBuilder::Write(const std::filesystem::path& file) const {
    const int hierarchy = m_content.currentHierarchy;
    const int page = m_content.currentPage;
    if (hierarchy != 0 && (hierarchy < 1 || !m_content.hierarchies.Live(hierarchy)))
        return Problem{"the current hierarchy " + DecimalText(hierarchy) + " was not added"};
    if (page != 0 &&
        (hierarchy == 0 || page < 1 ||
         !m_content.contents[static_cast<std::size_t>(hierarchy - 1)].pages.Live(page)))
        return Problem{"the current page " + DecimalText(page) + " was not added"};
    return ProjectDatabase::Write(file, m_content);
}

int ProjectBuilder::PartIndex(const std::string& name) const {
    return m_content.parts.FindLive(name, 0, 0);
}

int ProjectBuilder::SymbolIndex(const std::string& name) const {
    return m_content.symbols.FindLive(name, 0, 0);
}

int ProjectBuilder::HierarchyIndex(const std::string& name) const {
    return m_content.hierarchies.FindLive(name, 0, 0);
}

} // namespace k2k
