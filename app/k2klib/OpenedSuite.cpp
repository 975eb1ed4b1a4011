#include "OpenedSuite.h"

#include "platform/SuiteFolder.h"

namespace k2k::cli {

OpenedSuite::OpenedSuite(const std::string& suite, std::ostream& err)
    : boxes(err), browser(kernel, DirectorySettingsOf(suite), boxes, feedback) {
}

std::unique_ptr<OpenedSuite> OpenSuiteFor(const std::string& command, const std::string& suite,
                                          CommandContext& context,
                                          const std::optional<std::filesystem::path>& project) {
    auto opened = std::make_unique<OpenedSuite>(suite, context.err);
    const SuiteOpening opening = opened->browser.OpenSuite(suite, project);
    if (!opening.ok) {
        context.err << "k2klib " << command << ": " << opening.error << '\n';
        context.exitCode = 1;
        return nullptr;
    }
    for (const std::string& warning : opening.warnings)
        context.err << "k2klib " << command << ": " << warning << '\n';
    opened->projectPath = opening.projectPath;
    return opened;
}

} // namespace k2k::cli
