#pragma once
// Writes a new project database: the file that the kernel opens as the project. Used by
// "k2klib project" and by tests that need a project. Objects get their indexes (from 1)
// in the order they are added; pages are numbered within their hierarchy, components
// within their hierarchy and editor.

#include "formats/ProjectContent.h"
#include "system/Result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace k2k {

class ProjectBuilder final {
public:
    explicit ProjectBuilder(std::string databaseName);

    // Each answers the new index, or 0 when the name or the info text is one that no store
    // takes (formats/StoredTexts.h), when the name is already in its map
    // (parts in the part map; in the symbol map a symbol's name among the symbols, a
    // package's or padstack's among the packages and padstacks, so a symbol and a package
    // may share a name; hierarchies; pages within their hierarchy; components within
    // hierarchy and editor), or when it refers to a hierarchy, part or symbol not added.
    int AddPart(const std::string& name, const std::string& info);
    // flags: kSymbolFlags, kPackageFlags or kPadstackFlags of ObjectMap.h.
    int AddSymbol(const std::string& name, const std::string& info, const std::string& drawing,
                  int flags);
    int AddHierarchy(const std::string& name);
    int AddPage(int hierarchy, const std::string& name);
    // A component of a hierarchy placed in the schematic or layout editor, using one part
    // (0: none) and any number of symbol-map objects (its symbol; its package, padstacks).
    int AddComponent(int hierarchy, ComponentEditor editor, const std::string& name, int partIndex,
                     const std::vector<int>& symbolIndexes);
    // The hierarchy and page that are current when the project opens (default: the first).
    void SetCurrent(int hierarchy, int page);

    // Writes the database atomically (a new file beside the target, then renamed).
    Status Write(const std::filesystem::path& file) const;

    int PartIndex(const std::string& name) const;   // 0 when not added
    int SymbolIndex(const std::string& name) const; // 0 when not added
    int HierarchyIndex(const std::string& name) const;

private:
    ProjectContent m_content;
};

} // namespace k2k
