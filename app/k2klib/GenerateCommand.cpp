// k2klib generate --suite DIR --kind KIND --objects N --libraries M [--seed S]
//                 [--export FILE] [--project FILE]: a large synthetic suite for tests and
// benchmarks (see SyntheticSuite.h), and with --project a project database of the same
// parts (SyntheticProject.h). The same arguments always write the same bytes.

#include "Commands.h"

#include "common/ObjectKinds.h"
#include "formats/ObjectMap.h"
#include "search/LibraryCatalogue.h"
#include "sources/LibrarySource.h"
#include "synthetic/SyntheticProject.h"
#include "synthetic/SyntheticSuite.h"
#include "system/NativePath.h"
#include "system/Text.h"

#include <iomanip>
#include <memory>
#include <ostream>

namespace k2k::cli {

namespace {

// The name patterns whose share of the parts the command reports: about 40 % of the
// parts match the first, about one in a thousand the second.
constexpr const char* kPartPatterns[] = {"*74*", "*PC817*"};

struct GenerateArguments {
    std::string suite;
    std::string kind;
    std::int64_t objects = 0;
    int libraries = 0;
    std::uint64_t seed = 1;
    std::string exportFile;
    std::string projectFile;
};

void Report(const SyntheticSuiteOptions& options, const SyntheticSuiteReport& report,
            std::ostream& out) {
    const std::string kind(FactsOf(options.kind).name);
    out << "Suite: " << options.suite.string() << (report.createdSuite ? " (created)" : "") << '\n'
        << "Library folder: " << Cp1252ToUtf8(DisplayPath(report.libraryDir)) << '\n'
        << "Libraries: " << report.libraries.front();
    if (report.libraries.size() > 1)
        out << " to " << report.libraries.back();
    out << ", " << options.objects << ' ' << kind << (options.objects == 1 ? "" : "s") << " ("
        << report.counts.back();
    if (report.counts.front() != report.counts.back())
        out << " or " << report.counts.front();
    out << " each)\n"
        << "Catalogue: [" << FactsOf(options.kind).catalogueSection << "] keys 1 to "
        << report.libraries.size() << " of " << Cp1252ToUtf8(DisplayPath(report.iniFile)) << '\n'
        << "Descriptions: " << report.descriptionBytes << " bytes of names and info texts\n";
    for (const std::string& name : report.removed)
        out << "Removed: " << name << ", left over from an earlier run\n";
    if (options.exportFile)
        out << "Export: " << options.exportFile->string() << ", " << options.objects << " lines, "
            << report.exportBytes << " bytes\n";
    for (std::size_t p = 0; p < options.countPatterns.size(); ++p) {
        const double share = 100.0 * static_cast<double>(report.patternMatches[p]) /
                             static_cast<double>(options.objects);
        out << "Name pattern " << options.countPatterns[p] << ": " << report.patternMatches[p]
            << ' ' << kind << "s (" << std::fixed << std::setprecision(share < 1 ? 2 : 1) << share
            << " %)\n";
    }
}

void RunGenerate(const GenerateArguments& arguments, CommandContext& context) {
    if (!arguments.projectFile.empty() && KindNamed(arguments.kind) != LibraryKind::Part)
        throw CLI::ValidationError("--project", "a project is made of parts: use --kind part");
    if (!arguments.projectFile.empty() && arguments.objects > kMaxProjectIndex)
        throw CLI::ValidationError("--project", "a project holds at most " +
                                                    std::to_string(kMaxProjectIndex) + " parts");
    if (arguments.libraries > arguments.objects)
        throw CLI::ValidationError(
            "--libraries", "more libraries (" + std::to_string(arguments.libraries) +
                               ") than objects (" + std::to_string(arguments.objects) + ")");
    SyntheticSuiteOptions options;
    options.suite = arguments.suite;
    options.kind = KindNamed(arguments.kind);
    options.objects = arguments.objects;
    options.libraries = arguments.libraries;
    options.seed = arguments.seed;
    if (!arguments.exportFile.empty())
        options.exportFile = arguments.exportFile;
    if (options.kind == LibraryKind::Part)
        options.countPatterns.assign(std::begin(kPartPatterns), std::end(kPartPatterns));

    const auto report = WriteSyntheticSuite(options);
    if (!report) {
        context.err << "k2klib generate: " << report.Message() << '\n';
        context.exitCode = 1;
        return;
    }
    Report(options, *report, context.out);
    if (!arguments.projectFile.empty()) {
        const auto project =
            WriteSyntheticProject(arguments.projectFile, options.objects, options.seed);
        if (!project) {
            context.err << "k2klib generate: " << project.Message() << '\n';
            context.exitCode = 1;
            return;
        }
        context.out << "Project: " << arguments.projectFile << ", " << project->parts << " parts, "
                    << project->symbols << " symbols and as many packages, " << project->components
                    << " components in each editor on " << project->pages
                    << (project->pages == 1 ? " page" : " pages") << " of one hierarchy\n";
    }
    context.exitCode = 0;
}

} // namespace

void AddGenerateCommand(CLI::App& app, CommandContext& context) {
    auto [command, a] = AddCommand<GenerateArguments>(
        app, "generate", "write a large synthetic suite of realistic library objects", context,
        RunGenerate);
    AddSuiteOption(command, a.suite, "the suite folder, made a suite if needed");
    AddKindOption(command, a.kind, "kind of the objects");
    command.add_option("--objects", a.objects, "number of objects in all")
        ->required()
        ->check(CLI::Range(std::int64_t{1}, std::int64_t{1'000'000'000}));
    command.add_option("--libraries", a.libraries, "number of library files")
        ->required()
        ->check(CLI::Range(1, 9999));
    command.add_option("--seed", a.seed, "seed of the mix (default 1)")
        ->check(CLI::NonNegativeNumber);
    command.add_option("--export", a.exportFile,
                       "also write the descriptions as text, one object per line");
    command.add_option("--project", a.projectFile,
                       "also write a project database of the same parts (parts only)");
}

} // namespace k2k::cli
