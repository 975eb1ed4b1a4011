#include "services/Directories.h"

#include "platform/SuiteServices.h"
#include "system/NativePath.h"

namespace k2k {

std::string Directories::BrowserProfilePath() const {
    return JoinPath(sysDir, "K2KBRWSR.ini");
}

std::string Directories::ElementProfilePath() const {
    return JoinPath(sysDir, "elements.spc");
}

std::string Directories::SubcircuitIndexPath() const {
    return JoinPath(kdsSbk, "SUBCIR.IDX");
}

void ReadDirs(const SuiteServices& services, Directories& d) {
    const DirSettings settings = services.ReadDirSettings(); // one reading for all of them
    auto read = [&](const char* key, const char* defaultValue) {
        return settings.Get(kDirSection, key, defaultValue);
    };
    d.jobDir = read("JobDir", "\\Kalde 2000\\JOB");
    d.libDir = read("LibDir", "\\Kalde 2000\\LIB");
    d.sysDir = read("SysDir", "\\Kalde 2000\\SYS");
    d.prv3JobDir = read("PRV3JobDir", "\\CADJOB");
    d.kdsCml = read("KDScml", "C:\\Kalde 2000\\KDS_CML");
    d.kdsUdn = read("KDSudn", "C:\\Kalde 2000\\KDS_UDN");
    d.kdsMod = read("KDSmod", "C:\\Kalde 2000\\KDS_MOD");
    d.kdsSbk = read("KDSsbk", "C:\\Kalde 2000\\KDS_SBK");
    d.kdsWrk = read("KDSwrk", "C:\\Kalde 2000\\KDS_WRK");
    d.libraryFolders.fill(d.libDir);
}

void SaveDirs(SuiteServices& services, const Directories& d) {
    services.SetDirSetting(kDirSection, "LibDir", d.libDir);
}

} // namespace k2k
