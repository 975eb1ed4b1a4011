#include "platform/SuiteFolder.h"

#include "formats/IniFile.h"
#include "formats/IniFileCache.h"
#include "platform/Kernel.h"
#include "platform/SuiteServices.h"
#include "system/AtomicFile.h"
#include "system/NativePath.h"

#include <cerrno>

namespace k2k {

namespace {

// A relative value of the host's settings is relative to the suite folder.
std::string Resolve(const std::string& root, const std::string& value) {
    if (value.empty() || IsAbsoluteSuitePath(value))
        return value;
    return JoinPath(root, value);
}

} // namespace

std::filesystem::path DirectorySettingsOf(const std::filesystem::path& suiteRoot) {
    // "SUITE.INI" serves as well; a folder the suite cannot name is refused by OpenSuite.
    if (const auto root = SuitePath(suiteRoot))
        return NativePath(JoinPath(*root, kDirectorySettingsFile));
    return suiteRoot / kDirectorySettingsFile;
}

SuiteOpening OpenSuite(const std::filesystem::path& suiteRoot, Kernel& kernel,
                       SuiteServices& services,
                       const std::optional<std::filesystem::path>& project) {
    SuiteOpening opening;
    std::error_code ec;
    const std::filesystem::path root = std::filesystem::absolute(suiteRoot, ec).lexically_normal();
    if (!std::filesystem::is_directory(root, ec)) {
        opening.error = "not a folder: " + suiteRoot.string();
        return opening;
    }
    // The suite names its files in Windows-1252; a folder it cannot name is refused here,
    // where it comes in, rather than read under a garbled name later.
    const auto suiteRoot8 = SuitePath(root);
    if (!suiteRoot8) {
        opening.error = suiteRoot8.Message();
        return opening;
    }
    const std::string& rootPath = *suiteRoot8;
    for (const char* file : {kDirectorySettingsFile, kInitialisationFile}) {
        // Read once here (the readers after this find it in the cache of INI files), so
        // that one that is there but cannot be read is said, not taken for an empty one.
        const std::filesystem::path native = NativePath(JoinPath(rootPath, file));
        int error = 0;
        IniFileCache::Shared().Read(native, &error);
        if (error == ENOENT || error == ENOTDIR) {
            opening.error = "not a suite folder: " + suiteRoot.string() + " has no " + file;
            return opening;
        }
        if (error != 0) {
            opening.error =
                "cannot read " + native.string() + ": " + ReadFailureReason(error, kIniFileLimit);
            return opening;
        }
    }

    const std::string iniFile = JoinPath(rootPath, kInitialisationFile);
    services.SetIniFile(iniFile);
    kernel.E_SetString("IniFile", iniFile);

    const IniSnapshot ini = services.ReadIniDocument(); // one reading for the host's keys
    auto read = [&ini](const char* key, const char* defaultValue) {
        return ini->Get(kHostSection, key).value_or(defaultValue);
    };
    const std::string languagePath = Resolve(rootPath, read("LanguagePath", ""));
    kernel.E_SetString("LANGUAGEPATH", languagePath);
    services.SetLanguagePath(languagePath);
    kernel.E_SetString("MAINWIDTH", read("MainWidth", "0"));

    if (project) {
        const auto projectPath = SuitePath(std::filesystem::absolute(*project, ec));
        if (!projectPath) {
            opening.error = projectPath.Message();
            return opening;
        }
        opening.projectPath = *projectPath;
    } else {
        opening.projectPath = Resolve(rootPath, read("Project", ""));
    }
    // A suite may name no project; one it names must open.
    if (!opening.projectPath.empty()) {
        if (const Status opened = kernel.OpenProject(opening.projectPath); !opened) {
            opening.warnings.push_back("no project open: " + opened.Message());
            opening.projectPath.clear();
        }
    }
    opening.ok = true;
    return opening;
}

} // namespace k2k
