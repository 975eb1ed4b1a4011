#include "OpenedSuite.h"

#include "platform/SuiteFolder.h"

namespace k2k::cli {

OpenedSuite::OpenedSuite(const std::string& suite, std::ostream& err)
    : boxes(err), services(DirectorySettingsOf(suite), boxes) {
}

std::unique_ptr<OpenedSuite> OpenSuiteFor(const std::string& command, const std::string& suite,
                                          CommandContext& context,
                                          const std::optional<std::filesystem::path>& project) {
    auto opened = std::make_unique<OpenedSuite>(suite, context.err);
    const SuiteOpening opening = OpenSuite(suite, opened->kernel, opened->services, project);
    if (!opening.ok) {
        context.err << "k2klib " << command << ": " << opening.error << '\n';
        context.exitCode = 1;
        return nullptr;
    }
    for (const std::string& warning : opening.warnings)
        context.err << "k2klib " << command << ": " << warning << '\n';
    opened->projectPath = opening.projectPath;
    ReadDirs(opened->services, opened->directories);
    opened->catalogue.Load(opened->services);
    return opened;
}

} // namespace k2k::cli
