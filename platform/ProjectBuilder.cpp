#include "platform/ProjectBuilder.h"

// Placeholder until the project database is written.
namespace k2k {

ProjectBuilder::ProjectBuilder(std::string databaseName) : m_name(std::move(databaseName)) {}
int ProjectBuilder::AddPart(const std::string&, const std::string&) { return 0; }
int ProjectBuilder::AddSymbol(const std::string&, const std::string&, const std::string&, int) {
    return 0;
}
int ProjectBuilder::AddHierarchy(const std::string&) { return 0; }
int ProjectBuilder::AddPage(int, const std::string&) { return 0; }
int ProjectBuilder::AddComponent(int, ComponentEditor, const std::string&, int,
                                 const std::vector<int>&) {
    return 0;
}
void ProjectBuilder::SetCurrent(int hierarchy, int page) {
    m_currentHierarchy = hierarchy;
    m_currentPage = page;
}
bool ProjectBuilder::Write(const std::filesystem::path&, std::string& error) const {
    error = "not yet available";
    return false;
}
int ProjectBuilder::PartIndex(const std::string&) const { return 0; }
int ProjectBuilder::SymbolIndex(const std::string&) const { return 0; }
int ProjectBuilder::HierarchyIndex(const std::string&) const { return 0; }

}  // namespace k2k
