#include "platform/KernelProject.h"

// Placeholder until the project database is written.
namespace k2k {

class ProjectDatabase {};

KernelProject::KernelProject() = default;
KernelProject::~KernelProject() = default;
bool KernelProject::OpenProject(const std::string&, std::string*) { return false; }
void KernelProject::CloseProject() {}
bool KernelProject::HasProject() const noexcept { return false; }
int KernelProject::DB_DataBase() { return 0; }
int KernelProject::DB_DeviceMap() { return 0; }
int KernelProject::DB_SymbMap() { return 0; }
int KernelProject::DB_HierarchyMap() { return 0; }
int KernelProject::DB_SchCompMap() { return 0; }
int KernelProject::DB_LayCompMap() { return 0; }
int KernelProject::DB_CurHier(int) { return 0; }
int KernelProject::DB_CurPage(int) { return 0; }
int KernelProject::DB_Page(int) { return 0; }
int KernelProject::DB_SetCurHier(int) { return 0; }
int KernelProject::OM_GetFirst(int) { return 0; }
int KernelProject::OM_SearchName(int, int&, const std::string&) { return 0; }
int KernelProject::OM_SearchNameMask(int, int&, const std::string&, int, int) { return 0; }
int KernelProject::OM_SearchMask(int, int&, int, int) { return 0; }
int KernelProject::OM_Object(int, int) { return 0; }
int KernelProject::OM_Delete(int, int) { return 0; }
std::string KernelProject::O_GetName(int) { return {}; }
int KernelProject::O_Rename(int, const std::string&) { return 0; }
int KernelProject::C_SearchDevice(int&, int) { return 0; }
int KernelProject::L_SearchDevice(int&, int) { return 0; }
int KernelProject::C_SearchSymbol(int&, int) { return 0; }
int KernelProject::L_SearchSymbol(int&, int) { return 0; }
int KernelProject::C_Component(int) { return 0; }
int KernelProject::L_Component(int) { return 0; }
int KernelProject::D_ReadDevice(int, DeviceRecord&) { return 0; }
int KernelProject::S_ReadSymbol(int, SymbolRecord&) { return 0; }
int KernelProject::D_Device(int) { return 0; }
int KernelProject::S_Symbol(int) { return 0; }
int KernelProject::LoadSymbolData(int, const std::string&, const std::string&, const std::string&,
                                  int) {
    return 0;
}

}  // namespace k2k
