#pragma once
// The suite's folders, read from the directory settings (section "Kalde2K") with their
// defaults, and the file names the browser builds from them. Values carry no trailing
// backslash; a file is directory & "\" & name.

#include <array>
#include <string>

namespace k2k {

class SuiteServices;

struct Directories {
    std::string jobDir;
    std::string libDir;
    std::string sysDir;
    std::string prv3JobDir; // the previous generation's jobs
    std::string kdsCml;     // simulator model libraries
    std::string kdsUdn;     // simulator user-defined nodes
    std::string kdsMod;     // simulator models
    std::string kdsSbk;     // simulator subcircuits
    std::string kdsWrk;     // simulator work folder
    // The remembered library folders that a change of the library folder reads and
    // rewrites; all three are the library directory after ReadDirs.
    std::array<std::string, 3> libraryFolders;

    std::string BrowserProfilePath() const;  // system directory & "\K2KBRWSR.ini"
    std::string ElementProfilePath() const;  // system directory & "\elements.spc"
    std::string SubcircuitIndexPath() const; // subcircuit directory & "\SUBCIR.IDX"
};

inline constexpr const char* kDirSection = "Kalde2K";

void ReadDirs(const SuiteServices& services, Directories& directories);
// Writes the library directory back as "LibDir".
void SaveDirs(SuiteServices& services, const Directories& directories);

} // namespace k2k
