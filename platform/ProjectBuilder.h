#pragma once
// Writes a new project database: the file that KernelProject::OpenProject opens. Used by
// "k2klib project" and by tests that need a project. Objects get their indexes (from 1)
// in the order they are added.

#include <filesystem>
#include <string>
#include <vector>

namespace k2k {

enum class ComponentEditor { Schematic = 0, Layout = 1 };

class ProjectBuilder final {
public:
    explicit ProjectBuilder(std::string databaseName);

    // Each answers the new index, or 0 when the name is empty or already in its map
    // (parts in the part map; symbols, packages and padstacks share the symbol map;
    // hierarchies; pages within their hierarchy; components within hierarchy and editor).
    int AddPart(const std::string& name, const std::string& info);
    // flags: kSymbolFlags, kPackageFlags or kPadstackFlags of KernelProject.h.
    int AddSymbol(const std::string& name, const std::string& info, const std::string& drawing,
                  int flags);
    int AddHierarchy(const std::string& name);
    int AddPage(int hierarchy, const std::string& name);
    // A component of a hierarchy placed in the schematic or layout editor, using one part
    // (0: none) and any number of symbol-map objects (its symbol; its package, padstacks).
    int AddComponent(int hierarchy, ComponentEditor editor, const std::string& name,
                     int partIndex, const std::vector<int>& symbolIndexes);
    // The hierarchy and page that are current when the project opens (default: the first).
    void SetCurrent(int hierarchy, int page);

    // Writes the database atomically (a new file beside the target, then renamed).
    // False with error set when it cannot.
    bool Write(const std::filesystem::path& file, std::string& error) const;

    int PartIndex(const std::string& name) const;    // 0 when not added
    int SymbolIndex(const std::string& name) const;  // 0 when not added
    int HierarchyIndex(const std::string& name) const;

private:
    struct Named {
        std::string name;
        std::string info;
        std::string drawing;
        int flags = 0;
    };
    struct Page {
        int hierarchy;
        std::string name;
    };
    struct Component {
        int hierarchy;
        ComponentEditor editor;
        std::string name;
        int part;
        std::vector<int> symbols;
    };

    std::string m_name;
    std::vector<Named> m_parts;
    std::vector<Named> m_symbols;
    std::vector<std::string> m_hierarchies;
    std::vector<Page> m_pages;
    std::vector<Component> m_components;
    int m_currentHierarchy = 0;
    int m_currentPage = 0;
};

}  // namespace k2k
