#include "platform/SuiteFolder.h"

#include "platform/Kernel.h"
#include "platform/NativePath.h"
#include "platform/SuiteServices.h"

namespace k2k {

namespace {

// A relative value of the host's settings is relative to the suite folder.
std::string Resolve(const std::filesystem::path& root, const std::string& value) {
    if (value.empty() || IsAbsoluteSuitePath(value))
        return value;
    return JoinPath(SuitePath(root), value);
}

} // namespace

std::filesystem::path DirectorySettingsOf(const std::filesystem::path& suiteRoot) {
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
    for (const char* file : {kDirectorySettingsFile, kInitialisationFile}) {
        if (!std::filesystem::is_regular_file(root / file, ec)) {
            opening.error = "not a suite folder: " + suiteRoot.string() + " has no " + file;
            return opening;
        }
    }

    const std::string iniFile = SuitePath(root / kInitialisationFile);
    services.SetIniFile(iniFile);
    kernel.E_SetString("IniFile", iniFile);

    const std::string languagePath =
        Resolve(root, services.GetIniString(kHostSection, "LanguagePath", ""));
    kernel.E_SetString("LANGUAGEPATH", languagePath);
    services.SetLanguagePath(languagePath);
    kernel.E_SetString("MAINWIDTH", services.GetIniString(kHostSection, "MainWidth", "0"));

    opening.projectPath = project
                              ? SuitePath(std::filesystem::absolute(*project, ec))
                              : Resolve(root, services.GetIniString(kHostSection, "Project", ""));
    // A suite may name no project; one it names must open.
    if (!opening.projectPath.empty()) {
        std::string error;
        if (!kernel.OpenProject(opening.projectPath, &error)) {
            opening.warnings.push_back("no project open: " + error);
            opening.projectPath.clear();
        }
    }
    opening.ok = true;
    return opening;
}

} // namespace k2k
