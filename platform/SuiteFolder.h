#pragma once
// A suite folder, laid out as an installation: "suite.ini" (the directory settings,
// section "Kalde2K"), "kalde2000.ini" (the suite initialisation file with the library
// lists, and in section "Kalde2000" the host's own settings: the open project and the
// language path), LIB, SYS, JOB and the simulator folders.
//
// OpenSuite does at start what the suite's main application does before it creates the
// browser: it points the services at the initialisation file, seeds the kernel's named
// values and opens the project.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace k2k {

class Kernel;
class SuiteServices;

inline constexpr const char* kDirectorySettingsFile = "suite.ini";
inline constexpr const char* kInitialisationFile = "kalde2000.ini";
inline constexpr const char* kHostSection = "Kalde2000";

struct SuiteOpening {
    bool ok = false;
    std::string error;                 // why the folder is not a suite
    std::vector<std::string> warnings; // what is missing but not fatal (no project, ...)
    std::string projectPath;           // suite-form path of the open project, or empty
};

std::filesystem::path DirectorySettingsOf(const std::filesystem::path& suiteRoot);

// project: a project file to open instead of the suite's own (a native path).
SuiteOpening OpenSuite(const std::filesystem::path& suiteRoot, Kernel& kernel,
                       SuiteServices& services,
                       const std::optional<std::filesystem::path>& project = std::nullopt);

} // namespace k2k
